// The drag-and-drop window through its named controls and menus.
#include "dragdropfixture.h"

#include "shared/picturecache.h"

using namespace toravi;
using namespace toravi::test;

class TestIForm1 : public QObject {
    Q_OBJECT

private slots:
    void freshWindowShowsTheDefaults()
    {
        DragDropFixture f;
        QCOMPARE(f.box("INT_txtPageWeb"), "exercice.htm");
        QCOMPARE(f.label("INT_lblPageWebPath"), "exercice.htm");
        QCOMPARE(f.box("INT_txtstrTitre"), "exercice");
        QCOMPARE(f.box("INT_txtstrAffiche"), "Exercice");
        // The default instruction in two lines, held with CR LF.
        const QStringList lines = f.control<QPlainTextEdit>("INT_txtstrConsigne")->toPlainText().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith("Il faut ranger ces objets."));
        QVERIFY(lines[1].startsWith("Lorsque vous aurez terminé"));
        QCOMPARE(f.state().strConsigne, lines.join("\r\n"));
        QCOMPARE(f.control<QComboBox>("CmbTitelSize")->currentText(), "22");
        QCOMPARE(f.control<QComboBox>("INT_cmbTextSize")->currentText(), "14");
        QCOMPARE(f.control<QComboBox>("cmbScriptPlacement")->currentText(), "centré");
        for (const char* name : {"List1", "List2", "INT_txtOrigImageFile", "INT_txtstrBackgroundImage"})
            QVERIFY2(!f.control(name)->isVisible(), name);
        QCOMPARE(f.menu("mnuLoad")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
        QCOMPARE(f.menu("mnuSave")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(f.menu("mnuCreation")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F12));
    }

    void withoutFolderOnlyFolderValidationAndPlacementWork()
    {
        DragDropFixture f;
        const QStringList off = {
            "INT_txtOrigImageFile", "INT_txtOrigBackgroundImage", "INT_txtImageFile", "INT_txtstrBackgroundImage",
            "INT_txtPageWeb", "INT_txtstrTitre", "INT_txtstrConsigne", "INT_txtstrAffiche", "INT_cmdOrigImageFile",
            "INT_cmdOrigBackgroundImage", "INT_Command1", "INT_cmbTextSize", "INT_CheckTextBold",
            "INT_CheckTextItalic", "INT_CheckTextUnderlined", "Command2", "cmdFonTexte", "Command1",
            "CheckTransparence", "CmbTitelSize", "CheckTitelBold", "CheckTitelItalic", "CheckTitelUnderline",
            "cmdTitelColor", "Frame2", "Frame3", "Command3", "CheckBouton"};
        for (const QString& name : off + QStringList{"cmdAjoutImage", "ListInfoBulles"})
            QVERIFY2(!f.control(name)->isEnabled(), qPrintable(name));
        QVERIFY(!f.menu("mnuAjouterObjet")->isEnabled());
        for (const char* name : {"INT_cmdstrFolderName", "cmdValider", "cmbScriptPlacement", "INT_txtstrFolderName"})
            QVERIFY2(f.control(name)->isEnabled(), name);
        for (const char* name : {"mnuReinit", "mnuQuit", "mnuLoad", "mnuSave", "mnuCreation", "mnuAide"})
            QVERIFY2(f.menu(name)->isEnabled(), name);

        f.chooseFolder();
        QCOMPARE(f.state().strFolderName, f.folder());
        QVERIFY(QFileInfo::exists(f.inImg("ptrouge.gif")));
        QCOMPARE(f.label("INT_lblPageWebPath"), JoinPath(f.folder(), "exercice.htm"));
        for (const QString& name : off)
            QVERIFY2(f.control(name)->isEnabled(), qPrintable(name));
        QVERIFY(f.menu("mnuAjouterObjet")->isEnabled());
        // Still no reference picture, and the tooltip texts are off.
        QVERIFY(!f.control("cmdAjoutImage")->isEnabled());
        QVERIFY(!f.control("ListInfoBulles")->isEnabled());
    }

    void validationAsksInOrder()
    {
        DragDropFixture f;
        f.click("cmdValider");
        QCOMPARE(f.platform.messageTexts(), QStringList{msg::ValNoFolder});
        QCOMPARE(f.platform.requests[0].flags, kRefusal);

        f.platform.clear();
        f.chooseFolder();
        f.click("cmdValider");
        QCOMPARE(f.platform.messageTexts(), QStringList{msg::ValNoImage});

        f.platform.clear();
        f.chooseReference();
        auto* affiche = f.control<QLineEdit>("INT_txtstrAffiche");
        affiche->selectAll();
        QTest::keyClick(affiche, Qt::Key_Delete);
        f.click("cmdValider");
        QCOMPARE(f.platform.messageTexts(), QStringList{msg::ValNoTitle});

        // A folder typed by hand enters the state only through the validation.
        f.platform.clear();
        const QString other = f.scratch.filePath("autre");
        QDir().mkpath(other);
        f.control<QLineEdit>("INT_txtstrFolderName")->setText(other);
        QTest::keyClicks(affiche, "Rangement");
        QCOMPARE(f.state().strFolderName, f.folder());
        f.click("cmdValider");
        QCOMPARE(f.platform.messageTexts(), QStringList());
        QCOMPARE(f.state().strFolderName, other);
        QCOMPARE(f.state().strAffiche, "Rangement");
        QVERIFY(QFileInfo::exists(JoinPath(JoinPath(other, "img"), "scene.png")));
        QCOMPARE(f.label("INT_lblPageWebPath"), JoinPath(other, "exercice.htm"));
    }

    void pageName()
    {
        DragDropFixture f;
        auto* box = f.control<QLineEdit>("INT_txtPageWeb");
        box->setText("autre.htm");  // the box is disabled; its handler must guard too
        QCOMPARE(f.state().strPageWeb, "exercice.htm");
        QCOMPARE(f.label("INT_lblPageWebPath"), "exercice.htm");

        f.chooseFolder();
        box->selectAll();
        QTest::keyClicks(box, "page.html");
        QCOMPARE(f.label("INT_lblPageWebPath"), JoinPath(f.folder(), "page.htm"));
        // What is typed stays until the next refresh.
        QCOMPARE(box->text(), "page.html");
        f.window()->RefreshWindow();
        QCOMPARE(box->text(), "page.htm");
    }

    void colours()
    {
        DragDropFixture f;
        f.chooseFolder();
        WritePicture(f.source("fond.gif"), 20, 20);
        f.platform.queueOpenFile(f.source("fond.gif"));
        f.click("INT_cmdOrigBackgroundImage");
        QCOMPARE(f.platform.requestsOf("open").last().initialFolder, DriveRootFolder());
        QCOMPARE(f.state().strBackgroundImage, "fond.gif");
        QCOMPARE(f.label("INT_lbltxtBackgroundImage"), "fond.gif");
        QVERIFY(QFileInfo::exists(f.inImg("fond.gif")));

        // "Choisir" drops the background picture even when the colour dialog is cancelled.
        f.platform.queueColor(std::nullopt);
        f.click("INT_Command1");
        QCOMPARE(f.state().strBackgroundImage, QString());
        QCOMPARE(f.state().strOrigBackgroundImage, QString());
        QCOMPARE(f.state().strBackgroundColor, "FFE2B2");
        QCOMPARE(f.platform.requestsOf("color").last().color, quint32(0xB2E2FF));
        QCOMPARE(f.label("INT_lbltxtBackgroundImage"), QString());
        QCOMPARE(f.box("INT_txtOrigBackgroundImage"), QString());

        // Each button to its own setting; the dialog answers 00BBGGRR.
        const struct {
            const char* button;
            quint32 answer;
            QString DragDropState::*setting;
            const char* stored;
        } buttons[] = {{"INT_Command1", 0x0000FF, &DragDropState::strBackgroundColor, "FF0000"},
                       {"cmdFonTexte", 0x00FF00, &DragDropState::strTextBackColor, "00FF00"},
                       {"cmdTitelColor", 0xFF0000, &DragDropState::strTitelColor, "0000FF"},
                       {"Command1", 0x123456, &DragDropState::strTableColor, "563412"},
                       {"Command2", 0x336699, &DragDropState::strTextColor, "996633"}};
        for (const auto& b : buttons) {
            f.platform.queueColor(b.answer);
            f.click(b.button);
            QCOMPARE(f.state().*b.setting, b.stored);
        }
        QCOMPARE(f.control("INT_PictureFond")->palette().color(QPalette::Window), QColor(255, 0, 0));
        QCOMPARE(f.control("Picturetexte")->palette().color(QPalette::Window), QColor(0, 255, 0));
        QCOMPARE(f.control("lblExemple")->palette().color(QPalette::Window), QColor(0, 255, 0));
        QCOMPARE(f.control("lblTitelExemple")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    }

    void checkBoxesCombosAndTexts()
    {
        DragDropFixture f;
        f.chooseFolder();
        const QStringList boxes{"CheckBouton",    "CheckTransparence", "CheckImgAlt",         "CheckImgTransparent",
                                "CheckTitelBold", "CheckTitelItalic",  "CheckTitelUnderline", "INT_CheckTextBold",
                                "INT_CheckTextItalic", "INT_CheckTextUnderlined"};
        for (const QString& name : boxes)
            Tick(f.control<QCheckBox>(name));
        const DragDropState& s = f.state();
        QCOMPARE((QStringList{s.strBouton, s.strTransparence, s.strImgAlt, s.strImgTransparent}),
                 (QStringList{"Vrai", "Vrai", "vrai", "vrai"}));
        QCOMPARE(s.strTitelBold + s.strTitelItalic + s.strTitelUnderline, "bolditalicunderlined");
        QCOMPARE(s.strTextBold + s.strTextItalic + s.strTextUnderlined,
                 "font-weight:bold;font-style:italic;text-decoration:underline;");
        QVERIFY(f.control("ListInfoBulles")->isEnabled());
        const QFont titel = f.control("lblTitelExemple")->font();
        QVERIFY(titel.bold() && titel.italic() && titel.underline());

        for (const char* name : {"CheckImgAlt", "INT_CheckTextItalic", "CheckBouton"})
            Tick(f.control<QCheckBox>(name));
        QCOMPARE((QStringList{s.strImgAlt, s.strTextItalic, s.strBouton}), (QStringList{"faux", "", "Faux"}));
        QVERIFY(!f.control("ListInfoBulles")->isEnabled());
        QVERIFY(!f.control("lblExemple")->font().italic());
        // "Faux" from an old file is off too.
        f.state().strImgAlt = "Faux";
        f.window()->RefreshWindow();
        QVERIFY(!f.control<QCheckBox>("CheckImgAlt")->isChecked());
        QVERIFY(!f.control("ListInfoBulles")->isEnabled());

        for (const auto& [name, text] : {std::pair{"CmbTitelSize", "30"}, std::pair{"INT_cmbTextSize", "10"},
                                         std::pair{"cmbScriptPlacement", "droite"}}) {
            auto* combo = f.control<QComboBox>(name);
            const int index = combo->findText(text);
            QVERIFY2(index >= 0, text);
            combo->setCurrentIndex(index);
            emit combo->activated(index);
        }
        QCOMPARE((QStringList{s.strTitelSize, s.strTextSize, s.strScriptPlacement}), (QStringList{"30", "10", "droite"}));

        // The help button's text refreshes at once without moving the cursor.
        auto* texte = f.control<QLineEdit>("INT_txtTexteBouton");
        texte->selectAll();
        QTest::keyClicks(texte, "Indice");
        QCOMPARE(s.strTexteBouton, "Indice");
        QCOMPARE(texte->cursorPosition(), 6);
        auto* consigne = f.control<QPlainTextEdit>("INT_txtstrConsigne");
        consigne->selectAll();
        QTest::keyClicks(consigne, "ligne 1");
        QTest::keyClick(consigne, Qt::Key_Return);
        QTest::keyClicks(consigne, "ligne 2");
        QCOMPARE(s.strConsigne, "ligne 1\r\nligne 2");
    }

    void cancelledPickersStillRefresh()
    {
        DragDropFixture f;
        f.ready();
        const DragDropState before = f.state();
        int n = 0;
        for (const char* name : {"INT_cmdOrigImageFile", "INT_cmdOrigBackgroundImage", "Command3", "cmdAjoutImage",
                                 "INT_cmdstrFolderName"}) {
            // A change behind the window's back shows only if the picker refreshed.
            f.state().strTitre = QStringLiteral("titre %1").arg(++n);
            f.click(name);  // nothing queued: cancelled
            QCOMPARE(f.box("INT_txtstrTitre"), QStringLiteral("titre %1").arg(n));
        }
        QCOMPARE(f.state().objects.size(), 0);
        QCOMPARE(f.state().strOrigImageFile, before.strOrigImageFile);
        QCOMPARE(f.state().strImageLargeur, before.strImageLargeur);
        // A cancelled folder choice leaves no working folder.
        QCOMPARE(f.state().strFolderName, QString());
        QVERIFY(!f.control("INT_cmdOrigImageFile")->isEnabled());
        QCOMPARE(f.platform.pendingAnswers(), 0);
    }

    void pickersCopyAndMeasure()
    {
        DragDropFixture f;
        f.ready();
        QCOMPARE(f.platform.requestsOf("open").last().initialFolder, ProgramFolder());
        QCOMPARE(f.state().strOrigImageFile, f.source("scene.png"));
        QCOMPARE(f.state().strImageFile, "scene.png");
        QCOMPARE(f.label("INT_lbltxtOrigImageFile"), f.source("scene.png"));
        QCOMPARE(f.label("INT_lblValLargeur") + "x" + f.label("INT_lblValHauteur"), "400x300");
        QVERIFY(QFileInfo::exists(f.inImg("scene.png")));
        QVERIFY(f.control("Image1")->isVisible() && f.control("lblImgRef")->isVisible());
        QVERIFY(f.control("cmdAjoutImage")->isEnabled());
        // The preview is 4400 twips wide: 400 x 300 gives 4400 x 3300, 200 x 400 gives 4400 x 8800.
        QCOMPARE(f.control("Image1")->size(), QSize(293, 220));
        f.chooseReference(200, 400, "haute.png");
        QCOMPARE(f.control("Image1")->size(), QSize(293, 587));
        // Sizes that are no numbers keep the height; a garbled one cannot blow the window up.
        for (const char* width : {"abc", "0"}) {
            f.state().strImageLargeur = width;
            f.window()->RefreshWindow();
            QCOMPARE(f.control("Image1")->height(), 587);
        }
        f.state().strImageLargeur = "1";
        f.state().strImageHauteur = "99999999";
        f.window()->RefreshWindow();
        QVERIFY(f.control("Image1")->height() <= 600);

        // The help document goes beside the page; the warning lasts until one is chosen.
        auto* averto = f.control<QLabel>("lblAverto");
        QVERIFY(!averto->isVisible());
        Tick(f.control<QCheckBox>("CheckBouton"));
        QVERIFY(averto->isVisible());
        test::WriteBytes(f.source("aide.htm"), "<p>aide</p>");
        f.platform.queueOpenFile(f.source("aide.htm"));
        f.click("Command3");
        QVERIFY(!averto->isVisible());
        QCOMPARE(f.state().strOrigDocument, f.source("aide.htm"));
        QCOMPARE(f.state().strDocument, "aide.htm");
        QVERIFY(QFileInfo::exists(JoinPath(f.folder(), "aide.htm")));
        QCOMPARE(f.label("INT_lblDocumentBouton"), f.source("aide.htm"));
        QCOMPARE(f.label("INT_lblDocumentOrigBouton"), "aide.htm");

        // Not a picture: measured "0", nothing shown, no objects to add.
        test::WriteBytes(f.source("faux.gif"), "pas une image");
        f.platform.queueOpenFile(f.source("faux.gif"));
        f.click("INT_cmdOrigImageFile");
        QCOMPARE(f.state().strImageLargeur + "x" + f.state().strImageHauteur, "0x0");
        QVERIFY(!f.control("Image1")->isVisible() && !f.control("lblImgRef")->isVisible());
        QVERIFY(!f.control("cmdAjoutImage")->isEnabled());
    }

    void sameObjectTwiceGivesTwoObjects()
    {
        DragDropFixture f;
        f.ready();
        f.addObject("chat.gif");
        f.addObject("chat.gif");
        QCOMPARE(f.state().objects.size(), 2);
        for (const DragDropObject& o : f.state().objects) {
            QCOMPARE(o.source, f.source("chat.gif"));
            QCOMPARE(o.fileName, "chat.gif");
            QCOMPARE(o.tooltip, "chat");
        }
        QCOMPARE(f.tooltips(), (QStringList{"chat", "chat"}));
        QCOMPARE(f.control<QListWidget>("List2")->count(), 2);
        QCOMPARE(f.control<QListWidget>("List1")->item(1)->text(), f.source("chat.gif"));
        QCOMPARE(f.visibleFrames(), 2);
        // a.b.gif gives "a"; a name without a dot is taken whole.
        f.addObject("a.b.gif");
        f.addObject("sansnom");
        QCOMPARE(f.tooltips(), (QStringList{"chat", "chat", "a", "sansnom"}));
    }

    void addButtonStopsAtTwentyFourButMenuGoesOn()
    {
        DragDropFixture f;
        f.chooseFolder();
        f.putObjects(5);
        QVERIFY(!f.control("cmdAjoutImage")->isEnabled());  // no reference picture
        f.chooseReference();
        f.putObjects(18);
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
        QCOMPARE(f.tooltips().last(), "vingt-cinq");
        QCOMPARE(f.visibleFrames(), 24);
        QVERIFY(QFileInfo::exists(f.inImg("vingt-cinq.gif")));
    }

    void framesShowTheCopiesInImg()
    {
        DragDropFixture f;
        f.ready();
        f.addObject("rouge.png", 0xFF0000);
        f.addObject("vert.png", 0x00FF00);
        auto* frame = f.control<ObjectFrame>("Image2_0");
        QCOMPARE(frame->size(), QSize(68, 53));
        QCOMPARE(frame->pixmap().toImage().pixelColor(30, 30), QColor(255, 0, 0));
        QCOMPARE(f.control("Image2_1")->pos() - frame->pos(), QPoint(72, 0));
        QCOMPARE(f.control("Image2_12")->pos() - frame->pos(), QPoint(0, 58));
        // A new copy is picked up at the next refresh.
        QTest::qWait(20);  // a later modification time
        WritePicture(f.inImg("rouge.png"), 120, 90, 0x0000FF);
        f.window()->RefreshWindow();
        QCOMPARE(frame->pixmap().toImage().pixelColor(30, 30), QColor(0, 0, 255));
        // A missing copy hides its frame; the others keep their place.
        QFile::remove(f.inImg("rouge.png"));
        f.window()->RefreshWindow();
        QVERIFY(!frame->isVisible());
        QVERIFY(f.control("Image2_1")->isVisible());
        QCOMPARE(f.tooltips().size(), 2);
        // Unchanged pictures come from the cache.
        const int misses = PictureCache::instance().misses();
        f.window()->RefreshWindow();
        f.window()->RefreshWindow();
        QCOMPARE(PictureCache::instance().misses(), misses);
    }

    void refreshTwiceEqualsOnce()
    {
        DragDropFixture f;
        f.ready();
        f.addObject("chat.gif");
        f.state().strConsigne = "un<br>deux";
        auto snapshot = [&] {
            const DragDropState& s = f.state();
            QStringList out{s.strPageWeb, s.strTitre, s.strConsigne, s.strAffiche, s.strFileName};
            for (QLineEdit* e : f.window()->findChildren<QLineEdit*>())
                out << e->objectName() + '=' + e->text();
            for (QLabel* l : f.window()->findChildren<QLabel*>())
                out << l->objectName() + '=' + l->text() + (l->isVisible() ? "+" : "-");
            for (QCheckBox* c : f.window()->findChildren<QCheckBox*>())
                out << c->objectName() + (c->isChecked() ? "1" : "0");
            for (QWidget* w : f.window()->findChildren<QWidget*>())
                out << w->objectName() + (w->isEnabled() ? "e" : "d");
            return out << f.control<QPlainTextEdit>("INT_txtstrConsigne")->toPlainText();
        };
        f.window()->RefreshWindow();
        const QStringList once = snapshot();
        QCOMPARE(f.state().strConsigne, "un\r\ndeux");
        f.window()->RefreshWindow();
        QCOMPARE(snapshot(), once);
    }

    void loadWithCancelledDialogStillValidates()
    {
        DragDropFixture f;
        f.menu("mnuLoad")->trigger();  // nothing queued: cancelled
        QCOMPARE(f.platform.requestsOf("open").size(), 1);
        QCOMPARE(f.platform.messageTexts(), QStringList{msg::ValNoFolder});

        // A real load is validated too: its pictures are copied and shown.
        f.platform.clear();
        f.ready();
        f.addObject("chat.gif");
        const QString project = f.scratch.filePath("projet.txt");
        f.platform.queueSaveFile(project);
        f.menu("mnuSave")->trigger();
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

    void resetAsksFirst()
    {
        DragDropFixture f;
        f.ready();
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
        QCOMPARE(f.platform.requestsOf("message")[1].flags, kNotice);
        QCOMPARE(f.state().objects.size(), 0);
        QCOMPARE(f.tooltips(), QStringList());
        QCOMPARE(f.visibleFrames(), 0);
        QVERIFY(!f.control("Image1")->isVisible());
        QCOMPARE(f.box("INT_txtstrFolderName"), QString());
        QCOMPARE(f.label("INT_lblPageWebPath"), "exercice.htm");
    }

    void quitEndsWithoutAsking()
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

    void closingReturnsToLauncher()
    {
        DragDropFixture f;
        f.ctx.windows.hide("Form3");
        f.window()->close();
        QTRY_VERIFY(!f.ctx.windows.isLoaded("IForm1"));
        QVERIFY(f.ctx.windows.find("Form3")->isVisible());
        QVERIFY(!f.quitCalled);
        // Each opening starts a fresh project.
        f.state().strTitre = "ancien";
        f.ctx.windows.show("IForm1");
        QCOMPARE(f.box("INT_txtstrTitre"), "exercice");
    }
};

QTEST_MAIN(TestIForm1)
#include "test_iform1.moc"
