// The single-copy test over QLocalServer/QLocalSocket.
#include "shell/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QWidget>

namespace zarim {

namespace {
constexpr int kConnectMs = 500;
const char kActivate[] = "activate\n";
}  // namespace

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::NameFor(const std::string& data_folder, const std::string& language_code) {
  // The socket lives in the user's runtime folder (private to the user); its name comes
  // from the folder's canonical path, so two names of one folder meet, and from the
  // language code: one copy runs per folder and language.
  QString canonical = QFileInfo(QString::fromStdString(data_folder)).canonicalFilePath();
  if (canonical.isEmpty())
    canonical = QFileInfo(QString::fromStdString(data_folder)).absoluteFilePath();
  QByteArray key = canonical.toUtf8();
  if (language_code != "eng") key += '\n' + QByteArray::fromStdString(language_code);
  QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
  QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  QString name = QStringLiteral("zarim-") + QString::fromLatin1(hash);
  return runtime.isEmpty() ? name : QDir(runtime).filePath(name);
}

bool SingleInstance::AnotherIsRunning() {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kConnectMs)) return false;
  socket.write(kActivate);
  socket.waitForBytesWritten(kConnectMs);
  socket.disconnectFromServer();
  return true;
}

bool SingleInstance::Listen(std::function<void()> on_activate) {
  on_activate_ = std::move(on_activate);
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(name_)) {
    // A copy that crashed leaves its socket file behind; nobody answered on it, so it is
    // stale and can go.
    QLocalServer::removeServer(name_);
    if (!server_->listen(name_)) return false;
  }
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      if (on_activate_) on_activate_();
    }
  });
  return true;
}

void BringToFront(QWidget* window) {
  if (!window) return;
  if (window->isMinimized()) window->showNormal();
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace zarim
