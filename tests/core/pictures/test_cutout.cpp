// The cut-out's tools on composed pictures whose true outlines and background are
// known: the box finds the object, the wand a flat region, the outline what is
// drawn; objects cut with a soft edge; places emptied closer to the real
// background than the object left there. What the tools refuse is checked on the
// command line.
#include "pictures/cutout.h"
#include "support/composed.h"

#include <QPainter>
#include <QTest>
#include <algorithm>

using namespace toravi;
using namespace toravi::test;

namespace {

QImage Blank(QSize size)
{
    QImage mask(size, QImage::Format_Grayscale8);
    mask.fill(0);
    return mask;
}

// A map as teachers draw them: flat regions with a black border and a name inside.
QImage Map(QRect region, QRect label)
{
    QImage map(400, 300, QImage::Format_RGB32);
    map.fill(QColor(170, 210, 240));
    QPainter p(&map);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(240, 220, 130));
    p.drawRect(region);
    p.fillRect(label, Qt::black);
    return map;
}

}  // namespace

class TestCutout : public QObject {
    Q_OBJECT

private slots:
    // The box around each object finds its outline, on photos of several sizes, a
    // phone photo's among them (worked on a reduced copy).
    void box_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("fraction");  // of the picture's width
        QTest::addColumn<double>("room");      // around the object, by its size, as a teacher drags the box
        QTest::newRow("1200x800") << QSize(1200, 800) << 5 << 0.15 << 0.07;
        QTest::newRow("1200x800 tight box") << QSize(1200, 800) << 5 << 0.15 << 0.02;
        QTest::newRow("800x1200 loose box") << QSize(800, 1200) << 5 << 0.15 << 0.15;
        QTest::newRow("2400x1600, reduced copy") << QSize(2400, 1600) << 2 << 0.4 << 0.04;
    }
    void box()
    {
        QFETCH(QSize, size);
        QFETCH(int, count);
        QFETCH(double, fraction);
        QFETCH(double, room);
        const Composed c = ComposePicture(size, count, quint32(size.width() + 100 * room), fraction);
        const CutoutSource src = CutoutSource::FromImage(c.picture);
        QList<double> iou;
        for (qsizetype i = 0; i < c.masks.size(); ++i) {
            const int m = int(room * std::max(c.boxes[i].width(), c.boxes[i].height()));
            iou << MaskIoU(MaskFromBox(src, c.boxes[i].adjusted(-m, -m, m, m)), c.masks[i]);
        }
        std::sort(iou.begin(), iou.end());
        // Most objects at 0.95 or better, none lost.
        QVERIFY2(iou[iou.size() / 2] >= 0.95 && iou[0] >= 0.6,
                 qPrintable(QString::number(iou[0]) + " " + QString::number(iou[iou.size() / 2])));
    }

    // Strokes correct the box: "enlever" takes a part away, "garder" keeps what the box left out.
    void strokes()
    {
        const Composed c = ComposePicture({900, 600}, 1, 7);
        const CutoutSource src = CutoutSource::FromImage(c.picture);
        const QRect box = c.boxes[0].adjusted(-10, -10, 10, 10);
        QImage remove = Blank(src.size()), keep = Blank(src.size());
        // The object's right half painted "enlever".
        QPainter(&remove).fillRect(QRect(c.boxes[0].center().x(), box.top(), box.width(), box.height()), Qt::white);
        const QImage left = MaskFromBox(src, box, QImage(), remove);
        QVERIFY(MaskBounds(left).right() <= c.boxes[0].center().x());
        QVERIFY(MaskIoU(left, c.masks[0]) > 0.3);
        // A box over the left quarter only, "garder" painted near the right edge, beyond the box's margin.
        const QPoint far(c.boxes[0].right() - 20, c.boxes[0].center().y());
        QPainter(&keep).fillRect(QRect(far - QPoint(5, 5), QSize(10, 10)), Qt::white);
        const QRect quarter(box.topLeft(), QSize(box.width() / 4, box.height()));
        QCOMPARE(MaskFromBox(src, quarter, keep).pixelColor(far).value(), 255);
    }

    // The wand takes the flat region clicked, its name inside included, not the border
    // nor the sea; a tolerance of 0 on a photo takes little.
    void wand()
    {
        const QRect region(50, 40, 200, 150), label(100, 100, 60, 12);
        const CutoutSource map = CutoutSource::FromImage(Map(region, label));
        const QImage land = MaskFromWand(map, QPoint(70, 60), 32);
        QImage truth = Blank(map.size());
        QPainter(&truth).fillRect(region.adjusted(2, 2, -1, -1), Qt::white);
        QVERIFY2(MaskIoU(land, truth) > 0.98, qPrintable(QString::number(MaskIoU(land, truth))));
        QCOMPARE(land.pixelColor(label.center()).value(), 255);
        QCOMPARE(MaskFromWand(map, QPoint(5, 5), 32).pixelColor(label.center()).value(), 0);
        const CutoutSource photo = CutoutSource::FromImage(ComposePicture({300, 200}, 0, 3).picture);
        QVERIFY(MaskBounds(MaskFromWand(photo, QPoint(150, 100), 0)).width() < 30);
    }

    // Exactly what is drawn; a loop drawn twice over fills once.
    void outline()
    {
        const QImage square = MaskFromOutline({100, 80}, QPolygonF(QRectF(10, 20, 40, 30)));
        QCOMPARE(MaskBounds(square), QRect(10, 20, 40, 30));
        QPolygonF twice(QRectF(10, 20, 40, 30));
        twice << QPolygonF(QRectF(10, 20, 40, 30));
        QCOMPARE(MaskIoU(MaskFromOutline({100, 80}, twice), square), 1.0);
    }

    // The object's picture: cropped to the outline, transparent outside, a soft edge,
    // its colours those of the picture.
    void cutObject()
    {
        const Composed c = ComposePicture({600, 400}, 1, 5);
        const CutoutSource src = CutoutSource::FromImage(c.picture);
        QPoint at;
        const QImage object = CutObject(src, c.masks[0], &at);
        QVERIFY(object.hasAlphaChannel());
        QVERIFY(QRect(at, object.size()).contains(c.boxes[0]));
        QVERIFY(QRect(at, object.size()).adjusted(2, 2, -2, -2).width() <= c.boxes[0].width());
        QCOMPARE(qAlpha(object.pixel(0, 0)), 0);
        const QPoint inside = c.boxes[0].center() - at;
        QCOMPARE(qAlpha(object.pixel(inside)), 255);
        QCOMPARE(object.pixel(inside) & 0xFFFFFF, c.picture.pixel(c.boxes[0].center()) & 0xFFFFFF);
        int soft = 0;
        for (int x = 0; x < object.width(); ++x)
            soft += qAlpha(object.pixel(x, inside.y())) > 0 && qAlpha(object.pixel(x, inside.y())) < 255;
        QVERIFY(soft >= 2);
        QVERIFY(CutObject(src, Blank(src.size())).isNull());
    }

    // Erased places come closer to the real background than the objects left there;
    // silhouettes and plain colour cover each place; the rest of the scene stays.
    void emptiedScene_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("fraction");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("whole picture") << QSize(1200, 800) << 0.15 << QSize();
        QTest::newRow("page's copy") << QSize(1200, 800) << 0.15 << QSize(700, 467);
        QTest::newRow("large places, reduced around each") << QSize(2400, 1600) << 0.25 << QSize();
    }
    void emptiedScene()
    {
        QFETCH(QSize, size);
        QFETCH(double, fraction);
        QFETCH(QSize, shown);
        const Composed c = ComposePicture(size, 3, 11, fraction);
        const CutoutSource src = CutoutSource::FromImage(c.picture);
        const QSize out = shown.isEmpty() ? size : shown;
        const QImage background = c.background.scaled(out, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage picture = c.picture.scaled(out, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // The places, and the rest of the scene: what lies 8 pixels or more away from them.
        QImage places = Blank(out), rest = Blank(out);
        for (const QImage& m : c.masks) {
            const QImage small = ScaledMask(m, out);
            for (int y = 0; y < out.height(); ++y)
                for (int x = 0; x < out.width(); ++x)
                    places.scanLine(y)[x] |= small.constScanLine(y)[x];
        }
        auto in = [&](int x, int y) { return places.constScanLine(std::clamp(y, 0, out.height() - 1))[std::clamp(x, 0, out.width() - 1)]; };
        for (int y = 0; y < out.height(); ++y)
            for (int x = 0; x < out.width(); ++x)
                rest.scanLine(y)[x] = in(x, y) || in(x - 8, y) || in(x + 8, y) || in(x, y - 8) || in(x, y + 8) ? 0 : 255;

        const QImage erased = EmptiedScene(src, c.masks, PlaceFill::Erase, QColor(), shown);
        QCOMPARE(erased.size(), out);
        const double left = MeanError(picture, background, places), filled = MeanError(erased, background, places);
        QVERIFY2(filled * 2.5 < left, qPrintable(QStringLiteral("%1 / %2").arg(filled).arg(left)));
        QVERIFY(MeanError(erased, picture, rest) < 1.5);

        const QColor colour(200, 30, 60);
        for (PlaceFill fill : {PlaceFill::Silhouette, PlaceFill::Colour}) {
            const QImage scene = EmptiedScene(src, c.masks, fill, colour, shown);
            // The place's middle is the colour, the rest the picture.
            QCOMPARE(scene.pixelColor(MaskBounds(ScaledMask(c.masks[0], out)).center()), colour);
            QVERIFY(MeanError(scene, picture, rest) < 1.5);
        }
    }
};

QTEST_GUILESS_MAIN(TestCutout)
#include "test_cutout.moc"
