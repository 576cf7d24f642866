#!/usr/bin/python3
"""Writes redlich_kwong_phase.tsv: the phase of a state by the Redlich-Kwong
equation, for the density step's stop where a medium is liquid by it.

Run with Debian's interpreter and its python3-numpy package:

    /usr/bin/python3 tools/oracles/redlich_kwong_phase.py tests/engine/data

The cubic in the compressibility factor, Z^3 - Z^2 + (A - B - B^2) Z - A B = 0,
is solved with numpy.roots, with the program's constants and kelvin offsets
(R = 8.31459, Omega_a 0.4278, Omega_b 0.0867; 273.14 K in a, b and A, 273.15 K
in B). Of its real roots above B, the smallest is the liquid root and the
largest the vapour root; their fugacity coefficients are
    ln phi = Z - 1 - ln(Z - B) - (A/B) ln(1 + B/Z).

Below the critical temperature the equation's own saturation pressure, where
both roots have the same fugacity, is found by bisection on numpy's roots;
a state is liquid by the equation where its pressure lies above it, with one
real root or three (where there are three, the liquid root then has the
lower fugacity, which the script asserts). Above the critical temperature no
state is liquid.

Each row also holds A and B, formed as the program forms them.
"""

import math
import os
import sys

import numpy

R = 8.31459


def coefficients(tc, pc, t, p):
    a = 0.4278 * R**2 * (tc + 273.14) ** 2.5 / (pc * 1000)
    b = 0.0867 * R * (tc + 273.14) / (pc * 1000)
    A = a * p * 1000 / (R**2 * (t + 273.14) ** 2.5)
    B = b * p * 1000 / (R * (t + 273.15))
    return A, B


def roots(A, B):
    found = numpy.roots([1.0, -1.0, A - B - B * B, -A * B])
    return sorted(r.real for r in found if abs(r.imag) < 1e-10 and r.real > B)


def ln_phi(Z, A, B):
    return Z - 1 - math.log(Z - B) - A / B * math.log(1 + B / Z)


def phase(tc, pc, t, p):
    """Liquid and vapour root, their ln phi, whether the liquid root is the
    stable one (1, 0; -1 with one root), and the number of roots."""
    A, B = coefficients(tc, pc, t, p)
    z = roots(A, B)
    if len(z) == 1:
        lnz = ln_phi(z[0], A, B)
        return z[0], z[0], lnz, lnz, -1, 1
    lnl, lnv = ln_phi(z[0], A, B), ln_phi(z[-1], A, B)
    return z[0], z[-1], lnl, lnv, int(lnl < lnv), len(z)


def saturation_pressure(tc, pc, t):
    """p (kPa) where liquid and vapour root have the same fugacity; None above Tc."""
    if t >= tc:
        return None
    # Close below the critical temperature the pressures of three roots form a
    # narrow band below pc: there the grid is finer.
    coarse = [pc * 10 ** (k / 4000.0) for k in range(-16000, -40)]
    grid = coarse + [pc * (0.977 + 0.023 * k / 40000.0) for k in range(0, 40001)]
    previous = None
    for p in grid:
        A, B = coefficients(tc, pc, t, p)
        z = roots(A, B)
        if len(z) < 2:
            previous = None
            continue
        diff = ln_phi(z[0], A, B) - ln_phi(z[-1], A, B)
        if previous is not None and previous[1] > 0 >= diff:
            lo, hi = previous[0], p
            for _ in range(200):
                mid = 0.5 * (lo + hi)
                A, B = coefficients(tc, pc, t, mid)
                z = roots(A, B)
                d = ln_phi(z[0], A, B) - ln_phi(z[-1], A, B)
                if d > 0:
                    lo = mid
                else:
                    hi = mid
            return 0.5 * (lo + hi)
        previous = (p, diff)
    return None


CO2 = ("carbon dioxide", 30.98, 7377.0)
METHANE = ("methane", -82.59, 4599.2)
ETHYLENE = ("ethylene", 9.2, 5040.0)


def cases():
    out = [
        (CO2, 20.0, 6000.0, "the reproducer of the vapour root shown for a liquid state: three roots, the liquid stable"),
        (CO2, 0.0, 1000.0, "three roots, the vapour stable"),
        (CO2, 20.0, 10000.0, "one root, on the liquid branch"),
        (CO2, 20.0, 3000.0, "one root, on the vapour branch"),
        (CO2, 40.0, 8000.0, "above the critical temperature"),
        (METHANE, 20.0, 5000.0, "above the critical temperature"),
        (CO2, 0.0, 5000.0, "liquid, where the relaxed iteration does not settle"),
        (CO2, 20.0, 7000.0, "liquid, where the relaxed iteration does not settle"),
        (CO2, 25.0, 8000.0, "liquid, where the relaxed iteration does not settle"),
        (CO2, 20.0, 15000.0, "one root, Z 0.340, above 1/3 and liquid"),
        (CO2, 40.0, 15000.0, "above the critical temperature, a dense gas"),
        (ETHYLENE, 20.0, 10000.0, "above the critical temperature, a dense gas"),
        (CO2, 30.5, 7310.0, "0.48 K below the critical temperature, just above psat"),
        (CO2, 30.95, 7360.0, "0.03 K below the critical temperature, just below psat"),
    ]
    for medium, temperatures in ((CO2, (-40.0, -20.0, 0.0, 10.0, 20.0, 28.0)), (METHANE, (-150.0, -120.0, -95.0))):
        for t in temperatures:
            ps = saturation_pressure(medium[1], medium[2], t)
            for factor in (0.5, 0.99, 1.01, 2.0):
                out.append((medium, t, ps * factor, "%.2f times the saturation pressure" % factor))
    return out


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    with open(os.path.join(folder, "redlich_kwong_phase.tsv"), "w") as f:
        f.write("# Generated by tools/oracles/redlich_kwong_phase.py with numpy %s (Debian 12).\n" % numpy.__version__)
        f.write("# Redlich-Kwong roots and fugacities; liquid 1 where the state is liquid by the equation\n")
        f.write("# (below Tc and above psat). psat_kPa 0 above the critical temperature; with one root\n")
        f.write("# both Z and both ln phi are its own.\n")
        f.write("# Tc_C\tpc_kPa\tT_C\tp_kPa\tpsat_kPa\troots\tZ_liquid\tZ_vapour\tlnphi_liquid\tlnphi_vapour"
                "\tliquid\tA\tB\t(what the row shows)\n")
        for (name, tc, pc), t, p, shows in cases():
            zl, zv, lnl, lnv, stable, n = phase(tc, pc, t, p)
            ps = saturation_pressure(tc, pc, t)
            liquid = int(ps is not None and p > ps)
            # With three roots the fugacities tell the same.
            assert n == 1 or ps is None and not stable or ps is not None and stable == liquid, (tc, t, p)
            A, B = coefficients(tc, pc, t, p)
            f.write("\t".join(repr(float(v)) for v in (tc, pc, t, p, ps if ps is not None else 0.0, n,
                                                        zl, zv, lnl, lnv, liquid, A, B))
                    + "\t# %s, %s\n" % (name, shows))


if __name__ == "__main__":
    main()
