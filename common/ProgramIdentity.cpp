#include "common/ProgramIdentity.h"

#include "common/ResourceTexts.h"

namespace morvane {

std::string versionLabel(const ProgramVersion& version)
{
    return "Version " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.revision);
}

const MakerTexts& makerTexts()
{
    // Neutral contact lines: example.org is reserved for examples (RFC 2606).
    static const MakerTexts texts{
        "morvane project",
        "Postal address: not published",
        "Web and mail only",
        "Phone: -",
        "Fax: -",
        "https://example.org/morvane",
        "support@example.org",
    };
    return texts;
}

std::string disclaimerText(std::int32_t sprachOffset)
{
    if (sprachOffset == OffsetGerman)
        return "Dieses Programm wird ohne Gewähr bereitgestellt. Prüfen Sie jedes Ergebnis, bevor Sie "
               "sich darauf verlassen; für Schäden aus seiner Verwendung übernehmen die Autoren keine Haftung.";
    return "This program is provided without warranty. Check every result before you rely on it; the "
           "authors accept no liability for damage arising from its use.";
}

std::string copyrightNotice()
{
    return "© 2026 morvane project";
}

std::string warrantyNotice(std::int32_t sprachOffset)
{
    if (sprachOffset == OffsetGerman)
        return "Alle Berechnungsergebnisse ohne Gewähr.";
    return "All calculation results without warranty.";
}

}  // namespace morvane
