// "Places des objets": the scene 700 pixels wide under the row of objects, as
// the page shows them; each object dragged (or moved with the keys) to its place.
#include "dragdrop/placeswindow.h"

#include "dragdrop/dragdropmodule.h"
#include "files/files.h"
#include "pictures/picturecache.h"
#include "widgets/appcontext.h"
#include "widgets/controls.h"
#include "widgets/windownames.h"

#include <QCheckBox>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <functional>

namespace toravi {

namespace {

constexpr int kRowWidth = 696;  // the page's cell for the row of objects
constexpr int kGap = 24;        // between the row and the scene
const QSize kUnreadable(32, 32);

QPixmap placeholder(QSize size)
{
    QPixmap p(size);
    p.fill(QColor(0xC0, 0xC0, 0xC0));
    QPainter(&p).drawRect(0, 0, size.width() - 1, size.height() - 1);
    return p;
}

}  // namespace

// One object: dragged with the mouse, moved with the arrows, sent back to its row with Delete.
class PlaceItem : public QGraphicsPixmapItem {
public:
    PlaceItem(int index, const QPixmap& picture, PlacesWindow* window)
        : QGraphicsPixmapItem(picture), index_(index), window_(window)
    {
        setFlags(ItemIsMovable | ItemIsSelectable | ItemIsFocusable);
        setCursor(Qt::OpenHandCursor);
    }

protected:
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override
    {
        QGraphicsPixmapItem::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton)
            window_->DropObject(index_, pos());
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
        switch (event->key()) {
        case Qt::Key_Left: window_->NudgeObject(index_, -step, 0); break;
        case Qt::Key_Right: window_->NudgeObject(index_, step, 0); break;
        case Qt::Key_Up: window_->NudgeObject(index_, 0, -step); break;
        case Qt::Key_Down: window_->NudgeObject(index_, 0, step); break;
        case Qt::Key_Delete:
        case Qt::Key_Backspace: window_->RemovePlace(index_); break;
        default: event->ignore(); return;
        }
        event->accept();
    }
    void focusInEvent(QFocusEvent* event) override
    {
        QGraphicsPixmapItem::focusInEvent(event);
        if (!isSelected()) {
            scene()->clearSelection();
            setSelected(true);
        }
    }

private:
    int index_;
    PlacesWindow* window_;
};

// Tab goes from object to object before it leaves the view.
class PlacesView : public QGraphicsView {
public:
    PlacesView(QGraphicsScene* scene, QWidget* parent, std::function<bool(bool)> nextObject)
        : QGraphicsView(scene, parent), nextObject_(std::move(nextObject))
    {
    }

protected:
    bool focusNextPrevChild(bool next) override
    {
        return nextObject_(next) || QGraphicsView::focusNextPrevChild(next);
    }

private:
    std::function<bool(bool)> nextObject_;
};

PlacesWindow::PlacesWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx), dd_(ctx.dragdrop)
{
    setObjectName(names::kPlaces);
    setWindowTitle(QStringLiteral("Places des objets"));
    // The objects must not change under it.
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* help = MakeLabel("lblAidePlaces",
                           QStringLiteral("Faites glisser chaque objet à sa place sur la scène. Flèches : 1 pixel, "
                                          "Maj + flèches : 10 pixels, Suppr : l'objet retourne dans sa rangée, "
                                          "sans place. Un objet sans place n'est pas vérifié."),
                           this);
    help->setWordWrap(true);
    scene_ = new QGraphicsScene(this);
    view_ = Named(new PlacesView(scene_, this, [this](bool next) { return focusObject(next); }), "PlacesView");
    view_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view_->setBackgroundBrush(palette().window());

    check_ = MakeCheck("CheckVerifier", QStringLiteral("Bouton « Vérifier » dans la page"), this);
    tolerance_ = Named(new QSpinBox(this), "txtTolerance");
    tolerance_->setRange(0, 700);
    tolerance_->setSuffix(QStringLiteral(" px"));
    auto* toleranceLabel = MakeLabel("lblTolerance", QStringLiteral("Tolérance"), this);
    toleranceLabel->setBuddy(tolerance_);
    count_ = MakeLabel("lblPlaces", QString(), this);
    auto* remove = MakeButton("cmdRetirerPlace", QStringLiteral("Retirer la place"), this);
    auto* close = MakeButton("cmdFermer", QStringLiteral("Fermer"), this);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(check_);
    bottom->addSpacing(12);
    bottom->addWidget(toleranceLabel);
    bottom->addWidget(tolerance_);
    bottom->addSpacing(12);
    bottom->addWidget(count_, 1);
    bottom->addWidget(remove);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(help);
    layout->addWidget(view_, 1);
    layout->addLayout(bottom);

    connect(check_, &QCheckBox::toggled, this, [this](bool on) {
        dd_.SetCheck(on);
        showCount();
    });
    connect(tolerance_, &QSpinBox::valueChanged, this, [this](int v) { dd_.SetTolerance(v); });
    connect(remove, &QPushButton::clicked, this, [this] { RemovePlace(selectedIndex()); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    // The window it covers cannot take the keys: undo and redo work here too.
    AddUndoActions(this, dd_);
    connect(&dd_, &DragDropModule::refreshRequested, this, &PlacesWindow::showState);

    Rebuild();
    CentreOnScreen(this);
}

void PlacesWindow::Rebuild()
{
    const DragDropState& s = dd_.state;
    scene_->clear();
    items_.clear();
    rowSlots_.clear();

    // The row as the page flows it: a new row when the cell is full.
    int x = 0, rowTop = 0, rowHeight = 0;
    QList<QSize> sizes;  // empty when the picture cannot be read
    for (int i = 0; i < s.objects.size(); ++i) {
        sizes.append(dd_.ObjectPageSize(i));
        const QSize size = sizes[i].isEmpty() ? kUnreadable : sizes[i];
        if (x > 0 && x + size.width() + 2 > kRowWidth) {
            rowTop += rowHeight + 2;
            x = rowHeight = 0;
        }
        rowSlots_.append(QPoint(x, rowTop));
        x += size.width() + 2;
        rowHeight = std::max(rowHeight, size.height());
    }

    const QSize shown = dd_.ShownSceneSize();
    sceneKnown_ = shown.isValid();
    sceneBox_ = QRect(QPoint(0, rowTop + rowHeight + kGap), shown.isValid() ? shown : QSize(700, 400));
    const QString img = JoinPath(s.strFolderName, QStringLiteral("img"));
    const QImage scene = shown.isValid() ? PictureCache::instance().load(JoinPath(img, s.strImageFile), shown) : QImage();
    if (!scene.isNull()) {
        scene_->addPixmap(QPixmap::fromImage(scene))->setPos(sceneBox_.topLeft());
    } else {
        scene_->addRect(sceneBox_, QPen(Qt::gray), QBrush(Qt::white));
        auto* text = scene_->addText(QStringLiteral("Choisissez d'abord le dossier de travail et l'image de référence."));
        text->setPos(sceneBox_.topLeft() + QPoint(12, 12));
    }
    scene_->addRect(sceneBox_.adjusted(-1, -1, 0, 0), QPen(Qt::darkGray));

    for (int i = 0; i < s.objects.size(); ++i) {
        const QImage picture =
            sizes[i].isEmpty() ? QImage() : PictureCache::instance().load(JoinPath(img, s.objects[i].fileName), sizes[i]);
        auto* item = new PlaceItem(
            i, picture.isNull() ? placeholder(sizes[i].isEmpty() ? kUnreadable : sizes[i]) : QPixmap::fromImage(picture),
            this);
        // Without a scene there is nowhere to put it.
        item->setFlag(QGraphicsItem::ItemIsMovable, shown.isValid());
        item->setToolTip(s.objects[i].tooltip);
        item->setZValue(1);
        scene_->addItem(item);
        items_.append(item);
        showPlace(i);
    }
    scene_->setSceneRect(QRect(QPoint(0, 0), QSize(std::max(kRowWidth, sceneBox_.width()), sceneBox_.bottom() + 1))
                             .adjusted(-8, -8, 8, 8));
    view_->setMinimumSize(std::min(760, int(scene_->width()) + 24), std::min(560, int(scene_->height()) + 4));

    showState();
}

void PlacesWindow::showState()
{
    // The objects cannot change while it is open; their places, the check and the tolerance can be undone.
    if (items_.size() != dd_.state.objects.size())
        return;
    for (int i = 0; i < items_.size(); ++i)
        showPlace(i);
    {
        const QSignalBlocker b1(check_), b2(tolerance_);
        check_->setChecked(HasCheck(dd_.state));
        tolerance_->setValue(ToleranceOf(dd_.state));
    }
    showCount();
}

void PlacesWindow::showPlace(int index)
{
    const std::optional<QPoint>& place = dd_.state.objects[index].place;
    items_[index]->setPos(place ? sceneBox_.topLeft() + *place : rowSlots_[index]);
}

void PlacesWindow::showCount()
{
    const QList<DragDropObject>& objects = dd_.state.objects;
    const auto placed = std::count_if(objects.begin(), objects.end(), [](const DragDropObject& o) { return bool(o.place); });
    QString text = placed < 2 ? QStringLiteral("%1 objet placé sur %2") : QStringLiteral("%1 objets placés sur %2");
    text = text.arg(placed).arg(objects.size());
    if (placed == 0 && check_->isChecked())
        text += QStringLiteral(" : le bouton « Vérifier » n'aura rien à vérifier.");
    SetText(count_, text);
}

int PlacesWindow::selectedIndex() const
{
    for (int i = 0; i < items_.size(); ++i)
        if (items_[i]->isSelected())
            return i;
    return -1;
}

bool PlacesWindow::focusObject(bool next)
{
    const int at = selectedIndex() + (next ? 1 : selectedIndex() < 0 ? int(items_.size()) : -1);
    if (at < 0 || at >= items_.size())
        return false;
    items_[at]->setFocus(Qt::TabFocusReason);
    view_->ensureVisible(items_[at], 8, 8);
    return true;
}

void PlacesWindow::DropObject(int index, QPointF topLeft)
{
    if (index < 0 || index >= items_.size() || !sceneKnown_)
        return;
    // On the scene when its middle is: let go above it, it goes back to its row.
    const QRectF box(topLeft, items_[index]->boundingRect().size());
    if (sceneBox_.contains(box.center().toPoint()))
        dd_.SetPlace(index, box.topLeft().toPoint() - sceneBox_.topLeft());
    else
        dd_.SetPlace(index, std::nullopt);
    showPlace(index);
    showCount();
}

void PlacesWindow::NudgeObject(int index, int dx, int dy)
{
    if (index < 0 || index >= items_.size() || !sceneKnown_)
        return;
    const std::optional<QPoint>& place = dd_.state.objects[index].place;
    // The first move of an object in its row brings it down onto the top of the scene.
    const QPoint from = place ? *place : QPoint(rowSlots_[index].x(), 0);
    dd_.SetPlace(index, place ? from + QPoint(dx, dy) : from, true);
    showPlace(index);
    showCount();
    view_->ensureVisible(items_[index], 8, 8);
}

void PlacesWindow::RemovePlace(int index)
{
    if (index < 0 || index >= items_.size())
        return;
    dd_.SetPlace(index, std::nullopt);
    showPlace(index);
    showCount();
}

}  // namespace toravi
