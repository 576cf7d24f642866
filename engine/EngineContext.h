// What the calculation steps work on: the calculation state and the services
// they need (texts in the user's language, message boxes, the product database).
// The steps are free functions over one EngineContext; they take no other
// arguments and return nothing.
#pragma once

#include "common/ProgramRecords.h"
#include "common/ResourceTexts.h"
#include "engine/CalculationState.h"
#include "platform/MessageBox.h"

#include <filesystem>
#include <string>

namespace morvane {

class ProductDatabases;
struct ReynoldsReuse;

struct EngineContext {
    CalculationState& s;
    const UiZustand& ui;
    const UserSettings& settings;
    MessageBoxSink& messages;
    ProductDatabases& databases;
    // Set by the solver for its passes: the Reynolds numbers of the last pass,
    // taken over while their inputs stay the same.
    ReynoldsReuse* reynoldsReuse = nullptr;
    // Set by the solver while it seeks the flow: the dp step computes the
    // design point only, whatever gMehrereBetriebspunkte says.
    bool designPointOnly = false;

    // The resource text of id in the user's language.
    std::string text(std::int32_t id) const { return resText(id, ui.gSprachOffset); }
    // A message box with the OK button only; an empty caption shows the program
    // title.
    void message(const std::string& text, const std::string& caption = {},
                 MessageIcon icon = MessageIcon::None) const
    {
        messages.show({text, caption, icon, MessageButtons::Ok});
    }
};

}  // namespace morvane
