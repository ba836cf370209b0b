#include "ui/single_instance.h"

#include <QDir>
#include <QStandardPaths>

#include "ui/message_presenter.h"

namespace corvane {

QString SingleInstance::DefaultLockPath() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  return QDir(dir).filePath("corvane.lock");
}

SingleInstance::SingleInstance(const QString& lockPath) : lock_(std::make_unique<QLockFile>(lockPath)) {
  // A live holder keeps the lock however old it is; a dead one's lock is removed at once.
  lock_->setStaleLockTime(0);
  locked_ = lock_->tryLock(0);
}

bool ReportIfAlreadyRunning(const SingleInstance& instance) {
  if (instance.isFirst()) return false;
  ShowMessage(nullptr, "Application is already running", MessageIcon::Information);
  return true;
}

}  // namespace corvane
