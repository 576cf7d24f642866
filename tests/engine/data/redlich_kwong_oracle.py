#!/usr/bin/python3
"""Reference values for the Redlich-Kwong density step.

Solves the Redlich-Kwong cubic in the compressibility factor,
    Z^3 - Z^2 + (A - B - B^2) Z - A B = 0,
directly with numpy.roots (the vapour root: the largest real root), at the norm
state (101325 Pa, 273.14 K) and at the operating state, with the program's
constants: R = 8.31459, Omega_a = 0.4278, Omega_b = 0.0867, and its kelvin
offsets (273.14 in a, b, A_N, B_N and A; 273.15 in B and in the density).
This is independent of the program's relaxed fixed-point iteration.

Critical data of the gases: NIST Chemistry WebBook; norm densities at 0 degC
and 101.325 kPa: DIN 1343 tables as commonly quoted.

Run: /usr/bin/python3 redlich_kwong_oracle.py > redlich_kwong_reference.tsv
"""
import numpy

R = 8.31459


def vapour_root(A, B):
    roots = numpy.roots([1.0, -1.0, A - B - B * B, -A * B])
    real = [r.real for r in roots if abs(r.imag) < 1e-12]
    return max(real)


def state(tc, pc, rho_n, t, p):
    a = 0.4278 * R**2 * (tc + 273.14) ** 2.5 / (pc * 1000)
    b = 0.0867 * R * (tc + 273.14) / (pc * 1000)
    a_n = a * 101325 / (R**2 * 273.14**2.5)
    b_n = b * 101325 / (R * 273.14)
    a_op = a * p * 1000 / (R**2 * (t + 273.14) ** 2.5)
    b_op = b * p * 1000 / (R * (t + 273.15))
    z_n = vapour_root(a_n, b_n)
    z = vapour_root(a_op, b_op)
    ratio = z / z_n
    rho = rho_n * p * 273.15 / (t + 273.15) / 101.325 / ratio
    return z_n, z, ratio, rho


CASES = [
    # name, Tc degC, pc kPa, norm density kg/Nm3, T degC, p kPa absolute
    ("methane", -82.59, 4599.2, 0.7175, 20.0, 5000.0),
    ("methane at norm state", -82.59, 4599.2, 0.7175, 0.0, 101.325),
    ("methane hot, low pressure", -82.59, 4599.2, 0.7175, 300.0, 500.0),
    ("nitrogen", -146.95, 3395.8, 1.2506, 20.0, 20000.0),
    ("carbon dioxide", 30.98, 7377.3, 1.9769, 100.0, 5000.0),
    ("hydrogen", -239.96, 1296.4, 0.0899, -50.0, 10000.0),
    ("ethane", 32.17, 4872.2, 1.3562, 50.0, 3000.0),
    # Dense gases above the critical temperature, with one real root, where
    # the program's relaxed iteration does not settle.
    ("carbon dioxide, dense", 30.98, 7377.0, 1.977, 40.0, 15000.0),
    ("carbon dioxide, dense, settling", 30.98, 7377.0, 1.977, 40.0, 12000.0),
    ("ethylene, dense", 9.2, 5040.0, 1.261, 20.0, 10000.0),
    ("ethylene, dense, settling", 9.2, 5040.0, 1.261, 20.0, 8000.0),
]

print("# Redlich-Kwong reference states: redlich_kwong_oracle.py (numpy %s, cubic roots)" % numpy.__version__)
print("# name\tTc_C\tpc_kPa\trhoN\tT_C\tp_kPa\tZ_norm\tZ\tratio\trho_kg_m3")
for name, tc, pc, rho_n, t, p in CASES:
    z_n, z, ratio, rho = state(tc, pc, rho_n, t, p)
    print("\t".join([name] + [repr(v) for v in (tc, pc, rho_n, t, p, z_n, z, ratio, rho)]))
