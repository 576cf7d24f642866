// The calculation file reader against mutated files: the program's own saved
// files (Windows-1252 and marked UTF-8, with and without configuration rows, and
// the hand-written fixture) are damaged at random - bytes flipped, inserted and
// removed, lines dropped, doubled and swapped, files cut and spliced - and each
// damaged file is opened through the Open command, over a calculation that the
// window shows. Whatever the file holds, the reader must not crash (the
// sanitizer build watches memory and undefined behaviour), must end, and must
// load whole or not at all, and damage never reaches the error dialog: a file
// that is not loaded is refused with one message (the "not consistent" one
// naming the file, or the alternative-database warning), every record is as it
// was before, the window's boxes show what they showed and the calculation
// open before stays current; a loaded file leaves only finite numbers, valid
// UTF-8 texts and at most 51 configuration rows in the state, and the window
// shows all of it.
//
// The number of files is fixed (MORVANE_FUZZ_FILES overrides it for a longer
// run), and so is the seed, so that every run damages the same files: a number
// in MORVANE_FUZZ_SEED takes another seed, MORVANE_FUZZ_SEED=random a new one
// each run. The seed of each run is printed, and its number repeats the run.
#include "app/CalculationFile.h"
#include "app/FileCommands.h"
#include "engine/StateFields.h"
#include "mainwindow/InputModel.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "support/ShowableState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morvane {
namespace {

using testing::RecordingMessageBox;
using testing::TestTracer;
namespace fs = std::filesystem;

std::string readBytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& p, const std::string& bytes)
{
    std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

bool validUtf8(const std::string& s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size() + (extra == 0 ? 1u : 0u))
            return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0xC0) != 0x80)
                return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

// Every record the reader may write, as text (doubles by their bits), so that
// any change shows.
std::string fingerprint(const ProgramState& p)
{
    std::string out;
    const auto bits = [](double v) {
        std::uint64_t b;
        std::memcpy(&b, &v, sizeof b);
        return std::to_string(b);
    };
    for (const StateField& f : stateFields()) {
        out.append(f.name).append("=");
        switch (f.kind) {
        case FieldKind::Boolean:
        case FieldKind::Flag:
        case FieldKind::Integer: out += std::to_string(f.in<std::int16_t>(p.calc)); break;
        case FieldKind::Double: out += bits(f.in<double>(p.calc)); break;
        case FieldKind::String: out += f.in<std::string>(p.calc); break;
        case FieldKind::PointArray:
            for (const double v : f.in<PointArray>(p.calc))
                out += bits(v) + ",";
            break;
        }
        out += "\n";
    }
    const DokumentDaten& d = p.doc;
    for (const std::string* t : {&d.gKundeFirma1, &d.gKundeFirma2, &d.gKundeName, &d.gKundeStrasse, &d.gKundePLZOrt,
                                 &d.gKundeTelFax, &d.gAuftragsnummer, &d.gMessstellennummer, &d.gKundenprojekt,
                                 &d.gSeriennummer, &d.gZeugnisse, &d.gDatum, &d.gBemerkungen})
        out += *t + "\n";
    const ConfAuswahl& c = p.config.gConfAuswahl;
    out += std::to_string(c.ComboIndex) + "/" + std::to_string(c.Anzahl) + ":";
    for (int k = 0; k < MaxConfigRows; ++k)
        out += std::to_string(c.FeldIndex[static_cast<std::size_t>(k)]) + "," +
               bits(c.Wert[static_cast<std::size_t>(k)]) + ";";
    out += "\nms=" + std::to_string(p.settings.gUserMSCode);
    return out;
}

// A state whose every field differs from a fresh one, so that a half load
// shows in the fingerprint, and which the window can show.
ProgramState markedState()
{
    ProgramState p;
    int k = 0;
    for (const StateField& f : stateFields()) {
        ++k;
        switch (f.kind) {
        case FieldKind::Boolean: f.in<std::int16_t>(p.calc) = k % 2 ? True : False; break;
        case FieldKind::Flag: f.in<std::int16_t>(p.calc) = static_cast<std::int16_t>(k % 2); break;
        case FieldKind::Integer: f.in<std::int16_t>(p.calc) = static_cast<std::int16_t>(700 + k); break;
        case FieldKind::Double: f.in<double>(p.calc) = 1.0 / (3.0 + k); break;
        case FieldKind::String: f.in<std::string>(p.calc) = "vorher " + std::to_string(k); break;
        case FieldKind::PointArray: f.in<PointArray>(p.calc) = {1.0 / k, 2, 3, 4}; break;
        }
    }
    testing::setShowableWindowValues(p.calc);
    p.doc.gBemerkungen = "vorher";
    p.doc.gKundeFirma1 = "Alt GmbH";
    p.config.gConfAuswahl.ComboIndex = 6;
    p.config.gConfAuswahl.Anzahl = 2;
    p.config.gConfAuswahl.FeldIndex = {{4, 5}};
    p.config.gConfAuswahl.Wert = {{1.5, -2.5}};
    return p;
}

// The seeds: files the program itself writes, and the hand-written fixture.
std::vector<std::string> seedFiles(const fs::path& folder)
{
    std::vector<std::string> seeds;
    const auto saved = [&](const std::string& remark, std::int16_t combo, std::vector<ConfigRowsSnapshot::Row> rows) {
        TestTracer tracer;
        ProgramState p;
        p.calc.gModellGespeicherteDaten = True;
        p.calc.gMediumNr = 1;
        p.calc.gPrimaerelementtyp = 3;
        p.calc.gDruck = 601.325;
        p.calc.gTemperatur = -12.5;
        p.calc.gInnendurchmesser = 102.3;
        p.calc.gDurchflussAuslegung = 2500;
        p.calc.gDurchflussEinheit = 3;
        p.calc.gKorrekturFaktor = 0.97;
        p.calc.gDifferenzdruckSoll = 2.5;
        p.calc.gBeta = 1.0 / 3.0;
        p.doc.gBemerkungen = remark;
        p.doc.gKundeFirma1 = "Müller & Söhne, \"Werk 2\"";
        p.config.gConfFeldAnzahl = static_cast<std::int16_t>(rows.size());
        ConfigRowsSnapshot snapshot;
        snapshot.comboIndex = combo;
        snapshot.rows = std::move(rows);
        p.doc.gDateiname = (folder / "seed.mv5").string();
        SaveMvl(p, snapshot);
        EXPECT_TRUE(tracer.responder.reports.empty());
        seeds.push_back(readBytes(p.doc.gDateiname));
    };
    saved("Maß² Rohr Ø±2 mm\r\nzweite Zeile", 3, {{1, "102.3"}, {4, ""}, {2, "12.5"}});
    saved("Ω ≈ 3 µm, 流量", 7, {{3, "0.1"}});
    saved("", 0, {});
    seeds.push_back(readBytes(std::string(MORVANE_SOURCE_DIR) + "/tests/app/data/rq25_three_rows.mv5"));
    return seeds;
}

class Mutator {
public:
    explicit Mutator(std::uint64_t seed) : gen_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen_); }

    std::string mutate(std::string bytes, const std::vector<std::string>& seeds)
    {
        const int rounds = 1 + below(4);
        for (int r = 0; r < rounds; ++r)
            once(bytes, seeds);
        return bytes;
    }

private:
    std::size_t at(const std::string& s)
    {
        return s.empty() ? 0 : static_cast<std::size_t>(below(static_cast<int>(s.size())));
    }

    // The start of a line near a random place.
    std::size_t lineStart(const std::string& s)
    {
        const std::size_t p = at(s);
        const std::size_t nl = s.rfind('\n', p);
        return nl == std::string::npos ? 0 : nl + 1;
    }

    void once(std::string& s, const std::vector<std::string>& seeds)
    {
        static const char* const pieces[] = {
            ",", " ", "\r\n", "\n", "\r", "\"", "\"\"", "#TRUE#", "#FALSE#", "E+400", "E-400", "1E+308", "-",
            "+", ".", "nan", "inf", "0x1p3", "32768", "-32769", "52", "-1", "\xEF\xBB\xBF", "\xC3", "\xFF",
            "\xE2\x82\xAC", "\xED\xA0\x80", "\t", "D+3", "9999999999999999999999", "" /* a NUL byte */,
        };
        switch (below(10)) {
        case 0:  // flip a byte
            if (!s.empty())
                s[at(s)] = static_cast<char>(below(256));
            break;
        case 1: {  // insert a piece
            const char* piece = pieces[below(static_cast<int>(std::size(pieces)))];
            s.insert(at(s), *piece == '\0' ? std::string(1, '\0') : std::string(piece));
            break;
        }
        case 2: {  // remove a few bytes
            const std::size_t p = at(s);
            s.erase(p, static_cast<std::size_t>(1 + below(8)));
            break;
        }
        case 3: {  // drop a line
            const std::size_t p = lineStart(s);
            const std::size_t e = s.find('\n', p);
            s.erase(p, e == std::string::npos ? std::string::npos : e - p + 1);
            break;
        }
        case 4: {  // double a line
            const std::size_t p = lineStart(s);
            const std::size_t e = s.find('\n', p);
            s.insert(p, s.substr(p, e == std::string::npos ? std::string::npos : e - p + 1));
            break;
        }
        case 5: {  // swap two lines' contents by moving one elsewhere
            const std::size_t p = lineStart(s);
            const std::size_t e = s.find('\n', p);
            const std::string line = s.substr(p, e == std::string::npos ? std::string::npos : e - p + 1);
            s.erase(p, line.size());
            s.insert(lineStart(s), line);
            break;
        }
        case 6:  // cut the file
            s.resize(at(s));
            break;
        case 7: {  // splice the tail of another seed
            const std::string& other = seeds[static_cast<std::size_t>(below(static_cast<int>(seeds.size())))];
            s = s.substr(0, at(s)) + other.substr(at(other));
            break;
        }
        case 8: {  // a Double slot's value at the edge of what the copy into the state takes
            // The flow unit's slot (17) must round to an Integer, the known dp's
            // slot (26) must stay finite when it is scaled by 10: values that
            // read well and fail only as the file is copied into the state.
            static const char* const edges[] = {"32767.5", "32767.49", "-32768.5", "-32769", "1.7976931348623157E+308",
                                                "1.8E+307", "-1.8E+307", "1.7E+307"};
            static const int slots[] = {17, 26, 17, 26, 1 + below(50)};
            const int slot = slots[below(static_cast<int>(std::size(slots)))];
            std::size_t p = s.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
            // Line 150 + slot; the texts may span lines, so count from the end
            // of the String block only when the file is still whole enough.
            for (int line = 1; line < 150 + slot && p != std::string::npos; ++line) {
                p = s.find('\n', p);
                if (p != std::string::npos)
                    ++p;
            }
            if (p == std::string::npos)
                break;
            const std::size_t e = s.find('\r', p);
            s.replace(p, e == std::string::npos ? 0 : e - p, edges[below(static_cast<int>(std::size(edges)))]);
            break;
        }
        default: {  // replace a line's value by a piece
            const std::size_t p = lineStart(s);
            const std::size_t e = s.find('\r', p);
            const char* piece = pieces[below(static_cast<int>(std::size(pieces)))];
            s.replace(p, e == std::string::npos ? 0 : e - p, piece);
            break;
        }
        }
    }

    std::mt19937_64 gen_;
};

// The seed of every run that asks for no other.
constexpr long kFixedSeed = 20261211;

long fromEnvironment(const char* name, long fallback)
{
    const char* v = std::getenv(name);
    return v != nullptr && *v != '\0' ? std::strtol(v, nullptr, 10) : fallback;
}

// The open dialog, answered with the damaged file every time.
class OpenDialog : public FileDialogs {
public:
    explicit OpenDialog(std::string file) : file_(std::move(file)) {}
    std::optional<std::string> openFile(const std::string&, const std::string&, const std::string&) override
    {
        return file_;
    }
    std::optional<std::string> saveFile(const std::string&, const std::string&, const std::string&) override
    {
        return std::nullopt;
    }

private:
    std::string file_;
};

TEST(CalculationFileFuzz, DamagedFilesLoadWholeOrNotAtAll)
{
    const testing::TempFolder temp;
    const fs::path& folder = temp.path();
    const std::vector<std::string> seeds = seedFiles(folder);
    const char* seedText = std::getenv("MORVANE_FUZZ_SEED");
    const auto seed = seedText != nullptr && std::string_view(seedText) == "random"
                          ? static_cast<std::uint64_t>(std::random_device{}())
                          : static_cast<std::uint64_t>(fromEnvironment("MORVANE_FUZZ_SEED", kFixedSeed));
    const long files = fromEnvironment("MORVANE_FUZZ_FILES", 3000);
    std::cout << "fuzz seed " << seed << ", " << files << " files\n";
    Mutator m(seed);
    const fs::path file = folder / "fuzz.mv5";
    const std::string previous = (folder / "vorher.mv5").string();
    OpenDialog dialog(file.string());
    int loaded = 0, refused = 0, cutInRows = 0;
    for (long n = 0; n < files; ++n) {
        const std::string bytes =
            m.mutate(seeds[static_cast<std::size_t>(m.below(static_cast<int>(seeds.size())))], seeds);
        writeBytes(file, bytes);
        const auto context = [&] { return "file " + std::to_string(n) + " of seed " + std::to_string(seed); };
        // The calculation open before, as the window shows it; the model's
        // configuration takes every row a file may hold.
        ProgramState p = markedState();
        p.settings.gUserMSCode = static_cast<std::int16_t>(m.below(8) == 0 ? 1 : 0);
        p.config.gConfFeldAnzahl = MaxConfigRows;
        p.doc.gDateiname = previous;
        InputControls window;
        {
            TestTracer shown;
            WriteOberflaeche(p, window);
            ASSERT_TRUE(shown.responder.reports.empty()) << context();
        }
        const std::string before = fingerprint(p);
        const InputControls windowBefore = window;

        TestTracer tracer;
        RecordingMessageBox box;
        FileCommandWindow w;
        w.writeWindow = [&] { WriteOberflaeche(p, window); };
        w.showFileName = [&](const std::string& name) { window.statusPanel1 = name; };
        FileCommands commands(p, dialog, box, folder, std::move(w));
        commands.mnuFileOpen_Click();

        // A file cut inside its configuration rows loads without them and is
        // not current: its message names it, the status bar shows no name.
        const bool cut = p.doc.gDateiname.empty();
        if (p.doc.gDateiname == file.string() || cut) {
            ++loaded;
            // Loaded, and the window shows every value: no run-time error
            // anywhere, the file's name in the status bar unless it is not
            // current.
            ASSERT_TRUE(tracer.responder.reports.empty()) << tracer.responder.reports[0].description << ", "
                                                          << context();
            ASSERT_EQ(window.statusPanel1, cut ? std::string() : file.string()) << context();
            if (cut) {
                ++cutInRows;
                ASSERT_EQ(box.shown.size(), 1u) << context();
                ASSERT_EQ(box.shown[0].text, configurationCutMessage(file.string(), p.ui.gSprachOffset)) << context();
                ASSERT_EQ(p.config.gConfAuswahl.Anzahl, 0) << context();
            }
            for (const StateField& f : stateFields()) {
                if (f.kind == FieldKind::Double) {
                    ASSERT_TRUE(std::isfinite(f.in<double>(p.calc))) << f.name << ", " << context();
                }
                if (f.kind == FieldKind::String) {
                    ASSERT_TRUE(validUtf8(f.in<std::string>(p.calc))) << f.name << ", " << context();
                }
            }
            ASSERT_TRUE(validUtf8(p.doc.gBemerkungen) && validUtf8(p.doc.gKundeFirma1)) << context();
            const ConfAuswahl& c = p.config.gConfAuswahl;
            ASSERT_TRUE(c.Anzahl >= 0 && c.Anzahl <= MaxConfigRows) << context();
            for (int k = 0; k < c.Anzahl; ++k)
                ASSERT_TRUE(std::isfinite(c.Wert[static_cast<std::size_t>(k)])) << context();
        } else {
            ++refused;
            // Damage is named as damage of the file, never a run-time error.
            ASSERT_TRUE(tracer.responder.reports.empty()) << tracer.responder.reports[0].description << ", "
                                                          << context();
            ASSERT_EQ(box.shown.size(), 1u) << context();
            ASSERT_TRUE(box.shown[0].text == inconsistentFileMessage(file.string()) ||
                        box.shown[0].text == kMsCodeMismatchText)
                << box.shown[0].text << ", " << context();
            ASSERT_EQ(p.doc.gDateiname, previous) << "the calculation open before stays current, " << context();
            if (fingerprint(p) != before || !(window == windowBefore)) {
                writeBytes(folder.parent_path() / "morvane-fuzz-failure.mv5", bytes);
                FAIL() << "a load that was not a load changed the "
                       << (fingerprint(p) != before ? "state" : "window's boxes") << "; the file is kept as "
                       << (folder.parent_path() / "morvane-fuzz-failure.mv5") << ", " << context();
            }
        }
    }
    std::cout << loaded << " loaded (" << cutInRows << " without their cut configuration), " << refused
              << " refused\n";
    // The mutations must reach both ends, or they test too little.
    EXPECT_GT(loaded, 0);
    EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace morvane
