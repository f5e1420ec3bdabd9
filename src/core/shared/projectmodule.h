#pragma once
// What both modules share around their own state: the platform, the request
// to refresh the windows, "Réinitialiser" and the way a refusal is shown.
#include <QObject>
#include <QString>

namespace toravi {

class Platform;

class ProjectModule : public QObject {
    Q_OBJECT
public:
    explicit ProjectModule(Platform& platform, QObject* parent = nullptr);
    Platform& platform() { return platform_; }

    // Defaults, nothing loaded; then asks for a refresh.
    virtual void ResetProject() = 0;
    // Menu "Réinitialiser": the question, then ResetProject and its message.
    void ReinitWithQuestion();

signals:
    // The windows run their refresh.
    void refreshRequested();

protected:
    // Shows `refusal` (critical icon) when there is one; true when there is none.
    bool Accept(const QString& refusal);

    Platform& platform_;
};

}  // namespace toravi
