#pragma once
// Paints the grid's cells. Every tick moves a record into every row, so the
// whole grid repaints each time; drawn through the style, each cell costs a
// text layout, a clip region and a focus-frame check. A plain cell (text
// only, perhaps on a plain background, not selected, not current) is drawn
// here directly, in the colours and margins the style would use; any other
// cell goes to the style.

#include <QStyledItemDelegate>

namespace lcr {

class GridCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace lcr
