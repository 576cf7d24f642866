#include "engine/DisplayUnits.h"

#include "common/ResourceTexts.h"
#include "platform/NumberText.h"
#include "platform/RuntimeError.h"

namespace morvane {

double pressureToKPa(double typed, std::int16_t unit)
{
    switch (unit) {
    case pressureunit::bar: return checkedFinite(typed * 100.0);
    case pressureunit::Pa: return typed / 1000.0;
    case pressureunit::mbar: return typed / 10.0;
    case pressureunit::psi: return checkedFinite(typed * KPaPerPsi);
    default: return typed;
    }
}

std::optional<double> pressureForDisplay(double kPa, std::int16_t unit)
{
    switch (unit) {
    case pressureunit::kPa: return kPa;
    case pressureunit::bar: return kPa / 100.0;
    case pressureunit::Pa: return checkedFinite(kPa * 1000.0);
    case pressureunit::mbar: return checkedFinite(kPa * 10.0);
    case pressureunit::psi: return kPa / KPaPerPsi;
    default: return std::nullopt;
    }
}

std::optional<double> dpForDisplay(double kPa, std::int16_t unit)
{
    if (unit == dpunit::mmWs)
        return checkedFinite(kPa * MmWsPerKPa);
    // The first five units are those of the pressure list.
    if (unit >= dpunit::kPa && unit <= dpunit::psi)
        return pressureForDisplay(kPa, unit);
    return std::nullopt;
}

double temperatureToCelsius(double typed, std::int16_t unit)
{
    switch (unit) {
    case temperatureunit::Kelvin: return checkedFinite(typed - KelvinOffset);
    case temperatureunit::Fahrenheit: return checkedFinite((typed - 32.0) / 1.8);
    default: return typed;
    }
}

std::optional<double> temperatureForDisplay(double celsius, std::int16_t unit)
{
    switch (unit) {
    case temperatureunit::Celsius: return celsius;
    case temperatureunit::Kelvin: return checkedFinite(celsius + KelvinOffset);
    case temperatureunit::Fahrenheit: return checkedFinite(celsius * 1.8 + 32.0);
    default: return std::nullopt;
    }
}

std::optional<std::string> pressureBoxText(double kPa, std::int16_t unit)
{
    const auto shown = pressureForDisplay(kPa, unit);
    if (!shown)
        return std::nullopt;
    return unit == pressureunit::kPa ? strForm(*shown) : strFormConverted(*shown, 0.0);
}

std::optional<std::string> temperatureBoxText(double celsius, std::int16_t unit)
{
    const auto shown = temperatureForDisplay(celsius, unit);
    if (!shown)
        return std::nullopt;
    switch (unit) {
    case temperatureunit::Kelvin: return strFormConverted(*shown, KelvinOffset);
    case temperatureunit::Fahrenheit: return strFormConverted(*shown, 32.0);
    default: return strForm(*shown);
    }
}

std::string unitText(std::int32_t base, std::int16_t index, std::int32_t sprachOffset)
{
    return resText(base + index, sprachOffset);
}

}  // namespace morvane
