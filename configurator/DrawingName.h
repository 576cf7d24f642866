// Dimension drawings: the name of the drawing of the current selection and its
// two files in the program folder, Drawings/PDF/<name>.pdf and
// Drawings/JPG/<name>.jpg.
//
// Name = model, FLU letter, CON letter, "_", POR code. A part whose field the
// model lacks (no row with that key and DrawingField set) is empty; a part whose
// field stands on its caption is "XX". Where several rows carry one key, the
// last decides.
#pragma once

#include "engine/ConfigZustand.h"

#include <filesystem>
#include <span>
#include <string>

namespace morvane {

// FLU: the code mapped by the FLU table ("-FS" -> "FD", ...), its 2nd character.
std::string fluLetter(const std::string& code);
// CON: the code's 2nd character ("" for a shorter code).
std::string conLetter(const std::string& code);
// POR: the two-letter position code of the table, "XX" for a code not in it.
std::string porCode(const std::string& code);

// fields: the first gConfFeldAnzahl records; listIndex[i]: the selected list
// position of row i (0 or -1: nothing chosen).
std::string drawingName(const std::string& sondentyp, std::span<const ConfigField> fields,
                        std::span<const int> listIndex);

std::filesystem::path drawingPdfPath(const std::filesystem::path& programFolder, const std::string& name);
std::filesystem::path drawingJpgPath(const std::filesystem::path& programFolder, const std::string& name);

// The drawing lookup: sets z.gPdfDatei and z.gJpgDatei from the name of the
// current selection of z's rows and returns the name.
std::string sublCompileDrawingFileName(ConfigZustand& z, const std::filesystem::path& programFolder,
                                       std::span<const int> listIndex);

}  // namespace morvane
