// The published parameters of GERG-2008 (Kunz and Wagner 2012, Tables A4 to A8;
// the same values are in ISO 20765-2), in the form Gerg2008.cpp evaluates them.
#pragma once

#include "tools/gasgen/Gerg2008.h"

#include <span>

namespace gerg2008::data {

// One term of a pure-fluid residual equation: n delta^d tau^t, times
// exp(-delta^c) when c > 0.
struct PureTerm {
    double n;
    double t;
    int d;
    int c;
};

struct PureFluid {
    double molarMass;             // g/mol
    double criticalTemperature;   // K, the reducing temperature of the fluid
    double criticalDensity;       // mol/l, the reducing density of the fluid
    std::span<const PureTerm> terms;
};

// One term of a binary departure function:
// n delta^d tau^t exp(-eta (delta - epsilon)² - beta (delta - gamma)).
// The polynomial terms have eta = beta = 0.
struct DepartureTerm {
    double n;
    double t;
    int d;
    double eta;
    double epsilon;
    double beta;
    double gamma;
};

struct DepartureFunction {
    std::span<const DepartureTerm> terms;
};

// A binary pair with a departure function: its weight F_ij and which function.
struct DeparturePair {
    Component first;
    Component second;
    double factor;
    int function;
};

// Parameters of the reducing functions for a pair (first before second in the
// component order). Pairs not listed have all four equal to 1.
struct ReducingPair {
    Component first;
    Component second;
    double betaV;
    double gammaV;
    double betaT;
    double gammaT;
};

const PureFluid& pureFluid(Component c);
std::span<const DepartureFunction> departureFunctions();
std::span<const DeparturePair> departurePairs();
std::span<const ReducingPair> reducingPairs();

}  // namespace gerg2008::data
