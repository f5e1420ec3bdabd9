#pragma once
// The four lines that open the project files of both modules.
#include <QString>
#include <QStringList>

namespace toravi::projectheader {

inline const QString Generated = QStringLiteral("<Généré par Toravi 2>");
inline const QString Interact = QStringLiteral("<Module Interact>");
inline const QString DragDrop = QStringLiteral("<Module Drag&Drop>");

inline QStringList Lines(const QString& moduleLine)
{
    return {Generated, moduleLine, QStringLiteral("<Ne pas modifier ce fichier à la main.>"),
            QStringLiteral("<Cela pourrait avoir des conséquences inattendues sur votre projet>")};
}

}  // namespace toravi::projectheader
