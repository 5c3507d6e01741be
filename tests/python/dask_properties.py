"""tulo.properties() in blocks on a dask.distributed cluster of two worker processes, as the Python
help page shows it: the same values as one direct call. Run by its own ctest entry (label dask)."""

import tempfile

import numpy as np
import pytest

import tulo

da = pytest.importorskip("dask.array", reason="dask is not installed (Debian package python3-dask)")
distributed = pytest.importorskip("distributed", reason="dask.distributed is not installed (python3-distributed)")


def test_blocks_on_a_local_cluster_are_one_direct_call():
    # Defined here so that it is sent to the workers by value: they cannot import this file.
    def block_properties(T, P):
        """One block: h, s and rho stacked on a new first axis, as map_blocks wants one array."""
        got = tulo.properties(["enthalpy", "entropy", "density"], T, P, standard="iapws", threads=1)
        return np.stack([got["enthalpy"], got["entropy"], got["density"]])

    n = 10_000_000
    rng = np.random.default_rng(11)
    T = rng.uniform(250.0, 2300.0, n)
    P = 10.0 ** rng.uniform(-1.0, 5.0, n)
    T[::1001] = np.nan
    with tempfile.TemporaryDirectory() as scratch, distributed.LocalCluster(
        n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None, local_directory=scratch
    ) as cluster, distributed.Client(cluster):
        t = da.from_array(T, chunks=1_000_000)
        p = da.from_array(P, chunks=1_000_000)
        hsr = da.map_blocks(block_properties, t, p, new_axis=0, chunks=((3,), t.chunks[0]), dtype=float).compute()
    direct = tulo.properties(["enthalpy", "entropy", "density"], T, P, standard="iapws")
    for k, name in enumerate(direct):
        assert np.array_equal(hsr[k], direct[name], equal_nan=True), name
    assert np.isfinite(hsr[0]).sum() > n // 2
