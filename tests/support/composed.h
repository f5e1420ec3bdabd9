#pragma once
// Pictures composed for the cut-out's tests and benchmarks: objects with
// transparency pasted on a photo, so that the true outline of each object and
// the true background under it are known.
#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

namespace toravi::test {

struct Composed {
    QImage picture;       // RGB888: the background with the objects on it
    QImage background;    // RGB888: the same without them
    QList<QImage> masks;  // Grayscale8, the picture's size: each object's true outline
    QList<QRect> boxes;   // each object's bounding box
};

// A photo-like background (soft light, colour patches, grain, fine texture) of
// `size`, unless `photo` is given (scaled to cover it, then cropped).
QImage PhotoBackground(QSize size, quint32 draw, const QImage& photo = QImage());
// An object of about `size` with transparency: a shaded, textured blob with a
// soft edge, of a hue apart from `ground`'s (the colour behind it) when given.
QImage BlobObject(QSize size, quint32 draw, const QColor& ground = QColor());
// `count` objects placed apart on the background, each about `fraction` of the
// picture's width; `objects` (pictures with transparency) are used in turn when
// given, else blobs are made.
Composed ComposePicture(QSize size, int count, quint32 draw, double fraction = 0.15,
                        const QList<QImage>& objects = {}, const QImage& photo = QImage());

// Intersection over union of two masks (non-zero = in).
double MaskIoU(const QImage& a, const QImage& b);
// Mean difference per channel (0 to 255) between two pictures of one size over
// the pixels where `region` (a mask of that size) is non-zero.
double MeanError(const QImage& a, const QImage& b, const QImage& region);
// A mask scaled to `size`: a pixel is in when most of it is.
QImage ScaledMask(const QImage& mask, QSize size);

}  // namespace toravi::test
