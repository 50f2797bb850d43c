#include "core/settings_editor.h"

#include "core/entry_diff.h"
#include "core/preference_file.h"
#include "runtime/wait.h"

namespace core {
namespace {

// An editor saving, a second settings window, a sync tool: another program
// holds the file for a few milliseconds. It is tried again this often.
constexpr int kHeldRetries = 10;
constexpr std::int32_t kHeldRetryPause = 25;

// Writes the merged settings over the file's state `theirs`: only the lines
// that change are written (writeEntries).
void writeMerged(PreferenceFile& file, const EditedSettings& theirs, const Merged& merged) {
  writeEntries(file, theirs.entries, merged.settings.entries, merged.fileRows, merged.settings.notes);
  for (Timing timing : kTimings)
    if (timingIn(merged.settings, timing) != timingIn(theirs, timing))
      writeBrowserValue(file, keyOf(timing), timingIn(merged.settings, timing));
}

std::vector<std::optional<std::size_t>> sameRows(std::size_t count) {
  std::vector<std::optional<std::size_t>> rows(count);
  for (std::size_t row = 0; row < count; ++row) rows[row] = row;
  return rows;
}

}  // namespace

bool SettingsEditor::record(const SettingsEdit& edit) {
  if (!applyEdit(ours_, edit, added_)) return false;
  unsaved_ = true;
  return true;
}

std::optional<SyncReport> SettingsEditor::apply(const SettingsEdit& edit) {
  if (!record(edit)) return std::nullopt;
  return sync();
}

void SettingsEditor::takeBase(EditedSettings base, std::string bytes) {
  base_ = std::move(base);
  known_ = std::move(bytes);
  ours_ = {base_, {}, {}};
  for (std::size_t row = 0; row < base_.entries.size(); ++row) ours_.ids.push_back({false, row});
  added_ = 0;
  unsaved_ = false;
}

SyncReport SettingsEditor::sync() {
  for (int attempt = 0;; ++attempt) {
    SyncReport report = trySync();
    const runtime::SystemError error = report.saveError ? report.saveError : report.readError;
    if (attempt == kHeldRetries || !runtime::heldByAnotherProgram(error)) return report;
    runtime::waitMilliseconds(kHeldRetryPause);
  }
}

SyncReport SettingsEditor::trySync() {
  SyncReport report;
  PreferenceFile file;
  if (!file.open(fileName_) && file.readError()) {
    // There, but held by another program or unreadable: nothing is written.
    if (!known_)
      report.readError = file.readError();
    else if (unsaved_)
      report.saveError = file.readError();
    return report;
  }
  if (unsaved_ && !file.writable()) {
    // What a file that cannot be written holds may be half another program's
    // save: the edits wait, against the base they were made on.
    report.saveError = file.writeError();
    return report;
  }
  if (file.empty() && known_) {
    // Gone, or emptied: without edits there is nothing to keep; with them the
    // file is written from the bytes last read, so that its other groups and
    // comments survive.
    if (!unsaved_) return report;
    file.adopt(*known_);
  }
  const std::optional<std::string_view> bytes = file.bytesRead();
  const bool changed = !known_ || (bytes && *bytes != *known_);
  EditedSettings read;
  std::vector<std::optional<std::size_t>> match;
  if (changed) {
    read = readAllSettings(file);
    match = matchEntries(base_.entries, read.entries);
  } else {
    match = sameRows(base_.entries.size());
  }
  const EditedSettings& theirs = changed ? read : base_;
  if (!unsaved_) {
    if (!changed) return report;
    report.reloaded = true;
    report.rowsNow = std::move(match);
    takeBase(std::move(read), std::string(bytes.value_or(std::string_view())));
    return report;
  }
  Merged merged = mergeSettings(base_, theirs, match, ours_);
  writeMerged(file, theirs, merged);
  std::optional<std::string> written;
  report.saveError = file.close(&written);
  if (report.saveError) return report;
  report.reloaded = changed;
  report.rowsNow = std::move(merged.rowsOfOurs);
  report.notices = std::move(merged.notices);
  // The base is what the file now holds, as read from the bytes written.
  std::string now = written.value_or(std::string());
  EditedSettings held = readAllSettings(now);
  takeBase(std::move(held), std::move(now));
  return report;
}

}  // namespace core
