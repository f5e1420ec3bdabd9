// Wiring of both modules' windows: point editor (Form1), parameters (Form2),
// drag-and-drop window (IForm1) and object item dialog (InfoImg).
#include "gui/windowfixture.h"

#include "dragdrop/dragdropmodule.h"
#include "dragdrop/dragdropwindow.h"
#include "dragdrop/objectframe.h"
#include "tooltip/picturebox.h"
#include "tooltip/tooltipmodule.h"

#include <QKeySequence>
#include <QPlainTextEdit>

using namespace toravi;
using namespace toravi::test;
using namespace toravi::names;

namespace {

bool IsRed(QRgb c) { return qRed(c) > 180 && qGreen(c) < 90 && qBlue(c) < 110; }
bool IsGreen(QRgb c) { return qGreen(c) > 180 && qRed(c) < 90 && qBlue(c) < 110; }

// Whether a mark ring of that colour surrounds the pixel (x, y) of the picture box.
bool RingAround(QWidget* picture, int x, int y, bool (*colour)(QRgb))
{
    const QImage img = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return colour(img.pixel(x + 5, y)) && colour(img.pixel(x - 5, y)) && colour(img.pixel(x, y + 5)) &&
           colour(img.pixel(x, y - 5)) && !colour(img.pixel(x, y));
}

struct DragDropFixture : WindowFixture {
    DragDropFixture() : WindowFixture(kDragDrop) {}
    DragDropState& state() { return ctx.dragdrop.state; }
    void ready() { WindowFixture::ready(kDragDrop, "INT_cmdstrFolderName", "INT_cmdOrigImageFile"); }
    // Objects a, b, c... through the add button.
    void addObjects(int count)
    {
        for (int i = 0; i < count; ++i) {
            const QString name = QString(QChar('a' + i)) + ".png";
            WritePicture(source(name), 40, 30, 0x112233 * unsigned(i + 1));
            platform.queueOpenFile(source(name));
            click(kDragDrop, "cmdAjoutImage");
        }
    }
    void openItem(int frame) { QTest::mouseDClick(in(kDragDrop, QStringLiteral("Image2_%1").arg(frame)), Qt::LeftButton); }
    QLineEdit* itemText() { return in<QLineEdit>(kObjectItem, "Text1"); }
    QStringList tooltips() { return entries(kDragDrop, "ListInfoBulles"); }
};

}  // namespace

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    void shortcuts_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("request");  // what the platform is asked first
        QTest::newRow("Form1 reset") << kPointEditor << QKeySequence(Qt::SHIFT | Qt::Key_Delete) << msg::ResetQuestion;
        QTest::newRow("Form1 load") << kPointEditor << QKeySequence(Qt::CTRL | Qt::Key_L) << "open";
        QTest::newRow("Form1 save") << kPointEditor << QKeySequence(Qt::CTRL | Qt::Key_S) << "save";
        QTest::newRow("Form1 page") << kPointEditor << QKeySequence(Qt::CTRL | Qt::Key_F12) << msg::NoFolder;
        QTest::newRow("Form1 parameters") << kPointEditor << QKeySequence(Qt::CTRL | Qt::Key_P) << kParameters;
        QTest::newRow("Form2 reset") << kParameters << QKeySequence(Qt::SHIFT | Qt::Key_Delete) << msg::ResetQuestion;
        QTest::newRow("IForm1 reset") << kDragDrop << QKeySequence(Qt::SHIFT | Qt::Key_Delete) << msg::ResetQuestion;
        QTest::newRow("IForm1 load") << kDragDrop << QKeySequence(Qt::CTRL | Qt::Key_L) << "open";
        QTest::newRow("IForm1 save") << kDragDrop << QKeySequence(Qt::CTRL | Qt::Key_S) << "save";
        QTest::newRow("IForm1 page") << kDragDrop << QKeySequence(Qt::CTRL | Qt::Key_F12) << msg::NoFolder;
        QTest::newRow("IForm1 add object") << kDragDrop << QKeySequence(Qt::CTRL | Qt::Key_F9) << "open";
    }
    void shortcuts()
    {
        QFETCH(QString, window);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, request);
        WindowFixture f(window);
        if (keys == QKeySequence(Qt::CTRL | Qt::Key_F9))  // adding needs a working folder
            f.ready(kDragDrop, "INT_cmdstrFolderName", "INT_cmdOrigImageFile");
        f.platform.clear();
        QVERIFY(QTest::qWaitForWindowActive(f.window(window)));
        QTest::keySequence(f.window(window), keys);
        const ScriptedPlatform::Request first = f.platform.requests.value(0);
        QVERIFY2(first.kind == request || first.text == request || f.visible(request), qPrintable(first.text));
    }

    // Each look control into its setting, and back on screen by the refresh.
    void lookControls()
    {
        WindowFixture f(kPointEditor);
        f.trigger(kPointEditor, "mnuParam");
        f.ready(kParameters, "cmdstrFolderName", "cmdOrigImageFile");
        const struct {
            const char* control;
            QString TooltipState::*setting;
            const char* stored;  // a colour button is answered with this colour
        } rows[] = {{"CheckBaloonBold", &TooltipState::strBaloonBold, "font-weight:bold;"},
                    {"CheckBaloonItalic", &TooltipState::strBaloonItalic, "font-style:italic;"},
                    {"CheckBaloonUnderlined", &TooltipState::strBaloonUnderlined, "text-decoration:underline;"},
                    {"CheckTitelBold", &TooltipState::strTitelBold, "bold"},
                    {"CheckTitelItalic", &TooltipState::strTitelItalic, "italic"},
                    {"CheckTitelUnderline", &TooltipState::strTitelUnderline, "underlined"},
                    {"Command2", &TooltipState::strBaloonColor, "0000FF"},
                    {"cmdFonBulle", &TooltipState::strBaloonBackColor, "FFFFCC"},
                    {"cmdTitelColor", &TooltipState::strTitelColor, "008000"},
                    {"Command1", &TooltipState::strBackgroundColor, "102030"}};
        for (const auto& r : rows) {
            if (!QByteArray(r.control).startsWith("Check"))
                f.platform.queueColor(DecodeWebColor(QString::fromLatin1(r.stored)));
            f.click(kParameters, r.control);
            QCOMPARE(f.ctx.tooltip.state.*r.setting, QString::fromLatin1(r.stored));
        }
        f.choose(kParameters, "cmbBaloonSize", "16");
        f.choose(kParameters, "CmbTitelSize", "6");
        f.choose(kParameters, "cmbTitelPlacement", "droite");
        const TooltipState& s = f.ctx.tooltip.state;
        QCOMPARE(s.strBaloonSize + s.strTitelSize + s.strTitelPlacement, "166right");
        QVERIFY(f.in(kParameters, "lblTitelExemple")->font().underline());
        QCOMPARE(f.in(kParameters, "lblExemple")->palette().color(QPalette::WindowText), QColor(0, 0, 0xFF));
        f.click(kParameters, "CheckBaloonItalic");
        QVERIFY(s.strBaloonItalic.isEmpty() && !f.in(kParameters, "lblExemple")->font().italic());
    }

    // A refresh shows the state without running the controls' own handlers.
    void refreshRunsOnceAndQuietly()
    {
        WindowFixture f(kPointEditor);
        f.trigger(kPointEditor, "mnuParam");
        TooltipState& s = f.ctx.tooltip.state;
        s.strFolderName = f.folder();
        s.strTitelPlacement = "milieu";  // not a placement word
        s.strBaloonSize = "13";          // not offered by the list
        int refreshes = 0;
        QObject::connect(&f.ctx.tooltip, &TooltipModule::refreshRequested, [&refreshes] { ++refreshes; });
        f.trigger(kPointEditor, "mnuRefresh");
        QCOMPARE(refreshes, 1);
        QVERIFY(f.in<QComboBox>(kParameters, "cmbTitelPlacement")->currentText().isEmpty());
        QCOMPARE(s.strTitelPlacement + s.strBaloonSize, "milieu13");
        QCOMPARE(f.in<QLabel>(kParameters, "lblPageWebPath")->text(), JoinPath(f.folder(), "exercice.htm"));
    }

    void parametersHoldTheEditor()
    {
        WindowFixture f(kPointEditor);
        for (int round = 0; round < 2; ++round) {
            f.trigger(kPointEditor, "mnuParam");
            QVERIFY(f.visible(kParameters) && !f.window(kPointEditor)->isEnabled());
            if (round == 0)
                f.trigger(kParameters, "mnuQuit");
            else
                f.window(kParameters)->close();
            WindowFixture::settle();
            QVERIFY(!f.window(kParameters) && f.window(kPointEditor)->isEnabled());
        }
        // Only the folder is usable before there is one; then everything is.
        f.trigger(kPointEditor, "mnuParam");
        QWidget* form2 = f.window(kParameters);
        QVERIFY(f.in(kParameters, "cmdstrFolderName")->isEnabled() && !f.in(kParameters, "txtPageWeb")->isEnabled());
        f.ready(kParameters, "cmdstrFolderName", "cmdOrigImageFile");
        for (QWidget* w : form2->findChildren<QWidget*>())
            QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
        // Valider: the editor back, showing the picture without its hint.
        f.click(kParameters, "cmdValider");
        WindowFixture::settle();
        QVERIFY(!f.window(kParameters) && f.window(kPointEditor)->isEnabled());
        QVERIFY(f.in<PictureBox>(kPointEditor, "Picture1")->holdsPicture());
        QVERIFY(!f.in(kPointEditor, "Label2")->isVisible());
    }

    void pointsByClickAndList()
    {
        WindowFixture f(kPointEditor);
        auto* picture = f.in<PictureBox>(kPointEditor, "Picture1");
        for (auto [x, y, name] : {std::tuple{10, 10, "Un"}, {20, 20, ""}, {30, 30, "Trois"}}) {
            f.platform.queueInput(name);  // a cancelled prompt still adds the point
            QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(x, y));
        }
        QCOMPARE(f.entries(kPointEditor, "List1"), (QStringList{"10", "20", "30"}));
        QCOMPARE(f.entries(kPointEditor, "List2"), (QStringList{"16", "26", "36"}));
        QCOMPARE(f.entries(kPointEditor, "List3"), (QStringList{"Un", "", "Trois"}));
        QVERIFY(RingAround(picture, 20, 20, IsRed));

        // Enter corrects the selected name, its mark green while asking; an empty answer keeps it.
        auto* names = f.in<QListWidget>(kPointEditor, "List3");
        bool green = false;
        f.platform.onInput = [&] { green = RingAround(picture, 30, 30, IsGreen) && RingAround(picture, 10, 10, IsRed); };
        names->setCurrentRow(2);
        f.platform.queueInput("Trois bis");
        QTest::keyClick(names, Qt::Key_Return);
        QVERIFY(green);
        QCOMPARE(f.platform.requestsOf("input").last().defaultText, "Trois");
        names->setCurrentRow(0);
        f.platform.queueInput(QString());
        QTest::keyClick(names, Qt::Key_Return);
        QCOMPARE(f.entries(kPointEditor, "List3"), (QStringList{"Un", "", "Trois bis"}));
        QVERIFY(RingAround(picture, 30, 30, IsRed));

        // Delete asks first; Yes removes the point from all three lists and its mark.
        names->setCurrentRow(1);
        f.platform.queueMessage(IDNO);
        QTest::keyClick(names, Qt::Key_Delete);
        QCOMPARE(f.entries(kPointEditor, "List3").size(), 3);
        f.platform.queueMessage(IDYES);
        QTest::keyClick(names, Qt::Key_Delete);
        QCOMPARE(f.entries(kPointEditor, "List1"), (QStringList{"10", "30"}));
        QCOMPARE(f.entries(kPointEditor, "List2"), (QStringList{"16", "36"}));
        QVERIFY(!RingAround(picture, 20, 20, IsRed));
        // Nothing selected: neither key asks anything.
        names->clearSelection();
        names->setCurrentRow(-1);
        f.platform.clear();
        QTest::keyClick(names, Qt::Key_Delete);
        QTest::keyClick(names, Qt::Key_Return);
        QVERIFY(f.platform.requests.isEmpty());
    }

    // Each control into its setting, and back on screen by the refresh.
    void controls()
    {
        DragDropFixture f;
        QVERIFY(!f.in(kDragDrop, "INT_txtPageWeb")->isEnabled() && !f.in(kDragDrop, "CheckBouton")->isEnabled());
        f.ready();
        const struct {
            const char* control;
            QString DragDropState::*setting;
            const char* stored;  // a colour button is answered with this colour
        } rows[] = {{"CheckBouton", &DragDropState::strBouton, "Vrai"},
                    {"CheckTransparence", &DragDropState::strTransparence, "Vrai"},
                    {"CheckImgAlt", &DragDropState::strImgAlt, "vrai"},
                    {"CheckImgTransparent", &DragDropState::strImgTransparent, "vrai"},
                    {"CheckTitelBold", &DragDropState::strTitelBold, "bold"},
                    {"CheckTitelItalic", &DragDropState::strTitelItalic, "italic"},
                    {"CheckTitelUnderline", &DragDropState::strTitelUnderline, "underlined"},
                    {"INT_CheckTextBold", &DragDropState::strTextBold, "font-weight:bold;"},
                    {"INT_CheckTextItalic", &DragDropState::strTextItalic, "font-style:italic;"},
                    {"INT_CheckTextUnderlined", &DragDropState::strTextUnderlined, "text-decoration:underline;"},
                    {"INT_Command1", &DragDropState::strBackgroundColor, "FF0000"},
                    {"cmdFonTexte", &DragDropState::strTextBackColor, "00FF00"},
                    {"cmdTitelColor", &DragDropState::strTitelColor, "0000FF"},
                    {"Command1", &DragDropState::strTableColor, "563412"},
                    {"Command2", &DragDropState::strTextColor, "996633"}};
        for (const auto& r : rows) {
            if (!QByteArray(r.control).contains("Check"))
                f.platform.queueColor(DecodeWebColor(QString::fromLatin1(r.stored)));
            f.click(kDragDrop, r.control);
            QCOMPARE(f.state().*r.setting, QString::fromLatin1(r.stored));
        }
        f.choose(kDragDrop, "CmbTitelSize", "30");
        f.choose(kDragDrop, "INT_cmbTextSize", "10");
        f.choose(kDragDrop, "cmbScriptPlacement", "droite");
        QCOMPARE(f.state().strTitelSize + f.state().strTextSize + f.state().strScriptPlacement, "3010droite");
        for (const char* example : {"lblExemple", "lblTitelExemple"}) {
            const QFont font = f.in(kDragDrop, example)->font();
            QVERIFY(font.bold() && font.italic() && font.underline());
        }
        QCOMPARE(f.in(kDragDrop, "lblTitelExemple")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(f.in(kDragDrop, "ListInfoBulles")->isEnabled());
        f.click(kDragDrop, "CheckImgAlt");
        QVERIFY(!f.in(kDragDrop, "ListInfoBulles")->isEnabled());
        // Typed texts go straight into the state; the instruction keeps CR LF.
        auto* consigne = f.in<QPlainTextEdit>(kDragDrop, "INT_txtstrConsigne");
        consigne->selectAll();
        QTest::keyClicks(consigne, "un");
        QTest::keyClick(consigne, Qt::Key_Return);
        QTest::keyClicks(consigne, "deux");
        QCOMPARE(f.state().strConsigne, "un\r\ndeux");
    }

    // A refresh shows the state without the controls' handlers writing back into it.
    void refreshIsQuiet()
    {
        DragDropFixture f;
        f.state().strTextSize = "13";  // not offered by the list
        f.state().strConsigne = "un<br>deux";
        qobject_cast<DragDropWindow*>(f.window(kDragDrop))->RefreshWindow();
        QCOMPARE(f.state().strTextSize + f.state().strConsigne, "13un\r\ndeux");
        QCOMPARE(f.in<QComboBox>(kDragDrop, "INT_cmbTextSize")->currentText(), QString());
    }

    // The add button stops at 24 objects; Ctrl+F9 goes on, without a frame.
    void twentyFourFrames()
    {
        DragDropFixture f;
        f.ready();
        f.addObjects(24);
        QVERIFY(!f.in(kDragDrop, "cmdAjoutImage")->isEnabled());
        QVERIFY(f.in<ObjectFrame>(kDragDrop, "Image2_23")->isVisible());
        f.platform.queueOpenFile(f.source("a.png"));
        f.trigger(kDragDrop, "mnuAjouterObjet");
        QCOMPARE(f.tooltips().size(), 25);
    }

    void objectItemDialog()
    {
        DragDropFixture f;
        f.ready();
        f.addObjects(6);
        f.openItem(5);
        QVERIFY(f.visible(kObjectItem) && !f.window(kObjectItem)->isModal());
        QCOMPARE(f.itemText()->text(), "f");
        // Another object while open: the same dialog moves on to it.
        QWidget* dialog = f.window(kObjectItem);
        f.openItem(4);
        QCOMPARE(f.window(kObjectItem), dialog);
        QCOMPARE(f.itemText()->text(), "e");
        f.itemText()->setText("cinquième");
        f.click(kObjectItem, "cmdValid");
        QVERIFY(!f.window(kObjectItem));
        // Enter modifies too.
        f.openItem(0);
        f.itemText()->setText("premier");
        QTest::keyClick(f.itemText(), Qt::Key_Return);
        QCOMPARE(f.tooltips(), (QStringList{"premier", "b", "c", "d", "cinquième", "f"}));
        // Delete: No keeps the dialog on its object, Yes removes it.
        f.openItem(1);
        f.platform.queueMessage(IDNO);
        f.click(kObjectItem, "cmdSuppr");
        QVERIFY(f.visible(kObjectItem));
        f.platform.queueMessage(IDYES);
        f.click(kObjectItem, "cmdSuppr");
        QCOMPARE(f.tooltips(), (QStringList{"premier", "c", "d", "cinquième", "f"}));
        QVERIFY(!f.window(kObjectItem));
        // The tooltip list, once on, opens its entry.
        f.click(kDragDrop, "CheckImgAlt");
        auto* list = f.in<QListWidget>(kDragDrop, "ListInfoBulles");
        const QPoint at = list->visualItemRect(list->item(2)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(f.itemText()->text(), "d");
    }

    // Another project, or a reset, takes the dialog's object away: the dialog goes
    // rather than write its text onto whatever object took its place.
    void objectItemDialogFollowsItsObject()
    {
        DragDropFixture f;
        f.ready();
        f.addObjects(6);
        const QString first = f.scratch.filePath("premier.txt"), other = f.scratch.filePath("autre.txt");
        f.platform.queueSaveFile(first);
        f.trigger(kDragDrop, "mnuSave");
        f.state().objects[5].tooltip = "autre";
        f.platform.queueSaveFile(other);
        f.trigger(kDragDrop, "mnuSave");

        f.openItem(5);
        f.itemText()->setText("texte périmé");
        f.platform.queueOpenFile(other);  // the same project: the object is still there
        f.trigger(kDragDrop, "mnuLoad");
        QVERIFY(f.visible(kObjectItem));
        f.platform.queueOpenFile(first);  // another object at that place
        f.trigger(kDragDrop, "mnuLoad");
        QVERIFY(!f.window(kObjectItem));
        QCOMPARE(f.tooltips().value(5), "f");

        f.openItem(5);
        f.platform.queueMessage(IDYES);
        f.trigger(kDragDrop, "mnuReinit");
        QVERIFY(!f.window(kObjectItem));
        QVERIFY(f.state().objects.isEmpty());
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
