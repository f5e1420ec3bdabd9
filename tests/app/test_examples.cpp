// A newcomer's first road with each example: load it from the program folder,
// choose a working folder, validate, create the page, open it.
#include "gui/windowfixture.h"

#include <QFile>

using namespace toravi;
using namespace toravi::test;
using namespace toravi::names;

class TestExamples : public QObject {
    Q_OBJECT
private slots:
    void programIconIsBuiltIn() { QVERIFY(QFile::exists(":/toravi/toravi.png")); }

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

QTEST_MAIN(TestExamples)
#include "test_examples.moc"
