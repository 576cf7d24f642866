#include "common/ResourceTexts.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(ResourceTexts, ParsesLinesEscapesAndOrigins)
{
    const ResourceTexts t("# comment\n1037\tName\tName\t\n1200\tZeile 1\\nZeile 2\tTab\\there\town\n"
                          "1553\tNur eins\tNur eins\tsingle\n1199\t\tEnglish only\town:de\n");
    EXPECT_EQ(t.LoadResString(1037), "Name");
    EXPECT_EQ(t.LoadResString(11037), "Name");
    EXPECT_EQ(t.LoadResString(1200), "Zeile 1\nZeile 2");
    EXPECT_EQ(t.LoadResString(11200), "Tab\there");
    EXPECT_EQ(t.origin(1200), "own");
    EXPECT_EQ(t.origin(1037), "");
    EXPECT_EQ(t.find(1199), nullptr);
    EXPECT_EQ(*t.find(11199), "English only");
}

TEST(ResourceTexts, MissingIdIsARunTimeError)
{
    const ResourceTexts t("1037\tName\tName\t\n");
    for (const int id : {0, 10000, 1038, 21037}) {
        try {
            t.LoadResString(id);
            FAIL() << id;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ResourceNotFound);
            EXPECT_NE(e.description().find(std::to_string(id)), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace morvane
