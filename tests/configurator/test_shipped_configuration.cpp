// The configuration tables built into both product databases of the program
// folder: what every model's tables must agree on, and that the shipped set
// exercises every behaviour of the configurator.
#include "common/ResourceTexts.h"
#include "configurator/ConfigData.h"
#include "configurator/DrawingName.h"
#include "configurator/TypeCode.h"
#include "engine/CalculationState.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace morvane {
namespace {

using testing::RecordingMessageBox;
using testing::TestTracer;

const std::vector<std::string> Models = {"RQ8", "RQ10", "RQ25", "RQ25HDD3", "RQ32", "RQ44", "RQ50"};

struct Loaded {
    ConfigModel model;
    ConfigZustand z;
    std::vector<std::int16_t> ids;  // every ID of the table in stored order
};

Loaded loadModel(std::int16_t msCode, const std::string& model, const std::string& language)
{
    TestTracer t;
    ProductDatabases dbs(MORVANE_PROGRAM_DIR);
    RecordingMessageBox boxes;
    ConfigEnvironment env{dbs, boxes, msCode};
    Loaded l;
    l.model = fncgChangeConfigSensor(l.z, env, model, language);
    EXPECT_TRUE(boxes.shown.empty()) << model << "-" << language;
    EXPECT_TRUE(t.responder.reports.empty()) << model << "-" << language;
    if (l.z.gRsConfig) {
        Recordset rs = *l.z.gRsConfig;
        for (rs.MoveFirst(); !rs.atEnd(); rs.MoveNext())
            l.ids.push_back(rs.integerValue("ID"));
    }
    return l;
}

std::span<const ConfigField> fieldsOf(const Loaded& l)
{
    return std::span<const ConfigField>(l.z.gConfFelder.data(), static_cast<std::size_t>(l.z.gConfFeldAnzahl));
}

TEST(ShippedConfiguration, BothDatabasesHoldTheHelpTableAndFourteenModelTables)
{
    for (const char* file : {"morvdata5.sqlite", "morvdata5_alt.sqlite"}) {
        SCOPED_TRACE(file);
        ProductDatabase db(std::filesystem::path(MORVANE_PROGRAM_DIR) / file);
        EXPECT_NO_THROW(db.OpenRecordset("ConfigHelp"));
        EXPECT_NO_THROW(db.OpenRecordset("RQ25")) << "beside the engine's tables";
        for (const std::string& m : Models)
            for (const char* lang : {"DE", "EN"})
                EXPECT_NO_THROW(db.OpenRecordset(configTableName(m, lang))) << m << lang;
    }
}

TEST(ShippedConfiguration, GermanAndEnglishTablesAgreeAndKeepTheLimits)
{
    ProductDatabase db(std::filesystem::path(MORVANE_PROGRAM_DIR) / "morvdata5.sqlite");
    std::set<std::string> helpKeys;
    for (Recordset rs = db.OpenRecordset("ConfigHelp"); !rs.atEnd(); rs.MoveNext())
        EXPECT_TRUE(helpKeys.insert(rs.stringValue("ConfigFieldName")).second) << "help keys are unique";

    for (const std::int16_t msCode : {std::int16_t{0}, std::int16_t{1}}) {
        for (const std::string& m : Models) {
            SCOPED_TRACE(m + " database " + std::to_string(msCode));
            const Loaded de = loadModel(msCode, m, "DE");
            const Loaded en = loadModel(msCode, m, "EN");
            ASSERT_TRUE(de.model.loaded);
            ASSERT_TRUE(en.model.loaded);
            EXPECT_EQ(de.ids, en.ids);
            EXPECT_EQ(de.z.gRsConfig->columnCount(), en.z.gRsConfig->columnCount());
            EXPECT_EQ(de.model.typeInfo, en.model.typeInfo);
            EXPECT_TRUE(de.model.typeDescription.has_value() && en.model.typeDescription.has_value());
            EXPECT_NE(de.model.typeDescription, en.model.typeDescription) << "a description per language";
            ASSERT_EQ(de.z.gConfFeldAnzahl, en.z.gConfFeldAnzahl);
            EXPECT_GE(de.z.gConfFeldAnzahl, 1);
            EXPECT_LE(de.z.gConfFeldAnzahl, MaxConfigRows);
            for (std::size_t f = 0; f < fieldsOf(de).size(); ++f) {
                const ConfigField& a = de.z.gConfFelder[f];
                const ConfigField& b = en.z.gConfFelder[f];
                SCOPED_TRACE("field " + a.FieldName);
                EXPECT_EQ(a.Code, b.Code);
                EXPECT_EQ(a.FieldName, b.FieldName);
                EXPECT_EQ(helpKeys.count(a.FieldName), 1u) << "every help key has its row";
                EXPECT_LE(a.OptionCount, MaxConfigOptions);
                EXPECT_GE(a.OptionCount, 1);
                EXPECT_NE(a.Caption, "");
                EXPECT_NE(b.Caption, "");
                for (int k = 1; k <= a.OptionCount; ++k) {
                    EXPECT_NE(a.Text[static_cast<std::size_t>(k)], "");
                    EXPECT_NE(b.Text[static_cast<std::size_t>(k)], "");
                }
                // The value option of a field with a typed or computed segment is
                // one of the field's codes.
                if (isTrue(a.EditField) && !a.Type.empty()) {
                    const auto end = a.Code.begin() + a.OptionCount + 1;
                    EXPECT_NE(std::find(a.Code.begin() + 1, end, a.TextinCombo), end) << a.TextinCombo;
                }
                if (a.LabelStringID != 0) {
                    EXPECT_NE(ResourceTexts::program().find(a.LabelStringID), nullptr) << a.LabelStringID;
                    EXPECT_NE(ResourceTexts::program().find(a.LabelStringID + OffsetEnglish), nullptr);
                }
            }
        }
    }
}

// Element types 3 to 7 end in the opposite-support field: choosing GE1 gives a
// type key ending in "GE1", which switches the opposite support on.
TEST(ShippedConfiguration, OppositeSupportIsTheLastFieldOfTheProbes)
{
    for (std::size_t t = 0; t < Models.size(); ++t) {
        const Loaded l = loadModel(0, Models[t], "EN");
        const auto fields = fieldsOf(l);
        ASSERT_FALSE(fields.empty());
        const bool probe = t + 1 >= 3;
        const ConfigField& last = fields.back();
        EXPECT_EQ(last.FieldName == "GE", probe) << Models[t];
        if (!probe)
            continue;
        EXPECT_EQ(last.OptionCount, 2);
        EXPECT_EQ(last.Code[1], "GE0");
        EXPECT_EQ(last.Code[2], "GE1");
        EXPECT_TRUE(isTrue(last.Mandatory));
        std::vector<int> chosen(fields.size(), 1);
        chosen.back() = 2;
        const TypeCode code = assembleTypeCode(fields, chosen, {}, {}, '.');
        EXPECT_TRUE(code.complete);
        EXPECT_EQ(code.code.substr(code.code.size() - 3), "GE1") << code.code;
    }
}

// What the demonstration set has to show of the configurator.
TEST(ShippedConfiguration, ExercisesEveryBehaviour)
{
    std::set<std::string> seen;
    for (const std::string& m : Models) {
        const Loaded l = loadModel(0, m, "DE");
        const auto fields = fieldsOf(l);
        const std::size_t n = fields.size();
        if (n < 8)
            seen.insert("fewer than 8 fields");
        if (n == 8)
            seen.insert("8 fields");
        if (n > 8)
            seen.insert("more than 8 fields");
        std::set<std::string> keys;
        for (const ConfigField& f : fields) {
            keys.insert(f.FieldName);
            if (isTrue(f.Mandatory))
                seen.insert("mandatory field");
            else
                seen.insert("optional field");
            if (f.OptionCount >= 20)
                seen.insert("20 or more options");
            if (isTrue(f.EditField) && !f.Type.empty()) {
                seen.insert("type " + f.Type);
                if (f.Type == "CombiMulti")
                    seen.insert("CombiMulti factor " + plainNumber(f.EditFactor));
                if (f.Type == "Constant" && f.EditFactor != static_cast<int>(f.EditFactor))
                    seen.insert("Constant with a fraction");
                if (f.Type == "Value" && f.ValueMin < 0)
                    seen.insert("Value with a negative lower limit");
                if (f.Type == "Value" || f.Type == "CombiAdd" || f.Type == "CombiMulti")
                    seen.insert(f.LabelStringID != 0 ? "value with a unit label" : "value without a unit label");
            }
            for (int k = 1; k <= f.OptionCount; ++k) {
                const std::string& code = f.Code[static_cast<std::size_t>(k)];
                if (isTrue(f.DrawingField) && f.FieldName == "POR" && porCode(code) == "XX")
                    seen.insert("POR code outside its table");
                if (isTrue(f.DrawingField) && f.FieldName == "FLU" && fluLetter(code) != std::string(1, code[1]))
                    seen.insert("older FLU code");
            }
        }
        if (keys.count("FLU") && keys.count("POR"))
            seen.insert(keys.count("CON") ? "FLU, CON and POR" : "drawing fields without CON");
        // One option row feeding two fields: an option row with two codes.
        Recordset rs = *l.z.gRsConfig;
        const std::size_t columns = rs.columnCount();
        for (rs.MoveFirst(); !rs.atEnd(); rs.MoveNext()) {
            if (rs.integerValue("ID") < 4)
                continue;
            int filled = 0;
            for (std::size_t c = 2; c + 2 < columns; ++c)
                filled += rs.isNullAt(c) ? 0 : 1;
            if (filled >= 2)
                seen.insert("a row that feeds two fields");
        }
    }
    for (const char* behaviour :
         {"fewer than 8 fields", "8 fields", "more than 8 fields", "mandatory field", "optional field",
          "20 or more options", "type Value", "type Constant", "type CombiAdd", "type CombiMulti",
          "type dpelementInnendurchmesserA", "type dpelementWandstaerkeRohrleitung", "CombiMulti factor 10",
          "CombiMulti factor 1000", "Constant with a fraction", "Value with a negative lower limit",
          "value with a unit label", "value without a unit label", "POR code outside its table", "older FLU code",
          "FLU, CON and POR", "drawing fields without CON", "a row that feeds two fields"})
        EXPECT_EQ(seen.count(behaviour), 1u) << behaviour;
}

}  // namespace
}  // namespace morvane
