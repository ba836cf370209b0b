#include "lagna/page_fields.h"

namespace corvane {

std::string_view FindPageField(const LagnaPageFields& fields, std::string_view control) {
  if (control == kHoraDescriptionControl) return fields.horaDescription;
  if (control == kHouseDescriptionControl) return fields.houseDescription;
  if (control == kPranapadaCaptionControl) return fields.pranapadaCaption;
  for (const auto& f : fields.fields)
    if (f.control == control) return f.value;
  return {};
}

}  // namespace corvane
