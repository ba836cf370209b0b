"""The settings keywords of the package follow the compiled settings table: the keywords of
chart and charts, the setting_ columns, the batch columns and the type stubs each list every
setting, and an unknown choice is a ValueError naming its keyword."""
import ast
import inspect
import pathlib

import pandas as pd
import pytest

import corvane
from corvane import _corvane

STUBS = pathlib.Path(corvane.__file__).with_name("__init__.pyi")
SETTINGS = _corvane.setting_names          # every setting, then the preset
COLUMNS = tuple(name for name in SETTINGS if name != "conventions")
BASE = {"name": "ram", "date": "1975-06-05", "time": "07:05", "zone": 34, "lon": "77:13E", "lat": "28:36N"}


def stub_keywords(function):
    tree = ast.parse(STUBS.read_text(encoding="utf-8"))
    for node in tree.body:
        if isinstance(node, ast.FunctionDef) and node.name == function:
            return [a.arg for a in node.args.kwonlyargs]
    raise AssertionError(f"{function} has no stub")


def test_the_table_lists_ten_settings_and_the_preset_last():
    assert len(COLUMNS) >= 10
    assert SETTINGS[-1] == "conventions"
    assert len(set(SETTINGS)) == len(SETTINGS)


@pytest.mark.parametrize("function", ["chart", "charts"])
def test_signature_and_stubs_name_every_setting(function):
    keywords = [p.name for p in inspect.signature(getattr(corvane, function)).parameters.values()
                if p.kind is inspect.Parameter.KEYWORD_ONLY]
    stubbed = stub_keywords(function)
    for setting in SETTINGS:
        assert setting in keywords, f"{function}() does not show {setting}"
        assert setting in stubbed, f"the stub of {function}() lacks {setting}"
    # The stub's settings follow the table's order and nothing else stands among them.
    assert [k for k in stubbed if k in SETTINGS] == list(SETTINGS)
    assert stubbed[-len(SETTINGS):] == list(SETTINGS)
    for setting in SETTINGS:
        assert f"{setting}:" in getattr(corvane, function).__doc__ or function == "charts"


def test_an_unknown_keyword_is_a_type_error():
    with pytest.raises(TypeError, match="surya"):
        corvane.chart(**BASE, suryaa="birth")


@pytest.mark.parametrize("setting", COLUMNS)
def test_each_setting_keyword_column_and_setting_column(setting):
    # A choice other than the default, read from what the default chart reports.
    default = corvane.chart(**BASE)["settings"][setting]
    choices = [line for line in _corvane.setting_help if line[0] == setting][0][1]
    other = "raman" if choices == "NAME" else [c for c in choices.split("|") if c != default][0]
    settings = {setting: other}
    if setting == "node":
        settings["engine"] = "swiss"
    try:
        chart = corvane.chart(**BASE, **settings)
    except corvane.InputError as e:  # the Swiss Ephemeris files may be missing
        pytest.skip(e.message)
    assert chart["settings"][setting] == other
    frame = corvane.charts([dict(BASE, **settings), dict(BASE)], jobs=1)
    assert list(frame[f"setting_{setting}"]) == [other, default]
    assert set(f"setting_{s}" for s in COLUMNS) <= set(frame.columns)
    assert setting in corvane.BATCH_COLUMNS


@pytest.mark.parametrize("setting", SETTINGS)
def test_an_unknown_choice_is_a_value_error_naming_the_keyword(setting):
    with pytest.raises(ValueError) as caught:
        corvane.chart(**BASE, **{setting: "sideways"})
    assert isinstance(caught.value, corvane.InputError)
    assert caught.value.field == setting
    assert 'not "sideways"' in caught.value.message
    with pytest.raises(corvane.InputError) as table:
        corvane.charts(pd.DataFrame([BASE]), jobs=1, **{setting: "sideways"})
    assert table.value.field == setting
