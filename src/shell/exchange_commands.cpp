// The commands of File > "Export or Import": the seven delimited exports, "Export to XML",
// "Import from XML" and the import of a transfer file.
#include <QFileDialog>

#include "core/command_ids.h"
#include "core/settings.h"
#include "core/strings.h"
#include "cycle/congregation.h"
#include "exchange/exchange_forms.h"
#include "exchange/exports.h"
#include "exchange/transfer_import_form.h"
#include "exchange/xml_publisher_file.h"
#include "records/group_picker_form.h"
#include "shell/commands.h"
#include "shell/dialogs/backup_dialog.h"
#include "shell/dialogs/dialog_kit.h"
#include "shell/dialogs/exchange_dialogs.h"
#include "shell/dialogs/group_picker_dialog.h"
#include "shell/dialogs/transfer_import_dialog.h"
#include "shell/feature_commands.h"
#include "shell/main_window.h"

namespace zarim {

namespace {

void Export(CMainFrame& frame, ExportKind kind, const ExportOptions& options = {}) {
  std::string path = WriteExport(frame.doc(), kind, options);
  if (path.empty()) return;
  frame.ShowStatusMessage(Fill(Sid::kStatusExported, path));
  if (frame.services().desktop)
    OfferExportsFolder(frame.doc(), *frame.services().desktop, kind, path);
}

void ImportXml(CMainFrame& frame) {
  CZarimDoc& doc = frame.doc();
  const ShellServices& services = frame.services();
  const Date today = services.clock ? services.clock->Today() : Date{};
  if (services.settings &&
      BackupDueBeforeImport(services.settings->ini().GetString(Str(Sid::kBackupSection),
                                                               Str(Sid::kBackupLastKey), ""),
                            today) &&
      frame.prompter().Ask(Str(Sid::kAskBackupBeforeImport), Buttons::kYesNo, Answer::kYes) ==
          Answer::kYes) {
    if (services.congregation) services.congregation->Save();
    RunBackupDialog(frame, false);
  }
  const QString file =
      QFileDialog::getOpenFileName(frame.dialog_parent(), Q(Sid::kXmlSelectImport),
                                   Q(doc.data_folder), Q(Sid::kXmlFilter) + " (*.xml)");
  const std::string path = StdStr(file);
  if (!IsXmlFileName(path)) return;
  XmlPublisherImport import(doc);
  if (!import.Open(path)) return;
  XmlImportForm form(doc, import);
  if (!RunXmlImportDialog(frame.dialog_parent(), form)) return;
  if (import.Apply(form.Chosen(), form.update) > 0 && services.congregation)
    services.congregation->Save();
}

// A publisher who moved here, added from his transfer file in one edit of the folder.
void ImportTransferFile(CMainFrame& frame) {
  Congregation* owner = frame.services().congregation;
  if (!owner) return;
  EditScope edit = owner->Edit("transfer import");
  TransferImportForm form(edit.doc());
  if (!RunTransferImportDialog(frame.dialog_parent(), form)) return;  // nothing changed
  edit.Commit();
  owner->Save();
}

}  // namespace

void RegisterExchangeCommands(CommandTable& table) {
  table.Add(kCmdExportMonthlyReport, [](CMainFrame& frame) {
    ExportDataForm form(frame.doc());
    if (RunExportDataDialog(frame.dialog_parent(), form))
      Export(frame, ExportKind::kMonthly, form.Options());
  });
  table.Add(kCmdExportSummary, [](CMainFrame& frame) { Export(frame, ExportKind::kSummary); });
  table.Add(kCmdExportAttendance,
            [](CMainFrame& frame) { Export(frame, ExportKind::kAttendance); });
  table.Add(kCmdExportContacts, [](CMainFrame& frame) { Export(frame, ExportKind::kContacts); });
  table.Add(kCmdExportEmergency, [](CMainFrame& frame) { Export(frame, ExportKind::kEmergency); });
  table.Add(kCmdExportCardHeaders,
            [](CMainFrame& frame) { Export(frame, ExportKind::kCardHeaders); });
  table.Add(kCmdExportCollectionCsv, [](CMainFrame& frame) {
    int group =
        RunGroupPickerDialog(frame.dialog_parent(), frame.doc(), GroupPickerForm::Purpose::kChoose);
    if (group == 0) return;  // Cancel writes nothing
    ExportOptions options;
    options.group = group;
    Export(frame, ExportKind::kCollectionList, options);
  });
  table.Add(kCmdExportXml, [](CMainFrame& frame) {
    XmlExportForm form(frame.doc());
    if (!RunXmlExportDialog(frame.dialog_parent(), form)) return;
    const Date today = frame.services().clock ? frame.services().clock->Today() : Date{};
    const std::string path =
        ExportPublisherXml(frame.doc(), form.list(), form.ChosenRecords(), today);
    if (!path.empty()) frame.ShowStatusMessage(Fill(Sid::kStatusExported, path));
  });
  table.Add(kCmdImportXml, ImportXml);
  table.Add(kCmdImportTransfer, ImportTransferFile);
}

}  // namespace zarim
