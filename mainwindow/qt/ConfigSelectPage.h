// The main window's "Config Selection" page: the element configurator on
// screen. It holds the type information, description and code boxes, the copy
// button, and the frame fraConfigSelect with the configuration rows, their
// scroll bar on the left and the drawing controls on the right.
//
// Geometry inside the frame (8295 x 5055 twips): row i is the list
// cmbConfField(i) (left 360, width 4335), the value box txtValueEntry(i) (left
// 4800, width 855) and its label lblEntryInfo(i) (left 5760), all with their top
// at i x 400 - the scroll bar's value; the scroll bar scrVertScroll stands at
// left 0 over the frame's height; the drawing picture, its label and the JPG and
// PDF buttons at left 6480. Row 0 exists from the start (hidden); the others are
// created when a model first needs them and never destroyed: a model with fewer
// rows leaves the others hidden and empty.
//
// The handlers (cmbConfField_Click, txtValueEntry_Change, cmdCopyKey_Click,
// scrVertScroll_Change, cmdJPGShow_Click, cmdPDFShow_Click) and the model load of
// the element-type list (loadModel) work on the configurator's records in
// ProgramState::config through the configurator core; each registers with the
// tracer as the main window's procedure of that name.
#pragma once

#include "engine/ProgramState.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"
#include "platform/ShellOpen.h"

#include <QObject>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QWidget;

namespace morvane {

class ProductDatabases;
class ValueEntryBinding;

// What the page needs of the program besides the state: the product databases
// of the model tables, the clipboard of the copy button, the shell that opens a
// drawing (a message names the file where no program took it), and the program
// folder the drawings lie in.
struct ConfiguratorServices {
    ProductDatabases& databases;
    Clipboard& clipboard;
    ShellOpen& shell;
    std::filesystem::path programFolder;
};

class ConfigSelectPage : public QObject {
public:
    // Builds the page's controls on `page`. A new page (a new main window) has no
    // rows, so the configurator's row count starts at 0.
    ConfigSelectPage(QWidget* page, ProgramState& state, MessageBoxSink& messages);

    // Until the services are set, a model load and the drawing buttons do
    // nothing and the copy button copies nothing.
    void setServices(const ConfiguratorServices& services);

    // The configurator's part of the element-type list's click, for the models
    // 1 to 7: shows the frame, loads the model `model` (the trimmed list text) in
    // the current language with the row events muted, builds the rows, the type
    // information and description, then assembles the code once.
    void loadModel(const std::string& model);

    // Handlers.
    void cmbConfField_Click(int Index);
    // The value box's change: the single place where a typed value enters the
    // configurator. The filter keeps the text a number within the field's rules,
    // a value the field does not take (outside its limits, or not whole where
    // the field has no decimals) turns the box light red, and the code is
    // rebuilt through cmbConfField_Click(Index), incomplete while such a value
    // stands; no message while typing; nothing while the configurator is muted.
    void txtValueEntry_Change(int Index);
    // Leaving the value box (another control, Enter): the entry check with its
    // message.
    void txtValueEntry_LostFocus(int Index);
    // Calc!, Save and the copy button leave the value box first, so that a
    // value the field does not take is reported before they act.
    void leaveValueBox();
    // Copies the type information and the code as they stand; an incomplete
    // (red) code is copied too, and the status bar says that it is incomplete.
    void cmdCopyKey_Click();
    void scrVertScroll_Change();
    void cmdJPGShow_Click();
    void cmdPDFShow_Click();

    // Rows: the number of row elements created so far (hidden ones included) and
    // the controls of row i (nullptr beyond them).
    int loadedRows() const { return static_cast<int>(rows_.size()); }
    QComboBox* cmbConfField(int i) const;
    QLineEdit* txtValueEntry(int i) const;
    QLabel* lblEntryInfo(int i) const;

    // The restoring of an opened file: selects list entry k of row i. An index
    // beyond the list leaves the row on its caption and marks the code of the
    // following rebuild incomplete. Nothing runs (the configurator is muted).
    void restoreListIndex(int i, int k);
    // Runs cmbConfField_Click(0) after a restore; a rejected saved index makes
    // the code incomplete whatever the rows now show.
    void rebuildAfterRestore();

    QLineEdit* txtTypeInfo = nullptr;
    QPlainTextEdit* txtTypeDesc = nullptr;
    QLineEdit* txtCodeDisplay = nullptr;
    QPushButton* cmdCopyKey = nullptr;
    QGroupBox* fraConfigSelect = nullptr;
    QScrollBar* scrVertScroll = nullptr;
    QLabel* imgDrawing = nullptr;
    QLabel* lblDrawings = nullptr;
    QPushButton* cmdJPGShow = nullptr;
    QPushButton* cmdPDFShow = nullptr;

private:
    struct Row {
        QComboBox* list;
        QLineEdit* entry;
        QLabel* label;
    };
    void addRowElement();
    // subgAddComboBox: row n shown with an empty list at the top n x 400.
    void showRow(int n);
    // subgUnloadAllCombos: every row hidden and emptied, the scroll bar at 0.
    void unloadRows();
    void placeRows();
    void setScrollRange(int rowsInUse);
    void colourCode(bool complete);
    void compileDrawing(const std::vector<int>& listIndex);
    void showDrawing(const std::string& path);
    QString text(std::int32_t id) const;

    ProgramState& state_;
    MessageBoxSink& messages_;
    ValueEntryBinding* valueEntry_ = nullptr;  // a child of the page
    std::optional<ConfiguratorServices> services_;
    std::vector<Row> rows_;
    bool restoreRejected_ = false;
    bool codeComplete_ = false;  // the code box is green
};

}  // namespace morvane
