// Publishing and the operations behind the windows' buttons, the same in both
// modules: refusals, writes that complete or leave the old files whole, links
// planted in the folder, pictures only, names that clash, one run at a time,
// "Réinitialiser", the plain background, picture sizes, objects.
#include "core/modules.h"

#include <QDirIterator>
#include <QFile>

using namespace toravi;
using namespace toravi::test;

namespace {

// Every file under the folder with its bytes.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path.mid(folder.size()), ReadBytes(path));
    }
    return files;
}

// A module with its full project loaded and a page made once.
std::unique_ptr<Module> published(Scratch& at, const QString& module)
{
    auto m = MakeModule(module);
    m->load(at.project(*m));
    m->refreshDefaults();
    m->platform.queueMessage(IDNO);
    m->create();
    m->platform.clear();
    return m;
}

bool offered(const ScriptedPlatform& p)
{
    for (const auto& r : p.requests)
        if (r.flags == kOffer)
            return true;
    return false;
}

}  // namespace

class TestPublishing : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { filefaults::Reset(); }

    // Validation and page creation refuse alike, the first missing thing first, and write nothing.
    void refusals_data()
    {
        QTest::addColumn<QString>("module");
        QTest::addColumn<bool>("create");
        QTest::addColumn<QString>("missing");
        QTest::addColumn<QString>("message");
        for (const char* module : {"tooltip", "dragdrop"})
            for (bool create : {false, true}) {
                const auto row = [&](const char* missing, const QString& message) {
                    QTest::addRow("%s %s %s", module, create ? "create" : "validate", missing)
                        << module << create << missing << message;
                };
                row("folder", create ? msg::NoFolder : msg::ValNoFolder);
                row("folder gone", "n'existe pas");
                for (const char* page : {"", ".", ".htm", "   .html"})
                    row(page, msg::ValNoPage);
                if (!create) {
                    row("picture", msg::ValNoImage);
                    row("title", msg::ValNoTitle);
                }
            }
    }
    void refusals()
    {
        QFETCH(QString, module);
        QFETCH(bool, create);
        QFETCH(QString, missing);
        QFETCH(QString, message);
        Scratch at;
        auto m = published(at, module);
        const auto before = snapshot(at.work);
        if (missing == "folder")
            m->folder().clear();
        else if (missing == "folder gone")
            m->folder() = at.work + "/absent";
        else if (missing == "picture")
            m->reference().clear();
        else if (missing == "title")
            m->title().clear();
        else
            m->page() = at.work + "/" + missing;
        QVERIFY(!(create ? m->create() : m->validate()));
        QCOMPARE(m->platform.messageTexts().size(), 1);
        QVERIFY2(m->platform.messageTexts()[0].contains(message), qPrintable(m->platform.messageTexts()[0]));
        QCOMPARE(m->platform.requests[0].flags, kRefusal);
        QCOMPARE(snapshot(at.work), before);
    }

    // Whatever write fails (a full stick, a failing disk), the old files stay whole,
    // nothing half-written is left, and no success is reported.
    void failedWritesKeepTheOldFiles_data()
    {
        QTest::addColumn<QString>("module");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("nth");
        using K = filefaults::Kind;
        for (const char* module : {"tooltip", "dragdrop"}) {
            const int files = QString(module) == "tooltip" ? 2 : 3;
            for (int nth = 1; nth <= files; ++nth)
                QTest::addRow("%s no space, file %d", module, nth) << module << int(K::NoSpace) << nth;
            QTest::addRow("%s short write", module) << module << int(K::ShortWrite) << 1;
            QTest::addRow("%s sync", module) << module << int(K::FailSync) << files;
            QTest::addRow("%s rename", module) << module << int(K::FailRename) << 2;
            QTest::addRow("%s another run writes there", module) << module << -1 << 0;
        }
    }
    void failedWritesKeepTheOldFiles()
    {
        QFETCH(QString, module);
        QFETCH(int, kind);
        QFETCH(int, nth);
        Scratch at;
        auto m = published(at, module);
        const auto before = snapshot(at.work);
        SetWorkingFolderLockWait(50);
        const FolderLock otherRun(kind < 0 ? at.work : at.tmp.filePath("absent"));
        filefaults::Inject(filefaults::Kind(std::max(kind, 0)), nth);
        QVERIFY(!m->create());
        QVERIFY(!offered(m->platform));
        QCOMPARE(m->platform.requests.last().flags, kRefusal);
        QVERIFY(m->platform.messageTexts().last().contains(kind < 0 ? "occupé" : "n'a pas pu être enregistré"));
        auto after = snapshot(at.work);
        after.remove("/" + FolderLock::LockFileName());
        QCOMPARE(after, before);
        if (kind < 0)
            return;

        const QString project = at.src + "/p.txt";
        const QByteArray saved = ReadBytes(project);
        filefaults::Inject(filefaults::Kind(kind), 1);
        m->platform.clear();
        QVERIFY(!m->save(project));
        QCOMPARE(m->platform.messageTexts(), QStringList{msg::NotSaved(project)});
        QCOMPARE(ReadBytes(project), saved);
    }

    // Links planted in the working folder are replaced, never written through.
    void plantedLinksAreReplaced_data() { BothModules(); }
    void plantedLinksAreReplaced()
    {
        QFETCH(QString, module);
#ifdef Q_OS_WIN
        QSKIP("Windows links need rights a teacher lacks; QFile::link makes shortcuts, plain files");
#endif
        Scratch at;
        auto m = published(at, module);
        const QString outside = at.tmp.filePath("dehors");
        QDir().mkpath(outside);
        WriteBytes(outside + "/victime.txt", "à garder");
        for (const QString& name : {QStringLiteral("lecon.htm"), m->script()}) {
            QFile::remove(at.work + "/" + name);
            QVERIFY(QFile::link(outside + "/victime.txt", at.work + "/" + name));
        }
        QDir(at.work + "/img").removeRecursively();
        QVERIFY(QFile::link(outside, at.work + "/img"));
        m->load(at.project(*m));
        m->platform.queueMessage(IDNO);
        QVERIFY(m->create());
        QCOMPARE(snapshot(outside), (QMap<QString, QByteArray>{{"/victime.txt", "à garder"}}));
        for (const QString& name : {QStringLiteral("lecon.htm"), m->script(), QStringLiteral("img")})
            QVERIFY(!QFileInfo(at.work + "/" + name).isSymLink());
        QVERIFY(QFile::exists(at.work + "/img/scene.gif"));
    }

    // Only pictures take picture roles, and two pictures of one name never replace each
    // other: refused when chosen, said once when loaded (with what is missing), and no page
    // is made while names clash. A picture that reads as 0 pixels is said, not refused.
    void pictureRoles_data() { BothModules(); }
    void pictureRoles()
    {
        QFETCH(QString, module);
        Scratch at;
        auto m = published(at, module);
        QDir().mkpath(at.src + "/autre");
        WriteBytes(at.src + "/photo.png", "mot de passe");
        WriteBytes(at.src + "/autre/SCENE.gif", GifBytes(20, 20));
        WriteBytes(at.src + "/plat.png", PngBytes(300, 0));
        for (auto [file, message] : {std::pair{"photo.png", "photo.png n'est pas une image"},
                                     {"autre/SCENE.gif", "portent le même nom"}, {"plat.png", "taille nulle"}}) {
            m->platform.clear();
            m->platform.queueOpenFile(QDir::toNativeSeparators(at.src + "/" + file));
            QString(file).startsWith("autre") ? m->chooseBackground() : m->chooseReference();
            QVERIFY2(m->platform.messageTexts().join(' ').contains(message), file);
            QCOMPARE(m->reference(), JoinPath(at.src, QString(file) == "plat.png" ? "plat.png" : "scene.gif"));
            QCOMPARE(m->background(), JoinPath(at.src, "fond.gif"));
        }
        m->platform.clear();
        QVERIFY(m->create());
        QVERIFY(m->platform.messageTexts().value(0).contains("taille nulle"));
        QStringList body = m->body(at.src, at.work);
        body[0] = at.src + "/photo.png";
        body[7] = "photo.png";
        body[1] = at.src + "/absent.gif";
        body[10] = "absent.gif";
        m->platform.clear();
        QVERIFY(m->load(WriteProject(at.src + "/q.txt", body)));
        QCOMPARE(m->platform.messageTexts().size(), 1);
        QVERIFY(m->platform.messageTexts()[0].contains(at.src + "/photo.png"));
        QVERIFY(m->platform.messageTexts()[0].contains(at.src + "/absent.gif"));
        QVERIFY(!QFile::exists(at.work + "/img/photo.png"));
        // An earlier whole copy still serves: nothing to say.
        WriteBytes(at.work + "/img/absent.gif", GifBytes(5, 5));
        body[0] = at.src + "/scene.gif";
        body[7] = "scene.gif";
        m->platform.clear();
        QVERIFY(m->load(WriteProject(at.src + "/q.txt", body)));
        QCOMPARE(m->platform.messageTexts(), QStringList());
        m->platform.queueMessage(IDNO);
        QVERIFY(m->create());

        body[1] = at.src + "/autre/SCENE.gif";
        body[10] = "SCENE.gif";
        QVERIFY(m->load(WriteProject(at.src + "/q.txt", body)));
        QVERIFY(m->platform.messageTexts().last().contains("portent le même nom"));
        QCOMPARE(ReadBytes(at.work + "/img/scene.gif"), GifBytes(300, 400));
        m->platform.clear();
        QVERIFY(!m->create());
        QVERIFY(m->platform.messageTexts().value(0).contains("portent le même nom"));
    }

    // The help document named by a project file: a document beside the page, nothing else.
    void helpDocumentFromAFile()
    {
        for (auto [source, name, copied] : {std::tuple{"aide.htm", "aide.htm", true}, {"aide.htm", "ordre.js", false},
                                            {"aide.htm", "lecon.htm", false}, {"p.txt.sh", "aide.sh", false}}) {
            Scratch at;
            DragDrop m;
            QStringList body = m.body(at.src, at.work);
            WriteBytes(at.src + "/p.txt.sh", "#!/bin/sh");
            body[37 - 5] = at.src + "/" + source;
            body[38 - 5] = name;
            QVERIFY(m.load(WriteProject(at.src + "/q.txt", body)));
            QCOMPARE(m.platform.messageTexts().isEmpty(), copied);
            QCOMPARE(ReadBytes(at.work + "/" + name) == ReadBytes(at.src + "/" + source), copied);
        }
    }

    // "Réinitialiser" asks first (whether to save, once changed); the plain colour replaces the background picture, even
    // when the colour dialog is cancelled.
    void reinitAndPlainBackground_data() { BothModules(); }
    void reinitAndPlainBackground()
    {
        QFETCH(QString, module);
        Scratch at;
        auto m = MakeModule(module);
        QVERIFY(m->load(at.project(*m)));
        const QStringList loaded = m->savedLines();
        m->platform.queueMessage(IDNO);
        m->reinit();
        QCOMPARE(m->savedLines(), loaded);
        m->platform.queueColor(std::nullopt);
        m->plainBackground();
        QVERIFY(m->background().isEmpty() && m->backgroundName().isEmpty());
        m->platform.queueMessage(IDNO);  // changed since loaded: not saved, then reset
        m->reinit();
        QCOMPARE(m->platform.messageTexts().last(), msg::ResetDone);
        QCOMPARE(m->platform.requests.first().flags, kConfirm);
        QVERIFY(m->reference().isEmpty() && m->folder().isEmpty());
    }

    void objects()
    {
        Scratch at;
        DragDrop d;
        d.folder() = at.work;
        for (const char* name : {"chat.gif", "a.b.gif", "chat.gif"}) {
            d.platform.queueOpenFile(at.src + "/" + name);
            d.m.AddObject();
        }
        // The tooltip comes from the name up to its first dot; the same picture twice is two objects.
        QCOMPARE(d.m.state.objects.size(), 3);
        QCOMPARE(d.m.state.objects[1].tooltip, QString("a"));
        QCOMPARE(d.m.state.objects[2].tooltip, QString("chat"));
        d.platform.queueMessage(IDYES);
        QVERIFY(d.m.DeleteItem(0));
        QCOMPARE(d.m.state.objects.size(), 2);
        // The copy stays: another object uses it.
        QVERIFY(QFile::exists(at.work + "/img/chat.gif"));
    }
};

QTEST_GUILESS_MAIN(TestPublishing)
#include "test_publishing.moc"
