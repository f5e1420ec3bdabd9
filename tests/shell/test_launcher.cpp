// The launcher Form3 and the single-instance window registry.
#include "shell/standins.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QtTest>

using namespace toravi;
using namespace toravi::test;

namespace {

QPushButton* button(QWidget* window, const QString& name) { return window->findChild<QPushButton*>(name); }

}  // namespace

class LauncherTest : public QObject {
    Q_OBJECT
private slots:
    void eachModuleFromTheLauncherAndBack();
    void closingEndsTheProgram();
    void registry();
};

void LauncherTest::eachModuleFromTheLauncherAndBack()
{
    const struct {
        const char *frame, *title, *start, *caption, *shown, *other, *otherStart, *about, *presentation;
    } cases[] = {{"Frame1", "Info-bulles", "Command1", "Lancer le module Indo-Bulles", "Form1", "IForm1", "Command2",
                  "Command3", "FAbout"},
                 {"Frame2", "Glisser-déplacer", "Command2", "Lancer le module Glisser-Déplacer", "IForm1", "Form1",
                  "Command1", "Command4", "INT_FAbout"}};
    for (const auto& c : cases) {
        Program p;
        QWidget* launcher = p.open("Form3");
        QVERIFY(launcher && launcher->isVisible());
        auto* box = launcher->findChild<QGroupBox*>(c.frame);
        QVERIFY2(box && button(box, c.start) && button(box, c.about), c.frame);
        QCOMPARE(box->title(), QString::fromUtf8(c.title));
        QCOMPARE(button(box, c.start)->text(), QString::fromUtf8(c.caption));
        QCOMPARE(button(box, c.about)->text(), QStringLiteral("Présentation"));

        QTest::mouseClick(button(box, c.about), Qt::LeftButton);
        QVERIFY(p.visible(c.presentation));
        QVERIFY(p.ctx.blnFromLauncher);
        QVERIFY(!launcher->isVisible());
        QTest::mouseClick(button(p.window(c.presentation), "Command1"), Qt::LeftButton);
        QVERIFY(launcher->isVisible());
        QVERIFY(p.ctx.blnFromLauncher);  // returning leaves it as it was
        FlushDeletions();
        QVERIFY(!p.ctx.windows.isLoaded(c.presentation));
        QVERIFY(p.log.loads.isEmpty());

        QTest::mouseClick(button(box, c.start), Qt::LeftButton);
        QVERIFY(p.visible(c.shown));
        QVERIFY(!launcher->isVisible());
        // The other module's window is loaded, hidden.
        QVERIFY(p.window(c.other) && !p.visible(c.other));
        QCOMPARE(p.log.loads, (QStringList{c.shown, c.other}));

        p.window(c.shown)->close();
        QVERIFY(launcher->isVisible());
        FlushDeletions();
        QVERIFY(!p.ctx.windows.isLoaded(c.shown));

        // The hidden window is shown, not loaded again; the closed one is loaded again, hidden.
        QTest::mouseClick(button(launcher, c.otherStart), Qt::LeftButton);
        QVERIFY(p.visible(c.other) && !p.visible(c.shown));
        QVERIFY(!launcher->isVisible());
        QCOMPARE(p.log.loads, (QStringList{c.shown, c.other, c.shown}));
        p.window(c.other)->close();
        QVERIFY(launcher->isVisible());
    }
}

void LauncherTest::closingEndsTheProgram()
{
    for (bool withModule : {false, true}) {
        Program p;
        QWidget* launcher = p.open("Form3");
        if (withModule) {
            QTest::mouseClick(button(launcher, "Command1"), Qt::LeftButton);
            p.open("Form2");
            p.ctx.windows.hide("INT_FAbout");
        }
        QVERIFY(!p.quitCalled);

        launcher->close();
        QVERIFY(p.quitCalled);
        QCOMPARE(p.log.unloads, (withModule ? QStringList{"Form2", "Form1", "IForm1"} : QStringList{}));
        // Form1 asks for the launcher as it goes: nothing may come back on screen.
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->windowTitle()));
        FlushDeletions();
        for (const char* name : {"FAbout", "INT_FAbout", "Form2", "Form1", "IForm1", "Form3"})
            QVERIFY2(!p.ctx.windows.isLoaded(name), name);
    }
}

void LauncherTest::registry()
{
    Program p;
    WindowRegistry& windows = p.ctx.windows;

    // Hiding loads without showing; showing and hiding again never loads a second instance.
    windows.hide("Form1");
    QWidget* form1 = p.window("Form1");
    QVERIFY(form1 && !form1->isVisible());
    QCOMPARE(form1->objectName(), QStringLiteral("Form1"));
    windows.show("Form1");
    QVERIFY(form1->isVisible());
    windows.hide("Form1");
    windows.show("Form1");
    QCOMPARE(windows.get("Form1"), form1);
    QCOMPARE(p.log.loadsOf("Form1"), 1);
    windows.show("Nowhere");
    QVERIFY(!p.window("Nowhere"));

    // Unloading a window that is not loaded does nothing, and loads nothing.
    windows.unload("Form2");
    QVERIFY(p.log.unloads.isEmpty() && !windows.isLoaded("Form2"));
    QCOMPARE(p.log.loadsOf("Form2"), 0);
    QPointer<QWidget> form2 = p.open("Form2");
    windows.unload("Form2");
    windows.unload("Form2");
    QCOMPARE(p.log.unloads, QStringList{"Form2"});
    QVERIFY(!windows.isLoaded("Form2"));
    FlushDeletions();
    QVERIFY(form2.isNull());

    // A window closed by the user is forgotten: the next showing loads a fresh one.
    p.open("Form2")->close();
    FlushDeletions();
    QVERIFY(!windows.isLoaded("Form2"));
    p.open("Form2");
    QCOMPARE(p.log.loadsOf("Form2"), 3);
}

QTEST_MAIN(LauncherTest)
#include "test_launcher.moc"
