#include "ui/texts.h"
#include <windows.h>

#include "runtime/library.h"
#include "runtime/process_environment.h"

namespace ui {
namespace {

LANGID langIdOf(core::Language language) {
  switch (language) {
    case core::Language::german:
      return MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
    case core::Language::french:
      return MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);
    case core::Language::english:
      break;
  }
  return MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

// A string of one language's table. The table is stored in blocks of 16,
// each string its length and then its characters.
std::wstring_view tableString(int text, LANGID language) {
  HMODULE module = GetModuleHandleW(nullptr);
  const auto number = static_cast<unsigned>(text);
  HRSRC found = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(number / 16 + 1), language);
  const HGLOBAL block = found ? LoadResource(module, found) : nullptr;
  const auto* at = block ? static_cast<const wchar_t*>(LockResource(block)) : nullptr;
  if (!at) return {};
  for (unsigned i = 0; i < number % 16; ++i) at += 1 + *at;
  return {at + 1, *at};
}

}  // namespace

Texts::Texts(core::Language language) {
  for (int text = 1; text <= TEXT_COUNT; ++text) {
    std::wstring_view& found = texts_[static_cast<std::size_t>(text)];
    found = tableString(text, langIdOf(language));
    if (found.empty()) found = tableString(text, langIdOf(core::Language::english));
  }
}

std::wstring Texts::operator()(int text) const {
  return text > 0 && text <= TEXT_COUNT ? std::wstring(texts_[static_cast<std::size_t>(text)]) : std::wstring();
}

std::wstring Texts::operator()(int text, std::initializer_list<std::wstring_view> values) const {
  const std::wstring pattern = (*this)(text);
  std::wstring result;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const wchar_t next = i + 1 < pattern.size() ? pattern[i + 1] : L'\0';
    const bool placeholder = pattern[i] == L'%' && next >= L'1' && next < L'1' + static_cast<int>(values.size());
    if (placeholder) {
      result += values.begin()[next - L'1'];
      ++i;
    } else {
      result += pattern[i];
    }
  }
  return result;
}

core::Language startLanguage() {
  const auto ide = runtime::environmentValue(L"PB_TOOL_Language");
  // Windows before 2000 knows only the user's locale.
  const auto uiLanguage = RUNTIME_EXPORT(GetModuleHandleW(L"kernel32.dll"), GetUserDefaultUILanguage);
  return core::chooseLanguage(ide ? std::optional<std::wstring_view>(*ide) : std::nullopt,
                              uiLanguage ? uiLanguage() : GetUserDefaultLangID());
}

}  // namespace ui
