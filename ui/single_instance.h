#pragma once
#include <QLockFile>
#include <QString>
#include <memory>

namespace corvane {

// Holds the per-user lock that marks a running copy of the program. A lock left behind by a
// copy that crashed is stale (its process is gone) and is taken over.
class SingleInstance {
 public:
  explicit SingleInstance(const QString& lockPath = DefaultLockPath());
  bool isFirst() const { return locked_; }
  static QString DefaultLockPath();

 private:
  std::unique_ptr<QLockFile> lock_;
  bool locked_ = false;
};

// When another copy holds the lock, tells the user "Application is already running" and
// returns true: this copy must then end without opening any window.
bool ReportIfAlreadyRunning(const SingleInstance& instance);

}  // namespace corvane
