#pragma once
// The one door to dialogs, message boxes, prompts and the shell: windows and
// operations never open a dialog themselves, so tests can script every answer.
#include <QList>
#include <QString>
#include <deque>
#include <optional>

namespace toravi {

// Message box flags and results, as the program's texts use them.
enum MessageFlag : int {
    MB_OK = 0,
    MB_YESNO = 4,
    MB_ICONCRITICAL = 16,
    MB_ICONQUESTION = 32,
    MB_ICONEXCLAMATION = 48,
    MB_ICONINFORMATION = 64,
    MB_DEFBUTTON2 = 256,
};
enum MessageResult : int { IDOK = 1, IDYES = 6, IDNO = 7 };

// Flag sums the program uses.
constexpr int kRefusal = MB_OK | MB_ICONCRITICAL;                         // 16
constexpr int kNotice = MB_OK | MB_ICONEXCLAMATION;                       // 48
constexpr int kOffer = MB_YESNO | MB_ICONINFORMATION;                     // 68
constexpr int kConfirm = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;      // 292

inline const QString kTitle = QStringLiteral("Toravi");

struct FileDialogRequest {
    QString initialFolder;  // "" or the program folder or "C:\" as the callers give it
    QString defaultExt;     // without dot
    QString filter;         // "label|pattern|label|pattern"
    QString title;
};

class Platform {
public:
    virtual ~Platform() = default;
    virtual int messageBox(const QString& text, int flags, const QString& title = kTitle) = 0;
    // Cancel gives the empty text.
    virtual QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // Cancel gives the empty text.
    virtual QString openFile(const FileDialogRequest& request) = 0;
    virtual QString saveFile(const FileDialogRequest& request) = 0;
    // Colour values are 0x00BBGGRR; cancel gives the preset back.
    virtual quint32 chooseColor(quint32 preset) = 0;
    // Cancel gives the empty text.
    virtual QString chooseFolder(const QString& prompt) = 0;
    // Failures are ignored by every caller.
    virtual void shellOpen(const QString& target) = 0;
};

// Test double: answers from queues, records every request.
class ScriptedPlatform : public Platform {
public:
    struct Request {
        QString kind;  // "message", "input", "open", "save", "color", "folder", "shell"
        QString text;  // message text, prompt, dialog title, shell target
        int flags = 0;
        QString title;
        QString defaultText;
        QString filter;
        QString initialFolder;
        QString defaultExt;
        quint32 color = 0;
    };

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
    // Answers queued but never asked for.
    int pendingAnswers() const;

private:
    std::deque<int> messages_;
    std::deque<QString> inputs_, openFiles_, saveFiles_, folders_;
    std::deque<std::optional<quint32>> colors_;
};

}  // namespace toravi
