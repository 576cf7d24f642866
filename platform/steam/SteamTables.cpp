#include "platform/steam/SteamTables.h"

#include "platform/steam/Iapws95.h"
#include "platform/steam/Iapws95Density.h"
#include "platform/steam/Iapws95Saturation.h"

#include <cmath>
#include <optional>

namespace morvane {

namespace {

// The library's answer for "no value".
double orZero(const std::optional<double>& value)
{
    return (value && std::isfinite(*value)) ? *value : 0.0;
}

}  // namespace

double PSB(double& temperatureK)
{
    const double t = temperatureK;
    if (!iapws95::inTemperatureRange(t)) {
        return 0.0;
    }
    if (t >= iapws95::kCriticalTemperatureK) {
        return orZero(iapws95::pressureMPa(t, iapws95::kCriticalDensityKgM3));
    }
    const auto sat = iapws95::saturation(t);
    return sat ? orZero(sat->pressureMPa) : 0.0;
}

double DB(double& temperatureK, double& pressureMPa)
{
    return orZero(iapws95::density(temperatureK, pressureMPa));
}

double DVB(double& temperatureK)
{
    const double t = temperatureK;
    if (!iapws95::inTemperatureRange(t)) {
        return 0.0;
    }
    if (t >= iapws95::kCriticalTemperatureK) {
        return iapws95::kCriticalDensityKgM3;
    }
    const auto sat = iapws95::saturation(t);
    return sat ? orZero(sat->vapourDensityKgM3) : 0.0;
}

double CPB(double& temperatureK, double& densityKgM3)
{
    return orZero(iapws95::isobaricHeatCapacity(temperatureK, densityKgM3));
}

double CVB(double& temperatureK, double& densityKgM3)
{
    return orZero(iapws95::isochoricHeatCapacity(temperatureK, densityKgM3));
}

}  // namespace morvane
