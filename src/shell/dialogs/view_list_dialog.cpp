// The View lists dialog.
#include "shell/dialogs/view_list_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/clipboard.h"
#include "core/desktop_ports.h"
#include "records/appointments_form.h"
#include "records/publisher_form.h"
#include "shell/dialogs/appointments_dialog.h"
#include "shell/dialogs/dialog_kit.h"
#include "shell/report_printing.h"

namespace zarim {

namespace {

void FillBox(QComboBox* box, const std::vector<std::string>& texts, int current) {
  box->clear();
  for (const std::string& t : texts) box->addItem(Q(t));
  box->setCurrentIndex(current);
}

}  // namespace

ViewListDialog::ViewListDialog(ViewListForm& form, Mailer* mailer, Clipboard* clipboard,
                               std::function<void(const ViewListForm&)> print, QWidget* parent)
    : QDialog(parent),
      form_(form),
      mailer_(mailer),
      clipboard_(clipboard),
      print_job_(std::move(print)) {
  auto* grid = new QGridLayout;
  auto* type_label = new QLabel(Q(Sid::kViewTypeLabel), this);
  type_ = new QComboBox(this);
  type_->setAccessibleName(Plain(Sid::kViewTypeLabel));
  type_label->setBuddy(type_);
  second_label_ = new QLabel(Q(Sid::kViewSecondLabel), this);
  second_ = new QComboBox(this);
  second_->setAccessibleName(Plain(Sid::kViewSecondLabel));
  second_label_->setBuddy(second_);
  third_label_ = new QLabel(Q(Sid::kViewThirdLabel), this);
  third_ = new QComboBox(this);
  third_->setAccessibleName(Plain(Sid::kViewThirdLabel));
  third_label_->setBuddy(third_);
  grid->addWidget(type_label, 0, 0);
  grid->addWidget(type_, 0, 1);
  grid->addWidget(second_label_, 1, 0);
  grid->addWidget(second_, 1, 1);
  grid->addWidget(third_label_, 2, 0);
  grid->addWidget(third_, 2, 1);

  list_ = new QListWidget(this);
  list_->setAccessibleName(Plain(Sid::kViewAccList));
  list_->setMinimumSize(460, 300);
  caption_ = new QLabel(this);
  caption_->setAccessibleName(Plain(Sid::kViewAccCaption));

  auto* contact = new QHBoxLayout;
  mail_ = MakeButton(Str(Sid::kViewEmail), this);
  copy_ = MakeButton(Str(Sid::kViewCopyClipboard), this);
  edit_ = MakeButton(Str(Sid::kViewEdit), this);
  contact->addWidget(mail_);
  contact->addWidget(copy_);
  contact->addWidget(edit_);
  contact->addStretch();

  auto* buttons = new QHBoxLayout;
  setup_ = MakeButton(Str(Sid::kViewPrintSetup), this);
  print_ = MakeButton(Str(Sid::kViewPrint), this);
  done_ = MakeButton(Str(Sid::kViewDone), this);
  done_->setDefault(true);
  buttons->addWidget(setup_);
  buttons->addWidget(print_);
  buttons->addStretch();
  buttons->addWidget(done_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(list_);
  layout->addWidget(caption_);
  layout->addLayout(contact);
  layout->addLayout(buttons);
  setTabOrder(type_, second_);
  setTabOrder(second_, third_);
  setTabOrder(third_, list_);
  setTabOrder(list_, mail_);
  setTabOrder(mail_, copy_);
  setTabOrder(copy_, edit_);
  setTabOrder(edit_, setup_);
  setTabOrder(setup_, print_);
  setTabOrder(print_, done_);

  connect(type_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (showing_ || i < 0 || i >= static_cast<int>(form_.types().size())) return;
    form_.SetType(form_.types()[i]);
    ShowForm();
  });
  connect(second_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (showing_ || i < 0) return;
    form_.SetSecond(i);
    ShowForm();
  });
  connect(third_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (showing_ || i < 0) return;
    form_.SetThird(i);
    ShowForm();
  });
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (showing_) return;
    form_.Select(row);
    ShowButtons();
  });
  connect(mail_, &QPushButton::clicked, this, &ViewListDialog::Mail);
  connect(copy_, &QPushButton::clicked, this, [this] {
    if (clipboard_) form_.CopyToClipboard(*clipboard_);
  });
  connect(edit_, &QPushButton::clicked, this, &ViewListDialog::Edit);
  connect(setup_, &QPushButton::clicked, this, [this] { RunPrintSetup(this); });
  connect(print_, &QPushButton::clicked, this, [this] {
    if (print_job_) print_job_(form_);
  });
  connect(done_, &QPushButton::clicked, this, &ViewListDialog::accept);
  ShowForm();
}

void ViewListDialog::ShowForm() {
  showing_ = true;
  FillBox(type_, form_.TypeTexts(), form_.type_position());
  bool has_second = form_.second_kind() != ViewSelector::kNone;
  second_label_->setVisible(has_second);
  second_->setVisible(has_second);
  FillBox(second_, form_.SecondEntries(), form_.second());
  bool has_third = form_.third_kind() != ViewSelector::kNone;
  third_label_->setVisible(has_third);
  third_->setVisible(has_third);
  FillBox(third_, form_.ThirdEntries(), form_.third());
  FillStatusList(list_, form_.lines(), form_.selected());
  setWindowTitle(Q(form_.Title()));
  list_->setAccessibleDescription(Q(form_.Title()));
  caption_->setText(Q(form_.GroupCaption()));
  caption_->setVisible(!form_.GroupCaption().empty());
  showing_ = false;
  ShowButtons();
}

void ViewListDialog::ShowButtons() {
  bool contact = form_.ContactShown();
  mail_->setVisible(contact);
  copy_->setVisible(contact && clipboard_ != nullptr);
  if (contact) {
    QString caption = Q(form_.MailCaption());
    mail_->setText(caption);
    mail_->setAccessibleName(Plain(caption));
    mail_->setEnabled(form_.MailEnabled());
  }
  edit_->setVisible(form_.EditShown());
  edit_->setEnabled(form_.selected() >= 0);
  print_->setVisible(static_cast<bool>(print_job_));
}

void ViewListDialog::Mail() { form_.SendReminder(mailer_); }

void ViewListDialog::Edit() {
  if (form_.selected() < 0) return;
  int rec = form_.lines()[form_.selected()].rec;
  PublisherForm publisher(form_.doc(), nullptr);
  if (!publisher.Load(rec)) return;
  AppointmentsForm appointments(form_.doc(), publisher);
  AppointmentsDialog dialog(appointments, this);
  if (dialog.exec() == QDialog::Accepted) publisher.Ok();
  int selected = form_.selected();
  form_.SetSecond(form_.second());
  form_.Select(selected);
  ShowForm();
}

void RunViewListDialog(QWidget* parent, CZarimDoc& doc, ViewType type, Mailer* mailer,
                       Clipboard* clipboard, std::function<void(const ViewListForm&)> print) {
  ViewListForm form(doc, type);
  ViewListDialog dialog(form, mailer, clipboard, std::move(print), parent);
  dialog.exec();
}

}  // namespace zarim
