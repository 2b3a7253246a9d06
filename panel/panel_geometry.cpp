#include "panel/panel_geometry.h"

namespace lcr {

const PanelGeometry* PanelGeometryFor(int family) {
  if (family == 730) return &PanelGeometry730();
  if (family == 68) return &PanelGeometry68();
  return nullptr;
}

}  // namespace lcr
