#include "files/filewriter.h"
#include "filewriter_p.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <functional>
#include <vector>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace toravi {

namespace {
using namespace filewriter_detail;
using filefaults::Kind;

using Handle = HANDLE;

std::wstring Native(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

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

// A virus scanner or an indexer may hold the old file for a moment: try again
// for about a second before giving up.
bool MoveOver(const QString& from, const QString& to)
{
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(Native(from).c_str(), Native(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if (attempt == 20 ||
            (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION))
            return false;
        Sleep(50);
    }
}

bool ReplaceWith(const QString& target, const std::function<bool(Handle)>& fill)
{
    const QString path = QDir::toNativeSeparators(target);
    const qsizetype cut = path.lastIndexOf(QLatin1Char('\\'));
    const QString name = path.mid(cut + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    const DWORD attributes = GetFileAttributesW(Native(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
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
    ok = ok && !FinishFails(Kind::FailRename) && MoveOver(temporary, path);
    if (!ok)
        DeleteFileW(Native(temporary).c_str());
    return ok;
}

bool Identity(HANDLE h, BY_HANDLE_FILE_INFORMATION& info)
{
    return GetFileInformationByHandle(h, &info);
}

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
}  // namespace

bool WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return false;
    return ReplaceWith(path, [&](Handle out) { return WriteAll(out, bytes.constData(), bytes.size()); });
}

bool CopyFileAtomically(const QString& source, const QString& target)
{
    if (source.isEmpty() || target.isEmpty() || !IsRegularFile(source))
        return false;
    HANDLE in = CreateFileW(Native(source).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (in == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION from{};
    bool ok =
        GetFileType(in) == FILE_TYPE_DISK && Identity(in, from) && !(from.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if (ok) {
        // The target itself, not what a link there points to.
        HANDLE there =
            CreateFileW(Native(target).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
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
    // Pipes and devices (CON, COM1, \\.\...) are looked at without reading: opened
    // for no access at all, which never waits.
    if (path.isEmpty())
        return false;
    HANDLE h = CreateFileW(Native(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool regular =
        GetFileType(h) == FILE_TYPE_DISK && Identity(h, info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    CloseHandle(h);
    return regular;
}

void filewriter_detail::HideFile(const QString& path)
{
    SetFileAttributesW(Native(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace toravi
