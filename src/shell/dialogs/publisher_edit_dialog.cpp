// The publisher edit dialog.
#include "shell/dialogs/publisher_edit_dialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/status_moves.h"
#include "exchange/transfer_file.h"
#include "records/delete_form.h"
#include "records/households.h"
#include "records/select_publisher_form.h"
#include "shell/dialogs/appointments_dialog.h"
#include "shell/dialogs/contact_info_dialog.h"
#include "shell/dialogs/delete_dialog.h"
#include "shell/dialogs/emergency_dialog.h"
#include "shell/dialogs/group_picker_dialog.h"
#include "shell/dialogs/household_dialog.h"
#include "shell/dialogs/select_month_dialog.h"
#include "shell/dialogs/status_dialog.h"

namespace zarim {

namespace {

QCheckBox* Check(Sid caption, QWidget* parent) {
  auto* c = new QCheckBox(Q(Str(caption)), parent);
  c->setAccessibleName(Plain(Str(caption)));
  return c;
}

}  // namespace

PublisherEditDialog::PublisherEditDialog(CZarimDoc& doc, PublisherForm& form, QWidget* parent)
    : QDialog(parent), doc_(doc), form_(form) {
  Build();
  ShowForm();
}

void PublisherEditDialog::Build() {
  setWindowTitle(Q(form_.Title()));
  auto* outer = new QHBoxLayout(this);
  auto* grid = new QGridLayout;
  outer->addLayout(grid, 1);

  static constexpr Sid kTextCaptions[] = {Sid::kFirstName,   Sid::kLastName,    Sid::kAddress,
                                          Sid::kHomePhone,   Sid::kMobilePhone, Sid::kWorkPhone,
                                          Sid::kEmailAddress};
  int row = 0;
  for (int i = 0; i < kTextFieldCount; ++i) {
    auto* label = new QLabel(Q(Str(kTextCaptions[i])), this);
    auto* edit = new QLineEdit(this);
    edit->setAccessibleName(Plain(Str(kTextCaptions[i])));
    edit->setMaxLength(form_.MaxLength(static_cast<TextField>(i)));
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1, 1, 4);
    texts_[i] = edit;
    ++row;
  }
  for (TextField f : {TextField::kFirst, TextField::kLast}) {
    QLineEdit* edit = text(f);
    connect(edit, &QLineEdit::textEdited, this, [this, f, edit](const QString& t) {
      CapsEdit e = form_.NameEdited(f, StdStr(t), edit->cursorPosition());
      if (e.changed) {
        edit->setText(Q(e.text));
        edit->setCursorPosition(e.caret);
      }
    });
  }

  const int this_year = std::max(doc_.today_year, kFirstListYear);
  auto date_row = [&](Sid caption, DateBoxes& boxes, QLabel** years, QLabel** label_out) {
    auto* label = new QLabel(Q(Str(caption)), this);
    boxes.Create(this, Plain(Str(caption)), kFirstListYear, this_year);
    label->setBuddy(boxes.month);
    grid->addWidget(label, row, 0);
    grid->addWidget(boxes.month, row, 1);
    grid->addWidget(boxes.day, row, 2);
    grid->addWidget(boxes.year, row, 3);
    if (years) {
      *years = new QLabel(this);
      grid->addWidget(*years, row, 4);
    }
    if (label_out) *label_out = label;
    for (QComboBox* c : {boxes.month, boxes.day, boxes.year})
      connect(c, &QComboBox::currentIndexChanged, this, [this] {
        if (!showing_) RefreshLabels();
      });
    ++row;
  };
  date_row(Sid::kBirthDate, birth_, &age_, nullptr);
  date_row(Sid::kBaptismDate, baptism_, &baptized_years_, &baptism_label_);

  auto* checks = new QGridLayout;
  grid->addLayout(checks, row++, 0, 1, 5);
  elder_ = Check(Sid::kElder, this);
  servant_ = Check(Sid::kMinisterialServant, this);
  baptized_brother_ = Check(Sid::kBaptizedBrother, this);
  regular_ = Check(Sid::kRegularPioneer, this);
  special_ = Check(Sid::kSpecialPioneer, this);
  continuous_aux_ = Check(Sid::kContinuousAuxiliary, this);
  male_ = Check(Sid::kMale, this);
  female_ = Check(Sid::kFemale, this);
  anointed_ = Check(Sid::kAnointed, this);
  family_head_ = Check(Sid::kFamilyHeadBox, this);
  custom_ = new QCheckBox(this);
  deaf_ = Check(Sid::kDeaf, this);
  blind_ = Check(Sid::kBlind, this);
  incarcerated_ = Check(Sid::kIncarcerated, this);
  special_servant_ = Check(Sid::kSpecialServantBox, this);
  field_missionary_ = Check(Sid::kFieldMissionary, this);
  QCheckBox* grid_checks[] = {
      elder_, servant_,      baptized_brother_, regular_,         special_, continuous_aux_,
      male_,  female_,       anointed_,         family_head_,     custom_,  deaf_,
      blind_, incarcerated_, special_servant_,  field_missionary_};
  for (int i = 0; i < 16; ++i) checks->addWidget(grid_checks[i], i / 3, i % 3);
  connect(male_, &QCheckBox::clicked, this, [this](bool on) {
    form_.SetMale(on);
    female_->setChecked(form_.fields().female);
    if (appointments_) RefreshLabels();
  });
  connect(female_, &QCheckBox::clicked, this, [this](bool on) {
    form_.SetFemale(on);
    male_->setChecked(form_.fields().male);
  });
  connect(family_head_, &QCheckBox::clicked, this, [this](bool on) {
    if (!form_.SetFamilyHead(on)) family_head_->setChecked(true);
    RefreshLabels();
  });

  consent_ = Check(Sid::kConsentBox, this);
  grid->addWidget(consent_, row, 0, 1, 2);
  consent_date_.Create(this, Plain(Sid::kConsentBox), kFirstListYear, this_year);
  grid->addWidget(consent_date_.month, row, 2);
  grid->addWidget(consent_date_.day, row, 3);
  grid->addWidget(consent_date_.year, row, 4);
  ++row;
  connect(consent_, &QCheckBox::toggled, this, [this](bool on) {
    form_.fields().consent = on;
    consent_date_.SetVisible(form_.consent_date_shown());
  });

  conductor_ = new QLabel(this);
  grid->addWidget(conductor_, row++, 0, 1, 5);

  // The button column.
  auto* side = new QVBoxLayout;
  outer->addLayout(side);
  ok_ = new QPushButton(Q(Sid::kOkButton), this);
  ok_->setAccessibleName(Plain(Sid::kOkButton));
  ok_->setDefault(true);
  cancel_ = MakeButton(Str(Sid::kCancelButton), this);
  group_ = MakeButton(Str(Sid::kSelectGroupButton), this);
  household_ = MakeButton(Str(Sid::kEditHousehold), this);
  long_name_ = MakeButton(Str(Sid::kLongNameButton), this);
  emergency_ = MakeButton(Str(Sid::kEmergencyContactButton), this);
  needs_ = MakeButton(Str(Sid::kSpecialNeedsButton), this);
  appointments_ = MakeButton(Str(Sid::kAppointmentsButton), this);
  status_ = MakeButton(Str(Sid::kStatusButton), this);
  transfer_ = MakeButton(Str(Sid::kTransferFileButton), this);
  delete_ = MakeButton(Str(Sid::kDeleteButton), this);
  previous_ = MakeButton(Str(Sid::kPreviousButton), this);
  next_ = MakeButton(Str(Sid::kNextButton), this);
  copy_ = MakeButton(Str(Sid::kCopyButton), this);
  clear_ = MakeButton(Str(Sid::kClearButton), this);
  select_conductor_ = MakeButton(Str(Sid::kSelectConductor), this);
  clear_conductor_ = MakeButton(Str(Sid::kClearConductor), this);
  for (QPushButton* b :
       {ok_, cancel_, group_, household_, long_name_, emergency_, needs_, appointments_, status_,
        transfer_, delete_, previous_, next_, copy_, clear_, select_conductor_, clear_conductor_})
    side->addWidget(b);
  side->addStretch(1);

  connect(ok_, &QPushButton::clicked, this, &PublisherEditDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(this, &QDialog::rejected, this, [this] { form_.Cancel(); });
  connect(previous_, &QPushButton::clicked, this, [this] { Step(-1); });
  connect(next_, &QPushButton::clicked, this, [this] { Step(+1); });
  connect(copy_, &QPushButton::clicked, this, &PublisherEditDialog::CopyOrPaste);
  connect(clear_, &QPushButton::clicked, this, [this] {
    form_.ClearCopy();
    RefreshLabels();
  });
  connect(delete_, &QPushButton::clicked, this, &PublisherEditDialog::Delete);
  connect(transfer_, &QPushButton::clicked, this, &PublisherEditDialog::Transfer);
  connect(group_, &QPushButton::clicked, this, [this] {
    Collect();
    int g = RunGroupPickerDialog(this, doc_, GroupPickerForm::Purpose::kChoose,
                                 std::max(form_.fields().group, 1));
    if (g > 0) form_.fields().group = g;
    RefreshLabels();
  });
  connect(household_, &QPushButton::clicked, this, [this] {
    Collect();
    if (form_.record() > 0)
      RunHouseholdDialog(this, doc_, form_.record());
    else if (form_.adding() && form_.fields().family_head)
      RunNewHouseholdDialog(this, doc_, form_.id(), form_.TypedName());
    RefreshLabels();
  });
  connect(emergency_, &QPushButton::clicked, this, [this] {
    Collect();
    RunEmergencyDialog(this, doc_, form_.working_record(), form_.TypedName());
  });
  auto contact = [this] { RunContactInfoDialog(this, doc_, form_.working_record()); };
  connect(long_name_, &QPushButton::clicked, this, contact);
  connect(needs_, &QPushButton::clicked, this, contact);
  connect(appointments_, &QPushButton::clicked, this, [this] {
    Collect();
    RunAppointmentsDialog(this, doc_, form_);
    ShowForm();
  });
  connect(status_, &QPushButton::clicked, this, [this] {
    // "&Status" opens the status dialog of the stored record being edited.
    if (form_.record() > 0) RunStatusDialog(this, doc_, form_.record());
  });
  connect(select_conductor_, &QPushButton::clicked, this, [this] {
    SelectPublisherForm list(doc_, kActive);
    int i = ChooseFromList(this, Q(list.Title()), list.names());
    if (i >= 0) {
      list.Select(i);
      form_.SetConductor(list.SelectedRecord());
    }
    RefreshLabels();
  });
  connect(clear_conductor_, &QPushButton::clicked, this, [this] {
    form_.ClearConductor();
    RefreshLabels();
  });
}

void PublisherEditDialog::ShowForm() {
  showing_ = true;
  const PublisherFields& f = form_.fields();
  setWindowTitle(Q(form_.Title()));
  for (int i = 0; i < kTextFieldCount; ++i) texts_[i]->setText(Q(f.text[i]));
  birth_.Set(f.birth);
  baptism_.Set(f.baptism);
  consent_date_.Set(f.consent_date);
  elder_->setChecked(f.elder);
  servant_->setChecked(f.servant);
  baptized_brother_->setChecked(f.baptized_brother);
  regular_->setChecked(f.regular);
  special_->setChecked(f.special);
  continuous_aux_->setChecked(f.continuous_aux);
  male_->setChecked(f.male);
  female_->setChecked(f.female);
  anointed_->setChecked(f.anointed);
  family_head_->setChecked(f.family_head);
  custom_->setChecked(f.custom);
  deaf_->setChecked(f.deaf);
  blind_->setChecked(f.blind);
  incarcerated_->setChecked(f.incarcerated);
  special_servant_->setChecked(f.special_servant);
  field_missionary_->setChecked(f.field_missionary);
  consent_->setChecked(f.consent);
  consent_date_.SetVisible(form_.consent_date_shown());

  const bool publisher = form_.privileges_shown();
  for (QWidget* w : std::initializer_list<QWidget*>{
           elder_, servant_, baptized_brother_, regular_, special_, continuous_aux_,
           special_servant_, field_missionary_, baptism_label_, appointments_})
    w->setVisible(publisher);
  baptism_.SetVisible(publisher);
  baptized_years_->setVisible(publisher);
  custom_->setVisible(form_.custom_shown());
  custom_->setText(Q(form_.CustomCaption()));
  custom_->setAccessibleName(Q(form_.CustomCaption()));
  select_conductor_->setVisible(form_.conductor_shown());
  clear_conductor_->setVisible(form_.conductor_shown());
  conductor_->setVisible(form_.conductor_shown());
  status_->setVisible(publisher);
  transfer_->setVisible(publisher);
  showing_ = false;
  RefreshLabels();
}

void PublisherEditDialog::Refresh() { ShowForm(); }

void PublisherEditDialog::RefreshLabels() {
  Collect();
  age_->setText(Q(form_.AgeLabel()));
  baptized_years_->setText(Q(form_.BaptismLabel()));
  group_->setText(Q(form_.GroupButtonCaption()));
  group_->setAccessibleName(Plain(form_.GroupButtonCaption()));
  household_->setVisible(form_.household_shown());
  household_->setText(Q(form_.HouseholdCaption()));
  household_->setAccessibleName(Plain(form_.HouseholdCaption()));
  copy_->setText(Q(form_.CopyCaption()));
  copy_->setAccessibleName(Plain(form_.CopyCaption()));
  clear_->setVisible(form_.clear_shown());
  conductor_->setText(Q(form_.ConductorText()));
  const bool editing = form_.navigation_enabled();
  previous_->setEnabled(editing);
  next_->setEnabled(editing);
  delete_->setEnabled(editing);
  appointments_->setEnabled(editing);
  copy_->setEnabled(editing || form_.clear_shown());
  status_->setEnabled(editing);
  transfer_->setEnabled(editing);
}

void PublisherEditDialog::Collect() {
  if (showing_) return;
  PublisherFields& f = form_.fields();
  for (int i = 0; i < kTextFieldCount; ++i) f.text[i] = StdStr(texts_[i]->text());
  f.birth = birth_.Get();
  f.baptism = baptism_.Get();
  f.consent_date = consent_date_.Get();
  f.elder = elder_->isChecked();
  f.servant = servant_->isChecked();
  f.baptized_brother = baptized_brother_->isChecked();
  f.regular = regular_->isChecked();
  f.special = special_->isChecked();
  f.continuous_aux = continuous_aux_->isChecked();
  f.male = male_->isChecked();
  f.female = female_->isChecked();
  f.anointed = anointed_->isChecked();
  f.family_head = family_head_->isChecked();
  f.custom = custom_->isChecked();
  f.deaf = deaf_->isChecked();
  f.blind = blind_->isChecked();
  f.incarcerated = incarcerated_->isChecked();
  f.special_servant = special_servant_->isChecked();
  f.field_missionary = field_missionary_->isChecked();
  f.consent = consent_->isChecked();
}

void PublisherEditDialog::FocusInvalid() { text(form_.invalid_field())->setFocus(); }

void PublisherEditDialog::accept() {
  Collect();
  switch (form_.Ok()) {
    case PublisherForm::Result::kStored:
      QDialog::accept();
      return;
    case PublisherForm::Result::kInvalid:
    case PublisherForm::Result::kRefused:
      FocusInvalid();
      return;
    case PublisherForm::Result::kFull:
    case PublisherForm::Result::kFailed:
      return;
  }
}

void PublisherEditDialog::Step(int direction) {
  Collect();
  PublisherForm::Result r = direction > 0 ? form_.Next() : form_.Previous();
  if (r == PublisherForm::Result::kStored) {
    ShowForm();
    text(TextField::kFirst)->setFocus();
  } else if (r != PublisherForm::Result::kFailed) {
    FocusInvalid();
  }
}

void PublisherEditDialog::CopyOrPaste() {
  Collect();
  form_.CopyOrPaste();
  ShowForm();
}

void PublisherEditDialog::Delete() {
  if (form_.record() <= 0) return;
  // A Bible student is only asked about and removed; publishers get the "Delete" dialog.
  bool deleted = form_.kind() == PublisherKind::kBibleStudent
                     ? DeleteBibleStudent(doc_, form_.record())
                     : RunDeleteDialog(this, doc_, form_.record());
  if (deleted) QDialog::reject();
}

void PublisherEditDialog::Transfer() {
  if (form_.record() <= 0) return;
  const uint16_t id = doc_.records[form_.record()].id;
  const std::string name = form_.DisplayName();
  QString path = QFileDialog::getSaveFileName(this, Q(Fill(Sid::kTransferSaveTitle, name)),
                                              QDir::home().filePath(Q(name) + ".xml"),
                                              Q(Sid::kXmlFilter) + " (*.xml)");
  if (path.isEmpty()) return;
  if (!path.endsWith(QStringLiteral(".xml"), Qt::CaseInsensitive)) path += QStringLiteral(".xml");
  // The file holds what the dialog shows: what was typed is stored first, as "&Next" does.
  Collect();
  const PublisherForm::Result stored = form_.Ok();
  if (stored == PublisherForm::Result::kInvalid || stored == PublisherForm::Result::kRefused)
    FocusInvalid();
  if (stored != PublisherForm::Result::kStored) return;
  if (!ExportTransferFile(doc_, doc_.RecordNumberById(id), StdStr(path))) return;
  if (doc_.prompter->Ask(Fill(Sid::kTransferAskMoved, name), Buttons::kYesNo, Answer::kNo) !=
      Answer::kYes)
    return;
  // A moved publisher is no longer one of the list edited here: the dialog closes.
  if (MoveOut(doc_, doc_.RecordNumberById(id), DialogMonthAsker(this)) == MoveResult::kDone)
    QDialog::accept();
}

void PublisherEditDialog::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  QWidget* focus = focusWidget();
  if (enter && focus != ok_ && !qobject_cast<QPushButton*>(focus)) {
    // Enter in a field goes on to the next field instead of closing the dialog.
    focusNextChild();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

int RunPublisherEditDialog(QWidget* parent, CZarimDoc& doc, Clipboard* clipboard,
                           PublisherKind kind, int rec) {
  PublisherForm form(doc, clipboard, kind);
  if (rec > 0) form.Load(rec);
  PublisherEditDialog dialog(doc, form, parent);
  // When adding, the status of the new publisher before it is saved.
  form.status_dialog = [&dialog](CZarimDoc& d, PubRecord& r) {
    RunStatusDialogOn(&dialog, d, r, true);
  };
  dialog.Refresh();
  if (dialog.exec() != QDialog::Accepted) return 0;
  return doc.RecordNumberById(form.id());
}

}  // namespace zarim
