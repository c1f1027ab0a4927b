// The field service group dialogs.
#include "shell/dialogs/groups_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/strings.h"
#include "records/select_publisher_form.h"
#include "reports/telephone_list.h"
#include "shell/dialogs/dialog_kit.h"

namespace zarim {

namespace {
// Picks an active publisher; the record number or 0.
int PickPublisher(QWidget* parent, CZarimDoc& doc) {
  SelectPublisherForm list(doc, kActive);
  int i = ChooseFromList(parent, Q(list.Title()), list.names());
  if (i < 0) return 0;
  list.Select(i);
  return list.SelectedRecord();
}
}  // namespace

GroupsDialog::GroupsDialog(CZarimDoc& doc, QWidget* parent) : QDialog(parent), doc_(doc) {
  setWindowTitle(Q(Sid::kEditGroupsTitle));
  auto* layout = new QVBoxLayout(this);
  list_ = new QTreeWidget(this);
  list_->setAccessibleName(Q(Sid::kEditGroupsTitle));
  list_->setRootIsDecorated(false);
  list_->setHeaderLabels({QString(), Q(Sid::kOverseer), Q(Sid::kAssistant), Q(Sid::kLocation),
                          Q(Sid::kDay), Q(Sid::kTime)});
  layout->addWidget(list_);
  layout->addWidget(new QLabel(Q(Sid::kNotInPublisherFile), this));
  auto* row = new QHBoxLayout;
  layout->addLayout(row);
  edit_ = new QPushButton(this);
  edit_->setDefault(true);
  assign_ = MakeButton(Str(Sid::kAssignedPublishers), this);
  close_ = MakeButton(Str(Sid::kCloseButton), this);
  row->addWidget(edit_);
  row->addWidget(assign_);
  row->addWidget(close_);
  connect(edit_, &QPushButton::clicked, this, &GroupsDialog::EditSelected);
  connect(assign_, &QPushButton::clicked, this, &GroupsDialog::Assign);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { EditSelected(); });
  connect(list_, &QTreeWidget::currentItemChanged, this, [this] {
    int g = list_->indexOfTopLevelItem(list_->currentItem()) + 1;
    edit_->setText(Q(EditGroupCaption(doc_, std::max(g, 1))));
    edit_->setAccessibleName(Plain(edit_->text()));
  });
  Fill();
}

void GroupsDialog::Fill() {
  int current = std::max(list_->indexOfTopLevelItem(list_->currentItem()), 0);
  list_->clear();
  for (int g = 1; g <= kMaxGroups; ++g) {
    QStringList cells = Q(GroupListLine(doc_, g)).split('\t');
    for (auto& c : cells) c = c.trimmed();
    new QTreeWidgetItem(list_, cells);
  }
  list_->setCurrentItem(list_->topLevelItem(current));
}

void GroupsDialog::EditSelected() {
  int g = list_->indexOfTopLevelItem(list_->currentItem()) + 1;
  if (g < 1) return;
  GroupDetailForm form(doc_, g);
  GroupDetailDialog dialog(form, doc_, this);
  dialog.exec();
  Fill();
}

void GroupsDialog::Assign() {
  GroupAssignmentForm form(doc_);
  int g = list_->indexOfTopLevelItem(list_->currentItem()) + 1;
  if (g >= 1 && g <= doc_.groups.count) form.SetGroup(g);
  GroupAssignmentDialog dialog(form, doc_, this);
  dialog.exec();
}

GroupDetailDialog::GroupDetailDialog(GroupDetailForm& form, CZarimDoc& doc, QWidget* parent)
    : QDialog(parent), form_(form), doc_(doc) {
  setWindowTitle(Plain(EditGroupCaption(doc, form.group())));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QFormLayout;
  layout->addLayout(grid);
  auto person = [&](Sid caption, const std::string& value, bool overseer) {
    auto* row = new QHBoxLayout;
    auto* edit = new QLineEdit(Q(value), this);
    edit->setAccessibleName(Q(caption));
    edit->setMaxLength(23);
    auto* select = MakeButton(Str(Sid::kSelectButton), this);
    select->setAccessibleName(Q(Sid::kSelectButton) + QStringLiteral(" ") + Q(caption));
    row->addWidget(edit);
    row->addWidget(select);
    grid->addRow(Q(caption), row);
    connect(select, &QPushButton::clicked, this, [this, edit, overseer] {
      int rec = PickPublisher(this, doc_);
      if (rec <= 0) return;
      if (overseer) {
        form_.SelectOverseer(rec);
        edit->setText(Q(form_.overseer));
      } else {
        form_.SelectAssistant(rec);
        edit->setText(Q(form_.assistant));
      }
    });
    return edit;
  };
  overseer_ = person(Sid::kOverseer, form.overseer, true);
  assistant_ = person(Sid::kAssistant, form.assistant, false);
  location_ = new QLineEdit(Q(form.location), this);
  location_->setAccessibleName(Q(Sid::kLocation));
  location_->setMaxLength(23);
  grid->addRow(Q(Sid::kLocation), location_);
  day_ = new QComboBox(this);
  day_->setAccessibleName(Q(Sid::kDay));
  for (int d = 0; d < 7; ++d) day_->addItem(Q(DayName(d)));
  day_->setCurrentIndex(form.day);
  grid->addRow(Q(Sid::kDay), day_);
  time_ = new QLineEdit(Q(form.time), this);
  time_->setAccessibleName(Q(Sid::kTime));
  time_->setMaxLength(8);
  grid->addRow(Q(Sid::kTime), time_);
  use_name_ = new QCheckBox(Q(Sid::kGroupNameOptional), this);
  use_name_->setAccessibleName(use_name_->text());
  use_name_->setChecked(form.use_name);
  name_ = new QLineEdit(Q(form.name), this);
  name_->setAccessibleName(use_name_->text());
  name_->setMaxLength(kMaxGroupName);
  name_->setEnabled(form.use_name);
  grid->addRow(use_name_, name_);
  connect(use_name_, &QCheckBox::toggled, name_, &QWidget::setEnabled);
  layout->addWidget(MakeOkCancel(this).box);
}

void GroupDetailDialog::accept() {
  form_.overseer = StdStr(overseer_->text());
  form_.assistant = StdStr(assistant_->text());
  form_.location = StdStr(location_->text());
  form_.day = day_->currentIndex();
  form_.time = StdStr(time_->text());
  form_.use_name = use_name_->isChecked();
  form_.name = StdStr(name_->text());
  if (form_.Ok()) QDialog::accept();
}

GroupAssignmentDialog::GroupAssignmentDialog(GroupAssignmentForm& form, CZarimDoc& doc,
                                             QWidget* parent)
    : QDialog(parent), form_(form), doc_(doc) {
  setWindowTitle(Q(Sid::kAssignedPublishers));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  layout->addLayout(top);
  group_ = new QComboBox(this);
  group_->setAccessibleName(Q(Sid::kGroupWord));
  source_ = new QComboBox(this);
  source_->setAccessibleName(Q(Sid::kUnassignedPublishers));
  source_->addItem(QString());
  for (int g = 1; g <= doc.groups.count && g <= kMaxGroups; ++g) {
    group_->addItem(Q(GroupLabel(doc, g)));
    source_->addItem(Q(GroupLabel(doc, g)));
  }
  top->addWidget(group_);
  auto* lists = new QHBoxLayout;
  layout->addLayout(lists);
  auto* left = new QVBoxLayout;
  auto* middle = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  lists->addLayout(left);
  lists->addLayout(middle);
  lists->addLayout(right);
  members_caption_ = new QLabel(this);
  members_ = new QListWidget(this);
  members_->setAccessibleName(Q(Sid::kAssignedPublishers));
  left->addWidget(members_caption_);
  left->addWidget(members_);
  move_ = new QLabel(this);
  assign_ = MakeButton(Str(Sid::kAssignArrows), this);
  middle->addWidget(move_);
  middle->addWidget(assign_);
  middle->addStretch(1);
  unassigned_ = new QLabel(this);
  inactive_ = new QCheckBox(Q(Sid::kIncludeInactive), this);
  inactive_->setAccessibleName(inactive_->text());
  candidates_ = new QListWidget(this);
  candidates_->setAccessibleName(Q(Sid::kUnassignedPublishers));
  right->addWidget(source_);
  right->addWidget(unassigned_);
  right->addWidget(inactive_);
  right->addWidget(candidates_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
  connect(group_, &QComboBox::currentIndexChanged, this, [this](int i) {
    form_.SetGroup(i + 1);
    Fill();
  });
  connect(source_, &QComboBox::currentIndexChanged, this, [this](int i) {
    form_.SetSourceGroup(i);
    Fill();
  });
  connect(inactive_, &QCheckBox::toggled, this, [this](bool on) {
    form_.SetIncludeInactive(on);
    Fill();
  });
  connect(candidates_, &QListWidget::currentRowChanged, this, [this](int row) {
    move_->setText(Q(form_.MoveLabel(row)) + QStringLiteral("\n") + Q(form_.MoveTarget()));
  });
  connect(assign_, &QPushButton::clicked, this, [this] {
    form_.Assign(candidates_->currentRow());
    Fill();
  });
  group_->setCurrentIndex(std::max(form.group() - 1, 0));
  Fill();
}

void GroupAssignmentDialog::Fill() {
  members_caption_->setText(Q(form_.MembersCaption()));
  members_->clear();
  for (const auto& m : form_.members()) members_->addItem(Q(m.text));
  int row = candidates_->currentRow();
  candidates_->clear();
  for (const auto& c : form_.candidates()) candidates_->addItem(Q(c.text));
  if (candidates_->count() > 0)
    candidates_->setCurrentRow(std::clamp(row, 0, candidates_->count() - 1));
  unassigned_->setText(Q(form_.UnassignedText()));
  unassigned_->setVisible(!form_.UnassignedText().empty());
  assign_->setEnabled(candidates_->count() > 0 && doc_.groups.count > 0);
}

void RunGroupsDialog(QWidget* parent, CZarimDoc& doc) {
  GroupsDialog dialog(doc, parent);
  dialog.exec();
}

}  // namespace zarim
