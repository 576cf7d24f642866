// The logo parameter file "Logo.dli" and the logo holder.
#include "reports/logo/LogoParams.h"
#include "reports/logo/LogoPicture.h"

#include "platform/RuntimeError.h"
#include "support/CaseName.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace morvane {
namespace {

namespace fs = std::filesystem;

// A fresh program folder per test.
struct ProgramFolder {
    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path / name, std::ios::binary) << bytes;
    }
    testing::TempFolder folder;
    const fs::path& path = folder.path();
};

struct Logo {
    std::string file;
    std::int16_t x, y, w, h;
};

Logo read(const DokumentDaten& d) { return {d.gLogoDatei, d.gLogoX, d.gLogoY, d.gLogoBreite, d.gLogoHoehe}; }

const Logo kDefaults{"zudezurodozoza.der", 7350, 400, 0, 0};

struct FileCase {
    const char* what;
    std::string content;
    Logo expected;
};

std::ostream& operator<<(std::ostream& os, const FileCase& c) { return os << c.what; }

class LogoFile : public ::testing::TestWithParam<FileCase> {};

TEST_P(LogoFile, GivesAllFiveValuesOrAllDefaults)
{
    testing::TestTracer tracer;
    ProgramFolder folder;
    folder.write("Logo.dli", GetParam().content);
    DokumentDaten doc;
    doc.gLogoDatei = "left over";
    doc.gLogoX = 1;
    sublLoadLogoParams(doc, folder.path);
    const Logo got = read(doc);
    const Logo& want = GetParam().expected;
    EXPECT_EQ(got.file, want.file);
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
    EXPECT_EQ(got.w, want.w);
    EXPECT_EQ(got.h, want.h);
    EXPECT_TRUE(tracer.responder.reports.empty()) << "a file fault never reaches the error dialog";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LogoFile,
    ::testing::Values(
        FileCase{"one value a line", "firma.bmp\r\n100\r\n200\r\n3000\r\n1500\r\n", {"firma.bmp", 100, 200, 3000, 1500}},
        FileCase{"numbers on one line with commas", "firma.bmp\r\n100,200,3000,1500\r\n",
                 {"firma.bmp", 100, 200, 3000, 1500}},
        FileCase{"mixed, blanks around numbers, no final line end", "firma.bmp\r\n 100 , 200\r\n3000\r\n1500",
                 {"firma.bmp", 100, 200, 3000, 1500}},
        FileCase{"the explicit defaults", "zudezurodozoza.der\r\n7350\r\n400\r\n0\r\n0\r\n", kDefaults},
        FileCase{"name keeps blanks, commas and quotes", "  my \"logo\", v2.bmp \r\n1\r\n2\r\n3\r\n4\r\n",
                 {"  my \"logo\", v2.bmp ", 1, 2, 3, 4}},
        FileCase{"lines after the fifth are not read", "a.bmp\r\n1\r\n2\r\n3\r\n4\r\nrubbish\r\n99999\r\n",
                 {"a.bmp", 1, 2, 3, 4}},
        FileCase{"negative values pass unchanged", "a.bmp\r\n-100\r\n-5\r\n0\r\n0\r\n", {"a.bmp", -100, -5, 0, 0}},
        FileCase{"16-bit limits", "a.bmp\r\n32767\r\n-32768\r\n0\r\n0\r\n", {"a.bmp", 32767, -32768, 0, 0}},
        FileCase{"Unix line ends", "a.bmp\n1\n2\n3\n4\n", {"a.bmp", 1, 2, 3, 4}},
        FileCase{"Windows-1252 name becomes UTF-8", "Gr\xFC\xDF" "e.bmp\r\n1\r\n2\r\n3\r\n4\r\n",
                 {"Grüße.bmp", 1, 2, 3, 4}},
        FileCase{"only the name line", "firma.bmp\r\n", kDefaults},
        FileCase{"name and three numbers: nothing of them is kept", "firma.bmp\r\n1\r\n2\r\n3\r\n", kDefaults},
        FileCase{"a number beyond 16 bits", "firma.bmp\r\n32768\r\n2\r\n3\r\n4\r\n", kDefaults},
        FileCase{"a field that is no number", "firma.bmp\r\nleft\r\n2\r\n3\r\n4\r\n", kDefaults},
        FileCase{"an empty file", "", kDefaults}),
    [](const auto& info) { return testing::caseName(info.param.what); });

TEST(LogoParams, MissingFileGivesTheDefaults)
{
    testing::TestTracer tracer;
    ProgramFolder folder;  // no Logo.dli in it
    DokumentDaten doc;
    doc.gLogoDatei = "old.bmp";
    doc.gLogoBreite = 500;
    sublLoadLogoParams(doc, folder.path);
    EXPECT_EQ(doc.gLogoDatei, kDefaults.file);
    EXPECT_EQ(doc.gLogoX, 7350);
    EXPECT_EQ(doc.gLogoY, 400);
    EXPECT_EQ(doc.gLogoBreite, 0);
    EXPECT_EQ(doc.gLogoHoehe, 0);
    EXPECT_TRUE(tracer.responder.reports.empty());
    ASSERT_FALSE(tracer->colCallStack().empty());
    EXPECT_NE(tracer->colCallStack().front().find("[Module1] Private Sub sublLoadLogoParams()"), std::string::npos);
}

// A 24-bit BMP header of the given size (the pixels are not needed to size it).
std::string bmpHeader(int w, int h)
{
    std::string b(54, '\0');
    b[0] = 'B';
    b[1] = 'M';
    for (int i = 0; i < 4; ++i) {
        b[18 + i] = static_cast<char>((w >> (8 * i)) & 0xFF);
        b[22 + i] = static_cast<char>((h >> (8 * i)) & 0xFF);
    }
    b[26] = 1;
    b[28] = 24;
    return b;
}

TEST(LogoHolder, StartsWithTheBuiltInPictureAndKeepsItOnAFailedLoad)
{
    ProgramFolder folder;
    LogoHolder holder;
    EXPECT_TRUE(holder.isBuiltIn());
    EXPECT_DOUBLE_EQ(holder.widthTwips(), 350 * 15.0);
    EXPECT_DOUBLE_EQ(holder.heightTwips(), 130 * 15.0);
    // The built-in picture is a real 350 x 130 bitmap file for the printer.
    std::ifstream in(holder.pictureFile(), std::ios::binary);
    std::string head(26, '\0');
    in.read(head.data(), 26);
    EXPECT_EQ(head.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(head[18]) | (static_cast<unsigned char>(head[19]) << 8), 350);

    try {
        holder.LoadPicture(folder.path / "missing.bmp");
        FAIL() << "a missing picture is error 53";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 53);
    }
    folder.write("text.bmp", "not a picture at all, just text of some length");
    try {
        holder.LoadPicture(folder.path / "text.bmp");
        FAIL() << "no picture is error 481";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 481);
    }
    EXPECT_TRUE(holder.isBuiltIn());

    folder.write("firma.bmp", bmpHeader(200, 80));
    holder.LoadPicture(folder.path / "firma.bmp");
    EXPECT_EQ(holder.pictureFile(), (folder.path / "firma.bmp").string());
    EXPECT_DOUBLE_EQ(holder.widthTwips(), 3000.0);
    EXPECT_DOUBLE_EQ(holder.heightTwips(), 1200.0);
    // A later failure keeps the loaded picture.
    EXPECT_THROW(holder.LoadPicture(folder.path / "missing.bmp"), RuntimeError);
    EXPECT_EQ(holder.pictureFile(), (folder.path / "firma.bmp").string());
}

}  // namespace
}  // namespace morvane
