// The reference calculation of the protocol tests, as the engine leaves it: a
// flange-tapped orifice (type 9) in a 100 mm pipe with a 50 mm bore, water at
// 20 °C and 500 kPa, 10 kg/s. Density and viscosity from python3-iapws 1.5.2,
// IAPWS95(T=293.15, P=0.5): 998.3897023846893 kg/m³, 1.0014737021218985 mPa s.
// Design point only; the company, customer and further operating points are
// left to each test.
#pragma once

#include "engine/ProgramState.h"

namespace morvane::testing {

inline void fillReferenceOrifice(ProgramState& s)
{
    auto& c = s.calc;
    c.gModellGespeicherteDaten = -1;
    c.gMediumNr = 4;
    c.gKritischeTemperatur = 374.0;
    c.gKritischerDruck = 22000.0;
    c.gBetriebsdichte = 998.3897023846893;
    c.gViskositaet = 1.0014737021218985;
    c.gDruck = 500.0;
    c.gTemperatur = 20.0;
    c.gDurchflussAuslegung = 10.0;
    c.gDurchflussEinheit = 4;  // kg/s
    c.gInnendurchmesser = 100.0;
    c.gInnendurchmesserWarm = 100.0;
    c.gWandstaerke = 3.6;
    c.gPrimaerelementtyp = 9;
    c.gOeffnungsdurchmesser = 50.0;
    c.gBeta = 0.5;
    c.gKZahl = 0.6055;
    c.gKorrekturFaktor = 1.0;
    c.gDifferenzdruck[0] = 33.222466;
    c.gExpansionszahl[0] = 1.0;
    c.gReynolds[0] = 126951.3;
    c.gGeschwindigkeit[0] = 1.2753;
    s.config.gTypenschluessel = "NONE";
    s.settings.gCompanyFirma2 = "Bitte geben Sie";
    s.settings.gCompanyStrasse = "Ihre Benutzerdaten ein";
    s.settings.gUserAbteilung = "please enter";
    s.settings.gUserDurchwahl = "user-settings";
    s.doc.gAuftragsnummer = "A-77";
    s.doc.gDatum = "10.12.2026 11:00:00";
}

}  // namespace morvane::testing
