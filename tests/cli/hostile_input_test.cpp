// zarim-cli against hostile folders and files: links, pipes and paths planted in and
// around the data folder, inputs without a bound, and values beyond what the slip takes.
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
using testing::CliRun;
using ::testing::HasSubstr;
using testing::TempDir;

namespace fs = std::filesystem;

// The folder under attack and an outside folder whose files the attacks aim at.
struct Scene {
  // The folder as a save writes it, so that a command that saves first changes nothing.
  Scene() { EXPECT_EQ(folder.Run({"save"}).status, 0); }
  CliFolder folder;
  TempDir outside;
  std::string Data(const std::string& name) const { return folder.path() + "/" + name; }
  void Link(const std::string& name, const std::string& target) const {
    fs::remove_all(Data(name));
    fs::create_symlink(target, Data(name));
  }
};

// A process id that no running process has: a child that has ended and was reaped.
pid_t EndedProcess() {
  pid_t pid = ::fork();
  if (pid == 0) ::_exit(0);
  ::waitpid(pid, nullptr, 0);
  return pid;
}

std::string Host() {
  char host[256] = {};
  ::gethostname(host, sizeof host - 1);
  return host;
}

// Every file below folder (links not followed) with its bytes.
std::map<std::string, Bytes> Tree(const std::string& folder) {
  std::map<std::string, Bytes> out;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    if (e.is_regular_file() && !e.is_symlink())
      out[e.path().string()] = ReadFile(e.path().string()).value_or(Bytes{});
  return out;
}

struct LinkCase {
  const char* attack;
  std::function<void(Scene&)> plant;
  std::vector<std::string> args;  // "OUT" stands for the outside folder
  bool refused;
  const char* says;  // part of the message, or "" when the command succeeds quietly
  std::function<void(const Scene&)> check = nullptr;
};

TEST(HostileInput, LinksPipesAndPathsNeverReachOutsideTheFolder) {
  const std::vector<LinkCase> cases = {
      {"a journal link: the save replaces the link, the target stays",
       [](Scene& s) { s.Link("zsave.journal", s.outside.File("victim")); },
       {"post", "FIRST", "--studies", "3"},
       false,
       ""},
      {"a lock file link: the folder is not locked through it",
       [](Scene& s) { s.Link("zarim.lock", s.outside.File("victim")); },
       {"save"},
       true,
       "cannot be locked"},
      {"a link under an export's temporary name",
       [](Scene& s) {
         fs::create_directory(s.Data("Exports"));
         s.Link("Exports/Group-2.csv.zsave-tmp", s.outside.File("victim"));
       },
       {"export", "collection-list", "--group", "2"},
       false,
       ""},
      {"an Exports link is named as a link",
       [](Scene& s) { s.Link("Exports", s.outside.path()); },
       {"export", "collection-list", "--group", "2"},
       true,
       "is a link or a file"},
      {"a Roll link is not read by a backup",
       [](Scene& s) {
         fs::create_directories(s.outside.File("roll/Zr9_3"));
         fs::copy_file(s.Data("tdat9.bin"), s.outside.File("roll/Zr9_3/tdat9.bin"));
         s.Link("Roll", s.outside.File("roll"));
       },
       {"backup", "--to", "OUT"},
       true,
       "not an ordinary file"},
      {"a relative backup path is stored absolute",
       [](Scene&) {},
       {"backup", "--to", "REL"},
       false,
       "",
       [](const Scene& s) {
         Bytes ini = s.folder.dir.Read("zarim.ini");
         EXPECT_THAT(std::string(ini.begin(), ini.end()),
                     HasSubstr("=" + s.outside.path() + "/\r\n"));
       }},
      {"a group file link is refused by name",
       [](Scene& s) { s.Link("bkstudy.dat", s.outside.File("victim")); },
       {"post", "FIRST", "--studies", "3"},
       true,
       "bkstudy.dat is not an ordinary file"},
      {"a pipe in place of a data file is refused by name",
       [](Scene& s) {
         fs::remove(s.Data("meetin9.dat"));
         ::mkfifo(s.Data("meetin9.dat").c_str(), 0644);
       },
       {"info"},
       true,
       "meetin9.dat is not an ordinary file"},
      {"a PDF asked into the data folder",
       [](Scene&) {},
       {"report", "analysis", "--pdf", "DATA/tdat9.bin"},
       true,
       "is inside the data folder"},
      {"a backup kept under Roll",
       [](Scene& s) { fs::create_directory(s.Data("Roll")); },
       {"backup", "--to", "DATA/Roll"},
       true,
       "a folder that a restore replaces"},
      {"a refused writer is not told of a holder that ended",
       [](Scene& s) {
         const std::string stale = "zarim-cli, process " + std::to_string(EndedProcess()) +
                                   ", user nobody on " + Host() + ", since 2020-01-01 10:00:00";
         std::FILE* f = std::fopen(s.Data("zarim.lock").c_str(), "w");
         std::fputs((stale + "\n").c_str(), f);
         std::fclose(f);
       },
       {"save"},
       true,
       "another program that is reading it"},
  };
  for (const LinkCase& c : cases) {
    SCOPED_TRACE(c.attack);
    Scene s;
    s.outside.Write("victim", "outside bytes");
    c.plant(s);
    std::vector<std::string> args;
    for (std::string a : c.args) {
      if (a == "FIRST") {
        auto doc = s.folder.Load();
        for (int r = doc->count - 1; r > 0; --r)
          if (doc->records[r].status == kActive) a = std::to_string(doc->records[r].id);
      }
      if (a.rfind("OUT", 0) == 0) a = s.outside.path() + a.substr(3);
      if (a.rfind("DATA", 0) == 0) a = s.folder.path() + a.substr(4);
      if (a == "REL") a = fs::relative(s.outside.path(), fs::current_path()).string();
      args.push_back(a);
    }
    const auto outside_before = Tree(s.outside.path());
    const auto inside_before = s.folder.Files();
    // A reader holding the folder, for the row whose lock file names an ended writer.
    const bool held = std::string(c.attack).find("holder") != std::string::npos;
    int reader =
        !held ? -1 : ::open(s.Data("zarim.lock").c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK);
    struct stat st;
    if (reader >= 0 && (::fstat(reader, &st) != 0 || !S_ISREG(st.st_mode) ||
                        ::flock(reader, LOCK_SH | LOCK_NB) != 0)) {
      ::close(reader);
      reader = -1;
    }
    CliRun run = s.folder.Run(args);
    if (reader >= 0) ::close(reader);
    EXPECT_EQ(run.status != 0, c.refused) << run.err;
    EXPECT_THAT(run.err, HasSubstr(c.says));
    // What was outside stays as it was; a refused command adds nothing there either.
    const auto outside_after = Tree(s.outside.path());
    for (const auto& [path, bytes] : outside_before) EXPECT_EQ(outside_after.at(path), bytes);
    if (c.refused) EXPECT_EQ(outside_after, outside_before);
    // (A refused backup's settings keys belong to the save transaction, not to this test.)
    auto inside_after = s.folder.Files();
    if (c.args[0] == "backup") inside_after["zarim.ini"] = inside_before.at("zarim.ini");
    if (c.refused) EXPECT_EQ(inside_after, inside_before) << "a refused command changed the folder";
    if (c.check) c.check(s);
  }
}

// A publisher list of one person whose first name is `first`, after a document type.
std::string Publist(const std::string& doctype, const std::string& first) {
  return "<?xml version=\"1.0\"?>" + doctype +
         "<PUBLIST><Agent Ver=\"9000\">Zarim</Agent><Count>1</Count><Active><Pub><id>1</id>"
         "<fname>" +
         first + "</fname><lname>Able</lname></Pub></Active></PUBLIST>";
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

std::string Utf16(const std::string& ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) out += std::string{c, '\0'};
  return out;
}

struct BoundCase {
  const char* input;
  std::function<void(const TempDir&)> make;  // writes "in" into the outside folder
  std::vector<std::string> args;             // "IN" stands for that file
  bool refused;
  const char* says;
};

TEST(HostileInput, EveryReaderOfOutsideBytesIsBoundedOrLinear) {
  const std::string entity =
      "<!DOCTYPE PUBLIST [<!ENTITY e \"" + std::string(100000, 'A') + "\">]>";
  const std::vector<BoundCase> cases = {
      {"a 1 GB publisher file",
       [](const TempDir& d) { fs::resize_file(d.File("in.xml"), 1u << 30); },
       {"xml", "import", "IN.xml"},
       true,
       "is larger than"},
      {"one large internal entity used 5,000 times",
       [&](const TempDir& d) { d.Write("in.xml", Publist(entity, Repeat("&e;", 5000))); },
       {"xml", "import", "IN.xml"},
       true,
       "declares entities"},
      {"the same in UTF-16 for the report import",
       [&](const TempDir& d) { d.Write("in.xml", Utf16(Publist(entity, Repeat("&e;", 5000)))); },
       {"import", "xml-reports", "IN.xml"},
       true,
       "declares entities"},
      {"an external entity in an update",
       [](const TempDir& d) {
         d.Write("in.xml",
                 Publist("<!DOCTYPE PUBLIST [<!ENTITY x SYSTEM \"/etc/hostname\">]>", "&x;"));
       },
       {"xml", "import", "IN.xml", "--update"},
       true,
       "declares entities"},
      {"65,536 named references",
       [](const TempDir& d) { d.Write("in.xml", Publist("", Repeat("&hearts;", 65536))); },
       {"xml", "check", "IN.xml"},
       false,
       ""},
      {"a pipe named like a CSV file",
       [](const TempDir& d) { ::mkfifo(d.File("in.csv").c_str(), 0644); },
       {"import", "csv", "IN.csv"},
       true,
       "is not an ordinary file"},
      {"a CSV file beyond its bound",
       [](const TempDir& d) { fs::resize_file(d.File("in.csv"), 2u << 20); },
       {"import", "csv", "IN.csv"},
       true,
       "is larger than"},
  };
  for (const BoundCase& c : cases) {
    SCOPED_TRACE(c.input);
    CliFolder folder;
    TempDir outside;
    outside.Write("in.xml", "");
    outside.Write("in.csv", "");
    if (std::string(c.input).find("pipe") != std::string::npos) fs::remove(outside.File("in.csv"));
    c.make(outside);
    std::vector<std::string> args;
    for (std::string a : c.args)
      args.push_back(a.rfind("IN", 0) == 0 ? outside.File("in") + a.substr(2) : a);
    const auto before = folder.Files();
    CliRun run = folder.Run(args);
    EXPECT_EQ(run.status != 0, c.refused) << run.err;
    EXPECT_THAT(run.err, HasSubstr(c.says));
    EXPECT_EQ(folder.Files(), before);
  }
}

struct ValueCase {
  const char* value;
  std::vector<std::string> args;  // "ID" is an active publisher, "CSV" a file of his report
  const char* says;
};

TEST(HostileInput, ValuesBeyondTheFormsAreRefusedAndNothingIsWritten) {
  const std::string map = "First Name=1,Last Name=2,Shared=3,Bible Studies=4,Hours=5,Remarks=6";
  const std::vector<ValueCase> cases = {
      {"70000 hours",
       {"history", "ID", "--year", "2026", "--month", "10", "--hours", "70000"},
       "Hours is 70000; History takes an integer between 0 and 65535"},
      {"hours beyond any integer",
       {"history", "ID", "--year", "2026", "--month", "10", "--hours", "99999999999999"},
       "Hours is 99999999999999"},
      {"1024 studies",
       {"history", "ID", "--year", "2026", "--month", "10", "--studies", "1024"},
       "Bible Studies is 1024"},
      {"1023 studies from a CSV file",
       {"import", "csv", "CSV", "--map", map, "--all"},
       "Bible Studies is 1023"},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.value);
    CliFolder folder;
    auto doc = folder.Load();
    const PubRecord* pub = nullptr;
    for (int r = 1; r < doc->count && !pub; ++r)
      if (doc->records[r].status == kActive) pub = &doc->records[r];
    ASSERT_NE(pub, nullptr);
    const std::string csv = folder.dir.File("in.csv");
    std::FILE* f = std::fopen(csv.c_str(), "w");
    std::fprintf(f, "Given,Family,Shared,Studies,Hours,Remarks\r\n%s,%s,1,1023,5,\r\n",
                 FieldText(pub->first_name).c_str(), FieldText(pub->last_name).c_str());
    std::fclose(f);
    std::vector<std::string> args;
    for (const std::string& a : c.args)
      args.push_back(a == "ID" ? std::to_string(pub->id) : a == "CSV" ? csv : a);
    // The CSV column mapping is remembered as soon as it is chosen, import or not.
    auto data = [&] {
      auto files = folder.Files();
      files.erase("zrmap.dat");
      return files;
    };
    const auto before = data();
    CliRun run = folder.Run(args);
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_THAT(run.err, HasSubstr(c.says));
    EXPECT_EQ(data(), before);
  }
}

}  // namespace
}  // namespace zarim
