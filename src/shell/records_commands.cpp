// The Edit-menu commands of the publisher records: publishers, Bible students, pioneer
// lists, field service groups, the circuit overseer, the custom category and AutoCaps.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "core/command_ids.h"
#include "core/document.h"
#include "cycle/status_moves.h"
#include "records/custom_category_form.h"
#include "shell/commands.h"
#include "shell/dialogs/groups_dialog.h"
#include "shell/dialogs/records_option_dialogs.h"
#include "shell/dialogs/dialog_kit.h"
#include "shell/dialogs/select_publisher_dialog.h"
#include "shell/feature_commands.h"
#include "shell/main_window.h"
#include "shell/services.h"

namespace zarim {
namespace {

// The month of a status move, asked with the "Select Month" form.
bool AskMonth(QWidget* parent, SelectMonthForm& form) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Q(form.title()));
  auto* layout = new QVBoxLayout(&dialog);
  auto* prompt = new QLabel(Q(form.prompt()), &dialog);
  prompt->setWordWrap(true);
  layout->addWidget(prompt);
  auto* month = new QComboBox(&dialog);
  month->setAccessibleName(Q(form.title()));
  for (const auto& m : form.months()) month->addItem(Q(m));
  month->setCurrentIndex(form.month_index());
  prompt->setBuddy(month);
  layout->addWidget(month);
  QComboBox* year = nullptr;
  if (form.has_years()) {
    year = new QComboBox(&dialog);
    year->setAccessibleName(Q(form.title()) + QStringLiteral(" - ") + Q(Sid::kYearLabel));
    for (const auto& y : form.years()) year->addItem(Q(y));
    year->setCurrentIndex(form.year_index());
    layout->addWidget(year);
  }
  QCheckBox* tick = nullptr;
  if (form.has_tick()) {
    tick = new QCheckBox(Q(form.tick_caption()), &dialog);
    tick->setAccessibleName(tick->text());
    layout->addWidget(tick);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  if (dialog.exec() != QDialog::Accepted) return false;
  form.set_month_index(month->currentIndex());
  if (year) form.set_year_index(year->currentIndex());
  if (tick) form.set_ticked(tick->isChecked());
  return true;
}

void Transfer(QWidget* parent, CZarimDoc& doc, int rec, AddChoice choice) {
  MonthAsker ask = [parent](SelectMonthForm& f) { return AskMonth(parent, f); };
  if (choice == AddChoice::kFromStudents) {
    MakePublisher(doc, rec, ask);
  } else if (choice == AddChoice::kFromInactive) {
    Reactivate(doc, rec, ask);
  }
  doc.RebuildIndex();
}

void RunSelect(CMainFrame& frame, uint8_t status) {
  SelectPublisherForm form(frame.doc(), status);
  SelectPublisherDialog dialog(frame.doc(), form, frame.services().clipboard, frame.dialog_parent());
  dialog.transfer = Transfer;
  dialog.exec();
  frame.doc().RebuildIndex();
}

void RunPioneers(CMainFrame& frame, PioneerListForm::Mode mode) {
  PioneerListForm form(frame.doc(), mode);
  PioneerListDialog dialog(form, frame.dialog_parent());
  dialog.exec();
}

}  // namespace

void RegisterRecordsCommands(CommandTable& table) {
  table.Add(kCmdPublishers, [](CMainFrame& frame) { RunSelect(frame, kActive); });
  table.Add(kCmdEditNonPublishers, [](CMainFrame& frame) { RunSelect(frame, kNonPublisher); });
  table.Add(kCmdAuxPioneers, [](CMainFrame& frame) { RunPioneers(frame, PioneerListForm::Mode::kAuxiliary); });
  table.Add(kCmdRegularPioneers, [](CMainFrame& frame) { RunPioneers(frame, PioneerListForm::Mode::kRegular); });
  table.Add(kCmdGroups, [](CMainFrame& frame) { RunGroupsDialog(frame.dialog_parent(), frame.doc()); });
  table.Add(kCmdCircuitOverseer, [](CMainFrame& frame) {
    CircuitOverseerForm form(frame.doc());
    CircuitOverseerDialog dialog(form, frame.dialog_parent());
    dialog.exec();
  });
  table.Add(kCmdCustomCategory, [](CMainFrame& frame) {
    CustomCategoryForm form(frame.doc());
    CustomCategoryDialog dialog(form, frame.dialog_parent());
    dialog.exec();
  });
  table.Add(kCmdAutoCaps, [](CMainFrame& frame) { ToggleAutoCaps(frame.doc()); });
}

}  // namespace zarim
