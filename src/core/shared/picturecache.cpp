#include "shared/picturecache.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QImageIOHandler>
#include <QImageReader>
#include <QThread>
#include <atomic>
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

QString Key(const QString& path, QSize shown)
{
    return path + QChar(0) + (shown.isEmpty() ? QString() : QStringLiteral("%1x%2").arg(shown.width()).arg(shown.height()));
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

// Safe on any thread: every call has its own reader.
QImage Decode(const QString& path, QSize shown)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (!shown.isEmpty()) {
        // A photo turned upright by its orientation tag is decoded lying down.
        const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
        const QSize wanted = turned ? shown.transposed() : shown;
        const QSize natural = reader.size();
        // Decoding smaller than shown would blur; larger gains nothing.
        if (natural.isValid() && (natural.width() > wanted.width() || natural.height() > wanted.height()))
            reader.setScaledSize(wanted);
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

QImage PictureCache::load(const QString& path, QSize shown)
{
    Stamp stamp;
    if (!StampOf(path, &stamp))
        return {};
    const QString key = Key(path, shown);
    if (enabled_) {
        auto it = store().entries.find(key);
        if (it != store().entries.end() && it->stamp == stamp) {
            ++hits_;
            it->lastUse = ++store().clock;
            return it->image;
        }
    }
    ++misses_;
    QImage image = Decode(path, shown);
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
            jobs[i].image = Decode(jobs[i].request.path, jobs[i].request.shown);
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
