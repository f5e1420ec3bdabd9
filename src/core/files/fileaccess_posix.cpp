#include "files/fileaccess.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace toravi {

// Plain system calls: opening through QFile costs several times what reading a
// picture's header does.
RawFile::RawFile(const QString& path)
{
    // A folder opens too, but reading it fails. A pipe must not wait for a
    // writer: it then reads as empty.
    fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

RawFile::~RawFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool RawFile::isOpen() const { return fd_ >= 0; }

std::int64_t RawFile::size()
{
    if (size_ < 0) {
        struct stat st;
        size_ = ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode) ? std::int64_t(st.st_size) : 0;
    }
    return size_;
}

std::int64_t RawFile::readAt(std::int64_t pos, std::uint8_t* out, std::int64_t len)
{
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
}

}  // namespace toravi
