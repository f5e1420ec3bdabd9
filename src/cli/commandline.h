#pragma once
#include <QStringList>
#include <optional>

class QCoreApplication;

namespace toravi {

// What the program does with its command line before any window: `--help`,
// `--version` and `generate` print and end without a display. Returns the exit
// code, or nothing when the windows are to start (no argument, or only Qt's own
// options such as -platform).
std::optional<int> RunCommandLine(int argc, char* argv[]);

// `toravi generate [--module tooltip|dragdrop] [--folder DIR] [--reduce]
// [--single-file FILE.htm] [--scorm FILE.zip] PROJECT_FILE` (the arguments after
// "generate"): loads the project as its module window would, then creates the
// page, or the exports named instead, without any window or dialog. Returns the exit code.
int RunGenerateCommand(const QStringList& args);

// `toravi cutout [--folder DIR] [--fill erase|silhouette|colour] [--colour RRGGBB]
// --project PROJECT_FILE PICTURE OBJECT...` (the arguments after "cutout"), each
// OBJECT "NAME=box:x,y,w,h", "NAME=wand:x,y[,tolerance]" or "NAME=outline:x1,y1;x2,y2;...":
// cuts the objects out of the picture into the working folder's img and saves the
// drag-and-drop project (new, or the one named, with the objects added). Every
// argument is checked before anything is written. Returns the exit code.
int RunCutoutCommand(const QStringList& args);

// Qt's own texts (dialogs, context menus, the command line's help) in French.
void LoadQtTranslations(QCoreApplication& app);

}  // namespace toravi
