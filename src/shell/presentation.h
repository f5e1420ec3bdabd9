#pragma once
// The presentation windows FAbout and INT_FAbout, and the modules' "Aide" entry.
class QWidget;

namespace toravi {

class AppContext;

enum class HelpModule { Tooltip, DragDrop };

// "Aide": opens toravi.chm of the program folder with the shell when it exists;
// otherwise disables `caller` when `disableCaller` (Form1, IForm1; not Form2),
// clears blnFromLauncher and shows the module's presentation window.
void OpenModuleHelp(AppContext& ctx, HelpModule module, QWidget* caller, bool disableCaller);

}  // namespace toravi
