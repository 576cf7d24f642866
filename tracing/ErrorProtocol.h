// The error protocol: a plain-text report of the error on display, the trace
// list and the operating system, and the four things the error dialog's
// protocol buttons do with it (print, save as a file, e-mail and web page by way
// of the clipboard).
#pragma once

#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/OsInfo.h"
#include "platform/Printer.h"
#include "platform/ShellOpen.h"
#include "tracing/ErrPtnr.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// The printout's word wrap: counted columns per output line, and the blanks
// that start a continuation line (not counted).
inline constexpr std::size_t ProtocolPrintColumns = 73;
inline constexpr std::size_t ProtocolContinuationIndent = 20;

// The texts of the dialog's four value labels: "11 (Division by zero)", the
// module, the procedure and the line number.
std::array<std::string, 4> errorValueTexts(const ErrorReport& report);

// The protocol, every line ended by CR LF. callStackItems are the items of the
// dialog's trace list, first to last; `now` gives the date and time line.
std::string BuildProtocol(const ErrorReport& report, const std::vector<std::string>& callStackItems,
                          std::chrono::system_clock::time_point now, const OsDescription& os);

// The lines the print action sends to the printer: each protocol line cut into
// words at blanks, at most 73 counted characters an output line, continuation
// lines indented by 20 blanks, and a word longer than a line left whole.
std::vector<std::string> wrapProtocolLines(std::string_view protocol);

// folder/exeName + extension (".ERR", ".EPT").
std::filesystem::path protocolFilePath(const std::filesystem::path& folder, const std::string& exeName,
                                       const std::string& extension);

struct ProtocolSettings {
    std::filesystem::path folder;  // the program's folder
    std::string exeName = "morvane";
    // Configuration values; blanks at both ends of the address are dropped.
    std::string supportAddress = "support@halvern.example";
    std::string webPage = "https://www.halvern.example/support";
};

struct ProtocolServices {
    MessageBoxSink& messages;
    Clipboard& clipboard;
    ShellOpen& shell;
    Printer& printer;
    const OsInfo& os;
    const Clock& clock;
};

class ErrorProtocol {
public:
    enum Action : std::int16_t { Print = 0, Save = 1, EMail = 2, WWW = 3 };

    ErrorProtocol(ProtocolServices services, ProtocolSettings settings);

    std::string BuildProtocol(const ErrorReport& report, const std::vector<std::string>& callStackItems) const;

    // Builds the protocol and runs the action of protocol button Index. True
    // when the action was carried out; a failure has been told to the user in a
    // message box and never ends the program.
    bool cmdProtocol_Click(std::int16_t Index, const ErrorReport& report,
                           const std::vector<std::string>& callStackItems);

    bool print(const std::string& protocol);
    bool save(const std::string& protocol);
    bool email(const std::string& protocol);
    bool www(const std::string& protocol);

    // Appends the protocol to the program's ".EPT" file.
    bool AppendProtocolFile(const ErrorReport& report, const std::vector<std::string>& callStackItems);

    const ProtocolSettings& settings() const { return settings_; }

private:
    void tell(std::string text) const;
    MessageAnswer ask(std::string text, MessageButtons buttons) const;

    ProtocolServices services_;
    ProtocolSettings settings_;
};

}  // namespace morvane
