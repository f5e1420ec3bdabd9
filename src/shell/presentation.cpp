#include "shell/presentation.h"

#include "shell/appcontext.h"

namespace toravi {

// Placeholder bodies, to be written.
void OpenModuleHelp(AppContext&, HelpModule, QWidget*, bool) {}
void RegisterPresentationWindows(AppContext&) {}

}  // namespace toravi
