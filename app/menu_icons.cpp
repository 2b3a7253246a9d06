#include "app/menu_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace lcr {

namespace {

constexpr int kSide = 16;

QPixmap Blank() {
  QPixmap pixmap(kSide, kSide);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

}  // namespace

QIcon OpenPicture() {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor outline(0x6b, 0x4a, 0x0c);
  // Back of the folder with its tab.
  QPainterPath back;
  back.moveTo(1.5, 3.5);
  back.lineTo(6.0, 3.5);
  back.lineTo(7.5, 5.0);
  back.lineTo(13.5, 5.0);
  back.lineTo(13.5, 13.5);
  back.lineTo(1.5, 13.5);
  back.closeSubpath();
  p.setPen(QPen(outline, 1));
  p.setBrush(QColor(0xe0, 0xb0, 0x3a));
  p.drawPath(back);
  // The opened front flap.
  QPainterPath front;
  front.moveTo(1.5, 13.5);
  front.lineTo(4.0, 7.5);
  front.lineTo(15.0, 7.5);
  front.lineTo(12.5, 13.5);
  front.closeSubpath();
  p.setBrush(QColor(0xff, 0xd8, 0x66));
  p.drawPath(front);
  p.end();
  return QIcon(pixmap);
}

QIcon SavePicture() {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  // Body with a cut corner.
  QPainterPath body;
  body.moveTo(1.5, 1.5);
  body.lineTo(12.5, 1.5);
  body.lineTo(14.5, 3.5);
  body.lineTo(14.5, 14.5);
  body.lineTo(1.5, 14.5);
  body.closeSubpath();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x10, 0x24, 0x52), 1));
  p.setBrush(QColor(0x2f, 0x5f, 0xc0));
  p.drawPath(body);
  p.setRenderHint(QPainter::Antialiasing, false);
  // Shutter with its window, and the label.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xd8, 0xdc, 0xe4));
  p.drawRect(4, 2, 8, 5);
  p.setBrush(QColor(0x2f, 0x5f, 0xc0));
  p.drawRect(9, 3, 2, 3);
  p.setBrush(Qt::white);
  p.drawRect(3, 9, 10, 5);
  p.setPen(QColor(0x9a, 0xa8, 0xc4));
  p.drawLine(4, 11, 11, 11);
  p.end();
  return QIcon(pixmap);
}

}  // namespace lcr
