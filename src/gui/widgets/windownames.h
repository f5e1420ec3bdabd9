#pragma once
// The names windows are registered under and address each other by. They are
// also the windows' objectNames.
#include <QString>

namespace toravi::names {

inline const QString kPointEditor = QStringLiteral("Form1");
inline const QString kParameters = QStringLiteral("Form2");
inline const QString kLauncher = QStringLiteral("Form3");
inline const QString kDragDrop = QStringLiteral("IForm1");
inline const QString kObjectItem = QStringLiteral("InfoImg");
inline const QString kPlaces = QStringLiteral("FormPlaces");
inline const QString kCutout = QStringLiteral("FormDecoupe");
inline const QString kTooltipPresentation = QStringLiteral("FAbout");
inline const QString kDragDropPresentation = QStringLiteral("INT_FAbout");

}  // namespace toravi::names
