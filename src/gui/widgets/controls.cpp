#include "widgets/controls.h"

#include "pages/colors.h"
#include "project/projectmodule.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
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

}  // namespace toravi
