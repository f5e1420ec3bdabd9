// Picture sizes read from headers, on pictures built byte by byte and made by real encoders.
#include "pictures/imginf.h"
#include "support/testsupport.h"

#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

using namespace toravi;
using namespace toravi::test;

namespace {
// What the reader found, as "png 300x200x8" (width, height, depth) with what decides a WebP or
// TIFF copy (alpha, drawing, moving, orientation 6), or "fail" with the format it names.
QString Describe(const QString& path)
{
    const ImageInfo i = GetImageInfo(path);
    const QString t = QStringList{"none", "png", "gif", "jpg", "bmp", "webp", "tiff"}.value(i.ImageType);
    if (i.ImageType == IMG_FAIL)
        return QString("fail %1").arg(UnreadFormatName(path)).trimmed();
    return QString("%1 %2x%3x%4").arg(t).arg(i.Width).arg(i.Height).arg(int(i.Depth)) + (i.Alpha ? " alpha" : "") +
           (i.Drawing ? " drawing" : "") + (i.Animated ? " moving" : "") +
           (i.Orientation > 1 ? QString(" o%1").arg(i.Orientation) : "");
}
QByteArray Fixture(const char* name) { return ReadBytes(DataFolder() + "/pictures/" + name); }
// ExifData(6) with `with` written at data offset `at`, then cut to `cut` bytes, in a 640 x 480 JPEG.
QByteArray PatchedExif(int at, const QByteArray& with, int cut = 1000)
{
    return CameraJpegBytes(640, 480, ExifData(6).replace(at, with.size(), with).left(cut));
}
}  // namespace

class TestImgInf : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString file(const QString& n, const QByteArray& b)
    {
        return WriteBytes(dir.filePath(n), b) ? dir.filePath(n) : "";
    }
    static void row(const char* tag, const QByteArray& b, const char* found) { QTest::newRow(tag) << b << found; }

private slots:
    void headers_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("found");
        // PNG: depth by colour type; only the two low bytes of each size are read.
        row("png grey 8", PngBytes(300, 200, 8, 0), "png 300x200x8");
        row("png truecolour 8", PngBytes(300, 200, 8, 2), "png 300x200x24");
        row("png palette 4 bits counts as 8", PngBytes(300, 200, 4, 3), "png 300x200x8");
        row("png grey alpha 16", PngBytes(300, 200, 16, 4), "png 300x200x32");
        row("png rgba 8", PngBytes(300, 200, 8, 6), "png 300x200x32");
        row("png rgba 16", PngBytes(300, 200, 16, 6), "png 300x200x64");
        row("png unknown colour type", PngBytes(300, 200, 8, 5), "fail");
        row("png depth above 255", PngBytes(300, 200, 128, 6), "fail");
        row("png 32767 wide", PngBytes(32767, 10), "png 32767x10x32");
        row("png 32768 wide does not fit", PngBytes(32768, 10), "fail");
        row("png 65535 high does not fit", PngBytes(10, 65535), "fail");
        row("png 70000 (0x11170) wide reads 4464", PngBytes(70000, 10), "png 4464x10x32");
        row("png fourth byte free", PngBytes(40, 30).replace(3, 1, "X"), "png 40x30x32");  // the "G" plays no part
        row("png cut before its height", PngBytes(300, 200).left(20), "png 300x0x0");
        row("gif", GifBytes(640, 480, 0xF7), "gif 640x480x8");
        row("gif depth 1", GifBytes(1, 1, 0x80), "gif 1x1x1");
        row("gif too wide", GifBytes(40000, 1), "fail");
        row("bmp", BmpBytes(640, 480, 24), "bmp 640x480x24");
        row("bmp top-down (negative height)", BmpBytes(640, -480, 24), "fail");
        row("jpeg", JpegBytes(1024, 768), "jpg 1024x768x24");
        row("jpeg progressive", JpegBytes(800, 600, 3, 0xC2), "jpg 800x600x24");
        row("jpeg grey", JpegBytes(10, 20, 1), "jpg 10x20x8");
        row("jpeg C7 frame runs to the end", JpegBytes(10, 20, 3, 0xC7), "fail");
        row("jpeg 32 components, depth 256", JpegBytes(10, 20, 32), "fail");
        row("jpeg cut before its first marker", JpegBytes(300, 200).left(2), "fail");
        // A lone FF is no start, nor FF D8 without FF.
        const QByteArray junk = QByteArray(5000, 'x').replace(100, 1, "\xFF").replace(200, 2, "\xFF\xD8");
        row("jpeg after other data", junk + JpegBytes(321, 123), "jpg 321x123x24");
        row("png too wide, then a jpeg", PngBytes(40000, 1) + JpegBytes(7, 9), "jpg 7x9x24");
        row("text file", "Bonjour, ceci n'est pas une image.\r\n", "fail");
        row("empty", QByteArray(), "fail");
        // The start search reads growing windows: put the start run across each edge.
        for (int edge : {4096, 4096 + 65536 - 2, 4096 + 65536 + (1 << 20) - 4})
            for (int at = edge - 3; at <= edge; ++at)
                QTest::addRow("jpeg start at %d", at) << QByteArray(at, '\0') + JpegBytes(55, 66) << "jpg 55x66x24";
        // Photos: orientations 5 to 8 turn them a quarter, as browsers show them.
        for (bool big : {false, true})
            for (int o = 0; o <= 8; ++o)
                QTest::addRow("exif %s orientation %d", big ? "MM" : "II", o)
                    << CameraJpegBytes(640, 480, ExifData(o, big)) << (o >= 5 ? "jpg 480x640x24" : "jpg 640x480x24");
        // Cameras keep a thumbnail with its own frame in the EXIF block; the walk steps over it.
        const QByteArray thumb = ExifData(6) + JpegBytes(160, 120) + QByteArray(30000, '\xFF');
        row("exif thumbnail before the frame", CameraJpegBytes(640, 480, thumb), "jpg 480x640x24");
        row("exif block of 65 kB, turned", CameraJpegBytes(640, 480, ExifData(6) + QByteArray(65000, 'x')), "jpg 480x640x24");
        row("exif value 9 counts as 1", PatchedExif(36, "\x09"), "jpg 640x480x24");
        row("exif orientation as LONG", PatchedExif(30, "\x04"), "jpg 640x480x24");
        row("exif orientation with 2 values", PatchedExif(32, "\x02"), "jpg 640x480x24");
        row("exif directory past the block", PatchedExif(10, "\xF0\xFF\xFF\xFF"), "jpg 640x480x24");
        row("exif directory on the header", PatchedExif(10, QByteArray(4, '\0')), "jpg 640x480x24");
        row("exif entries past the block, first ones read", PatchedExif(14, "\xFF\xFF"), "jpg 480x640x24");
        row("exif block cut in the entry", PatchedExif(0, "", 38), "jpg 640x480x24");
        row("exif byte order", PatchedExif(6, "IM"), "jpg 640x480x24");
        row("exif magic", PatchedExif(8, "\x2B"), "jpg 640x480x24");
        row("exif signature", PatchedExif(0, "exif"), "jpg 640x480x24");
        // WebP and TIFF from real encoders; HEIC, AVIF, a TIFF compressed in JPEG or in CMYK at 16 bits
        // are named, never searched for a JPEG stream.
        for (auto [file, found] :
             {std::pair{"photo.webp", "webp 160x120x24"}, {"dessin.webp", "webp 100x80x32 alpha drawing"},
              {"anime.webp", "webp 64x48x24 drawing moving"}, {"tourne.webp", "webp 120x160x24 o6"},
              {"detoure.webp", "webp 80x100x32 alpha o6"},
              {"scan.tif", "tiff 160x120x24"}, {"scan16.tif", "tiff 160x120x48"}, {"cmyk.tif", "tiff 160x120x32"},
              {"pages.tif", "tiff 160x120x24"}, {"tourne.tif", "tiff 120x160x24 o6"}, {"petit.tif", "tiff 6x8x24 o8"},
              {"dessin.tif", "tiff 100x80x32 alpha"}, {"trait.tif", "tiff 160x120x1 drawing"},
              {"cmyk16.tif", "fail TIFF"}, {"scanjpeg.tif", "fail TIFF"}, {"photo.heic", "fail HEIC"},
              {"photo.avif", "fail AVIF"}})
            row(file, Fixture(file), found);
        const QByteArray heif("\0\0\0\x18" "ftypmif1\0\0\0\0mif1avif", 24);
        row("heif holding avif", heif + JpegBytes(9, 9), "fail AVIF");
        row("svg", "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"/>", "fail SVG");
    }
    void headers()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, found);
        const QString path = file("p.gif", bytes);  // the name plays no part
        QCOMPARE(Describe(path), found);
        const PictureSize s = GetPictureSize(path);
        QCOMPARE(s.largeur + 'x' + s.hauteur,
                 found.startsWith("fail") ? "0x0" : found.section(' ', 1).section('x', 0, 1));
    }

    void malformedExifBlocks()
    {
        // Every cut and every byte spoilt: the frame's size, turned or not, never a crash.
        const QByteArray exif = ExifData(7, true);
        for (int i = 0; i < exif.size(); ++i)
            for (const QByteArray& d :
                 {exif.left(i), QByteArray(exif).replace(i, 1, "\0", 1), QByteArray(exif).replace(i, 1, "\xFF"),
                  QByteArray(exif).replace(i, 1, "\x80")}) {
                const ImageInfo info = GetImageInfo(file("m.jpg", CameraJpegBytes(640, 480, d)));
                QVERIFY(info.ImageType == IMG_JPG && info.Width * info.Height == 640 * 480);
            }
    }

    void truncatedFiles()
    {
        // Bytes past the end read as 0: every cut gives a size within 0 to 32767, and so does
        // every byte spoilt in the WebP chunks and the TIFF directory.
        auto check = [&](const QByteArray& b) {
            const ImageInfo i = GetImageInfo(file("cut.bin", b));
            QVERIFY(i.ImageType == IMG_FAIL || (qMin(i.Width, i.Height) >= 0 && qMax(i.Width, i.Height) <= 32767));
        };
        for (const QByteArray& w : {PngBytes(300, 200), GifBytes(300, 200), BmpBytes(300, 200), JpegBytes(300, 200),
                                    CameraJpegBytes(300, 200, ExifData(6) + JpegBytes(16, 12))})
            for (int cut = 0; cut < w.size(); ++cut)
                check(w.left(cut));
        for (const QByteArray& w : {Fixture("petit.webp"), Fixture("anime.webp"), Fixture("petit.tif")})
            for (int at = 0; at < w.size(); ++at)
                check(w.left(at)), check(QByteArray(w).replace(at, 1, "\xFF"));
    }

    void notPictures()
    {
        const QString missing = dir.filePath("missing.png");
        for (const QString& path : {dir.path(), missing, QString()})
            QCOMPARE(Describe(path), QStringLiteral("fail"));
        QVERIFY(!QFile::exists(missing));  // the reader never creates a file
        QCOMPARE(GetPictureSize(missing).hauteur, QStringLiteral("0"));
    }

    void realPicturesAgreeWithQt()
    {
        // Qt writes no GIF; a tagged copy of its JPEG is turned upright by its reader, as by browsers.
        for (const char* fmt : {"png", "jpg", "bmp", "tagged.jpg"}) {
            const QString path = dir.filePath(QStringLiteral("real.") + QLatin1String(fmt));
            QImage img(123, 45, QImage::Format_RGB32);
            img.fill(Qt::darkCyan);
            QVERIFY(img.save(path, QByteArray(fmt).right(3)));
            if (QByteArray(fmt) == "tagged.jpg")  // the EXIF block goes right after the start
                WriteBytes(path, ReadBytes(path).insert(2, CameraJpegBytes(0, 0, ExifData(6)).mid(2, 48)));
            QImageReader reader(path);
            reader.setAutoTransform(true);
            const ImageInfo info = GetImageInfo(path);
            QCOMPARE(QSize(info.Width, info.Height), reader.read().size());
        }
        // Qt turns TIFF pictures upright, not WebP ones.
        for (const char* name : {"photo.webp", "dessin.webp", "anime.webp", "tourne.webp", "scan.tif", "scan16.tif",
                                 "cmyk.tif", "pages.tif", "tourne.tif", "dessin.tif", "trait.tif"}) {
            QImageReader reader(DataFolder() + "/pictures/" + name);
            reader.setAutoTransform(true);
            const ImageInfo info = GetImageInfo(reader.fileName());
            const QSize read = reader.read().size();
            const bool turnedByUs = info.ImageType == IMG_WEBP && info.Orientation > 4;
            QCOMPARE(QSize(info.Width, info.Height), turnedByUs ? read.transposed() : read);
        }
    }
};

QTEST_GUILESS_MAIN(TestImgInf)
#include "test_imginf.moc"
