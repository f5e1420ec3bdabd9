// IForm1: the drag-and-drop module's one window, every setting of the page and its objects.
#include "dragdrop/dragdropwindow.h"

#include "dragdrop/cutoutwindow.h"
#include "dragdrop/dragdropmodule.h"
#include "dragdrop/objectframe.h"
#include "dragdrop/objectitemdialog.h"
#include "files/files.h"
#include "help/presentationwindow.h"
#include "pages/colors.h"
#include "pictures/picturecache.h"
#include "platform/platform.h"
#include "widgets/appcontext.h"
#include "widgets/balloon.h"
#include "widgets/controls.h"
#include "widgets/pathlabel.h"
#include "widgets/windownames.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace toravi {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

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

DragDropWindow::DragDropWindow(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx), dd_(ctx.dragdrop)
{
    ui_.setupUi(this);
    AddEditMenu(this, dd_);
    connectHandlers();
    connect(&dd_, &DragDropModule::refreshRequested, this, &DragDropWindow::RefreshWindow);

    // Load step.
    CentreOnScreen(this);
    HookBubble();
    SetBubbleWidth(500);
    ui_.setBalloonTexts(this);
    ui_.instructionStyle.size->addItems(DragDropTextSizes());
    ui_.titleStyle.size->addItems(DragDropTitleSizes());
    dd_.ResetProject();
    ShowUnsavedInTitle(this, dd_);
    StartOnFirstShow(this, dd_, [this] { validateFromControls(); });
    CentreOnScreen(this);
}

void DragDropWindow::edit(const QString& step, const std::function<void()>& change)
{
    dd_.Change(step, [&] {
        change();
        RefreshWindow();
    });
}

void DragDropWindow::connectHandlers()
{
    DragDropState& s = dd_.state;
    auto onCheck = [this](QCheckBox* box, QString DragDropState::*setting, const QString& on, const QString& off) {
        const QString step = QStringLiteral("modifier « %1 »").arg(box->text());
        connect(box, &QCheckBox::clicked, this, [this, step, setting, on, off](bool ticked) {
            edit(step, [this, setting, ticked, on, off] { dd_.state.*setting = ticked ? on : off; });
        });
    };
    onCheck(ui_.helpButtonCheck, &DragDropState::strBouton, words::VraiCap, words::FauxCap);
    onCheck(ui_.transparentFrameCheck, &DragDropState::strTransparence, words::VraiCap, words::FauxCap);
    onCheck(ui_.showTooltipsCheck, &DragDropState::strImgAlt, words::vrai, words::faux);
    onCheck(ui_.transparentObjectsCheck, &DragDropState::strImgTransparent, words::vrai, words::faux);
    onCheck(ui_.fitCheck, &DragDropState::strAdapter, words::vrai, words::faux);
    const auto edits = [this](const QString& step, const std::function<void()>& change) { edit(step, change); };
    ui_.titleStyle.bind(this, ctx_.platform, titleSettings(), QStringLiteral("du titre"), edits);
    ui_.instructionStyle.bind(this, ctx_.platform, instructionSettings(), QStringLiteral("de la consigne"), edits);

    connect(ui_.startPlacement, &QComboBox::activated, this, [this] {
        edit(QStringLiteral("modifier l'emplacement de départ des objets"),
             [this] { dd_.state.strScriptPlacement = ui_.startPlacement->currentText(); });
    });

    // Typed text reaches the state at every key; the history gets one step per field edit.
    auto typed = [this](QLineEdit* box, const QString& step, std::function<void(const QString&)> store) {
        connect(box, &QLineEdit::textChanged, this, [this, step, store](const QString& t) {
            dd_.Typing(step);
            store(t);
        });
    };
    typed(ui_.browserTitleBox, QStringLiteral("modifier le titre de la page Web"),
          [&s](const QString& t) { s.strTitre = t; });
    typed(ui_.shownTitleBox, QStringLiteral("modifier le titre affiché"), [&s](const QString& t) { s.strAffiche = t; });
    connect(ui_.instructionBox, &QPlainTextEdit::textChanged, this, [this, &s] {
        dd_.Typing(QStringLiteral("modifier la consigne"));
        s.strConsigne = FromBox(ui_.instructionBox->toPlainText());
    });
    typed(ui_.helpButtonTextBox, QStringLiteral("modifier le texte du bouton d'aide"), [this, &s](const QString& t) {
        s.strTexteBouton = t;
        RefreshWindow();
    });
    typed(ui_.pageNameBox, QStringLiteral("modifier le nom de la page Web"), [this, &s](const QString& t) {
        dd_.SetPageName(t);
        ui_.pagePath->setPath(s.strPageWeb);
    });

    // The operations ask for the refresh themselves.
    auto button = [this](QPushButton* b, const QString& step, void (DragDropModule::*operation)()) {
        // The module by pointer rather than through a nested capture of `this`, which UBSan flags.
        DragDropModule* dd = &dd_;
        connect(b, &QPushButton::clicked, this,
                [this, dd, step, operation] { edit(step, [dd, operation] { (dd->*operation)(); }); });
    };
    button(ui_.pageColourButton, QStringLiteral("modifier la couleur de la page"), &DragDropModule::PageColour);
    button(ui_.folderButton, QStringLiteral("choisir le dossier de travail"), &DragDropModule::ChooseWorkingFolder);
    button(ui_.referenceButton, QStringLiteral("choisir l'image de référence"),
           &DragDropModule::ChooseReferencePicture);
    button(ui_.backgroundButton, QStringLiteral("choisir l'image d'arrière-plan"),
           &DragDropModule::ChooseBackgroundPicture);
    button(ui_.helpDocumentButton, QStringLiteral("choisir le fichier d'aide"), &DragDropModule::ChooseHelpDocument);
    auto addObject = [this] {
        dd_.Change(
            [this] {
                return QStringLiteral("ajouter l'objet « %1 »")
                    .arg(dd_.state.objects.value(dd_.state.objects.size() - 1).tooltip);
            },
            [this] { dd_.AddObject(); });
    };
    connect(ui_.addObjectButton, &QPushButton::clicked, this, addObject);
    connect(ui_.addObjectAction, &QAction::triggered, this, addObject);
    connect(ui_.cutoutButton, &QPushButton::clicked, this, &DragDropWindow::openCutout);
    connect(ui_.cutoutAction, &QAction::triggered, this, &DragDropWindow::openCutout);

    auto onColour = [this](QPushButton* button, const QString& step, QString DragDropState::*setting) {
        connect(button, &QPushButton::clicked, this, [this, step, setting] {
            edit(step, [this, setting] { PickColor(ctx_.platform, dd_.state.*setting); });
        });
    };
    onColour(ui_.frameColourButton, QStringLiteral("modifier la couleur du cadre"), &DragDropState::strTableColor);
    onColour(ui_.instructionBackButton, QStringLiteral("modifier la couleur du fond de la consigne"),
             &DragDropState::strTextBackColor);

    for (int i = 0; i < ui_.objectFrames.size(); ++i)
        connect(ui_.objectFrames[i], &ObjectFrame::doubleClicked, this, [this, i] { openItem(i); });
    connect(ui_.tooltipList, &QListWidget::itemDoubleClicked, this,
            [this] { openItem(ui_.tooltipList->currentRow()); });

    connect(ui_.validateButton, &QPushButton::clicked, this,
            [this] { dd_.Change(QStringLiteral("valider les paramètres"), [this] { validateFromControls(); }); });

    connect(ui_.reinitAction, &QAction::triggered, &dd_, &DragDropModule::ReinitWithQuestion);
    connect(ui_.quitAction, &QAction::triggered, this, [this] {
        if (!dd_.CloseProject())
            return;
        AppContext& ctx = ctx_;  // this window is gone after the unload
        ctx.windows.unload(names::kDragDrop);
        ctx.quit();
    });
    connect(ui_.loadAction, &QAction::triggered, this, [this] {
        if (!dd_.AskToSave())
            return;
        dd_.Replace(QStringLiteral("charger un projet"), [this] {
            const bool loaded = dd_.LoadProject();
            validateFromControls();
            if (loaded)  // what the validation settles is no change of the teacher's
                dd_.MarkUnchanged();
        });
    });
    connect(ui_.saveAction, &QAction::triggered, &dd_, &DragDropModule::SaveProject);
    connect(ui_.createPageAction, &QAction::triggered, &dd_, &DragDropModule::CreatePage);
    connect(ui_.singleFileAction, &QAction::triggered, this, [this] { dd_.ExportPage(PageExport::SingleFile); });
    connect(ui_.scormAction, &QAction::triggered, this, [this] { dd_.ExportPage(PageExport::Scorm); });
    connect(ui_.placesAction, &QAction::triggered, this, [this] { ctx_.windows.show(names::kPlaces); });
    connect(ui_.helpAction, &QAction::triggered, this,
            [this] { OpenModuleHelp(ctx_, HelpModule::DragDrop, this, true); });
}

void DragDropWindow::validateFromControls()
{
    DragDropState& s = dd_.state;
    s.strFolderName = ui_.folderBox->text();
    s.strOrigImageFile = ui_.referenceSourceHolder->text();
    s.strImageFile = ui_.referenceName->text();
    s.strOrigBackgroundImage = ui_.backgroundSourceHolder->text();
    s.strBackgroundImage = ui_.backgroundName->text();
    s.strPageWeb = ui_.pagePath->text();
    s.strTitre = ui_.browserTitleBox->text();
    s.strConsigne = FromBox(ui_.instructionBox->toPlainText());
    s.strAffiche = ui_.shownTitleBox->text();
    dd_.Validate();
}

void DragDropWindow::openItem(int index)
{
    if (index < 0)
        return;
    dd_.state.intSelectedItem = index;
    // An open dialog moves on to the newly chosen object.
    if (auto* dialog = qobject_cast<ObjectItemDialog*>(ctx_.windows.find(names::kObjectItem)))
        dialog->LoadItem();
    ctx_.windows.show(names::kObjectItem);
}

void DragDropWindow::openCutout()
{
    // A window already open keeps its outlines.
    const bool fresh = !ctx_.windows.isLoaded(names::kCutout);
    ctx_.windows.show(names::kCutout);
    if (auto* cutout = qobject_cast<CutoutWindow*>(ctx_.windows.find(names::kCutout)); cutout && fresh)
        cutout->ChoosePicture();
}

void DragDropWindow::setControlsEnabled(bool on)
{
    for (QWidget* w : ui_.folderDependent)
        if (w->isEnabled() != on)
            w->setEnabled(on);
    ui_.addObjectAction->setEnabled(on);
    ui_.cutoutAction->setEnabled(on);
}

void DragDropWindow::RefreshWindow()
{
    DragDropState& s = dd_.state;
    // Steps 2 to 5 on the state: page path, titles and instruction defaults.
    dd_.ApplyRefreshDefaults();

    // 1. Paths and names.
    SetText(ui_.folderBox, s.strFolderName);
    SetText(ui_.referenceSourceHolder, s.strOrigImageFile);
    ui_.referenceSource->setPath(s.strOrigImageFile);
    SetText(ui_.backgroundSourceHolder, s.strOrigBackgroundImage);
    ui_.backgroundSource->setPath(s.strOrigBackgroundImage);
    SetText(ui_.referenceNameHolder, s.strImageFile);
    SetText(ui_.backgroundNameHolder, s.strBackgroundImage);
    ui_.referenceName->setPath(s.strImageFile);
    ui_.backgroundName->setPath(s.strBackgroundImage);

    // 2. to 5. Page file, browser title, instruction, displayed title.
    SetText(ui_.pageNameBox, s.strFileName);
    ui_.pagePath->setPath(s.strPageWeb);
    SetText(ui_.browserTitleBox, s.strTitre);
    {
        const QString box = ToBox(s.strConsigne);
        if (ui_.instructionBox->toPlainText() != box) {
            QSignalBlocker b(ui_.instructionBox);
            ui_.instructionBox->setPlainText(box);
        }
    }
    SetText(ui_.shownTitleBox, s.strAffiche);

    // 6. Picture size.
    SetText(ui_.widthValue, s.strImageLargeur);
    SetText(ui_.heightValue, s.strImageHauteur);

    // 7. Availability.
    const bool hasFolder = !ui_.folderBox->text().isEmpty();
    setControlsEnabled(hasFolder);

    // 8. Tooltip list.
    ui_.tooltipList->setEnabled(s.strImgAlt == words::vrai);

    // 9. Page colour.
    Paint(ui_.pageColourSwatch, QPalette::Window, WebColour(s.strBackgroundColor));

    // 10. Instruction look.
    Paint(ui_.instructionBackSwatch, QPalette::Window, WebColour(s.strTextBackColor));
    Paint(ui_.instructionExample, QPalette::Window, WebColour(s.strTextBackColor));
    ui_.instructionStyle.show(instructionSettings(), ui_.instructionExample,
                              SampleFont(qBound(0, s.strTextSize.toInt(), 24)));

    // 11. Frame colour.
    Paint(ui_.frameColourSwatch, QPalette::Window, WebColour(s.strTableColor));
    SetChecked(ui_.transparentFrameCheck, s.strTransparence == words::VraiCap);
    SetChecked(ui_.fitCheck, FitsScreen(s.strAdapter));

    // 12. Preview size: 4400 twips wide, as tall as the picture's proportions say.
    {
        bool okW = false, okH = false;
        const double w = s.strImageLargeur.trimmed().toDouble(&okW);
        const double h = s.strImageHauteur.trimmed().toDouble(&okH);
        if (okW && okH && w > 0 && h > 0) {
            const int height = qBound(1, qRound(4400.0 * h / w / kTwipsPerPixel), kPreviewMaxHeight);
            if (ui_.preview->height() != height) {
                ui_.preview->setFixedSize(kPreviewWidth, height);
                ui_.previewFrame->setMinimumHeight(height + 2);
            }
        }
    }

    // 13. Title look.
    ui_.titleStyle.show(titleSettings(), ui_.titleExample, SampleFont(qBound(0, s.strTitelSize.toInt(), 32)));

    // The object lists.
    {
        QStringList sources, fileNames, tips;
        for (const DragDropObject& o : s.objects) {
            sources.append(o.source);
            fileNames.append(o.fileName);
            tips.append(o.tooltip);
        }
        ReplaceEntries(ui_.sourceList, sources);
        ReplaceEntries(ui_.fileNameList, fileNames);
        ReplaceEntries(ui_.tooltipList, tips);
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
        // New photos are decoded together, on every core; the preview first, as the
        // frames mostly come from thumbnails and take little.
        QList<PictureCache::Request> wanted;
        if (!previewPath.isEmpty())
            wanted.append({previewPath, ui_.preview->size()});
        for (int i = 0; i < ui_.objectFrames.size(); ++i)
            if (const QString path = objectPath(i); !path.isEmpty())
                wanted.append({path, frameSize});
        PictureCache::instance().preload(wanted);
    }
    for (int i = 0; i < ui_.objectFrames.size(); ++i) {
        const QString path = objectPath(i);
        const QImage picture = path.isEmpty() ? QImage() : PictureCache::instance().load(path, frameSize);
        ui_.objectFrames[i]->setPicture(picture);
        ui_.objectFrames[i]->setVisible(ui_.objectFrames[i]->holdsPicture());
    }

    // 16. Reference preview and the add button.
    {
        const QImage preview =
            previewPath.isEmpty() ? QImage() : PictureCache::instance().load(previewPath, ui_.preview->size());
        ui_.preview->setPicture(preview);
        const bool shown = ui_.preview->holdsPicture();
        ui_.preview->setVisible(shown);
        ui_.previewCaption->setVisible(shown);
        ui_.addObjectButton->setEnabled(hasFolder && shown && s.objects.size() <= s.intMaxObjets);
    }

    // 17. Object options.
    SetChecked(ui_.showTooltipsCheck, s.strImgAlt == words::vrai);
    SetChecked(ui_.transparentObjectsCheck, s.strImgTransparent == words::vrai);

    // 18. Help button.
    SetText(ui_.helpButtonTextBox, s.strTexteBouton);
    ui_.helpDocumentSource->setPath(s.strOrigDocument);
    ui_.helpDocumentName->setPath(s.strDocument);
    const bool bouton = s.strBouton == words::VraiCap;
    SetChecked(ui_.helpButtonCheck, bouton);
    ui_.helpDocumentWarning->setVisible(bouton && s.strOrigDocument.isEmpty());

    // 19. Start place.
    SetComboText(ui_.startPlacement, s.strScriptPlacement);
    dd_.CheckChanges();
}

TextStyleSettings DragDropWindow::titleSettings()
{
    DragDropState& s = dd_.state;
    return {&s.strTitelSize, &s.strTitelColor, &s.strTitelBold, &s.strTitelItalic, &s.strTitelUnderline,
            words::bold, words::italic, words::underlined};
}

TextStyleSettings DragDropWindow::instructionSettings()
{
    DragDropState& s = dd_.state;
    return {&s.strTextSize, &s.strTextColor, &s.strTextBold, &s.strTextItalic, &s.strTextUnderlined,
            words::cssBold, words::cssItalic, words::cssUnderline};
}

void DragDropWindow::closeEvent(QCloseEvent* event)
{
    // A window the launcher only loaded, hidden, holds no work of the teacher's.
    if (isVisible() && !dd_.CloseProject()) {
        event->ignore();
        return;
    }
    // Unload step.
    ctx_.windows.unload(names::kObjectItem);
    ctx_.windows.unload(names::kPlaces);
    ctx_.windows.unload(names::kCutout);
    UnhookBubble();
    ctx_.windows.show(names::kLauncher);
    event->accept();
}

}  // namespace toravi
