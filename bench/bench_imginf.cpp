// Picture sizes from headers against QImageReader::size(), on small pictures, on
// camera-size photos (JPEG, WebP) and scans (TIFF), and the JPEG start search over
// a large file that holds no start run.
#include "bench_common.h"
#include "files/files.h"
#include "pictures/imginf.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <functional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace toravi;

namespace {

volatile int sink = 0;

// Microseconds per call of the best of many short batches: the machine is shared,
// and the best batch is the one no other process broke into. Both readers are
// measured batch by batch in turn, so that they meet the same load.
std::pair<double, double> BestOf(const std::function<int()>& ours, const std::function<int()>& theirs)
{
    constexpr int kBatches = 41, kCalls = 500;
    double best[2] = {1e18, 1e18};
    for (int b = 0; b < kBatches; ++b) {
        for (int which = 0; which < 2; ++which) {
            const auto& fn = which == 0 ? ours : theirs;
            QElapsedTimer t;
            t.start();
            for (int i = 0; i < kCalls; ++i)
                sink = sink + fn();
            best[which] = std::min(best[which], double(t.nsecsElapsed()) / kCalls / 1000.0);
        }
    }
    return {best[0], best[1]};
}

// The size QImageReader gives once the photo is turned upright, as browsers show it.
QSize UprightSize(const QString& path)
{
    QImageReader reader(path);
    const QSize stored = reader.size();
    return reader.transformation() & QImageIOHandler::TransformationRotate90 ? stored.transposed() : stored;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;

    struct File {
        QString name, path, note;
    };
    QList<File> files;
    const QImage img = bench::PhotoImage(0, QSize(1024, 768));
    for (const char* fmt : {"png", "bmp", "jpg"}) {
        const QString path = dir.filePath(QStringLiteral("photo.") + QLatin1String(fmt));
        img.save(path);
        files.append({QString::fromLatin1(fmt).toUpper(), path, QStringLiteral("1024x768, écrit par Qt")});
    }
    files.append({QStringLiteral("GIF"), ProgramFolder() + QStringLiteral("/ptrouge.gif"), QStringLiteral("16x16")});
    // A photo saved from the web and a scan, as large as camera photos; the TIFF's
    // directory follows its pixels, as scanners and ImageMagick write it.
    {
        std::fprintf(stderr, "Making a 4000x3000 WebP and TIFF...\n");
        const QImage photo = bench::PhotoImage(1);
        for (const char* fmt : {"webp", "tif"}) {
            const QString path = dir.filePath(QStringLiteral("grande.") + QLatin1String(fmt));
            QImageWriter writer(path);
            writer.setQuality(80);
            writer.setCompression(1);  // LZW for the TIFF
            writer.write(photo);
            files.append({QString::fromLatin1(fmt).toUpper() + QStringLiteral(" %1 Mo").arg(QFileInfo(path).size() / 1e6, 0, 'f', 1),
                          path, QStringLiteral("4000x3000, écrit par Qt")});
        }
    }

    // Camera photos: EXIF block with thumbnail first, then the tables and the frame.
    struct Camera {
        QSize size;
        int quality, app1;
    };
    for (const Camera& c : {Camera{{4000, 3000}, 80, 30000}, Camera{{4000, 3000}, 95, 30000},
                            Camera{{6000, 4000}, 91, 30000}, Camera{{4000, 3000}, 80, 60000}}) {
        const QString path = dir.filePath(QStringLiteral("camera%1.jpg").arg(files.size()));
        std::fprintf(stderr, "Making a %dx%d camera photo...\n", c.size.width(), c.size.height());
        const qint64 bytes = bench::WriteCameraPhoto(path, files.size(), c.size, c.quality, c.app1);
        files.append({QStringLiteral("JPG appareil photo %1 Mo, APP1 %2 Ko").arg(double(bytes) / 1e6, 0, 'f', 1).arg(c.app1 / 1000),
                      path, QStringLiteral("%1x%2, EXIF et vignette").arg(c.size.width()).arg(c.size.height())});
    }

    for (const File& f : files) {
        const ImageInfo info = GetImageInfo(f.path);
        QString note = f.note;
        if (QSize(info.Width, info.Height) != UprightSize(f.path)) {
            std::fprintf(stderr, "%s: %dx%d, Qt says otherwise\n", qPrintable(f.path), info.Width, info.Height);
            return 1;
        }
        const auto [ours, qt] = BestOf([&] { return GetImageInfo(f.path).Width; },
                                       [&] { return QImageReader(f.path).size().width(); });
        bench::Row(QStringLiteral("GetImageInfo %1").arg(f.name), ours, QStringLiteral("µs/appel"),
                   QStringLiteral("QImageReader::size() %1 µs, %2× plus rapide ; %3")
                       .arg(qt, 0, 'f', 1)
                       .arg(qt / ours, 0, 'f', 1)
                       .arg(note));
    }

#ifdef Q_OS_UNIX
    // What the system calls alone cost: no reader can go below this.
    {
        const QByteArray name = QFile::encodeName(files.first().path);
        std::uint8_t buf[4096];
        const auto [floor, unused] = BestOf(
            [&] {
                const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
                const int n = int(::pread(fd, buf, sizeof buf, 0));
                ::close(fd);
                return n;
            },
            [] { return 0; });
        bench::Row(QStringLiteral("Plancher open + pread 4 Kio + close"), floor, QStringLiteral("µs/appel"),
                   QStringLiteral("appels système seuls"));
    }
#endif

    // 100 MB of noise in which every FF D8 FF run has been broken.
    const QString big = dir.filePath(QStringLiteral("noise.bin"));
    {
        QFile f(big);
        f.open(QIODevice::WriteOnly);
        QByteArray chunk(1 << 20, '\0');
        auto* rng = QRandomGenerator::global();
        for (int i = 0; i < 100; ++i) {
            rng->fillRange(reinterpret_cast<quint32*>(chunk.data()), chunk.size() / 4);
            for (qsizetype p = 0; p + 1 < chunk.size(); ++p)
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
