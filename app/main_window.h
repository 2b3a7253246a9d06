#pragma once
// The main window: shows the acquisition cycle's window model and forwards
// the user's commands to the cycle runner. Every rule lives in the cycle;
// this class only owns widgets.

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <memory>

#include "files/exporter.h"
#include "session/publishing_switch.h"
#include "session/cycle_runner.h"
#include "views/main_layout.h"
#include "app/widget_handles.h"
#include "link/serial_io.h"
#include "lcd/panel_geometry.h"

class QAction;
class QCheckBox;
class QCloseEvent;
class QKeyEvent;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QStatusBar;

namespace lcr {

enum class DroppingCommand;
class AutomationServer;
class DialWidgets;
class PanelWidgets;
class TForm2;
class ViewWidgets;

inline constexpr int kMainWindowWidth = 990;
inline constexpr int kMainWindowHeight = 690;
inline constexpr int kSegmentImageCount = kSegmentCount;
inline constexpr int kGlyphImageCount = kGlyphHolderCount;

// Save and the exports have nothing to write while the table is empty:
// true, after "No Any Date!", when it is.
bool WarnWhenEmpty(QWidget* owner, const MeasurementTable& table);

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // Takes the serial backend the cycle runs on.
  explicit TForm1(std::unique_ptr<SerialIo> io, QWidget* parent = nullptr);
  ~TForm1() override;

  CycleRunner& runner() { return *runner_; }
  Cycle& cycle() { return runner_->cycle(); }
  // Readings published to a broker, as the settings say.
  PublishingSwitch& publishing() { return *publishing_; }
  // The settings dialog shown by Set, System Set (created after this window).
  void setSettingsDialog(TForm2* dialog);
  // The chart, grid and statistics as the widgets show them.
  ViewWidgets& views() { return *views_; }
  // The dial pictures and read-outs as the widgets show them.
  DialWidgets& dial() { return *dial_; }
  // The meter's display as the widgets show it.
  PanelWidgets& panel() { return *panel_; }
  // Where ArrangeLayout last put the big controls.
  const MainLayout& layoutApplied() const { return layout_; }

  // The widgets each view helper drives, for the tests to look at.
  const ViewHandles& viewHandles() const { return viewHandles_; }
  const DialHandles& dialHandles() const { return dialHandles_; }
  const PanelHandles& panelHandles() const { return panelHandles_; }

  // The window's own controls, under the names the handlers use.
  QScrollBar* ScrollBar1 = nullptr;
  QScrollBar* ScrollBar2 = nullptr;
  QFrame* Panel1 = nullptr;
  QPushButton* Button_Start = nullptr;
  QPushButton* Button_Stop = nullptr;
  QPushButton* Button_Reset = nullptr;
  QPushButton* Bution_Exit = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  std::array<QLabel*, kStatusPanelCount> StatusPanels{};

  QMenu* Menu_File = nullptr;
  QMenu* Menu_Run = nullptr;  // Acquisition: Start and Stop
  QMenu* Menu_Set = nullptr;
  QAction* Menu_Open = nullptr;
  QAction* Menu_Save = nullptr;
  QAction* Menu_Graph = nullptr;
  QAction* Menu_Excel = nullptr;
  QAction* Menu_Quit = nullptr;
  QAction* Menu_System = nullptr;
  QAction* Menu_Start = nullptr;
  QAction* Menu_Stop = nullptr;

  // Hidden diagnostic read-outs and the (invisible) check box that shows them.
  QLineEdit* Edit1 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QLineEdit* Edit3 = nullptr;
  QLineEdit* Edit4 = nullptr;
  QLineEdit* Edit5 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QCheckBox* CheckBox1 = nullptr;

  // Shown while Export Excel File runs.
  QProgressBar* ProgressBar1 = nullptr;

 public slots:
  void Button_StartClick();
  void Button_StopClick();
  void Button_ResetClick();
  void Bution_ExitClick();
  void Menu_QuitClick();
  void Menu_SystemClick();
  void Menu_OpenClick();
  void Menu_SaveClick();
  void Menu_GraphClick();
  void Menu_ExcelClick();
  void ScrollBar1Change(int position);
  void ScrollBar2Change(int position);
  void CheckBox1Click(bool checked);

  // Shows the window model on the widgets (after every change of the cycle).
  void ApplyModel();

  // Open's work once a file was chosen: the table replaced and the views
  // refreshed, or "Wrong Data Format!" and nothing changed.
  void OpenDataFile(const QString& path);

  // The exports once a file was chosen. The spreadsheet export runs on the
  // program's own spreadsheet application unless `server` is given.
  void ExportGraphFile(const QString& path);
  // The picture Export Graph writes: the chart as the window shows it now,
  // drawn by a StandaloneChart.
  QImage GraphPicture();
  void ExportSpreadsheetFile(const QString& path, AutomationServer* server = nullptr);

 protected:
  // The window's close button, Exit and File, Exit all come here; it asks
  // before records that are not saved would be lost (main_window_close.cpp).
  void closeEvent(QCloseEvent* event) override;
  // The client area's resizes re-run ArrangeLayout, so the controls follow
  // the window as their anchors would.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Building the controls (main_window_build.cpp).
  void BuildMenus();
  void BuildClientArea();
  void BuildChart(QWidget* client);
  void BuildGrid(QWidget* client);
  void BuildPanel(QWidget* client);
  void BuildDiagnostics(QWidget* client);
  void BuildStatusBar();

  // Start-up steps, in order.
  void FormCreate();
  void AlignEdits();
  void SetupGrid();
  void ArrangeLayout(int statusBarTop);
  void CreateImagePools();

  // Asks "N records are not saved. Save them before closing?" (worded for
  // the command) when they are not, after stopping acquisition; true when
  // the command may go on (main_window_close.cpp).
  bool ConfirmDropRecords(DroppingCommand command);
  // File, Save; true when the table was written.
  bool SaveTable();

  // Access keys, shortcuts, the Tab order and the tooltips (main_window_keys.cpp).
  void SetupKeyboard();
  // Paging keys on the grid move ScrollBar2; true when the key was used.
  bool GridKeyPress(QKeyEvent* key);
  void ApplyLinkHealthPanel();

  void ApplyDiagnostics();
  void ApplyChartPaging();

  // The exports, one path for every entry of the exporter list
  // (main_window_export.cpp): the File menu's entries, then the file
  // dialog, the work under a progress dialog and the outcome told.
  void BuildExportMenu();
  QAction* ExportAction(const QString& name) const;
  void ExportWith(const QString& name);
  void ExportTo(const Exporter& exporter, const QString& path);

  std::unique_ptr<CycleRunner> runner_;
  std::unique_ptr<PublishingSwitch> publishing_;  // goes before the cycle it hangs on
  std::vector<Exporter> exporters_;
  std::vector<QAction*> exportActions_;  // one per exporter, in its order
  // The view widgets, made by the build steps and handed to their helpers.
  ViewHandles viewHandles_;
  DialHandles dialHandles_;
  PanelHandles panelHandles_;
  ViewWidgets* views_ = nullptr;  // a child QObject of this window
  DialWidgets* dial_ = nullptr;   // a child QObject of this window
  std::unique_ptr<PanelWidgets> panel_;
  TForm2* form2_ = nullptr;
  QWidget* client_ = nullptr;
  MainLayout design_;
  MainLayout layout_;
  std::uint64_t memoLinesShown_ = 0;
  int chartPointsShown_ = 0;
  bool closeAgreed_ = false;  // the close question was answered: do not ask again
  // What the link's panel was last fitted for (ApplyLinkHealthPanel).
  QString fittedText_;
  int fittedRoom_ = -1;
  QFont fittedBase_;
};

}  // namespace lcr
