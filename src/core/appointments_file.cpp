// "tappt.dat": the appointments of the publishers (kind and dates), fixed records.
#include "core/appointments_file.h"

#include <algorithm>
#include <cstring>

#include "core/file_names.h"
#include "core/file_read.h"
#include "core/strings.h"

namespace zarim {

void LoadAppointments(CZarimDoc& doc) {
  // The file is read straight into the table; what lies after its whole records (a cut
  // last record, or entries of an earlier load) is cleared.
  const std::optional<size_t> got =
      ReadFileInto(ResolvePath(doc.FolderForFiles(), kFileAppointments),
                   static_cast<void*>(doc.appointments.data()),
                   doc.appointments.size() * sizeof(AppointmentRecord));
  const size_t n = got ? *got / sizeof(AppointmentRecord) : 0;
  std::fill(doc.appointments.begin() + static_cast<long>(n), doc.appointments.end(),
            AppointmentRecord{});
  doc.appointment_count = static_cast<int>(n);
}

bool StoreAppointment(CZarimDoc& doc, const AppointmentRecord& a) {
  for (int i = 0; i < doc.appointment_count; ++i) {
    AppointmentRecord& e = doc.appointments[i];
    if (e.id == a.id && e.kind == a.kind) {
      e = a;
      return true;
    }
  }
  if (doc.appointment_count >= kMaxAppointments) return false;
  doc.appointments[doc.appointment_count++] = a;
  return true;
}

namespace {

Bytes AppointmentImage(const CZarimDoc& doc) {
  Bytes out;
  for (int k = 0; k < doc.appointment_count; ++k) {
    const AppointmentRecord& e = doc.appointments[k];
    if (e.id == 0 || e.kind == 0) continue;
    if (!(Trim(FieldText(e.start_date)).size() > 7 || e.kind == 20)) continue;
    bool earlier = false;
    for (int j = 0; j < k && !earlier; ++j)
      earlier = doc.appointments[j].id == e.id && doc.appointments[j].kind == e.kind;
    if (earlier) continue;
    const auto* p = reinterpret_cast<const uint8_t*>(&e);
    out.insert(out.end(), p, p + sizeof e);
  }
  return out;
}

}  // namespace

bool StageAppointments(const CZarimDoc& doc, SaveTransaction& tx) {
  if (doc.appointment_count >= 1 && doc.appointment_count <= kMaxAppointments) {
    Bytes appts = AppointmentImage(doc);
    return tx.Stage(kFileAppointments, appts.data(), appts.size());
  }
  return true;
}

}  // namespace zarim
