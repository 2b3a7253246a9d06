#include "app/grid_cell_delegate.h"

#include <QPainter>
#include <QStyle>
#include <QWidget>

namespace lcr {

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  const bool plain = !(cell.state & (QStyle::State_Selected | QStyle::State_HasFocus)) &&
                     !(cell.features & (QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasCheckIndicator |
                                        QStyleOptionViewItem::Alternate)) &&
                     (cell.backgroundBrush.style() == Qt::NoBrush || cell.backgroundBrush.style() == Qt::SolidPattern) &&
                     cell.textElideMode == Qt::ElideNone &&
                     !(cell.features & QStyleOptionViewItem::WrapText);
  if (!plain) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  // A plain background (an out-of-limits mark) fills the cell, as the style would.
  if (cell.backgroundBrush.style() == Qt::SolidPattern) painter->fillRect(cell.rect, cell.backgroundBrush);
  if (cell.text.isEmpty()) return;
  // The style keeps the text a focus frame's width plus one pixel off
  // both sides of the cell.
  const QWidget* view = cell.widget;
  QStyle* style = view ? view->style() : nullptr;
  const int margin = (style ? style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) : 0) + 1;
  const QPalette::ColorGroup group = !(cell.state & QStyle::State_Enabled) ? QPalette::Disabled
                                     : (cell.state & QStyle::State_Active)  ? QPalette::Normal
                                                                            : QPalette::Inactive;
  painter->save();
  painter->setFont(cell.font);
  painter->setPen(cell.palette.color(group, QPalette::Text));
  painter->setClipRect(cell.rect);
  painter->drawText(cell.rect.adjusted(margin, 0, -margin, 0), int(cell.displayAlignment) | Qt::TextSingleLine | Qt::TextDontClip,
                    cell.text);
  painter->restore();
}

}  // namespace lcr
