// The parameters window's operations: working folder, pictures, plain
// background and validation. The window only copies its boxes in and shows
// the state afterwards.
#include "tooltip/tooltipmodule.h"

#include "files/files.h"
#include "pages/colors.h"
#include "pages/pagenames.h"
#include "pictures/imginf.h"
#include "pictures/pictures.h"
#include "platform/platform.h"

#include <QFileInfo>
#include <cmath>

namespace toravi {

namespace {

// The point editor's picture frame; larger pictures are cut at its edges.
constexpr int kFrameLimit = kEditorFrameWidth;

const QString kReferenceTitle =
    QStringLiteral("Sélectionnez l'image sur laquelle vous voulez travailler (obligatoire)");
const QString kBackgroundTitle =
    QStringLiteral("Sélectionnez une image pour l'arrière-plan de votre page Web (facultatif)");

// Copies the reference picture (or makes its reduced copy) into img under
// `name` and shows it in the point editor.
void TakeReferencePicture(TooltipState& s, const QString& source, const QString& name)
{
    s.strFileName = LastComponent(source);
    CopyPicture({source, name}, s.strFolderName);
    s.strImageFile = name;
    s.pictureShown = !s.strImageFile.isEmpty();
    MeasureReference(s, true);
}

QString SizeWarning(const TooltipState& s)
{
    const QChar cr(QLatin1Char('\r'));
    QString first;
    if (s.strLargeur.toInt() > kFrameLimit)
        first = QStringLiteral("La largeur de l'image sélectionnée est") + cr +
                QStringLiteral("supérieure à la largeur du cadre");
    if (s.strHauteur.toInt() > kFrameLimit)
        first = QStringLiteral("La hauteur de l'image sélectionnée est") + cr +
                QStringLiteral("supérieure à la largeur du cadre");
    if (first.isEmpty())
        return {};
    return first + cr + cr + QStringLiteral("La taille de l'image sélectionnée dépasse") + cr +
           QStringLiteral("la taille du cadre d'image du logiciel") + cr +
           QStringLiteral("Vous ne pourrez pas sélectionner") + cr + QStringLiteral("certaines parties de l'image.");
}

}  // namespace

void MeasureReference(TooltipState& s, bool orElseSource)
{
    const QString copy = s.strFolderName.isEmpty() || s.strImageFile.isEmpty()
                             ? QString()
                             : JoinPath(JoinPath(s.strFolderName, QStringLiteral("img")), s.strImageFile);
    QSize size;
    if (!copy.isEmpty() && IsPicture(copy))
        size = ShownSize(copy);
    else if (!orElseSource)
        return;
    else if (const QSize reduced = ReducedCopySize(s.strOrigImageFile, s.strImageFile); reduced.isValid())
        size = reduced;
    else
        size = ShownSize(s.strOrigImageFile);
    s.strLargeur = size.isValid() ? QString::number(size.width()) : QStringLiteral("0");
    s.strHauteur = size.isValid() ? QString::number(size.height()) : QStringLiteral("0");
}

void TooltipModule::ReducePictures()
{
    const QSize size = ShownSize(state.strOrigImageFile), reduced = ReferenceCopySize(size);
    const QString replaced =
        TakeReducedCopy(state.strOrigImageFile, state.strImageFile, size, reduced, state.strFolderName);
    DropReplacedCopies(state.strFolderName, {replaced}, Pictures());
    MeasureReference(state, true);
    if (replaced.isEmpty())
        return;
    // The points were clicked on the whole picture: they follow it onto the copy (Y counts 6 more).
    const double k = double(reduced.width()) / size.width();
    for (TooltipPoint& p : state.points) {
        bool okX = false, okY = false;
        const int x = p.x.toInt(&okX), y = p.y.toInt(&okY);
        if (okX && okY) {
            p.x = QString::number(std::lround(x * k));
            p.y = QString::number(std::lround((y - 6) * k) + 6);
        }
    }
}

void TooltipModule::ChooseWorkingFolder()
{
    // A cancelled browser gives "", which empties the working folder on purpose:
    // the refresh then leaves only the folder controls usable.
    state.strFolderName = ChooseFolder(platform_, QString::fromUtf8(kFolderPrompt));
    PrepareImgFolder(state.strFolderName);
    emit refreshRequested();
}

void TooltipModule::ChooseReferencePicture()
{
    const QString chosen =
        platform_.openFile({ProgramFolder(), QStringLiteral("gif"), PictureFilter(true), kReferenceTitle});
    if (!chosen.isEmpty()) {
        if (!Accept(PictureRefusal(chosen, {Pictures()[1]}))) {
            emit refreshRequested();
            return;
        }
        state.strOrigImageFile = chosen;
        const QSize size = ShownSize(chosen);
        TakeReferencePicture(state, chosen, LastComponent(NameForPlace(platform_, chosen, size, ReferenceCopySize(size))));
        const QString warning = SizeWarning(state);
        if (!warning.isEmpty())
            platform_.messageBox(warning, kNotice, kTitle);
        if (const QString notice = ZeroSizeNotice(chosen); !notice.isEmpty())
            platform_.messageBox(notice, kNotice, kTitle);
    }
    emit refreshRequested();
}

void TooltipModule::ChooseBackgroundPicture()
{
    const QString chosen =
        platform_.openFile({DriveRootFolder(), QStringLiteral("gif"), PictureFilter(false), kBackgroundTitle});
    if (!chosen.isEmpty()) {
        if (!Accept(PictureRefusal(chosen, {Pictures()[0]}))) {
            emit refreshRequested();
            return;
        }
        state.strOrigBackgroundImage = chosen;
        state.strFileName = CopyIntoImg(chosen, state.strFolderName);
        state.strBackgroundImage = state.strFileName;
    }
    emit refreshRequested();
}

void TooltipModule::PlainBackground()
{
    // The plain colour replaces the picture even when the colour dialog is cancelled.
    state.strOrigBackgroundImage.clear();
    state.strBackgroundImage.clear();
    PickColor(platform_, state.strBackgroundColor);
    emit refreshRequested();
}

bool TooltipModule::Validate()
{
    TooltipState& s = state;
    if (!Accept(ValidationRefusal(s.strFolderName, s.strOrigImageFile, s.strPageWeb, s.strAffiche)))
        return false;

    PrepareImgFolder(s.strFolderName);
    TakeReferencePicture(s, s.strOrigImageFile, KeptPictureName(s.strOrigImageFile, s.strImageFile));
    if (!s.strOrigBackgroundImage.isEmpty())
        s.strBackgroundImage = CopyIntoImg(s.strOrigBackgroundImage, s.strFolderName);
    s.hintVisible = false;
    emit refreshRequested();
    return true;
}

}  // namespace toravi
