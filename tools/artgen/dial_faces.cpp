// The dial faces BP_2, BP_10 and BP_125: a white face with a coloured band,
// ticks and numbers, drawn about the needle's pivot.
#include "dial_faces.h"

#include <QColor>
#include <QConicalGradient>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "views/dial_model.h"

namespace artgen {

namespace {

using lcr::kDialImageHeight;
using lcr::kDialImageWidth;
using lcr::kFullScaleAngle;

constexpr double kPi = 3.14159265358979323846;
const QPointF kPivot(lcr::kDialPivotX, lcr::kDialPivotY);

// Radii of the scale, in pixels from the pivot; the needle's tip is at 200.
constexpr double kBandInner = 176, kBandOuter = 184;
constexpr double kMinorFrom = 184, kMinorTo = 191;
constexpr double kMediumTo = 194;
constexpr double kMajorFrom = 176, kMajorTo = 197;
constexpr double kLabelRadius = 206.5;

// Angles run from the vertical, positive to the right.
QPointF At(double angle, double radius) {
  return {kPivot.x() + radius * std::sin(angle), kPivot.y() - radius * std::cos(angle)};
}

// Qt's arcs start at three o'clock and turn counter-clockwise, in degrees.
double QtDegrees(double angle) { return 90.0 - angle * 180.0 / kPi; }

bool IsMultiple(double value, double step) {
  const double n = value / step;
  return std::fabs(n - std::round(n)) < 1e-6;
}

QPainterPath Band(double inner, double outer, double from, double to) {
  const QRectF outerBox(kPivot.x() - outer, kPivot.y() - outer, 2 * outer, 2 * outer);
  const QRectF innerBox(kPivot.x() - inner, kPivot.y() - inner, 2 * inner, 2 * inner);
  const double start = QtDegrees(from), sweep = QtDegrees(to) - start;
  QPainterPath path;
  path.arcMoveTo(outerBox, start);
  path.arcTo(outerBox, start, sweep);
  path.arcTo(innerBox, start + sweep, -sweep);
  path.closeSubpath();
  return path;
}

// Green at zero, through yellow, to red at both ends.
void DrawColourBand(QPainter& p) {
  const double end = kFullScaleAngle * 180.0 / kPi / 360.0;  // fraction of a turn
  QConicalGradient g(kPivot, 90.0);
  const QColor green(0x2e, 0xa0, 0x43), yellow(0xf0, 0xc4, 0x1b), red(0xd9, 0x2b, 0x25);
  g.setColorAt(0.0, green);
  g.setColorAt(end * 0.15, green);
  g.setColorAt(end * 0.55, yellow);
  g.setColorAt(end * 0.92, red);
  g.setColorAt(end + 0.01, red);
  g.setColorAt(1.0 - end - 0.01, red);
  g.setColorAt(1.0 - end * 0.92, red);
  g.setColorAt(1.0 - end * 0.55, yellow);
  g.setColorAt(1.0 - end * 0.15, green);
  g.setColorAt(1.0, green);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawPath(Band(kBandInner, kBandOuter, -kFullScaleAngle, kFullScaleAngle));
}

void DrawArcLine(QPainter& p, double radius, const QPen& pen) {
  const QRectF box(kPivot.x() - radius, kPivot.y() - radius, 2 * radius, 2 * radius);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  const double start = QtDegrees(-kFullScaleAngle);
  p.drawArc(box, int(std::lround(start * 16)), int(std::lround((QtDegrees(kFullScaleAngle) - start) * 16)));
}

void DrawTick(QPainter& p, double angle, double from, double to, double width) {
  QPen pen(QColor(0x1c, 0x1c, 0x1c), width);
  pen.setCapStyle(Qt::FlatCap);
  p.setPen(pen);
  p.drawLine(At(angle, from), At(angle, to));
}

void DrawLabel(QPainter& p, double angle, const QString& text) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(10);
  font.setWeight(QFont::DemiBold);
  font.setHintingPreference(QFont::PreferFullHinting);
  p.setFont(font);
  const QFontMetricsF m(font);
  const QPointF c = At(angle, kLabelRadius);
  const QRectF box(c.x() - 20, c.y() - m.height() / 2, 40, m.height());
  p.setPen(QColor(0x1c, 0x1c, 0x1c));
  p.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

QImage DrawFace(const Face& f) {
  QImage image(kDialImageWidth, kDialImageHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  DrawColourBand(p);
  DrawArcLine(p, kBandOuter, QPen(QColor(0x1c, 0x1c, 0x1c), 1.1));

  const int steps = int(std::lround(f.fullScale / f.minorStep));
  for (int side : {-1, 1}) {
    for (int i = 0; i <= steps; ++i) {
      const double value = i * f.minorStep;
      const double angle = side * value / f.fullScale * kFullScaleAngle;
      if (IsMultiple(value, f.labelStep)) {
        DrawTick(p, angle, kMajorFrom, kMajorTo, 1.7);
        if (side > 0 || i > 0) DrawLabel(p, angle, QString::number(value, 'g', 4));
      } else if (IsMultiple(value, f.mediumStep) || i == steps) {
        DrawTick(p, angle, kMinorFrom, kMediumTo, 1.3);
      } else {
        DrawTick(p, angle, kMinorFrom, kMinorTo, 1.0);
      }
    }
  }

  // The signs of the two halves, inside the scale near its ends.
  QFont sign(QStringLiteral("DejaVu Sans"));
  sign.setPixelSize(15);
  sign.setWeight(QFont::Bold);
  p.setFont(sign);
  p.setPen(QColor(0x70, 0x70, 0x70));
  for (int side : {-1, 1}) {
    const QPointF c = At(side * (kFullScaleAngle - 0.08), 150 - 16);
    p.drawText(QRectF(c.x() - 12, c.y() - 10, 24, 20), Qt::AlignCenter,
               side < 0 ? QStringLiteral("\u2212") : QStringLiteral("+"));
  }

  // A thin frame, as the dial's window in the panel.
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QColor(0xb4, 0xb4, 0xb4));
  p.setBrush(Qt::NoBrush);
  p.drawRect(0, 0, kDialImageWidth - 1, kDialImageHeight - 1);
  return image;
}


}  // namespace artgen
