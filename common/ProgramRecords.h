// The program-wide records of the shell: language and messages, user settings,
// document data.
#pragma once

#include <cstdint>
#include <string>

namespace morvane {

struct UiZustand {
    std::int32_t gSprachOffset = 0;  // 0 German, 10000 English
    std::string gSprachKuerzel;      // "DE" or "EN"
    std::string gFehlerEingabe;      // collected input messages
    std::string gFehlertext;         // what the calculation messages window shows
};

// Kept in the settings store (application "morvane7.0", section "Startup").
struct UserSettings {
    std::string gUserName;
    std::string gUserAbteilung;
    std::string gUserDurchwahl;
    std::string gUserFax;
    std::int16_t gUserMSCode = 0;  // not 0: the alternative product database
    std::string gCompanyFirma1;
    std::string gCompanyFirma2;
    std::string gCompanyStrasse;
    std::string gCompanyLand;
    std::string gCompanyPLZOrt;
    std::string gCompanyStaat;
    std::string gCompanyTel;
    std::string gCompanyFax;
    std::string gLanguageDeutsch;
};

// The defaults of CompanyFirma2 and CompanyStrasse: together the German
// request to enter one's user data, which the printed header of a fresh
// installation shows until the user replaces them.
inline constexpr const char* kCompanyFirma2Default = "Bitte geben Sie";
inline constexpr const char* kCompanyStrasseDefault = "Ihre Benutzerdaten ein";

struct DokumentDaten {
    std::string gKundeFirma1;
    std::string gKundeFirma2;
    std::string gKundeName;
    std::string gKundeStrasse;
    std::string gKundePLZOrt;
    std::string gKundeTelFax;
    std::string gAuftragsnummer;
    std::string gMessstellennummer;
    std::string gKundenprojekt;
    std::string gSeriennummer;
    std::string gZeugnisse;
    std::string gDatum;
    std::string gBemerkungen;
    std::string gDateiname;  // full path of the current calculation file
    std::int16_t gDruckeSeite2 = 0;  // 1 asks for page 2 of the protocol
    // Logo of the printed protocol, filled from "Logo.dli" before each page.
    std::string gLogoDatei;
    std::int16_t gLogoX = 0;  // twips
    std::int16_t gLogoY = 0;
    std::int16_t gLogoBreite = 0;
    std::int16_t gLogoHoehe = 0;
};

}  // namespace morvane
