// A drag-and-drop page made by `toravi generate` from 25 camera photos (a scene
// and 24 objects of 4000 x 3000), with and without --reduce: the weight of the
// page folder the pupils' machines load, and the time taken. Then the copy of
// one 4000 x 3000 photo into a page-sized copy, saved as JPEG, WebP or TIFF.
#include "bench_common.h"
#include "commandline.h"
#include "dragdrop/dragdropmodule.h"
#include "files/files.h"
#include "files/textfile.h"
#include "support/scriptedplatform.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QImageWriter>
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

    // The same photo in three formats, copied to the scene's 700 x 525: the median of 5 runs.
    const QImage photo = bench::PhotoImage(3);
    for (auto [fmt, note] : {std::pair{"jpg", "JPEG qualité 90, décodé au 1/4 de sa taille"},
                             {"webp", "WebP qualité 80, décodé entier"}, {"tif", "TIFF LZW (numérisation), décodé entier"}}) {
        const QString path = tmp.filePath(QStringLiteral("grande.") + QLatin1String(fmt));
        QImageWriter writer(path);
        writer.setQuality(QByteArray(fmt) == "jpg" ? 90 : 80);
        writer.setCompression(1);
        writer.write(photo);
        const QString name = ReducedCopyName(path, SceneCopySize(ShownSize(path)));
        std::vector<double> ms;
        for (int i = 0; i < 5; ++i) {
            QFile::remove(JoinPath(JoinPath(tmp.path(), QStringLiteral("img")), name));
            QElapsedTimer t;
            t.start();
            const bool made = MakePictureCopy(path, tmp.path(), name);
            ms.push_back(made ? t.nsecsElapsed() / 1e6 : -1);
        }
        bench::Row(QStringLiteral("Copie 700x525 d'une photo %1 4000x3000").arg(QString::fromLatin1(fmt).toUpper()),
                   bench::Median(ms), QStringLiteral("ms"),
                   QStringLiteral("%1 (%2 Mo) ; copie %3").arg(QString::fromUtf8(note)).arg(QFileInfo(path).size() / 1e6, 0, 'f', 1).arg(name));
    }
    return 0;
}
