// How the drag-and-drop window is laid out: three columns of settings, the
// objects and the help button below; scrolls on small screens.
#include "dragdrop/dragdropwindowui.h"

#include "dragdrop/dragdropwindow.h"
#include "dragdrop/objectframe.h"
#include "pages/colors.h"
#include "widgets/balloon.h"
#include "widgets/controls.h"
#include "widgets/fittingscrollarea.h"
#include "widgets/pathlabel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
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

// The small red note beside the fields a page cannot do without.
QLabel* Mandatory(const char* name, const QString& text, QWidget* parent)
{
    auto* l = MakeLabel(name, text, parent);
    l->setStyleSheet(QStringLiteral("color: #A00000; font-style: italic;"));
    return l;
}

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

constexpr int kObjectFrames = DragDropWindow::kObjectFrames;
constexpr int kFrameWidth = DragDropWindow::kFrameWidth;
constexpr int kFrameHeight = DragDropWindow::kFrameHeight;
constexpr int kPreviewWidth = DragDropWindow::kPreviewWidth;

}  // namespace

void DragDropWindowUi::setupUi(QMainWindow* window)
{
    window->setWindowTitle(QStringLiteral("Toravi - Générateur de page Web interactive"));
    // The controls keep their size; a screen too small for them scrolls.
    auto* scroll = new FittingScrollArea(window);
    scroll->setObjectName(QStringLiteral("IForm1_scroll"));
    auto* central = new QWidget(scroll);
    central->setObjectName(QStringLiteral("IForm1_client"));
    scroll->setWidget(central);
    window->setCentralWidget(scroll);

    // --- INT_Frame1: working folder and reference picture
    auto* referenceFrame = Named(new QGroupBox(QStringLiteral("Image de référence"), central), "INT_Frame1");
    {
        auto* bg = Named(new QWidget(referenceFrame), "pctfond5");
        auto* g = new QGridLayout(bg);
        g->setContentsMargins(0, 0, 0, 0);
        g->addWidget(MakeLabel("lbl1", QStringLiteral("Dossier de travail"), bg), 0, 0);
        folderBox = Named(new QLineEdit(bg), "INT_txtstrFolderName");
        folderButton = MakeButton("INT_cmdstrFolderName", QStringLiteral("Parcourir"), bg);
        g->addWidget(folderBox, 0, 1);
        g->addWidget(folderButton, 0, 2);
        g->addWidget(MakeLabel("lbl2", QStringLiteral("Choisir l'image de référence"), bg), 1, 0, 1, 2);
        referenceButton = MakeButton("INT_cmdOrigImageFile", QStringLiteral("Parcourir"), bg);
        g->addWidget(referenceButton, 1, 2);
        g->addWidget(MakeLabel("lblImageFile", QStringLiteral("Image de référence"), bg), 2, 0);
        referenceName = MakePathLabel("INT_lbltxtImageFile", bg);
        g->addWidget(referenceName, 2, 1, 1, 2);
        referenceSource = MakePathLabel("INT_lbltxtOrigImageFile", bg);
        g->addWidget(referenceSource, 3, 0, 1, 3);
        g->addWidget(MakeLabel("lbl3", QStringLiteral("Caractéristiques de l'image"), bg), 4, 0, 1, 3);
        auto* sizes = new QHBoxLayout;
        widthValue = Named(new QLabel(bg), "INT_lblValLargeur");
        heightValue = Named(new QLabel(bg), "INT_lblValHauteur");
        for (QLabel* v : {widthValue, heightValue}) {
            v->setMinimumWidth(48);
            v->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
            v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        sizes->addSpacing(12);
        sizes->addWidget(MakeLabel("lblLargeur", QStringLiteral("Largeur"), bg));
        sizes->addWidget(widthValue);
        sizes->addSpacing(12);
        sizes->addWidget(MakeLabel("lblHauteur", QStringLiteral("Hauteur"), bg));
        sizes->addWidget(heightValue);
        sizes->addStretch(1);
        sizes->addWidget(Mandatory("lblchp1", QStringLiteral("Champs obligatoires"), bg));
        g->addLayout(sizes, 5, 0, 1, 3);
        g->setColumnStretch(1, 1);
        auto* l = new QVBoxLayout(referenceFrame);
        l->addWidget(bg);
    }

    // --- INT_Frame2: the page
    auto* pageFrame = Named(new QGroupBox(QStringLiteral("Caractéristique de la page Web"), central), "INT_Frame2");
    {
        auto* bg = Named(new QWidget(pageFrame), "pctfond6");
        auto* g = new QGridLayout(bg);
        g->setContentsMargins(0, 0, 0, 0);
        g->addWidget(MakeLabel("lbl4", QStringLiteral("Choisir l'image d'arrière-plan"), bg), 0, 0, 1, 3);
        backgroundButton = MakeButton("INT_cmdOrigBackgroundImage", QStringLiteral("Parcourir"), bg);
        g->addWidget(backgroundButton, 0, 3);
        backgroundName = MakePathLabel("INT_lbltxtBackgroundImage", bg);
        g->addWidget(backgroundName, 1, 0, 1, 4);
        backgroundSource = MakePathLabel("INT_lbltxtOrigBackgroundImage", bg);
        g->addWidget(backgroundSource, 2, 0, 1, 4);

        g->addWidget(MakeLabel("lbl5", QStringLiteral("Arrière-plan de page"), bg), 3, 0);
        g->addWidget(MakeLabel("Label2", QStringLiteral("Couleur"), bg), 3, 1, Qt::AlignRight);
        pageColourSwatch = Swatch("INT_PictureFond", bg);
        g->addWidget(pageColourSwatch, 3, 2);
        pageColourButton = MakeButton("INT_Command1", QStringLiteral("Choisir"), bg);
        g->addWidget(pageColourButton, 3, 3);

        g->addWidget(MakeLabel("lbl11", QStringLiteral("Arrière-plan de l'image"), bg), 4, 0);
        g->addWidget(MakeLabel("Label4", QStringLiteral("Couleur"), bg), 4, 1, Qt::AlignRight);
        frameColourSwatch = Swatch("PictureTable", bg);
        g->addWidget(frameColourSwatch, 4, 2);
        frameColourButton = MakeButton("Command1", QStringLiteral("Choisir"), bg);
        g->addWidget(frameColourButton, 4, 3);
        transparentFrameCheck = MakeCheck("CheckTransparence", QStringLiteral("Fond transparent"), bg);
        g->addWidget(transparentFrameCheck, 5, 1, 1, 3, Qt::AlignRight);

        g->addWidget(MakeLabel("lbl6", QStringLiteral("Nom de fichier de la page Web"), bg), 6, 0);
        pageNameBox = Named(new QLineEdit(bg), "INT_txtPageWeb");
        g->addWidget(pageNameBox, 6, 1, 1, 3);
        g->addWidget(MakeLabel("lbl7", QStringLiteral("Page Web (Chemin complet)"), bg), 7, 0, 1, 4);
        pagePath = MakePathLabel("INT_lblPageWebPath", bg);
        g->addWidget(pagePath, 8, 0, 1, 4);
        g->addWidget(MakeLabel("lbl8", QStringLiteral("Titre de la page Web"), bg), 9, 0);
        browserTitleBox = Named(new QLineEdit(bg), "INT_txtstrTitre");
        g->addWidget(browserTitleBox, 9, 1, 1, 3);
        g->addWidget(Mandatory("lblchp2", QStringLiteral("Champ obligatoire"), bg), 10, 0, 1, 4, Qt::AlignRight);
        fitCheck = MakeCheck("INT_CheckAdapter", QStringLiteral("Adapter la page à l'écran"), bg);
        g->addWidget(fitCheck, 11, 0, 1, 4);
        g->setColumnStretch(0, 1);
        auto* l = new QVBoxLayout(pageFrame);
        l->addWidget(bg);
    }

    // --- Frame4: the displayed title
    auto* titleFrame = Named(new QGroupBox(QStringLiteral("Affichage du titre de la page Web"), central), "Frame4");
    {
        auto* bg = Named(new QWidget(titleFrame), "pctfond4");
        auto* g = new QGridLayout(bg);
        g->setContentsMargins(0, 0, 0, 0);
        g->addWidget(MakeLabel("lbl10", QStringLiteral("Titre affiché sur la page"), bg), 0, 0, 1, 3);
        shownTitleBox = Named(new QLineEdit(bg), "INT_txtstrAffiche");
        g->addWidget(shownTitleBox, 1, 0, 1, 3);
        titleStyle = TextStyleControls::Make(
            bg, {"CmbTitelSize", "cmdTitelColor", "CheckTitelBold", "CheckTitelItalic", "CheckTitelUnderline"});
        g->addWidget(titleStyle.bold, 2, 0);
        g->addWidget(titleStyle.italic, 2, 1);
        g->addWidget(titleStyle.underline, 2, 2);
        g->addWidget(titleStyle.size, 3, 0);
        g->addWidget(titleStyle.colour, 3, 1, 1, 2);
        titleExample = MakeLabel("lblTitelExemple", QStringLiteral("Exemple"), bg);
        titleExample->setAlignment(Qt::AlignCenter);
        titleExample->setFixedHeight(40);
        g->addWidget(titleExample, 4, 0, 1, 3);
        auto* l = new QVBoxLayout(titleFrame);
        l->addWidget(bg);
    }

    // --- INT_Frame3: the instruction
    auto* instructionFrame = Named(new QGroupBox(QStringLiteral("Consigne"), central), "INT_Frame3");
    {
        auto* bg = Named(new QWidget(instructionFrame), "pctfond8");
        auto* g = new QGridLayout(bg);
        g->setContentsMargins(0, 0, 0, 0);
        g->addWidget(MakeLabel("lbl9", QStringLiteral("Texte de la consigne"), bg), 0, 0, 1, 3);
        instructionBox = Named(new ConsigneBox(bg), "INT_txtstrConsigne");
        instructionBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        instructionBox->setTabChangesFocus(true);
        instructionBox->setMinimumHeight(100);
        g->addWidget(instructionBox, 1, 0, 1, 3);
        g->setRowStretch(1, 1);
        instructionStyle = TextStyleControls::Make(
            bg, {"INT_cmbTextSize", "Command2", "INT_CheckTextBold", "INT_CheckTextItalic", "INT_CheckTextUnderlined"});
        g->addWidget(instructionStyle.bold, 2, 0);
        g->addWidget(instructionStyle.italic, 2, 1);
        g->addWidget(instructionStyle.underline, 2, 2);
        g->addWidget(instructionStyle.size, 3, 0);
        g->addWidget(instructionStyle.colour, 3, 1, 1, 2);
        instructionBackButton = MakeButton("cmdFonTexte", QStringLiteral("Couleur du Fond"), bg);
        g->addWidget(instructionBackButton, 4, 1, 1, 2);
        instructionBackSwatch = Swatch("Picturetexte", bg);
        g->addWidget(instructionBackSwatch, 4, 0, Qt::AlignCenter);
        instructionExample = MakeLabel("lblExemple", QStringLiteral("Exemple"), bg);
        instructionExample->setAlignment(Qt::AlignCenter);
        instructionExample->setAutoFillBackground(true);
        instructionExample->setFixedHeight(30);
        g->addWidget(instructionExample, 5, 0, 1, 3);
        auto* l = new QVBoxLayout(instructionFrame);
        l->addWidget(bg);
    }

    // --- Preview, outside the frames
    auto* previewBox = new QWidget(central);
    previewBox->setObjectName(QStringLiteral("IForm1_preview"));
    {
        auto* v = new QVBoxLayout(previewBox);
        v->setContentsMargins(0, 6, 0, 0);
        previewCaption = MakeLabel("lblImgRef", QStringLiteral("Aperçu de l'image de référence"), previewBox);
        previewCaption->setAlignment(Qt::AlignCenter);
        auto* shape = Named(new QFrame(previewBox), "Shape1");
        shape->setFrameShape(QFrame::Box);
        shape->setFixedWidth(kPreviewWidth + 2);
        shape->setMinimumHeight(kPreviewWidth * 3 / 4 + 2);
        previewFrame = shape;
        auto* sv = new QVBoxLayout(shape);
        sv->setContentsMargins(1, 1, 1, 1);
        preview = Named(new ObjectFrame(shape), "Image1");
        preview->setFixedSize(kPreviewWidth, kPreviewWidth * 3 / 4);
        sv->addWidget(preview, 0, Qt::AlignTop);
        sv->addStretch(1);
        validateButton = MakeButton("cmdValider", QStringLiteral("Vallider"), previewBox);
        validateButton->setMinimumHeight(34);
        v->addWidget(previewCaption);
        v->addWidget(shape);
        v->addSpacing(8);
        v->addWidget(validateButton);
    }

    // --- Frame1: the objects
    auto* objectsFrame = Named(new QGroupBox(QStringLiteral("Objets à placer dans l'image de référence"), central),
                          "Frame1");
    {
        auto* bg = Named(new QWidget(objectsFrame), "pctfond9");
        auto* v = new QVBoxLayout(bg);
        v->setContentsMargins(0, 0, 0, 0);
        auto* top = new QHBoxLayout;
        addObjectButton = MakeButton("cmdAjoutImage", QStringLiteral("Ajouter un objet (Ctrl + F9)"), bg);
        top->addWidget(addObjectButton);
        cutoutButton = MakeButton("cmdDecouper", QStringLiteral("Découper les objets d'une image…"), bg);
        top->addWidget(cutoutButton);
        top->addStretch(1);
        top->addWidget(MakeLabel("Label6", QStringLiteral("Emplacement de départ des objets"), bg));
        startPlacement = Named(new QComboBox(bg), "cmbScriptPlacement");
        startPlacement->addItems(PlacementItems());
        top->addWidget(startPlacement);
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
            objectFrames.append(f);
        }
        v->addWidget(grid, 0, Qt::AlignLeft);
        auto* l = new QVBoxLayout(objectsFrame);
        l->addWidget(bg);
    }

    // --- Frame2: object options
    objectOptionsFrame = Named(new QGroupBox(QStringLiteral("Caractéristiques des objets"), central), "Frame2");
    {
        auto* v = new QVBoxLayout(objectOptionsFrame);
        v->addWidget(MakeLabel("Label3", QStringLiteral("Textes des info-bulles"), objectOptionsFrame));
        tooltipList = Named(new QListWidget(objectOptionsFrame), "ListInfoBulles");
        tooltipList->setMinimumHeight(60);
        tooltipList->setMaximumHeight(110);
        v->addWidget(tooltipList, 1);
        showTooltipsCheck =
            MakeCheck("CheckImgAlt", QStringLiteral("Affichage du texte (info-bulles) sur les objets"),
                      objectOptionsFrame);
        transparentObjectsCheck =
            MakeCheck("CheckImgTransparent", QStringLiteral("Objets transparents pendant le déplacement"),
                      objectOptionsFrame);
        v->addWidget(showTooltipsCheck);
        v->addWidget(transparentObjectsCheck);
    }

    // --- Frame3: help button, in two lines across the window
    helpButtonFrame =
        Named(new QGroupBox(QStringLiteral("Bouton d'aide avec lien vers un fichier annexe"), central), "Frame3");
    {
        auto* bg = Named(new QWidget(helpButtonFrame), "Picture1");
        auto* g = new QGridLayout(bg);
        g->setContentsMargins(0, 0, 0, 0);
        helpButtonCheck = MakeCheck("CheckBouton", QStringLiteral("Afficher le bouton"), bg);
        g->addWidget(helpButtonCheck, 0, 0);
        g->addWidget(MakeLabel("Label8", QStringLiteral("Texte du bouton"), bg), 0, 1);
        helpButtonTextBox = Named(new QLineEdit(bg), "INT_txtTexteBouton");
        g->addWidget(helpButtonTextBox, 0, 2);
        helpDocumentWarning = MakeLabel("lblAverto", QStringLiteral("Choisissez le fichier à afficher !"), bg);
        helpDocumentWarning->setStyleSheet(QStringLiteral("color: #C00000; font-weight: bold;"));
        // Keeps its room while hidden, so the frame does not jump.
        QSizePolicy keep = helpDocumentWarning->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        helpDocumentWarning->setSizePolicy(keep);
        g->addWidget(helpDocumentWarning, 0, 3, 1, 2);
        g->addWidget(MakeLabel("Label5", QStringLiteral("Fichier d'aide à afficher"), bg), 1, 0);
        helpDocumentButton = MakeButton("Command3", QStringLiteral("Parcourir"), bg);
        g->addWidget(helpDocumentButton, 1, 1);
        helpDocumentName = MakePathLabel("INT_lblDocumentOrigBouton", bg);
        g->addWidget(helpDocumentName, 1, 2);
        helpDocumentSource = MakePathLabel("INT_lblDocumentBouton", bg);
        g->addWidget(helpDocumentSource, 1, 3, 1, 2);
        g->setColumnMinimumWidth(2, 180);
        g->setColumnStretch(4, 1);
        auto* l = new QVBoxLayout(helpButtonFrame);
        l->addWidget(bg);
    }

    // --- Hidden storage
    sourceList = Named(new QListWidget(central), "List1");
    fileNameList = Named(new QListWidget(central), "List2");
    referenceSourceHolder = Named(new QLineEdit(central), "INT_txtOrigImageFile");
    referenceNameHolder = Named(new QLineEdit(central), "INT_txtImageFile");
    backgroundSourceHolder = Named(new QLineEdit(central), "INT_txtOrigBackgroundImage");
    backgroundNameHolder = Named(new QLineEdit(central), "INT_txtstrBackgroundImage");
    for (QWidget* w : std::initializer_list<QWidget*>{sourceList, fileNameList, referenceSourceHolder,
                                                      referenceNameHolder, backgroundSourceHolder,
                                                      backgroundNameHolder})
        w->hide();

    // --- Arrangement: pictures and page on the left, titles in the middle,
    // preview and object options on the right; the objects and the help button below.
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    auto* left = new QVBoxLayout;
    left->addWidget(referenceFrame);
    left->addWidget(pageFrame);
    left->addStretch(1);
    auto* middle = new QVBoxLayout;
    middle->addWidget(titleFrame);
    middle->addWidget(instructionFrame, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(previewBox);
    right->addWidget(objectOptionsFrame, 1);
    grid->addLayout(left, 0, 0);
    grid->addLayout(middle, 0, 1);
    grid->addLayout(right, 0, 2);
    grid->addWidget(objectsFrame, 1, 0, 1, 3);
    grid->addWidget(helpButtonFrame, 2, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);

    folderDependent = {referenceSourceHolder, backgroundSourceHolder, referenceNameHolder, backgroundNameHolder,
                       pageNameBox, browserTitleBox, instructionBox, shownTitleBox, referenceButton, backgroundButton,
                       pageColourButton, instructionBackButton, frameColourButton, transparentFrameCheck, fitCheck,
                       addObjectButton, cutoutButton, objectOptionsFrame, helpButtonFrame};
    folderDependent += instructionStyle.widgets() + titleStyle.widgets();
    buildMenus(window);
}

void DragDropWindowUi::buildMenus(QMainWindow* window)
{
    auto action = [window](QMenu* menu, const char* name, const QString& text, const QKeySequence& keys = {}) {
        QAction* a = MakeAction(menu, name, text, keys);
        window->addAction(a);  // shortcuts work while the menu is closed
        return a;
    };
    QMenu* fichier = MakeMenu(window->menuBar(), "mnuFichier", QStringLiteral("Fichier"));
    reinitAction =
        action(fichier, "mnuReinit", QStringLiteral("Réinitialiser"), QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    quitAction = action(fichier, "mnuQuit", QStringLiteral("Quitter"));
    QMenu* projet = MakeMenu(window->menuBar(), "mnuProjet", QStringLiteral("Projet"));
    addObjectAction =
        action(projet, "mnuAjouterObjet", QStringLiteral("Ajouter un objet"), QKeySequence(Qt::CTRL | Qt::Key_F9));
    cutoutAction = action(projet, "mnuDecouper", QStringLiteral("Découper les objets…"), QKeySequence(Qt::CTRL | Qt::Key_F10));
    placesAction =
        action(projet, "mnuPlaces", QStringLiteral("Places des objets"), QKeySequence(Qt::CTRL | Qt::Key_F11));
    loadAction = action(projet, "mnuLoad", QStringLiteral("Charger un projet"), QKeySequence(Qt::CTRL | Qt::Key_L));
    saveAction = action(projet, "mnuSave", QStringLiteral("Sauvegarder un projet"), QKeySequence(Qt::CTRL | Qt::Key_S));
    createPageAction =
        action(projet, "mnuCreation", QStringLiteral("Créer la page Web"), QKeySequence(Qt::CTRL | Qt::Key_F12));
    singleFileAction = action(projet, "mnuUnFichier", QStringLiteral("Créer la page en un seul fichier…"));
    scormAction = action(projet, "mnuScorm", QStringLiteral("Exporter pour la plateforme (SCORM)…"));
    helpAction = Named(window->menuBar()->addAction(QStringLiteral("Aide")), "mnuAide");
}

void DragDropWindowUi::setBalloonTexts(QWidget* window)
{
    auto set = [window](const char* name, const QString& text) {
        if (auto* w = window->findChild<QWidget*>(QString::fromLatin1(name)))
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
    set("cmdDecouper", Lines({"<c>Une seule image suffit : entourez chaque objet sur la photo ou le dessin,",
                              "Toravi fait la scène vidée, l'image de chaque objet et sa place."}));
    set("INT_CheckAdapter", Lines({"<c>Coché, la page s'agrandit ou se réduit pour tenir dans l'écran :",
                                   "tableau interactif, ordinateur, tablette, téléphone ou cadre d'une plateforme.",
                                   "Décoché, elle garde la taille des images."}));
    const QString frameText = Lines({"<c>Double-clic pour modifier ou supprimer un item."});
    for (ObjectFrame* f : objectFrames)
        SetBalloonText(f, frameText);
}

}  // namespace toravi
