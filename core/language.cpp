#include "core/language.h"

#include <string>

namespace core {
namespace {

// Lower case, the accented Latin letters as their base letter: "Français" is "francais".
wchar_t folded(wchar_t c) {
  static constexpr std::wstring_view kAccented = L"àáâãäåçèéêëìíîïñòóôõöùúûüýÿ";
  static constexpr std::wstring_view kBase = L"aaaaaaceeeeiiiinooooouuuuyy";
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c - L'A' + L'a');
  if (c >= L'À' && c <= L'Þ' && c != L'×') c = static_cast<wchar_t>(c + (L'à' - L'À'));
  const std::size_t at = kAccented.find(c);
  return at == std::wstring_view::npos ? c : kBase[at];
}

std::optional<Language> languageOfIdeName(std::wstring_view name) {
  std::wstring key;
  for (wchar_t c : name)
    if (c != L' ' && c != L'\t') key += folded(c);
  if (key == L"english") return Language::english;
  if (key == L"deutsch" || key == L"german") return Language::german;
  if (key == L"francais" || key == L"french") return Language::french;
  return std::nullopt;
}

std::optional<Language> languageOfLangId(std::uint16_t langId) {
  switch (langId & 0x3FF) {  // the primary language
    case 0x09:
      return Language::english;
    case 0x07:
      return Language::german;
    case 0x0C:
      return Language::french;
    default:
      return std::nullopt;
  }
}

}  // namespace

Language chooseLanguage(std::optional<std::wstring_view> ideLanguage, std::uint16_t userInterfaceLangId) {
  if (ideLanguage)
    if (const auto spoken = languageOfIdeName(*ideLanguage)) return *spoken;
  return languageOfLangId(userInterfaceLangId).value_or(Language::english);
}

}  // namespace core
