#pragma once
// A main window on the scripted serial backend, with a clock the test moves.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/main_window.h"
#include "link/scripted_serial_io.h"
#include "tests/test_support.h"

namespace lcrtest {

// Answers every modal window that comes up while `run` runs: the unsaved
// records question with `answer` (once `answerAfterMs` have passed), a file
// dialog by choosing `path` (`fileAnswers` times, then it is cancelled), and
// any other message box with `otherAnswer` when it has that button, else
// OK. What came up is kept in `seen`; the names a file dialog lists, as its
// patterns, in `listed`.
struct ModalAnswers {
  QMessageBox::StandardButton answer = QMessageBox::Cancel;
  int answerAfterMs = 0;
  QString path;
  int fileAnswers = 1000;
  QMessageBox::StandardButton otherAnswer = QMessageBox::Ok;
  QStringList seen;
  QStringList listed;
  bool accepting = false;  // a file dialog's accept runs (it may ask about replacing a file)

  bool Run(const std::function<bool()>& run) {
    QElapsedTimer since;
    since.start();
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [this, &since] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* files = qobject_cast<QFileDialog*>(modal)) {
        if (accepting) return;
        if (fileAnswers-- <= 0) {
          seen << QStringLiteral("file dialog cancelled");
          files->reject();
          return;
        }
        seen << QStringLiteral("file dialog");
        if (auto* model = files->findChild<QFileSystemModel*>()) listed = model->nameFilters();
        files->selectFile(path);
        // Outside this tick, so that a question it asks is answered too.
        accepting = true;
        QTimer::singleShot(0, files, [this, files] {
          QMetaObject::invokeMethod(files, "accept");
          accepting = false;
        });
      } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        const bool question = box->objectName() == QStringLiteral("UnsavedRecordsBox");
        if (question && since.elapsed() < answerAfterMs) return;
        seen << box->text();
        if (question)
          box->button(answer)->click();
        else if (box->button(otherAnswer))
          box->button(otherAnswer)->click();
        else
          box->accept();
      }
    });
    poll.start();
    return run();
  }
};

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

  // Reset, answering Discard when it asks about unsaved records.
  void ResetDiscarding() {
    ModalAnswers modal;
    modal.answer = QMessageBox::Discard;
    modal.Run([this] {
      form->Button_Reset->click();
      return true;
    });
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
