#include "project/projectfile.h"

#include "files/files.h"
#include "files/filewriter.h"
#include "files/textfile.h"
#include "pages/pagenames.h"
#include "platform/platform.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace toravi {

QString OneLine(QString value)
{
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

QString JoinListLine(const QStringList& entries)
{
    QString line;
    for (const QString& e : entries) {
        QString entry = OneLine(e);
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

namespace {

// Even thousands of objects make well under a megabyte: anything far larger
// (a film picked by mistake) is refused without being read.
constexpr qint64 kLargestProject = 16 * 1024 * 1024;
// The longest project file has 39 lines; later lines are never used.
constexpr int kLinesKept = 64;

QString notProject(const QString& path) { return QStringLiteral("Le fichier %1 n'est pas un projet Toravi.").arg(path); }

// A text editor may have saved the file again as UTF-8, with or without BOM.
QString decode(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    bool ascii = true;
    for (char c : std::as_const(bytes))
        if (quint8(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8(bytes);
        if (!utf8.hasError())
            return text;
    }
    return DecodeWindows1252(bytes);
}

}  // namespace

bool ProjectText::hasHeader() const { return !lines.isEmpty() && lines[0] == projectheader::Generated; }

QString ProjectText::moduleLine() const { return hasHeader() ? lines.value(1) : QString(); }

ProjectText ReadProjectText(const QString& path)
{
    ProjectText t;
    const QFileInfo info(path);
    // A folder, a pipe or a device is never opened: a pipe would wait for ever.
    if (!info.exists())
        t.refusal = msg::NotRead(path);
    else if (!IsRegularFile(path) || info.size() > kLargestProject)
        t.refusal = notProject(path);
    if (!t.refusal.isEmpty())
        return t;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        t.refusal = msg::NotRead(path);
        return t;
    }
    const QByteArray bytes = file.read(kLargestProject + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kLargestProject) {
        t.refusal = bytes.size() > kLargestProject ? notProject(path) : msg::NotRead(path);
        return t;
    }
    // A picture or other binary file picked by mistake is no project.
    if (bytes.contains('\0')) {
        t.refusal = notProject(path);
        return t;
    }
    // Lines end at LF, with or without CR; a lone CR stays in its line. A final
    // line end gives no extra empty line.
    qsizetype start = 0;
    for (int count = 0; start < bytes.size() && count < kLinesKept; ++count) {
        const qsizetype nl = bytes.indexOf('\n', start);
        start = nl < 0 ? bytes.size() : nl + 1;
    }
    const QString text = decode(bytes.left(start));
    qsizetype from = 0;
    while (from < text.size()) {
        qsizetype nl = text.indexOf(QLatin1Char('\n'), from);
        const qsizetype end = nl < 0 ? text.size() : nl;
        qsizetype cut = end;
        if (nl >= 0 && cut > from && text[cut - 1] == QLatin1Char('\r'))
            --cut;
        t.lines.append(text.mid(from, cut - from));
        if (nl < 0)
            break;
        from = nl + 1;
    }
    return t;
}

std::optional<QStringList> ProjectBody(Platform& platform, const QString& path, const QString& moduleLine)
{
    const ProjectText t = ReadProjectText(path);
    QString refusal = t.refusal;
    if (refusal.isEmpty() && t.hasHeader() && t.moduleLine() != moduleLine)
        refusal = msg::WrongModule;
    if (!refusal.isEmpty()) {
        platform.messageBox(refusal, kRefusal, kTitle);
        return std::nullopt;
    }
    return t.hasHeader() ? t.lines.mid(kHeaderLines) : t.lines;
}

std::optional<QString> ProjectValue(FieldKind kind, const QString& raw, const QStringList& words,
                                    const QString& projectFile)
{
    static const QRegularExpression colour(QStringLiteral("^[0-9A-Fa-f]{6}$"));
    static const QRegularExpression number(QStringLiteral("^[0-9]{0,9}$"));
    const QString value = DecodeCharRefs(raw);
    switch (kind) {
    case FieldKind::Text:
        return value;
    case FieldKind::Path:
        return ResolveProjectSource(projectFile, value);
    case FieldKind::FileName:
        return SafeFileName(value);
    case FieldKind::Page:
        return PageFileName(value);
    case FieldKind::Number:
        return number.match(value).hasMatch() ? std::optional(value) : std::nullopt;
    case FieldKind::Colour:
        return colour.match(value).hasMatch() ? std::optional(value) : std::nullopt;
    case FieldKind::Word:
        return words.contains(value) ? std::optional(value) : std::nullopt;
    case FieldKind::List:
        break;
    }
    return std::nullopt;
}

bool WriteProjectFile(Platform& platform, const QString& path, const QStringList& lines)
{
    // The write adds the last line's CR LF.
    if (WriteTextFile(path, lines.join(CRLF)))
        return true;
    platform.messageBox(msg::NotSaved(path), kRefusal, kTitle);
    return false;
}

}  // namespace toravi
