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

void TextStyleControls::bind(QObject* context, Platform& platform, const TextStyleSettings& s, const QString& what,
                             Edit edit) const
{
    auto style = [&](QCheckBox* box, QString* setting, const QString& word, const char* name) {
        const QString step = QStringLiteral("modifier %1 %2").arg(QString::fromUtf8(name), what);
        QObject::connect(box, &QCheckBox::clicked, context, [setting, word, edit, step](bool ticked) {
            edit(step, [setting, word, ticked] { *setting = ticked ? word : QString(); });
        });
    };
    style(bold, s.bold, s.boldWord, "le gras");
    style(italic, s.italic, s.italicWord, "l'italique");
    style(underline, s.underline, s.underlineWord, "le soulignement");
    QComboBox* list = size;
    QObject::connect(list, &QComboBox::activated, context, [list, setting = s.size, edit, what] {
        edit(QStringLiteral("modifier la taille ") + what, [list, setting] { *setting = list->currentText(); });
    });
    QObject::connect(colour, &QPushButton::clicked, context, [&platform, setting = s.colour, edit, what] {
        edit(QStringLiteral("modifier la couleur ") + what, [&platform, setting] { PickColor(platform, *setting); });
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
