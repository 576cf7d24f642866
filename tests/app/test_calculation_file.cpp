// The calculation file: its layout, what a hand-written file reads into, the
// round trip of a fully filled state, the corrections and messages on reading,
// and what a failed read or write leaves behind.
#include "app/CalculationFile.h"
#include "app/FileCommands.h"
#include "common/ResourceTexts.h"
#include "engine/StateFields.h"
#include "platform/DurableFile.h"
#include "platform/RuntimeError.h"
#include "support/Fakes.h"
#include "support/ShowableState.h"
#include "support/TempFolder.h"
#include "SyncLog.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <locale>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <tuple>

#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace morvane {
namespace {

using testing::RecordingMessageBox;
using testing::TestTracer;
namespace fs = std::filesystem;

// A fresh folder of its own for each test.
class Folder {
public:
    // Open to the other users, as a folder of a shared drive is: the tests
    // that save as another user reach into it.
    Folder()
    {
        fs::permissions(path(), fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec,
                        fs::perm_options::add);
    }
    const fs::path& path() const { return folder_.path(); }
    fs::path file(const std::string& name) const { return folder_ / name; }
    std::set<std::string> names() const { return namesIn(path()); }
    static std::set<std::string> namesIn(const fs::path& folder)
    {
        std::set<std::string> out;
        for (const auto& e : fs::directory_iterator(folder))
            out.insert(e.path().filename().string());
        return out;
    }

private:
    testing::TempFolder folder_;
};

std::string readBytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& p, const std::string& bytes)
{
    std::ofstream(p, std::ios::binary) << bytes;
}

// The file's lines, split at CR LF (a text with a line break of its own spans
// two of them).
std::vector<std::string> crlfLines(const std::string& bytes)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            EXPECT_EQ(start, bytes.size()) << "the last line must end with CR LF";
            return out;
        }
        out.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
}

// A file image written by hand in the layout of the format: four blocks of
// fifty lines with the reserve values, then the configuration lines.
struct FileImage {
    std::vector<std::string> b = std::vector<std::string>(50, "#FALSE#");
    std::vector<std::string> s = std::vector<std::string>(50, "\"\"");
    std::vector<std::string> i = std::vector<std::string>(50, "0");
    std::vector<std::string> d = std::vector<std::string>(50, "0");
    std::vector<std::string> config{" 0 "};

    std::string bytes() const
    {
        std::string out;
        for (const auto* block : {&b, &s, &i, &d, &config})
            for (const std::string& line : *block)
                out += line + "\r\n";
        return out;
    }
};

// In a table of messages: the message on a file cut inside its configuration
// rows, which names the file (configurationCutMessage).
constexpr const char* kConfigurationCut = "<the configuration cut message>";

std::string fixturePath(const char* name)
{
    return std::string(MORVANE_SOURCE_DIR) + "/tests/app/data/" + name;
}

// Serial number and certificates (String slots 13 and 14).
void setExtraTexts(DokumentDaten& doc, const std::string& serial, const std::string& certificates)
{
    doc.gSeriennummer = serial;
    doc.gZeugnisse = certificates;
}
void expectExtraTexts(const DokumentDaten& doc, const std::string& serial, const std::string& certificates)
{
    EXPECT_EQ(doc.gSeriennummer, serial);
    EXPECT_EQ(doc.gZeugnisse, certificates);
}

// ---- Layout -----------------------------------------------------------------

TEST(CalculationFileLayout, NoElementTypeGives201LinesOfReserveValues)
{
    TestTracer tracer;
    Folder folder;
    ProgramState p;
    p.doc.gDateiname = folder.file("empty.mv5").string();
    p.config.gConfFeldAnzahl = 4;  // rows are not written without an element type
    ConfigRowsSnapshot rows;
    rows.comboIndex = 0;
    SaveMvl(p, rows);
    EXPECT_TRUE(tracer.responder.reports.empty());

    const auto lines = crlfLines(readBytes(p.doc.gDateiname));
    ASSERT_EQ(lines.size(), 201u);
    for (int k = 0; k < 50; ++k) {
        EXPECT_EQ(lines[static_cast<std::size_t>(k)], "#FALSE#") << "Boolean slot " << k + 1;
        EXPECT_EQ(lines[static_cast<std::size_t>(50 + k)], "\"\"") << "String slot " << k + 1;
        EXPECT_EQ(lines[static_cast<std::size_t>(100 + k)], "0") << "Integer slot " << k + 1;
    }
    // A fresh state's correction factor (Double slot 23) is written as it is, 0.
    EXPECT_EQ(lines[172], "0");
    EXPECT_EQ(lines[200], " 0 ");  // ComboIndex in print form

    RecordingMessageBox box;
    ProgramState back;
    back.doc.gDateiname = p.doc.gDateiname;
    EXPECT_EQ(LoadMvl(back, box), LoadResult::Loaded);
    EXPECT_TRUE(box.shown.empty());
    EXPECT_EQ(back.config.gConfAuswahl.Anzahl, 0);
    EXPECT_EQ(back.calc.gKorrekturFaktor, 1.0);
}

TEST(CalculationFileLayout, ThreeConfigurationRowsGive208Lines)
{
    TestTracer tracer;
    Folder folder;
    ProgramState p;
    p.doc.gDateiname = folder.file("rows.mv5").string();
    p.calc.gModellIdealesGas = True;
    p.calc.gMediumNr = medium::Luft;
    p.calc.gDruck = 601.325;
    p.calc.gDurchflussEinheit = flowunit::kgh;
    p.calc.gDifferenzdruckSoll = 0.5;
    p.config.gConfFeldAnzahl = 3;
    ConfigRowsSnapshot rows;
    rows.comboIndex = 3;
    rows.rows = {{1, "102,3"}, {4, ""}, {-2, " 1 2.5 mm"}};
    SaveMvl(p, rows);

    const auto lines = crlfLines(readBytes(p.doc.gDateiname));
    ASSERT_EQ(lines.size(), 208u);
    EXPECT_EQ(lines[1], "#TRUE#");      // Boolean slot 2
    EXPECT_EQ(lines[100], "1");         // Integer slot 1
    EXPECT_EQ(lines[107], "3");         // Integer slot 8
    EXPECT_EQ(lines[163], "601.325");   // Double slot 14
    EXPECT_EQ(lines[166], "3");         // Double slot 17: the flow unit as a number
    EXPECT_EQ(lines[175], "0.5");       // Double slot 26: the known dp in kPa, unscaled
    const std::vector<std::string> config(lines.begin() + 200, lines.end());
    const std::vector<std::string> expected{
        " 3 ", " 3 ",
        " 1 ", " 102 ",   // the entry's leading number reads with a point only
        " 4 ", " 0 ",     // an empty entry gives 0
        "-2 ", " 12.5 ",  // blanks inside the number are ignored
    };
    EXPECT_EQ(config, expected);
}

// Only the maker's models 1 to 7 have configuration rows: any other element
// type writes its index and a count of 0, whatever rows the page still holds
// from a model viewed before (the count line stays, so the file is no old one).
TEST(CalculationFileLayout, OtherElementTypesWriteNoRows)
{
    for (const std::int16_t comboIndex : {8, 9, 12, 15}) {
        TestTracer tracer;
        Folder folder;
        ProgramState p;
        p.doc.gDateiname = folder.file("orifice.mv5").string();
        p.config.gConfFeldAnzahl = 2;
        ConfigRowsSnapshot rows;
        rows.comboIndex = comboIndex;
        rows.rows = {{1, "5"}, {2, ""}};
        SaveMvl(p, rows);
        EXPECT_TRUE(tracer.responder.reports.empty()) << comboIndex;

        const auto lines = crlfLines(readBytes(p.doc.gDateiname));
        const std::vector<std::string> config(lines.begin() + 200, lines.end());
        EXPECT_EQ(config, (std::vector<std::string>{calcFilePrintText(comboIndex), " 0 "})) << comboIndex;

        RecordingMessageBox box;
        ProgramState back;
        back.doc.gDateiname = p.doc.gDateiname;
        back.config.gConfAuswahl.Anzahl = 5;
        EXPECT_EQ(LoadMvl(back, box), LoadResult::Loaded);
        EXPECT_TRUE(box.shown.empty()) << comboIndex;
        EXPECT_EQ(back.config.gConfAuswahl.ComboIndex, comboIndex);
        EXPECT_EQ(back.config.gConfAuswahl.Anzahl, 0);
    }
}

TEST(CalculationFileLayout, NumberForms)
{
    struct Row {
        double value;
        const char* text;
        const char* shows;
    } rows[] = {
        {0.0, "0", "zero"},
        {-0.0, "0", "no minus sign before zero"},
        {0.5, "0.5", "a leading zero below 1"},
        {-0.25, "-0.25", "the sign without a blank"},
        {2500.0, "2500", "no trailing point"},
        {601.325, "601.325", "the short form of a typed value"},
        {123456789012345.0, "123456789012345", "15 digits in fixed form"},
        {1e15, "1E+15", "from 1E+15 on the exponent form"},
        {-2.5e20, "-2.5E+20", ""},
        {0.00001, "0.00001", "down to 1E-05 in fixed form"},
        {1.5e-7, "1.5E-07", "two exponent digits at least"},
        {1e-100, "1E-100", "three when needed"},
        {0.1 + 0.2, "0.30000000000000004", "more than 15 digits only when 15 do not give the value back"},
        {5e-324, "5E-324", "the smallest subnormal"},
        {1.7976931348623157e308, "1.7976931348623157E+308", "the largest double"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(calcFileNumberText(r.value), r.text) << r.shows;

    EXPECT_EQ(calcFilePrintText(12.5), " 12.5 ");
    EXPECT_EQ(calcFilePrintText(-3), "-3 ");
    EXPECT_EQ(calcFilePrintText(0), " 0 ");
}

TEST(CalculationFileLayout, EveryWrittenNumberReadsBackToTheSameDouble)
{
    // Read back with strtod in the "C" locale, independently of the file reader.
    std::mt19937_64 gen(20261210);
    std::uniform_int_distribution<std::uint64_t> bits;
    int checked = 0;
    while (checked < 20000) {
        const std::uint64_t b = bits(gen);
        double v;
        std::memcpy(&v, &b, sizeof v);
        if (!std::isfinite(v))
            continue;
        const std::string t = calcFileNumberText(v);
        ASSERT_EQ(t.find_first_of(" ,e"), std::string::npos) << t;
        ASSERT_EQ(std::strtod(t.c_str(), nullptr), v) << t;
        ++checked;
    }
}

TEST(CalculationFileLayout, NonFiniteValuesAreNotWritten)
{
    EXPECT_THROW(calcFileNumberText(std::nan("")), RuntimeError);
    EXPECT_THROW(calcFileNumberText(HUGE_VAL), RuntimeError);

    TestTracer tracer;
    Folder folder;
    ProgramState p;
    p.doc.gDateiname = folder.file("nan.mv5").string();
    p.calc.gDruck = std::nan("");
    SaveMvl(p, ConfigRowsSnapshot{});
    ASSERT_EQ(tracer.responder.reports.size(), 1u);
    EXPECT_EQ(tracer.responder.reports[0].number, err::InvalidArgument);
    EXPECT_FALSE(fs::exists(p.doc.gDateiname));
}

// A decimal comma in the user's locale does not reach the file.
TEST(CalculationFileLayout, CommaLocaleStillWritesAPoint)
{
    struct CommaPunct : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
    };
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    TestTracer tracer;
    Folder folder;
    ProgramState p;
    p.doc.gDateiname = folder.file("comma.mv5").string();
    p.calc.gDruck = 101.325;
    p.config.gConfFeldAnzahl = 1;
    ConfigRowsSnapshot rows;
    rows.comboIndex = 5;
    rows.rows = {{2, "12.5"}};
    SaveMvl(p, rows);
    RecordingMessageBox box;
    ProgramState back;
    back.doc.gDateiname = p.doc.gDateiname;
    LoadMvl(back, box);
    std::locale::global(previous);

    const auto lines = crlfLines(readBytes(p.doc.gDateiname));
    ASSERT_EQ(lines.size(), 204u);
    EXPECT_EQ(lines[163], "101.325");
    EXPECT_EQ(lines[203], " 12.5 ");
    EXPECT_EQ(back.calc.gDruck, 101.325);
    EXPECT_EQ(back.config.gConfAuswahl.Wert[0], 12.5);
}

// ---- A hand-written file --------------------------------------------------------

// tests/app/data/rq25_three_rows.mv5: an ideal-gas calculation of an element of
// type 3 with three configuration rows, texts in Windows-1252, written by hand
// in the layout of the format (".98" without a leading zero, "1.1E-02" in
// exponent form).
TEST(CalculationFileReading, HandWrittenFileReadsIntoItsFields)
{
    TestTracer tracer;
    RecordingMessageBox box;
    ProgramState p;
    p.doc.gDateiname = fixturePath("rq25_three_rows.mv5");
    ASSERT_EQ(crlfLines(readBytes(p.doc.gDateiname)).size(), 208u);
    EXPECT_EQ(LoadMvl(p, box), LoadResult::Loaded);
    EXPECT_TRUE(box.shown.empty());
    EXPECT_TRUE(tracer.responder.reports.empty());
    const CalculationState& s = p.calc;

    EXPECT_EQ(s.gModellGespeicherteDaten, False);
    EXPECT_EQ(s.gModellIdealesGas, True);
    EXPECT_EQ(s.gRohrmassFrei, True);
    EXPECT_EQ(s.gEinbauHorizontal, True);
    EXPECT_EQ(s.gEinbaulageHorizontal1, True);
    EXPECT_EQ(s.gEpsilonQ100, True);
    EXPECT_EQ(s.gAuslegungDurchmesser, True);
    EXPECT_EQ(s.gAuslegungDurchfluss, False);

    EXPECT_EQ(s.gMediumsbezeichnung, "Erdgas H");
    EXPECT_EQ(p.doc.gBemerkungen, "Bemerkung, mit Komma");
    EXPECT_EQ(p.doc.gKundeFirma1, "Müller & Söhne GmbH");
    EXPECT_EQ(p.doc.gKundeName, "Herr Weiß");
    EXPECT_EQ(p.doc.gKundeStrasse, "Hauptstraße 5");
    EXPECT_EQ(p.doc.gKundePLZOrt, "12345 Köln");
    EXPECT_EQ(p.doc.gKundeTelFax, "0221 / 123-0");
    EXPECT_EQ(p.doc.gKundenprojekt, "Projekt Ost");
    EXPECT_EQ(p.doc.gAuftragsnummer, "A-4711");
    EXPECT_EQ(p.doc.gMessstellennummer, "FT-101");
    EXPECT_EQ(p.doc.gDatum, "10.12.2026");
    expectExtraTexts(p.doc, "SN 99", "3.1 nach EN 10204");

    EXPECT_EQ(s.gPrimaerelementtyp, element::RQ25);
    EXPECT_EQ(s.gWerkstoffElement, 2);
    EXPECT_EQ(s.gReserveInteger7, 42);
    EXPECT_EQ(s.gDurchflussEinheit, flowunit::Nm3h);  // Double slot 17 (1) wins over Integer slot 8 (6)
    EXPECT_EQ(s.gMehrereBetriebspunkte, 1);
    EXPECT_EQ(s.gDpEinheit, 3);
    EXPECT_EQ(s.gGegenlagerVorgesehen, 1);
    EXPECT_EQ(s.gNennweite, 5);
    EXPECT_EQ(s.gDruckstufe, 2);
    EXPECT_EQ(s.gDpBekannt, 1);

    EXPECT_EQ(s.gDichteEingabe, 0.8);
    EXPECT_EQ(s.gKompressibilitaetEingabe, 0.98);
    EXPECT_EQ(s.gViskositaetEingabe, 0.011);
    EXPECT_EQ(s.gInnendurchmesser, 102.3);
    EXPECT_EQ(s.gBeta, 0.512);
    EXPECT_EQ(s.gReserveDouble12, 7.25);
    EXPECT_EQ(s.gWandstaerke, 3.6);
    EXPECT_EQ(s.gDruck, 601.325);
    EXPECT_EQ(s.gTemperatur, 15.0);
    EXPECT_EQ(s.gDurchflussAuslegung, 2500.0);
    EXPECT_EQ(s.gDurchflussMax, 3000.0);
    EXPECT_EQ(s.gDurchflussNorm, 2500.0);
    EXPECT_EQ(s.gDurchflussMin, 500.0);
    EXPECT_EQ(s.gIsentropenkoeffizientEingabe, 1.31);
    EXPECT_EQ(s.gKorrekturFaktor, 1.0);  // stored 0
    EXPECT_EQ(s.gSondenbreite, 25.4);
    EXPECT_EQ(s.gDifferenzdruckSoll, 25.0);  // stored 2.5 kPa

    const ConfAuswahl& c = p.config.gConfAuswahl;
    EXPECT_EQ(c.ComboIndex, 3);
    ASSERT_EQ(c.Anzahl, 3);
    EXPECT_EQ(c.FeldIndex[0], 1);
    EXPECT_EQ(c.Wert[0], 102.3);
    EXPECT_EQ(c.FeldIndex[1], 4);
    EXPECT_EQ(c.Wert[1], 0.0);
    EXPECT_EQ(c.FeldIndex[2], 2);
    EXPECT_EQ(c.Wert[2], 12.5);
    EXPECT_EQ(p.doc.gDateiname, fixturePath("rq25_three_rows.mv5"));
}

TEST(CalculationFileReading, ItemForms)
{
    struct Row {
        int block;  // 0 Boolean, 1 String, 2 Integer, 3 Double: slot 1 of it (Integer slot 7, a
                    // reserve value that no list shows)
        const char* line;
        const char* expected;  // the value as text
        const char* shows;
    } rows[] = {
        {0, "  #TRUE#", "-1", "leading blanks skipped"},
        {0, "-1", "-1", "a number not 0 is true"},
        {0, "0", "0", ""},
        {1, "  \"a, b\"  ", "a, b", "a comma inside quotes belongs to the text"},
        {1, "\"say \"\"hi\"\"\"", "say \"hi\"", "a doubled quote is one quote"},
        {1, "\"a\"b\"", "a", "an undoubled quote ends the text; the rest of the line is dropped"},
        {1, "plain", "plain", "a text without quotes"},
        {2, "3.5", "4", "halves round to the even neighbour"},
        {2, "2.5", "2", ""},
        {2, "-7", "-7", ""},
        {2, "+7", "7", ""},
        {3, "-.5", "-0.5", "no leading zero"},
        {3, "1.5E-07", "1.5E-07", ""},
        {3, "1.5D+3", "1500", "a D exponent"},
        {3, "1E-400", "0", "an underflow reads as 0"},
    };
    for (const Row& r : rows) {
        TestTracer tracer;
        Folder folder;
        FileImage image;
        std::vector<std::string>* blocks[] = {&image.b, &image.s, &image.i, &image.d};
        (*blocks[r.block])[r.block == 2 ? 6 : 0] = r.line;
        ProgramState p;
        p.doc.gDateiname = folder.file("item.mv5").string();
        writeBytes(p.doc.gDateiname, image.bytes());
        RecordingMessageBox box;
        EXPECT_EQ(LoadMvl(p, box), LoadResult::Loaded) << r.line;
        EXPECT_TRUE(box.shown.empty()) << r.line;
        EXPECT_TRUE(tracer.responder.reports.empty()) << r.line;
        std::string got;
        switch (r.block) {
        case 0: got = std::to_string(p.calc.gModellGespeicherteDaten); break;
        case 1: got = p.calc.gMediumsbezeichnung; break;
        case 2: got = std::to_string(p.calc.gReserveInteger7); break;
        default: got = calcFileNumberText(p.calc.gDichteEingabe); break;
        }
        EXPECT_EQ(got, r.expected) << r.shows;
    }
}

// A file whose values do not stand one on each line, or whose configuration
// section cannot be what a writer wrote, is refused as a whole with the "not
// consistent" message: read on, every later value would land in the wrong slot
// (a decimal comma or a blank inside a number splits it in two), and the
// alternative-database setting would then be compared with some other value.
TEST(CalculationFileReading, ContentThatCannotBeReadExactlyIsRefused)
{
    struct Row {
        int block;  // 0 Boolean, 1 String, 2 Integer, 3 Double, 4 configuration section
        int slot;   // from 1; for the section the whole section is `line`s
        std::vector<std::string> lines;
        const char* shows;
    } rows[] = {
        {2, 1, {"1 2"}, "a blank inside a whole number makes two values"},
        {3, 14, {"601,325"}, "a decimal comma"},
        {3, 14, {"\"601,325\""}, "a decimal comma inside quotes"},
        {0, 2, {"#TRUE#,#FALSE#"}, "two values on one line"},
        {1, 3, {"Bemerkung, ohne Anfuehrungszeichen"}, "an unquoted text with a comma"},
        {4, 0, {" 3 ", "-1 "}, "a negative configuration count"},
        {4, 0, {" 3 ", " 52 "}, "more configuration rows than there can be"},
        {4, 0, {" 3 ", " 1 ", " 2 ", " 12,5 "}, "a configuration value with a decimal comma"},
        {4, 0, {" 0 ", " 4 "}, "a line after a section without an element type"},
        {4, 0, {" 3 ", " 1 ", " 2 ", " 7 ", " 9 "}, "a line after the last row"},
        // Read on, the values after a comma would shift, and slot 18 would
        // differ: the cause named must be the content, not the database setting.
        {3, 1, {"0,8", "0,98", "0,011"}, "a whole block written with decimal commas"},
        // An empty line where a value belongs would move every later value
        // into the slot before its own, in whichever block it stands.
        {0, 5, {"", "#FALSE#"}, "an empty line in the Boolean block"},
        {0, 50, {"#FALSE#", ""}, "an empty line after the Boolean block"},
        {1, 5, {"", "\"\""}, "an empty line in the String block"},
        {1, 20, {"   ", "\"\""}, "a line of blanks in the String block"},
        {2, 5, {"", "0"}, "an empty line in the Integer block"},
        {3, 5, {"", "0"}, "an empty line in the Double block"},
        {4, 0, {" 3 ", " 1 ", "", " 2 ", " 7 "}, "an empty line among the configuration rows"},
    };
    for (const Row& r : rows) {
        TestTracer tracer;
        Folder folder;
        FileImage image;
        std::vector<std::string>* blocks[] = {&image.b, &image.s, &image.i, &image.d};
        if (r.block == 4) {
            image.config = r.lines;
        } else {
            auto& block = *blocks[r.block];
            block.erase(block.begin() + r.slot - 1);
            block.insert(block.begin() + r.slot - 1, r.lines.begin(), r.lines.end());
        }
        ProgramState p;
        p.calc.gMediumNr = 2;
        p.calc.gDruck = 100.0;
        p.doc.gBemerkungen = "vorher";
        p.config.gConfAuswahl.ComboIndex = 5;
        p.config.gConfAuswahl.Anzahl = 1;
        p.config.gConfAuswahl.FeldIndex[0] = 3;
        p.config.gConfAuswahl.Wert[0] = 9.5;
        const fs::path file = folder.file("broken.mv5");
        p.doc.gDateiname = file.string();
        writeBytes(file, image.bytes());
        RecordingMessageBox box;
        EXPECT_EQ(LoadMvl(p, box), LoadResult::Refused) << r.shows;
        EXPECT_TRUE(tracer.responder.reports.empty()) << r.shows;
        ASSERT_EQ(box.shown.size(), 1u) << r.shows;
        // The message names the file, after the text and an empty line.
        EXPECT_EQ(box.shown[0].text, std::string(kInconsistentFileText) + "\r\n\r\n" + file.string()) << r.shows;
        EXPECT_EQ(p.calc.gMediumNr, 2) << r.shows;
        EXPECT_EQ(p.calc.gDruck, 100.0) << r.shows;
        EXPECT_EQ(p.doc.gBemerkungen, "vorher") << r.shows;
        EXPECT_EQ(p.config.gConfAuswahl.ComboIndex, 5) << r.shows;
        EXPECT_EQ(p.config.gConfAuswahl.Anzahl, 1) << r.shows;
        EXPECT_EQ(p.config.gConfAuswahl.FeldIndex[0], 3) << r.shows;
        EXPECT_EQ(p.config.gConfAuswahl.Wert[0], 9.5) << r.shows;
        EXPECT_EQ(p.doc.gDateiname, "") << r.shows;
    }
}

// What follows the last line may be blanks or empty lines: an editor that
// added them has not damaged the file.
TEST(CalculationFileReading, BlanksAndEmptyLinesAfterTheLastLine)
{
    struct Row {
        std::vector<std::string> config;
        const char* tail;
        const char* message;  // nullptr: none
        std::int16_t anzahl;
    } rows[] = {
        {{" 0 "}, " ", nullptr, 0},
        {{" 0 "}, "\r\n", nullptr, 0},
        {{" 3 ", " 1 ", " 2 ", " 7 "}, "  \r\n\r\n\t", nullptr, 1},
        {{}, " \r\n", kOldFileTypeText, 0},
        {{" 3 "}, "\r\n ", kOldFileTypeText, 0},
        {{" 3 ", " 2 ", " 1 ", " 7 "}, " \r\n", kConfigurationCut, 0},
    };
    for (const Row& r : rows) {
        TestTracer tracer;
        Folder folder;
        FileImage image;
        image.i[0] = "4";
        image.config = r.config;
        ProgramState p;
        p.doc.gDateiname = folder.file("tail.mv5").string();
        writeBytes(p.doc.gDateiname, image.bytes() + r.tail);
        const std::string file = p.doc.gDateiname;
        RecordingMessageBox box;
        EXPECT_EQ(LoadMvl(p, box), LoadResult::Loaded) << ::testing::PrintToString(r.tail);
        EXPECT_TRUE(tracer.responder.reports.empty());
        if (r.message) {
            ASSERT_EQ(box.shown.size(), 1u);
            EXPECT_EQ(box.shown[0].text, r.message == kConfigurationCut ? configurationCutMessage(file, 0) : r.message);
        } else {
            EXPECT_TRUE(box.shown.empty());
        }
        EXPECT_EQ(p.calc.gMediumNr, 4);
        EXPECT_EQ(p.config.gConfAuswahl.Anzahl, r.anzahl);
    }
}

// Files that passed through old DOS tools end in Ctrl-Z (0x1A), the end of the
// file for the runtime of the earlier releases: such a file reads up to it.
TEST(CalculationFileReading, AFileEndingInCtrlZReadsUpToIt)
{
    FileImage image;
    image.i[0] = "4";
    image.config = {" 3 ", " 1 ", " 2 ", " 7 "};
    const std::string whole = image.bytes();
    struct Row {
        std::string bytes;
        const char* shows;
    } rows[] = {
        {whole + "\x1A", "Ctrl-Z after the last line end"},
        {whole + "\x1A\r\n", "Ctrl-Z with a line end after it"},
        {whole.substr(0, whole.size() - 2) + "\x1A", "Ctrl-Z in place of the last line end"},
        {whole + std::string(100, '\x1A'), "a record padded with Ctrl-Z"},
        {"\xEF\xBB\xBF" + whole + "\x1A\r\n", "a marked UTF-8 file"},
    };
    for (const Row& r : rows) {
        TestTracer tracer;
        Folder folder;
        ProgramState p;
        p.doc.gDateiname = folder.file("dos.mv5").string();
        writeBytes(p.doc.gDateiname, r.bytes);
        RecordingMessageBox box;
        EXPECT_EQ(LoadMvl(p, box), LoadResult::Loaded) << r.shows;
        EXPECT_TRUE(box.shown.empty()) << r.shows;
        EXPECT_TRUE(tracer.responder.reports.empty()) << r.shows;
        EXPECT_EQ(p.calc.gMediumNr, 4) << r.shows;
        EXPECT_EQ(p.config.gConfAuswahl.Anzahl, 1) << r.shows;
        EXPECT_EQ(p.config.gConfAuswahl.Wert[0], 7.0) << r.shows;
    }
    // A Ctrl-Z with values after it is no end of the file but a damaged value.
    TestTracer tracer;
    Folder folder;
    ProgramState p;
    p.doc.gDateiname = folder.file("dos.mv5").string();
    writeBytes(p.doc.gDateiname, whole.substr(0, whole.find(" 3 ")) + "\x1A\r\n" + whole.substr(whole.find(" 3 ")));
    RecordingMessageBox box;
    EXPECT_NE(LoadMvl(p, box), LoadResult::Loaded);
    EXPECT_EQ(p.calc.gMediumNr, 0);
}

// The main window shows each value of a file in its control; a value that the
// control cannot take (a list index its list lacks, a check value outside
// 0..2, two options of one group, a pressure that overflows in its display
// unit) would stop the writing of the window half-way and leave two
// calculations mixed on the screen. Such a file is refused like damaged
// content, before anything of it reaches the state.
TEST(CalculationFileReading, ValuesTheWindowCannotShowAreRefused)
{
    struct Edit {
        int block;  // 0 Boolean, 1 String, 2 Integer, 3 Double
        int slot;   // from 1
        const char* value;
    };
    struct Row {
        std::vector<Edit> edits;
        bool loads;
        const char* shows;
    } rows[] = {
        {{{2, 8, "99"}, {3, 17, "99"}}, false, "a flow unit the list lacks"},
        {{{2, 1, "10"}}, false, "a medium beyond the list"},
        {{{2, 2, "16"}}, false, "an element type beyond the list"},
        {{{2, 2, "-2"}}, false, "an element type below -1"},
        {{{2, 3, "7"}}, false, "an element material beyond the list"},
        {{{2, 4, "10"}}, false, "a pipe material beyond the list"},
        {{{2, 5, "10"}}, false, "a dp connection beyond the list"},
        {{{2, 6, "5"}}, false, "p/T sensors beyond the list"},
        {{{2, 11, "5"}}, false, "a pressure unit beyond the list"},
        {{{2, 12, "6"}}, false, "a dp unit beyond the list"},
        {{{2, 13, "3"}}, false, "a temperature unit beyond the list"},
        {{{0, 7, "#TRUE#"}, {2, 15, "23"}}, false, "a nominal size beyond the list, table entry"},
        {{{0, 7, "#TRUE#"}, {2, 16, "8"}}, false, "a pressure class beyond the list, table entry"},
        {{{2, 9, "3"}}, false, "a rectangular-duct box at 3"},
        {{{2, 10, "-1"}}, false, "an operating-points box at -1"},
        {{{2, 14, "3"}}, false, "an opposite-support box at 3"},
        {{{2, 17, "3"}}, false, "a known-dp box at 3"},
        {{{0, 2, "#TRUE#"}, {0, 3, "#TRUE#"}}, false, "two medium models"},
        {{{0, 6, "#TRUE#"}, {0, 7, "#TRUE#"}}, false, "free and table pipe entry"},
        {{{0, 16, "#TRUE#"}, {0, 17, "#TRUE#"}}, false, "two expansion-factor choices"},
        {{{0, 18, "#TRUE#"}, {0, 19, "#TRUE#"}}, false, "two sizing choices"},
        {{{0, 9, "#TRUE#"}, {0, 10, "#TRUE#"}}, false, "horizontal and vertical pipe"},
        {{{0, 11, "#TRUE#"}, {0, 14, "#TRUE#"}}, false, "two positions in a horizontal pipe"},
        {{{3, 14, "1E+306"}, {2, 11, "2"}}, false, "a pressure that overflows in Pa"},
        {{{3, 15, "1E+308"}, {2, 13, "2"}}, false, "a temperature that overflows in degrees F"},
        // What the window can show.
        {{{2, 1, "-1"}, {2, 2, "-1"}, {2, 8, "-1"}, {3, 17, "-1"}}, true, "lists without a selection"},
        {{{2, 1, "9"}, {2, 2, "15"}, {2, 8, "7"}, {3, 17, "7"}, {2, 11, "4"}, {2, 12, "5"}, {2, 13, "2"}}, true,
         "each list at its last item"},
        {{{0, 6, "#TRUE#"}, {2, 15, "99"}, {2, 16, "-5"}}, true, "nominal size and class unused with free entry"},
        {{{2, 9, "2"}, {2, 10, "2"}}, true, "greyed check boxes"},
        {{{0, 2, "#TRUE#"}, {0, 7, "#TRUE#"}, {0, 9, "#TRUE#"}, {0, 11, "#TRUE#"}, {0, 15, "#TRUE#"}}, true,
         "one option of each group, and the position in a vertical pipe, which stands alone"},
        {{{3, 14, "1E+306"}}, true, "a large pressure in kPa"},
    };
    for (const Row& r : rows) {
        TestTracer tracer;
        Folder folder;
        FileImage image;
        std::vector<std::string>* blocks[] = {&image.b, &image.s, &image.i, &image.d};
        for (const Edit& e : r.edits)
            (*blocks[e.block])[static_cast<std::size_t>(e.slot - 1)] = e.value;
        ProgramState p;
        p.calc.gMediumNr = 2;
        p.calc.gDruck = 100.0;
        p.doc.gBemerkungen = "vorher";
        p.config.gConfAuswahl.ComboIndex = 5;
        const fs::path file = folder.file("window.mv5");
        p.doc.gDateiname = file.string();
        writeBytes(file, image.bytes());
        RecordingMessageBox box;
        const LoadResult got = LoadMvl(p, box);
        EXPECT_TRUE(tracer.responder.reports.empty()) << r.shows;
        if (r.loads) {
            EXPECT_EQ(got, LoadResult::Loaded) << r.shows;
            EXPECT_TRUE(box.shown.empty()) << r.shows;
            continue;
        }
        EXPECT_EQ(got, LoadResult::Refused) << r.shows;
        ASSERT_EQ(box.shown.size(), 1u) << r.shows;
        EXPECT_EQ(box.shown[0].text, inconsistentFileMessage(file.string())) << r.shows;
        EXPECT_EQ(p.calc.gMediumNr, 2) << r.shows;
        EXPECT_EQ(p.calc.gDruck, 100.0) << r.shows;
        EXPECT_EQ(p.doc.gBemerkungen, "vorher") << r.shows;
        EXPECT_EQ(p.config.gConfAuswahl.ComboIndex, 5) << r.shows;
    }
}

// ---- Corrections on reading ------------------------------------------------------

TEST(CalculationFileReading, CorrectionsOfTheStoredValues)
{
    struct Row {
        const char* korrektur;   // Double slot 23
        const char* dpSoll;      // Double slot 26
        const char* unitInt;     // Integer slot 8
        const char* unitDouble;  // Double slot 17
        double expectedKorrektur;
        double expectedDpSoll;
        Integer expectedUnit;
        const char* shows;
    } rows[] = {
        {"0", "0", "0", "0", 1.0, 0.0, 0, "a stored correction factor 0 loads as 1"},
        {"0.97", "0.5", "6", "3", 0.97, 5.0, 3, "other factors unchanged; dp x 10; Double slot 17 wins"},
        {"-0", "2.5", "3", "6", 1.0, 25.0, 6, "minus zero is zero"},
        {"1", "0", "1", "2.5", 1.0, 0.0, 2, "the unit rounds half to even"},
        {"1.02", "0", "1", "3.5", 1.02, 0.0, 4, ""},
    };
    for (const Row& r : rows) {
        TestTracer tracer;
        Folder folder;
        FileImage image;
        image.d[22] = r.korrektur;
        image.d[25] = r.dpSoll;
        image.i[7] = r.unitInt;
        image.d[16] = r.unitDouble;
        ProgramState p;
        p.doc.gDateiname = folder.file("fix.mv5").string();
        writeBytes(p.doc.gDateiname, image.bytes());
        RecordingMessageBox box;
        ASSERT_EQ(LoadMvl(p, box), LoadResult::Loaded);
        EXPECT_EQ(p.calc.gKorrekturFaktor, r.expectedKorrektur) << r.shows;
        EXPECT_EQ(p.calc.gDifferenzdruckSoll, r.expectedDpSoll) << r.shows;
        EXPECT_EQ(p.calc.gDurchflussEinheit, r.expectedUnit) << r.shows;
    }
}

// ---- Round trip -------------------------------------------------------------------

// The fields the file keeps (the slot tables); every other field is a result
// and is computed anew, except gBeta.
const std::set<std::string_view>& storedFields()
{
    static const std::set<std::string_view> names{
        "gModellGespeicherteDaten", "gModellIdealesGas", "gModellRedlichKwong", "gModellFluessigkeit",
        "gRohrmassFrei", "gRohrmassNorm", "gEinbaulageUnbekannt", "gEinbauHorizontal", "gEinbauVertikal",
        "gEinbaulageHorizontal1", "gEinbaulageVonUnten", "gEinbaulageVonOben", "gEinbaulageHorizontal2",
        "gEinbaulageVertikal", "gEpsilonQ67", "gEpsilonQ100", "gAuslegungDurchmesser", "gAuslegungDurchfluss",
        "gMediumsbezeichnung", "gMediumsbezeichnungRK",
        "gMediumNr", "gPrimaerelementtyp", "gWerkstoffElement", "gWerkstoffRohr", "gDpAnschluss", "gPTSensoren",
        "gDurchflussEinheit", "gRohrRechteckig", "gMehrereBetriebspunkte", "gDruckEinheit", "gDpEinheit",
        "gTemperaturEinheit", "gGegenlagerVorgesehen", "gNennweite", "gDruckstufe", "gDpBekannt",
        "gDichteEingabe", "gKompressibilitaetEingabe", "gViskositaetEingabe", "gKritischeTemperatur",
        "gKritischerDruck", "gNormdichteRK", "gViskositaetRK", "gInnendurchmesser", "gInnenmassB",
        "gKZahlEingabe", "gBeta", "gWandstaerke", "gDruck", "gTemperatur", "gDurchflussAuslegung",
        "gDurchflussMax", "gDurchflussNorm", "gDurchflussMin", "gIsentropenkoeffizientEingabe",
        "gIsentropenkoeffizientRK", "gKorrekturFaktor", "gSondenbreite", "gOeffnungsdurchmesser",
        "gDifferenzdruckSoll",
    };
    return names;
}

// Doubles that need all their digits, both exponent forms and both signs.
double awkwardDouble(int k)
{
    const double values[] = {1.0 / 3.0, -2.0 / 7.0, 0.1 + 0.2, 1e-7 / 3.0, 6.02214076e23, -1e300 / 7.0,
                             601.325, 5e-324, 123456.789012345678, -0.000123456789};
    return values[k % 10] * (1.0 + k * 1e-3);
}

ProgramState fullyFilledState()
{
    ProgramState p;
    int k = 0;
    for (const StateField& f : stateFields()) {
        ++k;
        switch (f.kind) {
        case FieldKind::Boolean: f.in<std::int16_t>(p.calc) = k % 2 ? True : False; break;
        case FieldKind::Flag: f.in<std::int16_t>(p.calc) = static_cast<std::int16_t>(k % 2); break;
        case FieldKind::Integer: f.in<std::int16_t>(p.calc) = static_cast<std::int16_t>(k % 3 ? 1000 + k : -k); break;
        case FieldKind::Double: f.in<double>(p.calc) = awkwardDouble(k); break;
        case FieldKind::String: f.in<std::string>(p.calc) = "Wert " + std::to_string(k) + " \"äöüß\", €"; break;
        case FieldKind::PointArray: f.in<PointArray>(p.calc) = {awkwardDouble(k), 1, 2, 3}; break;
        }
    }
    // The lists, check boxes and option groups take only what the window can show.
    testing::setShowableWindowValues(p.calc);
    p.calc.gReserveInteger7 = -32768;
    p.calc.gReserveDouble12 = -1.0 / 9.0;
    p.calc.gMediumsbezeichnung = "Erdgas \"L\", trocken";
    p.calc.gMediumsbezeichnungRK = "";
    p.doc.gBemerkungen = "Zeile 1\r\nZeile 2, mit \"Zitat\"\r\n";
    p.doc.gKundeFirma1 = "Müller & Söhne";
    p.doc.gKundeFirma2 = "€ 1.000,-";
    p.doc.gKundeName = "Weiß";
    p.doc.gKundeStrasse = "Straße 1";
    p.doc.gKundePLZOrt = "Köln";
    p.doc.gKundeTelFax = "+49 221";
    p.doc.gKundenprojekt = "Projekt";
    p.doc.gAuftragsnummer = "A,1";
    p.doc.gMessstellennummer = "FT 101";
    p.doc.gDatum = "10.12.2026 11:00";
    setExtraTexts(p.doc, "SN-ä 1", "3.1, \"EN 10204\"");
    p.settings.gUserMSCode = 1;
    return p;
}

TEST(CalculationFileRoundTrip, EveryStoredFieldComesBackUnchanged)
{
    struct Row {
        const char* extraText;  // put into gMediumsbezeichnungRK
        bool windows1252;       // whether the file is written in that code page
        const char* shows;
    } rows[] = {
        {"", true, "umlauts, the euro sign, quotes, commas and line breaks in Windows-1252"},
        {"Ω ≈ 3 µm, 流量", false, "a character beyond Windows-1252 makes the file UTF-8"},
    };
    for (const Row& r : rows) {
        TestTracer tracer;
        Folder folder;
        ProgramState p = fullyFilledState();
        p.calc.gMediumsbezeichnungRK = r.extraText;
        p.doc.gDateiname = folder.file("full.mv5").string();
        p.config.gConfFeldAnzahl = 2;
        ConfigRowsSnapshot rows2;
        rows2.comboIndex = 7;
        rows2.rows = {{3, " 0.1 "}, {12, "-2.5e-3"}};
        SaveMvl(p, rows2);
        ASSERT_TRUE(tracer.responder.reports.empty()) << r.shows;

        const std::string bytes = readBytes(p.doc.gDateiname);
        EXPECT_EQ(bytes.find("M\xFCller") != std::string::npos, r.windows1252) << r.shows;
        EXPECT_EQ(bytes.find("M\xC3\xBCller") != std::string::npos, !r.windows1252) << r.shows;
        // 200 value lines, the line break of the remarks, 1 + 1 + 2 x 2 configuration lines.
        EXPECT_EQ(crlfLines(bytes).size(), 200u + 2u + 6u) << r.shows;

        RecordingMessageBox box;
        ProgramState back;
        back.settings.gUserMSCode = 1;
        back.doc.gDateiname = p.doc.gDateiname;
        ASSERT_EQ(LoadMvl(back, box), LoadResult::Loaded) << r.shows;
        EXPECT_TRUE(box.shown.empty()) << r.shows;

        for (const StateField& f : stateFields()) {
            const bool stored = storedFields().count(f.name) > 0;
            const ProgramState fresh;
            const CalculationState& want = stored ? p.calc : fresh.calc;
            switch (f.kind) {
            case FieldKind::Boolean:
            case FieldKind::Flag:
            case FieldKind::Integer:
                EXPECT_EQ(f.in<std::int16_t>(back.calc), f.in<std::int16_t>(want)) << f.name;
                break;
            case FieldKind::Double:
                if (f.name == "gDifferenzdruckSoll")
                    EXPECT_EQ(back.calc.gDifferenzdruckSoll, p.calc.gDifferenzdruckSoll * 10.0);
                else
                    EXPECT_EQ(f.in<double>(back.calc), f.in<double>(want)) << f.name;
                break;
            case FieldKind::String: EXPECT_EQ(f.in<std::string>(back.calc), f.in<std::string>(want)) << f.name; break;
            case FieldKind::PointArray: EXPECT_EQ(f.in<PointArray>(back.calc), f.in<PointArray>(want)) << f.name; break;
            }
        }
        EXPECT_EQ(back.calc.gReserveInteger7, p.calc.gReserveInteger7);
        EXPECT_EQ(back.calc.gReserveDouble12, p.calc.gReserveDouble12);
        EXPECT_EQ(back.doc.gBemerkungen, p.doc.gBemerkungen);
        EXPECT_EQ(back.doc.gKundeFirma1, p.doc.gKundeFirma1);
        EXPECT_EQ(back.doc.gKundeFirma2, p.doc.gKundeFirma2);
        EXPECT_EQ(back.doc.gKundeName, p.doc.gKundeName);
        EXPECT_EQ(back.doc.gKundeStrasse, p.doc.gKundeStrasse);
        EXPECT_EQ(back.doc.gKundePLZOrt, p.doc.gKundePLZOrt);
        EXPECT_EQ(back.doc.gKundeTelFax, p.doc.gKundeTelFax);
        EXPECT_EQ(back.doc.gKundenprojekt, p.doc.gKundenprojekt);
        EXPECT_EQ(back.doc.gAuftragsnummer, p.doc.gAuftragsnummer);
        EXPECT_EQ(back.doc.gMessstellennummer, p.doc.gMessstellennummer);
        EXPECT_EQ(back.doc.gDatum, p.doc.gDatum);
        expectExtraTexts(back.doc, "SN-ä 1", "3.1, \"EN 10204\"");

        const ConfAuswahl& c = back.config.gConfAuswahl;
        EXPECT_EQ(c.ComboIndex, 7);
        ASSERT_EQ(c.Anzahl, 2);
        EXPECT_EQ(c.FeldIndex[0], 3);
        EXPECT_EQ(c.Wert[0], 0.1);
        EXPECT_EQ(c.FeldIndex[1], 12);
        EXPECT_EQ(c.Wert[1], -2.5e-3);
    }
}

// ---- Text encoding ------------------------------------------------------------------

// Texts go out and come back byte for byte, whatever their characters: in
// Windows-1252 when it holds them (also when those bytes happen to be valid
// UTF-8, as "Maß²" is), else in UTF-8 behind the byte-order mark.
TEST(CalculationFileEncoding, TextsSurviveSaveAndOpen)
{
    struct Row {
        const char* text;
        const char* fileBytes;  // how the text stands in the file
        bool marked;
    } rows[] = {
        {"Maß²", "\"Ma\xDF\xB2\"", false},
        {"Rohr Ø±2 mm", "\"Rohr \xD8\xB1" "2 mm\"", false},
        {"Ω ≈ 3 µm", "\"\xCE\xA9 \xE2\x89\x88 3 \xC2\xB5m\"", true},
    };
    for (const Row& r : rows) {
        TestTracer tracer;
        Folder folder;
        ProgramState p;
        p.doc.gBemerkungen = r.text;
        p.doc.gDateiname = folder.file("text.mv5").string();
        SaveMvl(p, ConfigRowsSnapshot{});
        const std::string bytes = readBytes(p.doc.gDateiname);
        EXPECT_EQ(bytes.rfind("\xEF\xBB\xBF", 0) == 0, r.marked) << r.text;
        EXPECT_NE(bytes.find(r.fileBytes), std::string::npos) << r.text;

        ProgramState back;
        back.doc.gDateiname = p.doc.gDateiname;
        RecordingMessageBox box;
        ASSERT_EQ(LoadMvl(back, box), LoadResult::Loaded) << r.text;
        EXPECT_EQ(back.doc.gBemerkungen, r.text);
        EXPECT_TRUE(box.shown.empty());
    }
}

// Files written elsewhere: the mark alone decides, and a marked file must be
// UTF-8 throughout.
TEST(CalculationFileEncoding, TheMarkDecidesNeverTheBytes)
{
    struct Row {
        const char* prefix;
        const char* remark;  // the bytes of String slot 3, without quotes
        const char* loaded;  // nullptr: refused
        const char* shows;
    } rows[] = {
        {"", "Stra\xDF" "e", "Straße", "Windows-1252"},
        {"", "\xC3\xBC" "ber", "Ã¼ber", "UTF-8 bytes without the mark are Windows-1252 characters"},
        {"", "\xC3\xBC" "ber \xFC", "Ã¼ber ü", "one stray byte changes nothing else"},
        {"\xEF\xBB\xBF", "\xC3\xBC" "ber", "über", "marked UTF-8"},
        {"\xEF\xBB\xBF", "Stra\xDF" "e", nullptr, "a mark in front of Windows-1252 bytes"},
        {"\xEF\xBB\xBF", "\xED\xA0\x80", nullptr, "an encoded surrogate is no UTF-8"},
    };
    for (const Row& r : rows) {
        TestTracer tracer;
        Folder folder;
        FileImage image;
        image.s[2] = std::string("\"") + r.remark + "\"";
        ProgramState p;
        p.doc.gBemerkungen = "vorher";
        const fs::path file = folder.file("enc.mv5");
        p.doc.gDateiname = file.string();
        writeBytes(file, r.prefix + image.bytes());
        RecordingMessageBox box;
        const LoadResult got = LoadMvl(p, box);
        EXPECT_TRUE(tracer.responder.reports.empty()) << r.shows;
        if (r.loaded) {
            EXPECT_EQ(got, LoadResult::Loaded) << r.shows;
            EXPECT_EQ(p.doc.gBemerkungen, r.loaded) << r.shows;
            EXPECT_TRUE(box.shown.empty()) << r.shows;
        } else {
            EXPECT_EQ(got, LoadResult::Refused) << r.shows;
            EXPECT_EQ(p.doc.gBemerkungen, "vorher") << r.shows;
            ASSERT_EQ(box.shown.size(), 1u) << r.shows;
            EXPECT_EQ(box.shown[0].text, inconsistentFileMessage(file.string())) << r.shows;
        }
    }
}

TEST(CalculationFileRoundTrip, SavingOverAnExistingFileReplacesIt)
{
    TestTracer tracer;
    Folder folder;
    const fs::path target = folder.file("calc.mv5");
    writeBytes(target, std::string(5000, 'x'));
    ProgramState p;
    p.doc.gDateiname = target.string();
    SaveMvl(p, ConfigRowsSnapshot{});
    EXPECT_TRUE(tracer.responder.reports.empty());
    EXPECT_EQ(crlfLines(readBytes(target)).size(), 201u);
    EXPECT_EQ(folder.names(), std::set<std::string>{"calc.mv5"});  // no temporary file left
}

// ---- Old and inconsistent files ------------------------------------------------------

// A file cut inside its configuration rows loads without any of them, says so
// naming the file, and is not current: the next Save asks for a name.
TEST(CalculationFileReading, ConfigurationSectionMessages)
{
    struct Row {
        std::vector<std::string> config;
        const char* message;  // nullptr: none
        std::int16_t comboIndex;
        std::int16_t anzahl;
        const char* shows;
    } rows[] = {
        {{}, kOldFileTypeText, 9, 0, "only the 200 block lines: ComboIndex untouched"},
        {{" 3 "}, kOldFileTypeText, 3, 0, "a positive ComboIndex without the count"},
        {{" 0 "}, nullptr, 0, 0, "no element type"},
        {{"-1 "}, nullptr, -1, 0, "a list without a selection"},
        {{" 3 ", " 2 ", " 1 "}, kConfigurationCut, 3, 0, "the file ends before the first value"},
        {{" 3 ", " 2 ", " 1 ", " 5 ", " 4 "}, kConfigurationCut, 3, 0, "the file ends before the second value"},
        {{" 3 ", " 1 ", " 4 ", " 2.5 "}, nullptr, 3, 1, "one complete row"},
        {{" 3 ", " 0 "}, nullptr, 3, 0, "no rows"},
    };
    for (const Row& r : rows) {
        const bool cut = r.message == kConfigurationCut;
        TestTracer tracer;
        Folder folder;
        FileImage image;
        image.i[0] = "4";  // gMediumNr: the blocks load whatever the section holds
        image.config = r.config;
        ProgramState p;
        p.ui.gSprachOffset = OffsetEnglish;
        // A configuration loaded before.
        p.config.gConfAuswahl.ComboIndex = 9;
        p.config.gConfAuswahl.Anzahl = 3;
        const std::string file = folder.file("old.mv5").string();
        p.doc.gDateiname = file;
        writeBytes(file, image.bytes());
        RecordingMessageBox box;
        EXPECT_EQ(LoadMvl(p, box), LoadResult::Loaded) << r.shows;
        EXPECT_TRUE(tracer.responder.reports.empty()) << r.shows;
        if (r.message) {
            ASSERT_EQ(box.shown.size(), 1u) << r.shows;
            EXPECT_EQ(box.shown[0].text, cut ? configurationCutMessage(file, OffsetEnglish) : r.message) << r.shows;
            EXPECT_EQ(box.shown[0].caption, "") << r.shows;  // the program title
            EXPECT_EQ(box.shown[0].icon, MessageIcon::None) << r.shows;
            EXPECT_EQ(box.shown[0].buttons, MessageButtons::Ok) << r.shows;
        } else {
            EXPECT_TRUE(box.shown.empty()) << r.shows;
        }
        EXPECT_EQ(p.config.gConfAuswahl.ComboIndex, r.comboIndex) << r.shows;
        EXPECT_EQ(p.config.gConfAuswahl.Anzahl, r.anzahl) << r.shows;
        EXPECT_EQ(p.calc.gMediumNr, 4) << r.shows;
        EXPECT_EQ(p.doc.gDateiname, cut ? std::string() : file) << r.shows;
    }
    // The message names the file and says what became of its configuration.
    EXPECT_EQ(configurationCutMessage("/calc/rq25.mv5", OffsetEnglish),
              "The configuration of this file could not be read whole: the file ends inside its configuration rows. "
              "Its rows were left out; the file is therefore not the current one, and Save asks for a "
              "name.\n\n/calc/rq25.mv5");
    const std::string german = configurationCutMessage("/calc/rq25.mv5", OffsetGerman);
    EXPECT_NE(german.find("nicht vollständig gelesen"), std::string::npos) << german;
    EXPECT_NE(german.find("\n\n/calc/rq25.mv5"), std::string::npos) << german;
}

TEST(CalculationFileReading, OtherDatabaseSettingRefusesTheFile)
{
    TestTracer tracer;
    Folder folder;
    FileImage image;
    image.i[0] = "4";
    image.i[17] = "1";  // saved with the alternative database
    image.config = {" 3 ", " 1 ", " 2 ", " 7 "};
    const fs::path file = folder.file("alt.mv5");
    writeBytes(file, image.bytes());

    ProgramState p;
    p.calc.gMediumNr = 2;
    p.config.gConfAuswahl.ComboIndex = 5;
    p.config.gConfAuswahl.Anzahl = 1;
    p.config.gConfAuswahl.Wert[0] = 9.5;
    p.doc.gDateiname = file.string();
    RecordingMessageBox box;
    EXPECT_EQ(LoadMvl(p, box), LoadResult::Refused);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text,
              "Achtung, bitte ändern Sie die MS-Code-Einstellungen in den Benutzereinstellungen! ATTENTION: Please "
              "change the MS-Code-Settings in user options!");
    EXPECT_EQ(box.shown[0].caption, "WARNING");
    EXPECT_EQ(box.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(box.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(p.calc.gMediumNr, 2);
    EXPECT_EQ(p.config.gConfAuswahl.ComboIndex, 5);
    EXPECT_EQ(p.config.gConfAuswahl.Anzahl, 1);
    EXPECT_EQ(p.config.gConfAuswahl.Wert[0], 9.5);
    // A later Save without a dialog must not write the current inputs over it.
    EXPECT_EQ(p.doc.gDateiname, "");

    // No handle is left open: the file can be saved over at once.
    p.doc.gDateiname = file.string();
    SaveMvl(p, ConfigRowsSnapshot{});
    EXPECT_TRUE(tracer.responder.reports.empty());
    EXPECT_EQ(crlfLines(readBytes(file))[100], "2");

    // With the matching setting the same file loads.
    ProgramState q;
    q.settings.gUserMSCode = 1;
    q.doc.gDateiname = file.string();
    writeBytes(file, image.bytes());
    EXPECT_EQ(LoadMvl(q, box), LoadResult::Loaded);
    EXPECT_EQ(q.calc.gMediumNr, 4);
}

// ---- Failures ---------------------------------------------------------------------

// Errors of the file system go to the error dialog, and whatever the answer
// there (going on with the next statement among them), the load loads nothing:
// the state and the configuration rows stay as they were.
TEST(CalculationFileReading, FilesThatCannotBeReadGoToTheErrorDialog)
{
    struct Row {
        const char* name;
        int error;
        const char* shows;
    } rows[] = {
        {"missing.mv5", err::FileNotFound, "no such file"},
        {"plain/inside.mv5", err::FileNotFound, "a path through a file"},
    };
    for (const Row& r : rows) {
        for (const std::int16_t answer : {ContNext, ContExit}) {
            TestTracer tracer;
            tracer.responder.answers = {answer};
            Folder folder;
            writeBytes(folder.file("plain"), FileImage{}.bytes());
            ProgramState p;
            p.calc.gMediumNr = 2;
            p.config.gConfAuswahl.ComboIndex = 5;
            p.config.gConfAuswahl.Anzahl = 1;
            p.config.gConfAuswahl.Wert[0] = 9.5;
            const fs::path file = folder.file(r.name);
            p.doc.gDateiname = file.string();
            RecordingMessageBox box;
            EXPECT_EQ(LoadMvl(p, box), LoadResult::Failed) << r.shows << ", answer " << answer;
            ASSERT_EQ(tracer.responder.reports.size(), 1u) << r.shows;
            EXPECT_EQ(tracer.responder.reports[0].number, r.error) << r.shows;
            EXPECT_EQ(tracer.responder.reports[0].procedure, "LoadMvl") << r.shows;
            EXPECT_NE(tracer.responder.reports[0].description.find(file.string()), std::string::npos) << r.shows;
            EXPECT_TRUE(box.shown.empty()) << r.shows;
            EXPECT_EQ(p.calc.gMediumNr, 2) << r.shows << ", answer " << answer;
            EXPECT_EQ(p.config.gConfAuswahl.ComboIndex, 5) << r.shows << ", answer " << answer;
            EXPECT_EQ(p.config.gConfAuswahl.Anzahl, 1) << r.shows << ", answer " << answer;
            EXPECT_EQ(p.config.gConfAuswahl.Wert[0], 9.5) << r.shows << ", answer " << answer;
            EXPECT_EQ(p.doc.gDateiname, "") << r.shows << ", answer " << answer;
        }
    }
}

// Every field of the state alike (doubles by their bits).
bool sameFields(const CalculationState& a, const CalculationState& b)
{
    const auto sameBits = [](double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; };
    for (const StateField& f : stateFields()) {
        switch (f.kind) {
        case FieldKind::Boolean:
        case FieldKind::Flag:
        case FieldKind::Integer:
            if (f.in<std::int16_t>(a) != f.in<std::int16_t>(b))
                return false;
            break;
        case FieldKind::Double:
            if (!sameBits(f.in<double>(a), f.in<double>(b)))
                return false;
            break;
        case FieldKind::String:
            if (f.in<std::string>(a) != f.in<std::string>(b))
                return false;
            break;
        case FieldKind::PointArray:
            for (std::size_t k = 0; k < f.in<PointArray>(a).size(); ++k)
                if (!sameBits(f.in<PointArray>(a)[k], f.in<PointArray>(b)[k]))
                    return false;
            break;
        }
    }
    return true;
}

// A number slot that holds no number, a number beyond its type's range, a
// known dp that overflows when it is scaled, a file that ends inside its
// blocks: damage to the file's content, as much as a value on the wrong line.
// Open names the file in the "not consistent" message and shows no error
// dialog; the calculation open before stays in the state and the window, and
// stays the current file.
TEST(CalculationFileReading, DamagedNumbersAreNamedAsDamageOfTheFile)
{
    struct Row {
        int block;  // 0 Boolean, 1 String, 2 Integer, 3 Double, 4 configuration section; -1 cut the file
        int slot;   // from 1; for the section, `lines` is the whole section; for a cut, the lines kept
        std::vector<std::string> lines;
        const char* shows;
    } rows[] = {
        {2, 1, {"abc"}, "a text in an Integer slot"},
        {2, 1, {"NaN"}, "NaN in an Integer slot"},
        {2, 1, {"40000"}, "a whole number beyond 16 bits"},
        {0, 3, {"vielleicht"}, "a word in a Boolean slot"},
        {3, 14, {"abc"}, "a text in a Double slot"},
        // Words that the C library would read as a non-finite double.
        {3, 1, {"nan"}, "NaN in a Double slot"},
        {3, 1, {"inf"}, "infinity in a Double slot"},
        {3, 1, {"-Infinity"}, "minus infinity in a Double slot"},
        {3, 1, {"0x1p3"}, "the hexadecimal form"},
        {3, 1, {"1E+400"}, "a number beyond the double range"},
        {3, 1, {"-1E+400"}, "a negative number beyond the double range"},
        {3, 26, {"1.7E+308"}, "a known dp that overflows when it is scaled by 10"},
        {3, 17, {"32767.5"}, "a flow unit that no Integer holds"},
        {4, 0, {" 99999 "}, "an element-type index beyond 16 bits"},
        {4, 0, {" 3 ", " 1 ", "abc", " 2 "}, "a configuration row's list index that is no number"},
        {4, 0, {" 3 ", " 1 ", " 4 ", " nan "}, "a configuration value NaN"},
        {4, 0, {" 3 ", " 1 ", " 4 ", "-inf "}, "a configuration value minus infinity"},
        {4, 0, {" 3 ", " 1 ", " 4 ", " 1E+999 "}, "a configuration value beyond the double range"},
        {-1, 150, {}, "a file cut inside the Integer block"},
        {-1, 199, {}, "a file cut before the last Double"},
        {-1, 0, {}, "an empty file"},
        {1, 50, {"\"never closed"}, "a text that is never closed runs past the last block"},
    };
    for (const Row& r : rows) {
        TestTracer tracer;
        Folder folder;
        FileImage image;
        image.i[0] = "4";
        std::vector<std::string>* blocks[] = {&image.b, &image.s, &image.i, &image.d};
        std::string bytes;
        if (r.block == 4) {
            image.config = r.lines;
            bytes = image.bytes();
        } else if (r.block >= 0) {
            (*blocks[r.block])[static_cast<std::size_t>(r.slot - 1)] = r.lines[0];
            bytes = image.bytes();
        } else {
            const std::string whole = image.bytes();
            std::size_t cut = 0;
            for (int k = 0; k < r.slot; ++k)
                cut = whole.find("\r\n", cut) + 2;
            bytes = whole.substr(0, cut);
        }
        const fs::path file = folder.file("damaged.mv5");
        writeBytes(file, bytes);

        // The calculation open before, as a window shows it.
        ProgramState p = fullyFilledState();
        p.settings.gUserMSCode = 0;
        p.doc.gBemerkungen = "vorher";
        p.config.gConfAuswahl.ComboIndex = 5;
        p.config.gConfAuswahl.Anzahl = 1;
        p.config.gConfAuswahl.FeldIndex[0] = 3;
        p.config.gConfAuswahl.Wert[0] = 9.5;
        const std::string previous = folder.file("vorher.mv5").string();
        p.doc.gDateiname = previous;
        const CalculationState calcBefore = p.calc;
        std::string panel = previous;
        int windowWrites = 0;
        FileCommandWindow window;
        window.writeWindow = [&] { ++windowWrites; };
        window.showFileName = [&](const std::string& name) { panel = name; };
        testing::ScriptedFileDialogs dialog;
        dialog.openAnswer = file.string();
        RecordingMessageBox box;
        FileCommands commands(p, dialog, box, folder.path(), std::move(window));
        commands.mnuFileOpen_Click();

        EXPECT_TRUE(tracer.responder.reports.empty())
            << r.shows << ": "
            << (tracer.responder.reports.empty() ? "" : tracer.responder.reports[0].procedure + " " + tracer.responder.reports[0].description);
        ASSERT_EQ(box.shown.size(), 1u) << r.shows;
        EXPECT_EQ(box.shown[0].text, inconsistentFileMessage(file.string())) << r.shows;
        EXPECT_EQ(box.shown[0].icon, MessageIcon::None) << r.shows;
        EXPECT_EQ(windowWrites, 0) << r.shows;
        EXPECT_TRUE(sameFields(p.calc, calcBefore)) << r.shows;
        EXPECT_EQ(p.doc.gBemerkungen, "vorher") << r.shows;
        EXPECT_EQ(p.config.gConfAuswahl.ComboIndex, 5) << r.shows;
        EXPECT_EQ(p.config.gConfAuswahl.Anzahl, 1) << r.shows;
        EXPECT_EQ(p.config.gConfAuswahl.FeldIndex[0], 3) << r.shows;
        EXPECT_EQ(p.config.gConfAuswahl.Wert[0], 9.5) << r.shows;
        EXPECT_EQ(p.doc.gDateiname, previous) << r.shows;
        EXPECT_EQ(panel, previous) << r.shows;
    }
}

// Only a regular file of a sensible size is read; a device or a named pipe
// would be read without end or block the program.
TEST(CalculationFileReading, OnlyRegularFilesOfASensibleSize)
{
    Folder folder;
    const fs::path fifo = folder.file("pipe.mv5");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path big = folder.file("big.mv5");
    writeBytes(big, FileImage{}.bytes() + std::string(2 * 1024 * 1024, ' '));
    const fs::path limit = folder.file("limit.mv5");
    const std::string sound = FileImage{}.bytes();
    writeBytes(limit, sound + std::string(1024 * 1024 - sound.size(), ' '));
    struct Row {
        fs::path file;
        bool loads;
        const char* shows;
    } rows[] = {
        {fifo, false, "a named pipe"},
        {"/dev/zero", false, "a device without end"},
        {folder.path(), false, "a folder"},
        {big, false, "2 MB"},
        {limit, true, "exactly 1 MB"},
    };
    for (const Row& r : rows) {
        TestTracer tracer;
        ProgramState p;
        p.calc.gMediumNr = 2;
        p.doc.gDateiname = r.file.string();
        RecordingMessageBox box;
        const LoadResult got = LoadMvl(p, box);
        if (r.loads) {
            EXPECT_EQ(got, LoadResult::Loaded) << r.shows;
            continue;
        }
        EXPECT_EQ(got, LoadResult::Failed) << r.shows;
        ASSERT_EQ(tracer.responder.reports.size(), 1u) << r.shows;
        EXPECT_EQ(tracer.responder.reports[0].number, 75) << r.shows;
        EXPECT_NE(tracer.responder.reports[0].description.find(r.file.string()), std::string::npos)
            << tracer.responder.reports[0].description;
        EXPECT_EQ(p.calc.gMediumNr, 2) << r.shows;
    }
}

// A failed save names the file and leaves the old one as it was, with no
// temporary file left beside it.
void expectRefusedSave(const Folder& folder, const fs::path& target, int error, const std::string& old,
                       const char* shows)
{
    TestTracer tracer;
    ProgramState p = fullyFilledState();
    p.settings.gUserMSCode = 0;
    p.doc.gDateiname = target.string();
    SaveMvl(p, ConfigRowsSnapshot{});
    ASSERT_EQ(tracer.responder.reports.size(), 1u) << shows;
    EXPECT_EQ(tracer.responder.reports[0].number, error) << shows;
    EXPECT_EQ(tracer.responder.reports[0].procedure, "SaveMvl") << shows;
    EXPECT_NE(tracer.responder.reports[0].description.find(target.string()), std::string::npos)
        << tracer.responder.reports[0].description;
    EXPECT_EQ(readBytes(target), old) << shows;
    EXPECT_EQ(folder.names(), std::set<std::string>{target.filename().string()}) << shows;
}

TEST(CalculationFileWriting, ReadOnlyFileIsNotReplaced)
{
    // By the file's mode, also for a user (root) whom the system would let write.
    for (const auto mode : {fs::perms::owner_read, fs::perms::owner_read | fs::perms::group_read |
                                                       fs::perms::others_read}) {
        Folder folder;
        const fs::path target = folder.file("locked.mv5");
        const std::string old = FileImage{}.bytes();
        writeBytes(target, old);
        fs::permissions(target, mode);
        expectRefusedSave(folder, target, 75, old, "read-only");
        EXPECT_EQ(fs::status(target).permissions(), mode);
    }
}

// A file that carries a write bit, but not for this user (another user's
// file, writable for its owner and group only), in a folder this user may
// write: the new file would be renamed over it although this user could never
// write it. Run as a user without privileges (root drops to "nobody" in a
// child process); skipped where neither can be arranged.
TEST(CalculationFileWriting, AFileThisUserMayNotWriteIsNotReplaced)
{
    Folder folder;
    fs::permissions(folder.path(), fs::perms::all);  // anyone may add and rename files here
    const fs::path target = folder.file("other.mv5");
    const std::string old = FileImage{}.bytes();
    writeBytes(target, old);
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                fs::perms::group_write | fs::perms::others_read);
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // nobody: neither the file's owner nor in its group.
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        TestTracer tracer;
        ProgramState p;
        p.calc.gMediumNr = 7;
        p.doc.gDateiname = target.string();
        const bool written = SaveMvl(p, ConfigRowsSnapshot{});
        const bool refused = tracer.responder.reports.size() == 1 && tracer.responder.reports[0].number == 75 &&
                             tracer.responder.reports[0].description.find(target.string()) != std::string::npos;
        ::_exit(written ? 1 : refused ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 3)
        GTEST_SKIP() << "cannot act as another user here";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: replaced, 2: no error 75 naming the file";
    EXPECT_TRUE(readBytes(target) == old);
    EXPECT_EQ(folder.names(), std::set<std::string>{"other.mv5"});
}

TEST(CalculationFileWriting, LinksAreFollowed)
{
    struct Row {
        bool relative;
        bool dangling;
    } rows[] = {{false, false}, {true, false}, {true, true}};
    for (const Row& r : rows) {
        TestTracer tracer;
        Folder folder;
        fs::create_directories(folder.file("real"));
        const fs::path real = folder.file("real") / "calc.mv5";
        if (!r.dangling)
            writeBytes(real, "old\r\n");
        const fs::path link = folder.file("link.mv5");
        fs::create_symlink(r.relative ? fs::path("real") / "calc.mv5" : real, link);
        ProgramState p;
        p.calc.gMediumNr = 7;
        p.doc.gDateiname = link.string();
        SaveMvl(p, ConfigRowsSnapshot{});
        EXPECT_TRUE(tracer.responder.reports.empty());
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(crlfLines(readBytes(real))[100], "7");
        EXPECT_EQ(folder.names(), (std::set<std::string>{"link.mv5", "real"}));
        EXPECT_EQ(fs::directory_iterator(folder.file("real"))->path(), real);
    }
}

TEST(CalculationFileWriting, AnyNameTheFileSystemTakesCanBeSaved)
{
    // 255 bytes, the longest name of a file: the temporary file beside it must
    // still fit.
    TestTracer tracer;
    Folder folder;
    const fs::path target = folder.file(std::string(251, 'k') + ".mv5");
    writeBytes(target, "old\r\n");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ProgramState p;
    p.calc.gMediumNr = 7;
    p.doc.gDateiname = target.string();
    SaveMvl(p, ConfigRowsSnapshot{});
    EXPECT_TRUE(tracer.responder.reports.empty());
    EXPECT_EQ(crlfLines(readBytes(target))[100], "7");
    EXPECT_EQ(folder.names().size(), 1u);
    // The replaced file keeps its permissions.
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// ---- What a save keeps of the file it replaces ---------------------------------

// Runs `work` in a child process as another user (uid, primary group and the
// groups he belongs to) and hands back what it wrote; nothing where this
// process cannot act as another user (only root can).
std::optional<std::string> asUser(uid_t uid, gid_t gid, std::vector<gid_t> groups,
                                  const std::function<std::string()>& work)
{
    if (::geteuid() != 0)
        return std::nullopt;
    int pipe[2];
    if (::pipe(pipe) != 0)
        return std::nullopt;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        ::close(pipe[0]);
        if (::setgroups(groups.size(), groups.data()) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
            ::_exit(3);
        const std::string said = work();
        const bool whole = ::write(pipe[1], said.data(), said.size()) == static_cast<ssize_t>(said.size());
        ::_exit(whole ? 0 : 4);
    }
    ::close(pipe[1]);
    std::string said;
    char buf[512];
    for (ssize_t n; (n = ::read(pipe[0], buf, sizeof buf)) > 0;)
        said.append(buf, static_cast<std::size_t>(n));
    ::close(pipe[0]);
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return said;
}

// Saves a calculation with medium 7 over `target`; the errors it met, one a
// line ("75 Path/File access error, ...: /path"), empty when it was written.
std::string saveSeven(const fs::path& target, const std::string& remark = {}, const SaveFault& fault = {})
{
    TestTracer tracer;
    ProgramState p;
    p.calc.gMediumNr = 7;
    p.doc.gBemerkungen = remark;
    p.doc.gDateiname = target.string();
    const bool written = SaveMvl(p, ConfigRowsSnapshot{}, fault);
    std::string errors;
    for (const auto& report : tracer.responder.reports)
        errors += std::to_string(report.number) + " " + report.description + "\n";
    return written || !errors.empty() ? errors : "not written\n";
}

struct Owner {
    uid_t uid;
    gid_t gid;
    mode_t mode;
    ino_t inode;
};
Owner ownerOf(const fs::path& file)
{
    struct stat st {};
    EXPECT_EQ(::stat(file.c_str(), &st), 0) << file;
    return {st.st_uid, st.st_gid, st.st_mode & 07777, st.st_ino};
}

void setOwner(const fs::path& file, uid_t uid, gid_t gid, mode_t mode)
{
    ASSERT_EQ(::chown(file.c_str(), uid, gid), 0) << file;
    ASSERT_EQ(::chmod(file.c_str(), mode), 0) << file;
}

// A file 1234:2000 with mode 664 in a project folder of group 2000, saved by a
// colleague in that group: his new file renamed over it would be his and his
// group's, and its owner could no longer write it. The file keeps its owner,
// group and mode (the colleague may not give a new file to 1234, so it is
// written in place), with no backup left beside it.
TEST(CalculationFileWriting, SharedFolderSaveKeepsOwnerGroupAndMode)
{
    Folder folder;
    const fs::path project = folder.file("Projekt");
    fs::create_directories(project);
    const fs::path target = project / "FT-101.mv5";
    writeBytes(target, FileImage{}.bytes());
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to set the owners and to act as a colleague";
    setOwner(project, 0, 2000, 02775);
    setOwner(target, 1234, 2000, 0664);
    const auto said = asUser(1235, 1235, {1235, 2000}, [&] { return saveSeven(target); });
    if (!said)
        GTEST_SKIP() << "cannot act as another user here";
    EXPECT_EQ(*said, "");
    const Owner now = ownerOf(target);
    EXPECT_EQ(now.uid, 1234u);
    EXPECT_EQ(now.gid, 2000u);
    EXPECT_EQ(now.mode, 0664u);
    EXPECT_EQ(crlfLines(readBytes(target))[100], "7");
    EXPECT_EQ(Folder::namesIn(project), std::set<std::string>{"FT-101.mv5"});
}

// Root saving a user's private file: the new file goes back to its owner, who
// could not even read a file of root's with mode 640.
TEST(CalculationFileWriting, RootsSaveKeepsTheOwnersFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root";
    Folder folder;
    const fs::path target = folder.file("privat.mv5");
    writeBytes(target, FileImage{}.bytes());
    setOwner(target, 1234, 1234, 0640);
    EXPECT_EQ(saveSeven(target), "");
    const Owner now = ownerOf(target);
    EXPECT_EQ(now.uid, 1234u);
    EXPECT_EQ(now.gid, 1234u);
    EXPECT_EQ(now.mode, 0640u);
    EXPECT_EQ(crlfLines(readBytes(target))[100], "7");
    EXPECT_EQ(folder.names(), std::set<std::string>{"privat.mv5"});
}

// An access list as the kernel keeps it (system.posix_acl_access): version 2,
// then (tag, permissions, id) for each entry, ordered by tag.
std::string accessList(std::initializer_list<std::tuple<std::uint16_t, std::uint16_t, std::uint32_t>> entries)
{
    std::string out;
    const auto put = [&](auto v) {
        for (std::size_t k = 0; k < sizeof v; ++k)
            out += static_cast<char>((v >> (8 * k)) & 0xFF);
    };
    put(std::uint32_t{2});
    for (const auto& [tag, perm, id] : entries) {
        put(tag);
        put(perm);
        put(id);
    }
    return out;
}
constexpr std::uint16_t AclUserObj = 0x01, AclUser = 0x02, AclGroupObj = 0x04, AclMask = 0x10, AclOther = 0x20;
constexpr std::uint32_t AclNoId = 0xFFFFFFFF;

std::optional<std::string> attribute(const fs::path& file, const char* name)
{
    char buf[1024];
    const ssize_t n = ::getxattr(file.c_str(), name, buf, sizeof buf);
    if (n < 0)
        return std::nullopt;
    return std::string(buf, static_cast<std::size_t>(n));
}

// The access list and the extended attributes of the file come through a save;
// an access list the folder gives new files does not come in.
TEST(CalculationFileWriting, AccessListAndAttributesSurvive)
{
    Folder folder;
    const fs::path target = folder.file("acl.mv5");
    writeBytes(target, FileImage{}.bytes());
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    // user:1234:rw- beside owner rw-, group r--, others none.
    const std::string acl = accessList({{AclUserObj, 6, AclNoId},
                                        {AclUser, 6, 1234},
                                        {AclGroupObj, 4, AclNoId},
                                        {AclMask, 6, AclNoId},
                                        {AclOther, 0, AclNoId}});
    if (::setxattr(target.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0)
        GTEST_SKIP() << "no access lists on this file system: " << std::strerror(errno);
    const std::string note = "Projekt 7, geprüft";
    if (::setxattr(target.c_str(), "user.morvane.note", note.data(), note.size(), 0) != 0)
        GTEST_SKIP() << "no user attributes on this file system: " << std::strerror(errno);
    const mode_t mode = ownerOf(target).mode;

    EXPECT_EQ(saveSeven(target), "");
    EXPECT_EQ(crlfLines(readBytes(target))[100], "7");
    EXPECT_EQ(attribute(target, "system.posix_acl_access"), acl);
    EXPECT_EQ(attribute(target, "user.morvane.note"), note);
    EXPECT_EQ(ownerOf(target).mode, mode) << "the owning group gains nothing through the mask";

    // A file without an access list in a folder whose default list gives new
    // files one: the saved file has none either.
    const fs::path plain = folder.file("plain.mv5");
    writeBytes(plain, FileImage{}.bytes());
    ASSERT_EQ(::chmod(plain.c_str(), 0640), 0);
    const std::string folderDefault = accessList({{AclUserObj, 7, AclNoId},
                                                  {AclUser, 7, 1234},
                                                  {AclGroupObj, 5, AclNoId},
                                                  {AclMask, 7, AclNoId},
                                                  {AclOther, 5, AclNoId}});
    ASSERT_EQ(::setxattr(folder.path().c_str(), "system.posix_acl_default", folderDefault.data(),
                         folderDefault.size(), 0),
              0);
    EXPECT_EQ(saveSeven(plain), "");
    EXPECT_EQ(attribute(plain, "system.posix_acl_access"), std::nullopt);
    EXPECT_EQ(ownerOf(plain).mode, 0640u);
    EXPECT_EQ(folder.names(), (std::set<std::string>{"acl.mv5", "plain.mv5"}));
}

// A file made as any program makes a new file: open(O_CREAT) with mode 666,
// under the folder's default access list or the process's umask.
void touch(const fs::path& file)
{
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    ASSERT_GE(fd, 0) << file << ": " << std::strerror(errno);
    ::close(fd);
}

// A calculation saved for the first time gets what the system gives any new
// file in its folder. In a project folder whose default access list names a
// colleague (u::rwx, u:2001:rwx, g::rwx, o::---), the owner's first save
// under umask 022 is a file the colleague may write and nobody else may read,
// as a file made by touch is, and the colleague's save over it goes through.
TEST(CalculationFileWriting, NewFileTakesTheFoldersDefaultAccessList)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as the owner and his colleague";
    Folder folder;
    const fs::path project = folder.file("Projekt");
    fs::create_directories(project);
    setOwner(project, 1234, 1234, 0770);
    const std::string list = accessList({{AclUserObj, 7, AclNoId},
                                         {AclUser, 7, 2001},
                                         {AclGroupObj, 7, AclNoId},
                                         {AclMask, 7, AclNoId},
                                         {AclOther, 0, AclNoId}});
    for (const char* name : {"system.posix_acl_access", "system.posix_acl_default"})
        if (::setxattr(project.c_str(), name, list.data(), list.size(), 0) != 0)
            GTEST_SKIP() << "no access lists on this file system: " << std::strerror(errno);
    const fs::path target = project / "FT-101.mv5";
    const fs::path touched = project / "touched.mv5";
    const auto said = asUser(1234, 1234, {1234}, [&] {
        ::umask(022);
        touch(touched);
        return saveSeven(target);
    });
    if (!said)
        GTEST_SKIP() << "cannot act as another user here";
    ASSERT_EQ(*said, "");
    const auto touchedList = attribute(touched, "system.posix_acl_access");
    ASSERT_TRUE(touchedList.has_value()) << "the default list gives a new file a list of its own";
    EXPECT_EQ(attribute(target, "system.posix_acl_access"), touchedList);
    EXPECT_EQ(ownerOf(target).mode, ownerOf(touched).mode);
    EXPECT_EQ(ownerOf(target).mode, 0660u) << "the mask is rw-, others get nothing";

    const auto colleague = asUser(2001, 2001, {2001}, [&] { return saveSeven(target, "vom Kollegen"); });
    ASSERT_TRUE(colleague.has_value());
    EXPECT_EQ(*colleague, "");
    EXPECT_NE(readBytes(target).find("vom Kollegen"), std::string::npos);
    EXPECT_EQ(ownerOf(target).uid, 1234u);
    EXPECT_EQ(attribute(target, "system.posix_acl_access"), touchedList);
    EXPECT_EQ(Folder::namesIn(project), (std::set<std::string>{"FT-101.mv5", "touched.mv5"}));
}

// In a folder without a default access list, the umask decides, as it does
// for a file made by touch; the new file has no access list.
TEST(CalculationFileWriting, NewFileWithoutADefaultAccessListTakesTheUmask)
{
    for (const mode_t mask : {mode_t{022}, mode_t{027}, mode_t{002}, mode_t{077}}) {
        Folder folder;
        const fs::path target = folder.file("FT-101.mv5");
        const fs::path touched = folder.file("touched.mv5");
        const mode_t before = ::umask(mask);
        touch(touched);
        const std::string said = saveSeven(target);
        ::umask(before);
        EXPECT_EQ(said, "") << std::oct << mask;
        EXPECT_EQ(ownerOf(target).mode, 0666 & ~mask) << std::oct << mask;
        EXPECT_EQ(ownerOf(target).mode, ownerOf(touched).mode) << std::oct << mask;
        EXPECT_EQ(attribute(target, "system.posix_acl_access"), std::nullopt) << std::oct << mask;
        EXPECT_EQ(folder.names(), (std::set<std::string>{"FT-101.mv5", "touched.mv5"})) << std::oct << mask;
    }
}

// Two names of one file: a save under either changes what both show.
TEST(CalculationFileWriting, HardLinksAllShowTheNewContent)
{
    Folder folder;
    const fs::path target = folder.file("FT-101.mv5");
    const fs::path other = folder.file("Kopie.mv5");
    writeBytes(target, FileImage{}.bytes());
    ASSERT_EQ(::chmod(target.c_str(), 0604), 0);
    fs::create_hard_link(target, other);
    const Owner before = ownerOf(target);
    EXPECT_EQ(saveSeven(target), "");
    EXPECT_EQ(crlfLines(readBytes(target))[100], "7");
    EXPECT_EQ(readBytes(other), readBytes(target));
    EXPECT_EQ(ownerOf(target).inode, before.inode);
    EXPECT_EQ(ownerOf(target).mode, 0604u);
    EXPECT_EQ(folder.names(), (std::set<std::string>{"FT-101.mv5", "Kopie.mv5"}));
}

// Where no new file can be made beside the target, the save is refused and
// its error says that the folder is read-only: for a folder this user may not
// write (as a colleague: root may write any folder), and for a read-only disk.
TEST(CalculationFileWriting, ReadOnlyFolderNamesItsReason)
{
    const std::string old = FileImage{}.bytes();
    struct Row {
        bool exists;
        bool linked;
        const char* reason;
        const char* shows;
    } rows[] = {
        {true, false, "Path/File access error, the folder is read-only: ", "his own file"},
        {false, false, "Path/File access error, the folder is read-only: ", "a new file"},
        {true, true,
         "Path/File access error, no backup of the old content can be made beside the file, the folder is "
         "read-only: ",
         "a file with two links, written in place"},
    };
    bool tested = false;
    for (const Row& r : rows) {
        Folder folder;
        const fs::path shut = folder.file("Archiv");
        fs::create_directories(shut);
        const fs::path target = shut / "FT-101.mv5";
        if (r.exists)
            writeBytes(target, old);
        if (r.linked)
            fs::create_hard_link(target, shut / "Kopie.mv5");
        if (::geteuid() != 0)
            break;
        for (const auto& e : fs::directory_iterator(shut))
            setOwner(e.path(), 1235, 1235, 0644);
        setOwner(shut, 0, 0, 0755);
        const auto said = asUser(1235, 1235, {1235}, [&] { return saveSeven(target); });
        if (!said)
            break;
        tested = true;
        EXPECT_EQ(*said, "75 " + std::string(r.reason) + target.string() + "\n") << r.shows;
        if (r.exists) {
            EXPECT_TRUE(readBytes(target) == old) << r.shows;
        }
        EXPECT_EQ(Folder::namesIn(shut).size(), r.exists ? (r.linked ? 2u : 1u) : 0u) << r.shows;
    }
    // A read-only disk, for any user.
    Folder folder;
    const fs::path disk = folder.file("disk");
    fs::create_directories(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") == 0) {
        struct Unmount {
            fs::path at;
            ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
        } unmount{disk};
        const fs::path target = disk / "FT-101.mv5";
        writeBytes(target, old);
        ASSERT_EQ(::mount("tmpfs", disk.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
        EXPECT_EQ(saveSeven(target), "75 Path/File access error, the folder is read-only: " + target.string() + "\n");
        EXPECT_TRUE(readBytes(target) == old);
        tested = true;
    }
    if (!tested)
        GTEST_SKIP() << "can neither act as another user nor mount a disk here";
}

// Sets or clears the append-only flag of a file (chattr +a); false where this
// user or the file system cannot.
bool setAppendOnly(const fs::path& file, bool on)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_APPEND_FL : flags & ~FS_APPEND_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
}

// A save the system refuses says why, as the other refusals do: a name that
// is a loop of links, a name longer than a folder takes, a file that may only
// be appended to (written by rename and in place alike).
TEST(CalculationFileWriting, RefusedSavesNameTheirReason)
{
    const std::string old = FileImage{}.bytes();
    enum class Kind { Loop, LongName, AppendOnly, AppendOnlyLinked };
    struct Row {
        Kind kind;
        const char* reason;
        const char* shows;
    } rows[] = {
        {Kind::Loop, "a loop of links", "a link to a link to the first"},
        {Kind::LongName, "name too long", "a name of 256 bytes"},
        {Kind::AppendOnly, "the file may only be appended to", "an append-only file"},
        {Kind::AppendOnlyLinked, "the file may only be appended to", "an append-only file with two links"},
    };
    for (const Row& r : rows) {
        Folder folder;
        fs::path target = folder.file("FT-101.mv5");
        std::set<std::string> names;
        const bool appendOnly = r.kind == Kind::AppendOnly || r.kind == Kind::AppendOnlyLinked;
        if (r.kind == Kind::Loop) {
            fs::create_symlink("Kopie.mv5", target);
            fs::create_symlink("FT-101.mv5", folder.file("Kopie.mv5"));
            names = {"FT-101.mv5", "Kopie.mv5"};
        } else if (r.kind == Kind::LongName) {
            target = folder.file(std::string(252, 'k') + ".mv5");
        } else {
            writeBytes(target, old);
            names = {"FT-101.mv5"};
            if (r.kind == Kind::AppendOnlyLinked) {
                fs::create_hard_link(target, folder.file("Kopie.mv5"));
                names.insert("Kopie.mv5");
            }
            if (!setAppendOnly(target, true)) {
                std::cout << r.shows << ": skipped, no append-only flag here\n";
                continue;
            }
        }
        const std::string said = saveSeven(target);
        if (appendOnly) {
            EXPECT_TRUE(setAppendOnly(target, false));
            EXPECT_TRUE(readBytes(target) == old) << r.shows;
        }
        EXPECT_EQ(said, "75 Path/File access error, " + std::string(r.reason) + ": " + target.string() + "\n")
            << r.shows;
        EXPECT_EQ(folder.names(), names) << r.shows;
    }
}

// An open the system refuses says why: a loop of links, a name longer than a
// folder takes, a file this user may not read (another user's private file).
TEST(CalculationFileReading, RefusedOpensNameTheirReason)
{
    Folder folder;
    const fs::path loop = folder.file("FT-101.mv5");
    fs::create_symlink("Kopie.mv5", loop);
    fs::create_symlink("FT-101.mv5", folder.file("Kopie.mv5"));
    const fs::path tooLong = folder.file(std::string(252, 'k') + ".mv5");
    const fs::path secret = folder.file("privat.mv5");
    writeBytes(secret, FileImage{}.bytes());
    ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);
    const auto open = [](const fs::path& file) {
        TestTracer tracer;
        ProgramState p;
        p.calc.gMediumNr = 2;
        p.doc.gDateiname = file.string();
        RecordingMessageBox box;
        const LoadResult got = LoadMvl(p, box);
        std::string said = got == LoadResult::Failed ? "" : "not failed\n";
        for (const auto& report : tracer.responder.reports)
            said += std::to_string(report.number) + " " + report.description + "\n";
        if (!box.shown.empty() || p.calc.gMediumNr != 2)
            said += "changed\n";
        return said;
    };
    struct Row {
        fs::path file;
        const char* reason;
        bool asColleague;
    } rows[] = {
        {loop, "a loop of links", false},
        {tooLong, "name too long", false},
        {secret, "no permission to read", true},
    };
    for (const Row& r : rows) {
        const std::string expected = "75 Path/File access error, " + std::string(r.reason) + ": " + r.file.string() + "\n";
        if (!r.asColleague) {
            EXPECT_EQ(open(r.file), expected);
            continue;
        }
        // Root may read any file: the colleague 1235 is not the file's owner.
        const auto said = asUser(1235, 1235, {1235}, [&] { return open(r.file); });
        if (!said) {
            std::cout << r.reason << ": skipped, cannot act as another user here\n";
            continue;
        }
        EXPECT_EQ(*said, expected);
    }
}

// A small file system of its own, filled up; only where one can be mounted.
class FullDisk {
public:
    FullDisk()
    {
        fs::create_directories(at_);
        mounted_ = ::mount("tmpfs", at_.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullDisk()
    {
        if (mounted_)
            ::umount2(at_.c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    const fs::path& path() const { return at_; }
    // Fills the disk, then frees `room` bytes of it again.
    void fill(std::uintmax_t room)
    {
        {
            std::ofstream filler(at_ / "filler", std::ios::binary);
            const std::string block(512, 'f');
            for (int k = 0; k < 1000 && filler; ++k)
                filler.write(block.data(), static_cast<std::streamsize>(block.size())).flush();
        }
        const std::uintmax_t size = fs::file_size(at_ / "filler");
        fs::resize_file(at_ / "filler", size > room ? size - room : 0);
    }

private:
    Folder folder_;
    fs::path at_ = folder_.file("disk");
    bool mounted_ = false;
};

TEST(CalculationFileWriting, FullDiskKeepsTheOldFile)
{
    struct Row {
        bool linked;          // a second link: written in place
        std::uintmax_t room;  // bytes freed after filling the disk
        const char* reason;   // in the error's description
        const char* shows;
    } rows[] = {
        {false, 0, "Disk full: ", "the new file under its temporary name"},
        {true, 8192, "Disk full, the file keeps its old content: ", "in place, full half-way, put back"},
        {true, 0, "Disk full, no backup of the old content can be made beside the file: ",
         "in place, no room for a backup"},
    };
    for (const Row& r : rows) {
        FullDisk disk;
        if (!disk.mounted())
            GTEST_SKIP() << "no tmpfs can be mounted here";
        const fs::path target = disk.path() / "calc.mv5";
        const std::string old = FileImage{}.bytes();
        writeBytes(target, old);
        if (r.linked)
            fs::create_hard_link(target, disk.path() / "Kopie.mv5");
        disk.fill(r.room);
        EXPECT_EQ(saveSeven(target, std::string(20000, 'r')), "61 " + std::string(r.reason) + target.string() + "\n")
            << r.shows;
        EXPECT_TRUE(readBytes(target) == old) << r.shows;
        EXPECT_EQ(Folder::namesIn(disk.path()).size(), r.linked ? 3u : 2u) << r.shows;
    }
}

// Failures staged in a save, each (stage, from): every block of a write
// stage from the offset `from` on, or the call `from` (0 the first) of a
// flush, close or rename; each fails with `error`.
SaveFault failing(std::vector<std::pair<SaveStage, std::uint64_t>> failures, int error)
{
    return [failures = std::move(failures), error, calls = std::map<SaveStage, std::uint64_t>{}](
               SaveStage stage, std::uint64_t offset) mutable {
        const bool write = stage == SaveStage::Temporary || stage == SaveStage::Backup ||
                           stage == SaveStage::InPlace || stage == SaveStage::Restore;
        const std::uint64_t at = write ? offset : calls[stage]++;
        for (const auto& [failed, from] : failures)
            if (failed == stage && (write ? at >= from : at == from))
                return error;
        return 0;
    };
}

// An old file FT-101.mv5 of more than one block of the writes, with a second
// link (Kopie.mv5) where `linked`, so that it is written in place; its bytes.
std::string writeOldFile(const Folder& folder, bool linked)
{
    FileImage image;
    image.s[2] = "\"" + std::string(6000, 'a') + "\"";
    const std::string old = image.bytes();
    writeBytes(folder.file("FT-101.mv5"), old);
    if (linked)
        fs::create_hard_link(folder.file("FT-101.mv5"), folder.file("Kopie.mv5"));
    return old;
}

// A folder with the old file FT-101.mv5 (a second link where `linked`), its
// bytes, and the names a save that fails leaves in the folder.
struct OldFile {
    explicit OldFile(bool linked) : old(writeOldFile(folder, linked))
    {
        if (linked)
            names.insert("Kopie.mv5");
    }
    Folder folder;
    fs::path target = folder.file("FT-101.mv5");
    std::string old;
    std::set<std::string> names{"FT-101.mv5"};
};

// Failures at every stage of a save written in place, one after another:
// whatever fails, the old content is either in the file or in a backup that
// the error names. The file flushes are the backup's, then the new bytes',
// then (after a failure) the old bytes' put back.
TEST(CalculationFileWriting, NothingIsLostInAnyOrderOfFailures)
{
    struct Row {
        std::vector<std::pair<SaveStage, std::uint64_t>> failures;
        int error;
        const char* reason;  // nullptr: the backup stays, named
        const char* shows;
    } rows[] = {
        {{{SaveStage::Backup, 0}}, EIO, "Device I/O error, no backup of the old content can be made beside the file: ",
         "the backup cannot be written"},
        {{{SaveStage::Backup, 4096}}, ENOSPC, "Disk full, no backup of the old content can be made beside the file: ",
         "the backup fails half-way"},
        {{{SaveStage::InPlace, 0}}, EIO, "Device I/O error, the file keeps its old content: ", "the first write fails"},
        {{{SaveStage::InPlace, 4096}}, ENOSPC, "Disk full, the file keeps its old content: ", "a write half-way fails"},
        {{{SaveStage::InPlace, 4096}, {SaveStage::Restore, 0}}, EIO, nullptr, "the old bytes cannot be put back"},
        {{{SaveStage::InPlace, 4096}, {SaveStage::Restore, 4096}}, EIO, nullptr, "putting them back fails half-way"},
        {{{SaveStage::FileSync, 0}}, EIO, "Device I/O error, no backup of the old content can be made beside the file: ",
         "the backup cannot be flushed"},
        {{{SaveStage::FileSync, 1}}, ENOSPC, "Disk full, the file keeps its old content: ",
         "the new bytes cannot be flushed"},
        {{{SaveStage::FileSync, 1}, {SaveStage::FileSync, 2}}, EIO, nullptr,
         "neither the new bytes nor the old ones put back can be flushed"},
    };
    for (const Row& r : rows) {
        Folder folder;
        const fs::path target = folder.file("FT-101.mv5");
        const std::string old = writeOldFile(folder, true);
        const std::string said = saveSeven(target, std::string(9000, 'r'), failing(r.failures, r.error));
        std::set<std::string> names = folder.names();
        names.erase("FT-101.mv5");
        names.erase("Kopie.mv5");
        if (r.reason) {
            EXPECT_EQ(said, std::to_string(r.error == EIO ? 57 : 61) + " " + r.reason + target.string() + "\n")
                << r.shows;
            EXPECT_TRUE(readBytes(target) == old) << r.shows;
            EXPECT_TRUE(names.empty()) << r.shows;
            continue;
        }
        // The backup stays beside the file, named after it, and the error names it.
        ASSERT_EQ(names.size(), 1u) << r.shows;
        const fs::path backup = folder.file(*names.begin());
        EXPECT_EQ(backup.filename().string().rfind("FT-101.mv5.", 0), 0u) << backup;
        EXPECT_EQ(backup.extension(), ".bak");
        EXPECT_EQ(said, "57 Device I/O error, the old content is kept beside it in " + backup.filename().string() +
                            ": " + target.string() + "\n")
            << r.shows;
        EXPECT_TRUE(readBytes(backup) == old) << r.shows;
    }
}

// A flush, the close or the rename of the new file that fails: the save is
// refused with the error a failed write gives (the rename with 75 and its
// reason), the old file stays as it was and no temporary file is left. The
// folder's flushes are a best effort, as some file systems refuse them: a save
// whose folder cannot be flushed stands, renamed or written in place.
TEST(CalculationFileWriting, AFailedFlushCloseOrRenameKeepsTheOldFile)
{
    struct Row {
        bool linked;  // a second link: written in place
        std::vector<std::pair<SaveStage, std::uint64_t>> failures;
        int error;
        const char* said;  // nullptr: saved
        const char* shows;
    } rows[] = {
        {false, {{SaveStage::FileSync, 0}}, EIO, "57 Device I/O error: ", "the new file cannot be flushed"},
        {false, {{SaveStage::FileSync, 0}}, ENOSPC, "61 Disk full: ", "the flush finds the disk full"},
        {false, {{SaveStage::Close, 0}}, EIO, "57 Device I/O error: ", "the close reports a failed write"},
        {false, {{SaveStage::Close, 0}}, EDQUOT, "61 Disk full: ", "the close finds the quota used up"},
        {false, {{SaveStage::Rename, 0}}, EIO, "75 Path/File access error: ", "the rename fails"},
        {false, {{SaveStage::Rename, 0}}, ENAMETOOLONG, "75 Path/File access error, name too long: ",
         "the rename refuses the name"},
        {false, {{SaveStage::FolderSync, 0}, {SaveStage::FolderSync, 1}}, EINVAL, nullptr,
         "renamed, the folder cannot be flushed"},
        {true, {{SaveStage::FolderSync, 0}, {SaveStage::FolderSync, 1}}, EINVAL, nullptr,
         "in place, the folder cannot be flushed"},
    };
    for (const Row& r : rows) {
        const OldFile f(r.linked);
        const std::string said = saveSeven(f.target, std::string(9000, 'r'), failing(r.failures, r.error));
        if (r.said) {
            EXPECT_EQ(said, r.said + f.target.string() + "\n") << r.shows;
            EXPECT_TRUE(readBytes(f.target) == f.old) << r.shows;
        } else {
            EXPECT_EQ(said, "") << r.shows;
            EXPECT_EQ(crlfLines(readBytes(f.target))[100], "7") << r.shows;
        }
        EXPECT_EQ(f.folder.names(), f.names) << r.shows;
    }
}

// Names a file by its part in a save of `target`.
std::string partInTheSave(const fs::path& file, const fs::path& target)
{
    const fs::path folder = target.parent_path();
    if (file == folder)
        return "the folder";
    if (file == target)
        return "the file";
    const std::string name = file.filename().string();
    if (file.parent_path() == folder && name.ends_with(".bak"))
        return "the backup";
    if (file.parent_path() == folder && name.starts_with(".mv5."))
        return "the temporary file";
    return file.string();
}

// The steps of a save as its fault seam sees them (the writes of a stage as
// one step) and the flushes the system was really asked for ("fsync the
// backup"); at the rename, whether the new file is still open.
std::vector<std::string> stepsOfASave(const fs::path& target, const std::string& remark, const SaveFault& fault)
{
    static const std::map<SaveStage, std::string> names{
        {SaveStage::Temporary, "write the temporary file"}, {SaveStage::Backup, "write the backup"},
        {SaveStage::InPlace, "write in place"},             {SaveStage::Restore, "put the old bytes back"},
        {SaveStage::FileSync, "flush"},                     {SaveStage::Close, "close"},
        {SaveStage::FolderSync, "flush the folder"},        {SaveStage::Rename, "rename"},
    };
    const fs::path file = fs::canonical(target);
    std::vector<std::string> steps;
    const testing::SyncLog log([&](const fs::path& flushed) { steps.push_back("fsync " + partInTheSave(flushed, file)); });
    saveSeven(target, remark, [&](SaveStage stage, std::uint64_t offset) {
        const std::string step = names.at(stage);
        if (steps.empty() || steps.back() != step)
            steps.push_back(step);
        if (stage == SaveStage::Rename)
            for (const fs::path& open : testing::openPaths())
                if (partInTheSave(open, file) == "the temporary file")
                    steps.push_back("the temporary file is still open");
        return fault ? fault(stage, offset) : 0;
    });
    return steps;
}

// Each flush of a save, in its order, as the system is asked for it: the new
// file reaches the disk and is closed before the folder's entries are flushed
// and it takes the old one's name, whose entry is flushed again. Written in
// place, the backup reaches the disk and the folder holds it before a byte of
// the file is overwritten; the new bytes, or the old ones put back after a
// failed write, reach the disk before the backup goes.
TEST(CalculationFileWriting, EachFlushComesInItsOrder)
{
    struct Row {
        bool linked;  // a second link: written in place
        SaveFault fault;
        std::vector<std::string> steps;
        const char* shows;
    } rows[] = {
        {false,
         {},
         {"write the temporary file", "flush", "fsync the temporary file", "close", "flush the folder",
          "fsync the folder", "rename", "flush the folder", "fsync the folder"},
         "renamed over the old file"},
        {true,
         {},
         {"write the backup", "flush", "fsync the backup", "flush the folder", "fsync the folder", "write in place",
          "flush", "fsync the file", "flush the folder", "fsync the folder"},
         "written in place"},
        {true,
         failing({{SaveStage::InPlace, 0}}, EIO),
         {"write the backup", "flush", "fsync the backup", "flush the folder", "fsync the folder", "write in place",
          "put the old bytes back", "flush", "fsync the file", "flush the folder", "fsync the folder"},
         "written in place, the old bytes put back"},
    };
    for (const Row& r : rows) {
        Folder folder;
        const fs::path target = folder.file("FT-101.mv5");
        writeOldFile(folder, r.linked);
        EXPECT_EQ(stepsOfASave(target, std::string(9000, 'r'), r.fault), r.steps) << r.shows;
    }
}

// The system itself refuses a flush or the close of the new file (a failing
// disk, or one that fills while the cached bytes go out), which the fault seam
// cannot stage: its answer, not a staged one, fails the save with the error a
// failed write gives, the old file stays byte for byte and no temporary file
// or backup is left. Written in place, the old bytes go back and are flushed.
TEST(CalculationFileWriting, AFlushOrCloseTheSystemRefusesKeepsTheOldFile)
{
    using Call = testing::RefusedCall::Call;
    struct Row {
        bool linked;  // a second link: written in place
        Call call;
        const char* part;  // the file whose first such call is refused
        int error;
        const char* said;
        const char* shows;
    } rows[] = {
        {false, Call::Fsync, "the temporary file", EIO, "57 Device I/O error: ", "the new file's flush"},
        {false, Call::Fsync, "the temporary file", ENOSPC, "61 Disk full: ", "the flush finds the disk full"},
        {false, Call::Close, "the temporary file", EIO, "57 Device I/O error: ", "the close reports a failed write"},
        {false, Call::Close, "the temporary file", EDQUOT, "61 Disk full: ", "the close finds the quota used up"},
        {true, Call::Fsync, "the file", EIO, "57 Device I/O error, the file keeps its old content: ",
         "in place, the new bytes' flush"},
    };
    for (const Row& r : rows) {
        const OldFile f(r.linked);
        const fs::path file = fs::canonical(f.target);
        int asked = 0;  // the picked file's calls; written in place, the old bytes put back are flushed too
        std::string said;
        {
            const testing::RefusedCall refusal(
                r.call, [&](const fs::path& p) { return partInTheSave(p, file) == r.part && asked++ == 0; },
                r.error);
            said = saveSeven(f.target, std::string(9000, 'r'));
        }
        EXPECT_EQ(asked, r.linked ? 2 : 1) << r.shows;
        EXPECT_EQ(said, r.said + f.target.string() + "\n") << r.shows;
        EXPECT_TRUE(readBytes(f.target) == f.old) << r.shows;
        EXPECT_EQ(f.folder.names(), f.names) << r.shows;
    }
}

// A value that cannot be written (NaN), answered with Next in the error
// dialog: the text of the file was never made, and the old file stays.
TEST(CalculationFileWriting, NextAfterAValueThatCannotBeWrittenKeepsTheOldFile)
{
    TestTracer tracer;
    tracer.responder.answers = {ContNext};
    Folder folder;
    const fs::path target = folder.file("calc.mv5");
    const std::string old = FileImage{}.bytes();
    writeBytes(target, old);
    ProgramState p;
    p.calc.gDruck = std::nan("");
    p.doc.gDateiname = target.string();
    EXPECT_FALSE(SaveMvl(p, ConfigRowsSnapshot{}));
    ASSERT_EQ(tracer.responder.reports.size(), 1u);
    EXPECT_EQ(tracer.responder.reports[0].number, err::InvalidArgument);
    EXPECT_EQ(readBytes(target), old);
    EXPECT_EQ(folder.names(), std::set<std::string>{"calc.mv5"});
}

TEST(CalculationFileWriting, FolderThatIsNotThere)
{
    TestTracer tracer;
    Folder folder;
    ProgramState p;
    p.doc.gDateiname = (folder.path() / "gone" / "calc.mv5").string();
    SaveMvl(p, ConfigRowsSnapshot{});
    ASSERT_EQ(tracer.responder.reports.size(), 1u);
    EXPECT_EQ(tracer.responder.reports[0].number, 76);
    EXPECT_NE(tracer.responder.reports[0].description.find("calc.mv5"), std::string::npos);
    EXPECT_TRUE(folder.names().empty());
}

TEST(CalculationFileWriting, ConfigurationRowThatIsNotThere)
{
    // gConfFeldAnzahl names more rows than the window holds: error 9 and no file.
    TestTracer tracer;
    Folder folder;
    ProgramState p;
    p.doc.gDateiname = folder.file("calc.mv5").string();
    p.config.gConfFeldAnzahl = 2;
    ConfigRowsSnapshot rows;
    rows.comboIndex = 2;
    rows.rows = {{1, "1"}};
    SaveMvl(p, rows);
    ASSERT_EQ(tracer.responder.reports.size(), 1u);
    EXPECT_EQ(tracer.responder.reports[0].number, err::SubscriptOutOfRange);
    EXPECT_TRUE(folder.names().empty());
}

}  // namespace
}  // namespace morvane
