#include "dragdrop/dragdropmodule.h"

#include "shared/escaping.h"
#include "shared/platform.h"
#include "shared/projectheader.h"
#include "shared/publish.h"
#include "shared/textfile.h"

#include <QFileInfo>

namespace toravi {

namespace {

constexpr int kBodyLines = 35;

const QString kDefaultConsigne = QStringLiteral(
    "Il faut ranger ces objets. Parlez avec votre camarade, demandez-lui où ils se trouvent et replacez-les "
    "(par glisser-déplacer) au bon endroit sur le dessin.<br>Lorsque vous aurez terminé, vous pourrez appeler "
    "votre professeur. Il vous dira si tout est en ordre.");

FileDialogRequest projectDialog()
{
    return {ProgramFolder(), QStringLiteral("txt"), QStringLiteral("Fichiers texte (*.txt)|*.txt|Tous (*.*)|*.*"),
            QStringLiteral("Nom du fichier de paramètres pour ce projet")};
}

void resetState(DragDropState& s)
{
    const int selected = s.intSelectedItem;
    const QString fileName = s.strFileName;
    s = DragDropState{};
    s.strBackgroundColor = QStringLiteral("FFE2B2");
    s.strTextSize = QStringLiteral("14");
    s.strTextColor = QStringLiteral("800000");
    s.strTextBackColor = QStringLiteral("D9EBD1");
    s.strScriptPlacement = QStringLiteral("centré");
    s.strTitelSize = QStringLiteral("22");
    s.strTitelColor = QStringLiteral("008000");
    s.strTableColor = QStringLiteral("FFFFD2");
    s.strTransparence = QStringLiteral("Faux");
    s.strImgAlt = QStringLiteral("Faux");
    s.strImgTransparent = QStringLiteral("Faux");
    s.strBouton = QStringLiteral("Faux");
    s.strTexteBouton = QStringLiteral("Aide");
    s.intMaxObjets = 23;
    s.previewShown = false;
    // Never reset: the item dialog's index and the scratch name.
    s.intSelectedItem = selected;
    s.strFileName = fileName;
}

// The name up to its first "." (whole when it has none): an object's default tooltip.
QString tooltipFromName(const QString& fileName)
{
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'));
    return dot < 0 ? fileName : fileName.left(dot);
}

QString imgPath(const DragDropState& s, const QString& name)
{
    return JoinPath(JoinPath(s.strFolderName, QStringLiteral("img")), name);
}

// Copies `source` to `target`; records the source when the target is still
// missing afterwards (a copy made earlier keeps the project usable).
void copyNoting(const QString& source, const QString& target, QStringList& missing)
{
    if (source.isEmpty() || target.isEmpty())
        return;
    if (!CopyFileReplacing(source, target) && !QFileInfo(target).isFile())
        missing.append(source);
}

QString consigneForFile(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("<br>"));
    text.replace(QLatin1Char('\r'), QLatin1String("<br>"));
    text.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    return text;
}

}  // namespace

// Shared with the page generator.
QString ConsigneToBr(const QString& text) { return consigneForFile(text); }

DragDropModule::DragDropModule(Platform& platform, QObject* parent) : QObject(parent), platform_(platform) {}

void DragDropModule::ResetProject()
{
    resetState(state);
    emit refreshRequested();
}

void DragDropModule::ReinitWithQuestion()
{
    if (platform_.messageBox(msg::ResetQuestion, kConfirm, kTitle) != IDYES)
        return;
    ResetProject();
    platform_.messageBox(msg::ResetDone, kNotice, kTitle);
}

QStringList DragDropProjectLines(DragDropState& s)
{
    s.strConsigne = consigneForFile(s.strConsigne);
    QStringList list1, list2, list3;
    for (const DragDropObject& o : s.objects) {
        list1 << o.source;
        list2 << o.fileName;
        list3 << o.tooltip;
    }
    auto v = [](const QString& value) { return OneLine(value); };
    return projectheader::Lines(projectheader::DragDrop) + QStringList{
            v(s.strOrigImageFile),
            v(s.strOrigBackgroundImage),
            v(s.strFolderName),
            v(s.strPageWeb),
            v(s.strTitre),
            s.strConsigne,
            v(s.strAffiche),
            v(s.strImageFile),
            v(s.strImageLargeur),
            v(s.strImageHauteur),
            v(s.strBackgroundImage),
            v(s.strBackgroundColor),
            v(s.strTextSize),
            v(s.strTextColor),
            v(s.strTextBackColor),
            v(s.strTextBold),
            v(s.strTextItalic),
            v(s.strTextUnderlined),
            v(s.strScriptPlacement),
            v(s.strTitelSize),
            v(s.strTitelColor),
            v(s.strTitelBold),
            v(s.strTitelItalic),
            v(s.strTitelUnderline),
            v(s.strTableColor),
            v(s.strTransparence),
            JoinListLine(list1),
            JoinListLine(list2),
            v(s.strImgAlt),
            v(s.strImgTransparent),
            JoinListLine(list3),
            v(s.strBouton),
            v(s.strOrigDocument),
            v(s.strDocument),
            v(s.strTexteBouton)};
}

bool DragDropModule::SaveProject()
{
    if (!state.strPageWeb.contains(QLatin1Char('.'))) {
        platform_.messageBox(msg::NoProject, kRefusal, kTitle);
        return false;
    }
    const QStringList lines = DragDropProjectLines(state);
    const QString path = platform_.saveFile(projectDialog());
    if (path.isEmpty())
        return false;
    // The write adds the last line's CR LF.
    if (!WriteTextFile(path, lines.join(CRLF))) {
        platform_.messageBox(msg::NotSaved(path), kRefusal, kTitle);
        return false;
    }
    return true;
}

bool DragDropModule::LoadProject()
{
    const QString path = platform_.openFile(projectDialog());
    if (path.isEmpty()) {
        emit refreshRequested();
        return false;
    }
    return LoadProjectFile(path);
}

bool DragDropModule::LoadProjectFile(const QString& path, const QString& folder)
{
    // The whole file is read and checked before the project is touched: a file
    // that is refused leaves the open project as it was.
    bool readable = false;
    QStringList lines = ReadTextLines(path, &readable);
    bool text = readable && !lines.isEmpty();
    for (const QString& l : std::as_const(lines))
        if (l.contains(QChar(0)))
            text = false;
    if (!text) {
        platform_.messageBox(msg::NotRead(path), kRefusal, kTitle);
        emit refreshRequested();
        return false;
    }
    int first = 0;
    if (lines[0] == projectheader::Generated) {
        if (lines.value(1) != projectheader::DragDrop) {
            platform_.messageBox(msg::WrongModule, kRefusal, kTitle);
            emit refreshRequested();
            return false;
        }
        first = 4;
    }

    resetState(state);
    DragDropState& s = state;
    // Missing lines keep their defaults.
    auto field = [&](int line, QString& target) {
        const int at = first + line - 5;
        if (at < lines.size())
            target = DecodeCharRefs(lines[at]);
    };
    auto raw = [&](int line) {
        const int at = first + line - 5;
        return at < lines.size() ? lines[at] : QString();
    };
    field(5, s.strOrigImageFile);
    field(6, s.strOrigBackgroundImage);
    field(7, s.strFolderName);
    field(8, s.strPageWeb);
    field(9, s.strTitre);
    field(10, s.strConsigne);
    field(11, s.strAffiche);
    field(12, s.strImageFile);
    field(13, s.strImageLargeur);
    field(14, s.strImageHauteur);
    field(15, s.strBackgroundImage);
    field(16, s.strBackgroundColor);
    field(17, s.strTextSize);
    field(18, s.strTextColor);
    field(19, s.strTextBackColor);
    field(20, s.strTextBold);
    field(21, s.strTextItalic);
    field(22, s.strTextUnderlined);
    field(23, s.strScriptPlacement);
    field(24, s.strTitelSize);
    field(25, s.strTitelColor);
    field(26, s.strTitelBold);
    field(27, s.strTitelItalic);
    field(28, s.strTitelUnderline);
    field(29, s.strTableColor);
    field(30, s.strTransparence);
    const QString line31 = raw(31), line32 = raw(32), line35 = raw(35);
    field(33, s.strImgAlt);
    field(34, s.strImgTransparent);
    field(36, s.strBouton);
    field(37, s.strOrigDocument);
    field(38, s.strDocument);
    field(39, s.strTexteBouton);
    static_assert(kBodyLines == 39 - 4);

    s.strConsigne.replace(QLatin1String("<br>"), CRLF);
    if (!folder.isEmpty())
        s.strFolderName = folder;
    s.strOrigImageFile = ResolveProjectSource(path, s.strOrigImageFile);
    s.strOrigBackgroundImage = ResolveProjectSource(path, s.strOrigBackgroundImage);
    s.strOrigDocument = ResolveProjectSource(path, s.strOrigDocument);
    // Names read from a file stay inside the folder they are joined to.
    s.strImageFile = SafeFileName(s.strImageFile);
    s.strBackgroundImage = SafeFileName(s.strBackgroundImage);
    s.strDocument = SafeFileName(s.strDocument);

    const QStringList sources = SplitListLine(line31);
    const QStringList names = SplitListLine(line32);
    const QStringList tips = line35.isEmpty() ? QStringList() : SplitListLine(line35);
    for (int i = 0; i < names.size(); ++i) {
        DragDropObject o;
        o.source = ResolveProjectSource(path, sources.value(i));
        o.fileName = SafeFileName(names[i]);
        o.tooltip = i < tips.size() ? tips[i] : tooltipFromName(o.fileName);
        s.objects.append(o);
    }

    QStringList missing;
    if (!s.strFolderName.isEmpty()) {
        MakeImgFolder(s.strFolderName);
        if (!s.strImageFile.isEmpty())
            copyNoting(s.strOrigImageFile, imgPath(s, s.strImageFile), missing);
        if (!s.strBackgroundImage.isEmpty())
            copyNoting(s.strOrigBackgroundImage, imgPath(s, s.strBackgroundImage), missing);
        for (const DragDropObject& o : std::as_const(s.objects))
            if (!o.fileName.isEmpty())
                copyNoting(o.source, imgPath(s, o.fileName), missing);
        if (s.strBouton == QLatin1String("Vrai") && !s.strOrigDocument.isEmpty() && !s.strDocument.isEmpty())
            copyNoting(s.strOrigDocument, JoinPath(s.strFolderName, s.strDocument), missing);
        s.previewShown = !s.strImageFile.isEmpty() && QFileInfo(imgPath(s, s.strImageFile)).isFile();
    }
    if (!missing.isEmpty()) {
        missing.removeDuplicates();
        platform_.messageBox(msg::NotCopied(missing, s.strFolderName), kNotice, kTitle);
    }
    emit refreshRequested();
    return true;
}

bool DragDropModule::Validate()
{
    DragDropState& s = state;
    const QString* refusal = nullptr;
    if (s.strFolderName.isEmpty())
        refusal = &msg::ValNoFolder;
    else if (s.strOrigImageFile.isEmpty())
        refusal = &msg::ValNoImage;
    else if (s.strPageWeb.isEmpty())
        refusal = &msg::ValNoPage;
    else if (s.strAffiche.isEmpty())
        refusal = &msg::ValNoTitle;
    if (refusal) {
        platform_.messageBox(*refusal, kRefusal, kTitle);
        return false;
    }
    PrepareImgFolder(s.strFolderName);
    s.strFileName = LastComponent(s.strOrigImageFile);
    CopyFileReplacing(s.strOrigImageFile, imgPath(s, s.strFileName));
    s.strImageFile = s.strFileName;
    s.previewShown = !s.strImageFile.isEmpty() && QFileInfo(imgPath(s, s.strImageFile)).isFile();
    if (!s.strOrigBackgroundImage.isEmpty()) {
        s.strFileName = LastComponent(s.strOrigBackgroundImage);
        CopyFileReplacing(s.strOrigBackgroundImage, imgPath(s, s.strFileName));
        s.strBackgroundImage = s.strFileName;
    }
    // The objects and the help document follow a working folder typed by hand as well.
    for (const DragDropObject& o : std::as_const(s.objects))
        if (!o.fileName.isEmpty())
            CopyFileReplacing(o.source, imgPath(s, o.fileName));
    if (s.strBouton == QLatin1String("Vrai") && !s.strDocument.isEmpty())
        CopyFileReplacing(s.strOrigDocument, JoinPath(s.strFolderName, s.strDocument));
    s.strConsigne = consigneForFile(s.strConsigne);
    emit refreshRequested();
    return true;
}

void DragDropModule::ApplyRefreshDefaults()
{
    DragDropState& s = state;
    if (s.strPageWeb.isEmpty())
        s.strPageWeb = QStringLiteral("exercice.htm");
    // A page path from another system may use the other separator.
    QString name = LastComponent(s.strPageWeb);
    name = name.mid(std::max(name.lastIndexOf(QLatin1Char('\\')), name.lastIndexOf(QLatin1Char('/'))) + 1);
    s.strFileName = name;
    if (!s.strFolderName.isEmpty())
        s.strPageWeb = JoinPath(s.strFolderName, s.strFileName);
    if (s.strTitre.isEmpty())
        s.strTitre = QStringLiteral("exercice");
    if (s.strConsigne.isEmpty())
        s.strConsigne = kDefaultConsigne;
    s.strConsigne.replace(QLatin1String("<br>"), CRLF);
    if (s.strAffiche.isEmpty())
        s.strAffiche = QStringLiteral("Exercice");
}

void DragDropModule::SetPageName(const QString& typed)
{
    QString name = LastComponent(typed);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name = name.left(dot);
    if (!state.strFolderName.isEmpty())
        state.strPageWeb = JoinPath(state.strFolderName, name + QStringLiteral(".htm"));
}

}  // namespace toravi
