// libFuzzer target: any bytes as a picture file.
#include "pictures/imginf.h"

#include <QFile>
#include <QString>
#include <cstdint>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    static const QString path = QStringLiteral("/tmp/toravi-fuzz-imginf-%1.bin").arg(::getpid());
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const toravi::ImageInfo info = toravi::GetImageInfo(path);
    if (info.ImageType != toravi::IMG_FAIL && (info.Width < 0 || info.Width > 32767 || info.Height < 0 ||
                                               info.Height > 32767))
        __builtin_trap();
    return 0;
}
