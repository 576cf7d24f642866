// The probe coefficient tables of the averaging probe models (one table per model,
// "RQ10M" ... "RQ50", columns NumStuetz, Durchmesser, Zeta) and their SQL text.
//
// The maker's calibration data is not available. The tables hold illustrative
// values of a plausible shape instead: the flow coefficient
//     K = 0.80 - 0.22 B,   B = 4 w / (pi D),
// falls with the blockage B of a probe of width w in a pipe of inside diameter D,
// and the tables give zeta = 1 / K² at support diameters spaced evenly in log D.
#pragma once

#include <string>
#include <vector>

namespace gasgen {

inline constexpr int kMaxProbeSupportPoints = 20;

struct ProbeModel {
    std::string name;         // table name
    double widthMm = 0;       // probe width facing the flow
    double minDiameterMm = 0;
    double maxDiameterMm = 0;
    int supportPoints = 0;
    // Support points beyond the model's range, so that the solver's start value
    // at high temperature (the pipe grows by 12.1e-6 per K) lies in the table;
    // the points of the range stay where they are.
    std::vector<double> extraDiametersMm = {};
};

struct ProbeTable {
    ProbeModel model;
    std::vector<double> diametersMm;   // ascending
    std::vector<double> zeta;
};

std::vector<ProbeModel> builtInProbes();

// K of the illustrative formula above.
double illustrativeFlowCoefficient(double widthMm, double diameterMm);

ProbeTable buildProbeTable(const ProbeModel& model);

std::string probeTablesSql(const std::vector<ProbeTable>& tables, const std::string& header);

}  // namespace gasgen
