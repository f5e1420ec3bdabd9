// Form1: the picture takes clicks, the names list corrections and deletions.
#include "tooltip/pointeditor.h"

#include "files/files.h"
#include "help/presentationwindow.h"
#include "pictures/picturecache.h"
#include "platform/platform.h"
#include "tooltip/picturebox.h"
#include "tooltip/tooltipmodule.h"
#include "widgets/appcontext.h"
#include "widgets/balloon.h"
#include "widgets/controls.h"
#include "widgets/windownames.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace toravi {

namespace {

const QString kNamePrompt = QStringLiteral("Nom de l'objet :");
const QString kNameTitle = QStringLiteral("Objet");

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

PointEditor::PointEditor(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx), tt_(ctx.tooltip)
{
    setWindowTitle(QStringLiteral("Toravi - Générateur de page Web interactive"));
    buildControls();
    buildMenus();
    connect(&tt_, &TooltipModule::refreshRequested, this, &PointEditor::RefreshParameters);

    HookBubble();
    SetBubbleWidth(500);
    SetBalloonText(nameList_, QStringLiteral("<c>Double-clic ou clic + [Entrée] pour corriger les items.\r\n"
                                          "Clic + [Suppr] pour effacer un item."));
    tt_.ResetProject();
    ShowUnsavedInTitle(this, tt_);
    StartOnFirstShow(this, tt_);
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
    picture_ = Named(new PictureBox(border), "Picture1");
    borderLayout->addWidget(picture_);
    row->addWidget(border, 0, Qt::AlignTop | Qt::AlignLeft);

    hint_ = MakeLabel("Label2", QStringLiteral("Pour créer votre page Web, cliquez sur le menu 'Projet'."),
                        picture_);
    hint_->setWordWrap(true);
    hint_->setAttribute(Qt::WA_TransparentForMouseEvents);  // a click on it is a click on the picture
    hint_->setAlignment(Qt::AlignCenter);
    hint_->setMargin(8);
    hint_->setFrameShape(QFrame::Box);
    PaintBackground(hint_, palette().color(QPalette::Base));
    {
        const int w = 260;
        const int h = hint_->heightForWidth(w);
        hint_->setGeometry((PictureBox::kWidth - w) / 2, (PictureBox::kHeight - h) / 2, w, h);
    }

    auto* side = new QVBoxLayout;
    side->setSpacing(4);
    auto* objectsCaption = MakeLabel("Label1", QStringLiteral("Objets"), central);
    nameList_ = Named(new QListWidget(central), "List3");
    nameList_->setMinimumWidth(200);
    nameList_->setSelectionMode(QAbstractItemView::SingleSelection);
    nameList_->installEventFilter(this);
    side->addWidget(objectsCaption);
    side->addWidget(nameList_, 1);
    row->addLayout(side, 1);

    // The coordinates are kept beside the names but never shown.
    xList_ = Named(new QListWidget(central), "List1");
    yList_ = Named(new QListWidget(central), "List2");
    xList_->hide();
    yList_->hide();
    createPageButton_ = MakeButton("Command1", QStringLiteral("Créer la page"), central);
    createPageButton_->hide();

    connect(picture_, &PictureBox::clicked, this, &PointEditor::addPoint);
    connect(picture_, &PictureBox::markClicked, this, &PointEditor::select);
    connect(picture_, &PictureBox::markMoved, this, &PointEditor::movePoint);
    connect(picture_, &PictureBox::nudged, this, &PointEditor::nudgeSelected);
    connect(nameList_, &QListWidget::itemSelectionChanged, this, &PointEditor::showMarks);
    connect(nameList_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { correctName(nameList_->row(item)); });
    connect(createPageButton_, &QPushButton::clicked, this, [this] { tt_.CreatePage(); });
}

void PointEditor::buildMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* fichier = MakeMenu(bar, "mnuFichier", QStringLiteral("Fichier"));
    QAction* reinit = MakeAction(fichier, "mnuReinit", QStringLiteral("Réinitialiser"),
                                 QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    QAction* quit = MakeAction(fichier, "mnuQuit", QStringLiteral("Quitter"));

    QMenu* projet = MakeMenu(bar, "mnuProjet", QStringLiteral("Projet"));
    AddEditMenu(this, tt_);
    QAction* param = MakeAction(projet, "mnuParam", QStringLiteral("Paramètres"), QKeySequence(Qt::CTRL | Qt::Key_P));
    QAction* load =
        MakeAction(projet, "mnuLoad", QStringLiteral("Charger un projet"), QKeySequence(Qt::CTRL | Qt::Key_L));
    QAction* save =
        MakeAction(projet, "mnuSave", QStringLiteral("Sauvegarder le projet"), QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction* creation = MakeAction(projet, "mnuCreation", QStringLiteral("Créer la page Web"),
                                   QKeySequence(Qt::CTRL | Qt::Key_F12));
    QAction* singleFile = MakeAction(projet, "mnuUnFichier", QStringLiteral("Créer la page en un seul fichier…"));
    QAction* scorm = MakeAction(projet, "mnuScorm", QStringLiteral("Exporter pour la plateforme (SCORM)…"));

    QMenu* affich = MakeMenu(bar, "mnuAffich", QStringLiteral("Affichage"));
    QAction* refresh =
        MakeAction(affich, "mnuRefresh", QStringLiteral("Rafraîchir l'affichage"), QKeySequence(Qt::Key_F5));

    QAction* aide = Named(bar->addAction(QStringLiteral("Aide")), "mnuAide");

    connect(reinit, &QAction::triggered, this, [this] { tt_.ReinitWithQuestion(); });
    connect(quit, &QAction::triggered, this, &PointEditor::quitProgram);
    connect(param, &QAction::triggered, this, &PointEditor::openParameters);
    connect(load, &QAction::triggered, this, [this] {
        if (tt_.AskToSave())
            tt_.Replace(QStringLiteral("charger un projet"), [this] { tt_.LoadProject(); });
    });
    connect(save, &QAction::triggered, this, [this] { tt_.SaveProject(); });
    connect(creation, &QAction::triggered, this, [this] { tt_.CreatePage(); });
    connect(singleFile, &QAction::triggered, this, [this] { tt_.ExportPage(PageExport::SingleFile); });
    connect(scorm, &QAction::triggered, this, [this] { tt_.ExportPage(PageExport::Scorm); });
    connect(refresh, &QAction::triggered, this, [this] { emit tt_.refreshRequested(); });
    connect(aide, &QAction::triggered, this, [this] { OpenModuleHelp(ctx_, HelpModule::Tooltip, this, true); });
}

void PointEditor::RefreshParameters()
{
    tt_.ApplyRefreshDefaults();
    const TooltipState& s = tt_.state;

    QStringList xs, ys, names;
    for (const TooltipPoint& p : s.points) {
        xs << p.x;
        ys << p.y;
        names << p.name;
    }
    SyncList(xList_, xs);
    SyncList(yList_, ys);
    SyncList(nameList_, names);

    if (s.pictureShown && !s.strImageFile.isEmpty()) {
        const QString path = JoinPath(JoinPath(s.strFolderName, QStringLiteral("img")), s.strImageFile);
        // Only the part the frame shows is decoded: a camera photo is many times larger.
        const QImage image =
            PictureCache::instance().load(path, QSize(), QRect(0, 0, PictureBox::kWidth, PictureBox::kHeight));
        // A failed reload of the same file keeps what is shown.
        if (!image.isNull()) {
            picture_->setPicture(image);
            shownPath_ = path;
        } else if (path != shownPath_) {
            picture_->setPicture(QImage());
            shownPath_.clear();
        }
    } else {
        picture_->setPicture(QImage());
        shownPath_.clear();
    }

    showMarks();
    hint_->setVisible(s.hintVisible);
    tt_.CheckChanges();
}

void PointEditor::showMarks()
{
    QList<QPoint> marks;
    for (const TooltipPoint& p : tt_.state.points) {
        bool okX = false, okY = false;
        const int x = p.x.toInt(&okX);
        const int y = p.y.toInt(&okY);
        // An unreadable point keeps its index, drawn out of sight.
        marks << (okX && okY ? QPoint(x, y) : QPoint(-1000, -1000));
    }
    if (correcting_ >= marks.size())
        correcting_ = -1;
    picture_->setMarks(marks, correcting_ >= 0 ? correcting_ : selectedIndex());
}

void PointEditor::select(int index)
{
    if (index >= 0 && index < nameList_->count()) {
        nameList_->setCurrentRow(index);
        nameList_->scrollToItem(nameList_->item(index));
    }
}

void PointEditor::movePoint(int index, int x, int y)
{
    tt_.MovePoint(index, x, y);
    select(index);
}

void PointEditor::nudgeSelected(int dx, int dy)
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    bool okX = false, okY = false;
    const int x = tt_.state.points[index].x.toInt(&okX), y = tt_.state.points[index].y.toInt(&okY);
    if (!okX || !okY)
        return;
    tt_.MovePoint(index, std::clamp(x + dx, 0, PictureBox::kWidth - 1),
                  std::clamp(y + dy, kRowShift, PictureBox::kHeight - 1 + kRowShift), true);
}

int PointEditor::selectedIndex() const
{
    const int row = nameList_->currentRow();
    if (row < 0 || row >= nameList_->count() || row >= tt_.state.points.size() || !nameList_->item(row)->isSelected())
        return -1;
    return row;
}

void PointEditor::addPoint(int column, int row)
{
    // Cancel gives an empty name: the point stays, its tooltip just never shows.
    const QString name = tt_.platform().inputBox(kNamePrompt, kNameTitle, QString());
    tt_.AddPoint(column, row, name);
    if (nameList_->count() > 0)
        nameList_->scrollToItem(nameList_->item(nameList_->count() - 1));
}

void PointEditor::correctName(int index)
{
    if (index < 0 || index >= tt_.state.points.size())
        return;
    const QString remembered = tt_.state.points[index].name;
    correcting_ = index;
    RefreshParameters();
    picture_->repaint();
    const QString answer = tt_.platform().inputBox(kNamePrompt, kNameTitle, remembered);
    correcting_ = -1;
    if (!answer.isEmpty())
        tt_.RenamePoint(index, answer);
    emit tt_.refreshRequested();
}

void PointEditor::deleteSelected()
{
    const int index = selectedIndex();
    if (index < 0)
        return;  // nothing selected: nothing to ask, nothing removed
    if (tt_.platform().messageBox(msg::DeleteQuestion, kConfirm, kTitle) == IDYES)
        tt_.DeletePoint(index);
}

bool PointEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == nameList_ && event->type() == QEvent::KeyPress) {
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
    ctx_.windows.show(names::kParameters);
    // Kept above the editor it holds disabled.
    QWidget* form2 = ctx_.windows.find(names::kParameters);
    if (form2 && form2->windowHandle() && windowHandle())
        form2->windowHandle()->setTransientParent(windowHandle());
}

void PointEditor::quitProgram()
{
    if (!tt_.CloseProject())
        return;
    AppContext& ctx = ctx_;  // this window is gone after its unload
    ctx.windows.unload(names::kParameters);
    ctx.windows.unload(names::kPointEditor);
    ctx.quit();
}

void PointEditor::closeEvent(QCloseEvent* event)
{
    // A window the launcher only loaded, hidden, holds no work of the teacher's.
    if (isVisible() && !tt_.CloseProject()) {
        event->ignore();
        return;
    }
    UnhookBubble();
    ctx_.windows.unload(names::kParameters);
    ctx_.windows.show(names::kLauncher);
    QMainWindow::closeEvent(event);
}

}  // namespace toravi
