#include "tracing/ErrorProtocol.h"

#include "tracing/ErrorDialogTexts.h"

#include <cctype>
#include <cstdio>
#include <ctime>
#include <exception>
#include <fstream>
#include <system_error>

namespace morvane {

namespace {

constexpr const char* CrLf = "\r\n";

std::string separator()
{
    return std::string(70, '-') + CrLf;
}

const std::string& indent()
{
    static const std::string blanks(10, ' ');
    return blanks;
}

std::string upper(std::string_view s)
{
    std::string u(s);
    for (char& c : u)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

std::string trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

// "mm-dd-yyyy / hh:mm:ss" in local time.
std::string dateTimeText(std::chrono::system_clock::time_point now)
{
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[80];
    std::snprintf(buf, sizeof buf, "%02d-%02d-%04d / %02d:%02d:%02d", tm.tm_mon + 1, tm.tm_mday,
                  tm.tm_year + 1900, tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buf;
}

bool writeFile(const std::filesystem::path& path, const std::string& protocol, std::ios::openmode mode)
{
    std::ofstream out(path, std::ios::binary | mode);
    if (!out)
        return false;
    out << protocol << CrLf;
    out.close();
    return !out.fail();
}

}  // namespace

std::array<std::string, 4> errorValueTexts(const ErrorReport& report)
{
    return {std::to_string(report.number) + " (" + report.description + ")", report.module, report.procedure,
            std::to_string(report.line)};
}

std::string BuildProtocol(const ErrorReport& report, const std::vector<std::string>& callStackItems,
                          std::chrono::system_clock::time_point now, const OsDescription& os)
{
    const std::string sep = separator();
    std::string t;
    t.reserve(1200);
    t += sep;
    t += "E R R O R   P R O T O C O L  from application";
    t += CrLf;
    t += sep;
    t += report.caption + CrLf;
    t += sep;
    t += upper(errtext::FehlerFrame) + CrLf;
    const auto values = errorValueTexts(report);
    for (std::size_t i = 0; i < values.size(); ++i)
        t += indent() + errtext::ErrTitel[i] + '\t' + values[i] + CrLf;
    t += indent() + "Date/Time:\t" + dateTimeText(now) + CrLf;
    t += sep;
    t += upper(errtext::CallStackFrame) + CrLf;
    for (const auto& item : callStackItems)
        t += indent() + item + CrLf;
    t += sep;
    t += std::string("SYSTEMINFO:") + CrLf;
    t += indent() + "Platform:\t" + os.systemName + CrLf;
    t += indent() + "Version:\t" + std::to_string(os.majorVersion) + "." + std::to_string(os.minorVersion) + CrLf;
    // The build number's high 16 bits carry the major and minor version on some
    // systems; only the low word is the build.
    const unsigned build = static_cast<unsigned>(os.buildNumber) & 0xFFFFu;
    t += indent() + "Build:\t" + std::to_string(build) + "   " + os.extra + CrLf;
    t += sep;
    return t;
}

std::vector<std::string> wrapProtocolLines(std::string_view protocol)
{
    std::string text(protocol);
    text += CrLf;
    std::vector<std::string> printed;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t crlf = text.find(CrLf, pos);
        if (crlf == std::string::npos)
            break;
        std::string line = text.substr(pos, crlf - pos);
        line += ' ';
        pos = crlf + 2;

        std::string output;
        std::size_t count = 0;
        std::size_t start = 0;
        while (start < line.size()) {
            const std::size_t blank = line.find(' ', start);  // the line ends with a blank
            const std::string_view word(line.data() + start, blank - start + 1);
            start = blank + 1;
            count += word.size();
            if (count > ProtocolPrintColumns) {
                if (!output.empty()) {
                    printed.push_back(std::move(output));
                    output.assign(ProtocolContinuationIndent, ' ');
                }
                count = word.size();
            }
            output += word;
        }
        if (!output.empty())
            printed.push_back(std::move(output));
    }
    return printed;
}

std::filesystem::path protocolFilePath(const std::filesystem::path& folder, const std::string& exeName,
                                       const std::string& extension)
{
    return folder / (exeName + extension);
}

ErrorProtocol::ErrorProtocol(ProtocolServices services, ProtocolSettings settings)
    : services_(services), settings_(std::move(settings))
{
}

void ErrorProtocol::tell(std::string text) const
{
    ask(std::move(text), MessageButtons::Ok);
}

MessageAnswer ErrorProtocol::ask(std::string text, MessageButtons buttons) const
{
    // No caption: the message box carries the program's title; and no icon.
    return services_.messages.show(MessageRequest{std::move(text), {}, MessageIcon::None, buttons});
}

std::string ErrorProtocol::BuildProtocol(const ErrorReport& report,
                                         const std::vector<std::string>& callStackItems) const
{
    return morvane::BuildProtocol(report, callStackItems, services_.clock.now(), services_.os.describe());
}

bool ErrorProtocol::cmdProtocol_Click(std::int16_t Index, const ErrorReport& report,
                                      const std::vector<std::string>& callStackItems)
{
    if (Index < Print || Index > WWW)
        return false;
    try {
        const std::string protocol = BuildProtocol(report, callStackItems);
        switch (Index) {
        case Print: return print(protocol);
        case Save: return save(protocol);
        case EMail: return email(protocol);
        default: return www(protocol);
        }
    } catch (const std::exception& e) {
        // The protocol actions report through the dialog's own message box,
        // never through the error dialog, and never end the program.
        tell(std::string("The error protocol action failed:") + CrLf + e.what());
        return false;
    }
}

bool ErrorProtocol::print(const std::string& protocol)
{
    std::string error;
    std::unique_ptr<PrintJob> job = services_.printer.startJob(settings_.exeName + " error protocol", error);
    if (!job) {
        tell(std::string("The error protocol could not be printed:") + CrLf + error);
        return false;
    }
    // Line by line down the page in the printer's default font; a line that
    // does not fit goes to the next page.
    const double height = job->lineHeight();
    const double pageHeight = job->pageHeight();
    double y = 0.0;
    for (const std::string& line : wrapProtocolLines(protocol)) {
        if (y > 0.0 && y + height > pageHeight) {
            job->newPage();
            y = 0.0;
        }
        job->text(0.0, y, line);
        y += height;
    }
    if (!job->endDoc()) {
        tell(std::string("The error protocol could not be printed on: ") + job->destination());
        return false;
    }
    if (job->isPdfFile())
        tell("No printer is installed. The error protocol was written to the PDF file: '" + job->destination() +
             "' !");
    return true;
}

bool ErrorProtocol::save(const std::string& protocol)
{
    const std::filesystem::path path = protocolFilePath(settings_.folder, settings_.exeName, ".ERR");
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        if (ask("Delete existing file:'" + path.string() + " ?", MessageButtons::YesNo) != MessageAnswer::Yes)
            return false;
    }
    if (!writeFile(path, protocol, std::ios::trunc)) {
        tell("The error protocol could not be written to file: '" + path.string() + "' !");
        return false;
    }
    tell("Error protocol was written to file: '" + path.string() + "' !");
    return true;
}

bool ErrorProtocol::email(const std::string& protocol)
{
    services_.clipboard.setText(protocol);
    // The clipboard may go with the program (on X11 it belongs to the running
    // program, and the next choice may be Quit): the protocol is kept in the
    // ".ERR" file too, named in the message. It goes behind what the file
    // holds: a protocol saved there before is not lost unasked.
    const std::filesystem::path path = protocolFilePath(settings_.folder, settings_.exeName, ".ERR");
    const std::string kept = writeFile(path, protocol, std::ios::app)
                                 ? std::string(CrLf) + CrLf + "The error protocol is also kept in the file: '" +
                                       path.string() + "'"
                                 : std::string();
    const std::string address = trimmed(settings_.supportAddress);
    if (!services_.shell.open("mailto:" + address)) {
        tell(std::string("Your standard e-mail application could not be started.") + CrLf +
             "The error data was copied to the clipboard: please paste it into an e-mail to " + address + "." + kept);
        return false;
    }
    // Said only once the e-mail program has been started.
    tell(std::string("Your standard e-mail application is now started. The error data was copied") + CrLf +
         "to the MS - Windows Clipboard." + CrLf + CrLf +
         "To paste the data from the clipboard to your e-mail editor just press" + CrLf +
         "the key combination 'CTRL' & 'V'" + kept);
    return true;
}

bool ErrorProtocol::www(const std::string& protocol)
{
    services_.clipboard.setText(protocol);
    if (!services_.shell.open(settings_.webPage)) {
        tell("The web page " + settings_.webPage + " could not be opened." + CrLf +
             "The error data was copied to the clipboard.");
        return false;
    }
    return true;
}

bool ErrorProtocol::AppendProtocolFile(const ErrorReport& report, const std::vector<std::string>& callStackItems)
{
    const std::filesystem::path path = protocolFilePath(settings_.folder, settings_.exeName, ".EPT");
    return writeFile(path, BuildProtocol(report, callStackItems), std::ios::app);
}

}  // namespace morvane
