// The drag-and-drop project: reset, project file, validation, refresh defaults.
#include "dragdrop/dragdropmodule.h"
#include "shared/escaping.h"
#include "support/scriptedplatform.h"
#include "shared/publish.h"
#include "shared/textfile.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace toravi;
using namespace toravi::test;

namespace {

const QStringList kHeader{QStringLiteral("<Généré par Toravi 2>"), QStringLiteral("<Module Drag&Drop>"),
                          QStringLiteral("<Ne pas modifier ce fichier à la main.>"),
                          QStringLiteral("<Cela pourrait avoir des conséquences inattendues sur votre projet>")};

// Lines ended by CR LF, in Windows-1252.
void writeLines(const QString& path, const QStringList& lines)
{
    QVERIFY(WriteBytes(path, EncodeWindows1252(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"))));
}

// The 35 body lines of a saved project, every setting distinct.
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

QStringList column(const QList<DragDropObject>& objects, QString DragDropObject::*field)
{
    QStringList out;
    for (const DragDropObject& o : objects)
        out << o.*field;
    return out;
}

}  // namespace

class TestDragDropProject : public QObject {
    Q_OBJECT

    QTemporaryDir tmp;
    QString src, work;
    ScriptedPlatform p;
    std::unique_ptr<DragDropModule> mod;

    // Writes the lines as a project file and returns its path.
    QString project(const QStringList& lines, const QString& name = QStringLiteral("p.txt"))
    {
        writeLines(src + "/" + name, lines);
        return src + "/" + name;
    }

private slots:
    void init()
    {
        QVERIFY(tmp.isValid());
        const QString base = tmp.path() + "/" + QString::number(QRandomGenerator::global()->generate());
        src = base + "/src";
        work = base + "/work";
        QVERIFY(QDir().mkpath(src) && QDir().mkpath(work));
        QVERIFY(WriteBytes(src + "/scene.gif", GifBytes(300, 400)));
        QVERIFY(WriteBytes(src + "/fond.gif", GifBytes(10, 10)));
        QVERIFY(WriteBytes(src + "/chat.gif", GifBytes(100, 50)));
        QVERIFY(WriteBytes(src + "/a.b.gif", GifBytes(120, 60)));
        QVERIFY(WriteBytes(src + "/lune", GifBytes(30, 30)));
        QVERIFY(WriteBytes(src + "/aide.htm", "<p>aide</p>"));
        p.clear();
        mod = std::make_unique<DragDropModule>(p);
    }

    void resetGivesDefaultsAndRefresh()
    {
        DragDropModule& m = *mod;
        m.state.strTitre = "x";
        m.state.objects.append({"a", "b", "c"});
        m.state.previewShown = true;
        m.state.intSelectedItem = 4;
        QSignalSpy spy(&m, &DragDropModule::refreshRequested);
        m.ResetProject();
        QCOMPARE(spy.count(), 1);
        const DragDropState& s = m.state;
        QVERIFY(s.objects.isEmpty() && !s.previewShown && s.strTitre.isEmpty());
        QCOMPARE(s.intMaxObjets, 23);
        QCOMPARE(s.intSelectedItem, 4);  // never reset
        QCOMPARE((QStringList{s.strBackgroundColor, s.strTextSize, s.strTextColor, s.strTextBackColor,
                              s.strScriptPlacement, s.strTitelSize, s.strTitelColor, s.strTableColor,
                              s.strTransparence, s.strImgAlt, s.strImgTransparent, s.strBouton, s.strTexteBouton}),
                 (QStringList{"FFE2B2", "14", "800000", "D9EBD1", "centré", "22", "008000", "FFFFD2", "Faux", "Faux",
                              "Faux", "Faux", "Aide"}));
    }

    // Every line lands in its own setting, the pictures are copied, and the
    // save gives the same bytes back.
    void loadSaveRoundTrip()
    {
        DragDropModule& m = *mod;
        const QString file = project(kHeader + body(src, work));
        QSignalSpy spy(&m, &DragDropModule::refreshRequested);
        QVERIFY(m.LoadProjectFile(file));
        QCOMPARE(spy.count(), 1);
        QVERIFY(p.requests.isEmpty());

        const DragDropState& s = m.state;
        QStringList expected = body(src, work);
        expected[5] = "Ligne 1\r\nLigne 2";
        for (int list : {30, 27, 26})
            expected.removeAt(list);
        QCOMPARE((QStringList{s.strOrigImageFile, s.strOrigBackgroundImage, s.strFolderName, s.strPageWeb, s.strTitre,
                              s.strConsigne, s.strAffiche, s.strImageFile, s.strImageLargeur, s.strImageHauteur,
                              s.strBackgroundImage, s.strBackgroundColor, s.strTextSize, s.strTextColor,
                              s.strTextBackColor, s.strTextBold, s.strTextItalic, s.strTextUnderlined,
                              s.strScriptPlacement, s.strTitelSize, s.strTitelColor, s.strTitelBold, s.strTitelItalic,
                              s.strTitelUnderline, s.strTableColor, s.strTransparence, s.strImgAlt,
                              s.strImgTransparent, s.strBouton, s.strOrigDocument, s.strDocument, s.strTexteBouton}),
                 expected);
        QCOMPARE(column(s.objects, &DragDropObject::source),
                 (QStringList{src + "/chat.gif", src + "/a.b.gif", src + "/lune"}));
        QCOMPARE(column(s.objects, &DragDropObject::fileName), (QStringList{"chat.gif", "a.b.gif", "lune"}));
        QCOMPARE(column(s.objects, &DragDropObject::tooltip), (QStringList{"Le chat", "Objet A", "La lune"}));
        QVERIFY(s.previewShown);
        for (const char* f : {"img/scene.gif", "img/fond.gif", "img/chat.gif", "img/a.b.gif", "img/lune", "aide.htm"})
            QVERIFY2(QFileInfo::exists(work + "/" + f), f);
        QVERIFY(!QFileInfo::exists(work + "/img/ptrouge.gif"));  // only the folder picker puts it there

        const QString saved = src + "/copie.txt";
        p.queueSaveFile(saved);
        QVERIFY(m.SaveProject());
        QCOMPARE(p.requestsOf("save").value(0).initialFolder, ProgramFolder());
        QCOMPARE(p.requestsOf("save").value(0).defaultExt, "txt");
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
        QStringList lines = body(src, work);
        lines[26] = l31;
        lines[27] = l32;
        lines[30] = l35;
        QVERIFY(mod->LoadProjectFile(project(kHeader + lines)));
        QTEST(column(mod->state.objects, &DragDropObject::fileName), "names");
        QTEST(column(mod->state.objects, &DragDropObject::tooltip), "tips");
    }

    void headerlessAndShortFiles()
    {
        DragDropModule& m = *mod;
        QVERIFY(m.LoadProjectFile(project(body(src, work))));
        QCOMPARE(m.state.strOrigImageFile, src + "/scene.gif");
        QCOMPARE(m.state.strTexteBouton, "Aide ici");
        QCOMPARE(m.state.objects.size(), 3);

        // Eight lines: the rest keeps the defaults.
        QVERIFY(m.LoadProjectFile(project(body(src, work).mid(0, 8))));
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
        QTest::newRow("other module") << EncodeWindows1252(kHeader[0] + "\r\n<Module Interact>\r\na\r\n")
                                      << msg::WrongModule;
        QTest::newRow("picture") << GifBytes(10, 10) << "n'a pas pu être lu.";
        QTest::newRow("empty") << QByteArray() << "n'a pas pu être lu.";
    }
    void refusedFilesKeepTheProject()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        DragDropModule& m = *mod;
        m.ResetProject();
        m.state.strTitre = "Mon projet";
        m.state.objects.append({"s", "f.gif", "t"});
        const QString file = src + "/bad.txt";
        QVERIFY(WriteBytes(file, bytes));
        QVERIFY(!m.LoadProjectFile(file));
        QCOMPARE(m.state.strTitre, "Mon projet");
        QCOMPARE(m.state.objects.size(), 1);
        QCOMPARE(p.messageTexts().size(), 1);
        QVERIFY(p.messageTexts()[0].contains(message));
        QCOMPARE(p.requests[0].flags, kRefusal);

        // Through the dialog: a missing file is refused the same way; a cancel
        // only refreshes.
        p.clear();
        p.queueOpenFile(src + "/absent.txt");
        QVERIFY(!m.LoadProject());
        QCOMPARE(m.state.strTitre, "Mon projet");
        p.clear();
        QSignalSpy spy(&m, &DragDropModule::refreshRequested);
        p.queueOpenFile(QString());
        QVERIFY(!m.LoadProject());
        QCOMPARE(spy.count(), 1);
        QVERIFY(p.messageTexts().isEmpty());
        QCOMPARE(m.state.strTitre, "Mon projet");
    }

    void missingPicturesSaidOnce()
    {
        const QStringList missing{src + "/chat.gif", src + "/scene.gif", src + "/aide.htm"};
        for (const QString& f : missing)
            QFile::remove(f);
        const QString file = project(body(src, work));
        DragDropModule& m = *mod;
        QVERIFY(m.LoadProjectFile(file));
        QCOMPARE(p.messageTexts().size(), 1);
        QCOMPARE(p.requests[0].flags, kNotice);
        for (const QString& f : missing)
            QVERIFY2(p.messageTexts()[0].contains(f), qPrintable(f));
        QVERIFY(!p.messageTexts()[0].contains(src + "/lune"));
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
        const QString file = project(kHeader + lines);
        const QString other = work + "/autre";
        QVERIFY(QDir().mkpath(other));
        DragDropModule& m = *mod;
        QVERIFY(m.LoadProjectFile(file, other));
        QCOMPARE(QDir::fromNativeSeparators(m.state.strOrigImageFile), src + "/scene.gif");
        QCOMPARE(QDir::fromNativeSeparators(m.state.objects[1].source), src + "/sous/lune");
        QCOMPARE(m.state.strFolderName, other);
        QCOMPARE(ReadBytes(other + "/img/scene.gif"), GifBytes(300, 400));
        QCOMPARE(ReadBytes(other + "/img/lune"), GifBytes(30, 30));
        QCOMPARE(ReadBytes(other + "/aide.htm"), QByteArray("<p>aide</p>"));
        QVERIFY(!QFile::exists(work + "/img/scene.gif"));  // the project's own folder is left alone
        QCOMPARE(ResolveProjectSource(file, src + "/x.gif"), QDir::toNativeSeparators(src + "/x.gif"));
    }

    void nothingUnderAnEmptyFolder()
    {
        QStringList lines = body(src, QString());
        lines[3] = "exercice.htm";
        const QString file = project(lines);
        const QString cwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(work));
        DragDropModule& m = *mod;
        QVERIFY(m.LoadProjectFile(file));
        p.queueMessage(IDOK);
        QVERIFY(!m.CreatePage());
        QCOMPARE(p.messageTexts(), QStringList{msg::NoFolder});
        QVERIFY(QDir::setCurrent(cwd));
        QCOMPARE(QDir(work).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    void farCharactersAndCommasSurviveSave()
    {
        DragDropModule& m = *mod;
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
    }

    void saveRefusalsAndFailures()
    {
        DragDropModule& m = *mod;
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
        DragDropModule& m = *mod;
        m.ResetProject();
        QSignalSpy spy(&m, &DragDropModule::refreshRequested);
        DragDropState& s = m.state;
        const QStringList expected{"Vous n'avez pas précisé de dossier de travail !",
                                   "Vous n'avez pas sélectionné l'image de référence !",
                                   "Vous n'avez pas précisé le nom du fichier de votre page Web !",
                                   "Vous n'avez pas précisé le titre à afficher sur la page !"};
        QString* const fill[] = {&s.strFolderName, &s.strOrigImageFile, &s.strPageWeb, &s.strAffiche};
        const QString values[] = {work, src + "/scene.gif", work + "/exercice.htm", "Titre"};
        for (int step = 0; step < 4; ++step) {
            p.clear();
            QVERIFY(!m.Validate());
            QCOMPARE(p.messageTexts(), QStringList{expected[step]});
            QCOMPARE(p.requests[0].flags, kRefusal);
            *fill[step] = values[step];
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
        QVERIFY(p.requests.isEmpty());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(s.strImageFile, "scene.gif");
        QCOMPARE(s.strBackgroundImage, "fond.gif");
        QCOMPARE(s.strConsigne, "a<br>b<br>c");
        QVERIFY(s.previewShown);
        for (const char* f : {"img/ptrouge.gif", "img/scene.gif", "img/fond.gif", "img/chat.gif", "aide.htm"})
            QVERIFY2(QFileInfo::exists(work + "/" + f), f);
    }

    void pageName()
    {
        DragDropModule& m = *mod;
        m.ResetProject();
        m.ApplyRefreshDefaults();
        DragDropState& s = m.state;
        QCOMPARE(s.strPageWeb, "exercice.htm");
        s.strFolderName = work;
        m.ApplyRefreshDefaults();
        QCOMPARE(s.strPageWeb, JoinPath(work, "exercice.htm"));
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
