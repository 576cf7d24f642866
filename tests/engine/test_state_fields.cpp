// The name table of the calculation state's fields.
#include "engine/StateFields.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace morvane {
namespace {

TEST(StateFields, EveryRecordHasItsFieldsOnce)
{
    // Field counts of the six records as the record tables list them.
    const std::map<StateRecord, int> expected{
        {StateRecord::MediumDaten, 16}, {StateRecord::ProzessDaten, 15}, {StateRecord::RohrDaten, 9},
        {StateRecord::ElementDaten, 21}, {StateRecord::Ergebnisse, 30}, {StateRecord::Grenzwerte, 18},
    };
    std::map<StateRecord, int> counted;
    std::set<std::string_view> names;
    StateRecord previous = StateRecord::MediumDaten;
    for (const StateField& f : stateFields()) {
        ++counted[f.record];
        EXPECT_TRUE(names.insert(f.name).second) << f.name << " twice";
        EXPECT_GE(static_cast<int>(f.record), static_cast<int>(previous)) << f.name << ": records out of order";
        previous = f.record;
        EXPECT_EQ(findStateField(f.name), &f);
    }
    EXPECT_EQ(counted, expected);
    EXPECT_EQ(findStateField("gReserveInteger7"), nullptr) << "the calculation file's reserves are no record field";
    EXPECT_EQ(findStateField("gdruck"), nullptr) << "names are exact";
}

// Writing a field through the table changes that field and no other, so no two
// rows point at the same member and no row points at the wrong one.
TEST(StateFields, EachRowReachesItsOwnMember)
{
    const CalculationState initial;
    for (const StateField& target : stateFields()) {
        CalculationState s;
        switch (target.kind) {
        case FieldKind::Integer:
        case FieldKind::Boolean:
        case FieldKind::Flag: target.in<std::int16_t>(s) = 7; break;
        case FieldKind::Double: target.in<double>(s) = 7.5; break;
        case FieldKind::String: target.in<std::string>(s).push_back('x'); break;
        case FieldKind::PointArray: target.in<PointArray>(s)[2] = 7.5; break;
        }
        for (const StateField& f : stateFields()) {
            bool same = true;
            switch (f.kind) {
            case FieldKind::Integer:
            case FieldKind::Boolean:
            case FieldKind::Flag: same = f.in<std::int16_t>(s) == f.in<std::int16_t>(initial); break;
            case FieldKind::Double: same = f.in<double>(s) == f.in<double>(initial); break;
            case FieldKind::String: same = f.in<std::string>(s) == f.in<std::string>(initial); break;
            case FieldKind::PointArray: same = f.in<PointArray>(s) == f.in<PointArray>(initial); break;
            }
            EXPECT_EQ(same, &f != &target) << "writing " << target.name << " shows in " << f.name;
        }
    }
}

TEST(StateFields, KindsAndRecordsOfSampleFields)
{
    struct Case {
        const char* name;
        StateRecord record;
        FieldKind kind;
    };
    const Case cases[] = {
        {"gModellGespeicherteDaten", StateRecord::MediumDaten, FieldKind::Boolean},
        {"gMediumNr", StateRecord::MediumDaten, FieldKind::Integer},
        {"gMehrereBetriebspunkte", StateRecord::ProzessDaten, FieldKind::Flag},
        {"gRohrRechteckig", StateRecord::RohrDaten, FieldKind::Flag},
        {"gGegenlagerVorgesehen", StateRecord::ElementDaten, FieldKind::Flag},
        {"gEpsilonFaktor", StateRecord::ElementDaten, FieldKind::Double},
        {"gFehlerDichte", StateRecord::Ergebnisse, FieldKind::String},
        {"gDifferenzdruck", StateRecord::Ergebnisse, FieldKind::PointArray},
        {"gGegenlagerNotwendig", StateRecord::Ergebnisse, FieldKind::Boolean},
        {"gQmaxErlaubt", StateRecord::Grenzwerte, FieldKind::Double},
    };
    for (const auto& c : cases) {
        const StateField* f = findStateField(c.name);
        ASSERT_NE(f, nullptr) << c.name;
        EXPECT_EQ(f->record, c.record) << c.name;
        EXPECT_EQ(f->kind, c.kind) << c.name;
    }
    CalculationState s;
    findStateField("gDruck")->in<double>(s) = 550.0;
    EXPECT_EQ(s.gDruck, 550.0);
    EXPECT_EQ(recordName(StateRecord::Ergebnisse), "Ergebnisse");
}

}  // namespace
}  // namespace morvane
