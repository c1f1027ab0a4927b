// The CSV report import: the structure check, the mapping and name map files, and the
// identification of each row's publisher.
#include "exchange/csv_import.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "collection_support.h"
#include "core/strings.h"

namespace zarim::testing {
namespace {

std::optional<CsvTable> Parse(std::string_view text) {
  return ParseCsv(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

TEST(CsvStructure, Cases) {
  struct Case {
    const char* text;
    int rows;  // -1: the file is refused
  } cases[] = {
      {"a,b,c,d\r\n", 0},                      // a header alone yields no rows
      {"a,b,c\r\n1,2,3\r\n", -1},              // a header needs 4 fields
      {"a,b,c,d\r\n1,2,3,4\r\n1,2,3\r\n", 2},  // one fewer: a missing last field
      {"a,b,c,d\r\n1,2,3,4\r\n1,2\r\n", -1},   // two fewer rejects the whole file
      {"a,b,c,d\n1,2,3,4,5\n", -1},            // one more
      {"a,b,c,d\n\n1,2,3,4\n\n", 1},           // empty lines are not lines
      {"", -1},
  };
  for (const Case& c : cases) {
    auto t = Parse(c.text);
    if (c.rows < 0) {
      EXPECT_FALSE(t.has_value()) << c.text;
    } else {
      ASSERT_TRUE(t.has_value()) << c.text;
      EXPECT_EQ(static_cast<int>(t->rows.size()), c.rows) << c.text;
    }
  }
  EXPECT_EQ(SplitCsvLine(R"(  "Able, Adam" ,"say ""hi""",x,)"),
            (std::vector<std::string>{"Able, Adam ", "say \"hi\"", "x", ""}));
  // A line of a megabyte is refused, not split.
  std::string huge = "a,b,c,d\n" + std::string(1 << 20, 'x') + ",1,2,3\n";
  EXPECT_FALSE(Parse(huge).has_value());
}

class CsvImportTest : public ::testing::Test, public CollectionFixture {
 protected:
  CsvImportForm Form(std::string_view text) {
    auto t = Parse(text);
    EXPECT_TRUE(t.has_value());
    return CsvImportForm(doc, t.value_or(CsvTable{}));
  }
};

// The monthly report export with its header: eleven captions each followed by the
// separator, the name quoted in the listed form.
constexpr const char* kMonthlyExport =
    "Name ,Group ,Pios ,Shared ,Bi.St. ,AuxP ,Hours ,Remarks ,Month ,Year ,ID ,\r\n"
    "\"Able, Adam\",1,0,1,2,0,0,\"ill, then better\",\"June\",2026,100,\r\n"
    "\"Baker, Bea\",1,2,1,0,0,52,\"\",\"June\",2026,101,\r\n";

TEST_F(CsvImportTest, MonthlyReportExportWithHeaderIsPosted) {
  doc.format.last_name_first = 1;
  Add(100, "Adam", "Able");
  Add(101, "Bea", "Baker");
  CsvImportForm form = Form(kMonthlyExport);
  EXPECT_FALSE(form.CanContinueMapping());
  form.Map(kCsvNameLastFirst, 0);
  form.Map(kCsvShared, 3);
  form.Map(kCsvStudies, 4);
  form.Map(kCsvHours, 6);
  form.Map(kCsvRemarks, 7);
  EXPECT_TRUE(form.CanContinueMapping());
  EXPECT_EQ(form.MapNote(), "* -> Shared = Hours > 0");
  form.ContinueMapping();
  EXPECT_EQ(form.Unidentified(), 0);
  EXPECT_EQ(form.RowTexts()[0], "Able, Adam -> Able, Adam");
  const std::vector<IncomingReport> reports = form.Finish();
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].id, 100);
  EXPECT_EQ(reports[0].activity[kBibleStudies], 2 | kSharedBit);
  EXPECT_EQ(reports[0].remark, "ill, then better");
  EXPECT_EQ(reports[1].activity[kHours], 52);
  EXPECT_EQ(reports[1].activity[kBibleStudies], kSharedBit);
  EXPECT_EQ(MergeReports(doc, reports, false), 2);
  EXPECT_EQ(doc.FindById(101)->activity[kHours][5][0], 52);

  // The mapping is remembered for a file with the same columns, written with the reports.
  EXPECT_TRUE(dir.Read(kCsvMapFileName).empty());
  ASSERT_TRUE(owner.Save());
  EXPECT_EQ(dir.Read(kCsvMapFileName).size(), kCsvMapFileSize);
  EXPECT_EQ(Form(kMonthlyExport).mapping(), form.mapping());
  CsvImportForm other = Form("First,Last,Hours,Studies,Shared\n");
  for (int c : other.mapping()) EXPECT_EQ(c, -1);
}

TEST_F(CsvImportTest, NameInOtherLetterCaseIsFoundThroughTheNameMapOnceAssociated) {
  Add(100, "Adam", "Able");
  const char* text = "First,Last,Hours,Studies,Remarks\nadam,able,3,1,\nEve,Unknown,1,0,x\n";
  CsvImportForm first = Form(text);
  first.Map(kCsvFirstName, 0);
  first.Map(kCsvLastName, 1);
  first.Map(kCsvHours, 2);
  first.ContinueMapping();
  EXPECT_EQ(first.Unidentified(), 2);
  EXPECT_EQ(first.UnidentifiedText(), "2 unidentified publishers");
  EXPECT_FALSE(first.CanContinueIdentification());
  first.Associate(0, doc.RecordNumberById(100));
  first.SetSkipUnidentified(true);
  EXPECT_TRUE(first.CanContinueIdentification());
  EXPECT_EQ(first.Finish().size(), 1u);
  ASSERT_TRUE(owner.Save());
  EXPECT_EQ(dir.Read(kNameMapFileName).size(), kNameMapEntrySize);

  CsvImportForm second = Form(text);  // the mapping comes from zrmap.dat
  second.ContinueMapping();
  EXPECT_EQ(second.rows()[0].id, 100);
  EXPECT_EQ(second.Unidentified(), 1);
}

TEST_F(CsvImportTest, SpreadsheetUtf8FileIsReadInTheRecordsCodePage) {
  Add(100, "Andr\xE9", "Lee");  // windows-1252
  dir.Write("r.csv",
            "\xEF\xBB\xBF"
            "First,Last,Hours,Studies\nAndr\xC3\xA9,Lee,0,2\n");
  EXPECT_FALSE(LoadCsvImport(doc, dir.File("r.txt")).has_value());  // not ".csv": silently
  EXPECT_TRUE(prompter.messages.empty());
  auto table = LoadCsvImport(doc, dir.File("r.csv"));
  ASSERT_TRUE(table.has_value());
  CsvImportForm form(doc, *table);
  form.Map(kCsvFirstName, 0);
  form.Map(kCsvLastName, 1);
  form.ContinueMapping();
  EXPECT_EQ(form.rows()[0].id, 100);
  dir.Write("bad.csv", "a,b\n");
  EXPECT_FALSE(LoadCsvImport(doc, dir.File("bad.csv")).has_value());
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], Str(Sid::kCsvStructureError));
}

TEST_F(CsvImportTest, AFileThatIsNotReadSaysWhy) {
  const std::string header = "First,Last,Hours,Studies\n";
  dir.Write("big.csv", header + std::string(kMaxCsvFile, '\n'));
  dir.Write("long.csv", header + "Ann," + std::string(kMaxCsvLine, 'x') + ",1,2\n");
  std::filesystem::create_directory(dir.File("folder.csv"));
  const std::pair<const char*, std::string> cases[] = {
      {"big.csv", dir.File("big.csv") + " is larger than 1024 KB, "},
      {"long.csv", "Line 2 of the CSV file is longer than 4096 characters. "},
      {"folder.csv", dir.File("folder.csv") + " is not an ordinary file "},
      {"missing.csv", dir.File("missing.csv") + " could not be read: "},
  };
  for (const auto& [name, start] : cases) {
    prompter.messages.clear();
    EXPECT_FALSE(LoadCsvImport(doc, dir.File(name)).has_value()) << name;
    ASSERT_EQ(prompter.messages.size(), 1u) << name;
    EXPECT_EQ(prompter.messages[0].rfind(start, 0), 0u) << prompter.messages[0];
  }
}

TEST(CsvMapFiles, HostileBytesAreBounded) {
  std::vector<uint8_t> map(kNameMapEntrySize * 310 + 17, 'x');  // no terminators at all
  const std::vector<NameMapEntry> entries = DecodeNameMap(map);
  ASSERT_EQ(entries.size(), static_cast<size_t>(kMaxNameMapEntries));
  EXPECT_EQ(entries[0].listed.size(), 60u);
  EXPECT_EQ(EncodeNameMap(entries).size(), kNameMapEntrySize * kMaxNameMapEntries);
  CsvTable table{{"a", "b", "c", "d"}, {}};
  CsvMapping m;
  m.fill(-1);
  m[kCsvHours] = 3;
  std::vector<uint8_t> block = EncodeCsvMapping(m, table);
  ASSERT_TRUE(DecodeCsvMapping(block, table).has_value());
  block[kCsvHours * 4] = 9;  // a column beyond the file
  EXPECT_FALSE(DecodeCsvMapping(block, table).has_value());
  EXPECT_FALSE(DecodeCsvMapping(std::vector<uint8_t>(839, 0), table).has_value());
}

}  // namespace
}  // namespace zarim::testing
