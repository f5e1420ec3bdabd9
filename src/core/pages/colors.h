#pragma once
// Textual forms of colours, switches, styles, placements and sizes.
#include <QString>
#include <QStringList>

namespace toravi {

class Platform;

// Colour values are 0x00BBGGRR; colour texts are "RRGGBB", upper case, no "#".
QString EncodeWebColor(quint32 value);
quint32 DecodeWebColor(const QString& text);

// Opens the colour dialog preset on the setting's colour and stores the choice
// (the preset again when cancelled). The caller refreshes its window afterwards.
void PickColor(Platform& platform, QString& setting);

namespace words {
inline const QString VraiCap = QStringLiteral("Vrai");
inline const QString FauxCap = QStringLiteral("Faux");
inline const QString vrai = QStringLiteral("vrai");
inline const QString faux = QStringLiteral("faux");

inline const QString bold = QStringLiteral("bold");
inline const QString italic = QStringLiteral("italic");
inline const QString underlined = QStringLiteral("underlined");

inline const QString cssBold = QStringLiteral("font-weight:bold;");
inline const QString cssItalic = QStringLiteral("font-style:italic;");
inline const QString cssUnderline = QStringLiteral("text-decoration:underline;");
}  // namespace words

// "Adapter la page à l'écran": on unless the project says "faux", so that a
// project without the line fits. Its file line is written only when off.
inline bool FitsScreen(const QString& word) { return word != words::faux; }
inline QString FitWord(bool on) { return on ? words::vrai : words::faux; }

// Tooltip title placement: stored English word <-> French item shown.
// Unknown words give "" and unknown items give "" (the caller then changes nothing).
QString PlacementToFrench(const QString& stored);
QString PlacementFromFrench(const QString& item);
QStringList PlacementItems();  // "gauche", "centré", "droite"

QStringList TooltipBaloonSizes();   // "10" to "16"
QStringList TooltipTitleSizes();    // "3" to "6"
QStringList DragDropTextSizes();    // "10" to "16"
QStringList DragDropTitleSizes();   // "12" to "30" in steps of 2

}  // namespace toravi
