#pragma once
// Every text the program writes or reads (project files, pages, scripts) is
// Windows-1252 with CR LF line ends.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace toravi {

inline const QString CRLF = QStringLiteral("\r\n");

// A character Windows-1252 cannot hold becomes "&#N;" (decimal code point):
// pages render it, and project files read it back (see DecodeCharRefs).
QByteArray EncodeWindows1252(const QString& text);
QString DecodeWindows1252(const QByteArray& bytes);
bool IsWindows1252(char32_t codePoint);

// Turns "&#N;" with N above 255 back into its character; other text is kept.
QString DecodeCharRefs(const QString& text);

// The bytes WriteTextFile writes for `text`.
QByteArray TextFileBytes(const QString& text);
// Writes `text` followed by one more CR LF, in one write, atomically: when the
// write fails an existing file stays as it was. Returns whether it succeeded.
bool WriteTextFile(const QString& path, const QString& text);

}  // namespace toravi
