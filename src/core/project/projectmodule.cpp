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
#include <optional>

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

// A step given by its two directions.
class FunctionStep : public QUndoCommand {
public:
    FunctionStep(ProjectModule& m, const QString& name, std::function<void()> redo, std::function<void()> undo,
                 int mergeId, int mergeKey)
        : QUndoCommand(name), m_(m), redo_(std::move(redo)), undo_(std::move(undo)), id_(mergeId), key_(mergeKey)
    {
    }
    void redo() override { run(redo_); }
    void undo() override { run(undo_); }
    int id() const override { return id_; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = dynamic_cast<const FunctionStep*>(other);
        if (!next || next->key_ != key_)
            return false;
        redo_ = next->redo_;
        return true;
    }

private:
    void run(const std::function<void()>& f)
    {
        f();
        emit m_.refreshRequested();
    }
    ProjectModule& m_;
    std::function<void()> redo_, undo_;
    int id_, key_;
};

}  // namespace

// A step that swaps the whole state, already done when pushed.
class SnapshotStep : public QUndoCommand {
public:
    SnapshotStep(ProjectModule& m, const QString& name, std::any before, int mergeId)
        : QUndoCommand(name), m_(m), before_(std::move(before)), after_(m.Snapshot()), id_(mergeId)
    {
    }
    // What counted as saved on each side, for the steps that replace the project.
    void KeepSaved(const QByteArray& before)
    {
        savedBefore_ = before;
        savedAfter_ = m_.savedBytes_;
    }
    void redo() override
    {
        if (!done_)
            swapTo(after_, savedAfter_);
        done_ = false;
    }
    void undo() override { swapTo(before_, savedBefore_); }
    int id() const override { return id_; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = dynamic_cast<const SnapshotStep*>(other);
        if (!next || savedAfter_ || next->savedAfter_)
            return false;
        after_ = next->after_;
        return true;
    }

private:
    void swapTo(const std::any& state, const std::optional<QByteArray>& saved)
    {
        m_.Restore(state);
        if (saved)
            m_.savedBytes_ = *saved;
        emit m_.refreshRequested();
    }
    ProjectModule& m_;
    std::any before_, after_;
    std::optional<QByteArray> savedBefore_, savedAfter_;
    int id_;
    bool done_ = true;
};

ProjectModule::ProjectModule(Platform& platform, QObject* parent) : QObject(parent), platform_(platform)
{
    recoveryTimer_.setInterval(kRecoveryIntervalMs);
    changeTimer_.setInterval(kChangeCheckMs);
    connect(&recoveryTimer_, &QTimer::timeout, this, &ProjectModule::KeepRecovery);
    connect(&changeTimer_, &QTimer::timeout, this, &ProjectModule::CheckChanges);
    connect(&history_, &QUndoStack::indexChanged, this, &ProjectModule::Settled);
}

void ProjectModule::Change(const QString& name, const std::function<void()>& change, int mergeId)
{
    Change([name] { return name; }, change, mergeId);
}

void ProjectModule::Change(const std::function<QString()>& name, const std::function<void()>& change, int mergeId)
{
    EndTyping();
    if (recording_) {  // inside a step already: it records this too
        change();
        return;
    }
    const QByteArray bytes = CurrentBytes();
    std::any before = Snapshot();
    recording_ = true;
    change();
    recording_ = false;
    if (CurrentBytes() != bytes)
        history_.push(new SnapshotStep(*this, name(), std::move(before), mergeId));
}

void ProjectModule::Replace(const QString& name, const std::function<void()>& change)
{
    EndTyping();
    const QByteArray bytes = CurrentBytes(), saved = savedBytes_;
    std::any before = Snapshot();
    recording_ = true;
    change();
    recording_ = false;
    if (CurrentBytes() == bytes && savedBytes_ == saved)
        return;
    auto* step = new SnapshotStep(*this, name, std::move(before), -1);
    step->KeepSaved(saved);
    history_.push(step);
}

void ProjectModule::Push(const QString& name, std::function<void()> redo, std::function<void()> undo, int mergeId,
                         int mergeKey)
{
    EndTyping();
    if (recording_) {
        redo();
        emit refreshRequested();
        return;
    }
    history_.push(new FunctionStep(*this, name, std::move(redo), std::move(undo), mergeId, mergeKey));
}

void ProjectModule::Typing(const QString& name)
{
    if (typingBefore_.has_value() && name != typingName_)
        EndTyping();
    if (typingBefore_.has_value() || recording_)
        return;
    typingBefore_ = Snapshot();
    typingBytes_ = CurrentBytes();
    typingName_ = name;
}

void ProjectModule::EndTyping()
{
    if (!typingBefore_.has_value())
        return;
    std::any before = std::move(typingBefore_);
    typingBefore_.reset();
    if (CurrentBytes() != typingBytes_)
        history_.push(new SnapshotStep(*this, typingName_, std::move(before), -1));
}

void ProjectModule::Undo()
{
    EndTyping();
    history_.undo();
}

void ProjectModule::Redo()
{
    EndTyping();
    history_.redo();
}

void ProjectModule::Settled()
{
    CheckChanges();
    // Back at the saved project: nothing left to recover.
    if (!unsaved_)
        RemoveRecovery();
}

void ProjectModule::ReinitWithQuestion()
{
    if (HasUnsavedChanges()) {
        if (!AskToSave())
            return;
    } else if (platform_.messageBox(msg::ResetQuestion, kConfirm, kTitle) != IDYES) {
        return;
    }
    Replace(QStringLiteral("réinitialiser le projet"), [this] { ResetProject(); });
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
    history_.setClean();
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
    typingBefore_.reset();
    history_.clear();
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
