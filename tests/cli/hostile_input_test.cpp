// zarim-cli against hostile folders and files: links, pipes and paths planted in and
// around the data folder, inputs without a bound, and values beyond what the forms take.
// Each row names the attack; what it aims at outside the folder must stay as it was.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "core/bytes.h"
#include "core/file_io.h"

namespace zarim {
namespace {

using testing::CliFolder;
using ::testing::HasSubstr;
using testing::TempDir;
namespace fs = std::filesystem;

// The folder under attack, saved once so that a command that saves first changes
// nothing, and an outside folder whose files the attacks aim at.
struct Scene {
  Scene() { EXPECT_EQ(folder.Run({"save"}).status, 0); }
  CliFolder folder;
  TempDir outside;
  std::string Data(const std::string& name) const { return folder.path() + "/" + name; }
  void Link(const std::string& name, const std::string& target) const {
    fs::remove_all(Data(name));
    fs::create_symlink(target, Data(name));
  }
};

// Every file below folder (links not followed) with its bytes.
std::map<std::string, Bytes> Tree(const std::string& folder) {
  std::map<std::string, Bytes> out;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    if (e.is_regular_file() && !e.is_symlink()) out[e.path().string()] = *ReadFile(e.path());
  return out;
}

struct Row {
  const char* attack;
  std::function<void(Scene&)> plant;
  // "OUT", "DATA": the outside and the data folder; "ID": an active publisher;
  // "REL": the outside folder relative to the working folder.
  std::vector<std::string> args;
  bool refused;
  const char* says;  // part of the messages
  std::function<void(const Scene&)> check = nullptr;
};

void RunRows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    SCOPED_TRACE(row.attack);
    Scene s;
    s.outside.Write("victim", "outside bytes");
    row.plant(s);
    auto doc = s.folder.Load();
    int id = 0;
    for (int r = doc->count - 1; r > 0; --r)
      if (doc->records[r].status == kActive) id = doc->records[r].id;
    std::vector<std::string> args;
    for (std::string a : row.args) {
      if (a == "ID") a = std::to_string(id);
      if (a == "REL") a = fs::relative(s.outside.path(), fs::current_path()).string();
      if (a.rfind("OUT", 0) == 0) a = s.outside.path() + a.substr(3);
      if (a.rfind("DATA", 0) == 0) a = s.folder.path() + a.substr(4);
      args.push_back(a);
    }
    // The CSV mapping is remembered when chosen and a backup's settings keys belong to
    // the save transaction: neither is what these rows are about.
    auto inside = [&] {
      auto files = s.folder.Files();
      files.erase("zrmap.dat");
      if (row.args[0] == "backup") files.erase("zarim.ini");
      return files;
    };
    const auto outside_before = Tree(s.outside.path());
    const auto inside_before = inside();
    // A reader holding the folder, for the row whose lock file names an ended writer.
    int reader = -1;
    if (std::string(row.attack).find("holder") != std::string::npos) {
      reader = ::open(s.Data("zarim.lock").c_str(), O_RDONLY);
      EXPECT_EQ(::flock(reader, LOCK_SH | LOCK_NB), 0);
    }
    const testing::CliRun run = s.folder.Run(args);
    if (reader >= 0) ::close(reader);
    EXPECT_EQ(run.status != 0, row.refused) << run.err;
    EXPECT_THAT(run.err + run.out, HasSubstr(row.says));
    const auto outside_after = Tree(s.outside.path());
    for (const auto& [path, bytes] : outside_before) EXPECT_EQ(outside_after.at(path), bytes);
    if (row.refused) {
      EXPECT_EQ(outside_after, outside_before);
      EXPECT_EQ(inside(), inside_before) << "a refused command changed the folder";
    }
    if (row.check) row.check(s);
  }
}

// Tables read best one row a line or two.
// clang-format off
TEST(HostileInput, LinksPipesAndPathsNeverReachOutsideTheFolder) {
  auto link = [](const char* name) { return [=](Scene& s) { s.Link(name, s.outside.File("victim")); }; };
  auto none = [](Scene&) {};
  RunRows({
      {"a journal link: the save replaces the link", link("zsave.journal"), {"post", "ID", "--studies", "3"}, false, ""},
      {"a lock file link", link("zarim.lock"), {"save"}, true, "cannot be locked"},
      {"a link under an export's temporary name", [](Scene& s) {
         fs::create_directory(s.Data("Exports"));
         s.Link("Exports/Group-2.csv.zsave-tmp", s.outside.File("victim")); },
       {"export", "collection-list", "--group", "2"}, false, ""},
      {"an Exports link", [](Scene& s) { s.Link("Exports", s.outside.path()); },
       {"export", "collection-list", "--group", "2"}, true, "is a link or a file"},
      {"a Roll link read by a backup", [](Scene& s) {
         fs::create_directories(s.outside.File("roll/Zr9_3"));
         fs::copy_file(s.Data("tdat9.bin"), s.outside.File("roll/Zr9_3/tdat9.bin"));
         s.Link("Roll", s.outside.File("roll")); },
       {"backup", "--to", "OUT"}, true, "not an ordinary file"},
      {"a relative backup path", none, {"backup", "--to", "REL"}, false, "", [](const Scene& s) {
         Bytes ini = s.folder.dir.Read("zarim.ini");
         EXPECT_THAT(std::string(ini.begin(), ini.end()), HasSubstr("=" + s.outside.path() + "/\r\n")); }},
      {"a group file link", link("bkstudy.dat"), {"post", "ID", "--studies", "3"}, true, "bkstudy.dat is not an ordinary file"},
      {"a pipe as a data file", [](Scene& s) {
         fs::remove(s.Data("meetin9.dat"));
         ::mkfifo(s.Data("meetin9.dat").c_str(), 0644); },
       {"info"}, true, "meetin9.dat is not an ordinary file"},
      {"a PDF into the data folder", none, {"report", "analysis", "--pdf", "DATA/tdat9.bin"}, true, "is inside the data folder"},
      {"a backup under Roll", [](Scene& s) { fs::create_directory(s.Data("Roll")); },
       {"backup", "--to", "DATA/Roll"}, true, "a folder that a restore replaces"},
      {"a lock file naming a holder that ended", [](Scene& s) {
         const pid_t pid = ::fork();
         if (pid == 0) ::_exit(0);
         ::waitpid(pid, nullptr, 0);
         char host[256] = {};
         ::gethostname(host, sizeof host - 1);
         s.folder.dir.Write("zarim.lock", "zarim-cli, process " + std::to_string(pid) + ", user x on " + host + ", since 2020-01-01\n"); },
       {"save"}, true, "another program that is reading it"},
  });
}

// A publisher list of one person whose first name is `first` repeated, after a doctype.
std::string Publist(const std::string& doctype, const std::string& first, int times = 1) {
  std::string name;
  for (int i = 0; i < times; ++i) name += first;
  return "<?xml version=\"1.0\"?>" + doctype + "<PUBLIST><Agent Ver=\"9000\">Zarim</Agent><Count>1</Count>"
         "<Active><Pub><id>1</id><fname>" + name + "</fname><lname>Able</lname></Pub></Active></PUBLIST>";
}

TEST(HostileInput, EveryReaderOfOutsideBytesIsBoundedOrLinear) {
  static const std::string entity = "<!DOCTYPE PUBLIST [<!ENTITY e \"" + std::string(100000, 'A') + "\">]>";
  auto write = [](std::string text, const char* name = "in") { return [=](Scene& s) { s.outside.Write(name, text); }; };
  auto sparse = [](const char* name, uintmax_t size) { return [=](Scene& s) {
    s.outside.Write(name, "");
    fs::resize_file(s.outside.File(name), size); }; };
  std::string utf16 = "\xFF\xFE";
  for (char c : Publist(entity, "&e;", 5000)) utf16 += std::string{c, '\0'};
  RunRows({
      {"a 1 GB publisher file", sparse("in", 1u << 30), {"xml", "import", "OUT/in"}, true, "is larger than"},
      {"one large entity used 5,000 times", write(Publist(entity, "&e;", 5000)), {"xml", "import", "OUT/in"}, true, "declares entities"},
      {"the same in UTF-16 for the report import", write(utf16, "in.xml"), {"import", "xml-reports", "OUT/in.xml"}, true, "declares entities"},
      {"an external entity in an update", write(Publist("<!DOCTYPE PUBLIST [<!ENTITY x SYSTEM \"/etc/hostname\">]>", "&x;")),
       {"xml", "import", "OUT/in", "--update"}, true, "declares entities"},
      {"65,536 named references", write(Publist("", "&hearts;", 65536)), {"xml", "check", "OUT/in"}, false, ""},
      {"a pipe named like a CSV file", [](Scene& s) { ::mkfifo(s.outside.File("in.csv").c_str(), 0644); },
       {"import", "csv", "OUT/in.csv"}, true, "is not an ordinary file"},
      {"a CSV file beyond its bound", sparse("in.csv", 2u << 20), {"import", "csv", "OUT/in.csv"}, true, "is larger than"},
  });
}

TEST(HostileInput, ValuesBeyondTheFormsAreRefusedAndNothingIsWritten) {
  auto none = [](Scene&) {};
  auto history = [](const char* option, const char* value) {
    return std::vector<std::string>{"history", "ID", "--year", "2026", "--month", "10", option, value}; };
  auto csv = [](Scene& s) {
    auto doc = s.folder.Load();
    for (int r = doc->count - 1; r > 0; --r)
      if (doc->records[r].status == kActive)
        s.outside.Write("in.csv", "Given,Family,Shared,Studies,Hours,Remarks\r\n" + FieldText(doc->records[r].first_name) +
                                      "," + FieldText(doc->records[r].last_name) + ",1,1023,5,\r\n"); };
  RunRows({
      {"70000 hours", none, history("--hours", "70000"), true, "Hours is 70000; History takes an integer between 0 and 65535"},
      {"hours beyond any integer", none, history("--hours", "99999999999999"), true, "Hours is 99999999999999"},
      {"1024 studies", none, history("--studies", "1024"), true, "Bible Studies is 1024"},
      {"1023 studies from a CSV file", csv, {"import", "csv", "OUT/in.csv", "--map",
        "First Name=1,Last Name=2,Shared=3,Bible Studies=4,Hours=5,Remarks=6", "--all"}, true, "Bible Studies is 1023"},
  });
}
// clang-format on

}  // namespace
}  // namespace zarim
