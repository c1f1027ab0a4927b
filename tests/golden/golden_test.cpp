// The bytes of a working session: a demo congregation goes through a month of work by the
// library alone (slips posted, the next month initialized, a publisher made inactive and one
// moved away, a backup made), and every file written is compared with hashes recorded from
// a known-good build. A change that should not alter behaviour must leave them identical.
//
// To record the table anew after an intended change of the files, run
//   ZARIM_GOLDEN_PRINT=1 test_golden --gtest_filter='Golden*'
// and paste the printed lines into kExpected below.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "backup/backup_form.h"
#include "core/data_files.h"
#include "core/folder_lock.h"
#include "core/password.h"
#include "core/password_form.h"
#include "core/settings.h"
#include "core/startup.h"
#include "cycle/collection.h"
#include "cycle/collection_state.h"
#include "cycle/congregation.h"
#include "cycle/posting_decision_form.h"
#include "cycle/roll.h"
#include "cycle/slip_form.h"
#include "cycle/status_moves.h"
#include "demo_congregation.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::TempDir;

// From the 25th the month after the working month can be initialized.
constexpr Date kToday{2026, 12, 26};
const LocalTime kBackupTime{2026, 12, 26, 18, 5, WeekdayOf(2026, 12, 26)};

// FNV-1a, 64 bits.
uint64_t Fnv64(const Bytes& bytes) {
  uint64_t h = 0xcbf29ce484222325ull;
  for (uint8_t b : bytes) {
    h ^= b;
    h *= 0x100000001b3ull;
  }
  return h;
}

std::string Hex(uint64_t v) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(v));
  return text;
}

// Answers every question with OK.
class AgreeingPrompter : public Prompter {
 public:
  Answer Ask(std::string_view, Buttons, Answer) override { return Answer::kOk; }
};

// No password is set on the demo folder; a request for one fails the test.

// The active publishers without a slip in the working month, in record order.
std::vector<int> Unreported(const CZarimDoc& doc) {
  std::vector<int> out;
  int month = doc.working_month, slot = doc.SlotOfMonth(month);
  for (int r = 1; r < doc.count; ++r)
    if (doc.records[r].status == kActive && !HasReported(doc.records[r], month, slot))
      out.push_back(r);
  return out;
}

class GoldenSession : public ::testing::Test {
 protected:
  // Opens the folder as the program does at start, through its owner.
  void Open(Congregation& owner) { ASSERT_TRUE(testing::OpenOwner(owner, data.path(), clock)); }

  void Save(Congregation& owner) { ASSERT_TRUE(owner.Save()); }

  // The catalog names the backup sets and the month snapshots by their paths, which hold the
  // temporary folders' random names; they are hashed with those replaced by names of the
  // same length.
  Bytes Neutral(Bytes bytes) const {
    std::string text(bytes.begin(), bytes.end());
    for (const auto& [from, letter] : {std::pair{sets.path(), 'S'}, std::pair{data.path(), 'D'}}) {
      std::string to(from.size(), letter);
      for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
        text.replace(at, from.size(), to);
    }
    return Bytes(text.begin(), text.end());
  }

  // Every file under the data folder (month snapshots included) and the backup folder,
  // by its path below them, with its hash.
  std::map<std::string, std::string> Hashes() const {
    std::map<std::string, std::string> out;
    for (const auto& [root, label] :
         {std::pair{data.path(), "data"}, std::pair{sets.path(), "sets"}}) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        // The lock file is the owner's while the folder is open, not data.
        if (!entry.is_regular_file() || entry.path().filename() == kLockFileName) continue;
        std::string name = std::filesystem::relative(entry.path(), root).string();
        Bytes bytes = ReadFile(entry.path().string()).value_or(Bytes{});
        out[std::string(label) + "/" + name] = Hex(Fnv64(Neutral(bytes)));
      }
    }
    return out;
  }

  TempDir data;
  TempDir sets;
  FixedClock clock{kToday};
};

// Recorded from the build in which the demo turns its months through the library.
const std::map<std::string, std::string> kExpected = {
    {"data/Roll/Zr9_10/bkstudy.dat", "733eba6dc917fe40"},
    {"data/Roll/Zr9_10/emerg.dat", "1a6bcb2d6d292774"},
    {"data/Roll/Zr9_10/meetin9.dat", "6a21962144634a0c"},
    {"data/Roll/Zr9_10/remark9.dat", "8abf350ea3332a89"},
    {"data/Roll/Zr9_10/spneed.dat", "6774e596bfe1c025"},
    {"data/Roll/Zr9_10/tappt.dat", "c628c9dba7353f95"},
    {"data/Roll/Zr9_10/tcard.dat", "33a723921287f9d2"},
    {"data/Roll/Zr9_10/tdat9.bin", "1ff4776df7ffefd5"},
    {"data/Roll/Zr9_10/xten7.dat", "3d7c15170fd07298"},
    {"data/Roll/Zr9_10/zarim.ini", "5dd0a6ff3b63cac1"},
    {"data/Roll/Zr9_10/zrxcfg.cfg", "778b1a14b6876aa7"},
    {"data/Roll/Zr9_10/zset.done", "4055ac2c76340ffa"},
    {"data/Roll/Zr9_11/bkstudy.dat", "733eba6dc917fe40"},
    {"data/Roll/Zr9_11/emerg.dat", "1a6bcb2d6d292774"},
    {"data/Roll/Zr9_11/meetin9.dat", "6a21962144634a0c"},
    {"data/Roll/Zr9_11/remark9.dat", "adc0424ac99def14"},
    {"data/Roll/Zr9_11/spneed.dat", "6774e596bfe1c025"},
    {"data/Roll/Zr9_11/tappt.dat", "c628c9dba7353f95"},
    {"data/Roll/Zr9_11/tcard.dat", "3c12dea8314ca964"},
    {"data/Roll/Zr9_11/tdat9.bin", "b1ea947f559d59d8"},
    {"data/Roll/Zr9_11/xten7.dat", "3d7c15170fd07298"},
    {"data/Roll/Zr9_11/zarim.ini", "1d5ede1c51fd88a7"},
    {"data/Roll/Zr9_11/zrxcfg.cfg", "778b1a14b6876aa7"},
    {"data/Roll/Zr9_11/zset.done", "360a09d8e68a7616"},
    {"data/Roll/Zr9_5/bkstudy.dat", "733eba6dc917fe40"},
    {"data/Roll/Zr9_5/emerg.dat", "1a6bcb2d6d292774"},
    {"data/Roll/Zr9_5/meetin9.dat", "6a21962144634a0c"},
    {"data/Roll/Zr9_5/remark9.dat", "8abf350ea3332a89"},
    {"data/Roll/Zr9_5/spneed.dat", "6774e596bfe1c025"},
    {"data/Roll/Zr9_5/tappt.dat", "c628c9dba7353f95"},
    {"data/Roll/Zr9_5/tcard.dat", "33a723921287f9d2"},
    {"data/Roll/Zr9_5/tdat9.bin", "1ff4776df7ffefd5"},
    {"data/Roll/Zr9_5/xten7.dat", "3d7c15170fd07298"},
    {"data/Roll/Zr9_5/zarim.ini", "5dd0a6ff3b63cac1"},
    {"data/Roll/Zr9_5/zrxcfg.cfg", "778b1a14b6876aa7"},
    {"data/Roll/Zr9_5/zset.done", "4055ac2c76340ffa"},
    {"data/Roll/Zr9_6/bkstudy.dat", "733eba6dc917fe40"},
    {"data/Roll/Zr9_6/emerg.dat", "1a6bcb2d6d292774"},
    {"data/Roll/Zr9_6/meetin9.dat", "6a21962144634a0c"},
    {"data/Roll/Zr9_6/remark9.dat", "8abf350ea3332a89"},
    {"data/Roll/Zr9_6/spneed.dat", "6774e596bfe1c025"},
    {"data/Roll/Zr9_6/tappt.dat", "c628c9dba7353f95"},
    {"data/Roll/Zr9_6/tcard.dat", "33a723921287f9d2"},
    {"data/Roll/Zr9_6/tdat9.bin", "1ff4776df7ffefd5"},
    {"data/Roll/Zr9_6/xten7.dat", "3d7c15170fd07298"},
    {"data/Roll/Zr9_6/zarim.ini", "5dd0a6ff3b63cac1"},
    {"data/Roll/Zr9_6/zrxcfg.cfg", "778b1a14b6876aa7"},
    {"data/Roll/Zr9_6/zset.done", "4055ac2c76340ffa"},
    {"data/Roll/Zr9_7/bkstudy.dat", "733eba6dc917fe40"},
    {"data/Roll/Zr9_7/emerg.dat", "1a6bcb2d6d292774"},
    {"data/Roll/Zr9_7/meetin9.dat", "6a21962144634a0c"},
    {"data/Roll/Zr9_7/remark9.dat", "8abf350ea3332a89"},
    {"data/Roll/Zr9_7/spneed.dat", "6774e596bfe1c025"},
    {"data/Roll/Zr9_7/tappt.dat", "c628c9dba7353f95"},
    {"data/Roll/Zr9_7/tcard.dat", "33a723921287f9d2"},
    {"data/Roll/Zr9_7/tdat9.bin", "1ff4776df7ffefd5"},
    {"data/Roll/Zr9_7/xten7.dat", "3d7c15170fd07298"},
    {"data/Roll/Zr9_7/zarim.ini", "5dd0a6ff3b63cac1"},
    {"data/Roll/Zr9_7/zrxcfg.cfg", "778b1a14b6876aa7"},
    {"data/Roll/Zr9_7/zset.done", "4055ac2c76340ffa"},
    {"data/Roll/Zr9_8/bkstudy.dat", "733eba6dc917fe40"},
    {"data/Roll/Zr9_8/emerg.dat", "1a6bcb2d6d292774"},
    {"data/Roll/Zr9_8/meetin9.dat", "6a21962144634a0c"},
    {"data/Roll/Zr9_8/remark9.dat", "8abf350ea3332a89"},
    {"data/Roll/Zr9_8/spneed.dat", "6774e596bfe1c025"},
    {"data/Roll/Zr9_8/tappt.dat", "c628c9dba7353f95"},
    {"data/Roll/Zr9_8/tcard.dat", "33a723921287f9d2"},
    {"data/Roll/Zr9_8/tdat9.bin", "1ff4776df7ffefd5"},
    {"data/Roll/Zr9_8/xten7.dat", "3d7c15170fd07298"},
    {"data/Roll/Zr9_8/zarim.ini", "5dd0a6ff3b63cac1"},
    {"data/Roll/Zr9_8/zrxcfg.cfg", "778b1a14b6876aa7"},
    {"data/Roll/Zr9_8/zset.done", "4055ac2c76340ffa"},
    {"data/Roll/Zr9_9/bkstudy.dat", "733eba6dc917fe40"},
    {"data/Roll/Zr9_9/emerg.dat", "1a6bcb2d6d292774"},
    {"data/Roll/Zr9_9/meetin9.dat", "6a21962144634a0c"},
    {"data/Roll/Zr9_9/remark9.dat", "8abf350ea3332a89"},
    {"data/Roll/Zr9_9/spneed.dat", "6774e596bfe1c025"},
    {"data/Roll/Zr9_9/tappt.dat", "c628c9dba7353f95"},
    {"data/Roll/Zr9_9/tcard.dat", "33a723921287f9d2"},
    {"data/Roll/Zr9_9/tdat9.bin", "1ff4776df7ffefd5"},
    {"data/Roll/Zr9_9/xten7.dat", "3d7c15170fd07298"},
    {"data/Roll/Zr9_9/zarim.ini", "5dd0a6ff3b63cac1"},
    {"data/Roll/Zr9_9/zrxcfg.cfg", "778b1a14b6876aa7"},
    {"data/Roll/Zr9_9/zset.done", "4055ac2c76340ffa"},
    {"data/bkstudy.dat", "733eba6dc917fe40"},
    {"data/buhist.dat", "f0b5e1ce27b9e79f"},
    {"data/emerg.dat", "1a6bcb2d6d292774"},
    {"data/meetin9.dat", "f4a5a2f13bfd4433"},
    {"data/remark9.dat", "adc0424ac99def14"},
    {"data/rmkundo.dat", "adc0424ac99def14"},
    {"data/spneed.dat", "6774e596bfe1c025"},
    {"data/tappt.dat", "c628c9dba7353f95"},
    {"data/tcard.dat", "7042682d6c3b9a96"},
    {"data/tdat9.bin", "2d0df9d85ea7800a"},
    {"data/xten7.dat", "3d7c15170fd07298"},
    {"data/zarim.ini", "dfe721a78bf5ad14"},
    {"data/zrxcfg.cfg", "778b1a14b6876aa7"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_10/bkstudy.dat", "733eba6dc917fe40"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_10/emerg.dat", "1a6bcb2d6d292774"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_10/meetin9.dat", "6a21962144634a0c"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_10/remark9.dat", "8abf350ea3332a89"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_10/spneed.dat", "6774e596bfe1c025"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_10/tappt.dat", "c628c9dba7353f95"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_10/tcard.dat", "33a723921287f9d2"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_10/tdat9.bin", "1ff4776df7ffefd5"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_10/xten7.dat", "3d7c15170fd07298"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_10/zarim.ini", "5dd0a6ff3b63cac1"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_10/zrxcfg.cfg", "778b1a14b6876aa7"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_10/zset.done", "4055ac2c76340ffa"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_11/bkstudy.dat", "733eba6dc917fe40"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_11/emerg.dat", "1a6bcb2d6d292774"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_11/meetin9.dat", "6a21962144634a0c"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_11/remark9.dat", "adc0424ac99def14"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_11/spneed.dat", "6774e596bfe1c025"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_11/tappt.dat", "c628c9dba7353f95"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_11/tcard.dat", "3c12dea8314ca964"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_11/tdat9.bin", "b1ea947f559d59d8"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_11/xten7.dat", "3d7c15170fd07298"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_11/zarim.ini", "1d5ede1c51fd88a7"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_11/zrxcfg.cfg", "778b1a14b6876aa7"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_11/zset.done", "360a09d8e68a7616"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_5/bkstudy.dat", "733eba6dc917fe40"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_5/emerg.dat", "1a6bcb2d6d292774"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_5/meetin9.dat", "6a21962144634a0c"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_5/remark9.dat", "8abf350ea3332a89"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_5/spneed.dat", "6774e596bfe1c025"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_5/tappt.dat", "c628c9dba7353f95"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_5/tcard.dat", "33a723921287f9d2"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_5/tdat9.bin", "1ff4776df7ffefd5"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_5/xten7.dat", "3d7c15170fd07298"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_5/zarim.ini", "5dd0a6ff3b63cac1"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_5/zrxcfg.cfg", "778b1a14b6876aa7"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_5/zset.done", "4055ac2c76340ffa"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_6/bkstudy.dat", "733eba6dc917fe40"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_6/emerg.dat", "1a6bcb2d6d292774"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_6/meetin9.dat", "6a21962144634a0c"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_6/remark9.dat", "8abf350ea3332a89"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_6/spneed.dat", "6774e596bfe1c025"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_6/tappt.dat", "c628c9dba7353f95"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_6/tcard.dat", "33a723921287f9d2"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_6/tdat9.bin", "1ff4776df7ffefd5"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_6/xten7.dat", "3d7c15170fd07298"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_6/zarim.ini", "5dd0a6ff3b63cac1"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_6/zrxcfg.cfg", "778b1a14b6876aa7"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_6/zset.done", "4055ac2c76340ffa"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_7/bkstudy.dat", "733eba6dc917fe40"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_7/emerg.dat", "1a6bcb2d6d292774"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_7/meetin9.dat", "6a21962144634a0c"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_7/remark9.dat", "8abf350ea3332a89"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_7/spneed.dat", "6774e596bfe1c025"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_7/tappt.dat", "c628c9dba7353f95"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_7/tcard.dat", "33a723921287f9d2"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_7/tdat9.bin", "1ff4776df7ffefd5"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_7/xten7.dat", "3d7c15170fd07298"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_7/zarim.ini", "5dd0a6ff3b63cac1"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_7/zrxcfg.cfg", "778b1a14b6876aa7"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_7/zset.done", "4055ac2c76340ffa"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_8/bkstudy.dat", "733eba6dc917fe40"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_8/emerg.dat", "1a6bcb2d6d292774"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_8/meetin9.dat", "6a21962144634a0c"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_8/remark9.dat", "8abf350ea3332a89"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_8/spneed.dat", "6774e596bfe1c025"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_8/tappt.dat", "c628c9dba7353f95"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_8/tcard.dat", "33a723921287f9d2"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_8/tdat9.bin", "1ff4776df7ffefd5"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_8/xten7.dat", "3d7c15170fd07298"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_8/zarim.ini", "5dd0a6ff3b63cac1"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_8/zrxcfg.cfg", "778b1a14b6876aa7"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_8/zset.done", "4055ac2c76340ffa"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_9/bkstudy.dat", "733eba6dc917fe40"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_9/emerg.dat", "1a6bcb2d6d292774"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_9/meetin9.dat", "6a21962144634a0c"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_9/remark9.dat", "8abf350ea3332a89"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_9/spneed.dat", "6774e596bfe1c025"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_9/tappt.dat", "c628c9dba7353f95"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_9/tcard.dat", "33a723921287f9d2"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_9/tdat9.bin", "1ff4776df7ffefd5"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_9/xten7.dat", "3d7c15170fd07298"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_9/zarim.ini", "5dd0a6ff3b63cac1"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_9/zrxcfg.cfg", "778b1a14b6876aa7"},
    {"sets/Zr9_1805_2026Dec26/Roll/Zr9_9/zset.done", "4055ac2c76340ffa"},
    {"sets/Zr9_1805_2026Dec26/bkstudy.dat", "733eba6dc917fe40"},
    {"sets/Zr9_1805_2026Dec26/emerg.dat", "1a6bcb2d6d292774"},
    {"sets/Zr9_1805_2026Dec26/meetin9.dat", "f4a5a2f13bfd4433"},
    {"sets/Zr9_1805_2026Dec26/remark9.dat", "adc0424ac99def14"},
    {"sets/Zr9_1805_2026Dec26/spneed.dat", "6774e596bfe1c025"},
    {"sets/Zr9_1805_2026Dec26/tappt.dat", "c628c9dba7353f95"},
    {"sets/Zr9_1805_2026Dec26/tcard.dat", "7042682d6c3b9a96"},
    {"sets/Zr9_1805_2026Dec26/tdat9.bin", "2d0df9d85ea7800a"},
    {"sets/Zr9_1805_2026Dec26/xten7.dat", "3d7c15170fd07298"},
    {"sets/Zr9_1805_2026Dec26/zarim.ini", "dfe721a78bf5ad14"},
    {"sets/Zr9_1805_2026Dec26/zrxcfg.cfg", "778b1a14b6876aa7"},
    {"sets/Zr9_1805_2026Dec26/zset.done", "d280adeedbdebc74"},
};

TEST_F(GoldenSession, PostInitializeStatusAndBackupWriteTheRecordedBytes) {
  demo::DemoOptions demo;
  demo.today = kToday;
  demo.seed = 7;
  std::string error;
  ASSERT_TRUE(demo::WriteDemoFolder(data.path(), demo, &error)) << error;

  AgreeingPrompter agree;
  Congregation owner(&agree);
  ASSERT_NO_FATAL_FAILURE(Open(owner));
  CZarimDoc& doc = owner.doc();
  ASSERT_TRUE(WorkingMonthOpen(doc)) << "the demo's working month is open for slips";

  // Three slips of the working month: plain, with studies, with a remark.
  std::vector<int> active = Unreported(doc);
  ASSERT_GE(active.size(), 6u);
  {
    SlipForm slip(doc, active[0]);
    slip.SetShared(true);
    ASSERT_EQ(slip.Save(), SlipForm::SaveResult::kSaved);
  }
  {
    SlipForm slip(doc, active[1]);
    slip.SetShared(true);
    slip.SetStudiesText("3");
    ASSERT_EQ(slip.Save(), SlipForm::SaveResult::kSaved);
  }
  {
    SlipForm slip(doc, active[2]);
    slip.SetShared(true);
    slip.BeginRemark();
    slip.SetRemark("Visited the sick");
    slip.EndRemark();
    ASSERT_EQ(slip.Save(), SlipForm::SaveResult::kSaved);
  }
  ASSERT_NO_FATAL_FAILURE(Save(owner));

  // The month is complete: close it and open the next one early.
  CloseCollection(doc);
  PostingDecisionForm decision(doc);
  ASSERT_TRUE(decision.InitializeNextShown());
  ASSERT_TRUE(decision.InitializeNext(agree));
  decision.Apply(doc);
  ASSERT_NO_FATAL_FAILURE(Save(owner));

  // One publisher to the inactive list, one moved away.
  auto in_month = [](int month) {
    return [month](SelectMonthForm& form) {
      form.set_month_index(month);
      return true;
    };
  };
  ASSERT_EQ(TransferToInactive(doc, active[3], in_month(doc.working_month)), MoveResult::kDone);
  ASSERT_EQ(MoveOut(doc, active[4], in_month(doc.working_month)), MoveResult::kDone);
  ASSERT_NO_FATAL_FAILURE(Save(owner));

  // A backup set under a backup path of its own, at a fixed moment.
  std::map<std::string, std::string> backup_settings{{"Backup/Path", sets.path()}};
  FixedTimeSource time(kBackupTime);
  BackupServices services;
  services.time = &time;
  services.clock = &clock;
  services.read_setting = [&](const std::string& section, const std::string& key) {
    auto it = backup_settings.find(section + "/" + key);
    return it == backup_settings.end() ? std::string() : it->second;
  };
  services.set_setting = [&](const std::string& section, const std::string& key,
                             const std::string& value) {
    backup_settings[section + "/" + key] = value;
  };
  BackupForm backup(doc, BackupMode::kBackup, services);
  backup.Open();
  backup.Ok();
  ASSERT_TRUE(backup.done()) << backup.Status();

  std::map<std::string, std::string> actual = Hashes();
  if (std::getenv("ZARIM_GOLDEN_PRINT")) {
    for (const auto& [name, hash] : actual)
      std::printf("    {\"%s\", \"%s\"},\n", name.c_str(), hash.c_str());
  }
  EXPECT_EQ(actual, kExpected);
}

}  // namespace
}  // namespace zarim
