#pragma once
#include "app/birth_data.h"

namespace corvane::bench {

// The birth every chart benchmark computes: 07:05 on 5 June 1975 in New Delhi (77:13 E,
// 28:36 N, zone row 34, Indian time). The benchmarks keep their own birth so that they need
// nothing of the test suite.
inline BirthData BenchBirth() {
  BirthData birth;
  birth.name = "RAM";
  birth.year = 1975, birth.monthIndex = 5, birth.day = 5, birth.hour = 7, birth.minute = 5;
  birth.zonePosition = 34;
  birth.lonDegrees = "77", birth.lonMinutes = "13", birth.latDegrees = "28", birth.latMinutes = "36";
  return birth;
}

}  // namespace corvane::bench
