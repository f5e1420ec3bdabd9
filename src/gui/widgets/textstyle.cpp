#include "widgets/textstyle.h"

#include "pages/colors.h"
#include "widgets/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace toravi {

TextStyleControls TextStyleControls::Make(QWidget* parent, const TextStyleNames& names)
{
    TextStyleControls c;
    c.size = Named(new QComboBox(parent), names.size);
    c.colour = MakeButton(names.colour, QStringLiteral("Couleur caractères"), parent);
    c.bold = MakeCheck(names.bold, QStringLiteral("Gras"), parent);
    c.italic = MakeCheck(names.italic, QStringLiteral("Italiques"), parent);
    c.underline = MakeCheck(names.underline, QStringLiteral("Souligné"), parent);
    return c;
}

QHBoxLayout* TextStyleControls::checksRow() const
{
    auto* row = new QHBoxLayout;
    row->addWidget(bold);
    row->addWidget(italic);
    row->addWidget(underline);
    row->addStretch(1);
    return row;
}

QList<QWidget*> TextStyleControls::widgets() const { return {size, colour, bold, italic, underline}; }

void TextStyleControls::bind(QObject* context, Platform& platform, const TextStyleSettings& s,
                             std::function<void()> changed) const
{
    auto style = [&](QCheckBox* box, QString* setting, const QString& word) {
        QObject::connect(box, &QCheckBox::clicked, context, [setting, word, changed](bool ticked) {
            *setting = ticked ? word : QString();
            changed();
        });
    };
    style(bold, s.bold, s.boldWord);
    style(italic, s.italic, s.italicWord);
    style(underline, s.underline, s.underlineWord);
    QComboBox* list = size;
    QObject::connect(list, &QComboBox::activated, context, [list, setting = s.size, changed] {
        *setting = list->currentText();
        changed();
    });
    QObject::connect(colour, &QPushButton::clicked, context, [&platform, setting = s.colour, changed] {
        PickColor(platform, *setting);
        changed();
    });
}

void TextStyleControls::show(const TextStyleSettings& s, QLabel* example, const QFont& font) const
{
    SetComboText(size, *s.size);
    const bool b = *s.bold == s.boldWord;
    const bool i = *s.italic == s.italicWord;
    const bool u = *s.underline == s.underlineWord;
    SetChecked(bold, b);
    SetChecked(italic, i);
    SetChecked(underline, u);
    Paint(example, QPalette::WindowText, WebColour(*s.colour));
    SetFontStyle(example, font, b, i, u);
}

}  // namespace toravi
