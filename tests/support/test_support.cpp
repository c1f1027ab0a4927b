// Test support implementation.
#include "support/test_support.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "core/folder_lock.h"
#include "core/password_form.h"
#include "core/store.h"
#include "cycle/congregation.h"

namespace zarim::testing {

TempDir::TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "zarim-test-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  path_ = tmpl;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

void TempDir::Write(std::string_view name, const Bytes& data) const {
  if (!WriteFileAtomic(File(name), data.data(), data.size()))
    throw std::runtime_error("write failed");
}

void TempDir::Write(std::string_view name, std::string_view text) const {
  Write(name, Bytes(text.begin(), text.end()));
}

Bytes TempDir::Read(std::string_view name) const { return ReadFile(File(name)).value_or(Bytes{}); }

Answer ScriptedPrompter::Ask(std::string_view text, Buttons b, Answer default_answer) {
  messages.emplace_back(text);
  buttons.push_back(b);
  if (answers_.empty()) return default_answer;
  Answer a = answers_.front();
  answers_.pop_front();
  return a;
}

PubRecord MakePublisher(int id, std::string_view first, std::string_view last, uint8_t status) {
  PubRecord r{};
  SetField(r.first_name, first);
  SetField(r.last_name, last);
  SetField(r.baptism_date, "        ");
  SetField(r.birth_date, "        ");
  r.id = static_cast<uint16_t>(id);
  r.status = status;
  r.hope = 'O';
  r.special_circumstances = kCircumstancesSet;
  return r;
}

PubRecord& AddRecord(CZarimDoc& doc, const PubRecord& r) {
  if (doc.count == 0) doc.ResetHeader();
  doc.records[doc.count] = r;
  ++doc.count;
  RefreshDerivedState(doc);
  return doc.records[doc.count - 1];
}

bool OpenOwner(Congregation& owner, const std::string& folder, const Clock& clock) {
  struct NoPassword : PasswordRunner {
    void Run(PasswordForm& form) override { form.Cancel(); }
    void Run(PasswordChangeForm& form) override { form.Cancel(); }
  } passwords;
  OpenOptions options;
  options.data_folder = folder;
  options.program = "test";
  return owner.Open(options, clock, passwords) == Congregation::Opened::kOk;
}

void StartEmpty(CZarimDoc& doc, const Date& today, const std::string& folder) {
  doc.data_folder = folder;
  doc.ClearTables();
  doc.ResetHeader();
  doc.SetToday(today);
  RefreshDerivedState(doc);
}

std::vector<std::pair<std::string, Bytes>> FolderContents(const std::string& folder) {
  std::vector<std::pair<std::string, Bytes>> out;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    if (!e.is_regular_file()) continue;
    out.emplace_back(e.path().filename().string(), ReadFile(e.path().string()).value_or(Bytes{}));
  }
  std::sort(out.begin(), out.end());
  return out;
}

bool RecoverSaveAsAtStart(const std::string& folder) {
  auto lock = FolderLock::Take(folder, FolderLock::Mode::kExclusive, "test", nullptr);
  return lock && SaveTransaction::Recover(*lock);
}

}  // namespace zarim::testing
