// zarim-cli overview, pioneer-ytd and ytd-summary: the Quick Overview's figures, a
// regular pioneer's service year with credits, and the year-to-date activity summary.
#include <ostream>

#include "cli/cli.h"
#include "cli/json.h"
#include "core/month.h"
#include "reports/overview.h"
#include "reports/year_to_date.h"

namespace zarim::cli {
namespace {

void Period(Json& j, const char* key, const OverviewPeriod& p) {
  j.Key(key).BeginObject();
  j.Field("aux_pioneers", p.aux_pioneers);
  j.Field("new_publishers", p.new_publishers);
  j.Field("inactive", p.inactive);
  j.Field("reactivated", p.reactivated);
  j.Field("moveouts", p.moveouts);
  j.EndObject();
}

Outcome Overview(Context& ctx) {
  const bool json = TakeFlag(ctx.args, "--json");
  if (!ctx.args.empty()) {
    ctx.err << "zarim-cli: overview takes only --json\n";
    return Outcome::kUsage;
  }
  const QuickOverview o = ComputeQuickOverview(ctx.doc);
  if (!json) {
    for (const auto& [label, value] : QuickOverviewLines(o))
      ctx.out << label << '\t' << value << '\n';
    return Outcome::kDone;
  }
  Json j(ctx.out);
  j.BeginObject();
  j.Field("working_month", ctx.doc.working_month + 1);
  j.Field("working_year", 2000 + ctx.doc.working_year);
  j.Field("active", o.active);
  j.Field("regular", o.regular);
  j.Field("baptized", o.baptized);
  j.Field("regular_pioneers", o.regular_pioneers);
  j.Field("elders", o.elders);
  j.Field("servants", o.servants);
  j.Field("aux_pioneers", o.aux_pioneers);
  j.Field("avg_hours_publishers", o.avg_pubs);
  j.Field("avg_hours_pioneers", o.avg_pios);
  j.Field("avg_hours_auxiliary", o.avg_aux);
  Period(j, "service_year", o.service_year);
  Period(j, "six_months", o.six_months);
  if (o.custom_defined) {
    j.Field("custom_category", o.custom_name);
    j.Field("custom_count", o.custom_count);
  }
  j.Field("deaf", o.deaf);
  j.Field("blind", o.blind);
  j.Field("incarcerated", o.incarcerated);
  j.Key("months").BeginArray();
  for (const OverviewMonth& m : o.months) {
    j.BeginObject();
    j.Field("month", m.month + 1);
    j.Field("reports", m.reports);
    j.Field("midweek", m.midweek);
    j.Field("weekend", m.weekend);
    j.EndObject();
  }
  j.EndArray();
  j.EndObject();
  return Outcome::kDone;
}

Outcome PioneerYtd(Context& ctx) {
  const bool previous = TakeFlag(ctx.args, "--previous");
  if (ctx.args.size() != 1) {
    ctx.err << "zarim-cli: pioneer-ytd ID [--previous]\n";
    return Outcome::kUsage;
  }
  int rec = 0;
  if (Outcome o = FindPublisher(ctx, ctx.args[0], &rec); o != Outcome::kDone) return o;
  PioneerYtdForm form(ctx.doc);
  if (!form.SelectId(ctx.doc.records[rec].id)) {
    ctx.err << "zarim-cli: " << ctx.args[0] << " is not a regular pioneer this month\n";
    return Outcome::kRefused;
  }
  form.SetPrevious(previous);
  for (const std::string& line : form.TextLines()) ctx.out << line << '\n';
  return Outcome::kDone;
}

}  // namespace

int YtdCategoryArg(const std::string& c) {
  return c == "publishers" || c == "0"  ? 0
         : c == "auxiliary" || c == "1" ? 1
         : c == "regular" || c == "2"   ? 2
                                        : -1;
}

int YtdPeriodArg(const std::optional<std::string>& period) {
  return !period || *period == "year" ? 1 : *period == "six" ? 0 : *period == "twelve" ? 2 : -1;
}

namespace {

Outcome YtdSummary(Context& ctx) {
  const bool branch = TakeFlag(ctx.args, "--branch");
  std::optional<std::string> period = TakeOption(ctx.args, "--period");
  const char* kUsage =
      "zarim-cli: ytd-summary (publishers|auxiliary|regular) [--branch] "
      "[--period six|year|twelve]\n";
  if (ctx.args.size() != 1) {
    ctx.err << kUsage;
    return Outcome::kUsage;
  }
  const int category = YtdCategoryArg(ctx.args[0]);
  const int p = YtdPeriodArg(period);
  if (category < 0 || p < 0) {
    ctx.err << kUsage;
    return Outcome::kUsage;
  }
  YtdSummaryForm form(ctx.doc);
  form.SetCategory(category);
  form.SetPeriod(p);
  form.SetFromBranch(branch);
  for (const std::string& line : form.TextLines()) ctx.out << line << '\n';
  return Outcome::kDone;
}

}  // namespace

ZARIM_CLI_COMMAND("overview", Access::kReads,
                  "overview [--json]        the Quick Overview's figures", Overview);
ZARIM_CLI_COMMAND(
    "pioneer-ytd", Access::kReads,
    "pioneer-ytd ID [--previous] a regular pioneer's hours and credits this service year",
    PioneerYtd);
ZARIM_CLI_COMMAND(
    "ytd-summary", Access::kReads,
    "ytd-summary (publishers|auxiliary|regular) [--branch] [--period six|year|twelve]", YtdSummary);

}  // namespace zarim::cli
