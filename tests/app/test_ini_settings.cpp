// The user and company settings and the main window's placement in the
// settings store: defaults of a fresh installation, the conversions, and what
// is written where.
#include "app/IniSettings.h"
#include "common/ProgramIdentity.h"
#include "common/ResourceTexts.h"
#include "app/WindowPlacement.h"
#include "platform/RuntimeError.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace morvane {
namespace {

using testing::MemorySettings;
using testing::TestTracer;

std::string startup(const MemorySettings& store, const std::string& key)
{
    return store.value("morvane7.0", "Startup", key).value_or("<missing>");
}

TEST(LoadIni, FreshStoreGivesTheDefaults)
{
    TestTracer tracer;
    MemorySettings store;
    UserSettings s;
    s.gUserName = "left over";
    s.gUserMSCode = 1;
    LoadIni(s, store);
    EXPECT_EQ(s.gUserName, "");
    EXPECT_EQ(s.gUserAbteilung, "please enter");
    EXPECT_EQ(s.gUserDurchwahl, "user-settings");
    EXPECT_EQ(s.gUserFax, "");
    EXPECT_EQ(s.gUserMSCode, 0);
    EXPECT_EQ(s.gCompanyFirma1, "");
    EXPECT_EQ(s.gCompanyFirma2, "Bitte geben Sie");
    EXPECT_EQ(s.gCompanyStrasse, "Ihre Benutzerdaten ein");
    for (const std::string* empty : {&s.gCompanyLand, &s.gCompanyPLZOrt, &s.gCompanyStaat, &s.gCompanyTel,
                                     &s.gCompanyFax})
        EXPECT_EQ(*empty, "");
    EXPECT_EQ(s.gLanguageDeutsch, "Deutsch");
    EXPECT_TRUE(store.values.empty()) << "reading writes nothing";
    EXPECT_NE(tracer->colCallStack().front().find("[Module1] Sub LoadIni()"), std::string::npos);
}

// The leading number as the runtime's Val reads it ("abc" and "" as 0),
// rounded half to even to 16 bits. A text that gives no 16-bit number is
// damage of this one key: it reads as 0 and LoadIni names the key.
TEST(LoadIni, UserMSCodeIsTheLeadingNumberRounded)
{
    struct Row {
        const char* stored;
        std::int16_t code;
        bool damaged;
    } rows[] = {
        {"1", 1, false},         {"0", 0, false},       {"", 0, false},  // the default reads as 0
        {"abc", 0, false},       {" 1", 1, false},      {"1abc", 1, false},
        {"1.5", 2, false},       {"2.5", 2, false},  // halves to even
        {"-1", -1, false},       {"32767", 32767, false}, {"-32768.5", -32768, false},
        {"1e-400", 0, false},  // too small for a double: 0, as Val reads it
        {"32767.5", 0, true},    {"40000", 0, true},    {"99999", 0, true},
        {"-99999", 0, true},     {"1e400", 0, true},    {"-1e400", 0, true},
    };
    for (const Row& r : rows) {
        TestTracer tracer;
        MemorySettings store;
        store.setValue("morvane7.0", "Startup", "UserMSCode", r.stored);
        UserSettings s;
        s.gUserMSCode = 1;
        const std::vector<std::string> damaged = LoadIni(s, store);
        EXPECT_EQ(s.gUserMSCode, r.code) << '"' << r.stored << '"';
        EXPECT_EQ(damaged, r.damaged ? std::vector<std::string>{"UserMSCode"} : std::vector<std::string>{})
            << '"' << r.stored << '"';
        EXPECT_EQ(userMSCodeOf(r.stored), r.damaged ? std::nullopt : std::optional<std::int16_t>(r.code))
            << '"' << r.stored << '"';
        EXPECT_TRUE(tracer.responder.reports.empty()) << '"' << r.stored << '"';
    }
}

// A damaged number loses nothing else: every other key loads as stored, and
// the reading writes nothing.
TEST(LoadIni, AnUnreadableNumberIsDamageOfItsKeyAlone)
{
    TestTracer tracer;
    MemorySettings store;
    const auto put = [&](const char* key, const char* value) { store.setValue("morvane7.0", "Startup", key, value); };
    put("UserName", "Anna");
    put("UserAbteilung", "Verfahrenstechnik");
    put("UserMSCode", "99999");
    put("CompanyFirma1", "Real Co");
    put("CompanyFirma2", "");
    put("CompanyTel", "+49 1");
    put("LanguageDeutsch", "English");
    const auto before = store.values;
    UserSettings s;
    EXPECT_EQ(LoadIni(s, store), std::vector<std::string>{"UserMSCode"});
    EXPECT_EQ(s.gUserName, "Anna");
    EXPECT_EQ(s.gUserAbteilung, "Verfahrenstechnik");
    EXPECT_EQ(s.gUserDurchwahl, "user-settings");  // missing: its default
    EXPECT_EQ(s.gUserMSCode, 0);
    EXPECT_EQ(s.gCompanyFirma1, "Real Co");
    EXPECT_EQ(s.gCompanyFirma2, "");
    EXPECT_EQ(s.gCompanyStrasse, "Ihre Benutzerdaten ein");
    EXPECT_EQ(s.gCompanyTel, "+49 1");
    EXPECT_EQ(s.gLanguageDeutsch, "English");
    EXPECT_TRUE(tracer.responder.reports.empty());
    EXPECT_EQ(store.values, before);

    EXPECT_EQ(settingsKeyDamagedMessage(store, "UserMSCode", OffsetEnglish),
              "The setting UserMSCode in\n\n/settings/morvane7.0.conf\n\nholds no value it can take; it counts as 0, "
              "and the other settings were read as stored. OK in the user options or Exit stores it as 0.");
    const std::string german = settingsKeyDamagedMessage(store, "UserMSCode", OffsetGerman);
    EXPECT_NE(german.find("UserMSCode"), std::string::npos) << german;
    EXPECT_NE(german.find("/settings/morvane7.0.conf"), std::string::npos) << german;
}

TEST(SaveIni, WritesAllFourteenKeysAsTextAndReadsBackTheSame)
{
    TestTracer tracer;
    UserSettings s;
    s.gUserName = "Jörg Weiß";
    s.gUserAbteilung = "Verfahrenstechnik ";  // kept exactly as typed
    s.gUserDurchwahl = "-123";
    s.gUserFax = "-124";
    s.gUserMSCode = 1;
    s.gCompanyFirma1 = "Muster & Söhne";
    s.gCompanyFirma2 = "<b>not markup</b>";
    s.gCompanyStrasse = "Hauptstraße 1";
    s.gCompanyLand = "D";
    s.gCompanyPLZOrt = "12345 Musterstadt";
    s.gCompanyStaat = "Deutschland";
    s.gCompanyTel = "+49 0";
    s.gCompanyFax = "+49 1";
    s.gLanguageDeutsch = "English";
    MemorySettings store;
    SaveIni(s, store);

    EXPECT_EQ(store.values.size(), 14u);
    EXPECT_EQ(startup(store, "UserName"), "Jörg Weiß");
    EXPECT_EQ(startup(store, "UserAbteilung"), "Verfahrenstechnik ");
    EXPECT_EQ(startup(store, "UserMSCode"), "1");
    EXPECT_EQ(startup(store, "CompanyStrasse"), "Hauptstraße 1");
    EXPECT_EQ(startup(store, "LanguageDeutsch"), "English");
    for (const IniKey& k : iniKeys())
        EXPECT_TRUE(store.value("morvane7.0", "Startup", k.key).has_value()) << k.key;

    UserSettings back;
    LoadIni(back, store);
    EXPECT_EQ(back.gUserName, s.gUserName);
    EXPECT_EQ(back.gUserAbteilung, s.gUserAbteilung);
    EXPECT_EQ(back.gUserDurchwahl, s.gUserDurchwahl);
    EXPECT_EQ(back.gUserFax, s.gUserFax);
    EXPECT_EQ(back.gUserMSCode, s.gUserMSCode);
    EXPECT_EQ(back.gCompanyFirma1, s.gCompanyFirma1);
    EXPECT_EQ(back.gCompanyFirma2, s.gCompanyFirma2);
    EXPECT_EQ(back.gCompanyStrasse, s.gCompanyStrasse);
    EXPECT_EQ(back.gCompanyLand, s.gCompanyLand);
    EXPECT_EQ(back.gCompanyPLZOrt, s.gCompanyPLZOrt);
    EXPECT_EQ(back.gCompanyStaat, s.gCompanyStaat);
    EXPECT_EQ(back.gCompanyTel, s.gCompanyTel);
    EXPECT_EQ(back.gCompanyFax, s.gCompanyFax);
    EXPECT_EQ(back.gLanguageDeutsch, s.gLanguageDeutsch);
}

TEST(SaveIni, UnchangedLanguageKeyIsWrittenBack)
{
    MemorySettings store;
    UserSettings s;
    LoadIni(s, store);
    SaveIni(s, store);
    EXPECT_EQ(startup(store, "LanguageDeutsch"), "Deutsch");
    EXPECT_EQ(startup(store, "UserMSCode"), "0");
    EXPECT_EQ(startup(store, "CompanyFirma2"), "Bitte geben Sie");
}

TEST(MainPlacement, DefaultsAndStoredValues)
{
    MemorySettings store;
    const WindowPlacement fresh = loadMainPlacement(store);
    EXPECT_EQ(fresh.left, 1000);
    EXPECT_EQ(fresh.top, 1000);
    EXPECT_EQ(fresh.width, 8835);
    EXPECT_EQ(fresh.height, 8715);

    store.setValue(kProgramTitle, "Settings", "MainLeft", " 1500 ");
    store.setValue(kProgramTitle, "Settings", "MainWidth", "9000.5");  // rounds to the even neighbour
    const WindowPlacement p = loadMainPlacement(store);
    EXPECT_EQ(p.left, 1500);
    EXPECT_EQ(p.top, 1000);
    EXPECT_EQ(p.width, 9000);
    EXPECT_EQ(p.height, 8715);

    saveMainPlacement({15, 30, 8820, 8700}, store);
    EXPECT_EQ(store.value(kProgramTitle, "Settings", "MainLeft"), "15");
    EXPECT_EQ(store.value(kProgramTitle, "Settings", "MainTop"), "30");
    EXPECT_EQ(store.value(kProgramTitle, "Settings", "MainWidth"), "8820");
    EXPECT_EQ(store.value(kProgramTitle, "Settings", "MainHeight"), "8700");
}

TEST(MainPlacement, KeyThatIsNoNumberIsATypeMismatch)
{
    for (const char* text : {"abc", "", "12 34", "1200px"}) {
        MemorySettings store;
        store.setValue(kProgramTitle, "Settings", "MainTop", text);
        try {
            loadPlacementValue(store, PlacementKey::Top);
            ADD_FAILURE() << '"' << text << '"';
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), err::TypeMismatch) << text;
        }
    }
}

TEST(MainPlacement, KeptOnAScreenOrBroughtToThePrimaryOne)
{
    // Two screens side by side: the primary 1920 x 1040 and one to its right.
    const ScreenRect primary{0, 0, 1920, 1040};
    const std::vector<ScreenRect> screens{primary, {1920, 0, 1280, 1024}};
    const struct {
        ScreenRect window;
        ScreenRect placed;
        const char* shows;
    } rows[] = {
        {{67, 67, 589, 581}, {67, 67, 589, 581}, "on the primary screen: where it was"},
        {{2500, 100, 589, 581}, {2500, 100, 589, 581}, "on the second screen: where it was"},
        {{1900, 100, 589, 581}, {1900, 100, 589, 581}, "across both screens"},
        {{3300, 100, 589, 581}, {67, 67, 589, 581}, "right of every screen: back on the primary"},
        {{67, -40, 589, 581}, {67, 67, 589, 581}, "title bar above the screen"},
        {{67, 1030, 589, 581}, {67, 67, 589, 581}, "only 10 pixels of its top on the screen"},
        {{-570, 67, 589, 581}, {67, 67, 589, 581}, "19 pixels of its width on the screen"},
        {{-560, 67, 589, 581}, {67, 67, 589, 581}, "29 pixels: one short"},
        {{-559, 67, 589, 581}, {-559, 67, 589, 581}, "30 pixels: enough to take hold of"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(keepOnScreen(r.window, screens, primary, 30), r.placed) << r.shows;
    // A screen smaller than the window: its corner.
    EXPECT_EQ(keepOnScreen({5000, 5000, 900, 700}, {{0, 0, 800, 600}}, {0, 0, 800, 600}, 30),
              (ScreenRect{0, 0, 900, 700}));
}

// A write the store refuses is reported, for the settings and for the
// window placement alike.
TEST(IniSettings, AWriteTheStoreRefusesIsReported)
{
    for (const bool refused : {false, true}) {
        testing::MemorySettings store;
        store.failWrites = refused;
        UserSettings settings;
        settings.gUserName = "Anna";
        EXPECT_EQ(SaveIni(settings, store), !refused);
        EXPECT_EQ(saveMainPlacement(WindowPlacement{}, store), !refused);
        EXPECT_EQ(store.values.size(), refused ? 0u : 18u);
    }
    testing::MemorySettings store;
    EXPECT_EQ(settingsNotStoredMessage(store, OffsetEnglish),
              "The settings could not be stored in\n\n/settings/morvane7.0.conf\n\nPlease check that this file and its "
              "folder may be written.");
}

}  // namespace
}  // namespace morvane
