"""corvane.chart against corvane-cli --json: the same dict for the same options, the same
message for refused input, with the field at fault named."""
import concurrent.futures
import inspect
import json
import random
import re
import warnings

import pytest

import corvane
from conftest import cli_refusal, run_cli

TZ_IDS = ["Asia/Kolkata", "Europe/Berlin", "America/New_York", "Australia/Sydney", "Africa/Nairobi",
          "America/Sao_Paulo", "Asia/Tokyo", "Europe/London", "Pacific/Auckland", "America/Anchorage"]
PLACES = ["munich", "new delhi", "chennai", "london", "nairobi", "lima", "sydney", "reykjavik", "tromso"]
NAMES = ["ram kumar", "josé", "anna maria", "li", "Zoë", "o brien"]


def varied_requests(count, seed=25):
    """Requests of every kind: zone list, tz and place clocks, both engines, every setting,
    pages, and dates and coordinates of which some are refused."""
    rng = random.Random(seed)
    requests = []
    for i in range(count):
        year = rng.randrange(1901, 2051)
        r = {"name": rng.choice(NAMES), "date": f"{year:04d}-{rng.randrange(1, 13):02d}-{rng.randrange(1, 32):02d}",
             "time": f"{rng.randrange(24):02d}:{rng.randrange(60):02d}" + (f":{rng.randrange(60):02d}" if i % 2 else "")}
        clock = ["zone", "zone", "tz", "place"][i % 4] if i % 8 else "zone"
        if clock == "zone":
            r["zone"] = rng.randrange(71)
            r["dst"] = rng.random() < 0.25
        elif clock == "tz":
            r["tz"] = rng.choice(TZ_IDS)
            if rng.random() < 0.3:
                r["fold"] = rng.choice(["earlier", "later"])
        else:
            r["place"] = rng.choice(PLACES)
        if clock != "place":
            r["lon"] = f"{rng.randrange(181)}:{rng.randrange(60):02d}{rng.choice('EW')}"
            r["lat"] = f"{rng.randrange(70)}:{rng.randrange(60):02d}{rng.choice('NS')}"
            if rng.random() < 0.3:
                r.update(city="Town", state="Région", country="Land")
        if rng.random() < 0.5:
            r["engine"] = "swiss"
            if rng.random() < 0.4:
                r["node"] = "true"
        for key, values in (("ayanamsa", ["lahiri", "raman", "krishnamurti", "true-chitrapaksha", "fagan-bradley"]),
                            ("sunrise", ["limb", "centre"]), ("indu", ["ascendant", "moon"])):
            if rng.random() < 0.3:
                r[key] = rng.choice(values)
        r["pages"] = rng.random() < 0.1
        requests.append(r)
    # The later conventions and the sweep, drawn apart so that the births above stay as they were.
    extra = random.Random(seed + 1)
    for r in requests:
        for key, values in (("timing", ["minute", "exact"]), ("pranapada_sun", ["sunrise", "birth"]),
                            ("varnada", ["degrees", "signs"]), ("lords", ["single", "jaimini"]),
                            ("nakshatra", ["table", "exact"]), ("conventions", ["exact", "default"])):
            if extra.random() < 0.2:
                r[key] = extra.choice(values)
        if extra.random() < 0.1:
            r["sweep"] = extra.choice([1, 5, 30])
    return requests


BASE = {"name": "ram kumar", "date": "1975-06-05", "time": "07:05", "zone": 34, "lon": "77:13E", "lat": "28:36N"}

# Refused requests, each a change to BASE, and the field a reader of the message would fix.
REFUSED = [
    ({"name": "r2d2"}, "name"),
    ({"date": "5 June 1975"}, "date"),
    ({"date": "1900-06-05"}, "date"),
    ({"date": "1975-13-05"}, "date"),
    ({"date": "1975-02-30"}, "date"),
    ({"date": "1975-04-31"}, "date"),
    ({"time": "7h05"}, "time"),
    ({"time": "24:00"}, "time"),
    ({"time": "07:60"}, "time"),
    ({"zone": 71}, "zone"),
    ({"zone": "IST"}, "zone"),
    ({"lon": "77.2E"}, "lon"),
    ({"lon": "77:13X"}, "lon"),
    ({"lon": "190:00E"}, "lon"),
    ({"lon": "77:61E"}, "lon"),
    ({"lat": "28:36E"}, "lat"),
    ({"lat": "95:00N"}, "lat"),
    ({"lat": "2a:00N"}, "lat"),
    ({"engine": "moon"}, "engine"),
    ({"ayanamsa": "sayana"}, "ayanamsa"),
    ({"node": "true"}, "node"),
    ({"sunrise": "dawn"}, "sunrise"),
    ({"indu": "venus"}, "indu"),
    ({"lords": "parashara"}, "lords"),
    ({"pranapada_sun": "noon"}, "pranapada_sun"),
    ({"conventions": "modern"}, "conventions"),
    ({"sweep": 0}, "sweep"),
    ({"sweep": 721}, "sweep"),
    ({"tz": "Mars/Olympus"}, "tz"),
    ({"tz": "Europe/Berlin", "date": "2021-03-28", "time": "02:30"}, "tz"),
    ({"tz": "Europe/Berlin", "date": "2021-10-31", "time": "02:30"}, "tz"),
    ({"tz": "Europe/Berlin", "fold": "sideways"}, "fold"),
    ({"place": "zzqxv nowhere"}, "place"),
    ({"lat": "80:00N", "date": "1975-06-21", "time": "12:00"}, "date"),
    ({"lon": None}, "lon"),
]


def changed(change):
    """BASE with a change; a zone id given replaces the zone row (they do not go together)."""
    request = {**BASE, **change}
    if "tz" in change:
        del request["zone"]
    return request


def keyword_words(message):
    """A command-line message in the package's words: its options are keywords."""
    for option, keyword in (("--engine swiss", 'engine="swiss"'),
                            ("--fold earlier|later", 'fold="earlier" or "later"')):
        message = message.replace(option, keyword)
    return re.sub(r"--([a-z][a-z-]*)", lambda m: m.group(1).replace("-", "_"), message)


def cli_arguments(request):
    arguments = []
    for key, value in request.items():
        if value is None or value is False:
            continue
        option = "--" + key.replace("_", "-")
        arguments += [option] if value is True else [option, str(value)]
    return arguments + ["--json"]


def compare(cli, request):
    """Runs one request both ways; the InputError when it is refused."""
    status, out, err = run_cli(cli, cli_arguments(request))
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        try:
            got = corvane.chart(**{k: v for k, v in request.items() if v is not None})
        except corvane.InputError as refusal:
            assert status in (2, 3, 64), (request, status, err)
            assert refusal.message == keyword_words(cli_refusal(err)), request
            return refusal
    assert status == 0, (request, err)
    assert got == json.loads(out), request
    cli_warnings = [line[len("corvane-cli: warning: "):] for line in err.splitlines()
                    if line.startswith("corvane-cli: warning: ")]
    assert [str(w.message) for w in caught] == cli_warnings, request
    return None


def test_two_hundred_varied_requests_equal_the_command_line(cli):
    requests = varied_requests(200 - len(REFUSED))
    requests += [changed(change) for change, _ in REFUSED]
    with concurrent.futures.ThreadPoolExecutor(2) as pool:
        refusals = list(pool.map(lambda r: compare(cli, r), requests))
    charted = [r for r, refusal in zip(requests, refusals) if refusal is None]
    # The mix holds what it is meant to: both engines, every clock, pages, and refusals.
    assert any(r.get("engine") == "swiss" for r in charted) and any("engine" not in r for r in charted)
    assert any("tz" in r for r in charted) and any("place" in r for r in charted)
    assert any(r["pages"] for r in charted if "pages" in r)
    assert any("sweep" in r for r in charted) and any(r.get("conventions") == "exact" for r in charted)
    assert any(r.get("lords") == "jaimini" for r in charted) and any(r.get("timing") == "exact" for r in charted)
    assert sum(refusal is not None for refusal in refusals) >= len(REFUSED)


@pytest.mark.parametrize("change,field", REFUSED, ids=[",".join(c) for c, _ in REFUSED])
def test_refused_input_names_its_field(change, field):
    request = changed(change)
    with pytest.raises(corvane.InputError) as refused:
        corvane.chart(**{k: v for k, v in request.items() if v is not None})
    assert refused.value.field == field
    assert isinstance(refused.value, ValueError)
    assert refused.value.message in str(refused.value)


def test_single_settings_win_over_the_preset_as_on_the_command_line(cli):
    # The preset sets four conventions; a timing given with it keeps its own value.
    request = {**BASE, "time": "07:05:40", "conventions": "exact", "timing": "minute"}
    assert compare(cli, request) is None
    settings = corvane.chart(**request)["settings"]
    assert (settings["timing"], settings["varnada"], settings["nakshatra"]) == ("minute", "signs", "exact")


@pytest.mark.parametrize("request_", [
    {**BASE, "sweep": 30},
    # Across the hour the clocks skipped in New York: a gap in every row.
    {"name": "ann", "date": "2021-03-14", "time": "01:50", "tz": "America/New_York", "lon": "74:00W",
     "lat": "40:43N", "sweep": 20},
    {**BASE, "engine": "swiss", "timing": "exact", "sweep": 5},
], ids=["delhi", "new-york-skipped-hour", "swiss-exact"])
def test_sweep_is_the_command_lines_sweep(cli, request_):
    status, out, err = run_cli(cli, cli_arguments(request_))
    assert status == 0, err
    options = {k: v for k, v in request_.items() if k not in ("name", "date", "time", "sweep")}
    got = corvane.sweep(request_["name"], request_["date"], request_["time"], request_["sweep"], **options)
    assert got == json.loads(out)["sweep"]
    assert got["minutes"] == request_["sweep"]


def test_dates_and_times_may_be_python_values():
    import datetime
    as_text = corvane.chart(**BASE)
    as_values = corvane.chart(**{**BASE, "date": datetime.date(1975, 6, 5), "time": datetime.time(7, 5)})
    assert as_values == as_text


def test_places_and_zones_equal_the_command_line(cli):
    status, out, _ = run_cli(cli, ["--places", "munich", "--json"])
    assert status == 0 and corvane.places("munich") == json.loads(out)
    assert corvane.places("zzqxv nowhere") == []
    assert corvane.places("munich", limit=1) == json.loads(out)[:1]
    status, out, _ = run_cli(cli, ["--zones", "--json"])
    assert status == 0 and corvane.zones() == json.loads(out)


def test_version_is_the_programs(cli):
    status, out, _ = run_cli(cli, ["--version"])
    assert status == 0 and out.strip() == f"corvane-cli {corvane.__version__}"


def stub_signatures(path):
    import ast
    tree = ast.parse(path.read_text())
    signatures = {}
    for node in tree.body:
        if isinstance(node, ast.FunctionDef):
            a = node.args
            signatures[node.name] = ([p.arg for p in a.args], [p.arg for p in a.kwonlyargs])
    return signatures


@pytest.mark.parametrize("module", ["corvane", "corvane.dask"])
def test_stubs_name_the_parameters_of_the_functions(module):
    import importlib
    import pathlib
    loaded = importlib.import_module(module)
    stub = pathlib.Path(loaded.__file__).with_suffix(".pyi")
    signatures = stub_signatures(stub)
    public = [name for name in loaded.__all__ if inspect.isfunction(getattr(loaded, name))]
    assert sorted(signatures) == sorted(public)
    for name, (positional, keyword) in signatures.items():
        parameters = inspect.signature(getattr(loaded, name)).parameters.values()
        assert [p.name for p in parameters if p.kind == p.POSITIONAL_OR_KEYWORD] == positional, name
        assert [p.name for p in parameters if p.kind == p.KEYWORD_ONLY] == keyword, name
        assert getattr(loaded, name).__doc__, name


def test_a_name_character_that_is_no_letter_is_refused_in_the_long_standing_words(cli):
    request = {**BASE, "name": "RAM1"}
    with pytest.raises(corvane.InputError) as refused:
        corvane.chart(**request)
    expected = "Please Enter only Letters: 1 is not a letter; a name takes letters, blanks, hyphens and apostrophes"
    assert refused.value.message == expected
    assert refused.value.field == "name"
    status, _, err = run_cli(cli, ["--name", "RAM1", "--date", "1975-06-05", "--time", "07:05", "--zone", "34",
                                   "--lon", "77:13E", "--lat", "28:36N"])
    assert status == 2 and cli_refusal(err) == expected
