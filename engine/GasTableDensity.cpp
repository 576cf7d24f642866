#include "engine/GasTableDensity.h"

#include "platform/ProductDataChecks.h"
#include "platform/ProductDatabase.h"
#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace morvane {

namespace {

// The tables use 273.14 K for 0 °C in both places of the density formula.
constexpr double NullGradKelvin = 273.14;
constexpr double NormdruckKPa = 101.325;

// Support points 1..50 (index 0 stays empty), as the tables are laid out: up to
// 50 temperatures and, with the columns Feld1..Feld30, up to 30 pressures.
constexpr int MaxStuetz = 50;
constexpr int MaxDruckStuetz = 30;
using Stuetzstellen = std::array<double, MaxStuetz + 1>;

[[noreturn, gnu::cold, gnu::noinline]] void supportPointOutOfRange(int i)
{
    raiseError(err::SubscriptOutOfRange, "Subscript out of range: support point " + std::to_string(i));
}

double& at(Stuetzstellen& a, int i)
{
    if (i < 0 || i > MaxStuetz) [[unlikely]]
        supportPointOutOfRange(i);
    return a[static_cast<std::size_t>(i)];
}

std::string feld(int j)
{
    return "Feld" + std::to_string(j);
}

[[noreturn, gnu::cold, gnu::noinline]] void noGasTable()
{
    raiseError(91, "Object variable or With block variable not set (no gas table for this medium)");
}

// An unset recordset, as for a medium with no gas table.
Recordset& set(std::optional<Recordset>& rs)
{
    if (!rs) [[unlikely]]
        noGasTable();
    return *rs;
}

// An unset database, as after going on past a failed open.
const ProductDatabase& opened(const std::shared_ptr<const ProductDatabase>& db)
{
    if (!db)
        raiseError(91, "Object variable or With block variable not set (the product database is not open)");
    return *db;
}

bool isTableGas(Integer m)
{
    return m == medium::Luft || m == medium::Stickstoff || m == medium::Sauerstoff || m == medium::Kohlendioxid ||
           m == medium::Methan || m == medium::Wasserstoff;
}

}  // namespace

void BerechneDichteGas(EngineContext& e)
{
    Guard g("Module1", "BerechneDichteGas", "Sub BerechneDichteGas()");
    CalculationState& s = e.s;

    std::shared_ptr<const ProductDatabase> db;
    std::optional<Recordset> data;  // <m>GasData: scalars and support points
    std::optional<Recordset> tab;   // <m>GasTab: Z, one row per temperature
    double tMin = 0, tMax = 0, pMin = 0, pMax = 0;
    Integer nT = 0, nD = 0;
    Stuetzstellen TS{}, DS{};
    int iT = 0, iD = 0;
    double z11 = 0, z12 = 0, z21 = 0, z22 = 0, zp1 = 0, zp2 = 0, Z = 0;
    const double T = s.gTemperatur;
    const double p = s.gDruck;
    // Looked up in the table once, read on every row.
    const Recordset::Column gasdaten("Gasdaten"), tStuetz("TStuetz"), dStuetz("DStuetz");

    // 1.-2. The database of this user, then the two tables of the gas.
    if (!g.step([&] { db = e.databases.OpenDatabase(e.settings.gUserMSCode); }))
        return;
    if (isTableGas(s.gMediumNr)) {
        const std::string m = std::to_string(s.gMediumNr);
        if (!g.step([&] { data = opened(db).OpenRecordset(m + "GasData"); }))
            return;
        if (!g.step([&] { tab = opened(db).OpenRecordset(m + "GasTab"); }))
            return;
    }

    // 3. Scalars, one per row; written to the state before any check.
    const auto read = [&](auto&& statement) { return g.step([&] { statement(set(data)); }); };
    const auto next = [&] { return read([](Recordset& r) { r.MoveNext(); }); };
    if (!read([](Recordset& r) { r.MoveFirst(); }))
        return;
    // The values a damaged table could turn into a wrong density are checked
    // where they are read.
    const auto count = [&](const Recordset& r, const char* column, int most) {
        return static_cast<Integer>(checkedSupportCount(r, column, r.doubleValue(column), most, opened(db).path()));
    };
    const auto inRange = [&](const Recordset& r, const std::string& column, const ValueRange& range) {
        return checkedTableValue(r, column, r.doubleValue(column), range, opened(db).path());
    };
    if (!read([&](Recordset& r) { s.gNormdichte = inRange(r, "Gasdaten", NormDensityRange); }))
        return;
    if (!read([&](Recordset& r) { nT = count(r, "nTStuetz", MaxStuetz); }))
        return;
    if (!read([&](Recordset& r) { nD = count(r, "nDStuetz", MaxDruckStuetz); }))
        return;
    for (double* scalar : {&tMin, &tMax, &pMin, &pMax}) {
        if (!next() || !read([&](Recordset& r) { *scalar = r.doubleValue(gasdaten); }))
            return;
    }
    // The critical data go to the results and the protocol as they stand.
    if (!next() || !read([&](Recordset& r) {
            s.gKritischeTemperatur = inRange(r, gasdaten.name(), CriticalTemperatureRange);
        }))
        return;
    if (!next() ||
        !read([&](Recordset& r) { s.gKritischerDruck = inRange(r, gasdaten.name(), CriticalPressureRange); }))
        return;

    // 4. Support points, each list from row 1. They are read before the state
    // is checked against the table's range: a damaged table is named as such,
    // whatever the state.
    if (!read([](Recordset& r) { r.MoveFirst(); }))
        return;
    for (int i = 1; i <= nT; ++i) {
        if (i > 1 && !next())
            return;
        if (!read([&](Recordset& r) {
                at(TS, i) = checkedSupportPoint(r, tStuetz.name(), r.doubleValue(tStuetz), i > 1 ? &at(TS, i - 1) : nullptr,
                                                opened(db).path());
            }))
            return;
    }
    if (!read([](Recordset& r) { r.MoveFirst(); }))
        return;
    for (int j = 1; j <= nD; ++j) {
        if (j > 1 && !next())
            return;
        if (!read([&](Recordset& r) {
                at(DS, j) = checkedSupportPoint(r, dStuetz.name(), r.doubleValue(dStuetz), j > 1 ? &at(DS, j - 1) : nullptr,
                                                opened(db).path());
            }))
            return;
    }
    // The table's range (Gasdaten rows 2 to 5) lies inside the support points
    // its counts select, so that every state that passes the range checks is
    // interpolated inside the grid, never extrapolated beyond it.
    if (!read([&](Recordset& r) {
            checkedTableRange(r, gasdaten.name(), 2, tMin, 3, tMax, at(TS, 1), at(TS, nT), "temperature",
                              opened(db).path());
            checkedTableRange(r, gasdaten.name(), 4, pMin, 5, pMax, at(DS, 1), at(DS, nD), "pressure",
                              opened(db).path());
        }))
        return;

    // 5. The state against the table's range, temperature first; the limits
    // themselves pass.
    if (T < tMin || T > tMax) {
        g.step([&] { s.gFehlerDichte = e.text(1222); });
        return;
    }
    if (p < pMin || p > pMax) {
        g.step([&] { s.gFehlerDichte = e.text(1223); });
        return;
    }

    // 6. Lower nodes: a full scan in which the last match wins, so a temperature
    // on a support point takes the interval that starts there, and the last
    // point the interval that ends there.
    if (!g.step([&] {
            for (int i = 1; i <= nT - 1; ++i)
                if (at(TS, i) <= T)
                    iT = i;
        }))
        return;
    if (!g.step([&] {
            for (int j = 1; j <= nD - 1; ++j)
                if (at(DS, j) <= p)
                    iD = j;
        }))
        return;

    // 7. Corner values: row iT and row iT + 1, columns iD and iD + 1.
    const auto zValue = [&](const Recordset& r, const Recordset::Column& column) {
        return checkedTableValue(r, column.name(), r.doubleValue(column), CompressibilityRange, opened(db).path());
    };
    const auto readTab = [&](auto&& statement) { return g.step([&] { statement(set(tab)); }); };
    if (!readTab([](Recordset& r) { r.MoveFirst(); }))
        return;
    for (int k = 1; k <= iT - 1; ++k)
        if (!readTab([](Recordset& r) { r.MoveNext(); }))
            return;
    // The two pressure columns, each looked up once for both rows.
    const Recordset::Column feldD(feld(iD)), feldD1(feld(iD + 1));
    if (!readTab([&](Recordset& r) { z11 = zValue(r, feldD); }))
        return;
    if (!readTab([&](Recordset& r) { z12 = zValue(r, feldD1); }))
        return;
    if (!readTab([](Recordset& r) { r.MoveNext(); }))
        return;
    if (!readTab([&](Recordset& r) { z21 = zValue(r, feldD); }))
        return;
    if (!readTab([&](Recordset& r) { z22 = zValue(r, feldD1); }))
        return;

    // 8. Along the temperature at both pressure nodes; an interval of zero width
    // keeps the lower row.
    if (!g.step([&] {
            const double dT = at(TS, iT + 1) - at(TS, iT);
            if (dT == 0) {
                zp1 = z11;
                zp2 = z12;
            } else {
                zp1 = z11 + checkedDivide((T - at(TS, iT)) * (z21 - z11), dT);
                zp2 = z12 + checkedDivide((T - at(TS, iT)) * (z22 - z12), dT);
            }
        }))
        return;

    // 9. Then along the pressure; an interval of zero width takes the upper node.
    if (!g.step([&] {
            const double dP = at(DS, iD + 1) - at(DS, iD);
            Z = dP == 0 ? zp2 : zp1 + checkedDivide((p - at(DS, iD)) * (zp2 - zp1), dP);
        }))
        return;

    // 10.-11. A factor of 0 is a division fault, never an infinite density.
    if (!g.step([&] { s.gKompressibilitaet = checkedFinite(Z); }))
        return;
    g.step([&] {
        double rho = s.gNormdichte * p * NullGradKelvin;
        rho = checkedDivide(rho, NormdruckKPa);
        rho = checkedDivide(rho, T + NullGradKelvin);
        s.gBetriebsdichte = checkedDivide(rho, Z);
    });
}

}  // namespace morvane
