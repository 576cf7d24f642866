#include "tools/gasgen/ProbeTables.h"

#include "tools/gasgen/SqlText.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace gasgen {

std::vector<ProbeModel> builtInProbes()
{
    // The pipe ranges of the models; the heavy-duty RQ25HDD has a wider profile
    // than the RQ25.
    return {
        {"RQ10M", 10, 17, 135, 12},
        {"RQ25", 25, 65, 2500, 16, {3190}},
        {"RQ25HDD", 28, 65, 3000, 16},
        {"RQ32", 32, 65, 4000, 16},
        {"RQ44", 44, 65, 6000, 18},
        {"RQ50", 50, 1000, 12000, 12},
    };
}

double illustrativeFlowCoefficient(double widthMm, double diameterMm)
{
    const double blockage = 4 * widthMm / (std::numbers::pi * diameterMm);
    return 0.80 - 0.22 * blockage;
}

ProbeTable buildProbeTable(const ProbeModel& model)
{
    if (model.supportPoints < 2 ||
        model.supportPoints + static_cast<int>(model.extraDiametersMm.size()) > kMaxProbeSupportPoints)
        throw std::invalid_argument(model.name + ": 2 to 20 support points");
    ProbeTable table;
    table.model = model;
    const double ratio = model.maxDiameterMm / model.minDiameterMm;
    for (int k = 0; k < model.supportPoints; ++k) {
        double d = model.minDiameterMm * std::pow(ratio, double(k) / (model.supportPoints - 1));
        // Round to whole millimetres, to 10 mm from 1000 mm on.
        const double unit = d < 1000 ? 1 : 10;
        d = k == 0 ? model.minDiameterMm
            : k == model.supportPoints - 1 ? model.maxDiameterMm
                                           : std::round(d / unit) * unit;
        if (!table.diametersMm.empty() && d <= table.diametersMm.back())
            throw std::logic_error(model.name + ": support diameters must ascend");
        table.diametersMm.push_back(d);
        const double k0 = illustrativeFlowCoefficient(model.widthMm, d);
        table.zeta.push_back(1 / (k0 * k0));
    }
    for (const double d : model.extraDiametersMm) {
        if (d <= table.diametersMm.back())
            throw std::logic_error(model.name + ": support diameters must ascend");
        table.diametersMm.push_back(d);
        const double k0 = illustrativeFlowCoefficient(model.widthMm, d);
        table.zeta.push_back(1 / (k0 * k0));
    }
    return table;
}

std::string probeTablesSql(const std::vector<ProbeTable>& tables, const std::string& header)
{
    std::string sql = header;
    for (const auto& t : tables) {
        const std::size_t n = t.diametersMm.size();
        sql += "\n-- " + t.model.name + ": probe width " + sqlNumber(t.model.widthMm, 6) + " mm, pipes " +
               sqlNumber(t.model.minDiameterMm, 6) + " to " + sqlNumber(t.model.maxDiameterMm, 6) + " mm" +
               (t.model.extraDiametersMm.empty()
                    ? std::string()
                    : "; the table goes on to " + sqlNumber(t.model.extraDiametersMm.back(), 6) + " mm") +
               ".\n";
        sql += "CREATE TABLE \"" + t.model.name + "\" (\"NumStuetz\" INTEGER, \"Durchmesser\" REAL, \"Zeta\" REAL);\n";
        sql += "INSERT INTO \"" + t.model.name + "\" VALUES\n";
        for (std::size_t r = 0; r < n; ++r) {
            sql += "  (" + (r == 0 ? std::to_string(n) : sqlNull()) + ", " + sqlNumber(t.diametersMm[r], 10) +
                   ", " + sqlNumber(t.zeta[r], 6) + (r + 1 < n ? "),\n" : ");\n");
        }
    }
    return sql;
}

}  // namespace gasgen
