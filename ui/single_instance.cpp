#include "ui/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include "ui/message_presenter.h"

namespace corvane {

namespace {
constexpr char kActivateRequest[] = "activate\n";
constexpr int kConnectMilliseconds = 1000;
}  // namespace

QString SingleInstance::DefaultLockPath() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  return QDir(dir).filePath("corvane.lock");
}

QString SingleInstance::DefaultServerName() {
  // One name per user: the socket may live in a folder that all users share.
  const QByteArray home = QDir::homePath().toUtf8();
  return "corvane-" + QCryptographicHash::hash(home, QCryptographicHash::Sha1).toHex().left(16);
}

SingleInstance::SingleInstance(const QString& lockPath, const QString& serverName, QObject* parent)
    : QObject(parent), lock_(std::make_unique<QLockFile>(lockPath)), serverName_(serverName) {
  // A live holder keeps the lock however old it is; a dead one's lock is removed at once.
  lock_->setStaleLockTime(0);
  locked_ = lock_->tryLock(0);
  if (!locked_) return;
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  // Holding the lock, this copy owns the name: a socket left by a crashed copy goes.
  QLocalServer::removeServer(serverName_);
  server_->listen(serverName_);  // without it the program still runs, only not brought forward
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::takeRequest);
}

SingleInstance::~SingleInstance() = default;

void SingleInstance::takeRequest() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (socket->canReadLine() && socket->readLine() == kActivateRequest) emit activationRequested();
    });
    if (socket->canReadLine()) emit socket->readyRead();
  }
}

bool SingleInstance::requestActivation() const {
  QLocalSocket socket;
  socket.connectToServer(serverName_);
  if (!socket.waitForConnected(kConnectMilliseconds)) return false;
  socket.write(kActivateRequest);
  const bool sent = socket.waitForBytesWritten(kConnectMilliseconds);
  socket.disconnectFromServer();
  return sent;
}

bool ReportIfAlreadyRunning(const SingleInstance& instance) {
  if (instance.isFirst()) return false;
  instance.requestActivation();
  ShowMessage(nullptr, "Application is already running", MessageIcon::Information);
  return true;
}

}  // namespace corvane
