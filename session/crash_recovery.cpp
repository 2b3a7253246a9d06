#include "session/crash_recovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>

#include "session/file_commands.h"
#include "files/data_file.h"

namespace lcr {

QString CrashRecovery::DefaultPath() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
      .filePath(QStringLiteral("recovery.txt"));
}

CrashRecovery::CrashRecovery(CycleRunner& runner, QString path, QObject* parent)
    : QObject(parent), runner_(runner), checkpoint_(std::move(path)) {
  const QFileInfo info(checkpoint_.path());
  QDir().mkpath(info.absolutePath());
  lock_ = std::make_unique<QLockFile>(info.absoluteFilePath() + QStringLiteral(".lock"));
  lock_->setStaleLockTime(0);  // only a live process keeps it
  active_ = lock_->tryLock(0);
  if (!active_) return;
  waiting_ = QFileInfo::exists(checkpoint_.path());
  timer_.setInterval(kCheckpointIntervalMs);
  connect(&timer_, &QTimer::timeout, this, &CrashRecovery::onTick);
  timer_.start();
}

CrashRecovery::~CrashRecovery() = default;

int CrashRecovery::PendingRecords() const {
  if (!active_ || !QFileInfo::exists(path())) return 0;
  return std::max(CountDataFileRecords(path()), 0);
}

void CrashRecovery::Adopt() { waiting_ = false; }

void CrashRecovery::Discard() {
  waiting_ = false;
  if (!active_) return;
  QFile::remove(path());
  checkpoint_ = TableCheckpoint(path());  // the next write must not think the file is there
}

void CrashRecovery::EndSession() {
  if (!waiting_) Discard();
}

void CrashRecovery::onTick() {
  if (!active_ || waiting_) return;
  const Cycle& c = runner_.cycle();
  if (UnsavedRecordCount(c) == 0) {
    if (QFileInfo::exists(path())) Discard();
    return;
  }
  QString why;
  if (!checkpoint_.Save(c.table, &why))
    std::fprintf(stderr, "LCR Tavrik: cannot keep the recovery file %s: %s\n", qPrintable(path()), qPrintable(why));
}

std::string RecoverRecordsQuestion(int count) {
  return "Recover " + std::to_string(count) + (count == 1 ? " record" : " records") + " from the last session?";
}

std::string DiscardRecoveredQuestion(int count) {
  return "Discard the " + std::to_string(count) + (count == 1 ? " recovered record?" : " recovered records?");
}

RecoveryChoice AskAboutRecovery(int count, const std::function<bool(const std::string& question)>& yes) {
  if (yes(RecoverRecordsQuestion(count))) return RecoveryChoice::Recover;
  return yes(DiscardRecoveredQuestion(count)) ? RecoveryChoice::Discard : RecoveryChoice::Recover;
}

}  // namespace lcr
