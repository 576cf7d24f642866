// The main window's frame: menu bar, toolbar with the Exit button, the tab
// control that the input pages fill, the status bar (file name, date, time), the
// hidden error-test panel, and the frame commands (build and close, language,
// options, about, help, the file commands, Close, Exit). Built anew at each
// language switch.
//
// The input pages with their lists, ResetOberflaeche, ReadOberflaeche and
// WriteOberflaeche are mainwindow/qt/MainInputPages. The file commands New,
// Open, Save and Save As are app/FileCommands working on those pages and on the
// status bar's file-name panel; their dialogs are the window's own
// (QtFileDialogs) unless a test hands in others.
#pragma once

#include "app/ShellServices.h"
#include "engine/ProgramState.h"
#include "mainwindow/InputControls.h"
#include "platform/FileDialogs.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolBar;

namespace morvane {

class FileCommands;
class FileNamePanel;
class MainInputPages;
class OptionsWindow;
class Printer;
class PrinterDialog;
class ProtocolPages;
class ProductDatabases;
class QtMessagesWindow;
class QtResultsWindow;
class ResultsWindow;
struct DriverContext;
struct EngineContext;

// What the main window asks of the start-up when the user picks the other
// language (subgChangeLanguage): store the offset, rebuild the main window.
class LanguageSwitch {
public:
    virtual ~LanguageSwitch() = default;
    virtual void subgChangeLanguage() = 0;
};

class frmMain : public QMainWindow {
    Q_OBJECT

public:
    frmMain(ProgramState& state, ShellServices& services, LanguageSwitch& languageSwitch, QWidget* parent = nullptr);
    ~frmMain() override;

    // Runs when the window is first shown, before it appears.
    void Form_Load();
    // Runs when the window closes (close(), the Exit commands, the title bar).
    void Form_Unload(std::int16_t& Cancel);

    void Command2_Click();
    void mnuExit_Click(std::int16_t Index);
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileClose_Click();
    void mnuFileProperties_Click();
    void mnuHelpApp_Click();
    void mnuHelpAbout_Click();
    void mnuGerman_Click();
    void mnuEnglish_Click();
    void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
    void tbToolBar_ButtonClick(const QString& key);

    // The tab control whose five pages the input model fills.
    QTabWidget* SSTab1() const { return SSTab1_; }
    // The input controls on the tab pages and the installation panel.
    MainInputPages* inputPages() const { return pages_; }
    // The file dialogs of Open, Save and Save As from now on (tests hand in a
    // scripted one); the window's own until then.
    void setFileDialogs(FileDialogs& dialogs);
    // The windows around the Calculate and solver runs: the messages window and
    // the results window, and the printer dialog of the results window's print
    // buttons from now on (tests hand in one that does not block).
    QtMessagesWindow* messagesWindow() const { return messagesWindow_.get(); }
    QtResultsWindow* resultsWindow() const { return resultsWindow_.get(); }
    void setPrinterDialog(PrinterDialog& dialog);
    // The printer of the protocol pages from now on (the system's until then).
    void setPrinter(Printer& printer);

    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QAction* menuItem(QMenu* menu, const char* name, const char* captionId);
    void buildMenus();
    void buildToolbar(QWidget* client);
    void showHelpPage();
    void showDateAndTime();
    void makeFileCommands(FileDialogs& dialogs);
    void makeDrivers();
    void makeResultsWindow();

    ProgramState& state_;
    ShellServices& services_;
    LanguageSwitch& languageSwitch_;
    bool loaded_ = false;

    QAction* mnuGerman_ = nullptr;
    QAction* mnuEnglish_ = nullptr;
    QToolBar* tbToolBar_ = nullptr;
    QTabWidget* SSTab1_ = nullptr;
    FileNamePanel* fileNamePanel_ = nullptr;
    QLabel* datePanel_ = nullptr;
    QLabel* timePanel_ = nullptr;
    MainInputPages* pages_ = nullptr;
    // The window's common dialog, and the file commands that use it.
    std::unique_ptr<FileDialogs> dlgCommonDialog_;
    FileDialogs* currentFileDialogs_ = nullptr;
    std::unique_ptr<FileCommands> files_;
    // What Calc! and the solver run on: the engine over the program state and
    // the product databases of the program folder, and the windows they show.
    std::unique_ptr<ProductDatabases> databases_;
    std::unique_ptr<EngineContext> engine_;
    std::unique_ptr<OptionsWindow> optionsWindow_;
    std::unique_ptr<QtMessagesWindow> messagesWindow_;
    std::unique_ptr<PrinterDialog> printerDialog_;
    PrinterDialog* currentPrinterDialog_ = nullptr;
    std::unique_ptr<Printer> systemPrinter_;
    std::unique_ptr<ProtocolPages> protocol_;
    std::unique_ptr<QtResultsWindow> resultsWindow_;
    // The results window as the drivers show it, and the window's inputs at
    // that moment: the inputs the shown results were computed from.
    std::unique_ptr<ResultsWindow> driverResults_;
    std::optional<InputControls> resultsInputs_;
    std::unique_ptr<DriverContext> driver_;
};

}  // namespace morvane
