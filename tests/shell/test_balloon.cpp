// Balloon help: text layout, placement on the screen, and the handling's life.
#include "shell/balloon.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtTest>
#include <climits>

using namespace toravi;

namespace {

const QString CRLF = QStringLiteral("\r\n");

// Asks a control for its tooltip as the toolkit does when the pointer rests on
// it; true when someone showed one.
bool requestTooltip(QWidget* control, const QPoint& global)
{
    QHelpEvent event(QEvent::ToolTip, control->mapFromGlobal(global), global);
    QCoreApplication::sendEvent(control, &event);
    return event.isAccepted();
}

int widthOf(const QString& row) { return QFontMetrics(BalloonFont()).horizontalAdvance(row); }

}  // namespace

class BalloonTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void codes_data();
    void codes();
    void centredAndRightRows();
    void wrapsAtWordsWithinTheMaximum();
    void oddTexts();
    void placement_data();
    void placement();
    void hookLifecycle();
    void balloonFollowsThePointer();
    void unhookEndsItForEveryWindow();
    void balloonGoesAway();
};

void BalloonTest::cleanup()
{
    UnhookBubble();
    SetBubbleWidth(INT_MAX);
}

void BalloonTest::codes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("align");
    QTest::addColumn<QString>("body");
    QTest::newRow("centre") << "<c>Dossier" << int(BalloonAlign::Centre) << "Dossier";
    QTest::newRow("centre, capital") << "<C>Dossier" << int(BalloonAlign::Centre) << "Dossier";
    QTest::newRow("right") << "<r>Dossier" << int(BalloonAlign::Right) << "Dossier";
    QTest::newRow("right, capital") << "<R>Dossier" << int(BalloonAlign::Right) << "Dossier";
    QTest::newRow("unknown code shown") << "<x>Dossier" << int(BalloonAlign::Left) << "<x>Dossier";
    QTest::newRow("no code") << "Dossier" << int(BalloonAlign::Left) << "Dossier";
    QTest::newRow("code only") << "<c>" << int(BalloonAlign::Centre) << "";
    QTest::newRow("half a code") << "<c" << int(BalloonAlign::Left) << "<c";
    QTest::newRow("code not at the start") << " <c>a" << int(BalloonAlign::Left) << " <c>a";
}

void BalloonTest::codes()
{
    QFETCH(QString, text);
    QFETCH(int, align);
    QFETCH(QString, body);
    const BalloonText parsed = ParseBalloonText(text);
    QCOMPARE(int(parsed.align), align);
    QCOMPARE(parsed.body, body);
}

void BalloonTest::centredAndRightRows()
{
    const QFont font = BalloonFont();
    const QFontMetrics fm(font);
    const QString first = QStringLiteral("Parcourez votre disque dur pour sélectionner");
    const QString second = QStringLiteral("le dossier de travail.");

    const BalloonLayout centred = LayoutBalloon(QStringLiteral("<C>") + first + CRLF + second, font, 500);
    QCOMPARE(centred.align, BalloonAlign::Centre);
    QCOMPARE(centred.rows, (QStringList{first, second}));
    const int textWidth = fm.horizontalAdvance(first);
    QCOMPARE(centred.textSize.width(), textWidth);
    QCOMPARE(centred.rowX.at(0), 0);
    QCOMPARE(centred.rowX.at(1), (textWidth - fm.horizontalAdvance(second)) / 2);
    QCOMPARE(centred.textSize.height(), 2 * fm.lineSpacing());
    QCOMPARE(centred.size, centred.textSize + QSize(2 * kBalloonPadding, 2 * kBalloonPadding));

    const BalloonLayout right = LayoutBalloon(QStringLiteral("<r>") + second + CRLF + first, font, 500);
    QCOMPARE(right.rows, (QStringList{second, first}));
    QCOMPARE(right.rowX.at(0) + fm.horizontalAdvance(second), textWidth);
    QCOMPARE(right.rowX.at(1), 0);

    const BalloonLayout unknown = LayoutBalloon(QStringLiteral("<x>") + first + CRLF + second, font, 500);
    QCOMPARE(unknown.align, BalloonAlign::Left);
    QCOMPARE(unknown.rows.first(), QStringLiteral("<x>") + first);
    QCOMPARE(unknown.rowX, (QList<int>{0, 0}));
}

void BalloonTest::wrapsAtWordsWithinTheMaximum()
{
    const QFont font = BalloonFont();
    const QFontMetrics fm(font);
    const QString sentence =
        QStringLiteral("C'est l'image qui se trouve en arrière-plan de votre page Web. Elle est facultative. "
                       "Il peut être intéressant d'en choisir une si votre image de référence présente des "
                       "zones de transparence, ou si vous souhaitez simplement une page plus gaie.");
    QVERIFY(fm.horizontalAdvance(sentence) > 1000);

    const BalloonLayout unlimited = LayoutBalloon(sentence, font, INT_MAX);
    QCOMPARE(unlimited.rows, QStringList{sentence});

    const BalloonLayout wrapped = LayoutBalloon(QStringLiteral("<c>") + sentence, font, 500);
    QVERIFY(wrapped.rows.size() >= 3);
    QVERIFY(wrapped.textSize.width() <= 500);
    QCOMPARE(wrapped.textSize.height(), int(wrapped.rows.size()) * fm.lineSpacing());
    // Broken between words only: nothing lost, no word cut, no row ends or starts with a space.
    QCOMPARE(wrapped.rows.join(QLatin1Char(' ')), sentence);
    for (int i = 0; i < wrapped.rows.size(); ++i) {
        const QString row = wrapped.rows.at(i);
        QVERIFY2(fm.horizontalAdvance(row) <= 500, qPrintable(row));
        QVERIFY(!row.startsWith(QLatin1Char(' ')) && !row.endsWith(QLatin1Char(' ')));
        // Greedy: the next word would not have fitted.
        if (i + 1 < wrapped.rows.size()) {
            const QString next = wrapped.rows.at(i + 1).section(QLatin1Char(' '), 0, 0);
            QVERIFY(fm.horizontalAdvance(row + QLatin1Char(' ') + next) > 500);
        }
    }
    // Lines given by the text stay lines, each wrapped on its own.
    const BalloonLayout twoLines = LayoutBalloon(sentence + CRLF + QStringLiteral("Fin."), font, 500);
    QCOMPARE(twoLines.rows.size(), wrapped.rows.size() + 1);
    QCOMPARE(twoLines.rows.last(), QStringLiteral("Fin."));
}

void BalloonTest::oddTexts()
{
    const QFont font = BalloonFont();
    // A word longer than the maximum is cut between characters rather than overflowing.
    const QString word(300, QLatin1Char('m'));
    const BalloonLayout cut = LayoutBalloon(word, font, 500);
    QVERIFY(cut.rows.size() >= 2);
    QCOMPARE(cut.rows.join(QString()), word);
    for (const QString& row : cut.rows)
        QVERIFY(widthOf(row) <= 500);

    // Empty lines keep their height; a lone LF or CR also breaks.
    const BalloonLayout blank = LayoutBalloon(QStringLiteral("a\r\n\r\nb\nc\rd"), font, 500);
    QCOMPARE(blank.rows, (QStringList{"a", "", "b", "c", "d"}));

    // Tabs become spaces up to the next stop of eight columns.
    const BalloonLayout tabs = LayoutBalloon(QStringLiteral("ab\tc"), font, 500);
    QCOMPARE(tabs.rows, QStringList{QStringLiteral("ab      c")});

    // Nothing at all still gives a drawable balloon.
    const BalloonLayout empty = LayoutBalloon(QString(), font, 500);
    QCOMPARE(empty.rows.size(), 1);
    QVERIFY(empty.size.width() > 0 && empty.size.height() > 0);

    // A zero or negative width never loops.
    QVERIFY(!LayoutBalloon(QStringLiteral("deux mots"), font, 0).rows.isEmpty());
}

void BalloonTest::placement_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("expected");
    const QRect screen(0, 0, 1024, 768);
    QTest::newRow("centred on the pointer") << screen << QPoint(500, 300) << QSize(200, 40) << QPoint(400, 320);
    QTest::newRow("odd width, truncated") << screen << QPoint(500, 300) << QSize(201, 40) << QPoint(400, 320);
    QTest::newRow("left edge") << screen << QPoint(10, 300) << QSize(200, 40) << QPoint(0, 320);
    QTest::newRow("right edge") << screen << QPoint(1020, 300) << QSize(200, 40) << QPoint(824, 320);
    QTest::newRow("touching the right edge") << screen << QPoint(924, 300) << QSize(200, 40) << QPoint(824, 320);
    QTest::newRow("above near the bottom") << screen << QPoint(500, 740) << QSize(200, 40) << QPoint(400, 698);
    QTest::newRow("wider than the screen") << screen << QPoint(500, 300) << QSize(1500, 40) << QPoint(0, 320);
    const QRect second(1024, 0, 1280, 1024);  // a second screen on the right
    QTest::newRow("second screen, left edge") << second << QPoint(1030, 10) << QSize(200, 40) << QPoint(1024, 30);
    QTest::newRow("second screen, right edge") << second << QPoint(2300, 10) << QSize(200, 40) << QPoint(2104, 30);
}

void BalloonTest::placement()
{
    QFETCH(QRect, screen);
    QFETCH(QPoint, pointer);
    QFETCH(QSize, size);
    QFETCH(QPoint, expected);
    QCOMPARE(BalloonPosition(pointer, size, screen), expected);
}

void BalloonTest::hookLifecycle()
{
    QVERIFY(!BubbleHooked());
    QVERIFY(HookBubble());
    QVERIFY(BubbleHooked());
    QCOMPARE(BubbleWidth(), INT_MAX);
    SetBubbleWidth(500);

    // A second window starting it changes nothing, its width still applies.
    QVERIFY(!HookBubble());
    QCOMPARE(BubbleWidth(), 500);
    SetBubbleWidth(500);
    QVERIFY(BubbleHooked());

    UnhookBubble();
    QVERIFY(!BubbleHooked());
    QCOMPARE(BubbleWidth(), 500);  // kept
    UnhookBubble();                // twice is harmless

    QVERIFY(HookBubble());
    QCOMPARE(BubbleWidth(), INT_MAX);
}

void BalloonTest::balloonFollowsThePointer()
{
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("Parcourir"), &window);
    button->setObjectName(QStringLiteral("INT_cmdstrFolderName"));
    (new QVBoxLayout(&window))->addWidget(button);
    const QString text = QStringLiteral("<c>Parcourez votre disque dur pour sélectionner") + CRLF +
                         QStringLiteral("le dossier de travail.");
    SetBalloonText(button, text);
    QCOMPARE(BalloonTextOf(button), text);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QVERIFY(HookBubble());
    SetBubbleWidth(500);
    const QRect screen = window.screen()->geometry();
    const QPoint nearLeft = screen.topLeft() + QPoint(5, 100);
    QVERIFY(requestTooltip(button, nearLeft));
    QWidget* balloon = VisibleBalloon();
    QVERIFY(balloon);
    QVERIFY(balloon->windowFlags() & Qt::ToolTip);
    const BalloonLayout layout = LayoutBalloon(text, BalloonFont(), 500);
    QCOMPARE(balloon->size(), layout.size);
    QCOMPARE(balloon->pos(), BalloonPosition(nearLeft, layout.size, screen));
    QCOMPARE(balloon->x(), screen.x());
    QVERIFY(balloon->y() > nearLeft.y());
    QVERIFY(!QToolTip::isVisible());  // ours replaces the toolkit's

    // It draws its text: the balloon is not blank.
    const QImage picture = balloon->grab().toImage();
    const QRgb background = picture.pixel(picture.width() / 2, 2);
    bool inked = false;
    for (int y = kBalloonPadding; y < picture.height() - kBalloonPadding && !inked; ++y)
        for (int x = kBalloonPadding; x < picture.width() - kBalloonPadding && !inked; ++x)
            inked = picture.pixel(x, y) != background;
    QVERIFY(inked);

    // Near the right edge it stays on the screen.
    const QPoint nearRight(screen.right() - 3, screen.top() + 100);
    UnhookBubble();  // the same text on the same control is kept as it is; start afresh
    QVERIFY(HookBubble());
    requestTooltip(button, nearRight);
    QVERIFY(VisibleBalloon());
    QCOMPARE(VisibleBalloon()->geometry().right(), screen.right());

    // A control without any help text shows nothing, and leaves ours alone.
    auto* plain = new QPushButton(QStringLiteral("Autre"), &window);
    window.layout()->addWidget(plain);
    QVERIFY(!requestTooltip(plain, nearLeft));
    QVERIFY(VisibleBalloon());
    // A tooltip given the toolkit's way is a balloon too, codes and all.
    plain->setToolTip(QStringLiteral("<R>simple\r\nsecond"));
    QVERIFY(requestTooltip(plain, nearLeft));
    QVERIFY(VisibleBalloon());
    QCOMPARE(VisibleBalloon()->size(),
             LayoutBalloon(QStringLiteral("<R>simple\r\nsecond"), BalloonFont(), 500).size);
    // A rich text one is left to the toolkit.
    plain->setToolTip(QStringLiteral("<b>gras</b>"));
    QVERIFY(requestTooltip(plain, nearLeft));
    QVERIFY(!VisibleBalloon());
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("<b>gras</b>"));
    QToolTip::hideText();
}

void BalloonTest::unhookEndsItForEveryWindow()
{
    QWidget form1, iform1;
    auto* a = new QPushButton(QStringLiteral("A"), &form1);
    auto* b = new QPushButton(QStringLiteral("B"), &iform1);
    SetBalloonText(a, QStringLiteral("<c>Titre qui s'affichera dans votre page Web"));
    SetBalloonText(b, QStringLiteral("<R>Dossier de travail.") + CRLF + QStringLiteral("Deuxième ligne"));
    form1.show();
    iform1.show();

    // Both windows start it at load; the second start is refused.
    QVERIFY(HookBubble());
    QVERIFY(!HookBubble());
    const QPoint pointer = form1.screen()->geometry().center();
    requestTooltip(b, pointer);
    QVERIFY(VisibleBalloon());

    // One window's unload ends it for the other too.
    UnhookBubble();
    QVERIFY(!VisibleBalloon());
    requestTooltip(a, pointer);
    QVERIFY(!VisibleBalloon());

    // Then the toolkit's plain tooltip shows the lines, without the code.
    QCOMPARE(b->toolTip(), QStringLiteral("Dossier de travail.\nDeuxième ligne"));
    QCOMPARE(a->toolTip(), QStringLiteral("Titre qui s'affichera dans votre page Web"));
    requestTooltip(b, pointer);
    QVERIFY(!VisibleBalloon());
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("Dossier de travail.\nDeuxième ligne"));
    QToolTip::hideText();

    // Markup-looking texts are shown as typed, not interpreted.
    SetBalloonText(a, QStringLiteral("<c><b>gras</b>"));
    QVERIFY(a->toolTip().contains(QLatin1String("&lt;b&gt;")));
    // An empty text removes it.
    SetBalloonText(a, QString());
    QVERIFY(BalloonTextOf(a).isEmpty() && a->toolTip().isEmpty());
}

void BalloonTest::balloonGoesAway()
{
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("Parcourir"), &window);
    auto* other = new QPushButton(QStringLiteral("Autre"), &window);
    other->move(0, 60);
    SetBalloonText(button, QStringLiteral("<c>Image de référence"));
    SetBalloonText(other, QStringLiteral("Autre aide"));
    window.show();
    QVERIFY(HookBubble());
    const QPoint pointer = window.screen()->geometry().center();

    requestTooltip(button, pointer);
    QVERIFY(VisibleBalloon());
    QTest::keyClick(&window, Qt::Key_A);
    QVERIFY(!VisibleBalloon());

    requestTooltip(button, pointer);
    QVERIFY(VisibleBalloon());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(button, &leave);
    QVERIFY(!VisibleBalloon());

    // Moving to another control with a balloon replaces the text.
    requestTooltip(button, pointer);
    const QSize first = VisibleBalloon()->size();
    requestTooltip(other, pointer);
    QVERIFY(VisibleBalloon());
    QCOMPARE(VisibleBalloon()->size(), LayoutBalloon(QStringLiteral("Autre aide"), BalloonFont(), INT_MAX).size);
    QVERIFY(VisibleBalloon()->size() != first);

    // A control deleted under it takes the balloon with it.
    delete other;
    QVERIFY(!VisibleBalloon());
}

QTEST_MAIN(BalloonTest)
#include "test_balloon.moc"
