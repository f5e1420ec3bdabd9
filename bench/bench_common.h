#pragma once
// Every benchmark prints its results as rows that scripts/bench.sh gathers into one table.
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

// A 4000 x 3000 photo-like JPEG: smooth gradients under noise, so that it
// weighs what a camera's does. `variant` changes its tint and noise.
inline void WritePhoto(const QString& path, int variant = 0)
{
    QImage img(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator rng(quint32(variant) * 7919u + 1u);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const quint32 n = rng.generate();
            const int r = std::clamp(int((x * 255) / 4000) + int(n & 63) - 32, 0, 255);
            const int g = std::clamp(int((y * 255) / 3000) + int((n >> 8) & 63) - 32, 0, 255);
            const int b = std::clamp((variant * 40) % 256 + int((n >> 16) & 63) - 32, 0, 255);
            line[x] = qRgb(r, g, b);
        }
    }
    img.save(path, "JPG", 90);
}

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace bench
