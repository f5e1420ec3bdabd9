#include "tooltip/tooltipwindows.h"

#include "shell/appcontext.h"

namespace toravi {

// Placeholder, to be written.
void RegisterTooltipWindows(AppContext&) {}

}  // namespace toravi
