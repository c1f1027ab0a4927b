// One running copy per user, data folder and language: the first copy listens on a local
// socket in the user's runtime folder named after the folder's canonical path and the
// language code; a second start
// connects, asks the first to come to the front and quits.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

class QLocalServer;

namespace zarim {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // name: from NameFor().
  explicit SingleInstance(QString name, QObject* parent = nullptr);
  ~SingleInstance() override;

  // True when another copy answered; it has been asked to come to the front.
  bool AnotherIsRunning();
  // Starts listening; on_activate runs whenever a later start asks for the window.
  bool Listen(std::function<void()> on_activate);

  static QString NameFor(const std::string& data_folder, const std::string& language_code = "eng");

 private:
  QString name_;
  QLocalServer* server_ = nullptr;
  std::function<void()> on_activate_;
};

// Shows a window, restores it when minimized and brings it to the foreground.
void BringToFront(QWidget* window);

}  // namespace zarim
