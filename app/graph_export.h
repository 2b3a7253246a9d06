#pragma once
// Export Graph's picture: the chart drawn at a fixed size into a JPEG.

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

class QChartView;
class QWidget;

namespace lcr {

inline constexpr QSize kGraphPictureSize{1024, 768};
inline constexpr QSize kGraphChartSize{1010, 760};
inline constexpr int kGraphChartOffset = 5;

// Lays out a resized `view` now, even while it is hidden.
void SettleChartView(QChartView& view);

// Draws `view` laid out at 1010 x 760 into a 1024 x 768 picture at (5, 5),
// on the chart's own background colour. `overlays` (the read-out line and
// box) are hidden while it is drawn. The view gets its size back, and the
// overlays their visibility, before this returns.
QImage RenderChartPicture(QChartView& view, const QList<QWidget*>& overlays);

// Writes `picture` to `path` as JPEG, quality 100, replacing any file there.
// False, with the reason in *error, when it cannot.
bool SaveGraphPicture(const QImage& picture, const QString& path, QString* error);

}  // namespace lcr
