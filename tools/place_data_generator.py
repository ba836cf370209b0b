#!/usr/bin/env python3
"""Builds data/places.tsv.gz, the place list the program searches, from GeoNames data.

Inputs (fetched by scripts/fetch_place_inputs.sh):
  --cities     GeoNames cities500.txt (19 tab-separated columns, CC-BY-4.0)
  --admin1     GeoNames admin1 names as JSON [{"code": "DE.02", "name": "Bavaria"}, ...]
  --countries  tzdata iso3166.tab (code, English name; public domain)

The output is UTF-8 text, one place per line, gzip-compressed with a zero timestamp so that
the same inputs always give the same bytes.
"""
import argparse
import gzip
import io
import json
import sys
import unicodedata

HEADER = (
    "# Corvane places from GeoNames cities500 (CC-BY-4.0, https://www.geonames.org/). "
    "Tab-separated columns: name, ASCII name (empty when the name is ASCII already), "
    "alternate names (separated by '|'), region, country, latitude and longitude (decimal "
    "degrees, north and east positive), population, IANA time zone id. A region, country or "
    "zone of a single '\"' repeats the one of the line above.\n"
)
DITTO = '"'

# Non-Latin alternate names are kept only for larger places, and only a few per place, so
# that the file stays small; Latin-script variants are kept in full.
NON_LATIN_MIN_POPULATION = 100000
NON_LATIN_PER_PLACE = 4

# Letters whose folded form is not their decomposition's base letter.
SPECIAL_FOLDS = {
    "ß": "ss", "ẞ": "ss", "æ": "ae", "Æ": "ae", "œ": "oe", "Œ": "oe", "ø": "o", "Ø": "o",
    "đ": "d", "Đ": "d", "ð": "d", "Ð": "d", "þ": "th", "Þ": "th", "ł": "l", "Ł": "l",
    "ı": "i", "ħ": "h", "Ħ": "h", "ŧ": "t", "Ŧ": "t", "ŀ": "l", "Ŀ": "l", "ĸ": "k",
    "ŉ": "n", "ſ": "s", "ĳ": "ij", "Ĳ": "ij",
}
APOSTROPHES = {"\u2018", "\u2019", "\u02bb", "\u02bc", "`", "\u00b4"}


def fold(text):
    """Lowercase without diacritics; used here only to spot duplicate names."""
    out = []
    for ch in text:
        if ch in SPECIAL_FOLDS:
            out.append(SPECIAL_FOLDS[ch])
            continue
        if ch in APOSTROPHES:
            out.append("'")
            continue
        for part in unicodedata.normalize("NFKD", ch):
            if not unicodedata.combining(part):
                out.append(part.lower())
    return "".join(out)


def is_latin(text):
    for ch in text:
        if ch.isascii() or unicodedata.combining(ch) or ch in APOSTROPHES or ch in "·\u2013\u2010":
            continue
        if not unicodedata.name(ch, "").startswith("LATIN "):
            return False
    return True


def is_code_or_junk(text):
    """Codes (IATA, ICAO, LOCODE), links and machine transliterations are no search names."""
    if any(mark in text for mark in ("http", "/", "@", "\t", "|")):
        return True
    if not is_latin(text):
        return False
    has_upper = any(ch.isupper() for ch in text)
    has_lower = any(ch.islower() for ch in text)
    # All capitals: a code. No capital at all: a lowercase transliteration, not a name.
    return not (has_upper and has_lower)


def accents(text):
    return sum(not ch.isascii() for ch in text)


def useful_alternates(name, ascii_name, alternates, population):
    own = {fold(name), fold(ascii_name)}
    # One spelling per folded form; of "Munchen" and "München" the one with accents stays.
    kept = {}
    for alt in alternates.split(","):
        alt = clean(alt)
        if not alt or is_code_or_junk(alt):
            continue
        key = fold(alt)
        if key in own:
            continue
        if key not in kept or accents(alt) > accents(kept[key]):
            kept[key] = alt
    latin = [alt for alt in kept.values() if is_latin(alt)]
    other = [alt for alt in kept.values() if not is_latin(alt)]
    if population >= NON_LATIN_MIN_POPULATION:
        latin.extend(other[:NON_LATIN_PER_PLACE])
    return latin


def read_countries(path):
    names = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            code, name = line.rstrip("\n").split("\t")[:2]
            names[code] = name
    return names


def read_regions(path):
    with open(path, encoding="utf-8") as f:
        return {entry["code"]: entry["name"] for entry in json.load(f)}


def clean(text):
    return " ".join(text.replace("\t", " ").split())


def read_places(path, regions, countries):
    places = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            cols = line.rstrip("\n").split("\t")
            if len(cols) != 19:
                sys.exit(f"{path}:{number}: {len(cols)} columns, expected 19")
            name, ascii_name, alternates = clean(cols[1]), clean(cols[2]), cols[3]
            country_code, admin1, zone = cols[8], cols[10], cols[17]
            if not name or not zone:
                continue
            population = int(cols[14] or 0)
            lat, lon = float(cols[4]), float(cols[5])
            places.append((
                countries.get(country_code, country_code),
                clean(regions.get(f"{country_code}.{admin1}", "")),
                name,
                ascii_name or name,
                "|".join(useful_alternates(name, ascii_name, alternates, population)),
                f"{lat:.5f}".rstrip("0").rstrip("."),
                f"{lon:.5f}".rstrip("0").rstrip("."),
                population,
                zone,
                int(cols[0]),
            ))
    # Country, region and name order keeps similar lines together, which gzip rewards.
    places.sort(key=lambda p: (p[0], p[1], p[2], p[9]))
    return places


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cities", required=True)
    parser.add_argument("--admin1", required=True)
    parser.add_argument("--countries", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()

    places = read_places(args.cities, read_regions(args.admin1), read_countries(args.countries))
    text = io.StringIO()
    text.write(HEADER)
    above = (None, None, None)
    for country, region, name, ascii_name, alts, lat, lon, population, zone, _ in places:
        shared = [DITTO if value == before else value for value, before in zip((region, country, zone), above)]
        above = (region, country, zone)
        if ascii_name == name:
            ascii_name = ""
        text.write(f"{name}\t{ascii_name}\t{alts}\t{shared[0]}\t{shared[1]}\t{lat}\t{lon}\t{population}\t{shared[2]}\n")
    raw = text.getvalue().encode("utf-8")
    with open(args.out, "wb") as out:
        with gzip.GzipFile(filename="", mode="wb", fileobj=out, compresslevel=9, mtime=0) as gz:
            gz.write(raw)
    print(f"{len(places)} places, {len(raw)} bytes of text", file=sys.stderr)


if __name__ == "__main__":
    main()
