// The flow-limits window: the design flow and the flow limits of the last run
// (the uncertainty thresholds with one dp transmitter and in splitting range,
// the recommended and the allowed maximum flow) as bare numbers in the flow
// unit of the design flow. It fills its fifteen value labels only when its one
// button is pressed; until then they show their own names.
#pragma once

#include "engine/CalculationState.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace morvane {

class frmLimits : public QWidget {
    Q_OBJECT

public:
    explicit frmLimits(const CalculationState& s);

    // Writes the fifteen value labels from the state as it is now ("###0.000",
    // the decimal separator of the user's locale).
    void Command1_Click();

    static constexpr int RowCount = 15;
    // The value label of row 1..15 (Label1 .. Label8, Label17, Label19 ... Label29).
    QLabel* valueLabel(int row) const { return values_[row - 1]; }
    QLabel* captionLabel(int row) const { return captions_[row - 1]; }
    QPushButton* Command1() const { return Command1_; }

private:
    const CalculationState& s_;
    QLabel* values_[RowCount] = {};
    QLabel* captions_[RowCount] = {};
    QPushButton* Command1_;
};

}  // namespace morvane
