// The main window for keyboard users: access keys, shortcuts shown in the
// menus, a Tab order that follows the window from top left to bottom right,
// and tooltips that say what the less obvious controls do.
#include <QAction>
#include <QFontMetrics>
#include <QStatusBar>
#include <algorithm>
#include <QChartView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include "common/access_letters.h"
#include "app/main_window.h"

namespace lcr {

namespace {

constexpr std::array<const char*, kStatusPanelCount> kStatusPanelTips{
    "Acquisition: STOP, Detecting or Linking",
    "The meter's serial port and line settings, while linked",
    "Samples recorded per minute (Set, System Set changes it)",
    "Date and time",
    "The link: what the program is doing with the serial ports"};

}  // namespace

void TForm1::SetupKeyboard() {
  // Alt+F, Alt+A and Alt+S open the menus; the buttons take other letters.
  Button_Start->setText(QStringLiteral("S&tart"));
  Button_Stop->setText(QStringLiteral("Sto&p"));
  Button_Reset->setText(QStringLiteral("&Reset"));
  Bution_Exit->setText(QStringLiteral("E&xit"));

  // Every menu item an access letter of its own within its menu.
  for (QMenu* menu : {Menu_File, Menu_Run, Menu_Set}) {
    QList<QAction*> items;
    QStringList captions;
    for (QAction* action : menu->actions()) {
      if (action->isSeparator() || action->menu()) continue;
      items.append(action);
      captions.append(action->text());
    }
    const QStringList marked = WithAccessLetters(captions);
    for (int i = 0; i < items.size(); ++i) items[i]->setText(marked[i]);
  }

  Menu_Open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  Menu_Save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  Menu_Quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  Menu_Start->setShortcut(QKeySequence(Qt::Key_F5));
  Menu_Stop->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));

  Button_Start->setToolTip(
      QStringLiteral("Open the serial ports, find the meter and record its readings (F5)"));
  Button_Stop->setToolTip(QStringLiteral("Stop recording and close the serial ports; the records stay (Shift+F5)"));
  Button_Reset->setToolTip(QStringLiteral("Empty the table, the grid, the chart and the dial"));
  Bution_Exit->setToolTip(QStringLiteral("Close the program; records not saved are asked about first (Ctrl+Q)"));
  Menu_Open->setToolTip(QStringLiteral("Open a data file saved by File, Save; it replaces the table"));
  Menu_Save->setToolTip(QStringLiteral("Save the table as a tab-separated text file"));
  Menu_Graph->setToolTip(QStringLiteral("Save the chart as a 1024 x 768 JPEG picture"));
  Menu_Excel->setToolTip(QStringLiteral("Write the whole table into a spreadsheet workbook"));
  Menu_System->setToolTip(QStringLiteral("Sampling rate and the chart's points per page"));
  for (QMenu* menu : {Menu_File, Menu_Run, Menu_Set}) menu->setToolTipsVisible(true);
  for (int i = 0; i < kStatusPanelCount; ++i)
    StatusPanels[std::size_t(i)]->setToolTip(QString::fromLatin1(kStatusPanelTips[std::size_t(i)]));

  // Read-outs take the focus on a click (to copy a value) but not on Tab;
  // the chart is read with the mouse and paged with its scroll bar.
  const ViewHandles& v = viewHandles_;
  for (QLineEdit* edit : {v.Max_Num, v.Max_Tim, v.Min_Num, v.Min_Tim, v.suiEdit4, dialHandles_.MainNO,
                          dialHandles_.MTEXT, dialHandles_.MTEXTN})
    edit->setFocusPolicy(Qt::ClickFocus);
  v.Chart1->setFocusPolicy(Qt::NoFocus);
  // The scroll bars page the chart and the grid from the keyboard; the grid
  // hands Tab on instead of walking its cells.
  ScrollBar1->setFocusPolicy(Qt::StrongFocus);
  ScrollBar2->setFocusPolicy(Qt::StrongFocus);
  v.StringGrid1->setFocusPolicy(Qt::StrongFocus);
  v.StringGrid1->setTabKeyNavigation(false);
  v.StringGrid1->installEventFilter(this);
  v.StringGrid1->viewport()->installEventFilter(this);  // the wheel over its cells

  QWidget* const order[] = {ScrollBar1, v.StringGrid1, ScrollBar2, Button_Start, Button_Stop, Button_Reset,
                            Bution_Exit};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
  Button_Start->setFocus(Qt::OtherFocusReason);
}

// The grid shows a window onto the table: paging, and stepping past its top
// or bottom row, moves ScrollBar2 as the mouse would; Ctrl+Home and Ctrl+End
// go to the first and the last record.
bool TForm1::GridKeyPress(QKeyEvent* key) {
  QTableWidget* grid = viewHandles_.StringGrid1;
  const bool ends = key->modifiers() == Qt::ControlModifier && (key->key() == Qt::Key_Home || key->key() == Qt::Key_End);
  if (ends && ScrollBar2->isEnabled()) {
    const bool first = key->key() == Qt::Key_Home;
    ScrollBar2Change(first ? ScrollBar2->minimum() : ScrollBar2->maximum());
    const int lastRow = std::clamp(cycle().table.RecordCount - 1, 0, std::max(grid->rowCount() - 1, 0));
    grid->setCurrentCell(first ? 0 : lastRow, grid->currentColumn() < 0 ? 0 : grid->currentColumn());
    return true;
  }
  QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
  switch (key->key()) {
    case Qt::Key_PageUp:
      action = QAbstractSlider::SliderPageStepSub;
      break;
    case Qt::Key_PageDown:
      action = QAbstractSlider::SliderPageStepAdd;
      break;
    case Qt::Key_Up:
      if (grid->currentRow() <= 0) action = QAbstractSlider::SliderSingleStepSub;
      break;
    case Qt::Key_Down:
      if (grid->currentRow() >= grid->rowCount() - 1) action = QAbstractSlider::SliderSingleStepAdd;
      break;
    default:
      break;
  }
  if (action == QAbstractSlider::SliderNoAction || !ScrollBar2->isEnabled()) return false;
  ScrollBar2->triggerAction(action);
  return true;
}

// The last panel holds the link's health. A text a little too long for the
// panel is set in a smaller type, down to three quarters of the status bar's;
// past that it is cut with an ellipsis and read whole in the tooltip.
void TForm1::ApplyLinkHealthPanel() {
  QLabel* panel = StatusPanels[kStatusPanelCount - 1];
  const std::string& publishWords = publishing_ ? publishing_->words() : std::string();
  const QString text = QString::fromStdString(
      LinkPanelText(cycle().win.status[kStatusPanelCount - 1].toStdString(), publishWords));
  const int room = std::max(panel->contentsRect().width() - 8, 0);
  const QFont base = StatusBar1->font();
  // Every tick comes here; measuring the text at each size is worth doing
  // only when the text, the room or the type changed.
  if (text != fittedText_ || room != fittedRoom_ || base != fittedBase_) {
    fittedText_ = text;
    fittedRoom_ = room;
    fittedBase_ = base;
    QFont font = base;
    for (qreal size = base.pointSizeF(); size > 0 && size >= base.pointSizeF() * 0.75; size -= 0.5) {
      font.setPointSizeF(size);
      if (QFontMetrics(font).horizontalAdvance(text) <= room) break;
    }
    if (panel->font() != font) panel->setFont(font);
    panel->setText(QFontMetrics(font).elidedText(text, Qt::ElideRight, room));
  }
  const std::string& notice = publishing_ ? publishing_->notice() : std::string();
  const QString tip = QString::fromLatin1(kStatusPanelTips.back()) + QStringLiteral(":\n") +
                      QString::fromStdString(LinkHealthAdvice(cycle().link.state)) +
                      (publishWords.empty() ? QString() : QStringLiteral("\n") + QString::fromStdString(publishWords)) +
                      (notice.empty() ? QString() : QStringLiteral("\n") + QString::fromStdString(notice));
  if (panel->toolTip() != tip) panel->setToolTip(tip);
}

}  // namespace lcr
