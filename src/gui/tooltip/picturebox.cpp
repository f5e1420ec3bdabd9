#include "tooltip/picturebox.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace toravi {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
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
        p.drawEllipse(markCentre(marks_[i]), kMarkRadius, kMarkRadius);
    }
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (!wasPressed || event->button() != Qt::LeftButton)
        return;
    const QPointF pos = event->position();
    const int column = int(std::floor(pos.x()));
    const int row = int(std::floor(pos.y()));
    if (column < 0 || row < 0 || column >= kWidth || row >= kHeight)
        return;
    emit clicked(column, row);
}

}  // namespace toravi
