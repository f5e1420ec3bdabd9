// "Découper les objets": the picture, the tools that outline its objects, the
// list of outlines, the look of the emptied places, live; OK fills the project.
#include "dragdrop/cutoutwindow.h"

#include "dragdrop/dragdropcutout.h"
#include "dragdrop/dragdropmodule.h"
#include "files/files.h"
#include "pictures/pictures.h"
#include "platform/platform.h"
#include "widgets/appcontext.h"
#include "widgets/balloon.h"
#include "widgets/controls.h"
#include "widgets/pathlabel.h"
#include "widgets/windownames.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace toravi {

namespace {

// The copy the canvas shows of a larger picture, and the one the live preview empties.
constexpr int kShownLimit = 1600;
constexpr int kPreviewLimit = 600;
constexpr int kPreviewWidth = 300;

const QString kNamePrompt = QStringLiteral("Nom de l'objet :");
const QString kNameTitle = QStringLiteral("Objet");

const QColor kOutlineColour(0, 170, 255);
const QColor kSelectedColour(255, 170, 0);

QString Lines(std::initializer_list<const char*> lines)
{
    QStringList out;
    for (const char* l : lines)
        out.append(QString::fromUtf8(l));
    return out.join(QStringLiteral("\r\n"));
}

QSize Within(QSize size, int limit)
{
    return size.width() <= limit && size.height() <= limit ? size : size.scaled(limit, limit, Qt::KeepAspectRatio);
}

// Painted strokes win over what the tool found.
void ApplyStrokes(QImage& mask, const QImage& keep, const QImage& remove)
{
    for (int y = 0; y < mask.height(); ++y) {
        uchar* line = mask.scanLine(y);
        const uchar* k = keep.isNull() ? nullptr : keep.constScanLine(y);
        const uchar* r = remove.isNull() ? nullptr : remove.constScanLine(y);
        for (int x = 0; x < mask.width(); ++x) {
            if (k && k[x])
                line[x] = 255;
            if (r && r[x])
                line[x] = 0;
        }
    }
}

QImage ScaledMask(const QImage& mask, QSize size)
{
    if (mask.isNull() || mask.size() == size)
        return mask;
    return mask.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// The object tinted, its edge drawn plain.
QImage Overlay(const QImage& shownMask, const QColor& colour)
{
    QImage out(shownMask.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    const QRgb edge = colour.rgba();
    const QRgb inside = qPremultiply(qRgba(colour.red(), colour.green(), colour.blue(), 80));
    const int w = shownMask.width(), h = shownMask.height();
    for (int y = 0; y < h; ++y) {
        const uchar* line = shownMask.constScanLine(y);
        const uchar* above = y > 0 ? shownMask.constScanLine(y - 1) : nullptr;
        const uchar* below = y + 1 < h ? shownMask.constScanLine(y + 1) : nullptr;
        auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if (line[x] < 128)
                continue;
            const bool border = x == 0 || x + 1 == w || !above || !below || line[x - 1] < 128 ||
                                line[x + 1] < 128 || above[x] < 128 || below[x] < 128;
            o[x] = border ? edge : inside;
        }
    }
    return out;
}

quint32 ToPlatformColour(const QColor& c) { return quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16; }
QColor FromPlatformColour(quint32 v) { return QColor(int(v & 0xFF), int(v >> 8 & 0xFF), int(v >> 16 & 0xFF)); }

QRadioButton* MakeRadio(const char* name, const QString& text, QWidget* parent)
{
    return Named(new QRadioButton(text, parent), name);
}

}  // namespace

CutoutWindow::CutoutWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx), dd_(ctx.dragdrop)
{
    setObjectName(names::kCutout);
    setWindowTitle(QStringLiteral("Découper les objets"));
    // The project must not change under it.
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    maskWorker_.setMaxThreadCount(1);
    previewWorker_.setMaxThreadCount(1);
    previewTimer_.setSingleShot(true);
    previewTimer_.setInterval(120);
    connect(&previewTimer_, &QTimer::timeout, this, &CutoutWindow::startPreview);
    toleranceTimer_.setSingleShot(true);
    toleranceTimer_.setInterval(250);
    connect(&toleranceTimer_, &QTimer::timeout, this, &CutoutWindow::onToleranceChanged);

    buildControls();
    setBalloonTexts();
    refreshControls();
    showHint();
    resize(1100, 720);
    CentreOnScreen(this);
}

CutoutWindow::~CutoutWindow()
{
    // Results posted after this point would find no window: let the workers finish first.
    maskWorker_.clear();
    previewWorker_.clear();
    maskWorker_.waitForDone();
    previewWorker_.waitForDone();
}

void CutoutWindow::buildControls()
{
    // --- The picture and how it is outlined
    pictureButton_ = MakeButton("cmdChoisirImage", QStringLiteral("Choisir l'image…"), this);
    picturePathLabel_ = MakePathLabel("lblImageDecoupe", this);

    auto* toolsBox = Named(new QGroupBox(QStringLiteral("Entourer un objet"), this), "fraOutils");
    tools_ = new QButtonGroup(this);
    auto* toolsLayout = new QVBoxLayout(toolsBox);
    const struct {
        const char* name;
        const char* text;
        CutoutTool tool;
    } toolRows[] = {{"optCadre", "&Cadre autour de l'objet", CutoutTool::Box},
                    {"optBaguette", "&Baguette magique (zone de couleur)", CutoutTool::Wand},
                    {"optMainLevee", "Contour à &main levée", CutoutTool::Freehand},
                    {"optPolygone", "Contour en &polygone", CutoutTool::Polygon}};
    for (const auto& row : toolRows) {
        auto* r = MakeRadio(row.name, QString::fromUtf8(row.text), toolsBox);
        tools_->addButton(r, int(row.tool));
        toolsLayout->addWidget(r);
    }
    auto* toleranceRow = new QHBoxLayout;
    auto* toleranceLabel = MakeLabel("lblToleranceBaguette", QStringLiteral("Tolérance de la baguette"), toolsBox);
    tolerance_ = Named(new QSpinBox(toolsBox), "txtToleranceBaguette");
    tolerance_->setRange(0, 255);
    tolerance_->setValue(kDefaultWandTolerance);
    toleranceLabel->setBuddy(tolerance_);
    toleranceRow->addSpacing(20);
    toleranceRow->addWidget(toleranceLabel);
    toleranceRow->addWidget(tolerance_);
    toleranceRow->addStretch(1);
    toolsLayout->addLayout(toleranceRow);

    auto* fixBox = Named(new QGroupBox(QStringLiteral("Corriger l'objet choisi"), this), "fraRetouche");
    auto* fixLayout = new QVBoxLayout(fixBox);
    for (const auto& row : {std::tuple{"optGarder", "&Garder : peindre ce qui manque", CutoutTool::Keep},
                            std::tuple{"optEnlever", "&Enlever : peindre ce qui est en trop", CutoutTool::Remove}}) {
        auto* r = MakeRadio(std::get<0>(row), QString::fromUtf8(std::get<1>(row)), fixBox);
        tools_->addButton(r, int(std::get<2>(row)));
        fixLayout->addWidget(r);
    }
    tools_->button(int(CutoutTool::Box))->setChecked(true);

    // --- The canvas and its zoom
    canvas_ = Named(new CutoutCanvas(this), "PictureDecoupe");
    hint_ = MakeLabel("lblConseil", QString(), this);
    hint_->setWordWrap(true);
    auto* fitButton = MakeButton("cmdAjuster", QStringLiteral("Ajuster à la fenêtre"), this);
    auto* zoomIn = MakeButton("cmdZoomPlus", QStringLiteral("Zoom +"), this);
    auto* zoomOut = MakeButton("cmdZoomMoins", QStringLiteral("Zoom −"), this);
    zoomLabel_ = MakeLabel("lblZoom", QString(), this);
    zoomLabel_->setMinimumWidth(48);
    zoomLabel_->setAlignment(Qt::AlignCenter);

    // --- The outlines
    auto* listBox = Named(new QGroupBox(QStringLiteral("Objets découpés"), this), "fraObjets");
    list_ = Named(new QListWidget(listBox), "lstObjets");
    list_->setMinimumWidth(220);
    renameButton_ = MakeButton("cmdRenommer", QStringLiteral("Renommer…"), listBox);
    redrawButton_ = MakeButton("cmdRedessiner", QStringLiteral("Redessiner"), listBox);
    deleteButton_ = MakeButton("cmdSupprimer", QStringLiteral("Supprimer"), listBox);
    {
        auto* v = new QVBoxLayout(listBox);
        v->addWidget(list_, 1);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(renameButton_);
        buttons->addWidget(redrawButton_);
        buttons->addWidget(deleteButton_);
        v->addLayout(buttons);
    }

    // --- The emptied places
    auto* fillBox = Named(new QGroupBox(QStringLiteral("La place vide des objets dans la scène"), this), "fraPlaceVide");
    fills_ = new QButtonGroup(this);
    {
        auto* g = new QGridLayout(fillBox);
        const struct {
            const char* name;
            const char* text;
            PlaceFill fill;
        } fillRows[] = {{"optEfface", "effacé", PlaceFill::Erase},
                        {"optSilhouette", "silhouette", PlaceFill::Silhouette},
                        {"optCouleurUnie", "couleur unie", PlaceFill::Colour}};
        int row = 0;
        for (const auto& f : fillRows) {
            auto* r = MakeRadio(f.name, QString::fromUtf8(f.text), fillBox);
            fills_->addButton(r, int(f.fill));
            g->addWidget(r, row++, 0, 1, 3);
        }
        fills_->button(int(PlaceFill::Erase))->setChecked(true);
        colourSwatch_ = Named(new QLabel(fillBox), "PictureCouleurPlace");
        colourSwatch_->setFixedSize(44, 22);
        colourSwatch_->setFrameShape(QFrame::Box);
        colourSwatch_->setAutoFillBackground(true);
        colourButton_ = MakeButton("cmdCouleurPlace", QStringLiteral("Couleur…"), fillBox);
        g->addWidget(colourSwatch_, row, 1);
        g->addWidget(colourButton_, row++, 2);
        previewLabel_ = Named(new QLabel(fillBox), "imgSceneVidee");
        previewLabel_->setFixedSize(kPreviewWidth, kPreviewWidth * 3 / 4);
        previewLabel_->setAlignment(Qt::AlignCenter);
        previewLabel_->setFrameShape(QFrame::StyledPanel);
        g->addWidget(MakeLabel("lblSceneVidee", QStringLiteral("Aperçu de la scène vidée"), fillBox), row++, 0, 1, 3);
        g->addWidget(previewLabel_, row++, 0, 1, 3);
        g->setColumnStretch(0, 1);
    }
    Paint(colourSwatch_, QPalette::Window, placeColour_);

    // --- Work under way, and the answer
    progress_ = Named(new QProgressBar(this), "barTravail");
    progress_->setRange(0, 0);  // busy: the picture libraries give no steps
    progress_->setMaximumWidth(160);
    progress_->hide();
    status_ = MakeLabel("lblTravail", QString(), this);
    okButton_ = MakeButton("cmdOK", QStringLiteral("OK"), this);
    cancelButton_ = MakeButton("cmdAnnuler", QStringLiteral("Annuler"), this);

    // --- Arrangement: tools on the left, the picture in the middle, outlines and places on the right.
    auto* left = new QVBoxLayout;
    left->addWidget(pictureButton_);
    left->addWidget(toolsBox);
    left->addWidget(fixBox);
    left->addStretch(1);
    auto* middle = new QVBoxLayout;
    auto* zoomRow = new QHBoxLayout;
    zoomRow->addWidget(picturePathLabel_, 1);
    zoomRow->addWidget(zoomOut);
    zoomRow->addWidget(zoomLabel_);
    zoomRow->addWidget(zoomIn);
    zoomRow->addWidget(fitButton);
    middle->addLayout(zoomRow);
    middle->addWidget(canvas_, 1);
    middle->addWidget(hint_);
    auto* right = new QVBoxLayout;
    right->addWidget(listBox, 1);
    right->addWidget(fillBox);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(middle, 1);
    columns->addLayout(right);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(progress_);
    bottom->addWidget(status_, 1);
    bottom->addWidget(okButton_);
    bottom->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(bottom);

    // --- Wiring
    connect(pictureButton_, &QPushButton::clicked, this, &CutoutWindow::ChoosePicture);
    connect(tools_, &QButtonGroup::idClicked, this, [this] { toolChosen(); });
    connect(tolerance_, &QSpinBox::valueChanged, this, [this] {
        if (const Outline* o = selected(); o && o->tool == CutoutTool::Wand)
            toleranceTimer_.start();
    });
    connect(canvas_, &CutoutCanvas::boxDrawn, this, &CutoutWindow::onBoxDrawn);
    connect(canvas_, &CutoutCanvas::wandClicked, this, &CutoutWindow::onWandClicked);
    connect(canvas_, &CutoutCanvas::outlineDrawn, this, &CutoutWindow::onOutlineDrawn);
    connect(canvas_, &CutoutCanvas::strokeDrawn, this, &CutoutWindow::onStrokeDrawn);
    connect(canvas_, &CutoutCanvas::pointed, this, [this](QPoint pixel) {
        // The topmost outline there, that is the latest drawn.
        for (qsizetype i = outlines_.size() - 1; i >= 0; --i) {
            const QImage& mask = outlines_[i].mask;
            if (!mask.isNull() && mask.rect().contains(pixel) && mask.constScanLine(pixel.y())[pixel.x()]) {
                list_->setCurrentRow(int(i));
                return;
            }
        }
    });
    connect(canvas_, &CutoutCanvas::zoomChanged, this,
            [this] { SetText(zoomLabel_, QStringLiteral("%1 %").arg(qRound(canvas_->zoom() * 100))); });
    connect(fitButton, &QPushButton::clicked, canvas_, &CutoutCanvas::fitToView);
    connect(zoomIn, &QPushButton::clicked, this, [this] { canvas_->zoomBy(1.25); });
    connect(zoomOut, &QPushButton::clicked, this, [this] { canvas_->zoomBy(0.8); });
    connect(list_, &QListWidget::currentRowChanged, this, [this] {
        for (const Outline& o : outlines_)
            refreshOverlay(o);
        if (const Outline* o = selected(); o && o->tool == CutoutTool::Wand) {
            const QSignalBlocker b(tolerance_);
            tolerance_->setValue(o->tolerance);
        }
        refreshControls();
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, &CutoutWindow::renameSelected);
    connect(renameButton_, &QPushButton::clicked, this, &CutoutWindow::renameSelected);
    connect(redrawButton_, &QPushButton::clicked, this, &CutoutWindow::redrawSelected);
    connect(deleteButton_, &QPushButton::clicked, this, &CutoutWindow::deleteSelected);
    connect(fills_, &QButtonGroup::idClicked, this, [this] {
        refreshControls();
        schedulePreview();
    });
    connect(colourButton_, &QPushButton::clicked, this, &CutoutWindow::chooseColour);
    connect(okButton_, &QPushButton::clicked, this, &CutoutWindow::Apply);
    connect(cancelButton_, &QPushButton::clicked, this, &CutoutWindow::reject);
}

void CutoutWindow::setBalloonTexts()
{
    auto set = [this](const char* name, const QString& text) {
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(name)))
            SetBalloonText(w, text);
    };
    set("cmdChoisirImage", Lines({"<c>Choisissez la photo ou le dessin où se trouvent les objets.",
                                  "Votre image n'est jamais modifiée."}));
    set("optCadre", Lines({"<c>Tracez un cadre autour d'un objet :", "Toravi trouve le contour de l'objet dans le cadre.",
                           "Corrigez-le au besoin avec « Garder » et « Enlever »."}));
    set("optBaguette", Lines({"<c>Cliquez dans une zone de couleur unie :",
                              "toute la zone voisine de même couleur est prise.", "Pour les cartes et les schémas."}));
    set("optMainLevee", Lines({"<c>Dessinez le contour en gardant le bouton appuyé :",
                               "l'objet est exactement ce que vous entourez."}));
    set("optPolygone", Lines({"<c>Cliquez chaque coin du contour.",
                              "Double-clic, [Entrée] ou clic sur le premier coin pour fermer,",
                              "[Retour arrière] ou clic droit pour enlever le dernier coin."}));
    set("txtToleranceBaguette", Lines({"<c>De 0 (exactement la même couleur)", "à 255 (presque toutes les couleurs)."}));
    set("optGarder", Lines({"<c>Peignez sur l'image ce qui fait partie", "de l'objet choisi dans la liste et qui manque."}));
    set("optEnlever", Lines({"<c>Peignez sur l'image ce qui ne fait pas partie", "de l'objet choisi dans la liste."}));
    set("PictureDecoupe", Lines({"<c>Molette : zoom.", "Bouton du milieu : faire glisser l'image."}));
    set("lstObjets", Lines({"<c>Double-clic ou [F2] pour renommer l'objet,", "[Suppr] pour le supprimer.",
                            "Le nom est le texte de l'info-bulle de l'objet."}));
    set("cmdRedessiner", Lines({"<c>Dessinez un nouveau contour pour l'objet choisi :", "il garde son nom."}));
    set("optEfface", Lines({"<c>La place de l'objet est remplie à partir de ce qui l'entoure :",
                            "la scène semble n'avoir jamais eu l'objet."}));
    set("optSilhouette", Lines({"<c>La place de l'objet garde sa forme, dans la couleur choisie,",
                                "avec un contour fin : les plus jeunes retrouvent les formes."}));
    set("optCouleurUnie", Lines({"<c>La place de l'objet est remplie de la couleur choisie."}));
    set("cmdOK", Lines({"<c>Écrit la scène vidée et les images des objets dans le dossier de travail,",
                        "puis les met dans le projet, chaque objet à sa place, la vérification cochée."}));
}

// ---------------------------------------------------------------- the picture

void CutoutWindow::ChoosePicture()
{
    const QString chosen =
        ctx_.platform.openFile({ProgramFolder(), QStringLiteral("jpg"), PictureFilter(true),
                                QStringLiteral("Sélectionnez l'image où se trouvent les objets à découper")});
    if (!chosen.isEmpty())
        OpenPicture(chosen);
}

void CutoutWindow::OpenPicture(const QString& path)
{
    if (!outlines_.isEmpty() &&
        !confirmDrop(QStringLiteral("Changer d'image ? Les contours déjà dessinés seront perdus.")))
        return;
    const int generation = ++openGeneration_;
    workStarted(QStringLiteral("Ouverture de l'image…"));
    maskWorker_.start([this, path, generation] {
        QString error;
        std::optional<CutoutSource> opened = CutoutSource::Open(path, &error);
        std::shared_ptr<const CutoutSource> source;
        QImage shown;
        if (opened) {
            source = std::make_shared<const CutoutSource>(std::move(*opened));
            const QImage& full = source->picture();
            const QSize shownSize = Within(full.size(), kShownLimit);
            shown = shownSize == full.size() ? full : full.scaled(shownSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        QMetaObject::invokeMethod(
            this,
            [this, generation, source, shown, path, error] {
                workEnded();
                if (generation != openGeneration_)
                    return;
                if (!source) {
                    ctx_.platform.messageBox(error.isEmpty() ? QStringLiteral("Toravi ne peut pas lire l'image %1.")
                                                                   .arg(LastComponent(path))
                                                             : error,
                                             kRefusal, kTitle);
                    return;
                }
                setPicture(source, shown, path);
            },
            Qt::QueuedConnection);
    });
}

void CutoutWindow::setPicture(std::shared_ptr<const CutoutSource> source, const QImage& shown, const QString& path)
{
    outlines_.clear();
    redrawId_ = 0;
    canvas_->clearOverlays();
    source_ = std::move(source);
    picturePath_ = path;
    picturePathLabel_->setPath(path);
    canvas_->setPicture(shown, source_->size());
    refreshList();
    refreshControls();
    showHint();
    schedulePreview();
}

// ---------------------------------------------------------------- drawing

void CutoutWindow::toolChosen()
{
    canvas_->setTool(CutoutTool(tools_->checkedId()));
    showHint();
}

void CutoutWindow::onBoxDrawn(QRect box)
{
    Outline o;
    o.tool = CutoutTool::Box;
    o.box = box;
    takeShape(std::move(o));
}

void CutoutWindow::onWandClicked(QPoint click)
{
    Outline o;
    o.tool = CutoutTool::Wand;
    o.click = click;
    o.tolerance = tolerance_->value();
    takeShape(std::move(o));
}

void CutoutWindow::onOutlineDrawn(QPolygonF outline)
{
    Outline o;
    o.tool = canvas_->tool() == CutoutTool::Polygon ? CutoutTool::Polygon : CutoutTool::Freehand;
    o.outline = std::move(outline);
    takeShape(std::move(o));
}

void CutoutWindow::takeShape(Outline shape)
{
    if (!source_)
        return;
    if (Outline* old = find(redrawId_)) {
        // Redrawn: a new shape, the same name and place in the list.
        old->tool = shape.tool;
        old->box = shape.box;
        old->click = shape.click;
        old->tolerance = shape.tolerance;
        old->outline = shape.outline;
        old->keep = old->remove = QImage();
        redrawId_ = 0;
        computeMask(*old);
        refreshList();
        showHint();
        return;
    }
    redrawId_ = 0;
    shape.id = nextId_++;
    const int id = shape.id;
    outlines_.append(std::move(shape));
    // The outline is sought while the teacher types its name.
    computeMask(outlines_.last());
    refreshList();
    list_->setCurrentRow(int(outlines_.size()) - 1);
    const QString name = ctx_.platform.inputBox(kNamePrompt, kNameTitle, QString()).trimmed();
    const qsizetype at = std::find_if(outlines_.begin(), outlines_.end(), [id](const Outline& o) { return o.id == id; }) -
                         outlines_.begin();
    if (at >= outlines_.size())
        return;
    if (name.isEmpty()) {
        // No name: the teacher changed their mind.
        canvas_->removeOverlay(id);
        outlines_.removeAt(at);
        refreshList();
        refreshControls();
        schedulePreview();
        return;
    }
    outlines_[at].name = name;
    refreshList();
    refreshOverlay(outlines_[at]);
    refreshControls();
}

void CutoutWindow::computeMask(Outline& o)
{
    const int id = o.id, version = ++o.version;
    o.computing = true;
    workStarted(QStringLiteral("Recherche du contour…"));
    maskWorker_.start([this, id, version, source = source_, tool = o.tool, box = o.box, click = o.click,
                       tolerance = o.tolerance, outline = o.outline, keep = o.keep, remove = o.remove,
                       shownSize = canvas_->shownSize()] {
        QImage mask;
        switch (tool) {
        case CutoutTool::Box: mask = MaskFromBox(*source, box, keep, remove); break;
        case CutoutTool::Wand: mask = MaskFromWand(*source, click, tolerance); break;
        default: mask = MaskFromOutline(source->size(), outline); break;
        }
        if (tool != CutoutTool::Box && !mask.isNull())
            ApplyStrokes(mask, keep, remove);
        const QImage shownMask = ScaledMask(mask, shownSize);
        const QRect bounds = MaskBounds(mask);
        QMetaObject::invokeMethod(
            this, [=, this] { maskFound(id, version, mask, shownMask, bounds); }, Qt::QueuedConnection);
    });
}

void CutoutWindow::maskFound(int id, int version, const QImage& mask, const QImage& shownMask, QRect bounds)
{
    workEnded();
    Outline* o = find(id);
    if (!o || o->version != version)
        return;
    o->mask = mask;
    o->shownMask = shownMask;
    o->bounds = bounds;
    o->computing = false;
    refreshOverlay(*o);
    refreshList();
    refreshControls();
    if (bounds.isEmpty())
        SetText(status_, QStringLiteral("Aucun objet trouvé pour « %1 » : redessinez-le ou corrigez-le avec « Garder ».")
                             .arg(o->name));
    schedulePreview();
}

void CutoutWindow::onStrokeDrawn(const QPainterPath& path, double width, bool keep)
{
    Outline* o = selected();
    if (!o || !source_) {
        SetText(status_, QStringLiteral("Choisissez d'abord dans la liste l'objet à corriger."));
        return;
    }
    // The latest stroke wins where strokes cross.
    QImage& paintOn = keep ? o->keep : o->remove;
    QImage& clearOn = keep ? o->remove : o->keep;
    if (paintOn.isNull()) {
        paintOn = QImage(source_->size(), QImage::Format_Grayscale8);
        paintOn.fill(0);
    }
    const QPen pen(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    {
        QPainter p(&paintOn);
        p.setPen(pen);
        p.drawPath(path);
    }
    if (!clearOn.isNull()) {
        QPainter p(&clearOn);
        p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
    }
    computeMask(*o);
    refreshList();
}

void CutoutWindow::onToleranceChanged()
{
    Outline* o = selected();
    if (!o || o->tool != CutoutTool::Wand || o->tolerance == tolerance_->value())
        return;
    o->tolerance = tolerance_->value();
    computeMask(*o);
    refreshList();
}

// ---------------------------------------------------------------- the list

void CutoutWindow::renameSelected()
{
    Outline* o = selected();
    if (!o)
        return;
    const int id = o->id;
    const QString name = ctx_.platform.inputBox(kNamePrompt, kNameTitle, o->name).trimmed();
    // An empty answer, or Annuler, keeps the name.
    if (Outline* still = find(id); still && !name.isEmpty()) {
        still->name = name;
        refreshList();
        refreshOverlay(*still);
    }
}

void CutoutWindow::deleteSelected()
{
    Outline* o = selected();
    if (!o)
        return;
    const int id = o->id;
    if (ctx_.platform.messageBox(QStringLiteral("Voulez-vous supprimer cet item ?"), kConfirm, kTitle) != IDYES)
        return;
    const qsizetype at = std::find_if(outlines_.begin(), outlines_.end(), [id](const Outline& x) { return x.id == id; }) -
                         outlines_.begin();
    if (at >= outlines_.size())
        return;
    if (redrawId_ == id)
        redrawId_ = 0;
    canvas_->removeOverlay(id);
    outlines_.removeAt(at);
    refreshList();
    if (!outlines_.isEmpty())
        list_->setCurrentRow(int(std::min<qsizetype>(at, outlines_.size() - 1)));
    refreshControls();
    showHint();
    schedulePreview();
}

void CutoutWindow::redrawSelected()
{
    if (const Outline* o = selected()) {
        redrawId_ = o->id;
        // Strokes correct an outline; redrawing wants one of the outline tools.
        if (const CutoutTool t = canvas_->tool(); t == CutoutTool::Keep || t == CutoutTool::Remove) {
            tools_->button(int(o->tool))->setChecked(true);
            canvas_->setTool(o->tool);
        }
        showHint();
        canvas_->setFocus();
    }
}

// ---------------------------------------------------------------- the places

PlaceFill CutoutWindow::fill() const { return PlaceFill(fills_->checkedId()); }

void CutoutWindow::chooseColour()
{
    placeColour_ = FromPlatformColour(ctx_.platform.chooseColor(ToPlatformColour(placeColour_)));
    Paint(colourSwatch_, QPalette::Window, placeColour_);
    // Choosing a colour says which look is wanted.
    if (fill() == PlaceFill::Erase)
        fills_->button(int(PlaceFill::Silhouette))->setChecked(true);
    refreshControls();
    schedulePreview();
}

void CutoutWindow::schedulePreview()
{
    if (source_)
        previewTimer_.start();
}

void CutoutWindow::startPreview()
{
    if (!source_)
        return;
    // The outline the teacher waits for goes first; its result asks for the preview again.
    if (std::any_of(outlines_.begin(), outlines_.end(), [](const Outline& o) { return o.computing; }))
        return;
    if (previewRunning_) {
        previewAgain_ = true;
        return;
    }
    previewRunning_ = true;
    previewAgain_ = false;
    QList<QImage> masks;
    for (const Outline& o : outlines_)
        if (!o.mask.isNull() && !o.bounds.isEmpty())
            masks.append(o.mask);
    const int generation = ++previewGeneration_;
    workStarted(QStringLiteral("Aperçu de la scène vidée…"));
    // Emptied at a small size, which is much faster; the objects are cut at full size only by OK.
    previewWorker_.start([this, generation, source = source_, masks, fill = fill(), colour = placeColour_] {
        QImage scene = EmptiedScene(*source, masks, fill, colour, Within(source->size(), kPreviewLimit));
        if (!scene.isNull())
            scene = scene.scaled(QSize(kPreviewWidth, kPreviewWidth * 3 / 4), Qt::KeepAspectRatio,
                                 Qt::SmoothTransformation);
        QMetaObject::invokeMethod(
            this,
            [this, generation, scene] {
                workEnded();
                previewRunning_ = false;
                if (generation == previewGeneration_ && !previewAgain_) {
                    scenePreview_ = scene;
                    previewLabel_->setPixmap(QPixmap::fromImage(scene));
                }
                if (previewAgain_)
                    startPreview();
            },
            Qt::QueuedConnection);
    });
}

// ---------------------------------------------------------------- OK and Annuler

bool CutoutWindow::Apply()
{
    Platform& platform = ctx_.platform;
    if (!source_) {
        platform.messageBox(QStringLiteral("Choisissez d'abord l'image où se trouvent les objets."), kNotice, kTitle);
        return false;
    }
    if (outlines_.isEmpty()) {
        platform.messageBox(QStringLiteral("Entourez d'abord au moins un objet sur l'image."), kNotice, kTitle);
        return false;
    }
    for (const Outline& o : outlines_) {
        if (o.computing) {
            SetText(status_, QStringLiteral("Un contour est encore en recherche : un instant."));
            return false;
        }
        if (o.bounds.isEmpty()) {
            platform.messageBox(QStringLiteral("Le contour de « %1 » ne contient rien : redessinez-le ou supprimez-le.")
                                    .arg(o.name),
                                kRefusal, kTitle);
            list_->setCurrentRow(int(&o - outlines_.data()));
            return false;
        }
    }
    if (dd_.state.strFolderName.isEmpty()) {
        dd_.ChooseWorkingFolder();
        if (dd_.state.strFolderName.isEmpty())
            return false;
    }
    // Objects already in the project: beside the new ones, or replaced by them.
    bool keepObjects = true;
    if (!dd_.state.objects.isEmpty()) {
        const int answer = platform.messageBox(
            QStringLiteral("Le projet a déjà %1 objet(s). Voulez-vous les garder à côté des objets découpés ?\r\r"
                           "Oui : les garder. Non : les remplacer par les objets découpés. Annuler : revenir au "
                           "découpage.")
                .arg(dd_.state.objects.size()),
            MB_YESNOCANCEL | MB_ICONQUESTION, kTitle);
        if (answer != IDYES && answer != IDNO)
            return false;
        keepObjects = answer == IDYES;
    }
    QList<CutoutObject> objects;
    for (const Outline& o : outlines_)
        objects.append({o.name, o.mask});

    // Cutting at full size and inpainting take a while on a photo: the pictures are
    // written off this thread, from a copy of the project's state (the window is modal,
    // nothing else changes it meanwhile), then the project takes them in one step here,
    // where its history and signals live.
    applying_ = true;
    setContentsEnabled(false);
    workStarted(QStringLiteral("Création de la scène vidée et des images des objets…"));
    DragDropState state = dd_.state;
    if (!keepObjects)
        state.objects.clear();
    maskWorker_.start([this, state, keepObjects, path = picturePath_, source = source_, objects, fill = fill(),
                       colour = placeColour_] {
        CutoutWritten written;
        const QString error = WriteCutout(state, path, *source, objects, fill, colour, written);
        QMetaObject::invokeMethod(
            this,
            [this, error, keepObjects, written] {
                workEnded();
                applying_ = false;
                setContentsEnabled(true);
                if (!error.isEmpty()) {
                    ctx_.platform.messageBox(error, kRefusal, kTitle);
                    refreshControls();
                    return;
                }
                TakeOver(keepObjects, written);
                QDialog::accept();
            },
            Qt::QueuedConnection);
    });
    return true;
}

void CutoutWindow::TakeOver(bool keepObjects, const CutoutWritten& written)
{
    // One step, whatever the cut-out added or replaced; the pictures written stay in img.
    dd_.Change(QStringLiteral("découper les objets"), [this, keepObjects, &written] {
        if (!keepObjects)
            dd_.state.objects.clear();
        TakeCutout(dd_, written);
    });
    dd_.CheckChanges();
}

void CutoutWindow::setContentsEnabled(bool on)
{
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != progress_ && w != status_)
            w->setEnabled(on);
}

void CutoutWindow::reject()
{
    // The files are being written: they finish first.
    if (applying_)
        return;
    if (!outlines_.isEmpty() &&
        !confirmDrop(QStringLiteral("Abandonner le découpage ? Les contours dessinés seront perdus.")))
        return;
    QDialog::reject();
}

bool CutoutWindow::confirmDrop(const QString& question)
{
    return ctx_.platform.messageBox(question, kConfirm, kTitle) == IDYES;
}

void CutoutWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Delete:
        deleteSelected();
        return;
    case Qt::Key_F2:
        renameSelected();
        return;
    case Qt::Key_Escape:
        if (redrawId_) {
            redrawId_ = 0;
            showHint();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter renames in the list; OK is a deliberate click.
        if (list_->hasFocus())
            renameSelected();
        return;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

// ---------------------------------------------------------------- showing

void CutoutWindow::workStarted(const QString& what)
{
    ++pendingWork_;
    SetText(status_, what);
    progress_->show();
    refreshControls();
}

void CutoutWindow::workEnded()
{
    if (--pendingWork_ > 0)
        return;
    pendingWork_ = 0;
    progress_->hide();
    SetText(status_, QString());
    refreshControls();
}

CutoutWindow::Outline* CutoutWindow::find(int id)
{
    for (Outline& o : outlines_)
        if (o.id == id)
            return &o;
    return nullptr;
}

CutoutWindow::Outline* CutoutWindow::selected()
{
    const int row = list_->currentRow();
    return row >= 0 && row < outlines_.size() ? &outlines_[row] : nullptr;
}

void CutoutWindow::refreshList()
{
    const QSignalBlocker b(list_);
    const int row = list_->currentRow();
    while (list_->count() > outlines_.size())
        delete list_->takeItem(list_->count() - 1);
    for (qsizetype i = 0; i < outlines_.size(); ++i) {
        const Outline& o = outlines_[i];
        QString text = o.name.isEmpty() ? QStringLiteral("(sans nom)") : o.name;
        if (o.computing)
            text += QStringLiteral("  (recherche…)");
        else if (o.bounds.isEmpty())
            text += QStringLiteral("  (vide)");
        if (i < list_->count()) {
            if (list_->item(int(i))->text() != text)
                list_->item(int(i))->setText(text);
        } else {
            list_->addItem(text);
        }
    }
    if (row >= list_->count())
        list_->setCurrentRow(list_->count() - 1);
}

void CutoutWindow::refreshOverlay(const Outline& o)
{
    if (o.shownMask.isNull())
        return;
    const bool isSelected = selected() && selected()->id == o.id;
    canvas_->setOverlay(o.id, Overlay(o.shownMask, isSelected ? kSelectedColour : kOutlineColour), o.name,
                        o.bounds.topLeft());
}

void CutoutWindow::refreshControls()
{
    const bool hasPicture = bool(source_);
    const bool hasSelection = list_ && list_->currentRow() >= 0 && list_->currentRow() < outlines_.size();
    bool ready = hasPicture && !outlines_.isEmpty();
    for (const Outline& o : outlines_)
        ready = ready && !o.computing;
    for (QAbstractButton* b : tools_->buttons())
        b->setEnabled(hasPicture);
    tolerance_->setEnabled(hasPicture);
    renameButton_->setEnabled(hasSelection);
    redrawButton_->setEnabled(hasSelection);
    deleteButton_->setEnabled(hasSelection);
    const bool coloured = fill() != PlaceFill::Erase;
    colourButton_->setEnabled(true);
    colourSwatch_->setEnabled(coloured);
    okButton_->setEnabled(ready);
}

void CutoutWindow::showHint()
{
    QString text;
    if (!source_)
        text = QStringLiteral("Choisissez d'abord l'image où se trouvent les objets.");
    else if (const Outline* o = find(redrawId_))
        text = QStringLiteral("Dessinez le nouveau contour de « %1 » ([Échap] : annuler).").arg(o->name);
    else
        switch (canvas_->tool()) {
        case CutoutTool::Box: text = QStringLiteral("Tracez un cadre autour d'un objet : Toravi trouve son contour."); break;
        case CutoutTool::Wand: text = QStringLiteral("Cliquez dans une zone de couleur unie."); break;
        case CutoutTool::Freehand: text = QStringLiteral("Entourez l'objet en gardant le bouton appuyé."); break;
        case CutoutTool::Polygon:
            text = QStringLiteral("Cliquez chaque coin ; double-clic ou [Entrée] pour fermer le contour.");
            break;
        case CutoutTool::Keep: text = QStringLiteral("Peignez ce qui manque à l'objet choisi dans la liste."); break;
        case CutoutTool::Remove: text = QStringLiteral("Peignez ce qui est en trop dans l'objet choisi."); break;
        }
    SetText(hint_, text);
}

}  // namespace toravi
