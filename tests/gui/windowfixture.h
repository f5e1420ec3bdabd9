#pragma once
// The program's windows on the offscreen platform, with scripted dialog answers
// and a scratch folder; controls are found by their objectNames.
#include "support/scriptedplatform.h"
#include "support/testsupport.h"
#include "shared/colors.h"
#include "shared/publish.h"
#include "widgets/appcontext.h"
#include "widgets/windownames.h"
#include "windowregistry.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>

namespace toravi::test {

// Scripted answers, and a look at the windows while a prompt is up.
class PeekingPlatform : public ScriptedPlatform {
public:
    std::function<void()> onInput;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        if (onInput)
            onInput();
        return ScriptedPlatform::inputBox(prompt, title, defaultText);
    }
};

struct WindowFixture {
    PeekingPlatform platform;
    AppContext ctx{platform};
    QTemporaryDir scratch;
    int quits = 0;

    explicit WindowFixture(const QString& first = QString())
    {
        RegisterAllWindows(ctx);
        ctx.quit = [this] { ++quits; };
        if (!first.isEmpty())
            ctx.windows.show(first);
    }
    QWidget* window(const QString& name) const { return ctx.windows.find(name); }  // nullptr when not loaded
    bool visible(const QString& name) const { return window(name) && window(name)->isVisible(); }
    template <class T = QWidget>
    T* in(const QString& window, const QString& name) const
    {
        QWidget* w = this->window(window);
        return w ? w->findChild<T*>(name) : nullptr;
    }
    void click(const QString& window, const QString& name) { in<QAbstractButton>(window, name)->click(); }
    void trigger(const QString& window, const QString& name) { in<QAction>(window, name)->trigger(); }
    void choose(const QString& window, const QString& name, const QString& item)
    {
        auto* box = in<QComboBox>(window, name);
        box->setCurrentIndex(box->findText(item));
        emit box->activated(box->currentIndex());
    }
    QStringList entries(const QString& window, const QString& list) const
    {
        QStringList out;
        for (auto* l = in<QListWidget>(window, list); l && out.size() < l->count();)
            out << l->item(int(out.size()))->text();
        return out;
    }

    QString folder() const { return scratch.filePath(QStringLiteral("travail")); }
    QString source(const QString& name) const { return scratch.filePath(QStringLiteral("sources/") + name); }
    QString inImg(const QString& name) const { return JoinPath(JoinPath(folder(), QStringLiteral("img")), name); }
    static bool WritePicture(const QString& path, int width, int height, unsigned rgb = 0x3366CC)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        return WriteRealPicture(path, width, height, rgb);
    }
    // Working folder and reference picture through the window's own buttons.
    void ready(const QString& window, const QString& folderButton, const QString& pictureButton, int width = 400,
               int height = 300)
    {
        QDir().mkpath(folder());
        platform.queueFolder(folder());
        click(window, folderButton);
        WritePicture(source(QStringLiteral("scene.png")), width, height);
        platform.queueOpenFile(source(QStringLiteral("scene.png")));
        click(window, pictureButton);
    }
    // Lets deferred deletions of closed windows happen.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

}  // namespace toravi::test
