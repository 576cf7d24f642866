// The results window: one finished calculation (medium, pipe and element, the
// probe's vibration figures, the process values at the design point and, with
// the flow range on, at max, norm and min) in the display units that the main
// window's unit lists chose; print buttons for the German and the English
// protocol, the page-2 box, Close, and a button that is never visible which
// would open the flow-limits window.
//
// Labels are addressed by their object names (Label6, Label79 ...); the window
// only reads the state, except the page-2 switch gDruckeSeite2 that a print
// button writes.
#pragma once

#include "engine/ProgramState.h"
#include "engine/CalculateDriver.h"
#include "reports/limits_window/qt/frmLimits.h"
#include "reports/protocol/ProtocolPrinting.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <string>

class QCheckBox;
class QLabel;
class QPushButton;

namespace morvane {

class Guard;

class frmResult : public QWidget {
    Q_OBJECT

public:
    // printer: the page-1 printers, or nullptr while there are none (a print
    // then shows the dialog and prints nothing). showLimits shows the
    // flow-limits window (Command4).
    frmResult(ProgramState& state, PrinterDialog& dialog, ProtocolPrinter* printer,
              std::function<void()> showLimits);

    // Resource texts, then FillResults' labels.
    void Form_Load();
    // Every label of the fill from the state as it is now.
    void FillResults();

    void Command1_Click();  // print German
    void Command2_Click();  // close
    void Command3_Click();  // print English
    void Command4_Click();  // flow limits

    // A label by its object name, nullptr when there is none.
    QLabel* label(const char* name) const;
    QCheckBox* Check1() const { return Check1_; }
    QPushButton* Command1() const { return Command1_; }
    QPushButton* Command2() const { return Command2_; }
    QPushButton* Command3() const { return Command3_; }
    QPushButton* Command4() const { return Command4_; }

private:
    void fill(Guard& g);
    // The inside dimensions of a duct as Label32 shows them (placing Label32
    // and its unit Label33 for them), and the designed places for a round
    // pipe's diameter (wide: false).
    std::string ductSides(double a, double b, char sep);
    void placeDuctSides(bool wide);
    void print(bool english);

    ProgramState& state_;
    PrinterDialog& dialog_;
    ProtocolPrinter* printer_;
    std::function<void()> showLimits_;
    QCheckBox* Check1_;
    QPushButton *Command1_, *Command2_, *Command3_, *Command4_;
};

// The results window as the Calculate driver shows it: loaded and filled on the
// first show after it was closed, refilled and brought to the front when it is
// open. It also keeps the single flow-limits window, which outlives the
// results window once shown.
class QtResultsWindow : public ResultsWindow {
public:
    QtResultsWindow(ProgramState& state, PrinterDialog& dialog, ProtocolPrinter* printer = nullptr)
        : state_(state), dialog_(dialog), printer_(printer)
    {
    }
    ~QtResultsWindow() override;
    QtResultsWindow(const QtResultsWindow&) = delete;
    QtResultsWindow& operator=(const QtResultsWindow&) = delete;

    void show() override;
    void close() override;
    void setPrinter(ProtocolPrinter* printer) { printer_ = printer; }

    // The loaded windows, or nullptr while closed.
    frmResult* window() const { return window_; }
    frmLimits* limitsWindow() const { return limits_; }

private:
    void showLimits();

    ProgramState& state_;
    PrinterDialog& dialog_;
    ProtocolPrinter* printer_;
    QPointer<frmResult> window_;
    QPointer<frmLimits> limits_;
};

}  // namespace morvane
