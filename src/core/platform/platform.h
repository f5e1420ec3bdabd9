#pragma once
// The platform room, under every other: the one door to dialogs, message boxes,
// prompts and the shell. Windows and operations never open a dialog themselves,
// so tests can script every answer. Uses nothing but Qt Core.
#include <QList>
#include <QString>

namespace toravi {

// Message box flags and results, as the program's texts use them.
enum MessageFlag : int {
    MB_OK = 0,
    MB_OKCANCEL = 1,
    MB_YESNOCANCEL = 3,
    MB_YESNO = 4,
    MB_ICONCRITICAL = 16,
    MB_ICONQUESTION = 32,
    MB_ICONEXCLAMATION = 48,
    MB_ICONINFORMATION = 64,
    MB_DEFBUTTON2 = 256,
};
enum MessageResult : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// Flag sums the program uses.
constexpr int kRefusal = MB_OK | MB_ICONCRITICAL;                         // 16
constexpr int kNotice = MB_OK | MB_ICONEXCLAMATION;                       // 48
constexpr int kOffer = MB_YESNO | MB_ICONINFORMATION;                     // 68
constexpr int kConfirm = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;      // 292
constexpr int kSaveFirst = MB_YESNOCANCEL | MB_ICONEXCLAMATION;           // 51: Oui, Non, Annuler

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

}  // namespace toravi
