// The error-test panel of the main window ("Test Error Trapping"), hidden at
// start: it raises a run-time error of the typed number to try the error
// dialog out. A main window embeds it and connects its ErrorDisplayArea's
// double-click to imgErrorDisplay_DblClick.
#pragma once

#include <QGroupBox>

class QLabel;
class QLineEdit;
class QPushButton;

namespace morvane {

class ErrorTestPanel : public QGroupBox {
    Q_OBJECT

public:
    // Placed at its design position in the parent's coordinates.
    explicit ErrorTestPanel(QWidget* parent = nullptr);

    // Shows the panel when it is hidden, hides it when it is shown.
    void imgErrorDisplay_DblClick();
    // Raises the run-time error of the number typed in txtErrorNum; reported by
    // this procedure's guard as frmMain.cmdGenErr_Click.
    void cmdGenErr_Click();

private:
    QLabel* lblErrNum_;
    QLineEdit* txtErrorNum_;
    QPushButton* cmdGenErr_;
};

}  // namespace morvane
