"""Vedic special lagnas from birth details, for Python and pandas.

The charts are those of ``corvane-cli``, made by the same compiled code:

* :func:`chart` -- one chart as a dict, equal to ``json.loads`` of ``corvane-cli --json``;
* :func:`charts` -- many charts as a pandas DataFrame, one row per birth, calculated on
  worker threads with the GIL released, as ``corvane-cli --batch --jobs N`` does;
* :func:`sweep` -- where each lagna changes sign around the birth time, as ``--sweep``;
* :func:`places` and :func:`zones` -- the place search and the zone list;
* :mod:`corvane.dask` -- :func:`charts` over the partitions of a Dask DataFrame.

Refused input raises :class:`InputError`, with the command line's message and the field at
fault.
"""

from __future__ import annotations

import datetime
import json as _json
import warnings as _warnings
from typing import Any, Iterable, Mapping, Optional, Sequence, Union

from . import _corvane

__all__ = ["InputError", "CollectionError", "chart", "charts", "sweep", "places", "zones", "collection",
           "collection_add", "BATCH_COLUMNS", "__version__"]

__version__: str = _corvane.version

#: The input columns of :func:`charts`, as the batch CSV header names them (the command
#: line's own list). The first seven are the birth; city, state and country are shown as
#: given; engine chooses a row's engine (elements or swiss); tz gives the clock of a time
#: zone database zone (instead of zone and dst); place the best matching place's
#: coordinates, names and zone; then one column per setting (engine, ayanamsa, ... as
#: the settings keywords), the row's choice of it.
BATCH_COLUMNS: tuple = _corvane.batch_columns

# The settings keywords, each the command-line option of the same name ("--pranapada-sun"),
# from the compiled settings table; the last is the conventions preset.
_SETTINGS: tuple = _corvane.setting_names
_MAX_JOBS = 256


class InputError(ValueError):
    """Input that corvane refuses, as ``corvane-cli`` refuses it.

    Attributes:
        message: the command line's message, word for word.
        field: the keyword argument (or batch column) at fault, such as ``"date"``; None when
            the refusal is about no single field.
    """

    def __init__(self, message: str, field: Optional[str] = None) -> None:
        super().__init__(message if field is None else f"{field}: {message}")
        self.message = message
        self.field = field


#: A chart collection that cannot be used (an empty, damaged or foreign file, a newer
#: version, a collection kept busy by another program): the message names the file and says
#: what to do; the file is left as it was.
CollectionError = _corvane.CollectionError


def _missing(value: Any) -> bool:
    """Whether a value is None or a missing value of numpy or pandas (NaN, NaT, NA)."""
    if value is None:
        return True
    if isinstance(value, float):
        return value != value
    kind = type(value).__name__
    if kind in ("NAType", "NaTType"):
        return True
    if kind.startswith("float") or kind == "datetime64":
        try:
            return bool(value != value)
        except (TypeError, ValueError):
            return False
    return False


def _text(value: Any, keyword: str = "") -> str:
    """A keyword's value as the command line's text; None, NaN and NUL are refused naming it."""
    if _missing(value):
        raise InputError(f"a value is needed, not {value!r}", keyword or None)
    if isinstance(value, bool):
        raise TypeError(f"{keyword or 'this value'}: a text or number is needed here, not a bool")
    if isinstance(value, datetime.datetime) and keyword == "date":
        text = value.date().isoformat()  # a pandas Timestamp too
    elif isinstance(value, (datetime.date, datetime.time)):
        text = value.isoformat()
    elif type(value).__name__ == "datetime64" and keyword == "date":
        text = str(value)[:10]
    else:
        text = str(value)
    if "\0" in text:
        raise InputError("a NUL character is not taken in a text", keyword or None)
    return text


def _cell_text(value: Any) -> str:
    """A cell as the batch reads it from a frame: a bool is 1 or 0, a whole number its digits."""
    if isinstance(value, bool) or type(value).__name__ == "bool_":
        return "1" if value else "0"
    if isinstance(value, float) and value.is_integer():
        return str(int(value))
    if hasattr(value, "__index__"):
        return str(value.__index__())
    return str(value)


def _daylight_saving(value: Any) -> bool:
    """The dst keyword read as the batch reads its dst column: True, False, 0, 1, "0" or "1";
    None is not given (False); anything else, NaN too, is refused naming dst."""
    if value is None:
        return False
    flag = _corvane.daylight_saving("" if _missing(value) else _cell_text(value))
    if isinstance(flag, str):
        raise InputError(flag, "dst")
    return flag


def _setting_values(function: str, settings: Mapping[str, Optional[str]]) -> dict:
    for key in settings:
        if key not in _SETTINGS:
            raise TypeError(f"{function}() got an unexpected keyword argument {key!r}")
    return {key: _text(settings[key], key) for key in _SETTINGS if settings.get(key) is not None}


def _with_setting_keywords(function):
    """Shows the settings keywords in the function's signature, as if each were written out,
    and their choices in its documentation."""
    import inspect
    if "{settings}" in (function.__doc__ or ""):
        lines = []
        for key, keys, help_line in _corvane.setting_help:
            lines.append(f"        {key}: {keys}: {help_line}.")
        function.__doc__ = function.__doc__.replace("{settings}", "\n".join(lines))
    signature = inspect.signature(function)
    parameters = [p for p in signature.parameters.values() if p.kind is not inspect.Parameter.VAR_KEYWORD]
    parameters += [inspect.Parameter(key, inspect.Parameter.KEYWORD_ONLY, default=None, annotation="Optional[str]")
                   for key in _SETTINGS]
    function.__signature__ = signature.replace(parameters=parameters)
    return function


def chart(name: str, date: Union[str, datetime.date], time: Union[str, datetime.time], *,
          zone: Optional[int] = None, tz: Optional[str] = None, place: Optional[str] = None,
          lon: Optional[str] = None, lat: Optional[str] = None, dst: Union[bool, int, str, None] = False,
          fold: Optional[str] = None, city: Optional[str] = None, state: Optional[str] = None,
          country: Optional[str] = None, pages: bool = False, sweep: Optional[int] = None,
          vargas: bool = False, **settings: Optional[str]) -> dict:
    """Calculate one chart; the dict ``corvane-cli --json`` prints for the same options.

    The birth:
        name: letters, blanks, and hyphens and apostrophes between letters; the chart
            holds it in capitals.
        date: ``"YYYY-MM-DD"`` (1901 to 2050) or a ``datetime.date``.
        time: ``"HH:MM"`` or ``"HH:MM:SS"`` on the local clock, or a ``datetime.time``.

    The clock, one of:
        zone: position 0..70 of the zone list (see :func:`zones`; 29 is Greenwich Mean
            Time), with ``dst=True`` when the clock showed daylight-saving time (dst takes
            True, False, 0, 1, "0" or "1", as the batch's dst column; anything else is refused);
        tz: a time zone database zone such as ``"Asia/Kolkata"``: its clock at the birth;
        place: the best matching place (see :func:`places`) gives the zone, unless tz is given.
        fold: ``"earlier"`` or ``"later"``: which reading of a local time that happened twice.

    The place, unless ``place`` gives it:
        lon: ``"DDD:MME"`` or ``"DDD:MMW"``, e.g. ``"77:13E"``.
        lat: ``"DD:MMN"`` or ``"DD:MMS"``, e.g. ``"28:36N"``.
        city, state, country: shown as given.

    The settings (defaults: the program's), each the keys of the command-line option of
    its name (``pranapada_sun`` is ``--pranapada-sun``):
{settings}

    pages: also every field of the interpretation pages, under ``"pages"``.
    sweep: minutes (1 to 720): also the birth-time sweep under ``"sweep"``, as ``--sweep``
        gives it (see :func:`sweep`).
    vargas: also the sixteen vargas under ``"vargas"``, as ``--vargas`` gives them:
        ``c["vargas"]["D9"]["HL"]`` is the Hora lagna's sign in the navamsa.

    Returns the chart (docs/json.md describes it): ``birth``, ``bodies``, ``sunrise``,
    ``sunset``, ``lagnas``, ``readings``, ``settings`` and more.

    Raises :class:`InputError` for input the command line refuses, with its message (in the
    keywords' words) and the field at fault; None or NaN for name, date or time, NaN for any
    other text, and a NUL in a text are refused naming the keyword. ``zone`` with ``tz``,
    ``dst`` with ``tz`` and ``fold`` with ``zone`` do not go together and are refused. A daylight-saving hour counted twice (a summer-time zone row with
    ``dst=True``) gives a :class:`UserWarning`, as the command line warns.

    Example::

        c = chart("ram kumar", "1975-06-05", "07:05", zone=34, lon="77:13E", lat="28:36N")
        c["birth"]["name"]          # 'RAM KUMAR'
        c["lagnas"]["HL"]["sign"]   # the Hora lagna's sign, 0 Aries .. 11 Pisces
    """
    birth = {"name": _text(name, "name"), "date": _text(date, "date"), "time": _text(time, "time")}
    for key, value in (("zone", zone), ("tz", tz), ("place", place), ("fold", fold),
                       ("lon", lon), ("lat", lat), ("city", city), ("state", state),
                       ("country", country), ("sweep", sweep)):
        if value is not None:
            birth[key] = _text(value, key)
    if _daylight_saving(dst):
        birth["dst"] = "1"
    text, message, field, warning = _corvane.chart_json(birth, _setting_values("chart", settings), bool(pages),
                                                        bool(vargas))
    if message is not None:
        raise InputError(message, field)
    if warning is not None:
        _warnings.warn(warning, UserWarning, stacklevel=2)
    return _json.loads(text)


def _frame(records: Any):
    import pandas as pd
    if isinstance(records, pd.DataFrame):
        return records
    if isinstance(records, Mapping):
        raise TypeError("charts() takes many records: a DataFrame or an iterable of dicts")
    return pd.DataFrame.from_records(list(records))


def sweep(name: str, date: Union[str, datetime.date], time: Union[str, datetime.time],
          minutes: int = 30, **options: Any) -> dict:
    """Where, within ``minutes`` (1 to 720) either side of the birth time, each lagna and the
    Moon's nakshatra change sign: the ``"sweep"`` object of ``corvane-cli --json --sweep``.

    The other arguments are those of :func:`chart` (the clock, the place and the settings).
    Returns a dict with ``minutes``, ``from``, ``to``, ``lagnas`` (per lagna key, a list of
    ``{"from", "to", "sign"}`` intervals on the birth's local clock, ``to`` not included),
    ``nakshatra`` (``{"from", "to", "nakshatra", "name"}``) and ``gaps`` (stretches without a
    chart: clocks put forward, no sunrise). Raises :class:`InputError` as :func:`chart` does.

    Example::

        s = sweep("ram", "1975-06-05", "07:05", 30, zone=34, lon="77:13E", lat="28:36N")
        s["lagnas"]["HL"]   # [{'from': '1975-06-05 06:35:00', 'to': '1975-06-05 06:43:00', 'sign': 2}, ...]
    """
    return chart(name, date, time, sweep=minutes, **options)["sweep"]


def charts(records: Any, jobs: Optional[int] = None, *, vargas: Optional[Sequence[str]] = None,
           progress: bool = False,
           **settings: Optional[str]):
    """Calculate the chart of every record; a pandas DataFrame with one row per record.

    records: a pandas DataFrame or an iterable of dicts with the columns of a batch CSV
        (:data:`BATCH_COLUMNS`): ``name, date, time, zone, dst, lon, lat`` and any of
        ``city, state, country, tz, place`` and the settings' columns (each named as its
        keyword). Cells are text as in the CSV, or numbers
        and bools (zone 34, dst True); None and NaN are empty. A missing dst column counts
        as 0; other missing columns as empty (zone, lon and lat may be left out when tz or
        place gives them); a datetime64 date column gives its dates. A column that is not
        one of these is refused naming it, and so is a sweep_minutes column
        (:func:`sweep` gives the sweep of one birth).
    jobs: the worker threads that calculate (default: one per core), as ``--jobs``.
    settings: the settings keywords of :func:`chart`, for every row; a row's setting
        columns override them.
    vargas: the vargas to add as columns, such as ``["D9", "D10"]``: ``<Entry>_D9`` is the sign
        index (0 Aries .. 11 Pisces) of an entry in that varga, for the entries Sun, Moon,
        Mercury, Venus, Mars, Jupiter, Saturn, Rahu, Ketu and every lagna key (AL .. SL,
        Ascendant).
    progress: show the rows done as they are done: a tqdm bar when tqdm is installed, else a
        line on standard error.

    Returns a DataFrame with the records' index and the columns: the birth (``name``,
    ``date``, ``time``, ``zone``, ``zone_name``, ``dst``, ``lon``, ``lat``, ``city``,
    ``state``, ``country``, ``tz``, ``place`` (the found place), ``utc_offset_seconds``),
    ``ayanamsa``, each body's
    ``<Body>_longitude`` (sidereal degrees) and ``<Body>_sign`` (0 Aries .. 11 Pisces) for Sun,
    Moon, Mercury, Venus, Mars, Jupiter, Saturn, Rahu, Ketu and Asc, each lagna's
    ``<Lagna>_sign`` and ``<Lagna>_longitude`` (NaN for a lagna without one) for AL, BL, HL,
    GL, SrL, IL, PL, UL, PpL, VL, CL, SL and Ascendant, ``hora_house``, ``pranapada_house``,
    ``sunrise`` and ``sunset`` of the birth day (local clock), ``setting_<keyword>`` for
    each setting keyword but the preset (``setting_engine``, ..., the chosen keys), and
    ``error``: empty when the row has a chart, else the message that refused it (the row's
    input columns it was given keep their values, so that it can be found and mended; the
    computed columns are empty). A refused row never stops the others.

    Raises :class:`InputError` for refused settings, ValueError for a bad jobs.
    """
    import numpy as np
    import pandas as pd

    frame = _frame(records)
    if jobs is None:
        jobs = 0
    elif isinstance(jobs, bool) or not isinstance(jobs, int) or not 1 <= jobs <= _MAX_JOBS:
        raise ValueError(f"jobs must be a number of threads from 1 to {_MAX_JOBS}, not {jobs!r}")
    _check_columns(frame)
    names, values = [], []
    for column in BATCH_COLUMNS:
        if column in frame.columns:
            cells = _column_cells(frame[column])
            values.append(np.ascontiguousarray(cells))
        elif column in BATCH_COLUMNS[:7]:
            values.append(None)
        else:
            continue
        names.append(column)
    if isinstance(vargas, str):
        vargas = [vargas]
    options = _setting_values("charts", settings)
    shown = _Progress(len(frame)) if progress else None
    try:
        columns = _corvane.chart_columns(names, values, len(frame), options, jobs, list(vargas or []),
                                         None if shown is None else shown.add)
    finally:
        if shown is not None:
            shown.close()
    if isinstance(columns, tuple):
        raise InputError(*columns)
    data = {}
    for name, kind, array, mask in columns:
        if kind == "int":
            data[name] = pd.arrays.IntegerArray(array, mask)
        elif kind == "bool":
            data[name] = pd.arrays.BooleanArray(array, mask)
        elif kind == "stamp":
            data[name] = array.view("datetime64[ns]")
        else:
            data[name] = array
    result = pd.DataFrame(data, index=frame.index, copy=False)
    _keep_refused_inputs(frame, result)
    return result


class _Progress:
    """The rows done of :func:`charts`: a tqdm bar when tqdm is installed, else a line on
    standard error redrawn at most ten times a second."""

    def __init__(self, total: int) -> None:
        import sys
        import time
        self._time = time.monotonic
        self._err = sys.stderr
        self._total, self._done, self._refused, self._drawn = total, 0, 0, 0.0
        self._start = self._time()
        try:
            from tqdm import tqdm
        except ImportError:
            self._bar = None
        else:
            self._bar = tqdm(total=total, unit="row")

    def add(self, rows: int, refused: int) -> None:
        self._done += rows
        self._refused += refused
        if self._bar is not None:
            self._bar.update(rows)
            self._bar.set_postfix(refused=self._refused, refresh=False)
            return
        now = self._time()
        if now - self._drawn >= 0.1 or self._done == self._total:
            self._drawn = now
            rate = self._done / max(now - self._start, 1e-9)
            self._err.write(f"\rcorvane: {self._done:,} of {self._total:,} rows, "
                            f"{self._refused:,} refused, {rate:,.0f}/s")
            self._err.flush()

    def close(self) -> None:
        if self._bar is not None:
            self._bar.close()
        elif self._drawn:
            self._err.write("\n")
            self._err.flush()


def _typed_like(column, rows, given):
    """The column with the given cells put into the rows, read as the column's type."""
    import pandas as pd
    texts = ["" if _missing(value) else _cell_text(value) for value in given]
    if pd.api.types.is_bool_dtype(column.dtype):
        cells = [{"1": True, "0": False}.get(text, pd.NA) for text in texts]
    else:
        cells = [int(text) if text.lstrip("-").isdigit() else pd.NA for text in texts]
    values = column.astype(object).to_numpy(copy=True)
    values[rows] = cells
    try:
        return pd.array(values, dtype=column.dtype)
    except (TypeError, ValueError, OverflowError):
        return column


def _check_columns(frame) -> None:
    """Refuses a column the batch does not read, and a sweep_minutes column: a table row has
    no room for a sweep (:func:`sweep` gives one birth's)."""
    if "sweep_minutes" in frame.columns:
        raise InputError("charts() gives no sweep; corvane.sweep() gives the sweep of one birth",
                         "sweep_minutes")
    for column in frame.columns:
        if column not in BATCH_COLUMNS:
            raise InputError(f"{column!r} is not a column; the columns are {', '.join(BATCH_COLUMNS)}",
                             str(column))


def _column_cells(column):
    """A column's cells as the batch reads them; a datetime64 column gives its dates."""
    import pandas as pd
    if pd.api.types.is_datetime64_any_dtype(column.dtype):
        column = column.dt.strftime("%Y-%m-%d")
    return column.to_numpy(dtype=object, na_value=None)


def _keep_refused_inputs(frame, result) -> None:
    """A refused row keeps the input columns it was given, so that it can be found and
    mended; only the computed columns stay empty."""
    refused = result["error"].fillna("").astype(str).to_numpy() != ""
    if not refused.any():
        return
    for column in frame.columns:
        if column not in result.columns:
            continue
        given = frame[column].to_numpy(dtype=object)[refused]
        if result[column].dtype == object:
            # An empty or missing cell is not given: None, as in the rows with a chart.
            values = result[column].to_numpy(dtype=object).copy()
            values[refused] = [None if _missing(value) or value == "" else value for value in given]
            result[column] = values
        else:
            # A number or flag column keeps its type: a given value that is not one (zone
            # "IST") stays empty there, as in the input it cannot be read.
            result[column] = _typed_like(result[column], refused, given)


chart = _with_setting_keywords(chart)
charts = _with_setting_keywords(charts)


def places(text: str, limit: int = 20) -> list:
    """The places that best match a text, best first: dicts with ``name``, ``region``,
    ``country``, ``latitude``, ``longitude`` (degrees, north and east positive), ``tz`` and
    ``population``, as ``corvane-cli --places TEXT --json`` lists them; empty when none
    matches.
    """
    return _json.loads(_corvane.places_json(_text(text), int(limit)))


def zones() -> list:
    """The 71 rows of the zone list, as ``corvane-cli --zones --json`` lists them: dicts with
    ``position`` (what ``zone`` takes), ``text`` and ``offset`` (local time minus universal
    time, ``"+05:30"``)."""
    return _json.loads(_corvane.zones_json())



def collection(path: Optional[str] = None):
    """The charts of the chart collection as a DataFrame, one row per chart in id order.

    path: the collection file (default: ``$XDG_DATA_HOME/corvane/charts.sqlite``, as
        ``corvane-cli --collection``); made empty when there is none.

    Returns the columns of :func:`charts` for each chart's birth under the default settings,
    then ``id``, ``note``, ``tags`` (a list of str), ``added`` and ``opened`` (UTC
    timestamps; NaT when never opened). Raises :class:`CollectionError`.
    """
    import pandas as pd

    rows = _corvane.collection_rows(path)
    names = _corvane.collection_columns.split(",")
    births = pd.DataFrame([fields for *_, fields in rows], columns=names, dtype=object)
    table = charts(births) if rows else charts(pd.DataFrame(columns=names))
    table["id"] = pd.array([row[0] for row in rows], dtype="Int64")
    table["note"] = pd.Series([row[1] for row in rows], index=table.index, dtype=object)
    table["tags"] = pd.Series([list(row[2]) for row in rows], index=table.index, dtype=object)
    table["added"] = pd.to_datetime([row[3] for row in rows], unit="s", utc=True)
    table["opened"] = pd.to_datetime([row[4] for row in rows], unit="s", utc=True)
    return table


def _cell(value: Any) -> str:
    if value is None:
        return ""
    if isinstance(value, bool):
        return "1" if value else "0"
    if isinstance(value, float):
        if value != value:
            return ""
        if value.is_integer():
            return str(int(value))
    if isinstance(value, (datetime.date, datetime.time)):
        return value.isoformat()
    return str(value)


def collection_add(records: Any, path: Optional[str] = None):
    """Add rows to the chart collection, all in one transaction.

    records: a pandas DataFrame or an iterable of dicts with the columns of :func:`charts`
        (:data:`BATCH_COLUMNS`; engine, sweep and convention columns are not kept, since the
        collection holds births), and optionally ``note`` (str) and ``tags`` (a list of str,
        or one str separated by commas).
    path: the collection file, as for :func:`collection`.

    Returns a DataFrame with the records' index and the columns ``id`` (the chart's id, or
    the id of the chart of the same birth and clock already there; <NA> for a refused row),
    ``added`` (False for such a duplicate or a refused row) and ``error`` (the message that
    refused the row, empty otherwise). Raises :class:`CollectionError`.
    """
    import pandas as pd

    frame = _frame(records)
    names = [c for c in BATCH_COLUMNS if c in frame.columns or c in BATCH_COLUMNS[:7]]
    rows = []
    for record in frame.itertuples(index=False, name=None):
        cells = dict(zip(frame.columns, record))
        row = [_cell(cells.get(c)) for c in names]
        # A zone row without its daylight-saving cell is read as the tick left clear, as the
        # form leaves it.
        if "dst" in names and row[names.index("dst")] == "" and row[names.index("zone")] != "":
            row[names.index("dst")] = "0"
        rows.append(row)
    notes = [_cell(n) for n in frame["note"]] if "note" in frame.columns else []
    tags = []
    if "tags" in frame.columns:
        for value in frame["tags"]:
            if isinstance(value, str):
                tags.append([t for t in value.split(",")])
            elif value is None or (isinstance(value, float) and value != value):
                tags.append([])
            else:
                tags.append([_cell(t) for t in value])
    answers = _corvane.collection_add(path, names, rows, notes, tags)
    return pd.DataFrame({
        "id": pd.array([a[0] for a in answers], dtype="Int64"),
        "added": [a[1] for a in answers],
        "error": [a[2] for a in answers],
    }, index=frame.index)
