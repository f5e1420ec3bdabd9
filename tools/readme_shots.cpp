// Screenshots of the real windows for the README, with the example projects
// loaded into a scratch working folder: `toravi_readme_shots <docs/images>`.
#include "commandline.h"
#include "files/files.h"
#include "support/scriptedplatform.h"
#include "widgets/appcontext.h"
#include "widgets/qtplatform.h"
#include "widgets/windownames.h"
#include "windowregistry.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>

using namespace toravi;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    LoadQtTranslations(app);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const QString examples = ProgramFolder() + QStringLiteral("/exemples/");
    ScriptedPlatform platform;
    AppContext ctx(platform);
    RegisterAllWindows(ctx);
    ctx.quit = [] {};
    QTemporaryDir tmp;
    QDir().mkpath(tmp.filePath(QStringLiteral("ile")));
    QDir().mkpath(tmp.filePath(QStringLiteral("bureau")));

    auto shot = [&](const QString& name, const char* file) {
        QWidget* w = ctx.windows.find(name);
        app.processEvents();
        w->grab().save(out + QLatin1Char('/') + QLatin1String(file));
    };

    ctx.windows.show(names::kLauncher);
    shot(names::kLauncher, "accueil.png");

    ctx.windows.show(names::kPointEditor);
    ctx.tooltip.LoadProjectFile(examples + QStringLiteral("info-bulles/ile.txt"), tmp.filePath(QStringLiteral("ile")));
    shot(names::kPointEditor, "editeur-de-points.png");

    ctx.windows.show(names::kDragDrop);
    ctx.dragdrop.LoadProjectFile(examples + QStringLiteral("glisser-deposer/bureau.txt"),
                                 tmp.filePath(QStringLiteral("bureau")));
    ctx.dragdrop.Validate();
    shot(names::kDragDrop, "glisser-deplacer.png");

    // The example's places, but for the ball and the pencils, still in the row.
    ctx.dragdrop.SetPlace(5, std::nullopt);
    ctx.dragdrop.SetPlace(6, std::nullopt);
    ctx.windows.show(names::kPlaces);
    ctx.windows.find(names::kPlaces)->resize(760, 720);
    shot(names::kPlaces, "places-des-objets.png");
    ctx.windows.unload(names::kPlaces);

    // Qt's own file dialog, in French like the rest.
    QtPlatform real;
    QTimer::singleShot(800, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialog->grab().save(out + QStringLiteral("/dialogue-fichier.png"));
            dialog->reject();
        }
    });
    real.openFile({examples, QStringLiteral("txt"), QStringLiteral("Fichiers texte (*.txt)|*.txt|Tous (*.*)|*.*"),
                   QStringLiteral("Nom du fichier de paramètres pour ce projet")});
    return 0;
}
