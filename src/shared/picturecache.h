#pragma once
// Pictures decoded at the size they are shown, reused while the file is unchanged
// (same path, size and modification time): refreshes reload the same pictures
// again and again, and teachers' photos take long to decode at full size.
#include <QImage>
#include <QSize>
#include <QString>

namespace toravi {

class PictureCache {
public:
    // `shown` is the size the picture is drawn at; an empty size means its natural
    // size. A missing or unreadable file gives a null image.
    QImage load(const QString& path, QSize shown = QSize());
    void setEnabled(bool on) { enabled_ = on; }  // benchmarks compare both
    void clear();
    int hits() const { return hits_; }
    int misses() const { return misses_; }

    static PictureCache& instance();

private:
    bool enabled_ = true;
    int hits_ = 0;
    int misses_ = 0;
};

}  // namespace toravi
