#include "cycle/congregation_view.h"

#include <algorithm>

namespace zarim {

namespace {
constexpr int kLastTwoDigitYear = 99;
}

CongregationView::CongregationView(const CZarimDoc& doc) : doc_(doc) {}

std::span<const int> CongregationView::ActivePublishers() const {
  if (active_) return *active_;
  active_.emplace();
  const CZarimDoc& doc = doc_;
  const auto& list = doc.lists[kActive];
  const int n = std::min(std::clamp(doc.status_count[kActive], 0, kMaxStatusList),
                         static_cast<int>(list.size()));
  for (int i = 0; i < n; ++i) {
    const int rec = list[static_cast<size_t>(i)].rec;
    if (rec > 0 && rec < doc.count && rec < static_cast<int>(doc.records.size()) &&
        doc.records[static_cast<size_t>(rec)].status == kActive)
      active_->push_back(rec);
  }
  return *active_;
}

std::optional<MonthCursor> CongregationView::WorkingMonth() const {
  if (doc_.working_month > 11 || doc_.working_year < 0 || doc_.working_year > kLastTwoDigitYear)
    return std::nullopt;
  return MonthCursor{doc_.working_month, SlotOfYear(doc_.working_year), doc_.working_year};
}

std::optional<int> CongregationView::SlotOf(int month) const {
  if (month < 0 || month > 11 || !WorkingMonth()) return std::nullopt;
  return doc_.SlotOfMonth(month);
}

std::span<const LateReportEntry> CongregationView::LateReports() const {
  const size_t n = std::min({static_cast<size_t>(doc_.late_count),
                             static_cast<size_t>(kMaxLateEntries), doc_.late.size()});
  return std::span(doc_.late).first(n);
}

std::vector<LateReportEntry> CongregationView::LateReportsOf(int rec) const {
  std::vector<LateReportEntry> out;
  if (rec <= 0 || rec >= doc_.count || rec >= static_cast<int>(doc_.records.size())) return out;
  const PubRecord& r = doc_.records[static_cast<size_t>(rec)];
  if (r.status == kDeleted) return out;
  for (const LateReportEntry& e : LateReports())
    if (e.id == r.id && SlotOf(e.month) && e.posted >= 1 && e.posted <= 12) out.push_back(e);
  return out;
}

int CongregationView::PioneerCodeNow(const PubRecord& r) const {
  const auto now = WorkingMonth();
  return now ? r.pioneer[now->month][now->slot] & 0x03 : 0;
}

}  // namespace zarim
