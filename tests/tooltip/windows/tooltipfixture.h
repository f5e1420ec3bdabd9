#pragma once
// The point editor opened from a fresh program, with scripted answers and a
// scratch working folder.
#include "support/scriptedplatform.h"
#include "shared/publish.h"
#include "widgets/appcontext.h"
#include "windowregistry.h"
#include "support/testsupport.h"
#include "tooltip/tooltipmodule.h"
#include "tooltip/pointeditor.h"
#include "tooltip/picturebox.h"
#include "tooltip/parameterswindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace toravi::test {

// Scripted answers, and a look at the windows at the moment a prompt is asked.
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

inline bool WritePicture(const QString& path, int width, int height, unsigned rgb = 0x3366CC)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return WriteRealPicture(path, width, height, rgb);
}

struct TooltipFixture {
    PeekingPlatform platform;
    AppContext ctx{platform};
    QTemporaryDir scratch;
    int quitCalls = 0;

    TooltipFixture()
    {
        RegisterAllWindows(ctx);
        ctx.quit = [this] { ++quitCalls; };
        ctx.windows.show(QStringLiteral("Form1"));
    }

    TooltipState& state() { return ctx.tooltip.state; }
    QWidget* form1() { return ctx.windows.find(QStringLiteral("Form1")); }
    QWidget* form2() { return ctx.windows.find(QStringLiteral("Form2")); }

    template <typename T = QWidget>
    static T* child(QWidget* w, const QString& name)
    {
        return w ? w->findChild<T*>(name) : nullptr;
    }
    template <typename T = QWidget>
    T* f1(const QString& name) { return child<T>(form1(), name); }
    template <typename T = QWidget>
    T* f2(const QString& name) { return child<T>(form2(), name); }
    QAction* menu1(const QString& name) { return f1<QAction>(name); }
    QAction* menu2(const QString& name) { return f2<QAction>(name); }

    QListWidget* list(int n) { return f1<QListWidget>(QStringLiteral("List%1").arg(n)); }
    QStringList entries(int n)
    {
        QStringList out;
        QListWidget* l = list(n);
        for (int i = 0; l && i < l->count(); ++i)
            out << l->item(i)->text();
        return out;
    }

    QString folder() const { return scratch.filePath(QStringLiteral("travail")); }
    QString source(const QString& name) const { return scratch.filePath(QStringLiteral("sources/") + name); }
    QString inImg(const QString& name) const { return JoinPath(JoinPath(folder(), QStringLiteral("img")), name); }

    // Lets deferred deletions of closed windows happen.
    static void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    void openParameters() { menu1(QStringLiteral("mnuParam"))->trigger(); }
    void click2(const QString& name) { QTest::mouseClick(f2<QAbstractButton>(name), Qt::LeftButton); }

    void chooseFolder()
    {
        QDir().mkpath(folder());
        platform.queueFolder(folder());
        click2(QStringLiteral("cmdstrFolderName"));
    }
    void chooseReference(int width = 400, int height = 300, const QString& name = QStringLiteral("carte.png"),
                         unsigned rgb = 0x3366CC)
    {
        WritePicture(source(name), width, height, rgb);
        platform.queueOpenFile(source(name));
        click2(QStringLiteral("cmdOrigImageFile"));
    }
    // Parameters window: folder, picture, Valider.
    void validProject(int width = 400, int height = 300)
    {
        openParameters();
        chooseFolder();
        chooseReference(width, height);
        click2(QStringLiteral("cmdValider"));
        settle();
    }

    void threePoints()
    {
        validProject();
        clickPicture(10, 10, QStringLiteral("Un"));
        clickPicture(20, 20, QStringLiteral("Deux"));
        clickPicture(30, 30, QStringLiteral("Trois"));
        platform.clear();
    }

    // A click on the picture, answered with `name`.
    void clickPicture(int column, int row, const QString& name)
    {
        platform.queueInput(name);
        // QTest takes the point (0, 0) for "the widget's centre": the events are built here.
        QWidget* picture = f1(QStringLiteral("Picture1"));
        const QPointF at(column, row);
        QMouseEvent press(QEvent::MouseButtonPress, at, picture->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(picture, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, picture->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(picture, &release);
    }
};

}  // namespace toravi::test
