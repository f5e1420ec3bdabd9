#pragma once
// Form1 (point editor) and Form2 (parameters) of the tooltip module.
#include <QImage>
#include <QLabel>
#include <QList>
#include <QMainWindow>
#include <QPixmap>
#include <QPointF>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace toravi {

class AppContext;
class TooltipModule;

// Point marks: a circle of 80 twips (15 twips a pixel) around the clicked pixel.
inline constexpr double kMarkRadius = 80.0 / 15.0;
// The stored Y is the clicked row plus this.
inline constexpr int kRowShift = 6;

// Picture1: the reference picture at its natural size from the top-left corner,
// cut at the frame's edges, with the marks of the points drawn over it. Clicks
// come out in picture pixels.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 733;   // 11000 twips
    static constexpr int kHeight = 643;  // 9645 twips

    explicit PictureBox(QWidget* parent = nullptr);
    // A null image empties the frame.
    void setPicture(const QImage& image);
    bool holdsPicture() const { return !pixmap_.isNull(); }
    // Marks as stored (X, Y) pairs; `green` is the one being corrected, -1 for none.
    void setMarks(const QList<QPoint>& points, int green);
    // Centre of the mark of a stored point, in widget pixels.
    static QPointF markCentre(QPoint stored);

signals:
    void clicked(int column, int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap pixmap_;
    qint64 imageKey_ = 0;
    QList<QPoint> marks_;
    int green_ = -1;
    bool pressed_ = false;
};

// A label showing a long path cut in its middle; text() stays the whole path.
class PathLabel : public QLabel {
    Q_OBJECT
public:
    explicit PathLabel(QWidget* parent = nullptr);
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class PointEditor : public QMainWindow {
    Q_OBJECT
public:
    explicit PointEditor(AppContext& ctx, QWidget* parent = nullptr);

    // Shows the state: the points in the lists, the picture, its marks, the hint.
    void RefreshParameters();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void addPoint(int column, int row);
    void correctName(int index);
    void deleteSelected();
    int selectedIndex() const;
    void openParameters();
    void quitProgram();

    AppContext& ctx_;
    TooltipModule& tt_;
    PictureBox* picture1_ = nullptr;
    QListWidget* list1_ = nullptr;
    QListWidget* list2_ = nullptr;
    QListWidget* list3_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QPushButton* command1_ = nullptr;
    int correcting_ = -1;
    QString shownPath_;
};

class ParametersWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ParametersWindow(AppContext& ctx, QWidget* parent = nullptr);

    // The 14 steps: the state (with its defaults) pushed into every control.
    void RefreshParameters();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void setBalloonTexts();
    void connectHandlers();
    // cmdValider: the boxes into the state, the checks, then closing.
    void validate();
    void refresh();  // asks both windows to show the state

    AppContext& ctx_;
    TooltipModule& tt_;

    // Frame3 "Image de référence"
    QLabel* lblstrFolderName_ = nullptr;
    QLineEdit* txtstrFolderName_ = nullptr;
    QPushButton* cmdstrFolderName_ = nullptr;
    QLabel* lblOrigImageFile_ = nullptr;
    QPushButton* cmdOrigImageFile_ = nullptr;
    PathLabel* lbltxtOrigImageFile_ = nullptr;
    QLabel* lbltxtImageFile_ = nullptr;
    QLabel* lblValLargeur_ = nullptr;
    QLabel* lblValHauteur_ = nullptr;
    // Frame2 "Caractéristique de la page Web"
    QPushButton* command1_ = nullptr;
    QFrame* pictureFond_ = nullptr;
    QLabel* lblOrigBackgroundImage_ = nullptr;
    QPushButton* cmdOrigBackgroundImage_ = nullptr;
    PathLabel* lbltxtOrigBackgroundImage_ = nullptr;
    QLabel* lbltxtBackgroundImage_ = nullptr;
    QLabel* lblPageWeb_ = nullptr;
    QLineEdit* txtPageWeb_ = nullptr;
    PathLabel* lblPageWebPath_ = nullptr;
    QLabel* lblstrTitre_ = nullptr;
    QLineEdit* txtstrTitre_ = nullptr;
    QLabel* lblstrAffiche_ = nullptr;
    QLineEdit* txtstrAffiche_ = nullptr;
    QLineEdit* txtstrContent_ = nullptr;
    // Frame1 "Info-bulles"
    QPushButton* command2_ = nullptr;
    QPushButton* cmdFonBulle_ = nullptr;
    QComboBox* cmbBaloonSize_ = nullptr;
    QCheckBox* checkBaloonBold_ = nullptr;
    QCheckBox* checkBaloonItalic_ = nullptr;
    QCheckBox* checkBaloonUnderlined_ = nullptr;
    QFrame* pictureBaloon_ = nullptr;
    QLabel* lblExemple_ = nullptr;
    // Frame4 "Affichage du titre de la page Web"
    QPushButton* cmdTitelColor_ = nullptr;
    QComboBox* cmbTitelSize_ = nullptr;
    QComboBox* cmbTitelPlacement_ = nullptr;
    QCheckBox* checkTitelBold_ = nullptr;
    QCheckBox* checkTitelItalic_ = nullptr;
    QCheckBox* checkTitelUnderline_ = nullptr;
    QLabel* lblTitelExemple_ = nullptr;
    // Window
    QPushButton* cmdValider_ = nullptr;
    QLineEdit* txtOrigImageFile_ = nullptr;
    QLineEdit* txtOrigBackgroundImage_ = nullptr;
    QLineEdit* txtImageFile_ = nullptr;
    QLineEdit* txtstrBackgroundImage_ = nullptr;

    // The 23 controls usable only once a working folder is set.
    QList<QWidget*> folderDependent_;
};

}  // namespace toravi
