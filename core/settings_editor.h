// The settings window's side of its configuration file: what the file held
// when the window last read or wrote it, the user's edits not yet written, and
// the save that compares and writes in one open of the file. An edit made
// while another program changed the file is carried over onto the file as it
// is now, onto the entry the user saw; one that has no place there any more is
// dropped and reported, never written onto another entry.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/configuration.h"
#include "core/entry_operation.h"
#include "runtime/file_io.h"

namespace core {

struct SyncReport {
  struct Dropped {
    EntryOperation operation;
    CarryOutcome outcome;  // entryGone or fieldChangedOutside
  };
  bool reloaded = false;               // the file had changed outside: what is shown is its state now
  std::vector<Dropped> dropped;        // edits the file's state now had no place for
  runtime::SystemError saveError = 0;  // why edits are not in the file yet (they stay queued)
  runtime::SystemError readError = 0;  // the file is there but has never been read: nothing is written
};

class SettingsEditor {
 public:
  explicit SettingsEditor(std::wstring fileName) : fileName_(std::move(fileName)) {}

  const std::wstring& fileName() const { return fileName_; }
  // What the window shows: the file as last read or written here, with the
  // edits not yet written applied.
  const EditedSettings& shown() const { return shown_; }
  bool hasUnsaved() const { return !queue_.empty(); }

  // Applies the user's edit to what is shown and queues it for the next sync;
  // an edit that changes nothing is not queued.
  Carried record(const EntryOperation& operation);
  // One open of the file: reads it, and when it is not what this editor last
  // read or wrote, takes its state and carries the queued edits over onto it;
  // then writes the queued edits. Edits whose save fails stay queued.
  SyncReport sync();

 private:
  std::wstring fileName_;
  bool everRead_ = false;
  std::optional<std::string> known_;  // the file's bytes as last read or written here
  EditedSettings file_;               // what those bytes hold
  EditedSettings shown_;
  std::vector<EntryOperation> queue_;
};

}  // namespace core
