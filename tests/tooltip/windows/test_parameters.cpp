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

const QString kWidthWarning = QStringLiteral(
    "La largeur de l'image sélectionnée est\rsupérieure à la largeur du cadre\r\r"
    "La taille de l'image sélectionnée dépasse\rla taille du cadre d'image du logiciel\r"
    "Vous ne pourrez pas sélectionner\rcertaines parties de l'image.");

QColor Background(QWidget* w) { return w->palette().color(QPalette::Window); }
QColor Foreground(QWidget* w) { return w->palette().color(QPalette::WindowText); }

}  // namespace

class TestParameters : public QObject {
    Q_OBJECT

private slots:
    void opensOverDisabledEditor();
    void withoutFolderOnlyFolderControls();
    void validationOrderAndMessages();
    void cancelledFolderEmptiesIt();
    void pageNameFromTypedText();
    void sizeMessage_data();
    void sizeMessage();
    void cancelledPictureDialogChangesNothing();
    void backgroundPictureAndPlainBackground();
    void lookControlsStoreAndShow();
    void refreshShowsLoadedLookWithoutLooping();
    void typedTitlesSurviveOtherChoices();
    void quitAndCloseGiveEditorBack();
    void reinitFromParameters();
    void saveAndLoadFromParameters();
};

void TestParameters::opensOverDisabledEditor()
{
    TooltipFixture f;
    QVERIFY(f.form1()->isEnabled());
    f.openParameters();
    QVERIFY(f.form2());
    QVERIFY(f.form2()->isVisible());
    QVERIFY(!f.form1()->isEnabled());
    QCOMPARE(f.form2()->windowTitle(), QStringLiteral("Toravi - Générateur de page Web interactive - Paramètres"));
    // Loaded with its lists and the refresh defaults.
    auto* sizes = f.f2<QComboBox>("cmbBaloonSize");
    QCOMPARE(sizes->count(), 4);
    QCOMPARE(sizes->itemText(0), QStringLiteral("10"));
    QCOMPARE(sizes->currentText(), QStringLiteral("14"));
    QCOMPARE(f.f2<QComboBox>("CmbTitelSize")->currentText(), QStringLiteral("4"));
    QCOMPARE(f.f2<QComboBox>("cmbTitelPlacement")->currentText(), QStringLiteral("centré"));
    QCOMPARE(f.f2<QLineEdit>("txtPageWeb")->text(), QStringLiteral("exercice.htm"));
    QCOMPARE(f.f2<QLineEdit>("txtstrTitre")->text(), QStringLiteral("exercice"));
    QCOMPARE(f.f2<QLineEdit>("txtstrAffiche")->text(), QStringLiteral("Exercice"));
    QCOMPARE(f.f2<QLineEdit>("txtstrContent")->text(), QStringLiteral("Page Web interactive"));
    QVERIFY(!f.f2("txtstrContent")->isVisible());
    QVERIFY(!f.f2("lblstrContent")->isVisible());
    // Opening it asks nothing.
    QCOMPARE(f.platform.requests.size(), 0);
}

void TestParameters::withoutFolderOnlyFolderControls()
{
    TooltipFixture f;
    f.openParameters();
    for (const QString& name : kFolderDependent) {
        QWidget* w = f.f2(name);
        QVERIFY2(w, qPrintable(name));
        QVERIFY2(!w->isEnabled(), qPrintable(name));
    }
    QVERIFY(f.f2("txtstrFolderName")->isEnabled());
    QVERIFY(f.f2("cmdstrFolderName")->isEnabled());
    QVERIFY(f.f2("cmdValider")->isEnabled());

    f.click2("cmdValider");
    QCOMPARE(f.platform.messageTexts(), QStringList{msg::ValNoFolder});
    QCOMPARE(f.platform.requests.last().flags, kRefusal);
    QCOMPARE(f.platform.requests.last().title, QStringLiteral("Toravi"));
    QVERIFY(f.form2() && f.form2()->isVisible());
    QVERIFY(!f.form1()->isEnabled());

    f.chooseFolder();
    for (const QString& name : kFolderDependent)
        QVERIFY2(f.f2(name)->isEnabled(), qPrintable(name));
    QVERIFY(QFileInfo(f.inImg("ptrouge.gif")).isFile());
}

void TestParameters::validationOrderAndMessages()
{
    TooltipFixture f;
    f.openParameters();
    f.chooseFolder();
    f.platform.clear();

    f.click2("cmdValider");
    QCOMPARE(f.platform.messageTexts(), QStringList{msg::ValNoImage});

    f.chooseReference(300, 200);
    auto* page = f.f2<QLineEdit>("txtPageWeb");
    page->clear();
    f.platform.clear();
    f.click2("cmdValider");
    QCOMPARE(f.platform.messageTexts(), QStringList{msg::ValNoPage});

    QTest::keyClicks(page, "lecon");
    auto* affiche = f.f2<QLineEdit>("txtstrAffiche");
    affiche->clear();
    f.platform.clear();
    f.click2("cmdValider");
    QCOMPARE(f.platform.messageTexts(), QStringList{msg::ValNoTitle});
    QVERIFY(f.form2());

    QTest::keyClicks(affiche, "Les fleuves de France");
    // A folder typed by hand must exist.
    auto* folderBox = f.f2<QLineEdit>("txtstrFolderName");
    QTest::keyClicks(folderBox, "-absent");
    f.platform.clear();
    f.click2("cmdValider");
    QCOMPARE(f.platform.messageTexts(),
             QStringList{QStringLiteral("Le dossier de travail %1-absent n'existe pas.").arg(f.folder())});
    QVERIFY(!QFileInfo(f.folder() + "-absent").exists());
    folderBox->setText(f.folder());
    f.platform.clear();
    // The menu entry validates like the button.
    f.menu2("mnuValider")->trigger();
    TooltipFixture::settle();
    QVERIFY(f.platform.messageTexts().isEmpty());
    QVERIFY(!f.form2());
    QVERIFY(f.form1()->isEnabled());

    const TooltipState& s = f.state();
    QCOMPARE(s.strFolderName, f.folder());
    QCOMPARE(s.strOrigImageFile, f.source("carte.png"));
    QCOMPARE(s.strImageFile, QStringLiteral("carte.png"));
    QCOMPARE(s.strPageWeb, JoinPath(f.folder(), "lecon.htm"));
    QCOMPARE(s.strAffiche, QStringLiteral("Les fleuves de France"));
    QCOMPARE(s.strLargeur, QStringLiteral("300"));
    QCOMPARE(s.strHauteur, QStringLiteral("200"));
    QVERIFY(QFileInfo(f.inImg("carte.png")).isFile());
    // The point editor shows the picture, without its hint.
    QVERIFY(!f.f1("Label2")->isVisible());
    QVERIFY(f.f1<PictureBox>("Picture1")->holdsPicture());
}

void TestParameters::cancelledFolderEmptiesIt()
{
    TooltipFixture f;
    f.openParameters();
    f.chooseFolder();
    QCOMPARE(f.f2<QLineEdit>("txtstrFolderName")->text(), f.folder());
    f.platform.queueFolder(QString());  // the browser cancelled
    f.click2("cmdstrFolderName");
    QCOMPARE(f.platform.requestsOf("folder").last().text,
             QStringLiteral("Dans quel dossier voulez-vous créer votre page Web?"));
    QVERIFY(f.state().strFolderName.isEmpty());
    QVERIFY(f.f2<QLineEdit>("txtstrFolderName")->text().isEmpty());
    for (const QString& name : kFolderDependent)
        QVERIFY2(!f.f2(name)->isEnabled(), qPrintable(name));
}

void TestParameters::pageNameFromTypedText()
{
    TooltipFixture f;
    f.openParameters();
    f.chooseFolder();
    auto* page = f.f2<QLineEdit>("txtPageWeb");
    auto* path = f.f2<QLabel>("lblPageWebPath");
    const QString expected = JoinPath(f.folder(), "lecon.htm");

    page->clear();
    QTest::keyClicks(page, "lecon.html");
    QCOMPARE(f.state().strPageWeb, expected);
    QCOMPARE(path->text(), expected);

    page->clear();
    QTest::keyClicks(page, "lecon");
    QCOMPARE(f.state().strPageWeb, expected);
    QCOMPARE(path->text(), expected);

    // The next refresh shows the name the page will really get.
    page->clear();
    QTest::keyClicks(page, "lecon.html");
    f.click2("CheckBaloonBold");
    QCOMPARE(page->text(), QStringLiteral("lecon.htm"));
    QCOMPARE(f.state().strPageWeb, expected);
}

void TestParameters::sizeMessage_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("first");
    QTest::newRow("733 passes") << 733 << 733 << QString();
    QTest::newRow("734 wide") << 734 << 100 << QStringLiteral("La largeur");
    QTest::newRow("800 wide") << 800 << 600 << QStringLiteral("La largeur");
    QTest::newRow("800 high") << 500 << 800 << QStringLiteral("La hauteur");
    QTest::newRow("both: the height") << 900 << 900 << QStringLiteral("La hauteur");
}

void TestParameters::sizeMessage()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, first);
    TooltipFixture f;
    f.openParameters();
    f.chooseFolder();
    f.platform.clear();
    f.chooseReference(width, height);

    const auto open = f.platform.requestsOf("open");
    QCOMPARE(open.size(), 1);
    QCOMPARE(open[0].title, QStringLiteral("Sélectionnez l'image sur laquelle vous voulez travailler (obligatoire)"));
    QCOMPARE(open[0].filter, QStringLiteral("Fichiers gif (*.gif)|*.gif|Fichiers jpeg (*.jpg)|*.jpg|"
                                            "Fichiers png (*.png)|*.png|Tous (*.*)|*.*"));
    QCOMPARE(open[0].defaultExt, QStringLiteral("gif"));
    QCOMPARE(open[0].initialFolder, ProgramFolder());

    const auto messages = f.platform.requestsOf("message");
    if (first.isEmpty()) {
        QCOMPARE(messages.size(), 0);
    } else {
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].flags, kNotice);
        QVERIFY(messages[0].text.startsWith(first));
        if (first == QStringLiteral("La largeur"))
            QCOMPARE(messages[0].text, kWidthWarning);
        else
            QVERIFY(messages[0].text.startsWith(
                QStringLiteral("La hauteur de l'image sélectionnée est\rsupérieure à la largeur du cadre\r\r")));
    }
    // The picture stays chosen all the same.
    QCOMPARE(f.state().strImageFile, QStringLiteral("carte.png"));
    QCOMPARE(f.f2<QLabel>("lblValLargeur")->text(), QString::number(width));
    QCOMPARE(f.f2<QLabel>("lblValHauteur")->text(), QString::number(height));
    QCOMPARE(f.f2<QLabel>("lbltxtOrigImageFile")->text(), f.source("carte.png"));
    QCOMPARE(f.f2<QLabel>("lbltxtImageFile")->text(), QStringLiteral("carte.png"));
    QVERIFY(QFileInfo(f.inImg("carte.png")).isFile());
    // The point editor shows it at once.
    QVERIFY(f.f1<PictureBox>("Picture1")->holdsPicture());
}

void TestParameters::cancelledPictureDialogChangesNothing()
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
    QVERIFY(f.platform.messageTexts().isEmpty());

    // A picture that cannot be read is chosen all the same, with size 0 and no message.
    WriteBytes(f.source("abime.png"), QByteArray("\x89PNG\r\n", 6));
    f.platform.queueOpenFile(f.source("abime.png"));
    f.click2("cmdOrigImageFile");
    QCOMPARE(f.state().strImageFile, QStringLiteral("abime.png"));
    QCOMPARE(f.f2<QLabel>("lblValLargeur")->text(), QStringLiteral("0"));
    QVERIFY(f.platform.messageTexts().isEmpty());
    QVERIFY(!f.f1<PictureBox>("Picture1")->holdsPicture());
}

void TestParameters::backgroundPictureAndPlainBackground()
{
    TooltipFixture f;
    f.openParameters();
    f.chooseFolder();
    WritePicture(f.source("fond.jpg"), 40, 40);
    f.platform.clear();
    f.platform.queueOpenFile(f.source("fond.jpg"));
    f.click2("cmdOrigBackgroundImage");
    const auto open = f.platform.requestsOf("open");
    QCOMPARE(open.size(), 1);
    QCOMPARE(open[0].title,
             QStringLiteral("Sélectionnez une image pour l'arrière-plan de votre page Web (facultatif)"));
    QCOMPARE(open[0].filter, QStringLiteral("Fichiers gif (*.gif)|*.gif|Fichiers jpeg (*.jpg)|*.jpg|Tous (*.*)|*.*"));
    QCOMPARE(open[0].initialFolder, DriveRootFolder());
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

    f.click2("CheckBaloonBold");
    f.click2("CheckBaloonItalic");
    f.click2("CheckBaloonUnderlined");
    QCOMPARE(s.strBaloonBold, QStringLiteral("font-weight:bold;"));
    QCOMPARE(s.strBaloonItalic, QStringLiteral("font-style:italic;"));
    QCOMPARE(s.strBaloonUnderlined, QStringLiteral("text-decoration:underline;"));
    QVERIFY(example->font().bold() && example->font().italic() && example->font().underline());
    f.click2("CheckBaloonItalic");
    QVERIFY(s.strBaloonItalic.isEmpty());
    QVERIFY(!example->font().italic());
    QVERIFY(!f.f2<QCheckBox>("CheckBaloonItalic")->isChecked());

    f.click2("CheckTitelBold");
    f.click2("CheckTitelItalic");
    f.click2("CheckTitelUnderline");
    QCOMPARE(s.strTitelBold, QStringLiteral("bold"));
    QCOMPARE(s.strTitelItalic, QStringLiteral("italic"));
    QCOMPARE(s.strTitelUnderline, QStringLiteral("underlined"));
    QVERIFY(titleExample->font().bold() && titleExample->font().italic() && titleExample->font().underline());
    // The example labels keep their own size whatever the size settings.
    const qreal exampleSize = titleExample->font().pointSizeF();

    auto choose = [](QComboBox* box, const QString& text) {
        box->setCurrentIndex(box->findText(text));
        emit box->activated(box->currentIndex());
    };
    choose(f.f2<QComboBox>("cmbBaloonSize"), "16");
    choose(f.f2<QComboBox>("CmbTitelSize"), "6");
    choose(f.f2<QComboBox>("cmbTitelPlacement"), "droite");
    QCOMPARE(s.strBaloonSize, QStringLiteral("16"));
    QCOMPARE(s.strTitelSize, QStringLiteral("6"));
    QCOMPARE(s.strTitelPlacement, QStringLiteral("right"));
    choose(f.f2<QComboBox>("cmbTitelPlacement"), "gauche");
    QCOMPARE(s.strTitelPlacement, QStringLiteral("left"));
    QCOMPARE(titleExample->font().pointSizeF(), exampleSize);

    f.platform.queueColor(DecodeWebColor("0000FF"));
    f.click2("Command2");
    f.platform.queueColor(DecodeWebColor("FFFFCC"));
    f.click2("cmdFonBulle");
    f.platform.queueColor(DecodeWebColor("008000"));
    f.click2("cmdTitelColor");
    QCOMPARE(s.strBaloonColor, QStringLiteral("0000FF"));
    QCOMPARE(s.strBaloonBackColor, QStringLiteral("FFFFCC"));
    QCOMPARE(s.strTitelColor, QStringLiteral("008000"));
    QCOMPARE(Foreground(example), QColor(0, 0, 0xFF));
    QCOMPARE(Background(example), QColor(0xFF, 0xFF, 0xCC));
    QCOMPARE(Background(f.f2("PictureBaloon")), QColor(0xFF, 0xFF, 0xCC));
    QCOMPARE(Foreground(titleExample), QColor(0, 0x80, 0));
    // Each colour dialog opened on the setting's colour.
    const auto colours = f.platform.requestsOf("color");
    QCOMPARE(colours.size(), 3);
    QCOMPARE(colours[0].color, DecodeWebColor("800000"));
    QCOMPARE(colours[1].color, DecodeWebColor("D9EBD1"));
    QCOMPARE(colours[2].color, DecodeWebColor("FFFF00"));
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
    QCOMPARE(s.strTitre, QStringLiteral("exercice"));
    QCOMPARE(f.f2<QLineEdit>("txtstrTitre")->text(), QStringLiteral("exercice"));
    QCOMPARE(s.strPageWeb, JoinPath(f.folder(), "exercice.htm"));
    QCOMPARE(f.f2<QLabel>("lblPageWebPath")->text(), JoinPath(f.folder(), "exercice.htm"));
    QVERIFY(f.f2("cmdOrigImageFile")->isEnabled());
}

void TestParameters::typedTitlesSurviveOtherChoices()
{
    TooltipFixture f;
    f.openParameters();
    f.chooseFolder();
    auto* titre = f.f2<QLineEdit>("txtstrTitre");
    auto* affiche = f.f2<QLineEdit>("txtstrAffiche");
    titre->clear();
    QTest::keyClicks(titre, "Histoire");
    affiche->clear();
    QTest::keyClicks(affiche, "Les fleuves");
    QCOMPARE(f.state().strTitre, QStringLiteral("Histoire"));
    f.click2("CheckTitelBold");  // refreshes every control
    QCOMPARE(titre->text(), QStringLiteral("Histoire"));
    QCOMPARE(affiche->text(), QStringLiteral("Les fleuves"));
    QCOMPARE(f.state().strAffiche, QStringLiteral("Les fleuves"));
}

void TestParameters::quitAndCloseGiveEditorBack()
{
    TooltipFixture f;
    f.openParameters();
    f.chooseFolder();
    QTest::keyClicks(f.f2<QLineEdit>("txtstrTitre"), " bis");
    f.menu2("mnuQuit")->trigger();
    TooltipFixture::settle();
    QVERIFY(!f.form2());
    QVERIFY(f.form1() && f.form1()->isVisible());
    QVERIFY(f.form1()->isEnabled());
    QCOMPARE(f.quitCalls, 0);
    QVERIFY(f.platform.messageTexts().isEmpty());
    QCOMPARE(f.state().strTitre, QStringLiteral("exercice bis"));

    // The window's own close button does the same.
    f.openParameters();
    QVERIFY(!f.form1()->isEnabled());
    f.form2()->close();
    TooltipFixture::settle();
    QVERIFY(!f.form2());
    QVERIFY(f.form1()->isEnabled());

    // Opening it again shows the state kept meanwhile.
    f.openParameters();
    QCOMPARE(f.f2<QLineEdit>("txtstrTitre")->text(), QStringLiteral("exercice bis"));
    QCOMPARE(f.f2<QLineEdit>("txtstrFolderName")->text(), f.folder());
}

void TestParameters::reinitFromParameters()
{
    TooltipFixture f;
    f.openParameters();
    f.chooseFolder();
    f.click2("CheckBaloonBold");
    f.platform.clear();

    f.platform.queueMessage(IDNO);
    f.menu2("mnuReinit")->trigger();
    QCOMPARE(f.platform.messageTexts(), QStringList{msg::ResetQuestion});
    QCOMPARE(f.platform.requests[0].flags, kConfirm);
    QCOMPARE(f.state().strFolderName, f.folder());

    f.platform.clear();
    f.platform.queueMessage(IDYES);
    f.menu2("mnuReinit")->trigger();
    QCOMPARE(f.platform.messageTexts(), (QStringList{msg::ResetQuestion, msg::ResetDone}));
    QCOMPARE(f.platform.requests[1].flags, kNotice);
    QVERIFY(f.state().strFolderName.isEmpty());
    QVERIFY(f.state().strBaloonBold.isEmpty());
    QVERIFY(!f.f2<QCheckBox>("CheckBaloonBold")->isChecked());
    QVERIFY(f.f2<QLineEdit>("txtstrFolderName")->text().isEmpty());
    QVERIFY(!f.f2("cmdOrigImageFile")->isEnabled());
    QVERIFY(f.form2());  // the window stays open
}

void TestParameters::saveAndLoadFromParameters()
{
    TooltipFixture f;
    f.openParameters();
    f.chooseFolder();
    f.chooseReference(120, 80);
    f.click2("CheckTitelItalic");
    const QString file = f.scratch.filePath("projet.txt");
    f.platform.clear();
    f.platform.queueSaveFile(file);
    f.menu2("mnuSave")->trigger();
    const QStringList lines = ReadTextLines(file);
    QCOMPARE(lines.size(), 31);
    QCOMPARE(lines[0], QStringLiteral("<Généré par Toravi 2>"));
    QCOMPARE(lines[1], QStringLiteral("<Module Interact>"));
    QCOMPARE(lines[4], f.source("carte.png"));
    QCOMPARE(lines[29], QStringLiteral("italic"));
    QCOMPARE(f.platform.requestsOf("save").last().title, QStringLiteral("Nom du fichier de paramètres pour ce projet"));

    f.platform.queueMessage(IDYES);
    f.menu2("mnuReinit")->trigger();
    QVERIFY(!f.f2<QCheckBox>("CheckTitelItalic")->isChecked());

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
