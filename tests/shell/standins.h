#pragma once
// Stand-ins for the module windows, so the shell's tests do not depend on them:
// each counts its loads and writes its unload into a shared log.
#include "support/scriptedplatform.h"
#include "shared/publish.h"
#include "widgets/appcontext.h"
#include "windowregistry.h"
#include "widgets/controls.h"
#include "help/presentationwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

namespace toravi::test {

struct WindowLog {
    QStringList loads;
    QStringList unloads;
    int loadsOf(const QString& name) const { return int(loads.count(name)); }
};

class StandInWindow : public QWidget {
public:
    StandInWindow(AppContext& ctx, const QString& name, WindowLog& log, bool showsLauncherOnUnload)
        : ctx_(ctx), name_(name), log_(log), showsLauncher_(showsLauncherOnUnload)
    {
        log_.loads << name;
        setWindowTitle(name);
        resize(200, 100);
    }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        log_.unloads << name_;
        event->accept();
        if (showsLauncher_)
            ctx_.windows.show(QStringLiteral("Form3"));
    }

private:
    AppContext& ctx_;
    QString name_;
    WindowLog& log_;
    bool showsLauncher_;
};

// Form1 and IForm1 give the launcher back when they close; Form2 does not.
inline void RegisterStandIns(AppContext& ctx, WindowLog& log, const QStringList& names)
{
    for (const QString& name : names) {
        const bool main = name == QLatin1String("Form1") || name == QLatin1String("IForm1");
        ctx.windows.registerWindow(name, [&ctx, &log, name, main] { return new StandInWindow(ctx, name, log, main); });
    }
}

inline void FlushDeletions() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// One run of the program: launcher, presentation windows and stand-in module
// windows, nothing shown yet. Its program folder holds no help file unless a test puts one there.
struct Program {
    ScriptedPlatform platform;
    AppContext ctx{platform};
    WindowLog log;
    bool quitCalled = false;
    QTemporaryDir programFolder;

    Program()
    {
        SetProgramFolder(programFolder.path());
        RegisterAllWindows(ctx);
        RegisterStandIns(ctx, log, {QStringLiteral("Form1"), QStringLiteral("Form2"), QStringLiteral("IForm1")});
        ctx.quit = [this] { quitCalled = true; };
    }
    ~Program() { SetProgramFolder(QString()); }
    QWidget* window(const QString& name) const { return ctx.windows.find(name); }
    QWidget* open(const QString& name)
    {
        ctx.windows.show(name);
        return window(name);
    }
    bool visible(const QString& name) const
    {
        QWidget* w = window(name);
        return w && w->isVisible();
    }
};

}  // namespace toravi::test
