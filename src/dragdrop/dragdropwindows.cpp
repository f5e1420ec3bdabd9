#include "dragdrop/dragdropwindows.h"

#include "shell/appcontext.h"

namespace toravi {

// Placeholder, to be written.
void RegisterDragDropWindows(AppContext&) {}

}  // namespace toravi
