#pragma once
// The three dial faces.

#include <QImage>

namespace artgen {

struct Face {
  const char* name;
  double fullScale;   // the value at the scale's end
  double minorStep;   // every step gets a small tick
  double mediumStep;  // a longer tick
  double labelStep;   // a long tick and a number
};

inline constexpr Face kFaces[] = {
    {"BP_2", 20, 1, 5, 5},
    {"BP_10", 10, 0.5, 1, 1},
    {"BP_125", 12.5, 0.5, 1, 2},
};

QImage DrawFace(const Face& f);

}  // namespace artgen
