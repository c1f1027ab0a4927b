// The collection list dialog and the collection file import.
#include "shell/dialogs/collection_list_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/document.h"
#include "core/month.h"
#include "exchange/collection_file.h"
#include "exchange/collection_list_form.h"
#include "exchange/report_import.h"
#include "exchange/xml_report_import.h"
#include "shell/dialogs/dialog_kit.h"
#include "shell/dialogs/group_picker_dialog.h"
#include "shell/dialogs/report_import_dialog.h"

namespace zarim {

CollectionListDialog::CollectionListDialog(CollectionListForm& form, Mailer* mailer,
                                           DesktopShell* desktop, QWidget* parent)
    : QDialog(parent), form_(form), mailer_(mailer), desktop_(desktop) {
  setWindowTitle(Q(form.GroupText()));
  auto* layout = new QVBoxLayout(this);

  auto* month_frame = new QGroupBox(Q(Sid::kCollMonthFrame), this);
  auto* month_layout = new QVBoxLayout(month_frame);
  month_ = new QComboBox(month_frame);
  month_->setAccessibleName(Plain(Sid::kCollMonthFrame));
  for (const std::string& m : form.MonthChoices()) month_->addItem(Q(m));
  prepare_new_ = new QLabel(Q(form.PrepareNewText()), month_frame);
  month_layout->addWidget(month_);
  month_layout->addWidget(prepare_new_);
  layout->addWidget(month_frame);

  auto* email_label = new QLabel(Q(Sid::kCollSecretaryEmail), this);
  email_ = new QLineEdit(Q(form.email()), this);
  email_->setAccessibleName(Plain(Sid::kCollSecretaryEmail));
  email_->setMaxLength(static_cast<int>(kMaxSecretaryEmail));
  email_label->setBuddy(email_);
  layout->addWidget(email_label);
  layout->addWidget(email_);

  assistant_ = new QCheckBox(Q(Sid::kCollEmailAssistant), this);
  assistant_->setAccessibleName(Plain(Sid::kCollEmailAssistant));
  assistant_->setChecked(form.to_assistant());
  layout->addWidget(assistant_);

  missing_title_ = new QLabel(this);
  missing_ = new QListWidget(this);
  missing_->setAccessibleName(Plain(Sid::kCollMissingReports));
  missing_title_->setBuddy(missing_);
  layout->addWidget(missing_title_);
  layout->addWidget(missing_, 1);
  no_email_ = new QLabel(this);
  layout->addWidget(no_email_);

  create_ = MakeButton(form.CreateCaption(), this);
  create_->setDefault(true);
  another_ = MakeButton(Str(Sid::kCollSelectAnotherGroup), this);
  cancel_ = MakeButton(Str(Sid::kCancel), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(another_);
  buttons->addStretch(1);
  buttons->addWidget(create_);
  buttons->addWidget(cancel_);
  layout->addLayout(buttons);

  connect(month_, &QComboBox::currentIndexChanged, this, [this](int i) {
    form_.SetNextMonth(i == 1);
    ShowForm();
  });
  connect(assistant_, &QCheckBox::toggled, this, [this](bool on) {
    form_.SetToAssistant(on);
    ShowForm();
  });
  connect(email_, &QLineEdit::textEdited, this,
          [this](const QString& text) { form_.SetEmail(StdStr(text)); });
  connect(create_, &QPushButton::clicked, this, [this] {
    if (!form_.Create(mailer_, desktop_).empty()) accept();
  });
  connect(another_, &QPushButton::clicked, this, [this] { done(kAnotherGroup); });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  ShowForm();
  resize(420, 480);
}

void CollectionListDialog::ShowForm() {
  prepare_new_->setVisible(form_.next_month());
  missing_title_->setText(Q(form_.MissingTitle()));
  missing_->clear();
  for (const std::string& n : form_.MissingNames()) missing_->addItem(Q(n));
  no_email_->setText(Q(form_.NoEmailText()));
  no_email_->setVisible(!form_.NoEmailText().empty());
  const QString caption = Q(form_.CreateCaption());
  create_->setText(caption);
  create_->setAccessibleName(Plain(caption));
}

void RunCollectionListCommand(QWidget* parent, CZarimDoc& doc, Mailer* mailer,
                              DesktopShell* desktop) {
  int group = 1;
  for (;;) {
    group = RunGroupPickerDialog(parent, doc, GroupPickerForm::Purpose::kMembersNeeded, group);
    if (group <= 0) return;
    CollectionListForm form(doc, group);
    CollectionListDialog dialog(form, mailer, desktop, parent);
    if (dialog.exec() != CollectionListDialog::kAnotherGroup) return;
  }
}

int RunCollectionImport(QWidget* parent, CZarimDoc& doc) {
  const QString filter = Q(Str(Sid::kCollFilter)) + " (*.t19)";
  const QString path = QFileDialog::getOpenFileName(
      parent, Q(Sid::kCollOpenTitle), QString::fromStdString(doc.data_folder), filter);
  if (path.isEmpty()) return 0;
  std::vector<IncomingReport> reports;
  if (!LoadCollectionImport(doc, path.toStdString(), &reports)) return 0;
  return RunReportImportDialog(parent, doc, std::move(reports));
}

}  // namespace zarim

namespace zarim {

int RunXmlReportImport(QWidget* parent, CZarimDoc& doc) {
  const QString path = QFileDialog::getOpenFileName(
      parent,
      Q(Fill(Sid::kXmlReportsOpenTitle, MonthYearName(doc.working_month, doc.working_year))),
      QString::fromStdString(doc.data_folder), Q(Sid::kXmlReportsFilter) + " (*.xml)");
  if (path.isEmpty()) return 0;
  auto reports = LoadXmlReportImport(doc, path.toStdString());
  if (!reports) return 0;
  return RunReportImportDialog(parent, doc, std::move(*reports));
}

}  // namespace zarim
