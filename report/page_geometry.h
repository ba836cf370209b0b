#pragma once

namespace corvane {

// The page frame of the printed reading, in millimetres and points. The header (name and
// birth date over a rule) fills the top band of the printable area, the footer (the page
// number) the bottom band; the sections flow in the body between them.
inline constexpr double kPageMarginMm = 15.0;   // each side, for PDF files
inline constexpr double kHeaderBandPt = 30.0;   // from the printable area's top to the body
inline constexpr double kFooterBandPt = 26.0;   // from the body to the printable area's bottom

}  // namespace corvane
