#include "widgets/appcontext.h"

#include "widgets/windownames.h"

#include <QCoreApplication>

namespace toravi {

void WindowRegistry::registerWindow(const QString& name, Factory factory) { factories_.insert(name, std::move(factory)); }

QWidget* WindowRegistry::find(const QString& name) const
{
    auto it = windows_.constFind(name);
    return it == windows_.constEnd() ? nullptr : it->data();
}

QWidget* WindowRegistry::get(const QString& name)
{
    if (QWidget* w = find(name))
        return w;
    auto f = factories_.constFind(name);
    if (f == factories_.constEnd())
        return nullptr;
    QWidget* w = (*f)();
    if (!w)
        return nullptr;
    w->setObjectName(name);
    w->setAttribute(Qt::WA_DeleteOnClose);
    windows_.insert(name, w);
    // A window closed by the user is unloaded: forget it at once.
    connect(w, &QObject::destroyed, this, [this, name, w] {
        auto it = windows_.find(name);
        if (it != windows_.end() && (it->isNull() || it->data() == w))
            windows_.erase(it);
    });
    return w;
}

void WindowRegistry::show(const QString& name)
{
    if (QWidget* w = get(name)) {
        w->show();
        w->raise();
        w->activateWindow();
    }
}

void WindowRegistry::hide(const QString& name)
{
    if (QWidget* w = get(name))
        w->hide();
}

void WindowRegistry::unload(const QString& name)
{
    QPointer<QWidget> w = find(name);
    if (!w)
        return;
    windows_.remove(name);
    w->close();
    if (w && !w->testAttribute(Qt::WA_DeleteOnClose))
        w->deleteLater();
}

AppContext::AppContext(Platform& p)
    : platform(p), tooltip(p), dragdrop(p), quit([] { QCoreApplication::quit(); })
{
}

AppContext::~AppContext()
{
    // Dependent windows before those they depend on.
    for (const QString& name : {names::kTooltipPresentation, names::kDragDropPresentation, names::kObjectItem, names::kCutout,
                                names::kParameters, names::kPointEditor, names::kDragDrop, names::kLauncher})
        delete windows.find(name);
}

}  // namespace toravi
