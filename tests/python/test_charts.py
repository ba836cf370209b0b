"""corvane.charts against corvane-cli --batch: the same charts row for row, and the same
refusals, which never stop the other rows."""
import csv
import math
import random

import numpy as np
import pandas as pd
import pytest

import corvane
from conftest import batch_lines

HEADER = ["name", "date", "time", "zone", "dst", "lon", "lat", "city", "state", "country", "engine", "tz", "place"]
BODIES = ["Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"]


def batch_rows(count, seed=20000):
    """Rows of a batch CSV: mostly valid births on the zone list, some on a tz zone or a
    searched place, some for the Swiss engine, and some that are refused."""
    rng = random.Random(seed)
    rows = []
    for i in range(count):
        row = {"name": rng.choice(["ram kumar", "JOSÉ", "anna", "li wei", "zoë"]),
               "date": f"{rng.randrange(1901, 2051):04d}-{rng.randrange(1, 13):02d}-{rng.randrange(1, 29):02d}",
               "time": f"{rng.randrange(24):02d}:{rng.randrange(60):02d}:{rng.randrange(60):02d}",
               "zone": str(rng.randrange(71)), "dst": str(rng.randrange(2)),
               "lon": f"{rng.randrange(180)}:{rng.randrange(60):02d}{rng.choice('EW')}",
               "lat": f"{rng.randrange(66)}:{rng.randrange(60):02d}{rng.choice('NS')}",
               "city": f"Town {i}", "state": "State", "country": "Country, with a comma",
               "engine": "", "tz": "", "place": ""}
        kind = rng.random()
        if kind < 0.10:
            row["engine"] = "swiss"
        elif kind < 0.18:
            row.update(tz=rng.choice(["Asia/Kolkata", "Europe/Berlin", "America/Chicago"]), zone="", dst="")
        elif kind < 0.21:
            row.update(place=rng.choice(["munich", "chennai", "lima"]), lon="", lat="", zone="", dst="",
                       city="", state="", country="")
        elif kind < 0.24:
            field, value = rng.choice([("date", "1975-02-30"), ("zone", "99"), ("engine", "moon"), ("lon", "7E"),
                                       ("time", "25:00"), ("tz", "Nowhere/Else"), ("name", "agent 007")])
            row[field] = value
        rows.append(row)
    return rows


def write_csv(path, rows):
    with open(path, "w", newline="", encoding="utf-8") as out:
        writer = csv.DictWriter(out, fieldnames=HEADER, lineterminator="\n")
        writer.writeheader()
        writer.writerows(rows)


def assert_frame_equals_batch(frame, lines):
    """Every row of the frame holds what the JSON line of the same record holds."""
    assert len(frame) == len(lines)
    sunrise = frame["sunrise"].dt.strftime("%Y-%m-%d %H:%M").to_numpy()
    sunset = frame["sunset"].dt.strftime("%Y-%m-%d %H:%M").to_numpy()
    # Floats keep their NaN; the other missing values read as None.
    columns = {name: frame[name].to_numpy() if frame[name].dtype == np.float64
               else frame[name].to_numpy(dtype=object, na_value=None) for name in frame.columns}
    for i, line in enumerate(lines):
        cell = {name: values[i] for name, values in columns.items()}
        if "error" in line:
            assert cell["error"] == line["error"], i
            # A refused row keeps its input (test_values checks it); the computed columns are empty.
            assert cell["Sun_sign"] is None and math.isnan(cell["Sun_longitude"]) and cell["sunrise"] is None, i
            continue
        assert cell["error"] == "", i
        birth = line["birth"]
        for key in ["name", "date", "time", "zone", "zone_name", "dst", "lon", "lat", "city", "state", "country",
                    "utc_offset_seconds"]:
            assert cell[key] == birth[key], (i, key)
        assert cell["tz"] == birth.get("tz") and cell["place"] == birth.get("place"), i
        assert cell["ayanamsa"] == line["ayanamsa"], i
        for body, name in zip(line["bodies"], BODIES):
            assert cell[f"{name}_longitude"] == body["longitude"], (i, name)
            assert cell[f"{name}_sign"] == body["sign"], (i, name)
        for key, lagna in line["lagnas"].items():
            assert cell[f"{key}_sign"] == lagna["sign"], (i, key)
            longitude = cell[f"{key}_longitude"]
            assert longitude == lagna["longitude"] if "longitude" in lagna else math.isnan(longitude), (i, key)
        assert cell["hora_house"] == line["hora_house"] and cell["pranapada_house"] == line["pranapada_house"], i
        assert sunrise[i] == line["sunrise"]["birth_day"] and sunset[i] == line["sunset"]["birth_day"], i
        for key, value in line["settings"].items():
            assert cell[f"setting_{key}"] == value, (i, key)


@pytest.fixture(scope="module")
def batch(tmp_path_factory, cli):
    path = tmp_path_factory.mktemp("batch") / "births.csv"
    write_csv(path, batch_rows(20000))
    return path, batch_lines(cli, path, "--jobs", "2")


def test_twenty_thousand_rows_equal_the_batch(batch):
    path, lines = batch
    frame = corvane.charts(pd.read_csv(path, dtype=str, keep_default_na=False), jobs=2)
    assert_frame_equals_batch(frame, lines)
    refused = (frame["error"] != "").sum()
    assert 300 < refused < 1000  # the refused rows did not stop the others
    assert (frame["setting_engine"] == "swiss").sum() > 1000
    assert frame["tz"].notna().sum() > 1000 and frame["place"].notna().sum() > 300


def test_settings_apply_to_every_row_as_the_batch_options(batch, cli, tmp_path):
    path, _ = batch
    head = tmp_path / "head.csv"
    write_csv(head, batch_rows(300))
    lines = batch_lines(cli, head, "--ayanamsa", "raman", "--indu", "moon", "--sunrise", "centre")
    frame = corvane.charts(pd.read_csv(head, dtype=str, keep_default_na=False), ayanamsa="raman", indu="moon",
                           sunrise="centre")
    assert_frame_equals_batch(frame, lines)


def test_convention_columns_choose_each_rows_conventions(cli, tmp_path):
    # A table's convention columns are read as the batch reads them, row by row.
    rng = random.Random(23)
    rows = batch_rows(400, seed=23)
    conventions = {"timing": ["minute", "exact", ""], "pranapada_sun": ["sunrise", "birth", ""],
                   "varnada": ["degrees", "signs", ""], "lords": ["single", "jaimini", ""],
                   "nakshatra": ["table", "exact", ""]}
    for row in rows:
        for column, values in conventions.items():
            row[column] = rng.choice(values)
    path = tmp_path / "conventions.csv"
    with open(path, "w", newline="", encoding="utf-8") as out:
        writer = csv.DictWriter(out, fieldnames=HEADER + list(conventions), lineterminator="\n")
        writer.writeheader()
        writer.writerows(rows)
    frame = corvane.charts(pd.read_csv(path, dtype=str, keep_default_na=False), jobs=2)
    assert_frame_equals_batch(frame, batch_lines(cli, path))
    assert (frame["setting_varnada"] == "signs").sum() > 50 and (frame["setting_lords"] == "jaimini").sum() > 50
    assert set(conventions) <= set(corvane.BATCH_COLUMNS)


def test_typed_cells_and_dicts_read_as_their_text(batch):
    path, _ = batch
    text = pd.read_csv(path, dtype=str, keep_default_na=False).head(2000)
    expected = corvane.charts(text, jobs=1)
    # Numbers and bools as pandas reads them (zone and dst with missing values become floats).
    typed = text.replace("", None)
    typed["zone"] = pd.to_numeric(typed["zone"], errors="coerce").where(typed["zone"] != "99", 99.0)
    typed["dst"] = typed["dst"].map({"0": False, "1": True, None: None})
    pd.testing.assert_frame_equal(corvane.charts(typed, jobs=2), expected)
    records = text.to_dict("records")
    pd.testing.assert_frame_equal(corvane.charts(iter(records)), expected)


def test_a_refused_row_never_stops_the_rest():
    good = {"name": "ram", "date": "1975-06-05", "time": "07:05", "zone": 34, "lon": "77:13E", "lat": "28:36N"}
    rows = [good,
            {**good, "date": "1975-02-30"},
            {**good, "name": "\ud800"},            # a string with no UTF-8 form
            {**good, "zone": object()},            # a cell whose text is no birth field
            {**good, "lat": "80:00N", "date": "1975-06-21"},  # no sunrise: polar day
            good]
    frame = corvane.charts(rows, jobs=2)
    assert list(frame["error"] == "") == [True, False, False, False, False, True]
    assert frame.loc[2, "error"] == "the name column cannot be read as UTF-8 text"
    assert frame.loc[4, "error"].startswith("date: The Sun does not rise")
    assert frame.loc[0, "Sun_longitude"] == frame.loc[5, "Sun_longitude"]
    assert frame.loc[1:4, "Sun_sign"].isna().all() and list(frame.loc[[1, 4], "name"]) == ["ram", "ram"]


def test_missing_columns_and_the_index():
    rows = pd.DataFrame({"name": ["a", "b"], "date": ["1975-06-05", "1990-07-01"], "time": ["07:05", "14:30"],
                         "tz": ["Asia/Kolkata", "Europe/Madrid"], "lon": ["77:13E", "3:42W"],
                         "lat": ["28:36N", "40:25N"]}, index=[10, 20])
    frame = corvane.charts(rows)
    assert list(frame.index) == [10, 20]
    assert list(frame["error"]) == ["", ""]
    assert list(frame["utc_offset_seconds"]) == [19800, 7200]
    no_clock = corvane.charts(rows.drop(columns="tz"))
    assert (no_clock["error"] != "").all()


def test_empty_input_gives_the_columns():
    frame = corvane.charts(pd.DataFrame(columns=HEADER[:7]))
    assert len(frame) == 0 and frame.columns[0] == "name" and frame.columns[-1] == "error"
    assert frame["Sun_longitude"].dtype == np.float64 and str(frame["Sun_sign"].dtype) == "Int8"


@pytest.mark.parametrize("settings,field", [({"engine": "moon"}, "engine"), ({"node": "true"}, "node"),
                                            ({"ayanamsa": "x"}, "ayanamsa")])
def test_refused_settings_raise_before_any_row(settings, field):
    with pytest.raises(corvane.InputError) as refused:
        corvane.charts(pd.DataFrame(columns=HEADER[:7]), **settings)
    assert refused.value.field == field


@pytest.mark.parametrize("jobs", [0, 257, 1.5, True])
def test_jobs_out_of_range_are_refused(jobs):
    with pytest.raises(ValueError):
        corvane.charts([], jobs=jobs)
