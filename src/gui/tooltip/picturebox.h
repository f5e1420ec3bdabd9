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
// Clicks come out in picture pixels.
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

signals:
    void clicked(int column, int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap pixmap_;
    qint64 imageKey_ = 0;
    QList<QPoint> marks_;
    int green_ = -1;
    bool pressed_ = false;
};

}  // namespace toravi
