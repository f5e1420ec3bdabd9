// Balloon help: text layout, placement on the screen, and the handling's life.
#include "widgets/balloon.h"

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

}  // namespace

class BalloonTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void layout_data();
    void layout();
    void wrapping();
    void placement_data();
    void placement();
    void balloonOnScreen();
    void oneHandlingForEveryWindow();
};

void BalloonTest::cleanup()
{
    UnhookBubble();
    SetBubbleWidth(INT_MAX);
}

void BalloonTest::layout_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("align");
    QTest::addColumn<QStringList>("rows");
    const int left = int(BalloonAlign::Left), centre = int(BalloonAlign::Centre), right = int(BalloonAlign::Right);
    QTest::newRow("centre") << "<c>Dossier\r\nde travail" << centre << QStringList{"Dossier", "de travail"};
    QTest::newRow("centre, capital") << "<C>le dossier\r\nParcourez votre disque" << centre
                                     << QStringList{"le dossier", "Parcourez votre disque"};
    QTest::newRow("right") << "<r>Dossier\r\nde travail" << right << QStringList{"Dossier", "de travail"};
    QTest::newRow("right, capital") << "<R>le dossier\r\nParcourez votre disque" << right
                                    << QStringList{"le dossier", "Parcourez votre disque"};
    QTest::newRow("unknown code, shown") << "<x>Dossier\r\nde travail" << left
                                         << QStringList{"<x>Dossier", "de travail"};
    QTest::newRow("no code") << "Dossier" << left << QStringList{"Dossier"};
    QTest::newRow("code only") << "<c>" << centre << QStringList{""};
    QTest::newRow("half a code") << "<c" << left << QStringList{"<c"};
    QTest::newRow("code not at the start") << " <c>a" << left << QStringList{" <c>a"};
    QTest::newRow("empty line, lone LF and CR") << "a\r\n\r\nb\nc\rd" << left << QStringList{"a", "", "b", "c", "d"};
    QTest::newRow("tab stops every eight columns") << "ab\tc" << left << QStringList{"ab      c"};
    QTest::newRow("nothing") << "" << left << QStringList{""};
}

void BalloonTest::layout()
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
    QCOMPARE(layout.size, layout.textSize + QSize(2 * kBalloonPadding, 2 * kBalloonPadding));
    QVERIFY(!layout.size.isEmpty());
    for (int i = 0; i < rows.size(); ++i) {
        const int slack = width - fm.horizontalAdvance(rows.at(i));
        const int x = align == int(BalloonAlign::Centre) ? slack / 2 : align == int(BalloonAlign::Right) ? slack : 0;
        QCOMPARE(layout.rowX.at(i), x);
    }
}

void BalloonTest::wrapping()
{
    const QFont font = BalloonFont();
    const QFontMetrics fm(font);
    const QString sentence =
        QStringLiteral("C'est l'image qui se trouve en arrière-plan de votre page Web. Elle est facultative. "
                       "Il peut être intéressant d'en choisir une si votre image de référence présente des "
                       "zones de transparence, ou si vous souhaitez simplement une page plus gaie.");
    QVERIFY(fm.horizontalAdvance(sentence) > 1000);
    QCOMPARE(LayoutBalloon(sentence, font, INT_MAX).rows, QStringList{sentence});

    const BalloonLayout wrapped = LayoutBalloon(QStringLiteral("<c>") + sentence, font, 500);
    QVERIFY(wrapped.rows.size() >= 3);
    QVERIFY(wrapped.textSize.width() <= 500);
    // Broken between words only, greedily: nothing lost, no word cut, no stray space.
    QCOMPARE(wrapped.rows.join(QLatin1Char(' ')), sentence);
    for (int i = 0; i < wrapped.rows.size(); ++i) {
        const QString row = wrapped.rows.at(i);
        QVERIFY2(fm.horizontalAdvance(row) <= 500, qPrintable(row));
        QVERIFY(!row.startsWith(QLatin1Char(' ')) && !row.endsWith(QLatin1Char(' ')));
        if (i + 1 < wrapped.rows.size()) {
            const QString next = wrapped.rows.at(i + 1).section(QLatin1Char(' '), 0, 0);
            QVERIFY(fm.horizontalAdvance(row + QLatin1Char(' ') + next) > 500);
        }
    }
    // Lines given by the text stay lines, each wrapped on its own.
    const BalloonLayout twoLines = LayoutBalloon(sentence + CRLF + QStringLiteral("Fin."), font, 500);
    QCOMPARE(twoLines.rows.size(), wrapped.rows.size() + 1);
    QCOMPARE(twoLines.rows.last(), QStringLiteral("Fin."));

    // A word wider than the maximum is cut between characters rather than overflowing.
    const QString word(300, QLatin1Char('m'));
    const BalloonLayout cut = LayoutBalloon(word, font, 500);
    QVERIFY(cut.rows.size() >= 2);
    QCOMPARE(cut.rows.join(QString()), word);
    for (const QString& row : cut.rows)
        QVERIFY(fm.horizontalAdvance(row) <= 500);
    // A zero width never loops.
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

void BalloonTest::balloonOnScreen()
{
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("Parcourir"), &window);
    auto* plain = new QPushButton(QStringLiteral("Autre"), &window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(button);
    layout->addWidget(plain);
    const QString text = QStringLiteral("<c>Parcourez votre disque dur pour sélectionner") + CRLF +
                         QStringLiteral("le dossier de travail.");
    SetBalloonText(button, text);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(HookBubble());
    SetBubbleWidth(500);

    const QRect screen = window.screen()->geometry();
    const QPoint nearLeft = screen.topLeft() + QPoint(5, 100);
    QVERIFY(requestTooltip(button, nearLeft));
    QWidget* balloon = VisibleBalloon();
    QVERIFY(balloon && (balloon->windowFlags() & Qt::ToolTip));
    QVERIFY(!QToolTip::isVisible());  // ours replaces the toolkit's
    QCOMPARE(balloon->size(), LayoutBalloon(text, BalloonFont(), 500).size);
    QCOMPARE(balloon->pos(), BalloonPosition(nearLeft, balloon->size(), screen));
    QCOMPARE(balloon->x(), screen.x());
    // Not blank: some pixel inside the padding differs from the background.
    const QImage picture = balloon->grab().toImage();
    const QRgb background = picture.pixel(picture.width() / 2, 2);
    bool inked = false;
    for (int y = kBalloonPadding; y < picture.height() - kBalloonPadding && !inked; ++y)
        for (int x = kBalloonPadding; x < picture.width() - kBalloonPadding && !inked; ++x)
            inked = picture.pixel(x, y) != background;
    QVERIFY(inked);

    // A key or leaving the control takes it away.
    QTest::keyClick(&window, Qt::Key_A);
    QVERIFY(!VisibleBalloon());
    requestTooltip(button, nearLeft);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(button, &leave);
    QVERIFY(!VisibleBalloon());

    // The same text on the same control is kept as it is: start afresh for the right edge.
    UnhookBubble();
    QVERIFY(HookBubble());
    requestTooltip(button, QPoint(screen.right() - 3, screen.top() + 100));
    QVERIFY(VisibleBalloon());
    QCOMPARE(VisibleBalloon()->geometry().right(), screen.right());

    // A control without help text shows nothing and leaves ours alone.
    QVERIFY(!requestTooltip(plain, nearLeft));
    QVERIFY(VisibleBalloon());
    // A tooltip given the toolkit's way replaces it with a balloon, codes and all.
    const QString coded = QStringLiteral("<R>simple\r\nsecond");
    plain->setToolTip(coded);
    QVERIFY(requestTooltip(plain, nearLeft));
    QVERIFY(VisibleBalloon());
    QCOMPARE(VisibleBalloon()->size(), LayoutBalloon(coded, BalloonFont(), 500).size);
    // Rich text stays the toolkit's.
    plain->setToolTip(QStringLiteral("<b>gras</b>"));
    QVERIFY(requestTooltip(plain, nearLeft));
    QVERIFY(!VisibleBalloon());
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("<b>gras</b>"));
    QToolTip::hideText();
    // A control deleted under its balloon takes it along.
    plain->setToolTip(coded);
    requestTooltip(plain, nearLeft);
    QVERIFY(VisibleBalloon());
    delete plain;
    QVERIFY(!VisibleBalloon());
}

void BalloonTest::oneHandlingForEveryWindow()
{
    QWidget form1, iform1;
    auto* a = new QPushButton(QStringLiteral("A"), &form1);
    auto* b = new QPushButton(QStringLiteral("B"), &iform1);
    SetBalloonText(a, QStringLiteral("<c>Titre qui s'affichera dans votre page Web"));
    SetBalloonText(b, QStringLiteral("<R>Dossier de travail.") + CRLF + QStringLiteral("Deuxième ligne"));
    form1.show();
    iform1.show();
    const QPoint pointer = form1.screen()->geometry().center();

    QVERIFY(!BubbleHooked());
    QVERIFY(HookBubble());
    QCOMPARE(BubbleWidth(), INT_MAX);
    SetBubbleWidth(500);
    // The second window's start is refused and changes nothing.
    QVERIFY(!HookBubble());
    QVERIFY(BubbleHooked());
    QCOMPARE(BubbleWidth(), 500);
    requestTooltip(b, pointer);
    QVERIFY(VisibleBalloon());

    // One window's unload ends it for the other too; the toolkit then shows the lines without the code.
    UnhookBubble();
    QVERIFY(!BubbleHooked() && !VisibleBalloon());
    QCOMPARE(BubbleWidth(), 500);  // kept
    requestTooltip(a, pointer);
    QVERIFY(!VisibleBalloon());
    QCOMPARE(a->toolTip(), QStringLiteral("Titre qui s'affichera dans votre page Web"));
    QCOMPARE(b->toolTip(), QStringLiteral("Dossier de travail.\nDeuxième ligne"));
    requestTooltip(b, pointer);
    QVERIFY(!VisibleBalloon());
    QTRY_COMPARE(QToolTip::text(), b->toolTip());
    QToolTip::hideText();
    UnhookBubble();  // twice is harmless
    QVERIFY(HookBubble());
    QCOMPARE(BubbleWidth(), INT_MAX);

    // Markup-looking texts are shown as typed; an empty text removes it.
    SetBalloonText(a, QStringLiteral("<c><b>gras</b>"));
    QVERIFY(a->toolTip().contains(QLatin1String("&lt;b&gt;")));
    SetBalloonText(a, QString());
    QVERIFY(BalloonTextOf(a).isEmpty() && a->toolTip().isEmpty());
}

QTEST_MAIN(BalloonTest)
#include "test_balloon.moc"
