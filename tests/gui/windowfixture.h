#pragma once
// The program's windows on the offscreen platform, with scripted dialog answers
// and a scratch folder; controls are found by their objectNames.
#include "support/scriptedplatform.h"
#include "support/testsupport.h"
#include "shared/publish.h"
#include "widgets/appcontext.h"
#include "widgets/windownames.h"
#include "windowregistry.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
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
    // Working folder and reference picture through the window's own buttons.
    void ready(const QString& window)
    {
        const bool tooltip = window == names::kParameters;
        QDir().mkpath(folder());
        platform.queueFolder(folder());
        click(window, tooltip ? "cmdstrFolderName" : "INT_cmdstrFolderName");
        QDir().mkpath(source(QString()));
        WriteRealPicture(source(QStringLiteral("scene.png")), 400, 300);
        platform.queueOpenFile(source(QStringLiteral("scene.png")));
        click(window, tooltip ? "cmdOrigImageFile" : "INT_cmdOrigImageFile");
    }
    // Objects a, b, c... through the drag-and-drop window's add button.
    void addObjects(int count)
    {
        for (int i = 0; i < count; ++i) {
            const QString name = QString(QChar('a' + i)) + ".png";
            WriteRealPicture(source(name), 40, 30, 0x112233 * unsigned(i + 1));
            platform.queueOpenFile(source(name));
            click(names::kDragDrop, "cmdAjoutImage");
        }
    }
    void openItem(int frame) { QTest::mouseDClick(in(names::kDragDrop, QStringLiteral("Image2_%1").arg(frame)), Qt::LeftButton); }
    QLineEdit* itemText() const { return in<QLineEdit>(names::kObjectItem, "Text1"); }
    // Lets deferred deletions of closed windows happen.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

}  // namespace toravi::test
