#include "engine/ProbeCoefficient.h"

#include "platform/ProductDataChecks.h"
#include "platform/ProductDatabase.h"
#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

#include <array>
#include <cmath>
#include <string>

namespace morvane {

namespace {

constexpr std::int32_t TextElementMissing = 1224;
constexpr std::int32_t TextBelowTable = 1226;
constexpr std::int32_t TextAboveTable = 1227;

// Coefficient table of each of the maker's probe models.
const char* probeTable(Integer elementType)
{
    switch (elementType) {
    case element::RQ10: return "RQ10M";
    case element::RQ25: return "RQ25";
    case element::RQ25HDD: return "RQ25HDD";
    case element::RQ32: return "RQ32";
    case element::RQ44: return "RQ44";
    case element::RQ50: return "RQ50";
    default: return nullptr;
    }
}

// The probe has no usable coefficient: none is written but zeros, which the
// differential-pressure step refuses with the same message.
void noCoefficient(EngineContext& e, std::int32_t textId)
{
    e.s.gFehlerZeta = e.text(textId);
    e.s.gZeta = 0.0;
    e.s.gKZahl = 0.0;
    e.s.gDurchflusskoeffizient = 0.0;
}

}  // namespace

ProbeZeta interpolateProbeZeta(const double* durchmesser, const double* zeta, int n, double dw)
{
    // A segment needs two support points, and the arrays hold twenty.
    if (n < 2 || n > MaxProbeSupportPoints)
        raiseError(err::SubscriptOutOfRange,
                   "probe table with " + std::to_string(n) + " support points (2 to 20 are possible)");
    ProbeZeta r;
    r.belowTable = dw < durchmesser[0];
    r.aboveTable = dw > durchmesser[n - 1];
    // The segment whose lower end is the last support point not above dw; the
    // first one below the table, the last one above it.
    int lower = 0;
    for (int i = 1; i <= n - 1; ++i)
        if (durchmesser[i - 1] <= dw)
            lower = i - 1;
    const double d1 = durchmesser[lower], d2 = durchmesser[lower + 1];
    const double z1 = zeta[lower], z2 = zeta[lower + 1];
    r.zeta = checkedFinite(z1 + checkedDivide((dw - d1) * (z2 - z1), d2 - d1));
    return r;
}

void BerechneZeta(EngineContext& e)
{
    Guard g("Module1", "BerechneZeta", "Sub BerechneZeta()");
    CalculationState& s = e.s;
    const Integer type = s.gPrimaerelementtyp;

    if (!g.step([&] { s.gFehlerZeta.clear(); }))
        return;
    if (!g.step([&] {
            if (type != element::Keins)
                return true;
            s.gFehlerZeta = e.text(TextElementMissing);
            return false;
        }))
        return;

    if (const char* table = probeTable(type)) {
        std::array<double, MaxProbeSupportPoints> dia{};
        std::array<double, MaxProbeSupportPoints> zeta{};
        int n = 0;
        if (!g.step([&] {
                const auto db = e.databases.OpenDatabase(e.settings.gUserMSCode);
                Recordset rs = db->OpenRecordset(table);
                rs.MoveFirst();
                // Looked up in the table once, read on every row.
                const Recordset::Column durchmesser("Durchmesser"), zetaColumn("Zeta");
                n = checkedSupportCount(rs, "NumStuetz", rs.doubleValue("NumStuetz"), MaxProbeSupportPoints,
                                        db->path());
                // A count that leaves diameters of the table out would warn that
                // a diameter inside the table lies outside it.
                checkedCountCoversTable(rs, "NumStuetz", n, durchmesser, db->path());
                dia[0] = rs.doubleValue(durchmesser);
                zeta[0] = checkedTableValue(rs, "Zeta", rs.doubleValue(zetaColumn), ProbeZetaRange, db->path());
                for (int row = 2; row <= n; ++row) {
                    rs.MoveNext();
                    // Two equal diameters leave no interval to interpolate in.
                    dia[row - 1] = checkedSupportPoint(rs, "Durchmesser", rs.doubleValue(durchmesser),
                                                       &dia[row - 2], db->path(), Neighbours::Differ);
                    zeta[row - 1] =
                        checkedTableValue(rs, "Zeta", rs.doubleValue(zetaColumn), ProbeZetaRange, db->path());
                }
            }))
            return;
        ProbeZeta z;
        if (!g.step([&] { z = interpolateProbeZeta(dia.data(), zeta.data(), n, s.gInnendurchmesserWarm); }))
            return;
        // Outside the table the extrapolated value is still used; the text
        // only warns.
        if (!g.step([&] {
                if (z.belowTable)
                    s.gFehlerZeta += e.text(TextBelowTable);
                if (z.aboveTable)
                    s.gFehlerZeta += e.text(TextAboveTable);
            }))
            return;
        g.step([&] {
            if (!(z.zeta > 0.0)) {
                noCoefficient(e, TextProbeZetaNotPositive);
                return;
            }
            s.gZeta = z.zeta;
            s.gKZahl = 1.0 / std::sqrt(z.zeta);
            s.gDurchflusskoeffizient = s.gKZahl;
        });
        return;
    }

    if (type == element::SondeAndererHersteller) {
        g.step([&] {
            // K ≤ 0 is no flow coefficient (and K = 0 would give ζ = 1/0).
            if (!(s.gKZahlEingabe > 0.0)) {
                noCoefficient(e, TextProbeKNotPositive);
                return;
            }
            s.gZeta = checkedDivide(1.0, s.gKZahlEingabe * s.gKZahlEingabe);
            s.gKZahl = s.gKZahlEingabe;
            s.gDurchflusskoeffizient = s.gKZahl;
        });
    }
}

}  // namespace morvane
