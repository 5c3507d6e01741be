#!/usr/bin/python3
"""Cross-check of src/iapws (every release but IF97) against python3-iapws.

A development tool, not part of the build or the tests: python3-iapws (Debian package
python3-iapws) is an independent implementation of the same releases. The script compiles a small
driver against build/libtulo_iapws.a, evaluates both at random states inside each release's range
and prints the largest relative difference per function. It also prints the inputs that the unit
tests take from an equation of state (IAPWS-95 densities for the dielectric and refractive-index
check tables, IF97 quantities for the conductivity check values of the industrial form, IAPWS-95
quantities for the critical-region check values of both transport releases), so that those
numbers in the tests can be regenerated.

Usage: scripts/iapws_releases_crosscheck.py [BUILD_DIR]   (default: build)
"""

import math
import os
import random
import subprocess
import sys
import tempfile
import warnings

sys.path.insert(0, "/usr/lib/python3/dist-packages")
warnings.simplefilter("ignore")

from iapws import _iapws  # noqa: E402
from iapws import iapws97  # noqa: E402
from iapws.iapws95 import IAPWS95  # noqa: E402

DRIVER = r"""
#include <cstdio>
#include <cstring>
#include "iapws/Dielectric.h"
#include "iapws/IceIh.h"
#include "iapws/MeltingSublimation.h"
#include "iapws/RefractiveIndex.h"
#include "iapws/SurfaceTension.h"
#include "iapws/ThermalConductivity.h"
#include "iapws/Viscosity.h"
using namespace tulo::iapws;
int main() {
  char name[32];
  double a[6];
  while (std::scanf("%31s %lf %lf %lf %lf %lf %lf", name, &a[0], &a[1], &a[2], &a[3], &a[4], &a[5]) == 7) {
    if (!std::strcmp(name, "ice")) {
      IceProps i = Ice(a[0], a[1]);
      std::printf("%.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g\n", i.rho, i.h, i.u,
                  i.s, i.g, i.f, i.cp, i.alpha, i.beta, i.kappaT, i.kappaS);
      continue;
    }
    double r = 0;
    if (!std::strcmp(name, "melt")) r = MeltingPressureIh(a[0]);
    if (!std::strcmp(name, "melt_inv")) r = MeltingTemperatureIh(a[0]);
    if (!std::strcmp(name, "sub")) r = SublimationPressure(a[0]);
    if (!std::strcmp(name, "sub_slope")) r = SublimationPressureSlope(a[0]);
    if (!std::strcmp(name, "sub_inv")) r = SublimationTemperature(a[0]);
    if (!std::strcmp(name, "visc")) r = Viscosity(a[0], a[1]);
    if (!std::strcmp(name, "cond_bg")) r = ThermalConductivityBackground(a[0], a[1]);
    if (!std::strcmp(name, "cond"))
      r = ThermalConductivity({.rho = a[0], .T = a[1], .cp = a[2], .cv = a[3], .drhodp = a[4], .mu = a[5]});
    if (!std::strcmp(name, "sigma")) r = SurfaceTension(a[0]);
    if (!std::strcmp(name, "eps")) r = DielectricConstant(a[0], a[1]);
    if (!std::strcmp(name, "n")) r = RefractiveIndex(a[0], a[1], a[2]);
    std::printf("%.17g\n", r);
  }
}
"""

ICE_KEYS = ["rho", "h", "u", "s", "g", "a", "cp", "alfav", "beta", "xkappa", "ks"]


def build_driver(build_dir, work):
    src = os.path.join(work, "driver.cpp")
    exe = os.path.join(work, "driver")
    with open(src, "w") as f:
        f.write(DRIVER)
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    subprocess.run(["g++", "-std=c++20", "-O2", "-I", os.path.join(root, "src"), src,
                    os.path.join(build_dir, "libtulo_iapws.a"), "-o", exe], check=True)
    return exe


def run(exe, requests):
    text = "".join("%s %s\n" % (name, " ".join("%.17g" % x for x in (list(args) + [0] * 6)[:6]))
                   for name, args in requests)
    out = subprocess.run([exe], input=text, capture_output=True, text=True, check=True).stdout
    return [[float(v) for v in line.split()] for line in out.splitlines()]


def rel(a, b):
    return abs(a - b) / max(abs(b), 1e-300)


def if97_state(T, P=None, rho=None, region=None):
    """IF97 quantities for the conductivity's critical enhancement, from python3-iapws's region
    functions: region 3 when rho is given, else the region given or chosen by (T, P)."""
    if region is None and rho is None:
        region = iapws97._Bound_TP(T, P)
    if rho is not None:
        st = iapws97._Region3(rho, T)
    elif region == 1:
        st = iapws97._Region1(T, P)
    elif region == 2:
        st = iapws97._Region2(T, P)
    else:
        st = iapws97._Region3(1 / iapws97._Backward3_v_PT(P, T), T)
    rho = 1 / st["v"]
    return {"rho": rho, "T": T, "cp": st["cp"], "cv": st["cv"], "drhodp": st["kt"] * rho,
            "mu": _iapws._Viscosity(rho, T)}


class Phase:
    def __init__(self, s):
        self.drhodP_T = s["drhodp"]
        self.cp_cv = s["cp"] / s["cv"]
        self.cp = s["cp"]
        self.mu = s["mu"]


def iapws95_critical_inputs(T, rho):
    """IAPWS-95 cp, cv and (d rho/d p)_T at (T, rho) and (d rho/d p)_T at (T_R = 1.5 Tc, rho)."""
    fluid = IAPWS95(T=T, rho=rho)
    ref = IAPWS95(T=1.5 * 647.096, rho=rho)
    return fluid.cp, fluid.cv, fluid.drhodP_T, ref.drhodP_T


def main():
    build_dir = sys.argv[1] if len(sys.argv) > 1 else "build"
    rng = random.Random(20240611)
    with tempfile.TemporaryDirectory() as work:
        exe = build_driver(build_dir, work)
        worst = {}

        def compare(label, requests, expected):
            got = run(exe, requests)
            for g, e in zip(got, expected):
                for key, (gv, ev) in enumerate(zip(g, e)):
                    name = label if len(e) == 1 else "%s.%s" % (label, ICE_KEYS[key])
                    worst[name] = max(worst.get(name, 0.0), rel(gv, ev))

        n = 2000
        ice = [(rng.uniform(1.0, 273.16), rng.uniform(0.0, 208.0)) for _ in range(n)]
        exp_ice = []
        for T, p in ice:
            d = _iapws._Ice(T, p)
            exp_ice.append([d[k] for k in ICE_KEYS])
        compare("ice", [("ice", s) for s in ice], exp_ice)

        Ts = [rng.uniform(251.165, 273.16) for _ in range(n)]
        compare("melt", [("melt", (T,)) for T in Ts], [[_iapws._Melting_Pressure(T)] for T in Ts])
        compare("melt_inv", [("melt_inv", (_iapws._Melting_Pressure(T),)) for T in Ts], [[T] for T in Ts])
        Ts = [rng.uniform(50, 273.16) for _ in range(n)]
        compare("sub", [("sub", (T,)) for T in Ts], [[_iapws._Sublimation_Pressure(T)] for T in Ts])
        slope = []
        for T in Ts:
            hT = 1e-6 * T
            lo, hi = max(50.0, T - hT), min(273.16, T + hT)
            slope.append([(_iapws._Sublimation_Pressure(hi) - _iapws._Sublimation_Pressure(lo)) / (hi - lo)])
        compare("sub_slope(central difference)", [("sub_slope", (T,)) for T in Ts], slope)
        compare("sub_inv", [("sub_inv", (_iapws._Sublimation_Pressure(T),)) for T in Ts], [[T] for T in Ts])

        st = [(rng.uniform(0, 1250), rng.uniform(253.15, 1173.15)) for _ in range(n)]
        compare("visc", [("visc", s) for s in st], [[_iapws._Viscosity(*s)] for s in st])
        compare("cond_bg", [("cond_bg", s) for s in st], [[_iapws._ThCond(*s)] for s in st])

        # Full industrial conductivity on IF97 states over regions 1, 2 and 3.
        reqs, exp = [], []
        for _ in range(n):
            T = rng.uniform(273.15, 1073.15)
            P = rng.uniform(0.001, 100)
            region = iapws97._Bound_TP(T, P)
            if region not in (1, 2, 3):
                continue
            s = if97_state(T, P, region=region)
            reqs.append(("cond", (s["rho"], s["T"], s["cp"], s["cv"], s["drhodp"], s["mu"])))
            exp.append([_iapws._ThCond(s["rho"], s["T"], Phase(s))])
        compare("cond(industrial, IF97 states)", reqs, exp)

        Ts = [rng.uniform(248.15, 647.096) for _ in range(n)]
        compare("sigma", [("sigma", (T,)) for T in Ts], [[_iapws._Tension(T)] for T in Ts])
        st = [(rng.uniform(0, 1100), rng.uniform(238, 873.15)) for _ in range(n)]
        compare("eps", [("eps", s) for s in st], [[_iapws._Dielectric(*s)] for s in st])
        st = [(rng.uniform(0, 1060), rng.uniform(261.15, 773.15), rng.uniform(0.2, 1.1)) for _ in range(n)]
        compare("n", [("n", s) for s in st], [[_iapws._Refractive(*s)] for s in st])

        print("Largest relative difference from python3-iapws over %d random states each:" % n)
        for name in sorted(worst):
            print("  %-36s %.2e" % (name, worst[name]))

    print("\nIF97 inputs of the conductivity check states (python3-iapws region functions):")
    for T, P, rho in [(620, 20, None), (620, 50, None), (650, 0.3, None), (800, 50, None),
                      (647.35, None, 222), (647.35, None, 322)]:
        s = if97_state(T, P, rho)
        print("  {%.17g, %.17g, %.17g, %.17g, %.17g, %.17g}," % (
            s["rho"], s["T"], s["cp"], s["cv"], s["drhodp"], s["mu"]))

    print("\nIAPWS-95 inputs of the critical-region check states at 647.35 K"
          " (rho, cp, cv, drhodp, drhodpRef):")
    for rho in [1, 122, 222, 272, 322, 372, 422, 750]:
        print("  {%g, %.17g, %.17g, %.17g, %.17g}," % ((rho,) + iapws95_critical_inputs(647.35, rho)))

    print("\nIAPWS-95 densities of the dielectric-constant check states (T K, p MPa, rho kg/m3):")
    for T, P in [(240, 0.101325), (300, 0.101325), (300, 10), (300, 1000), (650, 10), (650, 100),
                 (650, 500), (870, 10), (870, 100), (870, 500)]:
        print("  %g %g %.10g" % (T, P, IAPWS95(T=T, P=P).rho))
    print("\nIAPWS-95 densities of the refractive-index check states (T K, p MPa, rho kg/m3):")
    for T, P in [(273.15, 0.1), (273.15, 10), (373.15, 1), (373.15, 100), (473.15, 0.1), (773.15, 1),
                 (473.15, 100)]:
        print("  %g %g %.10g" % (T, P, IAPWS95(T=T, P=P).rho))


if __name__ == "__main__":
    main()
