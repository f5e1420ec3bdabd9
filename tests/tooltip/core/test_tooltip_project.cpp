// The tooltip project: reset, the project file both ways, and what loading does
// to the working folder.
#include "support/scriptedplatform.h"
#include "shared/publish.h"
#include "shared/textfile.h"
#include "support/testsupport.h"
#include "tooltip/tooltipmodule.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace toravi;
using namespace toravi::test;

namespace {

const QStringList kHeader{QStringLiteral("<Généré par Toravi 2>"), QStringLiteral("<Module Interact>"),
                          QStringLiteral("<Ne pas modifier ce fichier à la main.>"),
                          QStringLiteral("<Cela pourrait avoir des conséquences inattendues sur votre projet>")};
const QStringList kLookDefaults{"FFE2B2", "14", "800000", "D9EBD1", "", "", "", "center", "4", "FFFF00", "", "", ""};

// A project file as a teacher's disk holds it: Windows-1252, CR LF.
void writeLines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += EncodeWindows1252(l) + "\r\n";
    QVERIFY(WriteBytes(path, bytes));
}

// Lines 19 to 31 of the file.
QStringList look(const TooltipState& s)
{
    return {s.strBackgroundColor, s.strBaloonSize,     s.strBaloonColor, s.strBaloonBackColor, s.strBaloonBold,
            s.strBaloonItalic,    s.strBaloonUnderlined, s.strTitelPlacement, s.strTitelSize, s.strTitelColor,
            s.strTitelBold,       s.strTitelItalic,    s.strTitelUnderline};
}

// Everything a project file keeps.
QStringList saved(const TooltipState& s)
{
    QStringList out{s.strOrigImageFile, s.strOrigBackgroundImage, s.strFolderName, s.strPageWeb, s.strTitre,
                    s.strContent,       s.strAffiche,            s.strImageFile,  s.strLargeur, s.strHauteur,
                    s.strBackgroundImage};
    for (const TooltipPoint& pt : s.points)
        out << pt.x << pt.y << pt.name;
    return out + look(s);
}

}  // namespace

class TooltipProjectTest : public QObject {
    Q_OBJECT

    QTemporaryDir tmp;
    QString dir(const QString& name)
    {
        const QString path = tmp.filePath(name);
        QDir().mkpath(path);
        return path;
    }
    // Header, lines 5 to 18 as given, default look.
    QString projectFile(const QString& name, const QStringList& values)
    {
        const QString path = tmp.filePath(name);
        writeLines(path, kHeader + values + kLookDefaults);
        return path;
    }

private slots:
    void resetGivesTheDefaultsAndRefreshes()
    {
        ScriptedPlatform p;
        TooltipModule m(p);
        QSignalSpy refresh(&m, &TooltipModule::refreshRequested);
        m.state.points = {{"1", "2", "x"}};
        m.state.strFolderName = m.state.strPageWeb = m.state.strTitre = "x";
        m.state.strBaloonBold = "font-weight:bold;";
        m.state.pictureShown = true;
        m.state.intPictureOffsetX = 7;
        m.ResetProject();
        QCOMPARE(refresh.count(), 1);
        QVERIFY(m.state.points.isEmpty());
        QVERIFY(m.state.strFolderName.isEmpty() && m.state.strPageWeb.isEmpty() && m.state.strTitre.isEmpty());
        QCOMPARE(look(m.state), kLookDefaults);
        QVERIFY(!m.state.pictureShown);
        QCOMPARE(m.state.intPictureOffsetX, 7);  // never reset
    }

    void saveWritesTheThirtyOneLinesAndLoadBringsThemBack()
    {
        const QString work = dir("rt/work");
        const QString picture = dir("rt/src") + "/volcan.png";
        QVERIFY(WriteRealPicture(picture, 40, 30));
        const QString file = tmp.filePath("rt/projet.txt");

        ScriptedPlatform p;
        TooltipModule m(p);
        m.ResetProject();
        TooltipState& s = m.state;
        s.strOrigImageFile = picture;
        s.strFolderName = work;
        s.strPageWeb = JoinPath(work, "lecon.htm");
        s.strTitre = "Les volcans";
        s.strContent = "Page Web interactive";
        s.strAffiche = "Le volcan";
        s.strImageFile = "volcan.png";
        s.strLargeur = "400";
        s.strHauteur = "300";
        s.points = {{"10", "20", "Cratère, sommet"}, {"30", "40", "Ohm Ω<br>ligne"}, {"50", "60", ""}};
        s.strBaloonSize = "12";
        s.strBaloonBold = "font-weight:bold;";
        s.strTitelPlacement = "right";
        s.strTitelUnderline = "underlined";
        const QStringList before = saved(s);
        p.queueSaveFile(file);
        QVERIFY(m.SaveProject());
        const auto save = p.requestsOf("save");
        QCOMPARE(save.size(), 1);
        QCOMPARE(save[0].defaultExt, "txt");
        QCOMPARE(save[0].initialFolder, ProgramFolder());
        QVERIFY(p.messageTexts().isEmpty());

        // Commas are escaped, and a character outside Windows-1252 becomes an entity.
        const QStringList expected = kHeader + QStringList{
            picture, "", work, JoinPath(work, "lecon.htm"), "Les volcans", "Page Web interactive", "Le volcan",
            "volcan.png", "400", "300", "", "10,30,50,", "20,40,60,", "Cratère&#44; sommet,Ohm &#937;<br>ligne,,",
            "FFE2B2", "12", "800000", "D9EBD1", "font-weight:bold;", "", "", "right", "4", "FFFF00", "", "",
            "underlined"};
        QCOMPARE(expected.size(), 31);
        QCOMPARE(ReadBytes(file), EncodeWindows1252(expected.join("\r\n") + "\r\n"));

        // Loading replaces whatever is in memory.
        m.ResetProject();
        s.strTitre = "autre chose";
        QSignalSpy refresh(&m, &TooltipModule::refreshRequested);
        p.queueOpenFile(file);
        QVERIFY(m.LoadProject());
        QCOMPARE(refresh.count(), 1);
        QVERIFY(p.messageTexts().isEmpty());
        QCOMPARE(saved(s), before);
        // The working folder is ready again and shows the picture.
        QVERIFY(QFileInfo::exists(work + "/img/ptrouge.gif"));
        QCOMPARE(ReadBytes(work + "/img/volcan.png"), ReadBytes(picture));
        QVERIFY(s.pictureShown);
        QVERIFY(!s.hintVisible);

        // No points: three empty lines, and loading them clears the points in memory.
        s.points.clear();
        p.queueSaveFile(file);
        QVERIFY(m.SaveProject());
        QCOMPARE(ReadTextLines(file).mid(15, 3), QStringList({"", "", ""}));
        s.points = {{"1", "2", "x"}};
        QVERIFY(m.LoadProjectFile(file));
        QVERIFY(s.points.isEmpty());
    }

    void saveRefusalsAndFailures()
    {
        ScriptedPlatform p;
        TooltipModule m(p);
        m.ResetProject();
        m.state.strPageWeb = "sans_point";
        QVERIFY(!m.SaveProject());
        QCOMPARE(p.messageTexts(), QStringList{msg::NoProject});
        QCOMPARE(p.requests[0].flags, kRefusal);
        QVERIFY(p.requestsOf("save").isEmpty());

        // Cancelled: nothing written, nothing said.
        p.clear();
        m.state.strPageWeb = "exercice.htm";
        p.queueSaveFile("");
        QVERIFY(!m.SaveProject());
        QVERIFY(p.messageTexts().isEmpty());

        // A file that cannot be written is said so, and an earlier one stays whole.
        const QString blocker = tmp.filePath("blocker");
        QVERIFY(WriteBytes(blocker, "x"));
        const QString bad = blocker + "/projet.txt";
        p.clear();
        p.queueSaveFile(bad);
        QVERIFY(!m.SaveProject());
        QCOMPARE(p.messageTexts(), QStringList{msg::NotSaved(bad)});
        QCOMPARE(p.requests.last().flags, kRefusal);
        QCOMPARE(ReadBytes(blocker), QByteArray("x"));
    }

    void headerlessAndShortFiles()
    {
        const QString work = dir("short/work");
        const QString file = tmp.filePath("short/projet.txt");
        writeLines(file, {"/images/carte.png", "", work, "carte.htm", "Carte", "Desc", "La carte", "carte.png", "640",
                          "480", ""});
        ScriptedPlatform p;
        TooltipModule m(p);
        m.ResetProject();
        m.state.strBaloonColor = "123456";
        m.state.points = {{"1", "1", "a"}};
        QVERIFY(m.LoadProjectFile(file));
        QCOMPARE(m.state.strOrigImageFile, "/images/carte.png");
        QCOMPARE(m.state.strFolderName, work);
        QCOMPARE(m.state.strAffiche, "La carte");
        QCOMPARE(m.state.strHauteur, "480");
        QVERIFY(m.state.points.isEmpty());
        QCOMPARE(look(m.state), kLookDefaults);
        // The source picture is gone: said once, naming it; the load goes on.
        QCOMPARE(p.messageTexts().size(), 1);
        QVERIFY(p.messageTexts()[0].contains("/images/carte.png"));
        QCOMPARE(p.requests[0].flags, kNotice);
        QVERIFY(!m.state.pictureShown);
        QVERIFY(QFileInfo::exists(work + "/img/ptrouge.gif"));
    }

    void listLinesAndExtraLines()
    {
        QStringList values{"", "", "", "p.htm", "", "", "", "", "", "", "", "a,b", "1,2,3,", "n1,n&#44;2,"};
        const QString file = projectFile("lists.txt", values);
        writeLines(file, ReadTextLines(file) + QStringList{"trop", "de lignes"});
        ScriptedPlatform p;
        TooltipModule m(p);
        QVERIFY(m.LoadProjectFile(file));
        // No final comma on the x line: only its first value counts.
        QCOMPARE(m.state.points.size(), 1);
        QCOMPARE(m.state.points[0].x, "a");
        QCOMPARE(m.state.points[0].y, "1");
        QCOMPARE(m.state.points[0].name, "n1");
        QCOMPARE(look(m.state), kLookDefaults);
        QVERIFY(p.messageTexts().isEmpty());  // no folder: nothing to copy, nothing to say

        // Fewer names than x values: the lists stay in step.
        values.replace(11, "5,6,7,");
        values.replace(12, "8,9,10,");
        values.replace(13, "seul,");
        QVERIFY(m.LoadProjectFile(projectFile("lists.txt", values)));
        QCOMPARE(m.state.points.size(), 3);
        QCOMPARE(m.state.points[0].name, "seul");
        QCOMPARE(m.state.points[2].y, "10");
        QCOMPARE(m.state.points[2].name, "");
    }

    void refusedFilesKeepTheProject()
    {
        ScriptedPlatform p;
        TooltipModule m(p);
        m.ResetProject();
        m.state.strTitre = "mon projet";
        m.state.points = {{"1", "2", "garde"}};
        QSignalSpy refresh(&m, &TooltipModule::refreshRequested);

        const QString other = tmp.filePath("dragdrop.txt");
        writeLines(other, {kHeader[0], "<Module Drag&Drop>", kHeader[2], kHeader[3], "x"});
        p.queueOpenFile(other);
        QVERIFY(!m.LoadProject());
        QCOMPARE(p.messageTexts(), QStringList{msg::WrongModule});
        QCOMPARE(p.requests.last().flags, kRefusal);
        QCOMPARE(refresh.count(), 1);  // LoadProject refreshes after its refusal

        const QString missing = tmp.filePath("absent.txt");
        p.clear();
        QVERIFY(!m.LoadProjectFile(missing));
        QCOMPARE(p.messageTexts(), QStringList{msg::NotRead(missing)});

        // A folder or a picture picked by mistake: one refusal naming it.
        const QString picture = tmp.filePath("image.png");
        QVERIFY(WriteBytes(picture, PngBytes(10, 10)));
        for (const QString& bad : {tmp.path(), picture}) {
            p.clear();
            QVERIFY(!m.LoadProjectFile(bad));
            QCOMPARE(p.messageTexts().size(), 1);
            QVERIFY2(p.messageTexts()[0].contains(bad), qPrintable(bad));
            QCOMPARE(p.requests.last().flags, kRefusal);
        }

        // Cancelling the dialog only refreshes.
        p.clear();
        p.queueOpenFile("");
        QVERIFY(!m.LoadProject());
        QCOMPARE(refresh.count(), 2);
        QVERIFY(p.messageTexts().isEmpty());
        QCOMPARE(m.state.strTitre, "mon projet");
        QCOMPARE(m.state.points.size(), 1);
        QCOMPARE(m.state.points[0].name, "garde");
    }

    void picturesAreCopiedIntoImgOnly()
    {
        ScriptedPlatform p;
        TooltipModule m(p);
        // Names that climb out of img are cut to their last part.
        const QString src = dir("safe/src"), work = dir("safe/work");
        QVERIFY(WriteRealPicture(src + "/photo.png", 8, 8));
        QVERIFY(WriteRealPicture(src + "/fond.png", 8, 8));
        QVERIFY(m.LoadProjectFile(projectFile("safe/projet.txt", {src + "/photo.png", src + "/fond.png", work, "p.htm",
                                                                  "", "", "", "../../evasion.png", "8", "8",
                                                                  "../fond.png", "", "", ""})));
        QCOMPARE(m.state.strImageFile, "evasion.png");
        QCOMPARE(m.state.strBackgroundImage, "fond.png");
        QVERIFY(QFileInfo::exists(work + "/img/evasion.png") && QFileInfo::exists(work + "/img/fond.png"));
        QVERIFY(!QFileInfo::exists(tmp.filePath("evasion.png")) && !QFileInfo::exists(tmp.filePath("safe/fond.png")));
        QVERIFY(m.state.pictureShown);
        QVERIFY(p.messageTexts().isEmpty());

        // Both sources gone: one message names them.
        const QString gone = dir("gone/work");
        const QString file = projectFile("gone/projet.txt", {"/disparu/photo.png", "/disparu/fond.jpg", gone, "p.htm", "",
                                                             "", "", "photo.png", "8", "8", "fond.jpg", "", "", ""});
        QVERIFY(m.LoadProjectFile(file));
        const QStringList texts = p.messageTexts();
        QCOMPARE(texts.size(), 1);
        QVERIFY(texts[0].contains("/disparu/photo.png") && texts[0].contains("/disparu/fond.jpg"));
        QVERIFY(!m.state.pictureShown);
        // A copy left in img by an earlier session still serves the page.
        QVERIFY(WriteRealPicture(gone + "/img/photo.png", 8, 8));
        QVERIFY(WriteRealPicture(gone + "/img/fond.jpg", 8, 8));
        p.clear();
        QVERIFY(m.LoadProjectFile(file));
        QVERIFY(p.messageTexts().isEmpty());
        QVERIFY(m.state.pictureShown);

        // No working folder: nothing is made, not even in the current folder.
        const QString here = dir("nofolder"), previous = QDir::currentPath();
        QDir::setCurrent(here);
        const bool loaded = m.LoadProjectFile(projectFile(
            "nofolder.txt", {src + "/photo.png", "", "", "p.htm", "", "", "", "photo.png", "8", "8", "", "", "", ""}));
        QDir::setCurrent(previous);
        QVERIFY(loaded);
        QVERIFY(QDir(here).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
        QVERIFY(!QFileInfo::exists("/img/ptrouge.gif"));
        QVERIFY(!m.state.pictureShown);
    }

    void refreshDefaultsAndPageName()
    {
        ScriptedPlatform p;
        TooltipModule m(p);
        m.ResetProject();
        m.ApplyRefreshDefaults();
        QCOMPARE(m.state.strPageWeb, "exercice.htm");
        QCOMPARE(m.state.strFileName, "exercice.htm");
        QCOMPARE(m.state.strTitre, "exercice");
        QCOMPARE(m.state.strContent, "Page Web interactive");
        QCOMPARE(m.state.strAffiche, "Exercice");

        m.state.strFolderName = "/cours";
        m.ApplyRefreshDefaults();
        QCOMPARE(m.state.strPageWeb, JoinPath("/cours", "exercice.htm"));
        // A path written on Windows keeps only its file name.
        m.state.strPageWeb = "C:\\cours\\lecon.htm";
        m.ApplyRefreshDefaults();
        QCOMPARE(m.state.strFileName, "lecon.htm");
        QCOMPARE(m.state.strPageWeb, JoinPath("/cours", "lecon.htm"));

        m.SetPageName("carte");
        QCOMPARE(m.state.strPageWeb, JoinPath("/cours", "carte.htm"));
        m.SetPageName("lecon.html");
        QCOMPARE(m.state.strPageWeb, JoinPath("/cours", "lecon.htm"));
        m.state.strFolderName.clear();
        m.SetPageName("autre");
        QCOMPARE(m.state.strPageWeb, JoinPath("/cours", "lecon.htm"));  // no folder: unchanged
    }
};

QTEST_GUILESS_MAIN(TooltipProjectTest)
#include "test_tooltip_project.moc"