// A teacher's unsaved work: the question before every way of dropping a project,
// the window title, and the recovery file a killed run leaves.
#include "gui/windowfixture.h"

#include <QProcess>

using namespace toravi;
using namespace toravi::test;
using namespace toravi::names;

namespace {

enum Answer { Cancel, SaveDialogCancelled, SaveFails, DontSave, Save };

ProjectModule& ModuleOf(WindowFixture& f, const QString& window)
{
    return window == kDragDrop ? static_cast<ProjectModule&>(f.ctx.dragdrop) : f.ctx.tooltip;
}

// A change of what the project file holds, made the way each module's window makes it.
void Change(WindowFixture& f, const QString& window, const QString& title = "Carte du monde")
{
    if (window == kDragDrop)
        f.in<QLineEdit>(kDragDrop, "INT_txtstrTitre")->setText(title);
    else
        f.ctx.tooltip.state.points.append({"10", "16", title});
}

QString Title(WindowFixture& f, const QString& window)
{
    return window == kDragDrop ? f.ctx.dragdrop.state.strTitre : f.ctx.tooltip.state.points.value(0).name;
}

}  // namespace

class TestUnsaved : public QObject {
    Q_OBJECT
private slots:
    // Every way out of a changed project asks first; "Annuler", a cancelled or failed save keep everything.
    void askBeforeDropping_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("way");
        for (const QString& w : {kPointEditor, kDragDrop})
            for (const char* way : {"mnuQuit", "close", "mnuLoad", "mnuReinit", "launcher"})
                QTest::addRow("%s %s", qPrintable(w), way) << w << QString(way);
    }
    void askBeforeDropping()
    {
        QFETCH(QString, window);
        QFETCH(QString, way);
        for (int answer = Cancel; answer <= Save; ++answer) {
            WindowFixture f(kLauncher);
            f.click(kLauncher, window == kPointEditor ? "Command1" : "Command2");
            QCoreApplication::processEvents();
            ProjectModule& m = ModuleOf(f, window);
            QVERIFY(!m.HasUnsavedChanges() && !f.window(window)->isWindowModified());
            Change(f, window);
            m.CheckChanges();
            QVERIFY(f.window(window)->isWindowModified());
            f.platform.clear();
            f.platform.queueMessage(answer == Cancel ? IDCANCEL : answer == DontSave ? IDNO : IDYES);
            const QString saved = f.scratch.filePath(answer == SaveFails ? "absent/projet.txt" : "projet.txt");
            if (answer >= SaveFails)
                f.platform.queueSaveFile(saved);
            if (way == "close")
                f.window(window)->close();
            else if (way == "launcher")
                f.window(kLauncher)->close();
            else
                f.trigger(window, way);
            WindowFixture::settle();

            const bool goesOn = answer == DontSave || answer == Save;
            QCOMPARE(f.platform.requests.value(0).flags, kSaveFirst);
            QCOMPARE(QFileInfo::exists(saved), answer == Save);
            QCOMPARE(f.platform.messageTexts().contains(msg::NotSaved(saved)), answer == SaveFails);
            if (way == "mnuQuit" || way == "launcher")
                QCOMPARE(f.quits, int(goesOn));
            else if (way == "close")
                QCOMPARE(f.window(window) == nullptr, goesOn);
            else if (way == "mnuLoad")
                QCOMPARE(f.platform.requestsOf("open").size(), int(goesOn));
            else
                QCOMPARE(Title(f, window) != "Carte du monde", goesOn);
            if (!goesOn)
                QVERIFY(f.visible(window) && Title(f, window) == "Carte du monde" && m.HasUnsavedChanges());
        }
    }

    // A saved or loaded project is unchanged, also once the drag-and-drop window has validated it;
    // creating the page saves nothing. Unchanged, nothing is asked.
    void savedAndLoaded()
    {
        for (const QString& window : {kPointEditor, kDragDrop}) {
            WindowFixture f(window);
            QCoreApplication::processEvents();
            ProjectModule& m = ModuleOf(f, window);
            const QString form = window == kPointEditor ? kParameters : kDragDrop;
            if (window == kPointEditor)
                f.trigger(kPointEditor, "mnuParam");
            f.ready(form);
            f.click(form, "cmdValider");
            Change(f, window);
            f.platform.queueMessage(IDNO);  // do not open the page
            f.trigger(window, "mnuCreation");
            QVERIFY(m.HasUnsavedChanges());
            const QString saved = f.scratch.filePath("projet.txt");
            f.platform.queueSaveFile(saved);
            f.trigger(window, "mnuSave");
            QVERIFY(!m.HasUnsavedChanges() && !f.window(window)->isWindowModified());
            Change(f, window, "Autre");
            f.platform.queueMessage(IDNO);
            f.platform.queueOpenFile(saved);
            f.trigger(window, "mnuLoad");
            QCOMPARE(Title(f, window), "Carte du monde");
            QVERIFY(!m.HasUnsavedChanges() && !f.window(window)->isWindowModified());
            f.platform.clear();
            f.trigger(window, "mnuQuit");
            QVERIFY(f.quits == 1 && f.platform.requests.isEmpty());
        }
    }

    // A run killed with unsaved work leaves its project in the user's data folder; the next start
    // offers it with its date, takes it or not, and removes it.
    void recoveryAfterKill()
    {
        for (const QString& window : {kPointEditor, kDragDrop})
            for (bool take : {true, false}) {
                QTemporaryDir folder;
                QProcess child;
                QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
                env.insert("TORAVI_KILLED_RUN", folder.path() + "|" + window);
                child.setProcessEnvironment(env);
                child.start(QCoreApplication::applicationFilePath(), {"killedWithUnsavedWork"});
                QByteArray said;
                while (!said.contains("pret") && child.waitForReadyRead(30000))
                    said += child.readAll();
                QVERIFY2(said.contains("pret"), said.constData());
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
                QCOMPARE(Title(f, window) == "Carte du monde", take);
                QCOMPARE(m.HasUnsavedChanges(), take);
                QCOMPARE(QFileInfo::exists(m.RecoveryPath()), take);  // a taken project is kept again at once
                f.trigger(window, "mnuQuit");  // "Non" by default
                QVERIFY(f.quits == 1 && !QFileInfo::exists(m.RecoveryPath()));
            }
    }
    // The killed run, started by recoveryAfterKill.
    void killedWithUnsavedWork()
    {
        const QStringList run = qEnvironmentVariable("TORAVI_KILLED_RUN").split('|');
        if (run.size() != 2)
            return;
        WindowFixture f(run[1]);
        ModuleOf(f, run[1]).SetRecoveryFolder(run[0]);
        QCoreApplication::processEvents();
        Change(f, run[1]);
        f.trigger(run[1], "mnuCreation");  // no folder: refused, but the work is kept
        printf("pret\n");
        fflush(stdout);
        QTest::qWait(60000);
    }
};

QTEST_MAIN(TestUnsaved)
#include "test_unsaved.moc"
