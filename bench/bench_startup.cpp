// Start-up to the launcher: from the start of main to the launcher window shown
// and painted once (offscreen), as the program does it.
#include "bench_common.h"
#include "widgets/appcontext.h"
#include "widgets/windownames.h"
#include "windowregistry.h"
#include "widgets/qtplatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

int main(int argc, char** argv)
{
    QElapsedTimer timer;
    timer.start();
    QApplication app(argc, argv);
    toravi::QtPlatform platform;
    toravi::AppContext ctx(platform);
    toravi::RegisterAllWindows(ctx);
    ctx.windows.show(toravi::names::kLauncher);
    QWidget* launcher = ctx.windows.find(toravi::names::kLauncher);
    launcher->repaint();
    QApplication::processEvents();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    bench::Row(QStringLiteral("Démarrage jusqu'au lanceur"), ms, QStringLiteral("ms"),
               QStringLiteral("dans le processus, plateforme offscreen"));
    return 0;
}
