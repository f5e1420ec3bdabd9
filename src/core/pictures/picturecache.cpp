#include "pictures/picturecache.h"

#include "pictures/pictures.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QImageIOHandler>
#include <QImageReader>
#include <QThread>
#include <atomic>
#include <tuple>
#include <utility>
#include <thread>
#include <vector>

namespace toravi {

namespace {

struct Stamp {
    qint64 size = -1;
    qint64 mtime = 0;
    bool operator==(const Stamp&) const = default;
};

struct Entry {
    Stamp stamp;
    QImage image;
    quint64 lastUse = 0;
};

struct Store {
    QHash<QString, Entry> entries;  // by path and shown size
    qint64 bytes = 0;
    qint64 limit = 256LL * 1024 * 1024;
    quint64 clock = 0;
};

Store& store()
{
    static Store s;
    return s;
}

QString Key(const QString& path, QSize shown, QRect part = QRect())
{
    QString key = path + QChar(0);
    if (!shown.isEmpty())
        key += QStringLiteral("%1x%2").arg(shown.width()).arg(shown.height());
    else if (part.isValid())
        key += QStringLiteral("%1,%2,%3x%4").arg(part.x()).arg(part.y()).arg(part.width()).arg(part.height());
    return key;
}

// A file's stamp; none for a missing file.
bool StampOf(const QString& path, Stamp* stamp)
{
    if (path.isEmpty())
        return false;
    QFileInfo info(path);
    if (!info.isFile())
        return false;
    stamp->size = info.size();
    stamp->mtime = info.lastModified().toMSecsSinceEpoch();
    return true;
}

bool& fastPreviews()
{
    static bool on = true;
    return on;
}

// The part of a picture's stored pixels that shows as `upright` once turned by
// its orientation: Qt mirrors or flips first, then turns a quarter clockwise.
QRect StoredRect(QRect upright, QSize stored, QImageIOHandler::Transformations t)
{
    int x0 = upright.left(), x1 = upright.right() + 1, y0 = upright.top(), y1 = upright.bottom() + 1;
    if (t & QImageIOHandler::TransformationRotate90) {
        const int h = stored.height();
        const int nx0 = y0, nx1 = y1, ny0 = h - x1, ny1 = h - x0;
        x0 = nx0, x1 = nx1, y0 = ny0, y1 = ny1;
    }
    if (t & QImageIOHandler::TransformationMirror)
        std::tie(x0, x1) = std::pair(stored.width() - x1, stored.width() - x0);
    if (t & QImageIOHandler::TransformationFlip)
        std::tie(y0, y1) = std::pair(stored.height() - y1, stored.height() - y0);
    return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1)) & QRect(QPoint(0, 0), stored);
}

// Safe on any thread: every call has its own reader.
QImage Decode(const QString& path, QSize shown, QRect part)
{
    if (!shown.isEmpty() && fastPreviews()) {
        const QImage thumbnail = ExifThumbnail(path, shown);
        if (!thumbnail.isNull())
            return thumbnail.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    if (!shown.isEmpty()) {
        // A photo turned upright by its orientation tag is decoded lying down.
        const QSize wanted = turned ? shown.transposed() : shown;
        const QSize natural = reader.size();
        // Decoding smaller than shown would blur; larger gains nothing.
        if (natural.isValid() && (natural.width() > wanted.width() || natural.height() > wanted.height()))
            reader.setScaledSize(wanted);
    } else if (part.isValid() && fastPreviews()) {
        // Only what the frame shows: a JPEG decoder stops after the last row wanted.
        const QSize stored = reader.size();
        const QSize upright = turned ? stored.transposed() : stored;
        if (stored.isValid() && !part.contains(QRect(QPoint(0, 0), upright)))
            reader.setClipRect(StoredRect(part, stored, reader.transformation()));
    }
    return reader.read();
}

void Evict(Store& s)
{
    while (s.bytes > s.limit && s.entries.size() > 1) {
        auto oldest = s.entries.begin();
        for (auto it = s.entries.begin(); it != s.entries.end(); ++it)
            if (it->lastUse < oldest->lastUse)
                oldest = it;
        s.bytes -= oldest->image.sizeInBytes();
        s.entries.erase(oldest);
    }
}

void Insert(const QString& key, const Stamp& stamp, const QImage& image)
{
    Store& s = store();
    auto it = s.entries.find(key);
    if (it != s.entries.end()) {
        s.bytes -= it->image.sizeInBytes();
        s.entries.erase(it);
    }
    s.entries.insert(key, {stamp, image, ++s.clock});
    s.bytes += image.sizeInBytes();
    Evict(s);
}

}  // namespace

PictureCache& PictureCache::instance()
{
    static PictureCache cache;
    return cache;
}

void PictureCache::clear()
{
    store().entries.clear();
    store().bytes = 0;
}

void PictureCache::setLimit(qint64 bytes)
{
    store().limit = bytes;
    Evict(store());
}

qint64 PictureCache::bytes() const { return store().bytes; }

void PictureCache::setFastPreviews(bool on) { fastPreviews() = on; }

QImage PictureCache::load(const QString& path, QSize shown, QRect part)
{
    Stamp stamp;
    if (!StampOf(path, &stamp))
        return {};
    const QString key = Key(path, shown, part);
    if (enabled_) {
        auto it = store().entries.find(key);
        if (it != store().entries.end() && it->stamp == stamp) {
            ++hits_;
            it->lastUse = ++store().clock;
            return it->image;
        }
    }
    ++misses_;
    QImage image = Decode(path, shown, part);
    if (enabled_ && !image.isNull())
        Insert(key, stamp, image);
    return image;
}

void PictureCache::preload(const QList<Request>& requests)
{
    if (!enabled_)
        return;
    struct Job {
        QString key;
        Request request;
        Stamp stamp;
        QImage image;
    };
    std::vector<Job> jobs;
    for (const Request& r : requests) {
        Stamp stamp;
        if (!StampOf(r.path, &stamp))
            continue;
        const QString key = Key(r.path, r.shown);
        auto it = store().entries.constFind(key);
        if (it != store().entries.constEnd() && it->stamp == stamp)
            continue;
        bool queued = false;
        for (const Job& j : jobs)
            queued = queued || j.key == key;
        if (!queued)
            jobs.push_back({key, r, stamp, {}});
    }
    if (jobs.size() < 2)
        return;  // one picture: the load decodes it

    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i = next++; i < jobs.size(); i = next++)
            jobs[i].image = Decode(jobs[i].request.path, jobs[i].request.shown, QRect());
    };
    const size_t helpers = std::min<size_t>(size_t(std::max(1, QThread::idealThreadCount())), jobs.size()) - 1;
    std::vector<std::thread> pool;
    for (size_t i = 0; i < std::min<size_t>(helpers, 7); ++i)
        pool.emplace_back(work);
    work();
    for (std::thread& t : pool)
        t.join();

    for (const Job& j : jobs) {
        ++misses_;
        if (!j.image.isNull())
            Insert(j.key, j.stamp, j.image);
    }
}

}  // namespace toravi
