#pragma once
// Shows the dial model on bpmain, bpback, MainNO, MTEXT and MTEXTN. The
// model decides the face and the needle; this keeps the two pictures and
// redraws only the strips under the old needle and the new line.

#include <QImage>
#include <QObject>
#include <QRect>
#include <array>
#include <cstdint>
#include <vector>

#include "app/widget_handles.h"
#include "views/dial_model.h"

namespace lcr {

struct Cycle;

class DialWidgets : public QObject {
  Q_OBJECT

 public:
  // Drives `widgets` (made and owned by the window) from the models of `cycle`.
  DialWidgets(QObject* parent, const DialHandles& widgets, const Cycle& cycle);

  // Redraws whatever the dial model changed since the last call.
  void apply();

  // The face picture carried for each range class (BP_2, BP_10, BP_125).
  static QImage FacePicture(DialFace face);

  // What bpmain and bpback show.
  const QImage& dialPicture() const { return main_; }
  const QImage& cleanFace() const { return back_; }

 protected:
  // bpmain paints its picture here, only the part that changed.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QRect restoreStrips();
  QRect drawNeedle(const DialModel& m);

  const DialHandles w_;
  const Cycle& cycle_;
  QImage back_;
  QImage main_;
  std::uint64_t faceShown_ = ~0ull;
  std::uint64_t needleShown_ = ~0ull;
  // The needle last drawn here, so that it is the one erased even when
  // several updates came between two redraws.
  bool needleOn_ = false;
  double needleAngle_ = 0;
  int needleTopRow_ = 0;
  std::vector<DialStrip> strips_;
};

}  // namespace lcr
