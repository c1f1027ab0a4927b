// The first start's question: which folder "Create a New Folder" makes for a new
// congregation, and the guard that keeps it from opening a congregation already there.
#pragma once

#include <string>

namespace zarim {

class FirstStartForm {
 public:
  // documents: the user's documents folder (the home folder where there is none).
  explicit FirstStartForm(std::string documents);

  // The folder "Create a New Folder" makes: "ZARIM" in the documents folder, or the first
  // of "ZARIM 2", "ZARIM 3", ... that holds no congregation when that one does.
  const std::string& new_folder() const { return new_folder_; }
  // The question, naming the folder it creates; when the usual folder already holds a
  // congregation, says so and how to open it.
  std::string Text() const;
  // Makes the new folder; empty on success, else the message for the user (the folder
  // could not be made, or a congregation appeared in it meanwhile).
  std::string CreateNewFolder() const;

  // Whether a folder holds a congregation's data (the publisher file of this or the
  // earlier version, in any letter case).
  static bool HoldsCongregation(const std::string& folder);

 private:
  std::string usual_folder_;
  std::string new_folder_;
};

}  // namespace zarim
