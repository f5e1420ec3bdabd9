#pragma once
// Helpers shared by the tests: scratch folders, file bytes, pictures built byte by byte.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

namespace toravi::test {

QByteArray ReadBytes(const QString& path);
bool WriteBytes(const QString& path, const QByteArray& bytes);

// Minimal picture files whose headers give the size asked for.
QByteArray PngBytes(int width, int height, int bitDepth = 8, int colourType = 6);
QByteArray GifBytes(int width, int height, int packed = 0xF7);
QByteArray BmpBytes(int width, int height, int bitsPerPixel = 24);
// A JPEG with an APP0 and an APP1 segment before its frame (SOF0 by default).
QByteArray JpegBytes(int width, int height, int components = 3, int sofMarker = 0xC0);
// The data of an APP1 "Exif" segment: TIFF header ("II" or "MM"), then a first
// directory of two entries, a camera make and, at data offset 28, the orientation
// (a model entry instead when `orientation` is 0).
QByteArray ExifData(int orientation, bool bigEndian = false);
// A JPEG as cameras write it: an APP1 segment holding `app1` right after the start.
QByteArray CameraJpegBytes(int width, int height, const QByteArray& app1);

// A real camera photo: `picture` as a JPEG whose APP1 block, right after the
// start, holds the EXIF orientation and `thumbnail` as the camera's thumbnail,
// padded to `app1Bytes` when that is larger.
QByteArray CameraPhotoBytes(const QImage& picture, int orientation, const QImage& thumbnail, int quality = 90,
                            int app1Bytes = 0);

// A real picture that Qt can decode (PNG), of the given size and colour.
bool WriteRealPicture(const QString& path, int width, int height, unsigned rgb = 0x3366CC);

// The data folder of the tests' fixed files.
QString DataFolder();

// A named pipe that nobody writes to, for the checks that must never wait on one:
// a FIFO in `folder`, or on Windows a pipe of the system's (\\.\pipe\...) kept
// open until the test ends. Empty when it could not be made.
QString MakePipe(const QString& folder);

}  // namespace toravi::test
