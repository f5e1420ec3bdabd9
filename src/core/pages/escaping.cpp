#include "pages/escaping.h"

#include "files/textfile.h"

#include <QUrl>

namespace toravi {

QString HtmlAttr(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    out.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return out;
}

QString UrlFileName(const QString& name)
{
    QString out;
    out.reserve(name.size());
    for (QChar c : name) {
        if (c == QLatin1Char('%'))
            out += QLatin1String("%25");
        else if (c == QLatin1Char('#'))
            out += QLatin1String("%23");
        else if (c == QLatin1Char('?'))
            out += QLatin1String("%3F");
        else
            out += c;
    }
    return out;
}

QString CssUrlFileName(const QString& name)
{
    static const QString special = QStringLiteral(" \t\"'()\\%#?");
    QString out;
    const auto ucs4 = name.toUcs4();
    for (char32_t cp : ucs4) {
        const QString ch = QString::fromUcs4(&cp, 1);
        if (cp < 0x20 || special.contains(ch) || !IsWindows1252(cp))
            out += QString::fromLatin1(QUrl::toPercentEncoding(ch));
        else
            out += ch;
    }
    return out;
}

QString JsSingleQuoted(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    out.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return out;
}

}  // namespace toravi
