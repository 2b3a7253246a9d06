#pragma once
// The window's recovery file. While linked, the measurement table is
// rewritten into it every 10 s, in the data-file format; a normal close
// removes it. Finding it at start-up therefore means the last session ended
// abnormally, and its records can be opened as File, Open opens a file.
//
// A lock held for the whole session keeps a second window from offering, or
// overwriting, the recovery file of a session that is still running.

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <string>

#include "session/cycle_runner.h"
#include "session/table_checkpoint.h"

namespace lcr {

class CrashRecovery : public QObject {
  Q_OBJECT

 public:
  // The recovery file in the user's application data folder.
  static QString DefaultPath();

  // Keeps the recovery file at `path` for the cycle `runner` drives.
  CrashRecovery(CycleRunner& runner, QString path, QObject* parent = nullptr);
  ~CrashRecovery() override;

  const QString& path() const { return checkpoint_.path(); }
  // False when another session holds the file; this one then leaves it alone.
  bool active() const { return active_; }

  // Records a previous session left behind (0 when none, or none readable).
  int PendingRecords() const;
  // Removes the file (a normal close, or recovery declined or done).
  void Discard();

  // The 10 s tick: rewrites the file while linked, and once more after the
  // link ended, so the last samples before Stop are in it too.
  void onTick();

 private:
  CycleRunner& runner_;
  TableCheckpoint checkpoint_;
  std::unique_ptr<QLockFile> lock_;
  bool active_ = false;
  bool wasLinked_ = false;
  QTimer timer_;
};

// The question the next start asks about the records a session left behind.
std::string RecoverRecordsQuestion(int count);

}  // namespace lcr
