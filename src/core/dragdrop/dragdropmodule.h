#pragma once
// The drag-and-drop room, the module "Glisser-déplacer": its project state, the
// table of its project file, the operations behind its windows, the places of its
// objects and the page's check, its page with ordre.js and verifier.js.
// No widgets here: the windows call these operations and show the state.
// Uses the project, pages, pictures, files and platform rooms; never the
// tooltip room.
#include <QList>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

#include "pictures/pictures.h"
#include "project/projectmodule.h"

namespace toravi {

class Platform;

struct DragDropObject {
    QString source;    // List1: full path of the picture as chosen
    QString fileName;  // List2: its file name inside img
    QString tooltip;   // ListInfoBulles: its tooltip text
    // Where the page's check wants it: its top-left corner from the top-left
    // corner of the scene as shown, 700 pixels wide. None: not checked.
    std::optional<QPoint> place = std::nullopt;
};

// Module `INT_Declarations`. Every setting is a text.
struct DragDropState {
    QString strOrigImageFile;
    QString strOrigBackgroundImage;
    QString strFolderName;
    QString strPageWeb;
    QString strTitre;
    QString strConsigne;  // CR LF line breaks while edited, "<br>" in files and pages
    QString strAffiche;
    QString strImageFile;
    QString strImageLargeur;
    QString strImageHauteur;
    QString strBackgroundImage;
    QString strBackgroundColor;
    QString strTextSize;
    QString strTextColor;
    QString strTextBackColor;
    QString strTextBold;
    QString strTextItalic;
    QString strTextUnderlined;
    QString strScriptPlacement;
    QString strTitelSize;
    QString strTitelColor;
    QString strTitelBold;
    QString strTitelItalic;
    QString strTitelUnderline;
    QString strTableColor;
    QString strTransparence;
    QString strImgAlt;
    QString strImgTransparent;
    QString strBouton;
    QString strOrigDocument;
    QString strDocument;
    QString strTexteBouton;
    // The page's "Vérifier" button: on exactly when "vrai". Lines 40 and 41 hold the places.
    QString strVerifier;
    QString strTolerance;  // pixels, each way
    // Line 44, only when "faux": the page keeps its designed size.
    QString strAdapter;

    QList<DragDropObject> objects;

    // Never saved.
    int intMaxObjets = 23;
    int intSelectedItem = 0;
    QString strFileName;
    // Whether the preview Image1 holds the reference picture (strFolderName/img/strImageFile).
    bool previewShown = false;
};

// The project's pictures, each with its name in img.
QList<ProjectPicture> DragDropPictures(const DragDropState& state);

class DragDropModule : public ProjectModule {
    Q_OBJECT
public:
    explicit DragDropModule(Platform& platform, QObject* parent = nullptr);

    DragDropState state;

    // --- Project (reset, file, validation, page): dragdropproject.cpp, dragdroppage.cpp ---
    void ResetProject() override;                 // defaults, no objects, no preview; asks for a refresh
    bool SaveProject() override;                  // true when the file was written
    bool LoadProject();                  // open dialog then LoadProjectFile; refreshes in every case
    // No dialog; a refused file keeps the project. Source paths that are not
    // absolute are taken relative to the project file's folder. A non-empty
    // `folder` takes the place of the project's working folder.
    bool LoadProjectFile(const QString& path, const QString& folder = QString()) override;
    // Validation (cmdValider, and after every load); the window has copied its
    // controls into the state. Returns true when valid; then asks for a refresh.
    bool Validate() override;
    // The state part of RefreshWindow (steps 2 to 5): page path, title,
    // instruction (default text, "<br>" to CR LF) and displayed title.
    void ApplyRefreshDefaults() override;
    void SetPageName(const QString& typed);  // INT_txtPageWeb change
    bool CreatePage() override;                       // mnuCreation; true when every file was written
    bool ExportPage(PageExport kind, const QString& target = QString()) override;
    QStringList CurrentProjectLines() const override;
    // The project's pictures, each with its name in img.
    QList<ProjectPicture> Pictures() const;
    // What "Oui" to the offer of a reduced copy does, for every picture too large for its place.
    void ReducePictures() override;
    // Copies the help document beside the page when the button is on; what the
    // teacher must be told ("" when all is well).
    QString CopyHelpDocument();
    std::any Snapshot() const override { return state; }
    void Restore(const std::any& snapshot) override { state = std::any_cast<const DragDropState&>(snapshot); }

    // --- Window operations: dragdropops.cpp ---
    void ChooseWorkingFolder();      // INT_cmdstrFolderName
    void ChooseReferencePicture();   // INT_cmdOrigImageFile
    void ChooseBackgroundPicture();  // INT_cmdOrigBackgroundImage
    void ChooseHelpDocument();       // Command3
    void AddObject();                // cmdAjoutImage and mnuAjouterObjet
    void PageColour();               // INT_Command1: drops the background picture, then the colour
    // Each a step of the history, like the places below.
    void ModifyItem(int index, const QString& text);  // InfoImg "Modifier"
    bool DeleteItem(int index);                        // InfoImg "Supprimer", with its question

    // --- Places of the objects and the page's check: dragdropplaces.cpp ---
    // The scene's size as the page shows it: 700 wide; empty when it cannot be read.
    QSize ShownSceneSize() const;
    // An object's size in the page (its copy in img); empty when it cannot be read.
    QSize ObjectPageSize(int index) const;
    // Kept inside the shown scene; none takes the place away. `nudge`: moves of
    // one object in a row (the arrow keys) make one step.
    void SetPlace(int index, std::optional<QPoint> place, bool nudge = false);
    void SetCheck(bool on);
    void SetTolerance(int pixels);

private:
    // Whether a chosen picture may take a role (0 scene, 1 background, -1 a new
    // object); a refusal is shown.
    bool Accepts(const QString& chosen, int role);
};

// The scene's own size (the chosen file's, else its copy's), by which objects are reduced.
QSize SceneSize(const DragDropState& s);
// strImageLargeur and strImageHauteur from the scene's copy in img, when there is one.
void MeasureScene(DragDropState& s);

// Page text, each line ended by CR LF (the write adds one more); the sizes are
// read from the copies in img.
QString BuildDragDropPage(DragDropState& s);
// Our own drag-and-drop script, written out as ordre.js.
QString OrdreJsText();
// The check's script, written out as verifier.js beside the pages that have the check.
QString VerifierJsText();
// Whether the page gets the check, and its tolerance in pixels.
bool HasCheck(const DragDropState& s);
// The height of a picture shown 700 pixels wide; 0 when its size is unknown.
int ShownSceneHeight(qint64 width, qint64 height);
int ToleranceOf(const DragDropState& s);
// The check's tolerance when none is set, in pixels each way.
inline constexpr int kDefaultTolerance = 20;

// The 39 lines of the project file, lines 40 to 43 when an object has a place
// or the check is on, and 40 to 44 when the page keeps its designed size
// (the write adds the last CR LF); turns the
// instruction's line breaks into "<br>" in the state, as saving does.
QStringList DragDropProjectLines(DragDropState& s);
// Every line break of an instruction (CR LF, lone CR or LF) as "<br>".
QString ConsigneToBr(const QString& text);

}  // namespace toravi
