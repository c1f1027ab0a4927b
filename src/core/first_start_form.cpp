// The first start's folder question.
#include "core/first_start_form.h"

#include <filesystem>

#include "core/file_io.h"
#include "core/file_names.h"
#include "core/strings.h"

namespace zarim {

namespace {
// A documents folder full of old copies is not searched for ever.
constexpr int kMaxNumbered = 99;
}  // namespace

FirstStartForm::FirstStartForm(std::string documents) {
  usual_folder_ = JoinPath(documents, "ZARIM");
  new_folder_ = usual_folder_;
  for (int n = 2; n <= kMaxNumbered && HoldsCongregation(new_folder_); ++n)
    new_folder_ = JoinPath(documents, "ZARIM " + std::to_string(n));
}

bool FirstStartForm::HoldsCongregation(const std::string& folder) {
  return FileExists(ResolvePath(folder, kFilePublishers)) ||
         FileExists(ResolvePath(folder, kOldFilePublishers7));
}

std::string FirstStartForm::Text() const {
  std::string text = std::string(Str(Sid::kFirstFolderText)) + "\n\n" +
                     Fill(Sid::kFirstFolderWillCreate, new_folder_);
  if (new_folder_ != usual_folder_)
    text += "\n\n" + Fill(Sid::kFirstFolderHoldsData, usual_folder_);
  return text;
}

std::string FirstStartForm::CreateNewFolder() const {
  if (HoldsCongregation(new_folder_)) return Fill(Sid::kFirstFolderHoldsData, new_folder_);
  std::error_code error;
  std::filesystem::create_directories(new_folder_, error);
  if (error || !std::filesystem::is_directory(new_folder_, error))
    return Fill(Sid::kFolderNotCreated, new_folder_);
  return {};
}

}  // namespace zarim
