// zarim-cli publisher add|edit|delete: publisher records through the same forms as the
// "Edit Publisher Information" and "Delete" dialogs.
#include <cstdio>
#include <ostream>

#include "cli/cli.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "records/delete_form.h"
#include "records/placing.h"
#include "records/publisher_form.h"

namespace zarim::cli {
namespace {

bool ParseDateOption(const std::string& text, DateParts* out, std::ostream& err) {
  if (text == "none" || text.empty()) {
    *out = DateParts{};
    return true;
  }
  int y = 0, m = 0, d = 0;
  char extra = 0;
  int n = std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &extra);
  if ((n == 2 || n == 3) && y >= 1000 && y <= 9999 && m >= 1 && m <= 12 &&
      (n == 2 || (d >= 1 && d <= 31))) {
    *out = DateParts{m, n == 3 ? d : 0, y};
    return true;
  }
  err << "zarim-cli: a date is YYYY-MM-DD, YYYY-MM or none: '" << text << "'\n";
  return false;
}

bool SetFlag(PublisherForm& form, const std::string& name, bool on, std::ostream& err) {
  PublisherFields& f = form.fields();
  if (name == "family-head") {
    if (!form.SetFamilyHead(on)) {
      err << "zarim-cli: the family head still has members in the household\n";
      return false;
    }
    return true;
  }
  struct Named {
    const char* name;
    bool* field;
  } flags[] = {{"continuous-aux", &f.continuous_aux},
               {"custom", &f.custom},
               {"deaf", &f.deaf},
               {"blind", &f.blind},
               {"incarcerated", &f.incarcerated},
               {"special-servant", &f.special_servant},
               {"field-missionary", &f.field_missionary},
               {"consent", &f.consent}};
  for (auto& n : flags)
    if (name == n.name) {
      *n.field = on;
      return true;
    }
  err << "zarim-cli: unknown flag '" << name
      << "' (family-head, continuous-aux, custom, deaf, blind, "
      << "incarcerated, special-servant, field-missionary, consent)\n";
  return false;
}

// Applies the field options to the form; false on a bad value (reported).
bool ApplyOptions(Context& ctx, PublisherForm& form) {
  auto& args = ctx.args;
  PublisherFields& f = form.fields();
  struct TextOption {
    const char* name;
    TextField field;
  } texts[] = {{"--first", TextField::kFirst},     {"--last", TextField::kLast},
               {"--address", TextField::kAddress}, {"--home", TextField::kHome},
               {"--mobile", TextField::kMobile},   {"--work", TextField::kWork},
               {"--email", TextField::kEmail}};
  for (const auto& t : texts)
    if (auto v = TakeOption(args, t.name)) {
      CapsEdit e = form.NameEdited(t.field, *v, 0);
      f.text[static_cast<int>(t.field)] = e.text;
    }
  struct DateOption {
    const char* name;
    DateParts* date;
  } dates[] = {
      {"--birth", &f.birth}, {"--baptism", &f.baptism}, {"--consent-date", &f.consent_date}};
  for (const auto& d : dates)
    if (auto v = TakeOption(args, d.name))
      if (!ParseDateOption(*v, d.date, ctx.err)) return false;
  if (auto v = TakeOption(args, "--group")) {
    auto g = ParseInt(*v, 0, kMaxGroups, ctx.err, "group");
    if (!g) return false;
    f.group = *g;
  }
  if (auto v = TakeOption(args, "--gender")) {
    if (*v == "m" || *v == "male") {
      form.SetMale(true);
    } else if (*v == "f" || *v == "female") {
      form.SetFemale(true);
    } else if (*v == "none") {
      f.male = f.female = false;
    } else {
      ctx.err << "zarim-cli: --gender takes m, f or none\n";
      return false;
    }
  }
  if (auto v = TakeOption(args, "--hope")) {
    if (*v != "a" && *v != "o" && *v != "anointed" && *v != "other") {
      ctx.err << "zarim-cli: --hope takes anointed (a) or other (o)\n";
      return false;
    }
    f.anointed = (*v)[0] == 'a';
  }
  if (auto v = TakeOption(args, "--privilege")) {
    f.elder = *v == "elder";
    f.servant = *v == "servant";
    f.baptized_brother = *v == "brother";
    if (!f.elder && !f.servant && !f.baptized_brother && *v != "none") {
      ctx.err << "zarim-cli: --privilege takes none, servant, elder or brother\n";
      return false;
    }
  }
  if (auto v = TakeOption(args, "--pioneer")) {
    f.regular = *v == "regular";
    f.special = *v == "special";
    if (!f.regular && !f.special && *v != "none") {
      ctx.err << "zarim-cli: --pioneer takes none, regular or special\n";
      return false;
    }
  }
  while (auto v = TakeOption(args, "--flag"))
    if (!SetFlag(form, *v, true, ctx.err)) return false;
  while (auto v = TakeOption(args, "--no-flag"))
    if (!SetFlag(form, *v, false, ctx.err)) return false;
  if (!args.empty()) {
    ctx.err << "zarim-cli: unknown argument '" << args.front() << "'\n";
    return false;
  }
  return true;
}

Outcome Report(Context& ctx, PublisherForm& form, PublisherForm::Result r) {
  switch (r) {
    case PublisherForm::Result::kStored:
      ctx.out << form.id() << "\t" << form.DisplayName() << "\n";
      return Outcome::kDone;
    case PublisherForm::Result::kInvalid:
      ctx.err << "zarim-cli: the publisher was not stored (check the names and lengths)\n";
      return Outcome::kRefused;
    case PublisherForm::Result::kRefused:
      ctx.err << "zarim-cli: the name is a duplicate; nothing was stored\n";
      return Outcome::kRefused;
    case PublisherForm::Result::kFull:  // the form has said which table or list is full
      return Outcome::kRefused;
    case PublisherForm::Result::kFailed:
      break;
  }
  ctx.err << "zarim-cli: the publisher could not be stored\n";
  return Outcome::kRefused;
}

Outcome Publisher(Context& ctx) {
  auto& args = ctx.args;
  if (args.empty()) {
    ctx.err << "zarim-cli: publisher add|edit ID|delete ID [options]\n";
    return Outcome::kUsage;
  }
  std::string verb = args.front();
  args.erase(args.begin());
  bool student = TakeFlag(args, "--student");
  if (verb == "add") {
    PublisherForm form(ctx.doc, nullptr,
                       student ? PublisherKind::kBibleStudent : PublisherKind::kPublisher);
    if (!ApplyOptions(ctx, form)) return Outcome::kUsage;
    return Report(ctx, form, form.Ok());
  }
  if (args.empty()) {
    ctx.err << "zarim-cli: publisher " << verb << " needs a publisher identifier\n";
    return Outcome::kUsage;
  }
  std::string id = args.front();
  args.erase(args.begin());
  int rec = 0;
  if (Outcome o = FindPublisher(ctx, id, &rec); o != Outcome::kDone) return o;
  const PubRecord* r = &ctx.doc.records[rec];
  if (verb == "edit") {
    PublisherForm form(
        ctx.doc, nullptr,
        r->status == kNonPublisher ? PublisherKind::kBibleStudent : PublisherKind::kPublisher);
    form.Load(rec);
    if (!ApplyOptions(ctx, form)) return Outcome::kUsage;
    return Report(ctx, form, form.Ok());
  }
  if (verb == "delete") {
    DeleteForm del(ctx.doc, rec);
    del.temporary = TakeFlag(args, "--temporary");
    if (auto m = TakeOption(args, "--month")) {
      auto v = ParseMonth(*m, ctx.err);
      if (!v) return Outcome::kUsage;
      del.month = *v;
    }
    if (auto y = TakeOption(args, "--year")) {
      auto v = ParseInt(*y, kFirstDeletionYear, ctx.doc.today_year, ctx.err, "year");
      if (!v) return Outcome::kUsage;
      del.year = *v;
    }
    if (!args.empty()) {
      ctx.err << "zarim-cli: unknown argument '" << args.front() << "'\n";
      return Outcome::kUsage;
    }
    switch (del.Ok()) {
      case DeleteForm::Result::kDeleted:
        return Outcome::kDone;
      case DeleteForm::Result::kRefused:
        ctx.err << "zarim-cli: " << RoomMessage(Room::kListFull, kDeleted) << "\n";
        return Outcome::kRefused;
      case DeleteForm::Result::kFailed:
        break;
    }
    ctx.err << "zarim-cli: the publisher could not be deleted\n";
    return Outcome::kRefused;
  }
  ctx.err << "zarim-cli: publisher add|edit|delete, not '" << verb << "'\n";
  return Outcome::kUsage;
}

ZARIM_CLI_COMMAND(
    "publisher", Access::kWrites,
    "publisher add|edit ID|delete ID  [--student] [--first T] [--last T] [--address T] [--home T]\n"
    "      [--mobile T] [--work T] [--email T] [--birth|--baptism|--consent-date YYYY-MM-DD|none]\n"
    "      [--group N] [--gender m|f|none] [--hope a|o] [--privilege none|servant|elder|brother]\n"
    "      [--pioneer none|regular|special] [--flag NAME]... [--no-flag NAME]...\n"
    "      delete: [--temporary --month M --year YYYY]",
    Publisher);

}  // namespace
}  // namespace zarim::cli
