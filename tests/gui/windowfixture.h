#pragma once
// The program's windows on the offscreen platform, with scripted dialog answers
// and a scratch folder; controls are found by their objectNames.
#include "support/scriptedplatform.h"
#include "support/testsupport.h"
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
#include <QStandardPaths>
#include <QTest>

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
    QTemporaryDir scratch;
    QTemporaryDir recovery;  // each fixture its own, never the user's; outlives the modules' locks
    AppContext ctx{platform};
    int quits = 0;

    explicit WindowFixture(const QString& first)
    {
        QStandardPaths::setTestModeEnabled(true);
        ctx.tooltip.SetRecoveryFolder(recovery.path());
        ctx.dragdrop.SetRecoveryFolder(recovery.path());
        RegisterAllWindows(ctx);
        ctx.quit = [this] { ++quits; };
        ctx.windows.show(first);
    }
    QWidget* window(const QString& name) const { return ctx.windows.find(name); }  // nullptr when not loaded
    bool visible(const QString& name) const { return window(name) && window(name)->isVisible(); }
    template <class T = QWidget>
    T* in(const QString& w, const QString& name) const { return window(w) ? window(w)->findChild<T*>(name) : nullptr; }
    void click(const QString& window, const QString& name) { in<QAbstractButton>(window, name)->click(); }
    void trigger(const QString& window, const QString& name) { in<QAction>(window, name)->trigger(); }
    void choose(const QString& window, const QString& name, const QString& item)
    {
        auto* box = in<QComboBox>(window, name);
        box->setCurrentIndex(box->findText(item));
        emit box->activated(box->currentIndex());
    }
    // The entries of the window's lists, one list after the other.
    QStringList entries(const QString& window, const QStringList& lists) const
    {
        QStringList out;
        for (const QString& list : lists)
            for (int i = 0; i < in<QListWidget>(window, list)->count(); ++i)
                out << in<QListWidget>(window, list)->item(i)->text();
        return out;
    }
    QStringList tooltips() const { return entries(names::kDragDrop, {"ListInfoBulles"}); }

    QString source(const QString& name) const { return scratch.filePath("sources/" + name); }
    // Working folder (the scratch folder) and reference picture through the window's own buttons.
    void ready(const QString& window)
    {
        const QString prefix = window == names::kParameters ? "" : "INT_";
        platform.queueFolder(scratch.path());
        click(window, prefix + "cmdstrFolderName");
        QDir().mkpath(source(QString()));
        WriteRealPicture(source("scene.png"), 400, 300);
        platform.queueOpenFile(source("scene.png"));
        click(window, prefix + "cmdOrigImageFile");
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
    void openItem(int i) { QTest::mouseDClick(in(names::kDragDrop, "Image2_" + QString::number(i)), Qt::LeftButton); }
    QLineEdit* itemText() const { return in<QLineEdit>(names::kObjectItem, "Text1"); }
    // Lets deferred deletions of closed windows happen.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

}  // namespace toravi::test
