// The entries of the dialog registry: one per dialog class of src/shell.
#include "dialog_registry.h"

#include "backup/backup_form.h"
#include "core/password_form.h"
#include "cycle/attendance_form.h"
#include "cycle/history_form.h"
#include "cycle/posting_decision_form.h"
#include "cycle/posting_list_form.h"
#include "cycle/select_month_form.h"
#include "cycle/slip_form.h"
#include "cycle/status_forms.h"
#include "cycle/view_lists.h"
#include "exchange/collection_list_form.h"
#include "exchange/csv_import.h"
#include "exchange/exchange_forms.h"
#include "exchange/report_import.h"
#include "exchange/transfer_import_form.h"
#include "exchange/xml_publisher_file.h"
#include "records/appointments_form.h"
#include "records/circuit_overseer_form.h"
#include "records/contact_info_form.h"
#include "records/custom_category_form.h"
#include "records/delete_form.h"
#include "records/emergency.h"
#include "records/group_picker_form.h"
#include "records/groups.h"
#include "records/households.h"
#include "records/pioneer_list_form.h"
#include "records/publisher_form.h"
#include "records/select_publisher_form.h"
#include "reports/attendance_record.h"
#include "reports/emergency_forms.h"
#include "reports/format_options_form.h"
#include "reports/label_form.h"
#include "shell/dialogs/appointments_dialog.h"
#include "shell/dialogs/attendance_dialog.h"
#include "shell/dialogs/attendance_forms_dialogs.h"
#include "shell/dialogs/backup_dialog.h"
#include "shell/dialogs/collection_list_dialog.h"
#include "shell/dialogs/contact_info_dialog.h"
#include "shell/dialogs/corrections_dialog.h"
#include "shell/dialogs/csv_import_dialogs.h"
#include "shell/dialogs/delete_dialog.h"
#include "shell/dialogs/emergency_dialog.h"
#include "shell/dialogs/exchange_dialogs.h"
#include "shell/dialogs/format_options_dialog.h"
#include "shell/dialogs/group_picker_dialog.h"
#include "shell/dialogs/groups_dialog.h"
#include "shell/dialogs/history_dialog.h"
#include "shell/dialogs/household_dialog.h"
#include "shell/dialogs/inactive_dialog.h"
#include "shell/dialogs/labels_dialog.h"
#include "shell/dialogs/moveouts_dialog.h"
#include "shell/dialogs/password_dialog.h"
#include "shell/dialogs/posting_decision_dialog.h"
#include "shell/dialogs/posting_list_dialog.h"
#include "shell/dialogs/publisher_edit_dialog.h"
#include "shell/dialogs/quick_overview_dialog.h"
#include "shell/dialogs/record_card_dialog.h"
#include "shell/dialogs/records_option_dialogs.h"
#include "shell/dialogs/report_import_dialog.h"
#include "shell/dialogs/select_month_dialog.h"
#include "shell/dialogs/select_publisher_dialog.h"
#include "shell/dialogs/slip_dialog.h"
#include "shell/dialogs/status_dialog.h"
#include "shell/dialogs/transfer_import_dialog.h"
#include "shell/dialogs/view_list_dialog.h"
#include "shell/dialogs/year_to_date_dialogs.h"
#include "shell/guide_window.h"
#include "shell/help.h"

namespace zarim::testing {

DialogWorld::DialogWorld() {
  PubRecord third = MakePublisher(102, "Erik", "Falk");
  AddRecord(doc, third);
  for (PubRecord* r : {doc.FindById(100), doc.FindById(101), doc.FindById(102)})
    r->group = static_cast<int8_t>(r->id == 101 ? 2 : 1);
  doc.groups.count = 2;
}

namespace {

// A dialog over a form that the dialog takes by reference.
template <typename Form, typename Make>
BuiltDialog With(std::shared_ptr<Form> form, Make make) {
  BuiltDialog built;
  built.dialog.reset(make(*form));
  built.state = std::move(form);
  return built;
}

int Rec(DialogWorld& w, int id) { return w.doc.RecordNumberById(id); }

// A small report file for the CSV import's dialogs: a header and two rows.
CsvTable SampleCsv() {
  CsvTable table;
  table.header = {"First Name", "Last Name", "Shared", "Hours"};
  table.rows = {{"Ann", "Berg", "1", ""}, {"Nobody", "Known", "1", "3"}};
  return table;
}

}  // namespace

const std::vector<DialogEntry>& AllDialogs() {
  static const std::vector<DialogEntry> entries = {
      {"AppointmentsDialog",
       [](DialogWorld& w) {
         auto publisher = std::make_shared<PublisherForm>(w.doc, &w.clipboard);
         publisher->Load(Rec(w, 100));
         auto form = std::make_shared<AppointmentsForm>(w.doc, *publisher);
         BuiltDialog built =
             With(form, [](AppointmentsForm& f) { return new AppointmentsDialog(f); });
         built.state = std::make_shared<
             std::pair<std::shared_ptr<PublisherForm>, std::shared_ptr<AppointmentsForm>>>(
             publisher, form);
         return built;
       }},
      {"AttendanceDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<AttendanceForm>(w.doc),
                     [](AttendanceForm& f) { return new AttendanceDialog(f); });
       }},
      {"AttendanceRecordDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<AttendanceRecordForm>(w.doc),
                     [](AttendanceRecordForm& f) { return new AttendanceRecordDialog(f); });
       }},
      {"BackupDialog",
       [](DialogWorld& w) {
         auto form = std::make_shared<BackupForm>(w.folder.Open(BackupMode::kBackup));
         return With(form, [](BackupForm& f) { return new BackupDialog(f); });
       }},
      {"CircuitOverseerDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<CircuitOverseerForm>(w.doc),
                     [](CircuitOverseerForm& f) { return new CircuitOverseerDialog(f); });
       }},
      {"ContactInfoDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<ContactInfoForm>(w.doc, *w.doc.FindById(100)),
                     [](ContactInfoForm& f) { return new ContactInfoDialog(f); });
       }},
      {"CorrectionsDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<CorrectionsForm>(w.doc), [](CorrectionsForm& f) {
           return new CorrectionsDialog(f, [](const CorrectionsForm&) {});
         });
       }},
      {"CustomCategoryDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<CustomCategoryForm>(w.doc),
                     [](CustomCategoryForm& f) { return new CustomCategoryDialog(f); });
       }},
      {"DeleteDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<DeleteForm>(w.doc, Rec(w, 100)),
                     [](DeleteForm& f) { return new DeleteDialog(f); });
       }},
      {"CongregationNameDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<FormatOptionsForm>(w.doc),
                     [](FormatOptionsForm& f) { return new CongregationNameDialog(f); });
       }},
      {"EmergencyDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<EmergencyForm>(w.doc, *w.doc.FindById(100)),
                     [](EmergencyForm& f) { return new EmergencyDialog(f); });
       }},
      {"EmergencyFormsDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<EmergencyFormsForm>(w.doc),
                     [&w](EmergencyFormsForm& f) { return new EmergencyFormsDialog(f, w.doc); });
       }},
      {"FormatOptionsDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<FormatOptionsForm>(w.doc),
                     [](FormatOptionsForm& f) { return new FormatOptionsDialog(f); });
       }},
      {"GroupAssignmentDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<GroupAssignmentForm>(w.doc),
                     [&w](GroupAssignmentForm& f) { return new GroupAssignmentDialog(f, w.doc); });
       }},
      {"GroupDetailDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<GroupDetailForm>(w.doc, 1),
                     [&w](GroupDetailForm& f) { return new GroupDetailDialog(f, w.doc); });
       }},
      {"GroupPickerDialog",
       [](DialogWorld& w) {
         return With(
             std::make_shared<GroupPickerForm>(w.doc, GroupPickerForm::Purpose::kMembersNeeded),
             [](GroupPickerForm& f) { return new GroupPickerDialog(f); });
       }},
      {"GroupsDialog",
       [](DialogWorld& w) {
         BuiltDialog built;
         built.dialog = std::make_unique<GroupsDialog>(w.doc);
         return built;
       }},
      {"GuideWindow",
       [](DialogWorld&) {
         BuiltDialog built;
         built.dialog = std::make_unique<GuideWindow>(QString::fromStdString(HelpFilePath()));
         return built;
       }},
      {"HouseholdDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<HouseholdForm>(w.doc, Rec(w, 100)),
                     [&w](HouseholdForm& f) { return new HouseholdDialog(f, w.doc); });
       }},
      {"InactiveDialog",
       [](DialogWorld& w) {
         return With(
             std::make_shared<InactiveForm>(w.doc, InactiveForm::Mode::kInactive),
             [&w](InactiveForm& f) { return new InactiveDialog(w.doc, f, nullptr, &w.clipboard); });
       }},
      {"MoveOutsDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<MoveOutsForm>(w.doc),
                     [](MoveOutsForm& f) { return new MoveOutsDialog(f); });
       }},
      {"PasswordDialog",
       [](DialogWorld&) {
         return With(std::make_shared<PasswordChangeForm>("eng"),
                     [](PasswordChangeForm& f) { return new PasswordDialog(f); });
       }},
      {"PioneerListDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<PioneerListForm>(w.doc, PioneerListForm::Mode::kRegular),
                     [](PioneerListForm& f) { return new PioneerListDialog(f); });
       }},
      {"PostingDecisionDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<PostingDecisionForm>(w.doc), [&w](PostingDecisionForm& f) {
           return new PostingDecisionDialog(f, w.prompter);
         });
       }},
      {"PostingListDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<PostingListForm>(w.doc),
                     [&w](PostingListForm& f) { return new PostingListDialog(f, w.doc); });
       }},
      {"PublisherEditDialog",
       [](DialogWorld& w) {
         auto form = std::make_shared<PublisherForm>(w.doc, &w.clipboard);
         form->Load(Rec(w, 100));
         return With(form, [&w](PublisherForm& f) { return new PublisherEditDialog(w.doc, f); });
       }},
      {"SelectMonthDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<SelectMonthForm>(w.doc, "Month?", true, true),
                     [](SelectMonthForm& f) { return new SelectMonthDialog(f); });
       }},
      {"SelectPublisherDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<SelectPublisherForm>(w.doc), [&w](SelectPublisherForm& f) {
           return new SelectPublisherDialog(w.doc, f, &w.clipboard);
         });
       }},
      {"SlipDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<SlipForm>(w.doc, Rec(w, 100)),
                     [](SlipForm& f) { return new SlipDialog(f); });
       }},
      {"StatusDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<StatusForm>(w.doc, *w.doc.FindById(100)),
                     [](StatusForm& f) { return new StatusDialog(f); });
       }},
      {"CollectionListDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<CollectionListForm>(w.doc, 1), [](CollectionListForm& f) {
           return new CollectionListDialog(f, nullptr, nullptr);
         });
       }},
      {"CsvIdentifyDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<CsvImportForm>(w.doc, SampleCsv()),
                     [](CsvImportForm& f) { return new CsvIdentifyDialog(f); });
       }},
      {"CsvMappingDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<CsvImportForm>(w.doc, SampleCsv()),
                     [](CsvImportForm& f) { return new CsvMappingDialog(f); });
       }},
      {"ExportDataDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<ExportDataForm>(w.doc),
                     [](ExportDataForm& f) { return new ExportDataDialog(f); });
       }},
      {"HistoryDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<HistoryForm>(w.doc),
                     [](HistoryForm& f) { return new HistoryDialog(f); });
       }},
      {"LabelsDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<LabelForm>(w.doc, true),
                     [](LabelForm& f) { return new LabelsDialog(f); });
       }},
      {"QuickOverviewDialog",
       [](DialogWorld& w) {
         BuiltDialog built;
         built.dialog = std::make_unique<QuickOverviewDialog>(w.doc);
         return built;
       }},
      {"RecordCardDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<RecordCardForm>(w.doc), [&w](RecordCardForm& f) {
           return new RecordCardDialog(f, w.doc, w.prompter, &w.clipboard);
         });
       }},
      {"SelectRecordsDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<SelectRecordsForm>(w.doc, false),
                     [](SelectRecordsForm& f) { return new SelectRecordsDialog(f); });
       }},
      {"CardPreferencesDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<CardPreferencesForm>(w.doc, Rec(w, 100)),
                     [](CardPreferencesForm& f) { return new CardPreferencesDialog(f); });
       }},
      {"ReportImportDialog",
       [](DialogWorld& w) {
         IncomingReport report{};
         report.id = 100;
         report.month = w.doc.working_month;
         report.activity[kHours] = 5;
         return With(std::make_shared<ReportImportForm>(w.doc, std::vector<IncomingReport>{report}),
                     [](ReportImportForm& f) { return new ReportImportDialog(f); });
       }},
      {"ViewListDialog",
       [](DialogWorld& w) {
         return With(
             std::make_shared<ViewListForm>(w.doc, ViewType::kNoReport),
             [&w](ViewListForm& f) { return new ViewListDialog(f, nullptr, &w.clipboard); });
       }},
      {"PioneerYtdDialog",
       [](DialogWorld& w) {
         PubRecord& r = w.doc.records[static_cast<size_t>(Rec(w, 100))];
         r.pioneer[w.doc.working_month % 12][w.doc.SlotOfMonth(w.doc.working_month % 12)] =
             kRegular;
         return With(std::make_shared<PioneerYtdForm>(w.doc),
                     [](PioneerYtdForm& f) { return new PioneerYtdDialog(f, {}); });
       }},
      {"YtdSummaryDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<YtdSummaryForm>(w.doc),
                     [](YtdSummaryForm& f) { return new YtdSummaryDialog(f, {}); });
       }},
      {"XmlExportDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<XmlExportForm>(w.doc),
                     [](XmlExportForm& f) { return new XmlExportDialog(f); });
       }},
      {"TransferImportDialog",
       [](DialogWorld& w) {
         return With(std::make_shared<TransferImportForm>(w.doc),
                     [](TransferImportForm& f) { return new TransferImportDialog(f); });
       }},
      {"XmlImportDialog",
       [](DialogWorld& w) {
         auto import = std::make_shared<XmlPublisherImport>(w.doc);
         auto form = std::make_shared<XmlImportForm>(w.doc, *import);
         BuiltDialog built = With(form, [](XmlImportForm& f) { return new XmlImportDialog(f); });
         built.state = std::make_shared<
             std::pair<std::shared_ptr<XmlPublisherImport>, std::shared_ptr<XmlImportForm>>>(import,
                                                                                             form);
         return built;
       }},
  };
  return entries;
}

}  // namespace zarim::testing
