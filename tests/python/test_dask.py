"""corvane.dask.charts on a local Dask cluster of two worker processes: the same table as
corvane.charts over the whole input."""
import dask.dataframe as dd
import pandas as pd
import pytest
from dask.distributed import Client, LocalCluster

import corvane
import corvane.dask
from test_charts import batch_rows, write_csv


def assert_same_table(got, expected):
    """The same columns, types, index and values, compared whole (pandas' assert_frame_equal
    goes cell by cell and takes half a minute on 100,000 rows); it runs only to name a
    difference. Values must be equal exactly, floats too."""
    assert list(got.columns) == list(expected.columns)
    assert list(got.dtypes) == list(expected.dtypes)
    assert got.index.equals(expected.index)
    if not got.equals(expected):
        pd.testing.assert_frame_equal(got, expected, check_exact=True)
        pytest.fail("the tables differ")


@pytest.fixture(scope="module")
def client(tmp_path_factory):
    # The workers' scratch space goes into the run's own folder, which the run removes.
    with LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None,
                      local_directory=str(tmp_path_factory.mktemp("dask"))) as cluster, \
            Client(cluster) as client:
        yield client


def test_hundred_thousand_rows_on_two_workers_equal_charts(client, tmp_path):
    for part in range(4):
        write_csv(tmp_path / f"births-{part}.csv", batch_rows(25000, seed=part))
    births = dd.read_csv(str(tmp_path / "births-*.csv"), dtype=str, keep_default_na=False)
    result = corvane.dask.charts(births)
    assert list(result.dtypes) == list(corvane.dask.meta().dtypes)
    got = result.compute().reset_index(drop=True)
    whole = pd.concat([pd.read_csv(tmp_path / f"births-{part}.csv", dtype=str, keep_default_na=False)
                       for part in range(4)], ignore_index=True)
    expected = corvane.charts(whole)
    assert len(got) == 100000
    assert_same_table(got, expected)
    # Both workers took part.
    assert len(client.scheduler_info()["workers"]) == 2


def test_settings_reach_the_partitions_and_refused_ones_raise_at_once(client, tmp_path):
    write_csv(tmp_path / "few.csv", batch_rows(200))
    births = dd.read_csv(str(tmp_path / "few.csv"), dtype=str, keep_default_na=False, blocksize=8000)
    assert births.npartitions > 1
    got = corvane.dask.charts(births, indu="moon").compute()
    expected = corvane.charts(pd.read_csv(tmp_path / "few.csv", dtype=str, keep_default_na=False), indu="moon")
    assert_same_table(got.reset_index(drop=True), expected)
    with pytest.raises(corvane.InputError):
        corvane.dask.charts(births, node="true")
