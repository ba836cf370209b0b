#pragma once
#include <string>
#include <utility>
#include <variant>

namespace corvane {

// What kind of refusal a problem is; each road into a chart maps it to its own exit status,
// window or exception.
enum class ProblemCode {
  kInvalidBirth,     // a birth field the input form would refuse (empty name, minutes over 59, ...)
  kNoPlaceData,      // the place search cannot load its data
  kNoPlaceMatch,     // no place matches the searched text
  kUnknownZone,      // a zone id the time zone database does not know, or no zone data
  kSkippedTime,      // the clocks jumped over the birth's local time
  kDoubledTime,      // the birth's local time happened twice and no reading was chosen
  kSettingsConflict, // settings that contradict each other
  kPolarDate,        // the Sun neither rises nor sets on a day the lagnas count from
  kEngine,           // the engine cannot compute this birth (dates outside its files, files missing)
};

// Why a request has no chart: the code, the field at fault (the keyword of the request:
// "name", "lon_degrees", "date", "tz", "place", ...; empty when no single field is) and the
// message to show, word for word as the program has always shown it.
struct Problem {
  ProblemCode code;
  std::string field;
  std::string message;
  bool operator==(const Problem&) const = default;
};

// A value or the problem that prevents it. The caller must look before it takes.
template <typename T>
class Result {
 public:
  Result(T value) : outcome_(std::in_place_index<0>, std::move(value)) {}  // NOLINT: implicit on purpose
  Result(Problem problem) : outcome_(std::in_place_index<1>, std::move(problem)) {}  // NOLINT

  bool ok() const { return outcome_.index() == 0; }
  explicit operator bool() const { return ok(); }
  const T& value() const& { return std::get<0>(outcome_); }
  T& value() & { return std::get<0>(outcome_); }
  const T& operator*() const& { return value(); }
  const T* operator->() const { return &value(); }
  const Problem& problem() const { return std::get<1>(outcome_); }

 private:
  std::variant<T, Problem> outcome_;
};

}  // namespace corvane
