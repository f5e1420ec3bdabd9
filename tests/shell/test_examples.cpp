// A newcomer's first road with each example: load it from the program folder,
// choose a working folder, validate, create the page, open it.
#include "support/scriptedplatform.h"
#include "shared/publish.h"
#include "widgets/appcontext.h"
#include "windowregistry.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace toravi;
using namespace toravi::test;

class TestExamples : public QObject {
    Q_OBJECT

    static QAction* action(QWidget* w, const char* name) { return w->findChild<QAction*>(QLatin1String(name)); }
    static QPushButton* button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(QLatin1String(name)); }
    static QString example(const char* rel) { return ProgramFolder() + QStringLiteral("/exemples/") + QLatin1String(rel); }

private slots:
    void programIconIsBuiltIn() { QVERIFY(QFile::exists(QStringLiteral(":/toravi/toravi.png"))); }

    void tooltipExample()
    {
        ScriptedPlatform platform;
        AppContext ctx(platform);
        RegisterAllWindows(ctx);
        ctx.quit = [] {};
        QTemporaryDir work;
        ctx.windows.show(QStringLiteral("Form1"));
        QWidget* form1 = ctx.windows.find(QStringLiteral("Form1"));

        platform.queueOpenFile(example("info-bulles/ile.txt"));
        action(form1, "mnuLoad")->trigger();
        const auto open = platform.requestsOf(QStringLiteral("open"));
        QCOMPARE(open.size(), 1);
        QCOMPARE(open[0].initialFolder, ProgramFolder());  // where the examples are
        QCOMPARE(ctx.tooltip.state.points.size(), 6);
        QVERIFY(platform.messageTexts().isEmpty());  // no folder yet: nothing to say

        action(form1, "mnuParam")->trigger();
        QWidget* form2 = ctx.windows.find(QStringLiteral("Form2"));
        QVERIFY(form2);
        platform.queueFolder(work.path());
        button(form2, "cmdstrFolderName")->click();
        button(form2, "cmdValider")->click();
        QVERIFY(platform.messageTexts().isEmpty());
        QVERIFY(form1->isEnabled());

        platform.queueMessage(IDYES);
        action(form1, "mnuCreation")->trigger();
        const QString page = JoinPath(work.path(), QStringLiteral("ile.htm"));
        QVERIFY(QFile::exists(page));
        QVERIFY(QFile::exists(work.filePath(QStringLiteral("img/ile.png"))));
        QCOMPARE(platform.requestsOf(QStringLiteral("shell")).size(), 1);
        QCOMPARE(platform.requestsOf(QStringLiteral("shell"))[0].text, page);
    }

    void dragDropExample()
    {
        ScriptedPlatform platform;
        AppContext ctx(platform);
        RegisterAllWindows(ctx);
        ctx.quit = [] {};
        QTemporaryDir work;
        ctx.windows.show(QStringLiteral("IForm1"));
        QWidget* iform1 = ctx.windows.find(QStringLiteral("IForm1"));

        platform.queueOpenFile(example("glisser-deposer/bureau.txt"));
        action(iform1, "mnuLoad")->trigger();
        QCOMPARE(ctx.dragdrop.state.objects.size(), 7);
        // The validation after loading asks for the working folder the example leaves open.
        QCOMPARE(platform.messageTexts(), QStringList({msg::ValNoFolder}));

        platform.queueFolder(work.path());
        button(iform1, "INT_cmdstrFolderName")->click();
        button(iform1, "cmdValider")->click();
        QCOMPARE(platform.messageTexts().size(), 1);
        QVERIFY(QFile::exists(work.filePath(QStringLiteral("img/livre.png"))));

        platform.queueMessage(IDYES);
        action(iform1, "mnuCreation")->trigger();
        const QString page = JoinPath(work.path(), QStringLiteral("bureau.htm"));
        QVERIFY(QFile::exists(page));
        QVERIFY(QFile::exists(work.filePath(QStringLiteral("ordre.js"))));
        QCOMPARE(platform.requestsOf(QStringLiteral("shell")).size(), 1);
        QCOMPARE(platform.requestsOf(QStringLiteral("shell"))[0].text, page);
    }
};

QTEST_MAIN(TestExamples)
#include "test_examples.moc"
