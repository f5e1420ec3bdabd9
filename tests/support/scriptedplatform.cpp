#include "support/scriptedplatform.h"

namespace toravi {

namespace {
template <class T>
T take(std::deque<T>& queue, T otherwise)
{
    if (queue.empty())
        return otherwise;
    T first = queue.front();
    queue.pop_front();
    return first;
}
}  // namespace

int ScriptedPlatform::messageBox(const QString& text, int flags, const QString& title)
{
    requests.append({QStringLiteral("message"), text, flags, title});
    return take(messages_, (flags & MB_YESNO) || (flags & 0xF) == MB_YESNOCANCEL ? int(IDNO) : int(IDOK));
}

QString ScriptedPlatform::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    requests.append({QStringLiteral("input"), prompt, 0, title, defaultText});
    return take(inputs_, QString());
}

QString ScriptedPlatform::openFile(const FileDialogRequest& r)
{
    requests.append({QStringLiteral("open"), r.title, 0, r.title, {}, r.initialFolder});
    return take(openFiles_, QString());
}

QString ScriptedPlatform::saveFile(const FileDialogRequest& r)
{
    requests.append({QStringLiteral("save"), r.title, 0, r.title, {}, r.initialFolder});
    return take(saveFiles_, QString());
}

quint32 ScriptedPlatform::chooseColor(quint32 preset)
{
    requests.append({QStringLiteral("color"), {}, 0, {}, {}, {}, preset});
    return take(colors_, std::optional<quint32>()).value_or(preset);
}

QString ScriptedPlatform::chooseFolder(const QString& prompt)
{
    requests.append({QStringLiteral("folder"), prompt});
    return take(folders_, QString());
}

void ScriptedPlatform::shellOpen(const QString& target) { requests.append({QStringLiteral("shell"), target}); }

QList<ScriptedPlatform::Request> ScriptedPlatform::requestsOf(const QString& kind) const
{
    QList<Request> out;
    for (const auto& r : requests)
        if (r.kind == kind)
            out.append(r);
    return out;
}

QStringList ScriptedPlatform::messageTexts() const
{
    QStringList out;
    for (const auto& r : requestsOf(QStringLiteral("message")))
        out.append(r.text);
    return out;
}

}  // namespace toravi
