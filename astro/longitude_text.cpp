#include "astro/longitude_text.h"

#include <cmath>

namespace corvane {

namespace {
constexpr std::string_view kSignLetters = "AriTauGemCanLeoVirLibScoSagCapAquPis";

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}
}  // namespace

std::string FormatLongitude(double x) {
  const double v = std::fabs(x);
  // A position that is not a finite number has no degrees to write.
  if (!std::isfinite(v)) return {};
  double whole = std::floor(v);
  const double m = 60.0 * (v - whole);
  const double minutes = std::floor(m);
  const double seconds = std::floor(60.0 * (m - minutes));
  const double sign = std::floor(whole / 30.0);
  // Removing whole turns of 30 one by one would take for ever on a huge value; the
  // remainder of a whole number is exact.
  whole = std::fmod(whole, 30.0);
  std::string out = std::to_string(static_cast<int>(whole));
  out += "\xC2\xB0 ";
  out += std::to_string(static_cast<int>(minutes));
  out += "' ";
  out += std::to_string(static_cast<int>(seconds));
  out += "\" ";
  if (sign < 12) out += kSignLetters.substr(static_cast<std::size_t>(sign) * 3, 3);
  return out;
}

std::string CompactLongitude(std::string_view longText) {
  const std::string_view t = Trim(longText);
  const std::size_t p = t.find("\xC2\xB0");
  const std::size_t q = t.find('\'');
  if (p == std::string_view::npos || q == std::string_view::npos || q < p) return {};
  const std::string_view deg = Trim(t.substr(0, p));
  const std::string_view min = Trim(t.substr(p + 2, q - (p + 2)));
  std::string_view sgn = longText.size() >= 3 ? longText.substr(longText.size() - 3) : longText;
  sgn = Trim(sgn);
  // A text without a sign part ends in the seconds mark; keep the sign field empty then.
  if (sgn.find('"') != std::string_view::npos) sgn = {};
  std::string out;
  out.reserve(9);
  if (deg.size() <= 1) out += '0';
  out += deg;
  out += ' ';
  out += sgn;
  out += ' ';
  if (min.size() <= 1) out += '0';
  out += min;
  return out;
}

int SignOfCompact(std::string_view compact) {
  if (compact.size() < 6) return -1;
  const std::string_view abbr = compact.substr(3, 3);
  for (int k = 0; k < 12; ++k)
    if (kSignLetters.substr(static_cast<std::size_t>(k) * 3, 3) == abbr) return k;
  return -1;
}

}  // namespace corvane
