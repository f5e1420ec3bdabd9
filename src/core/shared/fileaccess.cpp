#include "shared/fileaccess.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace toravi {

// Plain system calls: opening through QFile costs several times what reading a
// picture's header does.
RawFile::RawFile(const QString& path)
{
#ifdef Q_OS_WIN
    if (_wfopen_s(&file_, reinterpret_cast<const wchar_t*>(path.utf16()), L"rb") != 0)
        file_ = nullptr;
    if (file_) {
        struct _stat64 st;
        if (_fstat64(_fileno(file_), &st) != 0 || (st.st_mode & _S_IFDIR)) {
            std::fclose(file_);
            file_ = nullptr;
        } else {
            size_ = std::int64_t(st.st_size);
        }
    }
#else
    // A folder opens too, but reading it fails. A pipe must not wait for a
    // writer: it then reads as empty.
    fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
#endif
}

RawFile::~RawFile()
{
#ifdef Q_OS_WIN
    if (file_)
        std::fclose(file_);
#else
    if (fd_ >= 0)
        ::close(fd_);
#endif
}

bool RawFile::isOpen() const
{
#ifdef Q_OS_WIN
    return file_ != nullptr;
#else
    return fd_ >= 0;
#endif
}

std::int64_t RawFile::size()
{
#ifndef Q_OS_WIN
    if (size_ < 0) {
        struct stat st;
        size_ = ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode) ? std::int64_t(st.st_size) : 0;
    }
#endif
    return size_;
}

std::int64_t RawFile::readAt(std::int64_t pos, std::uint8_t* out, std::int64_t len)
{
#ifdef Q_OS_WIN
    if (_fseeki64(file_, pos, SEEK_SET) != 0)
        return -1;
    size_t n = std::fread(out, 1, size_t(len), file_);
    return std::ferror(file_) ? -1 : std::int64_t(n);
#else
    std::int64_t done = 0;
    while (done < len) {
        ssize_t n = ::pread(fd_, out + done, size_t(len - done), off_t(pos + done));
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += n;
    }
    return done;
#endif
}

}  // namespace toravi
