#include "launcher.h"

#include "widgets/appcontext.h"
#include "widgets/controls.h"
#include "widgets/windownames.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace toravi {

namespace {
QGroupBox* moduleFrame(QWidget* parent, const char* frameName, const QString& caption, const char* labelName,
                       const QString& description, const char* stripName, QPushButton* start, QPushButton* about)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QString::fromLatin1(frameName));
    auto* label = new QLabel(description, frame);
    label->setObjectName(QString::fromLatin1(labelName));
    label->setWordWrap(true);
    auto* strip = new QWidget(frame);
    strip->setObjectName(QString::fromLatin1(stripName));
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(0, 0, 0, 0);
    start->setParent(strip);
    about->setParent(strip);
    stripLayout->addWidget(start, 1);
    stripLayout->addWidget(about);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(label);
    layout->addWidget(strip);
    return frame;
}

QPushButton* button(const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}
}  // namespace

Launcher::Launcher(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Toravi 2"));
    auto* startTooltip = button("Command1", QStringLiteral("Lancer le module Indo-Bulles"));
    auto* aboutTooltip = button("Command3", QStringLiteral("Présentation"));
    auto* startDragDrop = button("Command2", QStringLiteral("Lancer le module Glisser-Déplacer"));
    auto* aboutDragDrop = button("Command4", QStringLiteral("Présentation"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(moduleFrame(this, "Frame1", QStringLiteral("Info-bulles"), "Label1",
                                  QStringLiteral("Une image interactive dans laquelle des info-bulles apparaissent "
                                                 "au survol de la souris."),
                                  "Picture1", startTooltip, aboutTooltip));
    layout->addWidget(moduleFrame(this, "Frame2", QStringLiteral("Glisser-déplacer"), "Label2",
                                  QStringLiteral("Des objets entassés pêle-mêle à replacer au bon endroit par "
                                                 "glisser-déplacer sur une image."),
                                  "Picture2", startDragDrop, aboutDragDrop));
    setMinimumWidth(460);

    connect(startTooltip, &QPushButton::clicked, this, [this] {
        ctx_.windows.show(names::kPointEditor);
        ctx_.windows.hide(names::kDragDrop);
        hide();
    });
    connect(startDragDrop, &QPushButton::clicked, this, [this] {
        ctx_.windows.show(names::kDragDrop);
        ctx_.windows.hide(names::kPointEditor);
        hide();
    });
    connect(aboutTooltip, &QPushButton::clicked, this, [this] {
        ctx_.blnFromLauncher = true;
        ctx_.windows.show(names::kTooltipPresentation);
        hide();
    });
    connect(aboutDragDrop, &QPushButton::clicked, this, [this] {
        ctx_.blnFromLauncher = true;
        ctx_.windows.show(names::kDragDropPresentation);
        hide();
    });
    CentreOnScreen(this);
}

void Launcher::closeEvent(QCloseEvent* event)
{
    // Every open module asks about its unsaved project before anything closes: "Annuler" keeps all open.
    const std::pair<QString, ProjectModule*> modules[] = {{names::kPointEditor, &ctx_.tooltip},
                                                          {names::kDragDrop, &ctx_.dragdrop}};
    for (const auto& [window, module] : modules)
        if (QWidget* w = ctx_.windows.find(window); w && w->isVisible() && !module->AskToSave()) {
            event->ignore();
            return;
        }
    for (const QString& name : {names::kTooltipPresentation, names::kDragDropPresentation, names::kParameters,
                                names::kPointEditor, names::kDragDrop})
        ctx_.windows.unload(name);
    event->accept();
    ctx_.quit();
}

}  // namespace toravi
