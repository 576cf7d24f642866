// The inputs of one main window taken over by the next, at a language switch.
#include "mainwindow/qt/MainInputPages.h"

#include "common/ResourceTexts.h"
#include "common/qt/Greying.h"
#include "mainwindow/qt/ConfigSelectPage.h"
#include "mainwindow/qt/MainControls.h"
#include "tracing/Guard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <algorithm>
#include <string>
#include <variant>

namespace morvane {

namespace {

// The widget of a row of the control table; nullptr for the file name panel.
QWidget* widgetOf(const MainInputPages& pages, const MainControl& m)
{
    return std::visit(
        [&](const auto& link) -> QWidget* {
            if constexpr (requires { link.widget; })
                return pages.*link.widget;
            else
                return nullptr;
        },
        m.link);
}

ControlLook lookOf(const QWidget* w)
{
    if (w == nullptr)
        return {};
    return {w->isEnabled(), w->palette().color(QPalette::Active, QPalette::Base).rgba()};
}

// Only what differs is set: a control that looks as it stood keeps its palette.
void setLook(QWidget* w, const ControlLook& look)
{
    if (w == nullptr)
        return;
    if (w->isEnabled() != look.enabled)
        w->setEnabled(look.enabled);
    if (lookOf(w).background != look.background)
        setInputBackground(w, QColor::fromRgba(look.background));
}

}  // namespace

ControlLooks MainInputPages::looks() const
{
    ControlLooks looks;
    for (const MainControl& m : mainControls())
        looks.controls.push_back(lookOf(widgetOf(*this, m)));
    // The rows in use, as toControls takes them.
    const int rows = std::clamp<int>(state_.config.gConfFeldAnzahl, 0, configPage_->loadedRows());
    for (int i = 0; i < rows; ++i)
        looks.valueEntries.push_back(lookOf(configPage_->txtValueEntry(i)));
    return looks;
}

void MainInputPages::applyLooks(const ControlLooks& looks)
{
    const auto table = mainControls();
    for (std::size_t i = 0; i < std::min(table.size(), looks.controls.size()); ++i)
        setLook(widgetOf(*this, table[i]), looks.controls[i]);
    const int rows = std::min<int>(static_cast<int>(looks.valueEntries.size()), configPage_->loadedRows());
    for (int i = 0; i < rows; ++i)
        setLook(configPage_->txtValueEntry(i), looks.valueEntries[static_cast<std::size_t>(i)]);
}

void MainInputPages::takeOverInputs(const InputControls& kept, const ControlLooks& looks)
{
    Guard g("frmMain", "takeOverInputs", "Private Sub takeOverInputs(c As InputControls, looks As ControlLooks)");
    // Every control of the table as it stood, in the load order, with the
    // events its changes cause (the file name panel among them): the element
    // type loads its model's configuration rows in this window's language.
    if (!g.step([&] { applyControls(kept); }))
        return;
    // The rows that model loaded, set as they stood while the configurator is
    // muted; an entry label takes its text in this window's language.
    ConfigZustand& conf = state_.config;
    const int rows = std::min<int>({static_cast<int>(kept.confRows.size()), configPage_->loadedRows(),
                                    static_cast<int>(conf.gConfFeldAnzahl)});
    if (!g.step([&] { conf.gConfEventsAus = True; }))
        return;
    // The rows go in through the writing's hook, as a file's rows do.
    InputControls c;
    toControls(c);
    for (int i = 0; i < rows; ++i) {
        const auto row = static_cast<std::size_t>(i);
        if (!g.step([&] {
                ConfigRowControls r = kept.confRows[row];
                const std::int32_t id = conf.gConfFelder[row].LabelStringID;
                if (r.lblEntryInfoVisible && id != 0)
                    r.lblEntryInfo = resText(id, state_.ui.gSprachOffset);
                for (const char* control : {"cmbConfField", "txtValueEntry", "lblEntryInfo"}) {
                    c.confRows.at(row) = r;
                    applyControl(std::string(control) + "(" + std::to_string(i) + ")", c);
                }
            })) {
            conf.gConfEventsAus = False;
            return;
        }
    }
    if (!g.step([&] { conf.gConfEventsAus = False; }))
        return;
    if (!g.step([&] { configPage_->rebuildAfterRestore(); }))
        return;
    // Last, once no handler of the take-over changes them any more.
    g.step([&] { applyLooks(looks); });
}

}  // namespace morvane
