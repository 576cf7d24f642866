// The main window's input controls in one table. Each row names a control,
// the InputControls member that holds its value, the widget of MainInputPages
// that shows it and, through the kind of its link, how the value is copied:
//
//   Box       text box (QLineEdit): its text
//   Notes     the multi-line box (QPlainTextEdit): its text
//   List      list (QComboBox): its selected index
//   Check     check box (QCheckBox): its value 0, 1 or 2
//   Option    option button (QRadioButton): selected or not
//   Enabled   whether a check box takes input (Check4Enabled)
//   Tag       a label's Tag, from which its caption is loaded (Label62Tag)
//   FileName  the status bar's file name panel (written, never read)
//
// The rows stand in the load order: the order in which a whole InputControls
// is applied to the window (MainInputPages::applyControls), so that what the
// handlers of one control write into others is written over by the later rows
// (the element type before the element boxes, the pipe entry before the
// nominal size lists, the lists before the pipe boxes). The copy from the
// widgets (MainInputPages::toControls), the writing's hook
// (MainInputPages::applyControl) and that load (also where the language
// switch's MainInputPages::takeOverInputs gives the new window the inputs of
// the old one) all go by this table. The configuration rows, whose number
// follows the model that the element type loads, are not rows of it: the
// copy from the widgets and the writing's hook take them beside it.
//
// A new control: its member in InputControls, its widget in MainInputPages,
// and one row here in its place of the load order.
#pragma once

#include "mainwindow/InputControls.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace morvane {

class MainInputPages;

template <class Value, class Widget>
struct ControlLink {
    Value InputControls::*member;
    Widget* MainInputPages::*widget;
};

struct BoxLink : ControlLink<std::string, QLineEdit> {};
struct NotesLink : ControlLink<std::string, QPlainTextEdit> {};
struct ListLink : ControlLink<std::int16_t, QComboBox> {};
struct CheckLink : ControlLink<std::int16_t, QCheckBox> {};
struct OptionLink : ControlLink<bool, QRadioButton> {};
struct EnabledLink : ControlLink<bool, QCheckBox> {};
struct TagLink : ControlLink<std::string, QLabel> {};
struct FileNameLink {
    std::string InputControls::*member;
};

// In the order of the links of MainControl::link.
enum class ControlKind { Box, Notes, List, Check, Option, Enabled, Tag, FileName };

struct MainControl {
    const char* name;  // the control's name, as the writing's hook names it
    std::variant<BoxLink, NotesLink, ListLink, CheckLink, OptionLink, EnabledLink, TagLink, FileNameLink> link;

    ControlKind kind() const { return static_cast<ControlKind>(link.index()); }
};

// Every row, in the load order.
std::span<const MainControl> mainControls();
// The row of a control name; nullptr when no row has it.
const MainControl* mainControl(std::string_view name);

}  // namespace morvane
