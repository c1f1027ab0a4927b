// The export and XML dialogs.
#include "shell/dialogs/exchange_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shell/dialogs/dialog_kit.h"

namespace zarim {

namespace {

// A list whose rows are ticked on and off with Space or a click.
void FillCheckList(QListWidget* list, const std::vector<std::string>& items,
                   const std::function<bool(int)>& chosen) {
  list->clear();
  for (size_t i = 0; i < items.size(); ++i) {
    auto* item = new QListWidgetItem(Q(items[i]), list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(chosen(static_cast<int>(i)) ? Qt::Checked : Qt::Unchecked);
  }
  if (list->count() > 0) list->setCurrentRow(0);
}

}  // namespace

ExportDataDialog::ExportDataDialog(ExportDataForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(Q(form.Title()));
  auto* layout = new QVBoxLayout(this);
  months_ = new QComboBox(this);
  for (const std::string& m : form.Months()) months_->addItem(Q(m));
  months_->setCurrentIndex(form.month);
  months_->setAccessibleName(Plain(Sid::kExportAccMonthList));
  layout->addWidget(months_);
  auto* group = new QGroupBox(Plain(Sid::kAccExportSeparator), this);
  auto* group_layout = new QVBoxLayout(group);
  comma_ = new QRadioButton(Q(Sid::kExportCommaDelimited), group);
  tab_ = new QRadioButton(Q(Sid::kExportTabDelimited), group);
  comma_->setAccessibleName(Plain(Sid::kExportCommaDelimited));
  tab_->setAccessibleName(Plain(Sid::kExportTabDelimited));
  (form.tab ? tab_ : comma_)->setChecked(true);
  group_layout->addWidget(comma_);
  group_layout->addWidget(tab_);
  layout->addWidget(group);
  header_ = new QCheckBox(Q(Sid::kExportIncludeHeader), this);
  header_->setAccessibleName(Plain(Sid::kExportIncludeHeader));
  header_->setChecked(form.header);
  layout->addWidget(header_);
  layout->addWidget(MakeOkCancel(this).box);
}

void ExportDataDialog::accept() {
  form_.month = months_->currentIndex();
  form_.tab = tab_->isChecked();
  form_.header = header_->isChecked();
  QDialog::accept();
}

XmlExportDialog::XmlExportDialog(XmlExportForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(Q(form.Title()));
  auto* layout = new QVBoxLayout(this);
  lists_ = new QComboBox(this);
  for (const std::string& caption : form.ListCaptions()) lists_->addItem(Q(caption));
  lists_->setCurrentIndex(static_cast<int>(form.list()));
  lists_->setAccessibleName(Plain(Sid::kAccXmlLists));
  layout->addWidget(lists_);
  people_ = new QListWidget(this);
  people_->setAccessibleName(Plain(Sid::kAccXmlPeople));
  layout->addWidget(people_);
  const OkCancelRow row = MakeOkCancel(this);
  ok_ = row.ok;
  layout->addWidget(row.box);
  connect(lists_, &QComboBox::currentIndexChanged, this, [this](int i) {
    form_.SelectList(static_cast<XmlList>(i));
    ShowPeople();
  });
  connect(people_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    form_.Choose(people_->row(item), item->checkState() == Qt::Checked);
    ok_->setEnabled(form_.IsOkEnabled());
  });
  ShowPeople();
}

void XmlExportDialog::ShowPeople() {
  QSignalBlocker block(people_);
  FillCheckList(people_, form_.People(), [this](int i) { return form_.IsChosen(i); });
  ok_->setEnabled(form_.IsOkEnabled());
}

XmlImportDialog::XmlImportDialog(XmlImportForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(Q(form.Title()));
  auto* layout = new QVBoxLayout(this);
  list_ = new QListWidget(this);
  list_->setAccessibleName(Plain(Sid::kAccXmlCandidates));
  layout->addWidget(list_);
  duplicates_ = new QLabel(this);
  layout->addWidget(duplicates_);
  update_ = new QRadioButton(Q(Sid::kXmlUpdateExisting), this);
  create_ = new QRadioButton(Q(Sid::kXmlCreateNew), this);
  update_->setAccessibleName(Plain(Sid::kXmlUpdateExisting));
  create_->setAccessibleName(Plain(Sid::kXmlCreateNew));
  auto* choice = new QButtonGroup(this);
  choice->addButton(update_);
  choice->addButton(create_);
  (form.update ? update_ : create_)->setChecked(true);
  layout->addWidget(update_);
  layout->addWidget(create_);
  counter_ = new QLabel(this);
  counter_->setAccessibleName(Plain(Sid::kAccXmlCounter));
  layout->addWidget(counter_);
  const OkCancelRow row = MakeOkCancel(this);
  ok_ = row.ok;
  layout->addWidget(row.box);
  {
    QSignalBlocker block(list_);
    FillCheckList(list_, form.Items(), [this](int i) { return form_.IsChosen(i); });
  }
  connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    form_.Choose(list_->row(item), item->checkState() == Qt::Checked);
    ShowForm();
  });
  connect(update_, &QRadioButton::toggled, this, [this](bool on) {
    form_.update = on;
    ShowForm();
  });
  ShowForm();
}

void XmlImportDialog::ShowForm() {
  const bool duplicates = form_.AreDuplicatesShown();
  duplicates_->setVisible(duplicates);
  duplicates_->setText(Q(form_.DuplicatesCaption()));
  update_->setVisible(duplicates);
  create_->setVisible(duplicates);
  counter_->setText(Q(form_.Counter()));
  ok_->setVisible(form_.IsOkShown());
}

bool RunExportDataDialog(QWidget* parent, ExportDataForm& form) {
  ExportDataDialog dialog(form, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool RunXmlExportDialog(QWidget* parent, XmlExportForm& form) {
  XmlExportDialog dialog(form, parent);
  return dialog.exec() == QDialog::Accepted && form.IsOkEnabled();
}

bool RunXmlImportDialog(QWidget* parent, XmlImportForm& form) {
  XmlImportDialog dialog(form, parent);
  return dialog.exec() == QDialog::Accepted && form.IsOkShown();
}

}  // namespace zarim
