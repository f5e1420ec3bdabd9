// Form1 (point editor) and Form2 (parameters) of the tooltip module.
#include "tooltip/tooltipwindows.h"

#include "shared/colors.h"
#include "shared/picturecache.h"
#include "shared/platform.h"
#include "shared/publish.h"
#include "widgets/appcontext.h"
#include "widgets/balloon.h"
#include "widgets/controls.h"
#include "help/presentation.h"
#include "tooltip/tooltipmodule.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QWindow>

#include <cmath>
#include <vector>

namespace toravi {

namespace {

const QString kForm1 = QStringLiteral("Form1");
const QString kForm2 = QStringLiteral("Form2");
const QString kForm3 = QStringLiteral("Form3");
const QString kNamePrompt = QStringLiteral("Nom de l'objet :");
const QString kNameTitle = QStringLiteral("Objet");

QFont ExampleFont(int pointSize)
{
    QFont f(QStringLiteral("Times New Roman"), pointSize);
    f.setStyleHint(QFont::Serif);
    return f;
}

// The lists follow the state entry by entry, so the user's selection survives
// a refresh that changes nothing.
void SyncList(QListWidget* list, const QStringList& values)
{
    const int current = list->currentRow();
    const int common = int(std::min<qsizetype>(list->count(), values.size()));
    for (int i = 0; i < common; ++i)
        if (list->item(i)->text() != values[i])
            list->item(i)->setText(values[i]);
    while (list->count() > values.size())
        delete list->takeItem(list->count() - 1);
    for (qsizetype i = list->count(); i < values.size(); ++i)
        list->addItem(values[i]);
    if (current >= list->count() && list->count() > 0)
        list->setCurrentRow(list->count() - 1);
}

}  // namespace

// ---------------------------------------------------------------------------
// PictureBox

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::ClickFocus);
}

void PictureBox::setPicture(const QImage& image)
{
    if (image.isNull()) {
        if (!pixmap_.isNull()) {
            pixmap_ = QPixmap();
            imageKey_ = 0;
            update();
        }
        return;
    }
    if (image.cacheKey() == imageKey_)
        return;
    imageKey_ = image.cacheKey();
    // Only the top-left corner is ever shown: a camera photo is not kept whole twice.
    const QRect shown = image.rect() & QRect(0, 0, kWidth, kHeight);
    pixmap_ = QPixmap::fromImage(shown == image.rect() ? image : image.copy(shown));
    pixmap_.setDevicePixelRatio(1.0);
    update();
}

void PictureBox::setMarks(const QList<QPoint>& points, int green)
{
    if (points == marks_ && green == green_)
        return;
    marks_ = points;
    green_ = green;
    update();
}

QPointF PictureBox::markCentre(QPoint stored)
{
    return QPointF(stored.x() + 0.5, stored.y() - kRowShift + 0.5);
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    if (!pixmap_.isNull())
        p.drawPixmap(0, 0, pixmap_);  // natural size, cut at the frame's edges
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < marks_.size(); ++i) {
        p.setPen(QPen(i == green_ ? QColor(0, 255, 0) : QColor(255, 0, 0), 2.0));
        p.drawEllipse(markCentre(marks_[i]), kMarkRadius, kMarkRadius);
    }
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (!wasPressed || event->button() != Qt::LeftButton)
        return;
    const QPointF pos = event->position();
    const int column = int(std::floor(pos.x()));
    const int row = int(std::floor(pos.y()));
    if (column < 0 || row < 0 || column >= kWidth || row >= kHeight)
        return;
    emit clicked(column, row);
}

// ---------------------------------------------------------------------------
// PathLabel

PathLabel::PathLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

QSize PathLabel::minimumSizeHint() const { return QSize(60, QLabel::minimumSizeHint().height()); }

QSize PathLabel::sizeHint() const { return QSize(240, QLabel::sizeHint().height()); }

void PathLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    drawFrame(&p);
    // Same inset as a plain framed label.
    const int inset = frameWidth() > 0 ? fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 : 0;
    const QRect r = contentsRect().adjusted(inset, 0, -inset, 0);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(r, Qt::AlignVCenter | Qt::AlignLeft, fontMetrics().elidedText(text(), Qt::ElideMiddle, r.width()));
}

// ---------------------------------------------------------------------------
// Form1: point editor

PointEditor::PointEditor(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx), tt_(ctx.tooltip)
{
    setWindowTitle(QStringLiteral("Toravi - Générateur de page Web interactive"));
    buildControls();
    buildMenus();
    connect(&tt_, &TooltipModule::refreshRequested, this, &PointEditor::RefreshParameters);

    HookBubble();
    SetBubbleWidth(500);
    SetBalloonText(list3_, QStringLiteral("<c>Double-clic ou clic + [Entrée] pour corriger les items.\r\n"
                                          "Clic + [Suppr] pour effacer un item."));
    tt_.ResetProject();
    CentreOnScreen(this);
}

void PointEditor::buildControls()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(4, 4, 8, 8);
    row->setSpacing(10);

    auto* border = new QFrame(central);
    border->setFrameShape(QFrame::StyledPanel);
    border->setFrameShadow(QFrame::Sunken);
    auto* borderLayout = new QVBoxLayout(border);
    const int bw = border->frameWidth();
    borderLayout->setContentsMargins(bw, bw, bw, bw);
    picture1_ = Named(new PictureBox(border), "Picture1");
    borderLayout->addWidget(picture1_);
    row->addWidget(border, 0, Qt::AlignTop | Qt::AlignLeft);

    label2_ = MakeLabel("Label2", QStringLiteral("Pour créer votre page Web, cliquez sur le menu 'Projet'."),
                        picture1_);
    label2_->setWordWrap(true);
    label2_->setAttribute(Qt::WA_TransparentForMouseEvents);  // a click on it is a click on the picture
    label2_->setAlignment(Qt::AlignCenter);
    label2_->setMargin(8);
    label2_->setFrameShape(QFrame::Box);
    PaintBackground(label2_, palette().color(QPalette::Base));
    {
        const int w = 260;
        const int h = label2_->heightForWidth(w);
        label2_->setGeometry((PictureBox::kWidth - w) / 2, (PictureBox::kHeight - h) / 2, w, h);
    }

    auto* side = new QVBoxLayout;
    side->setSpacing(4);
    label1_ = MakeLabel("Label1", QStringLiteral("Objets"), central);
    list3_ = Named(new QListWidget(central), "List3");
    list3_->setMinimumWidth(200);
    list3_->setSelectionMode(QAbstractItemView::SingleSelection);
    list3_->installEventFilter(this);
    side->addWidget(label1_);
    side->addWidget(list3_, 1);
    row->addLayout(side, 1);

    // The coordinates are kept beside the names but never shown.
    list1_ = Named(new QListWidget(central), "List1");
    list2_ = Named(new QListWidget(central), "List2");
    list1_->hide();
    list2_->hide();
    command1_ = MakeButton("Command1", QStringLiteral("Créer la page"), central);
    command1_->hide();

    connect(picture1_, &PictureBox::clicked, this, &PointEditor::addPoint);
    connect(list3_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { correctName(list3_->row(item)); });
    connect(command1_, &QPushButton::clicked, this, [this] { tt_.CreatePage(); });
}

void PointEditor::buildMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* fichier = MakeMenu(bar, "mnuFichier", QStringLiteral("Fichier"));
    QAction* reinit = MakeAction(fichier, "mnuReinit", QStringLiteral("Réinitialiser"),
                                 QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    QAction* quit = MakeAction(fichier, "mnuQuit", QStringLiteral("Quitter"));

    QMenu* projet = MakeMenu(bar, "mnuProjet", QStringLiteral("Projet"));
    QAction* param = MakeAction(projet, "mnuParam", QStringLiteral("Paramètres"), QKeySequence(Qt::CTRL | Qt::Key_P));
    QAction* load =
        MakeAction(projet, "mnuLoad", QStringLiteral("Charger un projet"), QKeySequence(Qt::CTRL | Qt::Key_L));
    QAction* save =
        MakeAction(projet, "mnuSave", QStringLiteral("Sauvegarder le projet"), QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction* creation = MakeAction(projet, "mnuCreation", QStringLiteral("Créer la page Web"),
                                   QKeySequence(Qt::CTRL | Qt::Key_F12));

    QMenu* affich = MakeMenu(bar, "mnuAffich", QStringLiteral("Affichage"));
    QAction* refresh =
        MakeAction(affich, "mnuRefresh", QStringLiteral("Rafraîchir l'affichage"), QKeySequence(Qt::Key_F5));

    QAction* aide = Named(bar->addAction(QStringLiteral("Aide")), "mnuAide");

    connect(reinit, &QAction::triggered, this, [this] { tt_.ReinitWithQuestion(); });
    connect(quit, &QAction::triggered, this, &PointEditor::quitProgram);
    connect(param, &QAction::triggered, this, &PointEditor::openParameters);
    connect(load, &QAction::triggered, this, [this] { tt_.LoadProject(); });
    connect(save, &QAction::triggered, this, [this] { tt_.SaveProject(); });
    connect(creation, &QAction::triggered, this, [this] { tt_.CreatePage(); });
    connect(refresh, &QAction::triggered, this, [this] { emit tt_.refreshRequested(); });
    connect(aide, &QAction::triggered, this, [this] { OpenModuleHelp(ctx_, HelpModule::Tooltip, this, true); });
}

void PointEditor::RefreshParameters()
{
    tt_.ApplyRefreshDefaults();
    const TooltipState& s = tt_.state;

    QStringList xs, ys, names;
    QList<QPoint> marks;
    for (const TooltipPoint& p : s.points) {
        xs << p.x;
        ys << p.y;
        names << p.name;
        bool okX = false, okY = false;
        const int x = p.x.toInt(&okX);
        const int y = p.y.toInt(&okY);
        if (okX && okY)
            marks << QPoint(x, y);
        else
            marks << QPoint(-1000, -1000);  // keeps the indexes, drawn out of sight
    }
    SyncList(list1_, xs);
    SyncList(list2_, ys);
    SyncList(list3_, names);

    if (s.pictureShown && !s.strImageFile.isEmpty()) {
        const QString path = JoinPath(JoinPath(s.strFolderName, QStringLiteral("img")), s.strImageFile);
        const QImage image = PictureCache::instance().load(path);
        // A failed reload of the same file keeps what is shown.
        if (!image.isNull()) {
            picture1_->setPicture(image);
            shownPath_ = path;
        } else if (path != shownPath_) {
            picture1_->setPicture(QImage());
            shownPath_.clear();
        }
    } else {
        picture1_->setPicture(QImage());
        shownPath_.clear();
    }

    if (correcting_ >= s.points.size())
        correcting_ = -1;
    picture1_->setMarks(marks, correcting_);
    label2_->setVisible(s.hintVisible);
}

int PointEditor::selectedIndex() const
{
    const int row = list3_->currentRow();
    if (row < 0 || row >= list3_->count() || row >= tt_.state.points.size() || !list3_->item(row)->isSelected())
        return -1;
    return row;
}

void PointEditor::addPoint(int column, int row)
{
    const QString x = QString::number(column);
    const QString y = QString::number(row + kRowShift);
    // Cancel gives an empty name: the point stays, its tooltip just never shows.
    const QString name = tt_.platform().inputBox(kNamePrompt, kNameTitle, QString());
    tt_.state.points.append({x, y, name});
    emit tt_.refreshRequested();
    if (list3_->count() > 0)
        list3_->scrollToItem(list3_->item(list3_->count() - 1));
}

void PointEditor::correctName(int index)
{
    if (index < 0 || index >= tt_.state.points.size())
        return;
    const QString remembered = tt_.state.points[index].name;
    correcting_ = index;
    RefreshParameters();
    picture1_->repaint();
    const QString answer = tt_.platform().inputBox(kNamePrompt, kNameTitle, remembered);
    correcting_ = -1;
    if (index < tt_.state.points.size())
        tt_.state.points[index].name = answer.isEmpty() ? remembered : answer;
    emit tt_.refreshRequested();
}

void PointEditor::deleteSelected()
{
    const int index = selectedIndex();
    if (index < 0)
        return;  // nothing selected: nothing to ask, nothing removed
    if (tt_.platform().messageBox(msg::DeleteQuestion, kConfirm, kTitle) == IDYES)
        tt_.state.points.removeAt(index);
}

bool PointEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list3_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete)
            deleteSelected();
        // Every key redraws the picture and its marks from the state.
        emit tt_.refreshRequested();
        if (key == Qt::Key_Delete)
            return true;
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            correctName(selectedIndex());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void PointEditor::openParameters()
{
    setEnabled(false);
    ctx_.windows.show(kForm2);
    // Kept above the editor it holds disabled.
    QWidget* form2 = ctx_.windows.find(kForm2);
    if (form2 && form2->windowHandle() && windowHandle())
        form2->windowHandle()->setTransientParent(windowHandle());
}

void PointEditor::quitProgram()
{
    AppContext& ctx = ctx_;  // this window is gone after its unload
    ctx.windows.unload(kForm2);
    ctx.windows.unload(kForm1);
    ctx.quit();
}

void PointEditor::closeEvent(QCloseEvent* event)
{
    UnhookBubble();
    ctx_.windows.unload(kForm2);
    ctx_.windows.show(kForm3);
    QMainWindow::closeEvent(event);
}

// ---------------------------------------------------------------------------
// Form2: parameters

ParametersWindow::ParametersWindow(AppContext& ctx, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), tt_(ctx.tooltip)
{
    setWindowTitle(QStringLiteral("Toravi - Générateur de page Web interactive - Paramètres"));
    buildControls();
    buildMenus();
    setBalloonTexts();
    cmbBaloonSize_->addItems(TooltipBaloonSizes());
    cmbTitelSize_->addItems(TooltipTitleSizes());
    cmbTitelPlacement_->addItems(PlacementItems());
    connectHandlers();
    connect(&tt_, &TooltipModule::refreshRequested, this, &ParametersWindow::RefreshParameters);
    RefreshParameters();
    CentreOnScreen(this);
}

void ParametersWindow::buildControls()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(10, 10, 10, 10);
    columns->setSpacing(10);

    auto frame = [central](const char* name, const QString& caption, const char* backdrop) {
        auto* box = Named(new QGroupBox(caption, central), name);
        auto* outer = new QVBoxLayout(box);
        outer->setContentsMargins(6, 6, 6, 6);
        auto* inner = Named(new QWidget(box), backdrop);
        outer->addWidget(inner);
        auto* grid = new QGridLayout(inner);
        grid->setContentsMargins(4, 4, 4, 4);
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(6);
        return std::pair<QGroupBox*, QGridLayout*>(box, grid);
    };
    auto required = [](QLabel* label) {
        QFont f = label->font();
        f.setItalic(true);
        f.setPointSizeF(f.pointSizeF() * 0.9);
        label->setFont(f);
        Paint(label, QPalette::WindowText, QColor(0x99, 0x10, 0x10));
    };
    auto value = [](QLabel* label) {
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumHeight(label->sizeHint().height() + 4);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    };

    // Frame3 "Image de référence"
    auto [frame3, g3] = frame("Frame3", QStringLiteral("Image de référence"), "pctfond1");
    QWidget* p3 = g3->parentWidget();
    lblstrFolderName_ = MakeLabel("lblstrFolderName", QStringLiteral("Dossier de travail"), p3);
    txtstrFolderName_ = Named(new QLineEdit(p3), "txtstrFolderName");
    cmdstrFolderName_ = MakeButton("cmdstrFolderName", QStringLiteral("Parcourir"), p3);
    lblOrigImageFile_ = MakeLabel("lblOrigImageFile", QStringLiteral("Choisir l'image de référence"), p3);
    cmdOrigImageFile_ = MakeButton("cmdOrigImageFile", QStringLiteral("Parcourir"), p3);
    lbltxtOrigImageFile_ = Named(new PathLabel(p3), "lbltxtOrigImageFile");
    auto* lblImageFile = MakeLabel("lblImageFile", QStringLiteral("Image de référence"), p3);
    lbltxtImageFile_ = MakeLabel("lbltxtImageFile", QString(), p3);
    auto* lblCaracteristiques = MakeLabel("lblCaracteristiques", QStringLiteral("Caracteristiques de l'image"), p3);
    auto* lblLargeur = MakeLabel("lblLargeur", QStringLiteral("Largeur"), p3);
    lblValLargeur_ = MakeLabel("lblValLargeur", QString(), p3);
    auto* lblHauteur = MakeLabel("lblHauteur", QStringLiteral("Hauteur"), p3);
    lblValHauteur_ = MakeLabel("lblValHauteur", QString(), p3);
    auto* label5 = MakeLabel("Label5", QStringLiteral("Champs obligatoires"), p3);
    required(label5);
    for (QLabel* l : {static_cast<QLabel*>(lbltxtOrigImageFile_), lbltxtImageFile_})
        value(l);
    lblValLargeur_->setMinimumWidth(44);
    lblValHauteur_->setMinimumWidth(44);
    auto* sizes = new QHBoxLayout;
    sizes->setSpacing(6);
    sizes->addWidget(lblLargeur);
    sizes->addWidget(lblValLargeur_);
    sizes->addSpacing(12);
    sizes->addWidget(lblHauteur);
    sizes->addWidget(lblValHauteur_);
    sizes->addStretch(1);
    g3->addWidget(lblstrFolderName_, 0, 0);
    g3->addWidget(txtstrFolderName_, 0, 1);
    g3->addWidget(cmdstrFolderName_, 0, 2);
    g3->addWidget(lblOrigImageFile_, 1, 0);
    g3->addWidget(lbltxtOrigImageFile_, 1, 1);
    g3->addWidget(cmdOrigImageFile_, 1, 2);
    g3->addWidget(lblImageFile, 2, 0);
    g3->addWidget(lbltxtImageFile_, 2, 1);
    g3->addWidget(lblCaracteristiques, 3, 0);
    g3->addLayout(sizes, 3, 1);
    g3->addWidget(label5, 4, 1, 1, 2, Qt::AlignRight);
    g3->setColumnStretch(1, 1);

    // Frame2 "Caractéristique de la page Web"
    auto [frame2, g2] = frame("Frame2", QStringLiteral("Caractéristique de la page Web"), "pctfond2");
    QWidget* p2 = g2->parentWidget();
    auto* label4 = MakeLabel("Label4", QStringLiteral("Arrière-plan"), p2);
    command1_ = MakeButton("Command1", QStringLiteral("Fond uniforme"), p2);
    pictureFond_ = Named(new QFrame(p2), "PictureFond");
    pictureFond_->setFrameShape(QFrame::Box);
    pictureFond_->setFixedSize(56, command1_->sizeHint().height());
    lblOrigBackgroundImage_ = MakeLabel("lblOrigBackgroundImage", QStringLiteral("Choisir l'image d'arrière-plan"), p2);
    cmdOrigBackgroundImage_ = MakeButton("cmdOrigBackgroundImage", QStringLiteral("Parcourir"), p2);
    lbltxtOrigBackgroundImage_ = Named(new PathLabel(p2), "lbltxtOrigBackgroundImage");
    auto* lblstrBackgroundImage = MakeLabel("lblstrBackgroundImage", QStringLiteral("Image d'arrière-plan"), p2);
    lbltxtBackgroundImage_ = MakeLabel("lbltxtBackgroundImage", QString(), p2);
    lblPageWeb_ = MakeLabel("lblPageWeb", QStringLiteral("Nom de fichier de la page Web"), p2);
    txtPageWeb_ = Named(new QLineEdit(p2), "txtPageWeb");
    auto* label2 = MakeLabel("Label2", QStringLiteral("Page Web (Chemin complet)"), p2);
    lblPageWebPath_ = Named(new PathLabel(p2), "lblPageWebPath");
    lblstrTitre_ = MakeLabel("lblstrTitre", QStringLiteral("Titre de la page Web"), p2);
    txtstrTitre_ = Named(new QLineEdit(p2), "txtstrTitre");
    lblstrAffiche_ = MakeLabel("lblstrAffiche", QStringLiteral("Titre affiché sur la page"), p2);
    txtstrAffiche_ = Named(new QLineEdit(p2), "txtstrAffiche");
    // The description is never typed here: it keeps a loaded project's value or its default.
    auto* lblstrContent = MakeLabel("lblstrContent", QStringLiteral("Description de la page Web"), p2);
    txtstrContent_ = Named(new QLineEdit(p2), "txtstrContent");
    lblstrContent->hide();
    txtstrContent_->hide();
    auto* label3 = MakeLabel("Label3", QStringLiteral("Champ obligatoire"), p2);
    required(label3);
    for (QLabel* l : {static_cast<QLabel*>(lbltxtOrigBackgroundImage_), lbltxtBackgroundImage_,
                      static_cast<QLabel*>(lblPageWebPath_)})
        value(l);
    auto* plain = new QHBoxLayout;
    plain->setSpacing(8);
    plain->addWidget(command1_);
    plain->addWidget(pictureFond_);
    plain->addStretch(1);
    g2->addWidget(label4, 0, 0);
    g2->addLayout(plain, 0, 1, 1, 2);
    g2->addWidget(lblOrigBackgroundImage_, 1, 0);
    g2->addWidget(lbltxtOrigBackgroundImage_, 1, 1);
    g2->addWidget(cmdOrigBackgroundImage_, 1, 2);
    g2->addWidget(lblstrBackgroundImage, 2, 0);
    g2->addWidget(lbltxtBackgroundImage_, 2, 1);
    g2->addWidget(lblPageWeb_, 3, 0);
    g2->addWidget(txtPageWeb_, 3, 1);
    g2->addWidget(label2, 4, 0);
    g2->addWidget(lblPageWebPath_, 4, 1, 1, 2);
    g2->addWidget(lblstrTitre_, 5, 0);
    g2->addWidget(txtstrTitre_, 5, 1);
    g2->addWidget(lblstrContent, 6, 0);
    g2->addWidget(txtstrContent_, 6, 1);
    g2->addWidget(lblstrAffiche_, 6, 0);
    g2->addWidget(txtstrAffiche_, 6, 1);
    g2->addWidget(label3, 7, 1, 1, 2, Qt::AlignRight);
    g2->setColumnStretch(1, 1);
    // Both frames' value columns start at the same place.
    int labelWidth = 0;
    for (QLabel* l : {lblstrFolderName_, lblOrigImageFile_, lblCaracteristiques, lblOrigBackgroundImage_, lblPageWeb_,
                      label2, lblstrTitre_, lblstrAffiche_})
        labelWidth = std::max(labelWidth, l->sizeHint().width());
    g3->setColumnMinimumWidth(0, labelWidth);
    g2->setColumnMinimumWidth(0, labelWidth);

    // Frame1 "Info-bulles"
    auto [frame1, g1] = frame("Frame1", QStringLiteral("Info-bulles"), "pctfond3");
    QWidget* p1 = g1->parentWidget();
    command2_ = MakeButton("Command2", QStringLiteral("Couleur caractères"), p1);
    cmdFonBulle_ = MakeButton("cmdFonBulle", QStringLiteral("Couleur du Fond"), p1);
    for (QPushButton* b : {command2_, cmdFonBulle_})
        b->setMinimumWidth(b->sizeHint().width() + 16);
    auto* lblBaloonSize = MakeLabel("lblBaloonSize", QStringLiteral("Taille des caractères"), p1);
    cmbBaloonSize_ = Named(new QComboBox(p1), "cmbBaloonSize");
    checkBaloonBold_ = MakeCheck("CheckBaloonBold", QStringLiteral("Gras"), p1);
    checkBaloonItalic_ = MakeCheck("CheckBaloonItalic", QStringLiteral("Italiques"), p1);
    checkBaloonUnderlined_ = MakeCheck("CheckBaloonUnderlined", QStringLiteral("Souligné"), p1);
    pictureBaloon_ = Named(new QFrame(p1), "PictureBaloon");
    pictureBaloon_->setFrameShape(QFrame::Box);
    pictureBaloon_->setMinimumHeight(56);
    lblExemple_ = MakeLabel("lblExemple", QStringLiteral("Exemple"), pictureBaloon_);
    lblExemple_->setFont(ExampleFont(14));
    lblExemple_->setAlignment(Qt::AlignCenter);
    lblExemple_->setMargin(4);
    auto* baloonLayout = new QHBoxLayout(pictureBaloon_);
    baloonLayout->setContentsMargins(10, 8, 10, 8);
    baloonLayout->addWidget(lblExemple_, 0, Qt::AlignCenter);
    auto* styles1 = new QHBoxLayout;
    styles1->addWidget(checkBaloonBold_);
    styles1->addWidget(checkBaloonItalic_);
    styles1->addWidget(checkBaloonUnderlined_);
    styles1->addStretch(1);
    g1->addWidget(command2_, 0, 0);
    g1->addWidget(cmdFonBulle_, 0, 1);
    g1->addWidget(lblBaloonSize, 1, 0);
    g1->addWidget(cmbBaloonSize_, 1, 1);
    g1->addLayout(styles1, 2, 0, 1, 2);
    g1->addWidget(pictureBaloon_, 3, 0, 1, 2);

    // Frame4 "Affichage du titre de la page Web"
    auto [frame4, g4] = frame("Frame4", QStringLiteral("Affichage du titre de la page Web"), "pctfond4");
    QWidget* p4 = g4->parentWidget();
    cmdTitelColor_ = MakeButton("cmdTitelColor", QStringLiteral("Couleur caractères"), p4);
    auto* lblTitelSize = MakeLabel("lblTitelSize", QStringLiteral("Taille"), p4);
    cmbTitelSize_ = Named(new QComboBox(p4), "CmbTitelSize");
    auto* label6 = MakeLabel("Label6", QStringLiteral("Emplacement"), p4);
    cmbTitelPlacement_ = Named(new QComboBox(p4), "cmbTitelPlacement");
    checkTitelBold_ = MakeCheck("CheckTitelBold", QStringLiteral("Gras"), p4);
    checkTitelItalic_ = MakeCheck("CheckTitelItalic", QStringLiteral("Italiques"), p4);
    checkTitelUnderline_ = MakeCheck("CheckTitelUnderline", QStringLiteral("Souligné"), p4);
    lblTitelExemple_ = MakeLabel("lblTitelExemple", QStringLiteral("Exemple"), p4);
    lblTitelExemple_->setFont(ExampleFont(18));
    lblTitelExemple_->setAlignment(Qt::AlignCenter);
    lblTitelExemple_->setFrameShape(QFrame::Box);
    lblTitelExemple_->setMinimumHeight(56);
    auto* styles4 = new QHBoxLayout;
    styles4->addWidget(checkTitelBold_);
    styles4->addWidget(checkTitelItalic_);
    styles4->addWidget(checkTitelUnderline_);
    styles4->addStretch(1);
    g4->addWidget(cmdTitelColor_, 0, 0, 1, 2);
    g4->addWidget(lblTitelSize, 1, 0);
    g4->addWidget(cmbTitelSize_, 1, 1);
    g4->addWidget(label6, 2, 0);
    g4->addWidget(cmbTitelPlacement_, 2, 1);
    g4->addLayout(styles4, 3, 0, 1, 2);
    g4->addWidget(lblTitelExemple_, 4, 0, 1, 2);

    cmdValider_ = MakeButton("cmdValider", QStringLiteral("Valider"), central);
    cmdValider_->setMinimumWidth(140);
    cmdValider_->setDefault(true);

    // Value holders: the user sees the labels beside them.
    txtOrigImageFile_ = Named(new QLineEdit(central), "txtOrigImageFile");
    txtOrigBackgroundImage_ = Named(new QLineEdit(central), "txtOrigBackgroundImage");
    txtImageFile_ = Named(new QLineEdit(central), "txtImageFile");
    txtstrBackgroundImage_ = Named(new QLineEdit(central), "txtstrBackgroundImage");
    for (QLineEdit* holder : {txtOrigImageFile_, txtOrigBackgroundImage_, txtImageFile_, txtstrBackgroundImage_})
        holder->hide();

    auto* left = new QVBoxLayout;
    left->setSpacing(10);
    left->addWidget(frame3);
    left->addWidget(frame2);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->setSpacing(10);
    right->addWidget(frame1);
    right->addWidget(frame4);
    right->addStretch(1);
    right->addWidget(cmdValider_, 0, Qt::AlignRight);
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);

    folderDependent_ = {txtOrigImageFile_,   txtOrigBackgroundImage_, txtImageFile_,
                        txtstrBackgroundImage_, txtPageWeb_,          txtstrTitre_,
                        txtstrContent_,      txtstrAffiche_,          cmdOrigImageFile_,
                        cmdOrigBackgroundImage_, command1_,           cmbBaloonSize_,
                        checkBaloonBold_,    checkBaloonItalic_,      checkBaloonUnderlined_,
                        cmdFonBulle_,        command2_,               cmbTitelSize_,
                        cmbTitelPlacement_,  checkTitelBold_,         checkTitelItalic_,
                        checkTitelUnderline_, cmdTitelColor_};
}

void ParametersWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* fichier = MakeMenu(bar, "mnuFichier", QStringLiteral("Fichier"));
    QAction* reinit = MakeAction(fichier, "mnuReinit", QStringLiteral("Réinitialiser"),
                                 QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    QAction* quit = MakeAction(fichier, "mnuQuit", QStringLiteral("Quitter"));
    QMenu* projet = MakeMenu(bar, "mnuProjet", QStringLiteral("Projet"));
    QAction* load =
        MakeAction(projet, "mnuLoad", QStringLiteral("Charger un projet"), QKeySequence(Qt::CTRL | Qt::Key_L));
    QAction* save =
        MakeAction(projet, "mnuSave", QStringLiteral("Sauvegarder le projet"), QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction* valider = MakeAction(projet, "mnuValider", QStringLiteral("Valider"));
    QAction* aide = Named(bar->addAction(QStringLiteral("Aide")), "mnuAide");

    connect(reinit, &QAction::triggered, this, [this] { tt_.ReinitWithQuestion(); });
    // Only this window closes; its close gives the point editor back.
    connect(quit, &QAction::triggered, this, &QWidget::close);
    connect(load, &QAction::triggered, this, [this] { tt_.LoadProject(); });
    connect(save, &QAction::triggered, this, [this] { tt_.SaveProject(); });
    connect(valider, &QAction::triggered, this, &ParametersWindow::validate);
    connect(aide, &QAction::triggered, this, [this] { OpenModuleHelp(ctx_, HelpModule::Tooltip, this, false); });
}

void ParametersWindow::setBalloonTexts()
{
    const QString crlf = QStringLiteral("\r\n");
    SetBalloonText(lblstrFolderName_, QStringLiteral("Le dossier où seront créés la page Web,") + crlf +
                                          QStringLiteral("son script et le sous-dossier img des images.") + crlf +
                                          QStringLiteral("De préférence un dossier vide."));
    SetBalloonText(cmdstrFolderName_, QStringLiteral("Choisir le dossier de travail."));
    SetBalloonText(lblOrigImageFile_,
                   QStringLiteral("L'image sur laquelle vous placerez les points.") + crlf +
                       QStringLiteral("Elle n'est jamais modifiée : une copie est faite dans le dossier img.") + crlf +
                       QStringLiteral("Elle doit déjà montrer des repères visibles pour les élèves."));
    SetBalloonText(cmdOrigImageFile_, QStringLiteral("Choisir l'image de référence (obligatoire)."));
    SetBalloonText(lblOrigBackgroundImage_, QStringLiteral("Une image affichée en fond de page (facultatif).") +
                                                crlf +
                                                QStringLiteral("Sans image, la page prend la couleur unie choisie."));
    SetBalloonText(cmdOrigBackgroundImage_, QStringLiteral("Choisir l'image d'arrière-plan (facultatif)."));
    SetBalloonText(lblPageWeb_, QStringLiteral("Le nom du fichier de la page, sans chemin.") + crlf +
                                    QStringLiteral("L'extension .htm est ajoutée d'office."));
    SetBalloonText(lblstrTitre_, QStringLiteral("Le texte affiché dans la barre de titre du navigateur."));
    SetBalloonText(lblstrAffiche_, QStringLiteral("Le titre affiché en haut de la page, au-dessus de l'image."));
}

void ParametersWindow::refresh() { emit tt_.refreshRequested(); }

void ParametersWindow::connectHandlers()
{
    TooltipState& s = tt_.state;
    Platform& platform = tt_.platform();

    connect(cmdstrFolderName_, &QPushButton::clicked, this, [this] { tt_.ChooseWorkingFolder(); });
    connect(cmdOrigImageFile_, &QPushButton::clicked, this, [this] { tt_.ChooseReferencePicture(); });
    connect(cmdOrigBackgroundImage_, &QPushButton::clicked, this, [this] { tt_.ChooseBackgroundPicture(); });
    connect(command1_, &QPushButton::clicked, this, [this] { tt_.PlainBackground(); });
    connect(command2_, &QPushButton::clicked, this, [this, &s, &platform] {
        PickColor(platform, s.strBaloonColor);
        refresh();
    });
    connect(cmdFonBulle_, &QPushButton::clicked, this, [this, &s, &platform] {
        PickColor(platform, s.strBaloonBackColor);
        refresh();
    });
    connect(cmdTitelColor_, &QPushButton::clicked, this, [this, &s, &platform] {
        PickColor(platform, s.strTitelColor);
        refresh();
    });

    auto style = [this](QCheckBox* box, QString& setting, const QString& word) {
        connect(box, &QCheckBox::clicked, this, [this, &setting, word](bool ticked) {
            setting = ticked ? word : QString();
            refresh();
        });
    };
    style(checkBaloonBold_, s.strBaloonBold, words::cssBold);
    style(checkBaloonItalic_, s.strBaloonItalic, words::cssItalic);
    style(checkBaloonUnderlined_, s.strBaloonUnderlined, words::cssUnderline);
    style(checkTitelBold_, s.strTitelBold, words::bold);
    style(checkTitelItalic_, s.strTitelItalic, words::italic);
    style(checkTitelUnderline_, s.strTitelUnderline, words::underlined);

    connect(cmbBaloonSize_, &QComboBox::activated, this, [this, &s] {
        s.strBaloonSize = cmbBaloonSize_->currentText();
        refresh();
    });
    connect(cmbTitelSize_, &QComboBox::activated, this, [this, &s] {
        s.strTitelSize = cmbTitelSize_->currentText();
        refresh();
    });
    connect(cmbTitelPlacement_, &QComboBox::activated, this, [this, &s] {
        const QString stored = PlacementFromFrench(cmbTitelPlacement_->currentText());
        if (!stored.isEmpty())
            s.strTitelPlacement = stored;
    });

    connect(txtstrTitre_, &QLineEdit::textChanged, this, [&s](const QString& t) { s.strTitre = t; });
    connect(txtstrContent_, &QLineEdit::textChanged, this, [&s](const QString& t) { s.strContent = t; });
    // Kept at once like the browser title: a later refresh would otherwise put
    // back the old title while the user is still setting the look.
    connect(txtstrAffiche_, &QLineEdit::textChanged, this, [&s](const QString& t) { s.strAffiche = t; });
    connect(txtPageWeb_, &QLineEdit::textChanged, this, [this](const QString& t) {
        tt_.SetPageName(t);
        SetText(lblPageWebPath_, tt_.state.strPageWeb);
    });
    connect(txtOrigImageFile_, &QLineEdit::textChanged, this, [this, &s](const QString& t) {
        s.strFileName = LastComponent(t);
        SetText(lbltxtImageFile_, s.strFileName);
    });
    connect(txtOrigBackgroundImage_, &QLineEdit::textChanged, this, [this, &s](const QString& t) {
        s.strFileName = LastComponent(t);
        SetText(lbltxtBackgroundImage_, s.strFileName);
    });

    connect(cmdValider_, &QPushButton::clicked, this, &ParametersWindow::validate);
}

void ParametersWindow::validate()
{
    TooltipState& s = tt_.state;
    s.strFolderName = txtstrFolderName_->text();
    s.strOrigImageFile = txtOrigImageFile_->text();
    s.strImageFile = lbltxtImageFile_->text();
    s.strOrigBackgroundImage = txtOrigBackgroundImage_->text();
    s.strBackgroundImage = lbltxtBackgroundImage_->text();
    s.strPageWeb = lblPageWebPath_->text();
    s.strTitre = txtstrTitre_->text();
    s.strContent = txtstrContent_->text();
    s.strAffiche = txtstrAffiche_->text();
    if (tt_.Validate())
        close();
}

void ParametersWindow::RefreshParameters()
{
    tt_.ApplyRefreshDefaults();
    const TooltipState& s = tt_.state;

    // The state is already what the controls are about to show: their own
    // change handlers must not run again.
    std::vector<QSignalBlocker> quiet;
    for (QObject* o : std::initializer_list<QObject*>{
             txtstrFolderName_, txtOrigImageFile_, txtOrigBackgroundImage_, txtImageFile_, txtstrBackgroundImage_,
             txtPageWeb_, txtstrTitre_, txtstrContent_, txtstrAffiche_, cmbBaloonSize_, cmbTitelSize_,
             cmbTitelPlacement_, checkBaloonBold_, checkBaloonItalic_, checkBaloonUnderlined_, checkTitelBold_,
             checkTitelItalic_, checkTitelUnderline_})
        quiet.emplace_back(o);

    // 1. Boxes and their labels.
    SetText(txtstrFolderName_, s.strFolderName);
    SetText(txtOrigImageFile_, s.strOrigImageFile);
    SetText(lbltxtOrigImageFile_, s.strOrigImageFile);
    lbltxtOrigImageFile_->setToolTip(s.strOrigImageFile);
    SetText(txtOrigBackgroundImage_, s.strOrigBackgroundImage);
    SetText(lbltxtOrigBackgroundImage_, s.strOrigBackgroundImage);
    lbltxtOrigBackgroundImage_->setToolTip(s.strOrigBackgroundImage);
    SetText(txtImageFile_, s.strImageFile);
    SetText(lbltxtImageFile_, s.strImageFile);
    SetText(txtstrBackgroundImage_, s.strBackgroundImage);
    SetText(lbltxtBackgroundImage_, s.strBackgroundImage);

    // 2. Page file (the state part ran in ApplyRefreshDefaults).
    SetText(txtPageWeb_, LastComponent(s.strPageWeb));
    SetText(lblPageWebPath_, s.strPageWeb);
    lblPageWebPath_->setToolTip(s.strPageWeb);

    // 3. Titles and description.
    SetText(txtstrTitre_, s.strTitre);
    SetText(txtstrContent_, s.strContent);
    SetText(txtstrAffiche_, s.strAffiche);

    // 4. Picture size.
    SetText(lblValLargeur_, s.strLargeur);
    SetText(lblValHauteur_, s.strHauteur);

    // 5. Nothing but the folder is usable before there is a folder.
    const bool haveFolder = !txtstrFolderName_->text().isEmpty();
    for (QWidget* w : std::as_const(folderDependent_))
        w->setEnabled(haveFolder);

    // 6. The marks are drawn by the point editor's own refresh.

    // 7. Page background.
    PaintBackground(pictureFond_, WebColour(s.strBackgroundColor));

    // 8 to 10. Tooltip box.
    SetComboText(cmbBaloonSize_, s.strBaloonSize);
    PaintBackground(pictureBaloon_, WebColour(s.strBaloonBackColor));
    PaintBackground(lblExemple_, WebColour(s.strBaloonBackColor));
    Paint(lblExemple_, QPalette::WindowText, WebColour(s.strBaloonColor));
    const bool bBold = s.strBaloonBold == words::cssBold;
    const bool bItalic = s.strBaloonItalic == words::cssItalic;
    const bool bUnder = s.strBaloonUnderlined == words::cssUnderline;
    SetChecked(checkBaloonBold_, bBold);
    SetChecked(checkBaloonItalic_, bItalic);
    SetChecked(checkBaloonUnderlined_, bUnder);
    SetFontStyle(lblExemple_, lblExemple_->font(), bBold, bItalic, bUnder);

    // 11 to 13. Displayed title, shown on the page's own background.
    SetComboText(cmbTitelSize_, s.strTitelSize);
    Paint(lblTitelExemple_, QPalette::WindowText, WebColour(s.strTitelColor));
    PaintBackground(lblTitelExemple_, WebColour(s.strBackgroundColor));
    const bool tBold = s.strTitelBold == words::bold;
    const bool tItalic = s.strTitelItalic == words::italic;
    const bool tUnder = s.strTitelUnderline == words::underlined;
    SetChecked(checkTitelBold_, tBold);
    SetChecked(checkTitelItalic_, tItalic);
    SetChecked(checkTitelUnderline_, tUnder);
    SetFontStyle(lblTitelExemple_, lblTitelExemple_->font(), tBold, tItalic, tUnder);

    // 14. Placement word to the French item ("" when unknown).
    SetComboText(cmbTitelPlacement_, PlacementToFrench(s.strTitelPlacement));
}

void ParametersWindow::closeEvent(QCloseEvent* event)
{
    if (QWidget* form1 = ctx_.windows.find(kForm1)) {
        form1->setEnabled(true);
        if (form1->isVisible())
            form1->activateWindow();
    }
    QMainWindow::closeEvent(event);
}

// ---------------------------------------------------------------------------

void RegisterTooltipWindows(AppContext& ctx)
{
    ctx.windows.registerWindow(kForm1, [&ctx] { return new PointEditor(ctx); });
    ctx.windows.registerWindow(kForm2, [&ctx] { return new ParametersWindow(ctx); });
}

}  // namespace toravi
