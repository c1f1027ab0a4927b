// Finding the user guide.
#include "shell/help.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "core/strings.h"

namespace zarim {

std::string HelpFileName() { return std::string(Str(Sid::kGuidePage)); }

std::string HelpFilePath() {
  const QString app = QCoreApplication::applicationDirPath();
  const QStringList folders = {
      app + "/help/",
      app + "/../share/zarim/help/",
#ifdef ZARIM_SOURCE_HELP_DIR
      QStringLiteral(ZARIM_SOURCE_HELP_DIR) + "/",
#endif
  };
  // The guide in the language of the program, else the English one.
  for (const std::string_view page : {Str(Sid::kGuidePage), EnglishStr(Sid::kGuidePage)}) {
    for (const QString& folder : folders) {
      QFileInfo info(folder + QString::fromUtf8(page.data(), static_cast<qsizetype>(page.size())));
      if (info.isFile()) return QDir::cleanPath(info.absoluteFilePath()).toStdString();
    }
  }
  return {};
}

}  // namespace zarim
