// The main window: its controls at start-up, the states Stopped, Detecting
// and Linked as the widgets and timers show them, the status texts and the
// hidden read-outs.
#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "app/message_box.h"
#include "window_fixture.h"

using namespace lcr;
using lcrtest::WindowFixture;

namespace {

using MainWindowTest = WindowFixture;

struct ControlStates {
  bool start, stop, reset, menus, scrollBars;
};

void ExpectControls(TForm1& f, ControlStates want) {
  EXPECT_EQ(f.Button_Start->isEnabled(), want.start);
  EXPECT_EQ(f.Button_Stop->isEnabled(), want.stop);
  EXPECT_EQ(f.Button_Reset->isEnabled(), want.reset);
  EXPECT_TRUE(f.Bution_Exit->isEnabled());
  EXPECT_TRUE(f.Menu_Quit->isEnabled());
  for (QAction* item : {f.Menu_System, f.Menu_Open, f.Menu_Save, f.Menu_Graph, f.Menu_Excel})
    EXPECT_EQ(item->isEnabled(), want.menus) << item->text().toStdString();
  EXPECT_EQ(f.ScrollBar1->isEnabled(), want.scrollBars);
  EXPECT_EQ(f.ScrollBar2->isEnabled(), want.scrollBars);
}

struct TimerStates {
  bool checkCom, readCom, showTime;
};

void ExpectTimers(CycleRunner& r, TimerStates want) {
  EXPECT_TRUE(r.systimeQTimer().isActive());
  EXPECT_EQ(r.systimeQTimer().interval(), 500);
  EXPECT_EQ(r.checkComQTimer().isActive(), want.checkCom);
  EXPECT_EQ(r.readComQTimer().isActive(), want.readCom);
  EXPECT_EQ(r.showTimeQTimer().isActive(), want.showTime);
}

QString Panel(TForm1& f, int i) { return f.StatusPanels[std::size_t(i)]->text(); }

TEST_F(MainWindowTest, StartsWithTheDesignedWindowAndControls) {
  EXPECT_EQ(form->windowTitle(), "LCR TAVRIK");
  EXPECT_EQ(form->size(), QSize(990, 690));
  EXPECT_EQ(form->minimumSize(), QSize(990, 690));

  for (const char* name : {"Chart1", "StringGrid1", "ScrollBar1", "ScrollBar2", "Panel1", "Button_Start",
                           "Button_Stop", "Button_Reset", "Bution_Exit", "StatusBar1", "Edit1", "Edit2", "Edit3",
                           "Edit4", "Edit5", "Memo1", "CheckBox1", "MTEXTN", "MainNO", "Image3", "lcdmain",
                           "bpmain", "Max_Num", "Max_Tim", "Min_Num", "Min_Tim"})
    EXPECT_NE(form->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;

  // Captions with their access keys (Alt+F, Alt+A and Alt+S open the menus).
  EXPECT_EQ(form->Button_Start->text(), "S&tart");
  EXPECT_EQ(form->Button_Stop->text(), "Sto&p");
  EXPECT_EQ(form->Button_Reset->text(), "&Reset");
  EXPECT_EQ(form->Bution_Exit->text(), "E&xit");
  ExpectControls(*form, {true, false, true, true, true});
  ExpectTimers(runner(), {false, false, false});
  EXPECT_EQ(model().showTime.intervalMs, 500);

  EXPECT_EQ(form->ScrollBar1->orientation(), Qt::Horizontal);
  EXPECT_EQ(form->ScrollBar1->minimum(), 200);
  EXPECT_EQ(form->ScrollBar1->maximum(), 200);
  EXPECT_EQ(form->ScrollBar1->value(), 200);
  EXPECT_EQ(form->ScrollBar2->orientation(), Qt::Vertical);
  EXPECT_EQ(form->ScrollBar2->minimum(), 1);
  EXPECT_EQ(form->ScrollBar2->maximum(), 1);
  EXPECT_EQ(form->ScrollBar2->value(), 1);

  // The dial read-outs' alignment.
  EXPECT_EQ(form->dialHandles().MTEXTN->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  EXPECT_EQ(form->dialHandles().MTEXTN->layoutDirection(), Qt::LeftToRight);
  EXPECT_EQ(form->dialHandles().MainNO->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

  // Chart: one red series, no legend, no zooming.
  EXPECT_EQ(form->viewHandles().Series1->objectName(), "Series1");
  EXPECT_EQ(form->viewHandles().Series1->pen().color(), QColor(Qt::red));
  EXPECT_EQ(form->viewHandles().chart->series().size(), 1);
  EXPECT_FALSE(form->viewHandles().chart->legend()->isVisible());
  EXPECT_EQ(form->viewHandles().Chart1->rubberBand(), QChartView::NoRubberBand);
}

TEST_F(MainWindowTest, StatusBarHasFivePanelsWithTheirStartTexts) {
  const int widths[] = {130, 150, 200, 200, 200};
  for (int i = 0; i < 5; ++i) {
    // The last, the link's health, takes the rest of the bar.
    if (i < 4)
      EXPECT_EQ(form->StatusPanels[std::size_t(i)]->width(), widths[i]) << i;
    else
      EXPECT_GE(form->StatusPanels[std::size_t(i)]->minimumWidth(), widths[i]);
    EXPECT_EQ(form->StatusPanels[std::size_t(i)]->parentWidget(), form->StatusBar1);
  }
  EXPECT_EQ(Panel(*form, 0), "STOP");
  EXPECT_EQ(Panel(*form, 1), "");
  EXPECT_EQ(Panel(*form, 2), "Sampling Rate:120/Minute");
  EXPECT_EQ(Panel(*form, 3), "");
  EXPECT_EQ(Panel(*form, 4), "Stopped");
}

// At the window's least width the link's longest words are read whole.
TEST_F(MainWindowTest, TheLinksLongestWordsFitTheLastPanel) {
  form->show();
  ASSERT_EQ(form->width(), 990);
  // A desktop's fonts run wider than the offscreen ones.
  QFont font = form->StatusBar1->font();
  font.setPointSizeF(font.pointSizeF() * 1.2);
  form->StatusBar1->setFont(font);
  for (const LinkHealthState& state :
       {LinkHealthState{LinkHealth::NoFrames, 0, "/dev/ttyUSB0"}, LinkHealthState{LinkHealth::InUse, 0, "/dev/ttyUSB0"},
        LinkHealthState{LinkHealth::NoPort, 0, "/dev/ttyUSB0"}}) {
    form->cycle().link.state = state;
    form->cycle().win.status[4] = QString::fromStdString(LinkHealthText(state));
    form->ApplyModel();
    EXPECT_EQ(Panel(*form, 4).toStdString(), LinkHealthText(state));
    EXPECT_TRUE(form->StatusPanels[4]->toolTip().contains(QString::fromStdString(LinkHealthAdvice(state))));
  }
}

TEST_F(MainWindowTest, MenusHoldTheirItemsAndTheFileItemsHavePictures) {
  const QList<QAction*> bar = form->menuBar()->actions();
  ASSERT_EQ(bar.size(), 3);
  EXPECT_EQ(bar[0]->text(), "&File");
  EXPECT_EQ(bar[1]->text(), "&Acquisition");
  EXPECT_EQ(bar[2]->text(), "&Set");
  QStringList fileItems;
  for (QAction* a : form->Menu_File->actions())
    if (!a->isSeparator()) fileItems << QString(a->text()).remove(u'&');  // the access letters aside
  EXPECT_EQ(fileItems, (QStringList{"Open", "Save", "Export Graph", "Export Excel File", "Export CSV File", "Exit"}));
  ASSERT_EQ(form->Menu_Set->actions().size(), 1);
  EXPECT_EQ(form->Menu_Set->actions()[0]->text(), "&System Set");
  EXPECT_EQ(form->Menu_Open->text(), "&Open");
  EXPECT_EQ(form->Menu_Save->text(), "&Save");
  EXPECT_FALSE(form->Menu_Open->icon().isNull());
  EXPECT_FALSE(form->Menu_Save->icon().isNull());
  EXPECT_FALSE(form->Menu_Open->icon().pixmap(16, 16).toImage().isNull());
}

// Every item of a menu is reached by a letter of its own.
TEST_F(MainWindowTest, EveryMenuItemHasAnAccessLetterOfItsOwn) {
  for (QMenu* menu : {form->Menu_File, form->Menu_Run, form->Menu_Set}) {
    QSet<QChar> letters;
    qsizetype items = 0;
    for (QAction* a : menu->actions()) {
      if (a->isSeparator()) continue;
      ++items;
      const int amp = a->text().indexOf(u'&');
      ASSERT_TRUE(amp >= 0 && amp + 1 < a->text().size()) << a->text().toStdString();
      EXPECT_TRUE(a->text()[amp + 1].isLetterOrNumber()) << a->text().toStdString();
      letters.insert(a->text()[amp + 1].toLower());
    }
    EXPECT_EQ(letters.size(), items) << menu->title().toStdString();
  }
}

TEST_F(MainWindowTest, GridHasSixColumnsTheirHeadersAndTwentyFiveDataRows) {
  QTableWidget* g = form->viewHandles().StringGrid1;
  ASSERT_EQ(g->columnCount(), 6);
  const char* headers[] = {"Index", "Time", "Main", "Main_Range", "Sub", "Sub_Range"};
  const int widths[] = {33, 50, 45, 115, 45, 65};
  for (int c = 0; c < 6; ++c) {
    EXPECT_EQ(g->horizontalHeaderItem(c)->text(), headers[c]);
    EXPECT_EQ(g->columnWidth(c), widths[c]);
  }
  // 450 div 16 - 2 = 26 grid rows: the header and 25 data rows.
  EXPECT_EQ(g->rowCount(), 25);
  EXPECT_EQ(g->rowHeight(0), 16);
  EXPECT_EQ(g->rowHeight(24), 16);
  ASSERT_NE(g->item(24, 5), nullptr);
  EXPECT_EQ(g->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(MainWindowTest, GridIsEnabledByTheFirstClockTick) {
  EXPECT_FALSE(form->viewHandles().StringGrid1->isEnabled());
  runner().onSystime();
  EXPECT_TRUE(form->viewHandles().StringGrid1->isEnabled());
  EXPECT_EQ(Panel(*form, 3), "2026-03-04:05:06:07");
  EXPECT_EQ(Panel(*form, 2), "Sampling Rate:120/Minute");
  EXPECT_EQ(Panel(*form, 1), "");  // no port shown while the display timer is off
}

TEST_F(MainWindowTest, PoolsOfImageWidgetsLieOnThePanel) {
  ASSERT_EQ(form->panelHandles().SegmentImages.size(), 251u);
  ASSERT_EQ(form->panelHandles().MainGlyphImages.size(), 61u);
  ASSERT_EQ(form->panelHandles().SubGlyphImages.size(), 61u);
  const QObjectList& children = form->Panel1->children();
  const qsizetype backdrop = children.indexOf(form->panelHandles().Image3);
  ASSERT_GE(backdrop, 0);
  for (QLabel* image : form->panelHandles().SegmentImages) {
    EXPECT_EQ(image->parentWidget(), form->Panel1);
    EXPECT_FALSE(image->isHidden());
    EXPECT_FALSE(image->hasScaledContents());
    EXPECT_GT(children.indexOf(image), backdrop);  // in front of the backdrop
  }
  for (const auto* pool : {&form->panelHandles().MainGlyphImages, &form->panelHandles().SubGlyphImages})
    for (QLabel* image : *pool) {
      EXPECT_EQ(image->parentWidget(), form->Panel1);
      EXPECT_TRUE(image->isHidden());
    }
  // Each glyph pair was made after every segment image.
  EXPECT_GT(children.indexOf(form->panelHandles().SubGlyphImages[0]), children.indexOf(form->panelHandles().SegmentImages[250]));
  EXPECT_GT(children.indexOf(form->panelHandles().MainGlyphImages[60]), children.indexOf(form->panelHandles().SubGlyphImages[60]));
}

TEST_F(MainWindowTest, ControlsFollowArrangeLayoutOnShowAndResize) {
  form->show();
  QApplication::processEvents();
  auto check = [&] {
    QWidget* client = form->centralWidget();
    const MainLayout want = ArrangeLayout(DesignLayout(), client->height(), form->width());
    const MainLayout& got = form->layoutApplied();
    EXPECT_EQ(got.panel1, want.panel1);
    EXPECT_EQ(got.chart1, want.chart1);
    const LayoutRect& g = want.stringGrid1;
    EXPECT_EQ(form->viewHandles().StringGrid1->geometry(), QRect(g.left, g.top, g.width, g.height));
    const LayoutRect& p = want.panel1;
    EXPECT_EQ(form->Panel1->geometry(), QRect(p.left, p.top, p.width, p.height));
    const LayoutRect& c = want.chart1;
    EXPECT_EQ(form->viewHandles().Chart1->geometry(), QRect(c.left, c.top, c.width, c.height));
    const LayoutRect& s1 = want.scrollBar1;
    EXPECT_EQ(form->ScrollBar1->geometry(), QRect(s1.left, s1.top, s1.width, s1.height));
    const LayoutRect& s2 = want.scrollBar2;
    EXPECT_EQ(form->ScrollBar2->geometry(), QRect(s2.left, s2.top, s2.width, s2.height));
    // The panel ends where the status bar begins.
    EXPECT_EQ(form->Panel1->geometry().bottom() + 1, client->height());
    EXPECT_EQ(form->StatusBar1->geometry().top(), client->geometry().bottom() + 1);
  };
  check();
  form->resize(1200, 800);
  QApplication::processEvents();
  check();
  EXPECT_EQ(form->ScrollBar2->x(), 1200 - 26);
  form->hide();
}

TEST_F(MainWindowTest, StartStopAndDetectionMoveThroughTheThreeStates) {
  // Detecting.
  form->Button_Start->click();
  EXPECT_EQ(Panel(*form, 0), QString::fromUtf8("Detecting\u2026\u2026"));
  ExpectControls(*form, {false, true, false, false, false});
  ExpectTimers(runner(), {true, false, false});
  EXPECT_EQ(runner().checkComQTimer().interval(), 2000);
  EXPECT_EQ(form->Edit1->text(), "");  // hidden read-outs are not refreshed

  // A pass that sees no meter keeps detecting.
  io->QueueRead(1, lcrtest::Junk(60));
  runner().onCheckCom();
  ExpectTimers(runner(), {true, false, false});

  // Linked.
  io->QueueRead(1, lcrtest::Concat({lcrtest::Frame730Value(1), lcrtest::Frame730Value(1)}));
  runner().onCheckCom();
  ExpectControls(*form, {false, true, false, false, false});
  ExpectTimers(runner(), {false, true, true});
  EXPECT_EQ(runner().readComQTimer().interval(), 500);
  EXPECT_EQ(runner().showTimeQTimer().interval(), 500);
  EXPECT_EQ(Panel(*form, 0), QString::fromUtf8("Detecting\u2026\u2026"));

  io->QueueRead(1, lcrtest::Frame730Value(5));
  runner().onReadCom();
  EXPECT_EQ(Panel(*form, 0), "Linking");
  runner().onSystime();
  EXPECT_EQ(Panel(*form, 1), "COM1,9600,n,8,1");

  // Stopped again: the status texts stay as they were.
  form->Button_Stop->click();
  ExpectControls(*form, {true, false, true, true, true});
  ExpectTimers(runner(), {false, false, false});
  EXPECT_EQ(Panel(*form, 0), "Linking");
  runner().onSystime();
  EXPECT_EQ(Panel(*form, 1), "COM1,9600,n,8,1");
  EXPECT_TRUE(io->Calls().back() == "close 50");
}

TEST_F(MainWindowTest, StopDuringDetectionLeavesDetectionArmed) {
  form->Button_Start->click();
  form->Button_Stop->click();
  ExpectControls(*form, {true, false, true, true, true});
  ExpectTimers(runner(), {true, false, false});
  // Its passes find the ports closed and go on waiting; Start resumes.
  runner().onCheckCom();
  ExpectTimers(runner(), {true, false, false});
  form->Button_Start->click();
  io->QueueRead(1, lcrtest::Concat({lcrtest::Frame730Value(1), lcrtest::Frame730Value(1)}));
  runner().onCheckCom();
  ExpectTimers(runner(), {false, true, true});
}

TEST_F(MainWindowTest, StartWithoutAnyPortOnlyShowsDetecting) {
  io->SetOpenablePorts({});
  form->Button_Start->click();
  EXPECT_EQ(Panel(*form, 0), QString::fromUtf8("Detecting\u2026\u2026"));
  ExpectControls(*form, {true, false, true, true, true});
  ExpectTimers(runner(), {false, false, false});
}

TEST_F(MainWindowTest, SamplesMoveTheGridScrollBarToTheNewestRecord) {
  StartAndLink();
  for (int i = 0; i < 27; ++i) Sample(100 + i);
  EXPECT_EQ(form->cycle().table.RecordCount, 25);  // the first two frames are never recorded
  EXPECT_EQ(form->ScrollBar2->maximum(), 1);
  Sample(200);
  EXPECT_EQ(form->cycle().table.RecordCount, 26);
  EXPECT_EQ(form->ScrollBar2->maximum(), 26);
  EXPECT_EQ(form->ScrollBar2->value(), 26);
  EXPECT_FALSE(form->ScrollBar2->isEnabled());  // while acquisition runs

  // Stop keeps the table; Reset empties it.
  form->Button_Stop->click();
  EXPECT_EQ(form->cycle().table.RecordCount, 26);
  EXPECT_TRUE(form->ScrollBar2->isEnabled());
  ResetDiscarding();
  EXPECT_EQ(form->cycle().table.RecordCount, 0);
}

TEST_F(MainWindowTest, MovingAScrollBarGoesThroughTheCycle) {
  StartAndLink();
  for (int i = 0; i < 30; ++i) Sample(i);
  form->Button_Stop->click();
  ASSERT_EQ(form->ScrollBar2->maximum(), 28);
  form->ScrollBar2->setValue(26);
  EXPECT_EQ(model().scrollBar2.position, 26);
  form->ScrollBar2->setValue(10);  // never above a full page of records
  EXPECT_EQ(model().scrollBar2.position, 25);
  form->ScrollBar2->setValue(500);  // clamped to the range
  EXPECT_EQ(model().scrollBar2.position, 28);
  EXPECT_EQ(form->ScrollBar2->value(), 28);
}

TEST_F(MainWindowTest, CheckBoxShowsTheDiagnosticReadOuts) {
  EXPECT_FALSE(form->CheckBox1->isVisibleTo(form.get()));
  EXPECT_EQ(form->CheckBox1->text(), "Show data for test");
  for (QWidget* w : std::initializer_list<QWidget*>{form->Edit1, form->Edit2, form->Edit3, form->Edit4,
                                                    form->Edit5, form->Memo1})
    EXPECT_TRUE(w->isHidden());

  StartAndLink();
  Sample(7);
  runner().onSystime();
  form->CheckBox1->setChecked(true);
  for (QWidget* w : std::initializer_list<QWidget*>{form->Edit1, form->Edit2, form->Edit3, form->Edit4,
                                                    form->Edit5, form->Memo1})
    EXPECT_FALSE(w->isHidden());
  EXPECT_EQ(form->Edit2->text(), "2026-03-04:05:06:08.390");
  EXPECT_TRUE(form->Edit3->text().startsWith("check_com:  "));
  EXPECT_EQ(form->Edit4->text(), "show time:  2026-03-04:05:06:08.390");
  EXPECT_TRUE(form->Edit5->text().startsWith("read_com:  "));
  EXPECT_TRUE(form->Edit1->text().contains("00 0D ", Qt::CaseInsensitive));

  // Read passes add the previous trace to the memo while it is shown.
  const int lines = form->Memo1->blockCount();
  Sample(8);
  Sample(9);
  EXPECT_GE(form->Memo1->blockCount(), lines + 2);

  form->CheckBox1->setChecked(false);
  EXPECT_TRUE(form->Edit1->isHidden());
}

TEST_F(MainWindowTest, FileExitClosesEveryPort) {
  StartAndLink();
  io->ClearCalls();
  form->Menu_Quit->trigger();
  ASSERT_EQ(io->Calls().size(), 50u);
  EXPECT_EQ(io->Calls().front(), "close 1");
  EXPECT_EQ(io->Calls().back(), "close 50");
}

// The box is wide enough for its caption and sits on the window's centre.
TEST_F(MainWindowTest, SaveWithAnEmptyTableOnlyWarns) {
  form->show();
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int width = 0, room = 0;
  QPoint centre;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    width = box->width();
    room = CaptionRoom(*box, title);
    centre = box->frameGeometry().center();
    box->accept();
  });
  form->Menu_Save->trigger();
  EXPECT_EQ(title, "No Any Date!");
  EXPECT_EQ(text, "No Any Date!");
  EXPECT_EQ(icon, QMessageBox::Warning);
  EXPECT_TRUE(form->isEnabled());
  EXPECT_GE(width, room);
  EXPECT_LE((centre - form->frameGeometry().center()).manhattanLength(), 4);
}

}  // namespace

namespace {

// Accepts the next modal message box and reports its title and text.
struct BoxCatcher {
  QString title, text;
  void Arm() {
    QTimer::singleShot(0, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        title = box->windowTitle();
        text = box->text();
        box->accept();
      }
    });
  }
};

TEST_F(MainWindowTest, OpenShowsTheFileOrWarnsAndKeepsTheTable) {
  QTemporaryDir dir;
  const QString good = dir.filePath("good.txt");
  {
    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("2      \r\n1\t10:00:00\t1.5\tCAP 2000  nF\t\t\t\r\n2\t10:00:01\t2.5\tCAP 2000  nF\t\t\t\r\n");
  }
  form->OpenDataFile(good);
  EXPECT_EQ(form->cycle().table.RecordCount, 2);
  EXPECT_EQ(form->viewHandles().StringGrid1->item(1, 2)->text(), "2.5");

  const QString bad = dir.filePath("bad.txt");
  {
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("1      \r\n1\t10:00:00\tabc\tCAP\t\t\t\r\n");
  }
  BoxCatcher box;
  box.Arm();
  form->OpenDataFile(bad);
  EXPECT_EQ(box.title, "Warning ");
  EXPECT_EQ(box.text, "Wrong Data Format!");
  EXPECT_EQ(form->cycle().table.RecordCount, 2);
  EXPECT_EQ(form->viewHandles().StringGrid1->item(1, 2)->text(), "2.5");

  // A file that cannot be read is named with the system's reason, in the
  // words lcrtool prints.
  const QString missing = dir.filePath("missing.txt");
  box.Arm();
  form->OpenDataFile(missing);
  EXPECT_EQ(box.text.toStdString(), (missing + " could not be read: No such file or directory").toStdString());
  EXPECT_EQ(form->cycle().table.RecordCount, 2);
}

// A long Open keeps the window alive: while a file is still arriving (a
// FIFO fed a few records at a time), the progress dialog's Cancel answers,
// and the cancelled Open leaves the table and the window as they were.
TEST_F(MainWindowTest, OpenCanBeCancelledWhileTheFileIsRead) {
  QTemporaryDir dir;
  const QString good = dir.filePath("good.txt");
  {
    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("2      \r\n1\t10:00:00\t1.5\tCAP 2000  nF\t\t\t\r\n2\t10:00:01\t2.5\tCAP 2000  nF\t\t\t\r\n");
  }
  form->OpenDataFile(good);
  ASSERT_EQ(form->cycle().table.RecordCount, 2);

  const QByteArray fifo = QFile::encodeName(dir.filePath("fifo.txt"));
  ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
  std::signal(SIGPIPE, SIG_IGN);  // the reader leaves first
  std::atomic<bool> done{false};
  std::thread writer([&] {
    int fd = -1;
    while (!done && (fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK)) < 0) std::this_thread::yield();
    if (fd < 0) return;
    fcntl(fd, F_SETFL, 0);  // blocking writes from here on
    std::string text = "1000000      \r\n";
    for (int k = 1; !done && k <= 1000000; ++k) {
      text += std::to_string(k) + "\t10:00:00\t7.5\tCAP 2000  nF\t\t\t\r\n";
      if (k % 1000 != 0) continue;
      if (::write(fd, text.data(), text.size()) != ssize_t(text.size())) break;
      text.clear();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ::close(fd);
  });

  QTimer cancel;
  bool pressed = false;
  QObject::connect(&cancel, &QTimer::timeout, [&] {
    if (auto* dialog = form->findChild<QProgressDialog*>()) {
      EXPECT_FALSE(form->isEnabled());
      dialog->cancel();
      pressed = true;
    }
  });
  cancel.start(5);
  form->OpenDataFile(dir.filePath("fifo.txt"));
  done = true;
  writer.join();

  EXPECT_TRUE(pressed);
  EXPECT_EQ(form->cycle().table.RecordCount, 2);
  EXPECT_EQ(form->viewHandles().StringGrid1->item(1, 2)->text(), "2.5");
  EXPECT_TRUE(form->isEnabled());
  EXPECT_EQ(form->findChild<QProgressDialog*>(), nullptr);
}

}  // namespace
