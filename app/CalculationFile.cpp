#include "app/CalculationFile.h"

#include "common/Cp1252.h"
#include "common/ResourceTexts.h"
#include "engine/TypeKey.h"
#include "mainwindow/InputModel.h"
#include "platform/RuntimeError.h"
#include "platform/RuntimeNumbers.h"
#include "tracing/Guard.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>
#include <system_error>
#include <type_traits>
#include <utility>

namespace morvane {

namespace {

namespace fs = std::filesystem;

struct Blocks {
    std::array<Boolean, CalcFileSlots> b{};
    std::array<std::string, CalcFileSlots> s{};
    std::array<Integer, CalcFileSlots> i{};
    std::array<double, CalcFileSlots> d{};
};

// ---- Slot tables (slot numbers from 1) ----------------------------------------

struct BoolSlot {
    int slot;
    Boolean CalculationState::*field;
};
constexpr BoolSlot kBoolSlots[] = {
    {1, &CalculationState::gModellGespeicherteDaten},
    {2, &CalculationState::gModellIdealesGas},
    {3, &CalculationState::gModellRedlichKwong},
    {5, &CalculationState::gModellFluessigkeit},
    {6, &CalculationState::gRohrmassFrei},
    {7, &CalculationState::gRohrmassNorm},
    {8, &CalculationState::gEinbaulageUnbekannt},
    {9, &CalculationState::gEinbauHorizontal},
    {10, &CalculationState::gEinbauVertikal},
    {11, &CalculationState::gEinbaulageHorizontal1},
    {12, &CalculationState::gEinbaulageVonUnten},
    {13, &CalculationState::gEinbaulageVonOben},
    {14, &CalculationState::gEinbaulageHorizontal2},
    {15, &CalculationState::gEinbaulageVertikal},
    {16, &CalculationState::gEpsilonQ67},
    {17, &CalculationState::gEpsilonQ100},
    {18, &CalculationState::gAuslegungDurchmesser},
    {19, &CalculationState::gAuslegungDurchfluss},
};

struct CalcTextSlot {
    int slot;
    std::string CalculationState::*field;
};
constexpr CalcTextSlot kCalcTextSlots[] = {
    {1, &CalculationState::gMediumsbezeichnung},
    {2, &CalculationState::gMediumsbezeichnungRK},
};

struct DocTextSlot {
    int slot;
    std::string DokumentDaten::*field;
};
constexpr DocTextSlot kDocTextSlots[] = {
    {3, &DokumentDaten::gBemerkungen},
    {4, &DokumentDaten::gKundeFirma1},
    {5, &DokumentDaten::gKundeFirma2},
    {6, &DokumentDaten::gKundeName},
    {7, &DokumentDaten::gKundeStrasse},
    {8, &DokumentDaten::gKundePLZOrt},
    {9, &DokumentDaten::gKundeTelFax},
    {10, &DokumentDaten::gKundenprojekt},
    {11, &DokumentDaten::gAuftragsnummer},
    {12, &DokumentDaten::gMessstellennummer},
    {15, &DokumentDaten::gDatum},
};
constexpr int kSeriennummerSlot = 13;
constexpr int kZeugnisseSlot = 14;

struct IntSlot {
    int slot;
    Integer CalculationState::*field;
};
constexpr IntSlot kIntSlots[] = {
    {1, &CalculationState::gMediumNr},
    {2, &CalculationState::gPrimaerelementtyp},
    {3, &CalculationState::gWerkstoffElement},
    {4, &CalculationState::gWerkstoffRohr},
    {5, &CalculationState::gDpAnschluss},
    {6, &CalculationState::gPTSensoren},
    {7, &CalculationState::gReserveInteger7},
    {8, &CalculationState::gDurchflussEinheit},
    {9, &CalculationState::gRohrRechteckig},
    {10, &CalculationState::gMehrereBetriebspunkte},
    {11, &CalculationState::gDruckEinheit},
    {12, &CalculationState::gDpEinheit},
    {13, &CalculationState::gTemperaturEinheit},
    {14, &CalculationState::gGegenlagerVorgesehen},
    {15, &CalculationState::gNennweite},
    {16, &CalculationState::gDruckstufe},
    {17, &CalculationState::gDpBekannt},
};
constexpr int kUserMSCodeSlot = 18;

struct DoubleSlot {
    int slot;
    double CalculationState::*field;
};
// Slots 17 (the flow unit once more) and 26 (the known dp) are handled apart.
constexpr DoubleSlot kDoubleSlots[] = {
    {1, &CalculationState::gDichteEingabe},
    {2, &CalculationState::gKompressibilitaetEingabe},
    {3, &CalculationState::gViskositaetEingabe},
    {4, &CalculationState::gKritischeTemperatur},
    {5, &CalculationState::gKritischerDruck},
    {6, &CalculationState::gNormdichteRK},
    {7, &CalculationState::gViskositaetRK},
    {8, &CalculationState::gInnendurchmesser},
    {9, &CalculationState::gInnenmassB},
    {10, &CalculationState::gKZahlEingabe},
    {11, &CalculationState::gBeta},
    {12, &CalculationState::gReserveDouble12},
    {13, &CalculationState::gWandstaerke},
    {14, &CalculationState::gDruck},
    {15, &CalculationState::gTemperatur},
    {16, &CalculationState::gDurchflussAuslegung},
    {18, &CalculationState::gDurchflussMax},
    {19, &CalculationState::gDurchflussNorm},
    {20, &CalculationState::gDurchflussMin},
    {21, &CalculationState::gIsentropenkoeffizientEingabe},
    {22, &CalculationState::gIsentropenkoeffizientRK},
    {23, &CalculationState::gKorrekturFaktor},
    {24, &CalculationState::gSondenbreite},
    {25, &CalculationState::gOeffnungsdurchmesser},
};
constexpr int kFlowUnitDoubleSlot = 17;
constexpr int kKnownDpSlot = 26;

// ---- Number forms ------------------------------------------------------------

// Thrown inside the reader for content that is not what a writer wrote: a value
// that does not read, or does not fit its slot (a text in a number's slot, a
// number beyond the range of its type), a file that ends before its last value,
// or one that cannot be read exactly as it was written (a value that shares its
// line with another, a decimal comma, an empty line where a value belongs, a
// configuration count out of range, anything after the last value). LoadMvl
// turns it into the "not consistent" message and loads nothing.
struct Inconsistent {};

// A whole number of the file's Integer slots; halves round to the even
// neighbour, as the runtime's conversion to Integer does (the default rounding
// mode).
Integer slotInteger(double value)
{
    const std::optional<Integer> rounded = roundedInteger(value);
    if (!rounded)
        throw Inconsistent{};
    return *rounded;
}

// A whole item as a decimal number: optional sign, digits with an optional
// point, an optional exponent (E or D). A magnitude below the double range
// reads as 0; anything else, a magnitude beyond it among them, is no number of
// the file.
double parseNumber(std::string_view item)
{
    std::string token(item);
    for (char& c : token) {
        if (c == 'D' || c == 'd')
            c = 'E';
        // Only the characters of a decimal number: from_chars alone would also
        // take the words "nan" and "inf" and hand a non-finite value on.
        const bool numeric = (c >= '0' && c <= '9') || c == '.' || c == 'E' || c == 'e' || c == '+' || c == '-';
        if (!numeric)
            throw Inconsistent{};
    }
    // from_chars takes a leading "-" but no leading "+".
    const std::size_t start = !token.empty() && token[0] == '+' ? 1 : 0;
    const char* first = token.data() + start;
    const char* last = token.data() + token.size();
    if (first == last || *first == '+')
        throw Inconsistent{};
    double value = 0;
    const auto r = readDouble(first, last, value);
    if (r.ptr != last)
        throw Inconsistent{};
    if (r.ec == std::errc::result_out_of_range) {
        // Too small a magnitude reads as 0; too large a one is no number.
        if (std::isinf(value))
            throw Inconsistent{};
        return 0.0;
    }
    if (r.ec != std::errc{})
        throw Inconsistent{};
    return value;
}

// ---- Item reader -------------------------------------------------------------

// Reads the file's values in the manner of the runtime's sequential input:
// leading blanks are skipped; a quoted text runs to its closing quote (a doubled
// quote stands for one quote); any other item ends at a blank, a comma or the
// end of the line. Every value of the file stands on a line of its own, so after
// an item only blanks may follow before the line ends: a comma or a second item
// there would move every later value to another slot.
class ItemReader {
public:
    explicit ItemReader(std::string_view text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }

    // Nothing but blanks and empty lines is left: a blank after the last line
    // or an empty last line ends the file as well as its last byte does.
    bool atEndOfContent() const
    {
        for (std::size_t k = pos_; k < text_.size(); ++k)
            if (!isBlank(text_[k]) && text_[k] != '\r' && text_[k] != '\n')
                return false;
        return true;
    }

    std::string text()
    {
        skipBlanks();
        if (atEnd())
            throw Inconsistent{};  // the file ends before its last value
        if (text_[pos_] != '"') {
            const std::string_view bare = bareItem();
            // An empty line is no text: the file's texts are written quoted.
            if (bare.empty())
                throw Inconsistent{};
            return std::string(bare);
        }
        ++pos_;
        std::string out;
        for (;;) {
            if (atEnd())
                break;  // a text that is never closed runs to the end of the file
            const char c = text_[pos_++];
            if (c == '"') {
                if (pos_ < text_.size() && text_[pos_] == '"') {
                    out += '"';
                    ++pos_;
                    continue;
                }
                break;
            }
            out += c;
        }
        // Anything between the closing quote and the next delimiter is dropped.
        while (!atEnd() && text_[pos_] != ',' && text_[pos_] != '\r' && text_[pos_] != '\n')
            ++pos_;
        endItem();
        return out;
    }

    double number()
    {
        skipBlanks();
        if (atEnd())
            throw Inconsistent{};  // the file ends before its last value
        if (text_[pos_] == '"') {
            const std::string quoted = text();
            // "12,5": a number written with a decimal comma.
            if (quoted.find(',') != std::string::npos)
                throw Inconsistent{};
            return parseNumber(quoted);
        }
        const std::string_view item = bareItem();
        // An empty line where a value belongs would move every later value
        // into the slot before its own.
        if (item.empty())
            throw Inconsistent{};
        return parseNumber(item);
    }

    Integer integer() { return slotInteger(number()); }

    Boolean boolean()
    {
        skipBlanks();
        if (atEnd())
            throw Inconsistent{};  // the file ends before its last value
        const std::string_view item = text_[pos_] == '"' ? std::string_view() : peekBare();
        if (item == "#TRUE#" || item == "#FALSE#") {
            bareItem();
            return item == "#TRUE#" ? True : False;
        }
        // A number stands for true when it is not zero.
        return number() != 0.0 ? True : False;
    }

private:
    static bool isBlank(char c) { return c == ' ' || c == '\t'; }
    static bool endsBare(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n'; }

    void skipBlanks()
    {
        while (!atEnd() && isBlank(text_[pos_]))
            ++pos_;
    }

    std::string_view peekBare() const
    {
        std::size_t end = pos_;
        while (end < text_.size() && !endsBare(text_[end]))
            ++end;
        return text_.substr(pos_, end - pos_);
    }

    std::string_view bareItem()
    {
        const std::string_view item = peekBare();
        pos_ += item.size();
        endItem();
        return item;
    }

    // After an item: blanks, then the end of the line or of the file.
    void endItem()
    {
        skipBlanks();
        if (atEnd())
            return;
        if (text_[pos_] == '\r') {
            ++pos_;
            if (!atEnd() && text_[pos_] == '\n')
                ++pos_;
        } else if (text_[pos_] == '\n') {
            ++pos_;
        } else {
            // A comma, or a second item on the same line.
            throw Inconsistent{};
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// ---- Writing -----------------------------------------------------------------

Blocks blocksFromState(const ProgramState& p)
{
    Blocks k;
    const CalculationState& s = p.calc;
    for (const auto& e : kBoolSlots)
        k.b[e.slot - 1] = s.*e.field;
    for (const auto& e : kCalcTextSlots)
        k.s[e.slot - 1] = s.*e.field;
    for (const auto& e : kDocTextSlots)
        k.s[e.slot - 1] = p.doc.*e.field;
    k.s[kSeriennummerSlot - 1] = p.doc.gSeriennummer;
    k.s[kZeugnisseSlot - 1] = p.doc.gZeugnisse;
    for (const auto& e : kIntSlots)
        k.i[e.slot - 1] = s.*e.field;
    k.i[kUserMSCodeSlot - 1] = p.settings.gUserMSCode;
    for (const auto& e : kDoubleSlots)
        k.d[e.slot - 1] = s.*e.field;
    k.d[kFlowUnitDoubleSlot - 1] = static_cast<double>(s.gDurchflussEinheit);
    k.d[kKnownDpSlot - 1] = s.gDifferenzdruckSoll;
    return k;
}

std::string quotedText(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

// The whole file's bytes: the four blocks and the configuration section.
std::string fileText(const Blocks& k, const ConfigRowSource& rows, std::int16_t feldAnzahl)
{
    constexpr const char* eol = "\r\n";
    std::string out;
    for (const Boolean b : k.b)
        out.append(isTrue(b) ? "#TRUE#" : "#FALSE#").append(eol);
    for (const std::string& t : k.s)
        out.append(quotedText(t)).append(eol);
    for (const Integer v : k.i)
        out.append(std::to_string(v)).append(eol);
    for (const double v : k.d)
        out.append(calcFileNumberText(v)).append(eol);

    const std::int16_t comboIndex = rows.elementTypeIndex();
    out.append(calcFilePrintText(comboIndex)).append(eol);
    if (comboIndex > 0) {
        // Only the maker's models have configuration rows; the rows of a model
        // viewed before another element type was chosen are not this file's.
        const std::int16_t count = isConfiguredModel(comboIndex) ? feldAnzahl : std::int16_t{0};
        out.append(calcFilePrintText(count)).append(eol);
        for (int row = 0; row < count; ++row) {
            out.append(calcFilePrintText(rows.rowListIndex(row))).append(eol);
            // The entry's leading number, read with a point whatever the locale.
            out.append(calcFilePrintText(runtimeVal(rows.rowEntryText(row)))).append(eol);
        }
    }
    // Windows-1252 as the earlier releases wrote, unless a text needs more:
    // then UTF-8, marked as such, so that the reader never has to guess.
    if (auto ansi = toCp1252(out))
        return std::move(*ansi);
    return "\xEF\xBB\xBF" + out;
}

// ---- Reading -----------------------------------------------------------------

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

// The file's text in UTF-8. A file that starts with the UTF-8 byte-order mark
// is UTF-8 and must be valid UTF-8; every other file is Windows-1252, the code
// page of every earlier release.
std::string decodeFile(std::string_view bytes)
{
    if (bytes.substr(0, Utf8Mark.size()) != Utf8Mark)
        return fromCp1252(bytes);
    const std::string_view utf8 = bytes.substr(Utf8Mark.size());
    std::size_t pos = 0;
    while (pos < utf8.size())
        if (!decodeUtf8(utf8, pos))
            throw Inconsistent{};
    return std::string(utf8);
}

void readBlocks(ItemReader& r, Blocks& k)
{
    for (Boolean& b : k.b)
        b = r.boolean();
    for (std::string& t : k.s)
        t = r.text();
    for (Integer& v : k.i)
        v = r.integer();
    for (double& v : k.d)
        v = r.number();
}

// The configuration section into c; the messages it calls for are collected in
// `said` and shown only when the file is loaded. A file that ends inside its
// rows sets `cut` and keeps none of them.
void readConfigSection(ItemReader& r, ConfAuswahl& c, std::vector<const char*>& said, bool& cut)
{
    if (r.atEndOfContent()) {
        said.push_back(kOldFileTypeText);
        c.Anzahl = 0;
        return;
    }
    c.ComboIndex = r.integer();
    if (c.ComboIndex <= 0) {
        c.Anzahl = 0;
        return;
    }
    if (r.atEndOfContent()) {
        said.push_back(kOldFileTypeText);
        c.Anzahl = 0;
        return;
    }
    const Integer count = r.integer();
    if (count < 0 || count > MaxConfigRows)
        throw Inconsistent{};
    c.Anzahl = count;
    for (int row = 0; row < count; ++row) {
        if (r.atEndOfContent()) {
            cut = true;
            c.Anzahl = 0;
            return;
        }
        c.FeldIndex[static_cast<std::size_t>(row)] = r.integer();
        if (r.atEndOfContent()) {
            cut = true;
            c.Anzahl = 0;
            return;
        }
        c.Wert[static_cast<std::size_t>(row)] = r.number();
    }
}

// The records a file writes, as they are once it is loaded: worked out apart,
// so that a file that fails here leaves the state as it was. A flow unit that
// no Integer holds, and a known dp that overflows when it is scaled, are
// damage like any other value that does not fit its slot.
struct Records {
    CalculationState calc;
    DokumentDaten doc;
};

Records withFile(const Blocks& k, const ProgramState& p)
{
    Records r{p.calc, p.doc};
    CalculationState& s = r.calc;
    for (const auto& e : kBoolSlots)
        s.*e.field = k.b[e.slot - 1];
    for (const auto& e : kCalcTextSlots)
        s.*e.field = k.s[e.slot - 1];
    for (const auto& e : kDocTextSlots)
        r.doc.*e.field = k.s[e.slot - 1];
    r.doc.gSeriennummer = k.s[kSeriennummerSlot - 1];
    r.doc.gZeugnisse = k.s[kZeugnisseSlot - 1];
    for (const auto& e : kIntSlots)
        s.*e.field = k.i[e.slot - 1];
    // Integer slot 18 is compared with gUserMSCode: a differing file is refused.
    for (const auto& e : kDoubleSlots)
        s.*e.field = k.d[e.slot - 1];
    // The flow unit's second slot wins over its first.
    s.gDurchflussEinheit = slotInteger(k.d[kFlowUnitDoubleSlot - 1]);
    // Files of releases without a correction factor hold 0 there.
    if (s.gKorrekturFaktor == 0.0)
        s.gKorrekturFaktor = 1.0;
    // kPa in the file, the mbar number of the known-dp box in the state.
    const double knownDp = k.d[kKnownDpSlot - 1] * 10.0;
    if (!std::isfinite(knownDp))
        throw Inconsistent{};
    s.gDifferenzdruckSoll = knownDp;
    return r;
}

// What a file holds, read completely before anything of it reaches the state:
// the records as they are once it is loaded, the configuration and the
// messages it calls for.
struct FileContent {
    bool consistent = true;
    Blocks blocks;
    Records records;
    ConfAuswahl conf;
    std::vector<const char*> messages;
    // The file ends inside its configuration rows.
    bool configurationCut = false;
};

// The file up to a Ctrl-Z (0x1A) at its end, with or without line ends after
// it: the end-of-file mark of old DOS tools, which the runtime of the earlier
// releases read as the end of the file.
std::string_view withoutEndOfFileMark(std::string_view bytes)
{
    constexpr char ctrlZ = '\x1A';
    std::size_t end = bytes.size();
    while (end > 0 && (bytes[end - 1] == '\r' || bytes[end - 1] == '\n' || bytes[end - 1] == ctrlZ))
        --end;
    const std::size_t mark = bytes.find(ctrlZ, end);
    return mark == std::string_view::npos ? bytes : bytes.substr(0, mark);
}

FileContent readFileContent(std::string_view bytes, const ProgramState& current)
{
    FileContent f;
    f.conf = current.config.gConfAuswahl;  // a file without a configuration section keeps ComboIndex
    try {
        const std::string text = decodeFile(withoutEndOfFileMark(bytes));
        ItemReader reader(text);
        readBlocks(reader, f.blocks);
        readConfigSection(reader, f.conf, f.messages, f.configurationCut);
        // Nothing may follow the last value but blanks and empty lines.
        if (!reader.atEndOfContent())
            throw Inconsistent{};
        f.records = withFile(f.blocks, current);
    } catch (const Inconsistent&) {
        f = FileContent{};
        f.consistent = false;
    }
    return f;
}

// Every number of the blocks as digits: the value could not be written back.
void checkFinite(const Blocks& k)
{
    for (const double v : k.d)
        checkedFinite(v);
}

}  // namespace

std::int16_t ConfigRowsSnapshot::rowListIndex(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size())
        raiseError(err::SubscriptOutOfRange);
    return rows[static_cast<std::size_t>(row)].listIndex;
}

std::string ConfigRowsSnapshot::rowEntryText(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size())
        raiseError(err::SubscriptOutOfRange);
    return rows[static_cast<std::size_t>(row)].entryText;
}

std::string calcFileNumberText(double value)
{
    checkedFinite(value);
    if (value == 0.0)
        return "0";
    // The shortest digits that read back to the same double.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value), std::chars_format::scientific);
    *r.ptr = '\0';
    // buf: d[.ddd]e[+-]XX
    std::string digits;
    const char* p = buf;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            digits += *p;
    const int exp10 = std::atoi(p + 1);
    std::string out = value < 0.0 ? "-" : "";
    if (exp10 < -5 || exp10 >= 15) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1);
        }
        char ex[16];
        std::snprintf(ex, sizeof ex, "E%c%02d", exp10 < 0 ? '-' : '+', std::abs(exp10));
        return out + ex;
    }
    const int pointPos = exp10 + 1;  // digits before the point
    if (pointPos <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-pointPos), '0');
        out += digits;
    } else if (static_cast<std::size_t>(pointPos) >= digits.size()) {
        out += digits;
        out.append(static_cast<std::size_t>(pointPos) - digits.size(), '0');
    } else {
        out.append(digits, 0, static_cast<std::size_t>(pointPos));
        out += '.';
        out.append(digits, static_cast<std::size_t>(pointPos));
    }
    return out;
}

std::string calcFilePrintText(double value)
{
    const std::string t = calcFileNumberText(value);
    return (t[0] == '-' ? t : " " + t) + " ";
}

bool SaveMvl(const ProgramState& state, const ConfigRowSource& rows, const SaveFault& fault)
{
    Guard g("Module1", "SaveMvl", "Sub SaveMvl()");
    const fs::path target = state.doc.gDateiname;
    std::string bytes;
    bool made = false;
    if (!g.step([&] {
            const Blocks k = blocksFromState(state);
            checkFinite(k);
            bytes = fileText(k, rows, state.config.gConfFeldAnzahl);
            made = true;
        }))
        return false;
    // Without the whole text (Next after its error) nothing is written: an
    // empty text would replace the old file.
    if (!made)
        return false;
    bool written = false;
    if (!g.step([&] {
            replaceFile(target, bytes, fault);
            written = true;
        }))
        return false;
    // A statement gone past (Next in the error dialog) wrote nothing.
    return made && written;
}

LoadResult LoadMvl(ProgramState& state, MessageBoxSink& messages)
{
    Guard g("Module1", "LoadMvl", "Sub LoadMvl()");
    const fs::path file = state.doc.gDateiname;
    const auto abandon = [&](LoadResult result) {
        state.doc.gDateiname.clear();
        return result;
    };
    const auto inconsistent = [&] {
        messages.show({inconsistentFileMessage(file.string()), {}, MessageIcon::None, MessageButtons::Ok});
        return abandon(LoadResult::Refused);
    };
    // A step counts only when it ran to its end: whatever the user answers in
    // the error dialog (Next among them), a load that met a run-time error
    // loads nothing.
    bool done = false;
    std::string bytes;
    if (!g.step([&] {
            done = false;
            bytes = readWholeFile(file);
            done = true;
        }) ||
        !done)
        return abandon(LoadResult::Failed);
    FileContent content;
    done = false;
    if (!g.step([&] {
            done = false;
            content = readFileContent(bytes, state);
            done = true;
        }) ||
        !done)
        return abandon(LoadResult::Failed);
    if (!content.consistent)
        return inconsistent();
    // A value the window cannot show (a list index its list lacks) would stop
    // the writing of the window half-way and leave a mixture of two
    // calculations on the screen.
    if (!windowCanShow(content.records.calc))
        return inconsistent();
    if (content.blocks.i[kUserMSCodeSlot - 1] != state.settings.gUserMSCode) {
        messages.show({kMsCodeMismatchText, kMsCodeMismatchCaption, MessageIcon::Exclamation, MessageButtons::Ok});
        return abandon(LoadResult::Refused);
    }
    for (const char* text : content.messages)
        messages.show({text, {}, MessageIcon::None, MessageButtons::Ok});
    // A file cut inside its configuration rows loads without them; a Save
    // without a dialog would write the file again without the rows it still
    // holds, so it is not current.
    if (content.configurationCut)
        messages.show({configurationCutMessage(file.string(), state.ui.gSprachOffset), {}, MessageIcon::None,
                       MessageButtons::Ok});
    state.calc = std::move(content.records.calc);
    state.doc = std::move(content.records.doc);
    state.config.gConfAuswahl = content.conf;
    if (content.configurationCut)
        state.doc.gDateiname.clear();
    return LoadResult::Loaded;
}

std::string inconsistentFileMessage(const std::string& file)
{
    return std::string(kInconsistentFileText) + "\r\n\r\n" + file;
}

std::string configurationCutMessage(const std::string& file, std::int32_t sprachOffset)
{
    return withValues(resText(TextConfigurationCut, sprachOffset), {file});
}

}  // namespace morvane
