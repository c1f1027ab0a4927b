// "Privileges of service".
#include "records/appointments_form.h"

#include "core/data_files.h"
#include "core/strings.h"

namespace zarim {

const AppointmentRecord* FindAppointment(const CZarimDoc& doc, uint16_t id, uint16_t code) {
  for (int i = 0; i < doc.appointment_count; ++i)
    if (doc.appointments[i].id == id && doc.appointments[i].kind == code)
      return &doc.appointments[i];
  return nullptr;
}

void RemoveAppointment(CZarimDoc& doc, uint16_t id, uint16_t code) {
  for (int i = 0; i < doc.appointment_count; ++i) {
    AppointmentRecord& a = doc.appointments[i];
    if (a.id == id && a.kind == code) {
      // The save leaves out entries without identifier and kind.
      a = AppointmentRecord{};
    }
  }
}

namespace {
bool* Tick(PublisherFields& f, int row) {
  switch (row) {
    case 0:
      return &f.servant;
    case 1:
      return &f.elder;
    case 2:
      return &f.regular;
    case 3:
      return &f.continuous_aux;
    default:
      return &f.special;
  }
}
}  // namespace

AppointmentsForm::AppointmentsForm(CZarimDoc& doc, PublisherForm& publisher)
    : doc_(doc), publisher_(publisher) {
  PublisherFields& f = publisher.fields();
  for (int i = 0; i < 5; ++i) {
    rows[i].ticked = *Tick(f, i);
    if (const AppointmentRecord* a =
            FindAppointment(doc, publisher.id(), static_cast<uint16_t>(i + 1))) {
      rows[i].start = ParseRecordDate(FieldText(a->start_date));
      rows[i].end = ParseRecordDate(FieldText(a->end_date));
    }
  }
  special_servant = f.special_servant;
  field_missionary = f.field_missionary;
}

std::string AppointmentsForm::Title() const {
  return std::string(Str(Sid::kPrivilegesTitle)) + std::string(Str(Sid::kTitleSeparator)) +
         publisher_.DisplayName();
}

std::string AppointmentsForm::RowCaption(int row) {
  static constexpr Sid kCaptions[] = {Sid::kMinisterialServant, Sid::kElder, Sid::kRegularPioneer,
                                      Sid::kContinuousAuxPioneer, Sid::kSpecialPioneer};
  return row >= 0 && row < 5 ? std::string(Str(kCaptions[row])) : std::string();
}

bool AppointmentsForm::row_enabled(int row) const { return row >= 2 || publisher_.fields().male; }

void AppointmentsForm::Ok() {
  PublisherFields& f = publisher_.fields();
  const uint16_t id = publisher_.id();
  for (int i = 0; i < 5; ++i) {
    if (!row_enabled(i)) continue;
    *Tick(f, i) = rows[i].ticked;
    const uint16_t code = static_cast<uint16_t>(i + 1);
    std::string start = FormatRecordDate(rows[i].start);
    if (start == "        ") {
      if (FindAppointment(doc_, id, code)) RemoveAppointment(doc_, id, code);
      continue;
    }
    AppointmentRecord a{};
    a.id = id;
    a.kind = code;
    SetField(a.start_date, start);
    SetField(a.end_date, FormatRecordDate(rows[i].end));
    StoreAppointment(doc_, a);
  }
  f.special_servant = special_servant;
  f.field_missionary = field_missionary;
}

}  // namespace zarim
