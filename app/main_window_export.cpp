// File, Export ...: every entry of the exporter list, through one path.
#include <QApplication>
#include <QChartView>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QProgressBar>

#include "app/exporter_list.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/progress_job.h"
#include "app/standalone_chart.h"
#include "views/limit_marks.h"
#include "files/workbook_exporter.h"
#include "session/kept_folders.h"

namespace lcr {

namespace {

// A save dialog with one filter; the default suffix is added to a name
// typed without one.
QString AskSaveFileName(QWidget* owner, const QString& filter, const QString& suffix) {
  QFileDialog dialog(owner);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(filter);
  dialog.setDefaultSuffix(suffix);
  if (const QString folder = LastFolder(suffix); !folder.isEmpty()) dialog.setDirectory(folder);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  KeepFolder(suffix, dialog.selectedFiles().first());  // each export keeps its own folder
  return dialog.selectedFiles().first();
}

}  // namespace

void TForm1::BuildExportMenu() {
  exporters_ = ExportersFor([this] { return GraphPicture(); });
  for (const Exporter& e : exporters_) {
    QAction* action = Menu_File->addAction(e.menuCaption);
    connect(action, &QAction::triggered, this, [this, name = e.name] { ExportWith(name); });
    exportActions_.push_back(action);
  }
}

QAction* TForm1::ExportAction(const QString& name) const {
  for (std::size_t i = 0; i < exporters_.size(); ++i)
    if (exporters_[i].name == name) return exportActions_[i];
  return nullptr;
}

void TForm1::ExportWith(const QString& name) {
  const Exporter* exporter = FindExporter(exporters_, name);
  if (!exporter || WarnWhenEmpty(this, cycle().table)) return;
  setEnabled(false);
  const QString path = AskSaveFileName(this, exporter->filter, exporter->suffix);
  if (!path.isEmpty()) ExportTo(*exporter, path);
  setEnabled(true);
}

void TForm1::ExportTo(const Exporter& exporter, const QString& path) {
  ExportOutcome outcome;
  {
    ProgressJob job(this, exporter.caption, QStringLiteral("Writing %1").arg(QFileInfo(path).fileName()));
    // The status bar's progress follows the dialog's, over the whole export.
    ProgressBar1->setRange(0, 1000);
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    job.follow = [this](int permille) { ProgressBar1->setValue(permille); };
    outcome = exporter.Write(cycle().table, path, job.progress());
    if (outcome.saved()) ProgressBar1->setValue(ProgressBar1->maximum());
  }
  // An export's messages, failures too, belong to no window.
  ShowFileMessage(outcome, nullptr);
  ProgressBar1->hide();
}

// Drawn apart from the window, so the window's chart keeps its size and
// its read-out; with the limit lines the window shows.
QImage TForm1::GraphPicture() {
  const Cycle& c = cycle();
  return StandaloneChart(c.chart, c.win.pointsPerPage, viewHandles_.Chart1->size(), true,
                         ChartLimitValues(c.chart, c.table, c.limits))
      .Picture();
}

void TForm1::ExportGraphFile(const QString& path) {
  if (const Exporter* e = FindExporter(exporters_, QStringLiteral("graph"))) ExportTo(*e, path);
}

void TForm1::ExportSpreadsheetFile(const QString& path, AutomationServer* server) {
  ExportTo(WorkbookExporter(server), path);
}

}  // namespace lcr
