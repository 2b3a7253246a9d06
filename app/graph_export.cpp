#include "app/graph_export.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QPainter>

#include "files/jpeg_writer.h"

namespace lcr {

// A view resized while hidden learns of it only from posted events, and the
// chart lays itself out on a posted request: deliver those two now, and
// nothing else, so the drawing has the new size.
void SettleChartView(QChartView& view) {
  QCoreApplication::sendPostedEvents(&view);
  if (QChart* chart = view.chart()) {
    QCoreApplication::sendPostedEvents(chart);
    if (chart->layout()) chart->layout()->activate();
  }
}

QImage RenderChartPicture(QChartView& view, const QList<QWidget*>& overlays) {
  QList<QWidget*> shown;
  for (QWidget* w : overlays) {
    if (w && !w->isHidden()) {
      shown.push_back(w);
      w->hide();
    }
  }
  const QSize before = view.size();

  view.resize(kGraphChartSize);
  SettleChartView(view);

  QImage picture(kGraphPictureSize, QImage::Format_RGB32);
  picture.fill(view.backgroundBrush().color());
  {
    QPainter painter(&picture);
    // The widget's own render, with its children, not the scene's.
    static_cast<QWidget&>(view).render(&painter, QPoint(kGraphChartOffset, kGraphChartOffset), QRegion(QRect(QPoint(0, 0), kGraphChartSize)));
  }

  view.resize(before);
  SettleChartView(view);
  for (QWidget* w : shown) w->show();
  return picture;
}

bool SaveGraphPicture(const QImage& picture, const QString& path, QString* error) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  const RgbPixels pixels{rgb.constBits(), rgb.width(), rgb.height(), rgb.bytesPerLine()};
  return WriteJpegFile(path, pixels, 100, error);
}

}  // namespace lcr
