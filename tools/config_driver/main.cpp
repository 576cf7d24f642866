// config_driver [--data-root DIR] FILE.json
//
// Runs the configurator on one model as the configuration page would: the model
// is chosen in the element-type list (its table is opened and its rows are
// built, muted), the type code is assembled once, then each row in turn gets its
// selection (a click in the row's list) and, where the row then shows its value
// box, its typed value, character by character at the end of the box, each
// character a change of the box: the number filter of the field mends the text,
// the entry check marks a value the field does not take (outside its limits, or
// a decimal separator in a field without decimals, which the filter keeps), and
// the type code is rebuilt, incomplete while such a value stands in a box. No
// message comes while a row is typed. After its last character the row's box is
// left, as the user leaves it for the next row: a value still refused then gives
// its message (the limit warning, or the whole-numbers warning). The program's
// start-up settings hold: each field's own rules, warn and mark.
// FILE "-" reads standard input.
//
// Input: one flat JSON object; every key may be left out.
//   "gSprachKuerzel"    "DE" (default) or "EN": the language of the tables and texts
//   "gUserMSCode"       0 (default): morvdata5.sqlite; any other value: morvdata5_alt.sqlite
//   "model"             the model name as the element-type list shows it (blanks at
//                       both ends removed), e.g. "RQ25"; "" chooses no model
//   "selections"        one list index per row: 0 the caption (default), k option k,
//                       -1 no selection; entries beyond the rows are not used
//   "values"            one typed text per row, "" where none
//   "decimalSeparator"  "," or "." (default): the user's, for "Constant" segments
//   "gInnendurchmesser", "gWandstaerke"  the pipe values of the calculation state (mm)
//
// Output: one JSON object:
//   "fields"           per row: "key", "caption", "tooltip", "editField", "mandatory",
//                      "type", "options" as a list of {"code", "text"}
//   "typeInfo", "typeDescription"  the texts of the two boxes
//   "code", "complete" the type code and whether it is complete (green)
//   "typeKey"          type information followed by the code, as the Calculate run takes it
//   "drawingName"      the drawing name of the last assembly ("" before any)
//   "drawingPdf", "drawingJpg"  the drawing's path when that file exists, else null
//   "messageBoxes"     the texts of the message boxes shown, in order: the model
//                      load's, then one for each row whose value is refused when
//                      its box is left (none for a value typed through prefixes
//                      outside the limits, such as 1200 within 1000 - 15000)
//   "runtimeErrors"    "<number> (<description>) in <module>.<procedure>" for each
//                      run-time error; each is answered "Exit Procedure"
//
// Exit status: 0 after a run, 1 when a run-time error happened, 2 for bad
// arguments or bad input (unknown keys, values of the wrong kind, a selection
// outside its row's list, a typed value for a row that shows no value box).
//
// The data root (the program folder) holds the product databases and the
// drawings; by default $MORVANE_HOME when set, otherwise the program folder of
// this build.
#include "common/ResourceTexts.h"
#include "configurator/ConfigData.h"
#include "configurator/DrawingName.h"
#include "configurator/TypeCode.h"
#include "configurator/ValueEntry.h"
#include "engine/CalculationState.h"
#include "platform/DataRoot.h"
#include "platform/ProductDatabase.h"
#include "tracing/ErrPtnr.h"
#include "tools/DriverResponder.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace morvane;

constexpr int ExitBadInput = 2;
constexpr int ExitRuntimeError = 1;
constexpr std::int32_t TypeDescriptionInitial = 1832;

struct BadInput : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class RecordingMessageBox : public MessageBoxSink {
public:
    MessageAnswer show(const MessageRequest& request) override
    {
        std::cerr << "message box: " << request.text << "\n";
        texts.push_back(request.text);
        return MessageAnswer::Ok;
    }
    std::vector<std::string> texts;
};

struct Input {
    std::string language = "DE";
    std::int16_t userMSCode = 0;
    std::string model;
    std::vector<int> selections;
    std::vector<std::string> values;
    char decimalSeparator = '.';
    PipeValues pipe;
};

std::string trimmed(const std::string& s)
{
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

double finiteNumber(const nlohmann::json& v, const std::string& key)
{
    if (!v.is_number())
        throw BadInput(key + " must be a number");
    const double d = v.get<double>();
    if (!std::isfinite(d))
        throw BadInput(key + " must be finite");
    return d;
}

Input readInput(const nlohmann::json& in)
{
    if (!in.is_object())
        throw BadInput("the input must be one JSON object");
    Input r;
    for (const auto& [key, v] : in.items()) {
        if (key == "gSprachKuerzel") {
            if (!v.is_string() || (v != "DE" && v != "EN"))
                throw BadInput("gSprachKuerzel must be \"DE\" or \"EN\"");
            r.language = v.get<std::string>();
        } else if (key == "gUserMSCode") {
            if (!v.is_number_integer() || v.get<long long>() < std::numeric_limits<std::int16_t>::min() ||
                v.get<long long>() > std::numeric_limits<std::int16_t>::max())
                throw BadInput("gUserMSCode must be a 16-bit integer");
            r.userMSCode = static_cast<std::int16_t>(v.get<long long>());
        } else if (key == "model") {
            if (!v.is_string())
                throw BadInput("model must be a text");
            r.model = trimmed(v.get<std::string>());
        } else if (key == "selections") {
            if (!v.is_array())
                throw BadInput("selections must be a list of list indexes");
            for (const auto& s : v) {
                if (!s.is_number_integer() || s.get<long long>() < -1 || s.get<long long>() > MaxConfigOptions)
                    throw BadInput("selections: each is -1 or a list index 0.." + std::to_string(MaxConfigOptions));
                r.selections.push_back(static_cast<int>(s.get<long long>()));
            }
        } else if (key == "values") {
            if (!v.is_array())
                throw BadInput("values must be a list of texts");
            for (const auto& s : v) {
                if (!s.is_string())
                    throw BadInput("values: each is a text");
                r.values.push_back(s.get<std::string>());
            }
        } else if (key == "decimalSeparator") {
            if (!v.is_string() || (v != "," && v != "."))
                throw BadInput("decimalSeparator must be \",\" or \".\"");
            r.decimalSeparator = v.get<std::string>()[0];
        } else if (key == "gInnendurchmesser") {
            r.pipe.gInnendurchmesser = finiteNumber(v, key);
        } else if (key == "gWandstaerke") {
            r.pipe.gWandstaerke = finiteNumber(v, key);
        } else {
            throw BadInput("unknown key " + key);
        }
    }
    return r;
}

// The configuration page as far as the driver needs it: the rows' selections,
// value boxes and labels, the type boxes and the code box.
class ConfigPage {
public:
    ConfigPage(ConfigZustand& z, ConfigEnvironment& env, const Input& in, std::filesystem::path programFolder)
        : z_(z), env_(env), in_(in), folder_(std::move(programFolder)), offset_(offset()),
          entry_({z, offset_, env.messages, [this](int i) { return box(i); }, [this](int i) { cmbConfField_Click(i); }})
    {
        typeDescription = resText(TypeDescriptionInitial, offset());
        // As the program's start sets them.
        z_.gGrenzwertPruefung = 1;
        z_.gGrenzwertModus = 1;
    }

    // The element-type list's click on a maker's model.
    void chooseModel()
    {
        z_.gConfEventsAus = True;
        z_.gSondentyp = in_.model;
        model = fncgChangeConfigSensor(z_, env_, z_.gSondentyp, in_.language);
        rows.assign(model.rows.size(), Row{});
        for (std::size_t i = 0; i < rows.size(); ++i)
            rows[i].box.onChange = [this, i] { entry_.txtValueEntry_Change(static_cast<std::int16_t>(i)); };
        if (model.typeInfo)
            typeInfo = *model.typeInfo;
        if (model.typeDescription)
            typeDescription = *model.typeDescription;
        if (model.descriptionToInitial)
            typeDescription = resText(TypeDescriptionInitial, offset());
        z_.gConfEventsAus = False;
        cmbConfField_Click(0);
    }

    void select(std::size_t row, int k)
    {
        if (k > static_cast<int>(model.rows[row].options.size()))
            throw BadInput("selections[" + std::to_string(row) + "]: row " + std::to_string(row) + " has " +
                           std::to_string(model.rows[row].options.size()) + " options");
        rows[row].listIndex = k;
        cmbConfField_Click(static_cast<int>(row));
    }

    // Typing at the end of the box, one character a change.
    void type(std::size_t row, const std::string& text)
    {
        if (text.empty())
            return;
        if (!rows[row].entryVisible)
            throw BadInput("values[" + std::to_string(row) + "]: row " + std::to_string(row) +
                           " shows no value box");
        PlainEntryBox& b = rows[row].box;
        for (std::size_t i = 0; i < text.size();) {
            // One character (all bytes of a UTF-8 sequence) per key.
            std::size_t n = 1;
            while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0u) == 0x80u)
                ++n;
            b.setSelStart(static_cast<int>(b.text().size()));
            b.type(text.substr(i, n));
            i += n;
        }
        // On to the next row: the box is left.
        entry_.txtValueEntry_LostFocus(static_cast<std::int16_t>(row));
    }

    void cmbConfField_Click(int index)
    {
        if (isTrue(z_.gConfEventsAus))
            return;
        if (index >= 0 && static_cast<std::size_t>(index) < rows.size()) {
            Row& r = rows[static_cast<std::size_t>(index)];
            const ValueEntryRow shows = valueEntryRow(z_.gConfFelder[static_cast<std::size_t>(index)], r.listIndex);
            r.entryVisible = shows.entryVisible;
        }
        std::vector<int> indexes;
        std::vector<std::string> texts;
        for (const Row& r : rows) {
            indexes.push_back(r.listIndex);
            texts.push_back(r.box.text());
        }
        const std::span<const ConfigField> fields(z_.gConfFelder.data(), rows.size());
        const TypeCode tc = assembleTypeCode(fields, indexes, texts, in_.pipe, in_.decimalSeparator, entryRules(z_));
        code = tc.code;
        complete = tc.complete;
        drawingName = sublCompileDrawingFileName(z_, folder_, indexes);
    }

    std::int32_t offset() const { return in_.language == "EN" ? OffsetEnglish : OffsetGerman; }

    struct Row {
        int listIndex = 0;
        PlainEntryBox box;  // txtValueEntry(i)
        bool entryVisible = false;
    };
    ConfigModel model;
    std::vector<Row> rows;
    std::string typeInfo;
    std::string typeDescription;
    std::string code;
    bool complete = false;
    std::string drawingName;

private:
    EntryBox* box(int i) { return i >= 0 && static_cast<std::size_t>(i) < rows.size() ? &rows[static_cast<std::size_t>(i)].box : nullptr; }

    ConfigZustand& z_;
    ConfigEnvironment& env_;
    const Input& in_;
    std::filesystem::path folder_;
    std::int32_t offset_;
    ValueEntry entry_;
};

int usage(const std::string& why)
{
    std::cerr << "config_driver: " << why << "\n"
              << "usage: config_driver [--data-root DIR] FILE.json   (FILE - reads standard input)\n";
    return ExitBadInput;
}

std::filesystem::path defaultRoot()
{
    const char* home = std::getenv("MORVANE_HOME");
    if (home != nullptr && *home != '\0')
        return defaultDataRoot();
    return MORVANE_PROGRAM_DIR;
}

nlohmann::ordered_json existingPath(const std::string& p)
{
    std::error_code ec;
    if (!p.empty() && std::filesystem::is_regular_file(p, ec))
        return p;
    return nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    std::optional<std::filesystem::path> dataRoot;
    std::optional<std::string> file;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--data-root" && i + 1 < argc) {
            dataRoot = std::filesystem::path(argv[++i]);
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            return usage("unknown option " + a);
        } else if (!file) {
            file = a;
        } else {
            return usage("more than one input file");
        }
    }
    if (!file)
        return usage("no input file");

    Input input;
    try {
        nlohmann::json json;
        if (*file == "-") {
            json = nlohmann::json::parse(std::cin);
        } else {
            std::ifstream in(*file);
            if (!in)
                return usage("cannot read " + *file);
            json = nlohmann::json::parse(in);
        }
        input = readInput(json);
    } catch (const nlohmann::json::exception& e) {
        return usage(std::string("bad JSON: ") + e.what());
    } catch (const BadInput& e) {
        return usage(std::string("bad input: ") + e.what());
    }

    RecordingMessageBox boxes;
    ExitProcedureResponder responder;
    errPtnr().setResponder(&responder);
    const std::filesystem::path root = dataRoot.value_or(defaultRoot());
    ProductDatabases databases(root);
    ConfigEnvironment env{databases, boxes, input.userMSCode};
    auto z = std::make_unique<ConfigZustand>();
    ConfigPage page(*z, env, input, root);
    try {
        if (!input.model.empty()) {
            page.chooseModel();
            for (std::size_t i = 0; i < page.rows.size(); ++i) {
                page.select(i, i < input.selections.size() ? input.selections[i] : 0);
                page.type(i, i < input.values.size() ? input.values[i] : std::string());
            }
        }
    } catch (const BadInput& e) {
        errPtnr().setResponder(nullptr);
        return usage(std::string("bad input: ") + e.what());
    }
    errPtnr().setResponder(nullptr);

    nlohmann::ordered_json fields = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < page.model.rows.size(); ++i) {
        const ConfigField& f = z->gConfFelder[i];
        nlohmann::ordered_json options = nlohmann::ordered_json::array();
        for (const ConfigOption& o : page.model.rows[i].options)
            options.push_back({{"code", o.code}, {"text", o.text}});
        fields.push_back({{"key", f.FieldName},
                          {"caption", page.model.rows[i].caption},
                          {"tooltip", page.model.rows[i].tooltip},
                          {"editField", isTrue(f.EditField)},
                          {"mandatory", isTrue(f.Mandatory)},
                          {"type", f.Type},
                          {"options", options}});
    }
    nlohmann::ordered_json out;
    out["fields"] = fields;
    out["typeInfo"] = page.typeInfo;
    out["typeDescription"] = page.typeDescription;
    out["code"] = page.code;
    out["complete"] = page.complete;
    out["typeKey"] = page.typeInfo + page.code;
    out["drawingName"] = page.drawingName;
    out["drawingPdf"] = existingPath(z->gPdfDatei);
    out["drawingJpg"] = existingPath(z->gJpgDatei);
    out["messageBoxes"] = boxes.texts;
    out["runtimeErrors"] = responder.errors;
    std::cout << out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    return responder.errors.empty() ? 0 : ExitRuntimeError;
}
