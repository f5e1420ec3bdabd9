#include "console.h"

namespace toravi {

void AttachParentConsole() {}

void WriteText(std::FILE* stream, const QString& text)
{
    // The terminal's own encoding, as the locale says.
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

}  // namespace toravi
