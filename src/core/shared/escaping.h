#pragma once
// Escaping for the texts the program writes: list lines of project files,
// HTML attribute values, picture addresses and script strings in pages.
#include <QString>
#include <QStringList>

namespace toravi {

// A list line of a project file: every entry followed by ",". A comma inside an
// entry is written "&#44;" and a line break becomes a blank, so that the line
// splits back into the same entries.
QString JoinListLine(const QStringList& entries);
// The entries of a list line: the pieces between commas, all but the last (the
// remainder after the final comma); "&#44;" and "&#N;" are turned back.
QStringList SplitListLine(const QString& line);
// A single-line value of a project file: line breaks become blanks.
QString OneLine(const QString& value);

// Text inside a double-quoted HTML attribute: "&" and the double quote escaped.
QString HtmlAttr(const QString& text);
// A file name as part of a relative address (src, href, window.open): "%", "#"
// and "?" are percent-encoded so that the browser asks for that very file.
QString UrlFileName(const QString& name);
// A file name inside CSS url(...) without quotes: blanks, quotes, brackets,
// backslashes, "%", "#", "?", controls and characters outside Windows-1252 are
// percent-encoded (UTF-8), which browsers resolve to the same file.
QString CssUrlFileName(const QString& name);
// Text inside a single-quoted script string.
QString JsSingleQuoted(const QString& text);

}  // namespace toravi
