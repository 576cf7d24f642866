// The about window (? > Info): program title, version, description, maker
// lines, disclaimer, and the button that starts the system-information
// program.
#pragma once

#include "app/ShellServices.h"

#include <QDialog>

#include <cstdint>

class QLabel;

namespace morvane {

class frmAbout : public QDialog {
    Q_OBJECT

public:
    frmAbout(ShellServices& services, std::int32_t sprachOffset, QWidget* parent = nullptr);

    // Resource texts, then the version and title lines; runs when the window is
    // first shown.
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    ShellServices& services_;
    std::int32_t sprachOffset_;
    bool loaded_ = false;
    QLabel* lblTitle_;
    QLabel* lblVersion_;
};

}  // namespace morvane
