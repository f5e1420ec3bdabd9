#pragma once
// Balloon help: multi-line tooltips on the program's own controls, optionally
// centred ("<c>") or right-aligned ("<r>"), wrapped at a maximum width and
// centred on the pointer.
//
// While the handling is on, an application-wide event filter answers the
// tooltip requests of controls that carry a balloon text (or a plain tooltip)
// with our own balloon; rich text tooltips stay the toolkit's. While it is
// off, those controls show the plain toolkit tooltip (the same lines, code
// removed, left-aligned, not wrapped).
#include <QFont>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class QWidget;

namespace toravi {

// Starts the handling; false when it is already active (nothing changes then).
// Sets the maximum width to "no limit".
bool HookBubble();
// Maximum text width in pixels.
void SetBubbleWidth(int width);
// Stops the handling for every window. The maximum width keeps its value.
void UnhookBubble();
// Gives a control its balloon text: lines separated by CR LF, optional leading code.
// An empty text removes it.
void SetBalloonText(QWidget* control, const QString& text);

// What the handling looks at; tests and windows may ask.
bool BubbleHooked();
int BubbleWidth();
QString BalloonTextOf(const QWidget* control);
// The balloon on screen, or nullptr when none is shown.
QWidget* VisibleBalloon();

// ---- Layout, free of any window so that it can be checked on its own ----

enum class BalloonAlign { Left, Centre, Right };

struct BalloonText {
    BalloonAlign align = BalloonAlign::Left;
    QString body;  // the text without its code
};
// Reads the leading code, compared without regard to case; an unknown code
// stays in the text.
BalloonText ParseBalloonText(const QString& text);

// Space between the balloon's edge and its text, frame included.
inline constexpr int kBalloonPadding = 4;
// Distance from the pointer down to the balloon's top.
inline constexpr int kBalloonPointerGap = 20;

struct BalloonLayout {
    BalloonAlign align = BalloonAlign::Left;
    QStringList rows;     // what is drawn, one entry per drawn line
    QList<int> rowX;      // left of each row inside the text area
    int lineHeight = 0;
    QSize textSize;       // the text area
    QSize size;           // the whole balloon
};
// Splits the text into its lines (CR LF; a lone CR or LF also breaks),
// expands tabs, wraps every line at word boundaries so that no row is wider
// than maxWidth (a single word wider than that is broken between characters),
// and places each row according to the code.
BalloonLayout LayoutBalloon(const QString& text, const QFont& font, int maxWidth);

// Top-left corner of a balloon of `size` for the pointer at `pointer` on a
// screen whose area is `screen`: centred horizontally on the pointer and kept
// inside the screen, below the pointer (above it when there is no room below).
QPoint BalloonPosition(const QPoint& pointer, const QSize& size, const QRect& screen);

// The font balloons are drawn with: the system's tooltip (status) font.
QFont BalloonFont();

}  // namespace toravi
