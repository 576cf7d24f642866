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
#include <functional>
#include <optional>
#include <utility>

namespace morvane {

// ---------------------------------------------------------------------------
// The widgets as plain values

namespace {

std::string str(const QLineEdit* b) { return b->text().toStdString(); }
std::int16_t idx(const QComboBox* l) { return static_cast<std::int16_t>(l->currentIndex()); }
std::int16_t chk(const QCheckBox* b) { return static_cast<std::int16_t>(checkValue(b)); }

}  // namespace

void MainInputPages::toControls(InputControls& c) const
{
    c.Option1 = Option1->isChecked();
    c.Option2 = Option2->isChecked();
    c.Option3 = Option3->isChecked();
    c.Option4 = Option4->isChecked();
    c.Combo1 = idx(Combo1);
    c.Text1 = str(Text1);
    c.Text2 = str(Text2);
    c.Text7 = str(Text7);
    c.Text29 = str(Text29);
    c.Text13 = str(Text13);
    c.Text3 = str(Text3);
    c.Text4 = str(Text4);
    c.Text5 = str(Text5);
    c.Text6 = str(Text6);
    c.Text30 = str(Text30);
    c.Text14 = str(Text14);

    c.Combo2 = idx(Combo2);
    c.Text10 = str(Text10);
    c.Text11 = str(Text11);
    c.Text15 = str(Text15);
    c.Option15 = Option15->isChecked();
    c.Option16 = Option16->isChecked();
    c.Option5 = Option5->isChecked();
    c.Text8 = str(Text8);
    c.Check2 = chk(Check2);
    c.Text22 = str(Text22);
    c.Text9 = str(Text9);
    c.Option6 = Option6->isChecked();
    c.Combo3 = idx(Combo3);
    c.Combo4 = idx(Combo4);

    c.Text16 = str(Text16);
    c.Combo9 = idx(Combo9);
    c.Text17 = str(Text17);
    c.Combo11 = idx(Combo11);
    c.Text18 = str(Text18);
    c.Combo8 = idx(Combo8);
    c.Check1 = chk(Check1);
    c.Text19 = str(Text19);
    c.Text20 = str(Text20);
    c.Text21 = str(Text21);
    c.Combo10 = idx(Combo10);
    c.Check4 = chk(Check4);
    c.Check4Enabled = Check4->isEnabled();
    c.Text37 = str(Text37);
    c.Option17 = Option17->isChecked();
    c.Option18 = Option18->isChecked();

    c.Text23 = str(Text23);
    c.Text24 = str(Text24);
    c.Text25 = str(Text25);
    c.Text26 = str(Text26);
    c.Text27 = str(Text27);
    c.Text28 = str(Text28);
    c.Text31 = str(Text31);
    c.Text32 = str(Text32);
    c.Text33 = str(Text33);
    c.Text34 = str(Text34);
    c.Text35 = str(Text35);
    c.Text36 = str(Text36);
    c.Text12 = Text12->toPlainText().toStdString();

    c.txtTypeInfo = str(txtTypeInfo);
    c.txtCodeDisplay = str(txtCodeDisplay);
    // The rows in use.
    const int rows = std::clamp<int>(state_.config.gConfFeldAnzahl, 0, configPage_->loadedRows());
    c.confRows.assign(static_cast<std::size_t>(rows), {});
    for (int i = 0; i < rows; ++i) {
        ConfigRowControls& row = c.confRows[static_cast<std::size_t>(i)];
        row.cmbConfField = idx(configPage_->cmbConfField(i));
        row.txtValueEntry = str(configPage_->txtValueEntry(i));
        row.txtValueEntryVisible = !configPage_->txtValueEntry(i)->isHidden();
        row.lblEntryInfoVisible = !configPage_->lblEntryInfo(i)->isHidden();
        row.lblEntryInfo = configPage_->lblEntryInfo(i)->text().toStdString();
    }

    c.Combo5 = idx(Combo5);
    c.Combo6 = idx(Combo6);
    c.Combo7 = idx(Combo7);
    c.Combo12 = idx(Combo12);
    c.Combo13 = idx(Combo13);
    c.Check3 = chk(Check3);
    c.Label62Tag = Label62->property("Tag").toString().toStdString();
    c.Option14 = Option14->isChecked();
    c.Option11 = Option11->isChecked();
    c.Option12 = Option12->isChecked();
    c.Option7 = Option7->isChecked();
    c.Option8 = Option8->isChecked();
    c.Option9 = Option9->isChecked();
    c.Option10 = Option10->isChecked();
    c.Option13 = Option13->isChecked();
}

void MainInputPages::fromControls(const InputControls& c)
{
    Guard g(kModule, "fromControls", "Private Sub fromControls(c As InputControls)");
    // An option of a group is set true only: selecting it clears the others, and
    // its click handler runs. Option13 sits alone and takes its value as given.
    auto opt = [&](QRadioButton* o, bool v) {
        if (v)
            setOptionValue(o, true);
    };
    const std::function<void()> steps[] = {
        // Medium
        [&] { opt(Option1, c.Option1); }, [&] { opt(Option2, c.Option2); }, [&] { opt(Option3, c.Option3); },
        [&] { opt(Option4, c.Option4); }, [&] { setListIndex(Combo1, c.Combo1); },
        [&] { setText(Text1, c.Text1); }, [&] { setText(Text2, c.Text2); }, [&] { setText(Text7, c.Text7); },
        [&] { setText(Text29, c.Text29); }, [&] { setText(Text13, c.Text13); }, [&] { setText(Text3, c.Text3); },
        [&] { setText(Text4, c.Text4); }, [&] { setText(Text5, c.Text5); }, [&] { setText(Text6, c.Text6); },
        [&] { setText(Text30, c.Text30); }, [&] { setText(Text14, c.Text14); },
        // Element and pipe: the element type first (it relabels and empties
        // Text11), the pipe entry before the lists, the boxes last, so the
        // restored texts stand whatever the handlers wrote.
        [&] { setListIndex(Combo2, c.Combo2); }, [&] { opt(Option15, c.Option15); },
        [&] { opt(Option16, c.Option16); }, [&] { opt(Option5, c.Option5); }, [&] { opt(Option6, c.Option6); },
        [&] { setListIndex(Combo3, c.Combo3); }, [&] { setListIndex(Combo4, c.Combo4); },
        [&] { setCheckValue(Check2, c.Check2); }, [&] { setText(Text10, c.Text10); },
        [&] { setText(Text11, c.Text11); }, [&] { setText(Text15, c.Text15); }, [&] { setText(Text8, c.Text8); },
        [&] { setText(Text22, c.Text22); }, [&] { setText(Text9, c.Text9); },
        // Flow page
        [&] { setText(Text16, c.Text16); }, [&] { setListIndex(Combo9, c.Combo9); },
        [&] { setText(Text17, c.Text17); }, [&] { setListIndex(Combo11, c.Combo11); },
        [&] { setText(Text18, c.Text18); }, [&] { setListIndex(Combo8, c.Combo8); },
        [&] { setCheckValue(Check1, c.Check1); }, [&] { setText(Text19, c.Text19); },
        [&] { setText(Text20, c.Text20); }, [&] { setText(Text21, c.Text21); },
        [&] { setListIndex(Combo10, c.Combo10); }, [&] { setCheckValue(Check4, c.Check4); },
        [&] { Check4->setEnabled(c.Check4Enabled); }, [&] { setText(Text37, c.Text37); },
        [&] { opt(Option17, c.Option17); }, [&] { opt(Option18, c.Option18); },
        // Address page
        [&] { setText(Text23, c.Text23); }, [&] { setText(Text24, c.Text24); }, [&] { setText(Text25, c.Text25); },
        [&] { setText(Text26, c.Text26); }, [&] { setText(Text27, c.Text27); }, [&] { setText(Text28, c.Text28); },
        [&] { setText(Text31, c.Text31); }, [&] { setText(Text32, c.Text32); }, [&] { setText(Text33, c.Text33); },
        [&] { setText(Text34, c.Text34); }, [&] { setText(Text35, c.Text35); }, [&] { setText(Text36, c.Text36); },
        [&] { Text12->setPlainText(QString::fromStdString(c.Text12)); },
        [&] {
            if (fileNamePanel_)
                fileNamePanel_(c.statusPanel1);
        },
        // Installation panel
        [&] { setListIndex(Combo5, c.Combo5); }, [&] { setListIndex(Combo6, c.Combo6); },
        [&] { setListIndex(Combo7, c.Combo7); }, [&] { setListIndex(Combo12, c.Combo12); },
        [&] { setListIndex(Combo13, c.Combo13); }, [&] { setCheckValue(Check3, c.Check3); },
        [&] { Label62->setProperty("Tag", QString::fromStdString(c.Label62Tag)); },
        [&] { opt(Option14, c.Option14); }, [&] { opt(Option11, c.Option11); }, [&] { opt(Option12, c.Option12); },
        [&] { opt(Option7, c.Option7); }, [&] { opt(Option8, c.Option8); }, [&] { opt(Option9, c.Option9); },
        [&] { opt(Option10, c.Option10); }, [&] { setOptionValue(Option13, c.Option13); },
    };
    for (const auto& s : steps)
        if (!g.step(s))
            return;
}

}  // namespace morvane

// ---------------------------------------------------------------------------
// The writing's hook and the drivers' view of the window

namespace morvane {

namespace {

template <class W, class V>
struct Binding {
    const char* name;
    V InputControls::*field;
    W* MainInputPages::*widget;
};

#define MORVANE_BIND(n) {#n, &InputControls::n, &MainInputPages::n}
const Binding<QLineEdit, std::string> kTexts[] = {
    MORVANE_BIND(Text1),  MORVANE_BIND(Text2),  MORVANE_BIND(Text7),  MORVANE_BIND(Text29), MORVANE_BIND(Text13),
    MORVANE_BIND(Text3),  MORVANE_BIND(Text4),  MORVANE_BIND(Text5),  MORVANE_BIND(Text6),  MORVANE_BIND(Text30),
    MORVANE_BIND(Text14), MORVANE_BIND(Text10), MORVANE_BIND(Text11), MORVANE_BIND(Text15), MORVANE_BIND(Text8),
    MORVANE_BIND(Text22), MORVANE_BIND(Text9),  MORVANE_BIND(Text16), MORVANE_BIND(Text17), MORVANE_BIND(Text18),
    MORVANE_BIND(Text19), MORVANE_BIND(Text20), MORVANE_BIND(Text21), MORVANE_BIND(Text37), MORVANE_BIND(Text23),
    MORVANE_BIND(Text24), MORVANE_BIND(Text25), MORVANE_BIND(Text26), MORVANE_BIND(Text27), MORVANE_BIND(Text28),
    MORVANE_BIND(Text31), MORVANE_BIND(Text32), MORVANE_BIND(Text33), MORVANE_BIND(Text34), MORVANE_BIND(Text35),
    MORVANE_BIND(Text36), MORVANE_BIND(txtTypeInfo), MORVANE_BIND(txtCodeDisplay)};
const Binding<QComboBox, std::int16_t> kLists[] = {
    MORVANE_BIND(Combo1),  MORVANE_BIND(Combo2),  MORVANE_BIND(Combo3),  MORVANE_BIND(Combo4),  MORVANE_BIND(Combo5),
    MORVANE_BIND(Combo6),  MORVANE_BIND(Combo7),  MORVANE_BIND(Combo8),  MORVANE_BIND(Combo9),  MORVANE_BIND(Combo10),
    MORVANE_BIND(Combo11), MORVANE_BIND(Combo12), MORVANE_BIND(Combo13)};
const Binding<QCheckBox, std::int16_t> kChecks[] = {MORVANE_BIND(Check1), MORVANE_BIND(Check2), MORVANE_BIND(Check3),
                                                    MORVANE_BIND(Check4)};
const Binding<QRadioButton, bool> kOptions[] = {
    MORVANE_BIND(Option1),  MORVANE_BIND(Option2),  MORVANE_BIND(Option3),  MORVANE_BIND(Option4),
    MORVANE_BIND(Option5),  MORVANE_BIND(Option6),  MORVANE_BIND(Option7),  MORVANE_BIND(Option8),
    MORVANE_BIND(Option9),  MORVANE_BIND(Option10), MORVANE_BIND(Option11), MORVANE_BIND(Option12),
    MORVANE_BIND(Option13), MORVANE_BIND(Option14), MORVANE_BIND(Option15), MORVANE_BIND(Option16),
    MORVANE_BIND(Option17), MORVANE_BIND(Option18)};
#undef MORVANE_BIND

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

template <class T, std::size_t N>
const T* named(const T (&table)[N], std::string_view name)
{
    for (const T& b : table)
        if (name == b.name)
            return &b;
    return nullptr;
}

}  // namespace

void MainInputPages::applyControl(std::string_view control, InputControls& c)
{
    // Lists, check boxes and options may run their click handlers.
    bool handlers = true;
    if (const auto* b = named(kTexts, control)) {
        setText(this->*(b->widget), c.*(b->field));
        handlers = false;
    } else if (const auto* l = named(kLists, control)) {
        QComboBox* list = this->*(l->widget);
        const int before = list->currentIndex();
        setListIndex(list, c.*(l->field));
        // An opened file loads its model again even when the list shows it
        // already, so the saved rows meet a freshly built configuration.
        if (list == Combo2 && list->currentIndex() == before)
            Combo2_Click();
    } else if (const auto* k = named(kChecks, control)) {
        setCheckValue(this->*(k->widget), c.*(k->field));
    } else if (const auto* o = named(kOptions, control)) {
        setOptionValue(this->*(o->widget), c.*(o->field));
    } else if (control == "Text12") {
        Text12->setPlainText(QString::fromStdString(c.Text12));
        handlers = false;
    } else if (control == "Check4Enabled") {
        Check4->setEnabled(c.Check4Enabled);
        handlers = false;
    } else if (control == "Label62Tag") {
        Label62->setProperty("Tag", QString::fromStdString(c.Label62Tag));
        handlers = false;
    } else if (control == "statusPanel1") {
        if (fileNamePanel_)
            fileNamePanel_(c.statusPanel1);
        handlers = false;
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