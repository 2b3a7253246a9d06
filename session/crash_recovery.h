#pragma once
// The window's recovery file. While the measurement table holds records
// that are in no saved or opened file, linked or not, the table is rewritten
// into it every 10 s, in the data-file format; once every record is in a
// file (or the table is empty) it is removed, and so it is by a normal
// close. Finding it at start-up therefore means the last session ended
// abnormally with records at stake, and they can be opened as File, Open
// opens a file. Those records stay in the file until they are saved,
// discarded by the user, or checkpointed again by the session that took
// them back; until the user answers, the session leaves the file alone.
//
// A lock held for the whole session keeps a second window from offering, or
// overwriting, the recovery file of a session that is still running.

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
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
  // The records a previous session left behind now live in this session's
  // table: from here on the file follows the table.
  void Adopt();
  // Removes the file: the user discarded the records it held.
  void Discard();
  // A normal close: removes the file, unless it still holds records of a
  // previous session that were never offered.
  void EndSession();

  // The 10 s tick: rewrites the file when the table holds records that are
  // in no file, and removes it when it holds none.
  void onTick();

 private:
  CycleRunner& runner_;
  TableCheckpoint checkpoint_;
  std::unique_ptr<QLockFile> lock_;
  bool active_ = false;
  bool waiting_ = false;  // a previous session's records wait for the user's answer
  QTimer timer_;
};

// The questions the next start asks about the records a session left behind.
std::string RecoverRecordsQuestion(int count);
std::string DiscardRecoveredQuestion(int count);

enum class RecoveryChoice { Recover, Discard };
// Asks "Recover N records from the last session?"; on No, asks once more
// "Discard the N recovered records?". Only a Yes to that discards; a No
// recovers them, so no single answer deletes them. `yes` asks a question
// and returns true for Yes.
RecoveryChoice AskAboutRecovery(int count, const std::function<bool(const std::string& question)>& yes);

}  // namespace lcr
