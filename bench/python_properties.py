"""Times tulo.properties() over 10**7 states (h, s and rho; the enthalpy alone) in the IAPWS
standard on two threads. Run with the module on PYTHONPATH:
    PYTHONPATH=build/src/python python3 bench/python_properties.py
Prints the seconds of the best of three calls; nothing is asserted."""

import time

import numpy as np

import tulo

N = 10_000_000


def best(call, repeat=3):
    times = []
    for _ in range(repeat):
        start = time.perf_counter()
        call()
        times.append(time.perf_counter() - start)
    return min(times)


def main():
    rng = np.random.default_rng(1)
    T = rng.uniform(280.0, 2000.0, N)  # K
    P = 10.0 ** rng.uniform(1.0, 4.7, N)  # kPa
    for names in (["enthalpy"], ["enthalpy", "entropy", "density"]):
        seconds = best(lambda: tulo.properties(names, T, P, standard="iapws", threads=2))
        print(f"{','.join(names)}: {seconds:.3f} s for {N} states on 2 threads, {seconds / N * 1e9:.1f} ns/state")


if __name__ == "__main__":
    main()
