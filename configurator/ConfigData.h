// The configuration database of the element models (module modConfigSelect):
// the connection chosen by the user's database code, the walk over a model
// table's rows in ascending ID, the help-table lookup and the load of a model's
// fields into the field table and into a plain model for the page.
//
// A model table "<model>-CONFIG-<DE|EN>" is read by column position, except
// "ID": with C columns, column 1 of row 3 is the type information, columns 2 to
// C-3 are the fields (left to right = field index 0, 1, ...), column C-2 is the
// text column (row 3: the type description; option rows: the option text) and
// column C-1 is not read. Row 2 holds the captions, row 3 the help keys
// (ConfigHelp.ConfigFieldName), rows 4 and up the option codes. Rows are visited
// in ascending ID from 1; IDs of 10000 and up are never visited.
#pragma once

#include "engine/ConfigZustand.h"
#include "platform/MessageBox.h"
#include "platform/ProductDatabase.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

// What the configurator needs of the program: the product databases of the
// program folder, the message boxes, and the user's database code.
struct ConfigEnvironment {
    ProductDatabases& databases;
    MessageBoxSink& messages;
    std::int16_t gUserMSCode = 0;
};

// One option of a field's list: list position k (1..) shows text and stands for
// code.
struct ConfigOption {
    std::string code;
    std::string text;
};

// One row of the configuration page.
struct ConfigRow {
    std::string caption;                // list entry 0
    std::vector<ConfigOption> options;  // list entries 1.. in ID order: options[k-1] is Code(k)
    std::string tooltip;                // the row's tooltip: its caption
};

// What a model load gives the page.
struct ConfigModel {
    bool loaded = false;          // the rows were built
    std::vector<ConfigRow> rows;  // one per field, index = field index (empty after a failure)
    // The new texts of the type information and description boxes; nothing where
    // the table's cell is empty (the box keeps its text).
    std::optional<std::string> typeInfo;
    std::optional<std::string> typeDescription;
    // After a failed load the type information is emptied (typeInfo "") and the
    // description goes back to the text it shows when the window is built.
    bool descriptionToInitial = false;
    // Scroll range of the rows in twips: (rows - 8) * 400, negative below 8 rows.
    int scrollMax = 0;
};

// The database file name for the messages: "morvdata5.sqlite", or
// "morvdata5_alt.sqlite" for a non-zero user database code.
std::string configDatabaseFileName(std::int16_t userMSCode);

// "<model>-CONFIG-<language>".
std::string configTableName(const std::string& sensorType, const std::string& language);

// Opens the database (never creates it) and the tables "<model>-CONFIG-<lang>" and
// "ConfigHelp" into z. On failure shows "Problems connecting to DB <file>\rText:<error
// description>!" (critical) and returns false.
bool fncgConnectToConfigData(ConfigZustand& z, ConfigEnvironment& env, const std::string& vrlSensorType,
                             const std::string& vrlLanguage);

// The row walk on z.gRsConfig. MoveFirst stands on the row with ID 1 (or at the
// end when there is none, gConfZeilenID unchanged); MoveNext on the row with the
// next higher ID below 10000 (or at the end, gConfZeilenID unchanged).
void subgMoveFirst(ConfigZustand& z);
void subgMoveNext(ConfigZustand& z);

// Copies the first ConfigHelp row whose ConfigFieldName equals the key into
// z.gConfFelder[vrlComboNum], column by column; a Null column keeps the member,
// a Null LabelStringID gives 0. A key without a row changes nothing.
void sublGetHelpInfo(ConfigZustand& z, const std::string& vrlFieldName, std::int16_t vrlComboNum);

// Fills the field table from the open model table: every record reset to a fresh
// one, then captions, help rows, codes and texts; gConfFeldAnzahl = the number of
// fields. More than 51 fields or more than 30 options in a field are reported once
// (run-time error 9 naming the table and the limit) and leave no rows. False when
// the rows could not be built.
bool fncgFillConfigCombos(ConfigZustand& z, const std::string& vrlLanguage, ConfigModel& model);

// The model load behind the element-type list: connect, fill, and on failure the
// second message ("Could not connect to DB <file>!" or "Error while filling Combo
// Boxes <file>!") and an empty configuration (no rows, empty type information,
// the description's initial text). The caller mutes the row events around it and
// assembles the type code afterwards.
ConfigModel fncgChangeConfigSensor(ConfigZustand& z, ConfigEnvironment& env, const std::string& vrlSensorType,
                                   const std::string& vrlLanguage);

}  // namespace morvane
