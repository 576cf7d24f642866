// The blank image area of the main window whose double-click shows and hides
// the error-test panel (imgErrorDisplay).
#pragma once

#include <QWidget>

namespace morvane {

class ErrorDisplayArea : public QWidget {
    Q_OBJECT

public:
    // Placed at its design position in the parent's coordinates.
    explicit ErrorDisplayArea(QWidget* parent = nullptr);

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace morvane
