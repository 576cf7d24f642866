// What the header of a protocol page prints for a line of the user's settings.
#pragma once

#include <string>

namespace morvane {

// The settings' German defaults that ask a fresh installation's user to enter
// their data (company lines 2 and 3, "Bitte geben Sie" / "Ihre
// Benutzerdaten ein") print as "Please enter" / "your user data" on an English
// page, also where the user confirmed them unchanged; any other text prints as
// the user wrote it.
std::string printedSetting(const std::string& stored, bool englishPage);

// The header's town line: the user's ZIP/town and country with a blank between
// them where both are filled ("12345 Musterstadt Germany"); a blank the user
// put at the seam is not doubled.
std::string townAndCountry(const std::string& town, const std::string& country);

}  // namespace morvane
