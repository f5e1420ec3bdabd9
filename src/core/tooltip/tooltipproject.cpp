#include "tooltip/tooltipmodule.h"

#include "files/files.h"
#include "files/textfile.h"
#include "pages/colors.h"
#include "pages/escaping.h"
#include "pages/pageexport.h"
#include "pages/publish.h"
#include "platform/platform.h"
#include "project/projectfile.h"

#include <QFileInfo>

namespace toravi {

namespace {


void resetValues(TooltipState& s)
{
    s.strOrigImageFile.clear();
    s.strOrigBackgroundImage.clear();
    s.strFolderName.clear();
    s.strPageWeb.clear();
    s.strTitre.clear();
    s.strContent.clear();
    s.strAffiche.clear();
    s.strImageFile.clear();
    s.strLargeur.clear();
    s.strHauteur.clear();
    s.strBackgroundImage.clear();
    s.points.clear();
    s.strBackgroundColor = QStringLiteral("FFE2B2");
    s.strBaloonSize = QStringLiteral("14");
    s.strBaloonColor = QStringLiteral("800000");
    s.strBaloonBackColor = QStringLiteral("D9EBD1");
    s.strBaloonBold.clear();
    s.strBaloonItalic.clear();
    s.strBaloonUnderlined.clear();
    s.strTitelPlacement = QStringLiteral("center");
    s.strTitelSize = QStringLiteral("4");
    s.strTitelColor = QStringLiteral("FFFF00");
    s.strTitelBold.clear();
    s.strTitelItalic.clear();
    s.strTitelUnderline.clear();
    s.strAdapter = words::vrai;
    s.pictureShown = false;
}

enum PointList { kXs, kYs, kNames };

// The designed file ends here; the fitting line follows only when off.
constexpr int kDesignedLines = 31;

// The project file, line by line.
const QList<ProjectLine<TooltipState>>& fileLines()
{
    using S = TooltipState;
    using K = FieldKind;
    static const QList<ProjectLine<S>> table = {
        {5, K::Path, &S::strOrigImageFile},
        {6, K::Path, &S::strOrigBackgroundImage},
        {7, K::Text, &S::strFolderName},
        {8, K::Page, &S::strPageWeb},
        {9, K::Text, &S::strTitre},
        {10, K::Text, &S::strContent},
        {11, K::Text, &S::strAffiche},
        {12, K::FileName, &S::strImageFile},
        {13, K::Number, &S::strLargeur},
        {14, K::Number, &S::strHauteur},
        {15, K::FileName, &S::strBackgroundImage},
        {16, kXs},
        {17, kYs},
        {18, kNames},
        {19, K::Colour, &S::strBackgroundColor},
        {20, K::Word, &S::strBaloonSize, TooltipBaloonSizes()},
        {21, K::Colour, &S::strBaloonColor},
        {22, K::Colour, &S::strBaloonBackColor},
        {23, K::Word, &S::strBaloonBold, {QString(), words::cssBold}},
        {24, K::Word, &S::strBaloonItalic, {QString(), words::cssItalic}},
        {25, K::Word, &S::strBaloonUnderlined, {QString(), words::cssUnderline}},
        {26, K::Word, &S::strTitelPlacement, {QStringLiteral("left"), QStringLiteral("center"), QStringLiteral("right")}},
        {27, K::Word, &S::strTitelSize, TooltipTitleSizes()},
        {28, K::Colour, &S::strTitelColor},
        {29, K::Word, &S::strTitelBold, {QString(), words::bold}},
        {30, K::Word, &S::strTitelItalic, {QString(), words::italic}},
        {31, K::Word, &S::strTitelUnderline, {QString(), words::underlined}},
        {32, K::Word, &S::strAdapter, {words::vrai, words::faux}},
    };
    return table;
}

}  // namespace

TooltipModule::TooltipModule(Platform& platform, QObject* parent) : ProjectModule(platform, parent)
{
    SetRecoveryNames(QStringLiteral("Info-bulles"), QStringLiteral("recuperation-info-bulles.txt"));
}

void TooltipModule::ResetProject()
{
    resetValues(state);
    emit refreshRequested();
    MarkUnchanged();
}

QStringList TooltipModule::CurrentProjectLines() const { return TooltipProjectLines(state); }

QStringList TooltipProjectLines(const TooltipState& s)
{
    QList<QStringList> lists(3);
    for (const TooltipPoint& p : s.points) {
        lists[kXs] << p.x;
        lists[kYs] << p.y;
        lists[kNames] << p.name;
    }
    QStringList lines = ProjectFileLines(fileLines(), projectheader::Interact, s, lists);
    if (FitsScreen(s.strAdapter))
        lines.resize(kDesignedLines);
    return lines;
}

bool TooltipModule::SaveProject()
{
    return SaveProjectAs(state.strPageWeb, [this] { return TooltipProjectLines(state); });
}

bool TooltipModule::LoadProject()
{
    const QString path = platform_.openFile(ProjectDialog());
    if (path.isEmpty()) {
        emit refreshRequested();
        return false;
    }
    const bool loaded = LoadProjectFile(path);
    if (!loaded)
        emit refreshRequested();
    return loaded;
}

bool TooltipModule::LoadProjectFile(const QString& path, const QString& folder)
{
    // Everything is checked before the project in memory is touched.
    const std::optional<QStringList> body = ProjectBody(platform_, path, projectheader::Interact);
    if (!body)
        return false;
    TooltipState s = state;  // keeps what is never saved (offsets, strFileName)
    resetValues(s);
    QList<QStringList> lists(3);
    ReadProjectLines(fileLines(), *body, path, s, lists);
    // The x list gives the count; shorter y or name lists are padded.
    for (qsizetype i = 0; i < lists[kXs].size(); ++i)
        s.points.append({lists[kXs][i], lists[kYs].value(i), lists[kNames].value(i)});
    if (!folder.isEmpty())
        s.strFolderName = folder;
    if (!s.strPageWeb.isEmpty() && !s.strFolderName.isEmpty())
        s.strPageWeb = JoinPath(s.strFolderName, s.strPageWeb);
    s.strImageFile = ShownPictureName(s.strOrigImageFile, s.strImageFile);
    s.strBackgroundImage = ShownPictureName(s.strOrigBackgroundImage, s.strBackgroundImage);

    state = s;
    PrepareImgFolder(state.strFolderName);
    const QString problems = CopyProjectPictures(state.strFolderName, Pictures());
    // The page must fit the picture it shows, whatever size the file recorded.
    MeasureReference(state, false);
    state.pictureShown = !state.strFolderName.isEmpty() && !state.strImageFile.isEmpty() &&
                         QFileInfo(JoinPath(JoinPath(state.strFolderName, QStringLiteral("img")),
                                            state.strImageFile))
                             .isFile();
    state.hintVisible = false;
    if (!problems.isEmpty())
        platform_.messageBox(problems, kNotice, kTitle);
    emit refreshRequested();
    MarkUnchanged();
    return true;
}

void TooltipModule::ApplyRefreshDefaults()
{
    RefreshPagePath(state.strPageWeb, state.strFileName, state.strFolderName);
    if (state.strTitre.isEmpty())
        state.strTitre = QStringLiteral("exercice");
    if (state.strContent.isEmpty())
        state.strContent = QStringLiteral("Page Web interactive");
    if (state.strAffiche.isEmpty())
        state.strAffiche = QStringLiteral("Exercice");
}

QList<ProjectPicture> TooltipModule::Pictures() const
{
    return {{state.strOrigImageFile, state.strImageFile}, {state.strOrigBackgroundImage, state.strBackgroundImage}};
}

namespace {

// The page and interact.js as written into the state's working folder.
QList<PageFile> pageFiles(Platform& platform, TooltipState& s, bool notices)
{
    const QString folder = s.strFolderName;
    const QString reference = JoinPath(JoinPath(folder, QStringLiteral("img")), s.strImageFile);
    if (const QString notice = ZeroSizeNotice(reference); notices && !notice.isEmpty())
        platform.messageBox(notice, kNotice, kTitle);
    MeasureReference(s, false);
    return {{JoinPath(folder, PageFileName(s.strPageWeb)), BuildTooltipPage(s)},
            {JoinPath(folder, QStringLiteral("interact.js")), BuildInteractJs(s)}};
}

}  // namespace

bool TooltipModule::CreatePage()
{
    KeepRecovery();
    return PublishPage(platform_, state.strFolderName, state.strPageWeb, Pictures(),
                       [&] { return pageFiles(platform_, state, true); });
}

bool TooltipModule::ExportPage(PageExport kind, const QString& target)
{
    KeepRecovery();
    return toravi::ExportPage(platform_, kind, target, state.strFolderName, state.strPageWeb, Pictures(),
                              [this](const QString& folder, bool reduce) {
                                  // A copy: the export leaves the project as it is.
                                  TooltipModule copy(platform_);
                                  copy.state = state;
                                  copy.state.strFolderName = folder;
                                  if (reduce)
                                      copy.ReducePictures();
                                  return pageFiles(platform_, copy.state, !reduce);
                              });
}

void TooltipModule::SetPageName(const QString& typed)
{
    SetTypedPageName(state.strPageWeb, state.strFolderName, typed);
}

}  // namespace toravi
