// Atomic writes and copies, the fault seam every writer shares, and the working folder's lock.
#include "shared/filewriter.h"
#include "support/testsupport.h"

#include <QtTest>
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
mode_t Mode(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777 : 0;
}
}  // namespace

class TestFileWriter : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { filefaults::Reset(); }

    void faultKeepsOldFile_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("nth");
        QTest::addColumn<bool>("copy");
        const std::pair<const char*, Kind> kinds[] = {{"write", Kind::FailWrite}, {"short", Kind::ShortWrite},
            {"nospace", Kind::NoSpace}, {"sync", Kind::FailSync}, {"rename", Kind::FailRename}};
        for (bool copy : {false, true})
            for (const auto& [name, kind] : kinds)
                QTest::addRow("%s%s", copy ? "copy " : "", name) << int(kind) << 1 << copy;
        QTest::newRow("copy third chunk") << int(Kind::NoSpace) << 3 << true;
        QTest::newRow("copy short last") << int(Kind::ShortWrite) << 8 << true;
    }

    void faultKeepsOldFile()
    {
        QFETCH(int, kind);
        QFETCH(int, nth);
        QFETCH(bool, copy);
        QTemporaryDir dir, sources;
        const QString target = dir.filePath("page.htm"), source = sources.filePath("photo.jpg");
        QByteArray photo(8'000'000, Qt::Uninitialized);  // copied in 8 writes, a page in one
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(photo.data()), photo.size() / 4);
        const QByteArray fresh = copy ? photo : QByteArray("nouvelle page\r\n");
        QVERIFY(WriteBytes(target, kOld) && WriteBytes(source, photo) &&
                ::chmod(QFile::encodeName(target).constData(), 0604) == 0);
        filefaults::Inject(Kind(kind), nth);
        QVERIFY(!(copy ? CopyFileAtomically(source, target) : WriteFileAtomically(target, fresh)));
        QCOMPARE(ReadBytes(target), kOld);
        QCOMPARE(Entries(dir.path()), QStringList{"page.htm"});
        // The fault is gone once reset: the same call then writes the whole file.
        filefaults::Reset();
        QVERIFY(copy ? CopyFileAtomically(source, target) : WriteFileAtomically(target, fresh));
        QVERIFY(ReadBytes(target) == fresh);
        QCOMPARE(Mode(target), mode_t(0604));  // a replaced file keeps its permissions
    }

    void newFiles()
    {
        QTemporaryDir dir;
        const mode_t mask = ::umask(022);
        ::umask(mask);
        // Writes are counted across files: the second file's one is the second write.
        filefaults::Inject(Kind::FailWrite, 2);
        QVERIFY(WriteFileAtomically(dir.filePath("page.htm"), "un"));
        QVERIFY(!WriteFileAtomically(dir.filePath("interact.js"), "deux"));
        QCOMPARE(Mode(dir.filePath("page.htm")), 0666 & ~mask);
        QCOMPARE(Entries(dir.path()), QStringList{"page.htm"});
        QVERIFY(!WriteFileAtomically(dir.path(), "x"));  // a folder is never replaced
    }

    void linkAtTargetIsReplaced()
    {
        for (bool copy : {false, true})
            for (bool dangling : {false, true}) {
                QTemporaryDir dir, outside;
                const QString secret = outside.filePath(".bashrc"), target = dir.filePath("page.htm"),
                              source = outside.filePath("photo.png");
                QVERIFY(WriteBytes(source, "photo") && (dangling || WriteBytes(secret, "secret")));
                QVERIFY(QFile::link(secret, target));
                QVERIFY(copy ? CopyFileAtomically(source, target) : WriteFileAtomically(target, "photo"));
                QVERIFY(!QFileInfo(target).isSymLink());
                QCOMPARE(ReadBytes(target), QByteArray("photo"));
                QCOMPARE(ReadBytes(secret), dangling ? QByteArray() : QByteArray("secret"));
            }
    }

    void sources_data()
    {
        QTest::addColumn<QString>("source");  // relative to the scratch folder
        QTest::addColumn<bool>("regular");
        QTest::addColumn<bool>("copied");
        QTest::newRow("fifo") << "fifo" << false << false;
        QTest::newRow("folder") << "img" << false << false;
        QTest::newRow("device") << "/dev/zero" << false << false;
        QTest::newRow("missing") << "absent.png" << false << false;
        QTest::newRow("grows while read") << "/proc/self/status" << true << false;
        QTest::newRow("link to picture") << "link.png" << true << true;
        QTest::newRow("onto itself, by link") << "link-to-target" << true << true;
        QTest::newRow("onto itself, other spelling") << "img/../img/a.png" << true << true;
    }

    void sources()
    {
        QFETCH(QString, source);
        QFETCH(bool, regular);
        QFETCH(bool, copied);
        QTemporaryDir dir;
        const QString target = dir.filePath("img/a.png");
        QVERIFY(QDir(dir.path()).mkdir("img") && WriteBytes(target, kOld) && WriteBytes(dir.filePath("b.png"), "b"));
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600) == 0);
        QVERIFY(QFile::link(dir.filePath("b.png"), dir.filePath("link.png")) && QFile::link(target, dir.filePath("link-to-target")));
        const QString path = source.startsWith('/') ? source : dir.filePath(source);
        QCOMPARE(IsRegularFile(path), regular);
        QCOMPARE(CopyFileAtomically(path, target), copied);  // a pipe must not block here
        QCOMPARE(ReadBytes(target), source == "link.png" ? QByteArray("b") : kOld);
        QCOMPARE(Entries(dir.filePath("img")), QStringList{"a.png"});
    }

    void folderLock()
    {
        QTemporaryDir dir;
        auto first = std::make_unique<FolderLock>(dir.path(), 0);
        QVERIFY(first->isLocked());
        FolderLock second(dir.path(), 100);
        QVERIFY(!second.isLocked());
        QCOMPARE(second.error(), QLockFile::LockFailedError);  // busy, not broken
        first.reset();
        QVERIFY(FolderLock(dir.path(), 0).isLocked());
        QVERIFY(Entries(dir.path()).isEmpty());
        FolderLock nowhere(dir.filePath("absent"), 0);
        QVERIFY(!nowhere.isLocked());
        QVERIFY(nowhere.error() != QLockFile::LockFailedError);
    }
};

QTEST_GUILESS_MAIN(TestFileWriter)
#include "test_filewriter.moc"
