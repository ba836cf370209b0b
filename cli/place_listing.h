#pragma once
#include <string>
#include <vector>

#include "app/place_index.h"

namespace corvane {

// The found places as --places prints them: a line each ("Munich, Bavaria, Germany (48:08N
// 11:35E, Europe/Berlin), population 1260391"), or with json an array of objects.
std::string PlaceListing(const std::vector<PlaceResult>& places, bool json);

}  // namespace corvane
