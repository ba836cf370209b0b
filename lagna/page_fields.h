#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// One formatted run of a rich reading: emphasis, colour and the text itself.
struct TextRun {
  bool bold = false;
  bool darkRed = false;  // false: black; true: dark red (128, 0, 0)
  std::string text;
  bool heading = false;  // the run is the heading of a rule that fired (not part of the look)
};

// A reading shown in a rich text box: the size is set once before the first run.
struct RichReading {
  int pointSize = 11;
  std::vector<TextRun> runs;
};

// The texts of every field of the interpretation pages, keyed by control name.
// Values point into the constant sign and text tables, so a fill allocates almost nothing.
struct LagnaPageFields {
  struct Field {
    std::string_view control;  // e.g. "lblCasteHL", "txtNatureAL"
    std::string_view value;
  };
  std::vector<Field> fields;          // the attribute blocks, in fill order
  std::string_view horaDescription;   // lblHoraDesc
  std::string_view houseDescription;  // lblHouseDesc
  std::string pranapadaCaption;       // Label8(108) of the second form
  RichReading arudhaReading;          // RTB
  RichReading upapadaReading;         // RTBUL
};

// Control names of the three single fields outside the attribute blocks.
inline constexpr std::string_view kHoraDescriptionControl = "lblHoraDesc";
inline constexpr std::string_view kHouseDescriptionControl = "lblHouseDesc";
inline constexpr std::string_view kPranapadaCaptionControl = "Label8(108)";

// The text of the field shown by the named control, or an empty view if none has that name.
std::string_view FindPageField(const LagnaPageFields& fields, std::string_view control);

// Calls visit(control, value) for every plain-text field: the three single fields first,
// then the attribute blocks in fill order. The two rich readings are not included.
template <class Visitor>
void ForEachPageField(const LagnaPageFields& fields, Visitor&& visit) {
  visit(kHoraDescriptionControl, fields.horaDescription);
  visit(kHouseDescriptionControl, std::string_view(fields.houseDescription));
  visit(kPranapadaCaptionControl, std::string_view(fields.pranapadaCaption));
  for (const auto& f : fields.fields) visit(f.control, f.value);
}

}  // namespace corvane
