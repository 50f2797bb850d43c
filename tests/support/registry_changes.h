// The tests' changes to the registry's file types and protocols, each put back
// as it was when the owner goes, also when an assertion ends a test early. Each
// is written down in a journal before it is made and struck off once undone: a
// program killed at its time-out leaves its changes there, and the next test
// program to start undoes them first, so the user's browser is not left
// pointing at a test's recording program.
// On Windows they go to HKEY_CURRENT_USER\Software\Classes, the user's own,
// never to the machine's. Under Wine the prefix belongs to the tests, and Wine 8
// does not show the user's classes through HKEY_CLASSES_ROOT, so they go there.
#pragma once

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/under_wine.h"

namespace testing_support {

class RegistryChanges {
 public:
  RegistryChanges() = default;
  RegistryChanges(const RegistryChanges&) = delete;
  RegistryChanges& operator=(const RegistryChanges&) = delete;
  ~RegistryChanges() {
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) change->undo();
  }

  // Undoes what programs that have ended left in the journal, newest first.
  static void undoLeftovers() {
    HKEY journal = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kJournal, 0, KEY_READ, &journal) != ERROR_SUCCESS) return;
    std::vector<std::wstring> names;
    wchar_t name[64];
    for (DWORD index = 0, size = std::size(name);
         RegEnumValueW(journal, index, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++index, size = std::size(name))
      names.push_back(name);
    std::sort(names.rbegin(), names.rend());
    for (const std::wstring& entry : names) {
      if (processRuns(static_cast<DWORD>(std::wcstoul(entry.c_str(), nullptr, 10)))) continue;
      wchar_t record[4096] = {};
      DWORD size = sizeof record - 2 * sizeof(wchar_t);
      if (RegQueryValueExW(journal, entry.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(record), &size) ==
          ERROR_SUCCESS)
        Change::fromRecord(record, entry).undo();
      else
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kJournal, entry.c_str());
    }
    RegCloseKey(journal);
  }

  // Sets the default value of a key under the classes (".htm",
  // "https\\shell\\open\\command"), making the key where it is missing.
  void setDefault(const std::wstring& key, const std::wstring& value) {
    const std::wstring path = classesPath() + key;
    Change change{path, {}, {}, {}};
    // The outermost key that is not there yet goes again as a whole.
    for (std::size_t end = key.find(L'\\');; end = key.find(L'\\', end + 1)) {
      const std::wstring part = classesPath() + key.substr(0, end);
      HKEY opened = nullptr;
      if (RegOpenKeyExW(root(), part.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        change.madeKey = part;
        break;
      }
      RegCloseKey(opened);
      if (end == std::wstring::npos) break;
    }
    if (!change.madeKey) change.oldValue = defaultValue(path);
    change.note(changes_.size());
    changes_.push_back(std::move(change));
    RegSetKeyValueW(root(), path.c_str(), nullptr, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }

  // Why an address handed to the shell would not reach the tests' browser:
  // the user's own choice of browser for https or .htm, which Windows puts
  // above every registered class. None when nothing stands in the way.
  static std::optional<std::wstring> userChoiceInTheWay() {
    if (runningUnderWine()) return std::nullopt;
    // Windows 11 keeps the choice in UserChoiceLatest as well (its ProgId in
    // a value or a subkey of that name).
    const wchar_t* choices[] = {
        L"Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\https\\UserChoice",
        L"Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\https\\UserChoiceLatest",
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.htm\\UserChoice",
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.htm\\UserChoiceLatest"};
    for (const std::wstring choice : choices) {
      wchar_t progId[256] = L"?";
      DWORD size = sizeof progId;
      HKEY key = nullptr;
      if (RegOpenKeyExW(HKEY_CURRENT_USER, choice.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
      if (RegGetValueW(key, nullptr, L"ProgId", RRF_RT_REG_SZ, nullptr, progId, &size) != ERROR_SUCCESS) {
        size = sizeof progId;
        RegGetValueW(key, L"ProgId", L"ProgId", RRF_RT_REG_SZ, nullptr, progId, &size);
      }
      RegCloseKey(key);
      return L"this user chose a browser (" + std::wstring(progId) + L", " + choice +
             L"): the tests would open it instead of their recording program";
    }
    return std::nullopt;
  }

 private:
  static constexpr wchar_t kJournal[] = L"Software\\Wordhop tests\\Registry journal";

  struct Change {
    std::wstring path;
    std::optional<std::wstring> madeKey;   // made here: removed with everything under it
    std::optional<std::wstring> oldValue;  // the default value before, if there was one
    std::wstring journalEntry;             // "<process>.<change>", in the journal while it stands

    // Writes the change down: its path, then "made" and the key, "value" and
    // the old value, or "none".
    void note(std::size_t number) {
      wchar_t entry[32];
      swprintf(entry, std::size(entry), L"%010lu.%06zu", GetCurrentProcessId(), number);
      journalEntry = entry;
      std::wstring record = path + L'\0';
      record += madeKey ? L"made" + (L'\0' + *madeKey) : oldValue ? L"value" + (L'\0' + *oldValue) : L"none";
      record += std::wstring(2, L'\0');
      RegSetKeyValueW(HKEY_CURRENT_USER, kJournal, journalEntry.c_str(), REG_MULTI_SZ, record.c_str(),
                      static_cast<DWORD>(record.size() * sizeof(wchar_t)));
    }
    static Change fromRecord(const wchar_t* record, const std::wstring& entry) {
      Change change{record, {}, {}, entry};
      const wchar_t* kind = record + wcslen(record) + 1;
      const wchar_t* data = kind + wcslen(kind) + 1;
      if (std::wstring(kind) == L"made") change.madeKey = data;
      if (std::wstring(kind) == L"value") change.oldValue = data;
      return change;
    }
    void undo() const {
      if (madeKey) {
        RegDeleteTreeW(root(), madeKey->c_str());
      } else if (oldValue) {
        RegSetKeyValueW(root(), path.c_str(), nullptr, REG_SZ, oldValue->c_str(),
                        static_cast<DWORD>((oldValue->size() + 1) * sizeof(wchar_t)));
      } else {
        RegDeleteKeyValueW(root(), path.c_str(), nullptr);
      }
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kJournal, journalEntry.c_str());
    }
  };

  static bool processRuns(DWORD id) {
    if (id == GetCurrentProcessId()) return true;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (!process) return false;
    const bool runs = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return runs;
  }

  static HKEY root() { return runningUnderWine() ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER; }
  static std::wstring classesPath() { return runningUnderWine() ? L"" : L"Software\\Classes\\"; }
  static std::optional<std::wstring> defaultValue(const std::wstring& path) {
    wchar_t value[2048] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(root(), path.c_str(), nullptr, RRF_RT_REG_SZ | RRF_NOEXPAND, nullptr, value, &size) !=
        ERROR_SUCCESS)
      return std::nullopt;
    return std::wstring(value);
  }

  std::vector<Change> changes_;
};

// Every program that may change the registry looks at the journal as it starts.
inline const bool kRegistryLeftoversUndone = (RegistryChanges::undoLeftovers(), true);

}  // namespace testing_support
