// The language offset and code, and the language file Lang.set: what a file
// holds, what is read from it, what is written, and what a failure reports.
#include "app/LanguageFile.h"
#include "platform/RuntimeError.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace morvane {
namespace {

using testing::TestTracer;
namespace fs = std::filesystem;

// A fresh program folder of its own for each test.
class ProgramFolder {
public:
    const fs::path& path() const { return folder_.path(); }
    fs::path langSet() const { return folder_ / "Lang.set"; }
    void write(const std::string& content) const { std::ofstream(langSet(), std::ios::binary) << content; }
    std::string read() const
    {
        std::ifstream in(langSet(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    testing::TempFolder folder_;
};

TEST(LanguageOffset, OnlyZeroIsGermanEverythingElseEnglish)
{
    struct Row {
        std::int32_t offset;
        std::int32_t valid;
        const char* code;
    } rows[] = {
        {0, 0, "DE"},           // German
        {10000, 10000, "EN"},   // English
        {5, 10000, "EN"},       // a stray value is English
        {-1, 10000, "EN"},
        {20000, 10000, "EN"},
    };
    for (const Row& r : rows) {
        UiZustand ui;
        setLanguage(ui, r.offset);
        EXPECT_EQ(ui.gSprachOffset, r.valid) << r.offset;
        EXPECT_EQ(ui.gSprachKuerzel, r.code) << r.offset;
    }
}

TEST(LanguageFileText, FirstNumberWithBlanksAround)
{
    struct Row {
        const char* text;
        std::int32_t number;
    } rows[] = {
        {"0\r\n", 0},
        {"10000\r\n", 10000},
        {" 10000 \r\n", 10000},     // the runtime's Print writes blanks around a number
        {"\t5", 5},                 // taken as it stands; the caller makes it valid
        {"\r\n\r\n0\r\n", 0},       // empty lines before the number
        {"10000,0\r\n", 10000},     // a comma ends the first item
        {"10000\r\n0\r\n", 10000},  // only the first number counts
        {"2.5", 2},                 // halves round to the even neighbour
        {"3.5", 4},
        {"-7", -7},
    };
    for (const Row& r : rows)
        EXPECT_EQ(readLanguageNumber(r.text), r.number) << r.text;
}

TEST(LanguageFileText, NoNumberIsARunTimeError)
{
    struct Row {
        const char* text;
        int error;
    } rows[] = {
        {"", err::InputPastEndOfFile},
        {" \r\n", err::InputPastEndOfFile},
        {"Deutsch\r\n", err::TypeMismatch},
        {"12abc", err::TypeMismatch},
        {"99999999999", err::Overflow},
    };
    for (const Row& r : rows) {
        try {
            readLanguageNumber(r.text);
            ADD_FAILURE() << "no error for \"" << r.text << "\"";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), r.error) << r.text;
        }
    }
}

TEST(GetLanguage, MissingFileIsEnglishAndCreatesNothing)
{
    TestTracer tracer;
    ProgramFolder folder;
    EXPECT_EQ(fncgGetLanguage(folder.path()), 10000);
    EXPECT_FALSE(fs::exists(folder.langSet()));
    EXPECT_TRUE(tracer.responder.reports.empty());
}

TEST(GetLanguage, StoredOffsetIsReturnedAsItStands)
{
    TestTracer tracer;
    ProgramFolder folder;
    for (const auto& [content, offset] : {std::pair{"0\r\n", 0}, {"10000\r\n", 10000}, {" 5 \r\n", 5}}) {
        folder.write(content);
        EXPECT_EQ(fncgGetLanguage(folder.path()), offset) << content;
    }
    EXPECT_TRUE(tracer.responder.reports.empty());
}

TEST(GetLanguage, FileWithoutNumberGoesToTheDialogAndGivesGerman)
{
    for (const std::int16_t answer : {ContNext, ContExit}) {
        TestTracer tracer;
        tracer.responder.answers = {answer};
        ProgramFolder folder;
        folder.write("");
        EXPECT_EQ(fncgGetLanguage(folder.path()), 0) << "answer " << answer;
        ASSERT_EQ(tracer.responder.reports.size(), 1u);
        EXPECT_EQ(tracer.responder.reports[0].number, err::InputPastEndOfFile);
        EXPECT_EQ(tracer.responder.reports[0].module, "modConfigSelect");
        EXPECT_EQ(tracer.responder.reports[0].procedure, "fncgGetLanguage");
    }
}

TEST(GetLanguage, UnreadableFileIsReported)
{
    TestTracer tracer;
    tracer.responder.answers = {ContExit};
    ProgramFolder folder;
    fs::create_directory(folder.langSet());  // exists, but no file can be read there
    EXPECT_EQ(fncgGetLanguage(folder.path()), 0);
    ASSERT_EQ(tracer.responder.reports.size(), 1u);
    EXPECT_EQ(tracer.responder.reports[0].number, 75);
}

TEST(SaveLanguage, WritesOneLineReplacingTheFile)
{
    TestTracer tracer;
    ProgramFolder folder;
    folder.write("10000\r\nsomething longer that must go\r\n");
    subgSavaLanguage(folder.path(), 0);
    EXPECT_EQ(folder.read(), "0\r\n");
    subgSavaLanguage(folder.path(), 10000);
    EXPECT_EQ(folder.read(), "10000\r\n");
    EXPECT_EQ(fncgGetLanguage(folder.path()), 10000);
    EXPECT_TRUE(tracer.responder.reports.empty());
}

TEST(SaveLanguage, UnwritableFileIsReportedAndTheCallerGoesOn)
{
    struct Row {
        std::int16_t answer;
        std::size_t dialogs;  // Next runs into the write on the unopened file
    } rows[] = {{ContExit, 1}, {ContNext, 2}};
    for (const Row& r : rows) {
        TestTracer tracer;
        tracer.responder.answers = {r.answer, r.answer};
        ProgramFolder folder;
        fs::create_directory(folder.langSet());
        subgSavaLanguage(folder.path(), 0);
        ASSERT_EQ(tracer.responder.reports.size(), r.dialogs);
        EXPECT_EQ(tracer.responder.reports[0].procedure, "subgSavaLanguage");
        EXPECT_EQ(tracer.responder.reports[0].number, 75);
        EXPECT_TRUE(fs::is_directory(folder.langSet()));
    }
}

}  // namespace
}  // namespace morvane
