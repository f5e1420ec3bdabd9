// The application: the launcher, the window registry, the presentation windows'
// return rules, and a newcomer's first road with each example.
#include "gui/windowfixture.h"

#include <QFile>

using namespace toravi;
using namespace toravi::test;
using namespace toravi::names;

class TestApp : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { SetProgramFolder(QString()); }

    void eachModuleAndBack()
    {
        const struct {
            const char *start, *about;
            QString shown, other, presentation;
        } modules[] = {{"Command1", "Command3", kPointEditor, kDragDrop, kTooltipPresentation},
                       {"Command2", "Command4", kDragDrop, kPointEditor, kDragDropPresentation}};
        for (const auto& m : modules) {
            WindowFixture f(kLauncher);
            f.click(kLauncher, m.about);
            QVERIFY(f.visible(m.presentation) && !f.visible(kLauncher) && f.ctx.blnFromLauncher);
            f.click(m.presentation, "Command1");
            QVERIFY(f.visible(kLauncher));

            f.click(kLauncher, m.start);
            QVERIFY(f.visible(m.shown) && !f.visible(kLauncher));
            QVERIFY(f.window(m.other) && !f.visible(m.other));  // loaded, hidden
            f.window(m.shown)->close();
            WindowFixture::settle();
            QVERIFY(f.visible(kLauncher) && !f.window(m.shown) && f.quits == 0);

            // Opened again it starts a fresh project; its quit menu ends the program without asking.
            f.ctx.tooltip.state.strTitre = f.ctx.dragdrop.state.strTitre = "ancien";
            f.click(kLauncher, m.start);
            QCOMPARE(m.shown == kPointEditor ? f.ctx.tooltip.state.strTitre : f.ctx.dragdrop.state.strTitre, "exercice");
            f.trigger(m.shown, "mnuQuit");
            WindowFixture::settle();
            QVERIFY(!f.window(m.shown) && f.platform.requests.isEmpty());
            QCOMPARE(f.quits, 1);
        }
    }

    void closingTheLauncherEndsEverything()
    {
        WindowFixture f(kLauncher);
        f.click(kLauncher, "Command1");
        f.trigger(kPointEditor, "mnuParam");
        f.window(kLauncher)->close();
        QCOMPARE(f.quits, 1);
        // The point editor asks for the launcher as it goes: nothing may come back.
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        WindowFixture::settle();
        for (const QString& name : {kPointEditor, kParameters, kDragDrop, kLauncher})
            QVERIFY2(!f.window(name), qPrintable(name));
    }

    void registry()
    {
        WindowFixture f;
        WindowRegistry& windows = f.ctx.windows;
        windows.hide(kDragDrop);  // loads without showing
        QPointer<QWidget> first = f.window(kDragDrop);
        QVERIFY(first && !first->isVisible());
        windows.show(kDragDrop);
        QCOMPARE(f.window(kDragDrop), first.data());
        windows.show("Nowhere");
        QVERIFY(!f.window("Nowhere"));
        windows.unload(kParameters);  // not loaded: nothing happens
        QVERIFY(!f.window(kParameters));
        first->close();  // closed by the user: forgotten, the next showing loads afresh
        WindowFixture::settle();
        QVERIFY(first.isNull() && !f.window(kDragDrop));
    }

    // "Aide" without a help file: the presentation window, which gives back what it took.
    void presentationReturns_data()
    {
        QTest::addColumn<QString>("caller");
        QTest::addColumn<QString>("presentation");
        QTest::addColumn<QString>("closeWith");  // a control of the window, or Esc
        QTest::newRow("point editor, button") << kPointEditor << kTooltipPresentation << "Command1";
        QTest::newRow("point editor, Esc") << kPointEditor << kTooltipPresentation << "Esc";
        QTest::newRow("parameters") << kParameters << kTooltipPresentation << "Command1";
        QTest::newRow("drag and drop, Esc") << kDragDrop << kDragDropPresentation << "Esc";
    }
    void presentationReturns()
    {
        QFETCH(QString, caller);
        QFETCH(QString, presentation);
        QFETCH(QString, closeWith);
        QTemporaryDir programFolder;  // no help file there
        SetProgramFolder(programFolder.path());
        const QString main = caller == kDragDrop ? kDragDrop : kPointEditor;
        WindowFixture f(main);
        if (caller == kParameters)
            f.trigger(kPointEditor, "mnuParam");
        f.ctx.blnFromLauncher = true;
        f.trigger(caller, "mnuAide");
        QVERIFY(f.visible(presentation) && !f.ctx.blnFromLauncher);
        QCOMPARE(f.window(caller)->isEnabled(), caller == kParameters);
        QVERIFY(f.platform.requests.isEmpty());
        if (closeWith == "Esc")
            QTest::keyClick(f.window(presentation), Qt::Key_Escape);
        else
            f.click(presentation, closeWith);
        QVERIFY(!f.visible(presentation) && !f.visible(kLauncher) && f.window(main)->isEnabled());

        // With a help file, the shell opens it instead.
        QVERIFY(WriteBytes(programFolder.filePath("toravi.chm"), "ITSF"));
        f.trigger(caller, "mnuAide");
        QCOMPARE(f.platform.requestsOf("shell").value(0).text, programFolder.filePath("toravi.chm"));
        QVERIFY(f.window(caller)->isEnabled());
    }

    void programIconIsBuiltIn() { QVERIFY(QFile::exists(":/toravi/toravi.png")); }

    // Load from the program folder, choose a working folder, validate, create the page, open it.
    void eachExample_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("copy");  // a picture the validation copies into img
        QTest::newRow("tooltip") << kPointEditor << "info-bulles/ile.txt" << "ile.htm" << "ile.png";
        QTest::newRow("drag and drop") << kDragDrop << "glisser-deposer/bureau.txt" << "bureau.htm" << "livre.png";
    }
    void eachExample()
    {
        QFETCH(QString, window);
        QFETCH(QString, example);
        QFETCH(QString, page);
        QFETCH(QString, copy);
        WindowFixture f(window);
        const bool tooltip = window == kPointEditor;
        f.platform.queueOpenFile(ProgramFolder() + "/exemples/" + example);
        f.trigger(window, "mnuLoad");
        QCOMPARE(f.platform.requestsOf("open").value(0).initialFolder, ProgramFolder());  // where the examples are
        QCOMPARE(tooltip ? f.ctx.tooltip.state.points.size() : f.ctx.dragdrop.state.objects.size(), tooltip ? 6 : 7);
        // The drag-and-drop window validates after loading: it asks for the folder the example leaves open.
        QCOMPARE(f.platform.messageTexts(), tooltip ? QStringList() : QStringList{msg::ValNoFolder});

        const QString form = tooltip ? kParameters : kDragDrop;
        if (tooltip)
            f.trigger(kPointEditor, "mnuParam");
        f.platform.queueFolder(f.scratch.path());
        f.click(form, tooltip ? "cmdstrFolderName" : "INT_cmdstrFolderName");
        f.click(form, "cmdValider");
        QCOMPARE(f.platform.messageTexts().size(), tooltip ? 0 : 1);
        QVERIFY(QFile::exists(f.scratch.filePath("img/" + copy)));
        QVERIFY(f.window(window)->isEnabled());

        f.platform.queueMessage(IDYES);
        f.trigger(window, "mnuCreation");
        QCOMPARE(f.platform.requestsOf("shell").size(), 1);
        QCOMPARE(f.platform.requestsOf("shell")[0].text, JoinPath(f.scratch.path(), page));
        QVERIFY(QFile::exists(f.scratch.filePath(tooltip ? "interact.js" : "ordre.js")));
    }
};

QTEST_MAIN(TestApp)
#include "test_app.moc"
