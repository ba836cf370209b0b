"""corvane.collection and corvane.collection_add: the chart collection as a DataFrame, shared
with corvane-cli's --collection options."""
import pathlib
import sqlite3

import pandas as pd
import pytest

import corvane
from conftest import run_cli

DELHI = ["--name", "ram kumar", "--date", "1975-06-05", "--time", "07:05", "--zone", "34",
         "--lon", "77:13E", "--lat", "28:36N", "--city", "New Delhi"]


def test_collection_holds_what_the_command_line_added(cli, tmp_path):
    db = str(tmp_path / "charts.sqlite")
    status, out, err = run_cli(cli, [*DELHI, "--collection-add", "--collection", db, "--note", "Müller",
                                     "--tags", "family,clients"])
    assert status == 0, err
    table = corvane.collection(db)
    assert list(table["id"]) == [int(out)]
    row = table.iloc[0]
    assert row["note"] == "Müller"
    assert row["tags"] == ["family", "clients"]
    assert pd.isna(row["opened"])
    assert row["error"] == ""
    # The chart columns are those of corvane.charts for the same birth.
    alone = corvane.charts([{"name": "ram kumar", "date": "1975-06-05", "time": "07:05", "zone": 34, "dst": 0,
                             "lon": "77:13E", "lat": "28:36N", "city": "New Delhi"}])
    for column in alone.columns:
        assert str(row[column]) == str(alone.iloc[0][column]), column
    assert set(alone.columns) | {"id", "note", "tags", "added", "opened"} == set(table.columns)


def test_collection_add_adds_counts_duplicates_and_reports_refusals(cli, tmp_path):
    db = str(tmp_path / "charts.sqlite")
    births = pd.DataFrame({
        "name": ["josé", "josé", "anna", "ada"],
        "date": ["1990-07-01", "1990-07-01", "1975-02-30", "1985-03-03"],
        "time": ["14:30:15", "14:30:15", "12:00", "05:00"],
        "tz": ["Europe/Madrid", "Europe/Madrid", "Europe/Vienna", None],
        "zone": [None, None, None, 29],
        "lon": ["3:42W", "3:42W", "16:22E", "0:10W"],
        "lat": ["40:25N", "40:25N", "48:12N", "51:30N"],
        "note": ["first", "again", "", None],
        "tags": [["a", "b"], "c", None, "x, y"],
    }, index=[10, 11, 12, 13])
    answer = corvane.collection_add(births, db)
    assert list(answer.index) == [10, 11, 12, 13]
    assert list(answer["added"]) == [True, False, False, True]
    assert answer["id"][10] == answer["id"][11]
    assert pd.isna(answer["id"][12]) and answer["error"][12].startswith("date: ")
    table = corvane.collection(db)
    assert list(table["name"]) == ["JOSÉ", "ADA"]
    assert list(table["tags"]) == [["a", "b"], ["x", "y"]]
    assert [tz or "" for tz in table["tz"]] == ["Europe/Madrid", ""]  # no zone id: empty or None
    status, out, _ = run_cli(cli, ["--collection-list", "jose", "--json", "--collection", db])
    assert status == 0 and '"name":"JOSÉ"' in out


def test_a_file_that_is_no_collection_raises_and_is_kept(tmp_path):
    db = tmp_path / "other.sqlite"
    with sqlite3.connect(db) as connection:
        connection.execute("CREATE TABLE songs (title TEXT)")
    before = db.read_bytes()
    with pytest.raises(corvane.CollectionError, match="another program"):
        corvane.collection(str(db))
    assert db.read_bytes() == before
    empty = tmp_path / "empty.sqlite"
    empty.write_bytes(b"")
    with pytest.raises(corvane.CollectionError, match=str(empty)):
        corvane.collection_add([{"name": "x"}], str(empty))
    assert empty.read_bytes() == b""
