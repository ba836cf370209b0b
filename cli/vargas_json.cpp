#include "cli/vargas_json.h"

#include <array>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "app/chart_vargas.h"
#include "app/display_texts.h"
#include "cli/json_writer.h"

namespace corvane {

namespace {

// A member name quoted, with its colon and the comma before it, in a slot of fixed size: the
// line writer copies whole slots (one store each, where a copy of the name's own length is a
// call into the C library) and moves on by the name's length.
struct KeySlot {
  std::array<char, 16> text{};
  std::size_t size = 0;
};

constexpr KeySlot SlotOf(std::string_view prefix, std::string_view name, std::string_view suffix) {
  KeySlot slot;
  for (const std::string_view part : {prefix, name, suffix})
    for (const char c : part) slot.text[slot.size++] = c;
  return slot;
}

// The slots of a varga's members (",\"Sun\":") in the order of VargaEntryName, and of the
// vargas themselves (",\"D9\":{"), made when the program is compiled, so that the writer's
// loops know every size. The first of each object has its comma too: the writer steps over it.
constexpr auto kEntrySlots = [] {
  std::array<KeySlot, kVargaEntryCount> slots{};
  for (std::size_t e = 0; e < kVargaEntryCount; ++e)
    slots[e] = SlotOf(",\"", e < kAscendantBody ? kPlainBodyNames[e] : kLagnaKeys[e - kAscendantBody], "\":");
  return slots;
}();
constexpr auto kVargaSlots = [] {
  std::array<KeySlot, kVargaCount> slots{};
  for (std::size_t v = 0; v < kVargaCount; ++v) slots[v] = SlotOf(",\"", kVargaKeys[v], "\":{");
  return slots;
}();

// The value of a sign index, "0" .. "11", or "null" for none (index 0 here), in four bytes
// copied whole: the writer takes no branch on the number's width.
struct SignSlot {
  std::array<char, 4> text;
  std::size_t size;
};
constexpr std::array<SignSlot, 13> kSignSlots = {{{{'n', 'u', 'l', 'l'}, 4},
                                                  {{'0'}, 1},
                                                  {{'1'}, 1},
                                                  {{'2'}, 1},
                                                  {{'3'}, 1},
                                                  {{'4'}, 1},
                                                  {{'5'}, 1},
                                                  {{'6'}, 1},
                                                  {{'7'}, 1},
                                                  {{'8'}, 1},
                                                  {{'9'}, 1},
                                                  {{'1', '0'}, 2},
                                                  {{'1', '1'}, 2}}};

// The longest vargas object on one line: 16 vargas of 22 members, each at most its slot and
// "null", with the room a last whole slot may write past the end.
constexpr std::size_t kVargasLineRoom = 2 + kVargaCount * (sizeof(KeySlot::text) + 1 + kVargaEntryCount * (sizeof(KeySlot::text) + 4)) + sizeof(KeySlot::text);

// The vargas object on one line, as the line writer would lay it out, written at `out` from
// the fixed texts of its keys: a batch line holds some 350 of these members, and writing each
// through the writer's structure cost more than computing the vargas. Returns its length.
std::size_t WriteVargasLine(const VargaCharts& vargas, char* const start) {
  char* out = start;
  // A whole slot is copied; `skip` leaves out its comma for the first member of an object.
  auto put = [&out](const KeySlot& slot, std::size_t skip) {
    std::memcpy(out, slot.text.data() + skip, sizeof slot.text - skip);
    out += slot.size - skip;
  };
  // A member: its key, then its sign's four bytes (none for anything but 0 .. 11).
  auto member = [&](std::size_t entry, int sign, std::size_t skip) {
    put(kEntrySlots[entry], skip);
    const SignSlot& value = kSignSlots[static_cast<unsigned>(sign) < 12 ? static_cast<std::size_t>(sign) + 1 : 0];
    std::memcpy(out, value.text.data(), value.text.size());
    out += value.size;
  };
  *out++ = '{';
  for (std::size_t v = 0; v < kVargaCount; ++v) {
    const VargaChart& chart = vargas[v];
    put(kVargaSlots[v], v == 0 ? 1 : 0);
    // The entries in the order of VargaEntryName: the bodies before the ascendant, then the
    // lagnas.
    member(0, chart.bodySigns[0], 1);
    for (std::size_t body = 1; body < kAscendantBody; ++body) member(body, chart.bodySigns[body], 0);
    for (std::size_t lagna = 0; lagna < kLagnaCount; ++lagna)
      member(kAscendantBody + lagna, chart.lagnaSigns[lagna], 0);
    *out++ = '}';
  }
  *out++ = '}';
  return static_cast<std::size_t>(out - start);
}

}  // namespace

template <typename W>
void WriteVargasJson(W& json, const VargaCharts& vargas) {
  if constexpr (std::is_same_v<W, LineJsonWriter>) {
    char* const room = json.RawValueRoom(kVargasLineRoom, rapidjson::kObjectType);
    json.GiveBack(kVargasLineRoom - WriteVargasLine(vargas, room));
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
