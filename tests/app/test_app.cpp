// The application: the launcher, the presentation windows' return rules, and a
// newcomer's first road with each example.
#include "files/files.h"
#include "gui/windowfixture.h"
#include "pages/pagenames.h"

#include "tooltip/picturebox.h"

using namespace toravi;
using namespace toravi::test;
using namespace toravi::names;

class TestApp : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { SetProgramFolder(QString()); }

    // A module hides the launcher, which comes back when the module closes. Opened again it
    // starts a fresh project. Its quit menu, or closing the launcher, ends everything.
    void eachModuleAndBack()
    {
        for (auto [start, shown] : {std::tuple{"Command1", kPointEditor}, {"Command2", kDragDrop}}) {
            WindowFixture f(kLauncher);
            f.click(kLauncher, start);
            QVERIFY(f.visible(shown) && !f.visible(kLauncher));
            f.window(shown)->close();
            WindowFixture::settle();
            QVERIFY(f.visible(kLauncher) && !f.window(shown) && f.quits == 0);
            f.ctx.tooltip.state.strTitre = f.ctx.dragdrop.state.strTitre = "ancien";
            f.click(kLauncher, start);
            QCOMPARE(shown == kPointEditor ? f.ctx.tooltip.state.strTitre : f.ctx.dragdrop.state.strTitre, "exercice");
            if (shown == kPointEditor) {  // the editor asks for the launcher as it goes: it may not come back
                f.trigger(kPointEditor, "mnuParam");
                f.window(kLauncher)->close();
                for (QWidget* w : QApplication::topLevelWidgets())
                    QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
            } else {
                f.trigger(shown, "mnuQuit");
            }
            QCOMPARE(f.quits, 1);
            WindowFixture::settle();
            QVERIFY(!f.window(shown) && !f.window(kParameters) && f.platform.requests.isEmpty());
        }
    }

    // The presentation window gives back what it took: the launcher it hid, or the
    // window whose "Aide" opened it when there is no help file.
    void presentationReturns_data()
    {
        QTest::addColumn<QString>("caller");
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("closeWith");  // a control of the window, or Esc
        QTest::newRow("launcher, tooltip") << kLauncher << "Command3" << "Command1";
        QTest::newRow("launcher, drag and drop") << kLauncher << "Command4" << "Esc";
        QTest::newRow("point editor, button") << kPointEditor << "mnuAide" << "Command1";
        QTest::newRow("point editor, Esc") << kPointEditor << "mnuAide" << "Esc";
        QTest::newRow("parameters") << kParameters << "mnuAide" << "Command1";
        QTest::newRow("drag and drop, Esc") << kDragDrop << "mnuAide" << "Esc";
    }
    void presentationReturns()
    {
        QFETCH(QString, caller);
        QFETCH(QString, opener);
        QFETCH(QString, closeWith);
        QTemporaryDir programFolder;  // no help file there
        SetProgramFolder(programFolder.path());
        const bool launcher = caller == kLauncher;
        const QString main = caller == kParameters ? kPointEditor : caller;
        const QString presentation =
            main == kDragDrop || opener == "Command4" ? kDragDropPresentation : kTooltipPresentation;
        WindowFixture f(main);
        if (caller == kParameters)
            f.trigger(kPointEditor, "mnuParam");
        f.ctx.blnFromLauncher = !launcher;  // left over from an earlier presentation
        launcher ? f.click(caller, opener) : f.trigger(caller, opener);
        QVERIFY(f.visible(presentation) && f.ctx.blnFromLauncher == launcher && f.platform.requests.isEmpty());
        QVERIFY(launcher ? !f.visible(kLauncher) : f.window(caller)->isEnabled() == (caller == kParameters));
        closeWith == "Esc" ? QTest::keyClick(f.window(presentation), Qt::Key_Escape) : f.click(presentation, closeWith);
        QVERIFY(!f.visible(presentation) && f.visible(kLauncher) == launcher && f.window(main)->isEnabled());
    }

    // Load from the program folder, choose a working folder, validate, create the page, open it.
    void eachExample()
    {
        for (auto [window, example, page] : {std::tuple{kPointEditor, "info-bulles/ile.txt", "ile.htm"},
                                             {kDragDrop, "glisser-deposer/bureau.txt", "bureau.htm"},
                                             {kDragDrop, "glisser-deposer/plage.txt", "plage.htm"}}) {
            WindowFixture f(window);
            const bool tooltip = window == kPointEditor;
            f.platform.queueOpenFile(ProgramFolder() + "/exemples/" + example);
            f.trigger(window, "mnuLoad");
            QCOMPARE(f.platform.requestsOf("open").value(0).initialFolder, ProgramFolder());  // where the examples are
            // The drag-and-drop window validates after loading: it asks for the folder the example leaves open.
            QCOMPARE(f.platform.messageTexts(), tooltip ? QStringList() : QStringList{msg::ValNoFolder});
            const QString form = tooltip ? kParameters : kDragDrop;
            if (tooltip)
                f.trigger(kPointEditor, "mnuParam");
            f.platform.queueFolder(f.scratch.path());
            f.click(form, tooltip ? "cmdstrFolderName" : "INT_cmdstrFolderName");
            f.click(form, "cmdValider");
            QVERIFY(!f.visible(kParameters) && f.window(window)->isEnabled());
            if (tooltip)  // the editor shows the picture, without its hint
                QVERIFY(f.in<PictureBox>(window, "Picture1")->holdsPicture() && !f.in(window, "Label2")->isVisible());
            f.platform.queueMessage(IDYES);
            f.trigger(window, "mnuCreation");
            QCOMPARE(f.platform.requestsOf("shell").value(0).text, JoinPath(f.scratch.path(), page));
        }
    }
};

QTEST_MAIN(TestApp)
#include "test_app.moc"
