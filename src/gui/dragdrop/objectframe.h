#pragma once
#include <QImage>
#include <QLabel>

namespace toravi {

// A picture box that stretches its picture and reports double-clicks.
class ObjectFrame : public QLabel {
    Q_OBJECT
public:
    explicit ObjectFrame(QWidget* parent = nullptr);
    // Shows `image` (a null image empties the frame); unchanged pictures are not redrawn.
    void setPicture(const QImage& image);
    bool holdsPicture() const { return key_ != 0; }

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    qint64 key_ = 0;
};

}  // namespace toravi
