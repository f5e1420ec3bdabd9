#include "tooltip/tooltipmodule.h"

#include "shared/platform.h"

namespace toravi {

TooltipModule::TooltipModule(Platform& platform, QObject* parent) : QObject(parent), platform_(platform) {}

// Placeholder bodies, to be written.
void TooltipModule::ResetProject() { emit refreshRequested(); }
void TooltipModule::ReinitWithQuestion() {}
bool TooltipModule::SaveProject() { return false; }
bool TooltipModule::LoadProject() { return false; }
bool TooltipModule::LoadProjectFile(const QString&) { return false; }
void TooltipModule::ApplyRefreshDefaults() {}
void TooltipModule::SetPageName(const QString&) {}

}  // namespace toravi
