// The settings window's side of its configuration file: what the file held
// when the window last read or wrote it (the base), the user's edits not yet
// written, and the save that reads, merges and writes in one open of the file.
// An edit made while another program changed the file is merged three ways
// with that program's changes (settings_merge.h); what the merge cannot apply
// is reported, never written onto another entry.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/configuration.h"
#include "core/settings_edit.h"
#include "core/settings_merge.h"
#include "runtime/file_io.h"

namespace core {

struct SyncReport {
  bool reloaded = false;  // the file had changed outside: what is shown is the merged state
  // Per row shown before the sync: where that entry is shown now (reloaded).
  std::vector<std::optional<std::size_t>> rowsNow;
  std::vector<Notice> notices;         // edits not applied as made
  runtime::SystemError saveError = 0;  // why edits are not in the file yet (they stay queued)
  runtime::SystemError readError = 0;  // the file is there but has never been read: nothing is written
};

class SettingsEditor {
 public:
  explicit SettingsEditor(std::wstring fileName) : fileName_(std::move(fileName)) {}

  const std::wstring& fileName() const { return fileName_; }
  // What the window shows: the base with the edits not yet written applied.
  const EditedSettings& shown() const { return ours_.settings; }
  bool hasUnsaved() const { return unsaved_; }

  // Applies the user's edit to what is shown, to be written by the next sync;
  // false when it changes nothing.
  bool record(const SettingsEdit& edit);
  // Records the edit and saves it; none when it changes nothing.
  std::optional<SyncReport> apply(const SettingsEdit& edit);
  // Reads the file and, when there are edits, merges them with it and writes
  // the result; a file another program holds for a moment is waited for, a
  // quarter of a second at most. Edits whose save fails stay queued, against
  // the same base: a file that can only be read is never merged with.
  SyncReport sync();

 private:
  SyncReport trySync();
  // What is shown becomes the base, with no edits.
  void takeBase(EditedSettings base, std::string bytes);

  std::wstring fileName_;
  std::optional<std::string> known_;  // the file's bytes as last read or written here
  EditedSettings base_;               // what those bytes hold
  OurSettings ours_;
  std::size_t added_ = 0;
  bool unsaved_ = false;
};

}  // namespace core
