// The record card dialogs.
#include "shell/dialogs/record_card_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/document.h"
#include "core/ports.h"
#include "cycle/history_form.h"
#include "records/publisher_form.h"
#include "reports/record_card.h"
#include "reports/report_kind.h"
#include "shell/dialogs/dialog_kit.h"
#include "shell/dialogs/history_dialog.h"
#include "shell/dialogs/publisher_edit_dialog.h"
#include "shell/report_printing.h"
#include "shell/report_view.h"

namespace zarim {
namespace {

QCheckBox* MakeCheck(Sid caption, QWidget* parent) {
  auto* box = new QCheckBox(Q(caption), parent);
  box->setAccessibleName(Plain(caption));
  return box;
}

QRadioButton* MakeRadio(Sid caption, QWidget* parent) {
  auto* radio = new QRadioButton(Q(caption), parent);
  radio->setAccessibleName(Plain(caption));
  return radio;
}

PrintJob CardJob(const CZarimDoc& doc, const ReportView& view, const ReportSelection& selection) {
  PrintJob job = JobFromView(view);
  job.doc = &doc;
  job.kind = report_kind::kRecordCards;
  job.selection = &selection;
  return job;
}

}  // namespace

RecordCardDialog::RecordCardDialog(RecordCardForm& form, CZarimDoc& doc, Prompter& prompter,
                                   Clipboard* clipboard, QWidget* parent)
    : QDialog(parent), form_(form), doc_(doc), prompter_(prompter), clipboard_(clipboard) {
  setWindowTitle(Q(Sid::kCardDialogTitle));
  auto* left = new QVBoxLayout;
  auto* list_label = new QLabel(Q(Sid::kCardPublisherList), this);
  list_ = new QListWidget(this);
  list_->setAccessibleName(Plain(Sid::kCardPublisherList));
  list_label->setBuddy(list_);
  left->addWidget(list_label);
  left->addWidget(list_, 1);
  previous_ = MakeCheck(Sid::kCardPrevious, this);
  inactive_ = MakeCheck(Sid::kCardDialogInactive, this);
  totals_ = MakeCheck(Sid::kCardDialogTotals, this);
  left->addWidget(previous_);
  left->addWidget(inactive_);
  left->addWidget(totals_);
  auto* source = new QGroupBox(Q(Sid::kCardTotalsSource), this);
  auto* source_layout = new QVBoxLayout(source);
  active_file_ = MakeRadio(Sid::kYtdActiveFile, source);
  branch_ = MakeRadio(Sid::kYtdBranch, source);
  source_layout->addWidget(active_file_);
  source_layout->addWidget(branch_);
  // The totals card's category and period.
  auto add_choice = [&](Sid caption, const std::vector<std::string>& names) {
    auto* label = new QLabel(Q(caption), source);
    auto* combo = new QComboBox(source);
    combo->setAccessibleName(Plain(caption));
    for (const std::string& name : names) combo->addItem(Q(name));
    label->setBuddy(combo);
    source_layout->addWidget(label);
    source_layout->addWidget(combo);
    return combo;
  };
  category_ = add_choice(Sid::kYtdCategory, form_.TotalsCategoryNames());
  period_ = add_choice(Sid::kYtdPeriod, form_.TotalsPeriodNames());
  left->addWidget(source);

  view_ = new ReportView(doc_, this);
  view_->setAccessibleName(Plain(Sid::kCardShownCard));
  view_->setMinimumSize(view_->screen_dpi_x() * 4, view_->screen_dpi_y() * 3);

  auto* buttons = new QVBoxLayout;
  print_ = MakeButton(Str(Sid::kCardPrintThis), this);
  selected_ = MakeButton(Str(Sid::kCardPrintSelected), this);
  save_pdf_ = MakeButton(Str(Sid::kCardSavePdf), this);
  selected_pdf_ = MakeButton(Str(Sid::kCardSelectedPdf), this);
  active_pdf_ = MakeButton(Str(Sid::kCardActivePdf), this);
  inactive_pdf_ = MakeButton(Str(Sid::kCardInactivePdf), this);
  edit_ = MakeButton(Str(Sid::kCardEdit), this);
  history_ = MakeButton(Str(Sid::kCardHistory), this);
  preferences_ = MakeButton(Str(Sid::kCardPreferencesButton), this);
  done_ = MakeButton(Str(Sid::kPytdDone), this);
  for (QPushButton* b : {print_, selected_, save_pdf_, selected_pdf_, active_pdf_, inactive_pdf_,
                         edit_, history_, preferences_, done_})
    buttons->addWidget(b);
  buttons->addStretch(1);
  // The printer the cards go to, and after printing or saving, where they went; nothing
  // while there is no printer and nothing was done yet.
  const QString printer = QPrinterInfo::defaultPrinter().printerName();
  device_ = new QLabel(this);
  device_->setWordWrap(true);
  device_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  buttons->addWidget(device_);
  SayWhere(printer.isEmpty() ? QString()
                             : Q(Sid::kCardOutputDevice) + QStringLiteral(" ") + printer);

  // The card fits the view's width from the start, so a small screen shows it whole;
  // the zoom buttons make it larger or smaller.
  auto* card = new QVBoxLayout;
  auto* zoom = new QHBoxLayout;
  fit_width_ = MakeButton(Str(Sid::kCardFitWidth), this);
  zoom_in_ = MakeButton(Str(Sid::kCardZoomIn), this);
  zoom_out_ = MakeButton(Str(Sid::kCardZoomOut), this);
  for (QPushButton* b : {fit_width_, zoom_in_, zoom_out_}) zoom->addWidget(b);
  zoom->addStretch(1);
  card->addLayout(zoom);
  card->addWidget(view_, 1);
  view_->FitWidth();
  connect(fit_width_, &QPushButton::clicked, view_, &ReportView::FitWidth);
  connect(zoom_in_, &QPushButton::clicked, view_, &ReportView::ZoomIn);
  connect(zoom_out_, &QPushButton::clicked, view_, &ReportView::ZoomOut);

  auto* top = new QHBoxLayout(this);
  top->addLayout(left);
  top->addLayout(card, 1);
  top->addLayout(buttons);

  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (showing_ || row < 0) return;
    form_.Select(row);
    ShowForm();
  });
  connect(previous_, &QCheckBox::toggled, this, [this](bool on) {
    if (showing_) return;
    form_.SetPrevious(on);
    ShowForm();
  });
  connect(inactive_, &QCheckBox::toggled, this, [this](bool on) {
    if (showing_) return;
    form_.SetInactive(on);
    ShowForm();
  });
  connect(totals_, &QCheckBox::toggled, this, [this](bool on) {
    if (showing_) return;
    form_.SetTotals(on);
    ShowForm();
  });
  connect(branch_, &QRadioButton::toggled, this, [this](bool on) {
    if (showing_) return;
    form_.SetTotalsFromBranch(on);
    ShowForm();
  });
  connect(category_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (showing_ || index < 0) return;
    form_.SetTotalsCategory(index);
    ShowForm();
  });
  connect(period_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (showing_ || index < 0) return;
    form_.SetTotalsPeriod(index);
    ShowForm();
  });
  // Esc in the card closes the dialog as everywhere else in it.
  connect(view_, &ReportView::returnToPanelRequested, this, &QDialog::reject);
  connect(print_, &QPushButton::clicked, this, &RecordCardDialog::PrintThis);
  connect(selected_, &QPushButton::clicked, this, &RecordCardDialog::PrintSelected);
  connect(save_pdf_, &QPushButton::clicked, this, [this] { SaveCards(form_.ShownCard()); });
  connect(selected_pdf_, &QPushButton::clicked, this, [this] {
    if (const std::optional<ReportSelection> chosen = ChooseRecords()) SaveCards(*chosen);
  });
  connect(active_pdf_, &QPushButton::clicked, this, [this] { FilePdf(false); });
  connect(inactive_pdf_, &QPushButton::clicked, this, [this] { FilePdf(true); });
  connect(edit_, &QPushButton::clicked, this, &RecordCardDialog::Edit);
  connect(history_, &QPushButton::clicked, this, &RecordCardDialog::History);
  connect(preferences_, &QPushButton::clicked, this, &RecordCardDialog::Preferences);
  connect(done_, &QPushButton::clicked, this, &QDialog::accept);
  ShowForm();
  list_->setFocus();
}

void RecordCardDialog::ShowForm() {
  showing_ = true;
  list_->clear();
  for (const std::string& name : form_.Names()) list_->addItem(Q(name));
  list_->setCurrentRow(form_.selection());
  previous_->setChecked(form_.previous());
  inactive_->setChecked(form_.inactive());
  totals_->setChecked(form_.totals());
  (form_.totals_from_branch() ? branch_ : active_file_)->setChecked(true);
  category_->setCurrentIndex(form_.totals_category());
  period_->setCurrentIndex(form_.totals_period());
  for (QWidget* w : std::initializer_list<QWidget*>{active_file_, branch_, category_, period_})
    w->setEnabled(form_.totals());
  const bool someone = form_.SelectedRecord() > 0;
  print_->setEnabled(someone || form_.totals());
  save_pdf_->setEnabled(someone || form_.totals());
  edit_->setEnabled(someone && !form_.totals());
  history_->setEnabled(someone && !form_.totals());
  view_->set_selection(form_.ShownCard());
  view_->ShowReport(report_kind::kRecordCards);
  showing_ = false;
}

void RecordCardDialog::SayWhere(const QString& text) {
  device_->setText(text);
  device_->setAccessibleName(text);
  device_->setVisible(!text.isEmpty());
}

void RecordCardDialog::PrintCards(const ReportSelection& selection) {
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    // Without a printer the cards can still leave the program, as a PDF file.
    if (prompter_.Ask(Str(Sid::kNoPrinterSavePdf), Buttons::kYesNo, Answer::kYes) == Answer::kYes)
      SaveCards(selection);
    return;
  }
  const int drawn =
      PrintOnPrinter(CardJob(doc_, *view_, selection), {}, this, Q(Sid::kCardJobName));
  SayWhere(PrintedStatus(drawn, QPrinterInfo::defaultPrinter().printerName()));
}

void RecordCardDialog::SaveCards(const ReportSelection& selection) {
  const QString said = SaveReportAsPdf(this, CardJob(doc_, *view_, selection), prompter_,
                                       Q(Sid::kCardPdfTitleActive));
  if (!said.isEmpty()) SayWhere(said);
}

std::optional<ReportSelection> RecordCardDialog::ChooseRecords() {
  SelectRecordsForm select(doc_, form_.inactive());
  SelectRecordsDialog dialog(select, this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  ReportSelection selection = select.Selection(form_.previous());
  if (selection.records.empty()) return std::nullopt;  // an empty selection prints nothing
  return selection;
}

void RecordCardDialog::PrintThis() { PrintCards(form_.ShownCard()); }

void RecordCardDialog::PrintSelected() {
  if (const std::optional<ReportSelection> chosen = ChooseRecords()) PrintCards(*chosen);
}

bool RecordCardDialog::WriteFilePdf(bool inactive, const QString& path) {
  const ReportSelection selection = form_.FileCards(inactive);
  if (selection.records.empty()) {
    prompter_.Tell(Str(Sid::kCardNoRecords));
    return false;
  }
  bool canceled = false;
  if (WriteReportPdf(CardJob(doc_, *view_, selection), path, 300, this, &canceled)) return true;
  if (!canceled) prompter_.Tell(Fill(Sid::kUnableToCreateFile, path.toStdString()));
  return false;
}

void RecordCardDialog::FilePdf(bool inactive) {
  const ReportSelection selection = form_.FileCards(inactive);
  const QString title = Q(inactive ? Sid::kCardPdfTitleInactive : Sid::kCardPdfTitleActive);
  const QString path = AskPdfPath(this, CardJob(doc_, *view_, selection), prompter_, title);
  // The file's place is said in the dialog, as after saving one card.
  if (!path.isEmpty() && WriteFilePdf(inactive, path))
    SayWhere(Q(Fill(Sid::kStatusSavedPdf, path.toStdString())));
}

void RecordCardDialog::Edit() {
  const int rec = form_.SelectedRecord();
  if (rec <= 0) return;
  RunPublisherEditDialog(this, doc_, clipboard_, PublisherKind::kPublisher, rec);
  form_.Reload();
  ShowForm();
}

void RecordCardDialog::History() {
  const int rec = form_.SelectedRecord();
  if (rec <= 0) return;
  HistoryForm::Options options;
  options.record = rec;
  options.inactive = form_.inactive();
  RunHistoryDialog(this, doc_, options);
  form_.Reload();
  ShowForm();
}

void RecordCardDialog::Preferences() {
  if (RunCardPreferencesDialog(this, doc_, form_.totals() ? 0 : form_.SelectedRecord())) ShowForm();
}

SelectRecordsDialog::SelectRecordsDialog(SelectRecordsForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(Q(Sid::kCardSelectTitle));
  auto* layout = new QVBoxLayout(this);
  auto* caption = new QLabel(Q(Sid::kCardPublisherList), this);
  list_ = new QListWidget(this);
  list_->setAccessibleName(Plain(Sid::kCardSelectTitle));
  caption->setBuddy(list_);
  // Space ticks the current name.
  for (size_t i = 0; i < form.Names().size(); ++i) {
    auto* item = new QListWidgetItem(Q(form.Names()[i]), list_);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(form.IsChecked(static_cast<int>(i)) ? Qt::Checked : Qt::Unchecked);
  }
  if (list_->count() > 0) list_->setCurrentRow(0);
  layout->addWidget(caption);
  layout->addWidget(list_);
  auto* order = new QGroupBox(Q(Sid::kCardOrder), this);
  auto* order_layout = new QVBoxLayout(order);
  file_order_ = MakeRadio(Sid::kCardOrderFile, order);
  alphabetic_ = MakeRadio(Sid::kCardOrderAlpha, order);
  (form.alphabetic() ? alphabetic_ : file_order_)->setChecked(true);
  order_layout->addWidget(file_order_);
  order_layout->addWidget(alphabetic_);
  layout->addWidget(order);
  layout->addWidget(MakeOkCancel(this).box);
}

void SelectRecordsDialog::accept() {
  for (int i = 0; i < list_->count(); ++i)
    form_.SetChecked(i, list_->item(i)->checkState() == Qt::Checked);
  form_.SetAlphabetic(alphabetic_->isChecked());
  QDialog::accept();
}

CardPreferencesDialog::CardPreferencesDialog(CardPreferencesForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(Q(Sid::kCardPrefsTitle));
  auto* layout = new QVBoxLayout(this);
  auto* scope = new QHBoxLayout;
  all_records_ = MakeRadio(Sid::kCardPrefsAllRecords, this);
  this_record_ = MakeRadio(Sid::kCardPrefsThisRecord, this);
  this_record_->setEnabled(form.can_choose_record());
  (form.this_record() ? this_record_ : all_records_)->setChecked(true);
  scope->addWidget(all_records_);
  scope->addWidget(this_record_);
  layout->addLayout(scope);
  const Sid groups[2] = {Sid::kCardPrefsHideAverages, Sid::kCardPrefsHideTotals};
  const Sid years[2] = {Sid::kCardPrefsCurrentYear, Sid::kCardPrevious};
  for (int g = 0; g < 2; ++g) {
    auto* box = new QGroupBox(Q(groups[g]), this);
    auto* box_layout = new QVBoxLayout(box);
    for (int y = 0; y < 2; ++y) {
      QCheckBox* check = MakeCheck(years[y], box);
      // "Hide Averages: Current service year" and so on for a screen reader.
      check->setAccessibleName(Plain(groups[g]) + QStringLiteral(": ") + Plain(years[y]));
      hide_[g * 2 + y] = check;
      box_layout->addWidget(check);
    }
    layout->addWidget(box);
  }
  groups_ = MakeCheck(Sid::kCardPrefsShowGroups, this);
  one_per_page_ = MakeCheck(Sid::kCardPrefsOnePerPage, this);
  birth_ = MakeCheck(Sid::kCardPrefsHideBirth, this);
  groups_->setChecked(form.show_groups);
  one_per_page_->setChecked(form.one_per_page);
  birth_->setChecked(form.hide_birth);
  layout->addWidget(groups_);
  layout->addWidget(one_per_page_);
  layout->addWidget(birth_);
  layout->addWidget(MakeOkCancel(this).box);
  ShowHideFlags();
  for (int i = 0; i < 4; ++i) {
    connect(hide_[i], &QCheckBox::toggled, this, [this, i](bool on) { form_.SetHide(1 << i, on); });
  }
  connect(this_record_, &QRadioButton::toggled, this, [this](bool on) {
    form_.SetThisRecord(on);
    ShowHideFlags();
  });
}

void CardPreferencesDialog::ShowHideFlags() {
  for (int i = 0; i < 4; ++i) {
    const QSignalBlocker block(hide_[i]);
    hide_[i]->setChecked(form_.IsHidden(1 << i));
  }
}

void CardPreferencesDialog::accept() {
  form_.show_groups = groups_->isChecked();
  form_.one_per_page = one_per_page_->isChecked();
  form_.hide_birth = birth_->isChecked();
  QDialog::accept();
}

void RunRecordCardDialog(QWidget* parent, CZarimDoc& doc, Prompter& prompter,
                         Clipboard* clipboard) {
  RecordCardForm form(doc);
  RecordCardDialog dialog(form, doc, prompter, clipboard, parent);
  dialog.exec();
}

bool RunCardPreferencesDialog(QWidget* parent, CZarimDoc& doc, int record) {
  CardPreferencesForm form(doc, record);
  CardPreferencesDialog dialog(form, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  return form.Accept(doc);
}

}  // namespace zarim
