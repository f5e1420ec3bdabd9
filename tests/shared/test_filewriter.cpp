// Atomic writes and copies, the fault seam every writer shares, and the working folder's lock.
#include "shared/filewriter.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace toravi;
using namespace toravi::test;
using filefaults::Kind;

namespace {
const QByteArray kOld("ancienne page\r\n");

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QByteArray Noise(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
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
        for (const auto& [name, kind] : kinds) {
            QTest::newRow(name) << int(kind) << 1 << false;
            QTest::addRow("copy %s", name) << int(kind) << 1 << true;
        }
        // A 3 MB copy takes three writes: the last one fails, the target stays whole.
        QTest::newRow("copy third chunk") << int(Kind::NoSpace) << 3 << true;
        QTest::newRow("copy short third") << int(Kind::ShortWrite) << 3 << true;
    }

    void faultKeepsOldFile()
    {
        QFETCH(int, kind);
        QFETCH(int, nth);
        QFETCH(bool, copy);
        QTemporaryDir dir, sources;
        const QString target = dir.filePath("page.htm"), source = sources.filePath("photo.jpg");
        const QByteArray fresh = Noise(3 << 20);
        QVERIFY(WriteBytes(target, kOld) && WriteBytes(source, fresh));
        filefaults::Inject(Kind(kind), nth);
        QVERIFY(!(copy ? CopyFileAtomically(source, target) : WriteFileAtomically(target, fresh)));
        QCOMPARE(ReadBytes(target), kOld);
        QCOMPARE(Entries(dir.path()), QStringList{"page.htm"});
        // The fault is gone once reset: the same call then writes the whole file.
        filefaults::Reset();
        QVERIFY(copy ? CopyFileAtomically(source, target) : WriteFileAtomically(target, fresh));
        QCOMPARE(ReadBytes(target), fresh);
        QCOMPARE(Entries(dir.path()), QStringList{"page.htm"});
    }

    void permissions()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("interact.js");
        const mode_t mask = ::umask(0);
        ::umask(mask);
        QVERIFY(WriteFileAtomically(path, "un"));
        QCOMPARE(Mode(path), 0666 & ~mask);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0604) == 0);
        QVERIFY(WriteFileAtomically(path, "deux"));
        QCOMPARE(Mode(path), mode_t(0604));
        QCOMPARE(ReadBytes(path), QByteArray("deux"));
        QVERIFY(!WriteFileAtomically(dir.path(), "x"));  // a folder is never replaced
        QVERIFY(!WriteFileAtomically(dir.filePath("absent/page.htm"), "x"));
    }

    void linkAtTargetIsReplaced_data()
    {
        QTest::addColumn<bool>("copy");
        QTest::addColumn<bool>("dangling");
        QTest::newRow("write") << false << false;
        QTest::newRow("write dangling") << false << true;
        QTest::newRow("copy") << true << false;
        QTest::newRow("copy dangling") << true << true;
    }

    void linkAtTargetIsReplaced()
    {
        QFETCH(bool, copy);
        QFETCH(bool, dangling);
        QTemporaryDir dir, outside;
        const QString secret = outside.filePath(".bashrc"), target = dir.filePath("page.htm");
        const QString source = outside.filePath("photo.png");
        QVERIFY(WriteBytes(source, "photo") && (dangling || WriteBytes(secret, "secret")));
        QVERIFY(QFile::link(secret, target));
        QVERIFY(copy ? CopyFileAtomically(source, target) : WriteFileAtomically(target, "photo"));
        QVERIFY(!QFileInfo(target).isSymLink());
        QCOMPARE(ReadBytes(target), QByteArray("photo"));
        QCOMPARE(QFileInfo::exists(secret), !dangling);
        if (!dangling)
            QCOMPARE(ReadBytes(secret), QByteArray("secret"));
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

    void bigCopyIsWhole()
    {
        QTemporaryDir dir;
        const QByteArray photo = Noise(8'000'000);
        QVERIFY(WriteBytes(dir.filePath("photo.jpg"), photo) && WriteBytes(dir.filePath("copie.jpg"), Noise(9'000'001)));
        QVERIFY(CopyFileAtomically(dir.filePath("photo.jpg"), dir.filePath("copie.jpg")));
        QVERIFY(ReadBytes(dir.filePath("copie.jpg")) == photo);
    }

    void folderLock()
    {
        QTemporaryDir dir;
        auto first = std::make_unique<FolderLock>(dir.path(), 0);
        QVERIFY(first->isLocked());
        QVERIFY(FolderLock::LockFileName().startsWith('.'));
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
