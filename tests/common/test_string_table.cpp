// The program's resource string table (data/texts/strings.tsv, compiled in):
// every id that a window, list, message or printout refers to has its text in
// both languages, and the table file is read without a dropped line.
#include "common/ResourceTexts.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace morvane {
namespace {

std::vector<std::string> readLines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::int32_t> referencedIds()
{
    std::vector<std::int32_t> ids;
    for (const auto& line : readLines(std::string(MORVANE_SOURCE_DIR) + "/tests/common/data/referenced_ids.txt"))
        if (!line.empty() && line.front() != '#')
            ids.push_back(std::stoi(line));
    return ids;
}

TEST(StringTable, EveryReferencedIdHasBothLanguages)
{
    const auto& table = ResourceTexts::program();
    const auto ids = referencedIds();
    ASSERT_GT(ids.size(), 300u);
    for (const std::int32_t id : ids) {
        const std::string* de = table.find(id + OffsetGerman);
        const std::string* en = table.find(id + OffsetEnglish);
        EXPECT_TRUE(de && !de->empty()) << "German text missing for " << id;
        EXPECT_TRUE(en && !en->empty()) << "English text missing for " << id + OffsetEnglish;
    }
}

TEST(StringTable, BothBlocksHoldTheSameIdsAndNothingAtTheBareOffsets)
{
    const auto& table = ResourceTexts::program();
    const auto ids = table.germanIds();
    for (const std::int32_t id : ids) {
        EXPECT_GE(id, 1000);
        EXPECT_LT(id, 10000);
        // The designed texts end at 1837; texts the program added later stand
        // above and carry the mark of our own additions.
        if (id > 1837) {
            EXPECT_EQ(table.origin(id), "own") << id;
        }
        EXPECT_NE(table.find(id + OffsetEnglish), nullptr) << id;
    }
    // No English id without its German one: every string is either a German id
    // or a German id + 10000.
    const std::set<std::int32_t> german(ids.begin(), ids.end());
    for (std::int32_t id = OffsetEnglish; id < OffsetEnglish + 10000; ++id)
        if (table.find(id)) {
            EXPECT_TRUE(german.count(id - OffsetEnglish)) << "English only: " << id;
        }
    EXPECT_EQ(table.find(OffsetGerman), nullptr);
    EXPECT_EQ(table.find(OffsetEnglish), nullptr);
    for (const std::int32_t bare : {OffsetGerman, OffsetEnglish}) {
        try {
            table.LoadResString(bare);
            FAIL() << bare;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ResourceNotFound);
        }
    }
}

TEST(StringTable, SpotChecks)
{
    struct Case {
        std::int32_t id;
        const char* text;
        const char* shows;
    };
    const Case cases[] = {
        {1037, "Name", "the loader's first example, German"},
        {11037, "Name", "and English"},
        {1208, "Bitte wählen Sie ein Primärelement aus", "the list tooltip"},
        {11208, "Please choose a primary element", "its English"},
        {11215, "Please check Pressure, morvane can not calculate fluid density", "a misspelling mended"},
        {11238, "Standard density", "another one"},
        {1215, "Bitte prüfen Sie Ihren Druck, kann keine Dichte ermitteln", "its German as given"},
        {1088, "RQ25 ", "a trailing blank kept in German"},
        {11088, "RQ25", "and absent in English"},
        {1830, "Grenzwerte für Parameter: ", "a trailing blank before a value"},
        {1554, "von oben (nur Gas)", "one blank, no longer two"},
        {11180, "Please clarify", "the flow unit list's first entry"},
        {11820, "dp chosen is too high", "the solver's message"},
        {11135, "Direct mounting block and five-way manifold", "a dp connection"},
        {1420, "DN10 (3/8\")", "the inch size of DN10"},
        {11422, "DN20 (3/4\")", "and of DN20, the same in English"},
        {11085, "Please clarify", "the element type list's first entry, as in the other lists"},
        {11231, "Isentropic coefficient", "the English of the results window's label"},
        {1181, "Nm³/h", "a unit text, UTF-8"},
        {11181, "Nm³/h", "the same in English"},
        {1581, " - ", "a single text used for both languages"},
        {11581, " - ", "its English copy"},
    };
    for (const auto& c : cases) {
        const std::string* s = ResourceTexts::program().find(c.id);
        ASSERT_NE(s, nullptr) << c.id;
        EXPECT_EQ(*s, c.text) << c.shows;
    }
}

// The texts whose spelling was mended: each one holds its corrected text and
// none of the misspellings it had, in the language named.
TEST(StringTable, MendedSpellings)
{
    struct Case {
        std::int32_t id;  // full id: German below 10000, English from 10000
        std::vector<const char*> gone;
        const char* now;  // a part of the corrected text
    };
    const Case cases[] = {
        {11093, {"Pitottube"}, "pitot tube"},
        {11085, {"Clarify"}, "Please clarify"},
        {11027, {"Save"}, "&Apply"},  // the options window's button takes the values over and stores nothing
        {11028, {"Exit"}, "Cancel"},  // and this one drops what was typed
        {11098, {"ductile", "pipe", "inlet"}, "Class. venturi tube, as-cast conv. section"},
        {11099, {"pipe", "manufactured", "inlet"}, "Class. venturi tube, machined conv. section"},
        {11112, {"361"}, "1.4571 (SS316Ti)"},
        {11130, {"please"}, "Please clarify"},
        {11134, {"threeway"}, "three-way manifold"},
        {11135, {"fiveway"}, "five-way manifold"},
        {1208, {"Bitte Wählen"}, "Bitte wählen Sie"},
        {11208, {"coose", "Element"}, "Please choose a primary element"},
        {1221, {"Sich"}, "Sie befinden sich"},
        {1222, {"Redlich Kwong"}, "Redlich-Kwong"},
        {11222, {"Redlich Kwong"}, "Redlich-Kwong"},
        {1223, {"Redlich Kwong"}, "Redlich-Kwong"},
        {11223, {"Redlich Kwong"}, "Redlich-Kwong"},
        {1226, {"consultieren"}, "konsultieren Sie den Hersteller"},
        {11226, {"spezification", "outside of dp-elements"}, "outside the element's range"},
        {1227, {"consultieren"}, "konsultieren Sie den Hersteller"},
        {11227, {"spezification", "outside of dp-elements"}, "outside the element's range"},
        {1230, {"Redloch"}, "Redlich-Kwong"},
        {11230, {"Redlich Kwong"}, "Redlich-Kwong"},
        {11231, {"coeffizient"}, "Isentropic coefficient"},
        {11232, {"coeffizient"}, "isentropic coefficient"},
        {11247, {"Conduct"}, "Duct shape"},
        {11252, {"diamter"}, "Substitute diameter"},
        {1261, {"Intergrierte"}, "Integrierte"},
        {11300, {"Insentropic", "coeffizient"}, "Isentropic coefficient is not defined"},
        {1308, {"nich "}, "nicht definiert"},
        {1314, {"nich "}, "nicht Nm³/h"},
        {11314, {"Nm/ ode Nm/s", "When selected"}, "Nm³/h or Nm³/s"},
        {1315, {"Fehlermedlung"}, "Fehlermeldung!"},
        {11322, {"Opposoite"}, "Opposite support"},
        {11324, {"When selected"}, "When incompressible liquid is selected"},
        {11327, {"When selected"}, "When incompressible liquid is selected"},
        {11410, {"diamter"}, "Inside diameter"},
        {11531, {"femal ", " ans "}, "1/2\" female process connection"},
        {11532, {"diamter"}, "diameter between"},
        {11533, {"diamter", "a integrating", "betweem", "Valid vor"}, "Valid for"},
        {11534, {"diamter", "a integrating", "betweem", "specialy"}, "specially"},
        {11535, {"diamter", "a integrating", "betweem", "Valid vor"}, "an integrating"},
        {11536, {"diamter", "a integrating", "betweem", "Valid vor"}, "nominal diameter between"},
        {1536, {"ist>DN200"}, "ist >DN200"},
        {11537, {"diamters", "proba "}, "this probe"},
        {1538, {"Hesteller"}, "anderer Hersteller"},
        {11538, {"then halvern"}, "other than halvern"},
        {11539, {"flande"}, "flange dp tappings"},
        {1540, {"d  und d/2"}, "D- und D/2-Druckentnahme"},
        {11540, {"d d/2"}, "D and D/2"},
        {11541, {"edge"}, "corner dp tappings"},
        {1542, {"Anwendungebereich"}, "Anwendungsbereich"},
        {11542, {"0,316", "0,775", "1,5e5"}, "beta 0.316..0.775, Re 1.5e5..2e6"},
        {1543, {"0,75mm"}, "Beta 0,3..0,75, Re"},
        {11543, {"Calssical", "0,3", "0,75mm"}, "Beta 0.3..0.75, Re"},
        {1544, {"0,75mm"}, "Beta 0,4..0,75, Re"},
        {11544, {"0,4", "0,75mm"}, "Beta 0.4..0.75, Re"},
        {1545, {"0,7mm"}, "Beta 0,4..0,7, Re"},
        {11543, {"pipe", "inlet"}, "Classical venturi tube with an as-cast convergent section"},
        {11544, {"pipe", "manufactured", "inlet"}, "Classical venturi tube with a machined convergent section"},
        {11545, {"veturi", "steal tin", "0,4", "0,7mm", "pipe", "sheet steel"},
         "Classical venturi tube with a rough-welded sheet-iron convergent section"},
        {1554, {"von  oben"}, "von oben (nur Gas)"},
        {1571, {"Schneiding"}, "Schneidringstutzen (RQ25)"},
        {11571, {"Cutring"}, "Cutting-ring stud (RQ25)"},
        {11582, {"opposit "}, "Opposite support"},
        {11583, {"raw steel", "pipe"}, "Class. venturi tube, rough-welded sheet-iron"},
        {11802, {"Englisch"}, "English"},
        {11811, {"66,7"}, "q=66.7%"},
        {11817, {"differnt", ", Please"}, "different start values"},
        {11826, {"facor"}, "safety factor"},
    };
    for (const auto& c : cases) {
        const std::string* s = ResourceTexts::program().find(c.id);
        ASSERT_NE(s, nullptr) << c.id;
        for (const char* gone : c.gone)
            EXPECT_EQ(s->find(gone), std::string::npos) << c.id << " still holds \"" << gone << '"';
        EXPECT_NE(s->find(c.now), std::string::npos) << c.id << ": " << *s;
    }
}

TEST(StringTable, OriginMarksOnlyTheProgramsOwnAdditions)
{
    const auto& table = ResourceTexts::program();
    const std::set<std::string> marks{"", "own", "own:de", "own:en", "single"};
    for (const std::int32_t id : table.germanIds())
        EXPECT_TRUE(marks.count(table.origin(id))) << id << " \"" << table.origin(id) << '"';
    EXPECT_EQ(table.origin(1037), "");
    EXPECT_EQ(table.origin(1231), "own:en");  // its English spelling mended here
    EXPECT_EQ(table.origin(1232), "own:en");
    EXPECT_EQ(table.origin(1181), "");  // unit lists are given as the same in both languages
    EXPECT_EQ(table.origin(1199), "own:de");
    EXPECT_EQ(table.origin(1200), "own");
    EXPECT_EQ(table.origin(1052), "own:en");
    EXPECT_EQ(table.origin(1816), "single");
}

TEST(StringTable, FileParsesWithoutAMalformedLine)
{
    const auto lines = readLines(std::string(MORVANE_SOURCE_DIR) + "/data/texts/strings.tsv");
    std::size_t entries = 0;
    std::set<std::string> idsSeen;
    std::string previous;
    for (const auto& line : lines) {
        if (line.empty() || line.front() == '#')
            continue;
        ++entries;
        std::vector<std::string> cols;
        std::stringstream ss(line);
        for (std::string col; std::getline(ss, col, '\t');)
            cols.push_back(col);
        if (!line.empty() && line.back() == '\t')
            cols.emplace_back();
        EXPECT_EQ(cols.size(), 4u) << line;
        EXPECT_FALSE(line.back() == '\r') << "CR in " << line;
        if (cols.size() >= 3) {
            EXPECT_FALSE(cols[1].empty()) << line;
            EXPECT_FALSE(cols[2].empty()) << line;
            EXPECT_TRUE(idsSeen.insert(cols[0]).second) << "duplicate id " << cols[0];
            EXPECT_LT(std::stoi(previous.empty() ? "0" : previous), std::stoi(cols[0])) << "not sorted at " << cols[0];
            previous = cols[0];
        }
    }
    EXPECT_EQ(entries, ResourceTexts::program().germanIds().size());
}

}  // namespace
}  // namespace morvane
