// `toravi generate`: the example projects anywhere, refusals and their exit codes.
#include "shared/publish.h"
#include "shared/textfile.h"
#include "commandline.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace toravi;
using namespace toravi::test;

class TestCommandLine : public QObject {
    Q_OBJECT

    static QString example(const QString& rel) { return ProgramFolder() + QStringLiteral("/exemples/") + rel; }

private slots:
    void examplesGenerateIntoAFolderOfOurChoice()
    {
        QTemporaryDir tmp;
        const QString out = tmp.filePath(QStringLiteral("nouveau/dossier"));
        QCOMPARE(RunGenerateCommand({QStringLiteral("--folder"), out, example(QStringLiteral("info-bulles/ile.txt"))}), 0);
        QVERIFY(QFile::exists(out + QStringLiteral("/ile.htm")));
        QVERIFY(QFile::exists(out + QStringLiteral("/interact.js")));
        QCOMPARE(ReadBytes(out + QStringLiteral("/img/ile.png")), ReadBytes(example(QStringLiteral("info-bulles/ile.png"))));
        QVERIFY(QFile::exists(out + QStringLiteral("/img/ptrouge.gif")));
        const QByteArray page = ReadBytes(out + QStringLiteral("/ile.htm"));
        QVERIFY(page.contains("var x1=4;var y1=0;var x2=640;var y2=460;"));

        QCOMPARE(RunGenerateCommand({QStringLiteral("--folder"), out, example(QStringLiteral("glisser-deposer/bureau.txt"))}), 0);
        const QByteArray dd = ReadBytes(out + QStringLiteral("/bureau.htm"));
        QVERIFY(dd.contains("\"objet6\"+MAXOFFLEFT+"));
        QVERIFY(dd.contains("src=\"img/livre.png\" width=\"72\" height=\"72\""));
        QVERIFY(QFile::exists(out + QStringLiteral("/ordre.js")));
        QVERIFY(QFile::exists(out + QStringLiteral("/img/transparentpixel.gif")));
        QVERIFY(QFile::exists(out + QStringLiteral("/img/fond.png")));
        // The examples themselves are left as they are.
        QCOMPARE(ReadTextLines(example(QStringLiteral("info-bulles/ile.txt"))).value(6), QString());
    }

    void examplesWithoutAFolderAreRefused()
    {
        QCOMPARE(RunGenerateCommand({example(QStringLiteral("info-bulles/ile.txt"))}), 1);
    }

    void moduleFromTheHeaderOrTheOption()
    {
        QTemporaryDir tmp;
        const QString headerless = tmp.filePath(QStringLiteral("p.txt"));
        QVERIFY(WriteTextFile(headerless, example(QStringLiteral("info-bulles/ile.png")) + QStringLiteral("\r\n\r\n") +
                                              tmp.path() + QStringLiteral("\r\nlecon.htm")));
        QCOMPARE(RunGenerateCommand({headerless}), 2);  // which module? unknown
        QCOMPARE(RunGenerateCommand({QStringLiteral("--module"), QStringLiteral("tooltip"), headerless}), 0);
        QVERIFY(QFile::exists(tmp.filePath(QStringLiteral("lecon.htm"))));

        const QString other = tmp.filePath(QStringLiteral("autre.txt"));
        QVERIFY(WriteTextFile(other, QStringLiteral("<Généré par Toravi 2>\r\n<Module Autre>\r\n")));
        QCOMPARE(RunGenerateCommand({other}), 1);
        QCOMPARE(RunGenerateCommand({tmp.filePath(QStringLiteral("absent.txt"))}), 1);
        QCOMPARE(RunGenerateCommand({}), 2);
        QCOMPARE(RunGenerateCommand({QStringLiteral("--module"), QStringLiteral("x"), headerless}), 2);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
