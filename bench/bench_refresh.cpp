// The drag-and-drop window's refresh with the photos teachers really add:
// 24 object pictures and a reference picture of 4000 x 3000 pixels, JPEG, several
// MB each. First refresh (nothing decoded yet) and repeated refresh (nothing
// changed), with and without the picture cache.
#include "bench_common.h"

#include "dragdrop/dragdropwindow.h"
#include "files/files.h"
#include "pictures/picturecache.h"
#include "support/scriptedplatform.h"
#include "widgets/appcontext.h"
#include "widgets/windownames.h"
#include "windowregistry.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QThread>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <ctime>

using namespace toravi;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);

    // The photos take a while to make: they are kept between runs. Camera photos,
    // with their EXIF block, orientation and thumbnail.
    const QString folder = bench::CameraPhotoFolder();
    const QString img = JoinPath(folder, QStringLiteral("img"));
    qint64 bytes = 0;
    for (int i = 0; i <= 24; ++i)
        bytes += QFileInfo(JoinPath(img, bench::CameraPhotoName(i))).size();
    const double mbEach = double(bytes) / 25 / (1024 * 1024);

    ScriptedPlatform platform;
    AppContext ctx(platform);
    RegisterAllWindows(ctx);
    ctx.quit = [] {};
    ctx.windows.show(names::kDragDrop);
    auto* window = qobject_cast<DragDropWindow*>(ctx.windows.find(names::kDragDrop));
    DragDropState& s = ctx.dragdrop.state;
    s.strFolderName = folder;
    s.strOrigImageFile = JoinPath(img, bench::CameraPhotoName(24));
    s.strImageFile = bench::CameraPhotoName(24);
    s.strImageLargeur = QStringLiteral("3000");
    s.strImageHauteur = QStringLiteral("4000");
    s.previewShown = true;
    for (int i = 0; i < 24; ++i) {
        const QString name = bench::CameraPhotoName(i);
        s.objects.append({JoinPath(img, name), name, QStringLiteral("photo")});
    }

    PictureCache& cache = PictureCache::instance();
    QElapsedTimer t;
    double cpuMs = 0;  // processor time of the last refresh, all threads
    auto cpuNow = [] {
        timespec ts{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
    };
    auto timeRefresh = [&] {
        const double c0 = cpuNow();
        t.start();
        window->RefreshWindow();
        const double wall = double(t.nsecsElapsed()) / 1e6;
        cpuMs = cpuNow() - c0;
        return wall;
    };

    // With the cache: first refresh decodes, the next ones reuse. Today's way
    // (every photo decoded at 1/8 or so) and the new one (thumbnails) turn about.
    cache.setEnabled(true);
    std::vector<double> first, firstCpu, firstOld, firstOldCpu, repeated;
    for (int round = 0; round < 5; ++round) {
        for (bool fast : {false, true}) {
            PictureCache::setFastPreviews(fast);
            cache.clear();
            (fast ? first : firstOld).push_back(timeRefresh());
            (fast ? firstCpu : firstOldCpu).push_back(cpuMs);
        }
        for (int i = 0; i < 12; ++i)
            repeated.push_back(timeRefresh());
    }
    // Without the cache every refresh decodes everything again.
    cache.setEnabled(false);
    std::vector<double> uncached;
    for (int i = 0; i < 3; ++i)
        uncached.push_back(timeRefresh());
    cache.setEnabled(true);
    // What decoding at full size would cost for the same 25 pictures.
    t.start();
    for (const DragDropObject& o : s.objects)
        (void)QImage(JoinPath(img, o.fileName)).scaled(68, 53);
    (void)QImage(JoinPath(img, s.strImageFile)).scaled(293, 220);
    const double fullDecode = double(t.nsecsElapsed()) / 1e6;

    const QString note = QStringLiteral("24 objets + aperçu, photos 4000x3000 avec EXIF, %1 Mo chacune").arg(mbEach, 0, 'f', 1);
    const double best = *std::min_element(first.begin(), first.end());
    const double bestOld = *std::min_element(firstOld.begin(), firstOld.end());
    bench::Row(QStringLiteral("Rafraîchissement, premier (cache vide)"), best, QStringLiteral("ms"),
               note + QStringLiteral(" ; vignettes EXIF ; avant : %1 ms, %2× plus rapide ; meilleur de 5")
                          .arg(bestOld, 0, 'f', 1)
                          .arg(bestOld / best, 0, 'f', 1));
    bench::Row(QStringLiteral("Rafraîchissement, premier, temps processeur"),
               *std::min_element(firstCpu.begin(), firstCpu.end()), QStringLiteral("ms"),
               QStringLiteral("tous cœurs confondus ; avant : %1 ms")
                   .arg(*std::min_element(firstOldCpu.begin(), firstOldCpu.end()), 0, 'f', 1));
    bench::Row(QStringLiteral("Rafraîchissement, répété (cache)"), bench::Median(repeated), QStringLiteral("ms"),
               QStringLiteral("médiane de %1").arg(repeated.size()));
    bench::Row(QStringLiteral("Rafraîchissement, répété, pire cas (cache)"),
               *std::max_element(repeated.begin(), repeated.end()), QStringLiteral("ms"));
    bench::Row(QStringLiteral("Rafraîchissement sans cache"), bench::Median(uncached), QStringLiteral("ms"),
               QStringLiteral("décodage à la taille affichée"));
    bench::Row(QStringLiteral("Décodage en taille réelle, 25 images"), fullDecode, QStringLiteral("ms"),
               QStringLiteral("sans taille d'affichage ni cache"));
    return 0;
}
