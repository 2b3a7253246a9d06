// File, Open and Reset ask before records that are in no file are dropped,
// as closing does; the question stops acquisition first and takes no stray
// key; and Save and Open agree on the file's name.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "session/file_commands.h"
#include "app/unsaved_records_box.h"
#include "tests/app/window_fixture.h"

using namespace lcr;
using lcrtest::ModalAnswers;

namespace {

struct FileCommandsWindowTest : lcrtest::WindowFixture {
  QTemporaryDir dir;

  // Records `records` more samples (the first two after Start are never
  // recorded) and stops.
  void Record(int records) {
    StartAndLink();
    for (int i = 0; i < records + 2; ++i) Sample(100 + i);
    form->Button_Stop->click();
  }

  // The record count a data file announces on its first line.
  static int CountIn(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    return f.readLine().trimmed().toInt();
  }

  // Saves the table with File, Save; what came up is returned.
  QStringList Save(const QString& path, QMessageBox::StandardButton replace = QMessageBox::Yes) {
    ModalAnswers modal;
    modal.path = path;
    modal.otherAnswer = replace;
    modal.fileAnswers = 1;
    modal.Run([&] {
      form->Menu_Save->trigger();
      return true;
    });
    return modal.seen;
  }
};

TEST_F(FileCommandsWindowTest, OpenAndResetAskAndFollowTheAnswer) {
  Record(2);
  const QString other = dir.filePath("other.txt");
  Save(other);
  struct Case {
    bool open;
    QMessageBox::StandardButton answer;
  };
  for (const Case k : {Case{false, QMessageBox::Cancel}, Case{false, QMessageBox::Save},
                       Case{false, QMessageBox::Discard}, Case{true, QMessageBox::Cancel},
                       Case{true, QMessageBox::Save}, Case{true, QMessageBox::Discard}}) {
    SCOPED_TRACE(std::string(k.open ? "open " : "reset ") + std::to_string(k.answer));
    SetUp();
    Record(4);
    const QString saved = dir.filePath(QStringLiteral("saved%1%2.txt").arg(k.open).arg(int(k.answer)));
    ModalAnswers modal;
    modal.answer = k.answer;
    modal.path = saved;
    // Open's own dialog opens `other` after a discard; after a save, the file just saved.
    if (k.open && k.answer == QMessageBox::Discard) modal.path = other;
    modal.Run([&] {
      k.open ? form->Menu_Open->trigger() : form->Button_Reset->click();
      return true;
    });

    QStringList expected{k.open ? "4 records are not saved. Save them before opening another file?"
                                : "4 records are not saved. Save them before clearing them?"};
    if (k.answer == QMessageBox::Save) expected << "file dialog" << "Save TXT File Successfully!";
    if (k.open && k.answer != QMessageBox::Cancel) expected << "file dialog";
    EXPECT_EQ(modal.seen, expected);

    const int records = form->cycle().table.RecordCount;
    if (k.answer == QMessageBox::Cancel) {
      EXPECT_EQ(records, 4);
      EXPECT_EQ(UnsavedRecordCount(form->cycle()), 4);
      continue;
    }
    if (k.answer == QMessageBox::Save) {
      EXPECT_EQ(CountIn(saved), 4);
    }
    EXPECT_EQ(records, !k.open ? 0 : k.answer == QMessageBox::Save ? 4 : 2);
    EXPECT_EQ(UnsavedRecordCount(form->cycle()), 0);
  }
}

// Acquisition would go on under the question and the save dialog: records
// taken then were neither saved nor asked about. Asking stops it first.
TEST_F(FileCommandsWindowTest, NoRecordSlipsPastTheQuestion) {
  StartAndLink();
  for (int i = 0; i < 5; ++i) Sample(100 + i);
  for (int i = 0; i < 10; ++i) io->QueueRead(1, lcrtest::Frame730Value(200 + i));
  ModalAnswers modal;
  modal.answer = QMessageBox::Save;
  modal.answerAfterMs = 1300;  // the display tick runs every 500 ms
  modal.path = dir.filePath("log.txt");
  EXPECT_TRUE(modal.Run([&] { return form->close(); }));
  ASSERT_EQ(modal.seen.value(0), "3 records are not saved. Save them before closing?");
  EXPECT_EQ(form->cycle().table.RecordCount, 3);
  EXPECT_EQ(CountIn(modal.path), 3);
  EXPECT_TRUE(model().startEnabled);  // stopped as Stop stops
}

// A letter or digit typed into the question presses nothing; Enter saves,
// Escape cancels.
TEST_F(FileCommandsWindowTest, NoStrayKeyAnswersTheQuestion) {
  QList<int> keys;
  for (int k = Qt::Key_A; k <= Qt::Key_Z; ++k) keys << k;
  for (int k = Qt::Key_0; k <= Qt::Key_9; ++k) keys << k;
  for (const Qt::KeyboardModifiers mods : {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ShiftModifier)}) {
    const auto box = MakeUnsavedRecordsBox(form.get(), 7, DroppingCommand::Close);
    box->show();
    for (const int key : keys) QTest::keyClick(box.get(), Qt::Key(key), mods);
    QTest::qWait(300);  // a mnemonic's press shows before it clicks
    EXPECT_EQ(box->clickedButton(), nullptr);
    EXPECT_TRUE(box->isVisible());
  }
  for (const auto& [key, button] : {std::pair{Qt::Key_Return, QMessageBox::Save}, std::pair{Qt::Key_Escape, QMessageBox::Cancel}}) {
    const auto box = MakeUnsavedRecordsBox(form.get(), 7, DroppingCommand::Close);
    box->show();
    QTest::keyClick(box.get(), key);
    EXPECT_EQ(box->clickedButton(), box->button(button));
  }
}

// A name typed bare is saved as NAME.txt, and Open lists it and the .xls
// files older saves made. Save asks before it replaces a file.
TEST_F(FileCommandsWindowTest, SaveAndOpenAgreeOnTheName) {
  Record(3);
  Save(dir.filePath("bare"));
  EXPECT_EQ(CountIn(dir.filePath("bare.txt")), 3);

  ModalAnswers opening;
  opening.path = dir.filePath("bare.txt");
  opening.Run([&] {
    form->Menu_Open->trigger();
    return true;
  });
  for (const char* name : {"bare.txt", "old.xls"}) EXPECT_TRUE(QDir::match(opening.listed, name)) << name;

  Record(2);
  const QStringList seen = Save(dir.filePath("bare.txt"), QMessageBox::No);
  ASSERT_EQ(seen.size(), 3);
  EXPECT_TRUE(seen[1].contains("already exists")) << seen[1].toStdString();
  EXPECT_EQ(seen[2], "file dialog cancelled");
  EXPECT_EQ(CountIn(dir.filePath("bare.txt")), 3);  // left as it was
}

}  // namespace
