#pragma once
// The controls of the drag-and-drop window and how they are laid out; the
// window wires them to the module.
#include "widgets/textstyle.h"

#include <QList>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace toravi {

class ObjectFrame;
class PathLabel;

struct DragDropWindowUi {
    // Builds every control, named, into `window`, with its menus and their shortcuts.
    void setupUi(QMainWindow* window);
    void setBalloonTexts(QWidget* window);

    // Working folder and reference picture
    QLineEdit* folderBox = nullptr;
    QPushButton* folderButton = nullptr;
    QPushButton* referenceButton = nullptr;
    PathLabel* referenceName = nullptr;
    PathLabel* referenceSource = nullptr;
    QLabel* widthValue = nullptr;
    QLabel* heightValue = nullptr;
    // The page
    QPushButton* backgroundButton = nullptr;
    PathLabel* backgroundName = nullptr;
    PathLabel* backgroundSource = nullptr;
    QLabel* pageColourSwatch = nullptr;
    QPushButton* pageColourButton = nullptr;
    QLabel* frameColourSwatch = nullptr;
    QPushButton* frameColourButton = nullptr;
    QCheckBox* transparentFrameCheck = nullptr;
    QCheckBox* fitCheck = nullptr;
    QLineEdit* pageNameBox = nullptr;
    PathLabel* pagePath = nullptr;
    QLineEdit* browserTitleBox = nullptr;
    // The displayed title
    QLineEdit* shownTitleBox = nullptr;
    TextStyleControls titleStyle;
    QLabel* titleExample = nullptr;
    // The instruction
    QPlainTextEdit* instructionBox = nullptr;
    TextStyleControls instructionStyle;
    QPushButton* instructionBackButton = nullptr;
    QLabel* instructionBackSwatch = nullptr;
    QLabel* instructionExample = nullptr;
    // The objects
    QPushButton* addObjectButton = nullptr;
    QPushButton* cutoutButton = nullptr;  // the objects cut out of one picture
    QComboBox* startPlacement = nullptr;
    QList<ObjectFrame*> objectFrames;
    QGroupBox* objectOptionsFrame = nullptr;
    QListWidget* tooltipList = nullptr;
    QCheckBox* showTooltipsCheck = nullptr;
    QCheckBox* transparentObjectsCheck = nullptr;
    // The help button
    QGroupBox* helpButtonFrame = nullptr;
    QCheckBox* helpButtonCheck = nullptr;
    QLineEdit* helpButtonTextBox = nullptr;
    QPushButton* helpDocumentButton = nullptr;
    PathLabel* helpDocumentSource = nullptr;
    PathLabel* helpDocumentName = nullptr;
    QLabel* helpDocumentWarning = nullptr;
    // Outside the frames
    QPushButton* validateButton = nullptr;
    ObjectFrame* preview = nullptr;
    QLabel* previewCaption = nullptr;
    QWidget* previewFrame = nullptr;
    // Hidden holders: the objects' sources and file names, the chosen paths.
    QListWidget* sourceList = nullptr;
    QListWidget* fileNameList = nullptr;
    QLineEdit* referenceSourceHolder = nullptr;
    QLineEdit* referenceNameHolder = nullptr;
    QLineEdit* backgroundSourceHolder = nullptr;
    QLineEdit* backgroundNameHolder = nullptr;
    // Menus
    QAction* reinitAction = nullptr;
    QAction* quitAction = nullptr;
    QAction* addObjectAction = nullptr;
    QAction* cutoutAction = nullptr;
    QAction* loadAction = nullptr;
    QAction* saveAction = nullptr;
    QAction* createPageAction = nullptr;
    QAction* singleFileAction = nullptr;  // the page as one file
    QAction* scormAction = nullptr;       // the package for the learning platform
    QAction* placesAction = nullptr;
    QAction* helpAction = nullptr;

    // Usable only once a working folder is set.
    QList<QWidget*> folderDependent;

private:
    void buildMenus(QMainWindow* window);
};

}  // namespace toravi
