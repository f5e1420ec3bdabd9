// Text encodings, colours, names and the img folder.
#include "shared/colors.h"
#include "shared/publish.h"
#include "shared/textfile.h"
#include "support/testsupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace toravi;
using namespace toravi::test;

class TestShared : public QObject {
    Q_OBJECT

private slots:
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

    void colours()
    {
        for (auto [text, value] : {std::pair{"FF0000", 0xFFu}, {"FFE2B2", 0xB2E2FFu}, {"0000FF", 0xFF0000u}}) {
            QCOMPARE(DecodeWebColor(text), value);
            QCOMPARE(EncodeWebColor(value), text);
        }
        QCOMPARE(DecodeWebColor("fG0000"), 15u);  // pairs read from their leading hexadecimal digits
        QCOMPARE(DecodeWebColor("zz"), 0u);
    }

    void names_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("safe");
        QTest::addColumn<QString>("page");
        QTest::newRow("plain") << "chat.gif" << "chat.gif" << "chat.htm";
        QTest::newRow("html") << "/cours/lecon.html" << "lecon.html" << "lecon.htm";
        QTest::newRow("windows path") << "C:\\cours\\a.b.htm" << "a.b.htm" << "a.htm";
        QTest::newRow("climbing") << "..\\..\\evil.png" << "evil.png" << "evil.htm";
        QTest::newRow("dots") << ".." << "" << "";
        QTest::newRow("blanks") << "   .htm" << "   .htm" << "";
        QTest::newRow("no extension") << "exercice" << "exercice" << "exercice.htm";
    }
    void names()
    {
        QFETCH(QString, given);
        QFETCH(QString, safe);
        QFETCH(QString, page);
        QCOMPARE(SafeFileName(given), safe);
        QCOMPARE(PageFileName(given), page);
        QCOMPARE(NamesNoPage(given), page.isEmpty());
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
        bool copied = true;
        // Nothing lands under an empty working folder.
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QDir("img").removeRecursively();
        WriteBytes(dir.filePath("chat.gif"), GifBytes(20, 20));
        PrepareImgFolder(QString());
        CopyIntoImg(dir.filePath("chat.gif"), QString(), &copied);
        QDir::setCurrent(cwd);
        QVERIFY(!copied && !QFile::exists(dir.filePath("img")));
    }
};

QTEST_GUILESS_MAIN(TestShared)
#include "test_shared.moc"
