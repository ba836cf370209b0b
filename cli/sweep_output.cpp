#include "cli/sweep_output.h"

#include <string>

#include "cli/json_writer.h"
#include "lagna/sign_tables.h"

namespace corvane {
namespace {

template <typename W>
void WriteIntervals(W& json, const std::vector<SweepInterval>& row, std::string_view valueKey, bool nakshatra) {
  json.StartArray();
  for (const SweepInterval& interval : row) {
    json.StartObject();
    json.Key("from");
    json.String(SweepDateTimeText(interval.from));
    json.Key("to");
    json.String(SweepDateTimeText(interval.to));
    json.Key(valueKey);
    json.Int(interval.value);
    if (nakshatra) {
      json.Key("name");
      json.String(kNakshatraNames[interval.value]);
    }
    json.EndObject();
  }
  json.EndArray();
}

// "06:41:00–07:06:00".
std::string Stretch(const CivilDateTime& from, const CivilDateTime& to, const CivilDateTime& given) {
  return SweepClockText(from, given) + "\u2013" + SweepClockText(to, given);
}

}  // namespace

template <typename W>
void WriteSweepJson(W& json, const BirthSweep& sweep) {
  json.StartObject();
  json.Key("minutes");
  json.Int(sweep.minutes);
  json.Key("from");
  json.String(SweepDateTimeText(sweep.start));
  json.Key("to");
  json.String(SweepDateTimeText(sweep.end));
  json.Key("lagnas");
  json.StartObject();
  for (int l = 0; l < kLagnaCount; ++l) {
    json.Key(kLagnaKeys[l]);
    WriteIntervals(json, sweep.lagnas[l], "sign", false);
  }
  json.EndObject();
  json.Key("nakshatra");
  WriteIntervals(json, sweep.nakshatra, "nakshatra", true);
  json.Key("gaps");
  json.StartArray();
  for (const SweepGap& gap : sweep.gaps) {
    json.StartObject();
    json.Key("from");
    json.String(SweepDateTimeText(gap.from));
    json.Key("to");
    json.String(SweepDateTimeText(gap.to));
    json.Key("kind");
    json.String(SweepGapKey(gap.kind));
    json.Key("message");
    json.String(gap.message);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

template void WriteSweepJson(PrettyJsonWriter&, const BirthSweep&);
template void WriteSweepJson(LineJsonWriter&, const BirthSweep&);

void WriteSweepText(const BirthSweep& sweep, std::ostream& out) {
  out << "Birth-time sweep, " << SweepDateTimeText(sweep.given) << " \u00b1" << sweep.minutes << " min ("
      << Stretch(sweep.start, sweep.end, sweep.given) << ")\n";
  const auto row = [&out](std::string_view key, const std::vector<std::string>& cells) {
    std::string label(key);
    label.resize(std::max<std::size_t>(label.size(), 10), ' ');
    out << label;
    for (std::size_t i = 0; i < cells.size(); ++i) out << (i == 0 ? "" : ", ") << cells[i];
    out << '\n';
  };
  for (int l = 0; l < kLagnaCount; ++l) {
    std::vector<std::string> cells;
    for (const SweepInterval& interval : sweep.lagnas[l])
      cells.push_back(Stretch(interval.from, interval.to, sweep.given) + " " +
                      std::string(kSignAttributes[interval.value].EnglishName));
    row(kLagnaKeys[l], cells);
  }
  std::vector<std::string> cells;
  for (const SweepInterval& interval : sweep.nakshatra)
    cells.push_back(Stretch(interval.from, interval.to, sweep.given) + " " + std::string(kNakshatraNames[interval.value]));
  row("Nakshatra", cells);
  for (const SweepGap& gap : sweep.gaps)
    out << "Gap       " << Stretch(gap.from, gap.to, sweep.given) << " " << SweepGapLabel(gap.kind) << ": "
        << gap.message << '\n';
  out << SweepSummary(sweep) << '\n';
}

}  // namespace corvane
