// "Privileges of service": five dated appointments of a publisher (kept in the
// appointment table under codes 1-5), special servant and field missionary.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/document.h"
#include "records/publisher_form.h"
#include "records/record_dates.h"

namespace zarim {

enum AppointmentCode : uint16_t {
  kApptServant = 1,
  kApptElder = 2,
  kApptRegular = 3,
  kApptContinuousAux = 4,
  kApptSpecial = 5,
  kApptConsent = 20,  // consent for the use of personal data is on file
};

// The entry (id, code), or nullptr.
const AppointmentRecord* FindAppointment(const CZarimDoc& doc, uint16_t id, uint16_t code);
// Removes the entry (id, code) if there is one.
void RemoveAppointment(CZarimDoc& doc, uint16_t id, uint16_t code);

class AppointmentsForm {
 public:
  struct Row {
    bool ticked = false;
    DateParts start, end;
  };
  // Works on the edit form's fields: the ticks follow its boxes and go back on OK.
  AppointmentsForm(CZarimDoc& doc, PublisherForm& publisher);

  std::string Title() const;               // caption, " - ", the publisher's name
  static std::string RowCaption(int row);  // rows 0..4 = codes 1..5
  std::array<Row, 5> rows;
  bool special_servant = false;
  bool field_missionary = false;
  bool row_enabled(int row) const;  // servant and elder only for a male publisher
  bool special_servant_shown() const { return doc_.special_servants_present != 0; }

  // Stores the dates in the appointment table (a row without a start date removes its
  // entry) and hands the ticks back to the edit form.
  void Ok();

 private:
  CZarimDoc& doc_;
  PublisherForm& publisher_;
};

}  // namespace zarim
