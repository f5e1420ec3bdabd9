#pragma once
// Pictures decoded at the size they are shown, reused while the file is unchanged
// (same path, size and modification time): refreshes reload the same pictures
// again and again, and teachers' photos take long to decode at full size.
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

namespace toravi {

class PictureCache {
public:
    struct Request {
        QString path;
        QSize shown;
    };

    // `shown` is the size the picture is drawn at; an empty size means its natural
    // size, of which only `part` (when given) is decoded and returned. A small
    // size comes from a camera's thumbnail when it is large enough. A missing or
    // unreadable file gives a null image.
    QImage load(const QString& path, QSize shown = QSize(), QRect part = QRect());
    // Decodes the requested pictures that are not cached yet, several at once on
    // the machine's cores, and returns when all are done; the loads that follow
    // then find them. Used where a window shows many pictures at a time.
    void preload(const QList<Request>& requests);

    void setEnabled(bool on) { enabled_ = on; }  // benchmarks compare both
    // Thumbnails and partial decodes; off, every picture is decoded whole (benchmarks compare both).
    static void setFastPreviews(bool on);
    // Decoded pictures are kept up to this many bytes; the least recently used go first.
    void setLimit(qint64 bytes);
    void clear();
    int hits() const { return hits_; }
    int misses() const { return misses_; }
    qint64 bytes() const;

    static PictureCache& instance();

private:
    bool enabled_ = true;
    int hits_ = 0;
    int misses_ = 0;
};

}  // namespace toravi
