#include "app/IniSettings.h"

#include "common/ResourceTexts.h"
#include "platform/RuntimeNumbers.h"
#include "tracing/Guard.h"

namespace morvane {

namespace {

constexpr const char* kUserMSCode = "UserMSCode";

}  // namespace

const std::vector<IniKey>& iniKeys()
{
    // The defaults of CompanyFirma2 and CompanyStrasse, with those of
    // UserAbteilung and UserDurchwahl, ask a fresh installation's user to enter
    // their data on the printed header.
    static const std::vector<IniKey> keys{
        {"UserName", "", &UserSettings::gUserName},
        {"UserAbteilung", "please enter", &UserSettings::gUserAbteilung},
        {"UserDurchwahl", "user-settings", &UserSettings::gUserDurchwahl},
        {"UserFax", "", &UserSettings::gUserFax},
        {kUserMSCode, "", nullptr},
        {"CompanyFirma1", "", &UserSettings::gCompanyFirma1},
        {"CompanyFirma2", kCompanyFirma2Default, &UserSettings::gCompanyFirma2},
        {"CompanyStrasse", kCompanyStrasseDefault, &UserSettings::gCompanyStrasse},
        {"CompanyLand", "", &UserSettings::gCompanyLand},
        {"CompanyPLZOrt", "", &UserSettings::gCompanyPLZOrt},
        {"CompanyStaat", "", &UserSettings::gCompanyStaat},
        {"CompanyTel", "", &UserSettings::gCompanyTel},
        {"CompanyFax", "", &UserSettings::gCompanyFax},
        {"LanguageDeutsch", "Deutsch", &UserSettings::gLanguageDeutsch},
    };
    return keys;
}

std::optional<std::int16_t> userMSCodeOf(const std::string& stored)
{
    const auto value = runtimeValInRange(stored);
    return value ? roundedInteger(*value) : std::nullopt;
}

std::vector<std::string> LoadIni(UserSettings& settings, const SettingsStore& store)
{
    traceEntry("Module1", "Sub LoadIni()");
    std::vector<std::string> damaged;
    for (const IniKey& k : iniKeys()) {
        const std::string value = store.value(kSettingsApplication, kSettingsSection, k.key).value_or(k.defaultValue);
        if (k.field) {
            settings.*k.field = value;
            continue;
        }
        const auto code = userMSCodeOf(value);
        settings.gUserMSCode = code.value_or(0);
        if (!code)
            damaged.emplace_back(k.key);
    }
    return damaged;
}

bool SaveIni(const UserSettings& settings, SettingsStore& store)
{
    traceEntry("Module1", "Sub SaveIni()");
    bool written = true;
    for (const IniKey& k : iniKeys()) {
        const std::string value = k.field ? settings.*k.field : std::to_string(settings.gUserMSCode);
        written = store.setValue(kSettingsApplication, kSettingsSection, k.key, value) && written;
    }
    return written;
}

std::string settingsNotStoredMessage(const SettingsStore& store, std::int32_t sprachOffset)
{
    return withValues(resText(TextSettingsNotStored, sprachOffset), {store.fileName(kSettingsApplication)});
}

std::string settingsKeyDamagedMessage(const SettingsStore& store, const std::string& key, std::int32_t sprachOffset)
{
    return withValues(resText(TextSettingDamaged, sprachOffset), {store.fileName(kSettingsApplication), key});
}

}  // namespace morvane
