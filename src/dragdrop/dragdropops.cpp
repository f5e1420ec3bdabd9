#include "dragdrop/dragdropmodule.h"

namespace toravi {

// Placeholder bodies, to be written.
void DragDropModule::ChooseWorkingFolder() {}
void DragDropModule::ChooseReferencePicture() {}
void DragDropModule::ChooseBackgroundPicture() {}
void DragDropModule::ChooseHelpDocument() {}
void DragDropModule::AddObject() {}
void DragDropModule::PageColour() {}
void DragDropModule::ModifyItem(int, const QString&) {}
bool DragDropModule::DeleteItem(int) { return false; }

}  // namespace toravi
