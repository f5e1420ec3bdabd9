#pragma once
#include <QLabel>

namespace toravi {

// A framed label showing a long path cut in its middle; text() stays the whole
// path, which is also its tooltip.
class PathLabel : public QLabel {
    Q_OBJECT
public:
    explicit PathLabel(QWidget* parent = nullptr);
    // Rewrites the label only when the path differs.
    void setPath(const QString& path);
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A path label carrying `name` as its objectName.
PathLabel* MakePathLabel(const char* name, QWidget* parent);

}  // namespace toravi
