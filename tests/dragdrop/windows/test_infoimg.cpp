// The object item dialog, opened from the frames and the tooltip list.
#include "dragdropfixture.h"

#include <QLabel>

using namespace toravi;
using namespace toravi::test;

class TestInfoImg : public QObject {
    Q_OBJECT

private slots:
    void doubleClickOnFrameFiveOpensTheSixthObject();
    void enterModifiesLikeTheButton();
    void modifyToEmpty();
    void deleteFirstOfThree();
    void noToTheDeletionKeepsEverything();
    void anotherObjectWhileOpen();
    void listDoubleClickOpensItsEntry();
    void objectGoneUnderTheDialog();

private:
    // Six objects a to f, and the window showing them.
    static void sixObjects(DragDropFixture& f)
    {
        f.chooseFolder();
        f.chooseReference();
        for (const char* n : {"a.png", "b.png", "c.png", "d.png", "e.png", "f.png"})
            f.addObject(QString::fromLatin1(n));
    }
    static void open(DragDropFixture& f, int frame)
    {
        QTest::mouseDClick(f.control(QStringLiteral("Image2_%1").arg(frame)), Qt::LeftButton);
    }
};

void TestInfoImg::doubleClickOnFrameFiveOpensTheSixthObject()
{
    DragDropFixture f;
    sixObjects(f);
    open(f, 5);
    QVERIFY(f.dialog());
    QVERIFY(f.dialog()->isVisible());
    QVERIFY(!f.dialog()->isModal());
    QCOMPARE(f.dialog()->windowTitle(), QStringLiteral("Toravi - Info image"));
    QCOMPARE(f.state().intSelectedItem, 5);
    QCOMPARE(f.item<QLineEdit>("Text1")->text(), QStringLiteral("f"));
    QCOMPARE(f.item<QPushButton>("cmdValid")->text(), QStringLiteral("Modifier"));
    QCOMPARE(f.item<QPushButton>("cmdSuppr")->text(), QStringLiteral("Supprimer"));
    QCOMPARE(f.item<QLabel>("Label2")->text(), QStringLiteral("Supprimer l'image de cet objet >>>"));
    // The window stays usable beside it.
    QVERIFY(f.window()->isEnabled());
    QTest::keyClicks(f.control("INT_txtstrTitre"), "+");
    QCOMPARE(f.state().strTitre, QStringLiteral("exercice+"));
}

void TestInfoImg::enterModifiesLikeTheButton()
{
    DragDropFixture f;
    sixObjects(f);
    open(f, 2);
    auto* text = f.item<QLineEdit>("Text1");
    text->selectAll();
    QTest::keyClicks(text, "le chat, noir");
    QTest::keyClick(text, Qt::Key_Return);
    QCOMPARE(f.state().objects[2].tooltip, QStringLiteral("le chat, noir"));
    QCOMPARE(f.tooltips()[2], QStringLiteral("le chat, noir"));
    QVERIFY(!f.ctx.windows.isLoaded("InfoImg"));
    QCOMPARE(f.platform.messageTexts(), QStringList());

    open(f, 3);
    f.item<QLineEdit>("Text1")->setText(QStringLiteral("la souris"));
    QTest::mouseClick(f.item<QPushButton>("cmdValid"), Qt::LeftButton);
    QCOMPARE(f.tooltips(), (QStringList{"a", "b", "le chat, noir", "la souris", "e", "f"}));
    QVERIFY(!f.ctx.windows.isLoaded("InfoImg"));
}

void TestInfoImg::modifyToEmpty()
{
    DragDropFixture f;
    sixObjects(f);
    open(f, 0);
    f.item<QLineEdit>("Text1")->clear();
    QTest::mouseClick(f.item<QPushButton>("cmdValid"), Qt::LeftButton);
    QCOMPARE(f.state().objects[0].tooltip, QString());
    QCOMPARE(f.state().objects.size(), 6);
    QCOMPARE(f.tooltips()[0], QString());
}

void TestInfoImg::deleteFirstOfThree()
{
    DragDropFixture f;
    f.chooseFolder();
    f.chooseReference();
    f.addObject("un.png", 0xFF0000);
    f.addObject("deux.png", 0x00FF00);
    f.addObject("trois.png", 0x0000FF);
    open(f, 0);
    f.platform.queueMessage(IDYES);
    QTest::mouseClick(f.item<QPushButton>("cmdSuppr"), Qt::LeftButton);
    QCOMPARE(f.platform.messageTexts(), QStringList{msg::DeleteQuestion});
    QCOMPARE(f.platform.requestsOf("message")[0].flags, kConfirm);
    QCOMPARE(f.tooltips(), (QStringList{"deux", "trois"}));
    QCOMPARE(f.control<QListWidget>("List2")->item(0)->text(), QStringLiteral("deux.png"));
    QCOMPARE(f.control<QListWidget>("List1")->item(1)->text(), f.source("trois.png"));
    QCOMPARE(f.visibleFrames(), 2);
    QCOMPARE(f.control<ObjectFrame>("Image2_0")->pixmap().toImage().pixelColor(30, 30), QColor(0, 255, 0));
    QCOMPARE(f.control<ObjectFrame>("Image2_1")->pixmap().toImage().pixelColor(30, 30), QColor(0, 0, 255));
    QVERIFY(!f.ctx.windows.isLoaded("InfoImg"));
    // The copy stays in img.
    QVERIFY(QFileInfo::exists(f.inImg("un.png")));
}

void TestInfoImg::noToTheDeletionKeepsEverything()
{
    DragDropFixture f;
    sixObjects(f);
    open(f, 1);
    f.platform.queueMessage(IDNO);
    QTest::mouseClick(f.item<QPushButton>("cmdSuppr"), Qt::LeftButton);
    QCOMPARE(f.platform.messageTexts(), QStringList{msg::DeleteQuestion});
    QCOMPARE(f.state().objects.size(), 6);
    QVERIFY(f.dialog() && f.dialog()->isVisible());
    // Still the same object to edit.
    QTest::keyClick(f.item<QLineEdit>("Text1"), Qt::Key_End);
    QTest::keyClicks(f.item<QLineEdit>("Text1"), "is");
    QTest::keyClick(f.item<QLineEdit>("Text1"), Qt::Key_Enter);
    QCOMPARE(f.state().objects[1].tooltip, QStringLiteral("bis"));
}

void TestInfoImg::anotherObjectWhileOpen()
{
    DragDropFixture f;
    sixObjects(f);
    open(f, 1);
    QPointer<InfoImg> first = f.dialog();
    open(f, 4);
    QCOMPARE(f.dialog(), first.data());  // one dialog, brought forward
    QCOMPARE(f.item<QLineEdit>("Text1")->text(), QStringLiteral("e"));
    f.item<QLineEdit>("Text1")->setText(QStringLiteral("cinquième"));
    QTest::mouseClick(f.item<QPushButton>("cmdValid"), Qt::LeftButton);
    QCOMPARE(f.tooltips(), (QStringList{"a", "b", "c", "d", "cinquième", "f"}));
}

void TestInfoImg::listDoubleClickOpensItsEntry()
{
    DragDropFixture f;
    sixObjects(f);
    Tick(f.control<QCheckBox>("CheckImgAlt"));
    auto* list = f.control<QListWidget>("ListInfoBulles");
    QVERIFY(list->isEnabled());
    const QRect r = list->visualItemRect(list->item(3));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QVERIFY(f.dialog());
    QCOMPARE(f.state().intSelectedItem, 3);
    QCOMPARE(f.item<QLineEdit>("Text1")->text(), QStringLiteral("d"));
}

void TestInfoImg::objectGoneUnderTheDialog()
{
    DragDropFixture f;
    sixObjects(f);
    open(f, 5);
    f.platform.queueMessage(IDYES);
    f.menu("mnuReinit")->trigger();
    // Nothing left to edit: the dialog went away rather than edit another project.
    QVERIFY(!f.ctx.windows.isLoaded("InfoImg"));
    QCOMPARE(f.state().objects.size(), 0);
}

QTEST_MAIN(TestInfoImg)
#include "test_infoimg.moc"
