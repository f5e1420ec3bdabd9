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
#include <QFileInfo>
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

    // The pages that travel: the same page in one file and as a SCORM package.
    const QString one = dir.filePath(QStringLiteral("seul.htm")), zip = dir.filePath(QStringLiteral("paquet.zip"));
    const double oneMs = medianMs(11, [&] { dd.ExportPage(PageExport::SingleFile, one); });
    bench::Row(QStringLiteral("Fichier unique, 300 objets"), oneMs, QStringLiteral("ms"),
               QStringLiteral("%1 Ko").arg(QFileInfo(one).size() / 1024));
    const double zipMs = medianMs(11, [&] { dd.ExportPage(PageExport::Scorm, zip); });
    bench::Row(QStringLiteral("Paquet SCORM, 300 objets"), zipMs, QStringLiteral("ms"),
               QStringLiteral("%1 Ko").arg(QFileInfo(zip).size() / 1024));

    // A phone photo kept whole: above 10 MB once inside, the teacher takes the reduced copy.
    bench::WritePhoto(work + QStringLiteral("/img/photo.jpg"), 0, QSize(4000, 3000), 100);
    tooltip.state.strOrigImageFile = work + QStringLiteral("/img/photo.jpg");
    tooltip.state.strImageFile = QStringLiteral("photo.jpg");
    for (const char* answer : {"Non", "Oui"}) {
        const double photoMs = medianMs(5, [&] {
            platform.queueMessage(QByteArray(answer) == "Oui" ? IDYES : IDNO);
            tooltip.ExportPage(PageExport::SingleFile, one);
        });
        bench::Row(QStringLiteral("Fichier unique, photo 4000 x 3000, %1").arg(QString::fromLatin1(answer)), photoMs,
                   QStringLiteral("ms"), QStringLiteral("%1 Ko").arg(QFileInfo(one).size() / 1024));
    }
    return 0;
}
