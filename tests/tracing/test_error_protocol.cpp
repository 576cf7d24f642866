// The error protocol: its text, the printout's word wrap, and the print, save,
// e-mail and web actions over recording fakes.
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "tracing/ErrorProtocol.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace morvane {
namespace {

using testing::FixedClock;
using testing::FixedOsInfo;
using testing::RecordingClipboard;
using testing::RecordingMessageBox;
using testing::RecordingPrinter;
using testing::RecordingShell;

std::vector<std::string> splitCrLf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    for (std::size_t crlf; (crlf = text.find("\r\n", pos)) != std::string::npos; pos = crlf + 2)
        lines.push_back(text.substr(pos, crlf - pos));
    EXPECT_EQ(pos, text.size()) << "every line ends with CR LF";
    return lines;
}

std::string repeat(const std::string& s, int n)
{
    std::string r;
    for (int i = 0; i < n; ++i)
        r += s;
    return r;
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Division by zero in BerechneDichte of version 7.0.12, on 10 December 2026 at
// 10:15:02, on Windows NT 6.1, build 7601, Service Pack 1.
ErrorReport fixtureError()
{
    ErrorReport r;
    r.number = 11;
    r.description = "Division by zero";
    r.module = "Module1";
    r.procedure = "BerechneDichte";
    r.line = 0;
    r.caption = "morvane  V7.0.12 - Error Message";
    return r;
}

const OsDescription WindowsNt61{"Windows NT", 6, 1, 7601, "Service Pack 1"};

const char* const Separator = "----------------------------------------------------------------------";  // 70

TEST(ErrorProtocolText, FixtureErrorLineByLine)
{
    const std::string text = BuildProtocol(fixtureError(), {}, FixedClock(10, 15, 2).at, WindowsNt61);
    const std::vector<std::string> expected = {
        Separator,
        "E R R O R   P R O T O C O L  from application",
        Separator,
        "morvane  V7.0.12 - Error Message",
        Separator,
        "ERROR DESCRIPTION:",
        "          Error No:\t11 (Division by zero)",
        "          Module:\tModule1",
        "          Procedure:\tBerechneDichte",
        "          Line No:\t0",
        "          Date/Time:\t12-10-2026 / 10:15:02",
        Separator,
        "CALLSTACK:",  // only the heading: the dialog's trace list is never filled
        Separator,
        "SYSTEMINFO:",
        "          Platform:\tWindows NT",
        "          Version:\t6.1",
        "          Build:\t7601   Service Pack 1",
        Separator,
    };
    EXPECT_EQ(splitCrLf(text), expected);
}

TEST(ErrorProtocolText, TraceItemsStandIndentedBelowTheirHeading)
{
    const auto lines = splitCrLf(BuildProtocol(fixtureError(), {"10:15:02 [Module1] Sub BerechneDichte()", "\tq:\t2.5"},
                                               FixedClock(10, 15, 2).at, WindowsNt61));
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[12], "CALLSTACK:");
    EXPECT_EQ(lines[13], "          10:15:02 [Module1] Sub BerechneDichte()");
    EXPECT_EQ(lines[14], "          \tq:\t2.5");
    EXPECT_EQ(lines[15], Separator);
}

TEST(ErrorProtocolText, SystemBlock)
{
    struct Case {
        OsDescription os;
        std::vector<std::string> lines;
        const char* shows;
    };
    const Case cases[] = {
        {WindowsNt61,
         {"          Platform:\tWindows NT", "          Version:\t6.1", "          Build:\t7601   Service Pack 1"},
         "Windows NT 6.1 with a service pack"},
        {{"Windows NT", 5, 1, (5 << 24) | (1 << 16) | 2600, "Service Pack 3"},
         {"          Platform:\tWindows NT", "          Version:\t5.1", "          Build:\t2600   Service Pack 3"},
         "a build number with its high 16 bits set prints only the low 16 bits"},
        {{"Linux", 6, 1, 0, "Debian GNU/Linux 12 (bookworm), kernel 6.1.0-18-amd64"},
         {"          Platform:\tLinux", "          Version:\t6.1",
          "          Build:\t0   Debian GNU/Linux 12 (bookworm), kernel 6.1.0-18-amd64"},
         "a Linux system: name, kernel version, distribution"},
        {{"Linux", 6, 1, 0, ""},
         {"          Platform:\tLinux", "          Version:\t6.1", "          Build:\t0   "},
         "an empty extra text still leaves the three blanks"},
    };
    for (const auto& c : cases) {
        const auto lines = splitCrLf(BuildProtocol(fixtureError(), {}, FixedClock(10, 15, 2).at, c.os));
        ASSERT_EQ(lines.size(), 19u) << c.shows;
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 15, lines.begin() + 18), c.lines) << c.shows;
    }
}

TEST(ErrorProtocolPrint, WordWrap)
{
    const std::string indent20(20, ' ');
    const std::string x69(69, 'x'), x72(72, 'x'), x80(80, 'x'), x100(100, 'x'), y80(80, 'y');
    struct Case {
        std::string text;
        std::vector<std::string> printed;
        const char* shows;
    };
    const Case cases[] = {
        {"", {" "}, "an empty line prints as one blank"},
        {"abc\r\n", {"abc ", " "}, "the text's own last CR LF leaves an empty line at the end"},
        {x100, {x100 + " "}, "a 100-character word without blanks is printed whole on one line"},
        {x72, {x72 + " "}, "73 counted characters (the appended blank included) still fit"},
        {x72 + " y", {x72 + " ", indent20 + "y "}, "the 74th counted character starts a continuation line"},
        {x69 + " yy", {x69 + " yy "}, "two words of exactly 73 counted characters share a line"},
        {repeat("ab ", 40),
         {repeat("ab ", 24), indent20 + repeat("ab ", 16) + " "},
         "short words: 72 counted characters on the first line, the rest after 20 blanks (the trailing blank of "
         "the text makes a word of its own)"},
        {repeat("ab ", 60) + "ab",
         {repeat("ab ", 24), indent20 + repeat("ab ", 24), indent20 + repeat("ab ", 13)},
         "continuation lines hold up to 73 counted characters after their 20 uncounted blanks"},
        {"ab " + x100, {"ab ", indent20 + x100 + " "}, "a long word after a short one goes whole to the next line"},
        {x80 + " " + y80, {x80 + " ", indent20 + y80 + " "}, "two long words: one output line each"},
        {"a  b", {"a  b "}, "two blanks in a row make a one-blank word"},
        {"          Error No:\t11 (Division by zero)\r\n\r\nLine No:",
         {"          Error No:\t11 (Division by zero) ", " ", "Line No: "},
         "several lines; a tab counts as one character"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wrapProtocolLines(c.text), c.printed) << c.shows;
}

class ErrorProtocolActions : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings.folder = folder;
        settings.exeName = "morvane";
        settings.supportAddress = "  support@halvern.example ";
        settings.webPage = "https://www.halvern.example/support";
    }

    ErrorProtocol protocol()
    {
        return ErrorProtocol(ProtocolServices{messages, clipboard, shell, printer, os, clock}, settings);
    }
    std::string fixtureText() { return protocol().BuildProtocol(fixtureError(), {}); }

    testing::TempFolder temp;
    const std::filesystem::path& folder = temp.path();
    ProtocolSettings settings;
    RecordingMessageBox messages;
    RecordingClipboard clipboard;
    RecordingShell shell;
    RecordingPrinter printer;
    FixedOsInfo os;
    FixedClock clock{10, 15, 2};
};

TEST_F(ErrorProtocolActions, PrintSendsTheWrappedLinesDownThePage)
{
    const std::string text = fixtureText();
    EXPECT_TRUE(protocol().print(text));
    const auto expected = wrapProtocolLines(text);
    ASSERT_EQ(printer.texts.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(printer.texts[i].text, expected[i]);
        EXPECT_EQ(printer.texts[i].x, 0.0);
        EXPECT_EQ(printer.texts[i].y, 240.0 * static_cast<double>(i));
        EXPECT_TRUE(printer.texts[i].font.name.empty()) << "the printer's default font";
    }
    EXPECT_EQ(printer.pageBreaks, 0);
    EXPECT_EQ(printer.endedDocuments, 1);
    EXPECT_TRUE(messages.shown.empty()) << "a printout on a printer shows no message";
}

TEST_F(ErrorProtocolActions, PrintBreaksThePageWhenTheNextLineDoesNotFit)
{
    printer.pageHeightTwips = 1000.0;  // four 240-twip lines a page
    EXPECT_TRUE(protocol().print("1\r\n2\r\n3\r\n4\r\n5"));
    ASSERT_EQ(printer.texts.size(), 5u);
    EXPECT_EQ(printer.texts[3].page, 1);
    EXPECT_EQ(printer.texts[3].y, 720.0);
    EXPECT_EQ(printer.texts[4].page, 2);
    EXPECT_EQ(printer.texts[4].y, 0.0);
    EXPECT_EQ(printer.pageBreaks, 1);
}

TEST_F(ErrorProtocolActions, FailingPrintoutIsToldAndReturns)
{
    struct Case {
        bool available, endSucceeds;
        std::string message;
        const char* shows;
    };
    const Case cases[] = {
        {false, true, "The error protocol could not be printed:\r\nNo printer is installed.",
         "no job could be started"},
        {true, false, "The error protocol could not be printed on: Recording printer", "the job failed at its end"},
    };
    for (const auto& c : cases) {
        RecordingMessageBox fresh;
        messages = fresh;
        printer.available = c.available;
        printer.endSucceeds = c.endSucceeds;
        EXPECT_FALSE(protocol().print(fixtureText())) << c.shows;
        ASSERT_EQ(messages.shown.size(), 1u) << c.shows;
        EXPECT_EQ(messages.shown[0].text, c.message) << c.shows;
        EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    }
}

TEST_F(ErrorProtocolActions, PrintWithoutPrinterSaysWhereThePdfWent)
{
    printer.pdfFile = true;
    printer.destinationText = "/opt/morvane/morvane error protocol.pdf";
    EXPECT_TRUE(protocol().print(fixtureText()));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "No printer is installed. The error protocol was written to the PDF file: "
                                      "'/opt/morvane/morvane error protocol.pdf' !");
}

TEST_F(ErrorProtocolActions, SaveWritesTheErrFile)
{
    const auto path = folder / "morvane.ERR";
    const std::string text = fixtureText();
    EXPECT_TRUE(protocol().save(text));
    EXPECT_EQ(readFile(path), text + "\r\n");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Error protocol was written to file: '" + path.string() + "' !");
    EXPECT_EQ(messages.shown[0].caption, "") << "the program title";
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
}

TEST_F(ErrorProtocolActions, SaveOverAnExistingFileAsksFirst)
{
    const auto path = folder / "morvane.ERR";
    struct Case {
        MessageAnswer answer;
        bool written;
        const char* shows;
    };
    const Case cases[] = {
        {MessageAnswer::No, false, "No keeps the old file and ends the action"},
        {MessageAnswer::Yes, true, "Yes writes the file anew"},
    };
    for (const auto& c : cases) {
        std::ofstream(path, std::ios::binary) << "old";
        messages = RecordingMessageBox{};
        messages.answers = {c.answer};
        EXPECT_EQ(protocol().save("new"), c.written) << c.shows;
        ASSERT_GE(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "Delete existing file:'" + path.string() + " ?");
        EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(readFile(path), c.written ? "new\r\n" : "old") << c.shows;
        EXPECT_EQ(messages.shown.size(), c.written ? 2u : 1u) << c.shows;
    }
}

TEST_F(ErrorProtocolActions, SaveIntoAMissingFolderIsToldAndReturns)
{
    settings.folder = folder / "missing";
    EXPECT_FALSE(protocol().save("text"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The error protocol could not be written to file: '" +
                                          (folder / "missing" / "morvane.ERR").string() + "' !");
}

TEST_F(ErrorProtocolActions, AppendProtocolFileAppendsToTheEptFile)
{
    ErrorProtocol p = protocol();
    EXPECT_TRUE(p.AppendProtocolFile(fixtureError(), {}));
    EXPECT_TRUE(p.AppendProtocolFile(fixtureError(), {}));
    const std::string one = fixtureText() + "\r\n";
    EXPECT_EQ(readFile(folder / "morvane.EPT"), one + one);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ErrorProtocolActions, EMailCopiesTheProtocolAndOpensTheMailProgram)
{
    const std::string text = fixtureText();
    EXPECT_TRUE(protocol().email(text));
    EXPECT_EQ(clipboard.content, text);
    EXPECT_EQ(shell.opened, std::vector<std::string>{"mailto:support@halvern.example"}) << "address trimmed";
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "Your standard e-mail application is now started. The error data was copied\r\n"
              "to the MS - Windows Clipboard.\r\n"
              "\r\n"
              "To paste the data from the clipboard to your e-mail editor just press\r\n"
              "the key combination 'CTRL' & 'V'\r\n"
              "\r\n"
              "The error protocol is also kept in the file: '" +
                  (folder / "morvane.ERR").string() + "'");
    // The file outlives the clipboard, which goes with the program on X11.
    EXPECT_EQ(readFile(folder / "morvane.ERR"), text + "\r\n");  // as Save writes it
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(messages.shown[0].caption, "");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
}

// A protocol saved before (Save asks before it replaces one) is not lost to
// an e-mail: the e-mailed protocol follows it in the file.
TEST_F(ErrorProtocolActions, EMailKeepsAProtocolSavedBefore)
{
    const std::string text = fixtureText();
    std::ofstream(folder / "morvane.ERR", std::ios::binary) << "saved before\r\n";
    EXPECT_TRUE(protocol().email(text));
    EXPECT_EQ(readFile(folder / "morvane.ERR"), "saved before\r\n" + text + "\r\n");
}

TEST_F(ErrorProtocolActions, EMailReportsSuccessOnlyWhenTheMailProgramOpened)
{
    shell.succeed = false;
    const std::string text = fixtureText();
    EXPECT_FALSE(protocol().email(text));
    EXPECT_EQ(clipboard.content, text) << "the data is still on the clipboard for pasting by hand";
    ASSERT_EQ(messages.shown.size(), 1u) << "the failure message only, no 'is now started'";
    EXPECT_EQ(messages.shown[0].text,
              "Your standard e-mail application could not be started.\r\n"
              "The error data was copied to the clipboard: please paste it into an e-mail to "
              "support@halvern.example.\r\n"
              "\r\n"
              "The error protocol is also kept in the file: '" +
                  (folder / "morvane.ERR").string() + "'");

    // A folder that takes no file: the message names none.
    messages.shown.clear();
    settings.folder = folder / "missing";
    EXPECT_FALSE(protocol().email(text));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.find("morvane.ERR"), std::string::npos);
}

TEST_F(ErrorProtocolActions, WebPageCopiesTheProtocolAndOpensThePage)
{
    const std::string text = fixtureText();
    EXPECT_TRUE(protocol().www(text));
    EXPECT_EQ(clipboard.content, text);
    EXPECT_EQ(shell.opened, std::vector<std::string>{"https://www.halvern.example/support"});
    EXPECT_TRUE(messages.shown.empty());

    shell.succeed = false;
    EXPECT_FALSE(protocol().www(text));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The web page https://www.halvern.example/support could not be opened.\r\n"
                                      "The error data was copied to the clipboard.");
}

TEST_F(ErrorProtocolActions, ButtonIndexChoosesTheAction)
{
    struct Case {
        std::int16_t index;
        int printed;
        bool fileWritten;
        std::vector<std::string> opened;
        const char* shows;
    };
    const Case cases[] = {
        {0, 1, false, {}, "&Print"},
        {1, 0, true, {}, "&Save"},
        {2, 0, true, {"mailto:support@halvern.example"}, "&EMail: the file outlives the clipboard"},
        {3, 0, false, {"https://www.halvern.example/support"}, "&WWW"},
        {4, 0, false, {}, "no such button"},
        {-1, 0, false, {}, "no such button"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(folder / "morvane.ERR");
        printer = RecordingPrinter{};
        shell = RecordingShell{};
        clipboard = RecordingClipboard{};
        protocol().cmdProtocol_Click(c.index, fixtureError(), {});
        EXPECT_EQ(printer.endedDocuments, c.printed) << c.shows;
        EXPECT_EQ(std::filesystem::exists(folder / "morvane.ERR"), c.fileWritten) << c.shows;
        EXPECT_EQ(shell.opened, c.opened) << c.shows;
        EXPECT_EQ(clipboard.writes, c.opened.empty() ? 0 : 1) << c.shows;
        if (c.printed == 1) {
            EXPECT_EQ(printer.texts.front().text, std::string(Separator) + " ") << "built anew from the report";
        }
    }
}

}  // namespace
}  // namespace morvane
