// The pages room: the last step of page creation, the same in both modules
// (refusals, writes that complete or leave the old files whole, one run at a
// time), the page-name rule and colour texts. Links planted in the folder are the
// writer's concern: a page file not written by it fails the faults below.
#include "core/modules.h"
#include "pages/colors.h"
#include "pages/pageexport.h"
#include "pages/publish.h"

#include <QDirIterator>
#include <QImage>
#include <QRandomGenerator>
#include <QFile>
#include <algorithm>

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

}  // namespace

class TestPages : public QObject {
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
        auto m = Published(at, module);
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
        auto m = Published(at, module);
        const auto before = snapshot(at.work);
        SetWorkingFolderLockWait(50);
        const FolderLock otherRun(kind < 0 ? at.work : at.tmp.filePath("absent"));
        filefaults::Inject(filefaults::Kind(std::max(kind, 0)), nth);
        QVERIFY(!m->create());
        QVERIFY(std::none_of(m->platform.requests.begin(), m->platform.requests.end(),
                             [](const ScriptedPlatform::Request& r) { return r.flags == kOffer; }));
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

    // The page in one file and the package: nothing else asked for, the same bytes
    // every time, the working folder left as it is, its page never overwritten.
    void exports_data() { BothModules(); }
    void exports()
    {
        QFETCH(QString, module);
        Scratch at;
        auto m = Published(at, module);
        const auto folder = snapshot(at.work);
        const QString one = at.tmp.filePath("seul.htm"), zip = at.tmp.filePath("paquet.zip");
        QVERIFY(m->ops().ExportPage(PageExport::SingleFile, one));
        const QByteArray page = ReadBytes(one);
        QVERIFY(page.contains("data:image/gif;base64,R0lGOD"));
        for (const char* link : {"src=\"img/", "url(img/", ".js\""})
            QVERIFY2(!page.contains(link), link);
        QVERIFY(m->ops().ExportPage(PageExport::Scorm, zip));
        const QByteArray package = ReadBytes(zip);
        QVERIFY(package.startsWith("PK") && package.contains("imsmanifest.xml"));
        QVERIFY(m->ops().ExportPage(PageExport::Scorm, zip));
        QCOMPARE(ReadBytes(zip), package);
        QVERIFY(!m->ops().ExportPage(PageExport::SingleFile, JoinPath(at.work, "lecon.htm")));
        QCOMPARE(snapshot(at.work), folder);
    }

    // Above 10 MB the teacher chooses: reduced copies, made aside, or nothing written.
    void heavyExports()
    {
        Scratch at;
        auto m = Published(at, QStringLiteral("tooltip"));
        QImage noise(1900, 1500, QImage::Format_RGB32);
        for (int y = 0; y < noise.height(); ++y)
            for (int x = 0; x < noise.width(); ++x)
                noise.setPixel(x, y, QRandomGenerator::global()->generate());
        QVERIFY(noise.save(at.src + "/scene.gif", "PNG") && noise.save(at.work + "/img/scene.gif", "PNG"));
        const auto folder = snapshot(at.work);
        const QString one = at.tmp.filePath("seul.htm");
        m->platform.queueMessage(IDCANCEL);
        QVERIFY(!m->ops().ExportPage(PageExport::SingleFile, one) && !QFile::exists(one));
        m->platform.queueMessage(IDYES);
        QVERIFY(m->ops().ExportPage(PageExport::SingleFile, one));
        QVERIFY(QFileInfo(one).size() < kHeavyExportBytes && ReadBytes(one).contains("var x2=733;var y2=579;"));
        QCOMPARE(snapshot(at.work), folder);
        QCOMPARE(m->referenceName(), QStringLiteral("scene.gif"));
    }

    void pageNames()
    {
        for (auto [given, page] : {std::pair{"chat.gif", "chat.htm"}, {"/cours/lecon.html", "lecon.htm"},
                                   {"C:\\cours\\a.b.htm", "a.htm"}, {"..\\..\\evil.png", "evil.htm"},
                                   {"..", ""}, {"   .htm", ""}, {"exercice", "exercice.htm"}}) {
            QCOMPARE(PageFileName(given), QString(page));
            QCOMPARE(NamesNoPage(given), QString(page).isEmpty());
        }
    }

    void colours()
    {
        for (auto [text, value] : {std::pair{"FF0000", 0xFFu}, {"FFE2B2", 0xB2E2FFu}, {"0000FF", 0xFF0000u}}) {
            QCOMPARE(DecodeWebColor(text), value);
            QCOMPARE(EncodeWebColor(value), text);
        }
        QCOMPARE(DecodeWebColor("fG0000"), 15u);  // pairs read from their leading hexadecimal digits
        QCOMPARE(DecodeWebColor("zz"), 0u);
    }
};

QTEST_GUILESS_MAIN(TestPages)
#include "test_pages.moc"
