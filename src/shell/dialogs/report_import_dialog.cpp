// The selection-and-posting dialog of incoming reports.
#include "shell/dialogs/report_import_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/document.h"
#include "exchange/report_import.h"
#include "shell/dialogs/dialog_kit.h"

namespace zarim {

namespace {
// The colours of the preview: light green where the month is empty, light yellow where a
// value would be replaced.
const QColor kNewDataColor(128, 255, 128);
const QColor kReplacingColor(255, 255, 128);

void Paint(QLabel* label, PreviewState state) {
  if (state == PreviewState::kNone) {
    label->setAutoFillBackground(false);
    return;
  }
  QPalette p = label->palette();
  p.setColor(QPalette::Window, state == PreviewState::kNewData ? kNewDataColor : kReplacingColor);
  p.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(p);
  label->setAutoFillBackground(true);
}
}  // namespace

ReportImportDialog::ReportImportDialog(ReportImportForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(Q(Sid::kImportTitle));
  auto* layout = new QHBoxLayout(this);

  auto* left = new QVBoxLayout;
  auto* list_label = new QLabel(Q(Sid::kImportReportsList), this);
  list_ = new QListWidget(this);
  list_->setAccessibleName(Plain(Sid::kImportReportsList));
  list_->setMouseTracking(true);
  list_label->setBuddy(list_);
  const std::vector<std::string> names = form.Names();
  for (const std::string& n : names) {
    auto* item = new QListWidgetItem(Q(n), list_);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  available_ = new QLabel(this);
  selected_ = new QLabel(this);
  left->addWidget(list_label);
  left->addWidget(list_, 1);
  left->addWidget(available_);
  left->addWidget(selected_);
  layout->addLayout(left, 1);

  auto* right = new QVBoxLayout;
  auto* preview = new QGroupBox(Q(Sid::kImportPreview), this);
  auto* grid = new QGridLayout(preview);
  name_ = new QLabel(preview);
  name_->setAccessibleName(Plain(Sid::kImportPreview));
  late_ = new QLabel(preview);
  grid->addWidget(name_, 0, 0, 1, 2);
  grid->addWidget(late_, 1, 0, 1, 2);
  const Sid captions[] = {Sid::kImportShared, Sid::kImportStudies, Sid::kImportHours,
                          Sid::kImportRemarks};
  for (int i = 0; i < 4; ++i) {
    auto* caption = new QLabel(Q(captions[i]), preview);
    auto* value = new QLabel(preview);
    value->setAccessibleName(Plain(captions[i]));
    value->setMinimumWidth(120);
    grid->addWidget(caption, i + 2, 0);
    grid->addWidget(value, i + 2, 1);
    cells_.push_back(value);
  }
  auto* new_data = new QLabel(Q(Sid::kImportNewData), preview);
  auto* replacing = new QLabel(Q(Sid::kImportReplacing), preview);
  Paint(new_data, PreviewState::kNewData);
  Paint(replacing, PreviewState::kReplacing);
  grid->addWidget(new_data, 6, 0);
  grid->addWidget(replacing, 6, 1);
  right->addWidget(preview);
  auto* note = new QLabel(Q(Sid::kImportPreviewNote), this);
  note->setWordWrap(true);
  right->addWidget(note);

  credit_ = new QCheckBox(Q(Sid::kImportCreditOption), this);
  credit_->setAccessibleName(Plain(Sid::kImportCreditOption));
  right->addWidget(credit_);
  select_all_ = MakeButton(Str(Sid::kImportSelectAll), this);
  clear_all_ = MakeButton(Str(Sid::kImportClearAll), this);
  import_ = MakeButton(Str(Sid::kImportSelectedData), this);
  cancel_ = MakeButton(Str(Sid::kCancel), this);
  import_->setDefault(true);
  for (QPushButton* b : {select_all_, clear_all_, import_, cancel_}) right->addWidget(b);
  right->addStretch(1);
  layout->addLayout(right);

  connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    form_.SetSelected(list_->row(item), item->checkState() == Qt::Checked);
    ShowCounts();
  });
  connect(list_, &QListWidget::itemEntered, this,
          [this](QListWidgetItem* item) { ShowPreview(list_->row(item)); });
  connect(list_, &QListWidget::currentRowChanged, this, &ReportImportDialog::ShowPreview);
  connect(credit_, &QCheckBox::toggled, this, [this](bool on) { form_.SetCreditFromRemark(on); });
  connect(select_all_, &QPushButton::clicked, this, [this] {
    form_.SelectAll();
    ShowChecks();
  });
  connect(clear_all_, &QPushButton::clicked, this, [this] {
    form_.ClearAll();
    ShowChecks();
  });
  connect(import_, &QPushButton::clicked, this, [this] {
    form_.ImportSelected();
    accept();
  });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  ShowCounts();
  if (list_->count() > 0) list_->setCurrentRow(0);
  list_->setFocus();
  resize(620, 420);
}

void ReportImportDialog::ShowChecks() {
  QSignalBlocker block(list_);
  for (int i = 0; i < list_->count(); ++i)
    list_->item(i)->setCheckState(form_.selected(i) ? Qt::Checked : Qt::Unchecked);
  ShowCounts();
}

void ReportImportDialog::ShowCounts() {
  available_->setText(Q(form_.AvailableText()));
  selected_->setText(Q(form_.SelectedText()));
}

void ReportImportDialog::ShowPreview(int row) {
  const ReportPreview p = form_.Preview(row);
  name_->setText(Q(p.name));
  late_->setText(Q(p.late_line));
  for (size_t i = 0; i < cells_.size(); ++i) {
    const PreviewCell cell = i < p.cells.size() ? p.cells[i] : PreviewCell{};
    cells_[i]->setText(Q(cell.value));
    Paint(cells_[i], cell.state);
  }
}

int RunReportImportDialog(QWidget* parent, CZarimDoc& doc, std::vector<IncomingReport> reports) {
  ReportImportForm form(doc, std::move(reports));
  ReportImportDialog dialog(form, parent);
  if (dialog.exec() != QDialog::Accepted) return 0;
  return form.SelectedCount();
}

}  // namespace zarim
