// The tests' changes to the registry's file types and protocols, each put back
// as it was when the owner goes, also when an assertion ends a test early.
// On Windows they go to HKEY_CURRENT_USER\Software\Classes, the user's own,
// never to the machine's. Under Wine the prefix belongs to the tests, and Wine 8
// does not show the user's classes through HKEY_CLASSES_ROOT, so they go there.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/real_input.h"

namespace testing_support {

class RegistryChanges {
 public:
  RegistryChanges() = default;
  RegistryChanges(const RegistryChanges&) = delete;
  RegistryChanges& operator=(const RegistryChanges&) = delete;
  ~RegistryChanges() {
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) change->undo();
  }

  // Sets the default value of a key under the classes (".htm",
  // "https\\shell\\open\\command"), making the key where it is missing.
  void setDefault(const std::wstring& key, const std::wstring& value) {
    const std::wstring path = classesPath() + key;
    Change change{path, {}, {}};
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
    changes_.push_back(std::move(change));
    RegSetKeyValueW(root(), path.c_str(), nullptr, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }

  // Why an address handed to the shell would not reach the tests' browser:
  // the user's own choice of browser for https or .htm, which Windows puts
  // above every registered class. None when nothing stands in the way.
  static std::optional<std::wstring> userChoiceInTheWay() {
    if (runningUnderWine()) return std::nullopt;
    const wchar_t* choices[] = {
        L"Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\https\\UserChoice",
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.htm\\UserChoice"};
    for (const wchar_t* choice : choices) {
      wchar_t progId[256] = {};
      DWORD size = sizeof progId;
      if (RegGetValueW(HKEY_CURRENT_USER, choice, L"ProgId", RRF_RT_REG_SZ, nullptr, progId, &size) == ERROR_SUCCESS)
        return std::wstring(L"this user chose a browser (") + progId + L", " + choice +
               L"): the tests would open it instead of their recording program";
    }
    return std::nullopt;
  }

 private:
  struct Change {
    std::wstring path;
    std::optional<std::wstring> madeKey;   // made here: removed with everything under it
    std::optional<std::wstring> oldValue;  // the default value before, if there was one
    void undo() const {
      if (madeKey) {
        RegDeleteTreeW(root(), madeKey->c_str());
      } else if (oldValue) {
        RegSetKeyValueW(root(), path.c_str(), nullptr, REG_SZ, oldValue->c_str(),
                        static_cast<DWORD>((oldValue->size() + 1) * sizeof(wchar_t)));
      } else {
        RegDeleteKeyValueW(root(), path.c_str(), nullptr);
      }
    }
  };

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

}  // namespace testing_support
