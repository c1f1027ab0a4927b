// The commands that show or rewrite the whole folder: info, dump, save.
#include <iomanip>
#include <ostream>

#include "cli/cli.h"
#include "cli/json.h"
#include "core/data_files.h"
#include "core/file_names.h"
#include "core/month.h"
#include "core/older_files.h"
#include "core/strings.h"
#include "cycle/congregation.h"

namespace zarim::cli {
namespace {

const char* kStatusNames[] = {"active", "inactive", "non-publisher",
                              "moved",  "deleted",  "circuit overseer"};

Outcome Info(Context& ctx) {
  CZarimDoc& doc = ctx.doc;
  auto& out = ctx.out;
  // A damaged working month is shown as its stored numbers rather than read out of the
  // month names.
  if (const auto now = ctx.owner->View().WorkingMonth())
    out << "Working month: " << MonthName(now->month) << " " << 2000 + now->year << "\n";
  else
    out << "Working month: " << doc.working_month + 1 << "/" << 2000 + doc.working_year << "\n";
  // A folder of the earlier version is converted in memory; "save" writes it anew.
  if (doc.converted)
    out << "Converted from an earlier version: " << ConvertedCountsText(doc) << "\n";
  out << "Records: " << (doc.count > 0 ? doc.count - 1 : 0) << "\n";
  for (int s = 0; s <= kCircuitOverseer; ++s)
    out << "  " << kStatusNames[s] << ": " << doc.CountStatus(s) << "\n";
  out << "Groups: " << static_cast<int>(doc.groups.count) << "\n";
  int members_of[kMaxGroups + 1] = {};
  for (int r = 1; r < doc.count; ++r)
    if (doc.records[r].status == kActive && doc.records[r].group > 0 &&
        doc.records[r].group <= kMaxGroups)
      ++members_of[doc.records[r].group];
  for (int g = 0; g < doc.groups.count && g < kMaxGroups; ++g) {
    const int members = members_of[g + 1];
    out << "  #" << g + 1 << " " << Utf8(doc, FieldText(doc.groups.overseer[g])) << " (" << members
        << " active)\n";
  }
  out << "Remarks: " << (doc.remark_count > 0 ? doc.remark_count - 1 : 0) << "\n";
  out << "Late reports: " << doc.late_count << "\n";
  out << "Appointments: " << doc.appointment_count << "\n";
  out << "Extension records: " << (doc.ext_count > 0 ? doc.ext_count - 1 : 0) << "\n";
  out << "Emergency contacts: " << doc.emergency_count << "\n";
  out << "Special needs: " << doc.special_needs_count << "\n";
  out << "Files:\n";
  for (std::string_view f :
       {kFilePublishers, kFileTotals, kFileGroups, kFileMeetings, kFileAppointments, kFileRemarks,
        kFileExtension, kFileEmergency, kFileSpecialNeeds, kFileLessThanHour, kFileFormatOptions,
        kFileSettings}) {
    std::string name(f);
    out << "  " << std::left << std::setw(12) << name << std::right << std::setw(9)
        << FileLength(doc, name) << "\n";
  }
  return Outcome::kDone;
}

void Text(Json& j, const CZarimDoc& doc, std::string_view key, const char* field, size_t n) {
  j.Field(key, Utf8(doc, FieldText(field, n)));
}

template <typename Cell>
void Cells(Json& j, std::string_view key, const Cell (&cells)[12][3]) {
  j.Key(key).BeginArray();
  for (int m = 0; m < 12; ++m) {
    j.BeginArray();
    for (int s = 0; s < 3; ++s) j.Value(static_cast<int>(cells[m][s]));
    j.EndArray();
  }
  j.EndArray();
}

void DumpRecord(Json& j, const CZarimDoc& doc, const PubRecord& r) {
  j.BeginObject();
  j.Field("id", static_cast<int>(r.id));
  Text(j, doc, "first_name", r.first_name, sizeof r.first_name);
  Text(j, doc, "last_name", r.last_name, sizeof r.last_name);
  Text(j, doc, "address", r.address, sizeof r.address);
  Text(j, doc, "home_phone", r.home_phone, sizeof r.home_phone);
  Text(j, doc, "mobile_phone", r.mobile_phone, sizeof r.mobile_phone);
  Text(j, doc, "other_phone", r.other_phone, sizeof r.other_phone);
  Text(j, doc, "baptism_date", r.baptism_date, sizeof r.baptism_date);
  Text(j, doc, "birth_date", r.birth_date, sizeof r.birth_date);
  Text(j, doc, "consent_date", r.consent_date, sizeof r.consent_date);
  j.Field("consent", static_cast<int>(r.consent));
  j.Field("hope", std::string(1, r.hope ? r.hope : ' '));
  j.Field("group", static_cast<int>(r.group));
  j.Field("ext_key", static_cast<int>(r.ext_key));
  j.Field("emergency_key", static_cast<int>(r.emergency_key));
  j.Field("household_head", static_cast<int>(r.household_head));
  j.Field("special_needs_key", static_cast<int>(r.special_needs_key));
  j.Field("status_stamp", static_cast<int>(r.status_stamp));
  j.Field("service_flags", static_cast<int>(r.service_flags));
  j.Field("special_circumstances", static_cast<int>(r.special_circumstances));
  j.Field("linked_id", static_cast<int>(r.linked_id));
  j.Field("status", static_cast<int>(r.status));
  j.Field("status_month", static_cast<int>(r.status_month));
  j.Field("status_year", static_cast<int>(r.status_year));
  j.Field("flags", static_cast<int>(r.flags));
  Cells(j, "pioneer", r.pioneer);
  const char* fields[] = {"placements", "videos", "hours", "return_visits", "bible_studies"};
  for (int f = 0; f < 5; ++f) Cells(j, fields[f], r.activity[f]);
  Cells(j, "remark", r.remark);
  Cells(j, "credit", r.credit);
  Cells(j, "year_tag", r.year_tag);
  Cells(j, "late", r.late);
  j.EndObject();
}

Outcome Dump(Context& ctx) {
  const CZarimDoc& doc = ctx.doc;
  Json j(ctx.out);
  j.BeginObject();
  j.Field("working_month", doc.working_month + 1);
  j.Field("working_year", 2000 + doc.working_year);
  j.Field("working_serial", static_cast<int>(doc.working_serial));
  j.Field("resume_id", static_cast<int>(doc.resume_id));
  j.Key("collection_state").BeginArray();
  for (int m = 0; m < 12; ++m)
    j.Value(static_cast<int>(static_cast<uint8_t>(doc.header().other_phone[m])));
  j.EndArray();
  j.Key("records").BeginArray();
  for (int r = 1; r < doc.count; ++r) DumpRecord(j, doc, doc.records[r]);
  j.EndArray();
  j.Key("groups").BeginArray();
  for (int g = 0; g < doc.groups.count && g < kMaxGroups; ++g) {
    j.BeginObject();
    j.Field("number", g + 1);
    j.Field("overseer", Utf8(doc, FieldText(doc.groups.overseer[g])));
    j.Field("assistant", Utf8(doc, FieldText(doc.groups.assistant[g])));
    j.Field("location", Utf8(doc, FieldText(doc.groups.location[g])));
    j.Field("name", Utf8(doc, FieldText(doc.groups.name[g])));
    j.Field("time", Utf8(doc, FieldText(doc.groups.time[g])));
    j.Field("day", static_cast<int>(doc.groups.day[g]));
    j.Field("use_name", static_cast<int>(doc.groups.use_name[g]));
    j.EndObject();
  }
  j.EndArray();
  j.Key("remarks").BeginArray();
  for (int i = 1; i < doc.remark_count; ++i) {
    const RemarkEntry& e = doc.remarks[i];
    j.BeginObject()
        .Field("index", i)
        .Field("id", static_cast<int>(e.id))
        .Field("month", static_cast<int>(e.month));
    j.Field("slot", static_cast<int>(e.slot)).Field("text", Utf8(doc, FieldText(e.text)));
    j.EndObject();
  }
  j.EndArray();
  j.Key("late_reports").BeginArray();
  for (const LateReportEntry& e : ctx.owner->View().LateReports()) {
    j.BeginObject().Field("id", static_cast<int>(e.id)).Field("month", e.month + 1);
    j.Field("posted", static_cast<int>(e.posted)).EndObject();
  }
  j.EndArray();
  j.Key("attendance").BeginArray();
  for (int b = 0; b < 2; ++b) {
    const AttendanceBlock& a = doc.attendance[b];
    j.BeginObject().Field("name", Utf8(doc, FieldText(a.name)));
    j.Key("weeks").BeginArray();
    for (int w = 0; w < 5; ++w) {
      j.BeginArray();
      for (int m = 0; m < 12; ++m)
        for (int s = 0; s < 3; ++s) j.Value(static_cast<int>(a.week[w][m][s]));
      j.EndArray();
    }
    j.EndArray();
    Cells(j, "meetings", a.meetings);
    Cells(j, "total", a.total);
    Cells(j, "average", a.average);
    j.EndObject();
  }
  j.EndArray();
  j.Key("totals").BeginArray();
  for (int m = 0; m < 12; ++m) {
    j.BeginArray();
    for (int c = 0; c < 36; ++c)
      for (int s = 0; s < 2; ++s) j.Value(static_cast<int>(doc.totals.value[m][c][s]));
    j.EndArray();
  }
  j.EndArray();
  j.Key("appointments").BeginArray();
  for (int i = 0; i < doc.appointment_count; ++i) {
    const AppointmentRecord& a = doc.appointments[i];
    j.BeginObject().Field("id", static_cast<int>(a.id)).Field("kind", static_cast<int>(a.kind));
    j.Field("start", Utf8(doc, FieldText(a.start_date)))
        .Field("end", Utf8(doc, FieldText(a.end_date)));
    j.EndObject();
  }
  j.EndArray();
  j.Key("extensions").BeginArray();
  for (int n = 1; n < doc.ext_count; ++n) {
    if (!ReadExt(ctx.doc, n, doc.ext_index[n].key)) continue;
    const ExtRecord& e = doc.current_ext;
    j.BeginObject().Field("record", n).Field("key", static_cast<int>(e.key));
    j.Field("long_name", Utf8(doc, FieldText(e.long_name)))
        .Field("email", Utf8(doc, FieldText(e.email)));
    j.Field("other", Utf8(doc, FieldText(e.other))).EndObject();
  }
  j.EndArray();
  j.Key("emergency_keys").BeginArray();
  for (int i = 0; i < doc.emergency_count; ++i)
    j.Value(static_cast<int>(doc.emergency_index[i].key));
  j.EndArray();
  j.Key("special_needs_keys").BeginArray();
  for (int i = 0; i < doc.special_needs_count; ++i)
    j.Value(static_cast<int>(doc.special_needs_index[i].key));
  j.EndArray();
  j.Key("format").BeginObject();
  j.Field("last_name_first", static_cast<int>(doc.format.last_name_first));
  j.Field("alternate_date", static_cast<int>(doc.format.alternate_date));
  j.Field("birth_baptism_stats", static_cast<int>(doc.format.birth_baptism_stats));
  j.EndObject();
  j.EndObject();
  return Outcome::kDone;
}

// The folder is saved after the command, as after every changing command, even when
// nothing in it changed.
Outcome Save(Context& ctx) {
  ctx.owner->MarkUnsaved();
  return Outcome::kDone;
}

// info shows counts, the groups and the file sizes only: the texts of the records, their
// name order and the contents of the keyed files are not loaded.
ZARIM_CLI_COMMAND("info", Access::kReads,
                  "info                      working month, counts, groups and files", Info, {},
                  LoadDepth::kCounts);
ZARIM_CLI_COMMAND("dump", Access::kReads, "dump                      the whole document as JSON",
                  Dump);
ZARIM_CLI_COMMAND("save", Access::kWrites,
                  "save                      load and save the folder again", Save);

}  // namespace
}  // namespace zarim::cli
