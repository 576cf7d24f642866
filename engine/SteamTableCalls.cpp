#include "engine/SteamTableCalls.h"

#include "platform/RuntimeError.h"
#include "platform/steam/SteamTables.h"

namespace morvane {

// The library takes its arguments by reference; it gets copies that it may
// change without touching the caller's values.

double steamSaturationPressureMPa(double kelvin)
{
    double T = kelvin;
    return checkedFinite(PSB(T));
}

double steamDensity(double kelvin, double pressureMPa)
{
    double T = kelvin;
    double p = pressureMPa;
    return checkedFinite(DB(T, p));
}

double steamSaturatedVapourDensity(double kelvin)
{
    double T = kelvin;
    return checkedFinite(DVB(T));
}

double steamCp(double kelvin, double densityKgM3)
{
    double T = kelvin;
    double rho = densityKgM3;
    return checkedFinite(CPB(T, rho));
}

double steamCv(double kelvin, double densityKgM3)
{
    double T = kelvin;
    double rho = densityKgM3;
    return checkedFinite(CVB(T, rho));
}

}  // namespace morvane
