// The backup dialog in backup and restore mode: the backup path with the folder chooser,
// the required space, the list of backup sets with its ticks, and the status line; bound
// to BackupForm.
#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zarim {

class BackupForm;
class CMainFrame;

class BackupDialog : public QDialog {
  Q_OBJECT

 public:
  BackupDialog(BackupForm& form, QWidget* parent = nullptr);

  // The folder chooser; the desktop's own unless a test replaces it. An empty text means
  // the user cancelled.
  void set_folder_chooser(std::function<QString(const QString& start)> chooser) {
    chooser_ = std::move(chooser);
  }

  QLineEdit* path_edit() const { return path_; }
  QLabel* required_label() const { return required_; }
  QLabel* status_label() const { return status_; }
  QGroupBox* restore_group() const { return group_; }
  QListWidget* list() const { return list_; }
  QPushButton* browse_button() const { return browse_; }
  QPushButton* switch_button() const { return switch_list_; }
  QCheckBox* latest_box() const { return latest_; }
  QCheckBox* undo_box() const { return undo_; }
  QPushButton* ok_button() const { return ok_; }
  QPushButton* cancel_button() const { return cancel_; }

  // Shows a new status line at once, also in the middle of a long copy.
  void ShowStatus(const std::string& text);
  void Sync();

 private:
  void OnBrowse();
  void OnOk();

  BackupForm& form_;
  std::function<QString(const QString&)> chooser_;
  QLabel* prompt_ = nullptr;
  QLineEdit* path_ = nullptr;
  QPushButton* browse_ = nullptr;
  QLabel* required_ = nullptr;
  QGroupBox* group_ = nullptr;
  QListWidget* list_ = nullptr;
  QPushButton* switch_list_ = nullptr;
  QCheckBox* latest_ = nullptr;
  QCheckBox* undo_ = nullptr;
  QLabel* status_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  bool syncing_ = false;
};

// The "Backup" and "Restore" commands: opens the dialog in that mode over the main
// window's document, settings and password dialog.
void RunBackupDialog(CMainFrame& frame, bool restore);

}  // namespace zarim
