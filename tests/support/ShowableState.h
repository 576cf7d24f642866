// Values the main window can show in its lists, check boxes and option groups
// (a calculation file with others is refused): each list at its last item, one
// option of each group selected. For tests whose states are otherwise filled
// with values that differ from a fresh state's.
#pragma once

#include "engine/CalculationState.h"

namespace morvane::testing {

inline void setShowableWindowValues(CalculationState& s)
{
    s.gMediumNr = 9;
    s.gPrimaerelementtyp = 15;
    s.gWerkstoffElement = 6;
    s.gWerkstoffRohr = 9;
    s.gDpAnschluss = 9;
    s.gPTSensoren = 4;
    s.gEinbauform = 7;
    s.gDurchflussEinheit = 7;
    s.gDruckEinheit = 4;
    s.gDpEinheit = 5;
    s.gTemperaturEinheit = 2;
    s.gNennweite = 22;
    s.gDruckstufe = 7;
    for (Flag* check : {&s.gRohrRechteckig, &s.gMehrereBetriebspunkte, &s.gDpBekannt, &s.gGegenlagerVorgesehen})
        *check = 1;
    for (Boolean* option : {&s.gModellGespeicherteDaten, &s.gModellIdealesGas, &s.gModellFluessigkeit,
                            &s.gRohrmassFrei, &s.gEpsilonQ100, &s.gAuslegungDurchmesser, &s.gEinbaulageUnbekannt,
                            &s.gEinbauHorizontal, &s.gEinbaulageHorizontal1, &s.gEinbaulageVonUnten,
                            &s.gEinbaulageHorizontal2})
        *option = False;
    for (Boolean* option : {&s.gModellRedlichKwong, &s.gRohrmassNorm, &s.gEpsilonQ67, &s.gAuslegungDurchfluss,
                            &s.gEinbauVertikal, &s.gEinbaulageVonOben, &s.gEinbaulageVertikal})
        *option = True;
}

}  // namespace morvane::testing
