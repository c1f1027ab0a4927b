// The corrections log's line format: every text survives a round trip, and the reader
// takes any bytes, skipping and counting what is not an entry.
#include "core/corrections_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/file_names.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using namespace std::string_literals;

const std::string kGood = "2026-12-08 14:05\thistory\t112\tAnna Berg\t2026-10\thours\t10\t12.5\n";

TEST(CorrectionsFile, EveryTextSurvivesTheLine) {
  CorrectionEntry e{"2026-12-08 14:05",
                    "post --remark\ta\\b",
                    65535,
                    "J\xC3\xA9r\xC3\xB4me\nX",
                    12,
                    2025,
                    "remark",
                    "old\r\x01",
                    "new \xE2\x82\xAC"};
  const std::string line = FormatCorrectionLine(e);
  EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 7);
  EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
  CorrectionsRead read = ParseCorrections(line + kGood);
  ASSERT_EQ(read.entries.size(), 2u);
  EXPECT_EQ(read.entries[0], e);
  EXPECT_EQ(read.unreadable, 0);
  // Bytes that are not UTF-8 are escaped on writing and shown as U+FFFD on reading.
  e.command = "a\xFF";
  EXPECT_EQ(FormatCorrectionLine(e).substr(17, 6), "a\\xFF\t");
  EXPECT_EQ(ParseCorrections(FormatCorrectionLine(e)).entries[0].command, "a\xEF\xBF\xBD");
}

struct Hostile {
  const char* name;
  std::string bytes;
  size_t entries;
  int unreadable;
};

class CorrectionsHostile : public ::testing::TestWithParam<Hostile> {};

TEST_P(CorrectionsHostile, ReadsWhatIsAnEntryAndCountsTheRest) {
  CorrectionsRead read = ParseCorrections(GetParam().bytes);
  EXPECT_EQ(read.entries.size(), GetParam().entries);
  EXPECT_EQ(read.unreadable, GetParam().unreadable);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CorrectionsHostile,
    ::testing::Values(
        Hostile{"Empty", "", 0, 0}, Hostile{"BlankLines", "\n\r\n\n", 0, 0},
        Hostile{"CrLf", kGood.substr(0, kGood.size() - 1) + "\r\n", 1, 0},
        Hostile{"CutOff", kGood + kGood.substr(0, 30), 1, 1},
        Hostile{"SevenFields", "2026-12-08 14:05\th\t1\tA\t2026-10\thours\t10\n", 0, 1},
        Hostile{"NineFields", "2026-12-08 14:05\th\t1\tA\t2026-10\thours\t1\t2\t3\n", 0, 1},
        Hostile{"UnknownEscape", "2026-12-08 14:05\th\\q\t1\tA\t2026-10\tf\t1\t2\n", 0, 1},
        Hostile{"EscapeAtEnd", "2026-12-08 14:05\th\t1\tA\t2026-10\tf\t1\t2\\\n", 0, 1},
        Hostile{"ShortHex", "2026-12-08 14:05\th\t1\tA\t2026-10\tf\t1\t\\x4\n", 0, 1},
        Hostile{"Month13", "2026-12-08 14:05\th\t1\tA\t2026-13\tf\t1\t2\n", 0, 1},
        Hostile{"IdTooLarge", "2026-12-08 14:05\th\t70000\tA\t2026-10\tf\t1\t2\n", 0, 1},
        Hostile{"SignedId", "2026-12-08 14:05\th\t-1\tA\t2026-10\tf\t1\t2\n", 0, 1},
        Hostile{"NoTime", "yesterday\th\t1\tA\t2026-10\tf\t1\t2\n", 0, 1},
        Hostile{"RawBytes", "2026-12-08 14:05\th\0\xFF\xC0\x80\t1\tA\t2026-10\tf\t1\t2\n"s, 1, 0},
        Hostile{
            "LongLine",
            "2026-12-08 14:05\th\t1\t" + std::string(5000, 'A') + "\t2026-10\tf\t1\t2\n" + kGood, 1,
            1}),
    [](const ::testing::TestParamInfo<Hostile>& info) { return info.param.name; });

TEST(CorrectionsFile, ReadsAtMostTheLimit) {
  std::string big;
  while (big.size() <= kMaxCorrectionsBytes) big += kGood;
  CorrectionsRead read = ParseCorrections(big);
  EXPECT_TRUE(read.truncated);
  EXPECT_EQ(read.entries.size(), kMaxCorrectionsBytes / kGood.size());
}

// A save appends after the old lines; a log of an earlier service year is renamed whole
// to its yearly file and the new lines start a new log.
TEST(CorrectionsFile, AppendKeepsOldLinesAndRollsAtTheServiceYear) {
  testing::TempDir dir;
  const std::string log = JoinPath(dir.path(), kFileCorrections);
  Bytes bytes;
  std::string error;
  ASSERT_TRUE(AppendCorrections(dir.path(), kGood, 2027, &bytes, &error)) << error;
  ASSERT_TRUE(WriteFilePlain(log, bytes));
  ASSERT_TRUE(AppendCorrections(dir.path(), "b\n", 2027, &bytes, &error)) << error;
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), kGood + "b\n");
  // September 2027 begins service year 2028: the log of 2027 is rolled aside.
  ASSERT_TRUE(AppendCorrections(dir.path(), "c\n", 2028, &bytes, &error)) << error;
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "c\n");
  EXPECT_FALSE(FileExists(log));
  auto rolled = ReadFile(JoinPath(dir.path(), "corrections-2027.log"));
  ASSERT_TRUE(rolled);
  EXPECT_EQ(std::string(rolled->begin(), rolled->end()), kGood);
  EXPECT_EQ(CorrectionsYearFileName(dir.path(), 2027), "corrections-2027-2.log");
  EXPECT_EQ(ReadCorrectionsWithYears(dir.path(), {2027}).entries.size(), 1u);
}

}  // namespace
}  // namespace zarim
