#include "shared/filewriter.h"
#include "shared/filewriter_p.h"

#include <QDir>
#include <QRandomGenerator>

#include <algorithm>
#include <mutex>

namespace toravi {

namespace filefaults {
namespace {
struct Faults {
    Kind kind = Kind::None;
    int nth = 0;
    int writes = 0;
    int finished = 0;
    bool diskFull = false;
};
std::mutex gMutex;
Faults gFaults;
}  // namespace

void Inject(Kind kind, int nth)
{
    std::lock_guard guard(gMutex);
    gFaults = Faults{kind, nth};
}

void Reset()
{
    Inject(Kind::None, 0);
}
}  // namespace filefaults

namespace filewriter_detail {
using filefaults::Kind;

Kind NextWriteFault()
{
    std::lock_guard guard(filefaults::gMutex);
    auto& f = filefaults::gFaults;
    if (f.diskFull)
        return Kind::NoSpace;
    if (++f.writes != f.nth)
        return Kind::None;
    if (f.kind == Kind::ShortWrite)
        f.diskFull = true;
    return f.kind == Kind::FailWrite || f.kind == Kind::ShortWrite || f.kind == Kind::NoSpace ? f.kind : Kind::None;
}

bool FinishFails(Kind kind)
{
    std::lock_guard guard(filefaults::gMutex);
    auto& f = filefaults::gFaults;
    return f.kind == kind && ++f.finished == f.nth;
}

QString TemporaryName(const QString& prefix, const QString& name)
{
    return prefix + QLatin1Char('.') + name.left(64) + QLatin1Char('.') +
           QString::number(QRandomGenerator::global()->generate(), 36) + QStringLiteral(".tmp");
}
}  // namespace filewriter_detail

FolderLock::FolderLock(const QString& folder, int waitMs)
{
    if (folder.isEmpty())
        return;
    const QString path = QDir(folder).filePath(LockFileName());
    m_lock = std::make_unique<QLockFile>(path);
    m_lock->setStaleLockTime(kStaleLockMs);
    m_locked = m_lock->tryLock(std::max(0, waitMs));
    if (m_locked)
        filewriter_detail::HideFile(path);
}

FolderLock::~FolderLock() = default;

bool FolderLock::isLocked() const
{
    return m_locked;
}

QLockFile::LockError FolderLock::error() const
{
    return m_lock ? m_lock->error() : QLockFile::UnknownError;
}

}  // namespace toravi
