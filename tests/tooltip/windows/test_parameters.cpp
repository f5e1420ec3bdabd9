// The parameters window Form2, driven through its named controls and menus.
#include "tooltipfixture.h"

#include "shared/colors.h"
#include "shared/textfile.h"

using namespace toravi;
using namespace toravi::test;

namespace {

const QStringList kFolderDependent = {
    "txtOrigImageFile", "txtOrigBackgroundImage", "txtImageFile",   "txtstrBackgroundImage", "txtPageWeb",
    "txtstrTitre",      "txtstrContent",          "txtstrAffiche",  "cmdOrigImageFile",      "cmdOrigBackgroundImage",
    "Command1",         "cmbBaloonSize",          "CheckBaloonBold", "CheckBaloonItalic",    "CheckBaloonUnderlined",
    "cmdFonBulle",      "Command2",               "CmbTitelSize",   "cmbTitelPlacement",     "CheckTitelBold",
    "CheckTitelItalic", "CheckTitelUnderline",    "cmdTitelColor"};

QColor Background(QWidget* w) { return w->palette().color(QPalette::Window); }
QColor Foreground(QWidget* w) { return w->palette().color(QPalette::WindowText); }

void ExpectEnabled(TooltipFixture& f, bool enabled)
{
    for (const QString& name : kFolderDependent) {
        QWidget* w = f.f2(name);
        QVERIFY2(w && w->isEnabled() == enabled, qPrintable(name));
    }
}

}  // namespace

class TestParameters : public QObject {
    Q_OBJECT

private slots:
    void folderEnablesTheControlsAndCancelEmptiesIt();
    void validationOrderAndMessages();
    void pageNameAndTitlesFromTypedText();
    void sizeMessage_data();
    void sizeMessage();
    void pictureDialogs();
    void lookControlsStoreAndShow();
    void refreshShowsLoadedLookWithoutLooping();
    void editorDisabledUntilClosed();
    void reinitSaveAndLoadFromParameters();
};

void TestParameters::folderEnablesTheControlsAndCancelEmptiesIt()
{
    TooltipFixture f;
    f.openParameters();
    QVERIFY(f.form2() && f.form2()->isVisible());
    QVERIFY(f.platform.requests.isEmpty());
    // Loaded with the refresh defaults; the description stays hidden.
    QCOMPARE(f.f2<QComboBox>("cmbBaloonSize")->currentText(), QStringLiteral("14"));
    QCOMPARE(f.f2<QComboBox>("cmbTitelPlacement")->currentText(), QStringLiteral("centré"));
    QCOMPARE(f.f2<QLineEdit>("txtPageWeb")->text(), QStringLiteral("exercice.htm"));
    QVERIFY(!f.f2("txtstrContent")->isVisible());
    ExpectEnabled(f, false);
    QVERIFY(f.f2("txtstrFolderName")->isEnabled() && f.f2("cmdstrFolderName")->isEnabled());
    QVERIFY(f.f2("cmdValider")->isEnabled());

    f.chooseFolder();
    ExpectEnabled(f, true);
    QVERIFY(QFileInfo(f.inImg("ptrouge.gif")).isFile());

    f.platform.queueFolder(QString());  // the browser cancelled
    f.click2("cmdstrFolderName");
    QVERIFY(f.state().strFolderName.isEmpty());
    QVERIFY(f.f2<QLineEdit>("txtstrFolderName")->text().isEmpty());
    ExpectEnabled(f, false);
}

void TestParameters::validationOrderAndMessages()
{
    TooltipFixture f;
    f.openParameters();
    auto validate = [&f](const QString& expected) {
        f.platform.clear();
        f.click2("cmdValider");
        QCOMPARE(f.platform.messageTexts(), QStringList{expected});
        QCOMPARE(f.platform.requests.last().flags, kRefusal);
        QVERIFY(f.form2() && f.form2()->isVisible());
        QVERIFY(!f.form1()->isEnabled());
    };
    validate(msg::ValNoFolder);
    f.chooseFolder();
    validate(msg::ValNoImage);
    f.chooseReference(300, 200);
    auto* page = f.f2<QLineEdit>("txtPageWeb");
    page->clear();
    validate(msg::ValNoPage);
    QTest::keyClicks(page, "lecon");
    auto* affiche = f.f2<QLineEdit>("txtstrAffiche");
    affiche->clear();
    validate(msg::ValNoTitle);
    QTest::keyClicks(affiche, "Les fleuves de France");
    // A folder typed by hand must exist, and is not made.
    auto* folderBox = f.f2<QLineEdit>("txtstrFolderName");
    QTest::keyClicks(folderBox, "-absent");
    validate(QStringLiteral("Le dossier de travail %1-absent n'existe pas.").arg(f.folder()));
    QVERIFY(!QFileInfo(f.folder() + "-absent").exists());

    folderBox->setText(f.folder());
    f.platform.clear();
    f.menu2("mnuValider")->trigger();  // the menu validates like the button
    TooltipFixture::settle();
    QVERIFY(f.platform.messageTexts().isEmpty());
    QVERIFY(!f.form2());
    QVERIFY(f.form1()->isEnabled());
    const TooltipState& s = f.state();
    QCOMPARE(s.strFolderName, f.folder());
    QCOMPARE(s.strPageWeb, JoinPath(f.folder(), "lecon.htm"));
    QCOMPARE(s.strAffiche, QStringLiteral("Les fleuves de France"));
    QCOMPARE(s.strLargeur, QStringLiteral("300"));
    QCOMPARE(s.strHauteur, QStringLiteral("200"));
    // The point editor shows the picture, without its hint.
    QVERIFY(!f.f1("Label2")->isVisible());
    QVERIFY(f.f1<PictureBox>("Picture1")->holdsPicture());
}

void TestParameters::pageNameAndTitlesFromTypedText()
{
    TooltipFixture f;
    f.openParameters();
    f.chooseFolder();
    auto* page = f.f2<QLineEdit>("txtPageWeb");
    auto* titre = f.f2<QLineEdit>("txtstrTitre");
    auto* affiche = f.f2<QLineEdit>("txtstrAffiche");
    const QString expected = JoinPath(f.folder(), "lecon.htm");
    page->clear();
    QTest::keyClicks(page, "lecon.html");
    QCOMPARE(f.state().strPageWeb, expected);
    QCOMPARE(f.f2<QLabel>("lblPageWebPath")->text(), expected);
    titre->clear();
    QTest::keyClicks(titre, "Histoire");
    affiche->clear();
    QTest::keyClicks(affiche, "Les fleuves");
    QCOMPARE(f.state().strTitre, QStringLiteral("Histoire"));
    QCOMPARE(f.state().strAffiche, QStringLiteral("Les fleuves"));

    // Another choice refreshes every control: the page gets its real name, typed titles stay.
    f.click2("CheckBaloonBold");
    QCOMPARE(page->text(), QStringLiteral("lecon.htm"));
    QCOMPARE(f.state().strPageWeb, expected);
    QCOMPARE(titre->text(), QStringLiteral("Histoire"));
    QCOMPARE(affiche->text(), QStringLiteral("Les fleuves"));
}

void TestParameters::sizeMessage_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("side");  // the side the message names
    QTest::newRow("733 passes") << 733 << 733 << QString();
    QTest::newRow("734 wide") << 734 << 100 << QStringLiteral("largeur");
    QTest::newRow("800 high") << 500 << 800 << QStringLiteral("hauteur");
    QTest::newRow("both: the height") << 900 << 900 << QStringLiteral("hauteur");
}

void TestParameters::sizeMessage()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, side);
    TooltipFixture f;
    f.openParameters();
    f.chooseFolder();
    f.platform.clear();
    f.chooseReference(width, height);
    QCOMPARE(f.platform.requestsOf("open").value(0).initialFolder, ProgramFolder());

    const auto messages = f.platform.requestsOf("message");
    QCOMPARE(messages.size(), side.isEmpty() ? 0 : 1);
    if (!side.isEmpty()) {
        QCOMPARE(messages[0].flags, kNotice);
        QVERIFY(messages[0].text.startsWith(
            QStringLiteral("La %1 de l'image sélectionnée est\rsupérieure à la largeur du cadre\r\r").arg(side)));
        QVERIFY(messages[0].text.endsWith(
            QStringLiteral("Vous ne pourrez pas sélectionner\rcertaines parties de l'image.")));
    }
    // The picture stays chosen all the same, and the point editor shows it at once.
    QCOMPARE(f.f2<QLabel>("lblValLargeur")->text(), QString::number(width));
    QCOMPARE(f.f2<QLabel>("lblValHauteur")->text(), QString::number(height));
    QCOMPARE(f.f2<QLabel>("lbltxtOrigImageFile")->text(), f.source("carte.png"));
    QCOMPARE(f.f2<QLabel>("lbltxtImageFile")->text(), QStringLiteral("carte.png"));
    QVERIFY(QFileInfo(f.inImg("carte.png")).isFile());
    QVERIFY(f.f1<PictureBox>("Picture1")->holdsPicture());
}

void TestParameters::pictureDialogs()
{
    TooltipFixture f;
    f.openParameters();
    f.chooseFolder();
    f.chooseReference(200, 100);
    f.platform.clear();
    f.platform.queueOpenFile(QString());
    f.click2("cmdOrigImageFile");
    QCOMPARE(f.state().strOrigImageFile, f.source("carte.png"));
    QCOMPARE(f.state().strLargeur, QStringLiteral("200"));

    // A picture that cannot be read is chosen all the same, with size 0 and no message.
    WriteBytes(f.source("abime.png"), QByteArray("\x89PNG\r\n", 6));
    f.platform.queueOpenFile(f.source("abime.png"));
    f.click2("cmdOrigImageFile");
    QCOMPARE(f.state().strImageFile, QStringLiteral("abime.png"));
    QCOMPARE(f.f2<QLabel>("lblValLargeur")->text(), QStringLiteral("0"));
    QVERIFY(f.platform.messageTexts().isEmpty());
    QVERIFY(!f.f1<PictureBox>("Picture1")->holdsPicture());

    // The background picture's dialog starts elsewhere.
    WritePicture(f.source("fond.jpg"), 40, 40);
    f.platform.clear();
    f.platform.queueOpenFile(f.source("fond.jpg"));
    f.click2("cmdOrigBackgroundImage");
    QCOMPARE(f.platform.requestsOf("open").last().initialFolder, DriveRootFolder());
    QCOMPARE(f.state().strBackgroundImage, QStringLiteral("fond.jpg"));
    QCOMPARE(f.f2<QLabel>("lbltxtBackgroundImage")->text(), QStringLiteral("fond.jpg"));
    QCOMPARE(f.f2<QLabel>("lbltxtOrigBackgroundImage")->text(), f.source("fond.jpg"));
    QVERIFY(QFileInfo(f.inImg("fond.jpg")).isFile());

    // "Fond uniforme" drops the picture even when the colour dialog is cancelled.
    f.platform.queueColor(std::nullopt);
    f.click2("Command1");
    QVERIFY(f.state().strOrigBackgroundImage.isEmpty());
    QVERIFY(f.state().strBackgroundImage.isEmpty());
    QCOMPARE(f.state().strBackgroundColor, QStringLiteral("FFE2B2"));
    QCOMPARE(f.platform.requestsOf("color").last().color, DecodeWebColor("FFE2B2"));
    QVERIFY(f.f2<QLabel>("lbltxtBackgroundImage")->text().isEmpty());
    QCOMPARE(Background(f.f2("PictureFond")), QColor(0xFF, 0xE2, 0xB2));

    f.platform.queueColor(DecodeWebColor("102030"));
    f.click2("Command1");
    QCOMPARE(f.state().strBackgroundColor, QStringLiteral("102030"));
    QCOMPARE(Background(f.f2("PictureFond")), QColor(0x10, 0x20, 0x30));
}

void TestParameters::lookControlsStoreAndShow()
{
    TooltipFixture f;
    f.openParameters();
    f.chooseFolder();
    TooltipState& s = f.state();
    auto* example = f.f2<QLabel>("lblExemple");
    auto* titleExample = f.f2<QLabel>("lblTitelExemple");
    const qreal titleSize = titleExample->font().pointSizeF();

    for (const char* box : {"CheckBaloonBold", "CheckBaloonItalic", "CheckBaloonUnderlined", "CheckTitelBold",
                            "CheckTitelItalic", "CheckTitelUnderline"})
        f.click2(box);
    QCOMPARE(s.strBaloonBold, QStringLiteral("font-weight:bold;"));
    QCOMPARE(s.strBaloonItalic, QStringLiteral("font-style:italic;"));
    QCOMPARE(s.strBaloonUnderlined, QStringLiteral("text-decoration:underline;"));
    QCOMPARE(s.strTitelBold, QStringLiteral("bold"));
    QCOMPARE(s.strTitelItalic, QStringLiteral("italic"));
    QCOMPARE(s.strTitelUnderline, QStringLiteral("underlined"));
    QVERIFY(example->font().bold() && example->font().italic() && example->font().underline());
    QVERIFY(titleExample->font().bold() && titleExample->font().italic() && titleExample->font().underline());
    f.click2("CheckBaloonItalic");
    QVERIFY(s.strBaloonItalic.isEmpty());
    QVERIFY(!example->font().italic());
    QVERIFY(!f.f2<QCheckBox>("CheckBaloonItalic")->isChecked());

    auto choose = [&f](const char* name, const QString& text) {
        auto* box = f.f2<QComboBox>(name);
        box->setCurrentIndex(box->findText(text));
        emit box->activated(box->currentIndex());
    };
    choose("cmbBaloonSize", "16");
    choose("CmbTitelSize", "6");
    choose("cmbTitelPlacement", "droite");
    QCOMPARE(s.strBaloonSize, QStringLiteral("16"));
    QCOMPARE(s.strTitelSize, QStringLiteral("6"));
    QCOMPARE(s.strTitelPlacement, QStringLiteral("right"));
    choose("cmbTitelPlacement", "gauche");
    QCOMPARE(s.strTitelPlacement, QStringLiteral("left"));
    QCOMPARE(titleExample->font().pointSizeF(), titleSize);  // examples keep their own size

    // Each colour dialog opens on the setting's colour.
    const QList<std::pair<const char*, const char*>> colours{
        {"Command2", "0000FF"}, {"cmdFonBulle", "FFFFCC"}, {"cmdTitelColor", "008000"}};
    for (const auto& [button, colour] : colours) {
        f.platform.queueColor(DecodeWebColor(colour));
        f.click2(button);
    }
    QCOMPARE(s.strBaloonColor, QStringLiteral("0000FF"));
    QCOMPARE(s.strBaloonBackColor, QStringLiteral("FFFFCC"));
    QCOMPARE(s.strTitelColor, QStringLiteral("008000"));
    const auto asked = f.platform.requestsOf("color");
    QCOMPARE(asked.size(), 3);
    QCOMPARE(asked[0].color, DecodeWebColor("800000"));
    QCOMPARE(asked[1].color, DecodeWebColor("D9EBD1"));
    QCOMPARE(asked[2].color, DecodeWebColor("FFFF00"));
    QCOMPARE(Foreground(example), QColor(0, 0, 0xFF));
    QCOMPARE(Background(example), QColor(0xFF, 0xFF, 0xCC));
    QCOMPARE(Background(f.f2("PictureBaloon")), QColor(0xFF, 0xFF, 0xCC));
    QCOMPARE(Foreground(titleExample), QColor(0, 0x80, 0));
}

void TestParameters::refreshShowsLoadedLookWithoutLooping()
{
    TooltipFixture f;
    f.openParameters();
    TooltipState& s = f.state();
    s.strFolderName = f.folder();
    s.strBaloonBold = QStringLiteral("font-weight:bold;");
    s.strTitelUnderline = QStringLiteral("underlined");
    s.strTitelPlacement = QStringLiteral("milieu");  // not a placement word
    s.strBaloonSize = QStringLiteral("13");          // not offered by the list
    s.strTitre.clear();
    int refreshes = 0;
    QObject::connect(&f.ctx.tooltip, &TooltipModule::refreshRequested, [&refreshes] { ++refreshes; });
    emit f.ctx.tooltip.refreshRequested();
    QCOMPARE(refreshes, 1);
    QVERIFY(f.f2<QCheckBox>("CheckBaloonBold")->isChecked());
    QVERIFY(f.f2<QCheckBox>("CheckTitelUnderline")->isChecked());
    QVERIFY(!f.f2<QCheckBox>("CheckTitelBold")->isChecked());
    QVERIFY(f.f2<QComboBox>("cmbTitelPlacement")->currentText().isEmpty());
    QVERIFY(f.f2<QComboBox>("cmbBaloonSize")->currentText().isEmpty());
    // The state keeps what it had; an empty title gets its default.
    QCOMPARE(s.strTitelPlacement, QStringLiteral("milieu"));
    QCOMPARE(s.strBaloonSize, QStringLiteral("13"));
    QCOMPARE(f.f2<QLineEdit>("txtstrTitre")->text(), QStringLiteral("exercice"));
    QCOMPARE(f.f2<QLabel>("lblPageWebPath")->text(), JoinPath(f.folder(), "exercice.htm"));
    QVERIFY(f.f2("cmdOrigImageFile")->isEnabled());
}

void TestParameters::editorDisabledUntilClosed()
{
    TooltipFixture f;
    QVERIFY(f.form1()->isEnabled());
    f.openParameters();
    QVERIFY(!f.form1()->isEnabled());
    f.chooseFolder();
    // The editor's refresh reaches the open parameters window.
    f.state().strTitre = QStringLiteral("Nouveau");
    f.menu1("mnuRefresh")->trigger();
    QCOMPARE(f.f2<QLineEdit>("txtstrTitre")->text(), QStringLiteral("Nouveau"));
    QTest::keyClicks(f.f2<QLineEdit>("txtstrTitre"), " bis");
    f.menu2("mnuQuit")->trigger();
    TooltipFixture::settle();
    QVERIFY(!f.form2());
    QVERIFY(f.form1()->isVisible() && f.form1()->isEnabled());
    QCOMPARE(f.quitCalls, 0);
    QVERIFY(f.platform.messageTexts().isEmpty());
    QCOMPARE(f.state().strTitre, QStringLiteral("Nouveau bis"));

    // The window's own close button does the same; opening it again shows the state kept.
    f.openParameters();
    QVERIFY(!f.form1()->isEnabled());
    f.form2()->close();
    TooltipFixture::settle();
    QVERIFY(!f.form2());
    QVERIFY(f.form1()->isEnabled());
    f.openParameters();
    QCOMPARE(f.f2<QLineEdit>("txtstrTitre")->text(), QStringLiteral("Nouveau bis"));
}

void TestParameters::reinitSaveAndLoadFromParameters()
{
    TooltipFixture f;
    f.openParameters();
    f.chooseFolder();
    f.chooseReference(120, 80);
    f.click2("CheckTitelItalic");
    const QString file = f.scratch.filePath("projet.txt");
    f.platform.queueSaveFile(file);
    f.menu2("mnuSave")->trigger();
    const QStringList lines = ReadTextLines(file);
    QCOMPARE(lines.size(), 31);
    QCOMPARE(lines[4], f.source("carte.png"));
    QCOMPARE(lines[29], QStringLiteral("italic"));

    // Reinit refreshes the window, which stays open.
    f.platform.queueMessage(IDYES);
    f.menu2("mnuReinit")->trigger();
    QVERIFY(f.state().strFolderName.isEmpty());
    QVERIFY(f.form2());
    QVERIFY(!f.f2<QCheckBox>("CheckTitelItalic")->isChecked());
    QVERIFY(f.f2<QLineEdit>("txtstrFolderName")->text().isEmpty());
    QVERIFY(!f.f2("cmdOrigImageFile")->isEnabled());
    QVERIFY(!f.f1<PictureBox>("Picture1")->holdsPicture());

    f.platform.queueOpenFile(file);
    f.menu2("mnuLoad")->trigger();
    QVERIFY(f.f2<QCheckBox>("CheckTitelItalic")->isChecked());
    QCOMPARE(f.f2<QLineEdit>("txtstrFolderName")->text(), f.folder());
    QCOMPARE(f.f2<QLabel>("lbltxtImageFile")->text(), QStringLiteral("carte.png"));
    QCOMPARE(f.f2<QLabel>("lblValLargeur")->text(), QStringLiteral("120"));
    QVERIFY(f.f2("cmdOrigImageFile")->isEnabled());
    QVERIFY(f.f1<PictureBox>("Picture1")->holdsPicture());
}

QTEST_MAIN(TestParameters)
#include "test_parameters.moc"
