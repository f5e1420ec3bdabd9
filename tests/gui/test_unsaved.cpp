// A teacher's unsaved work: the question before every way of dropping a project,
// the window title, and the recovery file a killed run leaves.
#include "files/files.h"
#include "gui/windowfixture.h"

#include <QProcess>
#include <cstdio>

using namespace toravi;
using namespace toravi::test;
using namespace toravi::names;

namespace {

enum Answer { Cancel, SaveDialogCancelled, SaveFails, DontSave, Save };
const QString kChanged = "Carte du monde";

ProjectModule& ModuleOf(WindowFixture& f, const QString& window)
{
    return window == kDragDrop ? static_cast<ProjectModule&>(f.ctx.dragdrop) : f.ctx.tooltip;
}

// A change of what the project file holds; the drag-and-drop one typed in its window.
void Change(WindowFixture& f, const QString& window)
{
    window == kDragDrop ? f.in<QLineEdit>(kDragDrop, "INT_txtstrTitre")->setText(kChanged)
                        : void(f.ctx.tooltip.state.strTitre = kChanged);
}

}  // namespace

class TestUnsaved : public QObject {
    Q_OBJECT
private slots:
    // Every way out of a changed project asks first; "Annuler", a cancelled or failed save keep everything.
    void askBeforeDropping()
    {
        for (const QString& window : {kPointEditor, kDragDrop})
            for (const QString way : {"mnuQuit", "close", "mnuLoad", "mnuReinit", "launcher"})
                for (int answer = Cancel; answer <= Save; ++answer) {
                    const QByteArray where = QString("%1 %2 %3").arg(window, way).arg(answer).toUtf8();
                    WindowFixture f(kLauncher);
                    f.click(kLauncher, window == kPointEditor ? "Command1" : "Command2");
                    ProjectModule& m = ModuleOf(f, window);
                    Change(f, window);
                    m.CheckChanges();
                    QVERIFY(f.window(window)->isWindowModified());
                    f.platform.queueMessage(answer == Cancel ? IDCANCEL : answer == DontSave ? IDNO : IDYES);
                    const QString saved = f.scratch.filePath(answer == SaveFails ? "absent/p.txt" : "p.txt");
                    f.platform.queueSaveFile(answer >= SaveFails ? saved : QString());
                    way.startsWith("mnu") ? f.trigger(window, way)
                                          : void(f.window(way == "close" ? window : kLauncher)->close());
                    WindowFixture::settle();

                    const bool goesOn = answer == DontSave || answer == Save;
                    QVERIFY2(f.platform.requests.value(0).flags == kSaveFirst, where);
                    QVERIFY2(QFileInfo::exists(saved) == (answer == Save), where);
                    QVERIFY2(f.platform.messageTexts().contains(msg::NotSaved(saved)) == (answer == SaveFails), where);
                    if (way == "mnuQuit" || way == "launcher")
                        QVERIFY2(f.quits == goesOn, where);
                    else if (way == "close")
                        QVERIFY2((f.window(window) == nullptr) == goesOn, where);
                    else if (way == "mnuLoad")  // the open dialog cancelled: still changed, unless saved
                        QVERIFY2(f.platform.requestsOf("open").size() == goesOn &&
                                     f.window(window)->isWindowModified() == (answer != Save), where);
                    else
                        QVERIFY2(m.CurrentProjectLines().contains(kChanged) != goesOn, where);
                    if (!goesOn)
                        QVERIFY2(f.visible(window) && m.HasUnsavedChanges(), where);
                }
    }

    // A run killed with unsaved work (this test run again, as a child) leaves its project in the user's
    // data folder; the next start offers it with its date, takes it or not, and removes it.
    void recoveryAfterKill()
    {
        if (const QStringList run = qEnvironmentVariable("TORAVI_KILLED_RUN").split('|'); run.size() == 2) {
            WindowFixture f(run[1]);
            ModuleOf(f, run[1]).SetRecoveryFolder(run[0]);
            QCoreApplication::processEvents();
            Change(f, run[1]);
            f.trigger(run[1], "mnuCreation");  // no folder: refused, but the work is kept
            std::fputs("pret\n", stdout);  // flushed: a pipe is not line-buffered everywhere
            std::fflush(stdout);
            QTest::qWait(60000);
        }
        for (const QString& window : {kPointEditor, kDragDrop})
            for (bool take : {true, false}) {
                QTemporaryDir folder;
                QProcess child;
                qputenv("TORAVI_KILLED_RUN", (folder.path() + "|" + window).toUtf8());
                child.start(QCoreApplication::applicationFilePath(), {"-platform", "offscreen", "recoveryAfterKill"});
                qunsetenv("TORAVI_KILLED_RUN");
                QByteArray said;
                QTRY_VERIFY_WITH_TIMEOUT((said += child.readAll()).contains("pret"), 30000);
                child.kill();
                QVERIFY(child.waitForFinished(30000));

                WindowFixture f(window);
                ProjectModule& m = ModuleOf(f, window);
                m.SetRecoveryFolder(folder.path());
                f.platform.queueMessage(take ? IDYES : IDNO);
                QCoreApplication::processEvents();
                const auto offer = f.platform.requests.value(0);
                QVERIFY2(offer.flags == kOffer && offer.text.contains(QString::number(QDate::currentDate().year())),
                         qPrintable(offer.text));
                QVERIFY(m.CurrentProjectLines().contains(kChanged) == take && m.HasUnsavedChanges() == take);
                QCOMPARE(QFileInfo::exists(m.RecoveryPath()), take);  // a taken project is kept again at once
                f.trigger(window, "mnuQuit");  // "Non" by default
                QVERIFY(f.quits == 1 && !QFileInfo::exists(m.RecoveryPath()));
            }
    }
};

QTEST_MAIN(TestUnsaved)
#include "test_unsaved.moc"
