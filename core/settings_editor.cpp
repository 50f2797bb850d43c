#include "core/settings_editor.h"

#include "core/preference_file.h"

namespace core {
namespace {

// The store calls of one edit: one key where the entries' keys allow it, the
// whole group for a removal or a move.
void writeOperation(PreferenceFile& file, EditedSettings& settings, const EntryOperation& operation,
                    const Carried& carried) {
  using Kind = EntryOperation::Kind;
  switch (operation.kind) {
    case Kind::setTiming:
      writeBrowserValue(file, operation.timing == &BrowserTimings::browserStart ? kKeyBrowserStart : kKeyTabDelay,
                        operation.newTiming);
      return;
    case Kind::setField:
    case Kind::add:
      // In a hand-edited file whose keys are not "1" to "n", key row + 1 may
      // be another entry's record: the whole group is renumbered once instead.
      if (settings.entryKeysInOrder) {
        writeEntry(file, settings.entries, carried.row);
        return;
      }
      break;
    case Kind::remove:
    case Kind::move:
      break;
  }
  writeEntriesGroup(file, settings.entries, settings.notes);
  settings.entryKeysInOrder = true;
}

}  // namespace

Carried SettingsEditor::record(const EntryOperation& operation) {
  const Carried carried = carryOver(shown_, operation);
  if (carried.outcome == CarryOutcome::applied) queue_.push_back(operation);
  return carried;
}

SyncReport SettingsEditor::sync() {
  SyncReport report;
  PreferenceFile file;
  if (!file.open(fileName_) && file.readError()) {
    // There, but held by another program or unreadable: nothing is written.
    if (!everRead_)
      report.readError = file.readError();
    else if (!queue_.empty())
      report.saveError = file.readError();
    return report;
  }
  EditedSettings base;
  if (!file.bytesRead()) {
    // No file (deleted while the window was open): the window holds the only
    // copy, and writes all of it with its first edit.
    if (queue_.empty()) return report;
    base = shown_;
    writeAllSettings(file, base);
    base.entryKeysInOrder = true;
  } else {
    if (!everRead_ || file.bytesRead() != known_) {
      file_ = readAllSettings(file);
      known_ = file.bytesRead();
      everRead_ = true;
      report.reloaded = true;
    }
    if (queue_.empty() && !report.reloaded) return report;
    base = file_;
    std::vector<EntryOperation> carriedOver;
    for (const EntryOperation& operation : queue_) {
      const Carried carried = carryOver(base, operation);
      if (carried.outcome == CarryOutcome::entryGone || carried.outcome == CarryOutcome::fieldChangedOutside) {
        report.dropped.push_back({operation, carried.outcome});
        continue;
      }
      if (carried.outcome == CarryOutcome::applied) writeOperation(file, base, operation, carried);
      carriedOver.push_back(operation);
    }
    queue_ = std::move(carriedOver);
    if (report.reloaded) shown_ = base;
  }
  std::optional<std::string> written;
  report.saveError = file.close(&written);
  if (report.saveError) return report;
  // What was written is known: the file is not read again to learn it.
  queue_.clear();
  file_ = std::move(base);
  known_ = std::move(written);
  everRead_ = true;
  return report;
}

}  // namespace core
