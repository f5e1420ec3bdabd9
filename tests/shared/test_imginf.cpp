// Picture sizes read from headers, on pictures built byte by byte.
#include "shared/imginf.h"
#include "support/testsupport.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

using namespace toravi;
using namespace toravi::test;

namespace {
// ExifData(6) with `with` written at data offset `at`, then cut to `cut` bytes, in a 640 x 480 JPEG.
QByteArray PatchedExif(int at, const QByteArray& with, int cut = 1000)
{
    QByteArray d = ExifData(6);
    d.replace(at, with.size(), with);
    return CameraJpegBytes(640, 480, d.left(cut));
}
}  // namespace

class TestImgInf : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        WriteBytes(path, bytes);
        return path;
    }
    static void expect(const ImageInfo& info, int type, int w, int h, int depth)
    {
        QCOMPARE(int(info.ImageType), type);
        if (type == IMG_FAIL)
            return;
        QCOMPARE(info.Width, w);
        QCOMPARE(info.Height, h);
        QCOMPARE(int(info.Depth), depth);
    }
    static void row(const char* name, const QByteArray& bytes, int type, int w = 0, int h = 0, int depth = 0)
    {
        QTest::newRow(name) << bytes << type << w << h << depth;
    }

private slots:
    void headers_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("depth");
        // PNG: depth by colour type; only the two low bytes of each size are read.
        row("png grey 8", PngBytes(300, 200, 8, 0), IMG_PNG, 300, 200, 8);
        row("png truecolour 8", PngBytes(300, 200, 8, 2), IMG_PNG, 300, 200, 24);
        row("png palette 4 bits counts as 8", PngBytes(300, 200, 4, 3), IMG_PNG, 300, 200, 8);
        row("png grey alpha 16", PngBytes(300, 200, 16, 4), IMG_PNG, 300, 200, 32);
        row("png rgba 8", PngBytes(300, 200, 8, 6), IMG_PNG, 300, 200, 32);
        row("png rgba 16", PngBytes(300, 200, 16, 6), IMG_PNG, 300, 200, 64);
        row("png unknown colour type", PngBytes(300, 200, 8, 5), IMG_FAIL);
        row("png depth above 255", PngBytes(300, 200, 128, 6), IMG_FAIL);
        row("png 32767 wide", PngBytes(32767, 10), IMG_PNG, 32767, 10, 32);
        row("png 32768 wide does not fit", PngBytes(32768, 10), IMG_FAIL);
        row("png 65535 high does not fit", PngBytes(10, 65535), IMG_FAIL);
        row("png 70000 (0x11170) wide reads 4464", PngBytes(70000, 10), IMG_PNG, 4464, 10, 32);
        QByteArray sig = PngBytes(40, 30);
        sig[3] = 'X';  // the "G" of the signature plays no part
        row("png fourth byte free", sig, IMG_PNG, 40, 30, 32);
        row("png cut before its height", PngBytes(300, 200).left(20), IMG_PNG, 300, 0, 0);
        row("gif", GifBytes(640, 480, 0xF7), IMG_GIF, 640, 480, 8);
        row("gif depth 1", GifBytes(1, 1, 0x80), IMG_GIF, 1, 1, 1);
        row("gif too wide", GifBytes(40000, 1), IMG_FAIL);
        row("bmp", BmpBytes(640, 480, 24), IMG_BMP, 640, 480, 24);
        row("bmp top-down (negative height)", BmpBytes(640, -480, 24), IMG_FAIL);
        row("jpeg", JpegBytes(1024, 768), IMG_JPG, 1024, 768, 24);
        row("jpeg progressive", JpegBytes(800, 600, 3, 0xC2), IMG_JPG, 800, 600, 24);
        row("jpeg grey", JpegBytes(10, 20, 1), IMG_JPG, 10, 20, 8);
        row("jpeg C7 frame runs to the end", JpegBytes(10, 20, 3, 0xC7), IMG_FAIL);
        row("jpeg 32 components, depth 256", JpegBytes(10, 20, 32), IMG_FAIL);
        row("jpeg cut before its first marker", JpegBytes(300, 200).left(2), IMG_FAIL);
        QByteArray junk(5000, 'x');
        junk[100] = char(0xFF);  // a lone FF is no start
        junk[200] = char(0xFF);
        junk[201] = char(0xD8);  // nor FF D8 without FF
        row("jpeg after other data", junk + JpegBytes(321, 123), IMG_JPG, 321, 123, 24);
        row("png too wide, then a jpeg", PngBytes(40000, 1) + JpegBytes(7, 9), IMG_JPG, 7, 9, 24);
        row("text file", "Bonjour, ceci n'est pas une image.\r\n", IMG_FAIL);
        row("empty", QByteArray(), IMG_FAIL);

        // Photos: orientations 5 to 8 turn them a quarter, as browsers show them.
        for (bool big : {false, true})
            for (int o = 0; o <= 8; ++o)
                QTest::addRow("exif %s orientation %d", big ? "MM" : "II", o)
                    << CameraJpegBytes(640, 480, ExifData(o, big)) << int(IMG_JPG) << (o >= 5 ? 480 : 640)
                    << (o >= 5 ? 640 : 480) << 24;
        // Cameras keep a thumbnail with its own frame in the EXIF block; the walk steps over it.
        const QByteArray thumb = ExifData(6) + JpegBytes(160, 120) + QByteArray(30000, '\xFF');
        row("exif thumbnail before the frame", CameraJpegBytes(640, 480, thumb), IMG_JPG, 480, 640, 24);
        row("exif block of 32768 bytes does not fit", CameraJpegBytes(640, 480, QByteArray(32766, 'x')), IMG_FAIL);
        row("exif value 9 counts as 1", PatchedExif(36, "\x09"), IMG_JPG, 640, 480, 24);
        row("exif orientation as LONG", PatchedExif(30, "\x04"), IMG_JPG, 640, 480, 24);
        row("exif orientation with 2 values", PatchedExif(32, "\x02"), IMG_JPG, 640, 480, 24);
        row("exif directory past the block", PatchedExif(10, "\xF0\xFF\xFF\xFF"), IMG_JPG, 640, 480, 24);
        row("exif directory on the header", PatchedExif(10, QByteArray(4, '\0')), IMG_JPG, 640, 480, 24);
        row("exif entries past the block, first ones read", PatchedExif(14, "\xFF\xFF"), IMG_JPG, 480, 640, 24);
        row("exif block cut in the entry", PatchedExif(0, "", 38), IMG_JPG, 640, 480, 24);
        row("exif byte order", PatchedExif(6, "IM"), IMG_JPG, 640, 480, 24);
        row("exif magic", PatchedExif(8, "\x2B"), IMG_JPG, 640, 480, 24);
        row("exif signature", PatchedExif(0, "exif"), IMG_JPG, 640, 480, 24);
    }
    void headers()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, type);
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(int, depth);
        const QString path = file("p.gif", bytes);  // the name plays no part
        expect(GetImageInfo(path), type, w, h, depth);
        const PictureSize texts = GetPictureSize(path);
        QCOMPARE(texts.largeur + 'x' + texts.hauteur, type == IMG_FAIL ? "0x0" : QStringLiteral("%1x%2").arg(w).arg(h));
    }

    void malformedExifBlocks()
    {
        // Every cut and every byte spoilt: the frame's size, turned or not, never a crash.
        const QByteArray exif = ExifData(7, true);
        for (int i = 0; i < exif.size() * 4; ++i) {
            QByteArray d = exif;
            if (i < exif.size())
                d.truncate(i);
            else
                d[i % exif.size()] = "\x00\xFF\x80"[i / exif.size() - 1];
            const ImageInfo info = GetImageInfo(file("m.jpg", CameraJpegBytes(640, 480, d)));
            QVERIFY(info.ImageType == IMG_JPG && info.Width * info.Height == 640 * 480);
        }
    }

    void jpegStartAcrossTheSearchWindows()
    {
        // The search reads growing windows: put the start run across each edge.
        for (int edge : {4096, 4096 + 65536 - 2, 4096 + 65536 + (1 << 20) - 4})
            for (int offset = edge - 3; offset <= edge; ++offset)
                expect(GetImageInfo(file("edge.jpg", QByteArray(offset, '\0') + JpegBytes(55, 66))), IMG_JPG, 55, 66, 24);
    }

    void notPictures()
    {
        expect(GetImageInfo(dir.path()), IMG_FAIL, 0, 0, 0);
        const QString missing = dir.filePath("missing.png");
        expect(GetImageInfo(missing), IMG_FAIL, 0, 0, 0);
        QVERIFY(!QFile::exists(missing));  // the reader never creates a file
        expect(GetImageInfo(QString()), IMG_FAIL, 0, 0, 0);
        QCOMPARE(GetPictureSize(missing).hauteur, QStringLiteral("0"));
    }

    void truncatedFiles()
    {
        // Bytes past the end read as 0: every cut gives a size within 0 to 32767.
        const QList<QByteArray> whole = {PngBytes(300, 200), GifBytes(300, 200), BmpBytes(300, 200),
                                         JpegBytes(300, 200), CameraJpegBytes(300, 200, ExifData(6) + JpegBytes(16, 12))};
        for (const QByteArray& w : whole) {
            for (int cut = 0; cut < w.size(); ++cut) {
                const ImageInfo info = GetImageInfo(file(QStringLiteral("cut.bin"), w.left(cut)));
                if (info.ImageType == IMG_FAIL)
                    continue;
                QVERIFY(info.Width >= 0 && info.Width <= 32767);
                QVERIFY(info.Height >= 0 && info.Height <= 32767);
            }
        }
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
    }
};

QTEST_GUILESS_MAIN(TestImgInf)
#include "test_imginf.moc"
