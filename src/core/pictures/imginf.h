#pragma once
// Picture sizes from file headers, without decoding: PNG, GIF, JPEG, BMP, WebP
// and TIFF. Sizes are as displayed: a picture whose orientation turns it a
// quarter (5 to 8) gives its width and height swapped, as it is shown upright.
#include <QString>
#include <cstdint>

namespace toravi {

enum ImageType : std::uint8_t {
    IMG_NONE = 0, IMG_PNG = 1, IMG_GIF = 2, IMG_JPG = 3, IMG_BMP = 4, IMG_WEBP = 5, IMG_TIFF = 6, IMG_FAIL = 255
};

struct ImageInfo {
    std::uint8_t ImageType = IMG_FAIL;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::uint8_t Depth = 0;
    // What decides how a page gets a WebP or TIFF picture; unset for the others.
    bool Alpha = false;           // may hold transparency
    bool Drawing = false;         // lossless WebP, palette or two-colour TIFF
    bool Animated = false;        // a WebP animation: its first frame is the picture
    std::uint8_t Orientation = 0; // 1 to 8 when the file says it (0: it does not)
};

// A WebP or TIFF is a picture only in the kinds that Toravi reads the same way
// on every platform: a TIFF compressed in JPEG or in CMYK at 16 bits is none.
ImageInfo GetImageInfo(const QString& path);

// The name of the picture format a file's header gives when GetImageInfo cannot
// read it ("HEIC", "AVIF", "TIFF"...), or "" when it is none that Toravi knows.
QString UnreadFormatName(const QString& path);

// The two texts of a picture's size: width and height in decimal, "0" and "0"
// when the picture cannot be read. Each module stores them in its own state.
struct PictureSize {
    QString largeur;
    QString hauteur;
};
PictureSize GetPictureSize(const QString& path);

namespace imginf {
class ByteSource;
// The readers, exposed for the tests; they read positioned bytes of an open file.
ImageInfo ReadPngHeader(ByteSource& f);
ImageInfo ReadGifHeader(ByteSource& f);
ImageInfo ReadBmpHeader(ByteSource& f);
std::int64_t FindJpegStart(ByteSource& f);
ImageInfo ReadWebpHeader(ByteSource& f);
ImageInfo ReadTiffHeader(ByteSource& f);
ImageInfo ReadJpegHeader(ByteSource& f, std::int64_t start);
// Two bytes to a signed 16-bit value; false when `high` is 128 or more.
bool MakeWord(std::uint8_t low, std::uint8_t high, std::int32_t& value);
}  // namespace imginf

}  // namespace toravi
