#include "launcher.h"

#include "widgets/appcontext.h"
#include "widgets/controls.h"
#include "windowregistry.h"

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
    auto* command1 = button("Command1", QStringLiteral("Lancer le module Indo-Bulles"));
    auto* command3 = button("Command3", QStringLiteral("Présentation"));
    auto* command2 = button("Command2", QStringLiteral("Lancer le module Glisser-Déplacer"));
    auto* command4 = button("Command4", QStringLiteral("Présentation"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(moduleFrame(this, "Frame1", QStringLiteral("Info-bulles"), "Label1",
                                  QStringLiteral("Une image interactive dans laquelle des info-bulles apparaissent "
                                                 "au survol de la souris."),
                                  "Picture1", command1, command3));
    layout->addWidget(moduleFrame(this, "Frame2", QStringLiteral("Glisser-déplacer"), "Label2",
                                  QStringLiteral("Des objets entassés pêle-mêle à replacer au bon endroit par "
                                                 "glisser-déplacer sur une image."),
                                  "Picture2", command2, command4));
    setMinimumWidth(460);

    connect(command1, &QPushButton::clicked, this, [this] {
        ctx_.windows.show(QStringLiteral("Form1"));
        ctx_.windows.hide(QStringLiteral("IForm1"));
        hide();
    });
    connect(command2, &QPushButton::clicked, this, [this] {
        ctx_.windows.show(QStringLiteral("IForm1"));
        ctx_.windows.hide(QStringLiteral("Form1"));
        hide();
    });
    connect(command3, &QPushButton::clicked, this, [this] {
        ctx_.blnFromLauncher = true;
        ctx_.windows.show(QStringLiteral("FAbout"));
        hide();
    });
    connect(command4, &QPushButton::clicked, this, [this] {
        ctx_.blnFromLauncher = true;
        ctx_.windows.show(QStringLiteral("INT_FAbout"));
        hide();
    });
    CentreOnScreen(this);
}

void Launcher::closeEvent(QCloseEvent* event)
{
    for (const char* name : {"FAbout", "INT_FAbout", "Form2", "Form1", "IForm1"})
        ctx_.windows.unload(QString::fromLatin1(name));
    event->accept();
    ctx_.quit();
}

void RegisterLauncher(AppContext& ctx)
{
    ctx.windows.registerWindow(QStringLiteral("Form3"), [&ctx] { return new Launcher(ctx); });
}

}  // namespace toravi
