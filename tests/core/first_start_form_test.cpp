// The first start's folder question: the folder it names and the congregation it never
// opens by surprise.
#include "core/first_start_form.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

namespace zarim {
namespace {

TEST(FirstStartForm, NamesTheFolderItMakesAndMakesIt) {
  testing::TempDir documents;
  const FirstStartForm form(documents.path());
  EXPECT_EQ(form.new_folder(), documents.File("ZARIM"));
  EXPECT_NE(form.Text().find("\"Create a New Folder\" makes the folder " + documents.File("ZARIM")),
            std::string::npos);
  EXPECT_EQ(form.Text().find("already holds a congregation"), std::string::npos);
  EXPECT_EQ(form.CreateNewFolder(), "");
  EXPECT_TRUE(std::filesystem::is_directory(documents.File("ZARIM")));
}

TEST(FirstStartForm, AnExistingCongregationIsPassedOverAndNamed) {
  testing::TempDir documents;
  for (const char* folder : {"ZARIM", "ZARIM 2", "ZARIM 3"})
    std::filesystem::create_directories(documents.File(folder));
  documents.Write("ZARIM/TDAT9.BIN", std::string_view("x"));  // copied from Windows
  documents.Write("ZARIM 2/tdat7.bin", std::string_view("x"));
  const FirstStartForm form(documents.path());
  EXPECT_EQ(form.new_folder(), documents.File("ZARIM 3"));
  EXPECT_NE(form.Text().find("The folder " + documents.File("ZARIM") + " already holds"),
            std::string::npos);
  // A congregation that turns up before the answer is refused, not opened.
  documents.Write("ZARIM 3/tdat9.bin", std::string_view("x"));
  EXPECT_EQ(form.CreateNewFolder(),
            "The folder " + documents.File("ZARIM 3") +
                " already holds a congregation's data. To work with it, use \"Choose a "
                "Folder...\" and choose that folder.");
}

TEST(FirstStartForm, AFolderThatCannotBeMadeIsSaid) {
  testing::TempDir documents;
  documents.Write("ZARIM", std::string_view("a file in the way"));
  const FirstStartForm form(documents.path());
  EXPECT_EQ(form.CreateNewFolder(),
            "The folder " + documents.File("ZARIM") + " could not be created.");
}

}  // namespace
}  // namespace zarim
