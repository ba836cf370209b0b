#pragma once

namespace corvane {

// A place on the Earth in degrees, north and east positive.
struct GeoPoint {
  double latitudeDeg = 0;
  double longitudeDeg = 0;
};

}  // namespace corvane
