"""The package reads values as the batch does, refuses what does not go together naming the
keyword or column, keeps the input of refused rows, and shows progress when asked."""
import datetime
import math
import sys

import numpy as np
import pandas as pd
import pytest

import corvane

DELHI = dict(zone=34, lon="77:13E", lat="28:36N")


def delhi(**changes):
    options = {**DELHI, **changes}
    return corvane.chart(options.pop("name", "ram"), options.pop("date", "1975-06-05"),
                         options.pop("time", "07:05"), **options)


@pytest.mark.parametrize("value, flag", [(True, True), (False, False), (0, False), (1, True),
                                         ("0", False), ("1", True), (np.int64(1), True),
                                         (np.bool_(False), False), (None, False)])
def test_dst_takes_the_batch_values(value, flag):
    assert delhi(dst=value)["birth"]["dst"] is flag


@pytest.mark.parametrize("value", ["False", "no", "true", 2, math.nan, 0.5, ""])
def test_any_other_dst_is_refused_naming_dst(value):
    with pytest.raises(corvane.InputError) as refused:
        delhi(dst=value)
    assert refused.value.field == "dst"
    assert "dst must be 0 or 1" in refused.value.message


@pytest.mark.parametrize("keyword, value", [("name", None), ("name", math.nan), ("city", math.nan),
                                            ("city", pd.NA), ("time", None), ("tz", math.nan)])
def test_none_and_nan_are_never_the_text_none_or_nan(keyword, value):
    options = {"tz": "Asia/Kolkata", "zone": None} if keyword == "tz" else {}
    options[keyword] = value
    with pytest.raises(corvane.InputError) as refused:
        delhi(**options)
    assert refused.value.field == keyword


@pytest.mark.parametrize("keyword", ["name", "city", "place"])
def test_a_nul_is_refused_never_cut(keyword):
    with pytest.raises(corvane.InputError) as refused:
        delhi(**{keyword: "ram\0kumar"})
    assert refused.value.field == keyword
    assert "NUL" in refused.value.message


def test_timestamps_are_dates():
    expected = delhi()
    assert delhi(date=pd.Timestamp("1975-06-05")) == expected
    assert delhi(date=np.datetime64("1975-06-05")) == expected
    assert delhi(date=datetime.datetime(1975, 6, 5)) == expected


def births(rows=3):
    return pd.DataFrame({
        "name": ["ram", "ann", "bad"][:rows],
        "date": ["1975-06-05", "1980-01-01", "1975-13-05"][:rows],
        "time": ["07:05", "12:00", "08:00"][:rows],
        "tz": ["Asia/Kolkata", "Europe/Vienna", "Asia/Kolkata"][:rows],
        "lon": ["77:13E", "16:22E", "77:13E"][:rows],
        "lat": ["28:36N", "48:12N", "28:36N"][:rows],
    })


def test_a_datetime64_date_column_is_read_as_dates():
    frame = births(2)
    typed = frame.assign(date=pd.to_datetime(frame["date"]))
    assert typed["date"].dtype.kind == "M"
    pd.testing.assert_frame_equal(corvane.charts(typed), corvane.charts(frame))


@pytest.mark.parametrize("column", ["timezone", "sweep_minutes", "Name"])
def test_a_column_the_batch_does_not_read_is_refused_naming_it(column):
    frame = births().assign(**{column: "1"})
    with pytest.raises(corvane.InputError) as refused:
        corvane.charts(frame)
    assert refused.value.field == column
    if column != "sweep_minutes":
        assert "tz" in refused.value.message and "nakshatra" in refused.value.message


def test_a_refused_row_keeps_its_input():
    frame = births().assign(zone=[None, None, 34], city=["Delhi", "Vienna", "Somewhere"])
    frame.loc[2, "tz"] = None
    table = corvane.charts(frame)
    bad = table.loc[2]
    assert bad["error"].startswith("date: ")
    for column in ("name", "date", "time", "lon", "lat", "city"):
        assert bad[column] == frame.loc[2, column], column
    assert bad["zone"] == 34
    assert pd.isna(bad["Moon_sign"]) and pd.isna(bad["sunrise"])
    assert table.loc[0, "error"] == "" and table.loc[0, "name"] == "RAM"


def test_progress_counts_every_row_as_a_line_without_tqdm(monkeypatch, capsys):
    monkeypatch.setitem(sys.modules, "tqdm", None)  # importing tqdm fails
    frame = pd.concat([births()] * 400, ignore_index=True)
    table = corvane.charts(frame, progress=True)
    assert len(table) == 1200
    err = capsys.readouterr().err
    assert "1,200 of 1,200 rows, 400 refused" in err


def test_messages_name_the_keywords():
    with pytest.raises(corvane.InputError) as refused:
        corvane.chart("ram", "1975-06-05", "07:05", lon="77:13E", lat="28:36N")
    assert refused.value.message == "one of zone, tz or place is required"
    with pytest.raises(corvane.InputError) as refused:
        delhi(date="1850-01-01")
    assert 'engine="swiss" takes 1800 to 2399' in refused.value.message
    with pytest.raises(corvane.InputError) as refused:
        corvane.chart("ann", "2021-11-07", "01:30", tz="America/New_York", lon="74:00W", lat="40:43N")
    assert refused.value.field == "tz"
    assert refused.value.message.endswith('choose one with fold="earlier" or "later"')
    with pytest.raises(corvane.InputError) as refused:
        delhi(tz="Asia/Kolkata")
    assert refused.value.message.startswith("zone cannot be combined with tz")
    assert "--" not in refused.value.message


def test_the_distribution_metadata_gives_the_version():
    import importlib.metadata
    assert importlib.metadata.version("corvane") == corvane.__version__
