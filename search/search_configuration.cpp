#include "search/search_configuration.h"

#include <algorithm>

#include "core/configuration.h"
#include "core/preference_file.h"
#include "runtime/text.h"

namespace search {

namespace {

// The settings of the groups Browser and Google; closes the file.
SearchSettings readSettings(core::PreferenceFile& file) {
  SearchSettings settings;
  file.selectGroup(core::kGroupBrowser);
  auto bounded = [](std::int32_t ms) { return std::clamp(ms, 0, kLongestWaitMs); };
  settings.browserStart = bounded(file.readInteger(core::kKeyBrowserStart, core::kDefaultBrowserStart));
  settings.tabDelay = bounded(file.readInteger(core::kKeyTabDelay, core::kDefaultTabDelay));
  file.selectGroup(core::kGroupGoogle);
  settings.searchBase = file.readString(core::kKeySearch, core::kDefaultSearch);
  settings.languageSwitch = file.readString(core::kKeyLangUI, core::kDefaultLangUI);
  static_cast<void>(file.close());  // only read: nothing is written
  return settings;
}

}  // namespace

SearchSettings loadSearchRun(const std::wstring& fileName, std::vector<core::SearchEntry>& entries) {
  core::PreferenceFile file;
  file.open(fileName);
  file.selectGroup(core::kGroupEntries);
  file.examineKeys();
  while (file.nextKey()) {
    const std::wstring record = file.keyValue();
    if (!core::isEnabledRecord(record)) continue;
    core::SearchEntry& entry = entries.emplace_back();
    core::parseEntryRecord(record, entry);
    entry.enabled = 0;
    // A template is opened as it stands; other sites become site terms.
    if (!isAddressTemplate(entry.sites)) entry.sites = buildSiteTerms(entry.sites);
  }
  return readSettings(file);
}

std::wstring previewAddress(const std::wstring& fileName, core::SearchEntry entry) {
  if (isAddressTemplate(entry.sites)) return entry.sites;
  // Asked while the user works in an editor too: the file is only read, and
  // another program may write it meanwhile.
  core::PreferenceFile file;
  file.openForReading(fileName);
  entry.sites = buildSiteTerms(entry.sites);
  return buildSearchAddress(readSettings(file), entry, kWordPlaceholder);
}

}  // namespace search
