// Balloon help: text layout, placement on the screen, and the handling's life.
#include "widgets/balloon.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>
#include <QtTest>

using namespace toravi;

namespace {

// Asks for a control's tooltip as a resting pointer does; true when one was shown.
bool requestTooltip(QWidget* control, const QPoint& global)
{
    QHelpEvent event(QEvent::ToolTip, control->mapFromGlobal(global), global);
    QCoreApplication::sendEvent(control, &event);
    return event.isAccepted();
}

}  // namespace

class BalloonTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { UnhookBubble(); }

    void layout_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("align");
        QTest::addColumn<QStringList>("rows");
        const int left = int(BalloonAlign::Left), centre = int(BalloonAlign::Centre), right = int(BalloonAlign::Right);
        QTest::newRow("centre") << "<c>Dossier\r\nde travail" << centre << QStringList{"Dossier", "de travail"};
        QTest::newRow("right, capital") << "<R>le dossier\r\nParcourez votre disque" << right
                                        << QStringList{"le dossier", "Parcourez votre disque"};
        QTest::newRow("unknown code, shown") << "<x>Dossier" << left << QStringList{"<x>Dossier"};
        QTest::newRow("code only") << "<c>" << centre << QStringList{""};
        QTest::newRow("half a code") << "<c" << left << QStringList{"<c"};
        QTest::newRow("code not at the start") << " <c>a" << left << QStringList{" <c>a"};
        QTest::newRow("empty line, lone LF and CR") << "a\r\n\r\nb\nc\rd" << left << QStringList{"a", "", "b", "c", "d"};
        QTest::newRow("tab stops every eight columns") << "ab\tc" << left << QStringList{"ab      c"};
        QTest::newRow("nothing") << "" << left << QStringList{""};
    }

    void layout()
    {
        QFETCH(QString, text);
        QFETCH(int, align);
        QFETCH(QStringList, rows);
        const QFontMetrics fm(BalloonFont());
        const BalloonLayout layout = LayoutBalloon(text, BalloonFont(), 500);
        QCOMPARE(int(layout.align), align);
        QCOMPARE(layout.rows, rows);
        int width = 0;
        for (const QString& row : rows)
            width = qMax(width, fm.horizontalAdvance(row));
        const int padding = 2 * kBalloonPadding;
        QCOMPARE(layout.size, QSize(width + padding, int(rows.size()) * fm.lineSpacing() + padding));
        for (int i = 0; i < rows.size(); ++i)  // none, half or all of the room the widest row leaves
            QCOMPARE(layout.rowX.at(i), (width - fm.horizontalAdvance(rows.at(i))) * align / 2);
    }

    void wrapping()
    {
        const QFontMetrics fm(BalloonFont());
        // Broken between words, nothing lost, no row wider than the room; a word wider than it is cut.
        for (const QString& text : {QStringLiteral("C'est l'image qui se trouve en arrière-plan de votre page Web."),
                                    QString(300, QLatin1Char('m'))}) {
            const BalloonLayout wrapped = LayoutBalloon(text, BalloonFont(), 200);
            QVERIFY(wrapped.rows.size() >= 2);
            QCOMPARE(wrapped.rows.join(text.contains(QLatin1Char(' ')) ? QStringLiteral(" ") : QString()), text);
            for (const QString& row : wrapped.rows)
                QVERIFY(fm.horizontalAdvance(row) <= 200);
        }
        QVERIFY(!LayoutBalloon(QStringLiteral("deux mots"), BalloonFont(), 0).rows.isEmpty());  // never loops
    }

    void placement_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("expected");
        const QRect screen(0, 0, 1024, 768);
        QTest::newRow("centred on the pointer") << screen << QPoint(500, 300) << QSize(200, 40) << QPoint(400, 320);
        QTest::newRow("left edge") << screen << QPoint(10, 300) << QSize(200, 40) << QPoint(0, 320);
        QTest::newRow("right edge") << screen << QPoint(1020, 300) << QSize(200, 40) << QPoint(824, 320);
        QTest::newRow("above near the bottom") << screen << QPoint(500, 740) << QSize(200, 40) << QPoint(400, 698);
        QTest::newRow("wider than the screen") << screen << QPoint(500, 300) << QSize(1500, 40) << QPoint(0, 320);
        const QRect second(1024, 0, 1280, 1024);  // a second screen on the right
        QTest::newRow("second screen, left edge") << second << QPoint(1030, 10) << QSize(200, 40) << QPoint(1024, 30);
        QTest::newRow("second screen, right edge") << second << QPoint(2300, 10) << QSize(200, 40) << QPoint(2104, 30);
    }

    void placement()
    {
        QFETCH(QRect, screen);
        QFETCH(QPoint, pointer);
        QFETCH(QSize, size);
        QFETCH(QPoint, expected);
        QCOMPARE(BalloonPosition(pointer, size, screen), expected);
    }

    // Ours replaces the toolkit's, laid out and placed as computed; once off, for every
    // window, the toolkit shows the lines without the code.
    void balloonOnScreen()
    {
        QWidget window;
        auto* button = new QPushButton(QStringLiteral("Parcourir"), &window);
        auto* plain = new QPushButton(QStringLiteral("Autre"), &window);
        const QString text = QStringLiteral("<c>Parcourez votre disque dur\r\nle dossier de travail.");
        SetBalloonText(button, text);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(HookBubble() && !HookBubble());  // a second window's start changes nothing
        SetBubbleWidth(500);
        const QRect screen = window.screen()->geometry();
        const QPoint at = screen.topLeft() + QPoint(5, 100);
        QVERIFY(requestTooltip(button, at) && VisibleBalloon() && !QToolTip::isVisible());
        const QSize size = LayoutBalloon(text, BalloonFont(), 500).size;
        QCOMPARE(VisibleBalloon()->geometry(), QRect(BalloonPosition(at, size, screen), size));
        // A key takes it away; a control without text shows none.
        QTest::keyClick(&window, Qt::Key_A);
        QVERIFY(!VisibleBalloon() && !requestTooltip(plain, at));
        // A control deleted under its balloon takes it along.
        plain->setToolTip(QStringLiteral("<R>simple"));
        QVERIFY(requestTooltip(plain, at) && VisibleBalloon());
        delete plain;
        QVERIFY(!VisibleBalloon());

        UnhookBubble();
        requestTooltip(button, at);
        QVERIFY(!VisibleBalloon());
        QCOMPARE(button->toolTip(), QStringLiteral("Parcourez votre disque dur\nle dossier de travail."));
        QToolTip::hideText();
    }
};

QTEST_MAIN(BalloonTest)
#include "test_balloon.moc"
