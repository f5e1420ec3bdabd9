// The drag-and-drop window's refresh with the photos teachers really add:
// 24 object pictures and a reference picture of 4000 x 3000 pixels, JPEG, several
// MB each. First refresh (nothing decoded yet) and repeated refresh (nothing
// changed), with and without the picture cache.
#include "bench_common.h"

#include "dragdrop/dragdropwindow.h"
#include "shared/picturecache.h"
#include "support/scriptedplatform.h"
#include "shared/publish.h"
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

    // The photos take a while to make: they are kept between runs.
    const QString folder = QDir::temp().filePath(QStringLiteral("toravi-bench-refresh"));
    const QString img = JoinPath(folder, QStringLiteral("img"));
    QDir().mkpath(img);
    qint64 bytes = 0;
    for (int i = 0; i <= 24; ++i) {
        const QString name = i == 24 ? QStringLiteral("scene.jpg") : QStringLiteral("photo%1.jpg").arg(i);
        if (!QImageReader(JoinPath(img, name)).canRead()) {
            std::fprintf(stderr, "Making %s (4000 x 3000)...\n", qPrintable(name));
            bench::WritePhoto(JoinPath(img, name), i);
        }
        bytes += QFileInfo(JoinPath(img, name)).size();
    }
    const double mbEach = double(bytes) / 25 / (1024 * 1024);

    ScriptedPlatform platform;
    AppContext ctx(platform);
    RegisterAllWindows(ctx);
    ctx.quit = [] {};
    ctx.windows.show(names::kDragDrop);
    auto* window = qobject_cast<DragDropWindow*>(ctx.windows.find(names::kDragDrop));
    DragDropState& s = ctx.dragdrop.state;
    s.strFolderName = folder;
    s.strOrigImageFile = JoinPath(img, QStringLiteral("scene.jpg"));
    s.strImageFile = QStringLiteral("scene.jpg");
    s.strImageLargeur = QStringLiteral("4000");
    s.strImageHauteur = QStringLiteral("3000");
    s.previewShown = true;
    for (int i = 0; i < 24; ++i) {
        const QString name = QStringLiteral("photo%1.jpg").arg(i);
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

    // With the cache: first refresh decodes, the next ones reuse.
    cache.setEnabled(true);
    cache.clear();
    std::vector<double> first, firstCpu, repeated;
    for (int round = 0; round < 3; ++round) {
        cache.clear();
        first.push_back(timeRefresh());
        firstCpu.push_back(cpuMs);
        for (int i = 0; i < 20; ++i)
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

    const QString note = QStringLiteral("24 objets + aperçu, JPEG 4000x3000, %1 Mo chacun").arg(mbEach, 0, 'f', 1);
    bench::Row(QStringLiteral("Rafraîchissement, premier (cache vide)"), bench::Median(first), QStringLiteral("ms"),
               note + QStringLiteral(", %1 cœurs").arg(QThread::idealThreadCount()));
    bench::Row(QStringLiteral("Rafraîchissement, premier, temps processeur"), bench::Median(firstCpu), QStringLiteral("ms"),
               QStringLiteral("tous cœurs confondus"));
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
