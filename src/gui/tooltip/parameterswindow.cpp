// Form2: every setting of the page, pushed in by the 14-step refresh.
#include "tooltip/parameterswindow.h"

#include "files/files.h"
#include "help/presentationwindow.h"
#include "pages/colors.h"
#include "platform/platform.h"
#include "tooltip/tooltipmodule.h"
#include "widgets/appcontext.h"
#include "widgets/balloon.h"
#include "widgets/controls.h"
#include "widgets/pathlabel.h"
#include "widgets/windownames.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <vector>

namespace toravi {

namespace {

QFont ExampleFont(int pointSize)
{
    QFont f(QStringLiteral("Times New Roman"), pointSize);
    f.setStyleHint(QFont::Serif);
    return f;
}

}  // namespace

ParametersWindow::ParametersWindow(AppContext& ctx, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), tt_(ctx.tooltip)
{
    setWindowTitle(QStringLiteral("Toravi - Générateur de page Web interactive - Paramètres"));
    buildControls();
    buildMenus();
    setBalloonTexts();
    balloonStyle_.size->addItems(TooltipBaloonSizes());
    titleStyle_.size->addItems(TooltipTitleSizes());
    titlePlacement_->addItems(PlacementItems());
    connectHandlers();
    connect(&tt_, &TooltipModule::refreshRequested, this, &ParametersWindow::RefreshParameters);
    RefreshParameters();
    ShowUnsavedInTitle(this, tt_);
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
    folderLabel_ = MakeLabel("lblstrFolderName", QStringLiteral("Dossier de travail"), p3);
    folderBox_ = Named(new QLineEdit(p3), "txtstrFolderName");
    folderButton_ = MakeButton("cmdstrFolderName", QStringLiteral("Parcourir"), p3);
    referenceLabel_ = MakeLabel("lblOrigImageFile", QStringLiteral("Choisir l'image de référence"), p3);
    referenceButton_ = MakeButton("cmdOrigImageFile", QStringLiteral("Parcourir"), p3);
    referenceSource_ = MakePathLabel("lbltxtOrigImageFile", p3);
    auto* lblImageFile = MakeLabel("lblImageFile", QStringLiteral("Image de référence"), p3);
    referenceName_ = MakeLabel("lbltxtImageFile", QString(), p3);
    auto* lblCaracteristiques = MakeLabel("lblCaracteristiques", QStringLiteral("Caracteristiques de l'image"), p3);
    auto* lblLargeur = MakeLabel("lblLargeur", QStringLiteral("Largeur"), p3);
    widthValue_ = MakeLabel("lblValLargeur", QString(), p3);
    auto* lblHauteur = MakeLabel("lblHauteur", QStringLiteral("Hauteur"), p3);
    heightValue_ = MakeLabel("lblValHauteur", QString(), p3);
    auto* requiredFields = MakeLabel("Label5", QStringLiteral("Champs obligatoires"), p3);
    required(requiredFields);
    value(referenceName_);
    widthValue_->setMinimumWidth(44);
    heightValue_->setMinimumWidth(44);
    auto* sizes = new QHBoxLayout;
    sizes->setSpacing(6);
    sizes->addWidget(lblLargeur);
    sizes->addWidget(widthValue_);
    sizes->addSpacing(12);
    sizes->addWidget(lblHauteur);
    sizes->addWidget(heightValue_);
    sizes->addStretch(1);
    g3->addWidget(folderLabel_, 0, 0);
    g3->addWidget(folderBox_, 0, 1);
    g3->addWidget(folderButton_, 0, 2);
    g3->addWidget(referenceLabel_, 1, 0);
    g3->addWidget(referenceSource_, 1, 1);
    g3->addWidget(referenceButton_, 1, 2);
    g3->addWidget(lblImageFile, 2, 0);
    g3->addWidget(referenceName_, 2, 1);
    g3->addWidget(lblCaracteristiques, 3, 0);
    g3->addLayout(sizes, 3, 1);
    g3->addWidget(requiredFields, 4, 1, 1, 2, Qt::AlignRight);
    g3->setColumnStretch(1, 1);

    // Frame2 "Caractéristique de la page Web"
    auto [frame2, g2] = frame("Frame2", QStringLiteral("Caractéristique de la page Web"), "pctfond2");
    QWidget* p2 = g2->parentWidget();
    auto* backgroundCaption = MakeLabel("Label4", QStringLiteral("Arrière-plan"), p2);
    plainBackgroundButton_ = MakeButton("Command1", QStringLiteral("Fond uniforme"), p2);
    backgroundSwatch_ = Named(new QFrame(p2), "PictureFond");
    backgroundSwatch_->setFrameShape(QFrame::Box);
    backgroundSwatch_->setFixedSize(56, plainBackgroundButton_->sizeHint().height());
    backgroundLabel_ = MakeLabel("lblOrigBackgroundImage", QStringLiteral("Choisir l'image d'arrière-plan"), p2);
    backgroundButton_ = MakeButton("cmdOrigBackgroundImage", QStringLiteral("Parcourir"), p2);
    backgroundSource_ = MakePathLabel("lbltxtOrigBackgroundImage", p2);
    auto* lblstrBackgroundImage = MakeLabel("lblstrBackgroundImage", QStringLiteral("Image d'arrière-plan"), p2);
    backgroundName_ = MakeLabel("lbltxtBackgroundImage", QString(), p2);
    pageNameLabel_ = MakeLabel("lblPageWeb", QStringLiteral("Nom de fichier de la page Web"), p2);
    pageNameBox_ = Named(new QLineEdit(p2), "txtPageWeb");
    auto* pagePathCaption = MakeLabel("Label2", QStringLiteral("Page Web (Chemin complet)"), p2);
    pagePath_ = MakePathLabel("lblPageWebPath", p2);
    browserTitleLabel_ = MakeLabel("lblstrTitre", QStringLiteral("Titre de la page Web"), p2);
    browserTitleBox_ = Named(new QLineEdit(p2), "txtstrTitre");
    shownTitleLabel_ = MakeLabel("lblstrAffiche", QStringLiteral("Titre affiché sur la page"), p2);
    shownTitleBox_ = Named(new QLineEdit(p2), "txtstrAffiche");
    // The description is never typed here: it keeps a loaded project's value or its default.
    auto* lblstrContent = MakeLabel("lblstrContent", QStringLiteral("Description de la page Web"), p2);
    descriptionBox_ = Named(new QLineEdit(p2), "txtstrContent");
    lblstrContent->hide();
    descriptionBox_->hide();
    auto* requiredField = MakeLabel("Label3", QStringLiteral("Champ obligatoire"), p2);
    required(requiredField);
    value(backgroundName_);
    auto* plain = new QHBoxLayout;
    plain->setSpacing(8);
    plain->addWidget(plainBackgroundButton_);
    plain->addWidget(backgroundSwatch_);
    plain->addStretch(1);
    g2->addWidget(backgroundCaption, 0, 0);
    g2->addLayout(plain, 0, 1, 1, 2);
    g2->addWidget(backgroundLabel_, 1, 0);
    g2->addWidget(backgroundSource_, 1, 1);
    g2->addWidget(backgroundButton_, 1, 2);
    g2->addWidget(lblstrBackgroundImage, 2, 0);
    g2->addWidget(backgroundName_, 2, 1);
    g2->addWidget(pageNameLabel_, 3, 0);
    g2->addWidget(pageNameBox_, 3, 1);
    g2->addWidget(pagePathCaption, 4, 0);
    g2->addWidget(pagePath_, 4, 1, 1, 2);
    g2->addWidget(browserTitleLabel_, 5, 0);
    g2->addWidget(browserTitleBox_, 5, 1);
    g2->addWidget(lblstrContent, 6, 0);
    g2->addWidget(descriptionBox_, 6, 1);
    g2->addWidget(shownTitleLabel_, 6, 0);
    g2->addWidget(shownTitleBox_, 6, 1);
    g2->addWidget(requiredField, 7, 1, 1, 2, Qt::AlignRight);
    fitCheck_ = MakeCheck("CheckAdapter", QStringLiteral("Adapter la page à l'écran"), p2);
    g2->addWidget(fitCheck_, 8, 0, 1, 3);
    g2->setColumnStretch(1, 1);
    // Both frames' value columns start at the same place.
    int labelWidth = 0;
    for (QLabel* l : {folderLabel_, referenceLabel_, lblCaracteristiques, backgroundLabel_, pageNameLabel_,
                      pagePathCaption, browserTitleLabel_, shownTitleLabel_})
        labelWidth = std::max(labelWidth, l->sizeHint().width());
    g3->setColumnMinimumWidth(0, labelWidth);
    g2->setColumnMinimumWidth(0, labelWidth);

    // Frame1 "Info-bulles"
    auto [frame1, g1] = frame("Frame1", QStringLiteral("Info-bulles"), "pctfond3");
    QWidget* p1 = g1->parentWidget();
    balloonStyle_ = TextStyleControls::Make(
        p1, {"cmbBaloonSize", "Command2", "CheckBaloonBold", "CheckBaloonItalic", "CheckBaloonUnderlined"});
    balloonBackButton_ = MakeButton("cmdFonBulle", QStringLiteral("Couleur du Fond"), p1);
    for (QPushButton* b : {balloonStyle_.colour, balloonBackButton_})
        b->setMinimumWidth(b->sizeHint().width() + 16);
    auto* lblBaloonSize = MakeLabel("lblBaloonSize", QStringLiteral("Taille des caractères"), p1);
    balloonSample_ = Named(new QFrame(p1), "PictureBaloon");
    balloonSample_->setFrameShape(QFrame::Box);
    balloonSample_->setMinimumHeight(56);
    balloonExample_ = MakeLabel("lblExemple", QStringLiteral("Exemple"), balloonSample_);
    balloonExample_->setFont(ExampleFont(14));
    balloonExample_->setAlignment(Qt::AlignCenter);
    balloonExample_->setMargin(4);
    auto* baloonLayout = new QHBoxLayout(balloonSample_);
    baloonLayout->setContentsMargins(10, 8, 10, 8);
    baloonLayout->addWidget(balloonExample_, 0, Qt::AlignCenter);
    g1->addWidget(balloonStyle_.colour, 0, 0);
    g1->addWidget(balloonBackButton_, 0, 1);
    g1->addWidget(lblBaloonSize, 1, 0);
    g1->addWidget(balloonStyle_.size, 1, 1);
    g1->addLayout(balloonStyle_.checksRow(), 2, 0, 1, 2);
    g1->addWidget(balloonSample_, 3, 0, 1, 2);

    // Frame4 "Affichage du titre de la page Web"
    auto [frame4, g4] = frame("Frame4", QStringLiteral("Affichage du titre de la page Web"), "pctfond4");
    QWidget* p4 = g4->parentWidget();
    titleStyle_ = TextStyleControls::Make(
        p4, {"CmbTitelSize", "cmdTitelColor", "CheckTitelBold", "CheckTitelItalic", "CheckTitelUnderline"});
    auto* lblTitelSize = MakeLabel("lblTitelSize", QStringLiteral("Taille"), p4);
    auto* placementCaption = MakeLabel("Label6", QStringLiteral("Emplacement"), p4);
    titlePlacement_ = Named(new QComboBox(p4), "cmbTitelPlacement");
    titleExample_ = MakeLabel("lblTitelExemple", QStringLiteral("Exemple"), p4);
    titleExample_->setFont(ExampleFont(18));
    titleExample_->setAlignment(Qt::AlignCenter);
    titleExample_->setFrameShape(QFrame::Box);
    titleExample_->setMinimumHeight(56);
    g4->addWidget(titleStyle_.colour, 0, 0, 1, 2);
    g4->addWidget(lblTitelSize, 1, 0);
    g4->addWidget(titleStyle_.size, 1, 1);
    g4->addWidget(placementCaption, 2, 0);
    g4->addWidget(titlePlacement_, 2, 1);
    g4->addLayout(titleStyle_.checksRow(), 3, 0, 1, 2);
    g4->addWidget(titleExample_, 4, 0, 1, 2);

    validateButton_ = MakeButton("cmdValider", QStringLiteral("Valider"), central);
    validateButton_->setMinimumWidth(140);
    validateButton_->setDefault(true);

    // Value holders: the user sees the labels beside them.
    referenceSourceHolder_ = Named(new QLineEdit(central), "txtOrigImageFile");
    backgroundSourceHolder_ = Named(new QLineEdit(central), "txtOrigBackgroundImage");
    referenceNameHolder_ = Named(new QLineEdit(central), "txtImageFile");
    backgroundNameHolder_ = Named(new QLineEdit(central), "txtstrBackgroundImage");
    for (QLineEdit* holder :
         {referenceSourceHolder_, backgroundSourceHolder_, referenceNameHolder_, backgroundNameHolder_})
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
    right->addWidget(validateButton_, 0, Qt::AlignRight);
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);

    folderDependent_ = {referenceSourceHolder_, backgroundSourceHolder_, referenceNameHolder_, backgroundNameHolder_,
                        pageNameBox_,           browserTitleBox_,       descriptionBox_,      shownTitleBox_,
                        referenceButton_,       backgroundButton_,      plainBackgroundButton_, balloonBackButton_,
                        titlePlacement_,        fitCheck_};
    folderDependent_ += balloonStyle_.widgets() + titleStyle_.widgets();
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
    AddEditMenu(this, tt_);
    QAction* aide = Named(bar->addAction(QStringLiteral("Aide")), "mnuAide");

    connect(reinit, &QAction::triggered, this, [this] { tt_.ReinitWithQuestion(); });
    // Only this window closes; its close gives the point editor back.
    connect(quit, &QAction::triggered, this, &QWidget::close);
    connect(load, &QAction::triggered, this, [this] {
        if (tt_.AskToSave())
            tt_.Replace(QStringLiteral("charger un projet"), [this] { tt_.LoadProject(); });
    });
    connect(save, &QAction::triggered, this, [this] { tt_.SaveProject(); });
    connect(valider, &QAction::triggered, this, &ParametersWindow::validate);
    connect(aide, &QAction::triggered, this, [this] { OpenModuleHelp(ctx_, HelpModule::Tooltip, this, false); });
}

void ParametersWindow::setBalloonTexts()
{
    const QString crlf = QStringLiteral("\r\n");
    SetBalloonText(folderLabel_, QStringLiteral("Le dossier où seront créés la page Web,") + crlf +
                                          QStringLiteral("son script et le sous-dossier img des images.") + crlf +
                                          QStringLiteral("De préférence un dossier vide."));
    SetBalloonText(folderButton_, QStringLiteral("Choisir le dossier de travail."));
    SetBalloonText(referenceLabel_,
                   QStringLiteral("L'image sur laquelle vous placerez les points.") + crlf +
                       QStringLiteral("Elle n'est jamais modifiée : une copie est faite dans le dossier img.") + crlf +
                       QStringLiteral("Elle doit déjà montrer des repères visibles pour les élèves."));
    SetBalloonText(referenceButton_, QStringLiteral("Choisir l'image de référence (obligatoire)."));
    SetBalloonText(backgroundLabel_, QStringLiteral("Une image affichée en fond de page (facultatif).") +
                                                crlf +
                                                QStringLiteral("Sans image, la page prend la couleur unie choisie."));
    SetBalloonText(backgroundButton_, QStringLiteral("Choisir l'image d'arrière-plan (facultatif)."));
    SetBalloonText(pageNameLabel_, QStringLiteral("Le nom du fichier de la page, sans chemin.") + crlf +
                                    QStringLiteral("L'extension .htm est ajoutée d'office."));
    SetBalloonText(browserTitleLabel_, QStringLiteral("Le texte affiché dans la barre de titre du navigateur."));
    SetBalloonText(shownTitleLabel_, QStringLiteral("Le titre affiché en haut de la page, au-dessus de l'image."));
    SetBalloonText(fitCheck_, QStringLiteral("Coché, la page s'agrandit ou se réduit pour tenir dans l'écran :") + crlf +
                                  QStringLiteral("tableau interactif, ordinateur, tablette, téléphone ou cadre d'une plateforme.") +
                                  crlf + QStringLiteral("Décoché, elle garde la taille de l'image."));
}

void ParametersWindow::refresh() { emit tt_.refreshRequested(); }

void ParametersWindow::edit(const QString& step, const std::function<void()>& change)
{
    tt_.Change(step, [&] {
        change();
        refresh();
    });
}

void ParametersWindow::connectHandlers()
{
    TooltipState& s = tt_.state;
    Platform& platform = tt_.platform();
    auto button = [this](QPushButton* b, const QString& step, void (TooltipModule::*operation)()) {
        // The module by pointer rather than through a nested capture of `this`, which UBSan flags.
        TooltipModule* tt = &tt_;
        connect(b, &QPushButton::clicked, this,
                [this, tt, step, operation] { edit(step, [tt, operation] { (tt->*operation)(); }); });
    };
    button(folderButton_, QStringLiteral("choisir le dossier de travail"), &TooltipModule::ChooseWorkingFolder);
    button(referenceButton_, QStringLiteral("choisir l'image de référence"), &TooltipModule::ChooseReferencePicture);
    button(backgroundButton_, QStringLiteral("choisir l'image d'arrière-plan"),
           &TooltipModule::ChooseBackgroundPicture);
    button(plainBackgroundButton_, QStringLiteral("choisir un fond uniforme"), &TooltipModule::PlainBackground);
    connect(balloonBackButton_, &QPushButton::clicked, this, [this, &s, &platform] {
        edit(QStringLiteral("modifier la couleur du fond des info-bulles"),
             [&s, &platform] { PickColor(platform, s.strBaloonBackColor); });
    });
    const auto edits = [this](const QString& step, const std::function<void()>& change) { edit(step, change); };
    balloonStyle_.bind(this, platform, balloonSettings(), QStringLiteral("des info-bulles"), edits);
    titleStyle_.bind(this, platform, titleSettings(), QStringLiteral("du titre"), edits);
    connect(titlePlacement_, &QComboBox::activated, this, [this, &s] {
        const QString stored = PlacementFromFrench(titlePlacement_->currentText());
        if (!stored.isEmpty())
            edit(QStringLiteral("modifier l'emplacement du titre"), [&s, stored] { s.strTitelPlacement = stored; });
    });

    connect(fitCheck_, &QCheckBox::clicked, this, [this, &s](bool ticked) {
        edit(QStringLiteral("modifier « %1 »").arg(fitCheck_->text()), [&s, ticked] { s.strAdapter = FitWord(ticked); });
    });
    // Typed text reaches the state at every key; the history gets one step per field edit.
    auto typed = [this](QLineEdit* box, const QString& step, std::function<void(const QString&)> store) {
        connect(box, &QLineEdit::textChanged, this, [this, step, store](const QString& t) {
            tt_.Typing(step);
            store(t);
        });
    };
    typed(browserTitleBox_, QStringLiteral("modifier le titre de la page Web"),
          [&s](const QString& t) { s.strTitre = t; });
    typed(descriptionBox_, QStringLiteral("modifier la description"), [&s](const QString& t) { s.strContent = t; });
    // Kept at once like the browser title: a later refresh would otherwise put
    // back the old title while the user is still setting the look.
    typed(shownTitleBox_, QStringLiteral("modifier le titre affiché"), [&s](const QString& t) { s.strAffiche = t; });
    typed(pageNameBox_, QStringLiteral("modifier le nom de la page Web"), [this](const QString& t) {
        tt_.SetPageName(t);
        SetText(pagePath_, tt_.state.strPageWeb);
    });
    connect(referenceSourceHolder_, &QLineEdit::textChanged, this, [this, &s](const QString& t) {
        s.strFileName = LastComponent(t);
        SetText(referenceName_, s.strFileName);
    });
    connect(backgroundSourceHolder_, &QLineEdit::textChanged, this, [this, &s](const QString& t) {
        s.strFileName = LastComponent(t);
        SetText(backgroundName_, s.strFileName);
    });

    connect(validateButton_, &QPushButton::clicked, this, &ParametersWindow::validate);
}

void ParametersWindow::validate()
{
    bool valid = false;
    tt_.Change(QStringLiteral("valider les paramètres"), [this, &valid] { valid = takeControls(); });
    if (valid)
        close();
}

bool ParametersWindow::takeControls()
{
    TooltipState& s = tt_.state;
    s.strFolderName = folderBox_->text();
    s.strOrigImageFile = referenceSourceHolder_->text();
    s.strImageFile = referenceName_->text();
    s.strOrigBackgroundImage = backgroundSourceHolder_->text();
    s.strBackgroundImage = backgroundName_->text();
    s.strPageWeb = pagePath_->text();
    s.strTitre = browserTitleBox_->text();
    s.strContent = descriptionBox_->text();
    s.strAffiche = shownTitleBox_->text();
    return tt_.Validate();
}

void ParametersWindow::RefreshParameters()
{
    tt_.ApplyRefreshDefaults();
    const TooltipState& s = tt_.state;

    // The state is already what the controls are about to show: their own
    // change handlers must not run again.
    std::vector<QSignalBlocker> quiet;
    for (QObject* o : std::initializer_list<QObject*>{
             folderBox_, referenceSourceHolder_, backgroundSourceHolder_, referenceNameHolder_, backgroundNameHolder_,
             pageNameBox_, browserTitleBox_, descriptionBox_, shownTitleBox_, balloonStyle_.size, titleStyle_.size,
             titlePlacement_, balloonStyle_.bold, balloonStyle_.italic, balloonStyle_.underline, titleStyle_.bold,
             titleStyle_.italic, titleStyle_.underline, fitCheck_})
        quiet.emplace_back(o);

    // 1. Boxes and their labels.
    SetText(folderBox_, s.strFolderName);
    SetText(referenceSourceHolder_, s.strOrigImageFile);
    referenceSource_->setPath(s.strOrigImageFile);
    SetText(backgroundSourceHolder_, s.strOrigBackgroundImage);
    backgroundSource_->setPath(s.strOrigBackgroundImage);
    SetText(referenceNameHolder_, s.strImageFile);
    SetText(referenceName_, s.strImageFile);
    SetText(backgroundNameHolder_, s.strBackgroundImage);
    SetText(backgroundName_, s.strBackgroundImage);

    // 2. Page file (the state part ran in ApplyRefreshDefaults).
    SetText(pageNameBox_, LastComponent(s.strPageWeb));
    pagePath_->setPath(s.strPageWeb);

    // 3. Titles and description.
    SetText(browserTitleBox_, s.strTitre);
    SetText(descriptionBox_, s.strContent);
    SetText(shownTitleBox_, s.strAffiche);

    // 4. Picture size.
    SetText(widthValue_, s.strLargeur);
    SetText(heightValue_, s.strHauteur);

    // 5. Nothing but the folder is usable before there is a folder.
    const bool haveFolder = !folderBox_->text().isEmpty();
    for (QWidget* w : std::as_const(folderDependent_))
        w->setEnabled(haveFolder);

    // 6. The marks are drawn by the point editor's own refresh.

    // 7. Page background.
    PaintBackground(backgroundSwatch_, WebColour(s.strBackgroundColor));

    // 8 to 10. Tooltip box.
    PaintBackground(balloonSample_, WebColour(s.strBaloonBackColor));
    PaintBackground(balloonExample_, WebColour(s.strBaloonBackColor));
    balloonStyle_.show(balloonSettings(), balloonExample_, balloonExample_->font());

    // 11 to 13. Displayed title, shown on the page's own background.
    PaintBackground(titleExample_, WebColour(s.strBackgroundColor));
    titleStyle_.show(titleSettings(), titleExample_, titleExample_->font());

    // 14. Placement word to the French item ("" when unknown).
    SetComboText(titlePlacement_, PlacementToFrench(s.strTitelPlacement));
    SetChecked(fitCheck_, FitsScreen(s.strAdapter));
    tt_.CheckChanges();
}

TextStyleSettings ParametersWindow::balloonSettings()
{
    TooltipState& s = tt_.state;
    return {&s.strBaloonSize, &s.strBaloonColor, &s.strBaloonBold, &s.strBaloonItalic, &s.strBaloonUnderlined,
            words::cssBold, words::cssItalic, words::cssUnderline};
}

TextStyleSettings ParametersWindow::titleSettings()
{
    TooltipState& s = tt_.state;
    return {&s.strTitelSize, &s.strTitelColor, &s.strTitelBold, &s.strTitelItalic, &s.strTitelUnderline,
            words::bold, words::italic, words::underlined};
}

void ParametersWindow::closeEvent(QCloseEvent* event)
{
    if (QWidget* form1 = ctx_.windows.find(names::kPointEditor)) {
        form1->setEnabled(true);
        if (form1->isVisible())
            form1->activateWindow();
    }
    QMainWindow::closeEvent(event);
}

}  // namespace toravi
