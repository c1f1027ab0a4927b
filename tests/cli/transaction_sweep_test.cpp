// A short run of the kill and full-disk sweeps (bench/sweep runs them long): each changing
// command killed at sampled steps and at random moments, and run with little room.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/test_support.h"
#include "sweep/tx_sweep.h"

namespace zarim {
namespace {

class TransactionSweep : public ::testing::TestWithParam<sweep::Case> {};

TEST_P(TransactionSweep, KilledOrOutOfRoomTheFolderIsOldOrNew) {
  testing::TempDir work;
  sweep::Plan plan;
  plan.exact_stride = 40;
  plan.random_kills = 2;
  plan.free_levels = 2;
  const sweep::Figures f = sweep::Sweep(ZARIM_CLI_PATH, GetParam(), work.path() + "/w", plan);
  std::string notes;
  for (const std::string& n : f.notes) notes += n + "\n";
  EXPECT_GT(f.exact_kills, 0) << notes;
  EXPECT_GT(f.refused, 0) << "no level of free space was too small";
  EXPECT_LT(f.refused, f.free_runs) << "the command never had room";
  EXPECT_EQ(f.mixed + f.not_repaired + f.changed, 0) << notes;
}

INSTANTIATE_TEST_SUITE_P(Commands, TransactionSweep, ::testing::ValuesIn(sweep::Cases()),
                         [](const auto& info) {
                           std::string name;
                           for (char c : info.param.name)
                             if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                           return name;
                         });

}  // namespace
}  // namespace zarim
