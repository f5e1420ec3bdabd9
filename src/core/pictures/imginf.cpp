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

// A TIFF structure whose header lies at t, read no further than end: the files
// of scanners, and the EXIF blocks of photos. Offsets count from t. Like the
// browsers, only the first directory is looked at, walked once.
struct TiffDir {
    TiffDir(ByteSource& source, std::int64_t at, std::int64_t limit) : f(source), t(at), end(limit)
    {
        if (t + 8 > end || f.at(t) != f.at(t + 1) || (f.at(t) != 'I' && f.at(t) != 'M'))
            return;
        big = f.at(t) == 'M';
        ok = u16(2) == 42;
        const std::int64_t ifd = u32(4);
        if (!ok || t + ifd + 2 > end)
            return;
        const std::uint32_t count = u16(ifd);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::int64_t e = ifd + 2 + 12 * std::int64_t(i);
            if (t + e + 12 > end || !f.has(t + e + 11))
                break;
            for (int k = 0; k < kTags; ++k)
                if (u16(e) == kTag[k] && where[k] < 0)
                    where[k] = e;
        }
    }
    std::uint32_t u16(std::int64_t p)
    {
        p += t;
        return big ? std::uint32_t(f.at(p) << 8 | f.at(p + 1)) : std::uint32_t(f.at(p + 1) << 8 | f.at(p));
    }
    std::uint32_t u32(std::int64_t p) { return big ? u16(p) << 16 | u16(p + 2) : u16(p + 2) << 16 | u16(p); }
    // Where the first entry of `tag` lies, or -1.
    std::int64_t entry(std::uint32_t tag) const
    {
        for (int k = 0; k < kTags; ++k)
            if (kTag[k] == tag)
                return where[k];
        return -1;
    }
    // The first value of a SHORT or LONG entry, or `otherwise`.
    std::uint32_t value(std::uint32_t tag, std::uint32_t otherwise)
    {
        const std::int64_t e = entry(tag);
        const std::uint32_t type = e < 0 ? 0 : u16(e + 2), size = type == 3 ? 2 : type == 4 ? 4 : 0;
        if (size == 0 || u32(e + 4) == 0)
            return otherwise;
        const std::int64_t at = u32(e + 4) * size <= 4 ? e + 8 : std::int64_t(u32(e + 8));
        return size == 2 ? u16(at) : u32(at);
    }

    // Width, height, bits per sample, compression, photometric, orientation, samples per pixel.
    static constexpr int kTags = 7;
    static constexpr std::uint32_t kTag[kTags] = {256, 257, 258, 259, 262, 0x0112, 277};
    ByteSource& f;
    std::int64_t t, end;
    bool big = false, ok = false;
    std::int64_t where[kTags] = {-1, -1, -1, -1, -1, -1, -1};
};

// The orientation (1 to 8) a directory gives, or 0 when it has no usable entry:
// one SHORT value, which sits in the first two bytes of the value field.
int Orientation(TiffDir dir)
{
    const std::int64_t e = dir.entry(0x0112);
    if (e < 0 || dir.u16(e + 2) != 3 || dir.u32(e + 4) != 1)
        return 0;
    const std::uint32_t v = dir.u16(e + 8);
    return v >= 1 && v <= 8 ? int(v) : 1;
}

bool Is(ByteSource& f, std::int64_t at, const char* text, int n)
{
    for (int i = 0; i < n; ++i)
        if (f.at(at + i) != std::uint8_t(text[i]))
            return false;
    return true;
}

// The orientation in an APP1 segment's data [d, end), or 0 when it holds no
// "Exif" block or no usable orientation entry.
int ExifOrientation(ByteSource& f, std::int64_t d, std::int64_t end)
{
    return Is(f, d, "Exif\0\0", 6) ? Orientation(TiffDir(f, d + 6, end)) : 0;
}

std::uint32_t LittleEndian(ByteSource& f, std::int64_t at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | f.at(at + i);
    return v;
}

bool IsWebp(ByteSource& f) { return Is(f, 0, "RIFF", 4) && Is(f, 8, "WEBP", 4); }
bool IsTiff(ByteSource& f) { return Is(f, 0, "II*\0", 4) || Is(f, 0, "MM\0*", 4); }

// Pictures Toravi knows by their header but does not read.
const char* OtherFormat(ByteSource& f)
{
    if (Is(f, 4, "ftyp", 4)) {
        // An ISO container: its brands say which pictures it holds.
        const std::uint32_t size = std::uint32_t(f.at(0)) << 24 | f.at(1) << 16 | f.at(2) << 8 | f.at(3);
        const std::uint32_t box = std::min<std::uint32_t>(size, 256);
        int found = 0;  // 3 AVIF, 2 HEIC, 1 HEIF
        for (std::int64_t p = 8; p + 4 <= box; p += p == 8 ? 8 : 4) {
            for (const char* b : {"avif", "avis"})
                found = Is(f, p, b, 4) ? 3 : found;
            for (const char* b : {"heic", "heix", "heim", "heis", "hevc", "hevx"})
                found = Is(f, p, b, 4) ? std::max(found, 2) : found;
            for (const char* b : {"mif1", "msf1"})
                found = Is(f, p, b, 4) ? std::max(found, 1) : found;
        }
        return found == 3 ? "AVIF" : found == 2 ? "HEIC" : found == 1 ? "HEIF" : nullptr;
    }
    if (Is(f, 0, "\xFF\x0A", 2) || Is(f, 4, "JXL ", 4))
        return "JPEG XL";
    if (Is(f, 4, "jP  ", 4) || Is(f, 0, "\xFF\x4F\xFF\x51", 4))
        return "JPEG 2000";
    if (Is(f, 0, "8BPS", 4))
        return "PSD";
    return nullptr;
}

}  // namespace

ImageInfo ReadWebpHeader(ByteSource& f)
{
    ImageInfo r;
    std::uint32_t w = 0, h = 0;
    if (Is(f, 12, "VP8 ", 4)) {
        if (!Is(f, 23, "\x9D\x01\x2A", 3))
            return fail();
        w = LittleEndian(f, 26, 2) & 0x3FFF;
        h = LittleEndian(f, 28, 2) & 0x3FFF;
    } else if (Is(f, 12, "VP8L", 4)) {
        if (f.at(20) != 0x2F)
            return fail();
        const std::uint32_t bits = LittleEndian(f, 21, 4);
        w = (bits & 0x3FFF) + 1;
        h = (bits >> 14 & 0x3FFF) + 1;
        r.Alpha = bits >> 28 & 1;
        r.Drawing = true;
    } else if (Is(f, 12, "VP8X", 4)) {
        const std::uint8_t flags = f.at(20);
        w = LittleEndian(f, 24, 3) + 1;
        h = LittleEndian(f, 27, 3) + 1;
        r.Alpha = flags & 0x10;
        r.Animated = r.Drawing = flags & 0x02;
        // The chunks that follow say whether the picture is lossless, and hold its EXIF block.
        std::int64_t p = 30;
        for (int i = 0; i < 64 && f.has(p + 8); ++i) {
            const std::int64_t size = LittleEndian(f, p + 4, 4), d = p + 8;
            if (Is(f, p, "VP8L", 4))
                r.Drawing = true;
            if (Is(f, p, "EXIF", 4) && (flags & 0x08))  // some writers keep the "Exif" of JPEG before it
                r.Orientation = std::uint8_t(Orientation(TiffDir(f, Is(f, d, "Exif", 4) ? d + 6 : d, d + size)));
            p = d + size + (size & 1);
        }
    } else {
        return fail();
    }
    if (w > 32767 || h > 32767)
        return fail();
    r.Width = std::int32_t(r.Orientation >= 5 ? h : w);
    r.Height = std::int32_t(r.Orientation >= 5 ? w : h);
    r.Depth = r.Alpha ? 32 : 24;
    r.ImageType = IMG_WEBP;
    return r;
}

ImageInfo ReadTiffHeader(ByteSource& f)
{
    TiffDir dir(f, 0, std::int64_t(1) << 40);
    const std::uint32_t w = dir.value(256, 0), h = dir.value(257, 0), bits = dir.value(258, 1),
                        compression = dir.value(259, 1), photometric = dir.value(262, 0xFFFF),
                        samples = dir.value(277, 1);
    // What Qt's TIFF reader decodes alike on every platform: no JPEG inside (Qt's own
    // libtiff has none), no CMYK but at 8 bits (its RGBA reader refuses the others).
    static const std::uint32_t kCompressions[] = {1, 2, 3, 4, 5, 8, 32773, 32946};
    const std::uint32_t colours = photometric == 2 || photometric == 6 ? 3 : photometric == 5 ? 4 : 1;
    const bool kind =
        photometric <= 2 || (photometric == 3 && bits <= 8) || (photometric >= 5 && photometric <= 6 && bits == 8);
    if (!dir.ok || !kind || w == 0 || h == 0 || w > 32767 || h > 32767 || bits == 0 || (bits & (bits - 1)) != 0 ||
        bits > 16 || samples < colours || bits * samples > 255 ||
        std::find(std::begin(kCompressions), std::end(kCompressions), compression) == std::end(kCompressions))
        return fail();
    ImageInfo r;
    r.Orientation = std::uint8_t(Orientation(dir));
    r.Width = std::int32_t(r.Orientation >= 5 ? h : w);
    r.Height = std::int32_t(r.Orientation >= 5 ? w : h);
    r.Depth = std::uint8_t(bits * samples);
    r.Alpha = samples > colours;
    r.Drawing = photometric == 3 || bits < 8;
    r.ImageType = IMG_TIFF;
    return r;
}

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
    const bool webp = IsWebp(f), tiff = IsTiff(f);
    if (webp)
        take(ReadWebpHeader(f));
    if (tiff)
        take(ReadTiffHeader(f));
    // A file of another known kind is no JPEG, whatever stream it holds inside.
    if (result.ImageType == IMG_FAIL && !webp && !tiff && !OtherFormat(f)) {
        std::int64_t s = FindJpegStart(f);
        if (s != -1)
            take(ReadJpegHeader(f, s));
    }
    if (f.failed())
        return ImageInfo{};
    return result;
}

QString UnreadFormatName(const QString& path)
{
    using namespace imginf;
    RawFile file(path);
    if (path.isEmpty() || !file.isOpen())
        return {};
    ByteSource f(file);
    if (IsWebp(f))
        return QStringLiteral("WebP");
    if (IsTiff(f))
        return QStringLiteral("TIFF");
    if (const char* name = OtherFormat(f))
        return QString::fromLatin1(name);
    // Drawings from the web: text, whose start names the format.
    std::int64_t got = 0;
    const std::uint8_t* head = f.window(0, 1024, got);
    if (head && QByteArray::fromRawData(reinterpret_cast<const char*>(head), got).contains("<svg"))
        return QStringLiteral("SVG");
    return {};
}

PictureSize GetPictureSize(const QString& path)
{
    ImageInfo info = GetImageInfo(path);
    if (info.ImageType == IMG_FAIL)
        return {QStringLiteral("0"), QStringLiteral("0")};
    return {QString::number(info.Width), QString::number(info.Height)};
}

}  // namespace toravi
