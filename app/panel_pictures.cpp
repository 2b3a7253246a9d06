#include "app/panel_pictures.h"

#include <QDir>
#include <QPainter>

static void InitPanelResources() { Q_INIT_RESOURCE(panel); }

namespace lcr {

namespace {

const QString kPanelDir = QStringLiteral(":/lcr/panel");

QString FindResource(const QString& name) {
  const QString exact = kPanelDir + QLatin1Char('/') + name;
  if (QFile::exists(exact)) return exact;
  for (const QString& entry : QDir(kPanelDir).entryList(QDir::Files))
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return kPanelDir + QLatin1Char('/') + entry;
  return {};
}

}  // namespace

QImage PanelPicture(const char* name, QSize fallback) {
  InitPanelResources();
  const QString path = FindResource(QString::fromLatin1(name));
  QImage image;
  if (!path.isEmpty()) image.load(path);
  if (image.isNull()) {
    image = QImage(fallback, QImage::Format_RGB32);
    image.fill(Qt::black);
  }
  return image.convertToFormat(QImage::Format_RGB32);
}

QImage CutSegment(const QImage& art, const PanelGeometry& g, const PanelElement& e) {
  const QRect box(e.x, e.y, e.w, e.h);
  QImage picture = art.copy(box);
  for (const PanelElement& inner : g.elements) {
    if (!LiesWithin(inner, e)) continue;
    const QRect r(inner.x, inner.y, inner.w, inner.h);
    QPainter(&picture).fillRect(r.translated(-box.topLeft()), Qt::black);
  }
  return picture;
}

QImage CutGlyph(const QImage& strip, const GlyphStrip& s, int k) {
  return strip.copy(s.firstColumn + s.pitch * k, 0, s.cellWidth, s.cellHeight);
}

QImage SolidSegment(const PanelElement& e, const QColor& fill) {
  QImage picture(e.w, e.h, QImage::Format_RGB32);
  picture.fill(fill);
  return picture;
}

QColor SwatchColour(const QImage& swatch) {
  if (!swatch.valid(kSwatchSampleX, kSwatchSampleY)) return Qt::black;
  return swatch.pixelColor(kSwatchSampleX, kSwatchSampleY);
}

}  // namespace lcr
