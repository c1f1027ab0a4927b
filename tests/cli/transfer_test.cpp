// zarim-cli transfer: a publisher moves between two demo congregations with every kept
// month, and hostile transfer files leave the receiving folder as it was.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "cli/cli_support.h"
#include "core/data_files.h"
#include "core/month.h"
#include "cycle/slip_queries.h"
#include "demo_congregation.h"
#include "exchange/xml_document.h"

namespace zarim {
namespace {

using testing::CliFolder;
using ::testing::HasSubstr;
using testing::TempDir;

// The sending congregation is two months behind the receiving one: its two oldest months
// lie outside what the receiver keeps.
constexpr Date kSenderToday{2026, 10, 8};

std::unique_ptr<CZarimDoc> LoadCopy(const std::string& folder, const Date& today,
                                    testing::ScriptedPrompter& prompter) {
  TempDir copy;
  for (const auto& [name, bytes] : testing::FolderContents(folder)) copy.Write(name, bytes);
  auto doc = std::make_unique<CZarimDoc>(&prompter);
  doc->data_folder = copy.path();
  FixedClock clock(today);
  EXPECT_TRUE(LoadAll(*doc, clock));
  return doc;
}

std::string Name(const PubRecord& r) {
  return FieldText(r.first_name) + " " + FieldText(r.last_name);
}

TEST(Transfer, EveryKeptMonthMovesIdenticallyAndTheFileMatchesItsSchema) {
  TempDir sender, out;
  demo::DemoOptions options;
  options.today = kSenderToday;
  options.seed = 7;
  std::string error;
  ASSERT_TRUE(demo::WriteDemoFolder(sender.path(), options, &error)) << error;
  CliFolder receiver;
  testing::ScriptedPrompter prompter;
  auto a = LoadCopy(sender.path(), kSenderToday, prompter);
  auto b = receiver.Load();
  // The active publisher with the fullest months whose name the receiver does not have.
  int rec = 0, best = -1;
  for (int i = 1; i < a->count; ++i) {
    const PubRecord& r = a->records[i];
    bool taken = false;
    for (int j = 1; j < b->count; ++j) taken = taken || Name(b->records[j]) == Name(r);
    int score = 0;
    for (int m = 0; m < 12; ++m)
      for (int s = 0; s < 2; ++s)
        score += (r.credit[m][s] != 0) + 2 * HasRemark(*a, r, m, s) + ReportedInMonth(r, m, s);
    if (r.status == kActive && !taken && score > best) rec = i, best = score;
  }
  ASSERT_GT(rec, 0);
  const PubRecord sent = a->records[rec];
  const std::string file = out.File("moving.xml");
  const std::string id = std::to_string(sent.id);
  testing::CliRun run = testing::RunCli({"--data", sender.path(), "--today", "2026-10-08",
                                         "transfer", "export", id, "--to", file, "--moved"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(std::system(("xmllint --noout --schema " ZARIM_SOURCE_DIR "/docs/transfer.xsd " + file +
                         " 2>/dev/null")
                            .c_str()),
            0);
  auto moved = LoadCopy(sender.path(), kSenderToday, prompter);
  EXPECT_EQ(moved->records[moved->RecordNumberById(sent.id)].status, kMoved);

  run = receiver.Run({"transfer", "import", file});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.err, HasSubstr("left out: Oct 2024, Nov 2024"));
  auto c = receiver.Load();
  const int got_rec = c->RecordNumberById(std::atoi(run.out.c_str()));
  ASSERT_GT(got_rec, 0) << run.out;
  const PubRecord* got = &c->records[got_rec];
  EXPECT_EQ(Name(*got), Name(sent));
  EXPECT_EQ(FieldText(got->birth_date), FieldText(sent.birth_date));
  EXPECT_EQ(FieldText(got->baptism_date), FieldText(sent.baptism_date));
  EXPECT_EQ(got->flags, sent.flags & ~(kCustomCategory | kExcludeFromGroupList));
  for (int serial = c->working_serial - 23; serial <= c->working_serial; ++serial) {
    const int m = MonthOfSerial(serial), s = SlotOfSerial(serial);
    const bool kept = serial <= a->working_serial;  // else empty in the new record
    SCOPED_TRACE(serial);
    for (int f = 0; f < 5; ++f)
      EXPECT_EQ(got->activity[f][m][s], kept ? int{sent.activity[f][m][s]} : 0) << f;
    EXPECT_EQ(got->pioneer[m][s] & 3, kept ? sent.pioneer[m][s] & 3 : 0);
    EXPECT_EQ(got->credit[m][s], kept ? int{sent.credit[m][s]} : 0);
    EXPECT_EQ(RemarkText(*c, *got, m, s), kept ? RemarkText(*a, sent, m, s) : "");
  }
}

struct Hostile {
  const char* name;
  std::function<std::string(const std::string&)> make;  // from a good file's text
  const char* says;
};

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(Transfer, HostileFilesAreRefusedAndTheFolderStaysByteIdentical) {
  CliFolder folder;
  TempDir out;
  ASSERT_EQ(folder.Run({"save"}).status, 0);
  const std::string good_file = out.File("good.xml");
  ASSERT_EQ(folder.Run({"transfer", "export", "12", "--to", good_file}).status, 0);
  const Bytes bytes = *ReadFile(good_file);
  const std::string good(bytes.begin(), bytes.end());
  const std::string decl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  const Hostile rows[] = {
      {"huge", [](const std::string& g) { return g + std::string(kMaxXmlFile, ' '); },
       "is larger than"},
      {"truncated", [](const std::string& g) { return g.substr(0, g.size() / 2); },
       "not a whole transfer file"},
      {"wrong version",
       [](const std::string& g) { return Replace(g, "version=\"1\">", "version=\"2\">"); },
       "version 2"},
      {"entities",
       [&](const std::string& g) {
         return Replace(g, decl, decl + "<!DOCTYPE ZarimTransfer [<!ENTITY a \"aaaaaaaa\">]>\n");
       },
       "declares entities"},
      {"document type",
       [&](const std::string& g) { return Replace(g, decl, decl + "<!DOCTYPE ZarimTransfer>\n"); },
       "document type declaration"},
      {"studies",
       [](const std::string& g) { return Replace(g, "studies=\"0\"", "studies=\"1024\""); },
       "\"1024\" of Month studies"},
      {"month 13", [](const std::string& g) { return Replace(g, "month=\"1\"", "month=\"13\""); },
       "of Month month"},
      {"negative", [](const std::string& g) { return Replace(g, "hours=\"0\"", "hours=\"-1\""); },
       "of Month hours"},
      {"long name",
       [](const std::string& g) { return Replace(g, "<FirstName>", "<FirstName>Bartholomew"); },
       "of FirstName"},
      {"unknown element",
       [](const std::string& g) { return Replace(g, "<Person ", "<Group>3</Group><Person "); },
       "\"Group\" of Publisher"},
      {"no person", [](const std::string& g) { return Replace(g, "<Person ", "<Persona "); },
       "\"Persona\" of Publisher"},
  };
  const auto before = folder.Files();
  for (const Hostile& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string text = row.make(good);
    ASSERT_NE(text, good);
    out.Write("hostile.xml", text);
    testing::CliRun run = folder.Run({"transfer", "import", out.File("hostile.xml")});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_THAT(run.err, HasSubstr(row.says));
    EXPECT_EQ(folder.Files(), before);
  }
  EXPECT_EQ(folder.Run({"transfer", "import", good_file}).status, 1);  // a duplicate name
  EXPECT_EQ(folder.Files(), before);
}

}  // namespace
}  // namespace zarim
