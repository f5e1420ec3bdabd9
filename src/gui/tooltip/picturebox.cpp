#include "tooltip/picturebox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace toravi {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

void PictureBox::setPicture(const QImage& image)
{
    if (image.isNull()) {
        if (!pixmap_.isNull()) {
            pixmap_ = QPixmap();
            imageKey_ = 0;
            update();
        }
        return;
    }
    if (image.cacheKey() == imageKey_)
        return;
    imageKey_ = image.cacheKey();
    // Only the top-left corner is ever shown: a camera photo is not kept whole twice.
    const QRect shown = image.rect() & QRect(0, 0, kWidth, kHeight);
    pixmap_ = QPixmap::fromImage(shown == image.rect() ? image : image.copy(shown));
    pixmap_.setDevicePixelRatio(1.0);
    update();
}

void PictureBox::setMarks(const QList<QPoint>& points, int green)
{
    if (points == marks_ && green == green_)
        return;
    marks_ = points;
    green_ = green;
    update();
}

QPointF PictureBox::markCentre(QPoint stored)
{
    return QPointF(stored.x() + 0.5, stored.y() - kRowShift + 0.5);
}

int PictureBox::markAt(QPointF pos) const
{
    // A little beyond the drawn circle, so that its line itself is easy to take.
    double best = kMarkRadius + 2.0;
    int found = -1;
    for (int i = 0; i < marks_.size(); ++i) {
        const QPointF d = pos - markCentre(marks_[i]);
        const double distance = std::hypot(d.x(), d.y());
        if (distance <= best) {
            best = distance;
            found = i;
        }
    }
    return found;
}

QPoint PictureBox::draggedTo(QPointF pos) const
{
    const QPoint from = marks_[pressedMark_];
    const int dx = int(std::floor(pos.x())) - int(std::floor(pressedAt_.x()));
    const int dy = int(std::floor(pos.y())) - int(std::floor(pressedAt_.y()));
    return {std::clamp(from.x() + dx, 0, kWidth - 1), std::clamp(from.y() + dy, kRowShift, kHeight - 1 + kRowShift)};
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    if (!pixmap_.isNull())
        p.drawPixmap(0, 0, pixmap_);  // natural size, cut at the frame's edges
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < marks_.size(); ++i) {
        p.setPen(QPen(i == green_ ? QColor(0, 255, 0) : QColor(255, 0, 0), 2.0));
        p.drawEllipse(markCentre(dragging_ && i == pressedMark_ ? dragTo_ : marks_[i]), kMarkRadius, kMarkRadius);
    }
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    pressedAt_ = event->position();
    pressedMark_ = pressed_ ? markAt(pressedAt_) : -1;
    dragging_ = false;
    QWidget::mousePressEvent(event);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    if (pressedMark_ >= marks_.size())  // the points changed under the mouse
        pressedMark_ = -1;
    if (!pressed_) {
        // A hand over a mark: it can be taken and moved.
        const Qt::CursorShape shape = markAt(event->position()) >= 0 ? Qt::OpenHandCursor : Qt::CrossCursor;
        if (cursor().shape() != shape)
            setCursor(shape);
        return;
    }
    if (pressedMark_ < 0)
        return;
    if (!dragging_ && (event->position() - pressedAt_).manhattanLength() < QApplication::startDragDistance())
        return;
    if (!dragging_)
        setCursor(Qt::ClosedHandCursor);
    dragging_ = true;
    dragTo_ = draggedTo(event->position());
    update();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (!wasPressed || event->button() != Qt::LeftButton)
        return;
    if (pressedMark_ >= 0 && pressedMark_ < marks_.size()) {
        const int index = pressedMark_;
        const bool dragged = dragging_;
        const QPoint to = draggedTo(event->position());
        dragging_ = false;
        pressedMark_ = -1;
        setCursor(Qt::OpenHandCursor);
        update();
        if (dragged)
            emit markMoved(index, to.x(), to.y());
        else
            emit markClicked(index);
        return;
    }
    const QPointF pos = event->position();
    const int column = int(std::floor(pos.x()));
    const int row = int(std::floor(pos.y()));
    if (column < 0 || row < 0 || column >= kWidth || row >= kHeight)
        return;
    emit clicked(column, row);
}

void PictureBox::keyPressEvent(QKeyEvent* event)
{
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (event->key()) {
    case Qt::Key_Left: emit nudged(-step, 0); break;
    case Qt::Key_Right: emit nudged(step, 0); break;
    case Qt::Key_Up: emit nudged(0, -step); break;
    case Qt::Key_Down: emit nudged(0, step); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

}  // namespace toravi
