// "Select Publisher" / "Select Bible Student": the list with "&Edit...", "&Close" and
// the add button, and the "Add Publisher" chooser; bound to SelectPublisherForm.
#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "core/clipboard.h"
#include "records/select_publisher_form.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace zarim {

class SelectPublisherDialog : public QDialog {
  Q_OBJECT

 public:
  SelectPublisherDialog(CZarimDoc& doc, SelectPublisherForm& form, Clipboard* clipboard,
                        QWidget* parent = nullptr);
  QListWidget* list() const { return list_; }
  // The search line: the list shows only the names that hold its text.
  QLineEdit* search() const { return search_; }
  QPushButton* edit_button() const { return edit_; }
  QPushButton* add_button() const { return add_; }
  QPushButton* close_button() const { return close_; }

  // The buttons (the edit action adds on an empty list).
  void EditSelected();
  void AddPublisher();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fill();
  void ApplySearch();
  CZarimDoc& doc_;
  SelectPublisherForm& form_;
  Clipboard* clipboard_;
  QListWidget* list_ = nullptr;
  QLineEdit* search_ = nullptr;
  QPushButton *edit_ = nullptr, *add_ = nullptr, *close_ = nullptr;
};

// Runs "Select Publisher" (status kActive) or "Select Bible Student" (kNonPublisher).
void RunSelectPublisherDialog(QWidget* parent, CZarimDoc& doc, Clipboard* clipboard,
                              uint8_t status);

// The "Add Publisher" chooser: the choice made, or nothing when cancelled.
std::optional<AddChoice> ChooseAddKind(QWidget* parent, const std::vector<AddChoice>& choices);

}  // namespace zarim
