#include "app/panel_widgets.h"

#include <QLabel>
#include <QPixmap>
#include <algorithm>

#include "app/panel_pictures.h"

namespace lcr {

PanelWidgets::PanelWidgets(const PanelHandles& w) : w_(w) {
  cellShown_.fill(kNoGlyph);
  const QSize panel(kPanelWidth, kPanelHeight);
  w_.Image3->setPixmap(QPixmap::fromImage(PanelPicture("LCD_BACKDROP", panel)));
  QImage swatch = PanelPicture("LCD_CLIME", QSize(kSwatchWidth, kSwatchHeight));
  w_.LCD_CLIME->setPixmap(QPixmap::fromImage(swatch));
}

void PanelWidgets::follow(const PanelModel& m) {
  if (m.setupRevision != setupShown_) {
    setUp(m);
    showAll(m);
  } else if (m.renderRevision == renderShown_ + 1) {
    showChanges(m);
  } else if (m.renderRevision != renderShown_) {
    showAll(m);
  }
  setupShown_ = m.setupRevision;
  renderShown_ = m.renderRevision;
}

// ResetPanel's widget work: every segment picture and the first glyph
// holders emptied, then the family's pictures cut afresh.
void PanelWidgets::setUp(const PanelModel& m) {
  for (int i = 0; i < kSegmentCount; ++i) {
    w_.SegmentImages[std::size_t(i)]->clear();
    if (i < kGlyphHoldersCleared) {
      w_.MainGlyphImages[std::size_t(i)]->clear();
      w_.SubGlyphImages[std::size_t(i)]->clear();
    }
  }
  cellShown_.fill(kNoGlyph);
  barShown_ = -1;
  if (!m.geometry) return;
  const PanelGeometry& g = *m.geometry;
  w_.lcdmain->setPixmap(QPixmap::fromImage(PanelPicture(g.artResource, QSize(kPanelWidth, kPanelHeight))));
  for (auto [holder, strip] : {std::pair{w_.M_NO_MAIN, &g.mainStrip}, std::pair{w_.S_NO_MAIN, &g.subStrip}}) {
    holder->setPixmap(QPixmap::fromImage(PanelPicture(strip->resource, QSize(strip->width, strip->height))));
    holder->resize(holder->pixmap().size());
  }
  placeSegments(g);
  cutGlyphs(g);
  cutSegments(g);
}

void PanelWidgets::placeSegments(const PanelGeometry& g) {
  std::array<const PanelElement*, kSegmentCount> at{};
  for (const PanelElement& e : g.elements) at[std::size_t(e.segment)] = &e;
  for (int i = 0; i < kSegmentCount; ++i) {
    QLabel* s = w_.SegmentImages[std::size_t(i)];
    const PanelElement* e = at[std::size_t(i)];
    s->setGeometry(e ? QRect(e->x, e->y, e->w, e->h) : QRect());
    s->hide();
    s->raise();
  }
}

void PanelWidgets::cutGlyphs(const PanelGeometry& g) {
  const QImage main = w_.M_NO_MAIN->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage sub = w_.S_NO_MAIN->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
  for (int k = 0; k < g.mainStrip.glyphCount; ++k) {
    QLabel* m = w_.MainGlyphImages[std::size_t(k)];
    m->resize(g.mainStrip.cellWidth, g.mainStrip.cellHeight);
    m->setPixmap(QPixmap::fromImage(CutGlyph(main, g.mainStrip, k)));
  }
  for (int k = 0; k < g.subStrip.glyphCount; ++k) {
    QLabel* s = w_.SubGlyphImages[std::size_t(k)];
    s->resize(g.subStrip.cellWidth, g.subStrip.cellHeight);
    s->setPixmap(QPixmap::fromImage(CutGlyph(sub, g.subStrip, k)));
  }
}

void PanelWidgets::cutSegments(const PanelGeometry& g) {
  const QImage art = w_.lcdmain->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
  const QColor fill = SwatchColour(w_.LCD_CLIME->pixmap().toImage());
  for (const PanelElement& e : g.elements) {
    if (e.h == 0) continue;
    QLabel* s = w_.SegmentImages[std::size_t(e.segment)];
    if (e.kind == ElementKind::Art) s->setPixmap(QPixmap::fromImage(CutSegment(art, g, e)));
    if (e.kind == ElementKind::SolidFill) s->setPixmap(QPixmap::fromImage(SolidSegment(e, fill)));
  }
}

void PanelWidgets::showAll(const PanelModel& m) {
  for (int i = 0; i < kSegmentCount; ++i) {
    const PanelElement* e = m.element[std::size_t(i)];
    if (e && IsDigitCell(*e)) showCell(m, i);
    showVisibility(m, i);
  }
  showBar(m);
}

void PanelWidgets::showChanges(const PanelModel& m) {
  for (int cell : m.changes.cells) showCell(m, cell);
  if (m.changes.barWidth) showBar(m);
  for (int segment : m.changes.visibility) showVisibility(m, segment);
}

void PanelWidgets::showCell(const PanelModel& m, int segment) {
  const int glyph = m.cellGlyph[std::size_t(segment)];
  int& shown = cellShown_[std::size_t(segment)];
  if (glyph == shown) return;
  shown = glyph;
  QLabel* s = w_.SegmentImages[std::size_t(segment)];
  if (glyph == kNoGlyph) {
    s->clear();
    return;
  }
  const bool main = m.element[std::size_t(segment)]->kind == ElementKind::MainCell;
  s->setPixmap((main ? w_.MainGlyphImages : w_.SubGlyphImages)[std::size_t(glyph)]->pixmap());
}

void PanelWidgets::showVisibility(const PanelModel& m, int segment) {
  const bool on = SegmentShown(m, segment);
  QLabel* s = w_.SegmentImages[std::size_t(segment)];
  if (s->isVisibleTo(s->parentWidget()) != on) s->setVisible(on);
}

void PanelWidgets::showBar(const PanelModel& m) {
  const PanelElement* bar = m.element[std::size_t(seg730::kBar)];
  if (!bar || m.family != kFamily730) return;
  // Past the end of its picture the bar shows nothing more; the widget stops
  // at the backdrop's edge so that it never lies over the dial.
  const int width = std::min(m.barWidth, kPanelWidth + 1 - bar->x);
  if (width >= 1 && width != barShown_) {
    barShown_ = width;
    w_.SegmentImages[std::size_t(seg730::kBar)]->resize(width, bar->h);
  }
  showVisibility(m, seg730::kBar);
}

}  // namespace lcr
