// The backup dialog: widgets mirror the form; every click and choice goes to the form.
#include "shell/dialogs/backup_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "backup/backup_form.h"
#include "core/password_form.h"
#include "core/settings.h"
#include "core/strings.h"
#include "shell/dialogs/dialog_kit.h"
#include "shell/main_window.h"

namespace zarim {

BackupDialog::BackupDialog(BackupForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setWindowTitle(Q(form.Title()));
  setAccessibleName(Q(form.Title()));
  auto* layout = new QVBoxLayout(this);

  prompt_ = new QLabel(Q(form.Prompt()), this);
  path_ = new QLineEdit(this);
  path_->setReadOnly(true);
  path_->setAccessibleName(Q(Str(Sid::kAccBackupPath)));
  prompt_->setBuddy(path_);
  browse_ = new QPushButton(Q(form.BrowseCaption()), this);
  browse_->setAccessibleName(Q(form.BrowseCaption()));
  auto* path_row = new QHBoxLayout;
  path_row->addWidget(path_, 1);
  path_row->addWidget(browse_);
  layout->addWidget(prompt_);
  layout->addLayout(path_row);

  required_ = new QLabel(this);
  layout->addWidget(required_);

  group_ = new QGroupBox(Q(form.RestoreGroupCaption()), this);
  auto* group_layout = new QVBoxLayout(group_);
  list_ = new QListWidget(group_);
  list_->setAccessibleName(Q(Str(Sid::kAccBackupSets)));
  switch_list_ = new QPushButton(group_);
  latest_ = new QCheckBox(Q(form.UseLatestCaption()), group_);
  latest_->setAccessibleName(Q(form.UseLatestCaption()));
  undo_ = new QCheckBox(Q(form.UndoCaption()), group_);
  undo_->setAccessibleName(Q(form.UndoCaption()));
  group_layout->addWidget(list_);
  group_layout->addWidget(switch_list_);
  group_layout->addWidget(latest_);
  group_layout->addWidget(undo_);
  layout->addWidget(group_);

  status_ = new QLabel(this);
  status_->setWordWrap(true);
  layout->addWidget(status_);

  const OkCancelRow buttons = MakeOkCancel(this, Sid::kOk, Sid::kCancel, false);
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;
  ok_->setDefault(true);
  layout->addWidget(buttons.box);

  setTabOrder(path_, browse_);
  setTabOrder(browse_, list_);
  setTabOrder(list_, switch_list_);
  setTabOrder(switch_list_, latest_);
  setTabOrder(latest_, undo_);
  setTabOrder(undo_, ok_);
  setTabOrder(ok_, cancel_);

  chooser_ = [this](const QString& start) {
    return QFileDialog::getExistingDirectory(this, Q(Str(Sid::kChooseBackupFolder)), start);
  };
  connect(browse_, &QPushButton::clicked, this, &BackupDialog::OnBrowse);
  connect(switch_list_, &QPushButton::clicked, this, [this] {
    // From the catalog this is the one Browse of the restore: the folder of sets is
    // asked for at once.
    if (form_.catalog_mode()) {
      OnBrowse();
      return;
    }
    form_.SwitchList();
    Sync();
  });
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (syncing_ || row < 0) return;
    form_.ChooseItem(row);
    Sync();
  });
  connect(latest_, &QCheckBox::toggled, this, [this](bool on) {
    if (syncing_) return;
    form_.SetUseLatest(on);
    Sync();
  });
  connect(undo_, &QCheckBox::toggled, this, [this](bool on) {
    if (syncing_) return;
    form_.SetUndo(on);
    Sync();
  });
  connect(ok_, &QPushButton::clicked, this, &BackupDialog::OnOk);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  Sync();
}

void BackupDialog::ShowStatus(const std::string& text) {
  ShowValue(status_, Q(text), Q(Sid::kAccBackupStatus));
  // Long copies report each file; the window keeps painting between them.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void BackupDialog::Sync() {
  syncing_ = true;
  path_->setText(Q(form_.DisplayPath()));
  path_->setCursorPosition(0);
  // The whole path in view (up to a long one): its own width and the box's margins.
  const QFontMetrics metrics = path_->fontMetrics();
  path_->setMinimumWidth(
      std::min(metrics.horizontalAdvance(path_->text()), 70 * metrics.averageCharWidth()) +
      3 * metrics.averageCharWidth());
  browse_->setVisible(form_.BrowseShown());
  cancel_->setVisible(form_.CancelShown());
  required_->setVisible(form_.RequiredSpaceShown());
  if (form_.RequiredSpaceShown()) ShowValue(required_, Q(form_.RequiredSpaceText()));
  group_->setVisible(form_.RestoreGroupShown());
  if (form_.RestoreGroupShown()) {
    list_->clear();
    const std::vector<std::string> items = form_.ListItems();
    for (size_t i = 0; i < items.size(); ++i) {
      auto* item = new QListWidgetItem(Q(items[i]), list_);
      if (!form_.ItemIsHeading(static_cast<int>(i))) continue;
      // A heading is read and skipped over, never chosen.
      item->setFlags(Qt::ItemIsEnabled);
      QFont bold = item->font();
      bold.setBold(true);
      item->setFont(bold);
    }
    if (form_.selected_item() >= 0) list_->setCurrentRow(form_.selected_item());
    switch_list_->setVisible(form_.SwitchListShown());
    switch_list_->setText(Q(form_.SwitchListCaption()));
    switch_list_->setAccessibleName(Q(form_.SwitchListCaption()));
    latest_->setVisible(form_.UseLatestShown());
    latest_->setChecked(form_.use_latest());
    undo_->setVisible(form_.UndoShown());
    undo_->setChecked(form_.undo());
  }
  ShowValue(status_, Q(form_.Status()), Q(Sid::kAccBackupStatus));
  ok_->setVisible(form_.OkShown());
  ok_->setText(Q(form_.OkCaption()));
  ok_->setAccessibleName(Q(form_.OkCaption()));
  syncing_ = false;
}

void BackupDialog::OnBrowse() {
  QString folder = chooser_ ? chooser_(Q(form_.BrowseStartFolder())) : QString();
  if (folder.isEmpty()) return;
  form_.ChooseFolder(folder.toStdString());
  Sync();
}

void BackupDialog::OnOk() {
  if (form_.done() && form_.mode() == BackupMode::kBackup) {
    accept();
    return;
  }
  ok_->setEnabled(false);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bool close = form_.Ok();
  QApplication::restoreOverrideCursor();
  ok_->setEnabled(true);
  if (close) {
    accept();
    return;
  }
  Sync();
}

void RunBackupDialog(CMainFrame& frame, bool restore) {
  CZarimDoc& doc = frame.doc();
  const ShellServices& s = frame.services();
  SystemTimeSource time;
  BackupServices services;
  services.time = &time;
  services.clock = s.clock;
  SettingsFile* settings = s.settings;
  if (settings) {
    services.read_setting = [settings](const std::string& section, const std::string& key) {
      return settings->ini().GetString(section, key, "");
    };
    services.set_setting = [settings](const std::string& section, const std::string& key,
                                      const std::string& v) {
      settings->ini().SetString(section, key, v);
    };
    services.after_reload = [settings](CZarimDoc& d) {
      settings->Load();
      ReadSettings(settings->ini(), d);
    };
  }
  PasswordRunner* passwords = s.passwords;
  services.check_password = [passwords, &doc](const std::string& password) {
    if (!passwords) return false;
    PasswordForm form(password, doc.language_code, PasswordForm::Mode::kStart);
    passwords->Run(form);
    return form.accepted();
  };
  BackupDialog* dialog_ptr = nullptr;
  services.status_changed = [&dialog_ptr](const std::string& text) {
    if (dialog_ptr) dialog_ptr->ShowStatus(text);
  };
  BackupForm form(doc, restore ? BackupMode::kRestore : BackupMode::kBackup, services);
  form.Open();
  BackupDialog dialog(form, frame.dialog_parent());
  dialog_ptr = &dialog;
  dialog.exec();
  dialog_ptr = nullptr;
}

}  // namespace zarim
