// lcr-shots: takes screenshots of the main window in the states a user meets
// (window sizes, keyboard focus, each link-health text, the unsaved-records
// question, the settings dialog and its port choice), on scripted ports so
// that every run looks the same. Run it on a virtual display:
//   xvfb-run -a -s "-screen 0 1920x1200x24" lcr-shots OUTDIR
// Each picture is the whole display, taken with ImageMagick's import.
#include <QAbstractButton>
#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "app/deep_blue_style.h"
#include "app/main_window.h"
#include "app/settings_dialog.h"
#include "link/scripted_serial_io.h"
#include "simulator/scenarios.h"

namespace {

// Ports with the names a Linux system gives them.
struct NamedPortsIo : lcr::ScriptedSerialIo {
  std::string DeviceName(int port) override { return "/dev/ttyUSB" + std::to_string(port - 1); }
};

QString g_out;

void Settle(int ms = 250) {
  for (int i = 0; i < ms / 25; ++i) {
    QApplication::processEvents();
    QThread::msleep(25);
  }
}

// The whole display, or only `crop` of it (the pictures in docs/).
void Shot(const QString& name, const QRect& crop = {}) {
  Settle();
  const QString path = QDir(g_out).filePath(name + ".png");
  QStringList args{QStringLiteral("-window"), QStringLiteral("root")};
  if (!crop.isNull())
    args << QStringLiteral("-crop")
         << QStringLiteral("%1x%2+%3+%4").arg(crop.width()).arg(crop.height()).arg(crop.x()).arg(crop.y());
  QProcess::execute(QStringLiteral("import"), args << path);
  std::printf("%s\n", qPrintable(path));
}

template <typename T>
T* Child(QWidget& form, const char* name) {
  return form.findChild<T*>(QString::fromLatin1(name));
}

// Runs `inside` once the next modal window is up, then leaves it with `button`.
void WhenModal(const std::function<void(QWidget*)>& inside) {
  QTimer::singleShot(300, [inside] {
    Settle();
    inside(QApplication::activeModalWidget());
  });
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fputs("usage: lcr-shots OUTDIR\n", stderr);
    return 2;
  }
  g_out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(g_out);
  lcr::ApplyDeepBlueStyle(app);

  auto scripted = std::make_unique<NamedPortsIo>();
  NamedPortsIo& io = *scripted;
  lcr::TForm1 form(std::move(scripted));
  lcr::TForm2 settings(form.runner(), &form);
  form.setSettingsDialog(&settings);
  QDateTime now(QDate(2026, 12, 9), QTime(9, 30, 0));
  form.runner().clock = [&now] { return now; };
  form.move(0, 0);
  form.show();
  Settle(600);
  lcr::CycleRunner& r = form.runner();
  r.onSystime();
  Shot(QStringLiteral("health-stopped"));

  // No port at all, then one refused for lack of permission.
  io.SetOpenablePorts({});
  r.start();
  Shot(QStringLiteral("health-no-port"));
  io.SetRefusedPorts({1});
  r.start();
  Shot(QStringLiteral("health-no-permission"));

  io.SetRefusedPorts({});
  io.SetOpenablePorts({1, 2, 3});
  r.start();
  Shot(QStringLiteral("health-looking"));

  // A family 730 meter running the sweep on port 1.
  auto frame = [](std::uint64_t step) {
    return lcr::sim::ScenarioFrame(lcr::sim::Scenario::kSweep, lcr::kFamily730, step).frame;
  };
  io.QueueRead(1, [&] {
    auto two = frame(0);
    const auto second = frame(1);
    two.insert(two.end(), second.begin(), second.end());
    return two;
  }());
  r.onCheckCom();
  auto record = [&](const std::vector<std::uint8_t>& bytes) {
    io.QueueRead(1, bytes);
    now = now.addMSecs(500);
    r.onReadCom();
    r.onShowTime();
  };
  for (std::uint64_t step = 2; step < 262; ++step) record(frame(step));
  // The Statistics window, with limits of 12.5 kΩ ± 36 % (8 to 17 kΩ): the
  // sweep runs from 0 to 20 kΩ, so the grid shows rows either side, and
  // one exactly on the high limit.
  Child<QAction>(form, "Menu_Statistics")->trigger();
  if (auto* stats = form.findChild<QDialog*>(QStringLiteral("StatisticsWindow"))) {
    const QList<QLineEdit*> edits = stats->findChildren<QLineEdit*>();
    edits[0]->setText(QStringLiteral("12.5k"));
    edits[1]->setText(QStringLiteral("36%"));
    QMetaObject::invokeMethod(edits[1], "returnPressed");
    stats->move(form.x() + 300, form.y() + 120);
    Settle();
    Shot(QStringLiteral("statistics"));
    Shot(QStringLiteral("docs-statistics"), form.frameGeometry());
    stats->close();
    // The rows out of those limits marked in the grid, the limits on the chart.
    Shot(QStringLiteral("docs-limits"), form.frameGeometry());
  }
  // Then a family 68 meter's tour, up to its temperature display.
  for (std::uint64_t step = 0; step < 72; ++step)
    record(lcr::sim::ScenarioFrame(lcr::sim::Scenario::kTour, lcr::kFamily68, step).frame);
  r.onSystime();
  Shot(QStringLiteral("health-linked"));
  for (int i = 0; i < 11; ++i) {
    now = now.addMSecs(500);
    r.onReadCom();
  }
  Shot(QStringLiteral("health-silent"));
  r.stop();
  Shot(QStringLiteral("window-990x690"));


  form.resize(1600, 1000);
  Shot(QStringLiteral("window-1600x1000"));
  form.resize(990, 690);
  Settle();

  // Keyboard focus on Start, on the grid and on its scroll bar.
  form.activateWindow();
  Child<QPushButton>(form, "Button_Start")->setFocus(Qt::TabFocusReason);
  Shot(QStringLiteral("focus-start"));
  Child<QWidget>(form, "StringGrid1")->setFocus(Qt::TabFocusReason);
  Shot(QStringLiteral("focus-grid"));
  auto* bar2 = Child<QScrollBar>(form, "ScrollBar2");
  bar2->setFocus(Qt::TabFocusReason);
  bar2->setValue(bar2->minimum());  // dragged to the top
  Shot(QStringLiteral("focus-scrollbar-grid-top"));
  bar2->setValue(bar2->maximum());

  // The range columns widened to read whole temperature captions, and the
  // grid scrolled to its right edge.
  auto* grid = Child<QTableWidget>(form, "StringGrid1");
  grid->horizontalHeader()->resizeSection(3, 160);
  grid->horizontalHeader()->resizeSection(5, 110);
  Settle();
  grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
  Shot(QStringLiteral("grid-widened"));

  // The File and Acquisition menus with their shortcuts.
  for (const char* name : {"File1", "Acquisition1"}) {
    QMenu* menu = Child<QMenu>(form, name);
    menu->popup(form.mapToGlobal(QPoint(name[0] == 'F' ? 4 : 50, 20)));
    Shot(QStringLiteral("menu-") + QString::fromLatin1(name).toLower());
    menu->hide();
  }

  // The settings dialog, with the focus on the points slider.
  WhenModal([](QWidget* dialog) {
    if (!dialog) return;
    if (auto* slider = dialog->findChild<QWidget*>(QStringLiteral("TrackBar2"))) slider->setFocus(Qt::TabFocusReason);
    Shot(QStringLiteral("settings"));
    static_cast<QDialog*>(dialog)->reject();
  });
  settings.exec();

  // The port choice: its list open, then a chosen port that is unplugged.
  qputenv("LCR_TAVRIK_PORTS", "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3XYZ-if00-port0:/tmp/lcr-tavrik-demo");
  form.cycle().portChoice = "/dev/serial/by-id/usb-Prolific_PL2303-if00-port0";
  form.cycle().publishTo = "mqtt://lab-broker/line3";
  form.cycle().benchName = "bench-7";
  WhenModal([](QWidget* dialog) {
    if (!dialog) return;
    auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    Shot(QStringLiteral("settings-port-chosen"));
    Shot(QStringLiteral("docs-settings"), dialog->frameGeometry());
    combo->showPopup();
    Shot(QStringLiteral("settings-port-list"));
    Shot(QStringLiteral("docs-settings-ports"), dialog->frameGeometry().united(combo->view()->window()->frameGeometry()));
    combo->hidePopup();
    static_cast<QDialog*>(dialog)->reject();
  });
  settings.exec();
  qunsetenv("LCR_TAVRIK_PORTS");

  // Closing with unsaved records asks first; Cancel keeps the window.
  WhenModal([](QWidget* box) {
    Shot(QStringLiteral("unsaved-question"));
    if (auto* question = qobject_cast<QMessageBox*>(box)) question->button(QMessageBox::Cancel)->click();
  });
  form.close();
  Settle();
  std::printf("window still open after Cancel: %s\n", form.isVisible() ? "yes" : "no");
  return 0;
}
