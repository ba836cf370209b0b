#include "cli/vargas_json.h"

#include <array>
#include <cstring>
#include <string>
#include <type_traits>

#include "app/chart_vargas.h"
#include "cli/json_writer.h"

namespace corvane {

namespace {

// The member names of a varga's object, each quoted and followed by its colon, made once.
const std::array<std::string, kVargaEntryCount>& EntryKeyTexts() {
  static const std::array<std::string, kVargaEntryCount> texts = [] {
    std::array<std::string, kVargaEntryCount> out;
    for (int e = 0; e < kVargaEntryCount; ++e)
      out[static_cast<std::size_t>(e)] = "\"" + std::string(VargaEntryName(e)) + "\":";
    return out;
  }();
  return texts;
}

// Room for the vargas object on one line: 16 vargas of 22 members of at most 17 characters.
using VargasLineRoom = std::array<char, 8192>;

// The vargas object on one line, as the line writer would lay it out, copied from the fixed
// texts of its keys: a batch line holds some 350 of these members, and writing each through
// the writer's structure cost more than computing the vargas.
std::string_view VargasLineText(const VargaCharts& vargas, VargasLineRoom& room) {
  const auto& keys = EntryKeyTexts();
  char* out = room.data();
  auto put = [&out](std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    out += text.size();
  };
  *out++ = '{';
  for (int v = 0; v < kVargaCount; ++v) {
    if (v > 0) *out++ = ',';
    *out++ = '"';
    put(kVargaKeys[static_cast<std::size_t>(v)]);
    put("\":{");
    for (int e = 0; e < kVargaEntryCount; ++e) {
      if (e > 0) *out++ = ',';
      put(keys[static_cast<std::size_t>(e)]);
      const int sign = VargaEntrySign(vargas[static_cast<std::size_t>(v)], e);
      if (sign < 0) {
        put("null");
      } else if (sign >= 10) {
        *out++ = '1';
        *out++ = static_cast<char>('0' + sign - 10);
      } else {
        *out++ = static_cast<char>('0' + sign);
      }
    }
    *out++ = '}';
  }
  *out++ = '}';
  return {room.data(), static_cast<std::size_t>(out - room.data())};
}

}  // namespace

template <typename W>
void WriteVargasJson(W& json, const VargaCharts& vargas) {
  if constexpr (std::is_same_v<W, LineJsonWriter>) {
    VargasLineRoom room;
    json.RawValue(VargasLineText(vargas, room), rapidjson::kObjectType);
    return;
  }
  auto sign = [&](int s) {
    if (s < 0) {
      json.Null();
    } else {
      json.Int(s);
    }
  };
  json.StartObject();
  for (int v = 0; v < kVargaCount; ++v) {
    const VargaChart& chart = vargas[static_cast<std::size_t>(v)];
    json.Key(kVargaKeys[static_cast<std::size_t>(v)]);
    json.StartObject();
    for (int e = 0; e < kVargaEntryCount; ++e) {
      json.Key(VargaEntryName(e));
      sign(VargaEntrySign(chart, e));
    }
    json.EndObject();
  }
  json.EndObject();
}

template void WriteVargasJson(PrettyJsonWriter&, const VargaCharts&);
template void WriteVargasJson(LineJsonWriter&, const VargaCharts&);

}  // namespace corvane
