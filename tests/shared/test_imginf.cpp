// Picture sizes read from headers, on pictures built byte by byte.
#include "shared/imginf.h"
#include "support/testsupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace toravi;
using namespace toravi::test;

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

private slots:
    void pngDepthByColourType_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("colourType");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("depth");
        QTest::newRow("grey 8") << 8 << 0 << int(IMG_PNG) << 8;
        QTest::newRow("truecolour 8") << 8 << 2 << int(IMG_PNG) << 24;
        QTest::newRow("palette 4 bits counts as 8") << 4 << 3 << int(IMG_PNG) << 8;
        QTest::newRow("grey alpha 16") << 16 << 4 << int(IMG_PNG) << 32;
        QTest::newRow("rgba 8") << 8 << 6 << int(IMG_PNG) << 32;
        QTest::newRow("rgba 16") << 16 << 6 << int(IMG_PNG) << 64;
        QTest::newRow("unknown colour type") << 8 << 5 << int(IMG_FAIL) << 0;
        QTest::newRow("depth above 255") << 128 << 6 << int(IMG_FAIL) << 0;
    }
    void pngDepthByColourType()
    {
        QFETCH(int, bits);
        QFETCH(int, colourType);
        QFETCH(int, type);
        QFETCH(int, depth);
        expect(GetImageInfo(file("p.png", PngBytes(300, 200, bits, colourType))), type, 300, 200, depth);
    }

    void pngReadsOnlyTheTwoLowBytes()
    {
        expect(GetImageInfo(file("w32767.png", PngBytes(32767, 10))), IMG_PNG, 32767, 10, 32);
        // 32768 to 65535 do not fit a signed 16-bit word.
        expect(GetImageInfo(file("w32768.png", PngBytes(32768, 10))), IMG_FAIL, 0, 0, 0);
        expect(GetImageInfo(file("w65535.png", PngBytes(10, 65535))), IMG_FAIL, 0, 0, 0);
        // 70000 = 0x11170: the high bytes are not read.
        expect(GetImageInfo(file("w70000.png", PngBytes(70000, 10))), IMG_PNG, 4464, 10, 32);
        QCOMPARE(GetPictureSize(dir.filePath("w32768.png")).largeur, QStringLiteral("0"));
        QCOMPARE(GetPictureSize(dir.filePath("w70000.png")).largeur, QStringLiteral("4464"));
    }

    void onlyTheFirstThreeBytesDecide()
    {
        QByteArray b = PngBytes(40, 30);
        b[3] = 'X';  // "G" of the signature plays no part
        expect(GetImageInfo(file("sig.png", b)), IMG_PNG, 40, 30, 32);
        // The name does not matter either.
        expect(GetImageInfo(file("really-a-gif.png", GifBytes(12, 34))), IMG_GIF, 12, 34, 8);
    }

    void gif()
    {
        expect(GetImageInfo(file("a.gif", GifBytes(640, 480, 0xF7))), IMG_GIF, 640, 480, 8);
        expect(GetImageInfo(file("b.gif", GifBytes(1, 1, 0x80))), IMG_GIF, 1, 1, 1);
        expect(GetImageInfo(file("c.gif", GifBytes(40000, 1))), IMG_FAIL, 0, 0, 0);
    }

    void bmp()
    {
        expect(GetImageInfo(file("a.bmp", BmpBytes(640, 480, 24))), IMG_BMP, 640, 480, 24);
        // Top-down bitmaps store a negative height: its high byte does not fit.
        expect(GetImageInfo(file("topdown.bmp", BmpBytes(640, -480, 24))), IMG_FAIL, 0, 0, 0);
    }

    void jpeg()
    {
        expect(GetImageInfo(file("a.jpg", JpegBytes(1024, 768))), IMG_JPG, 1024, 768, 24);
        expect(GetImageInfo(file("prog.jpg", JpegBytes(800, 600, 3, 0xC2))), IMG_JPG, 800, 600, 24);
        expect(GetImageInfo(file("grey.jpg", JpegBytes(10, 20, 1))), IMG_JPG, 10, 20, 8);
        // Only SOF0 to SOF3 end the walk: a lossless-only (C7) frame runs to the end.
        expect(GetImageInfo(file("c7.jpg", JpegBytes(10, 20, 3, 0xC7))), IMG_FAIL, 0, 0, 0);
        // 32 components: depth 256 does not fit.
        expect(GetImageInfo(file("deep.jpg", JpegBytes(10, 20, 32))), IMG_FAIL, 0, 0, 0);
    }

    void jpegAfterOtherData()
    {
        QByteArray junk(5000, 'x');
        junk[100] = char(0xFF);  // a lone FF is no start
        junk[200] = char(0xFF);
        junk[201] = char(0xD8);  // FF D8 not followed by FF
        expect(GetImageInfo(file("late.jpg", junk + JpegBytes(321, 123))), IMG_JPG, 321, 123, 24);
        // A PNG too wide for the reader is searched for a JPEG stream all the same.
        expect(GetImageInfo(file("png-then-jpeg.png", PngBytes(40000, 1) + JpegBytes(7, 9))), IMG_JPG, 7, 9, 24);
    }

    void jpegStartAcrossTheSearchWindow()
    {
        // The search reads 1 MiB windows: put the start run across a window edge.
        for (int offset : {(1 << 20) - 2, (1 << 20) - 1, (1 << 20)}) {
            QByteArray b(offset, '\0');
            const QString path = file(QStringLiteral("edge%1.jpg").arg(offset), b + JpegBytes(55, 66));
            expect(GetImageInfo(path), IMG_JPG, 55, 66, 24);
        }
    }

    void notPictures()
    {
        expect(GetImageInfo(file("text.txt", "Bonjour, ceci n'est pas une image.\r\n")), IMG_FAIL, 0, 0, 0);
        expect(GetImageInfo(file("empty.gif", QByteArray())), IMG_FAIL, 0, 0, 0);
        expect(GetImageInfo(dir.path()), IMG_FAIL, 0, 0, 0);
        const QString missing = dir.filePath("missing.png");
        expect(GetImageInfo(missing), IMG_FAIL, 0, 0, 0);
        QVERIFY(!QFile::exists(missing));  // the reader never creates a file
        expect(GetImageInfo(QString()), IMG_FAIL, 0, 0, 0);
        const PictureSize none = GetPictureSize(missing);
        QCOMPARE(none.largeur, QStringLiteral("0"));
        QCOMPARE(none.hauteur, QStringLiteral("0"));
    }

    void truncatedFiles()
    {
        // Bytes past the end read as 0: every cut gives a size within 0 to 32767 and
        // no file is ever read past its end.
        const QList<QByteArray> whole = {PngBytes(300, 200), GifBytes(300, 200), BmpBytes(300, 200),
                                         JpegBytes(300, 200)};
        for (const QByteArray& w : whole) {
            for (int cut = 0; cut < w.size(); ++cut) {
                const ImageInfo info = GetImageInfo(file(QStringLiteral("cut.bin"), w.left(cut)));
                if (info.ImageType == IMG_FAIL)
                    continue;
                QVERIFY(info.Width >= 0 && info.Width <= 32767);
                QVERIFY(info.Height >= 0 && info.Height <= 32767);
            }
        }
        // Cut before the first marker's byte, a JPEG fails; cut before its height, a PNG is 300 x 0.
        expect(GetImageInfo(file("cutjpeg.jpg", JpegBytes(300, 200).left(2))), IMG_FAIL, 0, 0, 0);
        expect(GetImageInfo(file("cutpng.png", PngBytes(300, 200).left(20))), IMG_PNG, 300, 0, 0);
        QCOMPARE(GetPictureSize(dir.filePath("cutjpeg.jpg")).largeur, QStringLiteral("0"));
    }

    void makeWord()
    {
        std::int32_t v = -1;
        QVERIFY(imginf::MakeWord(0x34, 0x12, v));
        QCOMPARE(v, 0x1234);
        QVERIFY(imginf::MakeWord(0xFF, 0x7F, v));
        QCOMPARE(v, 32767);
        QVERIFY(!imginf::MakeWord(0x00, 0x80, v));
    }

    void realPicturesAgreeWithQt()
    {
        for (const char* fmt : {"png", "jpg", "bmp", "gif"}) {
            const QString path = dir.filePath(QStringLiteral("real.") + QLatin1String(fmt));
            QImage img(123, 45, QImage::Format_RGB32);
            img.fill(Qt::darkCyan);
            if (!img.save(path))  // Qt has no GIF writer
                continue;
            const ImageInfo info = GetImageInfo(path);
            QCOMPARE(info.Width, 123);
            QCOMPARE(info.Height, 45);
        }
    }
};

QTEST_GUILESS_MAIN(TestImgInf)
#include "test_imginf.moc"
