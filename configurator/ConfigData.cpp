#include "configurator/ConfigData.h"

#include "engine/CalculationState.h"
#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

#include <algorithm>
#include <exception>

namespace morvane {

namespace {

constexpr const char* Module = "modConfigSelect";
constexpr std::int16_t EndOfWalk = 10000;  // IDs from here on are never visited
constexpr int ObjectNotSet = 91;

Recordset& configTable(ConfigZustand& z)
{
    if (!z.gRsConfig)
        raiseError(ObjectNotSet, "Object variable or With block variable not set (no configuration table is open)");
    return *z.gRsConfig;
}

// One row of the walk with its cells as texts; nothing for an empty cell (Null
// or the empty text).
struct WalkedRow {
    std::int16_t id = 0;
    std::vector<std::optional<std::string>> cells;
};

std::optional<std::string> cellText(const Recordset& rs, std::size_t position)
{
    if (rs.isNullAt(position))
        return std::nullopt;
    std::string t = rs.stringAt(position);
    if (t.empty())
        return std::nullopt;
    return t;
}

const std::optional<std::string>& cellOf(const WalkedRow& row, std::size_t position)
{
    static const std::optional<std::string> none;
    return position < row.cells.size() ? row.cells[position] : none;
}

std::int16_t boolean(double v)
{
    return v != 0 ? True : False;
}

}  // namespace

std::string configDatabaseFileName(std::int16_t userMSCode)
{
    return std::string(userMSCode != 0 ? ProductDatabases::AlternativeFile : ProductDatabases::MainFile);
}

std::string configTableName(const std::string& sensorType, const std::string& language)
{
    return sensorType + "-CONFIG-" + language;
}

bool fncgConnectToConfigData(ConfigZustand& z, ConfigEnvironment& env, const std::string& vrlSensorType,
                             const std::string& vrlLanguage)
{
    Guard g(Module, "fncgConnectToConfigData",
            "Public Function fncgConnectToConfigData(vrlSensorType As String, vrlLanguage As String) As Boolean",
            {{"vrlSensorType", vrlSensorType}, {"vrlLanguage", vrlLanguage}});
    // A handler of its own: every fault of the opening is one message and false.
    const std::string file = configDatabaseFileName(env.gUserMSCode);
    std::string description;
    try {
        z.gDatenbankPfad = env.databases.file(env.gUserMSCode).string();
        const std::string table = configTableName(vrlSensorType, vrlLanguage);
        z.gDatenbank = env.databases.OpenDatabase(env.gUserMSCode);
        z.gRsConfig = z.gDatenbank->OpenRecordset(table);
        z.gRsConfigHelp = z.gDatenbank->OpenRecordset("ConfigHelp");
        return true;
    } catch (const RuntimeError& e) {
        description = e.description();
    } catch (const std::exception& e) {
        description = e.what();
    }
    env.messages.show({"Problems connecting to DB " + file + "\r" + "Text:" + description + "!", "",
                       MessageIcon::Critical, MessageButtons::Ok});
    return false;
}

// The walk has no handler of its own: a fault belongs to the calling step.
void subgMoveFirst(ConfigZustand& z)
{
    traceEntry(Module, "Public Sub subgMoveFirst()");
    Recordset& rs = configTable(z);
    rs.MoveFirst();
    while (!rs.atEnd() && rs.integerValue("ID") != 1)
        rs.MoveNext();
    if (!rs.atEnd())
        z.gConfZeilenID = 1;
}

void subgMoveNext(ConfigZustand& z)
{
    traceEntry(Module, "Public Sub subgMoveNext()");
    Recordset& rs = configTable(z);
    std::int16_t best = EndOfWalk;
    rs.MoveFirst();
    while (!rs.atEnd()) {
        const std::int16_t id = rs.integerValue("ID");
        if (id > z.gConfZeilenID && id < best)
            best = id;
        rs.MoveNext();
    }
    if (best == EndOfWalk)
        return;  // at the end; gConfZeilenID stays
    rs.MoveFirst();
    while (rs.integerValue("ID") != best)
        rs.MoveNext();
    z.gConfZeilenID = best;
}

void sublGetHelpInfo(ConfigZustand& z, const std::string& vrlFieldName, std::int16_t vrlComboNum)
{
    Guard g(Module, "sublGetHelpInfo", "Private Sub sublGetHelpInfo(vrlFieldName As String, vrlComboNum As Integer)",
            {{"vrlFieldName", vrlFieldName}, {"vrlComboNum", vrlComboNum}});
    bool found = false;
    if (!g.step([&] {
            if (!z.gRsConfigHelp)
                raiseError(ObjectNotSet, "Object variable or With block variable not set (no help table is open)");
            if (vrlComboNum < 0 || vrlComboNum >= MaxConfigRows)
                raiseError(err::SubscriptOutOfRange);
            Recordset& rs = *z.gRsConfigHelp;
            rs.MoveFirst();
            while (!rs.atEnd()) {
                if (!rs.isNull("ConfigFieldName")) {
                    const std::string key = rs.stringValue("ConfigFieldName");
                    if (!key.empty() && key == vrlFieldName) {
                        found = true;
                        return;
                    }
                }
                rs.MoveNext();
            }
        }))
        return;
    if (!found)
        return;

    const Recordset& rs = *z.gRsConfigHelp;
    ConfigField& f = z.gConfFelder[static_cast<std::size_t>(vrlComboNum)];
    const auto text = [&](const char* column, std::string& member) {
        return g.step([&] {
            if (!rs.isNull(column))
                member = rs.stringValue(column);
        });
    };
    const auto flag = [&](const char* column, std::int16_t& member) {
        return g.step([&] {
            if (!rs.isNull(column))
                member = boolean(rs.doubleValue(column));
        });
    };
    const auto number = [&](const char* column, double& member) {
        return g.step([&] {
            if (!rs.isNull(column))
                member = rs.doubleValue(column);
        });
    };
    const auto whole = [&](const char* column, std::int16_t& member) {
        return g.step([&] {
            if (!rs.isNull(column))
                member = rs.integerValue(column);
        });
    };
    if (!text("ConfigFieldName", f.FieldName) || !flag("EditField", f.EditField) ||
        !flag("Mandatory", f.Mandatory) || !flag("DrawingField", f.DrawingField) ||
        !text("TextinCombo", f.TextinCombo) || !text("Type", f.Type) || !number("ValueMin", f.ValueMin) ||
        !number("ValueMax", f.ValueMax) || !whole("ValueDecs", f.ValueDecs) || !whole("ValueNeg", f.ValueNeg) ||
        !number("EditFactor", f.EditFactor) || !text("Prefix", f.Prefix) || !text("Suffix", f.Suffix))
        return;
    g.step([&] { f.LabelStringID = rs.isNull("LabelStringID") ? 0 : rs.integerValue("LabelStringID"); });
}

bool fncgFillConfigCombos(ConfigZustand& z, const std::string& vrlLanguage, ConfigModel& model)
{
    Guard g(Module, "fncgFillConfigCombos", "Public Function fncgFillConfigCombos(vrlLanguage As String) As Boolean",
            {{"vrlLanguage", vrlLanguage}});
    std::vector<WalkedRow> rows;
    std::size_t columns = 0;
    std::size_t fieldCount = 0;

    // 1. No rows; every field record as freshly created, so that nothing of an
    // earlier model or language shows through a Null or a missing help row.
    if (!g.step([&] {
            model = ConfigModel{};
            z.gConfFeldAnzahl = 0;
            z.gConfFeldIndex = 0;
            z.gConfFelder.fill(ConfigField{});
        }))
        return false;

    // 2. The rows in ascending ID, each read once; a walk broken off leaves no
    // rows, whatever the user answered in the error dialog.
    bool walked = false;
    if (!g.step([&] {
            rows.clear();
            Recordset& rs = configTable(z);
            columns = rs.columnCount();
            subgMoveFirst(z);
            while (!rs.atEnd()) {
                WalkedRow row;
                row.id = z.gConfZeilenID;
                row.cells.reserve(columns);
                for (std::size_t c = 0; c < columns; ++c)
                    row.cells.push_back(cellText(rs, c));
                rows.push_back(std::move(row));
                subgMoveNext(z);
            }
            walked = true;
        }) ||
        !walked)
        return false;

    // 3. Row 1, the captions (2), the help keys (3) and at least one option row
    // must be there; the limits of the field table hold before anything is filled.
    // A user going on with the next statement after the report still gets no
    // rows: the steps below rely on these checks.
    const std::string& table = configTable(z).table();
    bool fits = false;
    if (!g.step([&] {
            if (rows.size() < 4)
                raiseError(dberr::NoCurrentRecord, "No current record: table '" + table + "' has " +
                                                       std::to_string(rows.size()) +
                                                       " rows from ID 1 on, at least 4 are needed "
                                                       "(ID 1, captions, help keys, options)");
            fieldCount = columns >= 4 ? columns - 4 : 0;
            if (fieldCount > static_cast<std::size_t>(MaxConfigRows))
                raiseError(err::SubscriptOutOfRange, "Subscript out of range: table '" + table + "' has " +
                                                         std::to_string(fieldCount) + " field columns, at most " +
                                                         std::to_string(MaxConfigRows) + " are possible");
            for (std::size_t f = 0; f < fieldCount; ++f) {
                const auto n = std::count_if(rows.begin() + 3, rows.end(),
                                             [&](const WalkedRow& r) { return cellOf(r, f + 2).has_value(); });
                if (n > MaxConfigOptions)
                    raiseError(err::SubscriptOutOfRange,
                               "Subscript out of range: column '" + configTable(z).columnName(f + 2) +
                                   "' of table '" + table + "' has " + std::to_string(n) + " options, at most " +
                                   std::to_string(MaxConfigOptions) + " are possible");
            }
            fits = true;
        }) ||
        !fits)
        return false;

    // 4. Type information and description from row 3.
    const std::size_t textColumn = columns >= 2 ? columns - 2 : 0;
    if (!g.step([&] {
            if (const auto& info = cellOf(rows[2], 1))
                model.typeInfo = *info;
            if (const auto& desc = cellOf(rows[2], textColumn))
                model.typeDescription = *desc;
            z.gConfFeldAnzahl = static_cast<std::int16_t>(fieldCount);
            model.rows.assign(fieldCount, ConfigRow{});
            model.scrollMax = (static_cast<int>(fieldCount) - 8) * 400;
        }))
        return false;

    // 5. Each field: caption, help row, options in ID order.
    for (std::size_t f = 0; f < fieldCount; ++f) {
        const std::size_t c = f + 2;
        if (!g.step([&] {
                z.gConfFeldIndex = static_cast<std::int16_t>(f);
                ConfigField& fld = z.gConfFelder[f];
                ConfigRow& row = model.rows[f];
                row.caption = cellOf(rows[1], c).value_or("");
                row.tooltip = row.caption;
                if (const auto& key = cellOf(rows[2], c)) {
                    fld.EditField = True;
                    sublGetHelpInfo(z, *key, static_cast<std::int16_t>(f));
                }
                fld.Caption = row.caption;
                fld.Code[0].clear();
                fld.Text[0].clear();
                std::size_t k = 1;
                for (std::size_t r = 3; r < rows.size(); ++r) {
                    const auto& code = cellOf(rows[r], c);
                    if (!code)
                        continue;
                    // An option without text keeps its place with an empty text, so
                    // that list position k always stands for Code(k).
                    const std::string text = cellOf(rows[r], textColumn).value_or("");
                    fld.Code[k] = *code;
                    fld.Text[k] = text;
                    row.options.push_back({*code, text});
                    ++k;
                }
                fld.OptionCount = static_cast<std::int16_t>(k - 1);
            }))
            return false;
    }
    z.gConfFeldIndex = static_cast<std::int16_t>(fieldCount);
    model.loaded = true;
    return true;
}

ConfigModel fncgChangeConfigSensor(ConfigZustand& z, ConfigEnvironment& env, const std::string& vrlSensorType,
                                   const std::string& vrlLanguage)
{
    Guard g(Module, "fncgChangeConfigSensor",
            "Public Function fncgChangeConfigSensor(vrlSensorType As String, vrlLanguage As String) As Boolean",
            {{"vrlSensorType", vrlSensorType}, {"vrlLanguage", vrlLanguage}});
    ConfigModel model;
    const std::string file = configDatabaseFileName(env.gUserMSCode);
    std::string failure;
    bool ok = false;
    g.step([&] {
        if (!fncgConnectToConfigData(z, env, vrlSensorType, vrlLanguage)) {
            failure = "Could not connect to DB " + file + "!";
        } else if (!fncgFillConfigCombos(z, vrlLanguage, model)) {
            failure = "Error while filling Combo Boxes " + file + "!";
        } else {
            ok = true;
        }
    });
    if (ok)
        return model;
    if (!failure.empty())
        env.messages.show({failure, "", MessageIcon::Critical, MessageButtons::Ok});
    // A failed load leaves nothing of the previous model behind: no rows, no
    // type information (so the type key is empty), the description's first text.
    model = ConfigModel{};
    model.typeInfo = std::string();
    model.descriptionToInitial = true;
    model.scrollMax = -8 * 400;
    z.gConfFeldAnzahl = 0;
    z.gConfFeldIndex = 0;
    z.gConfFelder.fill(ConfigField{});
    return model;
}

}  // namespace morvane
