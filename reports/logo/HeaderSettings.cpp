#include "reports/logo/HeaderSettings.h"

#include "common/ProgramRecords.h"

namespace morvane {

std::string printedSetting(const std::string& stored, bool englishPage)
{
    if (englishPage && stored == kCompanyFirma2Default)
        return "Please enter";
    if (englishPage && stored == kCompanyStrasseDefault)
        return "your user data";
    return stored;
}

std::string townAndCountry(const std::string& town, const std::string& country)
{
    if (town.empty() || country.empty() || town.back() == ' ' || country.front() == ' ')
        return town + country;
    return town + ' ' + country;
}

}  // namespace morvane
