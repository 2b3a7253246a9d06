#include "views/chart_stairs.h"

namespace lcr {

void StairsOf(const std::vector<ChartPoint>& points, std::size_t from, std::size_t to, QList<QPointF>& out) {
  out.clear();
  out.reserve(qsizetype(2 * (to - from) + 1));
  out.append(QPointF(qreal(from), *points[from].value));
  for (std::size_t j = from + 1; j <= to; ++j) {
    const double value = *points[j].value;
    if (value != out.back().y()) {
      out.append(QPointF(qreal(j - 1), value));
      out.append(QPointF(qreal(j), value));
    } else if (out.size() >= 2 && out[out.size() - 2].y() == value) {
      out.back().setX(qreal(j));
    } else {
      out.append(QPointF(qreal(j), value));
    }
  }
}

}  // namespace lcr
