#pragma once
// Escaping for the texts pages hold: HTML attribute values, picture addresses
// and script strings.
#include <QString>
#include <QStringList>

namespace toravi {

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
