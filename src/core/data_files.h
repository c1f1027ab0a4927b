// Loading and saving the data folder: every file of the folder in its order. The
// readers and writers of the single files have a header each, included here.
#pragma once

#include <functional>

#include "core/appointments_file.h"
#include "core/document.h"
#include "core/ext_file.h"
#include "core/file_io.h"
#include "core/folder_files.h"
#include "core/format_options_file.h"
#include "core/keyed_files.h"
#include "core/meetings_file.h"
#include "core/ports.h"
#include "core/publisher_file.h"
#include "core/remark_file.h"

namespace zarim {

// Called between reading the records and reading the meeting and remark files; returning
// false stops the load (the password check of start-up).
using LoadGate = std::function<bool(CZarimDoc&)>;

// Loads the whole folder in its order. False when the gate refused.
bool LoadAll(CZarimDoc& doc, const Clock& clock, const LoadGate& gate = {});
// The two halves of LoadAll: everything up to the password, and the rest.
void LoadRecords(CZarimDoc& doc, const Clock& clock);
void FinishLoad(CZarimDoc& doc);

// Writes every file of the document as one atomic save. keep_marks is false only for the
// save at close. True when every file was written; otherwise the user has been told which
// file failed and the modified flag stays set. Nothing is written in the history view.
bool SaveAll(CZarimDoc& doc, bool keep_marks = true);
// Stages every file that SaveAll writes from the document into tx (whose folder may be
// another one, such as a snapshot's); false when a file could not be staged.
bool StageDocument(CZarimDoc& doc, SaveTransaction& tx);

// Files of the data folder that the next save writes besides the tables (a catalog entry,
// the import maps, the edited extension file): a file queued again replaces its bytes.
void QueueFile(CZarimDoc& doc, std::string_view name, Bytes bytes);
// The queued bytes of name; null when it is not queued.
Bytes* QueuedFile(CZarimDoc& doc, std::string_view name);

// The close-time question. False when the user chose Cancel, or when a save failed and
// the user chose to keep working: the program stays open.
bool CloseDocument(CZarimDoc& doc);

}  // namespace zarim
