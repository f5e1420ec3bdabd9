#include "widgets/controls.h"

#include "pages/colors.h"
#include "project/projectmodule.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QTimer>

namespace toravi {

QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent)
{
    return Named(new QLabel(text, parent), name);
}

QPushButton* MakeButton(const char* name, const QString& text, QWidget* parent)
{
    auto* b = Named(new QPushButton(text, parent), name);
    b->setAutoDefault(false);
    return b;
}

QCheckBox* MakeCheck(const char* name, const QString& text, QWidget* parent)
{
    return Named(new QCheckBox(text, parent), name);
}

QMenu* MakeMenu(QMenuBar* bar, const char* name, const QString& text)
{
    auto* m = Named(bar->addMenu(text), name);
    Named(m->menuAction(), name);
    return m;
}

QAction* MakeAction(QMenu* menu, const char* name, const QString& text, const QKeySequence& shortcut)
{
    auto* a = Named(menu->addAction(text), name);
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    return a;
}

void SetText(QLineEdit* box, const QString& text)
{
    if (box->text() != text) {
        QSignalBlocker b(box);
        box->setText(text);
    }
}

bool SetText(QLabel* label, const QString& text)
{
    if (label->text() == text)
        return false;
    label->setText(text);
    return true;
}

void SetChecked(QCheckBox* box, bool ticked)
{
    if (box->isChecked() != ticked) {
        QSignalBlocker b(box);
        box->setChecked(ticked);
    }
}

void SetComboText(QComboBox* box, const QString& text)
{
    const int index = box->findText(text, Qt::MatchExactly);
    if (box->currentIndex() != index) {
        QSignalBlocker b(box);
        box->setCurrentIndex(index);
    }
}

QColor WebColour(const QString& text)
{
    const quint32 v = DecodeWebColor(text);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

void Paint(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    // Set in every colour group, so a disabled or inactive window shows it too;
    // Qt itself ignores a palette equal to the one in place.
    QPalette p = widget->palette();
    p.setColor(role, colour);
    widget->setPalette(p);
}

void PaintBackground(QWidget* widget, const QColor& colour)
{
    Paint(widget, QPalette::Window, colour);
    widget->setAutoFillBackground(true);
}

void SetFontStyle(QLabel* label, QFont font, bool bold, bool italic, bool underline)
{
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    label->setFont(font);  // Qt ignores an unchanged font
}

void CentreOnScreen(QWidget* window)
{
    QScreen* screen = window->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // adjustSize() would hold a top-level window to two thirds of the screen: the
    // windows get their full size when the screen has room for it.
    window->adjustSize();
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    window->resize(window->sizeHint().boundedTo(area.size() - frame).expandedTo(window->minimumSize()));
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
}

void ShowUnsavedInTitle(QWidget* window, ProjectModule& module)
{
    if (!window->windowTitle().contains(QLatin1String("[*]")))
        window->setWindowTitle(window->windowTitle() + QStringLiteral("[*]"));
    QObject::connect(&module, &ProjectModule::unsavedChanged, window, &QWidget::setWindowModified);
    window->setWindowModified(module.HasUnsavedChanges());
}

namespace {
class FirstShow : public QObject {
public:
    FirstShow(QWidget* window, std::function<void()> start) : QObject(window), start_(std::move(start))
    {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, watched, start_);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> start_;
};
}  // namespace

void StartOnFirstShow(QWidget* window, ProjectModule& module, std::function<void()> restored)
{
    new FirstShow(window, [&module, restored] {
        if (module.StartWithRecovery() && restored)
            restored();
    });
}

namespace {

QList<QKeySequence> RedoKeys()
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& k : {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)})
        if (!keys.contains(k))
            keys.append(k);
    return keys;
}

// Between a window's text fields and the module's history.
class TypingWatch : public QObject {
public:
    TypingWatch(ProjectModule& module, QWidget* window) : QObject(window), module_(module)
    {
        for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
            box->installEventFilter(this);
            connect(box, &QLineEdit::returnPressed, this, [this, box] { finish(box); });
        }
        for (QPlainTextEdit* box : window->findChildren<QPlainTextEdit*>())
            box->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut) {
            finish(watched);
        } else if (event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            const QKeySequence pressed(key->keyCombination());
            const bool undo = key->matches(QKeySequence::Undo);
            const bool redo = !undo && RedoKeys().contains(pressed);
            // Filtered without being accepted, the keys go to the window's actions.
            if ((undo || redo) && !ownHistory(watched, undo))
                return true;
        }
        return false;
    }

private:
    static bool ownHistory(QObject* box, bool undo)
    {
        if (auto* line = qobject_cast<QLineEdit*>(box))
            return undo ? line->isUndoAvailable() : line->isRedoAvailable();
        if (auto* text = qobject_cast<QPlainTextEdit*>(box))
            return undo ? text->document()->isUndoAvailable() : text->document()->isRedoAvailable();
        return false;
    }
    // The edit is one step now; the field's own typing history goes with it, so
    // that Ctrl+Z in it reaches the window's history.
    void finish(QObject* box)
    {
        module_.EndTyping();
        if (auto* line = qobject_cast<QLineEdit*>(box)) {
            if (!line->isUndoAvailable() && !line->isRedoAvailable())
                return;
            const QSignalBlocker b(line);
            const int at = line->cursorPosition();
            line->setText(line->text());
            line->setCursorPosition(at);
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(box)) {
            text->document()->clearUndoRedoStacks();
        }
    }
    ProjectModule& module_;
};

}  // namespace

QList<QAction*> AddUndoActions(QWidget* window, ProjectModule& module)
{
    auto* undo = Named(new QAction(window), "mnuAnnuler");
    auto* redo = Named(new QAction(window), "mnuRetablir");
    undo->setShortcuts(QKeySequence::Undo);
    redo->setShortcuts(RedoKeys());
    window->addAction(undo);
    window->addAction(redo);
    QObject::connect(undo, &QAction::triggered, &module, [&module] { module.Undo(); });
    QObject::connect(redo, &QAction::triggered, &module, [&module] { module.Redo(); });
    QUndoStack& history = module.History();
    auto show = [undo, redo, &history] {
        undo->setEnabled(history.canUndo());
        undo->setText(history.canUndo() ? QStringLiteral("Annuler : ") + history.undoText()
                                        : QStringLiteral("Annuler"));
        redo->setEnabled(history.canRedo());
        redo->setText(history.canRedo() ? QStringLiteral("Rétablir : ") + history.redoText()
                                        : QStringLiteral("Rétablir"));
    };
    QObject::connect(&history, &QUndoStack::indexChanged, undo, show);
    QObject::connect(&history, &QUndoStack::canRedoChanged, undo, show);
    QObject::connect(&history, &QUndoStack::undoTextChanged, undo, show);
    show();
    new TypingWatch(module, window);
    return {undo, redo};
}

void AddEditMenu(QMainWindow* window, ProjectModule& module)
{
    QMenuBar* bar = window->menuBar();
    const QList<QAction*> actions = AddUndoActions(window, module);
    auto* menu = Named(new QMenu(QStringLiteral("Édition"), bar), "mnuEdition");
    Named(menu->menuAction(), "mnuEdition");
    menu->addActions(actions);
    bar->insertMenu(bar->actions().value(1), menu);
}

}  // namespace toravi
