#pragma once
// Every benchmark prints its results as rows that scripts/bench.sh gathers into one table.
#include "support/testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImage>
#include <QRandomGenerator>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace bench {
inline void Row(const QString& name, double value, const QString& unit, const QString& note = QString())
{
    std::printf("BENCH\t%s\t%.3f\t%s\t%s\n", name.toUtf8().constData(), value, unit.toUtf8().constData(),
                note.toUtf8().constData());
    std::fflush(stdout);
}

// A photo-like JPEG, 4000 x 3000 by default: smooth gradients under noise, so
// that it weighs what a camera's does. `variant` changes its tint and noise.
inline QImage PhotoImage(int variant = 0, QSize size = QSize(4000, 3000))
{
    const int w = size.width(), h = size.height();
    QImage img(size, QImage::Format_RGB32);
    QRandomGenerator rng(quint32(variant) * 7919u + 1u);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const quint32 n = rng.generate();
            const int r = std::clamp(int((x * 255) / w) + int(n & 63) - 32, 0, 255);
            const int g = std::clamp(int((y * 255) / h) + int((n >> 8) & 63) - 32, 0, 255);
            const int b = std::clamp((variant * 40) % 256 + int((n >> 16) & 63) - 32, 0, 255);
            line[x] = qRgb(r, g, b);
        }
    }
    return img;
}

inline void WritePhoto(const QString& path, int variant = 0, QSize size = QSize(4000, 3000), int quality = 90)
{
    PhotoImage(variant, size).save(path, "JPG", quality);
}

// A JPEG laid out as cameras write it: right after the start, an APP1 block of
// `app1Bytes` holding the EXIF data (orientation 6: taken with the phone turned)
// and a 160 x 120 thumbnail with its own frame; then the tables, then the real frame.
inline qint64 WriteCameraPhoto(const QString& path, int variant, QSize size, int quality, int app1Bytes)
{
    const QImage img = PhotoImage(variant, size);
    const QByteArray jpeg =
        toravi::test::CameraPhotoBytes(img, 6, img.scaled(160, 120, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                                       quality, app1Bytes);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(jpeg) != jpeg.size())
        return 0;
    return jpeg.size();
}

// 25 camera photos of 4000 x 3000 (portrait, orientation 6, 160 x 120 thumbnail), made once and
// kept between runs: a scene and 24 objects.
inline QString CameraPhotoName(int i) { return i == 24 ? QStringLiteral("scene.jpg") : QStringLiteral("photo%1.jpg").arg(i); }
inline QString CameraPhotoFolder()
{
    const QString folder = QDir::temp().filePath(QStringLiteral("toravi-bench-photos"));
    QDir().mkpath(folder + QStringLiteral("/img"));
    for (int i = 0; i <= 24; ++i) {
        const QString path = folder + QStringLiteral("/img/") + CameraPhotoName(i);
        if (!QImageReader(path).canRead()) {
            std::fprintf(stderr, "Making %s (4000 x 3000)...\n", qPrintable(path));
            WriteCameraPhoto(path, i, QSize(4000, 3000), 90, 30000);
        }
    }
    return folder;
}

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace bench
