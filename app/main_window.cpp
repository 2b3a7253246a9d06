// The main window's handlers and how it shows the window model.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QValueAxis>

#include "session/file_commands.h"
#include "session/kept_folders.h"
#include "app/dial_widgets.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/progress_job.h"
#include "app/settings_dialog.h"
#include "app/view_widgets.h"
#include "files/data_file.h"
#include "files/file_message.h"

namespace lcr {

namespace {

void ShowScrollBar(QScrollBar* bar, const ScrollBarModel& m) {
  const QSignalBlocker block(bar);
  bar->setRange(m.minimum, m.maximum);
  bar->setPageStep(m.pageSize);
  bar->setValue(m.position);
  bar->setEnabled(m.enabled);
}

void ShowText(QLineEdit* edit, const std::string& text) {
  const QString shown = QString::fromStdString(text);
  if (edit->text() != shown) edit->setText(shown);
}

}  // namespace

bool WarnWhenEmpty(QWidget* owner, const MeasurementTable& table) {
  if (table.RecordCount != 0) return false;
  ShowFileMessage(EmptyTableMessage(), owner);
  return true;
}

void TForm1::ApplyModel() {
  const WindowModel& w = cycle().win;
  for (int i = 0; i + 1 < kStatusPanelCount; ++i) StatusPanels[std::size_t(i)]->setText(w.status[std::size_t(i)]);
  ApplyLinkHealthPanel();

  // Start and Stop trade places: the key that pressed one lands on the other.
  const bool startHadFocus = Button_Start->hasFocus();
  const bool stopHadFocus = Button_Stop->hasFocus();
  Button_Start->setEnabled(w.startEnabled);
  Button_Stop->setEnabled(w.stopEnabled);
  Menu_Start->setEnabled(w.startEnabled);
  Menu_Stop->setEnabled(w.stopEnabled);
  if (startHadFocus && !w.startEnabled && w.stopEnabled) Button_Stop->setFocus(Qt::OtherFocusReason);
  if (stopHadFocus && !w.stopEnabled && w.startEnabled) Button_Start->setFocus(Qt::OtherFocusReason);
  Button_Reset->setEnabled(w.resetEnabled);
  Menu_System->setEnabled(w.systemSetEnabled);
  Menu_Open->setEnabled(w.openEnabled);
  Menu_Save->setEnabled(w.saveEnabled);
  for (QAction* exportAction : exportActions_) exportAction->setEnabled(w.exportEnabled);
  viewHandles_.StringGrid1->setEnabled(w.gridEnabled);

  ShowScrollBar(ScrollBar1, w.scrollBar1);
  ShowScrollBar(ScrollBar2, w.scrollBar2);
  ApplyChartPaging();
  views_->apply();
  dial_->apply();
  if (CheckBox1->isChecked()) ApplyDiagnostics();
}

void TForm1::ApplyChartPaging() {
  const int points = cycle().win.pointsPerPage;
  if (points == chartPointsShown_) return;
  chartPointsShown_ = points;
  viewHandles_.BottomAxis->setRange(0, points);
}

// The read-outs are written by the cycle all along; the widgets follow only
// while they are shown, which spares the hidden edits a redraw per pass.
void TForm1::ApplyDiagnostics() {
  const Diagnostics& d = cycle().acq.diag;
  ShowText(Edit1, d.Edit1);
  ShowText(Edit2, d.Edit2);
  ShowText(Edit3, d.Edit3);
  ShowText(Edit4, d.Edit4);
  ShowText(Edit5, d.Edit5);
  const std::uint64_t fresh = d.memoLinesAdded - memoLinesShown_;
  const std::size_t take = std::size_t(std::min<std::uint64_t>(fresh, d.Memo1.size()));
  for (std::size_t i = d.Memo1.size() - take; i < d.Memo1.size(); ++i)
    Memo1->appendPlainText(QString::fromStdString(d.Memo1[i]));
  memoLinesShown_ = d.memoLinesAdded;
}

void TForm1::Button_StartClick() { runner_->start(); }

void TForm1::Button_StopClick() { runner_->stop(); }

void TForm1::Button_ResetClick() {
  if (ConfirmDropRecords(DroppingCommand::Reset)) runner_->reset();
}

// Both ways out go through close(), which asks about unsaved records first.
void TForm1::Bution_ExitClick() {
  if (close()) QApplication::quit();
}

void TForm1::Menu_QuitClick() {
  if (!close()) return;
  runner_->quit();
  QApplication::quit();
}

void TForm1::setSettingsDialog(TForm2* dialog) {
  form2_ = dialog;
  if (!form2_) return;
  connect(form2_, &TForm2::settingsApplied, this, &TForm1::ApplyModel);
  connect(form2_, &TForm2::settingsApplied, this, [this] { publishing_->Apply(); });
}

void TForm1::Menu_SystemClick() {
  if (form2_) form2_->exec();
}

void TForm1::Menu_OpenClick() {
  if (!ConfirmDropRecords(DroppingCommand::Open)) return;
  QFileDialog dialog(this);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(QString::fromLatin1(kOpenDataFileFilter));
  if (const QString folder = LastFolder(QStringLiteral("open")); !folder.isEmpty()) dialog.setDirectory(folder);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  KeepFolder(QStringLiteral("open"), dialog.selectedFiles().first());
  OpenDataFile(dialog.selectedFiles().first());
}

void TForm1::OpenDataFile(const QString& path) {
  QString error;
  OpenOutcome outcome;
  {
    ProgressJob job(this, QStringLiteral("Open"), QStringLiteral("Reading %1").arg(QFileInfo(path).fileName()));
    outcome = OpenIntoSession(cycle(), path, &error, job.progress());
  }
  if (outcome == OpenOutcome::Opened) ApplyModel();
  ShowFileMessage(OpenMessage(outcome, path, error), this);
}

void TForm1::Menu_SaveClick() { SaveTable(); }

bool TForm1::SaveTable() {
  if (WarnWhenEmpty(this, cycle().table)) return false;
  setEnabled(false);
  QFileDialog dialog(this);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(QString::fromLatin1(kSaveDataFileFilter));
  dialog.setDefaultSuffix(QString::fromLatin1(kSaveDataFileSuffix));
  if (const QString folder = LastFolder(QStringLiteral("save")); !folder.isEmpty()) dialog.setDirectory(folder);
  bool written = false;
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    const QString path = dialog.selectedFiles().first();
    KeepFolder(QStringLiteral("save"), path);
    QString error;
    bool cancelled = false;
    {
      ProgressJob job(this, QStringLiteral("Save TXT File"), QStringLiteral("Saving %1").arg(QFileInfo(path).fileName()));
      written = WriteDataFile(path, cycle().table, &error, job.progress());
      cancelled = job.cancelled();
    }
    if (written) MarkTableSaved(cycle());
    ShowFileMessage(SaveMessage(written, cancelled, error), this);
  }
  setEnabled(true);
  return written;
}

void TForm1::Menu_GraphClick() { ExportWith(QStringLiteral("graph")); }

void TForm1::Menu_ExcelClick() { ExportWith(QStringLiteral("workbook")); }

void TForm1::ScrollBar1Change(int position) {
  SetScrollBar1Position(cycle(), position);
  ApplyModel();
}

void TForm1::ScrollBar2Change(int position) {
  SetScrollBar2Position(cycle(), position);
  ApplyModel();
}

void TForm1::CheckBox1Click(bool checked) {
  for (QWidget* w : std::initializer_list<QWidget*>{Edit1, Edit2, Edit3, Edit4, Edit5, Memo1}) {
    w->setVisible(checked);
    if (checked) w->raise();
  }
  if (checked) ApplyDiagnostics();
}

}  // namespace lcr
