// The posting list dialog.
#include "shell/dialogs/posting_list_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/document.h"
#include "core/month.h"
#include "core/strings.h"
#include "cycle/posting_list_form.h"
#include "shell/dialogs/collection_list_dialog.h"
#include "shell/dialogs/csv_import_dialogs.h"
#include "shell/dialogs/dialog_kit.h"
#include "shell/dialogs/slip_dialog.h"

namespace zarim {
PostingListDialog::PostingListDialog(PostingListForm& form, CZarimDoc& doc, QWidget* parent)
    : QDialog(parent), form_(form), doc_(doc) {
  setWindowTitle(Q(form.Title()));
  auto* layout = new QVBoxLayout(this);

  auto* group_row = new QHBoxLayout;
  auto* group_label = new QLabel(Q(Str(Sid::kPostGroupLabel)), this);
  groups_ = new QComboBox(this);
  groups_->setAccessibleName(Plain(Str(Sid::kPostGroupLabel)));
  for (const std::string& g : form.GroupChoices()) groups_->addItem(Q(g));
  group_label->setBuddy(groups_);
  group_row->addWidget(group_label);
  group_row->addWidget(groups_, 1);
  layout->addLayout(group_row);

  missing_ = new QCheckBox(Q(Str(Sid::kPostLimitToMissing)), this);
  missing_->setAccessibleName(Plain(Str(Sid::kPostLimitToMissing)));
  layout->addWidget(missing_);

  auto* list_label = new QLabel(Q(Str(Sid::kPostPublishersLabel)), this);
  list_ = new QListWidget(this);
  list_->setAccessibleName(Plain(Str(Sid::kPostPublishersLabel)));
  list_label->setBuddy(list_);
  layout->addWidget(list_label);
  layout->addWidget(list_, 1);

  auto* last_box = new QGroupBox(Q(Str(Sid::kPostLastPersonPosted)), this);
  auto* last_layout = new QVBoxLayout(last_box);
  last_person_ = new QLabel(last_box);
  last_person_->setAccessibleName(Plain(Str(Sid::kPostLastPersonPosted)).trimmed());
  last_layout->addWidget(last_person_);
  layout->addWidget(last_box);

  auto* import_row = new QHBoxLayout;
  auto* import_caption = new QLabel(Q(form.ImportCaption()), this);
  import_row->addWidget(import_caption);
  t19_ = MakeButton(Str(Sid::kImportFromT19), this);
  t19_->setAccessibleName(Plain(Str(Sid::kCollImportCommand)));
  t19_->setToolTip(Q(Sid::kCollImportCommand));
  import_row->addWidget(t19_);
  csv_ = MakeButton(Str(Sid::kImportFromCsv), this);
  csv_->setAccessibleName(
      Plain(Fill(Sid::kCsvOpenTitle, MonthYearName(doc.working_month, doc.working_year))));
  import_row->addWidget(csv_);
  xml_ = MakeButton(Str(Sid::kImportFromXml), this);
  xml_->setAccessibleName(
      Plain(Fill(Sid::kXmlReportsOpenTitle, MonthYearName(doc.working_month, doc.working_year))));
  import_row->addWidget(xml_);
  import_row->addStretch(1);
  layout->addLayout(import_row);
  collection_ = MakeButton(Str(Sid::kCollCreateCommand), this);
  layout->addWidget(collection_);

  close_collection_ = new QPushButton(Q(form.CloseCaption()), this);
  close_collection_->setAccessibleName(Q(form.CloseCaption()));
  close_collection_->setAutoDefault(true);
  layout->addWidget(close_collection_);

  auto* buttons = new QHBoxLayout;
  ok_ = new QPushButton(Q(Str(Sid::kSlipOk)), this);
  ok_->setAccessibleName(Plain(Str(Sid::kSlipOk)));
  ok_->setDefault(true);
  done_ = new QPushButton(Q(Str(Sid::kPostDone)), this);
  done_->setAccessibleName(Plain(Str(Sid::kPostDone)));
  done_->setAutoDefault(true);
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(done_);
  layout->addLayout(buttons);

  setTabOrder(list_, ok_);
  setTabOrder(ok_, done_);
  setTabOrder(done_, groups_);
  setTabOrder(groups_, missing_);
  setTabOrder(missing_, t19_);
  setTabOrder(t19_, csv_);
  setTabOrder(csv_, xml_);
  setTabOrder(xml_, collection_);
  setTabOrder(collection_, close_collection_);
  list_->installEventFilter(this);

  connect(groups_, &QComboBox::currentIndexChanged, this, [this](int i) {
    form_.SetGroup(i);
    ShowList();
  });
  missing_->setChecked(form_.missing_only());
  connect(missing_, &QCheckBox::toggled, this, [this](bool on) {
    form_.SetMissingOnly(on);
    ShowList();
  });
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { form_.Select(row); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { OpenSlip(); });
  connect(ok_, &QPushButton::clicked, this, &PostingListDialog::OpenSlip);
  connect(done_, &QPushButton::clicked, this, &PostingListDialog::reject);
  connect(t19_, &QPushButton::clicked, this, [this] {
    RunCollectionImport(this, doc_);
    form_.AfterSlip();
    ShowList();
  });
  connect(csv_, &QPushButton::clicked, this, [this] {
    RunCsvImport(this, doc_);
    form_.AfterSlip();
    ShowList();
  });
  connect(xml_, &QPushButton::clicked, this, [this] {
    RunXmlReportImport(this, doc_);
    form_.AfterSlip();
    ShowList();
  });
  connect(collection_, &QPushButton::clicked, this,
          [this] { RunCollectionListCommand(this, doc_, mailer_, desktop_); });
  connect(close_collection_, &QPushButton::clicked, this, [this] {
    if (form_.CloseCollection()) accept();
  });
  resize(460, 560);
  ShowList();
  list_->setFocus();
}

void PostingListDialog::ShowList() {
  const int selection = form_.selection();
  QSignalBlocker block(list_);
  list_->clear();
  for (const std::string& name : form_.RowCaptions()) list_->addItem(Q(name));
  if (list_->count() > 0) list_->setCurrentRow(selection);
  last_person_->setText(Q(form_.LastPersonPosted()));
  ok_->setEnabled(list_->count() > 0);
}

void PostingListDialog::OpenSlip() {
  const int record = form_.SelectedRecord();
  if (record <= 0) return;
  RunSlipDialog(this, doc_, record);
  form_.AfterSlip();
  ShowList();
  list_->setFocus();
}

bool PostingListDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      OpenSlip();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void RunPostingListDialog(QWidget* parent, CZarimDoc& doc, Mailer* mailer, DesktopShell* desktop) {
  PostingListForm form(doc);
  PostingListDialog dialog(form, doc, parent);
  dialog.SetDesktopServices(mailer, desktop);
  dialog.exec();
}

}  // namespace zarim
