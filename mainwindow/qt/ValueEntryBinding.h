// The value boxes txtValueEntry(i) of the configuration rows, joined to the
// configurator's value entry: every change of a box's text runs its change
// handling, and leaving the box for another control of the program runs the
// limit check.
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EntryBox* box(int index);

    std::vector<std::unique_ptr<LineEditEntryBox>> boxes_;
    std::vector<QPointer<QLineEdit>> edits_;
    ValueEntry entry_;
};

}  // namespace morvane
