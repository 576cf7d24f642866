#include "mainwindow/qt/MainControls.h"
#include "mainwindow/qt/MainInputPages.h"
#include "mainwindow/qt/MainInputShared.h"

#include "common/qt/CodeEvents.h"
#include "mainwindow/InputModel.h"
#include "mainwindow/qt/ConfigSelectPage.h"
#include "tracing/Guard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

namespace morvane {

// ---------------------------------------------------------------------------
// The table

namespace {

#define MORVANE_CONTROL(kind, n) {#n, kind##Link{{&InputControls::n, &MainInputPages::n}}}
const MainControl kMainControls[] = {
    // Page "Medium"
    MORVANE_CONTROL(Option, Option1),
    MORVANE_CONTROL(Option, Option2),
    MORVANE_CONTROL(Option, Option3),
    MORVANE_CONTROL(Option, Option4),
    MORVANE_CONTROL(List, Combo1),
    MORVANE_CONTROL(Box, Text1),
    MORVANE_CONTROL(Box, Text2),
    MORVANE_CONTROL(Box, Text7),
    MORVANE_CONTROL(Box, Text29),
    MORVANE_CONTROL(Box, Text13),
    MORVANE_CONTROL(Box, Text3),
    MORVANE_CONTROL(Box, Text4),
    MORVANE_CONTROL(Box, Text5),
    MORVANE_CONTROL(Box, Text6),
    MORVANE_CONTROL(Box, Text30),
    MORVANE_CONTROL(Box, Text14),
    // Page "dp-Element": the element type first (it relabels the element boxes
    // and empties Text11), the pipe entry before the lists, the boxes last, so
    // that the texts stand whatever the handlers wrote.
    MORVANE_CONTROL(List, Combo2),
    MORVANE_CONTROL(Option, Option15),
    MORVANE_CONTROL(Option, Option16),
    MORVANE_CONTROL(Option, Option5),
    MORVANE_CONTROL(Option, Option6),
    MORVANE_CONTROL(List, Combo3),
    MORVANE_CONTROL(List, Combo4),
    MORVANE_CONTROL(Check, Check2),
    MORVANE_CONTROL(Box, Text10),
    MORVANE_CONTROL(Box, Text11),
    MORVANE_CONTROL(Box, Text15),
    MORVANE_CONTROL(Box, Text8),
    MORVANE_CONTROL(Box, Text22),
    MORVANE_CONTROL(Box, Text9),
    // Page "Flowdata"
    MORVANE_CONTROL(Box, Text16),
    MORVANE_CONTROL(List, Combo9),
    MORVANE_CONTROL(Box, Text17),
    MORVANE_CONTROL(List, Combo11),
    MORVANE_CONTROL(Box, Text18),
    MORVANE_CONTROL(List, Combo8),
    MORVANE_CONTROL(Check, Check1),
    MORVANE_CONTROL(Box, Text19),
    MORVANE_CONTROL(Box, Text20),
    MORVANE_CONTROL(Box, Text21),
    MORVANE_CONTROL(List, Combo10),
    MORVANE_CONTROL(Check, Check4),
    {"Check4Enabled", EnabledLink{{&InputControls::Check4Enabled, &MainInputPages::Check4}}},
    MORVANE_CONTROL(Box, Text37),
    MORVANE_CONTROL(Option, Option17),
    MORVANE_CONTROL(Option, Option18),
    // Page "Address / Notes"
    MORVANE_CONTROL(Box, Text23),
    MORVANE_CONTROL(Box, Text24),
    MORVANE_CONTROL(Box, Text25),
    MORVANE_CONTROL(Box, Text26),
    MORVANE_CONTROL(Box, Text27),
    MORVANE_CONTROL(Box, Text28),
    MORVANE_CONTROL(Box, Text31),
    MORVANE_CONTROL(Box, Text32),
    MORVANE_CONTROL(Box, Text33),
    MORVANE_CONTROL(Box, Text34),
    MORVANE_CONTROL(Box, Text35),
    MORVANE_CONTROL(Box, Text36),
    MORVANE_CONTROL(Notes, Text12),
    {"statusPanel1", FileNameLink{&InputControls::statusPanel1}},
    // Page "Config Selection": the type information and code as they stand.
    MORVANE_CONTROL(Box, txtTypeInfo),
    MORVANE_CONTROL(Box, txtCodeDisplay),
    // Installation panel Frame4
    MORVANE_CONTROL(List, Combo5),
    MORVANE_CONTROL(List, Combo6),
    MORVANE_CONTROL(List, Combo7),
    MORVANE_CONTROL(List, Combo12),
    MORVANE_CONTROL(List, Combo13),
    MORVANE_CONTROL(Check, Check3),
    {"Label62Tag", TagLink{{&InputControls::Label62Tag, &MainInputPages::Label62}}},
    MORVANE_CONTROL(Option, Option14),
    MORVANE_CONTROL(Option, Option11),
    MORVANE_CONTROL(Option, Option12),
    MORVANE_CONTROL(Option, Option7),
    MORVANE_CONTROL(Option, Option8),
    MORVANE_CONTROL(Option, Option9),
    MORVANE_CONTROL(Option, Option10),
    MORVANE_CONTROL(Option, Option13),
};
#undef MORVANE_CONTROL

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};

}  // namespace

std::span<const MainControl> mainControls() { return kMainControls; }

const MainControl* mainControl(std::string_view name)
{
    const auto row = std::find_if(std::begin(kMainControls), std::end(kMainControls),
                                  [&](const MainControl& m) { return name == m.name; });
    return row == std::end(kMainControls) ? nullptr : row;
}

// ---------------------------------------------------------------------------
// The widgets as plain values, and back

void MainInputPages::readControl(const MainControl& m, InputControls& c) const
{
    const Overloaded read{
        [&](const BoxLink& l) { c.*l.member = (this->*l.widget)->text().toStdString(); },
        [&](const NotesLink& l) { c.*l.member = (this->*l.widget)->toPlainText().toStdString(); },
        [&](const ListLink& l) { c.*l.member = static_cast<std::int16_t>((this->*l.widget)->currentIndex()); },
        [&](const CheckLink& l) { c.*l.member = static_cast<std::int16_t>(checkValue(this->*l.widget)); },
        [&](const OptionLink& l) { c.*l.member = (this->*l.widget)->isChecked(); },
        [&](const EnabledLink& l) { c.*l.member = (this->*l.widget)->isEnabled(); },
        [&](const TagLink& l) { c.*l.member = (this->*l.widget)->property("Tag").toString().toStdString(); },
        // The panel belongs to the frame; nothing reads it back.
        [](const FileNameLink&) {},
    };
    std::visit(read, m.link);
}

void MainInputPages::writeControl(const MainControl& m, const InputControls& c)
{
    const Overloaded write{
        [&](const BoxLink& l) { setText(this->*l.widget, c.*l.member); },
        [&](const NotesLink& l) { (this->*l.widget)->setPlainText(QString::fromStdString(c.*l.member)); },
        [&](const ListLink& l) { setListIndex(this->*l.widget, c.*l.member); },
        [&](const CheckLink& l) { setCheckValue(this->*l.widget, c.*l.member); },
        [&](const OptionLink& l) { setOptionValue(this->*l.widget, c.*l.member); },
        [&](const EnabledLink& l) { (this->*l.widget)->setEnabled(c.*l.member); },
        [&](const TagLink& l) { (this->*l.widget)->setProperty("Tag", QString::fromStdString(c.*l.member)); },
        [&](const FileNameLink& l) {
            if (fileNamePanel_)
                fileNamePanel_(c.*l.member);
        },
    };
    std::visit(write, m.link);
}

void MainInputPages::toControls(InputControls& c) const
{
    for (const MainControl& m : kMainControls)
        readControl(m, c);
    // The rows in use.
    const int rows = std::clamp<int>(state_.config.gConfFeldAnzahl, 0, configPage_->loadedRows());
    c.confRows.assign(static_cast<std::size_t>(rows), {});
    for (int i = 0; i < rows; ++i) {
        ConfigRowControls& row = c.confRows[static_cast<std::size_t>(i)];
        row.cmbConfField = static_cast<std::int16_t>(configPage_->cmbConfField(i)->currentIndex());
        row.txtValueEntry = configPage_->txtValueEntry(i)->text().toStdString();
        row.txtValueEntryVisible = !configPage_->txtValueEntry(i)->isHidden();
        row.lblEntryInfoVisible = !configPage_->lblEntryInfo(i)->isHidden();
        row.lblEntryInfo = configPage_->lblEntryInfo(i)->text().toStdString();
    }
}

void MainInputPages::applyControls(const InputControls& c, bool fileNamePanel)
{
    Guard g(kModule, "applyControls", "Private Sub applyControls(c As InputControls, fileNamePanel As Boolean)");
    for (const MainControl& m : kMainControls)
        if ((fileNamePanel || m.kind() != ControlKind::FileName) && !g.step([&] { writeControl(m, c); }))
            return;
}

// ---------------------------------------------------------------------------
// The writing's hook and the drivers' view of the window

namespace {

// "cmbConfField(3)" -> {"cmbConfField", 3}.
std::optional<std::pair<std::string_view, int>> configRow(std::string_view control)
{
    for (std::string_view name : {"cmbConfField", "txtValueEntry", "lblEntryInfo"}) {
        if (control.size() > name.size() + 2 && control.substr(0, name.size()) == name &&
            control[name.size()] == '(' && control.back() == ')') {
            int i = 0;
            const std::string_view digits = control.substr(name.size() + 1, control.size() - name.size() - 2);
            const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), i);
            if (ec == std::errc() && end == digits.data() + digits.size())
                return std::pair{name, i};
        }
    }
    return std::nullopt;
}

}  // namespace

void MainInputPages::applyControl(std::string_view control, InputControls& c)
{
    // Lists, check boxes and options may run their click handlers.
    bool handlers = true;
    if (const MainControl* m = mainControl(control)) {
        const ControlKind kind = m->kind();
        const int before = Combo2->currentIndex();
        writeControl(*m, c);
        // An opened file loads its model again even when the list shows it
        // already, so the saved rows meet a freshly built configuration.
        if (control == "Combo2" && Combo2->currentIndex() == before)
            Combo2_Click();
        handlers = kind == ControlKind::List || kind == ControlKind::Check || kind == ControlKind::Option;
    } else if (control == "cmbConfField_Click(0)") {
        configPage_->rebuildAfterRestore();
    } else if (const auto row = configRow(control)) {
        // The configuration rows: cmbConfField(i), txtValueEntry(i),
        // lblEntryInfo(i), set while the configurator is muted.
        const auto& [name, i] = *row;
        const ConfigRowControls& r = c.confRows.at(static_cast<std::size_t>(i));
        if (name == "cmbConfField") {
            configPage_->restoreListIndex(i, r.cmbConfField);
        } else if (name == "txtValueEntry") {
            QLineEdit* entry = configPage_->txtValueEntry(i);
            setText(entry, r.txtValueEntry);
            entry->setVisible(r.txtValueEntryVisible);
        } else {
            QLabel* label = configPage_->lblEntryInfo(i);
            label->setText(QString::fromStdString(r.lblEntryInfo));
            label->setVisible(r.lblEntryInfoVisible);
        }
    } else {
        handlers = false;
    }
    if (handlers)
        toControls(c);
}

void MainInputPages::WriteOberflaeche()
{
    // The writing registers with the tracer itself; the hook's changes are its
    // statements.
    InputControls c;
    toControls(c);
    morvane::WriteOberflaeche(state_, c, [&](std::string_view name) { applyControl(name, c); });
}

std::string MainInputPages::typeInfoText() const { return txtTypeInfo->text().toStdString(); }

std::string MainInputPages::codeDisplayText() const { return txtCodeDisplay->text().toStdString(); }

void MainInputPages::rebuildTypeCode()
{
    if (confFieldClick_)
        confFieldClick_(0);
}

void MainInputPages::ReadOberflaeche(ReadingFor purpose)
{
    InputControls c;
    toControls(c);
    morvane::ReadOberflaeche(c, state_, purpose);
}

void MainInputPages::setText8(const std::string& text) { morvane::setText(Text8, text); }

void MainInputPages::setText10(const std::string& text) { morvane::setText(Text10, text); }

void MainInputPages::setText18(const std::string& text) { morvane::setText(Text18, text); }

void MainInputPages::selectOption5() { setOptionValue(Option5, true); }

}  // namespace morvane
