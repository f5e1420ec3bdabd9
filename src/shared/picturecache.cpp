#include "shared/picturecache.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

namespace toravi {

namespace {
// Per path: the file's size and modification time when decoded, then the
// decoded pictures by shown size.
using Stamp = QPair<qint64, qint64>;
using Decoded = QHash<quint64, QImage>;
}  // namespace

static QHash<QString, QPair<Stamp, Decoded>>& store()
{
    static QHash<QString, QPair<Stamp, Decoded>> s;
    return s;
}

PictureCache& PictureCache::instance()
{
    static PictureCache cache;
    return cache;
}

void PictureCache::clear() { store().clear(); }

QImage PictureCache::load(const QString& path, QSize shown)
{
    QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return {};
    const qint64 size = info.size();
    const qint64 mtime = info.lastModified().toMSecsSinceEpoch();
    const quint64 sizeKey = shown.isEmpty() ? 0 : (quint64(quint32(shown.width())) << 32) | quint32(shown.height());

    if (enabled_) {
        auto it = store().find(path);
        if (it != store().end()) {
            if (it->first == qMakePair(size, mtime)) {
                auto hit = it->second.constFind(sizeKey);
                if (hit != it->second.constEnd()) {
                    ++hits_;
                    return *hit;
                }
            } else {
                store().erase(it);
            }
        }
    }
    ++misses_;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (!shown.isEmpty()) {
        const QSize natural = reader.size();
        // Decoding smaller than shown would blur; larger gains nothing.
        if (natural.isValid() && (natural.width() > shown.width() || natural.height() > shown.height()))
            reader.setScaledSize(shown);
    }
    QImage image = reader.read();
    if (enabled_ && !image.isNull()) {
        auto& entry = store()[path];
        entry.first = qMakePair(size, mtime);
        entry.second.insert(sizeKey, image);
    }
    return image;
}

}  // namespace toravi
