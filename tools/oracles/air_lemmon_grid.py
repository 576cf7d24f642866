#!/usr/bin/python3
"""Writes tests/gasgen/data/air_lemmon_grid.csv: densities of dry air from the
reference equation of state of Lemmon, Jacobsen, Penoncello and Friend (J. Phys.
Chem. Ref. Data 29 (2000) 331), as Debian's python3-iapws implements it
(iapws.humidAir.Air), on a grid over the range of the air table (-60 to 400 C,
10 to 20000 kPa absolute). The test of the air table compares against it, so CI
needs no Python.

Run with Debian's interpreter:  /usr/bin/python3 tools/oracles/air_lemmon_grid.py
"""
import os
import sys

import iapws
from iapws.humidAir import Air

# Temperatures mostly between the table's support points (which are whole degrees).
TEMPERATURES_C = [-60 + 11.5 * k for k in range(41)]
PRESSURES_KPA = [10, 37, 101.325, 250, 600, 1000, 1700, 2500, 3500, 4600, 5800,
                 7100, 8500, 10000, 11700, 13500, 15500, 17700, 20000]


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out = os.path.join(root, "tests", "gasgen", "data", "air_lemmon_grid.csv")
    lines = [
        "# Density of dry air, reference equation of Lemmon et al. (2000), computed by",
        f"# python3-iapws {iapws.__version__} (iapws.humidAir.Air, M = {Air.M} g/mol),",
        "# written by tools/oracles/air_lemmon_grid.py. Each density is checked to give",
        "# back its pressure to 1e-9.",
        "t_C,p_kPa,rho_kg_m3",
    ]
    for t in TEMPERATURES_C:
        for p in PRESSURES_KPA:
            state = Air(T=t + 273.15, P=p / 1000.0)
            back = Air(T=t + 273.15, rho=state.rho)
            if abs(back.P * 1000.0 / p - 1) > 1e-9:
                sys.exit(f"iapws did not converge at {t} C, {p} kPa")
            lines.append(f"{t:g},{p:g},{state.rho:.10g}")
    with open(out, "w") as f:
        f.write("\n".join(lines) + "\n")
    print(f"wrote {len(lines) - 5} states to {out}")


if __name__ == "__main__":
    main()
