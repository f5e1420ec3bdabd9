#include "dragdrop/dragdropwindows.h"

#include "dragdrop/dragdropmodule.h"
#include "shared/colors.h"
#include "shared/picturecache.h"
#include "shared/platform.h"
#include "shared/publish.h"
#include "widgets/appcontext.h"
#include "widgets/balloon.h"
#include "widgets/controls.h"
#include "help/presentation.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QImageReader>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace toravi {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Balloon texts are written line by line; the balloon joins them with CR LF.
QString Lines(std::initializer_list<const char*> lines)
{
    QStringList out;
    for (const char* l : lines)
        out.append(QString::fromUtf8(l));
    return out.join(kCrLf);
}

// A label that shows a long path in the room it has, eliding its middle, and
// keeps the whole text (and shows it as its tooltip).
class PathLabel : public QLabel {
public:
    using QLabel::QLabel;
    QSize minimumSizeHint() const override { return {40, QLabel::minimumSizeHint().height()}; }
    QSize sizeHint() const override { return {120, QLabel::sizeHint().height()}; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        drawFrame(&p);
        const QRect r = contentsRect().adjusted(3, 0, -3, 0);
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        p.drawText(r, Qt::AlignVCenter | Qt::AlignLeft, fontMetrics().elidedText(text(), Qt::ElideMiddle, r.width()));
    }
};

PathLabel* Path(const char* name, QWidget* parent)
{
    auto* l = Named(new PathLabel(parent), name);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setMinimumHeight(22);
    return l;
}

// The small red note beside the fields a page cannot do without.
QLabel* Mandatory(const char* name, const QString& text, QWidget* parent)
{
    auto* l = MakeLabel(name, text, parent);
    l->setStyleSheet(QStringLiteral("color: #A00000; font-style: italic;"));
    return l;
}

// Shows its whole contents when the screen has room, and scrolls otherwise.
class FittingScrollArea : public QScrollArea {
public:
    explicit FittingScrollArea(QWidget* parent) : QScrollArea(parent)
    {
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
    }
    QSize sizeHint() const override
    {
        QSize hint = widget() ? widget()->sizeHint() : QScrollArea::sizeHint();
        if (const QScreen* screen = this->screen()) {
            // Room for the title bar, the menu and the task bar.
            const QSize room = screen->availableGeometry().size() - QSize(16, 90);
            if (hint.height() > room.height())
                hint.rwidth() += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
            hint = hint.boundedTo(room);
        }
        return hint;
    }
};

// The instruction box takes the room its column has, without asking for more.
class ConsigneBox : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;
    QSize sizeHint() const override { return {200, 110}; }
};

// A small box painted with a colour setting.
QLabel* Swatch(const char* name, QWidget* parent)
{
    auto* l = Named(new QLabel(parent), name);
    l->setFixedSize(44, 22);
    l->setFrameShape(QFrame::Box);
    l->setAutoFillBackground(true);
    return l;
}

// A path label also offers its whole text as its tooltip.
void SetPath(QLabel* label, const QString& text)
{
    if (SetText(label, text))
        label->setToolTip(text);
}

// Rebuilt whole when anything differs; the current row is kept when it still exists.
void ReplaceEntries(QListWidget* list, const QStringList& entries)
{
    bool same = list->count() == entries.size();
    for (int i = 0; same && i < entries.size(); ++i)
        same = list->item(i)->text() == entries[i];
    if (same)
        return;
    QSignalBlocker b(list);
    const int row = list->currentRow();
    list->clear();
    list->addItems(entries);
    if (row >= 0 && row < list->count())
        list->setCurrentRow(row);
}

QString ToBox(const QString& consigne)
{
    QString t = consigne;
    t.replace(kCrLf, QStringLiteral("\n"));
    return t;
}

QString FromBox(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('\n'), kCrLf);
    return t;
}

QFont SampleFont(int pixelSize)
{
    QFont f(QStringLiteral("Times New Roman"));
    if (pixelSize > 0)
        f.setPixelSize(pixelSize);
    return f;
}

constexpr double kTwipsPerPixel = 15.0;

// Preview heights beyond this would only make the window outgrow the screen.
constexpr int kPreviewMaxHeight = 600;

}  // namespace

// ---------------------------------------------------------------------------
// ObjectFrame

ObjectFrame::ObjectFrame(QWidget* parent) : QLabel(parent)
{
    setScaledContents(true);
    setFrameShape(QFrame::NoFrame);
}

void ObjectFrame::setPicture(const QImage& image)
{
    const qint64 key = image.isNull() ? 0 : image.cacheKey();
    if (key == key_)
        return;
    key_ = key;
    if (image.isNull())
        clear();
    else
        setPixmap(QPixmap::fromImage(image));
}

void ObjectFrame::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}

// ---------------------------------------------------------------------------
// IForm1

IForm1::IForm1(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx), dd_(ctx.dragdrop)
{
    setWindowTitle(QStringLiteral("Toravi - Générateur de page Web interactive"));
    buildControls();
    buildMenus();
    connectHandlers();
    connect(&dd_, &DragDropModule::refreshRequested, this, &IForm1::RefreshWindow);

    // Load step.
    CentreOnScreen(this);
    HookBubble();
    SetBubbleWidth(500);
    setBalloonTexts();
    cmbTextSize_->addItems(DragDropTextSizes());
    cmbTitelSize_->addItems(DragDropTitleSizes());
    dd_.ResetProject();
    CentreOnScreen(this);
}

void IForm1::buildControls()
{
    // The controls keep their size; a screen too small for them scrolls.
    auto* scroll = new FittingScrollArea(this);
    scroll->setObjectName(QStringLiteral("IForm1_scroll"));
    auto* central = new QWidget(scroll);
    central->setObjectName(QStringLiteral("IForm1_client"));
    scroll->setWidget(central);
    setCentralWidget(scroll);

    // --- INT_Frame1: working folder and reference picture
    auto* frame1 = Named(new QGroupBox(QStringLiteral("Image de référence"), central), "INT_Frame1");
    {
        auto* bg = Named(new QWidget(frame1), "pctfond5");
        auto* g = new QGridLayout(bg);
        g->setContentsMargins(0, 0, 0, 0);
        g->addWidget(MakeLabel("lbl1", QStringLiteral("Dossier de travail"), bg), 0, 0);
        txtFolder_ = Named(new QLineEdit(bg), "INT_txtstrFolderName");
        cmdFolder_ = MakeButton("INT_cmdstrFolderName", QStringLiteral("Parcourir"), bg);
        g->addWidget(txtFolder_, 0, 1);
        g->addWidget(cmdFolder_, 0, 2);
        g->addWidget(MakeLabel("lbl2", QStringLiteral("Choisir l'image de référence"), bg), 1, 0, 1, 2);
        cmdOrigImage_ = MakeButton("INT_cmdOrigImageFile", QStringLiteral("Parcourir"), bg);
        g->addWidget(cmdOrigImage_, 1, 2);
        g->addWidget(MakeLabel("lblImageFile", QStringLiteral("Image de référence"), bg), 2, 0);
        lblImageFile_ = Path("INT_lbltxtImageFile", bg);
        g->addWidget(lblImageFile_, 2, 1, 1, 2);
        lblOrigImageFile_ = Path("INT_lbltxtOrigImageFile", bg);
        g->addWidget(lblOrigImageFile_, 3, 0, 1, 3);
        g->addWidget(MakeLabel("lbl3", QStringLiteral("Caractéristiques de l'image"), bg), 4, 0, 1, 3);
        auto* sizes = new QHBoxLayout;
        lblLargeur_ = Named(new QLabel(bg), "INT_lblValLargeur");
        lblHauteur_ = Named(new QLabel(bg), "INT_lblValHauteur");
        for (QLabel* v : {lblLargeur_, lblHauteur_}) {
            v->setMinimumWidth(48);
            v->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        sizes->addSpacing(12);
        sizes->addWidget(MakeLabel("lblLargeur", QStringLiteral("Largeur"), bg));
        sizes->addWidget(lblLargeur_);
        sizes->addSpacing(12);
        sizes->addWidget(MakeLabel("lblHauteur", QStringLiteral("Hauteur"), bg));
        sizes->addWidget(lblHauteur_);
        sizes->addStretch(1);
        sizes->addWidget(Mandatory("lblchp1", QStringLiteral("Champs obligatoires"), bg));
        g->addLayout(sizes, 5, 0, 1, 3);
        g->setColumnStretch(1, 1);
        auto* l = new QVBoxLayout(frame1);
        l->addWidget(bg);
    }

    // --- INT_Frame2: the page
    auto* frame2p = Named(new QGroupBox(QStringLiteral("Caractéristique de la page Web"), central), "INT_Frame2");
    {
        auto* bg = Named(new QWidget(frame2p), "pctfond6");
        auto* g = new QGridLayout(bg);
        g->setContentsMargins(0, 0, 0, 0);
        g->addWidget(MakeLabel("lbl4", QStringLiteral("Choisir l'image d'arrière-plan"), bg), 0, 0, 1, 3);
        cmdBackground_ = MakeButton("INT_cmdOrigBackgroundImage", QStringLiteral("Parcourir"), bg);
        g->addWidget(cmdBackground_, 0, 3);
        lblBackgroundImage_ = Path("INT_lbltxtBackgroundImage", bg);
        g->addWidget(lblBackgroundImage_, 1, 0, 1, 4);
        lblOrigBackgroundImage_ = Path("INT_lbltxtOrigBackgroundImage", bg);
        g->addWidget(lblOrigBackgroundImage_, 2, 0, 1, 4);

        g->addWidget(MakeLabel("lbl5", QStringLiteral("Arrière-plan de page"), bg), 3, 0);
        g->addWidget(MakeLabel("Label2", QStringLiteral("Couleur"), bg), 3, 1, Qt::AlignRight);
        swatchPage_ = Swatch("INT_PictureFond", bg);
        g->addWidget(swatchPage_, 3, 2);
        cmdPageColour_ = MakeButton("INT_Command1", QStringLiteral("Choisir"), bg);
        g->addWidget(cmdPageColour_, 3, 3);

        g->addWidget(MakeLabel("lbl11", QStringLiteral("Arrière-plan de l'image"), bg), 4, 0);
        g->addWidget(MakeLabel("Label4", QStringLiteral("Couleur"), bg), 4, 1, Qt::AlignRight);
        swatchTable_ = Swatch("PictureTable", bg);
        g->addWidget(swatchTable_, 4, 2);
        cmdTableColour_ = MakeButton("Command1", QStringLiteral("Choisir"), bg);
        g->addWidget(cmdTableColour_, 4, 3);
        checkTransparence_ = MakeCheck("CheckTransparence", QStringLiteral("Fond transparent"), bg);
        g->addWidget(checkTransparence_, 5, 1, 1, 3, Qt::AlignRight);

        g->addWidget(MakeLabel("lbl6", QStringLiteral("Nom de fichier de la page Web"), bg), 6, 0);
        txtPageWeb_ = Named(new QLineEdit(bg), "INT_txtPageWeb");
        g->addWidget(txtPageWeb_, 6, 1, 1, 3);
        g->addWidget(MakeLabel("lbl7", QStringLiteral("Page Web (Chemin complet)"), bg), 7, 0, 1, 4);
        lblPageWebPath_ = Path("INT_lblPageWebPath", bg);
        g->addWidget(lblPageWebPath_, 8, 0, 1, 4);
        g->addWidget(MakeLabel("lbl8", QStringLiteral("Titre de la page Web"), bg), 9, 0);
        txtTitre_ = Named(new QLineEdit(bg), "INT_txtstrTitre");
        g->addWidget(txtTitre_, 9, 1, 1, 3);
        g->addWidget(Mandatory("lblchp2", QStringLiteral("Champ obligatoire"), bg), 10, 0, 1, 4, Qt::AlignRight);
        g->setColumnStretch(0, 1);
        auto* l = new QVBoxLayout(frame2p);
        l->addWidget(bg);
    }

    // --- Frame4: the displayed title
    auto* frame4 = Named(new QGroupBox(QStringLiteral("Affichage du titre de la page Web"), central), "Frame4");
    {
        auto* bg = Named(new QWidget(frame4), "pctfond4");
        auto* g = new QGridLayout(bg);
        g->setContentsMargins(0, 0, 0, 0);
        g->addWidget(MakeLabel("lbl10", QStringLiteral("Titre affiché sur la page"), bg), 0, 0, 1, 3);
        txtAffiche_ = Named(new QLineEdit(bg), "INT_txtstrAffiche");
        g->addWidget(txtAffiche_, 1, 0, 1, 3);
        checkTitelBold_ = MakeCheck("CheckTitelBold", QStringLiteral("Gras"), bg);
        checkTitelItalic_ = MakeCheck("CheckTitelItalic", QStringLiteral("Italiques"), bg);
        checkTitelUnderline_ = MakeCheck("CheckTitelUnderline", QStringLiteral("Souligné"), bg);
        g->addWidget(checkTitelBold_, 2, 0);
        g->addWidget(checkTitelItalic_, 2, 1);
        g->addWidget(checkTitelUnderline_, 2, 2);
        cmbTitelSize_ = Named(new QComboBox(bg), "CmbTitelSize");
        g->addWidget(cmbTitelSize_, 3, 0);
        cmdTitelColor_ = MakeButton("cmdTitelColor", QStringLiteral("Couleur caractères"), bg);
        g->addWidget(cmdTitelColor_, 3, 1, 1, 2);
        lblTitelExemple_ = MakeLabel("lblTitelExemple", QStringLiteral("Exemple"), bg);
        lblTitelExemple_->setAlignment(Qt::AlignCenter);
        lblTitelExemple_->setFixedHeight(40);
        g->addWidget(lblTitelExemple_, 4, 0, 1, 3);
        auto* l = new QVBoxLayout(frame4);
        l->addWidget(bg);
    }

    // --- INT_Frame3: the instruction
    auto* frame3c = Named(new QGroupBox(QStringLiteral("Consigne"), central), "INT_Frame3");
    {
        auto* bg = Named(new QWidget(frame3c), "pctfond8");
        auto* g = new QGridLayout(bg);
        g->setContentsMargins(0, 0, 0, 0);
        g->addWidget(MakeLabel("lbl9", QStringLiteral("Texte de la consigne"), bg), 0, 0, 1, 3);
        txtConsigne_ = Named(new ConsigneBox(bg), "INT_txtstrConsigne");
        txtConsigne_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        txtConsigne_->setTabChangesFocus(true);
        txtConsigne_->setMinimumHeight(100);
        g->addWidget(txtConsigne_, 1, 0, 1, 3);
        g->setRowStretch(1, 1);
        checkTextBold_ = MakeCheck("INT_CheckTextBold", QStringLiteral("Gras"), bg);
        checkTextItalic_ = MakeCheck("INT_CheckTextItalic", QStringLiteral("Italiques"), bg);
        checkTextUnderlined_ = MakeCheck("INT_CheckTextUnderlined", QStringLiteral("Souligné"), bg);
        g->addWidget(checkTextBold_, 2, 0);
        g->addWidget(checkTextItalic_, 2, 1);
        g->addWidget(checkTextUnderlined_, 2, 2);
        cmbTextSize_ = Named(new QComboBox(bg), "INT_cmbTextSize");
        g->addWidget(cmbTextSize_, 3, 0);
        cmdTextColour_ = MakeButton("Command2", QStringLiteral("Couleur caractères"), bg);
        g->addWidget(cmdTextColour_, 3, 1, 1, 2);
        cmdTextBack_ = MakeButton("cmdFonTexte", QStringLiteral("Couleur du Fond"), bg);
        g->addWidget(cmdTextBack_, 4, 1, 1, 2);
        swatchText_ = Swatch("Picturetexte", bg);
        g->addWidget(swatchText_, 4, 0, Qt::AlignCenter);
        lblExemple_ = MakeLabel("lblExemple", QStringLiteral("Exemple"), bg);
        lblExemple_->setAlignment(Qt::AlignCenter);
        lblExemple_->setAutoFillBackground(true);
        lblExemple_->setFixedHeight(30);
        g->addWidget(lblExemple_, 5, 0, 1, 3);
        auto* l = new QVBoxLayout(frame3c);
        l->addWidget(bg);
    }

    // --- Preview, outside the frames
    auto* previewBox = new QWidget(central);
    previewBox->setObjectName(QStringLiteral("IForm1_preview"));
    {
        auto* v = new QVBoxLayout(previewBox);
        v->setContentsMargins(0, 6, 0, 0);
        lblImgRef_ = MakeLabel("lblImgRef", QStringLiteral("Aperçu de l'image de référence"), previewBox);
        lblImgRef_->setAlignment(Qt::AlignCenter);
        auto* shape = Named(new QFrame(previewBox), "Shape1");
        shape->setFrameShape(QFrame::Box);
        shape->setFixedWidth(kPreviewWidth + 2);
        shape->setMinimumHeight(kPreviewWidth * 3 / 4 + 2);
        shape1_ = shape;
        auto* sv = new QVBoxLayout(shape);
        sv->setContentsMargins(1, 1, 1, 1);
        image1_ = Named(new ObjectFrame(shape), "Image1");
        image1_->setFixedSize(kPreviewWidth, kPreviewWidth * 3 / 4);
        sv->addWidget(image1_, 0, Qt::AlignTop);
        sv->addStretch(1);
        cmdValider_ = MakeButton("cmdValider", QStringLiteral("Vallider"), previewBox);
        cmdValider_->setMinimumHeight(34);
        v->addWidget(lblImgRef_);
        v->addWidget(shape);
        v->addSpacing(8);
        v->addWidget(cmdValider_);
    }

    // --- Frame1: the objects
    auto* frame1o = Named(new QGroupBox(QStringLiteral("Objets à placer dans l'image de référence"), central),
                          "Frame1");
    {
        auto* bg = Named(new QWidget(frame1o), "pctfond9");
        auto* v = new QVBoxLayout(bg);
        v->setContentsMargins(0, 0, 0, 0);
        auto* top = new QHBoxLayout;
        cmdAjoutImage_ = MakeButton("cmdAjoutImage", QStringLiteral("Ajouter un objet (Ctrl + F9)"), bg);
        top->addWidget(cmdAjoutImage_);
        top->addStretch(1);
        top->addWidget(MakeLabel("Label6", QStringLiteral("Emplacement de départ des objets"), bg));
        cmbScriptPlacement_ = Named(new QComboBox(bg), "cmbScriptPlacement");
        cmbScriptPlacement_->addItems(PlacementItems());
        top->addWidget(cmbScriptPlacement_);
        v->addLayout(top);
        // Two rows of twelve, 1080 twips apart across and 870 twips down.
        auto* grid = new QWidget(bg);
        grid->setObjectName(QStringLiteral("Image2_area"));
        constexpr int pitchX = 72, pitchY = 58;
        grid->setFixedSize(pitchX * 11 + kFrameWidth, pitchY + kFrameHeight);
        for (int i = 0; i < kObjectFrames; ++i) {
            auto* f = new ObjectFrame(grid);
            f->setObjectName(QStringLiteral("Image2_%1").arg(i));
            f->setGeometry(pitchX * (i % 12), i < 12 ? 0 : pitchY, kFrameWidth, kFrameHeight);
            f->hide();
            image2_.append(f);
        }
        v->addWidget(grid, 0, Qt::AlignLeft);
        auto* l = new QVBoxLayout(frame1o);
        l->addWidget(bg);
    }

    // --- Frame2: object options
    frame2_ = Named(new QGroupBox(QStringLiteral("Caractéristiques des objets"), central), "Frame2");
    {
        auto* v = new QVBoxLayout(frame2_);
        v->addWidget(MakeLabel("Label3", QStringLiteral("Textes des info-bulles"), frame2_));
        listInfoBulles_ = Named(new QListWidget(frame2_), "ListInfoBulles");
        listInfoBulles_->setMinimumHeight(60);
        listInfoBulles_->setMaximumHeight(110);
        v->addWidget(listInfoBulles_, 1);
        checkImgAlt_ =
            MakeCheck("CheckImgAlt", QStringLiteral("Affichage du texte (info-bulles) sur les objets"), frame2_);
        checkImgTransparent_ =
            MakeCheck("CheckImgTransparent", QStringLiteral("Objets transparents pendant le déplacement"), frame2_);
        v->addWidget(checkImgAlt_);
        v->addWidget(checkImgTransparent_);
    }

    // --- Frame3: help button, in two lines across the window
    frame3_ = Named(new QGroupBox(QStringLiteral("Bouton d'aide avec lien vers un fichier annexe"), central), "Frame3");
    {
        auto* bg = Named(new QWidget(frame3_), "Picture1");
        auto* g = new QGridLayout(bg);
        g->setContentsMargins(0, 0, 0, 0);
        checkBouton_ = MakeCheck("CheckBouton", QStringLiteral("Afficher le bouton"), bg);
        g->addWidget(checkBouton_, 0, 0);
        g->addWidget(MakeLabel("Label8", QStringLiteral("Texte du bouton"), bg), 0, 1);
        txtTexteBouton_ = Named(new QLineEdit(bg), "INT_txtTexteBouton");
        g->addWidget(txtTexteBouton_, 0, 2);
        lblAverto_ = MakeLabel("lblAverto", QStringLiteral("Choisissez le fichier à afficher !"), bg);
        lblAverto_->setStyleSheet(QStringLiteral("color: #C00000; font-weight: bold;"));
        // Keeps its room while hidden, so the frame does not jump.
        QSizePolicy keep = lblAverto_->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        lblAverto_->setSizePolicy(keep);
        g->addWidget(lblAverto_, 0, 3, 1, 2);
        g->addWidget(MakeLabel("Label5", QStringLiteral("Fichier d'aide à afficher"), bg), 1, 0);
        cmdDocument_ = MakeButton("Command3", QStringLiteral("Parcourir"), bg);
        g->addWidget(cmdDocument_, 1, 1);
        lblDocumentOrigBouton_ = Path("INT_lblDocumentOrigBouton", bg);
        g->addWidget(lblDocumentOrigBouton_, 1, 2);
        lblDocumentBouton_ = Path("INT_lblDocumentBouton", bg);
        g->addWidget(lblDocumentBouton_, 1, 3, 1, 2);
        g->setColumnMinimumWidth(2, 180);
        g->setColumnStretch(4, 1);
        auto* l = new QVBoxLayout(frame3_);
        l->addWidget(bg);
    }

    // --- Hidden storage
    list1_ = Named(new QListWidget(central), "List1");
    list2_ = Named(new QListWidget(central), "List2");
    txtOrigImageFile_ = Named(new QLineEdit(central), "INT_txtOrigImageFile");
    txtImageFile_ = Named(new QLineEdit(central), "INT_txtImageFile");
    txtOrigBackgroundImage_ = Named(new QLineEdit(central), "INT_txtOrigBackgroundImage");
    txtBackgroundImage_ = Named(new QLineEdit(central), "INT_txtstrBackgroundImage");
    for (QWidget* w : std::initializer_list<QWidget*>{list1_, list2_, txtOrigImageFile_, txtImageFile_,
                                                      txtOrigBackgroundImage_, txtBackgroundImage_})
        w->hide();

    // --- Arrangement: pictures and page on the left, titles in the middle,
    // preview and object options on the right; the objects and the help button below.
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    auto* left = new QVBoxLayout;
    left->addWidget(frame1);
    left->addWidget(frame2p);
    left->addStretch(1);
    auto* middle = new QVBoxLayout;
    middle->addWidget(frame4);
    middle->addWidget(frame3c, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(previewBox);
    right->addWidget(frame2_, 1);
    grid->addLayout(left, 0, 0);
    grid->addLayout(middle, 0, 1);
    grid->addLayout(right, 0, 2);
    grid->addWidget(frame1o, 1, 0, 1, 3);
    grid->addWidget(frame3_, 2, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);

    folderDependent_ = {txtOrigImageFile_, txtOrigBackgroundImage_, txtImageFile_, txtBackgroundImage_,
                        txtPageWeb_, txtTitre_, txtConsigne_, txtAffiche_, cmdOrigImage_, cmdBackground_,
                        cmdPageColour_, cmbTextSize_, checkTextBold_, checkTextItalic_, checkTextUnderlined_,
                        cmdTextColour_, cmdTextBack_, cmdTableColour_, checkTransparence_, cmdAjoutImage_,
                        cmbTitelSize_, checkTitelBold_, checkTitelItalic_, checkTitelUnderline_, cmdTitelColor_,
                        frame2_, frame3_};
}

void IForm1::buildMenus()
{
    auto action = [this](QMenu* menu, const char* name, const QString& text, const QKeySequence& keys = {}) {
        QAction* a = MakeAction(menu, name, text, keys);
        addAction(a);  // shortcuts work while the menu is closed
        return a;
    };
    QMenu* fichier = MakeMenu(menuBar(), "mnuFichier", QStringLiteral("Fichier"));
    mnuReinit_ = action(fichier, "mnuReinit", QStringLiteral("Réinitialiser"), QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    mnuQuit_ = action(fichier, "mnuQuit", QStringLiteral("Quitter"));
    QMenu* projet = MakeMenu(menuBar(), "mnuProjet", QStringLiteral("Projet"));
    mnuAjouterObjet_ =
        action(projet, "mnuAjouterObjet", QStringLiteral("Ajouter un objet"), QKeySequence(Qt::CTRL | Qt::Key_F9));
    mnuLoad_ = action(projet, "mnuLoad", QStringLiteral("Charger un projet"), QKeySequence(Qt::CTRL | Qt::Key_L));
    mnuSave_ = action(projet, "mnuSave", QStringLiteral("Sauvegarder un projet"), QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuCreation_ =
        action(projet, "mnuCreation", QStringLiteral("Créer la page Web"), QKeySequence(Qt::CTRL | Qt::Key_F12));
    mnuAide_ = Named(menuBar()->addAction(QStringLiteral("Aide")), "mnuAide");
}

void IForm1::setBalloonTexts()
{
    auto set = [this](const char* name, const QString& text) {
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(name)))
            SetBalloonText(w, text);
    };
    set("lbl1", Lines({"<c>Dossier de travail.", "C'est dans ce dossier que seront créés",
                       "les fichiers de votre page Web."}));
    set("INT_cmdstrFolderName",
        Lines({"<c>Parcourez votre disque dur pour sélectionner", "le dossier de travail.",
               "C'est dans ce dossier que seront créés", "les fichiers de votre page Web."}));
    set("lbl2", Lines({"<c>Image de référence", "C'est l'image sur laquelle vous souhaitez",
                       "faire apparaître des informations."}));
    set("INT_cmdOrigImageFile",
        Lines({"<c>Parcourez votre disque dur pour sélectionner", "l'image de référence",
               "C'est l'image sur laquelle vous souhaitez", "faire apparaître des informations."}));
    set("lbl4", Lines({"<c>Image de fond de page", "C'est l'image qui se trouve en arrière-plan de votre page Web.",
                       "Elle est facultative. Il peut être intéressant d'en choisir une",
                       "si votre image de référence présente des zones de transparence."}));
    set("INT_cmdOrigBackgroundImage",
        Lines({"<c>Parcourez votre disque dur pour choisir le fond de page.",
               "C'est l'image qui se trouve en arrière-plan de votre page Web.",
               "Elle est facultative. Il peut être intéressant d'en choisir une",
               "si l'image de référence présente des zones de transparence."}));
    set("lbl6", Lines({"<c>Nom sous lequel vous souhaitez enregistrer", "la page Web que vous allez créer.",
                       "Elle sera enregistrée au format html avec l'extension '.htm'"}));
    set("lbl8", Lines({"<c>Titre qui s'affichera dans la barre haute du navigateur",
                       "et dans l'onglet de visualisation de votre page Web."}));
    set("lbl10", Lines({"<c>Titre qui s'affichera dans votre page Web"}));
    set("lbl9", Lines({"<c>Consigne qui figure en haut de la page.", "pour expliquer le travaill à effectuer."}));
    set("lbl11", Lines({"<c>Titre, consigne et images s'affichent sur un cadre au fond uni",
                        "dont vous pouvez choisir la couleur.",
                        "ou bien sur un fond transparent qui laissera voir l'arrière-plan de la page."}));
    const QString frameText = Lines({"<c>Double-clic pour modifier ou supprimer un item."});
    for (ObjectFrame* f : image2_)
        SetBalloonText(f, frameText);
}

void IForm1::connectHandlers()
{
    DragDropState& s = dd_.state;
    auto onCheck = [this](QCheckBox* box, QString DragDropState::*setting, const QString& on, const QString& off) {
        connect(box, &QCheckBox::clicked, this, [this, setting, on, off](bool ticked) {
            dd_.state.*setting = ticked ? on : off;
            RefreshWindow();
        });
    };
    onCheck(checkBouton_, &DragDropState::strBouton, words::VraiCap, words::FauxCap);
    onCheck(checkTransparence_, &DragDropState::strTransparence, words::VraiCap, words::FauxCap);
    onCheck(checkImgAlt_, &DragDropState::strImgAlt, words::vrai, words::faux);
    onCheck(checkImgTransparent_, &DragDropState::strImgTransparent, words::vrai, words::faux);
    onCheck(checkTitelBold_, &DragDropState::strTitelBold, words::bold, QString());
    onCheck(checkTitelItalic_, &DragDropState::strTitelItalic, words::italic, QString());
    onCheck(checkTitelUnderline_, &DragDropState::strTitelUnderline, words::underlined, QString());
    onCheck(checkTextBold_, &DragDropState::strTextBold, words::cssBold, QString());
    onCheck(checkTextItalic_, &DragDropState::strTextItalic, words::cssItalic, QString());
    onCheck(checkTextUnderlined_, &DragDropState::strTextUnderlined, words::cssUnderline, QString());

    connect(cmbTitelSize_, &QComboBox::activated, this, [this] {
        dd_.state.strTitelSize = cmbTitelSize_->currentText();
        RefreshWindow();
    });
    connect(cmbTextSize_, &QComboBox::activated, this, [this] {
        dd_.state.strTextSize = cmbTextSize_->currentText();
        RefreshWindow();
    });
    connect(cmbScriptPlacement_, &QComboBox::activated, this,
            [this] { dd_.state.strScriptPlacement = cmbScriptPlacement_->currentText(); });

    connect(txtTitre_, &QLineEdit::textChanged, this, [&s](const QString& t) { s.strTitre = t; });
    connect(txtAffiche_, &QLineEdit::textChanged, this, [&s](const QString& t) { s.strAffiche = t; });
    connect(txtConsigne_, &QPlainTextEdit::textChanged, this,
            [this, &s] { s.strConsigne = FromBox(txtConsigne_->toPlainText()); });
    connect(txtTexteBouton_, &QLineEdit::textChanged, this, [this, &s](const QString& t) {
        s.strTexteBouton = t;
        RefreshWindow();
    });
    connect(txtPageWeb_, &QLineEdit::textChanged, this, [this, &s](const QString& t) {
        dd_.SetPageName(t);
        SetPath(lblPageWebPath_, s.strPageWeb);
    });

    // The operations ask for the refresh themselves.
    connect(cmdPageColour_, &QPushButton::clicked, &dd_, &DragDropModule::PageColour);
    connect(cmdFolder_, &QPushButton::clicked, &dd_, &DragDropModule::ChooseWorkingFolder);
    connect(cmdOrigImage_, &QPushButton::clicked, &dd_, &DragDropModule::ChooseReferencePicture);
    connect(cmdBackground_, &QPushButton::clicked, &dd_, &DragDropModule::ChooseBackgroundPicture);
    connect(cmdDocument_, &QPushButton::clicked, &dd_, &DragDropModule::ChooseHelpDocument);
    connect(cmdAjoutImage_, &QPushButton::clicked, &dd_, &DragDropModule::AddObject);
    connect(mnuAjouterObjet_, &QAction::triggered, &dd_, &DragDropModule::AddObject);

    auto onColour = [this](QPushButton* button, QString DragDropState::*setting) {
        connect(button, &QPushButton::clicked, this, [this, setting] {
            PickColor(ctx_.platform, dd_.state.*setting);
            RefreshWindow();
        });
    };
    onColour(cmdTableColour_, &DragDropState::strTableColor);
    onColour(cmdTitelColor_, &DragDropState::strTitelColor);
    onColour(cmdTextColour_, &DragDropState::strTextColor);
    onColour(cmdTextBack_, &DragDropState::strTextBackColor);

    for (int i = 0; i < image2_.size(); ++i)
        connect(image2_[i], &ObjectFrame::doubleClicked, this, [this, i] { openItem(i); });
    connect(listInfoBulles_, &QListWidget::itemDoubleClicked, this,
            [this] { openItem(listInfoBulles_->currentRow()); });

    connect(cmdValider_, &QPushButton::clicked, this, &IForm1::validateFromControls);

    connect(mnuReinit_, &QAction::triggered, &dd_, &DragDropModule::ReinitWithQuestion);
    connect(mnuQuit_, &QAction::triggered, this, [this] {
        AppContext& ctx = ctx_;  // this window is gone after the unload
        ctx.windows.unload(QStringLiteral("IForm1"));
        ctx.quit();
    });
    connect(mnuLoad_, &QAction::triggered, this, [this] {
        dd_.LoadProject();
        validateFromControls();
    });
    connect(mnuSave_, &QAction::triggered, &dd_, &DragDropModule::SaveProject);
    connect(mnuCreation_, &QAction::triggered, &dd_, &DragDropModule::CreatePage);
    connect(mnuAide_, &QAction::triggered, this,
            [this] { OpenModuleHelp(ctx_, HelpModule::DragDrop, this, true); });
}

void IForm1::validateFromControls()
{
    DragDropState& s = dd_.state;
    s.strFolderName = txtFolder_->text();
    s.strOrigImageFile = txtOrigImageFile_->text();
    s.strImageFile = lblImageFile_->text();
    s.strOrigBackgroundImage = txtOrigBackgroundImage_->text();
    s.strBackgroundImage = lblBackgroundImage_->text();
    s.strPageWeb = lblPageWebPath_->text();
    s.strTitre = txtTitre_->text();
    s.strConsigne = FromBox(txtConsigne_->toPlainText());
    s.strAffiche = txtAffiche_->text();
    dd_.Validate();
}

void IForm1::openItem(int index)
{
    if (index < 0)
        return;
    dd_.state.intSelectedItem = index;
    // An open dialog moves on to the newly chosen object.
    if (auto* dialog = qobject_cast<InfoImg*>(ctx_.windows.find(QStringLiteral("InfoImg"))))
        dialog->LoadItem();
    ctx_.windows.show(QStringLiteral("InfoImg"));
}

void IForm1::setControlsEnabled(bool on)
{
    for (QWidget* w : folderDependent_)
        if (w->isEnabled() != on)
            w->setEnabled(on);
    mnuAjouterObjet_->setEnabled(on);
}

void IForm1::RefreshWindow()
{
    DragDropState& s = dd_.state;
    // Steps 2 to 5 on the state: page path, titles and instruction defaults.
    dd_.ApplyRefreshDefaults();

    // 1. Paths and names.
    SetText(txtFolder_, s.strFolderName);
    SetText(txtOrigImageFile_, s.strOrigImageFile);
    SetPath(lblOrigImageFile_, s.strOrigImageFile);
    SetText(txtOrigBackgroundImage_, s.strOrigBackgroundImage);
    SetPath(lblOrigBackgroundImage_, s.strOrigBackgroundImage);
    SetText(txtImageFile_, s.strImageFile);
    SetText(txtBackgroundImage_, s.strBackgroundImage);
    SetPath(lblImageFile_, s.strImageFile);
    SetPath(lblBackgroundImage_, s.strBackgroundImage);

    // 2. to 5. Page file, browser title, instruction, displayed title.
    SetText(txtPageWeb_, s.strFileName);
    SetPath(lblPageWebPath_, s.strPageWeb);
    SetText(txtTitre_, s.strTitre);
    {
        const QString box = ToBox(s.strConsigne);
        if (txtConsigne_->toPlainText() != box) {
            QSignalBlocker b(txtConsigne_);
            txtConsigne_->setPlainText(box);
        }
    }
    SetText(txtAffiche_, s.strAffiche);

    // 6. Picture size.
    SetText(lblLargeur_, s.strImageLargeur);
    SetText(lblHauteur_, s.strImageHauteur);

    // 7. Availability.
    const bool hasFolder = !txtFolder_->text().isEmpty();
    setControlsEnabled(hasFolder);

    // 8. Tooltip list.
    listInfoBulles_->setEnabled(s.strImgAlt == words::vrai);

    // 9. Page colour.
    Paint(swatchPage_, QPalette::Window, WebColour(s.strBackgroundColor));

    // 10. Instruction look.
    SetComboText(cmbTextSize_, s.strTextSize);
    Paint(swatchText_, QPalette::Window, WebColour(s.strTextBackColor));
    Paint(lblExemple_, QPalette::Window, WebColour(s.strTextBackColor));
    Paint(lblExemple_, QPalette::WindowText, WebColour(s.strTextColor));
    const bool textBold = s.strTextBold == words::cssBold;
    const bool textItalic = s.strTextItalic == words::cssItalic;
    const bool textUnderlined = s.strTextUnderlined == words::cssUnderline;
    SetChecked(checkTextBold_, textBold);
    SetChecked(checkTextItalic_, textItalic);
    SetChecked(checkTextUnderlined_, textUnderlined);
    SetFontStyle(lblExemple_, SampleFont(qBound(0, s.strTextSize.toInt(), 24)), textBold, textItalic,
                 textUnderlined);

    // 11. Frame colour.
    Paint(swatchTable_, QPalette::Window, WebColour(s.strTableColor));
    SetChecked(checkTransparence_, s.strTransparence == words::VraiCap);

    // 12. Preview size: 4400 twips wide, as tall as the picture's proportions say.
    {
        bool okW = false, okH = false;
        const double w = s.strImageLargeur.trimmed().toDouble(&okW);
        const double h = s.strImageHauteur.trimmed().toDouble(&okH);
        if (okW && okH && w > 0 && h > 0) {
            const int height = qBound(1, qRound(4400.0 * h / w / kTwipsPerPixel), kPreviewMaxHeight);
            if (image1_->height() != height) {
                image1_->setFixedSize(kPreviewWidth, height);
                shape1_->setMinimumHeight(height + 2);
            }
        }
    }

    // 13. Title look.
    SetComboText(cmbTitelSize_, s.strTitelSize);
    Paint(lblTitelExemple_, QPalette::WindowText, WebColour(s.strTitelColor));
    const bool titelBold = s.strTitelBold == words::bold;
    const bool titelItalic = s.strTitelItalic == words::italic;
    const bool titelUnderline = s.strTitelUnderline == words::underlined;
    SetChecked(checkTitelBold_, titelBold);
    SetChecked(checkTitelItalic_, titelItalic);
    SetChecked(checkTitelUnderline_, titelUnderline);
    SetFontStyle(lblTitelExemple_, SampleFont(qBound(0, s.strTitelSize.toInt(), 32)), titelBold, titelItalic,
                 titelUnderline);

    // The object lists.
    {
        QStringList sources, names, tips;
        for (const DragDropObject& o : s.objects) {
            sources.append(o.source);
            names.append(o.fileName);
            tips.append(o.tooltip);
        }
        ReplaceEntries(list1_, sources);
        ReplaceEntries(list2_, names);
        ReplaceEntries(listInfoBulles_, tips);
    }

    // 14. and 15. Object frames: the copies in img, decoded at the frame's size.
    const QString img = hasFolder ? JoinPath(s.strFolderName, QStringLiteral("img")) : QString();
    const QSize frameSize(kFrameWidth, kFrameHeight);
    auto objectPath = [&](int i) {
        if (img.isEmpty() || i > s.intMaxObjets || i >= s.objects.size() || s.objects[i].fileName.isEmpty())
            return QString();
        return JoinPath(img, s.objects[i].fileName);
    };
    const QString previewPath =
        s.previewShown && !img.isEmpty() && !s.strImageFile.isEmpty() ? JoinPath(img, s.strImageFile) : QString();
    {
        // New photos are decoded together, on every core.
        QList<PictureCache::Request> wanted;
        for (int i = 0; i < image2_.size(); ++i)
            if (const QString path = objectPath(i); !path.isEmpty())
                wanted.append({path, frameSize});
        if (!previewPath.isEmpty())
            wanted.append({previewPath, image1_->size()});
        PictureCache::instance().preload(wanted);
    }
    for (int i = 0; i < image2_.size(); ++i) {
        const QString path = objectPath(i);
        const QImage picture = path.isEmpty() ? QImage() : PictureCache::instance().load(path, frameSize);
        image2_[i]->setPicture(picture);
        image2_[i]->setVisible(image2_[i]->holdsPicture());
    }

    // 16. Reference preview and the add button.
    {
        const QImage preview = previewPath.isEmpty() ? QImage() : PictureCache::instance().load(previewPath, image1_->size());
        image1_->setPicture(preview);
        const bool shown = image1_->holdsPicture();
        image1_->setVisible(shown);
        lblImgRef_->setVisible(shown);
        cmdAjoutImage_->setEnabled(hasFolder && shown && s.objects.size() <= s.intMaxObjets);
    }

    // 17. Object options.
    SetChecked(checkImgAlt_, s.strImgAlt == words::vrai);
    SetChecked(checkImgTransparent_, s.strImgTransparent == words::vrai);

    // 18. Help button.
    SetText(txtTexteBouton_, s.strTexteBouton);
    SetPath(lblDocumentBouton_, s.strOrigDocument);
    SetPath(lblDocumentOrigBouton_, s.strDocument);
    const bool bouton = s.strBouton == words::VraiCap;
    SetChecked(checkBouton_, bouton);
    lblAverto_->setVisible(bouton && s.strOrigDocument.isEmpty());

    // 19. Start place.
    SetComboText(cmbScriptPlacement_, s.strScriptPlacement);
}

void IForm1::closeEvent(QCloseEvent* event)
{
    // Unload step.
    ctx_.windows.unload(QStringLiteral("InfoImg"));
    UnhookBubble();
    ctx_.windows.show(QStringLiteral("Form3"));
    event->accept();
}

// ---------------------------------------------------------------------------
// InfoImg

InfoImg::InfoImg(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Toravi - Info image"));
    setModal(false);

    auto* frame2 = Named(new QGroupBox(QStringLiteral("Modification de l'item"), this), "Frame2");
    {
        auto* g = new QGridLayout(frame2);
        g->addWidget(MakeLabel("Label1", QStringLiteral("Texte d'accompagnement de l'info-bulle"), frame2), 0, 0, 1, 2);
        text1_ = Named(new QLineEdit(frame2), "Text1");
        text1_->setMinimumWidth(220);
        g->addWidget(text1_, 1, 0);
        auto* valid = MakeButton("cmdValid", QStringLiteral("Modifier"), frame2);
        g->addWidget(valid, 1, 1);
        g->setColumnStretch(0, 1);
        connect(valid, &QPushButton::clicked, this, &InfoImg::modify);
        connect(text1_, &QLineEdit::returnPressed, this, &InfoImg::modify);
    }
    auto* frame1 = Named(new QGroupBox(QStringLiteral("Suppression de l'item"), this), "Frame1");
    {
        auto* h = new QHBoxLayout(frame1);
        h->addWidget(MakeLabel("Label2", QStringLiteral("Supprimer l'image de cet objet >>>"), frame1), 1);
        auto* suppr = MakeButton("cmdSuppr", QStringLiteral("Supprimer"), frame1);
        h->addWidget(suppr);
        connect(suppr, &QPushButton::clicked, this, &InfoImg::remove);
    }
    // Picture1 shows the object being edited, so the teacher sees which one it is.
    picture1_ = Named(new ObjectFrame(this), "Picture1");
    picture1_->setFixedSize(IForm1::kFrameWidth * 2, IForm1::kFrameHeight * 2);
    picture1_->setFrameShape(QFrame::Box);
    picture1_->setScaledContents(false);
    picture1_->setAlignment(Qt::AlignCenter);
    auto* picture2 = Named(new QWidget(this), "Picture2");
    auto* right = new QVBoxLayout(picture2);
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(frame2);
    right->addWidget(frame1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picture1_, 0, Qt::AlignTop);
    layout->addWidget(picture2, 1);

    // The object may vanish under the dialog (reset, load): then there is nothing left to edit.
    connect(&ctx_.dragdrop, &DragDropModule::refreshRequested, this, [this] {
        if (isVisible() && (item_ < 0 || item_ >= ctx_.dragdrop.state.objects.size()))
            ctx_.windows.unload(QStringLiteral("InfoImg"));
    });

    LoadItem();
    CentreOnScreen(this);
}

void InfoImg::LoadItem()
{
    const DragDropState& s = ctx_.dragdrop.state;
    item_ = s.intSelectedItem;
    QString text;
    QImage picture;
    if (item_ >= 0 && item_ < s.objects.size()) {
        text = s.objects[item_].tooltip;
        if (!s.strFolderName.isEmpty() && !s.objects[item_].fileName.isEmpty()) {
            const QString path =
                JoinPath(JoinPath(s.strFolderName, QStringLiteral("img")), s.objects[item_].fileName);
            // Whole and undistorted here, unlike the stretched frames.
            const QSize natural = QImageReader(path).size();
            if (natural.isValid())
                picture = PictureCache::instance().load(
                    path, natural.scaled(picture1_->size() - QSize(4, 4), Qt::KeepAspectRatio).expandedTo({1, 1}));
        }
    }
    text1_->setText(text);
    text1_->selectAll();
    text1_->setFocus();
    picture1_->setPicture(picture);
}

void InfoImg::modify()
{
    ctx_.dragdrop.ModifyItem(item_, text1_->text());
    ctx_.windows.unload(QStringLiteral("InfoImg"));
}

void InfoImg::remove()
{
    if (ctx_.dragdrop.DeleteItem(item_))
        ctx_.windows.unload(QStringLiteral("InfoImg"));
}

void RegisterDragDropWindows(AppContext& ctx)
{
    ctx.windows.registerWindow(QStringLiteral("IForm1"), [&ctx] { return new IForm1(ctx); });
    // Beside its window: stays above it and goes with it.
    ctx.windows.registerWindow(QStringLiteral("InfoImg"),
                               [&ctx] { return new InfoImg(ctx, ctx.windows.find(QStringLiteral("IForm1"))); });
}

}  // namespace toravi
