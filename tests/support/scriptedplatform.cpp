#include "support/scriptedplatform.h"

namespace toravi {

int ScriptedPlatform::messageBox(const QString& text, int flags, const QString& title)
{
    requests.append({QStringLiteral("message"), text, flags, title, {}, {}, {}, {}, 0});
    if (!messages_.empty()) {
        int r = messages_.front();
        messages_.pop_front();
        return r;
    }
    // Unscripted questions get the safe answer.
    return (flags & MB_YESNO) ? IDNO : IDOK;
}

QString ScriptedPlatform::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    requests.append({QStringLiteral("input"), prompt, 0, title, defaultText, {}, {}, {}, 0});
    if (inputs_.empty())
        return {};
    QString r = inputs_.front();
    inputs_.pop_front();
    return r;
}

static QString take(std::deque<QString>& q)
{
    if (q.empty())
        return {};
    QString r = q.front();
    q.pop_front();
    return r;
}

QString ScriptedPlatform::openFile(const FileDialogRequest& r)
{
    requests.append({QStringLiteral("open"), r.title, 0, r.title, {}, r.filter, r.initialFolder, r.defaultExt, 0});
    return take(openFiles_);
}

QString ScriptedPlatform::saveFile(const FileDialogRequest& r)
{
    requests.append({QStringLiteral("save"), r.title, 0, r.title, {}, r.filter, r.initialFolder, r.defaultExt, 0});
    return take(saveFiles_);
}

quint32 ScriptedPlatform::chooseColor(quint32 preset)
{
    requests.append({QStringLiteral("color"), {}, 0, {}, {}, {}, {}, {}, preset});
    if (colors_.empty())
        return preset;
    auto c = colors_.front();
    colors_.pop_front();
    return c.value_or(preset);
}

QString ScriptedPlatform::chooseFolder(const QString& prompt)
{
    requests.append({QStringLiteral("folder"), prompt, 0, {}, {}, {}, {}, {}, 0});
    return take(folders_);
}

void ScriptedPlatform::shellOpen(const QString& target)
{
    requests.append({QStringLiteral("shell"), target, 0, {}, {}, {}, {}, {}, 0});
}

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
    for (const auto& r : requests)
        if (r.kind == QLatin1String("message"))
            out.append(r.text);
    return out;
}

int ScriptedPlatform::pendingAnswers() const
{
    return int(messages_.size() + inputs_.size() + openFiles_.size() + saveFiles_.size() + colors_.size() +
               folders_.size());
}

}  // namespace toravi
