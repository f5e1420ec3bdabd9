#pragma once
// The cut-out: objects outlined in one picture (a box around the object, a click
// in a flat region, a drawn outline), each object's own picture, and the scene
// emptied of them. Pure functions on images, safe on a worker thread; the only
// part of the program that sees OpenCV (segmentation, flood fill, inpainting).
#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QPolygonF>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

namespace toravi {

// A picture being cut: the whole picture upright, as pages show it.
class CutoutSource {
public:
    // Any picture Toravi reads (phone photos turned upright, WebP, TIFF...).
    // Nothing, and a plain French message naming the file in *error, when it is
    // no picture or cannot be read.
    static std::optional<CutoutSource> Open(const QString& path, QString* error = nullptr);
    // A picture already decoded (tests, the window's own copy).
    static CutoutSource FromImage(const QImage& picture);

    QSize size() const { return picture_.size(); }
    // The whole picture, upright; transparency kept.
    const QImage& picture() const { return picture_; }
    // What the tools look at: 8-bit RGB, transparent parts over white.
    const QImage& rgb() const { return rgb_; }

private:
    QImage picture_;
    QImage rgb_;
};

// Masks are QImage::Format_Grayscale8 the size of the picture: 255 the object, 0 not.
// Null when the tool found nothing (a box or click outside the picture, an empty outline).

// The box tool: the object's own outline inside `box` (GrabCut on the box plus a
// margin, on a copy reduced to about a megapixel, the outline brought back to the
// whole picture). `keep` / `remove`: optional Grayscale8 masks of the picture's
// size, non-zero where the teacher painted "garder" / "enlever"; null for none.
QImage MaskFromBox(const CutoutSource& src, const QRect& box, const QImage& keep = QImage(),
                   const QImage& remove = QImage());
// The magic wand: the region of colour within `tolerance` (0 to 255, each channel)
// of the clicked pixel's, connected to it, its enclosed holes filled (a label on a map).
QImage MaskFromWand(const CutoutSource& src, const QPoint& click, int tolerance);
inline constexpr int kDefaultWandTolerance = 32;
// Exactly what is drawn (freehand or polygon), filled; a loop drawn twice counts once.
QImage MaskFromOutline(const QSize& size, const QPolygonF& outline);

// The bounding box of a mask's object; empty for none.
QRect MaskBounds(const QImage& mask);

// What the empty place looks like: "effacé", "silhouette", "couleur unie".
enum class PlaceFill { Erase, Silhouette, Colour };
inline const QColor kDefaultPlaceColour = QColor(0x80, 0x80, 0x80);

// The object's picture: cut along the mask, transparent outside with a smooth
// edge, cropped to the outline. *topLeft receives where the crop starts in the
// picture. Null for an empty mask.
QImage CutObject(const CutoutSource& src, const QImage& mask, QPoint* topLeft = nullptr);

// The scene without the objects, `size` large (empty: the picture's own size;
// a smaller size is much faster, as for a preview or the page's copy): each
// place filled from its surroundings (Erase), or a plain shape of `colour` with
// a thin darker outline (Silhouette), or filled with `colour` (Colour).
QImage EmptiedScene(const CutoutSource& src, const QList<QImage>& masks, PlaceFill fill,
                    const QColor& colour = kDefaultPlaceColour, QSize size = QSize());

}  // namespace toravi
