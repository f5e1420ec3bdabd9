#pragma once
// The page-name rule and the checks every page's parameters pass, wherever
// the name comes from (typed, loaded, command line).
#include <QString>

namespace toravi {

// The last component, up to its first ".", then ".htm".
QString PageBaseName(const QString& name);
// The page file name by that rule; empty when nothing but blanks is left.
QString PageFileName(const QString& name);
// Whether a page path names no page ("", ".", ".htm", blanks).
bool NamesNoPage(const QString& pagePath);
// The refresh of a page path: an empty one becomes "exercice.htm", the name is
// kept in `fileName`, and the path is put in the working folder when there is one.
void RefreshPagePath(QString& pageWeb, QString& fileName, const QString& folder);
// The page path for a name typed in the page-name box (unchanged without a working folder).
void SetTypedPageName(QString& pageWeb, const QString& folder, const QString& typed);
// The validation of both modules' parameters: the four checks in their order,
// then a typed working folder that does not exist. "" when all is well.
QString ValidationRefusal(const QString& folder, const QString& picture, const QString& pagePath,
                          const QString& title);

namespace msg {
inline const QString ValNoFolder = QStringLiteral("Vous n'avez pas précisé de dossier de travail !");
inline const QString ValNoImage = QStringLiteral("Vous n'avez pas sélectionné l'image de référence !");
inline const QString ValNoPage = QStringLiteral("Vous n'avez pas précisé le nom du fichier de votre page Web !");
inline const QString ValNoTitle = QStringLiteral("Vous n'avez pas précisé le titre à afficher sur la page !");
}  // namespace msg

}  // namespace toravi
