#pragma once
// What the safe writer's platform files share: the fault seam's counters and the
// temporary names. Not for use outside the writer.
#include "files/filewriter.h"

#include <QString>

namespace toravi::filewriter_detail {

// One low-level write at most this long; the fault seam counts them.
constexpr qint64 kChunk = 1 << 20;

// What the next low-level write is to do instead of writing everything asked.
filefaults::Kind NextWriteFault();
// Whether the step `kind` (sync or rename) of the file being finished is to fail.
bool FinishFails(filefaults::Kind kind);
// A unique hidden name beside the target, so that the rename stays in one file system.
QString TemporaryName(const QString& prefix, const QString& name);
// Hides the lock file where the platform has such a flag.
void HideFile(const QString& path);

}  // namespace toravi::filewriter_detail
