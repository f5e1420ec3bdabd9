#pragma once
// IForm1, the drag-and-drop module's window.
#include "dragdrop/dragdropwindowui.h"

#include <QMainWindow>
#include <functional>

namespace toravi {

class AppContext;
class DragDropModule;

class DragDropWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit DragDropWindow(AppContext& ctx, QWidget* parent = nullptr);

    // Pushes the whole module state into the controls.
    void RefreshWindow();

    static constexpr int kObjectFrames = 24;
    static constexpr int kFrameWidth = 68;     // 1020 twips
    static constexpr int kFrameHeight = 53;    // 795 twips
    static constexpr int kPreviewWidth = 293;  // 4400 twips

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectHandlers();
    // The one path of every control: `change` becomes a step of the history named
    // `step`, then the window shows the state.
    void edit(const QString& step, const std::function<void()>& change);
    void validateFromControls();  // "Vallider"
    void openItem(int index);
    void openCutout();  // "Découper les objets"
    void setControlsEnabled(bool on);
    TextStyleSettings titleSettings();
    TextStyleSettings instructionSettings();

    AppContext& ctx_;
    DragDropModule& dd_;
    DragDropWindowUi ui_;
};

}  // namespace toravi
