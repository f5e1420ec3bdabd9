#pragma once
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QPointF>
#include <QWidget>

namespace toravi {

// Point marks: a circle of 80 twips (15 twips a pixel) around the clicked pixel.
inline constexpr double kMarkRadius = 80.0 / 15.0;
// The stored Y is the clicked row plus this.
inline constexpr int kRowShift = 6;

// The point editor's reference picture at its natural size from the top-left
// corner, cut at the frame's edges, with the marks of the points drawn over it.
// Clicks come out in picture pixels; a mark can be clicked, or dragged, and the
// arrow keys ask to move the selected point.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 733;   // 11000 twips
    static constexpr int kHeight = 643;  // 9645 twips

    explicit PictureBox(QWidget* parent = nullptr);
    // A null image empties the frame.
    void setPicture(const QImage& image);
    bool holdsPicture() const { return !pixmap_.isNull(); }
    // Marks as stored (X, Y) pairs; `green` is the one being corrected, -1 for none.
    void setMarks(const QList<QPoint>& points, int green);
    // Centre of the mark of a stored point, in widget pixels.
    static QPointF markCentre(QPoint stored);
    // The mark under `pos` (the nearest), -1 for none.
    int markAt(QPointF pos) const;

signals:
    // Outside every mark.
    void clicked(int column, int row);
    // On a mark, without dragging it.
    void markClicked(int index);
    // A mark dragged and let go: the point's new stored coordinates.
    void markMoved(int index, int x, int y);
    // An arrow key, in pixels (Shift: ten).
    void nudged(int dx, int dy);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Where a dragged mark's point goes: moved by whole pixels, kept in the frame.
    QPoint draggedTo(QPointF pos) const;

    QPixmap pixmap_;
    qint64 imageKey_ = 0;
    QList<QPoint> marks_;
    int green_ = -1;
    bool pressed_ = false;
    int pressedMark_ = -1;
    QPointF pressedAt_;
    bool dragging_ = false;
    QPoint dragTo_;
};

}  // namespace toravi
