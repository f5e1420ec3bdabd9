// A drag-and-drop page made by `toravi generate` from 25 camera photos (a scene
// and 24 objects of 4000 x 3000), with and without --reduce: the weight of the
// page folder the pupils' machines load, and the time taken.
#include "bench_common.h"
#include "commandline.h"
#include "dragdrop/dragdropmodule.h"
#include "files/files.h"
#include "files/textfile.h"
#include "support/scriptedplatform.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace toravi;

namespace {
qint64 FolderBytes(const QString& folder)
{
    qint64 total = 0;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        total += QFileInfo(it.next()).size();
    return total;
}
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString img = JoinPath(bench::CameraPhotoFolder(), QStringLiteral("img"));
    QTemporaryDir tmp;
    ScriptedPlatform platform;
    DragDropModule m(platform);
    m.ResetProject();
    m.state.strOrigImageFile = JoinPath(img, bench::CameraPhotoName(24));
    m.state.strImageFile = bench::CameraPhotoName(24);
    m.state.strPageWeb = QStringLiteral("photos.htm");
    for (int i = 0; i < 24; ++i)
        m.state.objects.append({JoinPath(img, bench::CameraPhotoName(i)), bench::CameraPhotoName(i), QString()});
    m.ApplyRefreshDefaults();
    const QString project = tmp.filePath(QStringLiteral("photos.txt"));
    WriteTextFile(project, DragDropProjectLines(m.state).join(CRLF));

    for (bool reduce : {false, true}) {
        const QString out = tmp.filePath(reduce ? QStringLiteral("reduit") : QStringLiteral("entier"));
        QStringList args{QStringLiteral("--folder"), out, project};
        if (reduce)
            args.prepend(QStringLiteral("--reduce"));
        QElapsedTimer t;
        t.start();
        const int code = RunGenerateCommand(args);
        const double ms = t.nsecsElapsed() / 1e6;
        const double mb = double(FolderBytes(out)) / (1024 * 1024);
        bench::Row(reduce ? QStringLiteral("Page Glisser-déplacer de 25 photos, --reduce")
                          : QStringLiteral("Page Glisser-déplacer de 25 photos"),
                   mb, QStringLiteral("Mo"),
                   QStringLiteral("page, ordre.js et img ; toravi generate en %1 s%2")
                       .arg(ms / 1000, 0, 'f', 1)
                       .arg(code == 0 ? QString() : QStringLiteral(", ÉCHEC")));
    }
    return 0;
}
