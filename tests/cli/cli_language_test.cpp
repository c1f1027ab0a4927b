// Names typed in the language of the program come back unchanged in every output; a
// folder or backup set of another code page is refused untouched; the language comes from
// the locale, an unknown one falls back to English with a note.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "cli/cli_support.h"

namespace zarim::testing {
namespace {

// The text of a PDF; nothing when pdftotext is not installed.
std::optional<std::string> PdfText(const std::string& pdf) {
  if (std::system("command -v pdftotext >/dev/null") != 0) return std::nullopt;
  std::string text;
  FILE* p = ::popen(("pdftotext -enc UTF-8 '" + pdf + "' -").c_str(), "r");
  char buf[4096];
  for (size_t n; p && (n = std::fread(buf, 1, sizeof buf, p)) > 0;) text.append(buf, n);
  if (p) ::pclose(p);
  return text;
}

struct Language {
  const char* code;
  const char* first;
  const char* last;
  const char* code_page;
};
const Language kLanguages[] = {{"polish", "Łukasz", "Żółć", "windows-1250"},
                               {"rus", "Пётр", "Иванов", "windows-1251"},
                               {"french", "Élodie", "Müller", "windows-1252"}};

TEST(CliLanguage, NamesComeBackUnchangedAndNeverUnderAnotherCodePage) {
  const std::string lsan = "LSAN_OPTIONS=suppressions=" ZARIM_SOURCE_DIR "/tests/cli/lsan.supp";
  for (size_t i = 0; i < std::size(kLanguages); ++i) {
    const Language& l = kLanguages[i];
    TempDir dir, out;
    auto run = [&](const char* lang, std::vector<std::string> args) {
      args.insert(args.begin(), {"--data", dir.path(), "--lang", lang});
      return RunCli(args, {lsan});
    };
    // A letter this code page lacks is refused, not stored as '?'.
    CliRun foreign = run(l.code, {"publisher", "add", "--last", kLanguages[(i + 1) % 3].last});
    EXPECT_EQ(foreign.status, 1) << l.code;
    EXPECT_NE(foreign.err.find(l.code_page), std::string::npos) << foreign.err;
    ASSERT_EQ(run(l.code, {"publisher", "add", "--first", l.first, "--last", l.last}).status, 0);

    const std::string name = std::string(l.first) + " " + l.last;
    EXPECT_NE(run(l.code, {"dump"})
                  .out.find("\"first_name\":\"" + std::string(l.first) + "\",\"last_name\":\"" +
                            l.last + "\""),
              std::string::npos)
        << l.code;
    ASSERT_EQ(run(l.code, {"xml", "export", "active"}).status, 0);
    const Bytes xml = dir.Read("Exports/Active.xml");
    EXPECT_NE(std::string(xml.begin(), xml.end()).find("<lname>" + std::string(l.last)),
              std::string::npos);
    CliRun pdf = run(l.code, {"report", "telephone", "--pdf", out.File("t.pdf")});
    ASSERT_EQ(pdf.status, 0) << pdf.err;
    if (auto text = PdfText(out.File("t.pdf"))) {
      EXPECT_NE(text->find(name), std::string::npos) << *text;
    }

    // Under a language of another code page the folder is not opened, and not changed.
    const auto before = FileHashes(dir.path());
    CliRun other = run(kLanguages[(i + 1) % 3].code, {"publisher", "edit", "10", "--first", "X"});
    EXPECT_EQ(other.status, 1);
    EXPECT_NE(other.err.find(l.code_page), std::string::npos) << other.err;
    EXPECT_EQ(FileHashes(dir.path()), before);
  }
}

TEST(CliLanguage, ABackupSetOfAnotherCodePageIsNotRestored) {
  TempDir latin, polish, sets;
  ASSERT_EQ(RunCli({"--data", latin.path(), "--lang", "french", "publisher", "add", "--first",
                    "Élodie", "--last", "Müller"})
                .status,
            0);
  ASSERT_EQ(RunCli({"--data", latin.path(), "backup", "--to", sets.path()}).status, 0);
  ASSERT_EQ(
      RunCli({"--data", polish.path(), "--lang", "polish", "publisher", "add", "--last", "Żółć"})
          .status,
      0);
  const auto before = FileHashes(polish.path());
  const std::string set = std::filesystem::directory_iterator(sets.path())->path().string();
  CliRun run = RunCli({"--data", polish.path(), "--lang", "polish", "restore", "--from", set});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("windows-1252"), std::string::npos) << run.err;
  EXPECT_EQ(FileHashes(polish.path()), before);
}

TEST(CliLanguage, ASlipRemarkWithLettersTheCodePageLacksIsNotPosted) {
  CliFolder folder;
  const auto doc = folder.Load();
  int id = 0;
  for (int r = 1; r < doc->count && !id; ++r)
    if (doc->records[r].status == kActive) id = doc->records[r].id;
  const auto before = folder.Files();
  CliRun run = folder.Run({"--lang", "french", "post", std::to_string(id), "--remark", "Żółć"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("windows-1252"), std::string::npos) << run.err;
  EXPECT_EQ(folder.Files(), before);
  EXPECT_EQ(
      folder.Run({"--lang", "french", "post", std::to_string(id), "--remark", "Müller"}).status, 0);
}

TEST(CliLanguage, TheLocaleChoosesTheLanguageAndAnUnknownOneFallsBackToEnglish) {
  struct Case {
    std::vector<std::string> env;
    std::vector<std::string> args;
    const char* title;  // the statistics begin so
    const char* note;   // in the note on standard error; empty: no note
  };
  const Case cases[] = {
      {{"LANG=pl_PL.UTF-8"}, {}, "Zbór – statystyki na koniec miesiąca: Listopad", ""},
      {{"LANGUAGE=de:ru", "LANG=fr_FR.UTF-8"}, {}, "Собрание — статистика", ""},
      {{"LC_MESSAGES=es_ES.UTF-8", "LANG=ru_RU.UTF-8"}, {}, "Estadísticas de Congregación", ""},
      {{"LC_ALL=pt_BR.UTF-8"}, {}, "Estatísticas de Congregação", ""},
      {{"LANG=fr_FR.UTF-8"}, {}, "Assemblée : statistiques à la fin de novembre", ""},
      {{"LANG=ru_RU.UTF-8"}, {"--lang", "eng"}, "Congregation Statistics", ""},
      {{}, {}, "Congregation Statistics", ""},
      {{"LANG=xx_YY.UTF-8"}, {}, "Congregation Statistics", "xx_YY.UTF-8"},
      {{}, {"--lang", "klingon"}, "Congregation Statistics", "klingon"},
  };
  TempDir dir;
  for (const Case& c : cases) {
    std::vector<std::string> args{"--data", dir.path(), "--today", "2026-12-08"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.insert(args.end(), {"report", "statistics", "--text"});
    CliRun run = RunCli(args, c.env);
    EXPECT_EQ(run.out.rfind(c.title, 0), 0u) << c.title << "\n" << run.out;
    EXPECT_EQ(run.err.empty(), *c.note == 0) << run.err;
    EXPECT_NE(run.err.find(c.note), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace zarim::testing
