// The two year-to-date dialogs over their forms.
#include "shell/dialogs/year_to_date_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "shell/dialogs/dialog_kit.h"

namespace zarim {

namespace {

// A read-only table of texts: Tab leaves it, the arrows move inside it.
QTableWidget* MakeTable(Sid name, QWidget* parent) {
  auto* table = new QTableWidget(parent);
  table->setAccessibleName(Plain(name));
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setTabKeyNavigation(false);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->verticalHeader()->hide();
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

void FillTable(QTableWidget* table, const std::vector<std::string>& columns,
               const std::vector<std::vector<std::string>>& rows) {
  table->clear();
  table->setColumnCount(static_cast<int>(columns.size()));
  QStringList headings;
  for (const std::string& c : columns) headings << Q(c);
  table->setHorizontalHeaderLabels(headings);
  table->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const auto& cells = rows[static_cast<size_t>(r)];
    for (int c = 0; c < static_cast<int>(cells.size()) && c < table->columnCount(); ++c) {
      auto* item = new QTableWidgetItem(Q(cells[static_cast<size_t>(c)]).trimmed());
      if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table->setItem(r, c, item);
    }
  }
  table->resizeColumnsToContents();
}

QComboBox* MakeCombo(Sid caption, const std::vector<std::string>& items, QFormLayout* form,
                     QWidget* parent) {
  auto* combo = new QComboBox(parent);
  for (const std::string& item : items) combo->addItem(Q(item));
  combo->setAccessibleName(Plain(caption));
  auto* label = new QLabel(Q(caption), parent);
  label->setBuddy(combo);
  form->addRow(label, combo);
  return combo;
}

}  // namespace

// ---- Pioneer Y-T-D Hours ----------------------------------------------------------------

PioneerYtdDialog::PioneerYtdDialog(PioneerYtdForm& form, YtdPrint print, QWidget* parent)
    : QDialog(parent), form_(form), print_fn_(std::move(print)) {
  setWindowTitle(Q(form_.Title()));
  setAccessibleName(Q(form_.Title()));
  auto* choices = new QFormLayout;
  pioneers_ = MakeCombo(Sid::kPytdPioneer, form_.Names(), choices, this);
  pioneers_->setCurrentIndex(form_.selection());
  previous_ = new QCheckBox(Q(Sid::kPytdPrevious), this);
  previous_->setAccessibleName(Plain(Sid::kPytdPrevious));
  choices->addRow(previous_);
  since_ = new QLabel(this);
  table_ = MakeTable(Sid::kAccPytdTable, this);
  remaining_ = new QLabel(this);
  per_month_ = new QLabel(this);
  print_ = MakeButton(Str(Sid::kPytdPrint), this);
  done_ = MakeButton(Str(Sid::kPytdDone), this);
  done_->setDefault(true);

  connect(pioneers_, &QComboBox::currentIndexChanged, this, [this](int index) {
    form_.Select(index);
    ShowForm();
  });
  connect(previous_, &QCheckBox::toggled, this, [this](bool on) {
    form_.SetPrevious(on);
    ShowForm();
  });
  connect(print_, &QPushButton::clicked, this, [this] {
    if (print_fn_ && form_.PrintCode() >= 0) print_fn_(form_.PrintCode());
  });
  connect(done_, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(print_);
  buttons->addWidget(done_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choices);
  layout->addWidget(since_);
  layout->addWidget(table_, 1);
  layout->addWidget(remaining_);
  layout->addWidget(per_month_);
  layout->addLayout(buttons);
  resize(460, 480);
  ShowForm();
}

void PioneerYtdDialog::ShowForm() {
  std::vector<std::vector<std::string>> rows;
  for (const PioneerYtdForm::Line& l : form_.Lines())
    rows.push_back({l.month, l.hours, l.credits, l.totals});
  FillTable(table_,
            {std::string(Str(Sid::kPytdMonth)), std::string(Str(Sid::kColHours)),
             std::string(Str(Sid::kColCredits)), std::string(Str(Sid::kColTotals))},
            rows);
  since_->setText(Q(form_.SinceText()));
  remaining_->setText(Q(form_.RemainingText()));
  per_month_->setText(Q(form_.PerMonthText()));
  print_->setEnabled(form_.PrintCode() >= 0);
}

// ---- Year-to-Date Activity Summary ------------------------------------------------------

YtdSummaryDialog::YtdSummaryDialog(YtdSummaryForm& form, YtdPrint print, QWidget* parent)
    : QDialog(parent), form_(form), print_fn_(std::move(print)) {
  setWindowTitle(Q(form_.Title()));
  setAccessibleName(Q(form_.Title()));
  auto* choices = new QFormLayout;
  category_ = MakeCombo(Sid::kYtdCategory, form_.CategoryNames(), choices, this);
  category_->setCurrentIndex(form_.category());
  period_ = MakeCombo(Sid::kYtdPeriod, form_.PeriodNames(), choices, this);
  period_->setCurrentIndex(form_.period());
  auto* source = new QGroupBox(Q(Sid::kYtdSource), this);
  active_file_ = new QRadioButton(Q(Sid::kYtdActiveFile), source);
  active_file_->setAccessibleName(Plain(Sid::kYtdActiveFile));
  branch_ = new QRadioButton(Q(Sid::kYtdBranch), source);
  branch_->setAccessibleName(Plain(Sid::kYtdBranch));
  (form_.from_branch() ? branch_ : active_file_)->setChecked(true);
  auto* source_layout = new QHBoxLayout(source);
  source_layout->addWidget(active_file_);
  source_layout->addWidget(branch_);
  table_ = MakeTable(Sid::kAccYtdTable, this);
  footer_ = new QLabel(this);
  print_ = MakeButton(Str(Sid::kPytdPrint), this);
  close_ = MakeButton(Str(Sid::kCloseButton), this);
  close_->setDefault(true);

  connect(category_, &QComboBox::currentIndexChanged, this, [this](int index) {
    form_.SetCategory(index);
    ShowForm();
  });
  connect(period_, &QComboBox::currentIndexChanged, this, [this](int index) {
    form_.SetPeriod(index);
    ShowForm();
  });
  connect(branch_, &QRadioButton::toggled, this, [this](bool on) {
    form_.SetFromBranch(on);
    ShowForm();
  });
  connect(print_, &QPushButton::clicked, this, [this] {
    if (print_fn_) print_fn_(form_.PrintCode());
  });
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(print_);
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choices);
  layout->addWidget(source);
  layout->addWidget(table_, 1);
  layout->addWidget(footer_);
  layout->addLayout(buttons);
  resize(520, 480);
  ShowForm();
}

void YtdSummaryDialog::ShowForm() {
  FillTable(table_, form_.Columns(), form_.Rows());
  footer_->setText(Q(form_.FooterText()));
}

}  // namespace zarim
