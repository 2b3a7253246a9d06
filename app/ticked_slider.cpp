#include "app/ticked_slider.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace lcr {

TickedSlider::TickedSlider(Qt::Orientation orientation, QWidget* parent) : QSlider(orientation, parent) {}

QList<int> TickedSlider::tickPositions() const {
  QList<int> xs;
  const int interval = tickInterval() > 0 ? tickInterval() : pageStep();
  if (orientation() != Qt::Horizontal || interval <= 0 || maximum() <= minimum()) return xs;
  QStyleOptionSlider option;
  initStyleOption(&option);
  const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
  const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
  // The handle's centre runs from half a handle into the groove to half a
  // handle before its end: a tick marks where the centre stands for a value.
  const int span = groove.width() - handle.width();
  const int first = groove.left() + handle.width() / 2;
  auto at = [&](int value) {
    return first + QStyle::sliderPositionFromValue(minimum(), maximum(), value, span, option.upsideDown);
  };
  // Ticks at the minimum and at each multiple of the interval above it, and
  // at the maximum.
  for (int v = minimum(); v < maximum(); v = (v / interval + 1) * interval) xs.append(at(v));
  xs.append(at(maximum()));
  return xs;
}

void TickedSlider::paintEvent(QPaintEvent* event) {
  QSlider::paintEvent(event);
  if (tickPosition() == NoTicks) return;
  QStyleOptionSlider option;
  initStyleOption(&option);
  const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
  QPainter painter(this);
  painter.setPen(isEnabled() ? QColor(0x7a, 0xa7, 0xee) : QColor(0x3a, 0x45, 0x58));
  const int below = groove.bottom() + 9;
  const int above = groove.top() - 9;
  for (int x : tickPositions()) {
    if (tickPosition() & TicksBelow) painter.drawLine(x, below, x, below + 4);
    if (tickPosition() & TicksAbove) painter.drawLine(x, above - 4, x, above);
  }
}

}  // namespace lcr
