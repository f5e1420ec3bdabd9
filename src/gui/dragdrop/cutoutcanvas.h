#pragma once
// The picture of "Découper les objets", zoomable, on which the teacher draws:
// a box, a click for the wand, a freehand or polygon outline, or correction
// strokes. Everything it reports is in the full picture's pixels, whatever the
// zoom and whatever reduced copy it shows.
#include <QGraphicsView>
#include <QImage>
#include <QPainterPath>
#include <QPolygonF>

class QGraphicsPathItem;
class QGraphicsPixmapItem;
class QGraphicsRectItem;
class QGraphicsSimpleTextItem;

namespace toravi {

enum class CutoutTool { Box, Wand, Freehand, Polygon, Keep, Remove };

class CutoutCanvas : public QGraphicsView {
    Q_OBJECT
public:
    explicit CutoutCanvas(QWidget* parent = nullptr);

    // `shown` is the picture or its reduced copy; `fullSize` the picture's own size.
    void setPicture(const QImage& shown, QSize fullSize);
    void clearPicture();
    bool hasPicture() const { return fullSize_.isValid(); }
    QSize fullSize() const { return fullSize_; }
    QSize shownSize() const { return shownSize_; }

    void setTool(CutoutTool tool);
    CutoutTool tool() const { return tool_; }
    // Drops the outline being drawn, if any.
    void cancelGesture();

    // One outline's overlay, drawn at the shown copy's size, with its name at `labelAt` (full pixels).
    void setOverlay(int id, const QImage& overlay, const QString& name, QPointF labelAt);
    void removeOverlay(int id);
    void clearOverlays();

    // Zoom: the whole picture in the view, or a factor of the full picture's pixels.
    void fitToView();
    void zoomBy(double factor, QPoint around = QPoint(-1, -1));
    double zoom() const;  // screen pixels per picture pixel
    bool fitting() const { return fitting_; }

    // Where a picture pixel lies in the viewport, for the tests' mouse.
    QPoint viewportPoint(QPointF picturePixel) const;
    // The width of a correction stroke, in picture pixels.
    double strokeWidth() const;

signals:
    void boxDrawn(QRect box);
    void wandClicked(QPoint click);
    void outlineDrawn(QPolygonF outline);
    void strokeDrawn(QPainterPath path, double width, bool keep);
    // A click that drew nothing: the teacher points at an outline.
    void pointed(QPoint pixel);
    void zoomChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointF toPicture(QPointF viewportPos) const;
    QPointF clampToPicture(QPointF p) const;
    void finishPolygon();
    void showGesture();

    QGraphicsScene* scene_;
    QGraphicsPixmapItem* picture_ = nullptr;
    QGraphicsRectItem* rubberBox_ = nullptr;
    QGraphicsPathItem* rubberPath_ = nullptr;
    QHash<int, QGraphicsPixmapItem*> overlays_;
    QHash<int, QGraphicsRectItem*> labels_;  // each with its name as its child
    QSize fullSize_, shownSize_;
    CutoutTool tool_ = CutoutTool::Box;
    bool fitting_ = true;

    // The gesture under way: pressed tracks the left button ourselves, as
    // synthetic moves do not always say which buttons are down.
    bool pressed_ = false;
    bool panning_ = false;
    QPoint panFrom_;
    QPointF pressAt_;
    QPolygonF points_;   // freehand, polygon or stroke, in picture pixels
    QPointF hover_;      // the polygon's loose end
};

}  // namespace toravi
