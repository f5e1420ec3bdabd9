// "Aide" and the presentation windows FAbout and INT_FAbout.
#include "shell/standins.h"
#include "support/testsupport.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace toravi;
using namespace toravi::test;

namespace {

template <typename T = QLabel>
T* child(QWidget* window, const char* name)
{
    return window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

}  // namespace

class PresentationTest : public QObject {
    Q_OBJECT
private slots:
    void help_data();
    void help();
    void helpFromTheParametersWindow();
    void content();
    void linksAskTheShell();
    void closeButtonGetsThePointerOnce();
};

void PresentationTest::help_data()
{
    QTest::addColumn<int>("module");
    QTest::addColumn<bool>("helpFile");
    QTest::addColumn<QString>("closeWith");  // "click", or the control given Esc ("" for the window)
    const int tooltip = int(HelpModule::Tooltip), dragDrop = int(HelpModule::DragDrop);
    QTest::newRow("tooltip, help file") << tooltip << true << "";
    QTest::newRow("drag and drop, help file") << dragDrop << true << "";
    QTest::newRow("tooltip, close button") << tooltip << false << "click";
    QTest::newRow("drag and drop, close button") << dragDrop << false << "click";
    QTest::newRow("tooltip, Esc on the window") << tooltip << false << "";
    QTest::newRow("tooltip, Esc on the close button") << tooltip << false << "Command1";
    QTest::newRow("drag and drop, Esc on the close button") << dragDrop << false << "Command1";
    QTest::newRow("drag and drop, Esc on the mail link") << dragDrop << false << "Label4";
}

void PresentationTest::help()
{
    QFETCH(int, module);
    QFETCH(bool, helpFile);
    QFETCH(QString, closeWith);
    Program p;
    const QString presentation = PresentationWindowName(HelpModule(module));
    const QString chm = JoinPath(p.programFolder.path(), QStringLiteral("toravi.chm"));
    // A folder of that name is no help file.
    QVERIFY(helpFile ? WriteBytes(chm, "ITSF") : QDir().mkdir(chm));
    QWidget* main = p.open(HelpModule(module) == HelpModule::Tooltip ? "Form1" : "IForm1");
    p.ctx.blnFromLauncher = true;

    OpenModuleHelp(p.ctx, HelpModule(module), main, true);
    if (helpFile) {
        const auto shell = p.platform.requestsOf(QStringLiteral("shell"));
        QCOMPARE(shell.size(), 1);
        QCOMPARE(shell.first().text, chm);
        QCOMPARE(p.platform.requests.size(), 1);
        QVERIFY(main->isEnabled() && p.ctx.blnFromLauncher);
        QVERIFY(!p.ctx.windows.isLoaded(presentation));
        return;
    }
    QPointer<QWidget> about = p.window(presentation);
    QVERIFY(about && about->isVisible() && !about->isModal());
    QVERIFY(!main->isEnabled());
    QVERIFY(!p.ctx.blnFromLauncher);
    QVERIFY(p.platform.requests.isEmpty());  // no message, no shell request
    OpenModuleHelp(p.ctx, HelpModule(module), main, true);
    QCOMPARE(p.window(presentation), about.data());

    if (closeWith == QLatin1String("click")) {
        QTest::mouseClick(child<QPushButton>(about, "Command1"), Qt::LeftButton);
    } else {
        QWidget* target = closeWith.isEmpty() ? about.data() : about->findChild<QWidget*>(closeWith);
        QVERIFY(target);
        QTest::keyClick(target, Qt::Key_A);
        QVERIFY(about->isVisible());
        QTest::keyClick(target, Qt::Key_Escape);
    }
    QVERIFY(about.isNull() || !about->isVisible());
    QVERIFY(main->isEnabled());
    QVERIFY(!p.ctx.blnFromLauncher);
    QVERIFY(!p.ctx.windows.isLoaded("Form3"));  // the launcher stays out of it
    FlushDeletions();
    QVERIFY(!p.ctx.windows.isLoaded(presentation));
}

void PresentationTest::helpFromTheParametersWindow()
{
    Program p;
    QWidget* form1 = p.open("Form1");
    form1->setEnabled(false);  // held so by the parameters window
    QWidget* form2 = p.open("Form2");

    OpenModuleHelp(p.ctx, HelpModule::Tooltip, form2, false);
    QWidget* about = p.window("FAbout");
    QVERIFY(about && about->isVisible());
    QVERIFY(form2->isEnabled());
    QVERIFY(!p.ctx.blnFromLauncher);

    about->close();
    // The point editor is given back even while the parameters window stays open.
    QVERIFY(form1->isEnabled());
    QVERIFY(form2->isVisible() && form2->isEnabled());
    QVERIFY(!p.ctx.blnFromLauncher);
}

void PresentationTest::content()
{
    Program p;
    for (HelpModule module : {HelpModule::Tooltip, HelpModule::DragDrop}) {
        QWidget* about = p.open(PresentationWindowName(module));
        QVERIFY(about);
        QCOMPARE(child(about, "lblVersion")->text(), QStringLiteral("Version 2.00.0000"));
        // The summary is drawn twice, one copy shading the other.
        QCOMPARE(child(about, "Label3")->text(), child(about, "Label2")->text());
        const QString guide = child(about, "Label1")->text();
        for (const QString& paragraph : PresentationGuide(module))
            QVERIFY2(guide.contains(paragraph.toHtmlEscaped()), qPrintable(paragraph));
        // Only the drag and drop module names its script.
        QLabel* script = child(about, "Label6");
        QCOMPARE(script != nullptr, module == HelpModule::DragDrop);
        if (script)
            QVERIFY(script->text().contains(QLatin1String("ordre.js")));

        // Nothing cut off.
        for (const char* name : {"Label2", "lblVersion", "Label4", "lblCompany", "Label5", "Command1"}) {
            QWidget* w = about->findChild<QWidget*>(QString::fromLatin1(name));
            QVERIFY2(w && w->isVisible(), name);
            QVERIFY2(about->rect().contains(QRect(w->mapTo(about, QPoint(0, 0)), w->size())), name);
        }
        QLabel* guideLabel = child(about, "Label1");
        QVERIFY(guideLabel->height() >= guideLabel->heightForWidth(guideLabel->width()));
    }
}

void PresentationTest::linksAskTheShell()
{
    Program p;
    const QString mailto = QStringLiteral("mailto:contact@toravi.invalid?subject=Toravi%202");
    const auto shellTargets = [&p] {
        QStringList targets;
        for (const auto& request : p.platform.requestsOf(QStringLiteral("shell")))
            targets << request.text;
        return targets;
    };
    QWidget* fabout = p.open("FAbout");
    QTest::mouseClick(child(fabout, "Label4"), Qt::LeftButton);
    // A plain company name is no address: nothing is asked.
    QTest::mouseClick(child(fabout, "lblCompany"), Qt::LeftButton);
    QWidget* intAbout = p.open("INT_FAbout");
    QTest::mouseClick(child(intAbout, "Label4"), Qt::LeftButton);
    QTest::mouseClick(child(intAbout, "Label6"), Qt::LeftButton);
    // The mail link answers the keyboard too.
    child(intAbout, "Label4")->setFocus();
    QTest::keyClick(child(intAbout, "Label4"), Qt::Key_Return);

    QCOMPARE(shellTargets(), (QStringList{mailto, mailto, mailto}));
    QVERIFY(fabout->isVisible() && intAbout->isVisible());
}

void PresentationTest::closeButtonGetsThePointerOnce()
{
    Program p;
    auto* fabout = qobject_cast<PresentationWindow*>(p.open("FAbout"));
    QVERIFY(fabout && QTest::qWaitForWindowActive(fabout));
    auto* command1 = child<QPushButton>(fabout, "Command1");
    QTRY_VERIFY(command1->hasFocus());
    QVERIFY(fabout->pointerPlaced());
    const QPoint centre = command1->mapToGlobal(command1->rect().center());
    QCOMPARE(QCursor::pos(), centre);

    // Only the first time, and only in FAbout.
    const QPoint moved = centre + QPoint(40, 40);
    QCursor::setPos(moved);
    child(fabout, "Label4")->setFocus();
    command1->setFocus();
    QCOMPARE(QCursor::pos(), moved);

    auto* intAbout = qobject_cast<PresentationWindow*>(p.open("INT_FAbout"));
    QVERIFY(intAbout && QTest::qWaitForWindowActive(intAbout));
    QTRY_VERIFY(child<QPushButton>(intAbout, "Command1")->hasFocus());
    QVERIFY(!intAbout->pointerPlaced());
    QCOMPARE(QCursor::pos(), moved);
}

QTEST_MAIN(PresentationTest)
#include "test_presentation.moc"
