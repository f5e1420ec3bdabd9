#include "files/filewriter.h"
#include "filewriter_p.h"

#include <QFile>

#include <algorithm>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace toravi {

namespace {
using namespace filewriter_detail;
using filefaults::Kind;

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
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
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
}  // namespace

bool WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return false;
    return ReplaceWith(path, [&](Handle out) { return WriteAll(out, bytes.constData(), bytes.size()); });
}

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

// A leading dot hides it already.
void filewriter_detail::HideFile(const QString&) {}

}  // namespace toravi
