#pragma once
// What lives for the whole run: the platform, both modules' state, the single
// instance windows and the launcher flag.
#include "dragdrop/dragdropmodule.h"
#include "tooltip/tooltipmodule.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace toravi {

class Platform;

// Windows are single instances addressed by name: showing or hiding one that
// does not exist yet creates it (its constructor is its load step); unloading
// one that is not loaded does nothing.
class WindowRegistry : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<QWidget*()>;
    void registerWindow(const QString& name, Factory factory);
    QWidget* get(const QString& name);   // creates and loads when needed
    QWidget* find(const QString& name) const;  // nullptr when not loaded
    bool isLoaded(const QString& name) const { return find(name) != nullptr; }
    void show(const QString& name);
    void hide(const QString& name);
    // Closes the window (its close handler is its unload step) and forgets it.
    void unload(const QString& name);

private:
    QHash<QString, Factory> factories_;
    QHash<QString, QPointer<QWidget>> windows_;
};

class AppContext {
public:
    explicit AppContext(Platform& platform);
    ~AppContext();

    Platform& platform;
    TooltipModule tooltip;
    DragDropModule dragdrop;
    WindowRegistry windows;
    // Whether the open presentation window came from the launcher.
    bool blnFromLauncher = false;
    // Ends the program. Tests replace it.
    std::function<void()> quit;
};

}  // namespace toravi
