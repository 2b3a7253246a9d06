#include "session/crash_recovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>

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
  timer_.setInterval(kCheckpointIntervalMs);
  connect(&timer_, &QTimer::timeout, this, &CrashRecovery::onTick);
  timer_.start();
}

CrashRecovery::~CrashRecovery() = default;

int CrashRecovery::PendingRecords() const {
  if (!active_ || !QFileInfo::exists(path())) return 0;
  return std::max(CountDataFileRecords(path()), 0);
}

void CrashRecovery::Discard() {
  if (active_) QFile::remove(path());
}

void CrashRecovery::onTick() {
  if (!active_) return;
  const bool linked = runner_.cycle().win.readCom.armed;
  if (linked || wasLinked_) {
    QString why;
    if (!checkpoint_.Save(runner_.cycle().table, &why))
      std::fprintf(stderr, "LCR Tavrik: the recovery file was not rewritten: %s\n", qPrintable(why));
  }
  wasLinked_ = linked;
}

std::string RecoverRecordsQuestion(int count) {
  return "Recover " + std::to_string(count) + " records from the last session?";
}

}  // namespace lcr
