#include "widgets/qtplatform.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace toravi {

namespace {
QWidget* owner() { return QApplication::activeWindow(); }

QString plainLines(QString text)
{
    // The program's texts break lines with CR alone or CR LF.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
}  // namespace

int QtPlatform::messageBox(const QString& text, int flags, const QString& title)
{
    QMessageBox box(owner());
    box.setWindowTitle(title);
    box.setText(plainLines(text));
    switch (flags & 0x70) {
    case MB_ICONCRITICAL: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    if ((flags & 0xF) == MB_YESNOCANCEL) {
        auto* yes = box.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
        auto* no = box.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
        auto* cancel = box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(cancel);
        box.exec();
        return box.clickedButton() == yes ? IDYES : box.clickedButton() == no ? IDNO : IDCANCEL;
    }
    if (flags & MB_YESNO) {
        auto* yes = box.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
        auto* no = box.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
        box.setDefaultButton((flags & MB_DEFBUTTON2) ? no : yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? IDYES : IDNO;
    }
    auto* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    if ((flags & 0xF) == MB_OKCANCEL) {
        box.setEscapeButton(box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole));
        box.exec();
        return box.clickedButton() == ok ? IDOK : IDCANCEL;
    }
    box.exec();
    return IDOK;
}

QString QtPlatform::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    QInputDialog dialog(owner());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuler"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

QString QtPlatform::QtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i];
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
#ifndef Q_OS_WIN
        // "*.*" means every file on Windows; elsewhere "*" does.
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
#endif
        // Qt reads the patterns from the label's last parentheses: give it ours.
        qsizetype paren = label.lastIndexOf(QLatin1Char('('));
        if (paren >= 0 && label.endsWith(QLatin1Char(')')))
            label = label.left(paren).trimmed();
        out.append(label + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return out.join(QStringLiteral(";;"));
}

QString QtPlatform::fileDialog(const FileDialogRequest& r, bool save)
{
    QString folder = lastFolders_.value(r.title, r.initialFolder);
    QFileDialog dialog(owner(), r.title, folder, QtFilter(r.filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!r.defaultExt.isEmpty())
        dialog.setDefaultSuffix(r.defaultExt);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    lastFolders_.insert(r.title, QFileInfo(path).absolutePath());
    return path;
}

QString QtPlatform::openFile(const FileDialogRequest& request) { return fileDialog(request, false); }
QString QtPlatform::saveFile(const FileDialogRequest& request) { return fileDialog(request, true); }

quint32 QtPlatform::chooseColor(quint32 preset)
{
    const QColor initial(int(preset & 0xFF), int((preset >> 8) & 0xFF), int((preset >> 16) & 0xFF));
    const QColor c = QColorDialog::getColor(initial, owner());
    if (!c.isValid())
        return preset;
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

QString QtPlatform::chooseFolder(const QString& prompt)
{
    const QString start = lastFolderChosen_.isEmpty() ? QDir::homePath() : lastFolderChosen_;
    const QString folder = QFileDialog::getExistingDirectory(owner(), prompt, start);
    if (folder.isEmpty())
        return {};
    lastFolderChosen_ = folder;
    QString native = QDir::toNativeSeparators(folder);
    // A working folder has no trailing separator, but for a root.
    while (native.size() > 1 && native.endsWith(QDir::separator()) && !native.endsWith(QStringLiteral(":\\")))
        native.chop(1);
    return native;
}

void QtPlatform::shellOpen(const QString& target)
{
    const bool isUrl = target.startsWith(QLatin1String("mailto:")) || target.startsWith(QLatin1String("http:")) ||
                       target.startsWith(QLatin1String("https:"));
    QDesktopServices::openUrl(isUrl ? QUrl(target) : QUrl::fromLocalFile(target));
}

}  // namespace toravi
