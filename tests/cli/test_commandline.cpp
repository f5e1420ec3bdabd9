// `toravi generate`: the example projects anywhere, pages from WebP and TIFF pictures,
// refusals and their exit codes. `toravi cutout`: an exercise from one picture, and
// every bad argument refused by name with nothing written.
#include "commandline.h"
#include "files/files.h"
#include "files/filewriter.h"
#include "files/textfile.h"
#include "project/projectfile.h"
#include "support/composed.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

using namespace toravi;
using namespace toravi::test;

namespace {
QString example(const QString& rel) { return ProgramFolder() + QStringLiteral("/exemples/") + rel; }
const QString kIle = QStringLiteral("info-bulles/ile.txt");
const QString kBureau = QStringLiteral("glisser-deposer/bureau.txt");

// What a run of `toravi cutout` writes to the error stream.
QString CutoutErrors(const QStringList& args, int* code, const QString& file)
{
    std::fflush(stderr);
    const int saved = dup(fileno(stderr));
    std::FILE* f = std::fopen(QFile::encodeName(file).constData(), "wb");
    dup2(fileno(f), fileno(stderr));
    *code = RunCutoutCommand(args);
    std::fflush(stderr);
    dup2(saved, fileno(stderr));
    close(saved);
    std::fclose(f);
    return QString::fromUtf8(ReadBytes(file));
}

QString Box(const QRect& r, int m)
{
    return QStringLiteral("box:%1,%2,%3,%4").arg(r.x() - m).arg(r.y() - m).arg(r.width() + 2 * m).arg(r.height() + 2 * m);
}
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
        filefaults::Inject(filefaults::Kind::ShortWrite, 1);  // the stick is full from then on
        QCOMPARE(RunGenerateCommand({"--folder", tmp.path(), example(kBureau)}), 1);
        filefaults::Reset();
        // A picture the page needs that could not be copied: the page is made, the run fails.
        const QStringList lines{tmp.filePath("absent.png"), "", tmp.path(), "trou.htm", "", "", "", "absent.png"};
        QVERIFY(WriteTextFile(tmp.filePath("trou.txt"), lines.join("\r\n")));
        QCOMPARE(RunGenerateCommand({"--module", "tooltip", tmp.filePath("trou.txt")}), 1);
        QVERIFY(QFile::exists(tmp.filePath("trou.htm")));
        SetWorkingFolderLockWait(50);
        const FolderLock otherRun(tmp.path());
        QCOMPARE(RunGenerateCommand({"--folder", tmp.path(), example(kBureau)}), 1);
    }
    // Each tool's argument becomes its object; cut again into the same project, the objects are added.
    void cutout()
    {
        QTemporaryDir tmp;
        const Composed c = ComposePicture({900, 600}, 3, 21);
        const QString photo = tmp.filePath("bureau.png"), project = tmp.filePath("bureau.txt");
        const QString work = tmp.filePath("travail");
        QVERIFY(c.picture.save(photo));
        const QPoint centre = c.boxes[1].center();
        const QRect b = c.boxes[2];
        const QString outline = QStringLiteral("outline:%1,%2;%3,%2;%3,%4;%1,%4").arg(b.left()).arg(b.top()).arg(b.right()).arg(b.bottom());
        QCOMPARE(RunCutoutCommand({"--folder", work, "--project", project, photo, "la tasse=" + Box(c.boxes[0], 10),
                                   QStringLiteral("la carte=wand:%1,%2,60").arg(centre.x()).arg(centre.y()),
                                   "le livre=" + outline}),
                 0);
        QCOMPARE(RunCutoutCommand({"--fill", "silhouette", "--colour", "336699", "--project", project, photo,
                                   "la tasse=" + Box(c.boxes[0], 10)}),
                 0);
        // The page made from such a project, and the picture left as it was, are checked in the module.
        const QString lines = ReadProjectText(project).lines.join(",");
        for (const char* name : {"bureau-vide-2.png", "bureau-la-tasse.png", "bureau-la-carte.png",
                                 "bureau-le-livre.png", "bureau-la-tasse-2.png", "le livre"})
            QVERIFY2(lines.contains(name), name);
    }

    // Every bad argument is refused by name, with a non-zero exit, before anything is written.
    void cutoutRefusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString box = "tasse=box:10,10,50,50";
        QTest::newRow("box outside") << QStringList{"PICTURE", "tasse=box:250,10,80,50"} << "cadre de l'objet « tasse »";
        QTest::newRow("empty outline") << QStringList{"PICTURE", box, "livre=outline:"} << "contour de l'objet « livre » est vide";
        QTest::newRow("outline of two points") << QStringList{"PICTURE", "livre=outline:1,1;5,5"} << "« livre » est vide";
        QTest::newRow("outline outside") << QStringList{"PICTURE", "livre=outline:400,1;450,1;450,50"} << "n'entoure aucun pixel";
        QTest::newRow("no name") << QStringList{"PICTURE", box, "=box:1,1,20,20"} << "« =box:1,1,20,20 » n'a pas de nom";
        QTest::newRow("no equals sign") << QStringList{"PICTURE", "box:1,1,20,20"} << "« box:1,1,20,20 » n'a pas de nom";
        QTest::newRow("unknown tool") << QStringList{"PICTURE", "tasse=lasso:1,1"} << "outil « lasso » de l'objet « tasse »";
        QTest::newRow("click outside") << QStringList{"PICTURE", "mer=wand:5,900"} << "clic de l'objet « mer »";
        QTest::newRow("numbers unread") << QStringList{"PICTURE", "tasse=box:1,a,20,20"} << "« 1,a,20,20 » de l'objet « tasse »";
        QTest::newRow("no picture") << QStringList{"NOTES", box} << "notes.png n'est pas une image";
        QTest::newRow("missing picture") << QStringList{"ABSENT", box} << "absente.png";
        QTest::newRow("unknown fill") << QStringList{"--fill", "flou", "PICTURE", box} << "« flou » (--fill)";
        QTest::newRow("bad colour") << QStringList{"--colour", "bleu", "PICTURE", box} << "« bleu » (--colour)";
        QTest::newRow("project of the other module") << QStringList{"--project", "OTHER", "PICTURE", box} << "module";
    }
    void cutoutRefusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QTemporaryDir tmp;
        QVERIFY(WriteRealPicture(tmp.filePath("photo.png"), 300, 200));
        WriteBytes(tmp.filePath("notes.png"), "pas une image");
        QVERIFY(WriteTextFile(tmp.filePath("autre.txt"), QStringLiteral("<Généré par Toravi 2>\r\n<Module Interact>")));
        if (!args.contains("--project"))
            args.prepend(tmp.filePath("p.txt")), args.prepend("--project");
        args.replaceInStrings("PICTURE", tmp.filePath("photo.png"))
            .replaceInStrings("NOTES", tmp.filePath("notes.png"))
            .replaceInStrings("ABSENT", tmp.filePath("absente.png"))
            .replaceInStrings("OTHER", tmp.filePath("autre.txt"));
        const QStringList before = QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        int code = 0;
        const QString errors = CutoutErrors(QStringList{"--folder", tmp.filePath("travail")} + args, &code,
                                            QDir::temp().filePath("toravi-cutout-errors.txt"));
        QVERIFY2(code != 0 && errors.contains(message), qPrintable(errors));
        QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
