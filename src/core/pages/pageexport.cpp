#include "pages/pageexport.h"

#include "files/files.h"
#include "files/filewriter.h"
#include "files/textfile.h"
#include "pages/escaping.h"
#include "platform/platform.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <ctime>
#include <optional>
#include <zip.h>

namespace toravi {

namespace {

const QString kScormScript = QStringLiteral("scorm.js");

QString joinRelative(QString folder, const QString& relative)
{
    for (const QString& part : relative.split(QLatin1Char('/')))
        folder = JoinPath(folder, part);
    return folder;
}

std::optional<QByteArray> readWhole(const QString& path)
{
    QFile f(path);
    if (!IsRegularFile(path) || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = f.readAll();
    if (f.error() != QFile::NoError)
        return std::nullopt;
    return bytes;
}

// A file the page names, as the module gives it or as it lies in the folder.
struct Resolved {
    QByteArray bytes;
    QString text;  // for the files the module writes as text
    bool isText = false;
};

class Resolver {
public:
    Resolver(const QString& folder, const QList<PageFile>& files, const QString& other)
        : folder_(folder), files_(files), other_(other)
    {
    }
    std::optional<Resolved> find(const QString& relative) const
    {
        const QString path = joinRelative(folder_, relative);
        for (const PageFile& f : files_) {
            if (f.path != path)
                continue;
            if (f.copyFrom.isEmpty())
                return Resolved{TextFileBytes(f.text), f.text, true};
            if (auto bytes = readWhole(f.copyFrom))
                return Resolved{*bytes, {}, false};
            return std::nullopt;
        }
        for (const QString& root : {folder_, other_})
            if (!root.isEmpty())
                if (auto bytes = readWhole(joinRelative(root, relative)))
                    return Resolved{*bytes, {}, false};
        return std::nullopt;
    }

private:
    QString folder_;
    const QList<PageFile>& files_;
    QString other_;
};

// The file a page address names: entities and percent-encoding undone; only
// plain relative addresses inside the page's folder.
QString addressTarget(QString address)
{
    address.replace(QLatin1String("&quot;"), QLatin1String("\"")).replace(QLatin1String("&amp;"), QLatin1String("&"));
    const QString path = QUrl::fromPercentEncoding(address.toUtf8());
    if (path.isEmpty() || path.contains(QLatin1Char(':')) || path.startsWith(QLatin1Char('/')) ||
        path.contains(QLatin1Char('\\')) || path.split(QLatin1Char('/')).contains(QLatin1String("..")))
        return {};
    return path;
}

QString pictureType(const QByteArray& b)
{
    if (b.startsWith("\x89PNG"))
        return QStringLiteral("image/png");
    if (b.startsWith("GIF8"))
        return QStringLiteral("image/gif");
    if (b.startsWith("\xFF\xD8"))
        return QStringLiteral("image/jpeg");
    if (b.startsWith("BM"))
        return QStringLiteral("image/bmp");
    if (b.startsWith("RIFF") && b.mid(8, 4) == "WEBP")
        return QStringLiteral("image/webp");
    return QStringLiteral("application/octet-stream");
}

// Pictures live in img: src="img/..." and url(img/...).
const QRegularExpression& pictureAddresses()
{
    static const QRegularExpression re(QStringLiteral("(\\bsrc=\"|\\burl\\()(img/[^\")]*)"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QRegularExpression& scriptTags()
{
    static const QRegularExpression re(QStringLiteral("<script([^>]*?)\\s+src=\"([^\"]*)\"([^>]*)>\\s*</script>"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

// A script's text inside the page: nothing in it may end the element early.
QString inlineScript(QString js)
{
    static const QRegularExpression end(QStringLiteral("</(script)"), QRegularExpression::CaseInsensitiveOption);
    js.replace(end, QStringLiteral("<\\/\\1"));
    js.replace(QLatin1String("<!--"), QLatin1String("<\\!--"));
    return js;
}

QString documentType(const QString& name)
{
    static const QHash<QString, QString> types = {
        {QStringLiteral("htm"), QStringLiteral("text/html")},
        {QStringLiteral("html"), QStringLiteral("text/html")},
        {QStringLiteral("txt"), QStringLiteral("text/plain")},
        {QStringLiteral("pdf"), QStringLiteral("application/pdf")},
        {QStringLiteral("rtf"), QStringLiteral("application/rtf")},
        {QStringLiteral("doc"), QStringLiteral("application/msword")},
        {QStringLiteral("docx"), QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.document")},
        {QStringLiteral("odt"), QStringLiteral("application/vnd.oasis.opendocument.text")},
        {QStringLiteral("ods"), QStringLiteral("application/vnd.oasis.opendocument.spreadsheet")},
        {QStringLiteral("odp"), QStringLiteral("application/vnd.oasis.opendocument.presentation")},
        {QStringLiteral("png"), QStringLiteral("image/png")},
        {QStringLiteral("gif"), QStringLiteral("image/gif")},
        {QStringLiteral("jpg"), QStringLiteral("image/jpeg")},
        {QStringLiteral("jpeg"), QStringLiteral("image/jpeg")},
        {QStringLiteral("bmp"), QStringLiteral("image/bmp")}};
    return types.value(QFileInfo(name).suffix().toLower(), QStringLiteral("application/octet-stream"));
}

// The documents a page opens in a window of their own (the help document) go
// inside too: window.open is given them as blob: addresses, which browsers
// open where they refuse to open data: ones.
QString documentOpener(const QString& folder, const QList<PageFile>& files, const Resolver& resolver)
{
    const QString root = JoinPath(folder, QString());
    QStringList entries;
    for (const PageFile& f : files.mid(1)) {
        const QString name = f.path.mid(root.size()).replace(PathSeparator(), QLatin1Char('/'));
        if (f.copyFrom.isEmpty() || !f.path.startsWith(root) || name.startsWith(QLatin1String("img/")))
            continue;
        if (const auto found = resolver.find(name))
            entries << QStringLiteral("\"%1\": [\"%2\", \"%3\"]")
                           .arg(UrlFileName(name).replace(QLatin1Char('\\'), QLatin1String("\\\\"))
                                    .replace(QLatin1Char('"'), QLatin1String("\\\"")),
                                documentType(name), QString::fromLatin1(found->bytes.toBase64()));
    }
    if (entries.isEmpty())
        return {};
    return QStringLiteral("<script type=\"text/javascript\">") + CRLF +
           QStringLiteral("(function () {") + CRLF +
           QStringLiteral("   var files = {") + entries.join(QStringLiteral(", ")) + QStringLiteral("};") + CRLF +
           QStringLiteral("   var open = window.open;") + CRLF +
           QStringLiteral("   window.open = function (url) {") + CRLF +
           QStringLiteral("      var f = files[url];") + CRLF +
           QStringLiteral("      if (f && window.Blob && window.URL) {") + CRLF +
           QStringLiteral("         var text = atob(f[1]), bytes = new Uint8Array(text.length);") + CRLF +
           QStringLiteral("         for (var i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);") + CRLF +
           QStringLiteral("         arguments[0] = URL.createObjectURL(new Blob([bytes], { type: f[0] }));") + CRLF +
           QStringLiteral("      }") + CRLF +
           QStringLiteral("      return open.apply(window, arguments);") + CRLF +
           QStringLiteral("   };") + CRLF +
           QStringLiteral("})();") + CRLF +
           QStringLiteral("</script>");
}

// The page with its scripts inside and its pictures as data: addresses. The
// addresses join the page's bytes last, so that megabytes of base64 are never
// walked character by character.
QByteArray singleFileBytes(QString page, const QString& folder, const QList<PageFile>& list, const Resolver& files)
{
    if (const QString opener = documentOpener(folder, list, files); !opener.isEmpty()) {
        static const QRegularExpression head(QStringLiteral("<head>"), QRegularExpression::CaseInsensitiveOption);
        const auto m = head.match(page);
        page.insert(m.hasMatch() ? m.capturedEnd() : 0, CRLF + opener);
    }
    QString out;
    qsizetype from = 0;
    for (auto it = scriptTags().globalMatch(page); it.hasNext();) {
        const auto m = it.next();
        const auto found = files.find(addressTarget(m.captured(2)));
        if (!found)
            continue;
        const QString js = found->isText ? found->text : DecodeWindows1252(found->bytes);
        out += page.mid(from, m.capturedStart(0) - from) + QStringLiteral("<script") + m.captured(1) + m.captured(3) +
               QLatin1Char('>') + CRLF + inlineScript(js) + QStringLiteral("</script>");
        from = m.capturedEnd(0);
    }
    page = out + page.mid(from);
    out.clear();
    from = 0;
    // Each picture's place is held by a mark ("\x01" index "\x02") until the page is
    // bytes; the page's own text cannot hold one.
    page.replace(QChar(1), QChar(0xFFFD));
    QList<QByteArray> addresses;
    for (auto it = pictureAddresses().globalMatch(page); it.hasNext();) {
        const auto m = it.next();
        const auto found = files.find(addressTarget(m.captured(2)));
        if (!found)
            continue;
        out += page.mid(from, m.capturedStart(2) - from) + QLatin1Char('\x01') + QString::number(addresses.size()) +
               QLatin1Char('\x02');
        addresses << "data:" + pictureType(found->bytes).toLatin1() + ";base64," + found->bytes.toBase64();
        from = m.capturedEnd(2);
    }
    const QByteArray bytes = TextFileBytes(out + page.mid(from));
    qsizetype total = bytes.size();
    for (const QByteArray& a : addresses)
        total += a.size();
    QByteArray result;
    result.reserve(total);
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype mark = bytes.indexOf('\x01', at);
        const qsizetype end = mark < 0 ? -1 : bytes.indexOf('\x02', mark);
        bool ok = false;
        const int index = end < 0 ? -1 : bytes.mid(mark + 1, end - mark - 1).toInt(&ok);
        if (!ok || index < 0 || index >= addresses.size()) {
            const qsizetype stop = mark < 0 ? bytes.size() : mark + 1;
            result.append(bytes.constData() + at, stop - at);
            at = stop;
            continue;
        }
        result.append(bytes.constData() + at, mark - at).append(addresses[index]);
        at = end + 1;
    }
    return result;
}

QString xmlText(QString text)
{
    return text.replace(QLatin1Char('&'), QLatin1String("&amp;"))
        .replace(QLatin1Char('<'), QLatin1String("&lt;"))
        .replace(QLatin1Char('>'), QLatin1String("&gt;"))
        .replace(QLatin1Char('"'), QLatin1String("&quot;"));
}

QString pageTitle(const QString& page, const QString& fallback)
{
    static const QRegularExpression re(QStringLiteral("<title>(.*?)</title>"),
                                       QRegularExpression::CaseInsensitiveOption |
                                           QRegularExpression::DotMatchesEverythingOption);
    QString title = re.match(page).captured(1).simplified();
    title.replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">"))
        .replace(QLatin1String("&quot;"), QLatin1String("\""))
        .replace(QLatin1String("&amp;"), QLatin1String("&"));
    return title.isEmpty() ? fallback : title;
}

QString uriPath(const QString& path) { return QString::fromLatin1(QUrl::toPercentEncoding(path, "/")); }

QString manifest(const QString& title, const QString& page, const QStringList& names)
{
    // Stable for one exercise, different from another's.
    const QString id = QStringLiteral("toravi-") +
                       QString::fromLatin1(QCryptographicHash::hash((page + QLatin1Char('\n') + title).toUtf8(),
                                                                    QCryptographicHash::Sha1)
                                               .toHex()
                                               .left(12));
    QString files;
    for (const QString& n : names)
        files += QStringLiteral("      <file href=\"%1\"/>\n").arg(xmlText(uriPath(n)));
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<manifest identifier=\"%1\" version=\"1.0\"\n"
               "          xmlns=\"http://www.imsproject.org/xsd/imscp_rootv1p1p2\"\n"
               "          xmlns:adlcp=\"http://www.adlnet.org/xsd/adlcp_rootv1p2\"\n"
               "          xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
               "          xsi:schemaLocation=\"http://www.imsproject.org/xsd/imscp_rootv1p1p2 imscp_rootv1p1p2.xsd "
               "http://www.imsglobal.org/xsd/imsmd_rootv1p2p1 imsmd_rootv1p2p1.xsd "
               "http://www.adlnet.org/xsd/adlcp_rootv1p2 adlcp_rootv1p2.xsd\">\n"
               "  <metadata>\n"
               "    <schema>ADL SCORM</schema>\n"
               "    <schemaversion>1.2</schemaversion>\n"
               "  </metadata>\n"
               "  <organizations default=\"exercice\">\n"
               "    <organization identifier=\"exercice\">\n"
               "      <title>%2</title>\n"
               "      <item identifier=\"page\" identifierref=\"fichiers\" isvisible=\"true\">\n"
               "        <title>%2</title>\n"
               "      </item>\n"
               "    </organization>\n"
               "  </organizations>\n"
               "  <resources>\n"
               "    <resource identifier=\"fichiers\" type=\"webcontent\" adlcp:scormtype=\"sco\" href=\"%3\">\n"
               "%4"
               "    </resource>\n"
               "  </resources>\n"
               "</manifest>\n")
        .arg(id, xmlText(title), xmlText(uriPath(page)), files);
}

// The same date on every entry, whatever the day and the time zone: libzip
// writes local time, so it is given as local noon.
time_t fixedZipTime()
{
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 0;
    t.tm_mday = 1;
    t.tm_hour = 12;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

QByteArray zipBytes(const QList<std::pair<QString, QByteArray>>& entries)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* out = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* za = out ? zip_open_from_source(out, ZIP_TRUNCATE, &error) : nullptr;
    zip_error_fini(&error);
    if (!za) {
        zip_source_free(out);
        return {};
    }
    zip_source_keep(out);
    const time_t when = fixedZipTime();
    bool ok = true;
    for (const auto& [name, bytes] : entries) {
        zip_source_t* s = zip_source_buffer(za, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        const zip_int64_t i = s ? zip_file_add(za, name.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8) : -1;
        if (i < 0) {
            zip_source_free(s);
            ok = false;
            break;
        }
        // Pictures are compressed already.
        const bool picture = pictureType(bytes) != QLatin1String("application/octet-stream");
        ok = zip_set_file_compression(za, zip_uint64_t(i), picture ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0) == 0 &&
             zip_file_set_mtime(za, zip_uint64_t(i), when, 0) == 0 &&
             zip_file_set_external_attributes(za, zip_uint64_t(i), 0, ZIP_OPSYS_UNIX, 0100644u << 16) == 0;
        if (!ok)
            break;
    }
    if (!ok || zip_close(za) < 0) {
        zip_discard(za);
        zip_source_free(out);
        return {};
    }
    QByteArray result;
    if (zip_source_open(out) == 0) {
        char buffer[64 * 1024];
        zip_int64_t n;
        while ((n = zip_source_read(out, buffer, sizeof buffer)) > 0)
            result.append(buffer, qsizetype(n));
        if (n < 0)
            result.clear();
        zip_source_close(out);
    }
    zip_source_free(out);
    return result;
}

QString scormScript()
{
    static const QString text = [] {
        QFile f(QStringLiteral(":/toravi/scorm.js"));
        if (!f.open(QIODevice::ReadOnly))
            return QString();
        QString js = QString::fromUtf8(f.readAll());
        js.remove(QLatin1Char('\r'));
        return js.replace(QLatin1Char('\n'), CRLF);
    }();
    return text;
}

QByteArray scormPackage(const QString& folder, const QList<PageFile>& files, const Resolver& resolver)
{
    const QString pagePath = files.value(0).path;
    const QString pageName = QFileInfo(pagePath).fileName();
    QString page = files.value(0).text;
    // The platform's script first, so that the page's own scripts find it.
    static const QRegularExpression head(QStringLiteral("<head>"), QRegularExpression::CaseInsensitiveOption);
    const auto m = head.match(page);
    const qsizetype at = m.hasMatch() ? m.capturedEnd() : 0;
    page.insert(at, CRLF + QStringLiteral("<script type=\"text/javascript\" src=\"") + kScormScript +
                        QStringLiteral("\"></script>"));

    // The files the page names, in its order, then the module's other files.
    QStringList names;
    for (const QRegularExpression* re : {&scriptTags(), &pictureAddresses()})
        for (auto it = re->globalMatch(page); it.hasNext();) {
            const QString target = addressTarget(it.next().captured(2));
            if (!target.isEmpty() && !names.contains(target))
                names << target;
        }
    const QString root = JoinPath(folder, QString());
    for (const PageFile& f : files.mid(1)) {
        const QString name = f.path.mid(root.size()).replace(PathSeparator(), QLatin1Char('/'));
        if (f.path.startsWith(root) && !names.contains(name))
            names << name;
    }
    QList<std::pair<QString, QByteArray>> entries;
    entries.append({pageName, TextFileBytes(page)});
    for (const QString& name : names) {
        if (name == kScormScript) {
            entries.append({name, TextFileBytes(scormScript())});
        } else if (name != pageName) {
            if (const auto found = resolver.find(name))
                entries.append({name, found->bytes});
        }
    }
    QStringList listed;
    for (const auto& e : entries)
        listed << e.first;
    entries.prepend({QStringLiteral("imsmanifest.xml"),
                     manifest(pageTitle(page, QFileInfo(pageName).completeBaseName()), pageName, listed).toUtf8()});
    return zipBytes(entries);
}

QString megabytes(qint64 bytes)
{
    return QLocale(QLocale::French).toString(double(bytes) / (1024 * 1024), 'f', 1) + QStringLiteral(" Mo");
}

bool isFolderPage(const QString& target, const QString& folder, const QString& pageName)
{
    const QString page = JoinPath(folder, PageFileName(pageName));
    const QFileInfo a(target), b(page);
    // Windows names one file whatever the case of its letters.
    const Qt::CaseSensitivity cs = PathSeparator() == QLatin1Char('\\') ? Qt::CaseInsensitive : Qt::CaseSensitive;
    return a.absoluteFilePath().compare(b.absoluteFilePath(), cs) == 0 ||
           (!a.canonicalFilePath().isEmpty() && a.canonicalFilePath().compare(b.canonicalFilePath(), cs) == 0);
}

}  // namespace

QByteArray ExportBytes(PageExport kind, const QString& folder, const QList<PageFile>& files, const QString& otherFolder)
{
    if (files.isEmpty())
        return {};
    const Resolver resolver(folder, files, otherFolder);
    if (kind == PageExport::SingleFile)
        return singleFileBytes(files.first().text, folder, files, resolver);
    return scormPackage(folder, files, resolver);
}

FileDialogRequest ExportDialog(PageExport kind, const QString& folder)
{
    if (kind == PageExport::SingleFile)
        return {folder, QStringLiteral("htm"), QStringLiteral("Pages Web (*.htm)|*.htm|Tous (*.*)|*.*"),
                QStringLiteral("Créer la page en un seul fichier")};
    return {folder, QStringLiteral("zip"), QStringLiteral("Paquets SCORM (*.zip)|*.zip|Tous (*.*)|*.*"),
            QStringLiteral("Exporter pour la plateforme (SCORM)")};
}

bool ExportPage(Platform& platform, PageExport kind, const QString& target, const QString& folder,
                const QString& pageName, const QList<ProjectPicture>& pictures, const PageFilesBuilder& build)
{
    QString refusal = PublishRefusal(folder, pageName, pictures);
    if (!refusal.isEmpty()) {
        platform.messageBox(refusal, kRefusal, kTitle);
        return false;
    }
    const QString file = target.isEmpty() ? platform.saveFile(ExportDialog(kind, folder)) : target;
    if (file.isEmpty())
        return false;
    if (isFolderPage(file, folder, pageName))
        refusal = msg::ExportIsFolderPage(file);
    const WorkingFolderLock lock(refusal.isEmpty() ? folder : QString());
    if (lock.busy())
        refusal = msg::FolderBusy(folder);
    if (!refusal.isEmpty()) {
        platform.messageBox(refusal, kRefusal, kTitle);
        return false;
    }
    QByteArray bytes = ExportBytes(kind, folder, build(folder, false));
    if (bytes.size() > kHeavyExportBytes) {
        // The reduced copies are made aside: the project and its folder stay as they are.
        QTemporaryDir aside;
        QByteArray lighter;
        if (aside.isValid() && QDir().mkpath(aside.filePath(QStringLiteral("img")))) {
            const QString scratch = QDir::toNativeSeparators(aside.path());
            for (const ProjectPicture& p : pictures)
                if (!p.name.isEmpty())
                    QFile::copy(JoinPath(JoinPath(folder, QStringLiteral("img")), p.name),
                                JoinPath(JoinPath(scratch, QStringLiteral("img")), p.name));
            lighter = ExportBytes(kind, scratch, build(scratch, true), folder);
        }
        const QString heavy = QStringLiteral("Le fichier %1 ferait %2 : il serait long à envoyer et à ouvrir, et une "
                                             "plateforme peut le refuser.")
                                  .arg(file, megabytes(bytes.size()));
        if (!lighter.isEmpty() && lighter.size() < bytes.size() * 9 / 10) {
            const int answer = platform.messageBox(
                heavy + QStringLiteral("\r\rAvec des copies réduites des images, à la taille où la page les montre, "
                                       "il ferait %1.\r\rVoulez-vous utiliser les copies réduites ?")
                            .arg(megabytes(lighter.size())),
                MB_YESNOCANCEL | MB_ICONEXCLAMATION, kTitle);
            if (answer == IDCANCEL)
                return false;
            if (answer == IDYES)
                bytes = lighter;
        } else if (platform.messageBox(heavy + QStringLiteral("\r\rVoulez-vous le créer quand même ?"),
                                       MB_OKCANCEL | MB_ICONEXCLAMATION, kTitle) == IDCANCEL) {
            return false;
        }
    }
    if (bytes.isEmpty() || !WriteFileAtomically(file, bytes)) {
        platform.messageBox(msg::NotSaved(file), kRefusal, kTitle);
        return false;
    }
    if (kind == PageExport::SingleFile) {
        OfferToOpenPage(platform, file);
    } else if (platform.messageBox(QStringLiteral("Le paquet SCORM %1 a été créé.\rDéposez-le tel quel dans la "
                                                  "plateforme, comme activité « Paquetage SCORM ».\r\r"
                                                  "Voulez-vous ouvrir le dossier où il se trouve ?")
                                       .arg(file),
                                   kOffer, kTitle) == IDYES) {
        platform.shellOpen(QFileInfo(file).absolutePath());
    }
    return true;
}

namespace msg {
QString ExportIsFolderPage(const QString& path)
{
    return QStringLiteral("Le fichier %1 est la page du dossier de travail : choisissez un autre nom ou un autre "
                          "dossier.")
        .arg(path);
}
}  // namespace msg

}  // namespace toravi
