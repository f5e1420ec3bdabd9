// The drag-and-drop project: reset, project file, validation, refresh defaults.
#include "dragdrop/dragdropmodule.h"
#include "shared/escaping.h"
#include "shared/platform.h"
#include "shared/publish.h"
#include "shared/textfile.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace toravi;
using namespace toravi::test;

namespace {

const QString kH1 = QStringLiteral("<Généré par Toravi 2>");
const QString kH2 = QStringLiteral("<Module Drag&Drop>");
const QString kH3 = QStringLiteral("<Ne pas modifier ce fichier à la main.>");
const QString kH4 = QStringLiteral("<Cela pourrait avoir des conséquences inattendues sur votre projet>");

// A file of lines, each ended by CR LF, in Windows-1252.
void writeLines(const QString& path, const QStringList& lines)
{
    QVERIFY(WriteBytes(path, EncodeWindows1252(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"))));
}

// The 35 body lines of a project, as a teacher's saved file would hold them.
QStringList body(const QString& src, const QString& work)
{
    return {src + "/scene.gif",     src + "/fond.gif",  work,     work + "/exercice.htm", "Mon titre",
            "Ligne 1<br>Ligne 2",  "Affiché",          "scene.gif", "300",            "400",
            "fond.gif",            "112233",           "16",       "445566",          "778899",
            "font-weight:bold;",   "",                 "text-decoration:underline;", "droite", "26",
            "AABBCC",              "bold",             "",         "underlined",      "DDEEFF",
            "Vrai",                src + "/chat.gif," + src + "/a.b.gif," + src + "/lune,",
            "chat.gif,a.b.gif,lune,", "vrai",          "faux",     "Le chat,Objet A,La lune,",
            "Vrai",                src + "/aide.htm",  "aide.htm", "Aide ici"};
}

}  // namespace

class TestDragDropProject : public QObject {
    Q_OBJECT

    QTemporaryDir tmp;
    QString src, work;

    void makeSources()
    {
        QVERIFY(WriteBytes(src + "/scene.gif", GifBytes(300, 400)));
        QVERIFY(WriteBytes(src + "/fond.gif", GifBytes(10, 10)));
        QVERIFY(WriteBytes(src + "/chat.gif", GifBytes(100, 50)));
        QVERIFY(WriteBytes(src + "/a.b.gif", GifBytes(120, 60)));
        QVERIFY(WriteBytes(src + "/lune", GifBytes(30, 30)));
        QVERIFY(WriteBytes(src + "/aide.htm", "<p>aide</p>"));
    }

private slots:
    void init()
    {
        QVERIFY(tmp.isValid());
        const QString base = tmp.path() + "/" + QString::number(QRandomGenerator::global()->generate());
        src = base + "/src";
        work = base + "/work";
        QVERIFY(QDir().mkpath(src));
        QVERIFY(QDir().mkpath(work));
        makeSources();
    }

    void resetGivesDefaultsAndRefresh()
    {
        ScriptedPlatform p;
        DragDropModule m(p);
        m.state.strTitre = "x";
        m.state.objects.append({"a", "b", "c"});
        m.state.previewShown = true;
        m.state.intSelectedItem = 4;
        QSignalSpy spy(&m, &DragDropModule::refreshRequested);
        m.ResetProject();
        QCOMPARE(spy.count(), 1);
        const DragDropState& s = m.state;
        QVERIFY(s.objects.isEmpty());
        QVERIFY(!s.previewShown);
        QVERIFY(s.strTitre.isEmpty());
        QCOMPARE(s.intMaxObjets, 23);
        QCOMPARE(s.intSelectedItem, 4);  // never reset
        QCOMPARE(s.strBackgroundColor, "FFE2B2");
        QCOMPARE(s.strTextSize, "14");
        QCOMPARE(s.strTextColor, "800000");
        QCOMPARE(s.strTextBackColor, "D9EBD1");
        QCOMPARE(s.strScriptPlacement, "centré");
        QCOMPARE(s.strTitelSize, "22");
        QCOMPARE(s.strTitelColor, "008000");
        QCOMPARE(s.strTableColor, "FFFFD2");
        for (const QString& v : {s.strTransparence, s.strImgAlt, s.strImgTransparent, s.strBouton})
            QCOMPARE(v, "Faux");
        QCOMPARE(s.strTexteBouton, "Aide");
    }

    void reinitAsksFirst()
    {
        ScriptedPlatform p;
        DragDropModule m(p);
        m.state.strTitre = "garde";
        p.queueMessage(IDNO);
        m.ReinitWithQuestion();
        QCOMPARE(m.state.strTitre, "garde");
        QCOMPARE(p.requests.size(), 1);
        QCOMPARE(p.requests[0].flags, kConfirm);
        QCOMPARE(p.requests[0].text, "Souhaitez-vous tout effacer et reprendre à zéro ?");

        p.clear();
        p.queueMessage(IDYES);
        p.queueMessage(IDOK);
        m.ReinitWithQuestion();
        QVERIFY(m.state.strTitre.isEmpty());
        QCOMPARE(p.messageTexts(),
                 QStringList({"Souhaitez-vous tout effacer et reprendre à zéro ?",
                              "Le projet a été réinitialisé avec les valeurs par défaut"}));
        QCOMPARE(p.requests[1].flags, kNotice);
    }

    // Load a full file, check every line landed where it belongs, the copies,
    // then save it again byte for byte.
    void loadSaveRoundTrip()
    {
        ScriptedPlatform p;
        DragDropModule m(p);
        m.ResetProject();
        const QString file = src + "/projet.txt";
        QStringList lines = QStringList{kH1, kH2, kH3, kH4} + body(src, work);
        writeLines(file, lines);
        QSignalSpy spy(&m, &DragDropModule::refreshRequested);
        QVERIFY(m.LoadProjectFile(file));
        QCOMPARE(spy.count(), 1);
        QVERIFY(p.requests.isEmpty());

        const DragDropState& s = m.state;
        QCOMPARE(s.strOrigImageFile, src + "/scene.gif");
        QCOMPARE(s.strFolderName, work);
        QCOMPARE(s.strTitre, "Mon titre");
        QCOMPARE(s.strConsigne, "Ligne 1\r\nLigne 2");
        QCOMPARE(s.strAffiche, "Affiché");
        QCOMPARE(s.strImageLargeur, "300");
        QCOMPARE(s.strImageHauteur, "400");
        QCOMPARE(s.strTextUnderlined, "text-decoration:underline;");
        QCOMPARE(s.strScriptPlacement, "droite");
        QCOMPARE(s.strTitelUnderline, "underlined");
        QCOMPARE(s.strTableColor, "DDEEFF");
        QCOMPARE(s.strTransparence, "Vrai");
        QCOMPARE(s.strImgAlt, "vrai");
        QCOMPARE(s.strImgTransparent, "faux");
        QCOMPARE(s.strBouton, "Vrai");
        QCOMPARE(s.strDocument, "aide.htm");
        QCOMPARE(s.strTexteBouton, "Aide ici");
        QCOMPARE(s.objects.size(), 3);
        QCOMPARE(s.objects[0].source, src + "/chat.gif");
        QCOMPARE(s.objects[1].fileName, "a.b.gif");
        QCOMPARE(s.objects[2].tooltip, "La lune");
        QVERIFY(s.previewShown);
        for (const char* f : {"img/scene.gif", "img/fond.gif", "img/chat.gif", "img/a.b.gif", "img/lune", "aide.htm"})
            QVERIFY2(QFileInfo::exists(work + "/" + f), qPrintable(f));
        // Loading makes img without the red dot.
        QVERIFY(!QFileInfo::exists(work + "/img/ptrouge.gif"));

        const QString saved = src + "/copie.txt";
        p.queueSaveFile(saved);
        QVERIFY(m.SaveProject());
        const auto req = p.requestsOf("save");
        QCOMPARE(req.size(), 1);
        QCOMPARE(req[0].text, "Nom du fichier de paramètres pour ce projet");
        QCOMPARE(req[0].defaultExt, "txt");
        QCOMPARE(req[0].filter, "Fichiers texte (*.txt)|*.txt|Tous (*.*)|*.*");
        QCOMPARE(req[0].initialFolder, ProgramFolder());
        QCOMPARE(ReadBytes(saved), ReadBytes(file));
        QCOMPARE(m.state.strConsigne, "Ligne 1<br>Ligne 2");  // until the next refresh
    }

    void listLines_data()
    {
        QTest::addColumn<QString>("l31");
        QTest::addColumn<QString>("l32");
        QTest::addColumn<QString>("l35");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("tips");
        QTest::newRow("empty") << "" << "" << "" << QStringList() << QStringList();
        QTest::newRow("tips from names") << "s/chat.gif,s/a.b.gif,s/lune," << "chat.gif,a.b.gif,lune,"
                                         << "" << QStringList{"chat.gif", "a.b.gif", "lune"}
                                         << QStringList{"chat", "a", "lune"};
        QTest::newRow("no final comma") << "s/chat.gif,s/lune" << "chat.gif,lune" << "c,l"
                                        << QStringList{"chat.gif"} << QStringList{"c"};
        QTest::newRow("comma and far character") << "s/x&#44;y.gif," << "x&#44;y.gif,"
                                                 << "un&#44; deux &#937;," << QStringList{"x,y.gif"}
                                                 << QStringList{QString::fromUtf8("un, deux Ω")};
        QTest::newRow("folders dropped") << "s/../evil.gif," << "../../evil.gif," << "e,"
                                         << QStringList{"evil.gif"} << QStringList{"e"};
    }
    void listLines()
    {
        QFETCH(QString, l31);
        QFETCH(QString, l32);
        QFETCH(QString, l35);
        QFETCH(QStringList, names);
        QFETCH(QStringList, tips);
        QStringList lines = body(src, work);
        lines[26] = l31;
        lines[27] = l32;
        lines[30] = l35;
        const QString file = src + "/l.txt";
        writeLines(file, QStringList{kH1, kH2, kH3, kH4} + lines);
        ScriptedPlatform p;
        DragDropModule m(p);
        QVERIFY(m.LoadProjectFile(file));
        QStringList gotNames, gotTips;
        for (const auto& o : m.state.objects) {
            gotNames << o.fileName;
            gotTips << o.tooltip;
        }
        QCOMPARE(gotNames, names);
        QCOMPARE(gotTips, tips);
    }

    void headerlessAndShortFiles()
    {
        ScriptedPlatform p;
        DragDropModule m(p);
        const QString file = src + "/h.txt";
        writeLines(file, body(src, work));
        QVERIFY(m.LoadProjectFile(file));
        QCOMPARE(m.state.strOrigImageFile, src + "/scene.gif");
        QCOMPARE(m.state.strTexteBouton, "Aide ici");
        QCOMPARE(m.state.objects.size(), 3);

        // Eight lines: the rest keeps the defaults.
        writeLines(file, body(src, work).mid(0, 8));
        QVERIFY(m.LoadProjectFile(file));
        QCOMPARE(m.state.strImageFile, "scene.gif");
        QCOMPARE(m.state.strBackgroundColor, "FFE2B2");
        QCOMPARE(m.state.strBouton, "Faux");
        QVERIFY(m.state.objects.isEmpty());
        QVERIFY(p.requests.isEmpty());
    }

    // A refused file leaves the open project untouched.
    void refusedFilesKeepTheProject_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("other module")
            << EncodeWindows1252(kH1 + "\r\n<Module Interact>\r\n" + kH3 + "\r\n" + kH4 + "\r\na\r\n")
            << "Ce fichier ne semble pas avoir été enregistré par Le module que vous avez lancé";
        QTest::newRow("picture") << GifBytes(10, 10) << "n'a pas pu être lu.";
        QTest::newRow("empty") << QByteArray() << "n'a pas pu être lu.";
    }
    void refusedFilesKeepTheProject()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        ScriptedPlatform p;
        DragDropModule m(p);
        m.ResetProject();
        m.state.strTitre = "Mon projet";
        m.state.objects.append({"s", "f.gif", "t"});
        const QString file = src + "/bad.txt";
        QVERIFY(WriteBytes(file, bytes));
        QSignalSpy spy(&m, &DragDropModule::refreshRequested);
        QVERIFY(!m.LoadProjectFile(file));
        QCOMPARE(m.state.strTitre, "Mon projet");
        QCOMPARE(m.state.objects.size(), 1);
        QCOMPARE(p.messageTexts().size(), 1);
        QVERIFY(p.messageTexts()[0].contains(message));
        QCOMPARE(p.requests[0].flags, kRefusal);

        // Through the dialog: a missing file is refused the same way, cancel changes nothing.
        p.clear();
        p.queueOpenFile(src + "/absent.txt");
        QVERIFY(!m.LoadProject());
        QCOMPARE(m.state.strTitre, "Mon projet");
        p.clear();
        spy.clear();
        p.queueOpenFile(QString());
        QVERIFY(!m.LoadProject());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(p.messageTexts().size(), 0);
        QCOMPARE(m.state.strTitre, "Mon projet");
    }

    void missingPicturesSaidOnce()
    {
        QFile::remove(src + "/chat.gif");
        QFile::remove(src + "/scene.gif");
        QFile::remove(src + "/aide.htm");
        const QString file = src + "/p.txt";
        writeLines(file, body(src, work));
        ScriptedPlatform p;
        DragDropModule m(p);
        QVERIFY(m.LoadProjectFile(file));
        const QStringList texts = p.messageTexts();
        QCOMPARE(texts.size(), 1);
        QCOMPARE(p.requests[0].flags, kNotice);
        QVERIFY(texts[0].contains(src + "/chat.gif"));
        QVERIFY(texts[0].contains(src + "/scene.gif"));
        QVERIFY(texts[0].contains(src + "/aide.htm"));
        QVERIFY(!texts[0].contains(src + "/lune"));
        QVERIFY(!m.state.previewShown);

        // A copy made earlier still serves: nothing to say.
        QVERIFY(WriteBytes(work + "/img/chat.gif", GifBytes(1, 1)));
        QVERIFY(WriteBytes(work + "/img/scene.gif", GifBytes(1, 1)));
        QVERIFY(WriteBytes(work + "/aide.htm", "x"));
        p.clear();
        QVERIFY(m.LoadProjectFile(file));
        QVERIFY(p.messageTexts().isEmpty());
        QVERIFY(m.state.previewShown);
    }

    void relativeSourcesAndAnotherFolder()
    {
        // A project moved with its pictures: sources relative to the project file.
        QStringList lines = body(QStringLiteral("."), work);
        lines[0] = QStringLiteral("scene.gif");
        lines[26] = QStringLiteral("chat.gif,sous") + PathSeparator() + QStringLiteral("lune,");
        lines[27] = QStringLiteral("chat.gif,lune,");
        lines[32] = QStringLiteral("aide.htm");
        QVERIFY(QDir().mkpath(src + "/sous"));
        QVERIFY(WriteBytes(src + "/sous/lune", GifBytes(30, 30)));
        const QString file = src + "/projet.txt";
        writeLines(file, QStringList({kH1, kH2, kH3, kH4}) + lines);
        const QString other = work + "/autre";
        QVERIFY(QDir().mkpath(other));
        ScriptedPlatform p;
        DragDropModule m(p);
        QVERIFY(m.LoadProjectFile(file, other));
        QCOMPARE(QDir::fromNativeSeparators(m.state.strOrigImageFile), src + "/scene.gif");
        QCOMPARE(QDir::fromNativeSeparators(m.state.objects[1].source), src + "/sous/lune");
        QCOMPARE(m.state.strFolderName, other);
        QCOMPARE(ReadBytes(other + "/img/scene.gif"), GifBytes(300, 400));
        QCOMPARE(ReadBytes(other + "/img/lune"), GifBytes(30, 30));
        QCOMPARE(ReadBytes(other + "/aide.htm"), QByteArray("<p>aide</p>"));
        QVERIFY(!QFile::exists(work + "/img/scene.gif"));  // the project's own folder is left alone
        // Absolute paths are taken as they are.
        QCOMPARE(ResolveProjectSource(file, src + "/x.gif"), QDir::toNativeSeparators(src + "/x.gif"));
    }

    void nothingUnderAnEmptyFolder()
    {
        QStringList lines = body(src, QString());
        lines[3] = "exercice.htm";
        const QString file = src + "/p.txt";
        writeLines(file, lines);
        const QString cwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(work));
        ScriptedPlatform p;
        DragDropModule m(p);
        QVERIFY(m.LoadProjectFile(file));
        p.queueMessage(IDOK);
        QVERIFY(!m.CreatePage());
        QCOMPARE(p.messageTexts(), QStringList{"Le dossier de travail n'est pas défini"});
        QVERIFY(QDir::setCurrent(cwd));
        QCOMPARE(QDir(work).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    void farCharactersAndCommasSurviveSave()
    {
        ScriptedPlatform p;
        DragDropModule m(p);
        m.ResetProject();
        m.state.strPageWeb = work + "/e.htm";
        m.state.strTitre = QString::fromUtf8("Ωmega, titre");
        m.state.strConsigne = "a\r\nb\nc\rd";
        m.state.objects = {{src + "/un,deux.gif", "un,deux.gif", QString::fromUtf8("chat, 猫")},
                           {src + "/lune", "lune", "\"lune\""}};
        const QString saved = src + "/s.txt";
        p.queueSaveFile(saved);
        QVERIFY(m.SaveProject());
        const QStringList lines = ReadTextLines(saved);
        QCOMPARE(lines.size(), 39);
        QCOMPARE(lines[8], "&#937;mega, titre");
        QCOMPARE(lines[9], "a<br>b<br>c<br>d");
        QCOMPARE(lines[31], "un&#44;deux.gif,lune,");
        QCOMPARE(lines[34], "chat&#44; &#29483;,\"lune\",");

        DragDropModule n(p);
        QVERIFY(n.LoadProjectFile(saved));
        QCOMPARE(n.state.strTitre, m.state.strTitre);
        QCOMPARE(n.state.strConsigne, "a\r\nb\r\nc\r\nd");
        QCOMPARE(n.state.objects.size(), 2);
        QCOMPARE(n.state.objects[0].source, src + "/un,deux.gif");
        QCOMPARE(n.state.objects[0].tooltip, QString::fromUtf8("chat, 猫"));
        QCOMPARE(n.state.objects[1].tooltip, "\"lune\"");
    }

    void saveRefusalsAndFailures()
    {
        ScriptedPlatform p;
        DragDropModule m(p);
        m.ResetProject();
        for (const QString& page : {QString(), QStringLiteral("sanspoint")}) {
            p.clear();
            m.state.strPageWeb = page;
            QVERIFY(!m.SaveProject());
            QCOMPARE(p.messageTexts(), QStringList{"Aucun projet en cours"});
            QVERIFY(p.requestsOf("save").isEmpty());
        }
        m.state.strPageWeb = "exercice.htm";
        p.clear();
        p.queueSaveFile(QString());
        QVERIFY(!m.SaveProject());
        QVERIFY(p.messageTexts().isEmpty());

        const QString target = work + "/absent/p.txt";
        p.queueSaveFile(target);
        QVERIFY(!m.SaveProject());
        QCOMPARE(p.messageTexts(), QStringList{msg::NotSaved(target)});
        QVERIFY(!QFileInfo::exists(target));
    }

    void validation()
    {
        ScriptedPlatform p;
        DragDropModule m(p);
        m.ResetProject();
        QSignalSpy spy(&m, &DragDropModule::refreshRequested);
        DragDropState& s = m.state;
        const QStringList expected{"Vous n'avez pas précisé de dossier de travail !",
                                   "Vous n'avez pas sélectionné l'image de référence !",
                                   "Vous n'avez pas précisé le nom du fichier de votre page Web !",
                                   "Vous n'avez pas précisé le titre à afficher sur la page !"};
        for (int step = 0; step < 4; ++step) {
            p.clear();
            QVERIFY(!m.Validate());
            QCOMPARE(p.messageTexts(), QStringList{expected[step]});
            QCOMPARE(p.requests[0].flags, kRefusal);
            if (step == 0)
                s.strFolderName = work;
            else if (step == 1)
                s.strOrigImageFile = src + "/scene.gif";
            else if (step == 2)
                s.strPageWeb = work + "/exercice.htm";
            else
                s.strAffiche = "Titre";
        }
        QCOMPARE(spy.count(), 0);
        QVERIFY(!QFileInfo::exists(work + "/img"));

        p.clear();
        s.strOrigBackgroundImage = src + "/fond.gif";
        s.strConsigne = "a\r\nb\nc";
        s.objects = {{src + "/chat.gif", "chat.gif", "chat"}};
        s.strBouton = "Vrai";
        s.strOrigDocument = src + "/aide.htm";
        s.strDocument = "aide.htm";
        QVERIFY(m.Validate());
        QVERIFY(QFileInfo::exists(work + "/aide.htm"));
        QVERIFY(p.requests.isEmpty());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(s.strImageFile, "scene.gif");
        QCOMPARE(s.strBackgroundImage, "fond.gif");
        QCOMPARE(s.strConsigne, "a<br>b<br>c");
        QVERIFY(s.previewShown);
        for (const char* f : {"ptrouge.gif", "scene.gif", "fond.gif", "chat.gif"})
            QVERIFY2(QFileInfo::exists(work + "/img/" + f), qPrintable(f));
    }

    void refreshDefaultsAndPageName()
    {
        ScriptedPlatform p;
        DragDropModule m(p);
        m.ResetProject();
        m.ApplyRefreshDefaults();
        DragDropState& s = m.state;
        QCOMPARE(s.strPageWeb, "exercice.htm");
        QCOMPARE(s.strTitre, "exercice");
        QCOMPARE(s.strAffiche, "Exercice");
        QVERIFY(s.strConsigne.startsWith("Il faut ranger ces objets."));
        QCOMPARE(s.strConsigne.count("\r\n"), 1);
        QVERIFY(s.strConsigne.contains("dessin.\r\nLorsque"));
        const DragDropState once = s;
        m.ApplyRefreshDefaults();
        QCOMPARE(s.strConsigne, once.strConsigne);

        // Typing before a folder is set changes nothing.
        m.SetPageName("page.html");
        QCOMPARE(s.strPageWeb, "exercice.htm");
        s.strFolderName = work;
        m.ApplyRefreshDefaults();
        QCOMPARE(s.strPageWeb, JoinPath(work, "exercice.htm"));
        m.SetPageName("page.html");
        QCOMPARE(s.strPageWeb, JoinPath(work, "page.htm"));
        m.SetPageName("sans");
        QCOMPARE(s.strPageWeb, JoinPath(work, "sans.htm"));
        // A page path saved on another system keeps only its name.
        s.strPageWeb = "C:\\Cours\\fiche.htm";
        m.ApplyRefreshDefaults();
        QCOMPARE(s.strPageWeb, JoinPath(work, "fiche.htm"));
    }
};

QTEST_GUILESS_MAIN(TestDragDropProject)
#include "test_dragdrop_project.moc"
