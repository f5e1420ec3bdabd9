#pragma once
// IForm1 (the drag-and-drop window) and InfoImg (the object item dialog).
#include <QDialog>
#include <QLabel>
#include <QList>
#include <QMainWindow>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace toravi {

class AppContext;
class DragDropModule;

// A picture box that stretches its picture and reports double-clicks.
class ObjectFrame : public QLabel {
    Q_OBJECT
public:
    explicit ObjectFrame(QWidget* parent = nullptr);
    // Shows `image` (a null image empties the frame); unchanged pictures are not redrawn.
    void setPicture(const QImage& image);
    bool holdsPicture() const { return key_ != 0; }

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    qint64 key_ = 0;
};

class IForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit IForm1(AppContext& ctx, QWidget* parent = nullptr);

    // Pushes the whole module state into the controls.
    void RefreshWindow();

    static constexpr int kObjectFrames = 24;
    static constexpr int kFrameWidth = 68;     // 1020 twips
    static constexpr int kFrameHeight = 53;    // 795 twips
    static constexpr int kPreviewWidth = 293;  // 4400 twips

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void setBalloonTexts();
    void connectHandlers();
    void validateFromControls();  // cmdValider
    void openItem(int index);
    void setControlsEnabled(bool on);

    AppContext& ctx_;
    DragDropModule& dd_;

    // Frame INT_Frame1
    QLineEdit* txtFolder_ = nullptr;
    QPushButton* cmdFolder_ = nullptr;
    QPushButton* cmdOrigImage_ = nullptr;
    QLabel* lblImageFile_ = nullptr;
    QLabel* lblOrigImageFile_ = nullptr;
    QLabel* lblLargeur_ = nullptr;
    QLabel* lblHauteur_ = nullptr;
    // Frame INT_Frame2
    QPushButton* cmdBackground_ = nullptr;
    QLabel* lblBackgroundImage_ = nullptr;
    QLabel* lblOrigBackgroundImage_ = nullptr;
    QLabel* swatchPage_ = nullptr;
    QPushButton* cmdPageColour_ = nullptr;
    QLabel* swatchTable_ = nullptr;
    QPushButton* cmdTableColour_ = nullptr;
    QCheckBox* checkTransparence_ = nullptr;
    QLineEdit* txtPageWeb_ = nullptr;
    QLabel* lblPageWebPath_ = nullptr;
    QLineEdit* txtTitre_ = nullptr;
    // Frame Frame4
    QLineEdit* txtAffiche_ = nullptr;
    QCheckBox* checkTitelBold_ = nullptr;
    QCheckBox* checkTitelItalic_ = nullptr;
    QCheckBox* checkTitelUnderline_ = nullptr;
    QComboBox* cmbTitelSize_ = nullptr;
    QPushButton* cmdTitelColor_ = nullptr;
    QLabel* lblTitelExemple_ = nullptr;
    // Frame INT_Frame3
    QPlainTextEdit* txtConsigne_ = nullptr;
    QCheckBox* checkTextBold_ = nullptr;
    QCheckBox* checkTextItalic_ = nullptr;
    QCheckBox* checkTextUnderlined_ = nullptr;
    QComboBox* cmbTextSize_ = nullptr;
    QPushButton* cmdTextColour_ = nullptr;
    QPushButton* cmdTextBack_ = nullptr;
    QLabel* swatchText_ = nullptr;
    QLabel* lblExemple_ = nullptr;
    // Frame Frame1
    QPushButton* cmdAjoutImage_ = nullptr;
    QComboBox* cmbScriptPlacement_ = nullptr;
    QList<ObjectFrame*> image2_;
    // Frame Frame2
    QGroupBox* frame2_ = nullptr;
    QListWidget* listInfoBulles_ = nullptr;
    QCheckBox* checkImgAlt_ = nullptr;
    QCheckBox* checkImgTransparent_ = nullptr;
    // Frame Frame3
    QGroupBox* frame3_ = nullptr;
    QCheckBox* checkBouton_ = nullptr;
    QLineEdit* txtTexteBouton_ = nullptr;
    QPushButton* cmdDocument_ = nullptr;
    QLabel* lblDocumentBouton_ = nullptr;
    QLabel* lblDocumentOrigBouton_ = nullptr;
    QLabel* lblAverto_ = nullptr;
    // Outside the frames
    QPushButton* cmdValider_ = nullptr;
    ObjectFrame* image1_ = nullptr;
    QLabel* lblImgRef_ = nullptr;
    QWidget* shape1_ = nullptr;
    // Hidden storage
    QListWidget* list1_ = nullptr;
    QListWidget* list2_ = nullptr;
    QLineEdit* txtOrigImageFile_ = nullptr;
    QLineEdit* txtImageFile_ = nullptr;
    QLineEdit* txtOrigBackgroundImage_ = nullptr;
    QLineEdit* txtBackgroundImage_ = nullptr;
    // Menus
    QAction* mnuReinit_ = nullptr;
    QAction* mnuQuit_ = nullptr;
    QAction* mnuAjouterObjet_ = nullptr;
    QAction* mnuLoad_ = nullptr;
    QAction* mnuSave_ = nullptr;
    QAction* mnuCreation_ = nullptr;
    QAction* mnuAide_ = nullptr;

    QList<QWidget*> folderDependent_;
};

// The object item dialog, modeless beside IForm1.
class InfoImg : public QDialog {
    Q_OBJECT
public:
    explicit InfoImg(AppContext& ctx, QWidget* parent = nullptr);
    // Reads the object named by intSelectedItem; also when already open.
    void LoadItem();
    int item() const { return item_; }

private:
    void modify();
    void remove();

    AppContext& ctx_;
    int item_ = -1;
    QLineEdit* text1_ = nullptr;
    ObjectFrame* picture1_ = nullptr;
};

}  // namespace toravi
