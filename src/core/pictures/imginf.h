#pragma once
// Picture sizes from file headers, without decoding: PNG, GIF, JPEG, BMP.
// Sizes are as displayed: a JPEG whose EXIF orientation turns it a quarter
// (5 to 8) gives its width and height swapped, as browsers draw it upright.
#include <QString>
#include <cstdint>

namespace toravi {

enum ImageType : std::uint8_t { IMG_NONE = 0, IMG_PNG = 1, IMG_GIF = 2, IMG_JPG = 3, IMG_BMP = 4, IMG_FAIL = 255 };

struct ImageInfo {
    std::uint8_t ImageType = IMG_FAIL;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::uint8_t Depth = 0;
};

ImageInfo GetImageInfo(const QString& path);

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
ImageInfo ReadJpegHeader(ByteSource& f, std::int64_t start);
// Two bytes to a signed 16-bit value; false when `high` is 128 or more.
bool MakeWord(std::uint8_t low, std::uint8_t high, std::int32_t& value);
}  // namespace imginf

}  // namespace toravi
