#include "support/composed.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace toravi::test {

namespace {

// Grain as a camera leaves it, the same for every run.
void addGrain(QImage& image, QRandomGenerator& random, int amount)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* p = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = int(random.bounded(2 * amount + 1)) - amount;
            p[x] = qRgba(std::clamp(qRed(p[x]) + n, 0, 255), std::clamp(qGreen(p[x]) + n, 0, 255),
                         std::clamp(qBlue(p[x]) + n, 0, 255), qAlpha(p[x]));
        }
    }
}

QColor randomColour(QRandomGenerator& random, int minValue, int maxValue)
{
    return QColor::fromHsv(int(random.bounded(360)), 60 + int(random.bounded(160)),
                           minValue + int(random.bounded(maxValue - minValue)));
}

}  // namespace

QImage PhotoBackground(QSize size, quint32 draw, const QImage& photo)
{
    if (!photo.isNull()) {
        const QImage scaled = photo.convertToFormat(QImage::Format_RGB32)
                                  .scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        return scaled.copy(QRect(QPoint((scaled.width() - size.width()) / 2, (scaled.height() - size.height()) / 2), size))
            .convertToFormat(QImage::Format_RGB888);
    }
    QRandomGenerator random(draw);
    // Patches of colour under soft light: a few random colours smoothly blended.
    QImage small(8, 6, QImage::Format_RGB32);
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x)
            small.setPixel(x, y, randomColour(random, 90, 230).rgb());
    QImage image = small.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Things in the background: lines of a table, shelves, stripes of a wall.
    for (int i = 0; i < 14; ++i) {
        QColor c = randomColour(random, 60, 240);
        c.setAlpha(70 + int(random.bounded(120)));
        painter.setPen(QPen(c, size.width() * (0.002 + random.bounded(0.02))));
        const double y = random.bounded(double(size.height()));
        painter.drawLine(QPointF(0, y), QPointF(size.width(), y + random.bounded(size.height() * 0.2)));
    }
    painter.end();
    addGrain(image, random, 6);
    return image.convertToFormat(QImage::Format_RGB888);
}

QImage BlobObject(QSize size, quint32 draw, const QColor& ground)
{
    QRandomGenerator random(draw);
    QImage object(size, QImage::Format_ARGB32_Premultiplied);
    object.fill(Qt::transparent);
    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    // A rounded outline with bumps and dents, as most things have.
    const int points = 7 + int(random.bounded(7));
    QList<QPointF> rim;
    for (int i = 0; i < points; ++i) {
        const double a = 2 * M_PI * i / points, r = 0.62 + random.bounded(0.36);
        rim << QPointF(centre.x() + std::cos(a) * r * size.width() / 2, centre.y() + std::sin(a) * r * size.height() / 2);
    }
    QPainterPath path;
    path.moveTo((rim[points - 1] + rim[0]) / 2);
    for (int i = 0; i < points; ++i)
        path.quadTo(rim[i], (rim[i] + rim[(i + 1) % points]) / 2);
    QPainter painter(&object);
    painter.setRenderHint(QPainter::Antialiasing);
    // Most things stand out from what is behind them: a hue a sixth of the wheel away at least.
    QColor colour = randomColour(random, 50, 220);
    if (ground.isValid())
        colour.setHsv((ground.hsvHue() + 60 + int(random.bounded(240))) % 360, colour.hsvSaturation(), colour.value());
    QRadialGradient shade(centre - QPointF(size.width() * 0.2, size.height() * 0.2), std::max(size.width(), size.height()) * 0.7);
    shade.setColorAt(0, colour.lighter(150));
    shade.setColorAt(1, colour.darker(170));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawPath(path);
    // A label or a pattern on it.
    painter.setClipPath(path);
    for (int i = 0; i < 3; ++i) {
        QColor c = randomColour(random, 40, 250);
        c.setAlpha(160);
        painter.setBrush(c);
        const double w = size.width() * (0.1 + random.bounded(0.25)), h = size.height() * (0.1 + random.bounded(0.25));
        painter.drawEllipse(QRectF(random.bounded(size.width() - w), random.bounded(size.height() - h), w, h));
    }
    painter.end();
    QImage plain = object.convertToFormat(QImage::Format_ARGB32);
    addGrain(plain, random, 5);
    return plain;
}

Composed ComposePicture(QSize size, int count, quint32 draw, double fraction, const QList<QImage>& objects,
                        const QImage& photo)
{
    QRandomGenerator random(draw);
    Composed c;
    c.background = PhotoBackground(size, draw, photo);
    QImage picture = c.background.convertToFormat(QImage::Format_RGB32);
    QList<QRect> taken;
    for (int i = 0; i < count; ++i) {
        const int w = int(size.width() * fraction * (0.8 + random.bounded(0.5)));
        const QSize blob(w, int(w * (0.6 + random.bounded(0.7))));
        QImage object = objects.isEmpty() ? QImage(blob, QImage::Format_ARGB32)
                                          : objects[i % objects.size()].convertToFormat(QImage::Format_ARGB32).scaled(
                                                w, w, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        // Apart from the others and from the edges, by a margin the box tool needs.
        QRect at;
        for (int tries = 0; tries < 200; ++tries) {
            const int gap = size.width() / 50;
            at = QRect(gap + int(random.bounded(std::max(1, size.width() - object.width() - 2 * gap))),
                       gap + int(random.bounded(std::max(1, size.height() - object.height() - 2 * gap))),
                       object.width(), object.height());
            if (std::none_of(taken.begin(), taken.end(),
                             [&](const QRect& r) { return r.adjusted(-gap, -gap, gap, gap).intersects(at); }))
                break;
        }
        taken << at;
        if (objects.isEmpty()) {
            const QColor ground = c.background.copy(at).scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixelColor(0, 0);
            object = BlobObject(blob, draw * 31 + i, ground);
        }
        QPainter(&picture).drawImage(at.topLeft(), object);
        QImage mask(size, QImage::Format_Grayscale8);
        mask.fill(0);
        QRect bounds;
        for (int y = 0; y < object.height(); ++y) {
            const auto* p = reinterpret_cast<const QRgb*>(object.constScanLine(y));
            uchar* m = mask.scanLine(at.y() + y) + at.x();
            for (int x = 0; x < object.width(); ++x)
                if (qAlpha(p[x]) >= 128)
                    m[x] = 255, bounds |= QRect(at.x() + x, at.y() + y, 1, 1);
        }
        c.masks << mask;
        c.boxes << bounds;
    }
    c.picture = picture.convertToFormat(QImage::Format_RGB888);
    return c;
}

double MaskIoU(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return 0;
    qint64 both = 0, either = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* p = a.constScanLine(y);
        const uchar* q = b.constScanLine(y);
        for (int x = 0; x < a.width(); ++x) {
            both += p[x] && q[x];
            either += p[x] || q[x];
        }
    }
    return either ? double(both) / either : 1;
}

double MeanError(const QImage& a, const QImage& b, const QImage& region)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB888), y = b.convertToFormat(QImage::Format_RGB888);
    qint64 sum = 0, n = 0;
    for (int r = 0; r < x.height(); ++r) {
        const uchar* p = x.constScanLine(r);
        const uchar* q = y.constScanLine(r);
        const uchar* m = region.constScanLine(r);
        for (int c = 0; c < x.width(); ++c)
            if (m[c]) {
                sum += std::abs(p[3 * c] - q[3 * c]) + std::abs(p[3 * c + 1] - q[3 * c + 1]) +
                       std::abs(p[3 * c + 2] - q[3 * c + 2]);
                n += 3;
            }
    }
    return n ? double(sum) / n : 0;
}

QImage ScaledMask(const QImage& mask, QSize size)
{
    const QImage scaled = mask.convertToFormat(QImage::Format_RGB32).scaled(size, Qt::IgnoreAspectRatio,
                                                                             Qt::SmoothTransformation);
    QImage out(size, QImage::Format_Grayscale8);
    for (int y = 0; y < size.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(scaled.constScanLine(y));
        uchar* q = out.scanLine(y);
        for (int x = 0; x < size.width(); ++x)
            q[x] = qRed(p[x]) >= 128 ? 255 : 0;
    }
    return out;
}

}  // namespace toravi::test
