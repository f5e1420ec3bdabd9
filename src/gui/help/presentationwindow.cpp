#include "help/presentationwindow.h"

#include "files/files.h"
#include "platform/platform.h"
#include "toravi_version.h"
#include "widgets/appcontext.h"
#include "widgets/controls.h"
#include "widgets/windownames.h"

#include <QCloseEvent>
#include <QCursor>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <functional>

namespace toravi {

namespace {
// "Version 2.00.0000".
QString versionText()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(TORAVI_VERSION_MAJOR)
        .arg(TORAVI_VERSION_MINOR, 2, 10, QLatin1Char('0'))
        .arg(TORAVI_VERSION_PATCH, 4, 10, QLatin1Char('0'));
}

const QString kLegalNotice =
    QStringLiteral("© L'équipe Toravi. Les pages que vous créez, comme vos images, restent les vôtres.");

// A label that acts on a click (and on Enter or Space when it has the focus).
class ClickLabel : public QLabel {
public:
    ClickLabel(const QString& text, std::function<void()> action, QWidget* parent)
        : QLabel(text, parent), action_(std::move(action))
    {
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::TabFocus);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            action_();
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space)
            action_();
        else
            QLabel::keyPressEvent(event);
    }

private:
    std::function<void()> action_;
};

QLabel* centredLabel(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    label->setWordWrap(true);
    return label;
}

void styleAsLink(QLabel* label)
{
    QFont f = label->font();
    f.setUnderline(true);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, pal.color(QPalette::Link));
    label->setPalette(pal);
}

QFrame* separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

bool looksLikeLink(const QString& text)
{
    return text.startsWith(QLatin1String("http://")) || text.startsWith(QLatin1String("https://")) ||
           text.startsWith(QLatin1String("mailto:"));
}

}  // namespace

QString PresentationWindowName(HelpModule module)
{
    return module == HelpModule::Tooltip ? names::kTooltipPresentation : names::kDragDropPresentation;
}

QStringList PresentationSummary(HelpModule module)
{
    if (module == HelpModule::Tooltip)
        return {QStringLiteral("Intégration d'mages dans une page Web interactive."),
                QStringLiteral("Taille maximale des images 733x643"),
                QStringLiteral("(Optimisé pour une résolution d'écran de 1024x768)")};
    return {QStringLiteral("Glisser-déplacer d'images d'objets sur une image de fond."),
            QStringLiteral("Taille maximale conseillées des images : largeur 700."),
            QStringLiteral("Déplacement des objets : script ordre.js de l'équipe Toravi")};
}

QStringList PresentationGuide(HelpModule module)
{
    if (module == HelpModule::Tooltip)
        return {
            QStringLiteral("Pour commencer, choisissez le menu « Projet » puis « Paramètres »."),
            QStringLiteral("Choisissez le dossier de travail, de préférence un dossier vide : c'est là que "
                           "votre page Web sera créée."),
            QStringLiteral("Choisissez l'image de référence. Elle n'est jamais modifiée : elle doit donc déjà "
                           "porter des repères visibles qui montrent aux élèves où placer la souris."),
            QStringLiteral("Si vous le souhaitez, choisissez une image d'arrière-plan pour la page ; sinon, la "
                           "page aura un fond de couleur unie."),
            QStringLiteral("Tapez ensuite le nom du fichier de la page Web, le texte de la barre du navigateur "
                           "et le titre affiché sur la page, puis réglez l'apparence des info-bulles et validez. "
                           "Le programme crée alors le sous-dossier « img » et y copie les images."),
            QStringLiteral("Cliquez sur les points de l'image et tapez le texte de chacun. Un cercle rouge "
                           "marque chaque point ; si les cercles disparaissent, le menu « Affichage » puis "
                           "« Rafraîchir l'affichage » les redessine."),
            QStringLiteral("Pour corriger un nom, double-cliquez dessus dans la liste : un cercle vert montre "
                           "l'emplacement du point."),
            QStringLiteral("Terminez par le menu « Projet » puis « Créer la page Web ». Vous pourrez encore "
                           "ajouter des points ensuite, tant que le projet n'est pas réinitialisé ou le "
                           "programme fermé."),
            QStringLiteral("Votre projet peut être sauvegardé, puis rechargé plus tard pour modifier la page."),
            QStringLiteral("Vos suggestions sont les bienvenues : écrivez-nous en indiquant « Toravi » dans "
                           "l'objet du message."),
        };
    return {
        QStringLiteral("Avant de commencer, préparez vos images : la scène vidée de ses objets (l'image de "
                       "référence) et une image pour chacun des objets à replacer."),
        QStringLiteral("Choisissez le dossier de travail, de préférence un dossier vide : c'est là que votre "
                       "page Web sera créée."),
        QStringLiteral("Choisissez l'image de référence puis, si vous le souhaitez, une image d'arrière-plan "
                       "pour la page ; sinon, la page aura un fond de couleur unie. Vos images ne sont jamais "
                       "modifiées : le programme les copie dans le sous-dossier « img »."),
        QStringLiteral("Tapez le nom du fichier de la page Web, le texte de la barre du navigateur, le titre "
                       "affiché et la consigne, puis réglez les couleurs, les polices et l'emplacement de "
                       "départ de la pile d'objets."),
        QStringLiteral("Ajoutez ensuite les images des objets avec « Ajouter un objet » (Ctrl + F9). "
                       "Double-cliquez sur un objet pour modifier le texte de son info-bulle ou le supprimer."),
        QStringLiteral("Terminez par le menu « Projet » puis « Créer la page Web »."),
        QStringLiteral("Votre projet peut être sauvegardé, puis rechargé plus tard pour modifier la page."),
        QStringLiteral("Vos suggestions sont les bienvenues : écrivez-nous en indiquant « Toravi » dans "
                       "l'objet du message."),
    };
}

PresentationWindow::PresentationWindow(AppContext& ctx, HelpModule module, QWidget* parent)
    : QWidget(parent), ctx_(ctx), module_(module)
{
    setWindowTitle(kPresentationTitle);
    const bool tooltip = module == HelpModule::Tooltip;

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 16);
    layout->setSpacing(8);

    // The summary is drawn twice, the second copy a shade below the first.
    const QString summary = PresentationSummary(module).join(QLatin1Char('\n'));
    auto* heading = new QWidget(this);
    auto* headingLayout = new QGridLayout(heading);
    headingLayout->setContentsMargins(0, 0, 0, 0);
    auto* label3 = centredLabel("Label3", summary, heading);
    auto* label2 = centredLabel("Label2", summary, heading);
    QFont headingFont = label2->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.15);
    label2->setFont(headingFont);
    label3->setFont(headingFont);
    QPalette shade = label3->palette();
    QColor shadow = shade.color(QPalette::Mid);
    shadow.setAlpha(110);
    shade.setColor(QPalette::WindowText, shadow);
    label3->setPalette(shade);
    label3->setContentsMargins(1, 1, 0, 0);
    label2->setContentsMargins(0, 0, 1, 1);
    headingLayout->addWidget(label3, 0, 0);
    headingLayout->addWidget(label2, 0, 0);
    layout->addWidget(heading);
    layout->addSpacing(2);

    layout->addWidget(centredLabel("lblVersion", versionText(), this));
    layout->addWidget(separator(this));

    // The guide: readable paragraphs, scrolled only on small screens.
    QString guide;
    for (const QString& paragraph : PresentationGuide(module))
        guide += QStringLiteral("<p style=\"margin: 0 0 7px 0\">%1</p>").arg(paragraph.toHtmlEscaped());
    auto* label1 = new QLabel(guide, this);
    label1->setTextFormat(Qt::RichText);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label1->setMargin(4);
    const int guideWidth = 600;
    label1->setFixedWidth(guideWidth);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("guideArea"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(label1);
    scroll->setAlignment(Qt::AlignHCenter);
    int room = 520;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        room = std::max(200, screen->availableGeometry().height() - 380);
    const int guideHeight = label1->heightForWidth(guideWidth);
    label1->setFixedHeight(guideHeight);
    scroll->setMinimumWidth(guideWidth + scroll->verticalScrollBar()->sizeHint().width());
    scroll->setFixedHeight(std::min(guideHeight, room));
    layout->addWidget(scroll, 1);

    auto* label4 = new ClickLabel(QStringLiteral("Vos suggestions : %1").arg(kContactAddress),
                                  [this] { ctx_.platform.shellOpen(kContactMailto); }, this);
    label4->setObjectName(QStringLiteral("Label4"));
    label4->setAlignment(Qt::AlignCenter);
    styleAsLink(label4);
    layout->addWidget(label4);

    if (!tooltip) {
        auto* label6 = centredLabel(
            "Label6",
            QStringLiteral("Le déplacement des objets dans la page est assuré par ordre.js, notre propre script, "
                           "qui fonctionne sans connexion Internet."),
            this);
        layout->addWidget(label6);
    }

    layout->addWidget(separator(this));

    QLabel* company;
    if (tooltip) {
        // The company line opens what it names when that is a link; a plain name opens nothing.
        company = new ClickLabel(kCompanyText, [this] {
            const QString text = findChild<QLabel*>(QStringLiteral("lblCompany"))->text();
            if (looksLikeLink(text))
                ctx_.platform.shellOpen(text);
        }, this);
        if (!looksLikeLink(kCompanyText))
            company->setCursor(Qt::ArrowCursor);
    } else {
        company = new QLabel(kCompanyText, this);
    }
    company->setObjectName(QStringLiteral("lblCompany"));
    company->setAlignment(Qt::AlignCenter);
    layout->addWidget(company);

    auto* legal = centredLabel("Label5", kLegalNotice, this);
    QFont small = legal->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    legal->setFont(small);
    layout->addWidget(legal);

    auto* command1 = new QPushButton(QStringLiteral("Fermer"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setDefault(true);
    command1->setMinimumWidth(120);
    connect(command1, &QPushButton::clicked, this, &QWidget::close);
    layout->addSpacing(4);
    layout->addWidget(command1, 0, Qt::AlignHCenter);
    closeButton_ = command1;
    if (tooltip)
        command1->installEventFilter(this);

    command1->setFocus();
    CentreOnScreen(this);
}

bool PresentationWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == closeButton_ && event->type() == QEvent::FocusIn && !pointerPlaced_) {
        QCursor::setPos(closeButton_->mapToGlobal(closeButton_->rect().center()));
        pointerPlaced_ = true;
    }
    return QWidget::eventFilter(watched, event);
}

void PresentationWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PresentationWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (ctx_.blnFromLauncher) {
        ctx_.windows.show(names::kLauncher);
        return;
    }
    const QString owner = module_ == HelpModule::Tooltip ? names::kPointEditor : names::kDragDrop;
    if (QWidget* main = ctx_.windows.find(owner))
        main->setEnabled(true);
    ctx_.blnFromLauncher = false;
}

void OpenModuleHelp(AppContext& ctx, HelpModule module, QWidget* caller, bool disableCaller)
{
    const QString path = JoinPath(ProgramFolder(), kHelpFileName);
    if (QFileInfo(path).isFile()) {
        ctx.platform.shellOpen(path);
        return;
    }
    if (disableCaller && caller)
        caller->setEnabled(false);
    ctx.blnFromLauncher = false;
    const QString name = PresentationWindowName(module);
    ctx.windows.show(name);
    // Kept above the window it came from, which it holds disabled.
    QWidget* window = ctx.windows.find(name);
    if (window && caller && window->windowHandle() && caller->window()->windowHandle())
        window->windowHandle()->setTransientParent(caller->window()->windowHandle());
}

}  // namespace toravi
