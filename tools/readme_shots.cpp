// Screenshots of the real windows for the README, with the example projects
// loaded into a scratch working folder: `toravi_readme_shots <docs/images>`.
#include "commandline.h"
#include "dragdrop/cutoutwindow.h"
#include "files/files.h"
#include "support/scriptedplatform.h"
#include "widgets/appcontext.h"
#include "widgets/qtplatform.h"
#include "widgets/windownames.h"
#include "windowregistry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QDialog>
#include <QTimer>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>

using namespace toravi;

namespace {

void waitFor(CutoutWindow* w)
{
    do
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    while (w->Busy());
}

void cutoutShot(AppContext& ctx, ScriptedPlatform& platform, const QString& picture, const QString& out)
{
    ctx.dragdrop.ResetProject();
    ctx.windows.show(names::kCutout);
    auto* w = qobject_cast<CutoutWindow*>(ctx.windows.find(names::kCutout));
    w->resize(1180, 700);
    w->OpenPicture(picture);
    waitFor(w);
    CutoutCanvas* canvas = w->Canvas();
    for (const auto& [name, box] : {std::pair{"Le seau", QRect(86, 320, 90, 96)}, {"Le crabe", QRect(290, 370, 106, 70)},
                                    {"Le ballon", QRect(210, 290, 80, 80)}}) {
        platform.queueInput(QString::fromUtf8(name));
        emit canvas->boxDrawn(box);
        waitFor(w);
    }
    platform.queueInput(QStringLiteral("Le soleil"));
    emit canvas->wandClicked(QPoint(90, 70));
    waitFor(w);
    w->findChild<QAbstractButton*>(QStringLiteral("optPolygone"))->click();
    platform.queueInput(QStringLiteral("Le bateau"));
    emit canvas->outlineDrawn(QPolygonF({QPointF(297, 227), QPointF(351, 152), QPointF(360, 162), QPointF(403, 225),
                                         QPointF(407, 232), QPointF(387, 256), QPointF(313, 256), QPointF(293, 232)}));
    waitFor(w);
    w->findChild<QAbstractButton*>(QStringLiteral("optSilhouette"))->click();
    w->findChild<QListWidget*>(QStringLiteral("lstObjets"))->setCurrentRow(1);
    waitFor(w);
    w->grab().save(out + QStringLiteral("/decouper-les-objets.png"));
    platform.queueMessage(IDYES);  // leaves without changing the project
    w->findChild<QAbstractButton*>(QStringLiteral("cmdAnnuler"))->click();
}

}  // namespace

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

    // "Découper les objets" on the beach drawing: a box, a click of the wand, a polygon; silhouettes.
    QDir().mkpath(tmp.filePath(QStringLiteral("Images")));
    QFile::copy(examples + QStringLiteral("glisser-deposer/plage.png"), tmp.filePath(QStringLiteral("Images/plage.png")));
    cutoutShot(ctx, platform, tmp.filePath(QStringLiteral("Images/plage.png")), out);

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
