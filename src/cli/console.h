#pragma once
// The console of the command line, which differs by platform.
#include <QString>

#include <cstdio>

namespace toravi {

// A windowed Windows program starts without a console: from a command prompt,
// take that prompt's console for our messages. Nothing to do elsewhere.
void AttachParentConsole();

// Writes `text` as it is to `stream` (stdout or stderr), accents included: in the
// console's own characters on a console, as UTF-8 when redirected to a file or a pipe.
void WriteText(std::FILE* stream, const QString& text);

}  // namespace toravi
