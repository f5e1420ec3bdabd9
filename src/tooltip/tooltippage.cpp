#include "tooltip/tooltipmodule.h"

namespace toravi {

// Placeholder bodies, to be written.
bool TooltipModule::CreatePage() { return false; }
QString BuildTooltipPage(const TooltipState&) { return {}; }
QString BuildInteractJs(const TooltipState&) { return {}; }

}  // namespace toravi
