// The files room: atomic writes and copies, the fault seam every writer shares, the
// working folder's lock and img folder, Windows-1252 text, names and paths.
#include "files/files.h"
#include "files/filewriter.h"
#include "files/textfile.h"
#include "support/testsupport.h"

#include <QtTest>
#include <atomic>
#include <memory>
#include <sys/stat.h>

using namespace toravi;
using namespace toravi::test;
using filefaults::Kind;

namespace {
const QByteArray kOld("ancienne page\r\n");

// Every name in the folder, hidden ones too: a temporary left behind shows here.
QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}
#ifndef Q_OS_WIN
mode_t Mode(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777 : 0;
}
#endif
}  // namespace

class TestFiles : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { filefaults::Reset(); }

    void faultKeepsOldFile()
    {
        // Any fault, at the first write or file or midway through a copy: the old file stays, whole and alone.
        const std::pair<Kind, int> faults[] = {{Kind::FailWrite, 1}, {Kind::ShortWrite, 1}, {Kind::NoSpace, 1},
                                               {Kind::FailSync, 1},  {Kind::FailRename, 1}, {Kind::NoSpace, 3},
                                               {Kind::ShortWrite, 8}};
        QTemporaryDir dir, sources;
        const QString page = dir.filePath("page.htm"), source = sources.filePath("photo.jpg");
        QByteArray photo(8'000'000, Qt::Uninitialized);  // written and copied in 8 chunks
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(photo.data()), photo.size() / 4);
        QVERIFY(WriteBytes(source, photo));
        auto put = [&](bool c) { return c ? CopyFileAtomically(source, page) : WriteFileAtomically(page, photo); };
        for (bool copy : {false, true})
            for (auto [kind, nth] : faults) {
                QVERIFY(WriteBytes(page, kOld));
#ifndef Q_OS_WIN
                QVERIFY(::chmod(QFile::encodeName(page).constData(), 0604) == 0);
#endif
                filefaults::Inject(kind, nth);
                QVERIFY(!put(copy));
                QVERIFY(ReadBytes(page) == kOld && Entries(dir.path()) == QStringList{"page.htm"});
                filefaults::Reset();  // the fault gone, the same call writes the whole file
                QVERIFY(put(copy) && ReadBytes(page) == photo);
#ifndef Q_OS_WIN
                QCOMPARE(Mode(page), mode_t(0604));  // a replaced file keeps its permissions
#endif
            }
    }
    void newFiles()
    {
        QTemporaryDir dir;
        // Writes are counted across files: the second file's one is the second write.
        filefaults::Inject(Kind::FailWrite, 2);
        QVERIFY(WriteFileAtomically(dir.filePath("page.htm"), "un") &&
                !WriteFileAtomically(dir.filePath("interact.js"), "deux"));
#ifndef Q_OS_WIN
        const mode_t mask = ::umask(022);
        ::umask(mask);
        QCOMPARE(Mode(dir.filePath("page.htm")), 0666 & ~mask);
#endif
        QCOMPARE(Entries(dir.path()), QStringList{"page.htm"});
        QVERIFY(!WriteFileAtomically(dir.path(), "x"));  // a folder is never replaced
    }
    void linkAtTargetIsReplaced()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows links need rights a teacher lacks; QFile::link makes shortcuts, plain files");
#endif
        for (bool copy : {false, true})
            for (bool dangling : {false, true}) {
                QTemporaryDir dir, away;
                const QString secret = away.filePath(".bashrc"), source = away.filePath("a.png"),
                              target = dir.filePath("page.htm");
                QVERIFY(WriteBytes(source, "photo") && (dangling || WriteBytes(secret, "secret")) &&
                        QFile::link(secret, target));
                QVERIFY(copy ? CopyFileAtomically(source, target) : WriteFileAtomically(target, "photo"));
                QVERIFY(!QFileInfo(target).isSymLink() && ReadBytes(target) == "photo");
                QCOMPARE(ReadBytes(secret), dangling ? QByteArray() : QByteArray("secret"));
            }
    }
    void sources()
    {
        QTemporaryDir dir;
        const QDir root(dir.path());  // absolute paths stay as they are
        const QString target = dir.filePath("img/a.png");
        const QString pipe = MakePipe(dir.path());
        QVERIFY(root.mkdir("img") && WriteBytes(dir.filePath("b.png"), "b") && !pipe.isEmpty());
        // Not regular files; a file growing while read; copied: a link to a picture, the target itself by other names.
#ifdef Q_OS_WIN
        const QStringList groups[] = {{pipe, "img", "NUL", "CON", "COM1", "absent.png"}, {}, {"img/../img/a.png"}};
#else
        QVERIFY(QFile::link(dir.filePath("b.png"), dir.filePath("link.png")) &&
                QFile::link(target, dir.filePath("link-to-target")));
        const QStringList groups[] = {{pipe, "img", "/dev/zero", "absent.png"},
                                      {"/proc/self/status"},
                                      {"link.png", "link-to-target", "img/../img/a.png"}};
#endif
        for (int g = 0; g < 3; ++g)
            for (const QString& source : groups[g]) {
                QVERIFY(WriteBytes(target, kOld));
                QCOMPARE(IsRegularFile(root.filePath(source)), g > 0);
                QCOMPARE(CopyFileAtomically(root.filePath(source), target), g == 2);  // a pipe must not block here
                QCOMPARE(ReadBytes(target), source == "link.png" ? QByteArray("b") : kOld);
                QCOMPARE(Entries(dir.filePath("img")), QStringList{"a.png"});
            }
    }
    // One holder at a time; taking it clears the temporaries a killed run left in the folder and its img.
    void folderLock()
    {
        QTemporaryDir dir;
        const QStringList debris = {WriterTemporaryName("page.htm"), "img/" + WriterTemporaryName(QString(80, 'x'))};
        const QStringList kept = {"img/a.png", ".cache.tmp", ".page.htm.ABC.tmp", "page.htm.1a.tmp", "x.1a.tmp.htm"};
        QVERIFY(QDir(dir.path()).mkdir("img"));
        auto first = std::make_unique<FolderLock>(dir.path(), 0);
        for (const QString& name : debris + kept)  // the holder's own writes under way
            QVERIFY(WriteBytes(dir.filePath(name), "x"));
        FolderLock second(dir.path(), 100);
        QVERIFY(first->isLocked() && !second.isLocked());
        QCOMPARE(second.error(), QLockFile::LockFailedError);  // busy, not broken
        QVERIFY(QFileInfo::exists(dir.filePath(debris[0])) && QFileInfo::exists(dir.filePath(debris[1])));
        first.reset();
        QVERIFY(FolderLock(dir.path(), 0).isLocked());
        for (const QString& name : debris + kept)
            QCOMPARE(QFileInfo::exists(dir.filePath(name)), kept.contains(name));
        FolderLock nowhere(dir.filePath("absent"), 0);
        QVERIFY(!QFileInfo::exists(dir.filePath("absent")) && !nowhere.isLocked() &&
                nowhere.error() != QLockFile::LockFailedError);
    }

    void windows1252()
    {
        // Every byte decodes to a character that encodes back to it.
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(EncodeWindows1252(DecodeWindows1252(all)), all);
        QCOMPARE(EncodeWindows1252(QStringLiteral("é € œ")), QByteArray("\xE9 \x80 \x9C"));
        // Far characters become references that project files read back; the user's own stay.
        const QString far = QStringLiteral("Ω ok 中 😀");
        QCOMPARE(EncodeWindows1252(far), QByteArray("&#937; ok &#20013; &#128512;"));
        QCOMPARE(DecodeCharRefs(QString::fromLatin1(EncodeWindows1252(far))), far);
        QCOMPARE(DecodeCharRefs(QStringLiteral("&#44; &#233; &#x41; &#;")), QStringLiteral("&#44; &#233; &#x41; &#;"));
    }

    void names()
    {
        for (auto [given, safe] : {std::pair{"chat.gif", "chat.gif"}, {"/cours/lecon.html", "lecon.html"},
                                   {"C:\\cours\\a.b.htm", "a.b.htm"}, {"..\\..\\evil.png", "evil.png"},
                                   {"..", ""}, {"   .htm", "   .htm"}})
            QCOMPARE(SafeFileName(given), QString(safe));
    }

    // Pictures named relatively are found beside the project, on a drive or on a school's share.
    void projectSources_data()
    {
        QTest::addColumn<QString>("project");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("found");
#ifdef Q_OS_WIN
        QTest::newRow("drive") << "C:\\cours\\ile.txt" << "images\\ile.png" << "C:/cours/images/ile.png";
        QTest::newRow("share") << "\\\\serveur\\partage\\CM1\\ile.txt" << "ile.png" << "//serveur/partage/CM1/ile.png";
        QTest::newRow("share, up") << "\\\\serveur\\partage\\CM1\\ile.txt" << "..\\Élève\\ile.png"
                                   << "//serveur/partage/Élève/ile.png";
        QTest::newRow("other drive") << "C:\\cours\\ile.txt" << "D:\\photos\\ile.png" << "D:/photos/ile.png";
#else
        QTest::newRow("made on Windows") << "/cours/ile.txt" << "images\\ile.png" << "/cours/images/ile.png";
        QTest::newRow("up") << "/cours/CM1/ile.txt" << "../Élève/ile.png" << "/cours/Élève/ile.png";
        QTest::newRow("absolute") << "/cours/ile.txt" << "/photos/ile.png" << "/photos/ile.png";
#endif
    }
    void projectSources()
    {
        QFETCH(QString, project);
        QFETCH(QString, source);
        QFETCH(QString, found);
        QCOMPARE(QDir::cleanPath(QDir::fromNativeSeparators(ResolveProjectSource(project, source))), found);
    }

    void imgFolder()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("img"));
        WriteBytes(dir.filePath("img/ptrouge.gif"), "old");
        PrepareImgFolder(dir.path());
        QCOMPARE(ReadBytes(dir.filePath("img/ptrouge.gif")), ReadBytes(ProgramFolder() + "/ptrouge.gif"));
#ifndef Q_OS_WIN
        // An img planted as a link is replaced, never written through.
        QTemporaryDir away;
        QVERIFY(QDir(dir.filePath("img")).removeRecursively() && QFile::link(away.path(), dir.filePath("img")));
        PrepareImgFolder(dir.path());
        QVERIFY(!QFileInfo(dir.filePath("img")).isSymLink() && QDir(away.path()).isEmpty());
#endif
        // Nothing lands under an empty working folder.
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QDir("img").removeRecursively();
        PrepareImgFolder(QString());
        QDir::setCurrent(cwd);
        QVERIFY(!QFile::exists(dir.filePath("img")));
    }

    // A thread's thread_local destructors still see its other thread_local values
    // (on Windows they once ran on freed storage, and the program hung at exit).
    void threadLocalsOutliveTheirDestructors()
    {
        static std::atomic<int> seen = -1;
        static thread_local int value = 0;
        struct Reader {
            ~Reader() { seen = value; }
        };
        std::unique_ptr<QThread> thread(QThread::create([] {
            static thread_local Reader reader;
            (void)&reader;
            value = 42;
        }));
        thread->start();
        QVERIFY(thread->wait(10000));
        QTRY_COMPARE(seen.load(), 42);
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "test_files.moc"
