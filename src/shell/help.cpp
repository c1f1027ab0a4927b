// Finding the user guide.
#include "shell/help.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zarim {

std::string HelpFileName() { return "index.html"; }

std::string HelpFilePath() {
  const QString name = QString::fromStdString(HelpFileName());
  const QString app = QCoreApplication::applicationDirPath();
  const QStringList candidates = {
      app + "/help/" + name,
      app + "/../share/zarim/help/" + name,
#ifdef ZARIM_SOURCE_HELP_DIR
      QStringLiteral(ZARIM_SOURCE_HELP_DIR) + "/" + name,
#endif
  };
  for (const QString& c : candidates) {
    QFileInfo info(c);
    if (info.isFile()) return QDir::cleanPath(info.absoluteFilePath()).toStdString();
  }
  return {};
}

}  // namespace zarim
