#include "files/filewriter.h"
#include "filewriter_p.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

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

// The target's name is cut to this length, and the random part is a 32-bit number in base 36.
constexpr int kTemporaryNameChars = 64;

QString WriterTemporaryName(const QString& name)
{
    return QLatin1Char('.') + name.left(kTemporaryNameChars) + QLatin1Char('.') +
           QString::number(QRandomGenerator::global()->generate(), 36) + QStringLiteral(".tmp");
}

bool IsWriterTemporaryName(const QString& fileName)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\..{1,%1}\\.[0-9a-z]{1,7}\\.tmp$").arg(kTemporaryNameChars));
    return pattern.match(fileName).hasMatch();
}

void RemoveWriterDebris(const QString& folder)
{
    for (const QString& where : {folder, QDir(folder).filePath(QStringLiteral("img"))}) {
        const QDir dir(where);
        for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
            if (IsWriterTemporaryName(name))
                QFile::remove(dir.filePath(name));
    }
}

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

QString TemporaryName(const QString& prefix, const QString& name) { return prefix + WriterTemporaryName(name); }
}  // namespace filewriter_detail

FolderLock::FolderLock(const QString& folder, int waitMs)
{
    if (folder.isEmpty())
        return;
    const QString path = QDir(folder).filePath(LockFileName());
    m_lock = std::make_unique<QLockFile>(path);
    m_lock->setStaleLockTime(kStaleLockMs);
    m_locked = m_lock->tryLock(std::max(0, waitMs));
    if (m_locked) {
        filewriter_detail::HideFile(path);
        RemoveWriterDebris(folder);
    }
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
