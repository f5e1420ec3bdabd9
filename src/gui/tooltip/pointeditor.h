#pragma once
// Form1, the tooltip module's main window: points placed by clicking the picture.
#include <QMainWindow>

class QLabel;
class QListWidget;
class QPushButton;

namespace toravi {

class AppContext;
class PictureBox;
class TooltipModule;

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
    void movePoint(int index, int x, int y);
    void nudgeSelected(int dx, int dy);
    void select(int index);
    // The marks of the points; green the one being corrected, else the selected one.
    void showMarks();
    void correctName(int index);
    void deleteSelected();
    int selectedIndex() const;
    void openParameters();
    void quitProgram();

    AppContext& ctx_;
    TooltipModule& tt_;
    PictureBox* picture_ = nullptr;
    // The coordinates are kept in lists beside the names but never shown.
    QListWidget* xList_ = nullptr;
    QListWidget* yList_ = nullptr;
    QListWidget* nameList_ = nullptr;
    QLabel* hint_ = nullptr;
    QPushButton* createPageButton_ = nullptr;  // hidden; the menu does the same
    int correcting_ = -1;
    QString shownPath_;
};

}  // namespace toravi
