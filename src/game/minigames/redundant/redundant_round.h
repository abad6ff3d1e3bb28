#pragma once
// The rules of Redundant: each round shows several pictures of one kind and one odd picture. The
// odd one is placed first, then the others in counting order, each with its own tilt.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kestrelle {

struct RedundantRound {
  int32_t places = 0;             // "places"
  std::string normalResource;     // "normal_resource"
  std::string redundantResource;  // "redundant_resource"
  int32_t angleRange = 360;       // "angle_range"
  // The places by name ("1" .. places): "x", "y".
  std::map<std::string, std::pair<double, double>> placesByName;
};

struct RedundantElement {
  std::string name;  // the number of its place
  std::string type;  // "red" for the odd picture, "normal" for the others
  std::string resourceName;
  int32_t angle = 0;
  double left = 0;
  double top = 0;
};

// Draws the odd picture's place, then per picture (the odd one first) the tilt and its sign. A
// picture whose place is missing stays off the board.
std::vector<RedundantElement> GenerateRedundantRound(const RedundantRound& round);

}  // namespace kestrelle
