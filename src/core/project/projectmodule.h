#pragma once
// What both modules share around their own state: the platform, the request
// to refresh the windows, "Réinitialiser", the way a refusal is shown, the
// history of changes (undo and redo), and the watch over unsaved changes with
// its recovery file.
#include <QByteArray>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUndoStack>
#include <any>
#include <functional>
#include <memory>

#include "pages/pageexport.h"
#include "platform/platform.h"

namespace toravi {

class ProjectModule : public QObject {
    Q_OBJECT
public:
    explicit ProjectModule(Platform& platform, QObject* parent = nullptr);
    // The history goes last, and tells no one: the module it reports to is gone.
    ~ProjectModule() override { history_.disconnect(this); }
    Platform& platform() { return platform_; }

    // Defaults, nothing loaded; then asks for a refresh.
    virtual void ResetProject() = 0;
    // "Sauvegarder le projet": true when the file was written.
    virtual bool SaveProject() = 0;
    // Reads a project file without any dialog; a refused file keeps the project.
    // Relative source paths are read from the project file's folder; a non-empty
    // `folder` takes the place of the project's working folder.
    virtual bool LoadProjectFile(const QString& path, const QString& folder = QString()) = 0;
    // The validation of the parameters: true when valid.
    virtual bool Validate() = 0;
    // The state part of the windows' refresh: the display defaults of empty values.
    virtual void ApplyRefreshDefaults() = 0;
    // "Créer la page Web": true when every file was written.
    virtual bool CreatePage() = 0;
    // "Créer la page en un seul fichier…" (SingleFile) and "Exporter pour la
    // plateforme (SCORM)…": the page as one file or as a package, written to
    // `target` (without one, the save dialog asks). The project and its
    // working folder stay as they are. True when the file was written.
    virtual bool ExportPage(PageExport kind, const QString& target = QString()) = 0;
    // A reduced copy for every picture larger than its place in the page, as
    // when the teacher accepts the offer (toravi generate --reduce).
    virtual void ReducePictures() = 0;
    // Menu "Réinitialiser": the question, then ResetProject and its message. With
    // unsaved changes the question is whether to save them first.
    void ReinitWithQuestion();
    // The whole project file as the project stands now.
    virtual QStringList CurrentProjectLines() const = 0;

    // --- The history: every change the teacher makes is a step that can be undone
    // and redone, one history per module for the session. Undo gives the project
    // back, not the working folder: copies already made in img stay. ---
    QUndoStack& History() { return history_; }
    // The one path of a change to the project: `change` runs now and becomes one
    // step named `name` (none when the project file would not change). Steps of
    // the same `mergeId` (>= 0) in a row make one.
    void Change(const QString& name, const std::function<void()>& change, int mergeId = -1);
    // The same, the name made once the change is done.
    void Change(const std::function<QString()>& name, const std::function<void()>& change, int mergeId = -1);
    // A change that replaces the project (a reset, a load): undoing it also gives
    // back what counted as saved before.
    void Replace(const QString& name, const std::function<void()>& change);
    // A step given by its two directions; `redo` runs at once. Steps of the same
    // `mergeId` (>= 0) and `mergeKey` in a row make one.
    void Push(const QString& name, std::function<void()> redo, std::function<void()> undo, int mergeId = -1,
              int mergeKey = 0);
    // A text field being typed in: the state follows every key, the history gets
    // one step per field edit, closed by EndTyping (editing finished, focus gone)
    // or by the next step, undo or redo.
    void Typing(const QString& name);
    void EndTyping();
    void Undo();
    void Redo();
    // The module's whole state, for the steps that swap it whole.
    virtual std::any Snapshot() const = 0;
    virtual void Restore(const std::any& snapshot) = 0;

    // --- Unsaved changes: the bytes the project file would hold now differ from
    // those last saved, loaded or reset. ---
    bool HasUnsavedChanges() const;
    // The project as it stands counts as saved.
    void MarkUnchanged();
    // Compares again and tells the windows when the answer turns.
    void CheckChanges();
    // Before the project is dropped or replaced: with unsaved changes, asks whether
    // to save them first (the save flow, its dialog included). False when the
    // teacher cancels or the save fails: the project must then stay.
    bool AskToSave();
    // The module's window starts: offers a recovery file left by a run that did not
    // end (true when it was taken), then keeps one while changes are unsaved.
    bool StartWithRecovery();
    // The module's window closes, after asking: the recovery file goes.
    bool CloseProject();
    // Writes the recovery file now when changes are unsaved.
    void KeepRecovery();
    // Where the recovery files go: the user's data folder unless set (tests).
    void SetRecoveryFolder(const QString& folder) { recoveryFolder_ = folder; }
    QString RecoveryPath() const;
    static constexpr int kRecoveryIntervalMs = 30 * 1000;

signals:
    // The windows run their refresh.
    void refreshRequested();
    // The project now has, or no longer has, unsaved changes.
    void unsavedChanged(bool unsaved);

protected:
    // Which module: its name in the recovery offer, and its recovery file's name.
    void SetRecoveryNames(const QString& caption, const QString& fileName);
    // Shows `refusal` (critical icon) when there is one; true when there is none.
    bool Accept(const QString& refusal);
    // The save and open dialogs of project files.
    static FileDialogRequest ProjectDialog();
    // "Sauvegarder le projet" for both modules: no page name with a dot, no project;
    // then the save dialog, then the file as `lines` gives it.
    bool SaveProjectAs(const QString& pageWeb, const std::function<QStringList()>& lines);

    Platform& platform_;

private:
    friend class SnapshotStep;
    QByteArray CurrentBytes() const;
    void RemoveRecovery();
    void Settled();

    QUndoStack history_;
    std::any typingBefore_;  // the state before the field edit under way
    QByteArray typingBytes_;
    QString typingName_;
    bool recording_ = false;  // a step's change is running

    QByteArray savedBytes_;
    QByteArray droppedBytes_;  // the changes the teacher chose not to save
    bool unsaved_ = false;
    QString caption_, recoveryName_, recoveryFolder_;
    QByteArray recoveryBytes_;  // what the recovery file holds, as this run wrote it
    std::unique_ptr<QLockFile> recoveryLock_;  // held while this run owns the recovery file
    QTimer recoveryTimer_, changeTimer_;
};

namespace msg {
inline const QString NoProject = QStringLiteral("Aucun projet en cours");
inline const QString ResetQuestion = QStringLiteral("Souhaitez-vous tout effacer et reprendre à zéro ?");
inline const QString ResetDone = QStringLiteral("Le projet a été réinitialisé avec les valeurs par défaut");
inline const QString DeleteQuestion = QStringLiteral("Voulez-vous supprimer cet item ?");
}  // namespace msg

}  // namespace toravi
