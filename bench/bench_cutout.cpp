// The cut-out on composed pictures: objects with transparency pasted on photos,
// so that each object's true outline and the background under it are known.
// Real photos and objects when Debian's tuxpaint-data and tuxpaint-stamps-default
// are installed (their photo templates and photographed stamps), else made ones.
// Quality: the box tool's intersection over union with the true outline; the
// mean error of an erased place against the real background, beside that of
// leaving the object. Speed on a 12-megapixel photo: a box, the wand, the
// emptied scene, the whole cut-out of five objects into a working folder.
#include "bench_common.h"
#include "dragdrop/dragdropcutout.h"
#include "files/files.h"
#include "support/composed.h"
#include "support/scriptedplatform.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <ctime>

using namespace toravi;
using namespace toravi::test;

namespace {

const QString kTuxpaint = QStringLiteral("/usr/share/tuxpaint");
const QStringList kPhotos = {"rocks.jpg", "mossy_log.jpg", "trees_at_dusk.jpg", "sheep.jpg", "wool_mill_machine.jpg",
                             "cliff.jpg"};
const QStringList kObjects = {"food/fruit/orange_seville.png",  "food/fruit/Cherry_Stella.png",
                              "food/fruit/Apricot_whole.png",   "food/spices/ginger.png",
                              "household/Lightbulb.png",        "plants/flowers/anemone_red.png",
                              "animals/insects/mantis.png",     "animals/fish/lobster.png",
                              "animals/birds/crowned_crane.png", "animals/birds/helmeted_guineafowl.png",
                              "vehicles/wheel_tractor.png",     "household/tools/cementmixer.png"};

QImage Photo(int i)
{
    return QImage(kTuxpaint + "/templates/" + kPhotos[i % kPhotos.size()]);
}

QList<QImage> Objects(int first, int count)
{
    QList<QImage> objects;
    for (int i = 0; i < count; ++i) {
        const QImage o(kTuxpaint + "/stamps/" + kObjects[(first + i) % kObjects.size()]);
        if (!o.isNull())
            objects << o;
    }
    return objects;
}

bool RealPictures() { return !Photo(0).isNull() && Objects(0, kObjects.size()).size() == kObjects.size(); }

double Ms(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

// Processor time, all threads: what the work costs whatever else the machine runs.
struct Cpu {
    std::clock_t start = std::clock();
    QString note() const
    {
        return QStringLiteral("processeur %1 ms").arg(1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC, 0, 'f', 0);
    }
};

Composed Compose(QSize size, int count, int i, double fraction, bool real)
{
    return real ? ComposePicture(size, count, quint32(i + 1), fraction, Objects(i * count, count), Photo(i))
                : ComposePicture(size, count, quint32(i + 1), fraction);
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const bool real = RealPictures();
    const QString from = real ? QStringLiteral("photos et objets de tuxpaint-data / tuxpaint-stamps-default")
                              : QStringLiteral("photos et objets composés (tuxpaint absent)");

    // Quality on six pictures of 1200 x 800, five objects each, boxes 10 px around them.
    std::vector<double> iou, erased, left, erasedTrue;
    QStringList poor;
    int good = 0;
    for (int i = 0; i < 6; ++i) {
        const Composed c = Compose({1200, 800}, 5, i, 0.18, real);
        const CutoutSource src = CutoutSource::FromImage(c.picture);
        QList<QImage> found;
        for (qsizetype k = 0; k < c.masks.size(); ++k) {
            found << MaskFromBox(src, c.boxes[k].adjusted(-10, -10, 10, 10));
            iou.push_back(MaskIoU(found.last(), c.masks[k]));
            good += iou.back() >= 0.95;
            if (iou.back() < 0.95)
                poor << QStringLiteral("%1 %2").arg(real ? kObjects[(i * 5 + k) % kObjects.size()].section('/', -1) : QString::number(k))
                            .arg(iou.back(), 0, 'f', 2);
        }
        // The erase measured where the objects were, on the page's copy (700 wide) from the true outlines.
        const QSize page(700, 467);
        QImage places(page, QImage::Format_Grayscale8);
        places.fill(0);
        for (const QImage& m : c.masks) {
            const QImage s = ScaledMask(m, page);
            for (int y = 0; y < page.height(); ++y)
                for (int x = 0; x < page.width(); ++x)
                    places.scanLine(y)[x] |= s.constScanLine(y)[x];
        }
        const QImage background = c.background.scaled(page, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage picture = c.picture.scaled(page, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        erased.push_back(MeanError(EmptiedScene(src, found, PlaceFill::Erase, QColor(), page), background, places));
        erasedTrue.push_back(MeanError(EmptiedScene(src, c.masks, PlaceFill::Erase, QColor(), page), background, places));
        left.push_back(MeanError(picture, background, places));
    }
    std::vector<double> sorted = iou;
    std::sort(sorted.begin(), sorted.end());
    bench::Row(QStringLiteral("Cadre : IoU médiane (30 objets, 1200 x 800)"), bench::Median(iou), QString(), from);
    bench::Row(QStringLiteral("Cadre : objets à IoU >= 0,95"), 100.0 * good / iou.size(), QStringLiteral("%"), from);
    bench::Row(QStringLiteral("Cadre : IoU la plus basse"), sorted.front(), QString(), poor.join(QStringLiteral(", ")));
    bench::Row(QStringLiteral("Place effacée : erreur moyenne / fond réel"), bench::Median(erased),
               QStringLiteral("niveaux"), QStringLiteral("médiane de 6 images, copie de la page 700 px"));
    bench::Row(QStringLiteral("Place effacée, vrais contours : erreur moyenne / fond réel"), bench::Median(erasedTrue),
               QStringLiteral("niveaux"), QStringLiteral("l'effacement seul, sans les erreurs du cadre"));
    bench::Row(QStringLiteral("Objet laissé : erreur moyenne / fond réel"), bench::Median(left),
               QStringLiteral("niveaux"), QStringLiteral("mêmes places"));

    // Speed on a phone photo of 12 megapixels: objects of about 15 % and 45 % of its width.
    const Composed big = Compose({4000, 3000}, 5, 0, 0.15, real);
    QTemporaryDir tmp;
    const QString photo = tmp.filePath(QStringLiteral("photo.jpg"));
    big.picture.save(photo, "JPG", 90);
    QElapsedTimer t;
    t.start();
    const std::optional<CutoutSource> src = CutoutSource::Open(photo);
    bench::Row(QStringLiteral("Ouverture d'une photo 4000 x 3000"), Ms(t), QStringLiteral("ms"));
    std::vector<double> times;
    QList<QImage> found;
    std::vector<double> cpu;
    for (const QRect& box : big.boxes) {
        t.restart();
        const std::clock_t c0 = std::clock();
        found << MaskFromBox(*src, box.adjusted(-20, -20, 20, 20));
        times.push_back(Ms(t));
        cpu.push_back(1000.0 * double(std::clock() - c0) / CLOCKS_PER_SEC);
    }
    bench::Row(QStringLiteral("Cadre sur 12 Mpx, objet ~600 px : médiane"), bench::Median(times), QStringLiteral("ms"),
               QStringLiteral("processeur %1 ms").arg(bench::Median(cpu), 0, 'f', 0));
    bench::Row(QStringLiteral("Cadre sur 12 Mpx, objet ~600 px : le plus long"),
               *std::max_element(times.begin(), times.end()), QStringLiteral("ms"));
    const Composed large = Compose({4000, 3000}, 2, 1, 0.45, real);
    const CutoutSource largeSrc = CutoutSource::FromImage(large.picture);
    times.clear();
    std::vector<double> largeIou;
    Cpu largeCpu;
    for (qsizetype k = 0; k < large.boxes.size(); ++k) {
        t.restart();
        const QImage mask = MaskFromBox(largeSrc, large.boxes[k].adjusted(-20, -20, 20, 20));
        times.push_back(Ms(t));
        largeIou.push_back(MaskIoU(mask, large.masks[k]));
    }
    bench::Row(QStringLiteral("Cadre sur 12 Mpx, objet ~1800 px (copie réduite) : le plus long"),
               *std::max_element(times.begin(), times.end()), QStringLiteral("ms"),
               QStringLiteral("IoU %1 ; 2 objets, %2").arg(*std::min_element(largeIou.begin(), largeIou.end()), 0, 'f', 3)
                   .arg(largeCpu.note()));

    // The wand on a map of 12 megapixels, in a region of a quarter of it.
    QImage map(4000, 3000, QImage::Format_RGB888);
    map.fill(QColor(170, 210, 240));
    QPainter(&map).fillRect(QRect(500, 400, 2000, 1500), QColor(240, 220, 130));
    const CutoutSource mapSrc = CutoutSource::FromImage(map);
    t.restart();
    Cpu wandCpu;
    const QImage land = MaskFromWand(mapSrc, QPoint(1000, 1000), kDefaultWandTolerance);
    bench::Row(QStringLiteral("Baguette sur 12 Mpx (zone de 3 Mpx)"), Ms(t), QStringLiteral("ms"), wandCpu.note());

    for (QSize size : {QSize(700, 525), QSize(1400, 1050), QSize()}) {
        t.restart();
        Cpu sceneCpu;
        const QImage scene = EmptiedScene(*src, found, PlaceFill::Erase, QColor(), size);
        bench::Row(QStringLiteral("Scène effacée (5 places) %1").arg(size.isEmpty() ? QStringLiteral("4000 x 3000")
                                                                                     : QStringLiteral("%1 x %2")
                                                                                           .arg(size.width())
                                                                                           .arg(size.height())),
                   Ms(t), QStringLiteral("ms"), sceneCpu.note());
    }
    for (PlaceFill fill : {PlaceFill::Silhouette, PlaceFill::Colour}) {
        t.restart();
        EmptiedScene(*src, found, fill, kDefaultPlaceColour, QSize(700, 525));
        bench::Row(fill == PlaceFill::Silhouette ? QStringLiteral("Scène en silhouettes 700 x 525")
                                                 : QStringLiteral("Scène en couleur unie 700 x 525"),
                   Ms(t), QStringLiteral("ms"));
    }

    // OK: the scene and five objects written into a working folder, the project filled.
    ScriptedPlatform platform;
    DragDropModule m(platform);
    m.ResetProject();
    m.state.strFolderName = tmp.filePath(QStringLiteral("travail"));
    QDir().mkpath(m.state.strFolderName);
    QList<CutoutObject> objects;
    for (qsizetype k = 0; k < found.size(); ++k)
        objects.append({QStringLiteral("objet %1").arg(k + 1), found[k]});
    t.restart();
    Cpu applyCpu;
    const QString refusal = ApplyCutout(m, photo, *src, objects, PlaceFill::Erase);
    bench::Row(QStringLiteral("Découpe de 5 objets sur 12 Mpx (écriture comprise)"), Ms(t), QStringLiteral("ms"),
               refusal.isEmpty() ? applyCpu.note() : refusal);
    return 0;
}
