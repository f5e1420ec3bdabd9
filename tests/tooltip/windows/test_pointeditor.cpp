// The point editor Form1, driven through its picture, its names list and its menus.
#include "tooltipfixture.h"

#include "shared/textfile.h"

#include <QDateTime>
#include <QFile>
#include <QMenuBar>
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

void PressKey(QListWidget* list, Qt::Key key) { QTest::keyClick(list, key); }

}  // namespace

class TestPointEditor : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { SetProgramFolder(QString()); }
    void loadsWithFreshProject();
    void clicksAddPointsWithMarks();
    void cancelledNameKeepsPoint();
    void correctingNames();
    void deletingPoints();
    void everyKeyReloadsPicture();
    void reinitAsksThenResets();
    void saveAndLoadThroughMenus();
    void createPageWritesFiles();
    void parametersDisableEditorUntilClosed();
    void quitEndsProgram();
    void closingReturnsToLauncher();
    void helpFallsBackToPresentation();
    void helpOpensDocumentWhenPresent();
    void wholeTeacherRoad();
};

void TestPointEditor::loadsWithFreshProject()
{
    TooltipFixture f;
    QWidget* w = f.form1();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Toravi - Générateur de page Web interactive"));
    auto* picture = f.f1<PictureBox>("Picture1");
    QCOMPARE(picture->size(), QSize(733, 643));
    QVERIFY(!picture->holdsPicture());
    QVERIFY(f.f1("Label2")->isVisible());
    QCOMPARE(f.f1<QLabel>("Label2")->text(), QStringLiteral("Pour créer votre page Web, cliquez sur le menu 'Projet'."));
    QCOMPARE(f.f1<QLabel>("Label1")->text(), QStringLiteral("Objets"));
    QVERIFY(!f.list(1)->isVisible());
    QVERIFY(!f.list(2)->isVisible());
    QVERIFY(f.list(3)->isVisible());
    QVERIFY(!f.f1("Command1")->isVisible());
    // ResetProject ran: defaults and refresh defaults.
    QCOMPARE(f.state().strBaloonColor, QStringLiteral("800000"));
    QCOMPARE(f.state().strPageWeb, QStringLiteral("exercice.htm"));
    // Menus by name, with their shortcuts.
    QCOMPARE(f.menu1("mnuReinit")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    QCOMPARE(f.menu1("mnuParam")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    QCOMPARE(f.menu1("mnuLoad")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    QCOMPARE(f.menu1("mnuSave")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(f.menu1("mnuCreation")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F12));
    QCOMPARE(f.menu1("mnuRefresh")->shortcut(), QKeySequence(Qt::Key_F5));
    QCOMPARE(f.menu1("mnuRefresh")->text(), QStringLiteral("Rafraîchir l'affichage"));
    for (const char* name : {"mnuFichier", "mnuProjet", "mnuAffich"})
        QVERIFY2(f.f1<QMenu>(name), name);
    QVERIFY(f.menu1("mnuAide"));
    QVERIFY(f.menu1("mnuQuit"));
    // Centred on its screen.
    const QRect screen = w->screen()->availableGeometry();
        QVERIFY(qAbs(w->frameGeometry().center().x() - screen.center().x()) <= 4);
}

void TestPointEditor::clicksAddPointsWithMarks()
{
    TooltipFixture f;
    f.validProject(400, 300);
    f.platform.clear();
    f.clickPicture(0, 0, "Départ");
    f.clickPicture(50, 60, "Lyon");
    f.clickPicture(399, 299, "Coin");

    QCOMPARE(f.entries(1), (QStringList{"0", "50", "399"}));
    QCOMPARE(f.entries(2), (QStringList{"6", "66", "305"}));
    QCOMPARE(f.entries(3), (QStringList{"Départ", "Lyon", "Coin"}));
    QCOMPARE(f.state().points.size(), 3);
    QCOMPARE(f.state().points[1].y, QStringLiteral("66"));
    const auto inputs = f.platform.requestsOf("input");
    QCOMPARE(inputs.size(), 3);
    QCOMPARE(inputs[0].text, QStringLiteral("Nom de l'objet :"));
    QCOMPARE(inputs[0].title, QStringLiteral("Objet"));
    QVERIFY(inputs[0].defaultText.isEmpty());

    // Each mark rings the clicked pixel, in red; the rest is the picture.
    const QImage shot = Grab(f.f1("Picture1"));
    QVERIFY(RingAround(shot, 50, 60, IsRed));
    QVERIFY(IsRed(shot.pixel(5, 0)));
    QVERIFY(IsPicture(shot.pixel(200, 150)));
    QVERIFY(IsPicture(shot.pixel(50, 60)));

    // Beyond the picture's edge the frame still takes points; outside the frame nothing happens.
    f.clickPicture(600, 500, "Hors image");
    QCOMPARE(f.entries(1).last(), QStringLiteral("600"));
    QCOMPARE(f.entries(2).last(), QStringLiteral("506"));
}

void TestPointEditor::cancelledNameKeepsPoint()
{
    TooltipFixture f;
    f.validProject();
    f.clickPicture(10, 10, "Un");
    f.clickPicture(20, 20, QString());  // cancelled prompt
    f.clickPicture(30, 30, "Trois");
    QCOMPARE(f.entries(3), (QStringList{"Un", "", "Trois"}));
    QCOMPARE(f.entries(1).size(), 3);
    QCOMPARE(f.entries(2).size(), 3);
    QVERIFY(RingAround(Grab(f.f1("Picture1")), 20, 20, IsRed));
}

void TestPointEditor::correctingNames()
{
    TooltipFixture f;
    f.validProject();
    f.clickPicture(40, 40, "Paris");
    f.clickPicture(100, 80, "Lyon");
    QListWidget* names = f.list(3);
    f.platform.clear();

    // Double-click: the prompt offers the current name while the mark is green.
    bool greenWhileAsking = false, othersRed = false;
    f.platform.onInput = [&] {
        const QImage shot = Grab(f.f1("Picture1"));
        greenWhileAsking = RingAround(shot, 100, 80, IsGreen);
        othersRed = RingAround(shot, 40, 40, IsRed);
    };
    f.platform.queueInput("Lyon, capitale des Gaules");
    names->setCurrentRow(1);
    const QRect r = names->visualItemRect(names->item(1));
    // The events of a real double-click: press, release, press and double-click, release.
    QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mousePress(names->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(names->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseRelease(names->viewport(), Qt::LeftButton, {}, r.center());
    f.platform.onInput = nullptr;
    QVERIFY(greenWhileAsking);
    QVERIFY(othersRed);
    QCOMPARE(f.platform.requestsOf("input").last().defaultText, QStringLiteral("Lyon"));
    QCOMPARE(f.entries(3), (QStringList{"Paris", "Lyon, capitale des Gaules"}));
    QVERIFY(RingAround(Grab(f.f1("Picture1")), 100, 80, IsRed));

    // Enter, with an empty answer: the old name stays.
    names->setCurrentRow(0);
    f.platform.queueInput(QString());
    PressKey(names, Qt::Key_Return);
    QCOMPARE(f.platform.requestsOf("input").last().defaultText, QStringLiteral("Paris"));
    QCOMPARE(f.entries(3), (QStringList{"Paris", "Lyon, capitale des Gaules"}));
    QCOMPARE(f.entries(1), (QStringList{"40", "100"}));

    // Nothing selected: no prompt, nothing changed.
    names->clearSelection();
    names->setCurrentRow(-1);
    const int asked = int(f.platform.requestsOf("input").size());
    PressKey(names, Qt::Key_Return);
    QCOMPARE(int(f.platform.requestsOf("input").size()), asked);
    QCOMPARE(f.entries(3), (QStringList{"Paris", "Lyon, capitale des Gaules"}));
}

void TestPointEditor::deletingPoints()
{
    TooltipFixture f;
    f.validProject();
    f.clickPicture(10, 10, "Un");
    f.clickPicture(20, 20, "Deux");
    f.clickPicture(30, 30, "Trois");
    QListWidget* names = f.list(3);
    f.platform.clear();

    // No: nothing removed, the marks are still drawn.
    names->setCurrentRow(1);
    f.platform.queueMessage(IDNO);
    PressKey(names, Qt::Key_Delete);
    QCOMPARE(f.platform.messageTexts(), QStringList{QStringLiteral("Voulez-vous supprimer cet item ?")});
    QCOMPARE(f.platform.requests.last().flags, kConfirm);
    QCOMPARE(f.entries(3), (QStringList{"Un", "Deux", "Trois"}));
    QVERIFY(RingAround(Grab(f.f1("Picture1")), 20, 20, IsRed));

    // Yes on the second of three: the first and third stay, in order, in all three lists.
    f.platform.queueMessage(IDYES);
    PressKey(names, Qt::Key_Delete);
    QCOMPARE(f.entries(1), (QStringList{"10", "30"}));
    QCOMPARE(f.entries(2), (QStringList{"16", "36"}));
    QCOMPARE(f.entries(3), (QStringList{"Un", "Trois"}));
    const QImage shot = Grab(f.f1("Picture1"));
    QVERIFY(!IsRed(shot.pixel(25, 20)));
    QVERIFY(RingAround(shot, 30, 30, IsRed));

    // Nothing selected: no question, nothing removed.
    names->clearSelection();
    names->setCurrentRow(-1);
    f.platform.clear();
    PressKey(names, Qt::Key_Delete);
    QVERIFY(f.platform.messageTexts().isEmpty());
    QCOMPARE(f.entries(3), (QStringList{"Un", "Trois"}));
}

void TestPointEditor::everyKeyReloadsPicture()
{
    TooltipFixture f;
    f.validProject();
    f.clickPicture(10, 10, "Un");
    f.clickPicture(20, 20, "Deux");
    QVERIFY(IsPicture(Grab(f.f1("Picture1")).pixel(200, 200)));

    // The copy in img changes on disk; an arrow key in the list shows it again.
    const QString copy = f.inImg("carte.png");
    QVERIFY(WritePicture(copy, 400, 300, 0xEEEEEE));
    QFile file(copy);
    QVERIFY(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    file.close();
    f.list(3)->setCurrentRow(0);
    PressKey(f.list(3), Qt::Key_Down);
    const QImage shot = Grab(f.f1("Picture1"));
    QCOMPARE(shot.pixel(200, 200) & 0xFFFFFF, 0xEEEEEEu);
    QVERIFY(RingAround(shot, 10, 10, IsRed));
    QVERIFY(RingAround(shot, 20, 20, IsRed));
    QCOMPARE(f.list(3)->currentRow(), 1);
    QCOMPARE(f.entries(3), (QStringList{"Un", "Deux"}));

    // "Rafraîchir l'affichage" shows what the state holds.
    f.state().points.append({"70", "76", "Trois"});
    f.menu1("mnuRefresh")->trigger();
    QCOMPARE(f.entries(3), (QStringList{"Un", "Deux", "Trois"}));
    QVERIFY(RingAround(Grab(f.f1("Picture1")), 70, 70, IsRed));
}

void TestPointEditor::reinitAsksThenResets()
{
    TooltipFixture f;
    f.validProject();
    f.clickPicture(10, 10, "Un");
    f.platform.clear();

    f.platform.queueMessage(IDNO);
    f.menu1("mnuReinit")->trigger();
    QCOMPARE(f.entries(3), QStringList{"Un"});
    QCOMPARE(f.platform.messageTexts(), QStringList{msg::ResetQuestion});

    f.platform.clear();
    f.platform.queueMessage(IDYES);
    f.menu1("mnuReinit")->trigger();
    QCOMPARE(f.platform.messageTexts(), (QStringList{msg::ResetQuestion, msg::ResetDone}));
    QCOMPARE(f.platform.requests[0].flags, kConfirm);
    QCOMPARE(f.platform.requests[1].flags, kNotice);
    QVERIFY(f.entries(1).isEmpty());
    QVERIFY(f.entries(2).isEmpty());
    QVERIFY(f.entries(3).isEmpty());
    QVERIFY(!f.f1<PictureBox>("Picture1")->holdsPicture());
    QVERIFY(f.state().strFolderName.isEmpty());
}

void TestPointEditor::saveAndLoadThroughMenus()
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

    f.platform.queueMessage(IDYES);
    f.menu1("mnuReinit")->trigger();
    QVERIFY(f.entries(3).isEmpty());
    QVERIFY(f.f1("Label2")->isVisible() == f.state().hintVisible);

    f.platform.clear();
    f.platform.queueOpenFile(file);
    f.menu1("mnuLoad")->trigger();
    QCOMPARE(f.platform.requestsOf("open").last().title, QStringLiteral("Nom du fichier de paramètres pour ce projet"));
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

void TestPointEditor::parametersDisableEditorUntilClosed()
{
    TooltipFixture f;
    // Ctrl+P from the editor's keyboard.
    QTest::keyClick(f.form1(), Qt::Key_P, Qt::ControlModifier);
    if (!f.form2())
        f.openParameters();  // offscreen windows may not take shortcuts without focus
    QVERIFY(f.form2());
    QVERIFY(!f.form1()->isEnabled());
    // Refreshes reach the open parameters window too.
    f.state().strTitre = QStringLiteral("Nouveau");
    f.menu1("mnuRefresh")->trigger();
    QCOMPARE(f.f2<QLineEdit>("txtstrTitre")->text(), QStringLiteral("Nouveau"));
    f.form2()->close();
    TooltipFixture::settle();
    QVERIFY(f.form1()->isEnabled());
}

void TestPointEditor::quitEndsProgram()
{
    TooltipFixture f;
    f.openParameters();
    f.form1()->setEnabled(true);  // the menu of a disabled window cannot be reached
    f.menu1("mnuQuit")->trigger();
    TooltipFixture::settle();
    QVERIFY(!f.form2());
    QVERIFY(!f.form1());
    QCOMPARE(f.quitCalls, 1);
    QVERIFY(f.platform.messageTexts().isEmpty());
}

void TestPointEditor::closingReturnsToLauncher()
{
    TooltipFixture f;
    f.openParameters();
    f.form1()->close();
    TooltipFixture::settle();
    QVERIFY(!f.form1());
    QVERIFY(!f.form2());
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

void TestPointEditor::helpOpensDocumentWhenPresent()
{
    TooltipFixture f;
    QTemporaryDir programFolder;
    const QString help = JoinPath(programFolder.path(), "toravi.chm");
    QVERIFY(WriteBytes(help, "ITSF"));
    SetProgramFolder(programFolder.path());
    f.menu1("mnuAide")->trigger();
    QCOMPARE(f.platform.requestsOf("shell").size(), 1);
    QCOMPARE(f.platform.requestsOf("shell")[0].text, help);
    QVERIFY(f.form1()->isEnabled());
    QVERIFY(!f.ctx.windows.find("FAbout"));
}

void TestPointEditor::wholeTeacherRoad()
{
    TooltipFixture f;
    f.openParameters();
    f.chooseFolder();
    f.chooseReference(500, 400);
    auto* page = f.f2<QLineEdit>("txtPageWeb");
    page->clear();
    QTest::keyClicks(page, "fleuves.html");
    auto* affiche = f.f2<QLineEdit>("txtstrAffiche");
    affiche->clear();
    QTest::keyClicks(affiche, "Les fleuves");
    f.click2("cmdValider");
    TooltipFixture::settle();
    QVERIFY(!f.form2());

    f.clickPicture(120, 80, "La Seine");
    f.clickPicture(300, 250, "La Loire");
    f.platform.queueMessage(IDNO);
    f.menu1("mnuCreation")->trigger();
    const QString pagePath = JoinPath(f.folder(), "fleuves.htm");
    const QByteArray html = ReadBytes(pagePath);
    QVERIFY(html.contains("Les fleuves"));
    QVERIFY(html.contains("\"La Seine\",\"La Loire\","));
    QVERIFY(QFileInfo(f.inImg("carte.png")).isFile());
    QVERIFY(QFileInfo(f.inImg("ptrouge.gif")).isFile());

    const QString file = f.scratch.filePath("fleuves.txt");
    f.platform.queueSaveFile(file);
    f.menu1("mnuSave")->trigger();
    QCOMPARE(ReadTextLines(file).value(7), pagePath);
}

QTEST_MAIN(TestPointEditor)
#include "test_pointeditor.moc"
