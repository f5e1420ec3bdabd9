#include "pictures/pictures.h"

#include "files/files.h"
#include "files/filewriter.h"
#include "pictures/imginf.h"
#include "platform/platform.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QRegularExpression>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace toravi {

QString CopyIntoImg(const QString& source, const QString& folder, bool* copied)
{
    const QString name = PageCopyName(source);
    const bool ok = !name.isEmpty() && CopyPicture({source, name}, folder);
    if (copied)
        *copied = ok;
    return name;
}

namespace {

// The pictures every page folder holds already.
const QStringList kMarkerNames = {QStringLiteral("ptrouge.gif"), QStringLiteral("transparentpixel.gif")};

// Two spellings of one file are one picture.
QString sameFileKey(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

// Names are compared as the file systems of Windows and macOS do, whatever
// the page is opened on.
bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QString clashText(const QString& first, const QString& second, const QString& name)
{
    return QStringLiteral("Les images %1 et %2 portent le même nom %3 : la page ne pourrait en montrer qu'une. "
                          "Renommez l'une des deux, puis choisissez-la à nouveau.")
        .arg(first, second, name);
}

QString markerText(const QString& source, const QString& name)
{
    return QStringLiteral("Le nom %1 est celui d'une image de Toravi : renommez l'image %2, puis choisissez-la à "
                          "nouveau.")
        .arg(name, source);
}


// The clash of `picture` with the pictures before it, as a message.
QString clashWith(const ProjectPicture& picture, const QList<ProjectPicture>& earlier)
{
    for (const QString& marker : kMarkerNames)
        if (sameName(picture.name, marker))
            return markerText(picture.source, picture.name);
    for (const ProjectPicture& other : earlier)
        if (!other.name.isEmpty() && sameName(other.name, picture.name) &&
            sameFileKey(other.source) != sameFileKey(picture.source))
            return clashText(other.source, picture.source, picture.name);
    return {};
}

}  // namespace

bool IsPicture(const QString& path)
{
    return IsRegularFile(path) && GetImageInfo(path).ImageType != IMG_FAIL;
}

namespace {

bool ShownAsItIs(const ImageInfo& info)
{
    return info.ImageType <= IMG_BMP || (info.ImageType == IMG_WEBP && !info.Animated && info.Orientation <= 1);
}

// Whether copies Toravi makes of the picture are JPEG: those of JPEG pictures (by
// their name, as ever), and of WebP and TIFF photos without transparency.
bool CopiesAsJpeg(const QString& source)
{
    const ImageInfo info = GetImageInfo(source);
    if (info.ImageType == IMG_WEBP || info.ImageType == IMG_TIFF)
        return !info.Alpha && !info.Drawing;
    static const QStringList jpeg = {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("jpe"),
                                     QStringLiteral("jfif")};
    const QString name = LastComponent(source);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && jpeg.contains(name.mid(dot + 1).toLower());
}

// Whether `name` is the whole copy of `source` in another format.
bool IsConvertedName(const QString& source, const QString& name)
{
    const QString own = SafeFileName(source);
    return !own.isEmpty() && (name == own + QStringLiteral(".jpg") || name == own + QStringLiteral(".png"));
}

}  // namespace

bool IsPagePicture(const QString& path)
{
    return IsRegularFile(path) && ShownAsItIs(GetImageInfo(path));
}

QString PageCopyName(const QString& source)
{
    const QString own = SafeFileName(source);
    if (own.isEmpty() || !IsPicture(source) || IsPagePicture(source))
        return own;
    return own + (CopiesAsJpeg(source) ? QStringLiteral(".jpg") : QStringLiteral(".png"));
}

QString ShownPictureName(const QString& source, const QString& name)
{
    if (name.isEmpty() || IsConvertedName(source, name) || ReducedCopySize(source, name).isValid() ||
        !IsPicture(source) || IsPagePicture(source))
        return name;
    return PageCopyName(source);
}

QString PictureFilter(bool png)
{
    return QStringLiteral("Fichiers gif (*.gif)|*.gif|Fichiers jpeg (*.jpg)|*.jpg|") +
           (png ? QStringLiteral("Fichiers png (*.png)|*.png|") : QString()) +
           QStringLiteral("Fichiers webp (*.webp)|*.webp|Fichiers tiff (*.tif;*.tiff)|*.tif;*.tiff|Tous (*.*)|*.*");
}

QString PictureRefusal(const QString& source, const QList<ProjectPicture>& others)
{
    if (!IsPicture(source))
        return msg::NotPicture(source);
    return clashWith({source, SafeFileName(source)}, others);
}

QString NameClash(const QList<ProjectPicture>& pictures)
{
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        if (pictures[i].name.isEmpty())
            continue;
        const QString clash = clashWith(pictures[i], pictures.mid(0, i));
        if (!clash.isEmpty())
            return clash;
    }
    return {};
}

QString ZeroSizeNotice(const QString& path)
{
    const ImageInfo info = GetImageInfo(path);
    if (info.ImageType == IMG_FAIL || (info.Width > 0 && info.Height > 0))
        return {};
    return QStringLiteral("L'image %1 a une taille nulle (%2 × %3) : elle n'apparaîtra pas dans la page. "
                          "Vérifiez qu'elle n'est pas abîmée, ou choisissez-en une autre.")
        .arg(path)
        .arg(info.Width)
        .arg(info.Height);
}

QStringList MissingCopies(const QString& folder, const QList<ProjectPicture>& pictures)
{
    QStringList missing;
    for (const ProjectPicture& p : pictures)
        if (!p.name.isEmpty() && !IsPagePicture(JoinPath(JoinPath(folder, QStringLiteral("img")), p.name)))
            missing << p.name;
    missing.removeDuplicates();
    return missing;
}

QString CopyProjectPictures(const QString& folder, const QList<ProjectPicture>& pictures)
{
    if (folder.isEmpty())
        return {};
    if (!QFileInfo(folder).isDir())
        return msg::NoWorkingFolder(folder);
    const WorkingFolderLock lock(folder);
    if (lock.busy())
        return msg::FolderBusy(folder);
    if (!MakeImgFolder(folder))
        return QStringLiteral("Le dossier %1 n'a pas pu être créé.").arg(JoinPath(folder, QStringLiteral("img")));
    const QString img = JoinPath(folder, QStringLiteral("img"));
    QStringList missing, problems;
    QList<ProjectPicture> taken;
    for (const ProjectPicture& p : pictures) {
        if (p.source.isEmpty() || p.name.isEmpty())
            continue;
        if (QFileInfo(p.source).exists() && !IsPicture(p.source)) {
            problems << msg::NotPicture(p.source);
            continue;
        }
        const QString clash = clashWith(p, taken);
        if (!clash.isEmpty()) {
            problems << clash;
            continue;
        }
        taken << p;
        // An earlier copy still serves the page, as long as it is a whole picture the page shows.
        if (!CopyPicture(p, folder) && !IsPagePicture(JoinPath(img, p.name)))
            missing << p.source;
    }
    missing.removeDuplicates();
    problems.removeDuplicates();
    if (!missing.isEmpty())
        problems.prepend(msg::NotCopied(missing, img));
    return problems.join(QLatin1Char('\r'));
}


QSize ShownSize(const QString& path)
{
    const ImageInfo info = GetImageInfo(path);
    return info.ImageType == IMG_FAIL ? QSize() : QSize(info.Width, info.Height);
}

QSize FitInto(QSize size, QSize place)
{
    if (size.isEmpty())
        return size;
    double k = 1;
    if (place.width() > 0)
        k = std::min(k, double(place.width()) / size.width());
    if (place.height() > 0)
        k = std::min(k, double(place.height()) / size.height());
    if (k >= 1)
        return size;
    return {std::max(1, int(std::lround(size.width() * k))), std::max(1, int(std::lround(size.height() * k)))};
}

QSize ReferenceCopySize(QSize size) { return FitInto(size, {kEditorFrameWidth, kEditorFrameHeight}); }

QSize SceneCopySize(QSize size) { return FitInto(size, {kSceneShownWidth, 0}); }

QSize ObjectCopySize(QSize size, QSize scene)
{
    // Objects may reach down as far as the scene is shown high (as the page's limits say).
    int sceneHeight = 0;
    if (!scene.isEmpty())
        sceneHeight = int((2LL * scene.height() * kSceneShownWidth + scene.width()) / (2LL * scene.width()));
    const QSize place(kObjectRowWidth, sceneHeight);
    if (size.isEmpty() || FitInto(size, place) == size)
        return size;
    // Objects cut from the scene photo keep their proportion to the scene shown.
    QSize scaled = size;
    if (scene.width() > kSceneShownWidth) {
        const double f = double(kSceneShownWidth) / scene.width();
        scaled = {std::max(1, int(std::lround(size.width() * f))), std::max(1, int(std::lround(size.height() * f)))};
    }
    return FitInto(scaled, place);
}

namespace {

QString imgFolder(const QString& folder) { return JoinPath(folder, QStringLiteral("img")); }

// Turns a picture stored as an EXIF orientation says to show it.
QImage Upright(const QImage& image, int orientation)
{
    const QTransform quarter = QTransform().rotate(90);
    switch (orientation) {
    case 2: return image.mirrored(true, false);
    case 3: return image.mirrored(true, true);
    case 4: return image.mirrored(false, true);
    case 5: return image.transformed(quarter).mirrored(true, false);
    case 6: return image.transformed(quarter);
    case 7: return image.transformed(quarter).mirrored(false, true);
    case 8: return image.transformed(QTransform().rotate(270));
    default: return image;
    }
}

}  // namespace

QImage ReadUprightPicture(const QString& source, QSize atLeast)
{
    QImageReader reader(source);
    reader.setAutoTransform(true);
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize stored = reader.size();
    // A JPEG is decoded at 1/2, 1/4 or 1/8 of its size when that still holds the copy; the rest is smooth scaling.
    if (reader.format() == "jpeg" && stored.isValid() && !atLeast.isEmpty()) {
        const QSize wanted = turned ? atLeast.transposed() : atLeast;
        int d = 8;
        while (d > 1 && ((stored.width() + d - 1) / d < wanted.width() || (stored.height() + d - 1) / d < wanted.height()))
            d /= 2;
        if (d > 1)
            reader.setScaledSize({(stored.width() + d - 1) / d, (stored.height() + d - 1) / d});
    }
    QImage image = reader.read();
    if (image.isNull())
        return image;
    // Qt turns JPEG and TIFF pictures upright, not WebP ones.
    const ImageInfo info = GetImageInfo(source);
    if (reader.transformation() == QImageIOHandler::TransformationNone && info.Orientation > 1)
        image = Upright(image, info.Orientation);
    return image;
}

QString ReducedCopyName(const QString& source, QSize size)
{
    const QString name = SafeFileName(source);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? name.left(dot) : name;
    return QStringLiteral("%1-%2x%3.%4")
        .arg(stem)
        .arg(size.width())
        .arg(size.height())
        .arg(CopiesAsJpeg(source) ? QStringLiteral("jpg") : QStringLiteral("png"));
}

QSize ReducedCopySize(const QString& source, const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("-([0-9]{1,5})x([0-9]{1,5})\\.(jpg|png)$"));
    const QRegularExpressionMatch m = pattern.match(name);
    if (source.isEmpty() || !m.hasMatch())
        return {};
    const QSize size(m.captured(1).toInt(), m.captured(2).toInt());
    // In either format: a picture edited since may have changed which one it would get.
    if (size.isEmpty() || ReducedCopyName(source, size).chopped(3) != name.chopped(3))
        return {};
    return size;
}

QString KeptPictureName(const QString& source, const QString& name)
{
    return ReducedCopySize(source, name).isValid() || IsConvertedName(source, name) ? name : PageCopyName(source);
}

bool MakePictureCopy(const QString& source, const QString& folder, const QString& name)
{
    const WorkingFolderLock lock(folder);
    const ImageInfo info = GetImageInfo(source);
    const QSize whole = info.ImageType == IMG_FAIL ? QSize() : QSize(info.Width, info.Height);
    const QSize reduced = ReducedCopySize(source, name), size = reduced.isValid() ? reduced : whole;
    // A project file may name any size: a copy is never larger than its picture.
    if (!(reduced.isValid() || IsConvertedName(source, name)) || size.isEmpty() || !whole.isValid() ||
        size.width() > whole.width() || size.height() > whole.height() || lock.busy() || !IsRegularFile(source) ||
        !MakeImgFolder(folder))
        return false;
    const QString target = JoinPath(imgFolder(folder), name);
    // Made already from the source as it is now: loading a project need not make it again.
    const QFileInfo made(target), from(source);
    if (made.isFile() && !made.isSymLink() && made.lastModified() >= from.lastModified() && ShownSize(target) == size)
        return true;

    QImage image = ReadUprightPicture(source, size);
    if (image.isNull())
        return false;
    const bool jpeg = name.endsWith(QStringLiteral(".jpg"));
    // Premultiplied, so that scaling does not bleed the colour of transparent pixels into the edges.
    const bool alpha = !jpeg && image.hasAlphaChannel();
    image = image.convertToFormat(alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32)
                .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (alpha)
        image = image.convertToFormat(QImage::Format_ARGB32);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, jpeg ? "jpeg" : "png");
    if (jpeg) {
        // A whole copy stands for the picture itself; a reduced one is for light pages.
        writer.setQuality(reduced.isValid() ? 75 : 90);
        writer.setOptimizedWrite(true);
    }
    return writer.write(image) && WriteFileAtomically(target, bytes);
}

bool CopyPicture(const ProjectPicture& picture, const QString& folder)
{
    if (ReducedCopySize(picture.source, picture.name).isValid() || IsConvertedName(picture.source, picture.name))
        return MakePictureCopy(picture.source, folder, picture.name);
    const WorkingFolderLock lock(folder);
    return !picture.name.isEmpty() && !lock.busy() && IsPagePicture(picture.source) && MakeImgFolder(folder) &&
           CopyFileReplacing(picture.source, JoinPath(imgFolder(folder), picture.name));
}

QString TakeReducedCopy(const QString& source, QString& name, QSize size, QSize reduced, const QString& folder)
{
    if (name.isEmpty() || size.isEmpty() || reduced == size || ReducedCopySize(source, name).isValid())
        return {};
    const QString before = name;
    name = ReducedCopyName(source, reduced);
    MakePictureCopy(source, folder, name);
    return before;
}

void DropReplacedCopies(const QString& folder, const QStringList& replaced, const QList<ProjectPicture>& pictures)
{
    const WorkingFolderLock lock(folder);
    if (folder.isEmpty() || lock.busy())
        return;
    for (const QString& name : replaced) {
        const QString copy = JoinPath(imgFolder(folder), name);
        // A picture chosen from img itself is the teacher's own: it stays.
        bool kept = name.isEmpty() || SafeFileName(name) != name;
        for (const ProjectPicture& p : pictures)
            kept = kept || sameName(p.name, name) || sameFileKey(p.source) == sameFileKey(copy);
        if (!kept)
            QFile::remove(copy);
    }
}

QString ReducedCopyOffer(const QString& source, QSize size, QSize reduced)
{
    return QStringLiteral("L'image %1 mesure %2 × %3 pixels : elle est plus grande que sa place dans la page.")
               .arg(source)
               .arg(size.width())
               .arg(size.height()) +
           QLatin1Char('\r') +
           QStringLiteral("Voulez-vous utiliser une copie réduite de %1 × %2 pixels ? Votre image ne sera pas "
                          "modifiée.")
               .arg(reduced.width())
               .arg(reduced.height());
}

QString NameForPlace(Platform& platform, const QString& source, QSize size, QSize reduced)
{
    if (size.isEmpty() || reduced == size ||
        platform.messageBox(ReducedCopyOffer(source, size, reduced), MB_YESNO | MB_ICONQUESTION, kTitle) != IDYES)
        return PageCopyName(source);
    return ReducedCopyName(source, reduced);
}


QImage ExifThumbnail(const QString& path, QSize shown)
{
    // The EXIF block sits near the start and is at most 64 KiB.
    QFile file(path);
    if (!IsRegularFile(path) || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(128 * 1024);
    const auto* d = reinterpret_cast<const uchar*>(head.constData());
    const qint64 n = head.size();
    if (n < 4 || d[0] != 0xFF || d[1] != 0xD8)
        return {};
    qint64 q = 2, t = -1, end = 0;
    while (q + 4 <= n && d[q] == 0xFF) {
        const int marker = d[q + 1];
        if (marker == 0xFF) {  // fill byte
            ++q;
            continue;
        }
        if (marker == 0xDA || (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xCC))
            return {};  // the picture itself begins: no EXIF block before it
        const qint64 length = qint64(d[q + 2]) << 8 | d[q + 3];
        if (marker == 0xE1 && length >= 16 && q + 10 <= n && std::memcmp(d + q + 4, "Exif\0\0", 6) == 0) {
            t = q + 10;
            end = std::min(n, q + 2 + length);
            break;
        }
        q += 2 + length;
    }
    if (t < 0 || t + 8 > end || !(d[t] == d[t + 1] && (d[t] == 'I' || d[t] == 'M')))
        return {};
    const bool big = d[t] == 'M';
    // Offsets count from the TIFF header; nothing is read outside the block.
    auto u16 = [&](qint64 at) -> quint32 {
        if (at < 0 || t + at + 2 > end)
            return 0;
        const uchar* p = d + t + at;
        return big ? quint32(p[0]) << 8 | p[1] : quint32(p[1]) << 8 | p[0];
    };
    auto u32 = [&](qint64 at) -> quint32 { return big ? u16(at) << 16 | u16(at + 2) : u16(at + 2) << 16 | u16(at); };
    // A tag's value (SHORT or LONG) in a directory; 0 when it has none.
    auto tag = [&](qint64 ifd, quint32 wanted) -> quint32 {
        const quint32 count = std::min<quint32>(u16(ifd), 512);
        for (quint32 i = 0; i < count; ++i) {
            const qint64 e = ifd + 2 + 12 * qint64(i);
            if (u16(e) == wanted)
                return u16(e + 2) == 3 ? u16(e + 8) : u32(e + 8);
        }
        return 0;
    };
    const qint64 ifd0 = u32(4);
    const quint32 orientation = tag(ifd0, 0x0112);
    const qint64 ifd1 = u32(ifd0 + 2 + 12 * qint64(u16(ifd0)));
    if (ifd1 <= 0)
        return {};
    const qint64 offset = tag(ifd1, 0x0201), length = tag(ifd1, 0x0202);
    if (offset <= 0 || length <= 0 || t + offset + length > end)
        return {};
    QImage thumbnail;
    if (!thumbnail.loadFromData(d + t + offset, int(length), "JPEG"))
        return {};
    thumbnail = Upright(thumbnail, orientation >= 1 && orientation <= 8 ? int(orientation) : 1);
    // Some cameras pad their thumbnails with bands: only one of the picture's own proportions serves.
    const QSize picture = ShownSize(path);
    const QSize small = thumbnail.size();
    if (picture.isEmpty() || small.width() < shown.width() || small.height() < shown.height() ||
        std::abs(qint64(small.width()) * picture.height() - qint64(small.height()) * picture.width()) * 50 >
            qint64(small.width()) * picture.height())
        return {};
    return thumbnail;
}

namespace msg {
QString NotPicture(const QString& source)
{
    const QString format = UnreadFormatName(source);
    if (format.isEmpty())
        return QStringLiteral("Le fichier %1 n'est pas une image PNG, GIF, JPEG, BMP, WebP ou TIFF : il n'a pas été "
                              "copié.")
            .arg(source);
    // WebP and TIFF are read but for a few kinds: "une image TIFF d'une sorte que…".
    const bool kind = format == QLatin1String("WebP") || format == QLatin1String("TIFF");
    QString text = QStringLiteral("Le fichier %1 est une image %2%3 que Toravi ne sait pas lire : il n'a pas été "
                                  "copié. Ouvrez-la dans votre visionneuse de photos ou votre logiciel d'images, "
                                  "enregistrez-la en JPEG (ou en PNG pour un dessin), puis choisissez cette copie.")
                       .arg(source, format, kind ? QStringLiteral(" d'une sorte") : QStringLiteral(","));
    if (format == QLatin1String("HEIC") || format == QLatin1String("HEIF"))
        text += QStringLiteral(" Sur l'iPhone, Réglages > Appareil photo > Formats > « Le plus compatible » donne "
                               "des photos JPEG.");
    return text;
}
}  // namespace msg

}  // namespace toravi
