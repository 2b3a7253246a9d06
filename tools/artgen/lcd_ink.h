#pragma once
// The one lit colour of the display art, and the dark it sits on.

#include <QColor>

namespace artgen {

// A pale cyan, as the segments of a backlit negative display.
inline const QColor kLitColour(0xbf, 0xf4, 0xff);
inline const QColor kDarkColour(0, 0, 0);

}  // namespace artgen
