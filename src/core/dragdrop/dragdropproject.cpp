#include "dragdrop/dragdropmodule.h"

#include "files/files.h"
#include "files/textfile.h"
#include "pages/colors.h"
#include "pages/escaping.h"
#include "pages/pageexport.h"
#include "pages/publish.h"
#include "platform/platform.h"
#include "project/projectfile.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace toravi {

namespace {

const QString kDefaultConsigne = QStringLiteral(
    "Il faut ranger ces objets. Parlez avec votre camarade, demandez-lui où ils se trouvent et replacez-les "
    "(par glisser-déplacer) au bon endroit sur le dessin.<br>Lorsque vous aurez terminé, vous pourrez appeler "
    "votre professeur. Il vous dira si tout est en ordre.");

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
    s.strVerifier = QStringLiteral("faux");
    s.strTolerance = QStringLiteral("20");
    s.strAdapter = words::vrai;
    s.intMaxObjets = 23;
    s.previewShown = false;
    // Never reset: the item dialog's index and the scratch name.
    s.intSelectedItem = selected;
    s.strFileName = fileName;
}

enum ObjectList { kSources, kNames, kTooltips, kPlacesX, kPlacesY };

// The designed file ends here; the places and the check follow only when used.
constexpr int kDesignedLines = 39;
constexpr int kPlacesLines = 43;

// The project file, line by line. The order is the file's own, not the state's.
const QList<ProjectLine<DragDropState>>& fileLines()
{
    using S = DragDropState;
    using K = FieldKind;
    const QStringList yesNo = {words::VraiCap, words::FauxCap, words::vrai, words::faux, QString()};
    static const QList<ProjectLine<S>> table = {
        {5, K::Path, &S::strOrigImageFile},
        {6, K::Path, &S::strOrigBackgroundImage},
        {7, K::Text, &S::strFolderName},
        {8, K::Page, &S::strPageWeb},
        {9, K::Text, &S::strTitre},
        {10, K::Text, &S::strConsigne},
        {11, K::Text, &S::strAffiche},
        {12, K::FileName, &S::strImageFile},
        {13, K::Number, &S::strImageLargeur},
        {14, K::Number, &S::strImageHauteur},
        {15, K::FileName, &S::strBackgroundImage},
        {16, K::Colour, &S::strBackgroundColor},
        {17, K::Word, &S::strTextSize, DragDropTextSizes()},
        {18, K::Colour, &S::strTextColor},
        {19, K::Colour, &S::strTextBackColor},
        {20, K::Word, &S::strTextBold, {QString(), words::cssBold}},
        {21, K::Word, &S::strTextItalic, {QString(), words::cssItalic}},
        {22, K::Word, &S::strTextUnderlined, {QString(), words::cssUnderline}},
        {23, K::Word, &S::strScriptPlacement, PlacementItems()},
        {24, K::Word, &S::strTitelSize, DragDropTitleSizes()},
        {25, K::Colour, &S::strTitelColor},
        {26, K::Word, &S::strTitelBold, {QString(), words::bold}},
        {27, K::Word, &S::strTitelItalic, {QString(), words::italic}},
        {28, K::Word, &S::strTitelUnderline, {QString(), words::underlined}},
        {29, K::Colour, &S::strTableColor},
        {30, K::Word, &S::strTransparence, yesNo},
        {31, kSources},
        {32, kNames},
        {33, K::Word, &S::strImgAlt, yesNo},
        {34, K::Word, &S::strImgTransparent, yesNo},
        {35, kTooltips},
        {36, K::Word, &S::strBouton, yesNo},
        {37, K::Path, &S::strOrigDocument},
        {38, K::FileName, &S::strDocument},
        {39, K::Text, &S::strTexteBouton},
        {40, kPlacesX},
        {41, kPlacesY},
        {42, K::Word, &S::strVerifier, yesNo},
        {43, K::Number, &S::strTolerance},
        {44, K::Word, &S::strAdapter, {words::vrai, words::faux}},
    };
    return table;
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

// A place needs both numbers; anything else in either entry leaves the object unchecked.
std::optional<QPoint> placeFromFile(const QString& x, const QString& y)
{
    static const QRegularExpression number(QStringLiteral("^[0-9]{1,6}$"));
    if (!number.match(x).hasMatch() || !number.match(y).hasMatch())
        return std::nullopt;
    return QPoint(x.toInt(), y.toInt());
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

DragDropModule::DragDropModule(Platform& platform, QObject* parent) : ProjectModule(platform, parent)
{
    SetRecoveryNames(QStringLiteral("Glisser-déplacer"), QStringLiteral("recuperation-glisser-deplacer.txt"));
}

void DragDropModule::ResetProject()
{
    resetState(state);
    emit refreshRequested();
    MarkUnchanged();
}

QStringList DragDropModule::CurrentProjectLines() const
{
    DragDropState s = state;  // the instruction's line breaks stay as the window has them
    return DragDropProjectLines(s);
}

QStringList DragDropProjectLines(DragDropState& s)
{
    s.strConsigne = consigneForFile(s.strConsigne);
    QList<QStringList> lists(5);
    bool placed = false;
    for (const DragDropObject& o : s.objects) {
        lists[kSources] << o.source;
        lists[kNames] << o.fileName;
        lists[kTooltips] << o.tooltip;
        lists[kPlacesX] << (o.place ? QString::number(o.place->x()) : QString());
        lists[kPlacesY] << (o.place ? QString::number(o.place->y()) : QString());
        placed = placed || o.place;
    }
    QStringList lines = ProjectFileLines(fileLines(), projectheader::DragDrop, s, lists);
    // Places are kept while the check is off, so the teacher can turn it on again.
    if (FitsScreen(s.strAdapter))
        lines.resize(!placed && !HasCheck(s) ? kDesignedLines : kPlacesLines);
    return lines;
}

bool DragDropModule::SaveProject()
{
    return SaveProjectAs(state.strPageWeb, [this] { return DragDropProjectLines(state); });
}

bool DragDropModule::LoadProject()
{
    const QString path = platform_.openFile(ProjectDialog());
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
    const std::optional<QStringList> body = ProjectBody(platform_, path, projectheader::DragDrop);
    if (!body) {
        emit refreshRequested();
        return false;
    }
    resetState(state);
    DragDropState& s = state;
    QList<QStringList> lists(5);
    ReadProjectLines(fileLines(), *body, path, s, lists);
    s.strConsigne.replace(QLatin1String("<br>"), CRLF);
    if (!folder.isEmpty())
        s.strFolderName = folder;
    if (!s.strPageWeb.isEmpty() && !s.strFolderName.isEmpty())
        s.strPageWeb = JoinPath(s.strFolderName, s.strPageWeb);
    s.strImageFile = ShownPictureName(s.strOrigImageFile, s.strImageFile);
    s.strBackgroundImage = ShownPictureName(s.strOrigBackgroundImage, s.strBackgroundImage);
    // The name list gives the count; a missing tooltip comes from the file name.
    const QStringList& names = lists[kNames];
    for (int i = 0; i < names.size(); ++i) {
        DragDropObject o;
        o.source = ResolveProjectSource(path, lists[kSources].value(i));
        o.fileName = ShownPictureName(o.source, SafeFileName(names[i]));
        o.tooltip = i < lists[kTooltips].size() ? lists[kTooltips][i] : tooltipFromName(o.fileName);
        o.place = placeFromFile(lists.value(kPlacesX).value(i), lists.value(kPlacesY).value(i));
        s.objects.append(o);
    }

    QString problems = CopyProjectPictures(s.strFolderName, Pictures());
    MeasureScene(s);
    if (const QString document = CopyHelpDocument(); !document.isEmpty())
        problems += (problems.isEmpty() ? QString() : QStringLiteral("\r")) + document;
    s.previewShown = !s.strFolderName.isEmpty() && !s.strImageFile.isEmpty() &&
                     QFileInfo(imgPath(s, s.strImageFile)).isFile();
    if (!problems.isEmpty())
        platform_.messageBox(problems, kNotice, kTitle);
    emit refreshRequested();
    MarkUnchanged();
    return true;
}

bool DragDropModule::Validate()
{
    DragDropState& s = state;
    if (!Accept(ValidationRefusal(s.strFolderName, s.strOrigImageFile, s.strPageWeb, s.strAffiche)))
        return false;
    PrepareImgFolder(s.strFolderName);
    s.strFileName = KeptPictureName(s.strOrigImageFile, s.strImageFile);
    s.strImageFile = s.strFileName;
    if (!s.strOrigBackgroundImage.isEmpty()) {
        s.strFileName = KeptPictureName(s.strOrigBackgroundImage, s.strBackgroundImage);
        s.strBackgroundImage = s.strFileName;
    }
    // The objects and the help document follow a working folder typed by hand as well.
    CopyProjectPictures(s.strFolderName, Pictures());
    MeasureScene(s);
    CopyHelpDocument();
    s.previewShown = !s.strImageFile.isEmpty() && QFileInfo(imgPath(s, s.strImageFile)).isFile();
    s.strConsigne = consigneForFile(s.strConsigne);
    emit refreshRequested();
    return true;
}

void DragDropModule::ApplyRefreshDefaults()
{
    DragDropState& s = state;
    RefreshPagePath(s.strPageWeb, s.strFileName, s.strFolderName);
    if (s.strTitre.isEmpty())
        s.strTitre = QStringLiteral("exercice");
    if (s.strConsigne.isEmpty())
        s.strConsigne = kDefaultConsigne;
    s.strConsigne.replace(QLatin1String("<br>"), CRLF);
    if (s.strAffiche.isEmpty())
        s.strAffiche = QStringLiteral("Exercice");
}

QList<ProjectPicture> DragDropPictures(const DragDropState& state)
{
    QList<ProjectPicture> pictures = {{state.strOrigImageFile, state.strImageFile},
                                      {state.strOrigBackgroundImage, state.strBackgroundImage}};
    for (const DragDropObject& o : state.objects)
        pictures.append({o.source, o.fileName});
    return pictures;
}

QList<ProjectPicture> DragDropModule::Pictures() const { return DragDropPictures(state); }

QString DragDropModule::CopyHelpDocument()
{
    const DragDropState& s = state;
    if (s.strBouton != words::VraiCap || s.strOrigDocument.isEmpty() || s.strDocument.isEmpty() ||
        s.strFolderName.isEmpty())
        return {};
    // A project file may come from anyone: it names no script, page or odd file as its document.
    if (!IsDocumentName(s.strDocument) || !IsDocumentName(s.strOrigDocument) ||
        s.strDocument.compare(LastComponent(s.strPageWeb), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Le document d'aide %1 n'a pas été copié : seuls les documents (htm, html, pdf, odt, "
                              "ods, odp, doc, docx, txt, rtf) et les images (png, jpg, jpeg, gif, bmp) peuvent "
                              "l'être.")
            .arg(s.strOrigDocument);
    const QString target = JoinPath(s.strFolderName, s.strDocument);
    const WorkingFolderLock lock(s.strFolderName);
    if (lock.busy())
        return msg::FolderBusy(s.strFolderName);
    if (CopyFileReplacing(s.strOrigDocument, target) || QFileInfo(target).isFile())
        return {};
    return msg::NotCopied({s.strOrigDocument}, s.strFolderName);
}

namespace {

// The page and its scripts as written into the state's working folder.
QList<PageFile> pageFiles(Platform& platform, DragDropState& s, const QList<ProjectPicture>& pictures, bool notices)
{
    QStringList problems;
    for (const ProjectPicture& p : pictures)
        if (!p.name.isEmpty())
            if (const QString n = ZeroSizeNotice(imgPath(s, p.name)); !n.isEmpty())
                problems << n;
    if (notices && !problems.isEmpty())
        platform.messageBox(problems.join(QLatin1Char('\r')), kNotice, kTitle);
    const QString folder = s.strFolderName;
    const QString page = JoinPath(folder, PageFileName(s.strPageWeb));
    const QString text = BuildDragDropPage(s);
    QList<PageFile> files{{page, text},
                          {imgPath(s, QStringLiteral("transparentpixel.gif")), {},
                           JoinPath(ProgramFolder(), QStringLiteral("transparentpixel.gif"))},
                          {JoinPath(folder, QStringLiteral("ordre.js")), OrdreJsText()}};
    if (HasCheck(s))
        files.append({JoinPath(folder, QStringLiteral("verifier.js")), VerifierJsText()});
    return files;
}

}  // namespace

bool DragDropModule::CreatePage()
{
    KeepRecovery();
    return PublishPage(platform_, state.strFolderName, state.strPageWeb, Pictures(),
                       [&] { return pageFiles(platform_, state, Pictures(), true); });
}

bool DragDropModule::ExportPage(PageExport kind, const QString& target)
{
    KeepRecovery();
    return toravi::ExportPage(platform_, kind, target, state.strFolderName, state.strPageWeb, Pictures(),
                              [this](const QString& folder, bool reduce) {
                                  // A copy: the export leaves the project as it is.
                                  DragDropModule copy(platform_);
                                  copy.state = state;
                                  copy.state.strFolderName = folder;
                                  if (reduce)
                                      copy.ReducePictures();
                                  QList<PageFile> files = pageFiles(platform_, copy.state, copy.Pictures(), !reduce);
                                  // The help document lies beside the folder page.
                                  const QString document = state.strDocument;
                                  if (state.strBouton == QLatin1String("Vrai") && !document.isEmpty())
                                      files.append({JoinPath(folder, document), {},
                                                    JoinPath(state.strFolderName, document)});
                                  return files;
                              });
}

void DragDropModule::SetPageName(const QString& typed)
{
    SetTypedPageName(state.strPageWeb, state.strFolderName, typed);
}

}  // namespace toravi
