#include "app/dial_widgets.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>

#include "session/cycle.h"
#include "app/show_text.h"

static void InitDialResources() { Q_INIT_RESOURCE(dial); }

namespace lcr {

QImage DialWidgets::FacePicture(DialFace face) {
  InitDialResources();
  QImage image(QStringLiteral(":/lcr/dial/") + QString::fromLatin1(DialFaceName(face)) + QStringLiteral(".png"));
  if (image.isNull()) {
    // A build without the pictures still shows a working dial.
    image = QImage(kDialImageWidth, kDialImageHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
  }
  return image.convertToFormat(QImage::Format_RGB32);
}

DialWidgets::DialWidgets(QObject* parent, const DialHandles& widgets, const Cycle& cycle)
    : QObject(parent), w_(widgets), cycle_(cycle) {
  w_.BP_2->setPixmap(QPixmap::fromImage(FacePicture(DialFace::BP_2)));
  w_.BP_10->setPixmap(QPixmap::fromImage(FacePicture(DialFace::BP_10)));
  w_.BP_125->setPixmap(QPixmap::fromImage(FacePicture(DialFace::BP_125)));
  strips_.reserve(kDialImageHeight);
  w_.bpmain->setPixmap(QPixmap());
  w_.bpmain->installEventFilter(this);
  apply();
}

bool DialWidgets::eventFilter(QObject* watched, QEvent* event) {
  if (watched != w_.bpmain || event->type() != QEvent::Paint) return QObject::eventFilter(watched, event);
  QPainter p(w_.bpmain);
  const QRect area = static_cast<QPaintEvent*>(event)->rect();
  p.drawImage(area, main_, area);
  return true;
}

void DialWidgets::apply() {
  const DialModel& m = cycle_.dialModel;
  QRect dirty;
  if (m.faceRevision != faceShown_) {
    faceShown_ = m.faceRevision;
    const QLabel* face = m.face == DialFace::BP_10 ? w_.BP_10 : m.face == DialFace::BP_125 ? w_.BP_125 : w_.BP_2;
    back_ = face->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    w_.bpback->setPixmap(face->pixmap());
    main_ = back_.copy();  // the old needle goes with the old picture
    needleOn_ = false;
    dirty = main_.rect();
  }
  if (m.needleRevision != needleShown_ || (!dirty.isNull() && m.needleDrawn)) {
    needleShown_ = m.needleRevision;
    dirty |= restoreStrips();
    if (m.needleDrawn) dirty |= drawNeedle(m);
  }
  if (!dirty.isNull()) w_.bpmain->update(dirty);

  ShowGbkText(w_.MainNO, m.MainNO);
  ShowGbkText(w_.MTEXT, m.multiplier);
  ShowGbkText(w_.MTEXTN, m.multiplier);
}

QRect DialWidgets::restoreStrips() {
  if (!needleOn_) return {};
  needleOn_ = false;
  NeedleStrips(needleAngle_, needleTopRow_, kNeedleFootRow, strips_);
  QRect restored;
  for (const DialStrip& s : strips_) {
    const auto* from = reinterpret_cast<const QRgb*>(back_.constScanLine(s.y));
    auto* to = reinterpret_cast<QRgb*>(main_.scanLine(s.y));
    std::copy(from + s.xFrom, from + s.xTo + 1, to + s.xFrom);
    restored |= QRect(s.xFrom, s.y, s.xTo - s.xFrom + 1, 1);
  }
  return restored;
}

// The line is drawn smooth, but only on the rows the next call's strips
// restore (tip row to foot row); its 2-pixel width stays well inside the
// 21-pixel strips, so every pixel it touches is restored.
QRect DialWidgets::drawNeedle(const DialModel& m) {
  if (m.tip.y > kNeedleFootRow) return {};
  QPainter p(&main_);
  p.setRenderHint(QPainter::Antialiasing);
  p.setClipRect(QRect(0, m.tip.y, kDialImageWidth, kNeedleFootRow - m.tip.y + 1));
  QPen pen(QColor(kNeedleRed, kNeedleGreen, kNeedleBlue), kNeedlePenWidth);
  pen.setCapStyle(Qt::FlatCap);
  p.setPen(pen);
  p.drawLine(QPoint(m.tip.x, m.tip.y), QPoint(m.foot.x, m.foot.y));
  needleOn_ = true;
  needleAngle_ = m.angle;
  needleTopRow_ = m.tip.y;
  return QRect(QPoint(m.tip.x, m.tip.y), QPoint(m.foot.x, m.foot.y)).normalized().adjusted(-3, 0, 3, 0) & main_.rect();
}

}  // namespace lcr
