#pragma once
// The files room: paths and names, the program folder, the working folder with
// its img subfolder and its lock, the safe writer (filewriter.h), positioned
// reads (fileaccess.h) and Windows-1252 text files (textfile.h). Where the
// systems differ, a _posix.cpp and a _win.cpp behind one header.
// Uses only the platform room: everything above writes and reads through here.
#include <QString>
#include <QStringList>

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

namespace msg {
QString NotRead(const QString& path);   // "Le fichier <path> n'a pas pu être lu."
QString NotSaved(const QString& path);  // "Le fichier <path> n'a pas pu être enregistré."
// After loading a project: the pictures (or document) that could not be copied again.
QString NotCopied(const QStringList& sources, const QString& where);
QString NoWorkingFolder(const QString& folder);  // "Le dossier de travail … n'existe pas."
QString FolderBusy(const QString& folder);       // another run writes there
}  // namespace msg

}  // namespace toravi
