// The point editor with a camera photo (4000 x 3000 JPEG) as reference picture
// and 200 points: first showing of the picture, the refresh that follows every
// key pressed in the names list, and the painting of the picture with its marks.
#include "bench_common.h"

#include "files/files.h"
#include "pictures/picturecache.h"
#include "pictures/pictures.h"
#include "support/scriptedplatform.h"
#include "tooltip/picturebox.h"
#include "widgets/appcontext.h"
#include "widgets/windownames.h"
#include "windowregistry.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QKeyEvent>
#include <QListWidget>
#include <QRandomGenerator>
#include <algorithm>
#include <vector>

using namespace toravi;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);

    const QString folder = bench::CameraPhotoFolder();
    const QString photo = JoinPath(JoinPath(folder, QStringLiteral("img")), bench::CameraPhotoName(0));
    // What "Oui" to the offer gives: a copy that fits the frame.
    const QSize reduced = ReferenceCopySize(ShownSize(photo));
    MakePictureCopy(photo, folder, ReducedCopyName(photo, reduced));

    ScriptedPlatform platform;
    AppContext ctx(platform);
    RegisterAllWindows(ctx);
    ctx.quit = [] {};
    ctx.windows.show(names::kPointEditor);
    QWidget* form1 = ctx.windows.find(names::kPointEditor);
    auto* picture = form1->findChild<PictureBox*>(QStringLiteral("Picture1"));
    auto* names = form1->findChild<QListWidget*>(QStringLiteral("List3"));

    TooltipState& s = ctx.tooltip.state;
    s.strFolderName = folder;
    s.strOrigImageFile = photo;
    s.pictureShown = true;
    for (int i = 0; i < 200; ++i)
        s.points.append({QString::number((i * 37) % 733), QString::number((i * 53) % 643 + 6),
                         QStringLiteral("Point numéro %1").arg(i)});

    // A photo taken upright (no orientation to apply): its frame is its first rows.
    const QString landscape = JoinPath(JoinPath(folder, QStringLiteral("img")), QStringLiteral("paysage.jpg"));
    if (!QImageReader(landscape).canRead())
        bench::WritePhoto(landscape, 7);

    // Today's way (the whole photo decoded), the part the frame shows, and the reduced copy, in turn.
    QElapsedTimer t;
    std::vector<double> times[5];  // portrait whole, part; the copy; landscape whole, part
    const QString shown[5] = {bench::CameraPhotoName(0), bench::CameraPhotoName(0), ReducedCopyName(photo, reduced),
                              QStringLiteral("paysage.jpg"), QStringLiteral("paysage.jpg")};
    for (int round = 0; round < 5; ++round) {
        for (int way = 0; way < 5; ++way) {
            PictureCache::setFastPreviews(way != 0 && way != 3);
            s.strImageFile = shown[way];
            PictureCache::instance().clear();
            t.start();
            emit ctx.tooltip.refreshRequested();
            times[way].push_back(t.nsecsElapsed() / 1e6);
        }
    }
    auto best = [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); };
    bench::Row(QStringLiteral("Éditeur de points, premier affichage, copie réduite"), best(times[2]), QStringLiteral("ms"),
               QStringLiteral("photo 3000x4000 réduite à %1x%2 (Oui), 200 points listés ; meilleur de 5")
                   .arg(reduced.width())
                   .arg(reduced.height()));
    for (int way : {1, 4})
        bench::Row(QStringLiteral("Éditeur de points, premier affichage, photo entière %1")
                       .arg(way == 1 ? QStringLiteral("en portrait") : QStringLiteral("en paysage")),
                   best(times[way]), QStringLiteral("ms"),
                   QStringLiteral("(Non) seul le cadre 733x643 décodé%1 ; avant : %2 ms, tout décodé, %3× plus rapide")
                       .arg(way == 1 ? QStringLiteral(" (en bas de la photo telle qu'enregistrée)") : QString())
                       .arg(best(times[way - 1]), 0, 'f', 1)
                       .arg(best(times[way - 1]) / best(times[way]), 0, 'f', 1));

    names->setCurrentRow(0);
    std::vector<double> keys;
    for (int i = 0; i < 50; ++i) {
        QKeyEvent down(QEvent::KeyPress, i % 2 ? Qt::Key_Up : Qt::Key_Down, Qt::NoModifier);
        t.restart();
        QApplication::sendEvent(names, &down);
        keys.push_back(t.nsecsElapsed() / 1e6);
    }
    bench::Row(QStringLiteral("Éditeur de points, rafraîchissement après une touche"), bench::Median(keys), QStringLiteral("ms"),
               QStringLiteral("médiane de 50 flèches, image en cache"));

    std::vector<double> paints;
    for (int i = 0; i < 30; ++i) {
        t.restart();
        picture->grab();
        paints.push_back(t.nsecsElapsed() / 1e6);
    }
    bench::Row(QStringLiteral("Éditeur de points, dessin de 200 cercles"), bench::Median(paints), QStringLiteral("ms"),
               QStringLiteral("médiane de 30 dessins de Picture1"));
    return 0;
}
