#!/usr/bin/env python3
"""Records what corvane-cli prints for a fixed set of 20,000 chart requests, as digests.

Every request is one `corvane-cli ... --json --pages` run. Its record is the command, the
exit status, standard error and standard output; the JSON output is first brought to one
layout (no "format" member, interpretation pages nested as pages.<lagna>.<field> with sorted
keys), so that the flat and the nested page layouts of the same chart compare equal.
Everything outside the pages is kept byte for byte as the program printed it.

  --record FILE   run every request and write the digest file
  --check FILE    run and compare with a digest file; exit 1 on any difference
  --sample        only the sample requests (every 40th), for a quick check
  --show N        print request N's command line
  --baseline PATH with --check: rerun differing requests with this binary and show
                  both normalised outputs' difference

Standard library only; the requests come from a private generator seeded with a constant,
so they are the same on every Python version.
"""

import argparse
import difflib
import hashlib
import json
import re
import multiprocessing
import os
import shlex
import subprocess
import sys

REQUEST_COUNT = 20000
SEED = 0x636F7276616E65  # fixed: the digest file is only valid for this request list
SAMPLE_STEP = 40
CHUNK_SIZE = 100
JOBS = 2
RUN_TIMEOUT_SECONDS = 120
DIGEST_VERSION = "corvane-cli chart outputs v1"
SHORT_HASH = 6  # hex digits of the part hashes kept for the sample records

# ---------------------------------------------------------------------------------------------
# Request generator


class SplitMix64:
    """A small, fully specified generator (so the requests never depend on Python's own)."""

    MASK = (1 << 64) - 1

    def __init__(self, seed):
        self.state = seed & self.MASK

    def next(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & self.MASK
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & self.MASK
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & self.MASK
        return z ^ (z >> 31)

    def below(self, n):
        return self.next() % n

    def between(self, low, high):
        return low + self.below(high - low + 1)

    def pick(self, items):
        return items[self.below(len(items))]

    def chance(self, percent):
        return self.below(100) < percent


ZONE_COUNT = 71
FIRST_YEAR, LAST_YEAR = 1901, 2050

PLACE_TEXTS = [
    "Delhi", "New Delhi", "Mumbai", "Chennai", "Kolkata", "Varanasi", "London", "New York",
    "São Paulo", "Zürich", "Reykjavík", "Tromsø", "Ushuaia", "Wellington", "Nuuk", "Québec",
    "Ålesund", "Kraków", "Malmö", "Århus", "Yellowknife", "McMurdo", "Honolulu", "Anchorage",
    "Punta Arenas", "Hobart", "Île-de-France", "Niederösterreich", "España", "Türkiye",
    "Côte d'Ivoire", "United States", "India", "UK", "Maharashtra", "Tamil Nadu",
    "नई दिल्ली", "東京", "Москва", "Αθήνα", "القاهرة", "🌍 Earth",
    "Say \"hello\"", "back\\slash", "slash/path", "comma, inside", "tab\there", "semi;colon",
    "  padded  ", "'quoted'", "100% sure", "<b>&amp;</b>", "a\x01b", "del\x7fchar", "",
    "x" * 120,
]
# Bytes that are not UTF-8: the JSON output replaces them.
RAW_PLACE_TEXTS = [b"Bogot\xe1", b"K\xf6ln", b"\xff\xfe", b"trail\xc3"]

SOLSTICES = [(6, 21), (12, 21)]
DAYS_IN_MONTH = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]


def month_days(year, month):
    leap = year % 4 == 0 and (year % 100 != 0 or year % 400 == 0)
    return 29 if month == 2 and leap else DAYS_IN_MONTH[month - 1]


def random_name(rng):
    letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
    words = ["".join(rng.pick(letters) for _ in range(rng.between(1, 10))) for _ in range(rng.between(1, 3))]
    name = " ".join(words)
    if rng.chance(5):
        name = " " + name + "  "
    return name


def random_date(rng):
    year = rng.between(FIRST_YEAR, LAST_YEAR)
    month = rng.between(1, 12)
    return year, month, rng.between(1, month_days(year, month))


def near_solstice(rng):
    year = rng.between(FIRST_YEAR, LAST_YEAR)
    month, day = rng.pick(SOLSTICES)
    day += rng.between(-9, 9)
    return year, month, day


def date_text(year, month, day):
    return "%04d-%02d-%02d" % (year, month, day)


def time_text(rng):
    hour, minute, second = rng.between(0, 23), rng.between(0, 59), rng.between(0, 59)
    style = rng.below(20)
    if style == 0:
        return "%d:%02d" % (hour, minute)  # no seconds
    if style == 1:
        return "%d:%d:%d" % (hour, minute, second)  # unpadded fields
    return "%02d:%02d:%02d" % (hour, minute, second)


def coordinate_text(rng, degrees, minutes, letter, width):
    style = rng.below(20)
    if style == 0:
        return "%0*d:%02d%s" % (width, degrees, minutes, letter)  # leading zeros
    if style == 1:
        return "%d:%d%s" % (degrees, minutes, letter)  # unpadded minutes
    if style == 2:
        letter = letter.lower()
    return "%d:%02d%s" % (degrees, minutes, letter)


def longitude_text(rng):
    if rng.chance(4):
        degrees, minutes = rng.pick([(0, 0), (179, 59), (179, 0), (0, 59), (179, rng.between(0, 59))])
    else:
        degrees, minutes = rng.between(0, 179), rng.between(0, 59)
    return coordinate_text(rng, degrees, minutes, rng.pick("EW"), 3)


def latitude_text(rng, polar):
    if polar:
        degrees = rng.between(66, 89)
    elif rng.chance(8):
        degrees = rng.between(60, 89)  # high latitudes on any date: some polar days, some not
    elif rng.chance(3):
        degrees = 0
    else:
        degrees = rng.between(0, 65)
    return coordinate_text(rng, degrees, rng.between(0, 59), rng.pick("NS"), 2)


def place_options(rng):
    options = []
    for option in ("--city", "--state", "--country"):
        if rng.chance(80):
            raw = rng.chance(2)
            options.append((option, rng.pick(RAW_PLACE_TEXTS) if raw else rng.pick(PLACE_TEXTS)))
    return options


def valid_options(rng, index, polar=False):
    """The options of an accepted request (a polar one may still get no sunrise)."""
    year, month, day = near_solstice(rng) if polar else random_date(rng)
    options = [
        ("--name", random_name(rng)),
        ("--date", date_text(year, month, day)),
        ("--time", time_text(rng)),
        ("--zone", str(index % ZONE_COUNT)),
        ("--lon", longitude_text(rng)),
        ("--lat", latitude_text(rng, polar)),
    ]
    if rng.chance(50):
        options.append(("--dst", None))
    options += place_options(rng)
    return options


def replace_option(options, name, value):
    return [(n, value if n == name else v) for n, v in options]


def bad_date(rng):
    year = rng.between(FIRST_YEAR, LAST_YEAR)
    return rng.pick([
        date_text(rng.pick([1899, 1900, 2051, 2052, 2100]), rng.between(1, 12), rng.between(1, 28)),
        date_text(year, 2, 30), date_text(year, 2, 31),
        date_text(rng.pick([1901, 1957, 1999, 2001, 2050]), 2, 29),  # no leap day in these years
        date_text(year, rng.pick([4, 6, 9, 11]), 31),
        date_text(year, 13, 1), date_text(year, 0, 10), date_text(year, 5, 32), date_text(year, 5, 0),
        "%04d/%02d/%02d" % (year, 5, 5), "%d-%d-%d" % (year, 5, 5), "21-06-1975",
    ])


def rejected_options(rng, index):
    """An input the program refuses (exit 2) or cannot parse (exit 64)."""
    options = valid_options(rng, index)
    kind = rng.below(12)
    if kind == 0:
        return replace_option(options, "--name", rng.pick(["JOHN2", "Anne-Marie", "O'Neil", "Dr. Rao", "Ravi_K",
                                                           "Zoë", "Ravi\tK", "", "   "]))
    if kind == 1:
        return replace_option(options, "--date", bad_date(rng))
    if kind == 2:
        return replace_option(options, "--time", rng.pick(["10:60:00", "24:00:00", "12:30:60", "99:00", "1030",
                                                           "10-30-00", "10:30:00:00", "a:30", "-1:30"]))
    if kind == 3:
        return replace_option(options, "--lon", rng.pick(["180:00E", "180:30W", "200:00E", "999:00W", "12:60E",
                                                          "12:99W", "1000:00E", "77E", "77:13", "77:13X",
                                                          "7a:13E", "77:1bE", ":13E", "77:W", "-77:13E"]))
    if kind == 4:
        return replace_option(options, "--lat", rng.pick(["90:00N", "90:00S", "95:10N", "45:60S", "45:99N",
                                                          "123:00N", "28N", "28:37", "28:37E", "2x:37N",
                                                          ":37N", "28:S", "28:377N"]))
    if kind == 5:
        return replace_option(options, "--zone", rng.pick(["71", "99", "999", "1000", "-1", "x", "", "29a"]))
    if kind == 6:
        missing = rng.pick(["--name", "--date", "--time", "--zone", "--lon", "--lat"])
        return [(n, v) for n, v in options if n != missing]
    if kind == 7:
        return options + [rng.pick([("--colour", "red"), ("--name", "AGAIN"), ("--zone", "3"), ("-j", None)])]
    if kind == 8:
        return replace_option(options, "--date", date_text(rng.pick([1900, 2051]), rng.between(1, 12), 1))
    if kind == 9:
        return replace_option(options, "--name", "")
    if kind == 10:
        return replace_option(options, "--time", "%02d:60:%02d" % (rng.between(0, 23), rng.between(0, 59)))
    return replace_option(options, "--lon", "180:%02d%s" % (rng.between(0, 59), rng.pick("EW")))


# Hand-picked requests, placed at every 40th position so that the sample holds them all.
EDGE_REQUESTS = [
    [("--name", "Edge"), ("--date", "1901-01-01"), ("--time", "00:00:00"), ("--zone", "0"),
     ("--lon", "0:00E"), ("--lat", "0:00N")],
    [("--name", "Edge"), ("--date", "2050-12-31"), ("--time", "23:59:59"), ("--zone", "70"),
     ("--lon", "179:59W"), ("--lat", "0:00S")],
    [("--name", "Edge"), ("--date", "2050-12-31"), ("--time", "23:59:59"), ("--zone", "36"),
     ("--lon", "179:59W"), ("--lat", "12:00S"), ("--dst", None)],
    [("--name", "Edge"), ("--date", "1901-01-01"), ("--time", "00:00:01"), ("--zone", "46"),
     ("--lon", "179:59E"), ("--lat", "12:00N"), ("--dst", None)],
    [("--name", "Leap"), ("--date", "2000-02-29"), ("--time", "12:00:00"), ("--zone", "29"),
     ("--lon", "0:00W"), ("--lat", "51:28N")],
    [("--name", "Leap"), ("--date", "1904-02-29"), ("--time", "06:30:30"), ("--zone", "34"),
     ("--lon", "77:13E"), ("--lat", "28:37N")],
    [("--name", "Leap"), ("--date", "2048-02-29"), ("--time", "18:45:15"), ("--zone", "61"),
     ("--lon", "74:00W"), ("--lat", "40:43N")],
    [("--name", "Polar"), ("--date", "1975-06-21"), ("--time", "12:00:00"), ("--zone", "29"),
     ("--lon", "18:57E"), ("--lat", "69:39N")],
    [("--name", "Polar"), ("--date", "1975-06-21"), ("--time", "12:00:00"), ("--zone", "29"),
     ("--lon", "166:40E"), ("--lat", "77:51S")],
    [("--name", "Polar"), ("--date", "2020-12-21"), ("--time", "03:04:05"), ("--zone", "29"),
     ("--lon", "0:00E"), ("--lat", "89:59N")],
    [("--name", "Polar"), ("--date", "2020-12-21"), ("--time", "03:04:05"), ("--zone", "29"),
     ("--lon", "0:00E"), ("--lat", "89:59S")],
    [("--name", "Polar"), ("--date", "2020-03-20"), ("--time", "03:04:05"), ("--zone", "29"),
     ("--lon", "0:00E"), ("--lat", "89:59N")],
    [("--name", "Circle"), ("--date", "1990-06-21"), ("--time", "23:59:59"), ("--zone", "29"),
     ("--lon", "25:00E"), ("--lat", "66:33N")],
    [("--name", "Sixty"), ("--date", "1990-01-15"), ("--time", "01:02:03"), ("--zone", "29"),
     ("--lon", "60:00W"), ("--lat", "60:00S")],
    [("--name", "Midnight"), ("--date", "1999-12-31"), ("--time", "00:00:00"), ("--zone", "34"),
     ("--lon", "88:22E"), ("--lat", "22:34N")],
    [("--name", "Noon"), ("--date", "2024-03-20"), ("--time", "12:00:00"), ("--zone", "61"),
     ("--lon", "0:00E"), ("--lat", "0:00N")],
    [("--name", "bad year"), ("--date", "1900-12-31"), ("--time", "23:59:59"), ("--zone", "29"),
     ("--lon", "0:00E"), ("--lat", "0:00N")],
    [("--name", "bad year"), ("--date", "2051-01-01"), ("--time", "00:00:00"), ("--zone", "29"),
     ("--lon", "0:00E"), ("--lat", "0:00N")],
    [("--name", "Feb"), ("--date", "1975-02-30"), ("--time", "10:00:00"), ("--zone", "29"),
     ("--lon", "0:00E"), ("--lat", "0:00N")],
    [("--name", "Feb"), ("--date", "1900-02-29"), ("--time", "10:00:00"), ("--zone", "29"),
     ("--lon", "0:00E"), ("--lat", "0:00N")],
    [("--name", "Minute"), ("--date", "1975-06-21"), ("--time", "10:60:00"), ("--zone", "29"),
     ("--lon", "0:00E"), ("--lat", "0:00N")],
    [("--name", "Lon"), ("--date", "1975-06-21"), ("--time", "10:00:00"), ("--zone", "29"),
     ("--lon", "180:00E"), ("--lat", "0:00N")],
    [("--name", "Lat"), ("--date", "1975-06-21"), ("--time", "10:00:00"), ("--zone", "29"),
     ("--lon", "10:00E"), ("--lat", "90:00S")],
    [("--name", ""), ("--date", "1975-06-21"), ("--time", "10:00:00"), ("--zone", "29"),
     ("--lon", "10:00E"), ("--lat", "10:00S")],
    [("--name", "R2D2"), ("--date", "1975-06-21"), ("--time", "10:00:00"), ("--zone", "29"),
     ("--lon", "10:00E"), ("--lat", "10:00S")],
    [("--name", "Zone"), ("--date", "1975-06-21"), ("--time", "10:00:00"), ("--zone", "71"),
     ("--lon", "10:00E"), ("--lat", "10:00S")],
    [("--name", "Shape"), ("--date", "1975-6-21"), ("--time", "10:00:00"), ("--zone", "29"),
     ("--lon", "10:00E"), ("--lat", "10:00S")],
    [("--name", "Places"), ("--date", "1984-08-08"), ("--time", "08:08:08"), ("--zone", "26"),
     ("--lon", "23:43E"), ("--lat", "37:58N"), ("--city", "Αθήνα"), ("--state", "Say \"hi\" \\ /"),
     ("--country", b"Gr\xe8ce")],
]


def request_options(index):
    """The (option, value) pairs of request `index`; value None for a flag."""
    if index % SAMPLE_STEP == 0 and index // SAMPLE_STEP < len(EDGE_REQUESTS):
        return EDGE_REQUESTS[index // SAMPLE_STEP]
    rng = SplitMix64(SEED * 1000003 + index)
    roll = rng.below(1000)
    if roll < 40:
        options = rejected_options(rng, index)
    else:
        options = valid_options(rng, index, polar=roll < 75)
    if rng.chance(20):  # the program takes options in any order
        for i in range(len(options) - 1, 0, -1):
            j = rng.below(i + 1)
            options[i], options[j] = options[j], options[i]
    return options


def request_args(index):
    """The program arguments of request `index`, as bytes."""
    args = []
    for name, value in request_options(index):
        args.append(name.encode())
        if value is not None:
            args.append(value if isinstance(value, bytes) else value.encode("utf-8"))
    return args + [b"--json", b"--pages"]


def shell_word(arg):
    """One argument quoted for a POSIX shell; bytes that are not UTF-8 use $'\\xNN'."""
    try:
        text = arg.decode("utf-8")
        if text.isprintable():
            return shlex.quote(text)
    except UnicodeDecodeError:
        pass
    out = []
    for byte in arg:
        char = chr(byte)
        if byte < 0x20 or byte >= 0x7F or char in "'\\":
            out.append("\\x%02x" % byte)
        else:
            out.append(char)
    return "$'" + "".join(out) + "'"


def command_line(index, binary="corvane-cli"):
    return " ".join([shlex.quote(binary)] + [shell_word(a) for a in request_args(index)])


# ---------------------------------------------------------------------------------------------
# Normalisation of the JSON output

LAGNA_SUFFIXES = ["AL", "BL", "HL", "GL", "SrL", "IL", "PL", "UL", "VL", "CL", "SL", "Ascendant"]
LAGNA_KEYS = set(LAGNA_SUFFIXES) | {"PpL"}
ATTRIBUTE_FIELDS = {
    "lblArudhaLagnaPresentInSign": "present_in_sign",
    "lblVedicName": "vedic_name",
    "lblEnglishName": "english_name",
    "lblRullingPlanet": "ruling_planet",
    "lblSymbol": "symbol",
    "lblNature": "element",
    "lblColor": "color",
    "lblTypeOfSign": "type_of_sign",
    "lblGender": "gender",
    "lblBestPeriodOfActivity": "best_period_of_activity",
    "lblBarren": "barren",
    "lblCaste": "caste",
    "lblPosition": "position",
    "lblConstituentCharacter": "constituent_character",
    "lblLuckyDays": "lucky_days",
    "lblLuckyNumbers": "lucky_numbers",
    "lblBestDirection": "best_direction",
    "lblLuckyColors": "lucky_colors",
    "lblLuckyGemstone": "lucky_gemstone",
    "lblPartOfTheBody": "part_of_the_body",
    "lblPhysique": "physique",
    "txtLooks": "looks",
    "txtNature": "nature",
    "txtCareerAndFinance": "career_and_finance",
    "txtLoveAndDomesticLife": "love_and_domestic_life",
    "txtHealth": "health",
    "lblCompatibleWith": "compatible_with",
    "lblNotCompatibleWith": "not_compatible_with",
}
# Longest first, so that a part that begins like a shorter one is matched whole.
ATTRIBUTE_PREFIXES = sorted(ATTRIBUTE_FIELDS, key=len, reverse=True)
SINGLE_FIELDS = {
    "lblHoraDesc": ("HL", "house_text"),
    "lblHouseDesc": ("PpL", "house_text"),
    "Label8(108)": ("PpL", "caption"),
    "ArudhaReading": ("AL", "reading"),
    "UpapadaReading": ("UL", "reading"),
}


class OutputError(Exception):
    """Output this script cannot bring to the common layout."""


def flat_page_key(key):
    """(lagna, field) of a flat page key."""
    if key in SINGLE_FIELDS:
        return SINGLE_FIELDS[key]
    for prefix in ATTRIBUTE_PREFIXES:
        if key.startswith(prefix) and key[len(prefix):] in LAGNA_SUFFIXES:
            return key[len(prefix):], ATTRIBUTE_FIELDS[prefix]
    raise OutputError("unknown page key %r" % key)


_DECODER = json.JSONDecoder()
_WHITESPACE = " \t\n\r"


def _skip(text, pos):
    while pos < len(text) and text[pos] in _WHITESPACE:
        pos += 1
    return pos


def _expect(text, pos, char):
    if pos >= len(text) or text[pos] != char:
        raise OutputError("expected %r at offset %d" % (char, pos))
    return pos + 1


def object_members(text, pos):
    """The members of the JSON object starting at `pos`, as (key, key_start, value_start,
    value_end), and the offset after the object. Values are only delimited, never rebuilt."""
    pos = _expect(text, _skip(text, pos), "{")
    members = []
    pos = _skip(text, pos)
    if pos < len(text) and text[pos] == "}":
        return members, pos + 1
    while True:
        key_start = pos
        if pos >= len(text) or text[pos] != '"':
            raise OutputError("expected a member name at offset %d" % pos)
        try:
            key, pos = _DECODER.raw_decode(text, pos)
            pos = _expect(text, _skip(text, pos), ":")
            value_start = _skip(text, pos)
            _, value_end = _DECODER.raw_decode(text, value_start)
        except json.JSONDecodeError as e:
            raise OutputError(str(e)) from None
        if any(m[0] == key for m in members):
            raise OutputError("member %r appears twice" % key)
        members.append((key, key_start, value_start, value_end))
        pos = _skip(text, value_end)
        if pos < len(text) and text[pos] == ",":
            pos = _skip(text, pos + 1)
            continue
        return members, _expect(text, pos, "}")


# JSON tokens for re-indenting a value: strings, numbers and literals are kept as written.
def _tokens(text):
    pos = _skip(text, 0)
    while pos < len(text):
        char = text[pos]
        if char in "{}[]:,":
            yield char
            pos += 1
        else:
            start = pos
            if char == '"':
                _, pos = _DECODER.raw_decode(text, pos)
            else:
                while pos < len(text) and text[pos] not in _WHITESPACE + "{}[]:,":
                    pos += 1
            yield text[start:pos]
        pos = _skip(text, pos)


def reindent(value, depth):
    """A JSON value's text laid out with two-space indentation as if it sat at `depth`;
    the tokens themselves are unchanged."""
    if value.startswith('"'):
        return value
    out = []
    level = depth
    previous = None
    for token in _tokens(value):
        if token in "]}":
            level -= 1
            if previous not in ("[", "{"):
                out.append("\n" + "  " * level)
            out.append(token)
        elif token == ",":
            out.append(",\n" + "  " * level)
        elif token == ":":
            out.append(": ")
        else:
            if previous in ("[", "{"):
                out.append("\n" + "  " * level)
            out.append(token)
            if token in "[{":
                level += 1
        previous = token
    return "".join(out)


def nested_pages(text, start):
    """The pages object at `start`, flat or nested, as {lagna: {field: value text}}."""
    members, _ = object_members(text, start)
    pages = {}

    def put(lagna, field, value):
        fields = pages.setdefault(lagna, {})
        if field in fields:
            raise OutputError("page field %s.%s given twice" % (lagna, field))
        fields[field] = value

    for key, _, value_start, value_end in members:
        if key in LAGNA_KEYS and text[value_start] == "{":
            for field, _, field_start, field_end in object_members(text, value_start)[0]:
                put(key, field, text[field_start:field_end])
        else:
            lagna, field = flat_page_key(key)
            put(lagna, field, text[value_start:value_end])
    return pages


def render_object(members, depth, render_value):
    """{name: value} laid out like the program's JSON at `depth`, names sorted."""
    inner = "  " * (depth + 1)
    lines = ["%s%s: %s" % (inner, json.dumps(k), render_value(members[k], depth + 1)) for k in sorted(members)]
    return "{\n" + ",\n".join(lines) + "\n" + "  " * depth + "}" if lines else "{}"


def render_lagna(fields, depth):
    return render_object(fields, depth, reindent)


# Top-level members that later versions add: the layout number and the calculation settings.
ADDED_MEMBERS = ("format", "settings")

# A warning that later versions write before the chart when a daylight zone row is ticked
# for daylight saving as well; the chart itself is unchanged.
_DOUBLE_DST_WARNING = re.compile(rb"corvane-cli: warning: The zone [^\n]* counts that hour twice\.\n")


def normalise_stderr(stderr):
    return _DOUBLE_DST_WARNING.sub(b"", stderr)


# Members that later versions add at the end of "birth" when known: the zone id and the
# place. The offset of the clock from UT (utc_offset_seconds) is compared: it is what every
# output and the chart file take the clock from.
_ADDED_BIRTH_MEMBERS = re.compile(r',\n    "(?:tz|place)": "(?:[^"\\]|\\.)*"')


def normalise_json(text):
    """The output in the common layout, and its parts {name: text} for locating differences."""
    text = _ADDED_BIRTH_MEMBERS.sub("", text)
    members, _ = object_members(text, 0)
    pieces = []
    parts = {}
    cursor = 0
    for i, (key, key_start, value_start, value_end) in enumerate(members):
        if key in ADDED_MEMBERS:
            # Drop the member with the separator that follows it (or, when last, precedes it).
            if i + 1 < len(members):
                pieces.append(text[cursor:key_start])
                cursor = members[i + 1][1]
            else:
                earlier = members[i - 1][3] if i > 0 else _skip(text, 0) + 1
                pieces.append(text[cursor:earlier])
                cursor = value_end
            continue
        if key == "pages":
            pages = nested_pages(text, value_start)
            pieces.append(text[cursor:value_start])
            pieces.append(render_object(pages, 1, render_lagna))
            cursor = value_end
            for lagna in pages:
                parts["pages." + lagna] = render_lagna(pages[lagna], 2)
        else:
            parts[key] = text[value_start:value_end]
    pieces.append(text[cursor:])
    return "".join(pieces), parts


def normalise_stdout(stdout):
    """Standard output in the common layout; output that is not a JSON object stays as it is."""
    try:
        text = stdout.decode("utf-8")
    except UnicodeDecodeError:
        return stdout, {"stdout": stdout}
    if not text.lstrip(_WHITESPACE).startswith("{"):
        return stdout, {"stdout": stdout}
    normalised, parts = normalise_json(text)
    return normalised.encode("utf-8"), {k: v.encode("utf-8") for k, v in parts.items()}


# ---------------------------------------------------------------------------------------------
# Running and recording


def program_environment():
    env = dict(os.environ)
    env["LC_ALL"] = "C"
    env["TZ"] = "UTC"
    return env


def run_request(binary, index):
    """Runs one request: (record bytes, parts) with standard output normalised."""
    args = request_args(index)
    try:
        done = subprocess.run([binary] + args, stdin=subprocess.DEVNULL, capture_output=True,
                              timeout=RUN_TIMEOUT_SECONDS, env=program_environment())
        status, stdout, stderr = str(done.returncode), done.stdout, done.stderr
    except subprocess.TimeoutExpired as e:
        status, stdout, stderr = "timeout", e.stdout or b"", e.stderr or b""
    try:
        normalised, parts = normalise_stdout(stdout)
    except OutputError as e:
        raise OutputError("request %d: %s\n  %s" % (index, e, command_line(index, binary))) from None
    stderr = normalise_stderr(stderr)
    parts = dict(parts, exit=status.encode(), stderr=stderr)
    record = b"".join([
        b"command ", " ".join(shell_word(a) for a in args).encode(), b"\n",
        b"exit ", status.encode(), b"\n",
        b"stderr %d\n" % len(stderr), stderr, b"\n",
        b"stdout %d\n" % len(normalised), normalised, b"\n",
    ])
    return record, parts


def _digest_task(job):
    binary, index = job
    record, parts = run_request(binary, index)
    short = {name: hashlib.sha256(value).hexdigest()[:SHORT_HASH] for name, value in parts.items()}
    return index, hashlib.sha256(record).digest(), short, parts["exit"].decode()


def run_all(binary, indices, jobs):
    """{index: (record digest, part hashes)} for the given requests, run `jobs` at a time,
    and how many ended with each exit status."""
    results = {}
    statuses = {}
    tasks = [(binary, i) for i in indices]
    with multiprocessing.Pool(jobs) as pool:
        for index, digest, short, status in pool.imap_unordered(_digest_task, tasks, chunksize=8):
            results[index] = (digest, short)
            statuses[status] = statuses.get(status, 0) + 1
    return results, statuses


def status_summary(statuses):
    return ", ".join("%s: %d" % (s, n) for s, n in sorted(statuses.items(), key=lambda item: item[0]))


def sample_indices():
    return list(range(0, REQUEST_COUNT, SAMPLE_STEP))


def requests_digest():
    h = hashlib.sha256()
    for i in range(REQUEST_COUNT):
        h.update(b"\0".join(request_args(i)) + b"\n")
    return h.hexdigest()


# Part order of the sample lines: the members of an old output, then the pages by lagna.
PART_NAMES = (["exit", "stderr", "stdout", "birth", "ayanamsa", "bodies", "sunrise", "sunset", "reference_sunrise",
               "minutes_since_sunrise", "seconds_since_sunrise", "sunrise_sun", "lagnas", "hora_house",
               "pranapada_house", "chart_boxes", "lagna_boxes", "readings"]
              + ["pages." + l for l in sorted(LAGNA_KEYS)])


def digest_lines(results):
    lines = ["# %s: %d requests `corvane-cli ... --json --pages`, seed %#x; sha256 of each record "
             "(command, exit status, stderr, stdout in the common page layout); overall and chunks "
             "hash the record digests in order; sample = every %dth request" %
             (DIGEST_VERSION, REQUEST_COUNT, SEED, SAMPLE_STEP)]
    lines.append("requests " + requests_digest())
    ordered = [results[i][0] for i in range(REQUEST_COUNT)]
    lines.append("overall " + hashlib.sha256(b"".join(ordered)).hexdigest())
    for c in range(0, REQUEST_COUNT, CHUNK_SIZE):
        lines.append("chunk %d %s" % (c, hashlib.sha256(b"".join(ordered[c:c + CHUNK_SIZE])).hexdigest()))
    lines.append("parts " + " ".join(PART_NAMES))
    for i in sample_indices():
        digest, short = results[i]
        lines.append("sample %d %s %s" % (i, digest.hex(), " ".join(short.get(p, "-") for p in PART_NAMES)))
    return lines


def parse_digest(path):
    recorded = {"chunks": {}, "samples": {}}
    with open(path, encoding="utf-8") as f:
        for line in f:
            words = line.split()
            if not words or words[0].startswith("#"):
                continue
            if words[0] in ("requests", "overall"):
                recorded[words[0]] = words[1]
            elif words[0] == "chunk":
                recorded["chunks"][int(words[1])] = words[2]
            elif words[0] == "parts":
                recorded["parts"] = words[1:]
            elif words[0] == "sample":
                recorded["samples"][int(words[1])] = (words[2], words[3:])
    return recorded


def show_difference(index, binary, baseline, recorded_parts, new_parts):
    print("request %d differs:\n  %s" % (index, command_line(index)))
    if recorded_parts is not None:
        changed = [p for p, old in recorded_parts.items() if new_parts.get(p, "-") != old]
        changed += [p for p in new_parts if p not in recorded_parts]
        print("  parts that differ: " + (", ".join(changed) if changed else "none (layout or member order)"))
    if baseline:
        old_record, _ = run_request(baseline, index)
        new_record, _ = run_request(binary, index)
        old_lines = old_record.decode("utf-8", "replace").splitlines()
        new_lines = new_record.decode("utf-8", "replace").splitlines()
        diff = list(difflib.unified_diff(old_lines, new_lines, "baseline", "checked", lineterm="", n=2))
        for line in diff[:80]:
            print("    " + line)
        if len(diff) > 80:
            print("    ... %d more diff lines" % (len(diff) - 80))
        if not diff:
            print("    (the baseline binary prints the same: it is not the binary the digest was recorded from)")


def check(args):
    recorded = parse_digest(args.check)
    if recorded.get("requests") != requests_digest():
        print("the requests differ from the recorded ones: the digest belongs to another version of this script")
        return 1
    indices = sample_indices() if args.sample else range(REQUEST_COUNT)
    results, statuses = run_all(args.binary, indices, args.jobs)
    differing = []
    for i in sample_indices():
        digest, short = results[i]
        if recorded["samples"].get(i, ("",))[0] != digest.hex():
            old_short = dict(zip(recorded["parts"], recorded["samples"][i][1])) if i in recorded["samples"] else {}
            differing.append((i, {p: h for p, h in old_short.items() if h != "-"}, short))
    differing_chunks = []
    if not args.sample:
        ordered = [results[i][0] for i in range(REQUEST_COUNT)]
        overall = hashlib.sha256(b"".join(ordered)).hexdigest()
        for c in range(0, REQUEST_COUNT, CHUNK_SIZE):
            if recorded["chunks"].get(c) != hashlib.sha256(b"".join(ordered[c:c + CHUNK_SIZE])).hexdigest():
                differing_chunks.append(c)
        if overall != recorded.get("overall") and not differing_chunks:
            differing_chunks = [None]
    if not differing and not differing_chunks:
        print("all %d checked chart outputs are unchanged (exit statuses %s)" % (len(results), status_summary(statuses)))
        return 0

    shown = set()
    for index, old_short, new_short in differing[:args.show_limit]:
        show_difference(index, args.binary, args.baseline, old_short, new_short)
        shown.add(index)
    for c in differing_chunks:
        if c is None:
            print("the overall digest differs, but no chunk does: the digest file is inconsistent")
            continue
        print("requests %d to %d differ (chunk %d)" % (c, c + CHUNK_SIZE - 1, c))
        if args.baseline and len(shown) < args.show_limit:
            chunk = range(c, c + CHUNK_SIZE)
            old, _ = run_all(args.baseline, chunk, args.jobs)
            for i in chunk:
                if old[i][0] != results[i][0] and i not in shown and len(shown) < args.show_limit:
                    show_difference(i, args.binary, args.baseline, old[i][1], results[i][1])
                    shown.add(i)
    if differing_chunks and not args.baseline:
        print("(rerun with --baseline OLD_BINARY to see the differing requests' outputs)")
    print("%d of %d sample records differ%s" % (len(differing), len(sample_indices()),
                                               "" if args.sample else ", %d chunks differ" % len(differing_chunks)))
    return 1


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    action = parser.add_mutually_exclusive_group(required=True)
    action.add_argument("--record", metavar="FILE", help="write the digest file")
    action.add_argument("--check", metavar="FILE", help="compare with a digest file")
    action.add_argument("--show", metavar="N", type=int, help="print request N's command line")
    parser.add_argument("--binary", metavar="PATH", help="the corvane-cli to run")
    parser.add_argument("--sample", action="store_true", help="only every %dth request" % SAMPLE_STEP)
    parser.add_argument("--baseline", metavar="PATH", help="with --check: old binary to diff against")
    parser.add_argument("--jobs", type=int, default=JOBS, help="programs run at a time (default %d)" % JOBS)
    parser.add_argument("--show-limit", type=int, default=5, help="differing requests shown (default 5)")
    args = parser.parse_args()

    if args.show is not None:
        if not 0 <= args.show < REQUEST_COUNT:
            parser.error("requests are numbered 0 to %d" % (REQUEST_COUNT - 1))
        print(command_line(args.show, args.binary or "corvane-cli"))
        return 0
    if not args.binary:
        parser.error("--binary is required")
    if args.record and args.sample:
        parser.error("a digest file is recorded from all requests")
    try:
        if args.record:
            results, statuses = run_all(args.binary, range(REQUEST_COUNT), args.jobs)
            with open(args.record, "w", encoding="utf-8", newline="\n") as f:
                f.write("\n".join(digest_lines(results)) + "\n")
            print("recorded %d chart outputs in %s (exit statuses %s)" % (REQUEST_COUNT, args.record,
                                                                       status_summary(statuses)))
            return 0
        return check(args)
    except OutputError as e:
        print("cannot bring an output to the common layout: %s" % e, file=sys.stderr)
        return 2


if __name__ == "__main__":
    sys.exit(main())
