"""Charts of a Dask DataFrame: :func:`corvane.charts` over each partition.

Example, on the cores of one machine; give ``Client`` a scheduler address instead (such as
``Client("tcp://scheduler:8786")``) to run the same code on a cluster whose workers have the
corvane package installed::

    import dask.dataframe as dd
    from dask.distributed import Client, LocalCluster
    import corvane.dask

    client = Client(LocalCluster(n_workers=2, threads_per_worker=1))
    births = dd.read_csv("births-*.csv", dtype=str, keep_default_na=False)
    result = corvane.dask.charts(births)
    result.to_csv("charts-*.csv", index=False)   # or result.to_parquet(...) with pyarrow
"""

from __future__ import annotations

from typing import Optional

import pandas as _pd

import corvane as _corvane

__all__ = ["charts", "meta"]


def meta() -> _pd.DataFrame:
    """The empty DataFrame whose columns and types :func:`corvane.charts` returns."""
    return _corvane.charts(_pd.DataFrame(columns=list(_corvane.BATCH_COLUMNS[:7])), jobs=1)


def charts(ddf, jobs: Optional[int] = 1, **settings):
    """The charts of every row of a Dask DataFrame, as a Dask DataFrame of the same
    partitions and index: :func:`corvane.charts` (with ``jobs`` threads and the settings
    keywords given, those of :func:`corvane.chart`, and vargas such as ``["D9", "D10"]`` for
    the ``<Entry>_D9`` columns) mapped over each partition.

    ``jobs`` is 1 by default because Dask already runs a partition on each worker thread;
    refused settings raise :class:`corvane.InputError` here, before any partition runs.
    """
    # The empty table is the partitions' meta; made with the settings, it also refuses bad
    # ones here rather than on a worker.
    expected = _corvane.charts(_pd.DataFrame(columns=list(_corvane.BATCH_COLUMNS[:7])), jobs=1, **settings)
    return ddf.map_partitions(_corvane.charts, jobs=jobs, meta=expected, **settings)
