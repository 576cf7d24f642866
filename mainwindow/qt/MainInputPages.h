// The input controls of the main window: the contents of the five pages of its
// tab control SSTab1, the hidden installation panel Frame4 and the Calc! button,
// with the handlers that grey, relabel and refill them (the model, pipe-entry
// and orientation options, the check boxes, the flow-unit list, the nominal size
// and pressure class lists with the standard pipe table, and the element-type
// list's relabelling of the element boxes), the list filling of the window's
// build and ResetOberflaeche.
//
// Control names are the object names (Text16, Combo9, Option17 ...); captions
// and tooltips hold resource text ids until LoadResstrings replaces them.
// Every control change made by code goes through common/qt/CodeEvents.h, so it
// runs the control's click handler as the user's change would.
#pragma once

#include "engine/CalculateDriver.h"
#include "engine/ProgramState.h"
#include "mainwindow/InputControls.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;

namespace morvane {

class ConfigSelectPage;
class Guard;
struct MainControl;

// How one control stands beside its value: whether it takes input, and its
// background (0xAARRGGBB): the window colour, greyed, or a value box marked
// light red for a value its field does not take.
struct ControlLook {
    bool enabled = true;
    std::uint32_t background = 0;
};

// How the controls of a window stand: the controls of the main window's table
// (mainwindow/qt/MainControls.h) by their row, and the value boxes of the
// configuration rows in use. They are no input: the language switch alone
// hands them on, since the handlers of a new window need not have run as
// those of the old one did (a box greyed by a model option that the new
// window shows selected from its build).
struct ControlLooks {
    std::vector<ControlLook> controls;
    std::vector<ControlLook> valueEntries;
};

class MainInputPages : public QObject, public MainWindowInputs {
public:
    // Fills the five pages of SSTab1 and puts Frame4 (hidden) and Command1 on
    // form, the window's client area. The controls belong to their pages.
    MainInputPages(QTabWidget* SSTab1, QWidget* form, ProgramState& state, MessageBoxSink& messages);

    // Where the reset and the restore write the file name (status bar panel 1).
    void setFileNamePanel(std::function<void(const std::string&)> write) { fileNamePanel_ = std::move(write); }
    // The configurator's cmbConfField_Click (rebuilds the type code): the
    // configuration page's own unless a test hands in another.
    void setConfFieldClick(std::function<void(int)> click) { confFieldClick_ = std::move(click); }
    // The "Config Selection" page.
    ConfigSelectPage* configPage() const { return configPage_; }
    // The clock of the date default of Text36; the system clock when not set.
    void setClock(const Clock* clock) { clock_ = clock; }
    // What the Calc! button (Command1) and the Solver button (Command3) run.
    void setCalculate(std::function<void()> run) { calculate_ = std::move(run); }
    void setSolver(std::function<void()> run) { solver_ = std::move(run); }

    // Statements of the window's build (Form_Load), run as steps of its guard:
    // the texts of txtTypeDesc, cmdCopyKey and lblDrawings (resource texts
    // 1832..1834), and the thirteen lists filled from their consecutive resource
    // texts, each then set to the index of its state field. False when a step
    // left the procedure.
    bool setConfiguratorTexts(Guard& formLoad);
    bool fillLists(Guard& formLoad);

    // Every input back to its default, with the events its changes cause.
    void ResetOberflaeche();

    // The widgets as plain values, and back in the load order (values set by
    // code, so their click handlers run); both go by the table of
    // mainwindow/qt/MainControls.h.
    // The file name panel is the frame's: it is written only when asked for.
    void toControls(InputControls& c) const;
    void applyControls(const InputControls& c, bool fileNamePanel = true);
    // One member of c applied to its widget (the hook of the writing: control
    // names as InputModel.h lists them); when a click handler may have run, the
    // widgets are copied back into c, since handlers relabel and rewrite controls.
    void applyControl(std::string_view control, InputControls& c);
    // The inputs of the window this one replaces (at a language switch), as
    // its toControls gave them: every control shows what it showed there
    // (texts as typed, lists, checks and options, the file name panel), the
    // configuration rows of the model with their selections and typed values,
    // and the type code rebuilt from them; and every control of the table and
    // every value box of the rows is enabled or greyed, and marked, as its
    // looks() gave them. Texts that come from the string table (labels, list
    // items) stand in this window's language.
    void takeOverInputs(const InputControls& kept, const ControlLooks& looks);
    // How the controls of the table and the value boxes of the rows in use
    // look now.
    ControlLooks looks() const;
    // The state into the controls after a calculation file has been read.
    void WriteOberflaeche();

    // Whether every number box that the current inputs use (enabled, and not
    // hidden on its page) holds one number (isOneNumber, mainwindow/StrCheck.h).
    // Where one does not, a message names each such box by its label and the
    // result is false: Calc!, the solver, Save and Save As then do nothing.
    bool numberBoxesHoldNumbers();

    // What the Calculate and solver runs read of the window and write back.
    std::string typeInfoText() const override;
    std::string codeDisplayText() const override;
    void rebuildTypeCode() override;
    void ReadOberflaeche(ReadingFor purpose) override;
    void setText8(const std::string& text) override;
    void setText10(const std::string& text) override;
    void setText18(const std::string& text) override;
    void selectOption5() override;

    // Click handlers.
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void Option6_Click();
    void Option11_Click();
    void Option12_Click();
    void Option14_Click();
    void Check1_Click();
    void Check2_Click();
    void Check4_Click();
    void Combo1_Click();
    void Combo2_Click();
    void Combo3_Click();
    void Combo4_Click();
    void Combo8_Click();

    QPushButton* Command1() const { return Command1_; }

private:
    void buildMediumPage(QWidget* page);
    void buildElementPage(QWidget* page);
    void buildFlowPage(QWidget* page);
    void buildAddressPage(QWidget* page);
    void buildConfigPage(QWidget* page);
    void buildFrame4(QWidget* form);
    void bindHandlers();
    // The pipe-table lookup behind Combo3_Click and Combo4_Click.
    void normmassLookup();
    void setModelControls(const int (&states)[12], bool combo1Open);
    // One row of the control table: its widget into c, and back.
    void readControl(const MainControl& m, InputControls& c) const;
    void writeControl(const MainControl& m, const InputControls& c);
    // The looks back, where a control does not look so.
    void applyLooks(const ControlLooks& looks);
    std::string dateDefault() const;
    // Whether a control and every container up to its tab page are not hidden.
    bool shownOnItsPage(const QWidget* w) const;
    QString text(std::int32_t id) const;

    QTabWidget* SSTab1_;
    QWidget* form_;
    ProgramState& state_;
    MessageBoxSink& messages_;
    std::function<void(const std::string&)> fileNamePanel_;
    std::function<void(int)> confFieldClick_;
    std::function<void()> calculate_;
    std::function<void()> solver_;
    const Clock* clock_ = nullptr;

public:
    // Page "Medium"
    QRadioButton *Option1, *Option2, *Option3, *Option4;
    QComboBox* Combo1;
    QLineEdit *Text1, *Text2, *Text7, *Text29, *Text13, *Text3, *Text4, *Text5, *Text6, *Text30, *Text14;
    QLabel *Label1, *Label2, *Label3, *Label50, *Label30, *Label4, *Label5, *Label6, *Label7, *Label53, *Label31;
    QLabel *Label8, *Label9, *Label10, *Label51, *Label11, *label99, *Label13, *Label14, *Label52;
    // Page "dp-Element"
    QComboBox* Combo2;
    QLabel *Label15, *Label29;
    QGroupBox *Frame3, *Frame2;
    QLineEdit *Text10, *Text11, *Text15;
    QLabel *Label23, *Label24, *Label25, *Label26, *Label27, *Label28;
    QRadioButton *Option15, *Option16, *Option5, *Option6;
    QLineEdit *Text8, *Text22, *Text9;
    QCheckBox* Check2;
    QLabel *Label19, *Label17, *Label58, *Label20, *Label18, *Label21, *Label22;
    QComboBox *Combo3, *Combo4;
    // Page "Flowdata"
    QLineEdit *Text16, *Text17, *Text18, *Text19, *Text20, *Text21, *Text37;
    QComboBox *Combo9, *Combo11, *Combo8, *Combo10;
    QCheckBox *Check1, *Check4;
    QLabel *Label33, *Label34, *Label35, *Label36, *Label37, *Label38, *Label41, *Label42, *Label43, *Label39, *Label63;
    QRadioButton *Option17, *Option18;
    QPushButton* Command3;
    // Page "Address / Notes"
    QLineEdit *Text23, *Text24, *Text25, *Text26, *Text27, *Text28;
    QLineEdit *Text31, *Text32, *Text33, *Text34, *Text35, *Text36;
    QGroupBox* Frame1;
    QPlainTextEdit* Text12;
    // Page "Config Selection"
    QLineEdit *txtTypeInfo, *txtCodeDisplay;
    QPlainTextEdit* txtTypeDesc;
    QPushButton* cmdCopyKey;
    QWidget* fraConfigSelect;
    QLabel* lblDrawings;
    // Installation panel
    QGroupBox* Frame4;
    QComboBox *Combo5, *Combo6, *Combo7, *Combo12, *Combo13;
    QCheckBox* Check3;
    QLabel* Label62;
    QRadioButton *Option14, *Option11, *Option12, *Option7, *Option8, *Option9, *Option10, *Option13;

private:
    QPushButton* Command1_;
    ConfigSelectPage* configPage_ = nullptr;
};

}  // namespace morvane
