#pragma once
// What both modules share around their own state: the platform, the request
// to refresh the windows, "Réinitialiser" and the way a refusal is shown.
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "shared/platform.h"

namespace toravi {

class ProjectModule : public QObject {
    Q_OBJECT
public:
    explicit ProjectModule(Platform& platform, QObject* parent = nullptr);
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
    // A reduced copy for every picture larger than its place in the page, as
    // when the teacher accepts the offer (toravi generate --reduce).
    virtual void ReducePictures() = 0;
    // Menu "Réinitialiser": the question, then ResetProject and its message.
    void ReinitWithQuestion();

signals:
    // The windows run their refresh.
    void refreshRequested();

protected:
    // Shows `refusal` (critical icon) when there is one; true when there is none.
    bool Accept(const QString& refusal);
    // The save and open dialogs of project files.
    static FileDialogRequest ProjectDialog();
    // "Sauvegarder le projet" for both modules: no page name with a dot, no project;
    // then the save dialog, then the file as `lines` gives it.
    bool SaveProjectAs(const QString& pageWeb, const std::function<QStringList()>& lines);

    Platform& platform_;
};

}  // namespace toravi
