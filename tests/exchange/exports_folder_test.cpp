// The exports folder is made inside the data folder and never followed through a link.
#include "exchange/exports_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/test_support.h"

namespace zarim {
namespace {

namespace fs = std::filesystem;

TEST(ExportsFolder, CreatedOnceAndRefusedWhenSomethingElseStandsThere) {
  testing::TempDir dir;
  const std::string made = EnsureExportsFolder(dir.path());
  ASSERT_FALSE(made.empty());
  EXPECT_TRUE(fs::is_directory(made));
  EXPECT_EQ(EnsureExportsFolder(dir.path()), made);  // an existing folder is kept

  testing::TempDir other;
  std::ofstream(fs::path(other.path()) / "Exports") << "a file";
  EXPECT_TRUE(EnsureExportsFolder(other.path()).empty());

  testing::TempDir linked;
  testing::TempDir elsewhere;
  fs::create_directory_symlink(elsewhere.path(), fs::path(linked.path()) / "Exports");
  EXPECT_TRUE(EnsureExportsFolder(linked.path()).empty());
}

}  // namespace
}  // namespace zarim
