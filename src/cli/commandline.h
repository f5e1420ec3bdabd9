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

// Qt's own texts (dialogs, context menus, the command line's help) in French.
void LoadQtTranslations(QCoreApplication& app);

}  // namespace toravi
