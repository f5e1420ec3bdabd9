#pragma once
// The one place that knows every window of the program.
namespace toravi {

class AppContext;

// Registers every window of the program by its name.
void RegisterAllWindows(AppContext& ctx);
void RegisterLauncher(AppContext& ctx);  // Form3

}  // namespace toravi
