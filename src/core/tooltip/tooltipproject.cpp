#include "tooltip/tooltipmodule.h"

#include "shared/escaping.h"
#include "shared/platform.h"
#include "shared/projectheader.h"
#include "shared/publish.h"
#include "shared/textfile.h"

#include <QFileInfo>

namespace toravi {

namespace {


constexpr int kValueLines = 27;  // lines 5 to 31

FileDialogRequest projectDialog()
{
    return {ProgramFolder(), QStringLiteral("txt"), QStringLiteral("Fichiers texte (*.txt)|*.txt|Tous (*.*)|*.*"),
            QStringLiteral("Nom du fichier de paramètres pour ce projet")};
}

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
    s.pictureShown = false;
}

// The settings of lines 5 to 15 and 19 to 31, in file order; nullptr marks the
// three point lines.
QList<QString*> fileOrder(TooltipState& s)
{
    return {&s.strOrigImageFile, &s.strOrigBackgroundImage, &s.strFolderName, &s.strPageWeb, &s.strTitre,
            &s.strContent,       &s.strAffiche,             &s.strImageFile,  &s.strLargeur, &s.strHauteur,
            &s.strBackgroundImage, nullptr, nullptr, nullptr,
            &s.strBackgroundColor, &s.strBaloonSize, &s.strBaloonColor, &s.strBaloonBackColor, &s.strBaloonBold,
            &s.strBaloonItalic, &s.strBaloonUnderlined, &s.strTitelPlacement, &s.strTitelSize, &s.strTitelColor,
            &s.strTitelBold, &s.strTitelItalic, &s.strTitelUnderline};
}

// Copies a recorded source picture again into img under its recorded name.
// False when the picture is missing from img afterwards.
bool recopy(const QString& source, const QString& folder, const QString& name)
{
    if (folder.isEmpty() || name.isEmpty())
        return false;
    const QString target = JoinPath(JoinPath(folder, QStringLiteral("img")), name);
    if (CopyFileReplacing(source, target))
        return true;
    // An earlier copy still serves the page.
    return QFileInfo(target).isFile();
}

}  // namespace

TooltipModule::TooltipModule(Platform& platform, QObject* parent) : QObject(parent), platform_(platform) {}

void TooltipModule::ResetProject()
{
    resetValues(state);
    emit refreshRequested();
}

void TooltipModule::ReinitWithQuestion()
{
    if (platform_.messageBox(msg::ResetQuestion, kConfirm, kTitle) != IDYES)
        return;
    ResetProject();
    platform_.messageBox(msg::ResetDone, kNotice, kTitle);
}

bool TooltipModule::SaveProject()
{
    QStringList xs, ys, names;
    for (const TooltipPoint& p : state.points) {
        xs << p.x;
        ys << p.y;
        names << p.name;
    }
    if (!state.strPageWeb.contains(QLatin1Char('.'))) {
        platform_.messageBox(msg::NoProject, kRefusal, kTitle);
        return false;
    }
    const QString path = platform_.saveFile(projectDialog());
    if (path.isEmpty())
        return false;

    QStringList lines = projectheader::Lines(projectheader::Interact);
    const QList<QString*> order = fileOrder(state);
    for (int k = 0; k < kValueLines; ++k) {
        if (order[k])
            lines << OneLine(*order[k]);
        else
            lines << JoinListLine(k == 11 ? xs : k == 12 ? ys : names);
    }
    // The write adds the last line's CR LF.
    if (!WriteTextFile(path, lines.join(CRLF))) {
        platform_.messageBox(msg::NotSaved(path), kRefusal, kTitle);
        return false;
    }
    return true;
}

bool TooltipModule::LoadProject()
{
    const QString path = platform_.openFile(projectDialog());
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
    const QString notProject = QStringLiteral("Le fichier %1 n'est pas un projet Toravi.").arg(path);
    // Even thousands of points make well under a megabyte; a film picked by
    // mistake is not read into memory.
    constexpr qint64 kLargestProject = 64 * 1024 * 1024;
    if (QFileInfo(path).size() > kLargestProject) {
        platform_.messageBox(notProject, kRefusal, kTitle);
        return false;
    }
    bool readable = false;
    const QStringList lines = ReadTextLines(path, &readable);
    if (!readable) {
        platform_.messageBox(msg::NotRead(path), kRefusal, kTitle);
        return false;
    }
    qsizetype first = 0;
    if (!lines.isEmpty() && lines[0] == projectheader::Generated) {
        if (lines.value(1) != projectheader::Interact) {
            platform_.messageBox(msg::WrongModule, kRefusal, kTitle);
            return false;
        }
        first = 4;
    }
    // A picture or other binary file picked by mistake is no project.
    for (const QString& line : lines) {
        if (line.contains(QChar(0))) {
            platform_.messageBox(notProject, kRefusal, kTitle);
            return false;
        }
    }

    TooltipState s = state;  // keeps what is never saved (offsets, strFileName)
    resetValues(s);
    QStringList xs, ys, names;
    const QList<QString*> order = fileOrder(s);
    for (int k = 0; k < kValueLines && first + k < lines.size(); ++k) {
        const QString& line = lines[first + k];
        if (order[k])
            *order[k] = DecodeCharRefs(line);
        else if (k == 11)
            xs = SplitListLine(line);
        else if (k == 12)
            ys = SplitListLine(line);
        else
            names = SplitListLine(line);
    }
    // The x list gives the count; shorter y or name lists are padded.
    for (qsizetype i = 0; i < xs.size(); ++i)
        s.points.append({xs[i], ys.value(i), names.value(i)});
    if (!folder.isEmpty())
        s.strFolderName = folder;
    s.strOrigImageFile = ResolveProjectSource(path, s.strOrigImageFile);
    s.strOrigBackgroundImage = ResolveProjectSource(path, s.strOrigBackgroundImage);
    // These name files inside img: nothing read from a file may lead elsewhere.
    s.strImageFile = SafeFileName(s.strImageFile);
    s.strBackgroundImage = SafeFileName(s.strBackgroundImage);

    state = s;
    PrepareImgFolder(state.strFolderName);
    QStringList missing;
    if (!state.strFolderName.isEmpty()) {
        if (!state.strOrigImageFile.isEmpty() &&
            !recopy(state.strOrigImageFile, state.strFolderName, state.strImageFile))
            missing << state.strOrigImageFile;
        if (!state.strOrigBackgroundImage.isEmpty() &&
            !recopy(state.strOrigBackgroundImage, state.strFolderName, state.strBackgroundImage))
            missing << state.strOrigBackgroundImage;
    }
    state.pictureShown = !state.strFolderName.isEmpty() && !state.strImageFile.isEmpty() &&
                         QFileInfo(JoinPath(JoinPath(state.strFolderName, QStringLiteral("img")),
                                            state.strImageFile))
                             .isFile();
    state.hintVisible = false;
    if (!missing.isEmpty())
        platform_.messageBox(msg::NotCopied(missing, JoinPath(state.strFolderName, QStringLiteral("img"))), kNotice,
                             kTitle);
    emit refreshRequested();
    return true;
}

namespace {
// Project files written on Windows hold backslash paths.
QString pageFileName(const QString& path)
{
    QString name = LastComponent(path);
    const qsizetype cut = name.lastIndexOf(QLatin1Char('\\'));
    return cut < 0 ? name : name.mid(cut + 1);
}
}  // namespace

void TooltipModule::ApplyRefreshDefaults()
{
    if (state.strPageWeb.isEmpty())
        state.strPageWeb = QStringLiteral("exercice.htm");
    state.strFileName = pageFileName(state.strPageWeb);
    if (!state.strFolderName.isEmpty())
        state.strPageWeb = JoinPath(state.strFolderName, state.strFileName);
    if (state.strTitre.isEmpty())
        state.strTitre = QStringLiteral("exercice");
    if (state.strContent.isEmpty())
        state.strContent = QStringLiteral("Page Web interactive");
    if (state.strAffiche.isEmpty())
        state.strAffiche = QStringLiteral("Exercice");
}

void TooltipModule::SetPageName(const QString& typed)
{
    const QString base = typed.section(QLatin1Char('.'), 0, 0);
    if (!state.strFolderName.isEmpty())
        state.strPageWeb = JoinPath(state.strFolderName, base + QStringLiteral(".htm"));
}

}  // namespace toravi
