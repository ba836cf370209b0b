#pragma once
#include <QString>

#include "lagna/lagna_id.h"
#include "lagna/page_fields.h"

namespace corvane {

// Name of the control that shows attribute `field` on the page of `lagna`, e.g.
// "lblCasteHL" or "txtLooksAL"; empty for the Pranapada page, which has no attribute block.
QString PageControlName(LagnaId lagna, PageField field);

// The control names of the fields outside the attribute blocks.
inline constexpr const char* kHoraHouseControl = "lblHoraDesc";
inline constexpr const char* kPranapadaHouseControl = "lblHouseDesc";

}  // namespace corvane
