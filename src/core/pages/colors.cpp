#include "pages/colors.h"

#include "platform/platform.h"

namespace toravi {

QString EncodeWebColor(quint32 value)
{
    QString hex = QString::number(value & 0xFFFFFFu, 16).toUpper();
    hex = hex.rightJustified(6, QLatin1Char('0'));
    return hex.mid(4, 2) + hex.mid(2, 2) + hex.mid(0, 2);
}

static quint32 leadingHex(const QString& pair)
{
    quint32 v = 0;
    for (QChar c : pair) {
        int d = QStringLiteral("0123456789ABCDEF").indexOf(c.toUpper());
        if (d < 0 || c.unicode() > 127)
            break;
        v = v * 16 + quint32(d);
    }
    return v;
}

quint32 DecodeWebColor(const QString& text)
{
    quint32 red = leadingHex(text.mid(0, 2));
    quint32 green = leadingHex(text.mid(2, 2));
    quint32 blue = leadingHex(text.right(2));
    return red + 256 * green + 256 * 256 * blue;
}

void PickColor(Platform& platform, QString& setting)
{
    setting = EncodeWebColor(platform.chooseColor(DecodeWebColor(setting)));
}

QString PlacementToFrench(const QString& stored)
{
    if (stored == QLatin1String("left"))
        return QStringLiteral("gauche");
    if (stored == QLatin1String("center"))
        return QStringLiteral("centré");
    if (stored == QLatin1String("right"))
        return QStringLiteral("droite");
    return {};
}

QString PlacementFromFrench(const QString& item)
{
    if (item == QLatin1String("gauche"))
        return QStringLiteral("left");
    if (item == QStringLiteral("centré"))
        return QStringLiteral("center");
    if (item == QLatin1String("droite"))
        return QStringLiteral("right");
    return {};
}

QStringList PlacementItems() { return {QStringLiteral("gauche"), QStringLiteral("centré"), QStringLiteral("droite")}; }
QStringList TooltipBaloonSizes() { return {"10", "12", "14", "16"}; }
QStringList TooltipTitleSizes() { return {"3", "4", "5", "6"}; }
QStringList DragDropTextSizes() { return {"10", "12", "14", "16"}; }
QStringList DragDropTitleSizes() { return {"12", "14", "16", "18", "20", "22", "24", "26", "28", "30"}; }

}  // namespace toravi
