#include "project/projectmodule.h"

#include "files/files.h"
#include "files/filewriter.h"
#include "files/textfile.h"
#include "project/projectfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

namespace toravi {

namespace {

// The window title follows the typing without waiting for a refresh.
constexpr int kChangeCheckMs = 400;
// Held for a whole session: only a lock this old, or left by a run gone from this machine, is stale.
constexpr int kRecoveryLockStaleMs = 12 * 60 * 60 * 1000;

const QString kSaveFirstQuestion =
    QStringLiteral("Le projet contient des modifications qui n'ont pas été sauvegardées.\r\r"
                   "Voulez-vous sauvegarder le projet avant de continuer ?");

QString recoveryOffer(const QString& caption, const QDateTime& written)
{
    const QString when = QLocale(QLocale::French).toString(written, QStringLiteral("d MMMM yyyy 'à' HH:mm"));
    return QStringLiteral("Toravi ne s'est pas fermé normalement. Un projet %1 qui n'avait pas été sauvegardé a été "
                          "conservé le %2.\r\rVoulez-vous le récupérer ?")
        .arg(caption, when);
}

}  // namespace

ProjectModule::ProjectModule(Platform& platform, QObject* parent) : QObject(parent), platform_(platform)
{
    recoveryTimer_.setInterval(kRecoveryIntervalMs);
    changeTimer_.setInterval(kChangeCheckMs);
    connect(&recoveryTimer_, &QTimer::timeout, this, &ProjectModule::KeepRecovery);
    connect(&changeTimer_, &QTimer::timeout, this, &ProjectModule::CheckChanges);
}

void ProjectModule::ReinitWithQuestion()
{
    if (HasUnsavedChanges()) {
        if (!AskToSave())
            return;
    } else if (platform_.messageBox(msg::ResetQuestion, kConfirm, kTitle) != IDYES) {
        return;
    }
    ResetProject();
    RemoveRecovery();
    platform_.messageBox(msg::ResetDone, kNotice, kTitle);
}

bool ProjectModule::Accept(const QString& refusal)
{
    if (refusal.isEmpty())
        return true;
    platform_.messageBox(refusal, kRefusal, kTitle);
    return false;
}

FileDialogRequest ProjectModule::ProjectDialog()
{
    return {ProgramFolder(), QStringLiteral("txt"), QStringLiteral("Fichiers texte (*.txt)|*.txt|Tous (*.*)|*.*"),
            QStringLiteral("Nom du fichier de paramètres pour ce projet")};
}

bool ProjectModule::SaveProjectAs(const QString& pageWeb, const std::function<QStringList()>& lines)
{
    if (!pageWeb.contains(QLatin1Char('.'))) {
        platform_.messageBox(msg::NoProject, kRefusal, kTitle);
        return false;
    }
    const QStringList file = lines();
    const QString path = platform_.saveFile(ProjectDialog());
    if (path.isEmpty() || !WriteProjectFile(platform_, path, file))
        return false;
    savedBytes_ = TextFileBytes(file.join(CRLF));
    CheckChanges();
    RemoveRecovery();
    return true;
}

QByteArray ProjectModule::CurrentBytes() const { return TextFileBytes(CurrentProjectLines().join(CRLF)); }

// Before its first reset or load the module holds no project of the teacher's.
bool ProjectModule::HasUnsavedChanges() const { return !savedBytes_.isNull() && CurrentBytes() != savedBytes_; }

void ProjectModule::MarkUnchanged()
{
    savedBytes_ = CurrentBytes();
    CheckChanges();
}

void ProjectModule::CheckChanges()
{
    const QByteArray now = CurrentBytes();
    if (now != droppedBytes_)  // changed since: to be asked about again
        droppedBytes_.clear();
    const bool unsaved = !savedBytes_.isNull() && now != savedBytes_;
    if (unsaved == unsaved_)
        return;
    unsaved_ = unsaved;
    emit unsavedChanged(unsaved);
}

bool ProjectModule::AskToSave()
{
    const QByteArray now = CurrentBytes();
    if (savedBytes_.isNull() || now == savedBytes_ || now == droppedBytes_)
        return true;
    switch (platform_.messageBox(kSaveFirstQuestion, kSaveFirst, kTitle)) {
    case IDYES:
        return SaveProject();
    case IDNO:
        // Asked once: the steps that follow (a window closing after the launcher) do not ask again.
        droppedBytes_ = now;
        RemoveRecovery();
        return true;
    default:
        return false;
    }
}

void ProjectModule::SetRecoveryNames(const QString& caption, const QString& fileName)
{
    caption_ = caption;
    recoveryName_ = fileName;
}

QString ProjectModule::RecoveryPath() const
{
    const QString folder = recoveryFolder_.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                               : recoveryFolder_;
    return folder.isEmpty() ? QString() : QDir(folder).filePath(recoveryName_);
}

bool ProjectModule::StartWithRecovery()
{
    changeTimer_.start();
    const QString path = RecoveryPath();
    if (path.isEmpty() || recoveryLock_)
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Another Toravi still running keeps its own file: it is no crash to recover. The
    // lock of a run that ended without a word is taken over at once on this machine.
    auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    lock->setStaleLockTime(kRecoveryLockStaleMs);
    if (!lock->tryLock(0))
        return false;
    recoveryLock_ = std::move(lock);
    bool restored = false;
    if (const QFileInfo found(path); found.isFile()) {
        // Taken or not, it is offered once; a restored project stays unsaved.
        if (platform_.messageBox(recoveryOffer(caption_, found.lastModified()), kOffer, kTitle) == IDYES) {
            const QByteArray before = savedBytes_;
            restored = LoadProjectFile(path);
            savedBytes_ = before;
        }
        QFile::remove(path);
    }
    recoveryBytes_.clear();
    KeepRecovery();
    recoveryTimer_.start();
    return restored;
}

bool ProjectModule::CloseProject()
{
    if (!AskToSave())
        return false;
    RemoveRecovery();
    recoveryTimer_.stop();
    changeTimer_.stop();
    recoveryLock_.reset();
    // What a closed window leaves behind counts for nothing.
    MarkUnchanged();
    return true;
}

void ProjectModule::KeepRecovery()
{
    if (!recoveryLock_)
        return;
    CheckChanges();
    const QString path = RecoveryPath();
    if (!unsaved_) {
        RemoveRecovery();
        return;
    }
    const QByteArray bytes = CurrentBytes();
    if (bytes == recoveryBytes_ && QFileInfo::exists(path))
        return;
    // A failure here is no failure of the teacher's work: the next turn tries again.
    if (WriteFileAtomically(path, bytes))
        recoveryBytes_ = bytes;
}

void ProjectModule::RemoveRecovery()
{
    if (!recoveryLock_)
        return;
    QFile::remove(RecoveryPath());
    recoveryBytes_.clear();
}

}  // namespace toravi
