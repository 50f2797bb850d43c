#include <gtest/gtest.h>

#include "automation/command_tokens.h"

namespace {

using automation::tokenize;

std::vector<std::vector<std::wstring>> tokensOf(const wchar_t* command) {
  std::vector<std::vector<std::wstring>> result;
  if (auto members = tokenize(command))
    for (const auto& member : *members) result.push_back(member.tokens);
  return result;
}

TEST(CommandTokens, SplitsMembersAndKeepsQuotedTextWhole) {
  using Tokens = std::vector<std::vector<std::wstring>>;
  struct Case {
    const wchar_t* command;
    Tokens tokens;
  } cases[] = {
      {L"ExecQuery('Select * from Win32_Process where ProcessID = 1234')",
       {{L"ExecQuery", L"(", L"'Select * from Win32_Process where ProcessID = 1234'", L")"}}},
      {L"ExecutablePath", {{L"ExecutablePath"}}},
      {L"Name()", {{L"Name", L"(", L")"}}},
      {L"Items\\Item(2)\\Name", {{L"Items"}, {L"Item", L"(", L"2", L")"}, {L"Name"}}},
      {L"Name = 'x'", {{L"Name", L"=", L"'x'"}}},
      {L"Open( 'a' , 'b' )", {{L"Open", L"(", L"'a'", L",", L"'b'", L")"}}},
      {L"Set(5 as long)", {{L"Set", L"(", L"5", L"as", L"long", L")"}}},
      {L"Say('a,b\\c(d)')", {{L"Say", L"(", L"'a,b\\c(d)'", L")"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(tokensOf(c.command), c.tokens) << c.command;
}

TEST(CommandTokens, RejectsWhatTheGrammarForbids) {
  const wchar_t* rejected[] = {
      L"",           L"A\\B = 1\\C", L"A = 1 = 2", L"Say('open", L"F)",      L"F((1))",   L"A\\\\B",
      L"A\\",        L"\\A",         L"F(1",       L"F(1)(2)",   L"(",
  };
  for (const wchar_t* command : rejected) EXPECT_FALSE(tokenize(command).has_value()) << command;
  std::wstring twentyOne = L"A";
  for (int i = 0; i < 20; ++i) twentyOne += L"\\A";
  EXPECT_FALSE(tokenize(twentyOne).has_value());
  EXPECT_EQ(tokenize(twentyOne.substr(2))->size(), 20u);
}

TEST(CommandTokens, AMemberIsCutAfterTwoHundredTokens) {
  std::wstring command = L"F";
  for (int i = 0; i < 300; ++i) command += L" x";
  auto members = tokenize(command);
  ASSERT_TRUE(members.has_value());
  EXPECT_EQ((*members)[0].tokens.size(), 200u);
}

TEST(CommandValues, NumbersTakeTheSmallestIntegerTypeOrDouble) {
  struct Case {
    const wchar_t* token;
    bool number;
    bool real;
    std::int64_t integer;
    std::uint16_t type;
  } cases[] = {
      {L"5", true, false, 5, 16},         {L"-7", true, false, -7, 16},   {L"0", true, false, 0, 3},
      {L"127", true, false, 127, 16},     {L"128", true, false, 128, 2},  {L"-32768", true, false, -32768, 2},
      {L"40000", true, false, 40000, 3},  {L"5000000000", true, false, 5000000000, 20},
      {L"+", true, false, 0, 3},          {L"-", true, false, 0, 3},      {L"1.5", true, true, 0, 5},
      {L".5", true, true, 0, 5},          {L"1.5.2", false, false, 0, 0}, {L"1-2", false, false, 0, 0},
      {L"12a", false, false, 0, 0},       {L"", false, false, 0, 0},      {L"1 2", false, false, 0, 0},
  };
  for (const Case& c : cases) {
    auto number = automation::parseNumber(c.token);
    ASSERT_EQ(number.has_value(), c.number) << c.token;
    if (!number) continue;
    EXPECT_EQ(number->real, c.real) << c.token;
    if (c.real) continue;
    EXPECT_EQ(number->integer, c.integer) << c.token;
    EXPECT_EQ(automation::integerTypeFor(number->integer), c.type) << c.token;
  }
  EXPECT_DOUBLE_EQ(automation::parseNumber(L"1.25")->realValue, 1.25);
}

TEST(CommandValues, EscapesGiveOneCharacterOrStayOrCut) {
  struct Case {
    const wchar_t* text;
    const wchar_t* decoded;
  } cases[] = {
      {L"it$0027s", L"it's"}, {L"caf$00E9", L"caf\u00E9"}, {L"$20AC", L"\u00AC"}, {L"cost $12", L"cost "},
      {L"a$", L"a"},          {L"$xyz1", L"$xyz1"},         {L"$12g4 x", L"$12g4 x"}, {L"$$0041", L"$A"},
      {L"no escape", L"no escape"},
  };
  for (const Case& c : cases) EXPECT_EQ(automation::decodeEscapes(c.text), c.decoded) << c.text;
}

TEST(CommandValues, TypeNamesAndCase) {
  EXPECT_EQ(automation::typeNamed(L"long"), 3);
  EXPECT_EQ(automation::typeNamed(automation::lowerCase(L"DOUBLE")), 5);
  EXPECT_EQ(automation::typeNamed(L"vimbraobject"), 9);
  EXPECT_EQ(automation::typeNamed(L"uquad"), 21);
  EXPECT_FALSE(automation::typeNamed(L"pointer").has_value());
  EXPECT_EQ(automation::lowerCase(L"#TRUE ByRef \u00C9"), L"#true byref \u00E9");
}

}  // namespace
