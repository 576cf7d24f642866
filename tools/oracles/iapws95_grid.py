#!/usr/bin/python3
"""Writes the IAPWS-95 reference grid that tests/platform/steam checks the steam tables against.

Run with Debian's interpreter and its python3-iapws package:

    /usr/bin/python3 tools/oracles/iapws95_grid.py tests/platform/steam/data

It writes two files into the given folder:

  iapws95_single_phase.csv  T K, p MPa, phase (L liquid, V vapour, S above the
                            critical temperature), density kg/m3, cp and cv kJ/(kg K)
  iapws95_saturation.csv    T K, saturation pressure MPa, saturated liquid and
                            vapour densities kg/m3

Every Helmholtz-energy evaluation is python3-iapws's own (IAPWS95._Helmholtz,
IAPWS95._phir, and its derivative rule deriv_H for cp). Its solvers (scipy's fsolve)
stop near 1e-8; this script takes their answers as start values and finishes them
with Newton steps on iapws's own functions, so that the committed numbers are the
IAPWS-95 values to double precision rather than to the solver tolerance. A start
value on the wrong branch (a metastable root) is replaced by the saturated density
of the right phase before the Newton steps.
"""

import math
import os
import subprocess
import sys

import iapws
from iapws import IAPWS95
from iapws._utils import _fase, deriv_H

TC = 647.096   # K
RHOC = 322.0   # kg/m3
W = IAPWS95()  # an empty state: gives access to the Helmholtz functions
R = W._constants["R"] / W.M  # kJ/(kg K)
RHO_MAX = 1400.0  # kg/m3, above the density at 1000 MPa everywhere in range


def package_version():
    try:
        out = subprocess.run(["dpkg-query", "-W", "-f=${Version}", "python3-iapws"],
                             capture_output=True, text=True, check=True).stdout
        return "python3-iapws " + out.strip()
    except (OSError, subprocess.CalledProcessError):
        return "python3-iapws (Debian package version unknown)"


def pressure_kpa(T, rho):
    return W._Helmholtz(rho, T)["P"]


def dp_drho(T, rho):
    """kPa per kg/m3 at constant T."""
    delta = rho / RHOC
    r = W._phir(TC / T, delta)
    return R * T * (1.0 + 2.0 * delta * r["fird"] + delta * delta * r["firdd"])


def solve_density(T, p_kpa, start, lo, hi):
    """Root of p(T, rho) = p on [lo, hi], where p rises monotonically."""
    rho = start if lo < start < hi else 0.5 * (lo + hi)
    for _ in range(200):
        f = pressure_kpa(T, rho) - p_kpa
        if f == 0.0:
            return rho
        if f < 0.0:
            lo = rho
        else:
            hi = rho
        slope = dp_drho(T, rho)
        nxt = rho - f / slope if slope > 0.0 else -1.0
        if not lo < nxt < hi:
            nxt = 0.5 * (lo + hi)
        if abs(nxt - rho) <= 1e-15 * rho:
            return nxt
        rho = nxt
    raise RuntimeError("no density at T=%r p=%r" % (T, p_kpa))


def saturation(T):
    """(p MPa, rho_liquid, rho_vapour) from the equal-pressure, equal-Gibbs-energy
    conditions, started from iapws's own saturation solution."""
    rl, rv, _ = W._saturation(T)
    tau = TC / T
    dl, dv = rl / RHOC, rv / RHOC
    settled = 0
    for _ in range(100):
        a = W._phir(tau, dl)
        b = W._phir(tau, dv)
        jl = dl * (1.0 + dl * a["fird"])
        jv = dv * (1.0 + dv * b["fird"])
        kl = dl * a["fird"] + a["fir"] + math.log(dl)
        kv = dv * b["fird"] + b["fir"] + math.log(dv)
        jl_d = 1.0 + 2.0 * dl * a["fird"] + dl * dl * a["firdd"]
        jv_d = 1.0 + 2.0 * dv * b["fird"] + dv * dv * b["firdd"]
        kl_d = jl_d / dl
        kv_d = jv_d / dv
        # Newton on (J(dv) - J(dl), K(dv) - K(dl)) = 0 in the unknowns (dl, dv).
        f1, f2 = jv - jl, kv - kl
        det = jv_d * kl_d - jl_d * kv_d
        step_l = (f2 * jv_d - f1 * kv_d) / det
        step_v = (f2 * jl_d - f1 * kl_d) / det
        dl += step_l
        dv += step_v
        # Quadratic convergence: once a step is this small, the one after it
        # reaches the rounding floor of the functions.
        if abs(step_l) <= 1e-11 * dl and abs(step_v) <= 1e-11 * dv:
            settled += 1
            if settled == 2:
                break
    else:
        raise RuntimeError("saturation did not settle at T=%r" % T)
    rl, rv = dl * RHOC, dv * RHOC
    p_vap = pressure_kpa(T, rv)
    p_liq = pressure_kpa(T, rl)
    # The liquid side carries the rounding of a pressure that is a small difference
    # of large terms (a few 1e-9 relative near the triple point), hence this bound
    # and the vapour-side pressure as the result.
    if abs(p_liq - p_vap) > 1e-7 * p_vap:
        raise RuntimeError("phases disagree at T=%r: %r %r" % (T, p_liq, p_vap))
    return p_vap / 1000.0, rl, rv


def heat_capacities(T, rho):
    """(cp, cv) in kJ/(kg K) from iapws's Helmholtz properties and its cp rule."""
    props = W._Helmholtz(rho, T)
    phase = _fase()
    phase.rho = rho
    phase.v = 1.0 / rho
    phase.cv = props["cv"]
    phase.alfap = props["alfap"]
    phase.betap = props["betap"]
    phase.s = props["s"]

    class State:
        pass

    state = State()
    state.T = T
    state.P = props["P"] / 1000.0
    return deriv_H(state, "h", "T", "P", phase), props["cv"]


def single_phase_state(T, p_mpa):
    p_kpa = p_mpa * 1000.0
    try:
        start = IAPWS95(T=T, P=p_mpa).rho
    except Exception:  # iapws refuses some states below the triple point
        start = None
    if T < TC:
        ps, rl, rv = saturation(T)
        if p_mpa > ps:
            phase, lo, hi = "L", rl, RHO_MAX
        else:
            phase, lo, hi = "V", 1e-9, rv
    else:
        phase, lo, hi = "S", 1e-9, RHO_MAX
    iapws_rho = start
    if start is None or not lo < start < hi:
        start = 0.5 * (lo + hi) if phase == "S" else (lo if phase == "L" else hi)
    rho = solve_density(T, p_kpa, start, lo, hi)
    if iapws_rho is None or abs(iapws_rho / rho - 1.0) > 1e-7:
        REPLACED.append((T, p_mpa, iapws_rho, rho))
    cp, cv = heat_capacities(T, rho)
    return phase, rho, cp, cv


REPLACED = []  # states where iapws's own T, p solution was off or on another branch

GRID_T = [273.14, 273.16, 283.15, 300.0, 325.0, 350.0, 373.15, 400.0, 450.0, 500.0,
          550.0, 600.0, 625.0, 640.0, 645.0, 647.0,
          647.2, 650.0, 660.0, 675.0, 700.0, 750.0, 800.0, 900.0, 1000.0, 1100.0,
          1200.0, 1273.15]
GRID_P = [0.001, 0.01, 0.1, 0.5, 1.0, 2.0, 5.0, 10.0, 15.0, 20.0, 22.064, 25.0, 30.0,
          40.0, 50.0, 75.0, 100.0]
# Pairs just above and just below the saturation pressure (relative offset).
NEAR_SAT_T = [273.14, 273.16, 300.0, 373.15, 450.0, 550.0, 600.0, 640.0, 646.0]
NEAR_SAT_OFFSETS = [1e-3, 1e-5]
# Supercritical states close to the critical point, given by (T K, rho kg/m3): here
# the non-analytic terms of the formulation weigh most. Closer still (647.1 K on the
# critical isochore) p hardly changes with rho, and the last-digit differences of
# two implementations' pressures move the density by more than 1e-9.
NEAR_CRITICAL = [(647.1, 300.0), (647.1, 280.0), (647.1, 360.0), (647.2, 322.0), (647.5, 322.0),
                 (648.0, 300.0), (650.0, 322.0), (650.0, 250.0), (650.0, 400.0)]
SAT_T = [273.14, 273.145, 273.15, 273.155, 273.16, 275.0, 280.0, 290.0, 300.0, 325.0,
         350.0, 373.15, 400.0, 425.0, 450.0, 475.0, 500.0, 525.0, 550.0, 575.0, 600.0,
         610.0, 620.0, 625.0, 630.0, 635.0, 640.0, 642.0, 644.0, 645.0, 646.0, 646.5,
         647.0, 647.05]


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(out_dir, exist_ok=True)
    source = "%s (iapws module %s), class IAPWS95" % (package_version(), iapws.__version__)
    how = "made by tools/oracles/iapws95_grid.py with /usr/bin/python3"

    states = []
    for T in GRID_T:
        ps = saturation(T)[0] if T < TC else None
        for p in GRID_P:
            if ps is not None and abs(p / ps - 1.0) < 5e-3:
                continue  # near-saturation states come from the list below
            states.append((T, p))
    for T, rho in NEAR_CRITICAL:
        states.append((T, pressure_kpa(T, rho) / 1000.0))
    for T in NEAR_SAT_T:
        ps = saturation(T)[0]
        for off in NEAR_SAT_OFFSETS:
            states.append((T, ps * (1.0 + off)))
            states.append((T, ps * (1.0 - off)))

    rows = [(T, p) + single_phase_state(T, p) for T, p in states]
    with open(os.path.join(out_dir, "iapws95_single_phase.csv"), "w") as f:
        f.write("# IAPWS-95 single-phase states from %s; %s.\n" % (source, how))
        f.write("# Densities: iapws's solution of p(T, rho) = p finished by Newton steps on "
                "its own p(T, rho) (%d states next to saturation, where that solution lay on "
                "the metastable branch, started from the stable saturated density instead); "
                "cp by its deriv_H, cv from its Helmholtz derivatives.\n" % len(REPLACED))
        f.write("T_K,p_MPa,phase,rho_kg_m3,cp_kJ_kgK,cv_kJ_kgK\n")
        for row in rows:
            f.write("%r,%r,%s,%r,%r,%r\n" % row)

    with open(os.path.join(out_dir, "iapws95_saturation.csv"), "w") as f:
        f.write("# IAPWS-95 saturation states from %s; %s.\n" % (source, how))
        f.write("# iapws's saturation solution finished by Newton steps on the equal-pressure "
                "and equal-Gibbs-energy conditions; pressure from the vapour side.\n")
        f.write("T_K,p_MPa,rho_liquid_kg_m3,rho_vapour_kg_m3\n")
        for T in SAT_T:
            ps, rl, rv = saturation(T)
            f.write("%r,%r,%r,%r\n" % (T, ps, rl, rv))
    print("wrote %d single-phase and %d saturation states" % (len(states), len(SAT_T)))
    for T, p, before, after in REPLACED:
        print("iapws's own solution replaced at T=%r p=%r: %r -> %r" % (T, p, before, after))


if __name__ == "__main__":
    main()
