// Pictures larger than their place: the sizes of their reduced copies, the
// offer in both modules with the copy made upright and made again on loading,
// the size measured from the copy, camera thumbnails and partial decodes.
#include "core/modules.h"
#include "shared/picturecache.h"

#include <QImageReader>
#include <QPainter>
#include <functional>

using namespace toravi;
using namespace toravi::test;

namespace {

// Red, green and blue quarters and a white one, so that a turned or mirrored picture shows it.
QImage Quarters(QSize size, bool inverted = false)
{
    QImage img(size, QImage::Format_RGB32);
    QPainter p(&img);
    const int w = size.width() / 2, h = size.height() / 2;
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::white};
    const QRect quarters[] = {{0, 0, w, h}, {w, 0, size.width() - w, h}, {0, h, w, size.height() - h},
                              {w, h, size.width() - w, size.height() - h}};
    for (int i = 0; i < 4; ++i)
        p.fillRect(quarters[i], inverted ? QColor(~colours[i].rgb() | 0xFF000000) : colours[i]);
    return img;
}

// The colour of each quarter as the bits r, g, b (0 to 7), inverted on request.
QList<int> Corners(const QImage& img, bool inverted = false)
{
    QList<int> bits;
    for (QPoint at : {QPoint(1, 1), QPoint(3, 1), QPoint(1, 3), QPoint(3, 3)}) {
        const QRgb c = img.pixel(at.x() * img.width() / 4, at.y() * img.height() / 4);
        const int b = (qRed(c) > 128) * 4 + (qGreen(c) > 128) * 2 + (qBlue(c) > 128);
        bits << (inverted ? 7 - b : b);
    }
    return bits;
}

QImage Decoded(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read();
}

// A phone photo 1000 x 800 taken turned (orientation 6): shown 800 x 1000.
QString WritePhoto(const QString& folder)
{
    const QString path = folder + "/photo.jpg";
    WriteBytes(path, CameraPhotoBytes(Quarters({1000, 800}), 6, Quarters({160, 128})));
    return path;
}

}  // namespace

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void placeSizes_data()
    {
        QTest::addColumn<QString>("role");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("scene");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("reference photo") << "reference" << QSize(4000, 3000) << QSize() << QSize(733, 550);
        QTest::newRow("reference too high") << "reference" << QSize(733, 733) << QSize() << QSize(643, 643);
        QTest::newRow("reference fits") << "reference" << QSize(733, 643) << QSize() << QSize(733, 643);
        QTest::newRow("scene photo") << "scene" << QSize(4000, 3000) << QSize() << QSize(700, 525);
        QTest::newRow("scene fits") << "scene" << QSize(640, 4000) << QSize() << QSize(640, 4000);
        QTest::newRow("cut from the scene") << "object" << QSize(800, 600) << QSize(4000, 3000) << QSize(140, 105);
        QTest::newRow("scene factor, then the row") << "object" << QSize(4000, 3000) << QSize(4000, 3000)
                                                    << QSize(696, 522);
        QTest::newRow("object fits") << "object" << QSize(600, 400) << QSize(4000, 3000) << QSize(600, 400);
        QTest::newRow("small scene, row only") << "object" << QSize(1000, 100) << QSize(640, 480) << QSize(696, 70);
        QTest::newRow("higher than the scene shown") << "object" << QSize(100, 1000) << QSize(700, 350)
                                                     << QSize(35, 350);
        QTest::newRow("no scene") << "object" << QSize(300, 2000) << QSize() << QSize(300, 2000);
    }
    void placeSizes()
    {
        QFETCH(QString, role);
        QFETCH(QSize, size);
        QFETCH(QSize, scene);
        QFETCH(QSize, expected);
        const QSize got = role == "reference" ? ReferenceCopySize(size)
                          : role == "scene"   ? SceneCopySize(size)
                                              : ObjectCopySize(size, scene);
        QCOMPARE(got, expected);
    }

    // Oui takes a reduced copy, upright, that saving, loading and creating the page again
    // keep; Non keeps the whole picture. The source is never touched.
    void offer_data()
    {
        QTest::addColumn<QString>("role");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QSize>("reduced");
        for (bool yes : {true, false}) {
            QTest::addRow("reference %s", yes ? "oui" : "non") << "reference" << yes << QSize(514, 643);
            QTest::addRow("scene %s", yes ? "oui" : "non") << "scene" << yes << QSize(700, 875);
            QTest::addRow("object %s", yes ? "oui" : "non") << "object" << yes << QSize(696, 870);
        }
    }
    void offer()
    {
        QFETCH(QString, role);
        QFETCH(bool, yes);
        QFETCH(QSize, reduced);
        Scratch at;
        const QString photo = WritePhoto(at.src);
        const QByteArray original = ReadBytes(photo);
        auto m = MakeModule(role == "reference" ? "tooltip" : "dragdrop");
        auto* dd = dynamic_cast<DragDrop*>(m.get());
        m->reset();
        m->folder() = at.work;
        m->platform.queueOpenFile(photo);
        m->platform.queueMessage(yes ? IDYES : IDNO);
        std::function<QString()> name;
        if (role == "object") {
            m->reference() = at.src + "/scene.gif";  // 300 x 400: shown 933 high
            dd->m.AddObject();
            name = [dd] { return dd->m.state.objects.value(0).fileName; };
            QCOMPARE(dd->m.state.objects.value(0).tooltip, QString("photo"));
        } else {
            m->chooseReference();
            name = [&m, dd] { return dd ? dd->m.state.strImageFile : static_cast<Tooltip&>(*m).m.state.strImageFile; };
        }
        QVERIFY(m->platform.messageTexts().value(0).contains(QString("copie réduite de %1 × %2").arg(reduced.width()).arg(reduced.height())));
        const QString copy = at.work + "/img/" + name();
        if (yes) {
            QCOMPARE(name(), QString("photo-%1x%2.jpg").arg(reduced.width()).arg(reduced.height()));
            QCOMPARE(QImageReader(copy).size(), reduced);  // upright, without an orientation to apply
            QCOMPARE(Corners(Decoded(copy)), Corners(Decoded(photo)));
        } else {
            QCOMPARE(name(), QString("photo.jpg"));
            QCOMPARE(ReadBytes(copy), original);
        }
        if (role == "reference")
            QCOMPARE(static_cast<Tooltip&>(*m).m.state.strLargeur, QString::number(yes ? 514 : 800));

        m->refreshDefaults();
        QVERIFY(m->validate());
        QCOMPARE(name(), QFileInfo(copy).fileName());
        m->platform.queueMessage(IDNO);
        QVERIFY(m->create());
        const QByteArray page = ReadBytes(m->page()), copied = ReadBytes(copy);
        const QString project = WriteProject(at.src + "/p.txt", m->savedLines());
        QVERIFY(QFile::remove(copy));
        m->reset();
        QVERIFY(m->load(project));
        m->refreshDefaults();
        m->platform.queueMessage(IDNO);
        QVERIFY(m->create());
        QCOMPARE(ReadBytes(copy), copied);
        QCOMPARE(ReadBytes(m->page()), page);
        QCOMPARE(ReadBytes(photo), original);
    }

    // The page agrees with the picture it shows, whatever size the project file recorded.
    void sizeMeasuredFromTheCopy()
    {
        Scratch at;
        Tooltip t;
        QStringList body = t.body(at.src, at.work);
        body[0] = WritePhoto(at.src);
        body[12 - 5] = "photo.jpg";
        body[13 - 5] = "1000", body[14 - 5] = "800";
        QVERIFY(t.load(WriteProject(at.src + "/p.txt", projectheader::Lines(t.moduleLine()) + body)));
        t.refreshDefaults();
        t.platform.queueMessage(IDNO);
        QVERIFY(t.create());
        QVERIFY(ReadBytes(t.page()).contains("var x2=800;var y2=1000;"));
    }

    // Small frames come from the camera's thumbnail, turned as the picture is; a frame
    // at natural size decodes only its part. Every orientation.
    void previews_data()
    {
        QTest::addColumn<int>("orientation");
        for (int o = 1; o <= 8; ++o)
            QTest::addRow("orientation %d", o) << o;
    }
    void previews()
    {
        QFETCH(int, orientation);
        QTemporaryDir tmp;
        const QString path = tmp.filePath("p.jpg");
        WriteBytes(path, CameraPhotoBytes(Quarters({400, 300}), orientation, Quarters({160, 120}, true)));
        const QImage whole = Decoded(path);
        PictureCache& cache = PictureCache::instance();
        QCOMPARE(Corners(cache.load(path, {68, 53})), Corners(whole, true));
        QCOMPARE(Corners(cache.load(path, {300, 300})), Corners(whole));  // the thumbnail is too small
        const QRect part(100, 50, 160, 200);
        const QImage cut = cache.load(path, QSize(), part);
        QCOMPARE(cut.size(), part.size());
        QCOMPARE(Corners(cut), Corners(whole.copy(part)));
    }
};

QTEST_GUILESS_MAIN(TestPictures)
#include "test_pictures.moc"
