#include "dragdrop/dragdropmodule.h"

namespace toravi {

// Placeholder bodies, to be written.
bool DragDropModule::CreatePage() { return false; }
QString BuildDragDropPage(DragDropState&) { return {}; }
QString OrdreJsText() { return {}; }

}  // namespace toravi
