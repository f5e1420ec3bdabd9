#pragma once
// The platform layer's test double: answers from queues, records every request.
#include "platform/platform.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <optional>

namespace toravi {

class ScriptedPlatform : public Platform {
public:
    struct Request {
        QString kind = {};  // "message", "input", "open", "save", "color", "folder", "shell"
        QString text = {};  // message text, prompt, dialog title, shell target
        int flags = 0;
        QString title = {};
        QString defaultText = {};
        QString initialFolder = {};
        quint32 color = 0;
    };

    // Unscripted: OK or No (also for Yes/No/Cancel), the empty text, the preset colour.
    void queueMessage(int result) { messages_.push_back(result); }
    void queueInput(const QString& text) { inputs_.push_back(text); }
    void queueOpenFile(const QString& path) { openFiles_.push_back(path); }
    void queueSaveFile(const QString& path) { saveFiles_.push_back(path); }
    void queueColor(std::optional<quint32> color) { colors_.push_back(color); }  // nullopt: cancel
    void queueFolder(const QString& path) { folders_.push_back(path); }

    int messageBox(const QString& text, int flags, const QString& title = kTitle) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFile(const FileDialogRequest& request) override;
    QString saveFile(const FileDialogRequest& request) override;
    quint32 chooseColor(quint32 preset) override;
    QString chooseFolder(const QString& prompt) override;
    void shellOpen(const QString& target) override;

    QList<Request> requests;
    QList<Request> requestsOf(const QString& kind) const;
    QStringList messageTexts() const;  // texts of the message boxes shown, in order
    void clear() { requests.clear(); }

private:
    std::deque<int> messages_;
    std::deque<QString> inputs_, openFiles_, saveFiles_, folders_;
    std::deque<std::optional<quint32>> colors_;
};

}  // namespace toravi
