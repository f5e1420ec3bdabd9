#pragma once
// "Découper les objets": from one picture the teacher outlines each object; OK
// makes the emptied scene, the object pictures and their places in the
// drag-and-drop project, as if done by hand. The picture work runs off the
// window's thread, so the window never waits for it.
#include "dragdrop/cutoutcanvas.h"
#include "dragdrop/dragdropcutout.h"
#include "pictures/cutout.h"

#include <QColor>
#include <QDialog>
#include <QList>
#include <QThreadPool>
#include <QTimer>
#include <memory>

class QButtonGroup;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace toravi {

class AppContext;
class PathLabel;

class CutoutWindow : public QDialog {
    Q_OBJECT
public:
    explicit CutoutWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~CutoutWindow() override;

    // "Choisir l'image…": the open dialog, then the picture opened in the background.
    void ChoosePicture();
    // Opens `path` without a dialog (the tests, and the dialog's answer).
    void OpenPicture(const QString& path);

    // Whether picture work is still under way.
    bool Busy() const { return pendingWork_ > 0 || previewTimer_.isActive() || toleranceTimer_.isActive(); }
    int OutlineCount() const { return int(outlines_.size()); }
    // Where outline `index` holds the object, in the picture's pixels; empty when nothing or not found yet.
    QRect OutlineBounds(int index) const { return index >= 0 && index < outlines_.size() ? outlines_[index].bounds : QRect(); }
    CutoutCanvas* Canvas() const { return canvas_; }
    // The emptied scene as last previewed (null before the first preview).
    const QImage& ScenePreview() const { return scenePreview_; }

    // OK: checks the outlines, then writes the pictures and fills the project in the
    // background, and closes; false, with a message, when refused at once.
    bool Apply();
    // The one change OK makes to the project: the pictures written, beside the objects
    // already there or in their stead.
    void TakeOver(bool keepObjects, const CutoutWritten& written);

protected:
    void reject() override;  // Annuler, Échap, the window's close button
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Outline {
        int id = 0;
        QString name;
        CutoutTool tool = CutoutTool::Box;  // Box, Wand, Freehand or Polygon
        QRect box;
        QPoint click;
        int tolerance = 0;
        QPolygonF outline;
        QImage keep, remove;  // correction strokes, full size; null when none
        int version = 0;      // a result for an older version is dropped
        QImage mask;          // full size; null until first found
        bool computing = false;
        QImage shownMask;     // at the shown copy's size, for the overlay
        QRect bounds;         // of the mask, full pixels; empty when the mask is
    };

    void buildControls();
    void setBalloonTexts();
    void setPicture(std::shared_ptr<const CutoutSource> source, const QImage& shown, const QString& path);
    void toolChosen();
    void onBoxDrawn(QRect box);
    void onWandClicked(QPoint click);
    void onOutlineDrawn(QPolygonF outline);
    void onStrokeDrawn(const QPainterPath& path, double width, bool keep);
    void onToleranceChanged();
    // A new outline drawn with the tool, or the redrawn shape of the outline waiting for it.
    void takeShape(Outline shape);
    void computeMask(Outline& outline);
    void maskFound(int id, int version, const QImage& mask, const QImage& shownMask, QRect bounds);
    void renameSelected();
    void deleteSelected();
    void redrawSelected();
    void chooseColour();
    void schedulePreview();
    void startPreview();
    void workStarted(const QString& what);
    void workEnded();
    void refreshList();
    void refreshOverlay(const Outline& outline);
    void refreshControls();
    void showHint();
    Outline* selected();
    Outline* find(int id);
    PlaceFill fill() const;
    bool confirmDrop(const QString& question);
    void setContentsEnabled(bool on);

    AppContext& ctx_;
    DragDropModule& dd_;

    // Read by both workers at once: a CutoutSource is never changed once opened.
    QString picturePath_;
    std::shared_ptr<const CutoutSource> source_;
    QList<Outline> outlines_;
    int nextId_ = 1;
    int redrawId_ = 0;  // the outline whose next shape is being drawn; 0: none
    QColor placeColour_ = kDefaultPlaceColour;
    QImage scenePreview_;

    // One worker for the masks and one for the preview, so a preview never
    // delays the outline the teacher waits for.
    QThreadPool maskWorker_;
    QThreadPool previewWorker_;
    int pendingWork_ = 0;
    int openGeneration_ = 0;
    int previewGeneration_ = 0;
    bool previewRunning_ = false;
    bool previewAgain_ = false;
    bool applying_ = false;
    QTimer previewTimer_;
    QTimer toleranceTimer_;

    CutoutCanvas* canvas_ = nullptr;
    QPushButton* pictureButton_ = nullptr;
    PathLabel* picturePathLabel_ = nullptr;
    QButtonGroup* tools_ = nullptr;
    QSpinBox* tolerance_ = nullptr;
    QLabel* hint_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
    QListWidget* list_ = nullptr;
    QPushButton* renameButton_ = nullptr;
    QPushButton* redrawButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QButtonGroup* fills_ = nullptr;
    QLabel* colourSwatch_ = nullptr;
    QPushButton* colourButton_ = nullptr;
    QLabel* previewLabel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace toravi
