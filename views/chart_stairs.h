#pragma once
// The geometry of the chart's stepped line, in point indexes and values.

#include <QList>
#include <QPointF>
#include <cstddef>
#include <vector>

#include "views/chart_model.h"

namespace lcr {

// The points of one run of a stepped line: each value is drawn as a level
// reaching back to the point before it (vertical first, then across).
// A value equal to the one before needs no rise, and its level goes on the
// one before: the line looks the same, but the widget strokes one segment
// per change of value instead of two per point on every repaint.
void StairsOf(const std::vector<ChartPoint>& points, std::size_t from, std::size_t to, QList<QPointF>& out);

}  // namespace lcr
