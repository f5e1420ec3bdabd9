// The object item dialog, opened from the frames and the tooltip list.
#include "dragdropfixture.h"

using namespace toravi;
using namespace toravi::test;

namespace {

// Objects a to f, in frames 0 to 5.
void sixObjects(DragDropFixture& f)
{
    f.ready();
    for (const char* n : {"a.png", "b.png", "c.png", "d.png", "e.png", "f.png"})
        f.addObject(n);
}

void open(DragDropFixture& f, int frame)
{
    QTest::mouseDClick(f.control(QStringLiteral("Image2_%1").arg(frame)), Qt::LeftButton);
}

void press(DragDropFixture& f, const char* button) { QTest::mouseClick(f.item<QPushButton>(button), Qt::LeftButton); }

}  // namespace

class TestInfoImg : public QObject {
    Q_OBJECT

private slots:
    void doubleClickOnFrameFiveOpensTheSixthObject()
    {
        DragDropFixture f;
        sixObjects(f);
        open(f, 5);
        QVERIFY(f.dialog() && f.dialog()->isVisible() && !f.dialog()->isModal());
        QCOMPARE(f.state().intSelectedItem, 5);
        QCOMPARE(f.item<QLineEdit>("Text1")->text(), "f");
        // The window stays usable beside it.
        QTest::keyClicks(f.control("INT_txtstrTitre"), "+");
        QCOMPARE(f.state().strTitre, "exercice+");

        // Another object while open: the same dialog, now on that object.
        QPointer<ObjectItemDialog> first = f.dialog();
        open(f, 4);
        QCOMPARE(f.dialog(), first.data());
        QCOMPARE(f.item<QLineEdit>("Text1")->text(), "e");
        f.item<QLineEdit>("Text1")->setText("cinquième");
        press(f, "cmdValid");
        QCOMPARE(f.tooltips(), (QStringList{"a", "b", "c", "d", "cinquième", "f"}));
    }

    void modifyWithEnterButtonOrEmpty()
    {
        DragDropFixture f;
        sixObjects(f);
        open(f, 2);
        auto* text = f.item<QLineEdit>("Text1");
        text->selectAll();
        QTest::keyClicks(text, "le chat, noir");
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(f.state().objects[2].tooltip, "le chat, noir");
        QVERIFY(!f.ctx.windows.isLoaded("InfoImg"));

        open(f, 3);
        f.item<QLineEdit>("Text1")->setText("la souris");
        press(f, "cmdValid");
        QVERIFY(!f.ctx.windows.isLoaded("InfoImg"));
        open(f, 0);
        f.item<QLineEdit>("Text1")->clear();
        press(f, "cmdValid");
        QCOMPARE(f.tooltips(), (QStringList{"", "b", "le chat, noir", "la souris", "e", "f"}));
        QCOMPARE(f.state().objects.size(), 6);
        QCOMPARE(f.platform.messageTexts(), QStringList());
    }

    void deleteFirstOfThree()
    {
        DragDropFixture f;
        f.ready();
        f.addObject("un.png", 0xFF0000);
        f.addObject("deux.png", 0x00FF00);
        f.addObject("trois.png", 0x0000FF);
        open(f, 0);
        f.platform.queueMessage(IDYES);
        press(f, "cmdSuppr");
        QCOMPARE(f.platform.messageTexts(), QStringList{msg::DeleteQuestion});
        QCOMPARE(f.platform.requestsOf("message")[0].flags, kConfirm);
        QCOMPARE(f.tooltips(), (QStringList{"deux", "trois"}));
        QCOMPARE(f.control<QListWidget>("List2")->item(0)->text(), "deux.png");
        QCOMPARE(f.control<QListWidget>("List1")->item(1)->text(), f.source("trois.png"));
        QCOMPARE(f.visibleFrames(), 2);
        QCOMPARE(f.control<ObjectFrame>("Image2_0")->pixmap().toImage().pixelColor(30, 30), QColor(0, 255, 0));
        QCOMPARE(f.control<ObjectFrame>("Image2_1")->pixmap().toImage().pixelColor(30, 30), QColor(0, 0, 255));
        QVERIFY(!f.ctx.windows.isLoaded("InfoImg"));
        QVERIFY(QFileInfo::exists(f.inImg("un.png")));  // the copy stays
    }

    void noToTheDeletionKeepsEverything()
    {
        DragDropFixture f;
        sixObjects(f);
        open(f, 1);
        f.platform.queueMessage(IDNO);
        press(f, "cmdSuppr");
        QCOMPARE(f.platform.messageTexts(), QStringList{msg::DeleteQuestion});
        QCOMPARE(f.state().objects.size(), 6);
        QVERIFY(f.dialog() && f.dialog()->isVisible());
        // Still on the same object.
        QTest::keyClick(f.item<QLineEdit>("Text1"), Qt::Key_End);
        QTest::keyClicks(f.item<QLineEdit>("Text1"), "is");
        QTest::keyClick(f.item<QLineEdit>("Text1"), Qt::Key_Enter);
        QCOMPARE(f.state().objects[1].tooltip, "bis");
    }

    void listDoubleClickOpensItsEntry()
    {
        DragDropFixture f;
        sixObjects(f);
        Tick(f.control<QCheckBox>("CheckImgAlt"));
        auto* list = f.control<QListWidget>("ListInfoBulles");
        const QPoint at = list->visualItemRect(list->item(3)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(f.dialog());
        QCOMPARE(f.state().intSelectedItem, 3);
        QCOMPARE(f.item<QLineEdit>("Text1")->text(), "d");
    }

    // Nothing left to edit: the dialog goes rather than edit another project.
    void objectGoneUnderTheDialog()
    {
        DragDropFixture f;
        sixObjects(f);
        open(f, 5);
        f.platform.queueMessage(IDYES);
        f.menu("mnuReinit")->trigger();
        QVERIFY(!f.ctx.windows.isLoaded("InfoImg"));
        QCOMPARE(f.state().objects.size(), 0);
    }
};

QTEST_MAIN(TestInfoImg)
#include "test_infoimg.moc"
