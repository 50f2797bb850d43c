// The exact pages of Windows API functions, by the table the exe carries.
#include <gtest/gtest.h>

#include "search/api_pages.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "search/search_address.h"

namespace {

// The table in the source tree, which ctest names.
std::string committedTable() {
  const char* path = std::getenv("WORDHOP_API_TABLE");
  if (!path) return {};
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(ApiPages, WordsAsProgrammersTypeThemOpenTheirPage) {
  const std::string table = committedTable();
  ASSERT_FALSE(table.empty()) << "WORDHOP_API_TABLE names no table";
  constexpr std::wstring_view api = L"https://learn.microsoft.com/windows/win32/api/";
  const struct {
    const wchar_t* word;  // as PureBasic code has it
    const wchar_t* page;  // after the address's common start; none: the usual search
  } cases[] = {
      {L"SendMessage_", L"winuser/nf-winuser-sendmessagew"},  // both forms: the W page
      {L"getwindowtext", L"winuser/nf-winuser-getwindowtextw"},
      {L"GetWindowTextA", L"winuser/nf-winuser-getwindowtexta"},
      {L"GetClientRect", L"winuser/nf-winuser-getclientrect"},
      {L"CreateFile", L"fileapi/nf-fileapi-createfilew"},
      {L"CoCreateInstance", L"combaseapi/nf-combaseapi-cocreateinstance"},
      {L"SHGetFolderPath", L"shlobj_core/nf-shlobj_core-shgetfolderpathw"},  // declared in shlobj.h
      {L"timeGetTime_", L"timeapi/nf-timeapi-timegettime"},                  // declared in mmsystem.h
      {L"timeSetEvent", nullptr},                                            // no page
      {L"OpenWindow", nullptr},                                              // PureBasic's own
      {L"GetClientRec", nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<std::wstring> page = search::apiPageOf(table, search::prepareWord(c.word).text);
    EXPECT_EQ(page, c.page ? std::optional(std::wstring(api) + c.page) : std::nullopt) << c.word;
  }
}

TEST(ApiPages, OnlyEntriesOfMicrosoftsDocumentationAskForThem) {
  const struct {
    const wchar_t* sites;
    bool asks;
  } cases[] = {
      {L"learn.microsoft.com", true},
      {L" Learn.Microsoft.com/en-us/windows ", true},
      {L"docs.microsoft.com | msdn.microsoft.com", true},
      {L"learn.microsoft.com | www.purebasic.fr", false},
      {L"learn.microsoft.com.evil.example", false},
      {L"devblogs.microsoft.com", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(search::searchesMicrosoftDocs(search::buildSiteTerms(c.sites)), c.asks) << c.sites;
}

}  // namespace
