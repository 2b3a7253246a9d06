#include "app/dial_widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>

#include "app/main_window.h"
#include "decode/gbk.h"

static void InitDialResources() { Q_INIT_RESOURCE(dial); }

namespace lcr {

namespace {

void ShowText(QLineEdit* edit, const std::string& gbk) {
  const QString text = GbkToQString(gbk);
  if (edit->text() != text) edit->setText(text);
}

}  // namespace

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

DialWidgets::DialWidgets(TForm1& form) : QObject(&form), form_(form) {
  form_.BP_2->setPixmap(QPixmap::fromImage(FacePicture(DialFace::BP_2)));
  form_.BP_10->setPixmap(QPixmap::fromImage(FacePicture(DialFace::BP_10)));
  form_.BP_125->setPixmap(QPixmap::fromImage(FacePicture(DialFace::BP_125)));
  strips_.reserve(kDialImageHeight);
  apply();
}

void DialWidgets::apply() {
  const DialModel& m = form_.cycle().dialModel;
  bool redraw = false;
  if (m.faceRevision != faceShown_) {
    faceShown_ = m.faceRevision;
    const QLabel* face = m.face == DialFace::BP_10 ? form_.BP_10 : m.face == DialFace::BP_125 ? form_.BP_125 : form_.BP_2;
    back_ = face->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    form_.bpback->setPixmap(face->pixmap());
    main_ = back_.copy();  // the old needle goes with the old picture
    needleOn_ = false;
    redraw = true;
  }
  if (m.needleRevision != needleShown_ || (redraw && m.needleDrawn)) {
    needleShown_ = m.needleRevision;
    restoreStrips();
    if (m.needleDrawn) drawNeedle(m);
    redraw = true;
  }
  if (redraw) form_.bpmain->setPixmap(QPixmap::fromImage(main_));

  ShowText(form_.MainNO, m.MainNO);
  ShowText(form_.MTEXT, m.multiplier);
  ShowText(form_.MTEXTN, m.multiplier);
}

void DialWidgets::restoreStrips() {
  if (!needleOn_) return;
  needleOn_ = false;
  NeedleStrips(needleAngle_, needleTopRow_, kNeedleFootRow, strips_);
  for (const DialStrip& s : strips_) {
    const auto* from = reinterpret_cast<const QRgb*>(back_.constScanLine(s.y));
    auto* to = reinterpret_cast<QRgb*>(main_.scanLine(s.y));
    std::copy(from + s.xFrom, from + s.xTo + 1, to + s.xFrom);
  }
}

// The line is drawn smooth, but only on the rows the next call's strips
// restore (tip row to foot row); its 2-pixel width stays well inside the
// 21-pixel strips, so every pixel it touches is restored.
void DialWidgets::drawNeedle(const DialModel& m) {
  if (m.tip.y > kNeedleFootRow) return;
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
}

}  // namespace lcr
