#pragma once
// The working folder, its img subfolder, the program folder, and the last step
// of page creation.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "shared/pictures.h"

namespace toravi {

class Platform;

// The platform's path separator: a backslash on Windows, "/" elsewhere.
QChar PathSeparator();
// Joins with one separator and nothing else: paths are not normalised.
QString JoinPath(const QString& folder, const QString& name);
// The text after the last "/" or "\" (the whole text when it has none), on every
// platform: projects travel between systems.
QString LastComponent(const QString& path);
// A file name read from a project file, kept to its last component, so that it
// always names a file inside the folder it is joined to ("." and ".." give "").
QString SafeFileName(const QString& name);
// A source path read from a project file: one that is not absolute is taken
// relative to the project file's folder, so that a project moved with its
// pictures (the examples among them) loads anywhere.
QString ResolveProjectSource(const QString& projectFile, const QString& source);
// The page-name rule, wherever the name comes from (typed, loaded, command line):
// the last component, up to its first ".", then ".htm".
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
// Makes folder/img without the red dot; a link planted there is replaced by a
// real folder. Does nothing for an empty folder. False when img is not a folder afterwards.
bool MakeImgFolder(const QString& folder);
// Copies `source` to `target`, replacing it. A copy onto itself leaves the file
// as it is and counts as done. Returns whether the target now holds the source.
bool CopyFileReplacing(const QString& source, const QString& target);
// Help documents: what the page may link besides pictures.
bool IsDocumentName(const QString& name);

// A file a page needs, written by the last step of page creation.
struct PageFile {
    QString path;
    QString text;            // written as text, unless `copyFrom` is set
    QString copyFrom = {};   // a file copied as it is
};
// The last step of page creation, shared by both modules: the refusals (no
// folder, no page name, a folder that does not exist, a clash of picture
// names), every file written whole or not at all and each failure reported,
// then the offer to open the page. `build` runs once the folder is checked
// and gives the files, the page first. Returns true when every file was written.
bool PublishPage(Platform& platform, const QString& folder, const QString& pageName,
                 const QList<ProjectPicture>& pictures, const std::function<QList<PageFile>()>& build);
// One run at a time per working folder, held while copying and writing. Taken
// again by the same program it is simply shared, so a whole run (the command
// line's load, validation and page) can hold it around smaller steps. Waits
// briefly for another run; `busy()` then tells the folder is taken. A folder
// that does not exist is not locked and not busy: its steps fail on their own.
class WorkingFolderLock {
public:
    explicit WorkingFolderLock(const QString& folder);
    ~WorkingFolderLock();
    WorkingFolderLock(const WorkingFolderLock&) = delete;
    WorkingFolderLock& operator=(const WorkingFolderLock&) = delete;
    bool busy() const { return busy_; }

private:
    QString key_;
    bool busy_ = false;
};
void SetWorkingFolderLockWait(int ms);  // tests

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
QString NoWorkingFolder(const QString& folder);  // "Le dossier de travail … n'existe pas."
QString FolderBusy(const QString& folder);       // another run writes there
}  // namespace msg

// Version line of the presentation windows: "Version 2.00.0000".
QString VersionText();

}  // namespace toravi
