#pragma once
// The one place that knows every window of the program.
namespace toravi {

class AppContext;

// Registers every window of the program under its name.
void RegisterAllWindows(AppContext& ctx);

}  // namespace toravi
