#include "widgets/fittingscrollarea.h"

#include <QScreen>
#include <QStyle>

namespace toravi {

FittingScrollArea::FittingScrollArea(QWidget* parent) : QScrollArea(parent)
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
}

QSize FittingScrollArea::sizeHint() const
{
    QSize hint = widget() ? widget()->sizeHint() : QScrollArea::sizeHint();
    if (const QScreen* screen = this->screen()) {
        // Room for the title bar, the menu and the task bar.
        const QSize room = screen->availableGeometry().size() - QSize(16, 90);
        if (hint.height() > room.height())
            hint.rwidth() += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        hint = hint.boundedTo(room);
    }
    return hint;
}

}  // namespace toravi
