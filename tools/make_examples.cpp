// Draws the pictures of the example projects (resources/exemples). Run once
// by hand when they change: `toravi_make_examples <resources/exemples>`.
#include "dragdrop/dragdropcutout.h"
#include "files/files.h"
#include "files/textfile.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cmath>
#include <numbers>

namespace {

QImage canvas(int w, int h, QColor fill = Qt::transparent)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

void label(QPainter& p, QPointF at, const QString& text, int size = 15)
{
    QFont f(QStringLiteral("DejaVu Sans"), -1, QFont::Bold);
    f.setPixelSize(size);
    p.setFont(f);
    QPainterPath path;
    path.addText(at, f, text);
    p.setPen(QPen(QColor(255, 255, 255, 220), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 40, 20));
    p.drawPath(path);
}

// The tooltip example: an island with a harbour, a lighthouse, a forest, a mill and a mountain.
QImage island()
{
    QImage img = canvas(640, 460, QColor(110, 180, 225));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Waves.
    p.setPen(QPen(QColor(255, 255, 255, 110), 2));
    for (int y = 20; y < 460; y += 34)
        for (int x = (y / 34 % 2) * 30; x < 640; x += 70)
            p.drawArc(x, y, 26, 12, 20 * 16, 140 * 16);
    // The island.
    QPainterPath land;
    land.moveTo(120, 230);
    land.cubicTo(110, 110, 260, 60, 360, 80);
    land.cubicTo(480, 95, 560, 150, 545, 250);
    land.cubicTo(535, 350, 440, 410, 320, 400);
    land.cubicTo(200, 395, 130, 330, 120, 230);
    p.setPen(QPen(QColor(230, 210, 150), 14));
    p.setBrush(QColor(120, 180, 90));
    p.drawPath(land);
    // Mountain.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(140, 120, 100));
    p.drawPolygon(QPolygonF({QPointF(370, 200), QPointF(430, 100), QPointF(490, 200)}));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(412, 130), QPointF(430, 100), QPointF(448, 130), QPointF(430, 124)}));
    // Forest, the same at every run.
    QRandomGenerator trees(7);
    for (int i = 0; i < 14; ++i) {
        const double x = 190 + trees.bounded(110), y = 150 + trees.bounded(70);
        p.setBrush(QColor(120, 80, 40));
        p.drawRect(QRectF(x - 2, y + 10, 4, 10));
        p.setBrush(QColor(40, 120 + trees.bounded(40), 50));
        p.drawPolygon(QPolygonF({QPointF(x, y - 14), QPointF(x - 11, y + 12), QPointF(x + 11, y + 12)}));
    }
    // Mill.
    p.setBrush(QColor(240, 230, 210));
    p.drawRect(QRectF(282, 300, 26, 40));
    p.setBrush(QColor(170, 60, 40));
    p.drawPolygon(QPolygonF({QPointF(278, 302), QPointF(295, 284), QPointF(312, 302)}));
    p.setPen(QPen(QColor(90, 70, 50), 4, Qt::SolidLine, Qt::RoundCap));
    for (int a = 0; a < 4; ++a) {
        const double r = a * std::numbers::pi / 2 + 0.4;
        p.drawLine(QPointF(295, 296), QPointF(295 + 30 * std::cos(r), 296 + 30 * std::sin(r)));
    }
    // Harbour with a boat.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 110, 70));
    p.drawRect(QRectF(500, 300, 70, 10));
    p.setBrush(QColor(200, 60, 50));
    QPainterPath hull;
    hull.moveTo(545, 325);
    hull.lineTo(600, 325);
    hull.lineTo(590, 340);
    hull.lineTo(555, 340);
    hull.closeSubpath();
    p.drawPath(hull);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(572, 322), QPointF(572, 290), QPointF(594, 322)}));
    // Lighthouse.
    p.setBrush(Qt::white);
    p.drawRect(QRectF(148, 280, 18, 50));
    p.setBrush(QColor(210, 40, 40));
    for (int y = 288; y < 330; y += 16)
        p.drawRect(QRectF(148, y, 18, 7));
    p.setBrush(QColor(250, 220, 80));
    p.drawEllipse(QPointF(157, 276), 9, 7);
    // Sun.
    p.setBrush(QColor(255, 215, 70));
    p.drawEllipse(QPointF(590, 50), 26, 26);
    label(p, QPointF(20, 440), QStringLiteral("L'île aux trésors"), 20);
    return img;
}

// The drag-and-drop example: a pupil's desk with empty places, and the objects to put back,
// each with its tooltip and the place drawn for it on the scene.
struct DeskObject {
    const char* kind;
    const char* tooltip;
    QRect drawn;
};
const DeskObject kDeskObjects[] = {
    {"livre", "Le livre", {78, 58, 64, 72}},
    {"reveil", "Le réveil", {168, 58, 66, 72}},
    {"plante", "La plante", {252, 60, 62, 70}},
    {"lampe", "La lampe", {128, 194, 76, 76}},
    {"tasse", "La tasse", {262, 212, 58, 58}},
    {"ballon", "Le ballon", {556, 326, 76, 76}},
    {"crayons", "Le pot à crayons", {360, 196, 66, 74}},
};

void paintDeskScene(QPainter& p, bool outlines)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(0, 0, 700, 300), QColor(250, 236, 210));   // wall
    p.fillRect(QRect(0, 300, 700, 130), QColor(196, 150, 100));  // floor
    // Window.
    p.setPen(QPen(Qt::white, 8));
    p.setBrush(QColor(160, 210, 240));
    p.drawRect(QRect(470, 40, 170, 130));
    p.drawLine(555, 40, 555, 170);
    // Rug and a small poster.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 70, 70, 120));
    p.drawEllipse(QRect(470, 360, 200, 56));
    p.setPen(QPen(QColor(120, 80, 50), 4));
    p.setBrush(QColor(255, 250, 235));
    p.drawRect(QRect(370, 60, 60, 80));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 160, 210));
    p.drawEllipse(QRect(385, 78, 30, 30));
    p.setBrush(QColor(90, 170, 90));
    p.drawRect(QRect(378, 112, 44, 20));
    // Shelf.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(140, 90, 50));
    p.drawRect(QRect(60, 130, 260, 14));
    p.drawRect(QRect(60, 40, 260, 14));
    // Desk.
    p.setBrush(QColor(160, 105, 60));
    p.drawRect(QRect(80, 270, 420, 20));
    p.drawRect(QRect(100, 290, 18, 110));
    p.drawRect(QRect(462, 290, 18, 110));
    if (!outlines)
        return;
    // Where the objects belong, dashed.
    p.setPen(QPen(QColor(120, 90, 60, 150), 2, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    for (const DeskObject& o : kDeskObjects)
        p.drawRoundedRect(o.drawn, 8, 8);
}

// The part of a picture that is not transparent.
QRect visibleBounds(const QImage& img)
{
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)))
                r |= QRect(x, y, 1, 1);
    return r;
}

// The desk's project, with the check on: each object's place puts its picture in the middle of
// the place drawn for it. The scene is 700 pixels wide, shown as it is: its pixels are the page's.
QByteArray deskProject(const QList<QImage>& objects)
{
    QString files, tooltips, xs, ys;
    for (int i = 0; i < objects.size(); ++i) {
        const DeskObject& o = kDeskObjects[i];
        const QPoint at = o.drawn.center() - visibleBounds(objects[i]).center();
        files += QLatin1String(o.kind) + QStringLiteral(".png,");
        tooltips += QString::fromUtf8(o.tooltip) + QLatin1Char(',');
        xs += QString::number(at.x()) + QLatin1Char(',');
        ys += QString::number(at.y()) + QLatin1Char(',');
    }
    QString text = QStringLiteral(
                       "<Généré par Toravi 2>\n<Module Drag&Drop>\n<Ne pas modifier ce fichier à la main.>\n"
                       "<Cela pourrait avoir des conséquences inattendues sur votre projet>\n"
                       "bureau.png\nfond.png\n\nbureau.htm\nRange le bureau\n"
                       "Le bureau est en désordre ! Fais glisser chaque objet à sa place, sur les étagères, sur la "
                       "table ou par terre.<br>Quand tout est rangé, appelle ton professeur : il te dira si tout est "
                       "en ordre.\n"
                       "Range le bureau\nbureau.png\n700\n430\nfond.png\nEBF5FA\n14\n5A3A1A\nFFF6D5\n\n\n\n"
                       "centré\n24\n8A4A1A\nbold\n\n\nFFFCEF\nFaux\n%1\n%1\nvrai\nvrai\n%2\nFaux\n\n\nAide\n"
                       "%3\n%4\nvrai\n20\n")
                       .arg(files, tooltips, xs, ys);
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toLatin1();
}

QImage object(const QString& kind)
{
    QImage img = canvas(72, 72);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 40, 30), 2));
    if (kind == QLatin1String("livre")) {
        p.setBrush(QColor(50, 90, 170));
        p.drawRoundedRect(QRectF(14, 8, 44, 58), 4, 4);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(22, 18, 28, 8));
    } else if (kind == QLatin1String("reveil")) {
        p.setBrush(QColor(220, 60, 60));
        p.drawEllipse(QPointF(20, 16), 8, 8);
        p.drawEllipse(QPointF(52, 16), 8, 8);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(36, 40), 24, 24);
        p.drawLine(QPointF(36, 40), QPointF(36, 24));
        p.drawLine(QPointF(36, 40), QPointF(48, 44));
    } else if (kind == QLatin1String("plante")) {
        p.setBrush(QColor(200, 100, 60));
        p.drawPolygon(QPolygonF({QPointF(20, 44), QPointF(52, 44), QPointF(46, 68), QPointF(26, 68)}));
        p.setBrush(QColor(60, 150, 70));
        p.drawEllipse(QRectF(12, 14, 22, 30));
        p.drawEllipse(QRectF(38, 14, 22, 30));
        p.drawEllipse(QRectF(25, 4, 22, 36));
    } else if (kind == QLatin1String("lampe")) {
        p.setBrush(QColor(250, 200, 60));
        p.drawPolygon(QPolygonF({QPointF(18, 30), QPointF(30, 6), QPointF(54, 6), QPointF(62, 30)}));
        p.setBrush(QColor(90, 90, 100));
        p.drawRect(QRectF(37, 30, 6, 30));
        p.drawRoundedRect(QRectF(22, 60, 36, 8), 3, 3);
    } else if (kind == QLatin1String("tasse")) {
        p.setBrush(QColor(240, 240, 230));
        p.drawRoundedRect(QRectF(12, 22, 38, 42), 6, 6);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(44, 30, 18, 20));
        p.setPen(QPen(QColor(160, 160, 160), 2));
        p.drawArc(QRectF(20, 4, 10, 16), 0, 180 * 16);
        p.drawArc(QRectF(32, 4, 10, 16), 180 * 16, 180 * 16);
    } else if (kind == QLatin1String("ballon")) {
        p.setBrush(QColor(250, 250, 250));
        p.drawEllipse(QPointF(36, 36), 30, 30);
        p.setBrush(QColor(40, 40, 40));
        p.drawPolygon(QPolygonF({QPointF(36, 24), QPointF(47, 32), QPointF(43, 45), QPointF(29, 45), QPointF(25, 32)}));
    } else if (kind == QLatin1String("crayons")) {
        const QColor colours[] = {QColor(230, 70, 60), QColor(60, 160, 80), QColor(240, 190, 40)};
        for (int i = 0; i < 3; ++i) {
            p.setBrush(colours[i]);
            p.drawRect(QRectF(20 + i * 11, 6 + (i % 2) * 6, 8, 34));
        }
        p.setBrush(QColor(90, 130, 190));
        p.drawRoundedRect(QRectF(14, 34, 44, 34), 4, 4);
    }
    return img;
}

// The second drag-and-drop example, made the way a teacher makes one from a single picture:
// a beach is drawn with its objects, then the cut-out outlines them (boxes, a click of the
// wand on the sun, polygons round the boat and the parasol) and fills the project, places and check included.
struct BeachObject {
    const char* name;
    QRect box;  // where the object is drawn, in the picture
};
const BeachObject kBeachBoxed[] = {{"Le seau", QRect(96, 330, 70, 76)},
                                   {"Le crabe", QRect(300, 380, 86, 50)},
                                   {"L'étoile de mer", QRect(560, 360, 64, 64)},
                                   {"Le ballon", QRect(220, 300, 60, 60)}};
const QPointF kSun(90, 70);
// The boat clicked corner by corner, a pixel or two outside its drawn edge.
const QPolygonF kBoat({QPointF(297, 227), QPointF(351, 152), QPointF(354, 153), QPointF(354, 224), QPointF(356, 224),
                       QPointF(356, 162), QPointF(360, 162), QPointF(403, 225),
                       QPointF(407, 232), QPointF(387, 256), QPointF(313, 256), QPointF(293, 232)});

// The parasol's outline as a teacher clicks it: round the canopy, then down the pole.
QPolygonF parasolOutline()
{
    QPolygonF outline;
    for (int i = 0; i <= 12; ++i) {
        const double a = std::numbers::pi * (1 - i / 12.0);
        outline << QPointF(520 + 78 * std::cos(a), 271 - 42 * std::sin(a));
    }
    outline << QPointF(525, 271) << QPointF(525, 400) << QPointF(515, 400) << QPointF(515, 271);
    return outline;
}

QImage beach()
{
    QImage img = canvas(700, 460, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 200);
    sky.setColorAt(0, QColor(120, 180, 235));
    sky.setColorAt(1, QColor(200, 230, 250));
    p.fillRect(QRect(0, 0, 700, 200), sky);
    p.fillRect(QRect(0, 200, 700, 70), QColor(40, 120, 190));  // sea
    p.setPen(QPen(QColor(230, 240, 250), 3));
    for (int x = 20; x < 700; x += 90)
        p.drawArc(QRect(x, 215 + (x / 90 % 2) * 20, 40, 12), 0, 180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 214, 160));  // sand
    p.drawRect(QRect(0, 262, 700, 198));
    p.setBrush(QColor(246, 236, 200));
    p.drawEllipse(QRect(-60, 250, 420, 40));
    // Sun, a flat disc for the wand.
    p.setBrush(QColor(255, 205, 40));
    p.drawEllipse(kSun, 40, 40);
    // Bucket.
    p.setPen(QPen(QColor(60, 40, 30), 2));
    p.setBrush(QColor(220, 60, 60));
    p.drawPolygon(QPolygonF({QPointF(100, 346), QPointF(162, 346), QPointF(152, 402), QPointF(110, 402)}));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(104, 332, 54, 30), 0, 180 * 16);
    // Crab.
    p.setBrush(QColor(230, 100, 40));
    p.drawEllipse(QRect(318, 394, 50, 30));
    for (int side : {-1, 1}) {
        p.drawLine(QPointF(343 + side * 22, 400), QPointF(343 + side * 38, 388));
        p.drawEllipse(QPointF(343 + side * 36, 386), 6, 5);
        for (int leg = 0; leg < 3; ++leg)
            p.drawLine(QPointF(343 + side * 20, 410 + leg * 5), QPointF(343 + side * 32, 416 + leg * 6));
    }
    // Sailing boat on the sea.
    p.setBrush(QColor(150, 90, 50));
    p.drawPolygon(QPolygonF({QPointF(296, 232), QPointF(404, 232), QPointF(386, 254), QPointF(314, 254)}));
    p.setBrush(QColor(250, 250, 245));
    p.drawPolygon(QPolygonF({QPointF(352, 156), QPointF(352, 226), QPointF(300, 226)}));
    p.setBrush(QColor(250, 210, 60));
    p.drawPolygon(QPolygonF({QPointF(358, 166), QPointF(358, 226), QPointF(400, 226)}));
    // Starfish.
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const double r = i % 2 ? 11 : 28;
        star << QPointF(592 + r * std::cos(a), 393 + r * std::sin(a));
    }
    p.setBrush(QColor(240, 140, 170));
    p.drawPolygon(star);
    // Beach ball.
    p.setBrush(QColor(250, 250, 250));
    p.drawEllipse(QPointF(250, 330), 26, 26);
    p.setBrush(QColor(40, 120, 220));
    p.drawPie(QRectF(224, 304, 52, 52), 90 * 16, 60 * 16);
    p.setBrush(QColor(240, 200, 40));
    p.drawPie(QRectF(224, 304, 52, 52), 210 * 16, 60 * 16);
    p.setBrush(QColor(220, 60, 60));
    p.drawPie(QRectF(224, 304, 52, 52), 330 * 16, 60 * 16);
    // Parasol.
    p.setBrush(QColor(90, 90, 100));
    p.drawRect(QRectF(517, 268, 6, 130));
    p.setBrush(QColor(40, 170, 120));
    p.drawChord(QRectF(444, 230, 152, 80), 0, 180 * 16);
    return img;
}

// Nobody answers: the cut-out asks nothing.
class SilentPlatform : public toravi::Platform {
public:
    int messageBox(const QString&, int, const QString&) override { return toravi::IDOK; }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    QString openFile(const toravi::FileDialogRequest&) override { return {}; }
    QString saveFile(const toravi::FileDialogRequest&) override { return {}; }
    quint32 chooseColor(quint32 preset) override { return preset; }
    QString chooseFolder(const QString&) override { return {}; }
    void shellOpen(const QString&) override {}
};

bool cutBeach(const QString& folder)
{
    using namespace toravi;
    const QString picture = folder + QStringLiteral("/plage.png");
    if (!beach().save(picture))
        return false;
    const std::optional<CutoutSource> src = CutoutSource::Open(picture);
    if (!src)
        return false;
    QList<CutoutObject> objects;
    for (const BeachObject& o : kBeachBoxed)
        objects.append({QString::fromUtf8(o.name), MaskFromBox(*src, o.box.adjusted(-10, -10, 10, 10))});
    objects.append({QStringLiteral("Le soleil"), MaskFromWand(*src, kSun.toPoint(), kDefaultWandTolerance)});
    objects.append({QStringLiteral("Le bateau"), MaskFromOutline(src->size(), kBoat)});
    objects.append({QStringLiteral("Le parasol"), MaskFromOutline(src->size(), parasolOutline())});

    QTemporaryDir work;
    SilentPlatform platform;
    DragDropModule module(platform);
    module.ResetProject();
    DragDropState& s = module.state;
    s.strFolderName = work.path();
    const QString error = ApplyCutout(module, picture, *src, objects, PlaceFill::Silhouette, QColor(120, 110, 150));
    if (!error.isEmpty()) {
        qWarning("%s", qPrintable(error));
        return false;
    }
    // An example names its pictures beside it and leaves the working folder to the teacher.
    const QString img = JoinPath(work.path(), QStringLiteral("img"));
    auto bring = [&](const QString& name) {
        QFile::remove(folder + QLatin1Char('/') + name);
        return QFile::copy(JoinPath(img, name), folder + QLatin1Char('/') + name);
    };
    if (!bring(s.strImageFile))
        return false;
    s.strOrigImageFile = s.strImageFile;
    for (DragDropObject& o : s.objects) {
        if (!bring(o.fileName))
            return false;
        o.source = o.fileName;
    }
    s.strFolderName.clear();
    s.strPageWeb = QStringLiteral("plage.htm");
    s.strTitre = QStringLiteral("À la plage");
    s.strAffiche = QStringLiteral("À la plage");
    s.strConsigne = QStringLiteral("Chaque chose a laissé sa forme sur la plage. Fais glisser chaque objet sur sa "
                                   "forme.<br>Puis clique sur « Vérifier ».");
    s.strBackgroundColor = QStringLiteral("D8EEF8");
    s.strTextColor = QStringLiteral("1A3A5A");
    s.strTextBackColor = QStringLiteral("FFF8E0");
    s.strTitelColor = QStringLiteral("1A5A8A");
    s.strTitelBold = QStringLiteral("bold");
    s.strTableColor = QStringLiteral("FFFDF5");
    s.strImgAlt = QStringLiteral("vrai");
    // plage.png stays beside it: the teacher can cut it again in "Découper les objets".
    return WriteTextFile(folder + QStringLiteral("/plage.txt"), DragDropProjectLines(s).join(QStringLiteral("\r\n")));
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("exemples");
    QDir().mkpath(out + QStringLiteral("/info-bulles"));
    QDir().mkpath(out + QStringLiteral("/glisser-deposer"));
    island().save(out + QStringLiteral("/info-bulles/ile.png"));

    QImage scene = canvas(700, 430);
    {
        QPainter p(&scene);
        paintDeskScene(p, true);
    }
    scene.save(out + QStringLiteral("/glisser-deposer/bureau.png"));
    QImage background = canvas(64, 64, QColor(235, 245, 250));
    {
        QPainter p(&background);
        p.setPen(QPen(QColor(210, 228, 240), 2));
        p.drawLine(0, 32, 64, 32);
        p.drawLine(32, 0, 32, 64);
    }
    background.save(out + QStringLiteral("/glisser-deposer/fond.png"));
    QList<QImage> objects;
    for (const DeskObject& o : kDeskObjects) {
        objects << object(QLatin1String(o.kind));
        objects.last().save(out + QStringLiteral("/glisser-deposer/") + QLatin1String(o.kind) + QStringLiteral(".png"));
    }
    QFile project(out + QStringLiteral("/glisser-deposer/bureau.txt"));
    if (!project.open(QIODevice::WriteOnly) || project.write(deskProject(objects)) < 0)
        return 1;
    if (!cutBeach(out + QStringLiteral("/glisser-deposer")))
        return 1;
    return 0;
}
