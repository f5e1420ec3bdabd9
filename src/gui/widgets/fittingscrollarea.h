#pragma once
#include <QScrollArea>

namespace toravi {

// Shows its whole contents when the screen has room, and scrolls otherwise.
class FittingScrollArea : public QScrollArea {
    Q_OBJECT
public:
    explicit FittingScrollArea(QWidget* parent = nullptr);
    QSize sizeHint() const override;
};

}  // namespace toravi
