#include "dragdrop/dragdropmodule.h"

#include "files/files.h"
#include "pages/colors.h"
#include "pictures/imginf.h"
#include "pictures/pictures.h"
#include "platform/platform.h"

#include <QFileInfo>

namespace toravi {

namespace {

QString imgPath(const DragDropState& s, const QString& name)
{
    return JoinPath(JoinPath(s.strFolderName, QStringLiteral("img")), name);
}

// The tooltip text an object gets from its file name: up to the first ".".
QString TooltipFromFileName(const QString& name)
{
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

}  // namespace

QSize SceneSize(const DragDropState& s)
{
    const QSize size = ShownSize(s.strOrigImageFile);
    return size.isValid() || s.strImageFile.isEmpty() ? size : ShownSize(imgPath(s, s.strImageFile));
}

void MeasureScene(DragDropState& s)
{
    const QString copy = s.strFolderName.isEmpty() || s.strImageFile.isEmpty() ? QString() : imgPath(s, s.strImageFile);
    if (!copy.isEmpty() && IsPicture(copy)) {
        const PictureSize size = GetPictureSize(copy);
        s.strImageLargeur = size.largeur;
        s.strImageHauteur = size.hauteur;
    }
}

void DragDropModule::ReducePictures()
{
    DragDropState& s = state;
    const QSize scene = SceneSize(s);
    QStringList replaced{TakeReducedCopy(s.strOrigImageFile, s.strImageFile, scene, SceneCopySize(scene), s.strFolderName)};
    for (DragDropObject& o : s.objects) {
        const QSize size = ShownSize(o.source);
        replaced << TakeReducedCopy(o.source, o.fileName, size, ObjectCopySize(size, scene), s.strFolderName);
    }
    DropReplacedCopies(s.strFolderName, replaced, Pictures());
    MeasureScene(s);
}

void DragDropModule::ChooseWorkingFolder()
{
    state.strFolderName = ChooseFolder(platform_, QString::fromUtf8(kFolderPrompt));
    if (!state.strFolderName.isEmpty())
        PrepareImgFolder(state.strFolderName);
    emit refreshRequested();
}

void DragDropModule::ChooseReferencePicture()
{
    const QString chosen = platform_.openFile(
        {ProgramFolder(), QStringLiteral("gif"), PictureFilter(true),
         QStringLiteral("Sélectionnez l'image sur laquelle vous voulez travailler (obligatoire)")});
    if (!chosen.isEmpty() && Accepts(chosen, 0)) {
        state.strOrigImageFile = chosen;
        const QSize own = ShownSize(chosen);
        state.strFileName = NameForPlace(platform_, chosen, own, SceneCopySize(own));
        CopyPicture({chosen, state.strFileName}, state.strFolderName);
        state.strImageFile = state.strFileName;
        // Nothing lives under an empty working folder, so there is no copy to show then.
        const QString copy = state.strFolderName.isEmpty() ? QString() : imgPath(state, state.strImageFile);
        state.previewShown = !copy.isEmpty() && QFileInfo(copy).isFile();
        const PictureSize size = GetPictureSize(copy);
        state.strImageLargeur = size.largeur;
        state.strImageHauteur = size.hauteur;
        if (const QString notice = ZeroSizeNotice(chosen); !notice.isEmpty())
            platform_.messageBox(notice, kNotice, kTitle);
    }
    emit refreshRequested();
}

void DragDropModule::ChooseBackgroundPicture()
{
    const QString chosen = platform_.openFile(
        {DriveRootFolder(), QStringLiteral("gif"), PictureFilter(false),
         QStringLiteral("Sélectionnez une image pour l'arrière-plan de votre page Web (facultatif)")});
    if (!chosen.isEmpty() && Accepts(chosen, 1)) {
        state.strOrigBackgroundImage = chosen;
        state.strFileName = CopyIntoImg(chosen, state.strFolderName);
        state.strBackgroundImage = state.strFileName;
    }
    emit refreshRequested();
}

void DragDropModule::ChooseHelpDocument()
{
    const QString chosen = platform_.openFile(
        {ProgramFolder(), QStringLiteral("htm"),
         QStringLiteral("Fichiers htm (*.htm)|*.htm|Fichiers html (*.html)|*.html|Fichiers Word ou Wordpad "
                        "(*.doc)|*.doc|Fichiers texte (*.txt)|*.txt|Tous (*.*)|*.*"),
         QStringLiteral("Sélectionnez un fichier d'aide ou un document de référence...")});
    if (!chosen.isEmpty()) {
        state.strOrigDocument = chosen;
        state.strFileName = LastComponent(chosen);
        // The document sits beside the page, not in img.
        if (!state.strFolderName.isEmpty() && !state.strFileName.isEmpty())
            CopyFileReplacing(chosen, JoinPath(state.strFolderName, state.strFileName));
        state.strDocument = state.strFileName;
    }
    emit refreshRequested();
}

void DragDropModule::AddObject()
{
    const QString chosen = platform_.openFile({ProgramFolder(), QStringLiteral("gif"), PictureFilter(false),
                                               QStringLiteral("Sélectionnez une image d'objet")});
    if (!chosen.isEmpty() && Accepts(chosen, -1)) {
        const QSize size = ShownSize(chosen);
        state.strFileName = NameForPlace(platform_, chosen, size, ObjectCopySize(size, SceneSize(state)));
        CopyPicture({chosen, state.strFileName}, state.strFolderName);
        if (!state.strFileName.isEmpty())
            state.objects.append({chosen, state.strFileName, TooltipFromFileName(SafeFileName(chosen))});
        if (const QString notice = ZeroSizeNotice(chosen); !notice.isEmpty())
            platform_.messageBox(notice, kNotice, kTitle);
    }
    emit refreshRequested();
}

bool DragDropModule::Accepts(const QString& chosen, int role)
{
    QList<ProjectPicture> others = Pictures();
    if (role >= 0)
        others.removeAt(role);
    return Accept(PictureRefusal(chosen, others));
}

void DragDropModule::PageColour()
{
    // A page colour replaces any background picture, even when the colour stays.
    state.strOrigBackgroundImage.clear();
    state.strBackgroundImage.clear();
    PickColor(platform_, state.strBackgroundColor);
    emit refreshRequested();
}

void DragDropModule::ModifyItem(int index, const QString& text)
{
    if (index < 0 || index >= state.objects.size() || state.objects[index].tooltip == text) {
        emit refreshRequested();
        return;
    }
    const QString before = state.objects[index].tooltip;
    Push(
        QStringLiteral("modifier le texte de l'objet « %1 »").arg(before),
        [this, index, text] { state.objects[index].tooltip = text; },
        [this, index, before] { state.objects[index].tooltip = before; });
}

bool DragDropModule::DeleteItem(int index)
{
    if (platform_.messageBox(msg::DeleteQuestion, kConfirm, kTitle) != IDYES)
        return false;
    // The copy in img stays: another object may use the same picture, and undo may want it back.
    if (index >= 0 && index < state.objects.size()) {
        const DragDropObject object = state.objects[index];
        Push(
            QStringLiteral("supprimer l'objet « %1 »").arg(object.tooltip),
            [this, index] { state.objects.removeAt(index); },
            [this, index, object] { state.objects.insert(index, object); });
    }
    emit refreshRequested();
    return true;
}

}  // namespace toravi
