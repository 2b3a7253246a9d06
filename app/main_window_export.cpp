// File, Export Graph and Export Excel File.
#include <QApplication>
#include <QChartView>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QTableWidget>

#include "app/graph_export.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/progress_job.h"
#include "files/spreadsheet_export.h"
#include "files/workbook/xlsx_automation.h"
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

void TForm1::ExportGraph() {
  const QString path = AskSaveFileName(this, QStringLiteral("JPEG Image File (*.jpg)"), QStringLiteral("jpg"));
  if (!path.isEmpty()) ExportGraphFile(path);
}

QImage TForm1::GraphPicture() {
  return RenderChartPicture(*viewHandles_.Chart1, {viewHandles_.Shape1, viewHandles_.suiEdit4});
}

void TForm1::ExportGraphFile(const QString& path) {
  const QImage picture = GraphPicture();
  repaint();
  QString error;
  if (!SaveGraphPicture(picture, path, &error)) {
    // Nothing was written; say why rather than report success.
    ShowMessage(QMessageBox::Warning, this, QStringLiteral("Export Graph"), error);
    return;
  }
  ShowMessage(QMessageBox::Information, nullptr, QStringLiteral("Export Graph"),
                           QStringLiteral("Export Graph ") + path + QStringLiteral(" Successfully."));
}

// The workbook is Office Open XML, so the dialog offers .xlsx; a name the
// user types with another extension, .xls included, is kept as typed.
void TForm1::ExportSpreadsheet() {
  const QString path = AskSaveFileName(this, QStringLiteral("Excel File (*.XLSX)"), QStringLiteral("xlsx"));
  if (!path.isEmpty()) ExportSpreadsheetFile(path);
}

void TForm1::ExportSpreadsheetFile(const QString& path, AutomationServer* server) {
  XlsxAutomationServer ownServer;
  AutomationServer& use = server ? *server : ownServer;

  std::array<std::string, kGridColumnCount> header;
  for (int c = 0; c < kGridColumnCount; ++c) {
    const QTableWidgetItem* item = viewHandles_.StringGrid1->horizontalHeaderItem(c);
    header[std::size_t(c)] = item ? item->text().toStdString() : std::string();
  }

  const QString caption = QStringLiteral("Save Excel File");
  std::string error;
  SpreadsheetExportOutcome outcome;
  {
    ProgressJob job(this, caption, QStringLiteral("Writing %1").arg(QFileInfo(path).fileName()));
    // The status bar's progress follows the dialog's, over the whole export.
    ProgressBar1->setRange(0, 1000);
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    job.follow = [this](int permille) { ProgressBar1->setValue(permille); };
    SpreadsheetExportHooks hooks;
    hooks.repaintWindow = [this] { repaint(); };
    hooks.progress = job.progress();
    outcome = lcr::ExportSpreadsheetFile(use, path, cycle().table, header, hooks, &error);
    if (outcome == SpreadsheetExportOutcome::Saved) ProgressBar1->setValue(ProgressBar1->maximum());
  }
  switch (outcome) {
    case SpreadsheetExportOutcome::Saved:
      ShowMessage(QMessageBox::Information, nullptr, caption, QStringLiteral("Save Excel file Successfully."));
      break;
    case SpreadsheetExportOutcome::NoApplication:
      ShowMessage(QMessageBox::Warning, nullptr, caption, QStringLiteral("You must install Microsoft Excel!"));
      break;
    case SpreadsheetExportOutcome::Failed: {
      // Which file and why, under the usual words.
      FittedMessageBox box(QMessageBox::Warning, caption, QStringLiteral("open excel file fail!"), QMessageBox::Ok);
      box.setInformativeText(QString::fromStdString(error));
      box.exec();
      break;
    }
    case SpreadsheetExportOutcome::Cancelled:
      break;
  }
  ProgressBar1->hide();
}

}  // namespace lcr
