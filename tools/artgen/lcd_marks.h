#pragma once
// The printed shapes of a display's annunciators, each drawn to fill a given
// rectangle in the lit colour: words, boxed labels, unit symbols, the
// battery, the bar graph's parts and the small pictograms.

#include <QPainter>
#include <QRectF>
#include <QString>

namespace artgen {

// Text scaled to fill `box` (keeping roughly its proportions), centred.
void DrawFittedText(QPainter& p, const QRectF& box, const QString& text, bool bold = true);
// A label inside a thin frame along the rectangle's edge.
void DrawBoxedLabel(QPainter& p, const QRectF& box, const QString& text);
// A solid block: points, minus signs, battery and graph bars, ticks.
void DrawBlock(QPainter& p, const QRectF& box);
// A round decimal point.
void DrawPoint(QPainter& p, const QRectF& box);
// A plus sign filling the box.
void DrawPlus(QPainter& p, const QRectF& box);
// A battery outline, its cap on the right (wide box) or on top (tall box).
void DrawBatteryOutline(QPainter& p, const QRectF& box);
// A bar graph of short blocks along the box, as long as the box.
void DrawBarGraph(QPainter& p, const QRectF& box);
// A triangle pointing right.
void DrawRightArrow(QPainter& p, const QRectF& box);
// A diode: a triangle pointing at a bar.
void DrawDiode(QPainter& p, const QRectF& box);
// A loudspeaker with sound waves, the continuity beeper.
void DrawContinuity(QPainter& p, const QRectF& box);
// A lightning bolt (high voltage).
void DrawLightning(QPainter& p, const QRectF& box);
// An arrow turning round in a circle (automatic power-off).
void DrawCircularArrow(QPainter& p, const QRectF& box);

}  // namespace artgen
