#pragma once
#include <QStringList>

namespace toravi {

// `toravi generate [--module tooltip|dragdrop] [--folder DIR] PROJECT_FILE`:
// loads the project as its module window would, then creates the page, without
// any window or dialog. Returns the process exit code.
int RunGenerateCommand(const QStringList& args);

}  // namespace toravi
