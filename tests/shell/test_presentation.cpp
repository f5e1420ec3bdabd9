// "Aide" and the presentation windows FAbout and INT_FAbout.
#include "shared/platform.h"
#include "shared/publish.h"
#include "shell/appcontext.h"
#include "shell/launcher.h"
#include "shell/presentation.h"
#include "shell/standins.h"
#include "support/testsupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace toravi;
using toravi::test::RegisterStandIns;
using toravi::test::WindowLog;

namespace {

void flushDeletions() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

struct Program {
    ScriptedPlatform platform;
    AppContext ctx{platform};
    WindowLog log;
    bool quitCalled = false;
    QTemporaryDir programFolder;  // holds no help file unless a test puts one there

    Program()
    {
        SetProgramFolder(programFolder.path());
        RegisterLauncher(ctx);
        RegisterPresentationWindows(ctx);
        RegisterStandIns(ctx, log, {QStringLiteral("Form1"), QStringLiteral("Form2"), QStringLiteral("IForm1")});
        ctx.quit = [this] { quitCalled = true; };
    }
    ~Program() { SetProgramFolder(QString()); }
    QWidget* window(const QString& name) { return ctx.windows.find(name); }
    QWidget* open(const QString& name)
    {
        ctx.windows.show(name);
        return ctx.windows.find(name);
    }
    bool loaded(const char* name) { return ctx.windows.isLoaded(QString::fromLatin1(name)); }
};

template <typename T = QLabel>
T* child(QWidget* window, const char* name)
{
    return window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

}  // namespace

class PresentationTest : public QObject {
    Q_OBJECT
private slots:
    void helpFileOpensWithTheShell();
    void helpWithoutFileShowsThePresentation_data();
    void helpWithoutFileShowsThePresentation();
    void helpFromTheParametersWindow();
    void escapeClosesFromAnyControl_data();
    void escapeClosesFromAnyControl();
    void contentOfBothWindows();
    void linksAskTheShell();
    void closeButtonGetsThePointerOnce();
};

void PresentationTest::helpFileOpensWithTheShell()
{
    Program p;
    const QString chm = JoinPath(p.programFolder.path(), QStringLiteral("toravi.chm"));
    QVERIFY(toravi::test::WriteBytes(chm, "ITSF"));
    QWidget* form1 = p.open(QStringLiteral("Form1"));
    p.ctx.blnFromLauncher = true;

    OpenModuleHelp(p.ctx, HelpModule::Tooltip, form1, true);

    const auto shell = p.platform.requestsOf(QStringLiteral("shell"));
    QCOMPARE(shell.size(), 1);
    QCOMPARE(shell.first().text, chm);
    // Nothing else happens.
    QVERIFY(form1->isEnabled());
    QVERIFY(p.ctx.blnFromLauncher);
    QVERIFY(!p.loaded("FAbout"));
    QCOMPARE(p.platform.requests.size(), 1);

    OpenModuleHelp(p.ctx, HelpModule::DragDrop, p.open(QStringLiteral("IForm1")), true);
    QCOMPARE(p.platform.requestsOf(QStringLiteral("shell")).size(), 2);
    QVERIFY(!p.loaded("INT_FAbout"));
}

void PresentationTest::helpWithoutFileShowsThePresentation_data()
{
    QTest::addColumn<int>("module");
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QString>("presentation");
    QTest::newRow("tooltip") << int(HelpModule::Tooltip) << "Form1" << "FAbout";
    QTest::newRow("drag and drop") << int(HelpModule::DragDrop) << "IForm1" << "INT_FAbout";
}

void PresentationTest::helpWithoutFileShowsThePresentation()
{
    QFETCH(int, module);
    QFETCH(QString, owner);
    QFETCH(QString, presentation);
    Program p;
    // A folder of that name is no help file.
    QVERIFY(QDir(p.programFolder.path()).mkdir(QStringLiteral("toravi.chm")));
    QWidget* main = p.open(owner);
    p.ctx.blnFromLauncher = true;

    OpenModuleHelp(p.ctx, HelpModule(module), main, true);

    QWidget* about = p.window(presentation);
    QVERIFY(about && about->isVisible());
    QVERIFY(!about->isModal());
    QVERIFY(!main->isEnabled());
    QVERIFY(!p.ctx.blnFromLauncher);
    QVERIFY(p.platform.requests.isEmpty());  // no message, no shell request
    QVERIFY(!p.loaded("Form3"));

    QTest::mouseClick(child<QPushButton>(about, "Command1"), Qt::LeftButton);
    QVERIFY(main->isEnabled());
    QVERIFY(!p.ctx.blnFromLauncher);
    QVERIFY(!p.loaded("Form3"));  // the launcher stays out of it
    flushDeletions();
    QVERIFY(!p.ctx.windows.isLoaded(presentation));

    // Asking twice shows the same single window.
    OpenModuleHelp(p.ctx, HelpModule(module), main, true);
    QWidget* again = p.window(presentation);
    OpenModuleHelp(p.ctx, HelpModule(module), main, true);
    QCOMPARE(p.window(presentation), again);
}

void PresentationTest::helpFromTheParametersWindow()
{
    Program p;
    QWidget* form1 = p.open(QStringLiteral("Form1"));
    form1->setEnabled(false);  // held so by the parameters window
    QWidget* form2 = p.open(QStringLiteral("Form2"));

    OpenModuleHelp(p.ctx, HelpModule::Tooltip, form2, false);
    QWidget* about = p.window(QStringLiteral("FAbout"));
    QVERIFY(about && about->isVisible());
    QVERIFY(form2->isEnabled());
    QVERIFY(!p.ctx.blnFromLauncher);

    about->close();
    // The point editor is given back even while the parameters window stays open.
    QVERIFY(form1->isEnabled());
    QVERIFY(form2->isVisible() && form2->isEnabled());
    QVERIFY(!p.ctx.blnFromLauncher);
}

void PresentationTest::escapeClosesFromAnyControl_data()
{
    QTest::addColumn<QString>("presentation");
    QTest::addColumn<QString>("focus");
    QTest::newRow("FAbout, close button") << "FAbout" << "Command1";
    QTest::newRow("FAbout, window") << "FAbout" << "";
    QTest::newRow("INT_FAbout, close button") << "INT_FAbout" << "Command1";
    QTest::newRow("INT_FAbout, mail link") << "INT_FAbout" << "Label4";
}

void PresentationTest::escapeClosesFromAnyControl()
{
    QFETCH(QString, presentation);
    QFETCH(QString, focus);
    Program p;
    QWidget* main = p.open(presentation == QLatin1String("FAbout") ? QStringLiteral("Form1") : QStringLiteral("IForm1"));
    OpenModuleHelp(p.ctx, presentation == QLatin1String("FAbout") ? HelpModule::Tooltip : HelpModule::DragDrop, main,
                   true);
    QWidget* about = p.window(presentation);
    QWidget* target = focus.isEmpty() ? about : about->findChild<QWidget*>(focus);
    QVERIFY(target);
    QPointer<QWidget> guard = about;

    // Other keys leave it open.
    QTest::keyClick(target, Qt::Key_A);
    QVERIFY(about->isVisible());

    QTest::keyClick(target, Qt::Key_Escape);
    QVERIFY(guard.isNull() || !guard->isVisible());
    QVERIFY(main->isEnabled());
    flushDeletions();
    QVERIFY(!p.ctx.windows.isLoaded(presentation));
}

void PresentationTest::contentOfBothWindows()
{
    Program p;
    for (HelpModule module : {HelpModule::Tooltip, HelpModule::DragDrop}) {
        QWidget* about = p.open(PresentationWindowName(module));
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QStringLiteral("Toravi - Générateur de page Web interactive - Présentation"));
        QCOMPARE(child(about, "lblVersion")->text(), QStringLiteral("Version 2.00.0000"));
        QCOMPARE(child(about, "lblCompany")->text(), QStringLiteral("L'équipe Toravi"));
        QVERIFY(!child(about, "Label5")->text().isEmpty());

        // The summary, drawn twice, one copy over the other.
        const QStringList summary = child(about, "Label2")->text().split(QLatin1Char('\n'));
        QCOMPARE(child(about, "Label3")->text(), child(about, "Label2")->text());
        QCOMPARE(child(about, "Label2")->geometry().center(), child(about, "Label3")->geometry().center());
        if (module == HelpModule::Tooltip) {
            QCOMPARE(summary, (QStringList{QStringLiteral("Intégration d'mages dans une page Web interactive."),
                                           QStringLiteral("Taille maximale des images 733x643"),
                                           QStringLiteral("(Optimisé pour une résolution d'écran de 1024x768)")}));
            QVERIFY(!child(about, "Label6"));
        } else {
            QCOMPARE(summary.size(), 3);
            QCOMPARE(summary.at(0), QStringLiteral("Glisser-déplacer d'images d'objets sur une image de fond."));
            QCOMPARE(summary.at(1), QStringLiteral("Taille maximale conseillées des images : largeur 700."));
            QVERIFY(summary.at(2).contains(QLatin1String("ordre.js")));
            QVERIFY(child(about, "Label6")->text().contains(QLatin1String("ordre.js")));
        }

        // The guide ends with the invitation to write, product name in the subject.
        const QString guide = child(about, "Label1")->text();
        const QStringList paragraphs = PresentationGuide(module);
        QVERIFY(paragraphs.size() >= 7);
        for (const QString& paragraph : paragraphs)
            QVERIFY2(guide.contains(paragraph.toHtmlEscaped()), qPrintable(paragraph));
        QVERIFY(paragraphs.last().contains(QLatin1String("Toravi")));
        QVERIFY(paragraphs.first().contains(module == HelpModule::Tooltip ? QStringLiteral("Paramètres")
                                                                           : QStringLiteral("préparez")));

        // Labels and button centred in the window, nothing cut off.
        const int middle = about->width() / 2;
        for (const char* name : {"Label2", "lblVersion", "Label4", "lblCompany", "Label5", "Command1"}) {
            QWidget* w = about->findChild<QWidget*>(QString::fromLatin1(name));
            QVERIFY2(w && w->isVisible(), name);
            const QRect r(w->mapTo(about, QPoint(0, 0)), w->size());
            QVERIFY2(qAbs(r.center().x() - middle) <= 2, name);
            QVERIFY2(about->rect().contains(r), name);
            if (auto* label = qobject_cast<QLabel*>(w))
                QVERIFY2(label->alignment() & Qt::AlignHCenter, name);
        }
        auto* guideLabel = child(about, "Label1");
        QVERIFY(guideLabel->height() >= guideLabel->heightForWidth(guideLabel->width()));
    }
}

void PresentationTest::linksAskTheShell()
{
    Program p;
    QWidget* fabout = p.open(QStringLiteral("FAbout"));
    QTest::mouseClick(child(fabout, "Label4"), Qt::LeftButton);
    auto shell = p.platform.requestsOf(QStringLiteral("shell"));
    QCOMPARE(shell.size(), 1);
    QCOMPARE(shell.first().text, QStringLiteral("mailto:contact@toravi.invalid?subject=Toravi%202"));

    // A plain company name is no address: nothing is asked.
    QTest::mouseClick(child(fabout, "lblCompany"), Qt::LeftButton);
    QCOMPARE(p.platform.requestsOf(QStringLiteral("shell")).size(), 1);

    QWidget* intAbout = p.open(QStringLiteral("INT_FAbout"));
    QTest::mouseClick(child(intAbout, "Label4"), Qt::LeftButton);
    QTest::mouseClick(child(intAbout, "Label6"), Qt::LeftButton);
    shell = p.platform.requestsOf(QStringLiteral("shell"));
    QCOMPARE(shell.size(), 2);
    QCOMPARE(shell.last().text, QStringLiteral("mailto:contact@toravi.invalid?subject=Toravi%202"));

    // The mail link answers the keyboard too.
    child(intAbout, "Label4")->setFocus();
    QTest::keyClick(child(intAbout, "Label4"), Qt::Key_Return);
    QCOMPARE(p.platform.requestsOf(QStringLiteral("shell")).size(), 3);
    // Links never close the window.
    QVERIFY(fabout->isVisible() && intAbout->isVisible());
}

void PresentationTest::closeButtonGetsThePointerOnce()
{
    Program p;
    auto* fabout = qobject_cast<PresentationWindow*>(p.open(QStringLiteral("FAbout")));
    QVERIFY(fabout);
    QVERIFY(QTest::qWaitForWindowActive(fabout));
    auto* command1 = child<QPushButton>(fabout, "Command1");
    QTRY_VERIFY(command1->hasFocus());
    QVERIFY(fabout->pointerPlaced());
    const QPoint centre = command1->mapToGlobal(command1->rect().center());
    QCOMPARE(QCursor::pos(), centre);

    // Only the first time.
    QCursor::setPos(centre + QPoint(40, 40));
    child(fabout, "Label4")->setFocus();
    command1->setFocus();
    QCOMPARE(QCursor::pos(), centre + QPoint(40, 40));

    auto* intAbout = qobject_cast<PresentationWindow*>(p.open(QStringLiteral("INT_FAbout")));
    QVERIFY(QTest::qWaitForWindowActive(intAbout));
    QTRY_VERIFY(child<QPushButton>(intAbout, "Command1")->hasFocus());
    QVERIFY(!intAbout->pointerPlaced());
    QCOMPARE(QCursor::pos(), centre + QPoint(40, 40));
}

QTEST_MAIN(PresentationTest)
#include "test_presentation.moc"
