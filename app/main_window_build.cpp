// Building the main window's controls and its start-up steps.
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QGraphicsLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QValueAxis>
#include <cstdio>

#include "session/view_updates.h"
#include "app/dial_widgets.h"
#include "app/panel_widgets.h"
#include "app/main_window.h"
#include "app/chart_drawing.h"
#include "app/menu_icons.h"
#include "app/statistics_window.h"
#include "app/view_widgets.h"

namespace lcr {

namespace {

constexpr std::array<int, kStatusPanelCount> kStatusPanelWidths{130, 150, 200, 200, 200};

// Column widths; the header texts are the grid model's.
constexpr std::array<int, kGridColumnCount> kGridColumnWidths{33, 50, 45, 115, 45, 65};

// The LCD backdrop, the art holder and the dial all share these sizes.
constexpr int kDialLeft = 356;
constexpr int kDialWidth = 330;
constexpr int kDialHeight = 150;

QLabel* MakeImage(const char* name, QWidget* parent, QRect geometry, bool visible) {
  auto* image = new QLabel(parent);
  image->setObjectName(QString::fromLatin1(name));
  image->setGeometry(geometry);
  image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  image->setAttribute(Qt::WA_TransparentForMouseEvents);
  image->setVisible(visible);
  return image;
}

QLineEdit* MakeEdit(const char* name, QWidget* parent, QRect geometry, bool visible,
                    bool readOnly = true) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setGeometry(geometry);
  edit->setReadOnly(readOnly);
  edit->setVisible(visible);
  return edit;
}

QPushButton* MakeButton(const char* name, const char* text, QWidget* parent, QRect geometry) {
  auto* button = new QPushButton(QString::fromLatin1(text), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  return button;
}

QPixmap FilledPixmap(int w, int h, QColor colour) {
  QPixmap pixmap(w, h);
  pixmap.fill(colour);
  return pixmap;
}

void Place(QWidget* widget, const LayoutRect& r) { widget->setGeometry(r.left, r.top, r.width, r.height); }

}  // namespace

TForm1::TForm1(std::unique_ptr<SerialIo> io, QWidget* parent)
    : QMainWindow(parent), runner_(std::make_unique<CycleRunner>(std::move(io))) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("LCR TAVRIK"));
  setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
  resize(kMainWindowWidth, kMainWindowHeight);
  setMinimumSize(kMainWindowWidth, kMainWindowHeight);

  BuildMenus();
  BuildClientArea();
  BuildStatusBar();
  FormCreate();

  views_ = new ViewWidgets(this, viewHandles_, cycle());
  dial_ = new DialWidgets(this, dialHandles_, cycle());
  panel_ = std::make_unique<PanelWidgets>(panelHandles_);
  // The display follows the panel model when it is set up for a family and
  // when a display tick painted a reading.
  const auto showPanel = [this] { panel_->follow(cycle().panel); };
  connect(runner_.get(), &CycleRunner::panelReset, this, showPanel);
  connect(runner_.get(), &CycleRunner::sampleRecorded, this, showPanel);
  SetupKeyboard();
  publishing_ = std::make_unique<PublishingSwitch>(cycle());
  publishing_->onWordsChanged = [this] { ApplyLinkHealthPanel(); };
  publishing_->onNotice = [this](const std::string& line) {
    std::fprintf(stderr, "LCR TAVRIK: %s\n", line.c_str());
    ApplyLinkHealthPanel();
  };
  connect(runner_.get(), &CycleRunner::changed, this, &TForm1::ApplyModel);
  ApplyModel();
}

TForm1::~TForm1() {
  // The helpers filter events of child widgets: take them down while this
  // window is still whole, before QWidget deletes the children.
  if (client_) client_->removeEventFilter(this);
  if (viewHandles_.StringGrid1) viewHandles_.StringGrid1->removeEventFilter(this);
  delete views_;
  views_ = nullptr;
  delete dial_;
  dial_ = nullptr;
}

void TForm1::BuildMenus() {
  Menu_File = menuBar()->addMenu(QStringLiteral("&File"));
  Menu_File->setObjectName(QStringLiteral("File1"));
  Menu_Open = Menu_File->addAction(OpenPicture(), QStringLiteral("Open"), this, &TForm1::Menu_OpenClick);
  Menu_Save = Menu_File->addAction(SavePicture(), QStringLiteral("Save"), this, &TForm1::Menu_SaveClick);
  BuildExportMenu();
  Menu_Graph = ExportAction(QStringLiteral("graph"));
  Menu_Excel = ExportAction(QStringLiteral("workbook"));
  Menu_File->addSeparator();
  Menu_Quit = Menu_File->addAction(QStringLiteral("Exit"), this, &TForm1::Menu_QuitClick);

  // Start and Stop, for their shortcuts and for the keyboard's menu walk.
  Menu_Run = menuBar()->addMenu(QStringLiteral("&Acquisition"));
  Menu_Run->setObjectName(QStringLiteral("Acquisition1"));
  Menu_Start = Menu_Run->addAction(QStringLiteral("Start"), this, &TForm1::Button_StartClick);
  Menu_Stop = Menu_Run->addAction(QStringLiteral("Stop"), this, &TForm1::Button_StopClick);
  Menu_Run->addSeparator();
  AddStatisticsMenu(*this, Menu_Run);

  Menu_Set = menuBar()->addMenu(QStringLiteral("&Set"));
  Menu_Set->setObjectName(QStringLiteral("Set1"));
  Menu_System = Menu_Set->addAction(QStringLiteral("System Set"), this, &TForm1::Menu_SystemClick);

  Menu_Open->setObjectName(QStringLiteral("Menu_Open"));
  Menu_Save->setObjectName(QStringLiteral("Menu_Save"));
  Menu_Graph->setObjectName(QStringLiteral("Menu_Graph"));
  Menu_Excel->setObjectName(QStringLiteral("Menu_Excel"));
  Menu_Quit->setObjectName(QStringLiteral("Menu_Quit"));
  Menu_System->setObjectName(QStringLiteral("Menu_System"));
  Menu_Start->setObjectName(QStringLiteral("Menu_Start"));
  Menu_Stop->setObjectName(QStringLiteral("Menu_Stop"));
}

void TForm1::BuildClientArea() {
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("Client"));
  setCentralWidget(client_);
  client_->installEventFilter(this);

  design_ = DesignLayout();
  BuildChart(client_);
  BuildGrid(client_);
  BuildPanel(client_);
  BuildDiagnostics(client_);
}

void TForm1::BuildChart(QWidget* client) {
  const ChartHandles chart = BuildChartView(client);
  viewHandles_.Chart1 = chart.view;
  viewHandles_.chart = chart.chart;
  viewHandles_.Series1 = chart.series;
  viewHandles_.LeftAxis = chart.left;
  viewHandles_.BottomAxis = chart.bottom;
  Place(viewHandles_.Chart1, design_.chart1);
  ApplyChartPaging();

  // The glyph strips and the colour swatch are never shown.
  panelHandles_.M_NO_MAIN = MakeImage("M_NO_MAIN", viewHandles_.Chart1, QRect(0, 0, 10, 10), false);
  panelHandles_.S_NO_MAIN = MakeImage("S_NO_MAIN", viewHandles_.Chart1, QRect(0, 0, 10, 10), false);
  panelHandles_.LCD_CLIME = MakeImage("LCD_CLIME", viewHandles_.Chart1, QRect(0, 0, kSwatchWidth, kSwatchHeight), false);

  // The viewHandles_.chart read-out: a thin line and a box that follow the mouse.
  viewHandles_.Shape1 = new QFrame(viewHandles_.Chart1);
  viewHandles_.Shape1->setObjectName(QStringLiteral("Shape1"));
  viewHandles_.Shape1->setFrameShape(QFrame::NoFrame);
  viewHandles_.Shape1->setStyleSheet(QStringLiteral("background-color: #ffd84a; border: none;"));
  viewHandles_.Shape1->setGeometry(0, 0, 1, design_.chart1.height);
  viewHandles_.Shape1->hide();
  viewHandles_.suiEdit4 = MakeEdit("suiEdit4", viewHandles_.Chart1, QRect(0, 0, 150, 36), false);

  ScrollBar1 = new QScrollBar(Qt::Horizontal, client);
  ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
  Place(ScrollBar1, design_.scrollBar1);
  connect(ScrollBar1, &QScrollBar::valueChanged, this, &TForm1::ScrollBar1Change);
}

void TForm1::BuildGrid(QWidget* client) {
  viewHandles_.StringGrid1 = new QTableWidget(client);
  viewHandles_.StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
  viewHandles_.StringGrid1->verticalHeader()->hide();
  // Columns the user widened past the grid's width scroll into view.
  viewHandles_.StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewHandles_.StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewHandles_.StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  viewHandles_.StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  viewHandles_.StringGrid1->setWordWrap(false);
  viewHandles_.StringGrid1->setCornerButtonEnabled(false);
  viewHandles_.StringGrid1->setEnabled(false);
  Place(viewHandles_.StringGrid1, design_.stringGrid1);

  ScrollBar2 = new QScrollBar(Qt::Vertical, client);
  ScrollBar2->setObjectName(QStringLiteral("ScrollBar2"));
  Place(ScrollBar2, design_.scrollBar2);
  connect(ScrollBar2, &QScrollBar::valueChanged, this, &TForm1::ScrollBar2Change);
}

void TForm1::BuildPanel(QWidget* client) {
  Panel1 = new QFrame(client);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameShape(QFrame::StyledPanel);
  Place(Panel1, design_.panel1);

  panelHandles_.Image3 = MakeImage("Image3", Panel1, QRect(1, 1, kPanelWidth, kPanelHeight), true);
  panelHandles_.lcdmain = MakeImage("lcdmain", Panel1, QRect(1, 1, kPanelWidth, kPanelHeight), false);

  const QRect dial(kDialLeft, 1, kDialWidth, kDialHeight);
  dialHandles_.bpmain = MakeImage("bpmain", Panel1, dial, true);
  dialHandles_.bpmain->setPixmap(FilledPixmap(kDialWidth, kDialHeight, Qt::white));
  dialHandles_.bpback = MakeImage("bpback", Panel1, dial, false);
  dialHandles_.BP_2 = MakeImage("BP_2", Panel1, dial, false);
  dialHandles_.BP_10 = MakeImage("BP_10", Panel1, dial, false);
  dialHandles_.BP_125 = MakeImage("BP_125", Panel1, dial, false);
  dialHandles_.MainNO = MakeEdit("MainNO", Panel1, QRect(kDialLeft + 95, 110, 140, 34), true);
  dialHandles_.MTEXT = MakeEdit("MTEXT", Panel1, QRect(kDialLeft + 240, 118, 60, 20), false);
  dialHandles_.MTEXTN = MakeEdit("MTEXTN", Panel1, QRect(kDialLeft + 240, 118, 60, 20), false);

  // Statistics: caption, then the value; maximum above, minimum below.
  const int captionLeft = 694, editLeft = 732, editWidth = 128;
  struct Stat {
    const char* caption;
    const char* name;
    int top;
    QLineEdit** edit;
  };
  const Stat stats[] = {{"MAX", "Max_Num", 8, &viewHandles_.Max_Num},
                        {"TIME", "Max_Tim", 38, &viewHandles_.Max_Tim},
                        {"MIN", "Min_Num", 82, &viewHandles_.Min_Num},
                        {"TIME", "Min_Tim", 112, &viewHandles_.Min_Tim}};
  for (const Stat& s : stats) {
    auto* caption = new QLabel(QString::fromLatin1(s.caption), Panel1);
    caption->setObjectName(QStringLiteral("Caption_") + QString::fromLatin1(s.name));
    caption->setGeometry(captionLeft, s.top, editLeft - captionLeft - 4, 24);
    *s.edit = MakeEdit(s.name, Panel1, QRect(editLeft, s.top, editWidth, 24), true);
  }

  const int buttonLeft = 872, buttonWidth = 106, buttonHeight = 31;
  Button_Start = MakeButton("Button_Start", "Start", Panel1, QRect(buttonLeft, 6, buttonWidth, buttonHeight));
  Button_Stop = MakeButton("Button_Stop", "Stop", Panel1, QRect(buttonLeft, 42, buttonWidth, buttonHeight));
  Button_Reset = MakeButton("Button_Reset", "Reset", Panel1, QRect(buttonLeft, 78, buttonWidth, buttonHeight));
  Bution_Exit = MakeButton("Bution_Exit", "Exit", Panel1, QRect(buttonLeft, 114, buttonWidth, buttonHeight));
  Button_Stop->setEnabled(false);
  connect(Button_Start, &QPushButton::clicked, this, &TForm1::Button_StartClick);
  connect(Button_Stop, &QPushButton::clicked, this, &TForm1::Button_StopClick);
  connect(Button_Reset, &QPushButton::clicked, this, &TForm1::Button_ResetClick);
  connect(Bution_Exit, &QPushButton::clicked, this, &TForm1::Bution_ExitClick);
}

void TForm1::BuildDiagnostics(QWidget* client) {
  struct Read {
    const char* name;
    QLineEdit** edit;
  };
  const Read reads[] = {{"Edit1", &Edit1}, {"Edit2", &Edit2}, {"Edit3", &Edit3}, {"Edit4", &Edit4}, {"Edit5", &Edit5}};
  int top = 8;
  for (const Read& r : reads) {
    *r.edit = MakeEdit(r.name, client, QRect(8, top, 580, 22), false, false);
    top += 26;
  }
  Memo1 = new QPlainTextEdit(client);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setGeometry(8, top, 580, 200);
  Memo1->setMaximumBlockCount(int(Diagnostics::kMemoLines));
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->hide();

  CheckBox1 = new QCheckBox(QStringLiteral("Show data for test"), client);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  CheckBox1->setGeometry(8, top + 206, 160, 20);
  CheckBox1->hide();
  connect(CheckBox1, &QCheckBox::toggled, this, &TForm1::CheckBox1Click);
}

void TForm1::BuildStatusBar() {
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  setStatusBar(StatusBar1);
  for (int i = 0; i < kStatusPanelCount; ++i) {
    auto* panel = new QLabel(StatusBar1);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    StatusPanels[std::size_t(i)] = panel;
    if (i + 1 < kStatusPanelCount) {
      panel->setFixedWidth(kStatusPanelWidths[std::size_t(i)]);
      StatusBar1->addWidget(panel);
      continue;
    }
    // The link's health takes what room is left: device paths can be long.
    panel->setMinimumWidth(kStatusPanelWidths[std::size_t(i)]);
    panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    StatusBar1->addWidget(panel, 1);
  }
  ProgressBar1 = new QProgressBar(StatusBar1);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setOrientation(Qt::Horizontal);
  StatusBar1->addPermanentWidget(ProgressBar1, 1);
  ProgressBar1->hide();
}

void TForm1::FormCreate() {
  AlignEdits();
  lcr::FormCreate(cycle(), QLocale());  // dial state, grid rows, decimal mark
  SetupGrid();
  ArrangeLayout(kMainWindowHeight - menuBar()->sizeHint().height() - StatusBar1->sizeHint().height());
  CreateImagePools();
}

void TForm1::AlignEdits() {
  dialHandles_.MTEXTN->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  dialHandles_.MTEXTN->setLayoutDirection(Qt::LeftToRight);
  dialHandles_.MainNO->setAlignment(Qt::AlignCenter);
  dialHandles_.MTEXTN->update();
  dialHandles_.MainNO->update();
}

void TForm1::SetupGrid() {
  viewHandles_.StringGrid1->setColumnCount(kGridColumnCount);
  // Grid row 0 is the header; the table holds the data rows 1..R-1.
  viewHandles_.StringGrid1->setRowCount(cycle().win.gridRowCount - 1);
  QStringList headers;
  for (std::size_t c = 0; c < kGridColumnWidths.size(); ++c) {
    viewHandles_.StringGrid1->setColumnWidth(int(c), kGridColumnWidths[c]);
    headers << QString::fromLatin1(kGridHeaders[c].data(), qsizetype(kGridHeaders[c].size()));
  }
  viewHandles_.StringGrid1->setHorizontalHeaderLabels(headers);
  QHeaderView* rows = viewHandles_.StringGrid1->verticalHeader();
  rows->setMinimumSectionSize(kGridRowHeight);
  rows->setDefaultSectionSize(kGridRowHeight);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  QHeaderView* columns = viewHandles_.StringGrid1->horizontalHeader();
  columns->setFixedHeight(kGridRowHeight + 2);
  // The designed widths at start; the user may widen a column to read a
  // long caption.
  columns->setSectionResizeMode(QHeaderView::Interactive);
  columns->setHighlightSections(false);
  // Every cell gets its item now, so filling the grid only sets texts.
  for (int r = 0; r < viewHandles_.StringGrid1->rowCount(); ++r)
    for (int c = 0; c < viewHandles_.StringGrid1->columnCount(); ++c)
      if (!viewHandles_.StringGrid1->item(r, c)) viewHandles_.StringGrid1->setItem(r, c, new QTableWidgetItem());
}

void TForm1::ArrangeLayout(int statusBarTop) {
  layout_ = lcr::ArrangeLayout(design_, statusBarTop, width());
  Place(Panel1, layout_.panel1);
  Place(viewHandles_.Chart1, layout_.chart1);
  Place(viewHandles_.StringGrid1, layout_.stringGrid1);
  Place(ScrollBar2, layout_.scrollBar2);
  Place(ScrollBar1, layout_.scrollBar1);
  viewHandles_.Shape1->resize(1, layout_.chart1.height);
  // The grid keeps its designed rows until the user resizes the window; from
  // then on its rows follow its height. Reset sizes the grid from it too.
  if (!isVisible() || layout_.stringGrid1.height == cycle().win.gridHeight || !views_) {
    cycle().win.gridHeight = layout_.stringGrid1.height;
    return;
  }
  ResizeGrid(cycle(), layout_.stringGrid1.height);
  ApplyModel();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::Resize) ArrangeLayout(client_->height());
  if (watched == viewHandles_.StringGrid1 && event->type() == QEvent::KeyPress &&
      GridKeyPress(static_cast<QKeyEvent*>(event)))
    return true;
  // The wheel over the grid's cells turns its scroll bar, as over the bar itself.
  if (event->type() == QEvent::Wheel && viewHandles_.StringGrid1 && watched == viewHandles_.StringGrid1->viewport()) {
    if (ScrollBar2->isEnabled()) QCoreApplication::sendEvent(ScrollBar2, event);
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::CreateImagePools() {
  panelHandles_.SegmentImages.reserve(kSegmentImageCount);
  for (int i = 0; i < kSegmentImageCount; ++i) {
    auto* image = new QLabel(Panel1);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image->setScaledContents(false);
    image->setAttribute(Qt::WA_TransparentForMouseEvents);
    image->raise();
    panelHandles_.SegmentImages.push_back(image);
  }
  panelHandles_.SubGlyphImages.reserve(kGlyphImageCount);
  panelHandles_.MainGlyphImages.reserve(kGlyphImageCount);
  for (int i = 0; i < kGlyphImageCount; ++i) {
    auto* sub = new QLabel(Panel1);
    sub->setAttribute(Qt::WA_TransparentForMouseEvents);
    sub->raise();
    sub->hide();
    panelHandles_.SubGlyphImages.push_back(sub);
    auto* main = new QLabel(Panel1);
    main->setAttribute(Qt::WA_TransparentForMouseEvents);
    main->hide();
    main->raise();
    panelHandles_.MainGlyphImages.push_back(main);
  }
}

}  // namespace lcr
