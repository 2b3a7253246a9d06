// lcr-artgen: draws the program's pictures as PNG files: the three dial
// faces into <resources>/dial, the display art, glyph strips, backdrop and
// colour swatch of both families into <resources>/panel.
// Run by hand after changing the artwork, from the source tree:
//     build/dev/tools/lcr-artgen resources
// The pictures are committed; the build only packs them as resources.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "dial_faces.h"
#include "lcd_art.h"
#include "lcd/panel_geometry.h"

namespace {

bool Save(const QImage& image, const QDir& dir, const QString& name) {
  if (!dir.exists() && !QDir().mkpath(dir.path())) {
    std::fprintf(stderr, "lcr-artgen: cannot create %s\n", qPrintable(dir.path()));
    return false;
  }
  const QString path = dir.filePath(name + QStringLiteral(".png"));
  if (!image.save(path, "PNG")) {
    std::fprintf(stderr, "lcr-artgen: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QDir root(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources"));
  const QDir dial(root.filePath(QStringLiteral("dial")));
  const QDir panel(root.filePath(QStringLiteral("panel")));

  bool ok = true;
  for (const artgen::Face& f : artgen::kFaces) ok = ok && Save(artgen::DrawFace(f), dial, QString::fromLatin1(f.name));
  for (const lcr::PanelGeometry* g : {&lcr::PanelGeometry730(), &lcr::PanelGeometry68()}) {
    ok = ok && Save(artgen::DrawLcdArt(*g), panel, QString::fromLatin1(g->artResource));
    for (const lcr::GlyphStrip* s : {&g->mainStrip, &g->subStrip})
      ok = ok && Save(artgen::DrawGlyphStrip(*s), panel, QString::fromLatin1(s->resource));
  }
  ok = ok && Save(artgen::DrawBackdrop(), panel, QStringLiteral("LCD_BACKDROP"));
  ok = ok && Save(artgen::DrawSwatch(), panel, QStringLiteral("LCD_CLIME"));
  return ok ? 0 : 2;
}
