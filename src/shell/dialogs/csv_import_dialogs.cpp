// The CSV report import dialogs.
#include "shell/dialogs/csv_import_dialogs.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/document.h"
#include "core/month.h"
#include "exchange/csv_import.h"
#include "exchange/import_files.h"
#include "shell/dialogs/dialog_kit.h"
#include "shell/dialogs/report_import_dialog.h"

namespace zarim {

namespace {
QListWidget* NamedList(Sid caption, QWidget* parent, QGridLayout* grid, int column) {
  auto* label = new QLabel(Q(caption), parent);
  auto* list = new QListWidget(parent);
  list->setAccessibleName(Plain(caption));
  label->setBuddy(list);
  grid->addWidget(label, 0, column);
  grid->addWidget(list, 1, column);
  return list;
}
}  // namespace

CsvMappingDialog::CsvMappingDialog(CsvImportForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(Q(Sid::kCsvFilter));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  targets_ = NamedList(Sid::kCsvSelectTarget, this, grid, 0);
  sources_ = NamedList(Sid::kCsvSelectSource, this, grid, 1);
  for (const std::string& t : form.Targets()) targets_->addItem(Q(t));
  for (const std::string& s : form.Sources()) sources_->addItem(Q(s));
  layout->addLayout(grid);
  mapping_ = new QListWidget(this);
  mapping_->setAccessibleName(Plain(Sid::kCsvContinue));
  mapping_->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(mapping_);
  layout->addWidget(new QLabel(Q(form.MapNote()), this));
  clear_ = MakeButton(Str(Sid::kCsvClear), this);
  continue_ = MakeButton(Str(Sid::kCsvContinue), this);
  cancel_ = MakeButton(Str(Sid::kCsvCancel), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(clear_);
  buttons->addStretch(1);
  buttons->addWidget(continue_);
  buttons->addWidget(cancel_);
  layout->addLayout(buttons);

  auto map = [this] {
    form_.Map(targets_->currentRow(), sources_->currentRow());
    ShowForm();
  };
  connect(sources_, &QListWidget::itemActivated, this, map);
  connect(sources_, &QListWidget::itemClicked, this, map);
  connect(clear_, &QPushButton::clicked, this, [this] {
    form_.Clear(targets_->currentRow());
    ShowForm();
  });
  connect(continue_, &QPushButton::clicked, this, [this] {
    form_.ContinueMapping();
    accept();
  });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  targets_->setCurrentRow(0);
  sources_->setCurrentRow(0);
  ShowForm();
  targets_->setFocus();
}

void CsvMappingDialog::ShowForm() {
  mapping_->clear();
  for (const std::string& line : form_.MappingLines()) mapping_->addItem(Q(line));
  continue_->setVisible(form_.CanContinueMapping());
}

CsvIdentifyDialog::CsvIdentifyDialog(CsvImportForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  auto* layout = new QVBoxLayout(this);
  count_ = new QLabel(this);
  layout->addWidget(count_);
  auto* row = new QHBoxLayout;
  rows_ = new QListWidget(this);
  rows_->setAccessibleName(Plain(Sid::kCsvFilter));
  publishers_ = new QListWidget(this);
  publishers_->setAccessibleName(Plain(Sid::kPostPublishersLabel));
  for (const std::string& n : form.PublisherNames()) publishers_->addItem(Q(n));
  associate_ = MakeButton(Str(Sid::kCsvAssociate), this);
  row->addWidget(rows_, 1);
  row->addWidget(associate_);
  row->addWidget(publishers_, 1);
  layout->addLayout(row);
  skip_ = new QCheckBox(Q(Sid::kCsvSkipUnidentified), this);
  skip_->setAccessibleName(Plain(Sid::kCsvSkipUnidentified));
  layout->addWidget(skip_);
  clear_ = MakeButton(Str(Sid::kCsvClear), this);
  continue_ = MakeButton(Str(Sid::kCsvContinue), this);
  cancel_ = MakeButton(Str(Sid::kCsvCancel), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(clear_);
  buttons->addStretch(1);
  buttons->addWidget(continue_);
  buttons->addWidget(cancel_);
  layout->addLayout(buttons);
  setTabOrder(rows_, associate_);
  setTabOrder(associate_, publishers_);

  connect(associate_, &QPushButton::clicked, this, [this] {
    const std::vector<int> recs = form_.Publishers();
    const int p = publishers_->currentRow();
    if (p >= 0 && static_cast<size_t>(p) < recs.size())
      form_.Associate(rows_->currentRow(), recs[static_cast<size_t>(p)]);
    ShowForm();
  });
  connect(clear_, &QPushButton::clicked, this, [this] {
    form_.ClearRow(rows_->currentRow());
    ShowForm();
  });
  connect(skip_, &QCheckBox::toggled, this, [this](bool on) {
    form_.SetSkipUnidentified(on);
    ShowForm();
  });
  connect(continue_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  ShowForm();
  if (rows_->count() > 0) rows_->setCurrentRow(0);
  if (publishers_->count() > 0) publishers_->setCurrentRow(0);
  rows_->setFocus();
  resize(600, 440);
}

void CsvIdentifyDialog::ShowForm() {
  const int current = rows_->currentRow();
  rows_->clear();
  for (const std::string& t : form_.RowTexts()) rows_->addItem(Q(t));
  if (current >= 0 && current < rows_->count()) rows_->setCurrentRow(current);
  count_->setText(Q(form_.UnidentifiedText()));
  setWindowTitle(Q(form_.UnidentifiedText()));
  continue_->setEnabled(form_.CanContinueIdentification());
}

int RunCsvImport(QWidget* parent, CZarimDoc& doc) {
  const QString path = QFileDialog::getOpenFileName(
      parent, Q(Fill(Sid::kCsvOpenTitle, MonthYearName(doc.working_month, doc.working_year))),
      QString::fromStdString(doc.data_folder), Q(Sid::kCsvFilter) + " (*.csv)");
  if (path.isEmpty() || !HasExtension(path.toStdString(), ".csv")) return 0;
  std::optional<CsvTable> table = LoadCsvImport(doc, path.toStdString());
  if (!table) return 0;
  CsvImportForm form(doc, std::move(*table));
  CsvMappingDialog mapping(form, parent);
  if (mapping.exec() != QDialog::Accepted) return 0;
  CsvIdentifyDialog identify(form, parent);
  if (identify.exec() != QDialog::Accepted) return 0;
  return RunReportImportDialog(parent, doc, form.Finish());
}

}  // namespace zarim
