#pragma once
#include "app/birth_data.h"

namespace corvane::testing {

// RAM, born 7:05 on 5 June 1975 in New Delhi (77:13 E, 28:36 N, Indian time).
inline BirthData DelhiBirth() {
  BirthData d;
  d.name = "RAM";
  d.monthIndex = 5;
  d.day = 5;
  d.year = 1975;
  d.hour = 7;
  d.minute = 5;
  d.zonePosition = 34;
  d.lonDegrees = "77";
  d.lonMinutes = "13";
  d.latDegrees = "28";
  d.latMinutes = "36";
  return d;
}

}  // namespace corvane::testing
