#include "pictures/cutout.h"

#include "files/files.h"
#include "files/filewriter.h"
#include "pictures/imginf.h"
#include "pictures/pictures.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/photo.hpp>

namespace toravi {

namespace {

// GrabCut works on the box and around it, by this share of the box's larger side
// and at least kBoxMargin pixels of the reduced copy: the background it learns
// from is the object's own surroundings, enough of them to tell a stripe or a
// shadow crossing the box from the object.
constexpr int kBoxMargin = 40;
constexpr double kBoxMarginShare = 0.3;
// A teacher's box leaves some room around the object: its rim (this share of
// the box's smaller side) starts as probably background, the rest as probably
// the object. Both may turn.
constexpr double kBoxBand = 0.08;
constexpr int kBoxIterations = 5;
// The work is done on a copy of at most this many pixels: enough to find an
// outline, brought back to the whole picture; more would only cost time.
constexpr double kBoxWorkPixels = 0.12e6;
// The hole a place leaves is grown this much (for 1200 pixels of picture) so that
// the object's soft edge and its fringe of colour go with it.
constexpr double kHoleGrowth = 3.0;
constexpr double kInpaintRadius = 3.0;
// Holes are filled on a copy reduced to about this many hole pixels: a fill from
// the surroundings holds no detail that a larger copy would keep.
constexpr double kInpaintHolePixels = 150000.0;

cv::Mat asMat(const QImage& image)
{
    const int type = image.format() == QImage::Format_Grayscale8 ? CV_8UC1 : CV_8UC3;
    return cv::Mat(image.height(), image.width(), type, const_cast<uchar*>(image.constBits()),
                   size_t(image.bytesPerLine()));
}

cv::Rect asRect(const QRect& r) { return cv::Rect(r.x(), r.y(), r.width(), r.height()); }

QImage toImage(const cv::Mat& mat)
{
    const QImage::Format format = mat.type() == CV_8UC1 ? QImage::Format_Grayscale8 : QImage::Format_RGB888;
    return QImage(mat.data, mat.cols, mat.rows, int(mat.step), format).copy();
}

// A mask of the picture's size, `part` placed at `at`, zero elsewhere.
QImage wholeMask(QSize size, const cv::Mat& part, QPoint at)
{
    QImage mask(size, QImage::Format_Grayscale8);
    mask.fill(0);
    part.copyTo(asMat(mask)(cv::Rect(at.x(), at.y(), part.cols, part.rows)));
    return mask;
}

bool usable(const QImage& mask, QSize size)
{
    return !mask.isNull() && mask.size() == size && mask.format() == QImage::Format_Grayscale8;
}

cv::Mat ellipse(int radius)
{
    return cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(2 * radius + 1, 2 * radius + 1));
}

// Sets each pixel of `mask` to what its component's entry in `to` says (0 or 255),
// or leaves it (any other value): one pass, whatever the number of components.
void relabel(cv::Mat& mask, const cv::Mat& labels, const std::vector<int>& to)
{
    for (int y = 0; y < mask.rows; ++y) {
        uchar* m = mask.ptr<uchar>(y);
        const int* l = labels.ptr<int>(y);
        for (int x = 0; x < mask.cols; ++x)
            if (const int v = to[size_t(l[x])]; v == 0 || v == 255)
                m[x] = uchar(v);
    }
}

// The holes of `mask` (components of 0 not touching its rim) of at most `largest`
// pixels, filled.
void fillEnclosed(cv::Mat& mask, int largest)
{
    cv::Mat holes, labels, stats, centroids;
    cv::bitwise_not(mask, holes);
    const int n = cv::connectedComponentsWithStats(holes, labels, stats, centroids, 4, CV_32S);
    std::vector<int> to(size_t(n), -1);
    for (int i = 1; i < n; ++i) {
        const int x = stats.at<int>(i, cv::CC_STAT_LEFT), y = stats.at<int>(i, cv::CC_STAT_TOP);
        const int w = stats.at<int>(i, cv::CC_STAT_WIDTH), h = stats.at<int>(i, cv::CC_STAT_HEIGHT);
        const bool inside = x > 0 && y > 0 && x + w < mask.cols && y + h < mask.rows;
        if (inside && stats.at<int>(i, cv::CC_STAT_AREA) <= largest)
            to[size_t(i)] = 255;
    }
    relabel(mask, labels, to);
}

// Drops the specks a segmentation leaves beside the object, and fills the small
// holes it leaves inside: what is under 1/50 of the object's largest part.
void tidy(cv::Mat& mask)
{
    cv::Mat labels, stats, centroids;
    const int n = cv::connectedComponentsWithStats(mask, labels, stats, centroids, 8, CV_32S);
    int largest = 0;
    for (int i = 1; i < n; ++i)
        largest = std::max(largest, stats.at<int>(i, cv::CC_STAT_AREA));
    if (largest == 0)
        return;
    const int least = std::max(1, largest / 50);
    std::vector<int> to(size_t(n), -1);
    for (int i = 1; i < n; ++i)
        if (stats.at<int>(i, cv::CC_STAT_AREA) < least)
            to[size_t(i)] = 0;
    relabel(mask, labels, to);
    fillEnclosed(mask, least - 1);
}

}  // namespace

std::optional<CutoutSource> CutoutSource::Open(const QString& path, QString* error)
{
    auto refuse = [&](const QString& text) {
        if (error)
            *error = text;
        return std::nullopt;
    };
    if (!IsPicture(path)) {
        const QString format = UnreadFormatName(path);
        if (!format.isEmpty() && IsRegularFile(path))
            return refuse(QStringLiteral("Le fichier %1 est une image %2 que Toravi ne sait pas lire : enregistrez-la "
                                         "en JPEG (ou en PNG pour un dessin), puis choisissez cette copie.")
                              .arg(path, format));
        return refuse(QStringLiteral("Le fichier %1 n'est pas une image PNG, GIF, JPEG, BMP, WebP ou TIFF : rien n'a "
                                     "été découpé.")
                          .arg(path));
    }
    const QImage picture = ReadUprightPicture(path);
    if (picture.isNull() || picture.width() < 2 || picture.height() < 2)
        return refuse(msg::NotRead(path));
    return FromImage(picture);
}

CutoutSource CutoutSource::FromImage(const QImage& picture)
{
    CutoutSource src;
    if (picture.hasAlphaChannel()) {
        src.picture_ = picture.convertToFormat(QImage::Format_ARGB32);
        QImage over(picture.size(), QImage::Format_RGB888);
        over.fill(Qt::white);
        QPainter(&over).drawImage(0, 0, src.picture_);
        src.rgb_ = over;
    } else {
        src.picture_ = picture.convertToFormat(QImage::Format_RGB888);
        src.rgb_ = src.picture_;
    }
    return src;
}

QImage MaskFromBox(const CutoutSource& src, const QRect& box, const QImage& keep, const QImage& remove)
{
    const QRect whole(QPoint(0, 0), src.size());
    const QRect b = box.normalized() & whole;
    if (b.width() < 2 || b.height() < 2)
        return {};
    // "Garder" painted beyond the box counts too.
    const QRect reach = usable(keep, src.size()) ? b | MaskBounds(keep) : b;
    // The scale depends on the margin, which must stay kBoxMargin at least once reduced.
    const int wanted = std::max<int>(kBoxMargin, int(kBoxMarginShare * std::max(b.width(), b.height())));
    double scale = 1;
    int margin = wanted;
    for (int i = 0; i < 3; ++i) {
        const QRect r = reach.adjusted(-margin, -margin, margin, margin) & whole;
        scale = std::min(1.0, std::sqrt(kBoxWorkPixels / (double(r.width()) * r.height())));
        margin = std::max(wanted, int(std::ceil(kBoxMargin / scale)));
    }
    const QRect region = reach.adjusted(-margin, -margin, margin, margin) & whole;
    const cv::Size workSize(std::max(2, int(std::lround(region.width() * scale))),
                            std::max(2, int(std::lround(region.height() * scale))));
    const double sx = double(workSize.width) / region.width(), sy = double(workSize.height) / region.height();
    cv::Mat work;
    cv::resize(asMat(src.rgb())(asRect(region)), work, workSize, 0, 0, cv::INTER_AREA);

    cv::Mat mask(workSize, CV_8UC1, cv::Scalar(cv::GC_BGD));
    const cv::Rect inner = cv::Rect(int(std::floor((b.x() - region.x()) * sx)), int(std::floor((b.y() - region.y()) * sy)),
                                    int(std::ceil(b.width() * sx)), int(std::ceil(b.height() * sy))) &
                           cv::Rect(0, 0, workSize.width, workSize.height);
    mask(inner).setTo(cv::GC_PR_BGD);
    const int band = int(kBoxBand * std::min(inner.width, inner.height));
    mask(cv::Rect(inner.x + band, inner.y + band, inner.width - 2 * band, inner.height - 2 * band)).setTo(cv::GC_PR_FGD);
    // A box over the whole picture leaves no background to learn from: its rim is taken as probably background.
    if (inner == cv::Rect(0, 0, workSize.width, workSize.height)) {
        mask.row(0).setTo(cv::GC_PR_BGD), mask.row(mask.rows - 1).setTo(cv::GC_PR_BGD);
        mask.col(0).setTo(cv::GC_PR_BGD), mask.col(mask.cols - 1).setTo(cv::GC_PR_BGD);
    }
    for (const auto& [strokes, label] : {std::pair{&keep, cv::GC_FGD}, std::pair{&remove, cv::GC_BGD}}) {
        if (!usable(*strokes, src.size()))
            continue;
        cv::Mat painted;
        cv::resize(asMat(*strokes)(asRect(region)), painted, workSize, 0, 0, cv::INTER_AREA);
        mask.setTo(label, painted > 0);
    }

    cv::Mat bgdModel, fgdModel;
    try {
        // The same outline on every run and every system: GrabCut's clustering starts from the thread's generator.
        cv::theRNG() = cv::RNG(0x746f72);
        cv::grabCut(work, mask, cv::Rect(), bgdModel, fgdModel, kBoxIterations, cv::GC_INIT_WITH_MASK);
    } catch (const cv::Exception&) {
        return {};  // nothing to learn from (a box of one colour)
    }
    cv::Mat found = (mask & 1) * 255;  // GC_FGD and GC_PR_FGD
    tidy(found);
    if (cv::countNonZero(found) == 0)
        return {};
    if (workSize != cv::Size(region.width(), region.height())) {
        // Brought back to the whole picture, the outline is only as sharp as the reduced copy:
        // the band of that uncertainty is settled on the picture's own edges (watershed).
        cv::Mat full;
        cv::resize(found, full, cv::Size(region.width(), region.height()), 0, 0, cv::INTER_LINEAR);
        cv::threshold(full, found, 127, 255, cv::THRESH_BINARY);
        const int band = std::max(2, int(std::ceil(1.5 / scale)));
        cv::Mat inside, outside;
        cv::erode(found, inside, ellipse(band));
        cv::dilate(found, outside, ellipse(band));
        // Only around the object: the rest of the region is settled already.
        const cv::Rect near = cv::Rect(cv::boundingRect(outside)) & cv::Rect(0, 0, found.cols, found.rows);
        cv::Mat markers(near.size(), CV_32S, cv::Scalar(0));
        markers.setTo(1, outside(near) == 0);
        markers.setTo(2, inside(near));
        cv::Mat part = asMat(src.rgb())(asRect(region))(near).clone();
        cv::watershed(part, markers);
        cv::Mat settled = (markers == 2) | ((markers == -1) & found(near));
        settled.copyTo(found(near));
    }
    return wholeMask(src.size(), found, region.topLeft());
}

QImage MaskFromWand(const CutoutSource& src, const QPoint& click, int tolerance)
{
    const QSize size = src.size();
    if (!QRect(QPoint(0, 0), size).contains(click))
        return {};
    const int t = std::clamp(tolerance, 0, 255);
    cv::Mat filled(size.height() + 2, size.width() + 2, CV_8UC1, cv::Scalar(0));
    cv::Rect bounds;
    const int flags = 4 | cv::FLOODFILL_FIXED_RANGE | cv::FLOODFILL_MASK_ONLY | (255 << 8);
    cv::Mat image = asMat(src.rgb());
    cv::floodFill(image, filled, cv::Point(click.x(), click.y()), cv::Scalar(), &bounds, cv::Scalar::all(t),
                  cv::Scalar::all(t), flags);
    cv::Mat region = filled(cv::Rect(1, 1, size.width(), size.height()));
    // Holes inside the region (a name written on a country) belong to it, unless
    // they are large enough to be something of their own.
    const cv::Rect framed = cv::Rect(bounds.x - 1, bounds.y - 1, bounds.width + 2, bounds.height + 2);
    cv::Mat around = filled(framed + cv::Point(1, 1)).clone();  // a rim of 0 around the region
    fillEnclosed(around, cv::countNonZero(around) / 10);
    around(cv::Rect(1, 1, bounds.width, bounds.height)).copyTo(region(bounds));
    QImage mask(size, QImage::Format_Grayscale8);
    region.copyTo(asMat(mask));
    return mask;
}

QImage MaskFromOutline(const QSize& size, const QPolygonF& outline)
{
    if (outline.size() < 3 || size.isEmpty())
        return {};
    QImage mask(size, QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter painter(&mask);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPolygon(outline, Qt::WindingFill);
    }
    return MaskBounds(mask).isEmpty() ? QImage() : mask;
}

QRect MaskBounds(const QImage& mask)
{
    if (mask.isNull() || mask.format() != QImage::Format_Grayscale8)
        return {};
    const cv::Rect r = cv::boundingRect(asMat(mask));
    return QRect(r.x, r.y, r.width, r.height);
}

QImage CutObject(const CutoutSource& src, const QImage& mask, QPoint* topLeft)
{
    if (!usable(mask, src.size()))
        return {};
    const QRect bounds = MaskBounds(mask);
    if (bounds.isEmpty())
        return {};
    // A slight blur of the outline: a smooth edge once the object is scaled for the page.
    const QRect crop = bounds.adjusted(-2, -2, 2, 2) & QRect(QPoint(0, 0), src.size());
    cv::Mat alpha;
    cv::GaussianBlur(asMat(mask)(asRect(crop)), alpha, cv::Size(3, 3), 0.8);
    const cv::Rect kept = cv::boundingRect(alpha);
    const QRect cut(crop.x() + kept.x, crop.y() + kept.y, kept.width, kept.height);
    QImage object = src.picture().copy(cut).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < object.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(object.scanLine(y));
        const uchar* a = alpha.ptr<uchar>(y + kept.y) + kept.x;
        for (int x = 0; x < object.width(); ++x)
            line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), qAlpha(line[x]) * a[x] / 255);
    }
    if (topLeft)
        *topLeft = cut.topLeft();
    return object;
}

namespace {

// Every hole filled from its surroundings (Telea), each on a copy of its
// neighbourhood reduced to about kInpaintHolePixels, pasted back into the hole alone.
void fillHoles(cv::Mat& image, const cv::Mat& hole)
{
    cv::Mat labels, stats, centroids;
    const int n = cv::connectedComponentsWithStats(hole, labels, stats, centroids, 8, CV_32S);
    const cv::Rect whole(0, 0, image.cols, image.rows);
    for (int i = 1; i < n; ++i) {
        const cv::Rect box(stats.at<int>(i, cv::CC_STAT_LEFT), stats.at<int>(i, cv::CC_STAT_TOP),
                           stats.at<int>(i, cv::CC_STAT_WIDTH), stats.at<int>(i, cv::CC_STAT_HEIGHT));
        const double scale =
            std::min(1.0, std::sqrt(kInpaintHolePixels / double(stats.at<int>(i, cv::CC_STAT_AREA))));
        const int margin = int(std::ceil((kInpaintRadius + 2) / scale));
        const cv::Rect region = cv::Rect(box.x - margin, box.y - margin, box.width + 2 * margin,
                                         box.height + 2 * margin) & whole;
        // A neighbouring hole is no surrounding to fill from: it is filled too, but only this one is kept.
        const cv::Mat own = (labels(region) == i);
        cv::Mat part = image(region);
        if (scale >= 1) {
            cv::Mat filled;
            cv::inpaint(part, hole(region), filled, kInpaintRadius, cv::INPAINT_TELEA);
            filled.copyTo(part, own);
            continue;
        }
        const cv::Size small(std::max(1, int(std::lround(region.width * scale))),
                             std::max(1, int(std::lround(region.height * scale))));
        cv::Mat reduced, reducedHole, filled, back;
        cv::resize(part, reduced, small, 0, 0, cv::INTER_AREA);
        cv::resize(hole(region), reducedHole, small, 0, 0, cv::INTER_AREA);
        cv::inpaint(reduced, reducedHole > 0, filled, kInpaintRadius, cv::INPAINT_TELEA);
        cv::resize(filled, back, region.size(), 0, 0, cv::INTER_LINEAR);
        back.copyTo(part, own);
    }
}

// A place at the scene's size `out`: any pixel the object touches is part of it.
// Only the object's bounds are scaled: a phone photo's mask is mostly empty.
cv::Mat placeAt(const QImage& mask, QSize out)
{
    const cv::Mat m = asMat(mask);
    cv::Mat place(out.height(), out.width(), CV_8UC1, cv::Scalar(0));
    const cv::Rect b = cv::boundingRect(m);
    if (b.empty())
        return place;
    if (out == mask.size()) {
        m(b).copyTo(place(b));
        return place;
    }
    const double sx = double(out.width()) / mask.width(), sy = double(out.height()) / mask.height();
    const int ox0 = int(std::floor(b.x * sx)), oy0 = int(std::floor(b.y * sy));
    const int ox1 = std::min(out.width(), int(std::ceil((b.x + b.width) * sx)));
    const int oy1 = std::min(out.height(), int(std::ceil((b.y + b.height) * sy)));
    const int x0 = int(std::floor(ox0 / sx)), y0 = int(std::floor(oy0 / sy));
    const int x1 = std::min(mask.width(), int(std::ceil(ox1 / sx))), y1 = std::min(mask.height(), int(std::ceil(oy1 / sy)));
    cv::Mat part;
    cv::resize(m(cv::Rect(x0, y0, x1 - x0, y1 - y0)), part, cv::Size(ox1 - ox0, oy1 - oy0), 0, 0, cv::INTER_AREA);
    cv::Mat(part > 0).copyTo(place(cv::Rect(ox0, oy0, ox1 - ox0, oy1 - oy0)));
    return place;
}

// Paints `colour` over the image where `shape` (0 to 255) says, as coverage.
void paint(cv::Mat& image, const cv::Mat& shape, const QColor& colour)
{
    const uchar c[3] = {uchar(colour.red()), uchar(colour.green()), uchar(colour.blue())};
    for (int y = 0; y < image.rows; ++y) {
        uchar* p = image.ptr<uchar>(y);
        const uchar* a = shape.ptr<uchar>(y);
        for (int x = 0; x < image.cols; ++x, p += 3)
            if (a[x])
                for (int k = 0; k < 3; ++k)
                    p[k] = uchar((p[k] * (255 - a[x]) + c[k] * a[x] + 127) / 255);
    }
}

}  // namespace

QImage EmptiedScene(const CutoutSource& src, const QList<QImage>& masks, PlaceFill fill, const QColor& colour,
                    QSize size)
{
    const QSize out = size.isEmpty() ? src.size() : size;
    const cv::Size outSize(out.width(), out.height());
    cv::Mat scene;
    if (out == src.size())
        scene = asMat(src.rgb()).clone();
    else
        cv::resize(asMat(src.rgb()), scene, outSize, 0, 0, cv::INTER_AREA);
    // Each place at the scene's size: any pixel the object touches is part of it.
    QList<cv::Mat> places;
    cv::Mat all(outSize, CV_8UC1, cv::Scalar(0));
    for (const QImage& mask : masks) {
        if (!usable(mask, src.size()))
            continue;
        const cv::Mat place = placeAt(mask, out);
        all |= place;
        places.append(place);
    }
    const double unit = std::max(out.width(), out.height()) / 1200.0;  // pixels of a 1200-pixel picture
    const int grow = std::max(1, int(std::lround(kHoleGrowth * unit)));
    if (fill == PlaceFill::Erase) {
        cv::Mat hole;
        cv::dilate(all, hole, ellipse(grow));
        fillHoles(scene, hole);
    } else if (fill == PlaceFill::Colour) {
        cv::Mat shape;
        cv::dilate(all, shape, ellipse(grow));
        cv::GaussianBlur(shape, shape, cv::Size(3, 3), 0.8);
        paint(scene, shape, colour);
    } else {
        // Drawn over the object's fringe, with an outline a little darker (lighter for a dark colour) to tell
        // touching places apart.
        const QColor line = colour.lightness() < 64 ? QColor(Qt::white) : colour.darker(170);
        const int width = std::max(1, int(std::lround(out.width() / 700.0)));
        for (const cv::Mat& place : places) {
            cv::Mat shape, edge;
            cv::dilate(place, shape, ellipse(std::max(1, grow / 2)));
            cv::morphologyEx(shape, edge, cv::MORPH_GRADIENT, ellipse(width));
            cv::GaussianBlur(shape, shape, cv::Size(3, 3), 0.8);
            cv::GaussianBlur(edge, edge, cv::Size(3, 3), 0.8);
            paint(scene, shape, colour);
            paint(scene, edge, line);
        }
    }
    return toImage(scene);
}

}  // namespace toravi
