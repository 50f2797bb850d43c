#include <gtest/gtest.h>

#include "core/language.h"

#include <optional>
#include <string_view>

namespace {

using core::Language;

constexpr std::uint16_t kGermanSwiss = 0x0807, kFrenchCanada = 0x0C0C, kEnglishUk = 0x0809, kSpanish = 0x0C0A;

TEST(Language, TheIdesWhenItSpeaksOneOfOursElseWindowsElseEnglish) {
  struct Case {
    std::optional<std::wstring_view> ide;
    std::uint16_t windows;
    Language spoken;
  } cases[] = {
      {L"Deutsch", kEnglishUk, Language::german},
      {L"Francais", kGermanSwiss, Language::french},
      {L"FRANÇAIS", kGermanSwiss, Language::french},
      {L"français ", kGermanSwiss, Language::french},
      {L"English", kFrenchCanada, Language::english},
      {L"german", kFrenchCanada, Language::german},
      {L"Espanol", kGermanSwiss, Language::german},
      {L"Espanol", kSpanish, Language::english},
      {L"", kFrenchCanada, Language::french},
      {std::nullopt, kGermanSwiss, Language::german},
      {std::nullopt, kFrenchCanada, Language::french},
      {std::nullopt, kSpanish, Language::english},
      {std::nullopt, 0, Language::english},
  };
  for (const Case& c : cases) EXPECT_EQ(core::chooseLanguage(c.ide, c.windows), c.spoken) << "row " << &c - cases;
}

}  // namespace
