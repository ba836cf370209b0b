#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "app/chart.h"

namespace corvane {

// The name a chart's exported files start with: the birth name folded to plain letters as
// the place search folds it ("JOSÉ" JOSE, "Œuvre" OEUVRE, "O'Neil" ONEIL), in capitals, with
// blanks and every other character outside A-Z and 0-9 as single underscores, cut to at
// most kMaxExportNameBytes, then the birth date, as in "ANJALI_RAO_1975-06-05", and in a
// doubled hour the reading taken, "ZOE_MULLER_2021-10-31_CET". A name with
// no such character gives "CHART". The cut keeps a long name, the date and the "_2" of
// UniqueFilePath well within the 255 bytes a file name may have.
inline constexpr std::size_t kMaxExportNameBytes = 100;
std::string ExportFileStem(const Chart& chart);

// `folder`/`stem``extension`, or with "_2", "_3", ... after the stem when that file exists.
std::string UniqueFilePath(const std::string& folder, const std::string& stem, std::string_view extension);

}  // namespace corvane
