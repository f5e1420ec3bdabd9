// Balloon help: text layout, placement on the screen, and the handling's life.
#include "widgets/balloon.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>
#include <QtTest>
#include <climits>

using namespace toravi;

// Asks for a control's tooltip as a resting pointer does; true when one was shown.
static bool requestTooltip(QWidget* control, const QPoint& global)
{
    QHelpEvent event(QEvent::ToolTip, control->mapFromGlobal(global), global);
    QCoreApplication::sendEvent(control, &event);
    return event.isAccepted();
}

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
        QTest::newRow("right, capital") << "<R>le dossier\r\nParcourez" << right << QStringList{"le dossier", "Parcourez"};
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
        QCOMPARE(layout.textSize, QSize(width, int(rows.size()) * fm.lineSpacing()));
        for (int i = 0; i < rows.size(); ++i)  // none, half or all of the room the widest row leaves
            QCOMPARE(layout.rowX.at(i), (width - fm.horizontalAdvance(rows.at(i))) * align / 2);
    }

    // Broken between words, nothing lost, no row wider than the room; a word wider than it is cut.
    void wrapping()
    {
        for (const QString& text : {QStringLiteral("C'est l'image qui se trouve en arrière-plan de votre page Web."),
                                    QString(300, QLatin1Char('m'))}) {
            const QStringList rows = LayoutBalloon(text, BalloonFont(), 200).rows;
            QVERIFY(rows.size() >= 2 && rows.join(text.contains(' ') ? " " : "") == text);
            for (const QString& row : rows)
                QVERIFY(QFontMetrics(BalloonFont()).horizontalAdvance(row) <= 200);
        }
        QVERIFY(!LayoutBalloon(QStringLiteral("deux mots"), BalloonFont(), 0).rows.isEmpty());  // never loops
    }

    // Centred on the pointer, below it (above near the bottom), kept inside its screen.
    void placement()
    {
        const QRect first(0, 0, 1024, 768), second(1024, 0, 1280, 1024);  // second: on the right
        const QSize small(200, 40);
        for (auto [screen, pointer, size, expected] : {std::tuple{first, QPoint(500, 300), small, QPoint(400, 320)},
                                                       {first, QPoint(10, 300), small, QPoint(0, 320)},
                                                       {first, QPoint(1020, 300), small, QPoint(824, 320)},
                                                       {first, QPoint(500, 740), small, QPoint(400, 698)},
                                                       {first, QPoint(500, 300), QSize(1500, 40), QPoint(0, 320)},
                                                       {second, QPoint(1030, 10), small, QPoint(1024, 30)},
                                                       {second, QPoint(2300, 10), small, QPoint(2104, 30)}})
            QCOMPARE(BalloonPosition(pointer, size, screen), expected);
    }

    // Ours replaces the toolkit's, laid out and placed as computed, until a key or the
    // control's deletion; once off, for every window, the toolkit shows the lines without the code.
    void balloonOnScreen()
    {
        QWidget window;
        auto* button = new QPushButton(QStringLiteral("Parcourir"), &window);
        auto* plain = new QPushButton(QStringLiteral("Autre"), &window);
        const QString text = QStringLiteral("<c>Parcourez\r\nle dossier.");
        SetBalloonText(button, text);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(HookBubble() && !HookBubble());  // a second window's start changes nothing
        const QRect screen = window.screen()->geometry();
        const QPoint at = screen.topLeft() + QPoint(5, 100);
        QVERIFY(requestTooltip(button, at) && VisibleBalloon() && !QToolTip::isVisible());
        const QSize size = LayoutBalloon(text, BalloonFont(), INT_MAX).size;
        QCOMPARE(VisibleBalloon()->geometry(), QRect(BalloonPosition(at, size, screen), size));
        QTest::keyClick(&window, Qt::Key_A);
        QVERIFY(!VisibleBalloon() && !requestTooltip(plain, at));  // no text, no balloon
        plain->setToolTip(QStringLiteral("<R>simple"));
        QVERIFY(requestTooltip(plain, at) && VisibleBalloon());
        delete plain;
        QVERIFY(!VisibleBalloon());

        UnhookBubble();
        requestTooltip(button, at);
        QVERIFY(!VisibleBalloon());
        QCOMPARE(button->toolTip(), QStringLiteral("Parcourez\nle dossier."));
    }
};

QTEST_MAIN(BalloonTest)
#include "test_balloon.moc"
