// "tappt.dat": the appointments of the publishers (kind and dates), fixed records.
#pragma once

#include "core/document.h"
#include "core/file_io.h"

namespace zarim {

void LoadAppointments(CZarimDoc& doc);
// Adds or overwrites the appointment (id, kind).
bool StoreAppointment(CZarimDoc& doc, const AppointmentRecord& a);
// Stages the appointment file into tx when the table holds any; false when it could not
// be staged.
bool StageAppointments(const CZarimDoc& doc, SaveTransaction& tx);

}  // namespace zarim
