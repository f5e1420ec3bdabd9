#include "shared/filewriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <mutex>
#include <vector>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

void Reset() { Inject(Kind::None, 0); }
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

namespace {
using filefaults::Kind;

// One low-level write at most this long; the fault seam counts them.
constexpr qint64 kChunk = 1 << 20;

// What the next low-level write is to do instead of writing everything asked.
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

// Whether the step `kind` (sync or rename) of the file being finished is to fail.
bool FinishFails(Kind kind)
{
    std::lock_guard guard(filefaults::gMutex);
    auto& f = filefaults::gFaults;
    return f.kind == kind && ++f.finished == f.nth;
}

// A unique hidden name beside the target, so that the rename stays in one file system.
QString TemporaryName(const QString& prefix, const QString& name) { return prefix + WriterTemporaryName(name); }

#ifdef Q_OS_WIN
using Handle = HANDLE;

std::wstring Native(const QString& path) { return QDir::toNativeSeparators(path).toStdWString(); }

bool WriteAll(HANDLE h, const char* data, qint64 length)
{
    while (length > 0) {
        DWORD chunk = DWORD(std::min(length, kChunk));
        switch (NextWriteFault()) {
        case Kind::FailWrite:
        case Kind::NoSpace:
            return false;
        case Kind::ShortWrite:
            if (chunk < 2)
                return false;
            chunk /= 2;
            break;
        default:
            break;
        }
        DWORD done = 0;
        if (!WriteFile(h, data, chunk, &done, nullptr) || done == 0)
            return false;
        data += done;
        length -= done;
    }
    return true;
}

bool ReplaceWith(const QString& target, const std::function<bool(Handle)>& fill)
{
    const QString path = QDir::toNativeSeparators(target);
    const qsizetype cut = path.lastIndexOf(QLatin1Char('\\'));
    const QString name = path.mid(cut + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    const DWORD attributes = GetFileAttributesW(Native(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return false;
    QString temporary;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && h == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = TemporaryName(path.left(cut + 1), name);
        h = CreateFileW(Native(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bool ok = fill(h) && !FinishFails(Kind::FailSync) && FlushFileBuffers(h);
    ok = CloseHandle(h) && ok;
    // Moving over a link replaces the link itself.
    ok = ok && !FinishFails(Kind::FailRename) &&
         MoveFileExW(Native(temporary).c_str(), Native(path).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        DeleteFileW(Native(temporary).c_str());
    return ok;
}

bool Identity(HANDLE h, BY_HANDLE_FILE_INFORMATION& info) { return GetFileInformationByHandle(h, &info); }

bool CopyContent(HANDLE in, HANDLE out, const BY_HANDLE_FILE_INFORMATION& before)
{
    const qint64 size = (qint64(before.nFileSizeHigh) << 32) | before.nFileSizeLow;
    std::vector<char> buffer(kChunk);
    qint64 left = size;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(in, buffer.data(), DWORD(buffer.size()), &got, nullptr))
            return false;
        if (got == 0)
            break;
        if (got > left || !WriteAll(out, buffer.data(), got))
            return false;
        left -= got;
    }
    BY_HANDLE_FILE_INFORMATION after{};
    return left == 0 && Identity(in, after) && after.nFileSizeHigh == before.nFileSizeHigh &&
           after.nFileSizeLow == before.nFileSizeLow &&
           CompareFileTime(&after.ftLastWriteTime, &before.ftLastWriteTime) == 0;
}
#else
using Handle = int;

bool WriteAll(int fd, const char* data, qint64 length)
{
    while (length > 0) {
        size_t chunk = size_t(std::min(length, kChunk));
        ssize_t done = -1;
        switch (NextWriteFault()) {
        case Kind::FailWrite:
            errno = EIO;
            break;
        case Kind::NoSpace:
            errno = ENOSPC;
            break;
        case Kind::ShortWrite:
            if (chunk < 2)
                errno = ENOSPC;
            else
                done = ::write(fd, data, chunk / 2);
            break;
        default:
            done = ::write(fd, data, chunk);
        }
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)  // nothing stored, even without a reason, must not loop forever
            return false;
        data += done;
        length -= done;
    }
    return true;
}

bool SyncFile(int fd)
{
    if (FinishFails(Kind::FailSync))
        return false;
    // Some file systems cannot sync at all: that is no failure of this write.
    return ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP || errno == ENOSYS;
}

// The new name must outlive a power cut too.
void SyncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool ReplaceWith(const QString& target, const std::function<bool(Handle)>& fill)
{
    const QByteArray path = QFile::encodeName(target);
    const qsizetype slash = path.lastIndexOf('/');
    const QString name = target.mid(target.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    struct stat old {};
    const bool exists = ::lstat(path.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return false;
    const bool replacing = exists && S_ISREG(old.st_mode);
    // A file the user made read-only is not replaced behind their back.
    if (replacing && ::access(path.constData(), W_OK) != 0)
        return false;
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = QFile::encodeName(TemporaryName(target.left(target.lastIndexOf(QLatin1Char('/')) + 1), name));
        // 0666: the umask decides, as for any new file.
        fd = ::open(temporary.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    bool ok = true;
    if (replacing) {
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Only root can give the file back to another owner; the permissions below are kept anyway.
        }
        ok = ::fchmod(fd, old.st_mode & 0777) == 0;
    }
    ok = ok && fill(fd) && SyncFile(fd);
    if (::close(fd) != 0 && errno != EINTR)
        ok = false;
    // rename(2) replaces a link at the target, not the file it points to.
    ok = ok && !FinishFails(Kind::FailRename) && ::rename(temporary.constData(), path.constData()) == 0;
    if (!ok) {
        ::unlink(temporary.constData());
        return false;
    }
    SyncFolder(slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash));
    return true;
}

bool CopyContent(int in, int out, const struct stat& before)
{
    std::vector<char> buffer(kChunk);
    qint64 left = before.st_size;
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        if (got > left || !WriteAll(out, buffer.data(), got))
            return false;  // grew while copied, or could not be written
        left -= got;
    }
    struct stat after {};
    return left == 0 && ::fstat(in, &after) == 0 && after.st_size == before.st_size &&
           after.st_mtim.tv_sec == before.st_mtim.tv_sec && after.st_mtim.tv_nsec == before.st_mtim.tv_nsec;
}
#endif
}  // namespace

bool WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return false;
    return ReplaceWith(path, [&](Handle out) { return WriteAll(out, bytes.constData(), bytes.size()); });
}

#ifdef Q_OS_WIN
bool CopyFileAtomically(const QString& source, const QString& target)
{
    if (source.isEmpty() || target.isEmpty() || !IsRegularFile(source))
        return false;
    HANDLE in = CreateFileW(Native(source).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (in == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION from{};
    bool ok = GetFileType(in) == FILE_TYPE_DISK && Identity(in, from) &&
              !(from.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if (ok) {
        // The target itself, not what a link there points to.
        HANDLE there = CreateFileW(Native(target).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING,
                                   FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        BY_HANDLE_FILE_INFORMATION to{};
        const bool same = there != INVALID_HANDLE_VALUE && Identity(there, to) &&
                          !(to.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                          to.dwVolumeSerialNumber == from.dwVolumeSerialNumber &&
                          to.nFileIndexHigh == from.nFileIndexHigh && to.nFileIndexLow == from.nFileIndexLow;
        if (there != INVALID_HANDLE_VALUE)
            CloseHandle(there);
        ok = same || ReplaceWith(target, [&](Handle out) { return CopyContent(in, out, from); });
    }
    CloseHandle(in);
    return ok;
}

bool IsRegularFile(const QString& path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.isFile() && !path.startsWith(QLatin1String("\\\\.\\"));
}
#else
bool CopyFileAtomically(const QString& source, const QString& target)
{
    // Looked at before opening, so that a device is not even opened...
    if (target.isEmpty() || !IsRegularFile(source))
        return false;
    const int in = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (in < 0)
        return false;
    // ...and once opened, since the path may have been changed in between. A pipe
    // opened without waiting is refused here before any read.
    struct stat from {};
    bool ok = ::fstat(in, &from) == 0 && S_ISREG(from.st_mode);
    const int flags = ok ? ::fcntl(in, F_GETFL) : -1;
    ok = ok && flags >= 0 && ::fcntl(in, F_SETFL, flags & ~O_NONBLOCK) == 0;
    if (ok) {
        struct stat to {};
        const bool same = ::lstat(QFile::encodeName(target).constData(), &to) == 0 && S_ISREG(to.st_mode) &&
                          to.st_dev == from.st_dev && to.st_ino == from.st_ino;
        ok = same || ReplaceWith(target, [&](Handle out) { return CopyContent(in, out, from); });
    }
    ::close(in);
    return ok;
}

bool IsRegularFile(const QString& path)
{
    struct stat st {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}
#endif

FolderLock::FolderLock(const QString& folder, int waitMs)
{
    if (folder.isEmpty())
        return;
    const QString path = QDir(folder).filePath(LockFileName());
    m_lock = std::make_unique<QLockFile>(path);
    m_lock->setStaleLockTime(kStaleLockMs);
    m_locked = m_lock->tryLock(std::max(0, waitMs));
#ifdef Q_OS_WIN
    if (m_locked)
        SetFileAttributesW(Native(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
#endif
    if (m_locked)
        RemoveWriterDebris(folder);
}

FolderLock::~FolderLock() = default;

bool FolderLock::isLocked() const { return m_locked; }

QLockFile::LockError FolderLock::error() const
{
    return m_lock ? m_lock->error() : QLockFile::UnknownError;
}

}  // namespace toravi
