// The remembered data folder and the first start's question.
#include "shell/data_folder_choice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTranslator>

#include "core/first_start_form.h"
#include "core/strings.h"
#include "shell/dialogs/dialog_kit.h"

namespace zarim {

namespace {
const char kLastFolderKey[] = "Start/LastDataFolder";
const char kLanguageKey[] = "Start/Language";
}  // namespace

QString LastFolderFile() {
  QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (config.isEmpty()) config = QDir::home().filePath(QStringLiteral(".config"));
  return QDir(config).filePath(QStringLiteral("zarim/zarim.conf"));
}

std::optional<QString> RememberedFolder() {
  QSettings settings(LastFolderFile(), QSettings::IniFormat);
  const QString folder = settings.value(kLastFolderKey).toString();
  // A folder that was moved or deleted since is asked for again, never recreated.
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) return std::nullopt;
  return folder;
}

bool RememberFolder(const QString& folder) {
  const QString file = LastFolderFile();
  if (!QDir().mkpath(QFileInfo(file).absolutePath())) return false;
  QSettings settings(file, QSettings::IniFormat);
  settings.setValue(kLastFolderKey, QFileInfo(folder).absoluteFilePath());
  settings.sync();
  return settings.status() == QSettings::NoError;
}

void InstallQtTexts(const std::string& catalog) {
  if (catalog.empty() || !qApp) return;
  auto* texts = new QTranslator(qApp);
  if (texts->load(QStringLiteral("qtbase_") + QString::fromStdString(catalog),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(texts);
  else
    delete texts;
}

std::string RememberedLanguage() {
  QSettings settings(LastFolderFile(), QSettings::IniFormat);
  return settings.value(kLanguageKey).toString().toStdString();
}

bool RememberLanguage(const std::string& wish) {
  const QString file = LastFolderFile();
  if (!QDir().mkpath(QFileInfo(file).absolutePath())) return false;
  QSettings settings(file, QSettings::IniFormat);
  if (wish.empty())
    settings.remove(kLanguageKey);
  else
    settings.setValue(kLanguageKey, QString::fromStdString(wish));
  settings.sync();
  return settings.status() == QSettings::NoError;
}

QString DocumentsFolder() {
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty()) documents = QDir::homePath();
  return documents;
}

std::optional<QString> AskForFirstFolder(QWidget* parent) {
  // Asked again after a refusal (a congregation turned up in the new folder, or it could
  // not be made), so the user is never left without a way on.
  for (;;) {
    const FirstStartForm form(DocumentsFolder().toStdString());
    QMessageBox box(QMessageBox::Question, Plain(Sid::kFirstFolderTitle), Q(form.Text()),
                    QMessageBox::NoButton, parent);
    QPushButton* create = box.addButton(Q(Sid::kFirstFolderCreate), QMessageBox::AcceptRole);
    QPushButton* choose = box.addButton(Q(Sid::kFirstFolderChoose), QMessageBox::ActionRole);
    QPushButton* cancel = box.addButton(Q(Sid::kCancelButton), QMessageBox::RejectRole);
    create->setAccessibleName(Plain(create->text()));
    choose->setAccessibleName(Plain(choose->text()));
    cancel->setAccessibleName(Plain(cancel->text()));
    box.setDefaultButton(create);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == create) {
      const std::string refused = form.CreateNewFolder();
      if (refused.empty()) return Q(form.new_folder());
      QMessageBox::warning(parent, Q(Sid::kAppName), Q(refused));
      continue;
    }
    if (box.clickedButton() == choose) {
      const QString folder = QFileDialog::getExistingDirectory(
          parent, Plain(Sid::kFirstFolderTitle), DocumentsFolder());
      if (folder.isEmpty()) continue;
      return folder;
    }
    return std::nullopt;
  }
}

}  // namespace zarim
