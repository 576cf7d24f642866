// NormmassTabelle: inner diameter D and wall thickness s (mm) of the standard
// pipes that the nominal size list (DN10 .. DN1000, index 0 .. 22) and the
// pressure class list (PN 6 .. PN 160, index 0 .. 7) of the main window offer.
// The larger sizes stop below PN 160: each size has entries for the classes 0
// up to its highest class and none above it.
#pragma once

#include <optional>

namespace morvane {

inline constexpr int kNennweiteCount = 23;
inline constexpr int kDruckstufeCount = 8;

struct Normmass {
    double D;  // inner diameter, mm
    double s;  // wall thickness, mm
};

// The entry for (size index, class index); none for a pair without standard
// values or an index outside the lists.
std::optional<Normmass> NormmassTabelle(int nennweite, int druckstufe);

// The highest class index with an entry for the size (7 for DN10 .. DN300, 6
// DN350, 5 DN400, 4 DN500, 3 DN600 .. DN1000); -1 for an index outside the list.
int highestDruckstufe(int nennweite);

// The message shown when a pair has no entry. The same text in both languages;
// the one for DN350 and DN400 keeps its old spelling "availabel".
const char* missingNormmassMessage(int nennweite);

}  // namespace morvane
