#include "dragdrop/objectframe.h"

#include <QMouseEvent>

namespace toravi {

ObjectFrame::ObjectFrame(QWidget* parent) : QLabel(parent)
{
    setScaledContents(true);
    setFrameShape(QFrame::NoFrame);
}

void ObjectFrame::setPicture(const QImage& image)
{
    const qint64 key = image.isNull() ? 0 : image.cacheKey();
    if (key == key_)
        return;
    key_ = key;
    if (image.isNull())
        clear();
    else
        setPixmap(QPixmap::fromImage(image));
}

void ObjectFrame::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}

}  // namespace toravi
