#pragma once
// The tooltip room, the module "Info-bulles": its project state, the table of its
// project file, the operations behind its windows, its page and interact.js.
// No widgets here: the windows call these operations and show the state.
// Uses the project, pages, pictures, files and platform rooms; never the
// drag-and-drop room.
#include <QList>
#include <QObject>
#include <QString>

#include "pictures/pictures.h"
#include "project/projectmodule.h"

namespace toravi {

class Platform;

struct TooltipPoint {
    QString x;     // clicked column, decimal text
    QString y;     // clicked row + 6, decimal text
    QString name;  // tooltip text; may hold "<br>"
};

// Module `Declarations`. Every setting is a text.
struct TooltipState {
    // Lines 5 to 15 of the project file.
    QString strOrigImageFile;
    QString strOrigBackgroundImage;
    QString strFolderName;
    QString strPageWeb;
    QString strTitre;
    QString strContent;
    QString strAffiche;
    QString strImageFile;
    QString strLargeur;
    QString strHauteur;
    QString strBackgroundImage;
    // Lines 16 to 18.
    QList<TooltipPoint> points;
    // Lines 19 to 31.
    QString strBackgroundColor;
    QString strBaloonSize;
    QString strBaloonColor;
    QString strBaloonBackColor;
    QString strBaloonBold;
    QString strBaloonItalic;
    QString strBaloonUnderlined;
    QString strTitelPlacement;
    QString strTitelSize;
    QString strTitelColor;
    QString strTitelBold;
    QString strTitelItalic;
    QString strTitelUnderline;
    // Line 32, only when "faux": the page keeps its designed size.
    QString strAdapter;

    // Never saved.
    QString strFileName;
    int intPictureOffsetX = 0;
    int intPictureOffsetY = 0;
    // What the point editor shows: whether Picture1 holds the reference picture
    // (strFolderName/img/strImageFile), and whether its hint label Label2 is shown.
    bool pictureShown = false;
    bool hintVisible = true;
};

class TooltipModule : public ProjectModule {
    Q_OBJECT
public:
    explicit TooltipModule(Platform& platform, QObject* parent = nullptr);

    TooltipState state;

    // --- Project (reset, file, page): tooltipproject.cpp, tooltippage.cpp ---
    // Defaults, no points, no picture; then asks for a refresh.
    void ResetProject() override;
    // "Sauvegarder le projet". Returns true when the file was written.
    bool SaveProject() override;
    // "Charger un projet": open dialog, then LoadProjectFile. Refreshes in every case.
    bool LoadProject();
    // Reads a project file without any dialog; on refusal the project is kept and
    // the refusal's message is shown through the platform. Returns true when loaded.
    // Source paths that are not absolute are taken relative to the project
    // file's folder. A non-empty `folder` takes the place of the project's working folder.
    bool LoadProjectFile(const QString& path, const QString& folder = QString()) override;
    // The state part of RefreshParameters: page path, titles and description defaults.
    void ApplyRefreshDefaults() override;
    // Page name update (txtPageWeb change): the base name up to the first dot + ".htm".
    void SetPageName(const QString& typed);
    // "Créer la page Web" (Command1_Click). Returns true when both files were written.
    bool CreatePage() override;
    bool ExportPage(PageExport kind, const QString& target = QString()) override;
    QStringList CurrentProjectLines() const override;
    // The project's pictures, each with its name in img.
    QList<ProjectPicture> Pictures() const;
    // What "Oui" to the offer of a reduced copy does, for every picture too large for its place.
    void ReducePictures() override;
    std::any Snapshot() const override { return state; }
    void Restore(const std::any& snapshot) override { state = std::any_cast<const TooltipState&>(snapshot); }

    // --- Points, each change a step of the history: tooltippoints.cpp ---
    // At the clicked pixel of the picture (stored Y: row + 6).
    void AddPoint(int column, int row, const QString& name);
    // To stored coordinates; `nudge`: moves of one point in a row (the arrow keys) make one step.
    void MovePoint(int index, int x, int y, bool nudge = false);
    void RenamePoint(int index, const QString& name);
    void DeletePoint(int index);

    // --- Parameters window operations: tooltipparams.cpp ---
    void ChooseWorkingFolder();       // cmdstrFolderName
    void ChooseReferencePicture();    // cmdOrigImageFile, with the size message
    void ChooseBackgroundPicture();   // cmdOrigBackgroundImage
    void PlainBackground();           // Command1 "Fond uniforme"
    // Validation of Form2; the window has copied its controls into the state.
    // Returns true when valid (the caller then closes Form2).
    bool Validate() override;
};

// strLargeur and strHauteur from the picture the page shows: the copy in img;
// without one, from the reduced copy to be made or the chosen file when
// `orElseSource` ("0" when unknown), else they stay as they are.
void MeasureReference(TooltipState& s, bool orElseSource);

// Page and script texts, each line ended by CR LF (the write adds one more).
QString BuildTooltipPage(const TooltipState& s);
QString BuildInteractJs(const TooltipState& s);
// The 31 lines of the project file, and line 32 when the page keeps its
// designed size (the write adds the last CR LF).
QStringList TooltipProjectLines(const TooltipState& s);

}  // namespace toravi
