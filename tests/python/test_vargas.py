"""The vargas agree between the command line's JSON, its batch lines and the package's chart
and charts, on 50 births; the batch's vargas column asks per row."""
import json
import random

import corvane
import pytest

from conftest import run_cli

VARGAS = ["D1", "D2", "D3", "D4", "D7", "D9", "D10", "D12", "D16", "D20", "D24", "D27", "D30", "D40", "D45", "D60"]
ENTRIES = ["Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu",
           "AL", "BL", "HL", "GL", "SrL", "IL", "PL", "UL", "PpL", "VL", "CL", "SL", "Ascendant"]


def births(count):
    pick = random.Random(29)
    for n in range(count):
        yield {"name": f"varga {chr(ord('a') + n % 26)}", "date": f"{pick.randint(1930, 2040)}-{pick.randint(1, 12):02d}-"
               f"{pick.randint(1, 28):02d}", "time": f"{pick.randint(0, 23):02d}:{pick.randint(0, 59):02d}",
               "zone": 29, "dst": 0, "lon": f"{pick.randint(0, 179)}:{pick.randint(0, 59):02d}{pick.choice('EW')}",
               "lat": f"{pick.randint(0, 59)}:{pick.randint(0, 59):02d}{pick.choice('NS')}",
               "lords": pick.choice(["single", "jaimini"])}


BIRTHS = list(births(50))


def test_vargas_agree_between_json_batch_and_python(cli, tmp_path):
    header = "name,date,time,zone,dst,lon,lat,lords,vargas"
    rows = [",".join(str(b[k]) for k in header.split(",")[:-1]) + "," for b in BIRTHS]
    rows[3] += "0"  # this row leaves the vargas out
    path = tmp_path / "births.csv"
    path.write_text("\n".join([header] + rows) + "\n")
    status, out, err = run_cli(cli, ["--batch", str(path), "--jobs", "2", "--vargas"])
    assert status == 0, err
    lines = [json.loads(line) for line in out.splitlines()]
    assert len(lines) == len(BIRTHS)
    assert "vargas" not in lines[3]

    frame = corvane.charts(BIRTHS, jobs=2, vargas=VARGAS)
    for n, birth in enumerate(BIRTHS):
        options = ["--name", birth["name"], "--date", birth["date"], "--time", birth["time"], "--zone", "29",
                   "--lon", birth["lon"], "--lat", birth["lat"], "--lords", birth["lords"], "--vargas", "--json"]
        status, out, err = run_cli(cli, options)
        assert status == 0, err
        from_json = json.loads(out)["vargas"]
        assert list(from_json) == VARGAS
        packaged = corvane.chart(birth["name"], birth["date"], birth["time"], zone=29, lon=birth["lon"],
                                 lat=birth["lat"], lords=birth["lords"], vargas=True)["vargas"]
        assert packaged == from_json, birth
        if n != 3:
            assert lines[n]["vargas"] == from_json, birth
        for varga in VARGAS:
            assert list(from_json[varga]) == ENTRIES
            for entry in ENTRIES:
                assert frame[f"{entry}_{varga}"].iloc[n] == from_json[varga][entry], (birth, entry, varga)
        # The rasi chart is the first varga.
        lagnas = json.loads(out)["lagnas"]
        assert all(from_json["D1"][key] == lagnas[key]["sign"] for key in lagnas)


def test_charts_refuses_an_unknown_varga():
    with pytest.raises(corvane.InputError) as refused:
        corvane.charts(BIRTHS[:1], vargas=["D5"])
    assert refused.value.field == "vargas"


def test_dask_passes_the_vargas_through():
    dd = pytest.importorskip("dask.dataframe")
    import corvane.dask
    import pandas as pd
    frame = pd.DataFrame(BIRTHS[:6])
    result = corvane.dask.charts(dd.from_pandas(frame, npartitions=2), vargas=["D9", "D10"]).compute()
    direct = corvane.charts(frame, jobs=1, vargas=["D9", "D10"])
    assert list(result.columns) == list(direct.columns)
    assert (result["UL_D9"] == direct["UL_D9"]).all() and (result["HL_D10"] == direct["HL_D10"]).all()
