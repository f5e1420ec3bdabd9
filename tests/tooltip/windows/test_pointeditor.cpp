// The point editor Form1, driven through its picture, its names list and its menus.
#include "tooltipfixture.h"

#include "shared/textfile.h"

#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QScreen>

using namespace toravi;
using namespace toravi::test;

namespace {

constexpr unsigned kPictureRgb = 0x3366CC;

bool IsRed(QRgb c) { return qRed(c) > 180 && qGreen(c) < 90 && qBlue(c) < 110; }
bool IsGreen(QRgb c) { return qGreen(c) > 180 && qRed(c) < 90 && qBlue(c) < 110; }
bool IsPicture(QRgb c) { return (c & 0xFFFFFF) == kPictureRgb; }

QImage Grab(QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

// Whether a mark ring of the colour test surrounds the pixel (x, y).
bool RingAround(const QImage& img, int x, int y, bool (*colour)(QRgb))
{
    return colour(img.pixel(x + 5, y)) && colour(img.pixel(x - 5, y)) && colour(img.pixel(x, y + 5)) &&
           colour(img.pixel(x, y - 5)) && !colour(img.pixel(x, y)) && !colour(img.pixel(x + 9, y));
}

}  // namespace

class TestPointEditor : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { SetProgramFolder(QString()); }
    void loadsWithFreshProject();
    void clicksAddPointsWithMarks();
    void correctingNames();
    void deletingPoints();
    void everyKeyReloadsPicture();
    void reinitSaveAndLoadThroughMenus();
    void createPageWritesFiles();
    void quitEndsAndCloseReturnsToLauncher();
    void helpFallsBackToPresentation();
};

void TestPointEditor::loadsWithFreshProject()
{
    TooltipFixture f;
    QWidget* w = f.form1();
    QVERIFY(w && w->isVisible());
    auto* picture = f.f1<PictureBox>("Picture1");
    QCOMPARE(picture->size(), QSize(733, 643));
    QVERIFY(!picture->holdsPicture());
    QVERIFY(f.f1("Label2")->isVisible());
    QVERIFY(!f.list(1)->isVisible() && !f.list(2)->isVisible() && f.list(3)->isVisible());
    QVERIFY(!f.f1("Command1")->isVisible());
    QCOMPARE(f.state().strPageWeb, QStringLiteral("exercice.htm"));  // reset and refreshed
    const QList<std::pair<const char*, QKeySequence>> shortcuts{
        {"mnuReinit", QKeySequence(Qt::SHIFT | Qt::Key_Delete)}, {"mnuParam", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"mnuLoad", QKeySequence(Qt::CTRL | Qt::Key_L)},         {"mnuSave", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"mnuCreation", QKeySequence(Qt::CTRL | Qt::Key_F12)},   {"mnuRefresh", QKeySequence(Qt::Key_F5)}};
    for (const auto& [name, keys] : shortcuts)
        QVERIFY2(f.menu1(name) && f.menu1(name)->shortcut() == keys, name);
    const QRect screen = w->screen()->availableGeometry();
    QVERIFY(qAbs(w->frameGeometry().center().x() - screen.center().x()) <= 4);
}

void TestPointEditor::clicksAddPointsWithMarks()
{
    TooltipFixture f;
    f.validProject(400, 300);
    f.platform.clear();
    f.clickPicture(0, 0, "Départ");
    f.clickPicture(50, 60, QString());  // a cancelled prompt still adds the point
    f.clickPicture(399, 299, "Coin");

    QCOMPARE(f.entries(1), (QStringList{"0", "50", "399"}));
    QCOMPARE(f.entries(2), (QStringList{"6", "66", "305"}));
    QCOMPARE(f.entries(3), (QStringList{"Départ", "", "Coin"}));
    QCOMPARE(f.state().points.size(), 3);
    QCOMPARE(f.state().points[1].y, QStringLiteral("66"));
    const auto inputs = f.platform.requestsOf("input");
    QCOMPARE(inputs.size(), 3);
    QVERIFY(inputs[0].defaultText.isEmpty());

    // Each mark rings the clicked pixel, in red; the rest is the picture.
    const QImage shot = Grab(f.f1("Picture1"));
    QVERIFY(RingAround(shot, 50, 60, IsRed));
    QVERIFY(IsRed(shot.pixel(5, 0)));
    QVERIFY(IsPicture(shot.pixel(200, 150)));
    QVERIFY(IsPicture(shot.pixel(50, 60)));

    // Beyond the picture's edge the frame still takes points.
    f.clickPicture(600, 500, "Hors image");
    QCOMPARE(f.entries(1).last(), QStringLiteral("600"));
    QCOMPARE(f.entries(2).last(), QStringLiteral("506"));
}

void TestPointEditor::correctingNames()
{
    TooltipFixture f;
    f.threePoints();
    QListWidget* names = f.list(3);

    // Double-click: the prompt offers the current name while the mark is green.
    bool greenWhileAsking = false, othersRed = false;
    f.platform.onInput = [&] {
        const QImage shot = Grab(f.f1("Picture1"));
        greenWhileAsking = RingAround(shot, 20, 20, IsGreen);
        othersRed = RingAround(shot, 10, 10, IsRed) && RingAround(shot, 30, 30, IsRed);
    };
    f.platform.queueInput("Deux, et demi");
    names->setCurrentRow(1);
    const QPoint at = names->visualItemRect(names->item(1)).center();
    // The events of a real double-click: press, release, press and double-click, release.
    QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, at);
    QTest::mousePress(names->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(names->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(names->viewport(), Qt::LeftButton, {}, at);
    f.platform.onInput = nullptr;
    QVERIFY(greenWhileAsking);
    QVERIFY(othersRed);
    QCOMPARE(f.platform.requestsOf("input").last().defaultText, QStringLiteral("Deux"));
    QCOMPARE(f.entries(3), (QStringList{"Un", "Deux, et demi", "Trois"}));
    QVERIFY(RingAround(Grab(f.f1("Picture1")), 20, 20, IsRed));

    // Enter, with an empty answer: the old name stays.
    names->setCurrentRow(0);
    f.platform.queueInput(QString());
    QTest::keyClick(names, Qt::Key_Return);
    QCOMPARE(f.platform.requestsOf("input").last().defaultText, QStringLiteral("Un"));
    QCOMPARE(f.entries(3), (QStringList{"Un", "Deux, et demi", "Trois"}));
    QCOMPARE(f.entries(1), (QStringList{"10", "20", "30"}));
}

void TestPointEditor::deletingPoints()
{
    TooltipFixture f;
    f.threePoints();
    QListWidget* names = f.list(3);

    // No: nothing removed, the marks are still drawn.
    names->setCurrentRow(1);
    f.platform.queueMessage(IDNO);
    QTest::keyClick(names, Qt::Key_Delete);
    QCOMPARE(f.platform.messageTexts(), QStringList{msg::DeleteQuestion});
    QCOMPARE(f.platform.requests.last().flags, kConfirm);
    QCOMPARE(f.entries(3), (QStringList{"Un", "Deux", "Trois"}));
    QVERIFY(RingAround(Grab(f.f1("Picture1")), 20, 20, IsRed));

    // Yes on the second of three: the first and third stay, in order, in all three lists.
    f.platform.queueMessage(IDYES);
    QTest::keyClick(names, Qt::Key_Delete);
    QCOMPARE(f.entries(1), (QStringList{"10", "30"}));
    QCOMPARE(f.entries(2), (QStringList{"16", "36"}));
    QCOMPARE(f.entries(3), (QStringList{"Un", "Trois"}));
    const QImage shot = Grab(f.f1("Picture1"));
    QVERIFY(!IsRed(shot.pixel(25, 20)));
    QVERIFY(RingAround(shot, 30, 30, IsRed));

    // Nothing selected: neither key asks anything.
    names->clearSelection();
    names->setCurrentRow(-1);
    f.platform.clear();
    QTest::keyClick(names, Qt::Key_Delete);
    QTest::keyClick(names, Qt::Key_Return);
    QVERIFY(f.platform.requests.isEmpty());
    QCOMPARE(f.entries(3), (QStringList{"Un", "Trois"}));
}

void TestPointEditor::everyKeyReloadsPicture()
{
    TooltipFixture f;
    f.threePoints();
    QVERIFY(IsPicture(Grab(f.f1("Picture1")).pixel(200, 200)));

    // The copy in img changes on disk; an arrow key in the list shows it again.
    const QString copy = f.inImg("carte.png");
    QVERIFY(WritePicture(copy, 400, 300, 0xEEEEEE));
    QFile file(copy);
    QVERIFY(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    file.close();
    f.list(3)->setCurrentRow(0);
    QTest::keyClick(f.list(3), Qt::Key_Down);
    const QImage shot = Grab(f.f1("Picture1"));
    QCOMPARE(shot.pixel(200, 200) & 0xFFFFFF, 0xEEEEEEu);
    QVERIFY(RingAround(shot, 10, 10, IsRed));
    QVERIFY(RingAround(shot, 30, 30, IsRed));
    QCOMPARE(f.list(3)->currentRow(), 1);

    // "Rafraîchir l'affichage" shows what the state holds.
    f.state().points.append({"70", "76", "Quatre"});
    f.menu1("mnuRefresh")->trigger();
    QCOMPARE(f.entries(3), (QStringList{"Un", "Deux", "Trois", "Quatre"}));
    QVERIFY(RingAround(Grab(f.f1("Picture1")), 70, 70, IsRed));
}

void TestPointEditor::reinitSaveAndLoadThroughMenus()
{
    TooltipFixture f;
    f.validProject(300, 200);
    f.clickPicture(10, 20, "Un, deux");
    f.clickPicture(30, 40, QStringLiteral("Dit \"bonjour\""));
    const QString file = f.scratch.filePath("points.txt");
    f.platform.queueSaveFile(file);
    f.menu1("mnuSave")->trigger();
    const QStringList lines = ReadTextLines(file);
    QCOMPARE(lines.size(), 31);
    QCOMPARE(lines[15], QStringLiteral("10,30,"));
    QCOMPARE(lines[16], QStringLiteral("26,46,"));

    f.platform.clear();
    f.platform.queueMessage(IDNO);
    f.menu1("mnuReinit")->trigger();
    QCOMPARE(f.platform.messageTexts(), QStringList{msg::ResetQuestion});
    QCOMPARE(f.entries(3).size(), 2);

    f.platform.clear();
    f.platform.queueMessage(IDYES);
    f.menu1("mnuReinit")->trigger();
    QCOMPARE(f.platform.messageTexts(), (QStringList{msg::ResetQuestion, msg::ResetDone}));
    QCOMPARE(f.platform.requests[0].flags, kConfirm);
    QCOMPARE(f.platform.requests[1].flags, kNotice);
    QVERIFY(f.entries(1).isEmpty() && f.entries(2).isEmpty() && f.entries(3).isEmpty());
    QVERIFY(!f.f1<PictureBox>("Picture1")->holdsPicture());

    f.platform.queueOpenFile(file);
    f.menu1("mnuLoad")->trigger();
    QCOMPARE(f.entries(1), (QStringList{"10", "30"}));
    QCOMPARE(f.entries(2), (QStringList{"26", "46"}));
    QCOMPARE(f.entries(3), (QStringList{"Un, deux", QStringLiteral("Dit \"bonjour\"")}));
    QVERIFY(!f.f1("Label2")->isVisible());
    QVERIFY(f.f1<PictureBox>("Picture1")->holdsPicture());
    QVERIFY(RingAround(Grab(f.f1("Picture1")), 30, 40, IsRed));

    // A cancelled open dialog changes nothing.
    f.menu1("mnuLoad")->trigger();
    QCOMPARE(f.entries(3).size(), 2);
}

void TestPointEditor::createPageWritesFiles()
{
    TooltipFixture f;
    f.validProject();
    f.clickPicture(10, 20, "Un");
    f.platform.clear();
    f.platform.queueMessage(IDNO);
    f.menu1("mnuCreation")->trigger();
    const QString page = JoinPath(f.folder(), "exercice.htm");
    QVERIFY(QFileInfo(page).isFile());
    QVERIFY(QFileInfo(JoinPath(f.folder(), "interact.js")).isFile());
    QVERIFY(ReadBytes(page).contains("\"Un\","));
    QCOMPARE(f.platform.requestsOf("message").size(), 1);
    QCOMPARE(f.platform.requestsOf("message")[0].flags, kOffer);
    QVERIFY(f.platform.requestsOf("shell").isEmpty());

    // Without a working folder nothing is written.
    TooltipFixture empty;
    empty.menu1("mnuCreation")->trigger();
    QCOMPARE(empty.platform.messageTexts(), QStringList{msg::NoFolder});
}

void TestPointEditor::quitEndsAndCloseReturnsToLauncher()
{
    {
        TooltipFixture f;
        f.openParameters();
        f.form1()->setEnabled(true);  // the menu of a disabled window cannot be reached
        f.menu1("mnuQuit")->trigger();
        TooltipFixture::settle();
        QVERIFY(!f.form2() && !f.form1());
        QCOMPARE(f.quitCalls, 1);
        QVERIFY(f.platform.messageTexts().isEmpty());
    }
    TooltipFixture f;
    f.openParameters();
    f.form1()->close();
    TooltipFixture::settle();
    QVERIFY(!f.form1() && !f.form2());
    QWidget* launcher = f.ctx.windows.find("Form3");
    QVERIFY(launcher && launcher->isVisible());
    QCOMPARE(f.quitCalls, 0);

    // Started again from the launcher, the editor opens on a fresh project.
    f.state().strTitre = QStringLiteral("ancien");
    QTest::mouseClick(launcher->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QVERIFY(f.form1() && f.form1()->isVisible());
    QCOMPARE(f.state().strTitre, QStringLiteral("exercice"));
}

void TestPointEditor::helpFallsBackToPresentation()
{
    TooltipFixture f;
    QTemporaryDir programFolder;
    SetProgramFolder(programFolder.path());  // no toravi.chm there

    f.menu1("mnuAide")->trigger();
    QWidget* about = f.ctx.windows.find("FAbout");
    QVERIFY(about && about->isVisible());
    QVERIFY(!f.form1()->isEnabled());
    QVERIFY(!f.ctx.blnFromLauncher);
    QVERIFY(f.platform.requestsOf("shell").isEmpty());
    about->close();
    TooltipFixture::settle();
    QVERIFY(f.form1()->isEnabled());

    // From the parameters window: the editor was disabled already, and the
    // presentation window gives it back when it closes.
    SetProgramFolder(QString());
    f.openParameters();
    SetProgramFolder(programFolder.path());
    f.menu2("mnuAide")->trigger();
    about = f.ctx.windows.find("FAbout");
    QVERIFY(about && about->isVisible());
    QVERIFY(f.form2()->isEnabled());
    about->close();
    TooltipFixture::settle();
    QVERIFY(f.form1()->isEnabled());
    QVERIFY(f.form2());
}

QTEST_MAIN(TestPointEditor)
#include "test_pointeditor.moc"
