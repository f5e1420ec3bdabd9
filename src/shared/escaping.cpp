#include "shared/escaping.h"

#include "shared/textfile.h"

namespace toravi {

namespace {
QString withoutLineBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString percentEncoded(const QString& text, bool (*keep)(char16_t))
{
    QString out;
    out.reserve(text.size());
    const QByteArray utf8 = text.toUtf8();
    for (char c : utf8) {
        const auto b = quint8(c);
        if (b < 0x80 && keep(b)) {
            out.append(QChar(b));
        } else {
            out.append(QLatin1Char('%'));
            out.append(QString::number(b, 16).toUpper().rightJustified(2, QLatin1Char('0')));
        }
    }
    return out;
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
    return percentEncoded(name, [](char16_t c) {
        return c > 0x20 && c < 0x7F && c != '"' && c != '\'' && c != '(' && c != ')' && c != '\\' &&
               c != '%' && c != '#' && c != '?';
    });
}

QString JsSingleQuoted(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    out.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return out;
}

}  // namespace toravi
