// Every dialog class of the desktop, each with a way to build it over a small
// congregation, for the tests that walk all dialogs (accessibility, keyboard). A new
// dialog class gets one entry in dialog_registry.cpp; the registry test fails until it
// has one.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../backup/backup_fixture.h"
#include "core/clipboard.h"
#include "core/document.h"
#include "support/test_support.h"

namespace zarim::testing {

// The congregation the dialogs are built over: a saved data folder with three publishers
// in two groups (ids 100, 101 and 102), a backup folder, a clipboard and a prompter.
struct DialogWorld {
  DialogWorld();
  BackupFolder folder;
  CZarimDoc& doc = folder.doc;
  ScriptedPrompter prompter;
  MemoryClipboard clipboard;
};

// A dialog and whatever it works on (its form), kept alive together.
struct BuiltDialog {
  std::shared_ptr<void> state;
  std::unique_ptr<QDialog> dialog;
};

struct DialogEntry {
  std::string class_name;  // the C++ class, as declared in src/shell
  std::function<BuiltDialog(DialogWorld&)> build;
};

const std::vector<DialogEntry>& AllDialogs();

}  // namespace zarim::testing
