#include "tooltip/tooltipmodule.h"

namespace toravi {

// Placeholder bodies, to be written.
void TooltipModule::ChooseWorkingFolder() {}
void TooltipModule::ChooseReferencePicture() {}
void TooltipModule::ChooseBackgroundPicture() {}
void TooltipModule::PlainBackground() {}
bool TooltipModule::Validate() { return false; }

}  // namespace toravi
