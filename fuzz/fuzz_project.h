#pragma once
// Shared by the project-file fuzzers: each input is written as a project file and
// loaded into a scratch working folder (never the folder the input names), then
// the page texts are built from what was loaded.
#include "support/scriptedplatform.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <unistd.h>

namespace fuzz {

inline QString ProjectFile(const char* tag, const std::uint8_t* data, size_t size)
{
    const QString path = QStringLiteral("/tmp/toravi-fuzz-%1-%2.txt").arg(QLatin1String(tag)).arg(::getpid());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

inline QString ScratchFolder(const char* tag)
{
    const QString path = QStringLiteral("/tmp/toravi-fuzz-%1-%2-work").arg(QLatin1String(tag)).arg(::getpid());
    QDir().mkpath(path);
    return path;
}

}  // namespace fuzz
