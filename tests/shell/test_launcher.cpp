// The launcher Form3 and the single-instance window registry.
#include "shared/platform.h"
#include "shell/appcontext.h"
#include "shell/launcher.h"
#include "shell/presentation.h"
#include "shell/standins.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <memory>

using namespace toravi;
using toravi::test::RegisterStandIns;
using toravi::test::WindowLog;

namespace {

void flushDeletions() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

QPushButton* button(QWidget* window, const char* name)
{
    auto* b = window->findChild<QPushButton*>(QString::fromLatin1(name));
    if (!b)
        qWarning("no button %s", name);
    return b;
}

// One run of the program: context, launcher, presentation windows and stand-in module windows.
struct Program {
    ScriptedPlatform platform;
    AppContext ctx{platform};
    WindowLog log;
    bool quitCalled = false;

    Program()
    {
        RegisterLauncher(ctx);
        RegisterPresentationWindows(ctx);
        RegisterStandIns(ctx, log, {QStringLiteral("Form1"), QStringLiteral("Form2"), QStringLiteral("IForm1")});
        ctx.quit = [this] { quitCalled = true; };
        ctx.windows.show(QStringLiteral("Form3"));
    }
    QWidget* launcher() { return ctx.windows.find(QStringLiteral("Form3")); }
    QWidget* window(const char* name) { return ctx.windows.find(QString::fromLatin1(name)); }
    bool visible(const char* name)
    {
        QWidget* w = window(name);
        return w && w->isVisible();
    }
};

}  // namespace

class LauncherTest : public QObject {
    Q_OBJECT
private slots:
    void captionsAndLayout();
    void startingTheTooltipModule();
    void startingTheDragDropModule();
    void launcherReturnsBetweenModules();
    void presentationFromLauncherAndBack();
    void closingUnloadsEveryWindowInOrder();
    void closingWithoutModuleEndsAtOnce();
    void registryHideLoadsWithoutShowing();
    void registryUnloadAndReload();
    void registryForgetsWindowsClosedByUser();
};

void LauncherTest::captionsAndLayout()
{
    Program p;
    QWidget* form3 = p.launcher();
    QVERIFY(form3 && form3->isVisible());
    QCOMPARE(form3->objectName(), QStringLiteral("Form3"));
    QCOMPARE(form3->windowTitle(), QStringLiteral("Toravi 2"));

    auto* frame1 = form3->findChild<QGroupBox*>(QStringLiteral("Frame1"));
    auto* frame2 = form3->findChild<QGroupBox*>(QStringLiteral("Frame2"));
    QVERIFY(frame1 && frame2);
    QCOMPARE(frame1->title(), QStringLiteral("Info-bulles"));
    QCOMPARE(frame2->title(), QStringLiteral("Glisser-déplacer"));
    QVERIFY2(frame1->geometry().bottom() < frame2->geometry().top(), "Frame1 is the upper frame");

    auto* label1 = frame1->findChild<QLabel*>(QStringLiteral("Label1"));
    auto* label2 = frame2->findChild<QLabel*>(QStringLiteral("Label2"));
    QVERIFY(label1 && label2);
    QCOMPARE(label1->text(),
             QStringLiteral("Une image interactive dans laquelle des info-bulles apparaissent au survol de la souris."));
    QCOMPARE(label2->text(), QStringLiteral("Des objets entassés pêle-mêle à replacer au bon endroit par "
                                            "glisser-déplacer sur une image."));

    // Each strip holds the start button on the left and "Présentation" on the right.
    const struct {
        const char* frame;
        const char* strip;
        const char* start;
        const char* about;
        QString caption;
    } strips[] = {{"Frame1", "Picture1", "Command1", "Command3", QStringLiteral("Lancer le module Indo-Bulles")},
                  {"Frame2", "Picture2", "Command2", "Command4", QStringLiteral("Lancer le module Glisser-Déplacer")}};
    for (const auto& s : strips) {
        auto* frame = form3->findChild<QGroupBox*>(QString::fromLatin1(s.frame));
        QWidget* strip = frame->findChild<QWidget*>(QString::fromLatin1(s.strip));
        QVERIFY(strip);
        auto* start = strip->findChild<QPushButton*>(QString::fromLatin1(s.start));
        auto* about = strip->findChild<QPushButton*>(QString::fromLatin1(s.about));
        QVERIFY2(start && about, s.strip);
        QCOMPARE(start->text(), s.caption);
        QCOMPARE(about->text(), QStringLiteral("Présentation"));
        QVERIFY(start->geometry().right() < about->geometry().left());
        QVERIFY(start->isVisible() && about->isVisible());
    }
    QVERIFY(label1->geometry().bottom() <= frame1->findChild<QWidget*>(QStringLiteral("Picture1"))->geometry().top());

    // Centred on the screen.
    const QRect area = form3->screen()->availableGeometry();
    const QPoint centre = form3->frameGeometry().center();
    QVERIFY2(qAbs(centre.x() - area.center().x()) <= 2, qPrintable(QString::number(centre.x())));
    QVERIFY2(qAbs(centre.y() - area.center().y()) <= 2, qPrintable(QString::number(centre.y())));
}

void LauncherTest::startingTheTooltipModule()
{
    Program p;
    QTest::mouseClick(button(p.launcher(), "Command1"), Qt::LeftButton);
    QVERIFY(p.visible("Form1"));
    // The other module's window is loaded, hidden.
    QVERIFY(p.window("IForm1"));
    QVERIFY(!p.visible("IForm1"));
    QCOMPARE(p.log.loads, (QStringList{"Form1", "IForm1"}));
    QVERIFY(!p.launcher()->isVisible());
    QVERIFY(!p.ctx.windows.isLoaded(QStringLiteral("FAbout")));
}

void LauncherTest::startingTheDragDropModule()
{
    Program p;
    QTest::mouseClick(button(p.launcher(), "Command2"), Qt::LeftButton);
    QVERIFY(p.visible("IForm1"));
    QVERIFY(p.window("Form1"));
    QVERIFY(!p.visible("Form1"));
    QCOMPARE(p.log.loads, (QStringList{"IForm1", "Form1"}));
    QVERIFY(!p.launcher()->isVisible());
}

void LauncherTest::launcherReturnsBetweenModules()
{
    Program p;
    QTest::mouseClick(button(p.launcher(), "Command1"), Qt::LeftButton);
    p.window("Form1")->close();
    QVERIFY(p.launcher()->isVisible());
    flushDeletions();
    QVERIFY(!p.ctx.windows.isLoaded(QStringLiteral("Form1")));

    QTest::mouseClick(button(p.launcher(), "Command2"), Qt::LeftButton);
    QVERIFY(p.visible("IForm1"));
    QVERIFY(!p.launcher()->isVisible());
    // IForm1 was loaded hidden by the first start: it is shown, not loaded again;
    // Form1, unloaded, is loaded again hidden.
    QCOMPARE(p.log.loads, (QStringList{"Form1", "IForm1", "Form1"}));
    QVERIFY(!p.visible("Form1"));

    p.window("IForm1")->close();
    QVERIFY(p.launcher()->isVisible());
}

void LauncherTest::presentationFromLauncherAndBack()
{
    Program p;
    const struct {
        const char* button;
        const char* window;
    } cases[] = {{"Command3", "FAbout"}, {"Command4", "INT_FAbout"}};
    for (const auto& c : cases) {
        p.ctx.blnFromLauncher = false;
        QTest::mouseClick(button(p.launcher(), c.button), Qt::LeftButton);
        QVERIFY2(p.visible(c.window), c.window);
        QVERIFY(p.ctx.blnFromLauncher);
        QVERIFY(!p.launcher()->isVisible());

        QTest::mouseClick(button(p.window(c.window), "Command1"), Qt::LeftButton);
        QVERIFY(p.launcher()->isVisible());
        // Returning to the launcher leaves the flag as it was.
        QVERIFY(p.ctx.blnFromLauncher);
        flushDeletions();
        QVERIFY(!p.ctx.windows.isLoaded(QString::fromLatin1(c.window)));
    }
    // No module window was touched.
    QVERIFY(p.log.loads.isEmpty());
}

void LauncherTest::closingUnloadsEveryWindowInOrder()
{
    Program p;
    QTest::mouseClick(button(p.launcher(), "Command1"), Qt::LeftButton);
    p.ctx.windows.show(QStringLiteral("Form2"));
    p.ctx.windows.hide(QStringLiteral("INT_FAbout"));  // loaded, not visible
    QVERIFY(!p.quitCalled);

    p.launcher()->close();
    QVERIFY(p.quitCalled);
    QCOMPARE(p.log.unloads, (QStringList{"Form2", "Form1", "IForm1"}));
    flushDeletions();
    for (const char* name : {"FAbout", "INT_FAbout", "Form2", "Form1", "IForm1", "Form3"})
        QVERIFY2(!p.ctx.windows.isLoaded(QString::fromLatin1(name)), name);
}

void LauncherTest::closingWithoutModuleEndsAtOnce()
{
    Program p;
    p.launcher()->close();
    QVERIFY(p.quitCalled);
    QVERIFY(p.log.loads.isEmpty());
    QVERIFY(p.log.unloads.isEmpty());
    QVERIFY(!p.ctx.windows.isLoaded(QStringLiteral("FAbout")));
    QVERIFY(!p.ctx.windows.isLoaded(QStringLiteral("INT_FAbout")));
}

void LauncherTest::registryHideLoadsWithoutShowing()
{
    ScriptedPlatform platform;
    AppContext ctx(platform);
    WindowLog log;
    RegisterStandIns(ctx, log, {QStringLiteral("Form1")});

    ctx.windows.hide(QStringLiteral("Form1"));
    QWidget* w = ctx.windows.find(QStringLiteral("Form1"));
    QVERIFY(w);
    QVERIFY(!w->isVisible());
    QCOMPARE(log.loadsOf(QStringLiteral("Form1")), 1);
    QCOMPARE(w->objectName(), QStringLiteral("Form1"));

    // Showing, hiding and asking again never loads a second instance.
    ctx.windows.show(QStringLiteral("Form1"));
    QVERIFY(w->isVisible());
    ctx.windows.hide(QStringLiteral("Form1"));
    ctx.windows.show(QStringLiteral("Form1"));
    QCOMPARE(ctx.windows.get(QStringLiteral("Form1")), w);
    QCOMPARE(log.loadsOf(QStringLiteral("Form1")), 1);

    // A name without a window gives nothing.
    ctx.windows.show(QStringLiteral("Nowhere"));
    QVERIFY(!ctx.windows.find(QStringLiteral("Nowhere")));
}

void LauncherTest::registryUnloadAndReload()
{
    ScriptedPlatform platform;
    AppContext ctx(platform);
    WindowLog log;
    RegisterStandIns(ctx, log, {QStringLiteral("Form2")});

    // Unloading a window that is not loaded does nothing, and loads nothing.
    ctx.windows.unload(QStringLiteral("Form2"));
    QVERIFY(log.loads.isEmpty() && log.unloads.isEmpty());
    QVERIFY(!ctx.windows.isLoaded(QStringLiteral("Form2")));

    ctx.windows.show(QStringLiteral("Form2"));
    QPointer<QWidget> first = ctx.windows.find(QStringLiteral("Form2"));
    ctx.windows.unload(QStringLiteral("Form2"));
    QCOMPARE(log.unloads, QStringList{"Form2"});
    QVERIFY(!ctx.windows.isLoaded(QStringLiteral("Form2")));
    flushDeletions();
    QVERIFY(first.isNull());

    ctx.windows.unload(QStringLiteral("Form2"));
    QCOMPARE(log.unloads.size(), 1);

    // The next showing loads a fresh instance.
    ctx.windows.show(QStringLiteral("Form2"));
    QCOMPARE(log.loadsOf(QStringLiteral("Form2")), 2);
}

void LauncherTest::registryForgetsWindowsClosedByUser()
{
    ScriptedPlatform platform;
    AppContext ctx(platform);
    WindowLog log;
    RegisterStandIns(ctx, log, {QStringLiteral("Form2")});
    ctx.windows.show(QStringLiteral("Form2"));
    ctx.windows.find(QStringLiteral("Form2"))->close();
    flushDeletions();
    QVERIFY(!ctx.windows.isLoaded(QStringLiteral("Form2")));
    ctx.windows.show(QStringLiteral("Form2"));
    QCOMPARE(log.loadsOf(QStringLiteral("Form2")), 2);
}

QTEST_MAIN(LauncherTest)
#include "test_launcher.moc"
