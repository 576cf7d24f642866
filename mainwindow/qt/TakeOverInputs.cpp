// The inputs of one main window taken over by the next, at a language switch.
#include "mainwindow/qt/MainInputPages.h"

#include "common/ResourceTexts.h"
#include "mainwindow/qt/ConfigSelectPage.h"
#include "tracing/Guard.h"

#include <algorithm>
#include <string>

namespace morvane {

void MainInputPages::takeOverInputs(const InputControls& kept)
{
    Guard g("frmMain", "takeOverInputs", "Private Sub takeOverInputs(c As InputControls)");
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
    g.step([&] { configPage_->rebuildAfterRestore(); });
}

}  // namespace morvane
