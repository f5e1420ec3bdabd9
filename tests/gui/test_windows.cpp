// Wiring of both modules' windows: point editor (Form1), parameters (Form2),
// drag-and-drop window (IForm1) and object item dialog (InfoImg).
#include "files/files.h"
#include "gui/windowfixture.h"
#include "pages/publish.h"

#include "dragdrop/objectframe.h"
#include "pages/colors.h"
#include "tooltip/picturebox.h"

#include <QGraphicsView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QUndoStack>

using namespace toravi;
using namespace toravi::test;
using namespace toravi::names;

namespace {

bool IsRed(QRgb c) { return qRed(c) > 180 && qGreen(c) < 90 && qBlue(c) < 110; }
bool IsGreen(QRgb c) { return qGreen(c) > 180 && qRed(c) < 90 && qBlue(c) < 110; }

// Whether a mark ring of that colour surrounds the pixel (x, y) of the picture box.
bool MarkAt(QWidget* picture, int x, int y, bool (*colour)(QRgb))
{
    const QImage img = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return colour(img.pixel(x + 5, y)) && colour(img.pixel(x - 5, y)) && colour(img.pixel(x, y + 5)) &&
           colour(img.pixel(x, y - 5)) && !colour(img.pixel(x, y));
}

}  // namespace

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    // Both exports of both modules are on the Projet menu.
    void exportMenus()
    {
        for (const QString& w : {kPointEditor, kDragDrop})
            for (const char* entry : {"mnuUnFichier", "mnuScorm"}) {
                WindowFixture f(w);
                f.platform.clear();
                f.trigger(w, entry);
                QCOMPARE(f.platform.requests.value(0).text, msg::NoFolder);
            }
    }

    // Form2 holds Form1 disabled while open. Each control of both modules' look goes into its
    // setting and onto its sample; a refresh runs once and shows the state without the
    // controls' handlers writing back into it.
    void controlsAndQuietRefresh()
    {
        WindowFixture f(kPointEditor);
        f.trigger(kPointEditor, "mnuParam");
        QVERIFY(f.visible(kParameters) && !f.window(kPointEditor)->isEnabled());
        f.ctx.windows.show(kDragDrop);
        // Only the folder is usable before there is one; then everything in Form2 is.
        QVERIFY(f.in(kParameters, "cmdstrFolderName")->isEnabled() && !f.in(kParameters, "txtPageWeb")->isEnabled());
        QVERIFY(!f.in(kDragDrop, "CheckBouton")->isEnabled());
        f.ready(kParameters);
        for (QWidget* w : f.window(kParameters)->findChildren<QWidget*>())
            QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
        f.ready(kDragDrop);
        TooltipState& t = f.ctx.tooltip.state;
        DragDropState& d = f.ctx.dragdrop.state;
        const struct {
            QString window;
            const char* control;
            QString* setting;
            const char* stored;          // a colour button is answered with this colour
            const char* item = nullptr;  // the entry chosen in a list
        } rows[] = {{kParameters, "CheckBaloonBold", &t.strBaloonBold, "font-weight:bold;"},
                    {kParameters, "CheckBaloonItalic", &t.strBaloonItalic, "font-style:italic;"},
                    {kParameters, "CheckBaloonUnderlined", &t.strBaloonUnderlined, "text-decoration:underline;"},
                    {kParameters, "CheckTitelBold", &t.strTitelBold, "bold"},
                    {kParameters, "CheckTitelItalic", &t.strTitelItalic, "italic"},
                    {kParameters, "CheckTitelUnderline", &t.strTitelUnderline, "underlined"},
                    {kParameters, "Command2", &t.strBaloonColor, "0000FF"},
                    {kParameters, "cmdFonBulle", &t.strBaloonBackColor, "FFFFCC"},
                    {kParameters, "cmdTitelColor", &t.strTitelColor, "008000"},
                    {kParameters, "Command1", &t.strBackgroundColor, "102030"},
                    {kParameters, "cmbBaloonSize", &t.strBaloonSize, "16", "16"},
                    {kParameters, "CmbTitelSize", &t.strTitelSize, "6", "6"},
                    {kParameters, "cmbTitelPlacement", &t.strTitelPlacement, "right", "droite"},
                    {kParameters, "CheckAdapter", &t.strAdapter, "faux"},  // ticked by default
                    {kDragDrop, "CheckBouton", &d.strBouton, "Vrai"},
                    {kDragDrop, "CheckTransparence", &d.strTransparence, "Vrai"},
                    {kDragDrop, "CheckImgAlt", &d.strImgAlt, "vrai"},
                    {kDragDrop, "CheckImgTransparent", &d.strImgTransparent, "vrai"},
                    {kDragDrop, "INT_CheckAdapter", &d.strAdapter, "faux"},
                    {kDragDrop, "CheckTitelBold", &d.strTitelBold, "bold"},
                    {kDragDrop, "CheckTitelItalic", &d.strTitelItalic, "italic"},
                    {kDragDrop, "CheckTitelUnderline", &d.strTitelUnderline, "underlined"},
                    {kDragDrop, "INT_CheckTextBold", &d.strTextBold, "font-weight:bold;"},
                    {kDragDrop, "INT_CheckTextItalic", &d.strTextItalic, "font-style:italic;"},
                    {kDragDrop, "INT_CheckTextUnderlined", &d.strTextUnderlined, "text-decoration:underline;"},
                    {kDragDrop, "INT_Command1", &d.strBackgroundColor, "FF0000"},
                    {kDragDrop, "cmdFonTexte", &d.strTextBackColor, "00FF00"},
                    {kDragDrop, "cmdTitelColor", &d.strTitelColor, "0000FF"},
                    {kDragDrop, "Command1", &d.strTableColor, "563412"},
                    {kDragDrop, "Command2", &d.strTextColor, "996633"},
                    {kDragDrop, "CmbTitelSize", &d.strTitelSize, "30", "30"},
                    {kDragDrop, "INT_cmbTextSize", &d.strTextSize, "10", "10"},
                    {kDragDrop, "cmbScriptPlacement", &d.strScriptPlacement, "droite", "droite"}};
        for (const auto& r : rows) {
            if (!r.item && !QByteArray(r.control).contains("Check"))
                f.platform.queueColor(DecodeWebColor(QString::fromLatin1(r.stored)));
            r.item ? f.choose(r.window, r.control, r.item) : f.click(r.window, r.control);
            QVERIFY2(*r.setting == QLatin1String(r.stored), r.control);
        }
        for (auto [window, sample, colour] : {std::tuple{kParameters, "lblExemple", 0x0000FF},
                                              {kParameters, "lblTitelExemple", 0x008000},
                                              {kDragDrop, "lblExemple", 0x996633},
                                              {kDragDrop, "lblTitelExemple", 0x0000FF}}) {
            const QWidget* label = f.in(window, sample);
            QVERIFY2(label->font().bold() && label->font().italic() && label->font().underline(), sample);
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(QRgb(colour)));
        }
        f.click(kParameters, "CheckBaloonItalic");
        QVERIFY(t.strBaloonItalic.isEmpty() && !f.in(kParameters, "lblExemple")->font().italic());
        // Typed texts go straight into the state; the instruction keeps CR LF.
        auto* consigne = f.in<QPlainTextEdit>(kDragDrop, "INT_txtstrConsigne");
        consigne->selectAll();
        QTest::keyClicks(consigne, "un");
        QTest::keyClick(consigne, Qt::Key_Return);
        QTest::keyClicks(consigne, "deux");
        QCOMPARE(d.strConsigne, "un\r\ndeux");
        t.strFolderName = f.scratch.filePath("autre");
        t.strTitelPlacement = "milieu";          // not a placement word
        t.strBaloonSize = d.strTextSize = "13";  // not offered by the lists
        d.strConsigne = "un<br>deux";
        int refreshes = 0;
        QObject::connect(&f.ctx.tooltip, &TooltipModule::refreshRequested, [&refreshes] { ++refreshes; });
        f.trigger(kPointEditor, "mnuRefresh");
        emit f.ctx.dragdrop.refreshRequested();
        QCOMPARE(refreshes, 1);
        QVERIFY(f.in<QComboBox>(kParameters, "cmbTitelPlacement")->currentText().isEmpty());
        QVERIFY(f.in<QComboBox>(kDragDrop, "INT_cmbTextSize")->currentText().isEmpty());
        QCOMPARE(t.strTitelPlacement + t.strBaloonSize + d.strTextSize + d.strConsigne, "milieu1313un\r\ndeux");
        QCOMPARE(f.in<QLabel>(kParameters, "lblPageWebPath")->text(), JoinPath(t.strFolderName, "exercice.htm"));
        f.trigger(kParameters, "mnuQuit");  // as closing it or "Valider"
        WindowFixture::settle();
        QVERIFY(!f.window(kParameters) && f.window(kPointEditor)->isEnabled());
    }

    void pointsByClickAndList()
    {
        WindowFixture f(kPointEditor);
        auto* picture = f.in<PictureBox>(kPointEditor, "Picture1");
        const QStringList lists{"List1", "List2", "List3"};  // x, y and name of every point
        for (auto [x, y, name] : {std::tuple{10, 10, "Un"}, {20, 20, ""}, {30, 30, "Trois"}}) {
            f.platform.queueInput(name);  // a cancelled prompt still adds the point
            QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(x, y));
        }
        QCOMPARE(f.entries(kPointEditor, lists), (QStringList{"10", "20", "30", "16", "26", "36", "Un", "", "Trois"}));
        QVERIFY(MarkAt(picture, 20, 20, IsRed));
        // Enter corrects the selected name, its mark green while asking; an empty answer keeps it.
        auto* names = f.in<QListWidget>(kPointEditor, "List3");
        bool green = false;
        f.platform.onInput = [&] { green = MarkAt(picture, 30, 30, IsGreen) && MarkAt(picture, 10, 10, IsRed); };
        names->setCurrentRow(2);
        f.platform.queueInput("Trois bis");
        QTest::keyClick(names, Qt::Key_Return);
        QVERIFY(green);
        QCOMPARE(f.platform.requestsOf("input").last().defaultText, "Trois");
        names->setCurrentRow(0);
        f.platform.queueInput(QString());
        QTest::keyClick(names, Qt::Key_Return);
        QVERIFY(MarkAt(picture, 30, 30, IsRed));
        // Delete asks first; Yes removes the point from all three lists and its mark.
        names->setCurrentRow(1);
        f.platform.queueMessage(IDNO);
        QTest::keyClick(names, Qt::Key_Delete);
        f.platform.queueMessage(IDYES);
        QTest::keyClick(names, Qt::Key_Delete);
        QCOMPARE(f.entries(kPointEditor, lists), (QStringList{"10", "30", "16", "36", "Un", "Trois bis"}));
        QVERIFY(!MarkAt(picture, 20, 20, IsRed));
        // Nothing selected: neither key asks anything.
        names->setCurrentRow(-1);
        f.platform.clear();
        QTest::keyClick(names, Qt::Key_Delete);
        QTest::keyClick(names, Qt::Key_Return);
        QVERIFY(f.platform.requests.isEmpty());
    }

    // The add button stops at 24 objects, Ctrl+F9 goes on without a frame; a frame opens its object.
    void objectItemDialog()
    {
        WindowFixture f(kDragDrop);
        f.ready(kDragDrop);
        f.addObjects(24);
        QVERIFY(!f.in(kDragDrop, "cmdAjoutImage")->isEnabled());
        QVERIFY(f.in<ObjectFrame>(kDragDrop, "Image2_23")->isVisible());
        f.platform.queueOpenFile(f.source("a.png"));
        f.trigger(kDragDrop, "mnuAjouterObjet");
        QCOMPARE(f.tooltips().size(), 25);
        f.openItem(5);
        QVERIFY(f.visible(kObjectItem) && !f.window(kObjectItem)->isModal());
        QCOMPARE(f.itemText()->text(), "f");
        f.openItem(4);  // another object while open: the dialog moves on to it
        QCOMPARE(f.itemText()->text(), "e");
        f.itemText()->setText("cinquième");
        f.click(kObjectItem, "cmdValid");
        QVERIFY(!f.window(kObjectItem));
        // Enter modifies too.
        f.openItem(0);
        f.itemText()->setText("premier");
        QTest::keyClick(f.itemText(), Qt::Key_Return);
        QCOMPARE(f.tooltips().first(6), (QStringList{"premier", "b", "c", "d", "cinquième", "f"}));
        f.openItem(1);  // delete, once confirmed
        f.platform.queueMessage(IDYES);
        f.click(kObjectItem, "cmdSuppr");
        QCOMPARE(f.tooltips().first(5), (QStringList{"premier", "c", "d", "cinquième", "f"}));
        QVERIFY(!f.window(kObjectItem));
        // The tooltip list, once on, opens its entry.
        auto* list = f.in<QListWidget>(kDragDrop, "ListInfoBulles");
        QVERIFY(!list->isEnabled());
        f.click(kDragDrop, "CheckImgAlt");
        const QPoint at = list->visualItemRect(list->item(2)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(f.itemText()->text(), "d");
    }

    // Another project, or a reset, takes the dialog's object away: the dialog goes
    // rather than write its text onto whatever object took its place.
    void objectItemDialogFollowsItsObject()
    {
        WindowFixture f(kDragDrop);
        f.ready(kDragDrop);
        f.addObjects(6);
        const QString project = f.scratch.filePath("projet.txt");
        f.platform.queueSaveFile(project);
        f.trigger(kDragDrop, "mnuSave");
        f.ctx.dragdrop.state.objects[5].tooltip = "autre";
        f.openItem(5);
        f.itemText()->setText("texte périmé");
        f.platform.queueOpenFile(project);  // another object at that place
        f.trigger(kDragDrop, "mnuLoad");
        QVERIFY(!f.window(kObjectItem));
        QCOMPARE(f.tooltips().value(5), "f");
        WindowFixture::settle();
        f.openItem(5);
        f.platform.queueOpenFile(project);  // the same project: the object is still there
        f.trigger(kDragDrop, "mnuLoad");
        QVERIFY(f.visible(kObjectItem));
        f.platform.queueMessage(IDYES);
        f.trigger(kDragDrop, "mnuReinit");
        QVERIFY(!f.window(kObjectItem));
        QVERIFY(f.ctx.dragdrop.state.objects.isEmpty());
    }

    // Dragged onto the scene, an object gets its place there; let go above it, it goes back
    // to its row. The keys move it by 1 or 10 pixels, Delete takes its place away.
    void placesWindow()
    {
        WindowFixture f(kDragDrop);
        f.ready(kDragDrop);
        f.addObjects(2);
        f.trigger(kDragDrop, "mnuPlaces");
        QVERIFY(f.visible(kPlaces) && f.window(kPlaces)->isModal());
        auto* view = f.in<QGraphicsView>(kPlaces, "PlacesView");
        const QList<DragDropObject>& objects = f.ctx.dragdrop.state.objects;
        auto drag = [&](QPoint from, QPoint to) {
            QTest::mousePress(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(from));
            QTest::mouseMove(view->viewport(), view->mapFromScene((from + to) / 2));
            QTest::mouseMove(view->viewport(), view->mapFromScene(to));
            QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(to));
        };
        // The row is 30 high, the scene starts 24 below it: object b sits at (42, 0).
        drag({50, 10}, {108, 164});
        QCOMPARE(objects[1].place, QPoint(100, 100));
        QTest::keyClick(view->viewport(), Qt::Key_Right);
        QTest::keyClick(view->viewport(), Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(objects[1].place, QPoint(101, 90));
        drag({120, 150}, {120, 40});
        QVERIFY(!objects[1].place);
        drag({10, 10}, {675, 565});  // over the scene's corner: kept inside it
        QCOMPARE(objects[0].place, QPoint(660, 495));
        QTest::keyClick(view->viewport(), Qt::Key_Delete);
        QVERIFY(!objects[0].place);
        QTest::keyClick(view->viewport(), Qt::Key_Tab);  // the keyboard reaches the next object
        QTest::keyClick(view->viewport(), Qt::Key_Down);
        QCOMPARE(objects[1].place, QPoint(42, 0));
        f.click(kPlaces, "CheckVerifier");
        f.in<QSpinBox>(kPlaces, "txtTolerance")->setValue(12);
        QCOMPARE(f.ctx.dragdrop.state.strVerifier, "vrai");
        QCOMPARE(f.ctx.dragdrop.state.strTolerance, "12");
    }

    // A misplaced point dragged to its place; a click on a mark selects it; the arrows move it;
    // each step undone and redone from the keys and the Édition menu; the unsaved marker follows.
    void dragPointsUndoRedo()
    {
        WindowFixture f(kPointEditor);
        QWidget* form1 = f.window(kPointEditor);
        QVERIFY(QTest::qWaitForWindowActive(form1));
        auto* picture = f.in<PictureBox>(kPointEditor, "Picture1");
        auto* names = f.in<QListWidget>(kPointEditor, "List3");
        auto points = [&] { return f.entries(kPointEditor, {"List1", "List2", "List3"}); };
        for (auto [x, y, name] : {std::tuple{10, 10, "Le phare"}, {100, 100, "La forêt"}}) {
            f.platform.queueInput(name);
            QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(x, y));
        }
        QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(11, 9));
        QTest::mouseMove(picture, QPoint(30, 25));
        QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(41, 29));
        QCOMPARE(points(), (QStringList{"40", "100", "36", "106", "Le phare", "La forêt"}));
        f.platform.clear();
        QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(101, 99));
        QVERIFY(f.platform.requests.isEmpty() && names->currentRow() == 1 && MarkAt(picture, 100, 100, IsGreen));
        QTest::keyClick(picture, Qt::Key_Right);
        QTest::keyClick(picture, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(points().mid(0, 4), (QStringList{"40", "101", "36", "116"}));
        QCOMPARE(f.in<QAction>(kPointEditor, "mnuAnnuler")->text(), "Annuler : déplacer le point « La forêt »");

        QTest::keySequence(form1, QKeySequence("Ctrl+Z"));  // both key moves at once
        QCOMPARE(points().mid(0, 4), (QStringList{"40", "100", "36", "106"}));
        f.trigger(kPointEditor, "mnuAnnuler");
        QCOMPARE(points().mid(0, 4), (QStringList{"10", "100", "16", "106"}));
        QTest::keySequence(form1, QKeySequence("Ctrl+Y"));
        QTest::keySequence(form1, QKeySequence("Ctrl+Shift+Z"));
        QCOMPARE(points().mid(0, 4), (QStringList{"40", "101", "36", "116"}));

        const QString saved = f.scratch.filePath("p.txt");
        f.platform.queueSaveFile(saved);
        f.trigger(kPointEditor, "mnuSave");
        QVERIFY(!form1->isWindowModified());
        f.trigger(kPointEditor, "mnuAnnuler");
        QVERIFY(form1->isWindowModified());
        f.trigger(kPointEditor, "mnuRetablir");
        QVERIFY(!form1->isWindowModified());
    }

    // A title typed is one step; the field's own Ctrl+Z while typing, the window's after.
    void dragDropUndoRedo()
    {
        WindowFixture f(kDragDrop);
        QVERIFY(QTest::qWaitForWindowActive(f.window(kDragDrop)));
        f.ready(kDragDrop);
        QUndoStack& history = f.ctx.dragdrop.History();
        const int steps = history.count();
        auto* title = f.in<QLineEdit>(kDragDrop, "INT_txtstrTitre");
        title->setFocus();
        title->end(false);
        QTest::keyClicks(title, "Ma");
        QTest::keySequence(title, QKeySequence("Ctrl+Z"));
        QVERIFY(title->text() != "exerciceMa" && history.count() == steps);
        QTest::keyClicks(title, "Mon");
        QTest::keyClick(title, Qt::Key_Return);
        QCOMPARE(history.count(), steps + 1);
        QTest::keySequence(title, QKeySequence("Ctrl+Z"));
        QCOMPARE(title->text(), "exercice");
        QTest::keySequence(title, QKeySequence("Ctrl+Y"));
        QVERIFY(title->text().endsWith("Mon"));
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
