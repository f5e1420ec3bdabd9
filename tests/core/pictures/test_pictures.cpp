// The pictures room, through both modules: the roles pictures take and the
// clashes of their names; pictures larger than their place (the sizes of their
// reduced copies, the offer with the copy made upright and made again on
// loading and its size measured), phone photos and scans alike; camera
// thumbnails and partial decodes.
#include "core/modules.h"
#include "pictures/picturecache.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <tuple>

using namespace toravi;
using namespace toravi::test;

namespace {

// Red, green, blue and white quarters, so that a turned or mirrored picture shows it.
QImage Quarters(QSize size, bool inverted = false)
{
    QImage img(2, 2, QImage::Format_RGB32);
    const QRgb colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    for (int i = 0; i < 4; ++i)
        img.setPixel(i % 2, i / 2, (inverted ? ~colours[i] : colours[i]) | 0xFF000000);
    return img.scaled(size);
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

}  // namespace

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    // Only pictures take picture roles, and two pictures of one name never replace each
    // other: refused when chosen, said once when loaded (with what is missing), and no page
    // is made while names clash. A picture that reads as 0 pixels is said, not refused.
    void pictureRoles_data() { BothModules(); }
    void pictureRoles()
    {
        QFETCH(QString, module);
        Scratch at;
        auto m = Published(at, module);
        QDir().mkpath(at.src + "/autre");
        WriteBytes(at.src + "/photo.png", "mot de passe");
        WriteBytes(at.src + "/autre/SCENE.gif", GifBytes(20, 20));
        WriteBytes(at.src + "/plat.png", PngBytes(300, 0));
        for (const char* name : {"photo.heic", "cmyk16.tif"})
            WriteBytes(at.src + "/" + name, ReadBytes(DataFolder() + "/pictures/" + name));
        for (auto [file, message] : {std::pair{"photo.png", "photo.png n'est pas une image"},
                                     {"photo.heic", "image HEIC, que Toravi ne sait pas lire"},
                                     {"cmyk16.tif", "image TIFF d'une sorte que Toravi"},
                                     {"autre/SCENE.gif", "portent le même nom"}, {"plat.png", "taille nulle"}}) {
            m->platform.clear();
            m->platform.queueOpenFile(QDir::toNativeSeparators(at.src + "/" + file));
            QString(file).startsWith("autre") ? m->chooseBackground() : m->chooseReference();
            QVERIFY2(m->platform.messageTexts().join(' ').contains(message), file);
            QCOMPARE(m->reference(), JoinPath(at.src, QString(file) == "plat.png" ? "plat.png" : "scene.gif"));
            QCOMPARE(m->background(), JoinPath(at.src, "fond.gif"));
        }
        m->platform.clear();
        QVERIFY(m->create());
        QVERIFY(m->platform.messageTexts().value(0).contains("taille nulle"));
        QStringList body = m->body(at.src, at.work);
        body[0] = at.src + "/photo.png";
        body[7] = "photo.png";
        body[1] = at.src + "/absent.gif";
        body[10] = "absent.gif";
        m->platform.clear();
        QVERIFY(m->load(WriteProject(at.src + "/q.txt", body)));
        QCOMPARE(m->platform.messageTexts().size(), 1);
        QVERIFY(m->platform.messageTexts()[0].contains(at.src + "/photo.png"));
        QVERIFY(m->platform.messageTexts()[0].contains(at.src + "/absent.gif"));
        QVERIFY(!QFile::exists(at.work + "/img/photo.png"));
        // An earlier whole copy still serves: nothing to say.
        WriteBytes(at.work + "/img/absent.gif", GifBytes(5, 5));
        body[0] = at.src + "/scene.gif";
        body[7] = "scene.gif";
        m->platform.clear();
        QVERIFY(m->load(WriteProject(at.src + "/q.txt", body)));
        QCOMPARE(m->platform.messageTexts(), QStringList());
        m->platform.queueMessage(IDNO);
        QVERIFY(m->create());

        body[1] = at.src + "/autre/SCENE.gif";
        body[10] = "SCENE.gif";
        QVERIFY(m->load(WriteProject(at.src + "/q.txt", body)));
        QVERIFY(m->platform.messageTexts().last().contains("portent le même nom"));
        QCOMPARE(ReadBytes(at.work + "/img/scene.gif"), GifBytes(300, 400));
        m->platform.clear();
        QVERIFY(!m->create());
        QVERIFY(m->platform.messageTexts().value(0).contains("portent le même nom"));
    }

    void placeSizes()
    {
        const QSize none, photo(4000, 3000);
        for (auto [role, size, scene, expected] : {
                 std::tuple{'r', photo, none, QSize(733, 550)}, {'r', QSize(733, 733), none, QSize(643, 643)},
                 {'s', photo, none, QSize(700, 525)}, {'o', QSize(800, 600), photo, QSize(140, 105)},  // scene's factor
                 {'o', photo, photo, QSize(696, 522)},             // the factor, then the row
                 {'o', QSize(600, 400), photo, QSize(600, 400)}, {'o', QSize(1000, 100), QSize(640, 480), QSize(696, 70)},
                 {'o', QSize(100, 1000), QSize(700, 350), QSize(35, 350)},  // higher than the scene shown
                 {'o', QSize(300, 2000), none, QSize(300, 2000)}})
            QCOMPARE(role == 'r' ? ReferenceCopySize(size) : role == 's' ? SceneCopySize(size) : ObjectCopySize(size, scene),
                     expected);
    }

    // Oui takes a reduced copy, upright, that saving, loading and creating the page again
    // keep; Non keeps the whole picture, or a whole upright JPEG copy of a scan. The source
    // is never touched.
    void offer_data()
    {
        QTest::addColumn<QString>("role");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QSize>("reduced");
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"jpg", "tif"})
            for (bool yes : {true, false}) {
                const char* answer = yes ? "oui" : "non";
                QTest::addRow("reference %s %s", kind, answer) << "reference" << yes << QSize(514, 643) << kind;
                QTest::addRow("scene %s %s", kind, answer) << "scene" << yes << QSize(700, 875) << kind;
                QTest::addRow("object %s %s", kind, answer) << "object" << yes << QSize(696, 870) << kind;
            }
    }
    void offer()
    {
        QFETCH(QString, role);
        QFETCH(bool, yes);
        QFETCH(QSize, reduced);
        QFETCH(QString, kind);
        Scratch at;
        const QString photo = at.src + "/photo." + kind;  // taken turned (orientation 6): shown 800 x 1000
        QByteArray original = CameraPhotoBytes(Quarters({1000, 800}), 6, Quarters({160, 128}));
        if (kind == "tif") {
            QBuffer tiff(&original);
            QImageWriter writer(&tiff, "tiff");
            writer.setTransformation(QImageIOHandler::TransformationRotate90);
            original.clear(), tiff.open(QIODevice::WriteOnly), writer.write(Quarters({1000, 800}));
        }
        WriteBytes(photo, original);
        auto m = MakeModule(role == "reference" ? "tooltip" : "dragdrop");
        auto* dd = dynamic_cast<DragDrop*>(m.get());
        m->reset();
        m->folder() = at.work;
        m->platform.queueOpenFile(photo);
        m->platform.queueMessage(yes ? IDYES : IDNO);
        if (role == "object")
            m->reference() = at.src + "/scene.gif", dd->m.AddObject();  // the scene, 300 x 400, shown 933 high
        else
            m->chooseReference();
        QVERIFY(role != "object" || dd->m.state.objects.value(0).tooltip == "photo");
        auto name = [&] { return role == "object" ? dd->m.state.objects.value(0).fileName : m->referenceName(); };
        const QString size = QString("%1x%2").arg(reduced.width()).arg(reduced.height()), copy = at.work + "/img/" + name();
        QVERIFY(m->platform.messageTexts().value(0).contains("copie réduite de " + QString(size).replace("x", " × ")));
        if (yes || kind == "tif") {
            QCOMPARE(name(), yes ? "photo-" + size + ".jpg" : "photo.tif.jpg");
            // Upright, without an orientation to apply.
            QCOMPARE(QImageReader(copy).size(), yes ? reduced : QSize(800, 1000));
            QCOMPARE(Corners(Decoded(copy)), Corners(Decoded(photo)));
        } else {
            QCOMPARE(name(), QString("photo.jpg"));
            QCOMPARE(ReadBytes(copy), original);
        }
        if (role == "reference") {
            QCOMPARE(static_cast<Tooltip&>(*m).m.state.strLargeur, QString::number(yes ? 514 : 800));
            QCOMPARE(m->platform.messageTexts().size(), yes ? 1 : 2);  // Non: the frame's warning follows
        }
        m->refreshDefaults();
        QVERIFY(m->validate());
        QCOMPARE(name(), QFileInfo(copy).fileName());
        m->platform.queueMessage(IDNO);
        QVERIFY(m->create());
        const QByteArray page = ReadBytes(m->page()), copied = ReadBytes(copy);
        // The page agrees with the picture it shows, whatever size the project file recorded.
        QStringList lines = m->savedLines();
        lines[12] = lines[13] = "1";
        const QString project = WriteProject(at.src + "/p.txt", lines);
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

    // Small frames come from the camera's thumbnail, turned as the picture is; a frame
    // at natural size decodes only its part. Every orientation.
    void previews()
    {
        QTemporaryDir tmp;
        PictureCache& cache = PictureCache::instance();
        for (int orientation = 1; orientation <= 8; ++orientation) {
            const QString path = tmp.filePath(QString("p%1.jpg").arg(orientation));
            WriteBytes(path, CameraPhotoBytes(Quarters({400, 300}), orientation, Quarters({160, 120}, true)));
            const QImage whole = Decoded(path);
            QCOMPARE(Corners(cache.load(path, {68, 53})), Corners(whole, true));
            QCOMPARE(Corners(cache.load(path, {300, 300})), Corners(whole));  // the thumbnail is too small
            const QRect part(100, 50, 160, 200);
            const QImage cut = cache.load(path, QSize(), part);
            QCOMPARE(cut.size(), part.size());
            QCOMPARE(Corners(cut), Corners(whole.copy(part)));
        }
    }
};

QTEST_GUILESS_MAIN(TestPictures)
#include "test_pictures.moc"
