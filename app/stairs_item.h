#pragma once
// The chart's stepped line, drawn by hand over the plot area.
//
// A line series strokes the outline of its whole line again whenever its
// points change, only to know its own shape; with a page of 500 points that
// cost more than the rest of the display tick together. This item draws
// the same segments with the same pen, and its shape is the plot area.

#include <QGraphicsItem>
#include <QList>
#include <QPen>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <vector>

#include "app/pixel_cover.h"

namespace lcr {

class StairsItem : public QGraphicsItem {
 public:
  explicit StairsItem(QGraphicsItem* parent);

  // Pieces of the line in axis values, each drawn through its points in
  // order; a gap between pieces stays open.
  void setRuns(std::vector<QList<QPointF>> runs);
  const std::vector<QList<QPointF>>& runs() const { return runs_; }

  // Where the axes' ranges lie: the plot area, in the parent's units.
  void setFrame(const QRectF& plot, double minX, double maxX, double minY, double maxY);
  void setPen(const QPen& pen);

  QRectF boundingRect() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

 private:
  std::vector<QList<QPointF>> runs_;
  QPen pen_;
  // Kept between repaints for their storage.
  QList<QRect> rects_;  // the segments' pixels
  QList<QRect> once_;   // the same pixels, each covered once
  PixelCover cover_;
  QRectF plot_;
  double minX_ = 0, maxX_ = 1, minY_ = 0, maxY_ = 1;
};

}  // namespace lcr
