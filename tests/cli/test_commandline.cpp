// `toravi generate`: the example projects anywhere, pages from WebP and TIFF pictures,
// refusals and their exit codes.
#include "commandline.h"
#include "files/files.h"
#include "files/filewriter.h"
#include "files/textfile.h"
#include "project/projectfile.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace toravi;
using namespace toravi::test;

namespace {
QString example(const QString& rel) { return ProgramFolder() + QStringLiteral("/exemples/") + rel; }
const QString kIle = QStringLiteral("info-bulles/ile.txt");
const QString kBureau = QStringLiteral("glisser-deposer/bureau.txt");
}  // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void examplesGenerateIntoAFolderOfOurChoice()
    {
        QTemporaryDir tmp;
        const QString out = tmp.filePath(QStringLiteral("nouveau/dossier"));
        QCOMPARE(RunGenerateCommand({"--folder", out, example(kIle)}), 0);
        QVERIFY(ReadBytes(out + "/ile.htm").contains("var x1=4;var y1=0;var x2=640;var y2=460;"));

        QCOMPARE(RunGenerateCommand({"--folder", out, example(kBureau)}), 0);
        QVERIFY(ReadBytes(out + "/bureau.htm").contains("src=\"img/livre.png\" width=\"72\" height=\"72\""));
        QVERIFY(QFile::exists(out + "/verifier.js"));  // the desk comes with its places and the check
        // The exports instead of the folder page.
        const QString one = tmp.filePath("seul.htm"), zip = tmp.filePath("p.zip"), other = tmp.filePath("autre");
        QCOMPARE(RunGenerateCommand({"--folder", other, "--single-file", one, "--scorm", zip, example(kBureau)}), 0);
        QVERIFY(QFile::exists(one) && QFile::exists(zip) && !QFile::exists(other + "/bureau.htm"));
        // The examples themselves are left as they are, and no lock stays behind.
        QCOMPARE(ReadProjectText(example(kIle)).lines.value(6), QString());
        QVERIFY(!QFile::exists(out + "/" + FolderLock::LockFileName()));
    }

    // Each picture shown as it is or as an upright copy in a format every browser shows, and
    // named in the page at its copy's real size.
    void webpAndTiffPages()
    {
        QTemporaryDir tmp;
        const QString img = tmp.filePath("img/");
        for (auto [name, copies] : {std::pair{"webp", "trait.tif.png photo.webp"},
                                    {"tiff", "transparentpixel.gif dessin.webp anime.webp.png tourne.webp.jpg "
                                             "detoure.webp.png scan16.tif.jpg cmyk.tif.jpg pages.tif.jpg "
                                             "tourne.tif.jpg dessin.tif.png trait.tif.png scan.tif.jpg"}}) {
            QCOMPARE(RunGenerateCommand({"--folder", tmp.path(), DataFolder() + "/pictures/" + name + ".txt"}), 0);
            const QString page = QString::fromLatin1(ReadBytes(tmp.filePath(QString(name) + ".htm")));
            QStringList linked;
            static const QRegularExpression linkRe("img/([^\")]+)(\" width=\"(\\d+)\" height=\"(\\d+))?");
            for (const auto& m : linkRe.globalMatch(page)) {
                linked << m.captured(1);
                QImageReader copy(img + m.captured(1));
                const QSize size = copy.size();
                QVERIFY2(QByteArray("png gif jpeg webp").contains(copy.format()) && !copy.read().isNull(),
                         qPrintable(m.captured(1)));
                QVERIFY(m.captured(3).isEmpty() || QSize(m.captured(3).toInt(), m.captured(4).toInt()) == size);
            }
            linked.removeAll("ptrouge.gif");
            QCOMPARE(linked.join(' '), QString(copies));
        }
        // Both turned the same way: the TIFF by Qt's reader, the WebP by ours.
        const QImage tiff(img + "tourne.tif.jpg"), webp(img + "tourne.webp.jpg");
        QCOMPARE(tiff.size(), QSize(120, 160));
        QVERIFY(qRed(tiff.pixel(90, 40)) > 2 * qBlue(tiff.pixel(90, 40)));  // the red quarter went top right
        for (QPoint p : {QPoint(30, 40), QPoint(90, 40), QPoint(30, 120), QPoint(90, 120)})
            QVERIFY(qAbs(qGray(tiff.pixel(p)) - qGray(webp.pixel(p))) < 30);
        // A turned cut-out keeps its transparent background, upright.
        const QImage cutOut(img + "detoure.webp.png");
        QCOMPARE(cutOut.size(), QSize(80, 100));
        QVERIFY(qAlpha(cutOut.pixel(0, 0)) == 0 && qAlpha(cutOut.pixel(40, 50)) == 255);
    }

    void exitCodes_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::newRow("no folder") << QStringList{example(kIle)} << 1;
        QTest::newRow("which module?") << QStringList{"HEADERLESS"} << 2;
        QTest::newRow("module given") << QStringList{"--module", "tooltip", "HEADERLESS"} << 0;
        QTest::newRow("bad module") << QStringList{"--module", "x", "HEADERLESS"} << 2;
        QTest::newRow("other module") << QStringList{"OTHER"} << 1;
        QTest::newRow("missing file") << QStringList{"--folder", "NEW", "ABSENT"} << 1;
        QTest::newRow("no file") << QStringList{} << 2;
        QTest::newRow("unknown option") << QStringList{"--vite", example(kIle)} << 2;
    }
    void exitCodes()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QTemporaryDir tmp;
        QVERIFY(WriteTextFile(tmp.filePath("sans.txt"), example("info-bulles/ile.png") + "\r\n\r\n" + tmp.path() +
                                                            "\r\nlecon.htm"));
        QVERIFY(WriteTextFile(tmp.filePath("autre.txt"), QStringLiteral("<Généré par Toravi 2>\r\n<Module Autre>")));
        args.replaceInStrings("HEADERLESS", tmp.filePath("sans.txt"))
            .replaceInStrings("OTHER", tmp.filePath("autre.txt"))
            .replaceInStrings("ABSENT", tmp.filePath("absent.txt"))
            .replaceInStrings("NEW", tmp.filePath("nouveau"));
        QCOMPARE(RunGenerateCommand(args), code);
        QCOMPARE(QFile::exists(tmp.filePath("lecon.htm")), code == 0);
        // A folder to make is made only for a project that is accepted.
        QVERIFY(!QFile::exists(tmp.filePath("nouveau")));
    }

    void reduce()
    {
        QTemporaryDir tmp;
        QVERIFY(QDir().mkpath(tmp.filePath("img")) && WriteRealPicture(tmp.filePath("img/grande.png"), 1000, 800));
        QVERIFY(WriteTextFile(tmp.filePath("p.txt"), QStringList{tmp.filePath("img/grande.png"), "", tmp.path(), "lecon.htm",
                                                                 "", "", "", "grande.png", "", "", "", "500,", "406,"}
                                                         .join("\r\n")));
        // The points follow the picture onto its copy.
        for (auto [option, sizes] : {std::pair{"--module=tooltip", "(500,0);\r\nvar coordy= new Array (406,0);\r\n"
                                                                   "var x1=4;var y1=0;var x2=1000;var y2=800;"},
                                     {"--reduce", "(367,0);\r\nvar coordy= new Array (299,0);\r\n"
                                                  "var x1=4;var y1=0;var x2=733;var y2=586;"}}) {
            QCOMPARE(RunGenerateCommand({"--module", "tooltip", option, tmp.filePath("p.txt")}), 0);
            QVERIFY(ReadBytes(tmp.filePath("lecon.htm")).contains(sizes));
        }
        // The whole copies go, but a picture chosen from img is the teacher's own.
        QVERIFY(QFile::exists(tmp.filePath("img/grande-733x586.png")) && QFile::exists(tmp.filePath("img/grande.png")));
    }

    // A failed write or a busy folder is never a success.
    void failuresExitNonZero()
    {
        QTemporaryDir tmp;
        QCOMPARE(RunGenerateCommand({"--folder", tmp.path(), example(kBureau)}), 0);
        const QByteArray page = ReadBytes(tmp.filePath("bureau.htm"));
        filefaults::Inject(filefaults::Kind::ShortWrite, 1);  // the stick is full from then on
        QCOMPARE(RunGenerateCommand({"--folder", tmp.path(), example(kBureau)}), 1);
        filefaults::Reset();
        QCOMPARE(ReadBytes(tmp.filePath("bureau.htm")), page);
        // A picture the page needs that could not be copied: the page is made, the run fails.
        const QStringList lines{tmp.filePath("absent.png"), "", tmp.path(), "trou.htm", "", "", "", "absent.png"};
        QVERIFY(WriteTextFile(tmp.filePath("trou.txt"), lines.join("\r\n")));
        QCOMPARE(RunGenerateCommand({"--module", "tooltip", tmp.filePath("trou.txt")}), 1);
        QVERIFY(QFile::exists(tmp.filePath("trou.htm")));
        SetWorkingFolderLockWait(50);
        const FolderLock otherRun(tmp.path());
        QCOMPARE(RunGenerateCommand({"--folder", tmp.path(), example(kBureau)}), 1);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
