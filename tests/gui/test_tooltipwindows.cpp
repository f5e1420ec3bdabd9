// Wiring of the tooltip module's windows: point editor (Form1) and parameters (Form2).
#include "gui/windowfixture.h"

#include "tooltip/picturebox.h"
#include "tooltip/tooltipmodule.h"

#include <QCheckBox>
#include <QKeySequence>

using namespace toravi;
using namespace toravi::test;
using names::kParameters;
using names::kPointEditor;

namespace {

bool IsRed(QRgb c) { return qRed(c) > 180 && qGreen(c) < 90 && qBlue(c) < 110; }
bool IsGreen(QRgb c) { return qGreen(c) > 180 && qRed(c) < 90 && qBlue(c) < 110; }

// Whether a mark ring of that colour surrounds the pixel (x, y) of the picture box.
bool RingAround(QWidget* picture, int x, int y, bool (*colour)(QRgb))
{
    const QImage img = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return colour(img.pixel(x + 5, y)) && colour(img.pixel(x - 5, y)) && colour(img.pixel(x, y + 5)) &&
           colour(img.pixel(x, y - 5)) && !colour(img.pixel(x, y));
}

// The visible input controls that can be used.
QStringList Usable(QWidget* window)
{
    QStringList out;
    for (QWidget* w : window->findChildren<QWidget*>())
        if ((qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w)) &&
            w->isVisibleTo(window) && w->isEnabled())
            out << w->objectName();
    out.sort();
    return out;
}

}  // namespace

class TestTooltipWindows : public QObject {
    Q_OBJECT
private slots:
    void shortcuts_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("request");  // what the platform is asked first
        QTest::newRow("Form1 reset") << kPointEditor << QKeySequence(Qt::SHIFT | Qt::Key_Delete) << msg::ResetQuestion;
        QTest::newRow("Form1 load") << kPointEditor << QKeySequence(Qt::CTRL | Qt::Key_L) << "open";
        QTest::newRow("Form1 save") << kPointEditor << QKeySequence(Qt::CTRL | Qt::Key_S) << "save";
        QTest::newRow("Form1 page") << kPointEditor << QKeySequence(Qt::CTRL | Qt::Key_F12) << msg::NoFolder;
        QTest::newRow("Form1 parameters") << kPointEditor << QKeySequence(Qt::CTRL | Qt::Key_P) << kParameters;
        QTest::newRow("Form2 reset") << kParameters << QKeySequence(Qt::SHIFT | Qt::Key_Delete) << msg::ResetQuestion;
        QTest::newRow("Form2 load") << kParameters << QKeySequence(Qt::CTRL | Qt::Key_L) << "open";
        QTest::newRow("Form2 save") << kParameters << QKeySequence(Qt::CTRL | Qt::Key_S) << "save";
    }
    void shortcuts()
    {
        QFETCH(QString, window);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, request);
        WindowFixture f(window);
        QVERIFY(QTest::qWaitForWindowActive(f.window(window)));
        QTest::keySequence(f.window(window), keys);
        if (request == kParameters)
            QVERIFY(f.visible(kParameters) && !f.window(kPointEditor)->isEnabled());
        else if (request == "open" || request == "save")
            QCOMPARE(f.platform.requests.value(0).kind, request);
        else
            QCOMPARE(f.platform.messageTexts().value(0), request);
    }

    // Each look control into its setting, and back on screen by the refresh.
    void lookControls()
    {
        WindowFixture f(kPointEditor);
        f.trigger(kPointEditor, "mnuParam");
        f.ready(kParameters, "cmdstrFolderName", "cmdOrigImageFile");
        const struct {
            const char* control;
            QString TooltipState::*setting;
            const char* stored;  // a colour button is answered with this colour
        } rows[] = {{"CheckBaloonBold", &TooltipState::strBaloonBold, "font-weight:bold;"},
                    {"CheckBaloonItalic", &TooltipState::strBaloonItalic, "font-style:italic;"},
                    {"CheckBaloonUnderlined", &TooltipState::strBaloonUnderlined, "text-decoration:underline;"},
                    {"CheckTitelBold", &TooltipState::strTitelBold, "bold"},
                    {"CheckTitelItalic", &TooltipState::strTitelItalic, "italic"},
                    {"CheckTitelUnderline", &TooltipState::strTitelUnderline, "underlined"},
                    {"Command2", &TooltipState::strBaloonColor, "0000FF"},
                    {"cmdFonBulle", &TooltipState::strBaloonBackColor, "FFFFCC"},
                    {"cmdTitelColor", &TooltipState::strTitelColor, "008000"},
                    {"Command1", &TooltipState::strBackgroundColor, "102030"}};
        for (const auto& r : rows) {
            if (!QByteArray(r.control).startsWith("Check"))
                f.platform.queueColor(DecodeWebColor(QString::fromLatin1(r.stored)));
            f.click(kParameters, r.control);
            QCOMPARE(f.ctx.tooltip.state.*r.setting, QString::fromLatin1(r.stored));
        }
        f.choose(kParameters, "cmbBaloonSize", "16");
        f.choose(kParameters, "CmbTitelSize", "6");
        f.choose(kParameters, "cmbTitelPlacement", "droite");
        const TooltipState& s = f.ctx.tooltip.state;
        QCOMPARE(s.strBaloonSize + s.strTitelSize + s.strTitelPlacement, "166right");
        for (const char* example : {"lblExemple", "lblTitelExemple"}) {
            const QFont font = f.in(kParameters, example)->font();
            QVERIFY(font.bold() && font.italic() && font.underline());
        }
        QCOMPARE(f.in(kParameters, "lblExemple")->palette().color(QPalette::WindowText), QColor(0, 0, 0xFF));
        f.click(kParameters, "CheckBaloonItalic");
        QVERIFY(s.strBaloonItalic.isEmpty() && !f.in(kParameters, "lblExemple")->font().italic());
    }

    // A refresh shows the state without running the controls' own handlers.
    void refreshRunsOnceAndQuietly()
    {
        WindowFixture f(kPointEditor);
        f.trigger(kPointEditor, "mnuParam");
        TooltipState& s = f.ctx.tooltip.state;
        s.strFolderName = f.folder();
        s.strTitelPlacement = "milieu";  // not a placement word
        s.strBaloonSize = "13";          // not offered by the list
        s.strTitre = "Histoire";
        int refreshes = 0;
        QObject::connect(&f.ctx.tooltip, &TooltipModule::refreshRequested, [&refreshes] { ++refreshes; });
        f.trigger(kPointEditor, "mnuRefresh");
        QCOMPARE(refreshes, 1);
        QVERIFY(f.in<QComboBox>(kParameters, "cmbTitelPlacement")->currentText().isEmpty());
        QCOMPARE(s.strTitelPlacement + s.strBaloonSize, "milieu13");
        QCOMPARE(f.in<QLineEdit>(kParameters, "txtstrTitre")->text(), "Histoire");
        QCOMPARE(f.in<QLabel>(kParameters, "lblPageWebPath")->text(), JoinPath(f.folder(), "exercice.htm"));
    }

    void parametersHoldTheEditor()
    {
        WindowFixture f(kPointEditor);
        for (int round = 0; round < 2; ++round) {
            f.trigger(kPointEditor, "mnuParam");
            QVERIFY(f.visible(kParameters) && !f.window(kPointEditor)->isEnabled());
            if (round == 0)
                f.trigger(kParameters, "mnuQuit");
            else
                f.window(kParameters)->close();
            WindowFixture::settle();
            QVERIFY(!f.window(kParameters) && f.window(kPointEditor)->isEnabled());
        }
        // Only the folder is usable before there is one; then everything is.
        f.trigger(kPointEditor, "mnuParam");
        QWidget* form2 = f.window(kParameters);
        QCOMPARE(Usable(form2), (QStringList{"cmdValider", "cmdstrFolderName", "txtstrFolderName"}));
        f.ready(kParameters, "cmdstrFolderName", "cmdOrigImageFile");
        for (QWidget* w : form2->findChildren<QWidget*>())
            QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
        // Valider: the editor back, showing the picture without its hint.
        f.click(kParameters, "cmdValider");
        WindowFixture::settle();
        QVERIFY(!f.window(kParameters) && f.window(kPointEditor)->isEnabled());
        QVERIFY(f.in<PictureBox>(kPointEditor, "Picture1")->holdsPicture());
        QVERIFY(!f.in(kPointEditor, "Label2")->isVisible());
    }

    void pointsByClickAndList()
    {
        WindowFixture f(kPointEditor);
        auto* picture = f.in<PictureBox>(kPointEditor, "Picture1");
        for (auto [x, y, name] : {std::tuple{10, 10, "Un"}, {20, 20, ""}, {30, 30, "Trois"}}) {
            f.platform.queueInput(name);  // a cancelled prompt still adds the point
            WindowFixture::clickAt(picture, QPointF(x, y));
        }
        QCOMPARE(f.entries(kPointEditor, "List1"), (QStringList{"10", "20", "30"}));
        QCOMPARE(f.entries(kPointEditor, "List2"), (QStringList{"16", "26", "36"}));
        QCOMPARE(f.entries(kPointEditor, "List3"), (QStringList{"Un", "", "Trois"}));
        QVERIFY(RingAround(picture, 20, 20, IsRed));

        // Enter corrects the selected name, its mark green while asking; an empty answer keeps it.
        auto* names = f.in<QListWidget>(kPointEditor, "List3");
        bool green = false;
        f.platform.onInput = [&] { green = RingAround(picture, 30, 30, IsGreen) && RingAround(picture, 10, 10, IsRed); };
        names->setCurrentRow(2);
        f.platform.queueInput("Trois bis");
        QTest::keyClick(names, Qt::Key_Return);
        QVERIFY(green);
        QCOMPARE(f.platform.requestsOf("input").last().defaultText, "Trois");
        names->setCurrentRow(0);
        f.platform.queueInput(QString());
        QTest::keyClick(names, Qt::Key_Return);
        QCOMPARE(f.entries(kPointEditor, "List3"), (QStringList{"Un", "", "Trois bis"}));
        QVERIFY(RingAround(picture, 30, 30, IsRed));

        // Delete asks first; Yes removes the point from all three lists and its mark.
        names->setCurrentRow(1);
        f.platform.queueMessage(IDNO);
        QTest::keyClick(names, Qt::Key_Delete);
        QCOMPARE(f.entries(kPointEditor, "List3").size(), 3);
        f.platform.queueMessage(IDYES);
        QTest::keyClick(names, Qt::Key_Delete);
        QCOMPARE(f.entries(kPointEditor, "List1"), (QStringList{"10", "30"}));
        QCOMPARE(f.entries(kPointEditor, "List2"), (QStringList{"16", "36"}));
        QVERIFY(!RingAround(picture, 20, 20, IsRed));
        // Nothing selected: neither key asks anything.
        names->clearSelection();
        names->setCurrentRow(-1);
        f.platform.clear();
        QTest::keyClick(names, Qt::Key_Delete);
        QTest::keyClick(names, Qt::Key_Return);
        QVERIFY(f.platform.requests.isEmpty());
    }
};

QTEST_MAIN(TestTooltipWindows)
#include "test_tooltipwindows.moc"
