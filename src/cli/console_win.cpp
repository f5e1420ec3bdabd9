#include "console.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>

namespace toravi {

void AttachParentConsole()
{
    // Output already redirected by the caller (a file, a pipe) stays where it goes.
    const bool outRedirected = GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) != FILE_TYPE_UNKNOWN;
    const bool errRedirected = GetFileType(GetStdHandle(STD_ERROR_HANDLE)) != FILE_TYPE_UNKNOWN;
    if (outRedirected && errRedirected)
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (!outRedirected)
        std::freopen("CONOUT$", "w", stdout);
    if (!errRedirected)
        std::freopen("CONOUT$", "w", stderr);
}

void WriteText(std::FILE* stream, const QString& text)
{
    std::fflush(stream);
    HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (h != INVALID_HANDLE_VALUE && h != nullptr && GetConsoleMode(h, &mode)) {
        // A console shows any character when given UTF-16, whatever its code page.
        const std::wstring wide = text.toStdWString();
        DWORD written = 0;
        WriteConsoleW(h, wide.data(), DWORD(wide.size()), &written, nullptr);
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stream);
    std::fflush(stream);
}

}  // namespace toravi
