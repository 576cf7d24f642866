// The configurator's program-wide state: the field table of the model on the
// configuration page, the saved selection of a calculation file, the switches of
// value entry, the type key, the model name, the drawing paths and the open
// configuration database.
#pragma once

#include "platform/ProductDatabase.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace morvane {

// Field indexes 0..50: at most 51 selection fields (rows) per model.
inline constexpr int MaxConfigRows = 51;
// Option positions 1..30 of a field; position 0 is the caption entry.
inline constexpr int MaxConfigOptions = 30;

// One selection field of the model on the page (gConfFelder(i)). A fresh record
// is all zero and empty; every field is reset to a fresh record before a model
// load fills it, so nothing of an earlier model survives in it.
struct ConfigField {
    std::array<std::string, MaxConfigOptions + 1> Code{};  // option code of list position k; Code[0] "" (caption)
    std::array<std::string, MaxConfigOptions + 1> Text{};  // option text beside Code[k]
    std::string Caption;                 // field caption: list entry 0 and the row's tooltip
    std::int16_t EditField = 0;          // Boolean: the field has a value option (True when it has a help key)
    std::string FieldName;               // key of its help row; "FLU", "CON", "POR" name the drawing fields
    std::string TextinCombo;             // the option code that asks for a typed value
    double ValueMin = 0;                 // lower limit of a typed value (inclusive)
    double ValueMax = 0;                 // upper limit of a typed value (inclusive)
    std::int16_t ValueNeg = 0;           // 1: a typed value may start with a minus
    std::int16_t ValueDecs = 0;          // decimals allowed in a typed value; 0 whole numbers
    std::string Type;                    // "Value", "Constant", "CombiAdd", "CombiMulti",
                                         // "dpelementInnendurchmesserA", "dpelementWandstaerkeRohrleitung"
    double EditFactor = 0;               // constant, addend or factor of a computed segment
    std::string Prefix;                  // text before a computed segment
    std::string Suffix;                  // text after a computed segment
    std::int16_t Mandatory = 0;          // Boolean: a complete code needs a choice other than the caption
    std::int16_t DrawingField = 0;       // Boolean: the field takes part in the drawing name
    std::int16_t LabelStringID = 0;      // resource text id of the label beside the value box; 0 none
    // Not a member of the record as the tables describe it: the number of options,
    // so that positions 1..OptionCount are the list entries after the caption.
    std::int16_t OptionCount = 0;
};

// The configuration selection saved in a calculation file.
struct ConfAuswahl {
    std::int16_t ComboIndex = 0;  // element-type list index when saved; 0 none
    std::int16_t Anzahl = 0;      // saved rows, 0 to 51
    std::array<std::int16_t, MaxConfigRows> FeldIndex{};
    std::array<double, MaxConfigRows> Wert{};
};

struct ConfigZustand {
    std::array<ConfigField, MaxConfigRows> gConfFelder{};
    std::int16_t gConfFeldAnzahl = 0;      // configuration rows in use (fields of the model)
    std::int16_t gConfFeldIndex = 0;       // field being filled during a load
    std::int16_t gConfZeilenID = 0;        // ID of the current row of the row walk
    ConfAuswahl gConfAuswahl;
    std::int16_t gConfEventsAus = 0;       // Boolean: -1 mutes the configurator's handlers
    std::int16_t gGrenzwertPruefung = 0;   // 1: entries filtered by their field's rules
    std::int16_t gGrenzwertModus = 0;      // 1 warn, 2 warn and set to the limit
    std::string gTypenschluessel;          // type key of the configured element
    std::string gSondentyp;                // model name chosen in the element-type list
    std::string gPdfDatei;                 // path of the PDF drawing of the current choice
    std::string gJpgDatei;                 // path of the JPG drawing of the current choice
    std::string gDatenbankPfad;            // full path of the open configuration database
    // The open database and its two tables (the model's table and "ConfigHelp").
    std::shared_ptr<const ProductDatabase> gDatenbank;
    std::optional<Recordset> gRsConfig;
    std::optional<Recordset> gRsConfigHelp;
};

}  // namespace morvane
