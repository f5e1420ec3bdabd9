#pragma once
// "Places des objets": the teacher puts each object where it belongs on the
// scene, shown as the page shows it, and turns the page's check on or off.
#include <QDialog>
#include <QList>
#include <QPoint>
#include <optional>

class QCheckBox;
class QGraphicsPixmapItem;
class QGraphicsScene;
class QGraphicsView;
class QLabel;
class QSpinBox;

namespace toravi {

class AppContext;
class DragDropModule;
class PlaceItem;

class PlacesWindow : public QDialog {
    Q_OBJECT
public:
    explicit PlacesWindow(AppContext& ctx, QWidget* parent = nullptr);

    // Lays out the scene and the objects from the project.
    void Rebuild();
    // What the mouse and the keys do to an object, also called by the tests.
    void DropObject(int index, QPointF topLeft);  // where its top-left corner was let go, in view coordinates
    void NudgeObject(int index, int dx, int dy);
    void RemovePlace(int index);

private:
    void showPlace(int index);
    void showState();  // every place, the check and the tolerance, from the project
    void showCount();
    int selectedIndex() const;
    bool focusObject(bool next);  // the next or previous object; false past the last

    AppContext& ctx_;
    DragDropModule& dd_;
    QGraphicsScene* scene_ = nullptr;
    QGraphicsView* view_ = nullptr;
    QLabel* count_ = nullptr;
    QCheckBox* check_ = nullptr;
    QSpinBox* tolerance_ = nullptr;
    QList<PlaceItem*> items_;
    QList<QPoint> rowSlots_;  // where each object starts in the page's row, in view coordinates
    QRect sceneBox_;          // the scene as shown, in view coordinates
    bool sceneKnown_ = false;
};

}  // namespace toravi
