#include "shared/escaping.h"

#include "shared/textfile.h"

#include <QUrl>

namespace toravi {

namespace {
QString withoutLineBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

}  // namespace

QString OneLine(const QString& value) { return withoutLineBreaks(value); }

QString JoinListLine(const QStringList& entries)
{
    QString line;
    for (const QString& e : entries) {
        QString entry = withoutLineBreaks(e);
        entry.replace(QLatin1Char(','), QLatin1String("&#44;"));
        line += entry + QLatin1Char(',');
    }
    return line;
}

QStringList SplitListLine(const QString& line)
{
    QStringList pieces = line.split(QLatin1Char(','));
    pieces.removeLast();
    for (QString& p : pieces)
        p = DecodeCharRefs(p.replace(QLatin1String("&#44;"), QLatin1String(",")));
    return pieces;
}

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
