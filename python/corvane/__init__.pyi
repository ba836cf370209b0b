# Type stubs of the corvane package.
import datetime
from typing import Any, Iterable, Mapping, Optional, Sequence, Union

import pandas

__version__: str
BATCH_COLUMNS: tuple[str, ...]

class CollectionError(RuntimeError): ...

class InputError(ValueError):
    message: str
    field: Optional[str]
    def __init__(self, message: str, field: Optional[str] = ...) -> None: ...

def chart(
    name: str,
    date: Union[str, datetime.date, Any],
    time: Union[str, datetime.time],
    *,
    zone: Optional[int] = ...,
    tz: Optional[str] = ...,
    place: Optional[str] = ...,
    lon: Optional[str] = ...,
    lat: Optional[str] = ...,
    dst: Union[bool, int, str, None] = ...,
    fold: Optional[str] = ...,
    city: Optional[str] = ...,
    state: Optional[str] = ...,
    country: Optional[str] = ...,
    pages: bool = ...,
    sweep: Optional[int] = ...,
    vargas: bool = ...,
    engine: Optional[str] = ...,
    ayanamsa: Optional[str] = ...,
    node: Optional[str] = ...,
    sunrise: Optional[str] = ...,
    indu: Optional[str] = ...,
    timing: Optional[str] = ...,
    pranapada_sun: Optional[str] = ...,
    varnada: Optional[str] = ...,
    lords: Optional[str] = ...,
    nakshatra: Optional[str] = ...,
    surya_sun: Optional[str] = ...,
    conventions: Optional[str] = ...,
) -> dict[str, Any]: ...

def sweep(
    name: str,
    date: Union[str, datetime.date],
    time: Union[str, datetime.time],
    minutes: int = ...,
    **options: Any,
) -> dict[str, Any]: ...

def charts(
    records: Union[pandas.DataFrame, Iterable[Mapping[str, Any]]],
    jobs: Optional[int] = ...,
    *,
    vargas: Optional[Sequence[str]] = ...,
    progress: bool = ...,
    engine: Optional[str] = ...,
    ayanamsa: Optional[str] = ...,
    node: Optional[str] = ...,
    sunrise: Optional[str] = ...,
    indu: Optional[str] = ...,
    timing: Optional[str] = ...,
    pranapada_sun: Optional[str] = ...,
    varnada: Optional[str] = ...,
    lords: Optional[str] = ...,
    nakshatra: Optional[str] = ...,
    surya_sun: Optional[str] = ...,
    conventions: Optional[str] = ...,
) -> pandas.DataFrame: ...

def places(text: str, limit: int = ...) -> list[dict[str, Any]]: ...
def zones() -> list[dict[str, Any]]: ...

def collection(path: Optional[str] = ...) -> pandas.DataFrame: ...
def collection_add(
    records: Union[pandas.DataFrame, Iterable[Mapping[str, Any]]], path: Optional[str] = ...
) -> pandas.DataFrame: ...
