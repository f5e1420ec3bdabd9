#pragma once
// Reading a file at given positions, by the system's own calls, on every platform.
#include <QString>
#include <cstdint>
#include <cstdio>

namespace toravi {

// One file opened for reading; a folder or a pipe never blocks and reads as nothing.
class RawFile {
public:
    explicit RawFile(const QString& path);
    ~RawFile();
    RawFile(const RawFile&) = delete;
    RawFile& operator=(const RawFile&) = delete;

    bool isOpen() const;
    // Asked only when a read that starts past the end leaves the length unknown.
    std::int64_t size();
    // Reads up to len bytes at pos; -1 on failure.
    std::int64_t readAt(std::int64_t pos, std::uint8_t* out, std::int64_t len);

private:
#ifdef Q_OS_WIN
    std::FILE* file_ = nullptr;
#else
    int fd_ = -1;
#endif
    std::int64_t size_ = -1;
};

}  // namespace toravi
