#pragma once
// Helpers both modules' windows build and refresh their controls with.
#include <QColor>
#include <QFont>
#include <QKeySequence>
#include <QList>
#include <QPalette>
#include <QString>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QMenuBar;
class QPushButton;
class QWidget;

namespace toravi {

class ProjectModule;

// Tests, balloon texts and the screenshot tools find controls by these names.
template <class T>
T* Named(T* object, const char* name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent);
// Never a default button: Enter in a dialog's box must not press it.
QPushButton* MakeButton(const char* name, const QString& text, QWidget* parent);
QCheckBox* MakeCheck(const char* name, const QString& text, QWidget* parent);
// The menu and the bar action that opens it both carry the name.
QMenu* MakeMenu(QMenuBar* bar, const char* name, const QString& text);
QAction* MakeAction(QMenu* menu, const char* name, const QString& text, const QKeySequence& shortcut = {});

// A refresh rewrites a control only when its content differs, so the caret,
// the selection and the undo history of the box being typed in survive, and
// the control's own change handlers do not run.
void SetText(QLineEdit* box, const QString& text);
// True when the text changed.
bool SetText(QLabel* label, const QString& text);
void SetChecked(QCheckBox* box, bool ticked);
// A value the list does not offer (an edited project file) shows no item
// rather than a wrong one.
void SetComboText(QComboBox* box, const QString& text);

// The colour of a project's colour text.
QColor WebColour(const QString& text);
void Paint(QWidget* widget, QPalette::ColorRole role, const QColor& colour);
// Also fills the widget's background, which plain widgets leave to their parent.
void PaintBackground(QWidget* widget, const QColor& colour);
// `font` made bold, italic and underlined as asked, shown by the label.
void SetFontStyle(QLabel* label, QFont font, bool bold, bool italic, bool underline);

// Centres a top-level window on its screen.
void CentreOnScreen(QWidget* window);

// The window's title marks the module's unsaved changes, as desktop programs do.
void ShowUnsavedInTitle(QWidget* window, ProjectModule& module);
// The first time the module's main window shows, once the event loop has shown
// it: the offer of a recovery file, then the watch over unsaved changes.
// `restored` runs when the teacher took the offer.
void StartOnFirstShow(QWidget* window, ProjectModule& module, std::function<void()> restored = {});

// Undo and redo of the module's history ("Annuler : <step>", "Rétablir : <step>"),
// Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z, added to `window`. A text field of the window
// keeps those keys while it has typing of its own to undo; leaving it or Enter
// makes its edit one step of the history.
QList<QAction*> AddUndoActions(QWidget* window, ProjectModule& module);
// The same in a menu "Édition", placed after the window's first menu.
void AddEditMenu(QMainWindow* window, ProjectModule& module);

}  // namespace toravi
