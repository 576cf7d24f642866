#include "tools/gasgen/GasTables.h"

#include "tools/gasgen/SqlText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace gasgen {
namespace {

using gerg2008::Component;

constexpr double kAcceptedError = 6e-4;  // the generator refuses a table above this

double kelvin(double celsius) { return celsius + kNormTemperatureK; }

// Candidate pressures: round values, finer where the pressure is low.
std::vector<double> pressureCandidates(double pMin, double pMax)
{
    std::vector<double> p{pMin};
    auto step = [](double x) {
        if (x < 1000) return 10.0;
        if (x < 5000) return 50.0;
        if (x < 20000) return 100.0;
        return 500.0;
    };
    double x = (std::floor(pMin / step(pMin)) + 1) * step(pMin);
    while (x < pMax) {
        p.push_back(x);
        x += step(x);
    }
    p.push_back(pMax);
    return p;
}

std::vector<double> temperatureCandidates(double tMin, double tMax, double step)
{
    std::vector<double> t;
    const int n = static_cast<int>(std::lround((tMax - tMin) / step));
    for (int i = 0; i <= n; ++i)
        t.push_back(tMin + i * step);
    t.back() = tMax;
    return t;
}

// Zs on every lattice point, and bilinear interpolation between chosen nodes.
class Lattice {
public:
    Lattice(const gerg2008::Mixture& gas, double zn, std::vector<double> t, std::vector<double> p)
        : t_(std::move(t)), p_(std::move(p)), f_(t_.size() * p_.size())
    {
        for (std::size_t a = 0; a < t_.size(); ++a)
            for (std::size_t b = 0; b < p_.size(); ++b)
                f_[a * p_.size() + b] = storedCompressibility(gas, zn, t_[a], p_[b]);
    }

    std::size_t nt() const { return t_.size(); }
    std::size_t np() const { return p_.size(); }
    double t(std::size_t a) const { return t_[a]; }
    double p(std::size_t b) const { return p_[b]; }
    double f(std::size_t a, std::size_t b) const { return f_[a * p_.size() + b]; }

    // Interpolated Zs at lattice point (a, b) from the cell (ta0, ta1) x (pb0, pb1).
    double interpolate(std::size_t a, std::size_t b, std::size_t ta0, std::size_t ta1,
                       std::size_t pb0, std::size_t pb1) const
    {
        const double wt = (t_[a] - t_[ta0]) / (t_[ta1] - t_[ta0]);
        const double wp = (p_[b] - p_[pb0]) / (p_[pb1] - p_[pb0]);
        const double z1 = f(ta0, pb0) + wt * (f(ta1, pb0) - f(ta0, pb0));
        const double z2 = f(ta0, pb1) + wt * (f(ta1, pb1) - f(ta0, pb1));
        return z1 + wp * (z2 - z1);
    }

private:
    std::vector<double> t_, p_, f_;
};

struct Worst {
    double error = 0;
    std::size_t a = 0, b = 0;     // lattice point
};

// The density error of interpolation is Zs / Zs,interpolated - 1, because the
// program's density is inversely proportional to the interpolated value.
Worst worstPoint(const Lattice& lat, const std::vector<std::size_t>& tn, const std::vector<std::size_t>& pn)
{
    Worst w;
    for (std::size_t i = 0; i + 1 < tn.size(); ++i) {
        for (std::size_t a = tn[i]; a <= tn[i + 1]; ++a) {
            for (std::size_t j = 0; j + 1 < pn.size(); ++j) {
                for (std::size_t b = pn[j]; b <= pn[j + 1]; ++b) {
                    const double zi = lat.interpolate(a, b, tn[i], tn[i + 1], pn[j], pn[j + 1]);
                    const double e = std::abs(lat.f(a, b) / zi - 1);
                    if (e > w.error)
                        w = Worst{e, a, b};
                }
            }
        }
    }
    return w;
}

// For every lattice index of an axis, the node interval (k, k+1) that the
// program's interval search selects: the last node not above it.
std::vector<std::size_t> cellOf(const std::vector<std::size_t>& nodes, std::size_t count)
{
    std::vector<std::size_t> cell(count);
    std::size_t k = 0;
    for (std::size_t q = 0; q < count; ++q) {
        while (k + 2 < nodes.size() && nodes[k + 1] <= q)
            ++k;
        cell[q] = k;
    }
    return cell;
}

// Largest density error of bilinear interpolation in the strip between lattice
// indices lo and hi of one axis, with the nodes of the other axis fixed.
double stripError(const Lattice& lat, bool alongTemperature, std::size_t lo, std::size_t hi,
                  const std::vector<std::size_t>& otherNodes, const std::vector<std::size_t>& otherCell)
{
    double worst = 0;
    const std::size_t lines = alongTemperature ? lat.np() : lat.nt();
    for (std::size_t q = 0; q < lines; ++q) {
        const std::size_t o0 = otherNodes[otherCell[q]], o1 = otherNodes[otherCell[q] + 1];
        for (std::size_t k = lo + 1; k < hi; ++k) {
            const double e = alongTemperature
                                 ? std::abs(lat.f(k, q) / lat.interpolate(k, q, lo, hi, o0, o1) - 1)
                                 : std::abs(lat.f(q, k) / lat.interpolate(q, k, o0, o1, lo, hi) - 1);
            worst = std::max(worst, e);
        }
    }
    return worst;
}

// The fewest nodes along one axis that keep the error within tolerance, the
// other axis's nodes fixed: from each node the next one is the farthest lattice
// point whose strip still keeps it.
std::vector<std::size_t> nodesAlong(const Lattice& lat, bool alongTemperature, double tolerance,
                                    const std::vector<std::size_t>& otherNodes,
                                    const std::vector<std::size_t>& otherCell)
{
    const std::size_t last = (alongTemperature ? lat.nt() : lat.np()) - 1;
    std::vector<std::size_t> nodes{0};
    while (nodes.back() < last) {
        const std::size_t from = nodes.back();
        std::size_t good = from + 1, bad = last + 1;
        while (bad - good > 1) {
            const std::size_t mid = good + (bad - good) / 2;
            if (stripError(lat, alongTemperature, from, mid, otherNodes, otherCell) <= tolerance)
                good = mid;
            else
                bad = mid;
        }
        nodes.push_back(good);
    }
    return nodes;
}

// The node set of at most maxNodes points with the smallest error along one axis,
// the other axis's nodes fixed (bisection on the tolerance).
std::vector<std::size_t> bestNodesAlong(const Lattice& lat, bool alongTemperature, std::size_t maxNodes,
                                        const std::vector<std::size_t>& otherNodes)
{
    const auto otherCell = cellOf(otherNodes, alongTemperature ? lat.np() : lat.nt());
    double lo = 1e-8, hi = 1.0;
    std::vector<std::size_t> best = nodesAlong(lat, alongTemperature, hi, otherNodes, otherCell);
    if (best.size() > maxNodes)
        throw std::runtime_error("the lattice is too coarse for the node budget");
    for (int step = 0; step < 24; ++step) {
        const double mid = std::sqrt(lo * hi);
        auto nodes = nodesAlong(lat, alongTemperature, mid, otherNodes, otherCell);
        if (nodes.size() <= maxNodes) {
            hi = mid;
            best = std::move(nodes);
        } else {
            lo = mid;
        }
    }
    return best;
}

std::vector<std::size_t> allIndices(std::size_t count)
{
    std::vector<std::size_t> all(count);
    for (std::size_t q = 0; q < count; ++q)
        all[q] = q;
    return all;
}

}  // namespace

gerg2008::Composition airComposition()
{
    gerg2008::Composition x{};
    x[static_cast<int>(Component::Nitrogen)] = 0.7812;
    x[static_cast<int>(Component::Oxygen)] = 0.2096;
    x[static_cast<int>(Component::Argon)] = 0.0092;
    return x;
}

std::vector<GasDefinition> builtInGases()
{
    using gerg2008::pureComposition;
    // Critical points of the reference equations of the pure fluids: nitrogen
    // Span et al. (2000), oxygen Schmidt and Wagner (1985), carbon dioxide Span and
    // Wagner (1996), methane Setzmann and Wagner (1991), normal hydrogen Leachman et
    // al. (2009). Air has no critical point of a pure fluid; its table gives the
    // maxcondentherm of Lemmon et al. (2000), the highest temperature at which
    // liquid air can exist.
    std::vector<GasDefinition> gases;
    gases.push_back({1, "air", airComposition(), -60, 400, 10, 20000, 132.6312 - 273.15, 3785.02,
                     "maxcondentherm, Lemmon et al., J. Phys. Chem. Ref. Data 29 (2000) 331", 1});
    gases.push_back({5, "nitrogen", pureComposition(Component::Nitrogen), -100, 400, 10, 20000,
                     126.192 - 273.15, 3395.8, "Span et al., J. Phys. Chem. Ref. Data 29 (2000) 1361", 1});
    gases.push_back({6, "oxygen", pureComposition(Component::Oxygen), -80, 400, 10, 20000,
                     154.581 - 273.15, 5043.0, "Schmidt and Wagner, Fluid Phase Equilib. 19 (1985) 175", 1});
    gases.push_back({7, "carbon dioxide", pureComposition(Component::CarbonDioxide), 50, 400, 10, 10000,
                     304.1282 - 273.15, 7377.3, "Span and Wagner, J. Phys. Chem. Ref. Data 25 (1996) 1509", 1});
    gases.push_back({8, "methane", pureComposition(Component::Methane), -50, 400, 10, 20000,
                     190.564 - 273.15, 4599.2, "Setzmann and Wagner, J. Phys. Chem. Ref. Data 20 (1991) 1061", 1});
    gases.push_back({9, "hydrogen", pureComposition(Component::Hydrogen), -200, 400, 10, 70000,
                     33.145 - 273.15, 1296.4, "normal hydrogen, Leachman et al., J. Phys. Chem. Ref. Data 38 (2009) 721", 1});
    return gases;
}

double storedCompressibility(const gerg2008::Mixture& gas, double normCompressibility,
                             double temperatureC, double pressureKPa)
{
    const double z = gas.compressibility(kelvin(temperatureC), pressureKPa);
    const double offsets = kProgramCelsiusOffset * (temperatureC + kNormTemperatureK) /
                           (kNormTemperatureK * (temperatureC + kProgramCelsiusOffset));
    return z / normCompressibility * offsets;
}

GasTable buildGasTable(const GasDefinition& definition)
{
    const gerg2008::Mixture gas(definition.composition);
    GasTable table;
    table.gas = definition;
    table.normCompressibility = gas.compressibility(kNormTemperatureK, kNormPressureKPa);
    table.normDensity = gas.massDensity(kNormTemperatureK, kNormPressureKPa);

    const Lattice lat(gas, table.normCompressibility,
                      temperatureCandidates(definition.tMinC, definition.tMaxC, definition.temperatureStepC),
                      pressureCandidates(definition.pMinKPa, definition.pMaxKPa));

    // Alternating minimax: first each axis alone (the other exact at every
    // lattice line), then each axis again with the other's nodes fixed, keeping
    // the best pair found.
    auto tn = bestNodesAlong(lat, true, kMaxTemperatureNodes, allIndices(lat.np()));
    auto pn = bestNodesAlong(lat, false, kMaxPressureNodes, allIndices(lat.nt()));
    Worst w = worstPoint(lat, tn, pn);
    for (int round = 0; round < 3; ++round) {
        auto t2 = bestNodesAlong(lat, true, kMaxTemperatureNodes, pn);
        auto p2 = bestNodesAlong(lat, false, kMaxPressureNodes, t2);
        const Worst w2 = worstPoint(lat, t2, p2);
        if (w2.error >= w.error)
            break;
        tn = std::move(t2);
        pn = std::move(p2);
        w = w2;
    }
    if (w.error > kAcceptedError) {
        char msg[200];
        std::snprintf(msg, sizeof msg, "%s: interpolation error %.3g %% at %g °C, %g kPa exceeds the bound",
                      definition.name.c_str(), 100 * w.error, lat.t(w.a), lat.p(w.b));
        throw std::runtime_error(msg);
    }
    table.maxRelativeError = w.error;
    for (std::size_t a : tn)
        table.temperaturesC.push_back(lat.t(a));
    for (std::size_t b : pn)
        table.pressuresKPa.push_back(lat.p(b));
    for (std::size_t a : tn) {
        std::vector<double> row;
        for (std::size_t b : pn)
            row.push_back(lat.f(a, b));
        table.z.push_back(std::move(row));
    }
    return table;
}

std::string gasTablesSql(const std::vector<GasTable>& tables, const std::string& header)
{
    std::string sql = header;
    for (const auto& g : tables) {
        const std::string m = std::to_string(g.gas.mediumNumber);
        const std::size_t nT = g.temperaturesC.size();
        const std::size_t nD = g.pressuresKPa.size();
        const double scalars[7] = {g.normDensity,          g.gas.tMinC,
                                   g.gas.tMaxC,           g.gas.pMinKPa,
                                   g.gas.pMaxKPa,         g.gas.criticalTemperatureC,
                                   g.gas.criticalPressureKPa};

        sql += "\n-- Medium " + m + ", " + g.gas.name + ": " + std::to_string(nT) + " temperatures x " +
               std::to_string(nD) + " pressures; largest interpolation error in density on the sampling lattice " +
               sqlNumber(100 * g.maxRelativeError, 2) + " %.\n";
        sql += "CREATE TABLE \"" + m + "GasData\" (\"Gasdaten\" REAL, \"nTStuetz\" INTEGER, "
               "\"nDStuetz\" INTEGER, \"TStuetz\" REAL, \"DStuetz\" REAL);\n";
        sql += "INSERT INTO \"" + m + "GasData\" VALUES\n";
        const std::size_t rows = std::max<std::size_t>({7, nT, nD});
        for (std::size_t r = 0; r < rows; ++r) {
            sql += "  (" + (r < 7 ? sqlNumber(scalars[r], 10) : sqlNull()) + ", " +
                   (r == 0 ? std::to_string(nT) : sqlNull()) + ", " +
                   (r == 0 ? std::to_string(nD) : sqlNull()) + ", " +
                   (r < nT ? sqlNumber(g.temperaturesC[r], 10) : sqlNull()) + ", " +
                   (r < nD ? sqlNumber(g.pressuresKPa[r], 10) : sqlNull()) + ")" +
                   (r + 1 < rows ? ",\n" : ";\n");
        }

        sql += "CREATE TABLE \"" + m + "GasTab\" (";
        for (int c = 1; c <= kMaxPressureNodes; ++c)
            sql += "\"Feld" + std::to_string(c) + "\" REAL" + (c < kMaxPressureNodes ? ", " : ");\n");
        sql += "INSERT INTO \"" + m + "GasTab\" VALUES\n";
        for (std::size_t i = 0; i < nT; ++i) {
            sql += "  (";
            for (std::size_t c = 0; c < static_cast<std::size_t>(kMaxPressureNodes); ++c) {
                sql += c < nD ? sqlNumber(g.z[i][c], 10) : sqlNull();
                sql += c + 1 < static_cast<std::size_t>(kMaxPressureNodes) ? ", " : "";
            }
            sql += i + 1 < nT ? "),\n" : ");\n";
        }
    }
    return sql;
}

}  // namespace gasgen
