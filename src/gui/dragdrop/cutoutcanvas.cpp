#include "dragdrop/cutoutcanvas.h"

#include <QGraphicsPathItem>
#include <QGraphicsPixmapItem>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

namespace toravi {

namespace {

constexpr double kMinZoom = 0.02;
constexpr double kMaxZoom = 16.0;
constexpr int kCloseDistance = 10;     // screen pixels: a click this near the first corner closes a polygon
constexpr int kStrokeScreenWidth = 14;  // a correction stroke, as wide on screen whatever the zoom
constexpr int kSmallestBox = 4;         // screen pixels: less is a slip of the hand

const QColor kRubber(255, 0, 160);

}  // namespace

CutoutCanvas::CutoutCanvas(QWidget* parent) : QGraphicsView(parent), scene_(new QGraphicsScene(this))
{
    setScene(scene_);
    setBackgroundBrush(QColor(90, 90, 90));
    setAlignment(Qt::AlignCenter);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setResizeAnchor(QGraphicsView::NoAnchor);
    setDragMode(QGraphicsView::NoDrag);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setRenderHint(QPainter::SmoothPixmapTransform);
    setMinimumSize(420, 320);
    setCursor(Qt::CrossCursor);
}

void CutoutCanvas::setPicture(const QImage& shown, QSize fullSize)
{
    clearPicture();
    fullSize_ = fullSize;
    shownSize_ = shown.size();
    picture_ = scene_->addPixmap(QPixmap::fromImage(shown));
    // The scene counts in the full picture's pixels, whatever copy is shown.
    if (!shown.isNull() && shown.width() > 0)
        picture_->setScale(double(fullSize.width()) / shown.width());
    picture_->setTransformationMode(Qt::SmoothTransformation);
    picture_->setZValue(0);
    scene_->setSceneRect(QRectF(QPointF(0, 0), QSizeF(fullSize)));
    fitToView();
}

void CutoutCanvas::clearPicture()
{
    cancelGesture();
    clearOverlays();
    delete picture_;
    picture_ = nullptr;
    fullSize_ = shownSize_ = QSize();
}

void CutoutCanvas::setTool(CutoutTool tool)
{
    if (tool_ == tool)
        return;
    cancelGesture();
    tool_ = tool;
}

void CutoutCanvas::cancelGesture()
{
    pressed_ = false;
    points_.clear();
    delete rubberBox_;
    rubberBox_ = nullptr;
    delete rubberPath_;
    rubberPath_ = nullptr;
}

void CutoutCanvas::setOverlay(int id, const QImage& overlay, const QString& name, QPointF labelAt)
{
    QGraphicsPixmapItem*& item = overlays_[id];
    if (!item) {
        item = scene_->addPixmap(QPixmap());
        item->setZValue(1);
    }
    item->setPixmap(QPixmap::fromImage(overlay));
    item->setScale(overlay.width() > 0 ? double(fullSize_.width()) / overlay.width() : 1.0);

    QGraphicsRectItem*& tag = labels_[id];
    if (!tag) {
        // White on a dark tag, readable on every picture and at every zoom.
        tag = scene_->addRect(QRectF(), Qt::NoPen, QColor(0, 0, 0, 170));
        tag->setZValue(3);
        tag->setFlag(QGraphicsItem::ItemIgnoresTransformations);
        auto* text = new QGraphicsSimpleTextItem(tag);
        text->setBrush(Qt::white);
        QFont f = text->font();
        f.setBold(true);
        text->setFont(f);
        text->setPos(4, 1);
    }
    auto* text = static_cast<QGraphicsSimpleTextItem*>(tag->childItems().constFirst());
    text->setText(name);
    tag->setRect(QRectF(QPointF(0, 0), text->boundingRect().size() + QSizeF(8, 2)));
    tag->setPos(labelAt);
    tag->setVisible(!name.isEmpty() && !overlay.isNull());
}

void CutoutCanvas::removeOverlay(int id)
{
    delete overlays_.take(id);
    delete labels_.take(id);
}

void CutoutCanvas::clearOverlays()
{
    qDeleteAll(overlays_);
    overlays_.clear();
    qDeleteAll(labels_);
    labels_.clear();
}

void CutoutCanvas::fitToView()
{
    fitting_ = true;
    if (!hasPicture())
        return;
    const QSizeF room = viewport()->size() - QSize(4, 4);
    const double k = std::max(kMinZoom, std::min(room.width() / fullSize_.width(), room.height() / fullSize_.height()));
    setTransform(QTransform::fromScale(k, k));
    centerOn(QPointF(fullSize_.width() / 2.0, fullSize_.height() / 2.0));
    emit zoomChanged();
}

void CutoutCanvas::zoomBy(double factor, QPoint around)
{
    if (!hasPicture())
        return;
    const double k = std::clamp(zoom() * factor, kMinZoom, kMaxZoom);
    if (around.x() < 0)
        around = viewport()->rect().center();
    // The picture pixel under the pointer stays under it.
    const QPointF fixed = mapToScene(around);
    const QPointF fromCentre = QPointF(around) - QRectF(viewport()->rect()).center();
    setTransform(QTransform::fromScale(k, k));
    centerOn(fixed - fromCentre / k);
    fitting_ = false;
    emit zoomChanged();
}

double CutoutCanvas::zoom() const { return transform().m11(); }

QPoint CutoutCanvas::viewportPoint(QPointF picturePixel) const { return mapFromScene(picturePixel); }

double CutoutCanvas::strokeWidth() const { return std::max(1.0, kStrokeScreenWidth / zoom()); }

QPointF CutoutCanvas::toPicture(QPointF viewportPos) const { return mapToScene(viewportPos.toPoint()); }

QPointF CutoutCanvas::clampToPicture(QPointF p) const
{
    return {std::clamp(p.x(), 0.0, double(fullSize_.width())), std::clamp(p.y(), 0.0, double(fullSize_.height()))};
}

void CutoutCanvas::showGesture()
{
    const QPen pen(kRubber, 2, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin);
    if (tool_ == CutoutTool::Box) {
        if (!rubberBox_) {
            rubberBox_ = scene_->addRect(QRectF());
            rubberBox_->setZValue(2);
            QPen cosmetic = pen;
            cosmetic.setCosmetic(true);
            rubberBox_->setPen(cosmetic);
        }
        rubberBox_->setRect(QRectF(pressAt_, hover_).normalized());
        return;
    }
    if (!rubberPath_) {
        rubberPath_ = scene_->addPath(QPainterPath());
        rubberPath_->setZValue(2);
    }
    QPainterPath path;
    if (!points_.isEmpty()) {
        path.moveTo(points_.first());
        for (qsizetype i = 1; i < points_.size(); ++i)
            path.lineTo(points_[i]);
        if (tool_ == CutoutTool::Polygon)
            path.lineTo(hover_);
    }
    rubberPath_->setPath(path);
    if (tool_ == CutoutTool::Keep || tool_ == CutoutTool::Remove) {
        // The stroke as wide as it paints, half seen through.
        QColor c = tool_ == CutoutTool::Keep ? QColor(40, 200, 60, 140) : QColor(220, 40, 40, 140);
        rubberPath_->setPen(QPen(c, strokeWidth(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    } else {
        QPen cosmetic = pen;
        cosmetic.setCosmetic(true);
        rubberPath_->setPen(cosmetic);
    }
}

void CutoutCanvas::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && !hasPicture())) {
        panning_ = hasPicture();
        panFrom_ = event->position().toPoint();
        return;
    }
    if (event->button() == Qt::RightButton && tool_ == CutoutTool::Polygon) {
        // Right click: the polygon loses its last corner.
        if (!points_.isEmpty())
            points_.removeLast();
        showGesture();
        return;
    }
    if (event->button() != Qt::LeftButton || !hasPicture())
        return;
    const QPointF at = clampToPicture(toPicture(event->position()));
    hover_ = at;
    switch (tool_) {
    case CutoutTool::Box:
        pressed_ = true;
        pressAt_ = at;
        showGesture();
        break;
    case CutoutTool::Wand:
        if (QRectF(QPointF(0, 0), QSizeF(fullSize_)).contains(toPicture(event->position())))
            emit wandClicked(at.toPoint());
        break;
    case CutoutTool::Freehand:
    case CutoutTool::Keep:
    case CutoutTool::Remove:
        pressed_ = true;
        points_ = {at};
        showGesture();
        break;
    case CutoutTool::Polygon:
        if (points_.size() >= 3 && QLineF(viewportPoint(points_.first()), event->position()).length() <= kCloseDistance) {
            finishPolygon();
            return;
        }
        points_.append(at);
        showGesture();
        break;
    }
}

void CutoutCanvas::mouseMoveEvent(QMouseEvent* event)
{
    if (panning_) {
        const QPoint d = event->position().toPoint() - panFrom_;
        panFrom_ = event->position().toPoint();
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - d.x());
        verticalScrollBar()->setValue(verticalScrollBar()->value() - d.y());
        fitting_ = false;
        return;
    }
    if (!hasPicture())
        return;
    hover_ = clampToPicture(toPicture(event->position()));
    if (tool_ == CutoutTool::Polygon && !points_.isEmpty()) {
        showGesture();
        return;
    }
    if (!pressed_)
        return;
    if (tool_ != CutoutTool::Box) {
        // Points closer than a screen pixel add nothing.
        if (QLineF(viewportPoint(points_.last()), event->position()).length() >= 1.5)
            points_.append(hover_);
    }
    showGesture();
}

void CutoutCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (panning_ && event->button() != Qt::RightButton) {
        panning_ = false;
        return;
    }
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    hover_ = clampToPicture(toPicture(event->position()));
    const CutoutTool tool = tool_;
    if (tool == CutoutTool::Box) {
        const QRectF box = QRectF(pressAt_, hover_).normalized();
        cancelGesture();
        if (box.width() * zoom() >= kSmallestBox && box.height() * zoom() >= kSmallestBox)
            emit boxDrawn(box.toAlignedRect().intersected(QRect(QPoint(0, 0), fullSize_)));
        else
            emit pointed(hover_.toPoint());
        return;
    }
    QPolygonF points = points_;
    points.append(hover_);
    cancelGesture();
    if (tool == CutoutTool::Freehand) {
        if (points.size() >= 3 && points.boundingRect().width() * zoom() >= kSmallestBox &&
            points.boundingRect().height() * zoom() >= kSmallestBox)
            emit outlineDrawn(points);
        else if (points.boundingRect().width() * zoom() < kSmallestBox &&
                 points.boundingRect().height() * zoom() < kSmallestBox)
            emit pointed(hover_.toPoint());
    } else {
        QPainterPath path;
        path.moveTo(points.first());
        for (qsizetype i = 1; i < points.size(); ++i)
            path.lineTo(points[i]);
        emit strokeDrawn(path, strokeWidth(), tool == CutoutTool::Keep);
    }
}

void CutoutCanvas::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The double click's first press already added the last corner.
    if (tool_ == CutoutTool::Polygon && event->button() == Qt::LeftButton) {
        finishPolygon();
        return;
    }
    mousePressEvent(event);
}

void CutoutCanvas::finishPolygon()
{
    QPolygonF points = points_;
    cancelGesture();
    // A double click may leave the same corner twice.
    points.erase(std::unique(points.begin(), points.end()), points.end());
    if (points.size() >= 3)
        emit outlineDrawn(points);
}

void CutoutCanvas::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        if (pressed_ || !points_.isEmpty()) {
            cancelGesture();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (tool_ == CutoutTool::Polygon && !points_.isEmpty()) {
            finishPolygon();
            return;
        }
        break;
    case Qt::Key_Backspace:
        if (tool_ == CutoutTool::Polygon && !points_.isEmpty()) {
            points_.removeLast();
            showGesture();
            return;
        }
        break;
    case Qt::Key_Plus:
        zoomBy(1.25);
        return;
    case Qt::Key_Minus:
        zoomBy(0.8);
        return;
    default:
        break;
    }
    QGraphicsView::keyPressEvent(event);
}

void CutoutCanvas::wheelEvent(QWheelEvent* event)
{
    if (!hasPicture())
        return;
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0)
        zoomBy(std::pow(1.2, notches), event->position().toPoint());
    event->accept();
}

void CutoutCanvas::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    if (fitting_)
        fitToView();
}

}  // namespace toravi
