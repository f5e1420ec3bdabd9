// Text files, colours and styles, the working folder and publishing, the platform double.
#include "shared/colors.h"
#include "support/scriptedplatform.h"
#include "shared/publish.h"
#include "shared/textfile.h"
#include "support/testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace toravi;
using namespace toravi::test;

class TestShared : public QObject {
    Q_OBJECT

private slots:
    void windows1252RoundTrip()
    {
        const QString text = QStringLiteral("Généré à l'école – “déjà” € œ ß ÿ");
        const QByteArray bytes = EncodeWindows1252(text);
        QCOMPARE(bytes.size(), text.size());  // one byte a character
        QCOMPARE(quint8(bytes.at(text.indexOf(QChar(0x20AC)))), quint8(0x80));
        QCOMPARE(DecodeWindows1252(bytes), text);
        // Every byte decodes to a character that encodes back to it.
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(EncodeWindows1252(DecodeWindows1252(all)), all);
    }

    void charactersOutsideWindows1252()
    {
        const QString text = QStringLiteral("Ω ok 中 😀");
        QCOMPARE(EncodeWindows1252(text), QByteArray("&#937; ok &#20013; &#128512;"));
        QCOMPARE(DecodeCharRefs(QString::fromLatin1(EncodeWindows1252(text))), text);
        // References to Windows-1252 characters are the user's own text: kept.
        QCOMPARE(DecodeCharRefs(QStringLiteral("&#44; &#233; &#x41; &#;")), QStringLiteral("&#44; &#233; &#x41; &#;"));
    }

    void writeTextFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("page.htm");
        QVERIFY(WriteTextFile(path, QStringLiteral("ligne é\r\nfin\r\n")));
        QCOMPARE(ReadBytes(path), QByteArray("ligne \xE9\r\nfin\r\n\r\n"));
        // A write that cannot happen fails and leaves nothing behind.
        QVERIFY(!WriteTextFile(dir.filePath("missing/page.htm"), QStringLiteral("x")));
        QVERIFY(!WriteTextFile(QString(), QStringLiteral("x")));
        QVERIFY(!WriteTextFile(dir.path(), QStringLiteral("x")));
    }

    void readTextLines()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("p.txt");
        WriteBytes(path, QByteArray("un\r\ndeux\ntrois\rsuite\r\n\r\ncinq"));
        bool ok = false;
        const QStringList lines = ReadTextLines(path, &ok);
        QVERIFY(ok);
        QCOMPARE(lines, QStringList({"un", "deux", "trois\rsuite", "", "cinq"}));
        WriteBytes(path, QByteArray("\xE9t\xE9\r\n"));
        QCOMPARE(ReadTextLines(path), QStringList({QStringLiteral("été")}));
        ReadTextLines(dir.filePath("none.txt"), &ok);
        QVERIFY(!ok);
        ReadTextLines(dir.path(), &ok);
        QVERIFY(!ok);
    }

    void colours()
    {
        QCOMPARE(EncodeWebColor(0), QStringLiteral("000000"));
        QCOMPARE(EncodeWebColor(255), QStringLiteral("FF0000"));
        QCOMPARE(EncodeWebColor(0xFF00), QStringLiteral("00FF00"));
        QCOMPARE(EncodeWebColor(0xFF0000), QStringLiteral("0000FF"));
        QCOMPARE(EncodeWebColor(0xB2E2FF), QStringLiteral("FFE2B2"));
        QCOMPARE(DecodeWebColor(QStringLiteral("FF0000")), 255u);
        for (const char* c : {"FFE2B2", "800000", "D9EBD1", "FFFF00", "008000", "FFFFD2", "0A0B0C"})
            QCOMPARE(EncodeWebColor(DecodeWebColor(QLatin1String(c))), QLatin1String(c));
        // Pairs are read from their leading hexadecimal digits; none counts as 0.
        QCOMPARE(DecodeWebColor(QString()), 0u);
        QCOMPARE(DecodeWebColor(QStringLiteral("fG0000")), 15u);
        QCOMPARE(DecodeWebColor(QStringLiteral("zz")), 0u);
    }

    void pickColor()
    {
        ScriptedPlatform p;
        QString setting = QStringLiteral("FFE2B2");
        p.queueColor(std::nullopt);
        PickColor(p, setting);
        QCOMPARE(setting, QStringLiteral("FFE2B2"));
        QCOMPARE(p.requests.last().color, DecodeWebColor(QStringLiteral("FFE2B2")));
        p.queueColor(0x0000FFu);
        PickColor(p, setting);
        QCOMPARE(setting, QStringLiteral("FF0000"));
    }

    void placementAndSizes()
    {
        QCOMPARE(PlacementToFrench(QStringLiteral("center")), QStringLiteral("centré"));
        QCOMPARE(PlacementToFrench(QString()), QString());
        QCOMPARE(PlacementFromFrench(QStringLiteral("droite")), QStringLiteral("right"));
        QCOMPARE(PlacementFromFrench(QStringLiteral("milieu")), QString());
        QCOMPARE(DragDropTitleSizes().size(), 10);
        QCOMPARE(DragDropTitleSizes().constLast(), QStringLiteral("30"));
    }

    void paths()
    {
        const QString sep = PathSeparator();
        QCOMPARE(JoinPath(QStringLiteral("a"), QStringLiteral("b")), QStringLiteral("a") + sep + QStringLiteral("b"));
        QCOMPARE(LastComponent(QStringLiteral("x") + sep + QStringLiteral("chat.gif")), QStringLiteral("chat.gif"));
        QCOMPARE(LastComponent(QStringLiteral("chat.gif")), QStringLiteral("chat.gif"));
        QCOMPARE(SafeFileName(QStringLiteral("..")), QString());
        QCOMPARE(SafeFileName(QStringLiteral("..") + sep + QStringLiteral("..") + sep + QStringLiteral("x.gif")),
                 QStringLiteral("x.gif"));
        QCOMPARE(VersionText(), QStringLiteral("Version 2.00.0000"));
    }

    void prepareImgFolder()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("img"));
        WriteBytes(dir.filePath("img/ptrouge.gif"), "old");
        PrepareImgFolder(dir.path());
        QCOMPARE(ReadBytes(dir.filePath("img/ptrouge.gif")), ReadBytes(ProgramFolder() + "/ptrouge.gif"));
        QVERIFY(ReadBytes(dir.filePath("img/ptrouge.gif")).startsWith("GIF89a"));
    }

    void copyIntoImg()
    {
        QTemporaryDir dir;
        PrepareImgFolder(dir.path());
        const QString src = dir.filePath("chat.gif");
        WriteBytes(src, GifBytes(10, 10));
        bool copied = false;
        QCOMPARE(CopyIntoImg(src, dir.path(), &copied), QStringLiteral("chat.gif"));
        QVERIFY(copied);
        QCOMPARE(ReadBytes(dir.filePath("img/chat.gif")), GifBytes(10, 10));
        // Replacing an existing copy.
        WriteBytes(src, GifBytes(20, 20));
        CopyIntoImg(src, dir.path(), &copied);
        QCOMPARE(ReadBytes(dir.filePath("img/chat.gif")), GifBytes(20, 20));
        // A picture chosen from img itself: the file stays as it is.
        CopyIntoImg(dir.filePath("img/chat.gif"), dir.path(), &copied);
        QVERIFY(copied);
        QCOMPARE(ReadBytes(dir.filePath("img/chat.gif")), GifBytes(20, 20));
        // A missing source is not copied and says so.
        QCOMPARE(CopyIntoImg(dir.filePath("none.gif"), dir.path(), &copied), QStringLiteral("none.gif"));
        QVERIFY(!copied);
    }

    void nothingUnderAnEmptyFolder()
    {
        QTemporaryDir dir;
        const QString src = dir.filePath("chat.gif");
        WriteBytes(src, GifBytes(10, 10));
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(dir.path());
        PrepareImgFolder(QString());
        MakeImgFolder(QString());
        bool copied = true;
        QCOMPARE(CopyIntoImg(src, QString(), &copied), QStringLiteral("chat.gif"));
        QDir::setCurrent(cwd);
        QVERIFY(!copied);
        QVERIFY(!QFile::exists(dir.filePath("img")));
        QVERIFY(!QFile::exists(QStringLiteral("/img/chat.gif")));
    }

    void offerToOpenPage()
    {
        ScriptedPlatform p;
        p.queueMessage(IDNO);
        OfferToOpenPage(p, QStringLiteral("/cours/lecon.htm"));
        QCOMPARE(p.requests.size(), 1);
        QCOMPARE(p.requests[0].text, QStringLiteral("La page Web /cours/lecon.htm a été créée.\r"
                                                     "Voulez-vous lancer le navigateur pour voir la page ?"));
        QCOMPARE(p.requests[0].flags, 68);
        QCOMPARE(p.requests[0].title, QStringLiteral("Toravi"));
        p.queueMessage(IDYES);
        OfferToOpenPage(p, QStringLiteral("/cours/lecon.htm"));
        QCOMPARE(p.requestsOf("shell").size(), 1);
        QCOMPARE(p.requestsOf("shell")[0].text, QStringLiteral("/cours/lecon.htm"));
    }

    void scriptedPlatformRecordsAndAnswers()
    {
        ScriptedPlatform p;
        // Unscripted: OK, No, empty texts, the preset colour.
        QCOMPARE(p.messageBox(QStringLiteral("a"), kRefusal), int(IDOK));
        QCOMPARE(p.messageBox(QStringLiteral("b"), kConfirm), int(IDNO));
        QCOMPARE(p.inputBox(QStringLiteral("Nom de l'objet :"), QStringLiteral("Objet"), QStringLiteral("x")), QString());
        QCOMPARE(p.chooseColor(42), 42u);
        p.queueOpenFile(QStringLiteral("/a/b.gif"));
        p.queueFolder(QStringLiteral("/w"));
        FileDialogRequest r{QStringLiteral("/prog"), QStringLiteral("gif"), QStringLiteral("Fichiers gif (*.gif)|*.gif"),
                            QStringLiteral("Titre")};
        QCOMPARE(p.openFile(r), QStringLiteral("/a/b.gif"));
        QCOMPARE(p.openFile(r), QString());
        QCOMPARE(p.chooseFolder(QStringLiteral("Dossier ?")), QStringLiteral("/w"));
        QCOMPARE(p.pendingAnswers(), 0);
        const auto open = p.requestsOf("open");
        QCOMPARE(open.size(), 2);
        QCOMPARE(open[0].initialFolder, QStringLiteral("/prog"));
        QCOMPARE(open[0].filter, QStringLiteral("Fichiers gif (*.gif)|*.gif"));
        QCOMPARE(open[0].defaultExt, QStringLiteral("gif"));
        QCOMPARE(open[0].title, QStringLiteral("Titre"));
        QCOMPARE(p.messageTexts(), QStringList({"a", "b"}));
        QCOMPARE(p.requestsOf("input")[0].defaultText, QStringLiteral("x"));
    }
};

QTEST_GUILESS_MAIN(TestShared)
#include "test_shared.moc"
