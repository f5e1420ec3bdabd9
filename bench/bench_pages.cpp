// Page creation for large projects: a tooltip page of 1000 points and a
// drag-and-drop page of 300 objects, written into a scratch working folder.
#include "bench_common.h"
#include "dragdrop/dragdropmodule.h"
#include "files/files.h"
#include "support/scriptedplatform.h"
#include "tooltip/tooltipmodule.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

using namespace toravi;

namespace {
template <typename F>
double medianMs(int rounds, F&& run)
{
    std::vector<double> t;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        t.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString work = dir.filePath(QStringLiteral("travail"));
    QDir().mkpath(work);
    PrepareImgFolder(work);
    QImage scene(700, 500, QImage::Format_RGB32);
    scene.fill(Qt::white);
    scene.save(work + QStringLiteral("/img/scene.png"));

    ScriptedPlatform platform;
    TooltipModule tooltip(platform);
    tooltip.ResetProject();
    tooltip.state.strFolderName = work;
    tooltip.state.strImageFile = QStringLiteral("scene.png");
    tooltip.state.strLargeur = QStringLiteral("700");
    tooltip.state.strHauteur = QStringLiteral("500");
    for (int i = 0; i < 1000; ++i)
        tooltip.state.points.append({QString::number(i % 700), QString::number(6 + i % 500),
                                     QStringLiteral("Point numéro %1<br>deuxième ligne").arg(i)});
    tooltip.ApplyRefreshDefaults();
    const double tooltipMs = medianMs(11, [&] { tooltip.CreatePage(); });
    bench::Row(QStringLiteral("Page Info-bulles, 1000 points"), tooltipMs, QStringLiteral("ms"),
               QStringLiteral("page et interact.js écrits"));

    DragDropModule dd(platform);
    dd.ResetProject();
    dd.state.strFolderName = work;
    dd.state.strImageFile = QStringLiteral("scene.png");
    QImage object(80, 60, QImage::Format_ARGB32);
    object.fill(Qt::red);
    for (int i = 0; i < 300; ++i) {
        const QString name = QStringLiteral("objet%1.png").arg(i);
        object.save(work + QStringLiteral("/img/") + name);
        dd.state.objects.append({work + QStringLiteral("/img/") + name, name, QStringLiteral("Objet %1").arg(i)});
    }
    dd.ApplyRefreshDefaults();
    const double ddMs = medianMs(11, [&] { dd.CreatePage(); });
    bench::Row(QStringLiteral("Page Glisser-déplacer, 300 objets"), ddMs, QStringLiteral("ms"),
               QStringLiteral("tailles lues, page, ordre.js et pixel copiés"));
    return 0;
}
