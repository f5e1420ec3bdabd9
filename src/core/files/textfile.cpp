#include "files/textfile.h"

#include "files/filewriter.h"

#include <QRegularExpression>

namespace toravi {

namespace {
// Code points of bytes 0x80 to 0x9F; 0 where Windows-1252 leaves the byte undefined.
constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int byteFor(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return int(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] && kHigh[i] == cp)
            return 0x80 + i;
    // The undefined bytes map to the C1 controls of the same number, both ways.
    if (cp >= 0x80 && cp <= 0x9F && !kHigh[cp - 0x80])
        return int(cp);
    return -1;
}
}  // namespace

bool IsWindows1252(char32_t cp) { return byteFor(cp) >= 0; }

QByteArray EncodeWindows1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    const auto ucs4 = text.toUcs4();
    for (char32_t cp : ucs4) {
        int b = byteFor(cp);
        if (b >= 0)
            out.append(char(b));
        else
            out.append("&#" + QByteArray::number(quint32(cp)) + ';');
    }
    return out;
}

QString DecodeWindows1252(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto b = quint8(c);
        if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80])
            out.append(QChar(kHigh[b - 0x80]));
        else
            out.append(QChar(b));
    }
    return out;
}

QString DecodeCharRefs(const QString& text)
{
    if (!text.contains(QLatin1String("&#")))
        return text;
    static const QRegularExpression re(QStringLiteral("&#([0-9]{3,7});"));
    QString out;
    qsizetype last = 0;
    auto it = re.globalMatch(text);
    while (it.hasNext()) {
        auto m = it.next();
        bool ok = false;
        uint cp = m.captured(1).toUInt(&ok);
        if (!ok || cp <= 255 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            continue;
        out += text.mid(last, m.capturedStart() - last);
        char32_t c = cp;
        out += QString::fromUcs4(&c, 1);
        last = m.capturedEnd();
    }
    out += text.mid(last);
    return out;
}

QByteArray TextFileBytes(const QString& text) { return EncodeWindows1252(text) + "\r\n"; }

bool WriteTextFile(const QString& path, const QString& text)
{
    return !path.isEmpty() && WriteFileAtomically(path, TextFileBytes(text));
}

}  // namespace toravi
