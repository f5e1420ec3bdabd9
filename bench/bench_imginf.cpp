// Picture sizes from headers against QImageReader::size(), and the JPEG start
// search over a large file that holds no start run.
#include "bench_common.h"
#include "shared/imginf.h"
#include "shared/publish.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace toravi;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QImage img(1024, 768, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(x & 255, y & 255, (x ^ y) & 255));

    QList<QPair<QString, QString>> files;
    for (const char* fmt : {"png", "bmp", "jpg"}) {
        const QString path = dir.filePath(QStringLiteral("photo.") + QLatin1String(fmt));
        img.save(path);
        files.append({QString::fromLatin1(fmt).toUpper(), path});
    }
    files.append({QStringLiteral("GIF"), ProgramFolder() + QStringLiteral("/ptrouge.gif")});

    constexpr int kRounds = 20000;
    for (const auto& [name, path] : files) {
        volatile int sink = 0;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < kRounds; ++i)
            sink = sink + GetImageInfo(path).Width;
        const double ours = double(t.nsecsElapsed()) / kRounds / 1000.0;
        t.restart();
        for (int i = 0; i < kRounds; ++i) {
            QImageReader reader(path);
            sink = sink + reader.size().width();
        }
        const double qt = double(t.nsecsElapsed()) / kRounds / 1000.0;
        bench::Row(QStringLiteral("GetImageInfo %1").arg(name), ours, QStringLiteral("µs/appel"),
                   QStringLiteral("QImageReader::size() %1 µs, %2× plus rapide").arg(qt, 0, 'f', 1).arg(qt / ours, 0, 'f', 1));
    }

    // 100 MB of noise in which every FF D8 FF run has been broken.
    const QString big = dir.filePath(QStringLiteral("noise.bin"));
    {
        QFile f(big);
        f.open(QIODevice::WriteOnly);
        QByteArray chunk(1 << 20, '\0');
        auto* rng = QRandomGenerator::global();
        for (int i = 0; i < 100; ++i) {
            rng->fillRange(reinterpret_cast<quint32*>(chunk.data()), chunk.size() / 4);
            for (qsizetype p = 0; p + 2 < chunk.size(); ++p)
                if (quint8(chunk[p]) == 0xFF && quint8(chunk[p + 1]) == 0xD8)
                    chunk[p + 1] = 0;
            if (quint8(chunk[chunk.size() - 1]) == 0xFF)
                chunk[chunk.size() - 1] = 0;
            f.write(chunk);
        }
    }
    GetImageInfo(big);  // warm the cache
    double best = 1e18;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer t;
        t.start();
        const ImageInfo info = GetImageInfo(big);
        best = std::min(best, double(t.nsecsElapsed()));
        if (info.ImageType != IMG_FAIL)
            return 1;
    }
    const double gbps = 100.0 * 1024 * 1024 / best;  // bytes per ns = GB/s
    bench::Row(QStringLiteral("Recherche JPEG, 100 Mo sans FF D8 FF"), gbps, QStringLiteral("Go/s"),
               QStringLiteral("%1 ms (cache chaud)").arg(best / 1e6, 0, 'f', 1));
    return 0;
}
