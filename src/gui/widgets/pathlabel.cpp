#include "widgets/pathlabel.h"

#include "widgets/controls.h"

#include <QPainter>

namespace toravi {

PathLabel::PathLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setMinimumHeight(QLabel::sizeHint().height() + 4);
}

void PathLabel::setPath(const QString& path)
{
    if (SetText(this, path))
        setToolTip(path);
}

// Small hints: the layout, not the path, decides the width.
QSize PathLabel::minimumSizeHint() const { return QSize(40, QLabel::minimumSizeHint().height()); }

QSize PathLabel::sizeHint() const { return QSize(120, QLabel::sizeHint().height()); }

void PathLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    drawFrame(&p);
    // The inset of a plain framed label, so both kinds line up.
    const int inset = fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2;
    const QRect r = contentsRect().adjusted(inset, 0, -inset, 0);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(r, Qt::AlignVCenter | Qt::AlignLeft, fontMetrics().elidedText(text(), Qt::ElideMiddle, r.width()));
}

PathLabel* MakePathLabel(const char* name, QWidget* parent) { return Named(new PathLabel(parent), name); }

}  // namespace toravi
