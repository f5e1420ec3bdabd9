// The drag-and-drop window through its named controls and menus.
#include "dragdropfixture.h"

#include "shared/picturecache.h"

#include <QLabel>
#include <QMenuBar>

using namespace toravi;
using namespace toravi::test;

class TestIForm1 : public QObject {
    Q_OBJECT

private slots:
    void loadShowsDefaultsAndNamedControls();
    void withoutFolderOnlyFolderValidationAndPlacementWork();
    void validationAsksInOrder();
    void pageNameAlwaysEndsInHtm();
    void pageNameBeforeAnyFolderChangesNothing();
    void pageColourDropsBackgroundEvenWhenCancelled();
    void checkBoxesAndCombosWriteTheirWords();
    void cancelledPickersStillRefresh();
    void pickersCopyAndMeasure();
    void previewFollowsPictureProportions();
    void sameObjectTwiceGivesTwoObjects();
    void addButtonStopsAtTwentyFourButMenuGoesOn();
    void framesShowTheCopiesInImg();
    void helpButtonWarning();
    void refreshTwiceEqualsOnce();
    void loadWithCancelledDialogStillValidates();
    void resetAsksFirst();
    void quitEndsWithoutAsking();
    void closingReturnsToLauncher();
};

void TestIForm1::loadShowsDefaultsAndNamedControls()
{
    DragDropFixture f;
    QVERIFY(f.window());
    QCOMPARE(f.window()->windowTitle(), QStringLiteral("Toravi - Générateur de page Web interactive"));
    QCOMPARE(f.control<QLineEdit>("INT_txtPageWeb")->text(), QStringLiteral("exercice.htm"));
    QCOMPARE(f.control<QLabel>("INT_lblPageWebPath")->text(), QStringLiteral("exercice.htm"));
    QCOMPARE(f.control<QLineEdit>("INT_txtstrTitre")->text(), QStringLiteral("exercice"));
    QCOMPARE(f.control<QLineEdit>("INT_txtstrAffiche")->text(), QStringLiteral("Exercice"));
    // The default instruction in two lines, held with CR LF.
    const QStringList lines = f.control<QPlainTextEdit>("INT_txtstrConsigne")->toPlainText().split('\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].startsWith(QStringLiteral("Il faut ranger ces objets.")));
    QVERIFY(lines[1].startsWith(QStringLiteral("Lorsque vous aurez terminé")));
    QCOMPARE(f.state().strConsigne, lines.join(QStringLiteral("\r\n")));

    QStringList sizes;
    auto* titel = f.control<QComboBox>("CmbTitelSize");
    for (int i = 0; i < titel->count(); ++i)
        sizes << titel->itemText(i);
    QCOMPARE(sizes.join(' '), QStringLiteral("12 14 16 18 20 22 24 26 28 30"));
    QCOMPARE(titel->currentText(), QStringLiteral("22"));
    QCOMPARE(f.control<QComboBox>("INT_cmbTextSize")->count(), 4);
    QCOMPARE(f.control<QComboBox>("INT_cmbTextSize")->currentText(), QStringLiteral("14"));
    QCOMPARE(f.control<QComboBox>("cmbScriptPlacement")->currentText(), QStringLiteral("centré"));
    QCOMPARE(f.control<QPushButton>("cmdValider")->text(), QStringLiteral("Vallider"));

    for (const char* name :
         {"INT_Frame1", "INT_Frame2", "Frame1", "Frame2", "Frame3", "Frame4", "INT_Frame3", "lbl1", "lbl11",
          "INT_txtstrFolderName", "INT_PictureFond", "PictureTable", "Picturetexte", "lblExemple", "lblTitelExemple",
          "lblAverto", "Image1", "lblImgRef", "Shape1", "List1", "List2", "INT_txtOrigImageFile", "INT_txtImageFile",
          "INT_txtOrigBackgroundImage", "INT_txtstrBackgroundImage", "pctfond4", "pctfond5", "pctfond6",
          "pctfond8", "pctfond9", "Picture1", "lblchp1", "lblchp2", "Image2_0", "Image2_23"})
        QVERIFY2(f.control(QString::fromLatin1(name)), name);
    for (const char* name : {"List1", "List2", "INT_txtOrigImageFile", "INT_txtstrBackgroundImage"})
        QVERIFY2(!f.control(QString::fromLatin1(name))->isVisible(), name);
    // Menus and their shortcuts.
    QCOMPARE(f.menu("mnuReinit")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    QCOMPARE(f.menu("mnuAjouterObjet")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F9));
    QCOMPARE(f.menu("mnuLoad")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    QCOMPARE(f.menu("mnuSave")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(f.menu("mnuCreation")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F12));
    QVERIFY(f.menu("mnuQuit")->shortcut().isEmpty());
    QCOMPARE(f.menu("mnuAide")->text(), QStringLiteral("Aide"));
    QVERIFY(f.window()->findChild<QMenu*>("mnuFichier"));
    QVERIFY(f.window()->findChild<QMenu*>("mnuProjet"));
    QVERIFY(f.control("Image2_5")->toolTip().contains(QStringLiteral("Double-clic pour modifier")));
    QVERIFY(f.control("lbl9")->toolTip().contains(QStringLiteral("travaill à effectuer")));
}

void TestIForm1::withoutFolderOnlyFolderValidationAndPlacementWork()
{
    DragDropFixture f;
    const QStringList off = {"INT_txtOrigImageFile", "INT_txtOrigBackgroundImage", "INT_txtImageFile",
                             "INT_txtstrBackgroundImage", "INT_txtPageWeb", "INT_txtstrTitre", "INT_txtstrConsigne",
                             "INT_txtstrAffiche", "INT_cmdOrigImageFile", "INT_cmdOrigBackgroundImage", "INT_Command1",
                             "INT_cmbTextSize", "INT_CheckTextBold", "INT_CheckTextItalic", "INT_CheckTextUnderlined",
                             "Command2", "cmdFonTexte", "Command1", "CheckTransparence", "cmdAjoutImage",
                             "CmbTitelSize", "CheckTitelBold", "CheckTitelItalic", "CheckTitelUnderline",
                             "cmdTitelColor", "Frame2", "Frame3", "ListInfoBulles", "Command3", "CheckBouton"};
    for (const QString& name : off)
        QVERIFY2(!f.control(name)->isEnabled(), qPrintable(name));
    QVERIFY(!f.menu("mnuAjouterObjet")->isEnabled());
    for (const char* name : {"INT_cmdstrFolderName", "cmdValider", "cmbScriptPlacement", "INT_txtstrFolderName"})
        QVERIFY2(f.control(QString::fromLatin1(name))->isEnabled(), name);
    for (const char* name : {"mnuReinit", "mnuQuit", "mnuLoad", "mnuSave", "mnuCreation", "mnuAide"})
        QVERIFY2(f.menu(QString::fromLatin1(name))->isEnabled(), name);

    f.chooseFolder();
    QCOMPARE(f.state().strFolderName, f.folder());
    QVERIFY(QFileInfo::exists(f.inImg("ptrouge.gif")));
    QCOMPARE(f.control<QLabel>("INT_lblPageWebPath")->text(), JoinPath(f.folder(), "exercice.htm"));
    for (const QString& name : off)
        if (name != "cmdAjoutImage" && name != "ListInfoBulles")
            QVERIFY2(f.control(name)->isEnabled(), qPrintable(name));
    QVERIFY(f.menu("mnuAjouterObjet")->isEnabled());
    // No reference picture yet, and the tooltip texts are off.
    QVERIFY(!f.control("cmdAjoutImage")->isEnabled());
    QVERIFY(!f.control("ListInfoBulles")->isEnabled());
}

void TestIForm1::validationAsksInOrder()
{
    DragDropFixture f;
    f.click("cmdValider");
    QCOMPARE(f.platform.messageTexts(), QStringList{msg::ValNoFolder});
    QCOMPARE(f.platform.requestsOf("message")[0].flags, kRefusal);
    QCOMPARE(f.platform.requestsOf("message")[0].title, QStringLiteral("Toravi"));

    f.platform.clear();
    f.chooseFolder();
    f.click("cmdValider");
    QCOMPARE(f.platform.messageTexts(), QStringList{msg::ValNoImage});

    f.platform.clear();
    f.chooseReference();
    QTest::mouseDClick(f.control("INT_txtstrAffiche"), Qt::LeftButton);
    f.control<QLineEdit>("INT_txtstrAffiche")->selectAll();
    QTest::keyClick(f.control("INT_txtstrAffiche"), Qt::Key_Delete);
    QCOMPARE(f.state().strAffiche, QString());
    f.click("cmdValider");
    QCOMPARE(f.platform.messageTexts(), QStringList{msg::ValNoTitle});

    // A folder typed by hand enters the state through the validation.
    f.platform.clear();
    const QString other = f.scratch.filePath("autre");
    QDir().mkpath(other);
    f.control<QLineEdit>("INT_txtstrFolderName")->setText(other);
    QTest::keyClicks(f.control("INT_txtstrAffiche"), "Rangement");
    QCOMPARE(f.state().strFolderName, f.folder());
    f.click("cmdValider");
    QCOMPARE(f.platform.messageTexts(), QStringList());
    QCOMPARE(f.state().strFolderName, other);
    QCOMPARE(f.state().strAffiche, QStringLiteral("Rangement"));
    QVERIFY(QFileInfo::exists(JoinPath(JoinPath(other, "img"), "scene.png")));
    QCOMPARE(f.control<QLabel>("INT_lblPageWebPath")->text(), JoinPath(other, "exercice.htm"));
    QVERIFY(f.control("Image1")->isVisible());
}

void TestIForm1::pageNameAlwaysEndsInHtm()
{
    DragDropFixture f;
    f.chooseFolder();
    auto* box = f.control<QLineEdit>("INT_txtPageWeb");
    box->selectAll();
    QTest::keyClicks(box, "page.html");
    QCOMPARE(f.control<QLabel>("INT_lblPageWebPath")->text(), JoinPath(f.folder(), "page.htm"));
    QCOMPARE(f.state().strPageWeb, JoinPath(f.folder(), "page.htm"));
    // The typed text stays while typing; the next refresh shows the resulting name.
    QCOMPARE(box->text(), QStringLiteral("page.html"));
    f.window()->RefreshWindow();
    QCOMPARE(box->text(), QStringLiteral("page.htm"));
    box->selectAll();
    QTest::keyClicks(box, "sans extension");
    QCOMPARE(f.state().strPageWeb, JoinPath(f.folder(), "sans extension.htm"));
}

void TestIForm1::pageNameBeforeAnyFolderChangesNothing()
{
    DragDropFixture f;
    auto* box = f.control<QLineEdit>("INT_txtPageWeb");
    QVERIFY(!box->isEnabled());
    box->setText(QStringLiteral("autre.htm"));  // the box refuses typing; its change handler still guards
    QCOMPARE(f.state().strPageWeb, QStringLiteral("exercice.htm"));
    QCOMPARE(f.control<QLabel>("INT_lblPageWebPath")->text(), QStringLiteral("exercice.htm"));
}

void TestIForm1::pageColourDropsBackgroundEvenWhenCancelled()
{
    DragDropFixture f;
    f.chooseFolder();
    WritePicture(f.source("fond.gif"), 20, 20);
    f.platform.queueOpenFile(f.source("fond.gif"));
    f.click("INT_cmdOrigBackgroundImage");
    QCOMPARE(f.state().strBackgroundImage, QStringLiteral("fond.gif"));
    QCOMPARE(f.control<QLabel>("INT_lbltxtBackgroundImage")->text(), QStringLiteral("fond.gif"));
    QVERIFY(QFileInfo::exists(f.inImg("fond.gif")));
    const auto open = f.platform.requestsOf("open").last();
    QCOMPARE(open.initialFolder, DriveRootFolder());
    QCOMPARE(open.text, QStringLiteral("Sélectionnez une image pour l'arrière-plan de votre page Web (facultatif)"));

    f.platform.queueColor(std::nullopt);
    f.click("INT_Command1");
    QCOMPARE(f.state().strBackgroundImage, QString());
    QCOMPARE(f.state().strOrigBackgroundImage, QString());
    QCOMPARE(f.state().strBackgroundColor, QStringLiteral("FFE2B2"));
    QCOMPARE(f.platform.requestsOf("color").last().color, quint32(0xB2E2FF));
    QCOMPARE(f.control<QLabel>("INT_lbltxtBackgroundImage")->text(), QString());
    QCOMPARE(f.control<QLineEdit>("INT_txtOrigBackgroundImage")->text(), QString());

    f.platform.queueColor(0x0000FF);  // red, as 00BBGGRR
    f.click("INT_Command1");
    QCOMPARE(f.state().strBackgroundColor, QStringLiteral("FF0000"));
    QCOMPARE(f.control("INT_PictureFond")->palette().color(QPalette::Window), QColor(255, 0, 0));

    // The other colours go to their own settings and swatches.
    f.platform.queueColor(0x00FF00);
    f.click("cmdFonTexte");
    QCOMPARE(f.state().strTextBackColor, QStringLiteral("00FF00"));
    QCOMPARE(f.control("Picturetexte")->palette().color(QPalette::Window), QColor(0, 255, 0));
    QCOMPARE(f.control("lblExemple")->palette().color(QPalette::Window), QColor(0, 255, 0));
    f.platform.queueColor(0xFF0000);
    f.click("cmdTitelColor");
    QCOMPARE(f.state().strTitelColor, QStringLiteral("0000FF"));
    QCOMPARE(f.control("lblTitelExemple")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    f.platform.queueColor(0x123456);
    f.click("Command1");
    QCOMPARE(f.state().strTableColor, QStringLiteral("563412"));
    f.platform.queueColor(0x000000);
    f.click("Command2");
    QCOMPARE(f.state().strTextColor, QStringLiteral("000000"));
}

void TestIForm1::checkBoxesAndCombosWriteTheirWords()
{
    DragDropFixture f;
    f.chooseFolder();
    auto tick = [&](const char* name) { Tick(f.control<QCheckBox>(name)); };
    tick("CheckBouton");
    tick("CheckTransparence");
    tick("CheckImgAlt");
    tick("CheckImgTransparent");
    tick("CheckTitelBold");
    tick("CheckTitelItalic");
    tick("CheckTitelUnderline");
    tick("INT_CheckTextBold");
    tick("INT_CheckTextItalic");
    tick("INT_CheckTextUnderlined");
    const DragDropState& s = f.state();
    QCOMPARE(s.strBouton, QStringLiteral("Vrai"));
    QCOMPARE(s.strTransparence, QStringLiteral("Vrai"));
    QCOMPARE(s.strImgAlt, QStringLiteral("vrai"));
    QCOMPARE(s.strImgTransparent, QStringLiteral("vrai"));
    QCOMPARE(s.strTitelBold + s.strTitelItalic + s.strTitelUnderline, QStringLiteral("bolditalicunderlined"));
    QCOMPARE(s.strTextBold + s.strTextItalic + s.strTextUnderlined,
             QStringLiteral("font-weight:bold;font-style:italic;text-decoration:underline;"));
    QVERIFY(f.control("ListInfoBulles")->isEnabled());
    const QFont titel = f.control("lblTitelExemple")->font();
    QVERIFY(titel.bold() && titel.italic() && titel.underline());
    QCOMPARE(titel.family(), QStringLiteral("Times New Roman"));

    tick("CheckImgAlt");
    tick("INT_CheckTextItalic");
    tick("CheckBouton");
    QCOMPARE(s.strImgAlt, QStringLiteral("faux"));
    QCOMPARE(s.strTextItalic, QString());
    QCOMPARE(s.strBouton, QStringLiteral("Faux"));
    QVERIFY(!f.control("ListInfoBulles")->isEnabled());
    QVERIFY(!f.control("lblExemple")->font().italic());

    // "Faux" from an old file is off too.
    f.state().strImgAlt = QStringLiteral("Faux");
    f.window()->RefreshWindow();
    QVERIFY(!f.control<QCheckBox>("CheckImgAlt")->isChecked());
    QVERIFY(!f.control("ListInfoBulles")->isEnabled());

    auto choose = [&](const char* name, const QString& text) {
        auto* combo = f.control<QComboBox>(name);
        const int index = combo->findText(text);
        QVERIFY(index >= 0);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    };
    choose("CmbTitelSize", "30");
    choose("INT_cmbTextSize", "10");
    choose("cmbScriptPlacement", "droite");
    QCOMPARE(s.strTitelSize, QStringLiteral("30"));
    QCOMPARE(s.strTextSize, QStringLiteral("10"));
    QCOMPARE(s.strScriptPlacement, QStringLiteral("droite"));

    // The help button's text refreshes at once; the other texts only store.
    auto* texte = f.control<QLineEdit>("INT_txtTexteBouton");
    texte->selectAll();
    QTest::keyClicks(texte, "Indice");
    QCOMPARE(s.strTexteBouton, QStringLiteral("Indice"));
    QCOMPARE(texte->cursorPosition(), 6);
    QTest::keyClicks(f.control("INT_txtstrTitre"), "!");
    QCOMPARE(s.strTitre, QStringLiteral("exercice!"));
    auto* consigne = f.control<QPlainTextEdit>("INT_txtstrConsigne");
    consigne->selectAll();
    QTest::keyClicks(consigne, "ligne 1");
    QTest::keyClick(consigne, Qt::Key_Return);
    QTest::keyClicks(consigne, "ligne 2");
    QCOMPARE(s.strConsigne, QStringLiteral("ligne 1\r\nligne 2"));
}

void TestIForm1::cancelledPickersStillRefresh()
{
    DragDropFixture f;
    f.chooseFolder();
    f.chooseReference();
    const DragDropState before = f.state();
    int n = 0;
    for (const char* name : {"INT_cmdOrigImageFile", "INT_cmdOrigBackgroundImage", "Command3", "cmdAjoutImage",
                             "INT_cmdstrFolderName"}) {
        // A change behind the window's back shows up only if the picker refreshed.
        f.state().strTitre = QStringLiteral("titre %1").arg(++n);
        f.click(QString::fromLatin1(name));  // nothing queued: the dialog is cancelled
        QCOMPARE(f.control<QLineEdit>("INT_txtstrTitre")->text(), QStringLiteral("titre %1").arg(n));
    }
    QCOMPARE(f.state().objects.size(), 0);
    QCOMPARE(f.state().strOrigImageFile, before.strOrigImageFile);
    QCOMPARE(f.state().strImageLargeur, before.strImageLargeur);
    // A cancelled folder choice leaves no working folder.
    QCOMPARE(f.state().strFolderName, QString());
    QVERIFY(!f.control("INT_cmdOrigImageFile")->isEnabled());
    QCOMPARE(f.platform.pendingAnswers(), 0);
}

void TestIForm1::pickersCopyAndMeasure()
{
    DragDropFixture f;
    f.chooseFolder();
    f.chooseReference(640, 480);
    const auto open = f.platform.requestsOf("open").last();
    QCOMPARE(open.initialFolder, ProgramFolder());
    QCOMPARE(open.defaultExt, QStringLiteral("gif"));
    QCOMPARE(open.filter, QStringLiteral("Fichiers gif (*.gif)|*.gif|Fichiers jpeg (*.jpg)|*.jpg|Fichiers png "
                                         "(*.png)|*.png|Tous (*.*)|*.*"));
    QCOMPARE(f.state().strOrigImageFile, f.source("scene.png"));
    QCOMPARE(f.state().strImageFile, QStringLiteral("scene.png"));
    QCOMPARE(f.control<QLabel>("INT_lbltxtOrigImageFile")->text(), f.source("scene.png"));
    QCOMPARE(f.control<QLabel>("INT_lblValLargeur")->text(), QStringLiteral("640"));
    QCOMPARE(f.control<QLabel>("INT_lblValHauteur")->text(), QStringLiteral("480"));
    QVERIFY(QFileInfo::exists(f.inImg("scene.png")));
    QVERIFY(f.control("Image1")->isVisible());
    QVERIFY(f.control("lblImgRef")->isVisible());
    QVERIFY(f.control("cmdAjoutImage")->isEnabled());

    // The help document goes beside the page.
    test::WriteBytes(f.source("aide.htm"), "<p>aide</p>");
    f.platform.queueOpenFile(f.source("aide.htm"));
    f.click("Command3");
    QCOMPARE(f.platform.requestsOf("open").last().text,
             QStringLiteral("Sélectionnez un fichier d'aide ou un document de référence..."));
    QCOMPARE(f.platform.requestsOf("open").last().defaultExt, QStringLiteral("htm"));
    QCOMPARE(f.state().strOrigDocument, f.source("aide.htm"));
    QCOMPARE(f.state().strDocument, QStringLiteral("aide.htm"));
    QVERIFY(QFileInfo::exists(JoinPath(f.folder(), "aide.htm")));
    QCOMPARE(f.control<QLabel>("INT_lblDocumentBouton")->text(), f.source("aide.htm"));
    QCOMPARE(f.control<QLabel>("INT_lblDocumentOrigBouton")->text(), QStringLiteral("aide.htm"));

    // A file that is not a picture: measured "0", nothing shown, no objects to add.
    test::WriteBytes(f.source("faux.gif"), "pas une image");
    f.platform.queueOpenFile(f.source("faux.gif"));
    f.click("INT_cmdOrigImageFile");
    QCOMPARE(f.state().strImageLargeur, QStringLiteral("0"));
    QCOMPARE(f.state().strImageHauteur, QStringLiteral("0"));
    QVERIFY(!f.control("Image1")->isVisible());
    QVERIFY(!f.control("lblImgRef")->isVisible());
    QVERIFY(!f.control("cmdAjoutImage")->isEnabled());
}

void TestIForm1::previewFollowsPictureProportions()
{
    DragDropFixture f;
    f.chooseFolder();
    f.chooseReference(400, 300);
    QCOMPARE(f.control("Image1")->size(), QSize(293, 220));  // 4400 x 3300 twips
    f.chooseReference(200, 400, "haute.png");
    QCOMPARE(f.control("Image1")->size(), QSize(293, 587));  // 4400 x 8800 twips, 586.7 px
    // Sizes that are no numbers keep the height.
    f.state().strImageLargeur = QStringLiteral("abc");
    f.window()->RefreshWindow();
    QCOMPARE(f.control("Image1")->height(), 587);
    f.state().strImageLargeur = QStringLiteral("0");
    f.window()->RefreshWindow();
    QCOMPARE(f.control("Image1")->height(), 587);
    // A garbled size cannot blow the window up.
    f.state().strImageLargeur = QStringLiteral("1");
    f.state().strImageHauteur = QStringLiteral("99999999");
    f.window()->RefreshWindow();
    QVERIFY(f.control("Image1")->height() <= 600);
}

void TestIForm1::sameObjectTwiceGivesTwoObjects()
{
    DragDropFixture f;
    f.chooseFolder();
    f.chooseReference();
    f.addObject("chat.gif");
    f.addObject("chat.gif");
    const auto open = f.platform.requestsOf("open").last();
    QCOMPARE(open.text, QStringLiteral("Sélectionnez une image d'objet"));
    QCOMPARE(open.filter, QStringLiteral("Fichiers gif (*.gif)|*.gif|Fichiers jpeg (*.jpg)|*.jpg|Tous (*.*)|*.*"));
    QCOMPARE(f.state().objects.size(), 2);
    for (const DragDropObject& o : f.state().objects) {
        QCOMPARE(o.source, f.source("chat.gif"));
        QCOMPARE(o.fileName, QStringLiteral("chat.gif"));
        QCOMPARE(o.tooltip, QStringLiteral("chat"));
    }
    QCOMPARE(f.tooltips(), (QStringList{"chat", "chat"}));
    QCOMPARE(f.control<QListWidget>("List2")->count(), 2);
    QCOMPARE(f.control<QListWidget>("List1")->item(1)->text(), f.source("chat.gif"));
    QVERIFY(f.control("Image2_0")->isVisible());
    QVERIFY(f.control("Image2_1")->isVisible());
    QCOMPARE(f.visibleFrames(), 2);
    // a.b.gif gives "a"; a name without a dot is taken whole.
    f.addObject("a.b.gif");
    f.addObject("sansnom");
    QCOMPARE(f.tooltips(), (QStringList{"chat", "chat", "a", "sansnom"}));
}

void TestIForm1::addButtonStopsAtTwentyFourButMenuGoesOn()
{
    DragDropFixture f;
    f.chooseFolder();
    f.putObjects(5);
    QVERIFY(!f.control("cmdAjoutImage")->isEnabled());  // no reference picture
    f.chooseReference();
    f.putObjects(18);
    QCOMPARE(f.state().objects.size(), 23);
    QVERIFY(f.control("cmdAjoutImage")->isEnabled());
    f.addObject("vingt-quatre.gif");
    QCOMPARE(f.state().objects.size(), 24);
    QVERIFY(!f.control("cmdAjoutImage")->isEnabled());
    QCOMPARE(f.visibleFrames(), 24);

    // Ctrl+F9 goes on: the 25th object is listed but has no frame.
    QVERIFY(f.menu("mnuAjouterObjet")->isEnabled());
    WritePicture(f.source("vingt-cinq.gif"), 30, 30);
    f.platform.queueOpenFile(f.source("vingt-cinq.gif"));
    QVERIFY(QTest::qWaitForWindowActive(f.window()));
    QTest::keyClick(f.window(), Qt::Key_F9, Qt::ControlModifier);
    QCOMPARE(f.state().objects.size(), 25);
    QCOMPARE(f.tooltips().size(), 25);
    QCOMPARE(f.tooltips().last(), QStringLiteral("vingt-cinq"));
    QCOMPARE(f.visibleFrames(), 24);
    QVERIFY(QFileInfo::exists(f.inImg("vingt-cinq.gif")));
}

void TestIForm1::framesShowTheCopiesInImg()
{
    DragDropFixture f;
    f.chooseFolder();
    f.chooseReference();
    f.addObject("rouge.png", 0xFF0000);
    f.addObject("vert.png", 0x00FF00);
    auto* frame = f.control<ObjectFrame>("Image2_0");
    QCOMPARE(frame->size(), QSize(68, 53));
    QCOMPARE(frame->pixmap().toImage().pixelColor(30, 30), QColor(255, 0, 0));
    QCOMPARE(f.control("Image2_1")->pos() - frame->pos(), QPoint(72, 0));
    QCOMPARE(f.control("Image2_12")->pos() - frame->pos(), QPoint(0, 58));
    // The frame shows the copy, not the source: a new copy is picked up at the next refresh.
    QTest::qWait(20);  // a later modification time
    WritePicture(f.inImg("rouge.png"), 120, 90, 0x0000FF);
    f.window()->RefreshWindow();
    QCOMPARE(frame->pixmap().toImage().pixelColor(30, 30), QColor(0, 0, 255));
    // A missing copy leaves its frame empty and hidden; the others keep their place.
    QFile::remove(f.inImg("rouge.png"));
    f.window()->RefreshWindow();
    QVERIFY(!frame->isVisible());
    QVERIFY(f.control("Image2_1")->isVisible());
    QCOMPARE(f.tooltips().size(), 2);
    // The same pictures again come from the cache.
    const int misses = PictureCache::instance().misses();
    f.window()->RefreshWindow();
    f.window()->RefreshWindow();
    QCOMPARE(PictureCache::instance().misses(), misses);
}

void TestIForm1::helpButtonWarning()
{
    DragDropFixture f;
    f.chooseFolder();
    auto* averto = f.control<QLabel>("lblAverto");
    QCOMPARE(averto->text(), QStringLiteral("Choisissez le fichier à afficher !"));
    QVERIFY(!averto->isVisible());
    Tick(f.control<QCheckBox>("CheckBouton"));
    QVERIFY(averto->isVisible());
    test::WriteBytes(f.source("aide.txt"), "aide");
    f.platform.queueOpenFile(f.source("aide.txt"));
    f.click("Command3");
    QVERIFY(!averto->isVisible());
}

void TestIForm1::refreshTwiceEqualsOnce()
{
    DragDropFixture f;
    f.chooseFolder();
    f.chooseReference();
    f.addObject("chat.gif");
    f.state().strConsigne = QStringLiteral("un<br>deux");
    auto snapshot = [&] {
        QStringList out;
        const DragDropState& s = f.state();
        out << s.strPageWeb << s.strTitre << s.strConsigne << s.strAffiche << s.strFileName;
        for (QLineEdit* e : f.window()->findChildren<QLineEdit*>())
            out << e->objectName() + '=' + e->text();
        for (QLabel* l : f.window()->findChildren<QLabel*>())
            out << l->objectName() + '=' + l->text() + (l->isVisible() ? "+" : "-");
        for (QCheckBox* c : f.window()->findChildren<QCheckBox*>())
            out << c->objectName() + (c->isChecked() ? "1" : "0");
        for (QWidget* w : f.window()->findChildren<QWidget*>())
            out << w->objectName() + (w->isEnabled() ? "e" : "d");
        out << f.control<QPlainTextEdit>("INT_txtstrConsigne")->toPlainText();
        return out;
    };
    f.window()->RefreshWindow();
    const QStringList once = snapshot();
    QCOMPARE(f.state().strConsigne, QStringLiteral("un\r\ndeux"));
    f.window()->RefreshWindow();
    QCOMPARE(snapshot(), once);
}

void TestIForm1::loadWithCancelledDialogStillValidates()
{
    DragDropFixture f;
    f.menu("mnuLoad")->trigger();  // the open dialog is cancelled
    QCOMPARE(f.platform.requestsOf("open").size(), 1);
    QCOMPARE(f.platform.requestsOf("open")[0].text, QStringLiteral("Nom du fichier de paramètres pour ce projet"));
    QCOMPARE(f.platform.messageTexts(), QStringList{msg::ValNoFolder});

    // A real load is validated too: its pictures are copied and shown.
    f.platform.clear();
    f.chooseFolder();
    f.chooseReference();
    f.addObject("chat.gif");
    const QString project = f.scratch.filePath("projet.txt");
    f.platform.queueSaveFile(project);
    f.menu("mnuSave")->trigger();
    QVERIFY(QFileInfo::exists(project));
    f.menu("mnuReinit")->trigger();
    f.platform.clear();
    QDir(JoinPath(f.folder(), "img")).removeRecursively();
    f.platform.queueOpenFile(project);
    f.menu("mnuLoad")->trigger();
    QCOMPARE(f.platform.messageTexts(), QStringList());
    QCOMPARE(f.tooltips(), QStringList{"chat"});
    QVERIFY(f.control("Image1")->isVisible());
    QVERIFY(f.control("Image2_0")->isVisible());
    QVERIFY(QFileInfo::exists(f.inImg("ptrouge.gif")));
}

void TestIForm1::resetAsksFirst()
{
    DragDropFixture f;
    f.chooseFolder();
    f.chooseReference();
    f.addObject("chat.gif");
    QVERIFY(QTest::qWaitForWindowActive(f.window()));

    f.platform.queueMessage(IDNO);
    QTest::keyClick(f.window(), Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(f.platform.messageTexts(), QStringList{msg::ResetQuestion});
    QCOMPARE(f.platform.requestsOf("message")[0].flags, kConfirm);
    QCOMPARE(f.state().objects.size(), 1);
    QCOMPARE(f.state().strFolderName, f.folder());

    f.platform.clear();
    f.platform.queueMessage(IDYES);
    f.menu("mnuReinit")->trigger();
    QCOMPARE(f.platform.messageTexts(), (QStringList{msg::ResetQuestion, msg::ResetDone}));
    QCOMPARE(f.state().objects.size(), 0);
    QCOMPARE(f.tooltips(), QStringList());
    QCOMPARE(f.visibleFrames(), 0);
    QVERIFY(!f.control("Image1")->isVisible());
    QCOMPARE(f.control<QLineEdit>("INT_txtstrFolderName")->text(), QString());
    QCOMPARE(f.control<QLabel>("INT_lblPageWebPath")->text(), QStringLiteral("exercice.htm"));
}

void TestIForm1::quitEndsWithoutAsking()
{
    DragDropFixture f;
    f.chooseFolder();
    f.platform.clear();
    QPointer<QWidget> w = f.window();
    f.menu("mnuQuit")->trigger();
    QVERIFY(f.quitCalled);
    QVERIFY(!f.ctx.windows.isLoaded("IForm1"));
    QCOMPARE(f.platform.requests.size(), 0);
    QTRY_VERIFY(w.isNull());
}

void TestIForm1::closingReturnsToLauncher()
{
    DragDropFixture f;
    f.ctx.windows.hide("Form3");
    f.window()->close();
    QTRY_VERIFY(!f.ctx.windows.isLoaded("IForm1"));
    QVERIFY(f.ctx.windows.find("Form3")->isVisible());
    QVERIFY(!f.quitCalled);
    // Each opening starts a fresh project.
    f.state().strTitre = QStringLiteral("ancien");
    f.ctx.windows.show("IForm1");
    QCOMPARE(f.control<QLineEdit>("INT_txtstrTitre")->text(), QStringLiteral("exercice"));
}

QTEST_MAIN(TestIForm1)
#include "test_iform1.moc"
