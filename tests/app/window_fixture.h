#pragma once
// A main window on the scripted serial backend, with a clock the test moves.

#include <gtest/gtest.h>

#include <QDateTime>
#include <memory>

#include "app/main_window.h"
#include "link/scripted_serial_io.h"
#include "tests/test_support.h"

namespace lcrtest {

struct WindowFixture : ::testing::Test {
  lcr::ScriptedSerialIo* io = nullptr;  // owned by the window's runner
  std::unique_ptr<lcr::TForm1> form;
  QDateTime now{QDate(2026, 3, 4), QTime(5, 6, 7, 890)};

  void SetUp() override {
    auto scripted = std::make_unique<lcr::ScriptedSerialIo>();
    io = scripted.get();
    form = std::make_unique<lcr::TForm1>(std::move(scripted));
    form->runner().clock = [this] { return now; };
  }

  lcr::CycleRunner& runner() { return form->runner(); }
  const lcr::WindowModel& model() { return form->cycle().win; }

  // Start, then a detection pass that finds a family 730 meter on port 1.
  void StartAndLink() {
    form->Button_Start->click();
    io->QueueRead(1, Concat({Frame730Value(1), Frame730Value(1)}));
    runner().onCheckCom();
  }

  // One read pass carrying a frame, then a display tick 500 ms later.
  void Sample(int value) {
    io->QueueRead(1, Frame730Value(value));
    runner().onReadCom();
    now = now.addMSecs(500);
    runner().onShowTime();
  }
};

}  // namespace lcrtest
