#include "dragdrop/dragdropcutout.h"

#include "files/files.h"
#include "files/filewriter.h"
#include "pages/pagenames.h"
#include "pictures/pictures.h"
#include "project/projectfile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace toravi {

namespace {

// Letters without accents, digits, "-" and "_": a name every file system, page
// address and project file keeps as it is.
QString safeStem(const QString& text)
{
    QString stem;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        const bool plain = c.unicode() < 128 && (c.isLetterOrNumber() || c == QLatin1Char('_'));
        if (plain)
            stem += c.toLower();
        else if (!stem.endsWith(QLatin1Char('-')))
            stem += QLatin1Char('-');
    }
    while (stem.startsWith(QLatin1Char('-')))
        stem.remove(0, 1);
    while (stem.endsWith(QLatin1Char('-')))
        stem.chop(1);
    return stem.left(40);
}

// The first of name, name-2, name-3... that is not taken.
QString freeName(const QString& name, QSet<QString>& taken)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    QString free = name;
    for (int n = 2; taken.contains(free.toLower()); ++n)
        free = name.left(dot) + QStringLiteral("-%1").arg(n) + name.mid(dot);
    taken.insert(free.toLower());
    return free;
}

QByteArray encode(const QImage& image, bool jpeg)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, jpeg ? "jpeg" : "png");
    if (jpeg) {
        writer.setQuality(90);
        writer.setOptimizedWrite(true);
    }
    return writer.write(jpeg ? image.convertToFormat(QImage::Format_RGB32) : image) ? bytes : QByteArray();
}

int scaled(int v, double f) { return int(std::lround(v * f)); }

struct Written {
    QString name;
    QByteArray bytes;
};

}  // namespace

QString CutoutFileName(const QString& picture, const QString& object, bool jpeg)
{
    QString stem = safeStem(PageBaseName(picture));
    if (stem.isEmpty())
        stem = QStringLiteral("image");
    const QString part = object.isEmpty() ? QStringLiteral("vide") : safeStem(object);
    return stem + QLatin1Char('-') + (part.isEmpty() ? QStringLiteral("objet") : part) +
           (jpeg ? QStringLiteral(".jpg") : QStringLiteral(".png"));
}

QString WriteCutout(const DragDropState& s, const QString& picturePath, const CutoutSource& src,
                    const QList<CutoutObject>& objects, PlaceFill fill, const QColor& colour,
                    CutoutWritten& written)
{
    const QString folder = s.strFolderName;
    if (folder.isEmpty())
        return msg::ValNoFolder;
    if (!QFileInfo(folder).isDir())
        return msg::NoWorkingFolder(folder);
    if (src.size().isEmpty())
        return msg::NotRead(picturePath);
    if (objects.isEmpty())
        return QStringLiteral("Aucun objet n'a été découpé : entourez au moins un objet de l'image.");
    for (qsizetype i = 0; i < objects.size(); ++i) {
        const QString name = OneLine(objects[i].name).trimmed();
        if (name.isEmpty())
            return QStringLiteral("L'objet n° %1 n'a pas de nom : donnez-lui le nom que la page montrera.").arg(i + 1);
        const QImage& mask = objects[i].mask;
        if (mask.size() != src.size() || mask.format() != QImage::Format_Grayscale8 || MaskBounds(mask).isEmpty())
            return QStringLiteral("L'objet « %1 » n'a pas de contour : entourez-le à nouveau.").arg(name);
    }
    const qsizetype most = s.intMaxObjets + 1;
    if (s.objects.size() + objects.size() > most)
        return QStringLiteral("Un exercice a au plus %1 objets : celui-ci en a déjà %2, il ne peut pas en recevoir %3 "
                              "de plus.")
            .arg(most)
            .arg(s.objects.size())
            .arg(objects.size());
    const WorkingFolderLock lock(folder);
    if (lock.busy())
        return msg::FolderBusy(folder);
    const QString img = JoinPath(folder, QStringLiteral("img"));
    if (!MakeImgFolder(folder))
        return QStringLiteral("Le dossier %1 n'a pas pu être créé.").arg(img);

    // Never the name of a picture the project uses, of Toravi's markers, or of the picture cut.
    QSet<QString> taken = {QStringLiteral("ptrouge.gif"), QStringLiteral("transparentpixel.gif"),
                           LastComponent(picturePath).toLower()};
    for (const ProjectPicture& p : DragDropPictures(s))
        taken.insert(p.name.toLower());

    // The page shows the scene 700 pixels wide: a larger one is written at that
    // size, and the objects at the scale the page shows the scene at.
    const QSize sceneSize = SceneCopySize(src.size());
    const double f = double(kSceneShownWidth) / src.size().width();
    const bool photo = ReducedCopyName(picturePath, src.size()).endsWith(QStringLiteral(".jpg"));
    QList<QImage> masks;
    for (const CutoutObject& o : objects)
        masks << o.mask;
    QList<Written> files = {{freeName(CutoutFileName(picturePath, QString(), photo), taken),
                             encode(EmptiedScene(src, masks, fill, colour, sceneSize), photo)}};
    QList<QPoint> places;
    for (const CutoutObject& o : objects) {
        QPoint at;
        const QImage cut = CutObject(src, o.mask, &at);
        // Both edges rounded, so that neighbouring objects meet as in the picture.
        const QPoint place(scaled(at.x(), f), scaled(at.y(), f));
        const QSize size(std::max(1, scaled(at.x() + cut.width(), f) - place.x()),
                         std::max(1, scaled(at.y() + cut.height(), f) - place.y()));
        const QImage shown = cut.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                 .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                 .convertToFormat(QImage::Format_ARGB32);
        files.append({freeName(CutoutFileName(picturePath, OneLine(o.name).trimmed(), false), taken),
                      encode(shown, false)});
        places << place;
    }
    for (const Written& w : files)
        if (w.bytes.isEmpty() || !WriteFileAtomically(JoinPath(img, w.name), w.bytes))
            return msg::NotSaved(JoinPath(img, w.name));

    written.scene = files[0].name;
    written.objects.clear();
    for (qsizetype i = 0; i < objects.size(); ++i) {
        const Written& w = files[i + 1];
        written.objects.append({JoinPath(img, w.name), w.name, OneLine(objects[i].name).trimmed()});
    }
    written.places = places;
    return {};
}

void TakeCutout(DragDropModule& module, const CutoutWritten& written)
{
    DragDropState& s = module.state;
    s.strOrigImageFile = JoinPath(JoinPath(s.strFolderName, QStringLiteral("img")), written.scene);
    s.strImageFile = written.scene;
    s.strFileName = written.scene;
    MeasureScene(s);
    s.previewShown = true;
    for (qsizetype i = 0; i < written.objects.size(); ++i) {
        s.objects.append(written.objects[i]);
        module.SetPlace(int(s.objects.size() - 1), written.places.value(i));
    }
    module.SetCheck(true);
    module.SetTolerance(kDefaultTolerance);
    emit module.refreshRequested();
}

QString ApplyCutout(DragDropModule& module, const QString& picturePath, const CutoutSource& src,
                    const QList<CutoutObject>& objects, PlaceFill fill, const QColor& colour)
{
    CutoutWritten written;
    if (QString refusal = WriteCutout(module.state, picturePath, src, objects, fill, colour, written);
        !refusal.isEmpty())
        return refusal;
    TakeCutout(module, written);
    return {};
}

}  // namespace toravi
