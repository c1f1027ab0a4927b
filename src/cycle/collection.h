// Opening, closing and reopening the report collection of the working month, and the
// status-pane text that names the working month.
#pragma once

#include <string>

#include "core/document.h"
#include "cycle/collection_state.h"

namespace zarim {

// "  Working Month = %1" with the working month's name.
std::string WorkingMonthStatusText(const CZarimDoc& doc);

// Reporting is complete: the working month becomes closed.
void CloseCollection(CZarimDoc& doc);

// Marks `month` open without clearing anything (the decision dialog's reopen).
void ReopenCollection(CZarimDoc& doc, int month);

// Every month becomes not initialized, then `month` open (the end of initialization).
void OpenOnlyMonth(CZarimDoc& doc, int month);

// Each time the posting list opens, the month two after the working month is reset to
// not initialized, so that its turn a year later starts from a clean state.
void ResetMonthAfterNext(CZarimDoc& doc);

// Moves the working month to `serial` keeping every unsaved change: the late reports of
// the old month are stored as markers, and the lists, the late list and the posting
// resume identifier are rebuilt for the new month as a reload of the saved files would.
void MoveWorkingMonth(CZarimDoc& doc, int serial);

}  // namespace zarim
