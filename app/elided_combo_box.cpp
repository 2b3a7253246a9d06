#include "app/elided_combo_box.h"

#include <QPainterPath>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace lcr {

ElidedComboBox::ElidedComboBox(QWidget* parent) : QComboBox(parent) {}

QString ElidedComboBox::shownText() const {
  QStyleOptionComboBox option;
  initStyleOption(&option);
  const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  return fontMetrics().elidedText(currentText(), Qt::ElideMiddle, field.width());
}

void ElidedComboBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  option.currentText = shownText();
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);

  // The style sheet fills the drop-down button but draws no arrow on it.
  const QRectF button = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
  const QPointF c = button.center();
  QPainterPath arrow;
  arrow.moveTo(c.x() - 4, c.y() - 2);
  arrow.lineTo(c.x() + 4, c.y() - 2);
  arrow.lineTo(c.x(), c.y() + 3);
  arrow.closeSubpath();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillPath(arrow, palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
}

}  // namespace lcr
