#include "files/fileaccess.h"

#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>

namespace toravi {

// The C runtime's wide-character calls: names with accents open as they are.
RawFile::RawFile(const QString& path)
{
    if (_wfopen_s(&file_, reinterpret_cast<const wchar_t*>(path.utf16()), L"rb") != 0)
        file_ = nullptr;
    if (file_) {
        struct _stat64 st;
        // Only a file on disk: reading a pipe or a device would wait.
        if (_fstat64(_fileno(file_), &st) != 0 || !(st.st_mode & _S_IFREG)) {
            std::fclose(file_);
            file_ = nullptr;
        } else {
            size_ = std::int64_t(st.st_size);
        }
    }
}

RawFile::~RawFile()
{
    if (file_)
        std::fclose(file_);
}

bool RawFile::isOpen() const { return file_ != nullptr; }

std::int64_t RawFile::size() { return size_; }

std::int64_t RawFile::readAt(std::int64_t pos, std::uint8_t* out, std::int64_t len)
{
    if (_fseeki64(file_, pos, SEEK_SET) != 0)
        return -1;
    size_t n = std::fread(out, 1, size_t(len), file_);
    return std::ferror(file_) ? -1 : std::int64_t(n);
}

}  // namespace toravi
