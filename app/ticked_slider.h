#pragma once
// A slider that draws its tick marks itself: once the style sheet draws the
// groove and the handle, the style draws no ticks of its own.

#include <QSlider>

namespace lcr {

class TickedSlider : public QSlider {
  Q_OBJECT

 public:
  explicit TickedSlider(Qt::Orientation orientation, QWidget* parent = nullptr);

  // The x of each tick mark, in the slider's coordinates (horizontal sliders).
  QList<int> tickPositions() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace lcr
