#pragma once
// InfoImg, the object item dialog: changes an object's tooltip text or removes
// the object. Modeless, beside the drag-and-drop window.
#include "dragdrop/dragdropmodule.h"

#include <QDialog>

class QLineEdit;

namespace toravi {

class AppContext;
class ObjectFrame;

class ObjectItemDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObjectItemDialog(AppContext& ctx, QWidget* parent = nullptr);
    // Reads the object named by intSelectedItem; also when already open.
    void LoadItem();
    int item() const { return item_; }

private:
    // Whether the object shown is still the one at its place in the project: a
    // reset or another project puts something else there, or nothing.
    bool stillEditing() const;
    void modify();
    void remove();

    AppContext& ctx_;
    int item_ = -1;
    DragDropObject edited_;
    QLineEdit* tooltipBox_ = nullptr;
    ObjectFrame* objectPicture_ = nullptr;
};

}  // namespace toravi
