// The value boxes txtValueEntry(i) of the configuration rows, joined to the
// configurator's value entry: every change of a box's text runs its change
// handling, and leaving the box (the focus to another control of the program,
// or Enter in the box) runs the entry check with its message.
#pragma once

#include "configurator/ValueEntry.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

class QLineEdit;

namespace morvane {

// A QLineEdit as the filter sees a box. Positions are counted in characters
// (a character outside the 16-bit range is one character, not two units).
class LineEditEntryBox : public EntryBox {
public:
    explicit LineEditEntryBox(QLineEdit* edit) : edit_(edit) {}
    std::string text() const override;
    void setText(const std::string& text) override;
    int selStart() const override;
    void setSelStart(int caret) override;
    int selLength() const override;
    void setSelLength(int length) override;
    std::uint32_t backColor() const override;
    void setBackColor(std::uint32_t color) override;
    void setFocus() override;

private:
    QPointer<QLineEdit> edit_;
};

class ValueEntryBinding : public QObject {
public:
    // `rebuild` is cmbConfField_Click(i) of the page: the type code anew.
    ValueEntryBinding(ConfigZustand& config, const std::int32_t& sprachOffset, MessageBoxSink& messages,
                      std::function<void(int)> rebuild, QObject* parent = nullptr);

    // Joins row `index`'s box; called once when the row's box is created.
    void bind(int index, QLineEdit* box);

    ValueEntry& entry() { return entry_; }

    // A command that acts on the configuration (Calc!, Save, the copy button)
    // leaves the value box first: the box that holds the focus, or the one just
    // left by the press on the command's button, is checked now, with its
    // message, before the command acts. The focus stays where it is.
    void leaveFocusedBox();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EntryBox* box(int index);
    bool shown(int index) const;  // box index exists and is visible
    void leave(int index);
    void leavePending();

    // The box that holds the focus, also while a menu, a list's drop-down or
    // another window has it for a moment; -1 for none.
    int focused_ = -1;
    // The box left by a mouse press on a button: its message waits until the
    // press is over, for a modal message during the press would swallow the
    // button's click. -1 for none.
    int pending_ = -1;
    QObject* releaseWatch_ = nullptr;  // a child

    std::vector<std::unique_ptr<LineEditEntryBox>> boxes_;
    std::vector<QPointer<QLineEdit>> edits_;
    ValueEntry entry_;
};

}  // namespace morvane
