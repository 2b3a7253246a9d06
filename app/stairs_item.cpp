#include "app/stairs_item.h"

#include <QPainter>
#include <cmath>
#include <utility>

namespace lcr {

namespace {

// Series of the chart are stacked over its axes and grid lines.
constexpr qreal kSeriesZ = 4;

// The pixels a fill of this device rectangle lights: those whose centres
// lie inside it.
QRect PixelsOf(const QRectF& r) {
  const auto edge = [](qreal v) { return int(std::floor(v + 0.5)); };
  return QRect(QPoint(edge(r.left()), edge(r.top())), QPoint(edge(r.right()) - 1, edge(r.bottom()) - 1));
}

}  // namespace

StairsItem::StairsItem(QGraphicsItem* parent) : QGraphicsItem(parent) {
  setZValue(kSeriesZ);
  setFlag(QGraphicsItem::ItemUsesExtendedStyleOption, false);
}

void StairsItem::setRuns(std::vector<QList<QPointF>> runs) {
  runs_ = std::move(runs);
  update();
}

void StairsItem::setFrame(const QRectF& plot, double minX, double maxX, double minY, double maxY) {
  if (plot == plot_ && minX == minX_ && maxX == maxX_ && minY == minY_ && maxY == maxY_) return;
  prepareGeometryChange();
  plot_ = plot;
  minX_ = minX;
  maxX_ = maxX;
  minY_ = minY;
  maxY_ = maxY;
}

void StairsItem::setPen(const QPen& pen) {
  pen_ = pen;
  update();
}

// The plot area and half a pen around it, which the clip takes off again.
QRectF StairsItem::boundingRect() const {
  const qreal m = pen_.widthF();
  return plot_.adjusted(-m, -m, m, m);
}

void StairsItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  if (plot_.isEmpty() || maxX_ <= minX_ || maxY_ <= minY_) return;
  // The position of a value within the plot, as the chart maps it; the clip
  // lets a line along an edge keep the half of it inside.
  const qreal sx = plot_.width() / (maxX_ - minX_);
  const qreal sy = plot_.height() / (maxY_ - minY_);
  QRectF clip(QPointF(0, 0), plot_.size());
  const qreal x1 = plot_.left() - int(plot_.left());
  const qreal y1 = plot_.top() - int(plot_.top());
  const qreal x2 = (clip.width() + 0.5) - int(clip.width() + 0.5);
  const qreal y2 = (clip.height() + 0.5) - int(clip.height() + 0.5);
  clip.adjust(-x1, -y1, qMax(x1, x2), qMax(y1, y2));
  // Everything is placed on whole device pixels here, so that the painter
  // fills plain pixel rectangles: a fractional rectangle or clip would send
  // every one of them through the general rasterizer.
  const QTransform toDevice = QTransform::fromTranslate(plot_.left(), plot_.top()) * painter->worldTransform();
  const QRect clipPixels = PixelsOf(toDevice.mapRect(clip));
  // Every segment runs along an axis, and a square-capped pen covers such a
  // segment with a rectangle half a pen wider on each side.
  const qreal half = pen_.widthF() / 2;
  rects_.clear();
  for (const QList<QPointF>& run : runs_) {
    if (run.isEmpty()) continue;
    QPointF last((run[0].x() - minX_) * sx, (maxY_ - run[0].y()) * sy);
    for (qsizetype i = 1; i < run.size(); ++i) {
      const QPointF next((run[i].x() - minX_) * sx, (maxY_ - run[i].y()) * sy);
      const QRectF segment(QPointF(qMin(last.x(), next.x()) - half, qMin(last.y(), next.y()) - half),
                           QPointF(qMax(last.x(), next.x()) + half, qMax(last.y(), next.y()) + half));
      const QRect pixels = PixelsOf(toDevice.mapRect(segment)) & clipPixels;
      if (!pixels.isEmpty()) rects_.append(pixels);
      last = next;
    }
  }
  painter->save();
  painter->resetTransform();
  painter->setPen(Qt::NoPen);
  painter->setBrush(pen_.brush());
  cover_.cover(rects_, once_);
  painter->drawRects(once_.constData(), int(once_.size()));
  painter->restore();
}

}  // namespace lcr
