#include "app/kept_window.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTableWidget>

#include "app/main_window.h"

namespace lcr {

void ApplyKeptSettings(TForm1& form, const KeptSettings& kept) {
  Cycle& c = form.cycle();
  ApplySettings(c, kept.pointsPerPage, kept.ratePerMinute);
  c.portChoice = kept.port;
  c.publishTo = kept.publishTo;
  c.benchName = kept.benchName;
  c.limits = kept.limits;
  form.runner().applyTimers();
  form.publishing().Apply();
  form.ApplyModel();

  QTableWidget* grid = form.viewHandles().StringGrid1;
  if (int(kept.columnWidths.size()) == grid->columnCount()) {
    for (int col = 0; col < grid->columnCount(); ++col) grid->setColumnWidth(col, kept.columnWidths[std::size_t(col)]);
  }
  if (kept.window) form.setGeometry(kept.window->left, kept.window->top, kept.window->width, kept.window->height);
}

void ShowAsKept(TForm1& form, const KeptSettings& kept) {
  if (kept.maximized) {
    form.showMaximized();
  } else {
    form.show();
  }
}

KeptSettings CurrentKeptSettings(TForm1& form) {
  const Cycle& c = form.cycle();
  KeptSettings kept;
  kept.ratePerMinute = RateFromInterval(c.win.showTime.intervalMs);
  kept.pointsPerPage = c.win.pointsPerPage;
  kept.port = c.portChoice;
  kept.publishTo = c.publishTo;
  kept.benchName = c.benchName;
  kept.limits = c.limits;
  // The place it takes when not maximized, so that it comes back there.
  const QRect normal = form.normalGeometry();
  if (normal.isValid()) kept.window = LayoutRect{normal.x(), normal.y(), normal.width(), normal.height()};
  kept.maximized = form.isMaximized();
  const QTableWidget* grid = form.viewHandles().StringGrid1;
  for (int col = 0; col < grid->columnCount(); ++col) kept.columnWidths.push_back(grid->columnWidth(col));
  return kept;
}

std::vector<LayoutRect> FreeScreenAreas() {
  std::vector<LayoutRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect free = screen->availableGeometry();
    areas.push_back({free.x(), free.y(), free.width(), free.height()});
  }
  return areas;
}

}  // namespace lcr
