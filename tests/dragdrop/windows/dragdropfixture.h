#pragma once
// The drag-and-drop window of a fresh program, scripted answers, a scratch folder.
#include "dragdrop/dragdropwindow.h"
#include "dragdrop/objectitemdialog.h"
#include "dragdrop/objectframe.h"
#include "support/scriptedplatform.h"
#include "shared/publish.h"
#include "widgets/appcontext.h"
#include "windowregistry.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace toravi::test {

// PNG data under any name (Qt writes no GIF; the readers go by content).
inline bool WritePicture(const QString& path, int width, int height, unsigned rgb = 0x3366CC)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(QColor::fromRgb(rgb));
    return img.save(path, "PNG");
}

// A stretched check box reacts only near its indicator.
inline void Tick(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }

struct DragDropFixture {
    ScriptedPlatform platform;
    AppContext ctx{platform};
    QTemporaryDir scratch;
    bool quitCalled = false;

    DragDropFixture()
    {
        RegisterAllWindows(ctx);
        ctx.quit = [this] { quitCalled = true; };
        ctx.windows.show(QStringLiteral("IForm1"));
    }

    DragDropState& state() { return ctx.dragdrop.state; }
    DragDropWindow* window() { return qobject_cast<DragDropWindow*>(ctx.windows.find(QStringLiteral("IForm1"))); }
    ObjectItemDialog* dialog() { return qobject_cast<ObjectItemDialog*>(ctx.windows.find(QStringLiteral("InfoImg"))); }

    template <typename T = QWidget>
    T* control(const QString& name)
    {
        DragDropWindow* w = window();
        return w ? w->findChild<T*>(name) : nullptr;
    }
    QAction* menu(const QString& name) { return window()->findChild<QAction*>(name); }
    template <typename T = QWidget>
    T* item(const QString& name)
    {
        ObjectItemDialog* d = dialog();
        return d ? d->findChild<T*>(name) : nullptr;
    }

    QString folder() const { return scratch.filePath(QStringLiteral("travail")); }
    QString source(const QString& name) const { return scratch.filePath(QStringLiteral("sources/") + name); }
    QString inImg(const QString& name) const { return JoinPath(JoinPath(folder(), QStringLiteral("img")), name); }

    void click(const QString& name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    QString label(const QString& name) { return control<QLabel>(name)->text(); }
    QString box(const QString& name) { return control<QLineEdit>(name)->text(); }

    void chooseFolder()
    {
        QDir().mkpath(folder());
        platform.queueFolder(folder());
        click(QStringLiteral("INT_cmdstrFolderName"));
    }
    void chooseReference(int width = 400, int height = 300, const QString& name = QStringLiteral("scene.png"))
    {
        WritePicture(source(name), width, height, 0x88AA44);
        platform.queueOpenFile(source(name));
        click(QStringLiteral("INT_cmdOrigImageFile"));
    }
    void ready()
    {
        chooseFolder();
        chooseReference();
    }
    // Through the button; the picture is written first when missing.
    void addObject(const QString& name, unsigned rgb = 0xCC3344)
    {
        if (!QFileInfo::exists(source(name)))
            WritePicture(source(name), 120, 90, rgb);
        platform.queueOpenFile(source(name));
        click(QStringLiteral("cmdAjoutImage"));
    }
    // Straight into the state with their copies: quicker than the button.
    void putObjects(int count)
    {
        for (int i = 0; i < count; ++i) {
            const QString name = QStringLiteral("objet%1.png").arg(state().objects.size());
            WritePicture(inImg(name), 40, 30, 0x112233 * unsigned(i + 1));
            state().objects.append({source(name), name, QStringLiteral("objet")});
        }
        window()->RefreshWindow();
    }
    int visibleFrames()
    {
        int n = 0;
        for (int i = 0; i < DragDropWindow::kObjectFrames; ++i)
            n += control(QStringLiteral("Image2_%1").arg(i))->isVisible() ? 1 : 0;
        return n;
    }
    QStringList tooltips()
    {
        QStringList out;
        auto* list = control<QListWidget>(QStringLiteral("ListInfoBulles"));
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
};

}  // namespace toravi::test
