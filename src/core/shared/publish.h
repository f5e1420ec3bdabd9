#pragma once
// The working folder, its img subfolder, the program folder, and the last step
// of page creation.
#include <QString>

namespace toravi {

class Platform;

// The platform's path separator: a backslash on Windows, "/" elsewhere.
QChar PathSeparator();
// Joins with one separator and nothing else: paths are not normalised.
QString JoinPath(const QString& folder, const QString& name);
// The text after the last separator (the whole text when it has none).
QString LastComponent(const QString& path);
// A file name read from a project file, kept to its last component, so that it
// always names a file inside the folder it is joined to ("." and ".." give "").
QString SafeFileName(const QString& name);
// A source path read from a project file: one that is not absolute is taken
// relative to the project file's folder, so that a project moved with its
// pictures (the examples among them) loads anywhere.
QString ResolveProjectSource(const QString& projectFile, const QString& source);
// Where a dialog's initial folder would be a drive root: the drive on Windows,
// the user's home folder elsewhere.
QString DriveRootFolder();

// The folder holding the marker pictures (and the examples once installed).
QString ProgramFolder();
void SetProgramFolder(const QString& folder);  // tests and odd installs

inline constexpr const char* kFolderPrompt = "Dans quel dossier voulez-vous créer votre page Web?";

QString ChooseFolder(Platform& platform, const QString& prompt);
// Creates folder/img and copies the red dot into it. Does nothing for an empty folder.
void PrepareImgFolder(const QString& folder);
// Makes folder/img without the red dot. Does nothing for an empty folder.
void MakeImgFolder(const QString& folder);
// Copies `source` to `target`, replacing it. A copy onto itself leaves the file
// as it is and counts as done. Returns whether the target now holds the source.
bool CopyFileReplacing(const QString& source, const QString& target);
// Copies the picture into folder/img under its own name and returns that name.
// Nothing is copied under an empty folder. `copied` tells whether the copy is there.
QString CopyIntoImg(const QString& source, const QString& folder, bool* copied = nullptr);
// The completion message and the offer to open the page in the browser.
void OfferToOpenPage(Platform& platform, const QString& pagePath);

// Messages shared by both modules.
namespace msg {
inline const QString NoFolder = QStringLiteral("Le dossier de travail n'est pas défini");
inline const QString NoProject = QStringLiteral("Aucun projet en cours");
inline const QString WrongModule =
    QStringLiteral("Ce fichier ne semble pas avoir été enregistré par Le module que vous avez lancé");
inline const QString ResetQuestion = QStringLiteral("Souhaitez-vous tout effacer et reprendre à zéro ?");
inline const QString ResetDone = QStringLiteral("Le projet a été réinitialisé avec les valeurs par défaut");
inline const QString DeleteQuestion = QStringLiteral("Voulez-vous supprimer cet item ?");
inline const QString ValNoFolder = QStringLiteral("Vous n'avez pas précisé de dossier de travail !");
inline const QString ValNoImage = QStringLiteral("Vous n'avez pas sélectionné l'image de référence !");
inline const QString ValNoPage = QStringLiteral("Vous n'avez pas précisé le nom du fichier de votre page Web !");
inline const QString ValNoTitle = QStringLiteral("Vous n'avez pas précisé le titre à afficher sur la page !");
QString NotRead(const QString& path);   // "Le fichier <path> n'a pas pu être lu."
QString NotSaved(const QString& path);  // "Le fichier <path> n'a pas pu être enregistré."
QString PageCreated(const QString& path);  // first line of the offer to open the page
// After loading a project: the pictures (or document) that could not be copied again.
QString NotCopied(const QStringList& sources, const QString& where);
}  // namespace msg

// Version line of the presentation windows: "Version 2.00.0000".
QString VersionText();

}  // namespace toravi
