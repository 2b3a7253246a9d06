// LCR TAVRIK: the main window, then the hidden settings dialog, then the loop.
//   --demo             presses Start once the window is up (scripts/run --demo)
//   --quit-when-shown  leaves as soon as the window has been shown (start-up timing)
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <memory>

#include "files/safe_write.h"
#include "session/crash_recovery.h"
#include "session/kept_folders.h"
#include "session/qt_settings_store.h"
#include "app/deep_blue_style.h"
#include "app/kept_window.h"
#include "app/main_window.h"
#include "app/recovery_offer.h"
#include "app/settings_dialog.h"
#include "link/qt_serial_io.h"

int main(int argc, char** argv) {
  lcr::FailOversizeWrites();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("LCR TAVRIK"));
  lcr::ApplyDeepBlueStyle(app);

  const QStringList args = QApplication::arguments();
  const bool demo = args.contains(QStringLiteral("--demo")) || qEnvironmentVariableIntValue("LCR_TAVRIK_DEMO") != 0;
  const bool quitWhenShown = args.contains(QStringLiteral("--quit-when-shown"));

  // What the last run kept; the demo looks for its simulator automatically.
  lcr::QtSettingsStore store;
  lcr::KeepFoldersIn(&store);
  lcr::KeptSettings kept = lcr::LoadKeptSettings(store, lcr::FreeScreenAreas());
  const std::string keptPort = kept.port;
  if (demo) kept.port.clear();

  lcr::TForm1 form1(std::make_unique<lcr::QtSerialIo>());
  lcr::TForm2 form2(form1.runner(), &form1);
  form1.setSettingsDialog(&form2);
  lcr::ApplyKeptSettings(form1, kept);
  lcr::ShowAsKept(form1, kept);

  auto keep = [&] {
    lcr::KeptSettings now = lcr::CurrentKeptSettings(form1);
    if (demo && now.port.empty()) now.port = keptPort;
    lcr::SaveKeptSettings(store, now);
    if (const QString why = store.Sync(); !why.isEmpty())
      std::fprintf(stderr, "LCR TAVRIK: settings not kept: %s\n", qPrintable(why));
  };
  QObject::connect(&form2, &lcr::TForm2::settingsApplied, keep);

  // After a crash, offer the records the last session kept. The demo's
  // Start waits for the answer: records are opened only while stopped.
  lcr::CrashRecovery recovery(form1.runner(), lcr::CrashRecovery::DefaultPath());
  if (!quitWhenShown) {
    QTimer::singleShot(0, &form1, [&form1, &recovery, demo] {
      lcr::OfferRecovery(form1, recovery);
      if (demo) QTimer::singleShot(300, form1.Button_Start, &QPushButton::click);
    });
  }
  if (quitWhenShown) QTimer::singleShot(0, &app, &QApplication::quit);
  const int status = app.exec();
  // The rest waits in the queue for the next start, unless its journal failed.
  if (const std::string left = form1.publishing().Finish(std::chrono::seconds(2)); !left.empty())
    std::fprintf(stderr, "LCR TAVRIK: %s\n", left.c_str());
  recovery.EndSession();  // a normal close
  if (!quitWhenShown) keep();  // a timing run leaves nothing behind
  return status;
}
