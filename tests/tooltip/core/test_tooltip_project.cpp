// The tooltip project: reset, the project file both ways, and what loading does
// to the working folder.
#include "shared/platform.h"
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

// A project file as a teacher's disk holds it: Windows-1252, CR LF.
void writeLines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += EncodeWindows1252(l) + "\r\n";
    QVERIFY(WriteBytes(path, bytes));
}

QStringList lookDefaults()
{
    return {"FFE2B2", "14", "800000", "D9EBD1", "", "", "", "center", "4", "FFFF00", "", "", ""};
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

    // A project as the windows leave it before saving.
    void fillProject(TooltipState& s, const QString& work, const QString& picture)
    {
        s.strOrigImageFile = picture;
        s.strFolderName = work;
        s.strPageWeb = JoinPath(work, "lecon.htm");
        s.strTitre = "Les volcans";
        s.strContent = "Page Web interactive";
        s.strAffiche = "Le volcan";
        s.strImageFile = LastComponent(picture);
        s.strLargeur = "400";
        s.strHauteur = "300";
        s.points = {{"10", "20", "Cratère, sommet"}, {"30", "40", "Ohm Ω<br>ligne"}, {"50", "60", ""}};
        s.strBaloonSize = "12";
        s.strBaloonBold = "font-weight:bold;";
        s.strTitelPlacement = "right";
        s.strTitelUnderline = "underlined";
    }

private slots:
    void resetGivesTheDefaultsAndRefreshes()
    {
        ScriptedPlatform p;
        TooltipModule m(p);
        QSignalSpy refresh(&m, &TooltipModule::refreshRequested);
        fillProject(m.state, "/nowhere", "/nowhere/a.png");
        m.state.pictureShown = true;
        m.state.intPictureOffsetX = 7;
        m.ResetProject();
        QCOMPARE(refresh.count(), 1);
        QVERIFY(m.state.points.isEmpty());
        QVERIFY(m.state.strFolderName.isEmpty() && m.state.strPageWeb.isEmpty() && m.state.strTitre.isEmpty());
        QCOMPARE(m.state.strBackgroundColor, "FFE2B2");
        QCOMPARE(m.state.strBaloonSize, "14");
        QCOMPARE(m.state.strBaloonColor, "800000");
        QCOMPARE(m.state.strBaloonBackColor, "D9EBD1");
        QCOMPARE(m.state.strBaloonBold, "");
        QCOMPARE(m.state.strTitelPlacement, "center");
        QCOMPARE(m.state.strTitelSize, "4");
        QCOMPARE(m.state.strTitelColor, "FFFF00");
        QCOMPARE(m.state.strTitelUnderline, "");
        QVERIFY(!m.state.pictureShown);
        QCOMPARE(m.state.intPictureOffsetX, 7);  // never reset
    }

    void reinitAsksFirst()
    {
        ScriptedPlatform p;
        TooltipModule m(p);
        m.state.strTitre = "garde";
        p.queueMessage(IDNO);
        m.ReinitWithQuestion();
        QCOMPARE(m.state.strTitre, "garde");
        QCOMPARE(p.requests.size(), 1);
        QCOMPARE(p.requests[0].text, "Souhaitez-vous tout effacer et reprendre à zéro ?");
        QCOMPARE(p.requests[0].flags, 292);

        p.clear();
        p.queueMessage(IDYES);
        p.queueMessage(IDOK);
        m.ReinitWithQuestion();
        QCOMPARE(m.state.strTitre, "");
        QCOMPARE(p.messageTexts(), QStringList({"Souhaitez-vous tout effacer et reprendre à zéro ?",
                                                "Le projet a été réinitialisé avec les valeurs par défaut"}));
        QCOMPARE(p.requests[1].flags, 48);
    }

    void saveWritesTheThirtyOneLinesAndLoadBringsThemBack()
    {
        const QString src = dir("rt/src"), work = dir("rt/work");
        const QString picture = src + "/volcan.png";
        QVERIFY(WriteRealPicture(picture, 40, 30));
        const QString file = tmp.filePath("rt/projet.txt");

        ScriptedPlatform p;
        TooltipModule m(p);
        m.ResetProject();
        fillProject(m.state, work, picture);
        const TooltipState saved = m.state;
        p.queueSaveFile(file);
        QVERIFY(m.SaveProject());
        const auto save = p.requestsOf("save");
        QCOMPARE(save.size(), 1);
        QCOMPARE(save[0].text, "Nom du fichier de paramètres pour ce projet");
        QCOMPARE(save[0].filter, "Fichiers texte (*.txt)|*.txt|Tous (*.*)|*.*");
        QCOMPARE(save[0].defaultExt, "txt");
        QCOMPARE(save[0].initialFolder, ProgramFolder());
        QVERIFY(p.messageTexts().isEmpty());

        QStringList expected = kHeader;
        expected << picture << "" << work << JoinPath(work, "lecon.htm") << "Les volcans" << "Page Web interactive"
                 << "Le volcan" << "volcan.png" << "400" << "300" << ""
                 << "10,30,50," << "20,40,60," << "Cratère&#44; sommet,Ohm &#937;<br>ligne,,"
                 << "FFE2B2" << "12" << "800000" << "D9EBD1" << "font-weight:bold;" << "" << "" << "right" << "4"
                 << "FFFF00" << "" << "" << "underlined";
        QCOMPARE(expected.size(), 31);
        QCOMPARE(ReadBytes(file), EncodeWindows1252(expected.join("\r\n") + "\r\n"));

        // Loading starts from whatever is in memory.
        m.ResetProject();
        m.state.strTitre = "autre chose";
        QSignalSpy refresh(&m, &TooltipModule::refreshRequested);
        p.queueOpenFile(file);
        QVERIFY(m.LoadProject());
        QCOMPARE(refresh.count(), 1);
        QCOMPARE(p.requestsOf("open").value(0).text, "Nom du fichier de paramètres pour ce projet");
        QVERIFY(p.messageTexts().isEmpty());
        const TooltipState& s = m.state;
        QCOMPARE(s.strOrigImageFile, saved.strOrigImageFile);
        QCOMPARE(s.strFolderName, saved.strFolderName);
        QCOMPARE(s.strPageWeb, saved.strPageWeb);
        QCOMPARE(s.strTitre, saved.strTitre);
        QCOMPARE(s.strAffiche, saved.strAffiche);
        QCOMPARE(s.strImageFile, saved.strImageFile);
        QCOMPARE(s.strLargeur, "400");
        QCOMPARE(s.strBaloonSize, "12");
        QCOMPARE(s.strBaloonBold, "font-weight:bold;");
        QCOMPARE(s.strTitelPlacement, "right");
        QCOMPARE(s.strTitelUnderline, "underlined");
        QCOMPARE(s.points.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(s.points[i].x, saved.points[i].x);
            QCOMPARE(s.points[i].y, saved.points[i].y);
            QCOMPARE(s.points[i].name, saved.points[i].name);
        }
        // The working folder is ready again and shows the picture.
        QVERIFY(QFileInfo::exists(work + "/img/ptrouge.gif"));
        QCOMPARE(ReadBytes(work + "/img/volcan.png"), ReadBytes(picture));
        QVERIFY(s.pictureShown);
        QVERIFY(!s.hintVisible);
    }

    void noPointsGiveThreeEmptyLines()
    {
        const QString file = tmp.filePath("empty.txt");
        ScriptedPlatform p;
        TooltipModule m(p);
        m.ResetProject();
        m.ApplyRefreshDefaults();
        p.queueSaveFile(file);
        QVERIFY(m.SaveProject());
        const QStringList lines = ReadTextLines(file);
        QCOMPARE(lines.size(), 31);
        QCOMPARE(lines.mid(15, 3), QStringList({"", "", ""}));
        QCOMPARE(lines[7], "exercice.htm");
        m.state.points = {{"1", "2", "x"}};
        p.queueOpenFile(file);
        QVERIFY(m.LoadProject());
        QVERIFY(m.state.points.isEmpty());
    }

    void saveRefusalsAndFailures()
    {
        ScriptedPlatform p;
        TooltipModule m(p);
        m.ResetProject();
        m.state.strPageWeb = "sans_point";
        QVERIFY(!m.SaveProject());
        QCOMPARE(p.messageTexts(), QStringList{"Aucun projet en cours"});
        QCOMPARE(p.requests[0].flags, 16);
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
        QCOMPARE(p.requests.last().flags, 16);
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
        QCOMPARE(m.state.strBackgroundColor, "FFE2B2");
        QCOMPARE(m.state.strBaloonColor, "800000");
        QCOMPARE(m.state.strBaloonBackColor, "D9EBD1");
        QCOMPARE(m.state.strTitelColor, "FFFF00");
        // The source picture is gone: said once, naming it; the load goes on.
        QCOMPARE(p.messageTexts().size(), 1);
        QVERIFY(p.messageTexts()[0].contains("/images/carte.png"));
        QCOMPARE(p.requests[0].flags, 48);
        QVERIFY(!m.state.pictureShown);
        QVERIFY(QFileInfo::exists(work + "/img/ptrouge.gif"));
    }

    void listLinesAndExtraLines()
    {
        const QString file = tmp.filePath("lists.txt");
        QStringList lines = kHeader;
        lines << "" << "" << "" << "p.htm" << "" << "" << "" << "" << "" << "" << ""
              << "a,b" << "1,2,3," << "n1,n&#44;2,"  // no final comma: only a
              << lookDefaults() << "trop" << "de lignes";
        lines[4 + 14 + 1] = "16";  // baloon size
        writeLines(file, lines);
        ScriptedPlatform p;
        TooltipModule m(p);
        QVERIFY(m.LoadProjectFile(file));
        QCOMPARE(m.state.points.size(), 1);
        QCOMPARE(m.state.points[0].x, "a");
        QCOMPARE(m.state.points[0].y, "1");
        QCOMPARE(m.state.points[0].name, "n1");
        QCOMPARE(m.state.strBaloonSize, "16");
        QCOMPARE(m.state.strTitelUnderline, "");
        QVERIFY(p.messageTexts().isEmpty());  // no folder: nothing to copy, nothing to say

        // Fewer names than x values: the lists stay in step.
        lines[15] = "5,6,7,";
        lines[16] = "8,9,10,";
        lines[17] = "seul,";
        writeLines(file, lines);
        QVERIFY(m.LoadProjectFile(file));
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
        QCOMPARE(p.messageTexts(),
                 QStringList{"Ce fichier ne semble pas avoir été enregistré par Le module que vous avez lancé"});
        QCOMPARE(p.requests.last().flags, 16);

        const QString missing = tmp.filePath("absent.txt");
        p.clear();
        QVERIFY(!m.LoadProjectFile(missing));
        QCOMPARE(p.messageTexts(), QStringList{"Le fichier " + missing + " n'a pas pu être lu."});
        QCOMPARE(p.requests.last().flags, 16);

        p.clear();
        QVERIFY(!m.LoadProjectFile(tmp.path()));  // a folder
        QCOMPARE(p.messageTexts().size(), 1);

        // A picture picked by mistake.
        const QString picture = tmp.filePath("image.png");
        QVERIFY(WriteBytes(picture, PngBytes(10, 10)));
        p.clear();
        QVERIFY(!m.LoadProjectFile(picture));
        QCOMPARE(p.messageTexts().size(), 1);
        QVERIFY(p.messageTexts()[0].contains(picture));

        QCOMPARE(m.state.strTitre, "mon projet");
        QCOMPARE(m.state.points.size(), 1);
        QCOMPARE(m.state.points[0].name, "garde");
        QCOMPARE(refresh.count(), 1);  // LoadProject refreshes after its refusal

        // Cancelling the dialog only refreshes.
        p.clear();
        p.queueOpenFile("");
        QVERIFY(!m.LoadProject());
        QCOMPARE(refresh.count(), 2);
        QCOMPARE(m.state.strTitre, "mon projet");
    }

    void pictureNamesStayInsideImg()
    {
        const QString src = dir("safe/src"), work = dir("safe/work");
        QVERIFY(WriteRealPicture(src + "/photo.png", 8, 8));
        QVERIFY(WriteRealPicture(src + "/fond.png", 8, 8));
        const QString file = tmp.filePath("safe/projet.txt");
        QStringList lines = kHeader;
        lines << src + "/photo.png" << src + "/fond.png" << work << "p.htm" << "" << "" << ""
              << "../../evasion.png" << "8" << "8" << "../fond.png" << "" << "" << "" << lookDefaults();
        writeLines(file, lines);
        ScriptedPlatform p;
        TooltipModule m(p);
        QVERIFY(m.LoadProjectFile(file));
        QCOMPARE(m.state.strImageFile, "evasion.png");
        QCOMPARE(m.state.strBackgroundImage, "fond.png");
        QVERIFY(QFileInfo::exists(work + "/img/evasion.png"));
        QVERIFY(QFileInfo::exists(work + "/img/fond.png"));
        QVERIFY(!QFileInfo::exists(tmp.filePath("evasion.png")));
        QVERIFY(!QFileInfo::exists(tmp.filePath("safe/fond.png")));
        QVERIFY(m.state.pictureShown);
        QVERIFY(p.messageTexts().isEmpty());
    }

    void bothPicturesMissingAreNamedInOneMessage()
    {
        const QString work = dir("gone/work");
        const QString file = tmp.filePath("gone/projet.txt");
        QStringList lines = kHeader;
        lines << "/disparu/photo.png" << "/disparu/fond.jpg" << work << "p.htm" << "" << "" << ""
              << "photo.png" << "8" << "8" << "fond.jpg" << "" << "" << "" << lookDefaults();
        writeLines(file, lines);
        ScriptedPlatform p;
        TooltipModule m(p);
        QVERIFY(m.LoadProjectFile(file));
        const QStringList texts = p.messageTexts();
        QCOMPARE(texts.size(), 1);
        QVERIFY(texts[0].contains("/disparu/photo.png") && texts[0].contains("/disparu/fond.jpg"));
        QVERIFY(!m.state.pictureShown);

        // A copy left in img by an earlier session still serves the page.
        QVERIFY(WriteRealPicture(work + "/img/photo.png", 8, 8));
        QVERIFY(WriteRealPicture(work + "/img/fond.jpg", 8, 8));
        p.clear();
        QVERIFY(m.LoadProjectFile(file));
        QVERIFY(p.messageTexts().isEmpty());
        QVERIFY(m.state.pictureShown);
    }

    void nothingIsMadeWithoutAWorkingFolder()
    {
        const QString here = dir("nofolder");
        const QString previous = QDir::currentPath();
        QDir::setCurrent(here);
        const QString picture = tmp.filePath("nofolder-photo.png");
        QVERIFY(WriteRealPicture(picture, 8, 8));
        const QString file = tmp.filePath("nofolder.txt");
        QStringList lines = kHeader;
        lines << picture << "" << "" << "p.htm" << "" << "" << "" << "nofolder-photo.png" << "8" << "8" << ""
              << "" << "" << "" << lookDefaults();
        writeLines(file, lines);
        ScriptedPlatform p;
        TooltipModule m(p);
        QVERIFY(m.LoadProjectFile(file));
        QDir::setCurrent(previous);
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

        m.SetPageName("lecon.html");
        QCOMPARE(m.state.strPageWeb, JoinPath("/cours", "lecon.htm"));
        m.SetPageName("carte");
        QCOMPARE(m.state.strPageWeb, JoinPath("/cours", "carte.htm"));
        m.state.strFolderName.clear();
        m.SetPageName("autre");
        QCOMPARE(m.state.strPageWeb, JoinPath("/cours", "carte.htm"));  // no folder: unchanged
    }
};

QTEST_GUILESS_MAIN(TooltipProjectTest)
#include "test_tooltip_project.moc"
