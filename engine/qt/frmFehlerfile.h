// The calculation messages window: one message text (gFehlertext) in a text box
// and an OK button that closes the window. Modeless and without an owner, so
// that it stays open beside the main window and a run never waits for it.
#pragma once

#include "common/ProgramRecords.h"
#include "engine/CalculateDriver.h"

#include <QPointer>
#include <QWidget>

class QPushButton;
class QTextEdit;

namespace morvane {

class frmFehlerfile : public QWidget {
    Q_OBJECT

public:
    // Texts come from ui at Form_Load: the language offset for the caption
    // (resource text 1315) and gFehlertext for the text box.
    explicit frmFehlerfile(const UiZustand& ui);

    // Applies the resource texts, then sets the text box to gFehlertext.
    void Form_Load();
    // Shows the text that gFehlertext holds now, for a window that is open.
    void takeUpText();

    QTextEdit* RichTextBox1() const { return RichTextBox1_; }
    QPushButton* Command1() const { return Command1_; }

private:
    void Command1_Click();

    const UiZustand& ui_;
    QTextEdit* RichTextBox1_;
    QPushButton* Command1_;
};

// The messages window as the drivers show it. The window is loaded on the first
// show after it was closed; a show while it is still open (the probe-coefficient
// warning followed by a stopping message in the same run) puts the new
// gFehlertext into it and brings it to the front, so the window always shows
// the message of the latest show. Each run first closes the window an earlier
// run left open.
class QtMessagesWindow : public MessagesWindow {
public:
    explicit QtMessagesWindow(const UiZustand& ui) : ui_(ui) {}
    ~QtMessagesWindow() override;
    QtMessagesWindow(const QtMessagesWindow&) = delete;
    QtMessagesWindow& operator=(const QtMessagesWindow&) = delete;

    void show() override;
    // Unloads the window, as its OK button does; a show after it loads it anew.
    void close() override;
    // The loaded window, or nullptr while it is closed.
    frmFehlerfile* window() const { return window_; }

private:
    const UiZustand& ui_;
    QPointer<frmFehlerfile> window_;
};

}  // namespace morvane
