#pragma once
#include "platform/platform.h"

#include <QHash>

namespace toravi {

// The real dialogs and shell, through Qt.
class QtPlatform : public Platform {
public:
    int messageBox(const QString& text, int flags, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFile(const FileDialogRequest& request) override;
    QString saveFile(const FileDialogRequest& request) override;
    quint32 chooseColor(quint32 preset) override;
    QString chooseFolder(const QString& prompt) override;
    void shellOpen(const QString& target) override;

    // "label|pattern|label|pattern" to Qt's "label (pattern);;label (pattern)".
    static QString QtFilter(const QString& filter);

private:
    QString fileDialog(const FileDialogRequest& request, bool save);
    // Each dialog (by its title) opens where it was last left during this run.
    QHash<QString, QString> lastFolders_;
    QString lastFolderChosen_;
};

}  // namespace toravi
