#include "support/testsupport.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <algorithm>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace toravi::test {

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    return f.write(bytes) == bytes.size();
}

namespace {
void be32(QByteArray& b, quint32 v)
{
    b.append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
}
void le16(QByteArray& b, quint32 v) { b.append(char(v)).append(char(v >> 8)); }
void le32(QByteArray& b, quint32 v) { le16(b, v); le16(b, v >> 16); }
QByteArray app1Segment(const QByteArray& app1)
{
    return QByteArray("\xFF\xE1", 2).append(char((app1.size() + 2) >> 8)).append(char((app1.size() + 2) & 0xFF)) + app1;
}
}  // namespace

QByteArray PngBytes(int width, int height, int bitDepth, int colourType)
{
    QByteArray b("\x89PNG\r\n\x1a\n", 8);
    be32(b, 13);
    b.append("IHDR");
    be32(b, quint32(width));
    be32(b, quint32(height));
    b.append(char(bitDepth)).append(char(colourType)).append('\0').append('\0').append('\0');
    be32(b, 0);  // CRC: not read
    return b;
}

QByteArray GifBytes(int width, int height, int packed)
{
    QByteArray b("GIF89a");
    le16(b, quint32(width));
    le16(b, quint32(height));
    b.append(char(packed)).append('\0').append('\0');
    return b;
}

QByteArray BmpBytes(int width, int height, int bpp)
{
    QByteArray b("BM");
    le32(b, 54);
    le32(b, 0);
    le32(b, 54);
    le32(b, 40);
    le32(b, quint32(width));
    le32(b, quint32(height));
    le16(b, 1);
    le16(b, quint32(bpp));
    for (int i = 0; i < 6; ++i)
        le32(b, 0);
    return b;
}

QByteArray JpegBytes(int width, int height, int components, int sof)
{
    QByteArray b("\xFF\xD8", 2);
    // APP0 (JFIF), 16 bytes.
    b.append("\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 18);
    // APP1 with a few bytes of payload.
    b.append("\xFF\xE1\x00\x08" "Exif", 8);
    b.append('\0').append('\0');
    b.append(char(0xFF)).append(char(sof));
    b.append('\0').append(char(8 + 3 * components));
    b.append(char(8));
    b.append(char(height >> 8)).append(char(height & 0xFF));
    b.append(char(width >> 8)).append(char(width & 0xFF));
    b.append(char(components));
    for (int i = 0; i < components; ++i)
        b.append(char(i + 1)).append(char(0x11)).append('\0');
    b.append("\xFF\xD9", 2);
    return b;
}

QByteArray ExifData(int orientation, bool big)
{
    QByteArray b("Exif\0\0", 6);
    auto u16 = [&b, big](quint32 v) { big ? b.append(char(v >> 8)).append(char(v)) : b.append(char(v)).append(char(v >> 8)); };
    auto u32 = [&u16, big](quint32 v) { u16(big ? v >> 16 : v), u16(big ? v : v >> 16); };
    b.append(big ? "MM" : "II");
    u16(42);
    u32(8);  // the first directory follows the header
    u16(2);
    u16(0x010F), u16(2), u32(4), b.append("Cam", 4);
    u16(orientation ? 0x0112 : 0x0110), u16(3), u32(1), u16(quint32(orientation)), u16(0);
    u32(0);  // no next directory
    return b;
}

QByteArray CameraJpegBytes(int width, int height, const QByteArray& app1)
{
    return QByteArray("\xFF\xD8", 2) + app1Segment(app1) + JpegBytes(width, height).mid(2);
}

QByteArray CameraPhotoBytes(const QImage& picture, int orientation, const QImage& thumbnail, int quality,
                            int app1Bytes)
{
    QByteArray jpeg, thumb;
    QBuffer jb(&jpeg), tb(&thumb);
    jb.open(QIODevice::WriteOnly);
    tb.open(QIODevice::WriteOnly);
    picture.save(&jb, "JPG", quality);
    thumbnail.save(&tb, "JPG", 80);
    // The first directory leads on to a second one, the thumbnail's, at 38.
    QByteArray app1 = ExifData(orientation);
    app1[6 + 34] = 38;
    auto u16 = [&app1](quint32 v) { app1.append(char(v)).append(char(v >> 8)); };
    auto u32 = [&u16](quint32 v) { u16(v), u16(v >> 16); };
    u16(2), u16(0x0201), u16(4), u32(1), u32(68), u16(0x0202), u16(4), u32(1), u32(quint32(thumb.size())), u32(0);
    app1 += thumb;
    app1.append(QByteArray(std::max<qsizetype>(0, app1Bytes - 4 - app1.size()), '\0'));
    return jpeg.insert(2, app1Segment(app1));
}

bool WriteRealPicture(const QString& path, int width, int height, unsigned rgb)
{
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(QColor::fromRgb(rgb));
    return img.save(path);
}

QString DataFolder() { return QString::fromLocal8Bit(qgetenv("TORAVI_TEST_DATA")); }

QString MakePipe(const QString& folder)
{
#ifdef Q_OS_WIN
    static int count = 0;
    const QString name = QStringLiteral("\\\\.\\pipe\\toravi-test-%1-%2").arg(GetCurrentProcessId()).arg(++count);
    const HANDLE pipe = CreateNamedPipeW(reinterpret_cast<const wchar_t*>(name.utf16()), PIPE_ACCESS_INBOUND,
                                         PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 0, 0, nullptr);
    Q_UNUSED(folder);
    return pipe == INVALID_HANDLE_VALUE ? QString() : name;
#else
    const QString path = folder + QStringLiteral("/fifo");
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 ? path : QString();
#endif
}

}  // namespace toravi::test
