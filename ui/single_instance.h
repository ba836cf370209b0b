#pragma once
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace corvane {

// Marks the running copy of the program with a per-user lock and lets a second copy ask it
// to come forward. The lock decides which copy is first (a lock left by a copy that crashed
// is stale, its process gone, and is taken over); the first copy then listens on a per-user
// local socket, where a second copy's request arrives as activationRequested.
class SingleInstance : public QObject {
  Q_OBJECT
 public:
  explicit SingleInstance(const QString& lockPath = DefaultLockPath(),
                          const QString& serverName = DefaultServerName(), QObject* parent = nullptr);
  ~SingleInstance() override;

  bool isFirst() const { return locked_; }
  // Asks the first copy to bring its window forward; false when it could not be reached.
  bool requestActivation() const;

  static QString DefaultLockPath();
  static QString DefaultServerName();

 signals:
  void activationRequested();

 private:
  void takeRequest();

  std::unique_ptr<QLockFile> lock_;
  QString serverName_;
  QLocalServer* server_ = nullptr;
  bool locked_ = false;
};

// When another copy holds the lock, asks it to come forward, tells the user "Application is
// already running" and returns true: this copy must then end without opening any window.
bool ReportIfAlreadyRunning(const SingleInstance& instance);

}  // namespace corvane
