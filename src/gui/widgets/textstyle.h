#pragma once
// The text look controls both modules' windows offer for a title, a tooltip box
// or an instruction: a size list, a colour button and bold, italic, underline.
#include <QFont>
#include <QList>
#include <QString>

#include <functional>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QObject;
class QPushButton;
class QWidget;

namespace toravi {

class Platform;

// The objectNames of one group's controls.
struct TextStyleNames {
    const char* size;
    const char* colour;
    const char* bold;
    const char* italic;
    const char* underline;
};

// The settings a group edits: texts of a module's state, which lives as long as the window.
struct TextStyleSettings {
    QString* size;
    QString* colour;
    QString* bold;
    QString* italic;
    QString* underline;
    // What a ticked box stores; an unticked one stores nothing.
    QString boldWord, italicWord, underlineWord;
};

struct TextStyleControls {
    QComboBox* size = nullptr;
    QPushButton* colour = nullptr;
    QCheckBox* bold = nullptr;
    QCheckBox* italic = nullptr;
    QCheckBox* underline = nullptr;

    // The controls with their captions; the window places them.
    static TextStyleControls Make(QWidget* parent, const TextStyleNames& names);
    // The three boxes side by side, then a stretch.
    QHBoxLayout* checksRow() const;
    QList<QWidget*> widgets() const;
    // The window's one path of a change: `change` becomes a step named `step`.
    using Edit = std::function<void(const QString& step, const std::function<void()>& change)>;
    // Each control stores its choice into its setting through `edit`; `what` ends
    // the steps' names ("du titre").
    void bind(QObject* context, Platform& platform, const TextStyleSettings& settings, const QString& what,
              Edit edit) const;
    // Shows the settings, and `font` in that look and colour on `example`.
    void show(const TextStyleSettings& settings, QLabel* example, const QFont& font) const;
};

}  // namespace toravi
