#pragma once
// Form2, the tooltip module's parameters: folder, pictures, page and looks.
#include "widgets/textstyle.h"

#include <QList>
#include <QMainWindow>
#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace toravi {

class AppContext;
class PathLabel;
class TooltipModule;

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
    // "Valider": the boxes into the state, the checks, then closing.
    void validate();
    bool takeControls();  // the boxes into the state, then the validation
    void refresh();  // asks both windows to show the state
    // The one path of every control: `change` becomes a step of the history named
    // `step`, then both windows show the state.
    void edit(const QString& step, const std::function<void()>& change);
    TextStyleSettings balloonSettings();
    TextStyleSettings titleSettings();

    AppContext& ctx_;
    TooltipModule& tt_;

    // Reference picture
    QLabel* folderLabel_ = nullptr;
    QLineEdit* folderBox_ = nullptr;
    QPushButton* folderButton_ = nullptr;
    QLabel* referenceLabel_ = nullptr;
    QPushButton* referenceButton_ = nullptr;
    PathLabel* referenceSource_ = nullptr;
    QLabel* referenceName_ = nullptr;
    QLabel* widthValue_ = nullptr;
    QLabel* heightValue_ = nullptr;
    // The page
    QPushButton* plainBackgroundButton_ = nullptr;
    QFrame* backgroundSwatch_ = nullptr;
    QLabel* backgroundLabel_ = nullptr;
    QPushButton* backgroundButton_ = nullptr;
    PathLabel* backgroundSource_ = nullptr;
    QLabel* backgroundName_ = nullptr;
    QLabel* pageNameLabel_ = nullptr;
    QLineEdit* pageNameBox_ = nullptr;
    PathLabel* pagePath_ = nullptr;
    QLabel* browserTitleLabel_ = nullptr;
    QLineEdit* browserTitleBox_ = nullptr;
    QLabel* shownTitleLabel_ = nullptr;
    QLineEdit* shownTitleBox_ = nullptr;
    QLineEdit* descriptionBox_ = nullptr;
    QCheckBox* fitCheck_ = nullptr;
    // The tooltip box
    TextStyleControls balloonStyle_;
    QPushButton* balloonBackButton_ = nullptr;
    QFrame* balloonSample_ = nullptr;
    QLabel* balloonExample_ = nullptr;
    // The displayed title
    TextStyleControls titleStyle_;
    QComboBox* titlePlacement_ = nullptr;
    QLabel* titleExample_ = nullptr;

    QPushButton* validateButton_ = nullptr;
    // Hidden holders of the chosen paths; the labels show them.
    QLineEdit* referenceSourceHolder_ = nullptr;
    QLineEdit* backgroundSourceHolder_ = nullptr;
    QLineEdit* referenceNameHolder_ = nullptr;
    QLineEdit* backgroundNameHolder_ = nullptr;

    // Usable only once a working folder is set.
    QList<QWidget*> folderDependent_;
};

}  // namespace toravi
