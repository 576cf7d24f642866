// The options window: the user's and the company's data on two tabs, the
// alternative-database switch, and OK (take and store), Cancel (leave) and
// Apply (take, keep the window open, store nothing).
#pragma once

#include "common/ProgramRecords.h"
#include "platform/SettingsStore.h"

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QLineEdit;

namespace morvane {

class frmOptions : public QDialog {
    Q_OBJECT

public:
    // settings: the program-wide record the window edits; store: where OK
    // writes it.
    frmOptions(UserSettings& settings, SettingsStore& store, std::int32_t sprachOffset, QWidget* parent = nullptr);

    // Resource texts, then each control from its field; runs when the window is
    // first shown.
    void Form_Load();
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The controls into the fields, in the window's order.
    void takeControls();

    UserSettings& settings_;
    SettingsStore& store_;
    std::int32_t sprachOffset_;
    bool loaded_ = false;
    QLineEdit* text_[13] = {};  // Text1 .. Text12 at their numbers
    QCheckBox* Check1_;
};

}  // namespace morvane
