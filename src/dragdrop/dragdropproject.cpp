#include "dragdrop/dragdropmodule.h"

#include "shared/platform.h"

namespace toravi {

DragDropModule::DragDropModule(Platform& platform, QObject* parent) : QObject(parent), platform_(platform) {}

// Placeholder bodies, to be written.
void DragDropModule::ResetProject() { emit refreshRequested(); }
void DragDropModule::ReinitWithQuestion() {}
bool DragDropModule::SaveProject() { return false; }
bool DragDropModule::LoadProject() { return false; }
bool DragDropModule::LoadProjectFile(const QString&) { return false; }
bool DragDropModule::Validate() { return false; }
void DragDropModule::ApplyRefreshDefaults() {}
void DragDropModule::SetPageName(const QString&) {}

}  // namespace toravi
