#pragma once
#include <QWidget>

namespace toravi {

class AppContext;

// Form3, "Toravi 2": the module chooser the program starts on and returns to.
class Launcher : public QWidget {
    Q_OBJECT
public:
    explicit Launcher(AppContext& ctx, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    AppContext& ctx_;
};

}  // namespace toravi
