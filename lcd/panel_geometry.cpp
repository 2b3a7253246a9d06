#include "lcd/panel_geometry.h"

#include "decode/reading.h"

namespace lcr {

const PanelGeometry* PanelGeometryFor(int family) {
  if (family == kFamily730) return &PanelGeometry730();
  if (family == kFamily68) return &PanelGeometry68();
  return nullptr;
}

bool LiesWithin(const PanelElement& inner, const PanelElement& outer) {
  if (inner.segment == outer.segment || inner.w <= 0 || inner.h <= 0) return false;
  return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
         inner.y + inner.h <= outer.y + outer.h;
}

}  // namespace lcr
