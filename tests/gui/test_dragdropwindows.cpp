// Wiring of the drag-and-drop window (IForm1) and its object item dialog (InfoImg).
#include "gui/windowfixture.h"

#include "dragdrop/dragdropmodule.h"
#include "dragdrop/dragdropwindow.h"
#include "dragdrop/objectframe.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QKeySequence>

using namespace toravi;
using namespace toravi::test;
using names::kDragDrop;
using names::kObjectItem;

namespace {

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

class TestDragDropWindows : public QObject {
    Q_OBJECT
private slots:
    void shortcuts_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("request");  // what the platform is asked first
        QTest::newRow("reset") << QKeySequence(Qt::SHIFT | Qt::Key_Delete) << msg::ResetQuestion;
        QTest::newRow("load") << QKeySequence(Qt::CTRL | Qt::Key_L) << "open";
        QTest::newRow("save") << QKeySequence(Qt::CTRL | Qt::Key_S) << "save";
        QTest::newRow("page") << QKeySequence(Qt::CTRL | Qt::Key_F12) << msg::NoFolder;
        QTest::newRow("add object") << QKeySequence(Qt::CTRL | Qt::Key_F9) << "open";
    }
    void shortcuts()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(QString, request);
        DragDropFixture f;
        if (keys == QKeySequence(Qt::CTRL | Qt::Key_F9))
            f.ready();  // adding needs a working folder
        f.platform.clear();
        QVERIFY(QTest::qWaitForWindowActive(f.window(kDragDrop)));
        QTest::keySequence(f.window(kDragDrop), keys);
        if (request == "open" || request == "save")
            QCOMPARE(f.platform.requests.value(0).kind, request);
        else
            QCOMPARE(f.platform.messageTexts().value(0), request);
    }

    // Each control into its setting, and back on screen by the refresh.
    void controls()
    {
        DragDropFixture f;
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

    // A refresh changes nothing in the state it shows, however often it runs.
    void refreshIsQuiet()
    {
        DragDropFixture f;
        f.ready();
        f.addObjects(2);
        f.state().strTextSize = "13";  // not offered by the list
        f.state().strConsigne = "un<br>deux";
        auto* window = qobject_cast<DragDropWindow*>(f.window(kDragDrop));
        window->RefreshWindow();
        const DragDropState once = f.state();
        window->RefreshWindow();
        QCOMPARE(f.state().strTextSize, "13");
        QCOMPARE(f.state().strConsigne, once.strConsigne);
        QCOMPARE(f.in<QComboBox>(kDragDrop, "INT_cmbTextSize")->currentText(), QString());
        QCOMPARE(f.tooltips(), (QStringList{"a", "b"}));
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

QTEST_MAIN(TestDragDropWindows)
#include "test_dragdropwindows.moc"
