// The Corrections window.
#include "shell/dialogs/corrections_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/strings.h"
#include "shell/dialogs/dialog_kit.h"

namespace zarim {

CorrectionsDialog::CorrectionsDialog(CorrectionsForm& form,
                                     std::function<void(const CorrectionsForm&)> print,
                                     QWidget* parent)
    : QDialog(parent), form_(form), print_job_(std::move(print)) {
  setWindowTitle(Q(Sid::kCorrectionsTitle));
  setAccessibleName(Q(Sid::kCorrectionsTitle));
  auto* filters = new QGridLayout;
  auto* month_label = new QLabel(Q(Sid::kCorrectionsMonthLabel), this);
  month_ = new QComboBox(this);
  month_->setAccessibleName(Plain(Sid::kCorrectionsMonthLabel));
  month_label->setBuddy(month_);
  auto* publisher_label = new QLabel(Q(Sid::kCorrectionsPublisherLabel), this);
  publisher_ = new QComboBox(this);
  publisher_->setAccessibleName(Plain(Sid::kCorrectionsPublisherLabel));
  publisher_label->setBuddy(publisher_);
  for (const std::string& m : form_.month_choices()) month_->addItem(Q(m));
  for (const std::string& p : form_.publisher_choices()) publisher_->addItem(Q(p));
  filters->addWidget(month_label, 0, 0);
  filters->addWidget(month_, 0, 1);
  filters->addWidget(publisher_label, 0, 2);
  filters->addWidget(publisher_, 0, 3);
  filters->setColumnStretch(3, 1);

  const std::vector<std::string> headings = CorrectionsHeadings();
  table_ = new QTableWidget(0, static_cast<int>(headings.size()), this);
  table_->setAccessibleName(Q(Sid::kAccCorrectionsList));
  QStringList labels;
  for (const std::string& h : headings) labels << Q(h);
  table_->setHorizontalHeaderLabels(labels);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setTabKeyNavigation(false);  // Tab leaves the table for the buttons
  table_->verticalHeader()->setVisible(false);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setMinimumSize(720, 300);
  count_ = new QLabel(this);

  print_ = MakeButton(Str(Sid::kCorrectionsPrint), this);
  close_ = MakeButton(Str(Sid::kCorrectionsClose), this);
  close_->setDefault(true);
  print_->setVisible(static_cast<bool>(print_job_));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(count_, 1);
  buttons->addWidget(print_);
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filters);
  layout->addWidget(table_, 1);
  layout->addLayout(buttons);
  setTabOrder(month_, publisher_);
  setTabOrder(publisher_, table_);
  setTabOrder(table_, print_);
  setTabOrder(print_, close_);

  connect(month_, &QComboBox::currentIndexChanged, this, [this](int index) {
    form_.SetMonthChoice(index);
    ShowForm();
  });
  connect(publisher_, &QComboBox::currentIndexChanged, this, [this](int index) {
    form_.SetPublisherChoice(index);
    ShowForm();
  });
  connect(print_, &QPushButton::clicked, this, [this] {
    if (print_job_) print_job_(form_);
  });
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
  ShowForm();
}

void CorrectionsDialog::ShowForm() {
  const std::vector<std::vector<std::string>> rows = form_.Rows();
  table_->setRowCount(static_cast<int>(rows.size()));
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c)
      table_->setItem(static_cast<int>(r), static_cast<int>(c),
                      new QTableWidgetItem(Q(rows[r][c])));
  table_->resizeColumnsToContents();
  count_->setText(Q(form_.CountText()));
  table_->setAccessibleDescription(Q(form_.CountText()));
}

void RunCorrectionsDialog(QWidget* parent, CorrectionsForm& form,
                          std::function<void(const CorrectionsForm&)> print) {
  CorrectionsDialog dialog(form, std::move(print), parent);
  dialog.exec();
}

}  // namespace zarim
