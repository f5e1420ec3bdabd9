#include "pictures/imginf.h"

#include "files/fileaccess.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

namespace toravi::imginf {

// Positioned reads through a window buffer, so that walking or searching the
// file costs one system call per window, not per byte. Bytes beyond the end of
// the file read as 0. The file's length is learnt from a short read, so most
// pictures need no more than the first one.
class ByteSource {
public:
    explicit ByteSource(RawFile& file) : file_(file) { load(0, kSmallWindow); }
    bool failed() const { return failed_; }

    // Whether the file reaches pos.
    bool has(std::int64_t pos)
    {
        if (pos < 0)
            return false;
        if (size_ < 0 && !inBuffer(pos))
            load(pos, kSmallWindow);
        return size_ >= 0 ? pos < size_ : inBuffer(pos);
    }

    std::uint8_t at(std::int64_t pos)
    {
        if (!inBuffer(pos) && has(pos) && !inBuffer(pos))
            load(pos, kSmallWindow);
        return inBuffer(pos) ? data_[pos - start_] : 0;
    }

    // [pos, pos + len) or what of it the file has, loaded unless it already is.
    const std::uint8_t* window(std::int64_t pos, std::int64_t len, std::int64_t& got)
    {
        const std::int64_t end = start_ + count_;
        if (!(pos >= start_ && pos <= end && (pos + len <= end || end == size_)))
            load(pos, len);
        got = inBuffer(pos) ? std::min(len, start_ + count_ - pos) : 0;
        return got > 0 ? data_ + (pos - start_) : nullptr;
    }

private:
    // Big enough for the headers of most pictures, small enough to cost little more than the call.
    static constexpr std::int64_t kSmallWindow = 4096;

    bool inBuffer(std::int64_t pos) const { return pos >= start_ && pos - start_ < count_; }

    void load(std::int64_t pos, std::int64_t len)
    {
        start_ = pos;
        count_ = 0;
        if (size_ >= 0)
            len = std::max<std::int64_t>(0, std::min(len, size_ - pos));
        if (len <= kSmallWindow) {
            data_ = small_;
        } else {
            // Larger windows only for the search through files that hold no picture at their start.
            if (len > bigSize_) {
                big_.reset(new std::uint8_t[size_t(len)]);
                bigSize_ = len;
            }
            data_ = big_.get();
        }
        const std::int64_t n = len > 0 ? file_.readAt(pos, data_, len) : 0;
        if (n < 0) {
            failed_ = true;
            size_ = 0;
            return;
        }
        count_ = n;
        // A read that stops short ends at the file's end, unless it started past it.
        if (n < len && size_ < 0)
            size_ = n > 0 || pos == 0 ? pos + n : file_.size();
    }

    RawFile& file_;
    std::int64_t size_ = -1;  // unknown until a read comes back short
    std::int64_t start_ = 0;
    std::int64_t count_ = 0;  // bytes at data_
    std::uint8_t* data_ = small_;
    std::uint8_t small_[kSmallWindow];
    std::unique_ptr<std::uint8_t[]> big_;
    std::int64_t bigSize_ = 0;
    bool failed_ = false;
};

bool MakeWord(std::uint8_t low, std::uint8_t high, std::int32_t& value)
{
    if (high >= 128)
        return false;
    value = high * 256 + low;
    return true;
}

namespace {
ImageInfo fail() { return ImageInfo{}; }
}  // namespace

ImageInfo ReadPngHeader(ByteSource& f)
{
    ImageInfo r;
    if (!MakeWord(f.at(19), f.at(18), r.Width) || !MakeWord(f.at(23), f.at(22), r.Height))
        return fail();
    int bits = f.at(24);
    int depth;
    switch (f.at(25)) {
    case 0: depth = bits; break;
    case 2: depth = 3 * bits; break;
    case 3: depth = 8; break;
    case 4: depth = 2 * bits; break;
    case 6: depth = 4 * bits; break;
    default: return fail();
    }
    if (depth > 255)
        return fail();
    r.Depth = std::uint8_t(depth);
    r.ImageType = IMG_PNG;
    return r;
}

ImageInfo ReadGifHeader(ByteSource& f)
{
    ImageInfo r;
    if (!MakeWord(f.at(6), f.at(7), r.Width) || !MakeWord(f.at(8), f.at(9), r.Height))
        return fail();
    r.Depth = std::uint8_t((f.at(10) & 7) + 1);
    r.ImageType = IMG_GIF;
    return r;
}

ImageInfo ReadBmpHeader(ByteSource& f)
{
    ImageInfo r;
    if (!MakeWord(f.at(18), f.at(19), r.Width) || !MakeWord(f.at(22), f.at(23), r.Height))
        return fail();
    r.Depth = f.at(28);
    r.ImageType = IMG_BMP;
    return r;
}

std::int64_t FindJpegStart(ByteSource& f)
{
    // The start is nearly always at 0, already read: look there before reading more.
    constexpr std::int64_t kLargestWindow = 1 << 20;
    std::int64_t len = 4096;
    std::int64_t p = 0;
    for (;;) {
        std::int64_t got = 0;
        const std::uint8_t* data = f.window(p, len, got);
        if (f.failed() || got < 3)
            return -1;
        const std::uint8_t* cur = data;
        const std::uint8_t* last = data + got - 2;  // a run starting here still fits
        while (cur < last) {
            auto* hit = static_cast<const std::uint8_t*>(std::memchr(cur, 0xFF, size_t(last - cur)));
            if (!hit)
                break;
            if (hit[1] == 0xD8 && hit[2] == 0xFF)
                return p + (hit - data);
            cur = hit + 1;
        }
        if (got < len)
            return -1;  // the file ends in this window
        // The last two bytes may start a run: the next window begins with them.
        p += got - 2;
        len = std::min(len * 16, kLargestWindow);
    }
}

namespace {

// The orientation (1 to 8) in an APP1 segment's data [d, end), or 0 when it holds
// no "Exif" block or no usable orientation entry. Like the browsers, only the first
// directory is looked at, and nothing is read outside the segment.
int ExifOrientation(ByteSource& f, std::int64_t d, std::int64_t end)
{
    static const char kExif[] = {'E', 'x', 'i', 'f', 0, 0};
    const std::int64_t t = d + 6;  // offsets below count from the TIFF header
    if (t + 8 > end)
        return 0;
    for (int i = 0; i < 6; ++i)
        if (f.at(d + i) != std::uint8_t(kExif[i]))
            return 0;
    bool big;
    if (f.at(t) == 'I' && f.at(t + 1) == 'I')
        big = false;
    else if (f.at(t) == 'M' && f.at(t + 1) == 'M')
        big = true;
    else
        return 0;
    auto u16 = [&](std::int64_t p) {
        return big ? std::uint32_t(f.at(p) << 8 | f.at(p + 1)) : std::uint32_t(f.at(p + 1) << 8 | f.at(p));
    };
    auto u32 = [&](std::int64_t p) {
        return big ? u16(p) << 16 | u16(p + 2) : u16(p + 2) << 16 | u16(p);
    };
    if (u16(t + 2) != 42)
        return 0;
    const std::int64_t ifd = t + std::int64_t(u32(t + 4));
    if (ifd + 2 > end)
        return 0;
    const std::uint32_t count = u16(ifd);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::int64_t e = ifd + 2 + 12 * std::int64_t(i);
        if (e + 12 > end)
            return 0;
        // A SHORT, one value, which sits in the first two bytes of the value field.
        if (u16(e) == 0x0112 && u16(e + 2) == 3 && u32(e + 4) == 1) {
            const std::uint32_t v = u16(e + 8);
            return v >= 1 && v <= 8 ? int(v) : 1;
        }
    }
    return 0;
}

}  // namespace

ImageInfo ReadJpegHeader(ByteSource& f, std::int64_t start)
{
    std::int64_t q = start + 2;
    if (!f.has(q))
        return fail();
    int orientation = 0;
    for (;;) {
        std::uint8_t m = f.at(q);
        if (m != 0xFF) {
            if (m >= 0xC0 && m <= 0xC3) {
                ImageInfo r;
                if (!MakeWord(f.at(q + 5), f.at(q + 4), r.Height) || !MakeWord(f.at(q + 7), f.at(q + 6), r.Width))
                    return fail();
                int depth = 8 * f.at(q + 8);
                if (depth > 255)
                    return fail();
                // Orientations 5 to 8 turn the picture a quarter: browsers show it that way.
                if (orientation >= 5)
                    std::swap(r.Width, r.Height);
                r.Depth = std::uint8_t(depth);
                r.ImageType = IMG_JPG;
                return r;
            }
            // A segment's length is a length, 0 to 65535, not a size: phones write
            // EXIF blocks of 32 KiB and more.
            const std::int64_t length = std::int64_t(f.at(q + 1)) << 8 | f.at(q + 2);
            if (m == 0xE1 && orientation == 0)
                orientation = ExifOrientation(f, q + 3, q + 1 + length);
            q += length;
        }
        q += 1;
        if (!f.has(q))
            return fail();
    }
}

}  // namespace toravi::imginf

namespace toravi {

ImageInfo GetImageInfo(const QString& path)
{
    using namespace imginf;
    ImageInfo result;
    if (path.isEmpty())
        return result;
    RawFile file(path);
    if (!file.isOpen())
        return result;
    ByteSource f(file);
    const std::uint8_t b0 = f.at(0), b1 = f.at(1), b2 = f.at(2);
    auto take = [&](const ImageInfo& r) {
        if (r.ImageType != IMG_FAIL)
            result = r;
    };
    if (b0 == 0x89 && b1 == 'P' && b2 == 'N')
        take(ReadPngHeader(f));
    if (b0 == 'G' && b1 == 'I' && b2 == 'F')
        take(ReadGifHeader(f));
    if (b0 == 'B' && b1 == 'M')
        take(ReadBmpHeader(f));
    if (result.ImageType == IMG_FAIL) {
        std::int64_t s = FindJpegStart(f);
        if (s != -1)
            take(ReadJpegHeader(f, s));
    }
    if (f.failed())
        return ImageInfo{};
    return result;
}

PictureSize GetPictureSize(const QString& path)
{
    ImageInfo info = GetImageInfo(path);
    if (info.ImageType == IMG_FAIL)
        return {QStringLiteral("0"), QStringLiteral("0")};
    return {QString::number(info.Width), QString::number(info.Height)};
}

}  // namespace toravi
