// Events caused by code. The program's windows rely on one rule: setting a
// check box, an option button or a list by code runs that control's click
// handler as the user's change would. Qt has no such rule (no signal for an
// unchanged value, a filled list selecting its first item by itself, an index
// out of range silently becoming -1, an exclusive option group that cannot be
// cleared), so every window goes through these helpers:
//
//   - a control's click handler is bound once with onClick; the user's actions
//     reach it through clicked (check box, option button) or activated (list),
//     every time, never through a change signal;
//   - setCheckValue and setListIndex run the handler when the value changes;
//     setOptionValue runs it when the option becomes selected;
//   - fillList leaves the list at index -1 without running the handler;
//   - an index outside -1 .. count-1 or a check value outside 0 .. 2 is
//     run-time error 380, and nothing changes;
//   - setOptionValue(option, false) on the selected option of a group clears it,
//     so the group shows no selection and reads back all false.
//
// The values are set with the control's signals blocked, so the handler runs
// exactly once, after the value has changed.
#pragma once

#include <QStringList>

#include <cstdint>
#include <functional>

class QCheckBox;
class QComboBox;
class QRadioButton;
class QWidget;

namespace morvane {

using ClickHandler = std::function<void()>;

// Binds the click handler of a control (replacing an earlier one).
void onClick(QCheckBox* box, ClickHandler handler);
void onClick(QRadioButton* option, ClickHandler handler);
void onClick(QComboBox* list, ClickHandler handler);

// Check box value: 0 cleared, 1 ticked, 2 greyed.
int checkValue(const QCheckBox* box);
void setCheckValue(QCheckBox* box, int value);

void setOptionValue(QRadioButton* option, bool value);

// Clears the list and appends the items; the list then selects nothing (-1).
void fillList(QComboBox* list, const QStringList& items);
void setListIndex(QComboBox* list, int index);

// A selection list: a drop-down list without an editable text part, so that no
// typed text can give index -1 or a new item.
QComboBox* newList(QWidget* parent, const char* objectName);

// The list's index for a state field: run-time error 380 unless an item is
// selected.
std::int16_t listIndexForState(const QComboBox* list);

}  // namespace morvane
