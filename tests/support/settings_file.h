// Reading and writing a configuration file's settings through the store, as
// a test or benchmark prepares or checks one.
#pragma once

#include <string>
#include <vector>

#include "core/configuration.h"
#include "core/preference_file.h"

namespace testing_support {

// Opens the file, lets `change` edit it, and closes it: 0 when the file holds
// the change, else the system's reason.
template <class Change>
runtime::SystemError changeSettings(const std::wstring& fileName, Change change) {
  core::PreferenceFile file;
  file.open(fileName);
  change(file);
  return file.close();
}

// Replaces the entries, numbered from 1; the group's other lines stay.
inline runtime::SystemError saveEntries(const std::wstring& fileName, const std::vector<core::SearchEntry>& entries) {
  return changeSettings(fileName, [&](core::PreferenceFile& file) {
    const core::EditedSettings inFile = core::readAllSettings(file);
    core::writeEntries(file, inFile.entries, entries, std::vector<std::optional<std::size_t>>(entries.size()),
                       inFile.notes);
  });
}

inline runtime::SystemError saveTimings(const std::wstring& fileName, std::int32_t browserStart,
                                        std::int32_t tabDelay) {
  return changeSettings(fileName, [&](core::PreferenceFile& file) {
    core::writeBrowserValue(file, core::kKeyBrowserStart, browserStart);
    core::writeBrowserValue(file, core::kKeyTabDelay, tabDelay);
  });
}

inline core::EditedSettings readSettings(const std::wstring& fileName) {
  core::PreferenceFile file;
  file.open(fileName);
  return core::readAllSettings(file);  // nothing changed: closing writes nothing
}

}  // namespace testing_support
