// Placing records in the sorted publisher table.
#include "records/placing.h"

#include <algorithm>
#include <string>

#include "core/store.h"
#include "core/strings.h"
#include "core/text_codec.h"

namespace zarim {

namespace {

// The sort key of a record with each name trimmed: names typed with trailing blanks
// (older data, imports) are the same names.
std::string TrimmedKey(const CZarimDoc& doc, const PubRecord& r) {
  PubRecord names{};
  SetField(names.first_name, Trim(FieldText(r.first_name)));
  SetField(names.last_name, Trim(FieldText(r.last_name)));
  return doc.SortName(names);
}

bool SameKey(const CZarimDoc& doc, const PubRecord& a, const PubRecord& b) {
  if (a.status == kCircuitOverseer || b.status == kCircuitOverseer) return false;
  return doc.collator().Compare(TrimmedKey(doc, a), TrimmedKey(doc, b)) == 0;
}

// Moves record from to position to, shifting the records between by one place.
void MoveRecord(CZarimDoc& doc, int from, int to) {
  if (from == to) return;
  PubRecord moving = doc.records[from];
  if (from < to) {
    std::copy(doc.records.begin() + from + 1, doc.records.begin() + to + 1,
              doc.records.begin() + from);
  } else {
    std::copy_backward(doc.records.begin() + to, doc.records.begin() + from,
                       doc.records.begin() + from + 1);
  }
  doc.records[to] = moving;
}

// The final pass: an insertion sort that carries a record down while its left neighbour
// sorts after it. Returns where the record that was at position tracked ended up.
int RestoreOrder(CZarimDoc& doc, int tracked) {
  for (int j = 2; j < doc.count; ++j) {
    int k = j;
    while (k > 1 && doc.ComparePlacing(doc.records[k - 1], doc.records[k]) > 0) {
      std::swap(doc.records[k - 1], doc.records[k]);
      if (tracked == k) {
        tracked = k - 1;
      } else if (tracked == k - 1) {
        tracked = k;
      }
      --k;
    }
  }
  return tracked;
}

std::string DuplicateText(const CZarimDoc& doc, const PubRecord& other) {
  return ToUtf8(doc.DisplayName(other), doc.language_code) + " " +
         std::string(Str(Sid::kIsDuplicateName)) + "\n\n";
}

}  // namespace

int PlaceRecord(CZarimDoc& doc, int rec, bool adding) {
  if (rec < 1 || rec >= doc.count) return 0;
  if (doc.count <= 2) return rec;
  const PubRecord& r = doc.records[rec];
  int point = 0;
  int duplicate = 0;
  for (int i = 1; i < doc.count; ++i) {
    if (i == rec) continue;
    const PubRecord& other = doc.records[i];
    if (SameKey(doc, r, other)) {
      // A new active publisher may carry the name of an inactive, deleted or moved one.
      if (adding && r.status == kActive && other.status != kActive) continue;
      duplicate = i;
      break;
    }
    if (doc.ComparePlacing(r, other) < 0) {
      point = i;
      break;
    }
  }

  if (duplicate != 0) {
    std::string text = DuplicateText(doc, doc.records[duplicate]);
    if (!adding) {
      doc.prompter->Ask(text, Buttons::kOk, Answer::kOk);
      return 0;
    }
    // The new record is the last one; it is taken off before the question.
    PubRecord fresh = doc.records[rec];
    doc.records[rec] = PubRecord{};
    --doc.count;
    text += Str(Sid::kOverwriteQuestion);
    if (doc.prompter->Ask(text, Buttons::kYesNo, Answer::kNo) != Answer::kYes) return 0;
    // The overwritten record keeps its identifier: households, remarks, late reports and
    // appointments refer to it by that identifier.
    fresh.id = doc.records[duplicate].id;
    doc.records[duplicate] = fresh;
    return duplicate;
  }

  int target;
  if (point == 0) {
    target = doc.count - 1;
  } else {
    target = point > rec ? point - 1 : point;
  }
  MoveRecord(doc, rec, target);
  target = RestoreOrder(doc, target);
  // Records moved: the lists name them by record number, and a form may show them
  // again before its edit ends.
  RefreshDerivedState(doc);
  return target;
}

uint16_t NewPublisherId(const CZarimDoc& doc) {
  int id = doc.NextFreeId(kFirstValidId);
  return id >= kIdLimit ? 0 : static_cast<uint16_t>(id);
}

PubRecord BlankPublisher(const CZarimDoc& doc) {
  PubRecord r{};
  SetField(r.baptism_date, "        ");
  SetField(r.birth_date, "        ");
  SetField(r.consent_date, "        ");
  r.hope = 'O';
  r.special_circumstances = kCircumstancesSet;
  r.id = NewPublisherId(doc);
  r.status = kActive;
  return r;
}

int ListEntryLimit(uint8_t status) {
  switch (status) {
    case kInactive:
      return kInactiveListLimit;
    case kMoved:
      return kMovedListLimit;
    case kDeleted:
      return kDeletedListLimit;
    default:
      return kMaxStatusList;
  }
}

Room RoomFor(const CZarimDoc& doc, uint8_t status, int people, bool new_records) {
  // Record 0 is the header; the index holds every other record.
  const int records = std::max<int>(doc.count - 1, 0);
  if (new_records && records + people > std::min(kMaxRecords - 1, kMaxIndex))
    return Room::kTableFull;
  if (status > kDeleted) return Room::kYes;  // the circuit overseer is in no list
  // The list as the records hold it, not as a list cut at its capacity shows it.
  int held = 0;
  for (int r = 1; r < doc.count; ++r) held += doc.records[r].status == status;
  return held + people <= ListEntryLimit(status) ? Room::kYes : Room::kListFull;
}

std::string RoomMessage(Room room, uint8_t status) {
  if (room == Room::kYes) return {};
  if (room == Room::kTableFull)
    return Fill(Sid::kPublisherTableFull, std::to_string(std::min(kMaxRecords - 1, kMaxIndex)));
  static constexpr Sid kFull[] = {Sid::kActiveListFull, Sid::kInactiveListFull,
                                  Sid::kStudentListFull, Sid::kMovedListFull,
                                  Sid::kDeletedListFull};
  if (status > kDeleted) return {};
  return Fill(kFull[status], std::to_string(ListEntryLimit(status)));
}

int AddPublisherRecord(CZarimDoc& doc, const PubRecord& r) {
  if (doc.count == 0) doc.ResetHeader();
  if (RoomFor(doc, r.status, 1, true) != Room::kYes) return 0;
  if (r.id < kFirstValidId || (r.id >= kIdLimit && r.id != kCircuitOverseerId)) return 0;
  int rec = doc.count;
  doc.records[rec] = r;
  ++doc.count;
  int placed = PlaceRecord(doc, rec, true);
  if (placed == 0) return 0;
  return placed;
}

bool RemoveRecord(CZarimDoc& doc, int rec) {
  if (rec < 1 || rec >= doc.count) return false;
  std::copy(doc.records.begin() + rec + 1, doc.records.begin() + doc.count,
            doc.records.begin() + rec);
  --doc.count;
  doc.records[doc.count] = PubRecord{};
  RefreshDerivedState(doc);  // the later records moved down
  return true;
}

}  // namespace zarim
