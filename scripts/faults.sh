#!/usr/bin/env bash
# Deliberate faults: each one is a small change of source text that a test must notice.
# The script copies the source tree (with its uncommitted changes) into a temporary folder,
# builds it there once, then for each fault: writes the fault into the copy, builds the
# targets the fault needs, runs the tests expected to catch it, and puts the file back.
# The working tree is never touched.
#
#   scripts/faults.sh               run every fault, print a table
#   scripts/faults.sh NAME...       run the named faults only
#   scripts/faults.sh --list        list the faults
#   scripts/faults.sh --aim         check that each fault's code text is still in its file, once
#   scripts/faults.sh --keep ...    keep the temporary copy (its path is printed)
#
# A fault names its file, the exact code text it replaces (which must occur exactly once, so
# a fault that no longer fits the code says so instead of testing nothing), the replacement,
# the build targets and the ctest regex of the tests expected to catch it. The result of a
# fault is "caught by TEST..." when a test of the regex fails, "NOT caught" when all pass,
# "not applied" when its code text is gone, and "does not build" when the fault breaks the
# build (a fault must be a plausible program, so that is a defect of the list).
# Exit status: 0 when every fault was caught, 1 otherwise.
set -euo pipefail

SOURCE=$(cd "$(dirname "$0")/.." && pwd)
JOBS=${JOBS:-2}

# ---------------------------------------------------------------------------------------------
# The faults: name | file | code text | replacement | build targets | ctest regex | what it breaks
FAULTS=()
fault() { FAULTS+=("$(printf '%s\x1f' "$@")"); }

fault offset-sign app/birth_zone.cpp \
  '+ (daylightSaving ? 3600 : 0)' \
  '- (daylightSaving ? 3600 : 0)' \
  'corvane-cli corvane_cli_tests corvane_app_tests' 'ZoneCliTest\.|ChartValue\.' \
  'the shown offset of a ticked zone row goes an hour the wrong way'
fault doubled-hour-swapped app/birth_zone.cpp \
  'repeated == RepeatedTimeChoice::kEarlier ? DoubledHour::kEarlier : DoubledHour::kLater' \
  'repeated == RepeatedTimeChoice::kEarlier ? DoubledHour::kLater : DoubledHour::kEarlier' \
  'corvane-cli corvane_cli_tests' 'ZoneCliTest\.|EveryRoad\.' \
  'the earlier and later readings of a doubled hour are swapped'
fault pada-wrong-house lagna/arudha_padas.cpp \
  'const int lordSign = bodySigns[lords[static_cast<std::size_t>(sign)]];' \
  'const int lordSign = bodySigns[lords[static_cast<std::size_t>((sign + 1) % 12)]];' \
  'corvane_lagna_tests' 'ArudhaPada|SpecialLagna' \
  'each pada counts to the lord of the next house'
fault polar-message-day app/chart_calculation.cpp \
  'if (!previous.ok()) return {PolarMessage(before)};' \
  'if (!previous.ok()) return {PolarMessage(after)};' \
  'corvane-cli corvane_app_tests corvane_cli_tests' 'ChartCalculation\.|PolarDateCliTest\.' \
  'a polar day before the birth is reported as the day after'
fault setting-default app/calculation_settings.h \
  'PranapadaSun pranapadaSun = PranapadaSun::kAtSunrise;' \
  'PranapadaSun pranapadaSun = PranapadaSun::kAtBirth;' \
  'corvane-cli corvane_conventions_tests corvane_cli_tests' 'SettingTable\.|CalculationSettingsChecks\.|PranapadaSun\.' \
  'the Pranapada convention defaults to the Sun at birth'
fault node-shift astro/planets.cpp \
  'MeanNodeLongitude(d) - kNodeShiftDeg' \
  'MeanNodeLongitude(d)' \
  'corvane_astro_tests' 'Planets|PositionsReference' \
  'Rahu and Ketu lose the long-standing one-degree node shift'
fault offset-sign-in-ut astro/ut_instant.cpp \
  'const int behind = -utcOffsetSeconds;' \
  'const int behind = utcOffsetSeconds;' \
  'corvane_astro_tests corvane_app_tests' 'TimeScales|UtInstant|ChartCalculation|ChartValue' \
  'UT is taken as the clock plus the offset instead of minus it'
fault offset-sign-in-sunrise astro/sunrise.cpp \
  'if (utcOffsetSeconds < 0) zone = -zone;' \
  'if (utcOffsetSeconds > 0) zone = -zone;' \
  'corvane_astro_tests corvane_app_tests' 'Sunrise|ChartCalculation|ChartValue' \
  'the almanac sunrise takes a clock east of Greenwich as west of it'
fault almanac-zenith astro/sunrise.cpp \
  'CZ = -0.0145439;' \
  'CZ = +0.0145439;' \
  'corvane_astro_tests' 'Sunrise' \
  'the official zenith is taken 50 minutes of arc above the horizon instead of below'
fault precise-range astro/swiss_ephemeris.cpp \
  'if (t.year < kPreciseFirstYear || t.year > kPreciseLastYear)' \
  'if (t.year < kPreciseFirstYear || t.year >= kPreciseLastYear)' \
  'corvane_conventions_tests' 'SwissEngine' \
  'the precise engine refuses its own last year'
fault ninth-lord-kala lagna/arudha_padas.cpp \
  '{10, 1, 1, 10, 6, 10, 8, 16, 30, 8, 10, 6}' \
  '{10, 1, 1, 10, 6, 10, 8, 16, 30, 8, 6, 10}' \
  'corvane_lagna_tests' 'ArudhaPada|SpecialLagna|Indu' \
  'the kala of the 9th lords of Aquarius and Pisces are swapped'
fault polar-exit-status cli/exit_status.h \
  'kExitPolar = 3;' \
  'kExitPolar = 2;' \
  'corvane-cli corvane_cli_tests' 'Cli|Documents' \
  'a polar date leaves with the status of a refused input'
fault data-missing-words app/ephemeris_messages.cpp \
  'install the Debian package swe-standard-data.' \
  'install the data files.' \
  'corvane_conventions_tests' 'SwissEngine' \
  'the missing-data message loses the package to install'
fault surya-sun-swapped lagna/special_lagnas.cpp \
  'in.suryaSun == SuryaSun::kAtBirth ? in.birthDeg[kSun] : in.sunAtSunriseDeg' \
  'in.suryaSun == SuryaSun::kAtBirth ? in.sunAtSunriseDeg : in.birthDeg[kSun]' \
  'corvane-cli corvane_conventions_tests' 'SuryaSun|TheSuryaLagna' \
  'the Surya lagna takes the Sun at sunrise for birth and the other way round'
fault option-skips-a-setting cli/settings_options.cpp \
  'if (const std::optional<std::string_view> text = valueOf(row.option))' \
  'if (const std::optional<std::string_view> text = valueOf(row.option); text && &row != &kSettingRows.back())' \
  'corvane-cli corvane_conventions_tests' 'EverySettingGoesThrough|AnUnknownChoiceIsRefused' \
  'the last setting of the table is not read from its option'
fault batch-skips-a-setting cli/batch_run.cpp \
  'for (std::size_t k = 0; k < kSettingCount && !refusal; ++k)' \
  'for (std::size_t k = 0; k + 1 < kSettingCount && !refusal; ++k)' \
  'corvane-cli corvane_conventions_tests' 'EverySettingGoesThrough|AnUnknownChoiceIsRefused' \
  'the last setting column of a batch row is ignored'
fault preset-skips-surya app/calculation_settings.cpp \
  'if (row.exactKey.empty()) continue;' \
  'if (row.exactKey.empty() || row.key == "surya_sun") continue;' \
  'corvane-cli corvane_conventions_tests' 'CalculationSettingsNames|TheSuryaLagna' \
  'the exact preset leaves the Surya Sun at sunrise'
fault unknown-choice-accepted app/calculation_settings.cpp \
  'if (!row.chosenIn(s))' \
  'if (false && !row.chosenIn(s))' \
  'corvane_conventions_tests' 'SettingTable' \
  'a setting holding no choice is calculated with instead of refused'

fault pdf-computes-its-sweep report/report_writer.cpp \
  'const ReportLayout layout(chart, fields, &device, body.size(), sweep, vargas);' \
  'const BirthSweep own = SweepOfChart(chart, kDefaultPrintedSweepMinutes); const ReportLayout layout(chart, fields, &device, body.size(), sweep ? &own : nullptr, vargas);' \
  'corvane-cli corvane_report_module corvane_report_tests' 'CliReportTest\.' \
  'the printed reading computes a sweep of its own instead of drawing the one handed to it'
fault batch-pdf-drops-row-sweep cli/batch_run.cpp \
  'if (const int status = eachChart_(chart, sweep, line_); status != 0) {' \
  'if (const int status = eachChart_(chart, nullptr, line_); status != 0) {' \
  'corvane-cli corvane_report_module corvane_report_tests' 'CliReportTest\.Batch' \
  'a batch PDF prints the usual sweep window instead of its row'"'"'s own sweep'
fault settings-from-widgets ui/app_controller.cpp \
  'ChartRequest request = RequestOf(*chart_);' \
  'ChartRequest request = input_->chartRequest();' \
  'test_conventions_ui' 'test_conventions_ui' \
  'new settings recalculate what the form'"'"'s fields hold instead of the chart'"'"'s own request'
fault body-sign-aries app/chart.h \
  'if (sign < 0 || sign > 11) return std::nullopt;' \
  'if (sign < 0 || sign > 11) return 0;' \
  'corvane_cli_tests' 'BodySign\.' \
  'a body without a sign is shown as standing in Aries'
fault varga-start-shifted lagna/vargas.cpp \
  'default: return (StartSign(n, sign) + part) % 12;' \
  'default: return (StartSign(n, (sign + 1) % 12) + part) % 12;' \
  'corvane_lagna_tests' 'Varga' \
  'each varga counts from the start sign of the next rasi sign'
fault vargas-line-ten cli/vargas_json.cpp \
  "{{'1', '0'}, 2}," \
  "{{'1', '0'}, 1}," \
  'corvane_cli_tests' 'VargasJson\.' \
  'a batch line writes the varga sign 10, Aquarius, as 1'
fault pada-table-house-lord lagna/arudha_padas.h \
  'PadaSignNumber(house + 1, lord + 1) - 1;' \
  'PadaSignNumber(lord + 1, house + 1) - 1;' \
  'corvane_lagna_tests' 'ArudhaPadas|VargaPadas|SpecialLagna' \
  'the pada table is filled with the house and its lord swapped'
fault varga-marks-single-lords lagna/vargas.cpp \
  'ComputeArudhaPadas(varga.bodySigns, varga.lords)' \
  'ComputeArudhaPadas(varga.bodySigns)' \
  'corvane_lagna_tests' 'Vargas\.' \
  "a varga chart's pada marks ignore the co-lords the varga chose"
fault varga-pada-twelfth lagna/vargas.cpp \
  'const int twelfth = ascendant == 0 ? 11 : ascendant - 1;' \
  'const int twelfth = ascendant == 11 ? 0 : ascendant + 1;' \
  'corvane_lagna_tests' 'Varga' \
  "each varga's Upapada is counted from the 2nd house instead of the 12th"
fault indu-rule-swapped lagna/special_lagnas.cpp \
  'kCounts[static_cast<std::size_t>(rule)]' \
  'kCounts[rule == InduRule::kFromMoon ? 0u : 1u]' \
  'corvane_lagna_tests' 'Varga|Indu|SpecialLagna' \
  "the Indu lagna is counted by the other Indu rule"
# ---------------------------------------------------------------------------------------------

field() { local IFS=$'\x1f'; read -r -a parts <<<"$1"; printf '%s' "${parts[$2]}"; }

if [[ ${1:-} == --list ]]; then
  for f in "${FAULTS[@]}"; do printf '%-22s %-30s %s\n' "$(field "$f" 0)" "$(field "$f" 1)" "$(field "$f" 6)"; done
  exit 0
fi
# --aim: does each fault's code text still occur exactly once in its file? (no build)
if [[ ${1:-} == --aim ]]; then
  status=0
  for f in "${FAULTS[@]}"; do
    n=$(python3 -c 'import sys; print(open(sys.argv[1], encoding="utf-8").read().count(sys.argv[2]))' \
        "$SOURCE/$(field "$f" 1)" "$(field "$f" 2)" 2>/dev/null || echo 0)
    [[ $n == 1 ]] && r=aimed || { r="found $n times"; status=1; }
    printf '%-22s %-30s %s\n' "$(field "$f" 0)" "$(field "$f" 1)" "$r"
  done
  exit $status
fi
KEEP=0
if [[ ${1:-} == --keep ]]; then KEEP=1; shift; fi
WANTED=("$@")

WORK=$(mktemp -d "${TMPDIR:-/tmp}/corvane-faults.XXXXXX")
TREE=$WORK/tree
BUILD=$TREE/build
cleanup() { if [[ $KEEP == 0 ]]; then rm -rf "$WORK"; else echo "kept $WORK"; fi; }
trap cleanup EXIT

# The tracked and the new files as they are now, uncommitted changes included.
mkdir -p "$TREE"
(cd "$SOURCE" && git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' f; do
  [[ -e $f ]] && printf '%s\0' "$f"; done | xargs -0 cp --parents -t "$TREE")

# The shared compiler cache with paths taken relative to the copy, so that the copy reuses
# what the developers' builds compiled (same flags, same relative paths).
export CCACHE_DIR=${CCACHE_DIR:-/work/.ccache} CCACHE_BASEDIR=$TREE CCACHE_NOHASHDIR=1
echo "configuring the copy in $TREE" >&2
cmake -S "$TREE" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >"$WORK/configure.log" 2>&1 \
  || { cat "$WORK/configure.log" >&2; exit 2; }

ALL_TARGETS=()
for f in "${FAULTS[@]}"; do read -r -a t <<<"$(field "$f" 4)"; ALL_TARGETS+=("${t[@]}"); done
mapfile -t ALL_TARGETS < <(printf '%s\n' "${ALL_TARGETS[@]}" | sort -u)
echo "building the unchanged copy: ${ALL_TARGETS[*]}" >&2
cmake --build "$BUILD" -j"$JOBS" --target "${ALL_TARGETS[@]}" >"$WORK/build.log" 2>&1 \
  || { tail -40 "$WORK/build.log" >&2; echo "the unchanged copy does not build" >&2; exit 2; }

# Replaces the single occurrence of a text in a file; fails when it occurs zero or several times.
replace_once() {
  python3 - "$1" "$2" "$3" <<'EOF'
import sys
path, old, new = sys.argv[1:]
text = open(path, encoding="utf-8").read()
if text.count(old) != 1:
    sys.exit(1)
open(path, "w", encoding="utf-8").write(text.replace(old, new))
EOF
}

RESULTS=()
caught_all=1
for f in "${FAULTS[@]}"; do
  name=$(field "$f" 0) file=$(field "$f" 1) old=$(field "$f" 2) new=$(field "$f" 3)
  targets=$(field "$f" 4) regex=$(field "$f" 5)
  if [[ ${#WANTED[@]} -gt 0 ]] && ! printf '%s\n' "${WANTED[@]}" | grep -qx "$name"; then continue; fi
  echo "fault $name ($file)" >&2
  cp "$TREE/$file" "$WORK/original"
  read -r -a t <<<"$targets"
  if ! replace_once "$TREE/$file" "$old" "$new"; then
    result="not applied: its code text is not in $file exactly once"
  else
    if ! cmake --build "$BUILD" -j"$JOBS" --target "${t[@]}" >"$WORK/$name.build.log" 2>&1; then
      result="does not build (see the fault's text)"
    else
      (cd "$BUILD" && QT_QPA_PLATFORM=offscreen ctest -R "$regex" --output-on-failure >"$WORK/$name.test.log" 2>&1) || true
      failed=$(sed -n '/The following tests FAILED:/,$p' "$WORK/$name.test.log" | sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p' | tr '\n' ' ')
      ran=$(grep -c 'Test *#' "$WORK/$name.test.log" || true)
      if [[ $ran == 0 ]]; then
        result="no test matches /$regex/"
      elif [[ -n $failed ]]; then
        result="caught by ${failed% }"
      else
        result="NOT caught ($ran tests of /$regex/ pass)"
      fi
    fi
  fi
  # Put the file back and rebuild, so that no later fault runs a binary built with this one
  # (the original compiles again from the cache).
  cp "$WORK/original" "$TREE/$file"
  cmake --build "$BUILD" -j"$JOBS" --target "${t[@]}" >>"$WORK/$name.build.log" 2>&1 || true
  [[ $result == caught* ]] || caught_all=0
  RESULTS+=("$(printf '%-22s %-28s %s' "$name" "$file" "$result")")
done

printf '%-22s %-28s %s\n' "fault" "file" "result"
printf '%s\n' "${RESULTS[@]}"
[[ $caught_all == 1 ]]
