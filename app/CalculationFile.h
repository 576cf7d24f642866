// The calculation file "*.mv5": the user's inputs of one calculation as a plain
// text file of CR LF lines. Four blocks of fifty values (Boolean, String,
// Integer, Double; slot n is line n of its block), then the configuration
// section (the element-type list index and, when it is positive, the count of
// configuration rows and each row's list index and entry value).
//
// Value forms: `#TRUE#` / `#FALSE#`; a text between double quotes (a double
// quote inside a text is written twice, a line break inside a text is written
// as it stands, so a text may span lines); a whole number without blanks; a
// decimal number without blanks with a point as decimal separator whatever the
// locale, in as few digits as give the same double back (15 or fewer for any
// value that 15 digits carry), and in the exponent form "1.5E-07" / "1E+15"
// below 1E-05 and from 1E+15 on. The configuration section writes its numbers
// in print form: a blank (or a minus sign) before the digits and one blank after
// them (" 3 ", "-1 ", " 12.5 ").
//
// Texts are written in the Windows-1252 code page of the files the earlier
// releases wrote; a file whose texts hold a character that code page lacks is
// written in UTF-8 behind the UTF-8 byte-order mark, so nothing typed is lost.
// The encoding is never guessed: the reader takes a file with that mark as
// UTF-8 (and refuses it when it is not valid UTF-8), and any other file as
// Windows-1252.
//
// Every value stands on a line of its own. A file the reader cannot take
// exactly as written (a comma or a second value on a value's line, an empty
// line where a value belongs, a value that does not read or does not fit its
// slot, a file that ends before its last block does, a configuration count
// outside 0..51, anything but blanks and empty lines after the last value, a
// marked file that is not UTF-8) is refused as a whole with the "not
// consistent" message, which names the file. A file that ends in Ctrl-Z (0x1A, the end-of-file mark of old DOS
// tools, with or without line ends after it) is read up to the Ctrl-Z.
#pragma once

#include "engine/ProgramState.h"
#include "platform/DurableFile.h"
#include "platform/MessageBox.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

inline constexpr int CalcFileSlots = 50;

// The messages of the reader, used exactly as they stand.
inline constexpr const char* kMsCodeMismatchText =
    "Achtung, bitte ändern Sie die MS-Code-Einstellungen in den Benutzereinstellungen! ATTENTION: Please change "
    "the MS-Code-Settings in user options!";
inline constexpr const char* kMsCodeMismatchCaption = "WARNING";
inline constexpr const char* kOldFileTypeText = "Error while loading - Old File Type!";
inline constexpr const char* kInconsistentFileText = "Error while loading - File content is not consistent!";

// What the writer needs of the main window's configurator page: the element-type
// list Combo2 and the configuration rows cmbConfField(i) / txtValueEntry(i).
// The number of rows written is gConfFeldAnzahl of the configurator's state for
// the maker's models (element types 1 to 7) and 0 for every other type.
class ConfigRowSource {
public:
    virtual ~ConfigRowSource() = default;
    virtual std::int16_t elementTypeIndex() const = 0;        // Combo2's list index, -1 when none
    virtual std::int16_t rowListIndex(int row) const = 0;     // cmbConfField(row)'s list index
    virtual std::string rowEntryText(int row) const = 0;      // txtValueEntry(row)'s text
};

// The rows as plain values, for callers that copy them out of the window first
// (and for tests). A row that is not there is run-time error 9.
struct ConfigRowsSnapshot : ConfigRowSource {
    struct Row {
        std::int16_t listIndex = 0;
        std::string entryText;
    };
    std::int16_t comboIndex = -1;
    std::vector<Row> rows;

    std::int16_t elementTypeIndex() const override { return comboIndex; }
    std::int16_t rowListIndex(int row) const override;
    std::string rowEntryText(int row) const override;
};

// Writes the file named by state.doc.gDateiname from the calculation state, the
// document texts, gUserMSCode and the configurator rows. The file is written
// under a short temporary name in the same folder, flushed to the disk and
// renamed over the target only when all of it has been written, so a failure
// (a full disk among them) leaves an existing file as it was; the failure
// reaches the error dialog as a run-time error naming the file. The new file
// keeps the old one's owner and group, mode, access list and extended
// attributes; a file saved for the first time gets the permissions the system
// gives any new file in its folder (its default access list, or the umask). Where this user cannot give it all of them (another user's file
// in a shared folder, a group he is not in), and for a file with more than
// one link, the file is written in place: the old bytes go to a backup beside
// it ("calc.mv5.Ab12Cd.bak") first, and without a backup nothing is written; a
// write that fails half-way puts them back, and where even that fails the
// backup stays and the error names it. A symbolic link is followed and the
// file it names replaced; a target without any write bit in its mode, one
// this user may not write, or one that may only be appended to, is refused
// (75), and so is a save into a folder this user may not write, whose error
// says that the folder is read-only. A refusal names its reason (a loop of
// links and a name too long among them). True
// when the file was written. `fault` stages failures in the writes, flushes,
// close and rename (for tests).
bool SaveMvl(const ProgramState& state, const ConfigRowSource& rows, const SaveFault& fault = {});

enum class LoadResult {
    Loaded,   // the blocks and the configuration were copied into the state
    Refused,  // a message refused the file (inconsistent content, or saved with
              // another alternative-database setting)
    Failed,   // a run-time error met the load, whatever the answer to it
};

// Reads the file named by state.doc.gDateiname into the calculation state, the
// document texts and config.gConfAuswahl, showing the messages on refused, old
// or inconsistent files through `messages`. The whole file is read before any
// of it reaches the state: unless the result is Loaded, nothing has changed
// (config.gConfAuswahl included) but gDateiname, which is emptied, so that a
// later Save asks for a name instead of writing the current inputs over a file
// that was not loaded. A file that ends inside its configuration rows loads
// without any of them (gConfAuswahl.Anzahl 0) with a message that names it,
// and is not current either: gDateiname is emptied, so that a Save without a
// dialog does not write it again without the rows it holds. A file whose
// values the main window cannot show (a list index its list lacks, a check
// value outside 0..2, two options of one group, a pressure or temperature that
// overflows in its display unit; see windowCanShow) is refused as not consistent, like damaged content; so is a
// file that ends inside the four blocks (an empty file among them), a value
// that does not read (a text in a number's slot) and one that does not fit its
// slot (beyond the double range, beyond 16 bits in an Integer slot, a known dp
// that overflows when it is scaled). Only the file system's errors reach the
// error dialog: a missing file is run-time error 53, a read that fails 57; a
// file that is not a regular file or is larger than 1 MB, one this user may
// not read, a loop of links and a name too long are 75, each naming its
// reason.
LoadResult LoadMvl(ProgramState& state, MessageBoxSink& messages);

// The message that refuses a whole file: the "not consistent" text and, on a
// line of its own after an empty one, the file's path.
std::string inconsistentFileMessage(const std::string& file);

// "The configuration of this file could not be read whole: the file ends
// inside its configuration rows ...", then the file's path: the message for a
// file that loads without its configuration rows.
inline constexpr std::int32_t TextConfigurationCut = 1913;
std::string configurationCutMessage(const std::string& file, std::int32_t sprachOffset);

// The Double block's text of a value (run-time error 5 for NaN, 6 for an
// infinity).
std::string calcFileNumberText(double value);

// A number in print form: " 12.5 ", "-3 ".
std::string calcFilePrintText(double value);

}  // namespace morvane
