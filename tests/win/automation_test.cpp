// The automation layer against real VARIANTs, Wine's management service and
// the error record.
#include <gtest/gtest.h>

#include <windows.h>

#include <tuple>

#include "automation/error_record.h"
#include "automation/statement.h"
#include "automation/vimbra_object.h"
#include "runtime/utf8.h"
#include "search/running_browser.h"
#include "tests/support/scratch_folder.h"

namespace {

using namespace automation;

std::unique_ptr<Statement> parsed(const wchar_t* command, HRESULT expected = S_OK) {
  std::unique_ptr<Statement> statement;
  EXPECT_EQ(prepareStatement(command, statement), expected) << command;
  return statement;
}

// The argument in Invoke's order: position 0 is the first argument written.
std::wstring lowerCaseFirst(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

const VARIANT& argument(Statement& statement, std::size_t member, int position) {
  StatementMember& m = *statement.members[member];
  return m.slots[static_cast<std::size_t>(kMaxArguments - 1 - position)];
}

TEST(Statement, MembersAndArgumentsInInvokeOrder) {
  auto query = parsed(L"ExecQuery('Select * from Win32_Process where ProcessID = 1234')");
  ASSERT_EQ(query->members.size(), 1u);
  EXPECT_STREQ(query->members[0]->name.get(), L"ExecQuery");
  ASSERT_EQ(query->members[0]->argumentCount, 1);
  EXPECT_EQ(query->members[0]->arguments(), &argument(*query, 0, 0));
  EXPECT_EQ(argument(*query, 0, 0).vt, VT_BSTR);
  EXPECT_STREQ(argument(*query, 0, 0).bstrVal, L"Select * from Win32_Process where ProcessID = 1234");

  auto chain = parsed(L"Items\\Item(2)\\Name");
  ASSERT_EQ(chain->members.size(), 3u);
  EXPECT_EQ(argument(*chain, 1, 0).vt, VT_I1);
  EXPECT_EQ(argument(*chain, 1, 0).cVal, 2);
  EXPECT_EQ(chain->members[2]->argumentCount, 0);
  EXPECT_EQ(chain->members[2]->arguments(), nullptr);

  auto open = parsed(L"Open(#opt, 'b', #TRUE)");
  ASSERT_EQ(open->members[0]->argumentCount, 3);
  EXPECT_EQ(open->members[0]->arguments()[2].vt, VT_ERROR);  // rgvarg holds the last argument first
  EXPECT_EQ(open->members[0]->arguments()[2].scode, DISP_E_PARAMNOTFOUND);
  EXPECT_EQ(argument(*open, 0, 2).vt, VT_BOOL);
  EXPECT_EQ(argument(*open, 0, 2).boolVal, VARIANT_TRUE);

  auto assign = parsed(L"Name = 'x'");
  EXPECT_STREQ(argument(*assign, 0, 0).bstrVal, L"x");
}

TEST(Statement, ValuesKeywordsTypesAndEscapes) {
  struct Case {
    const wchar_t* command;
    VARTYPE type;
  } cases[] = {
      {L"Set(5 as long)", VT_I4},
      {L"Set('12' as double)", VT_R8},
      {L"F(-7)", VT_I1},
      {L"F(40000)", VT_I4},
      {L"F(0)", VT_I4},
      {L"F(1.5)", VT_R8},
      {L"F(#false)", VT_BOOL},
      {L"F(#void)", VT_I4},
      {L"F(#nullstring)", VT_BSTR},
      {L"F(5 AS QUAD)", VT_I8},
      {L"F(0 as variant)", VT_I4},
      {L"F(#empty)", VT_ERROR},
  };
  for (const Case& c : cases) {
    auto statement = parsed(c.command);
    ASSERT_TRUE(statement) << c.command;
    EXPECT_EQ(argument(*statement, 0, 0).vt, c.type) << c.command;
  }
  EXPECT_EQ(argument(*parsed(L"Set(5 as long)"), 0, 0).lVal, 5);
  EXPECT_DOUBLE_EQ(argument(*parsed(L"Set('12' as double)"), 0, 0).dblVal, 12.0);
  EXPECT_STREQ(argument(*parsed(L"Say('it$0027s')"), 0, 0).bstrVal, L"it's");
  EXPECT_STREQ(argument(*parsed(L"Say('cost $12')"), 0, 0).bstrVal, L"cost ");
  EXPECT_STREQ(argument(*parsed(L"Say(#NullString)"), 0, 0).bstrVal, L"");
  EXPECT_STREQ(parsed(L"GetName")->members[0]->name.get(), L"GetName");

  LONG target = 0;
  const std::wstring byRef = L"F(" + std::to_wstring(reinterpret_cast<std::intptr_t>(&target)) + L" byref as long)";
  auto reference = parsed(byRef.c_str());
  EXPECT_EQ(argument(*reference, 0, 0).vt, VT_I4 | VT_BYREF);
  EXPECT_EQ(argument(*reference, 0, 0).plVal, &target);
}

TEST(Statement, RejectsBadCommandsWithTheirCodes) {
  const std::pair<const wchar_t*, HRESULT> cases[] = {
      {L"", E_INVALIDARG},
      {L"A\\B = 1\\C", E_INVALIDARG},
      {L"A = 1 = 2", E_INVALIDARG},
      {L"Open('a' 'b')", E_INVALIDARG},
      {L"Open(,'b')", E_INVALIDARG},
      {L"Open('a',)", E_INVALIDARG},
      {L"F(1.5.2)", E_INVALIDARG},
      {L"F(1-2)", E_INVALIDARG},
      {L"F(word)", E_INVALIDARG},
      {L"F(5 as pointer)", E_INVALIDARG},
      {L"F('x' byref)", E_INVALIDARG},
      {L"F('x' as object)", E_INVALIDARG},
      {L"Set('x' as date)", DISP_E_TYPEMISMATCH},
      {L"F(300 as ubyte)", DISP_E_OVERFLOW},
      {L"F(0 as vimbraobject)", E_POINTER},
  };
  for (auto [command, code] : cases) EXPECT_FALSE(parsed(command, code)) << command;

  std::wstring twenty = L"F(1", twentyOne;
  for (int i = 2; i <= 20; ++i) twenty += L"," + std::to_wstring(i);
  twentyOne = twenty + L",21)";
  twenty += L")";
  EXPECT_EQ(parsed(twenty.c_str())->members[0]->argumentCount, 20);
  EXPECT_FALSE(parsed(twentyOne.c_str(), E_OUTOFMEMORY));
}

TEST(ErrorRecord, MessagesForEveryKindOfCode) {
  EXPECT_EQ(errorMessage(S_OK, L""), L"Okay.");
  EXPECT_EQ(errorMessage(S_FALSE, L""), L"The operation completed, but was only partially successful.");
  EXPECT_EQ(errorMessage(S_FALSE, L"why"), L"The operation completed, but was only partially successful. (why)");
  EXPECT_EQ(errorMessage(DISP_E_UNKNOWNNAME, L""), L"Method/property not supported by this object.");
  EXPECT_EQ(errorMessage(REGDB_E_CLASSNOTREG, L""), errorMessage(CO_E_CLASSSTRING, L""));
  EXPECT_EQ(errorMessage(E_ACCESSDENIED, L""), L"A 'general' access denied error.");
  EXPECT_EQ(errorMessage(E_OUTOFMEMORY, L""),
            L"Problem allocating memory.\r\n\r\n(Possibly too many method arguments. Each method/property is limited "
            L"by Vimbra to a maximum of 20 arguments.)");
  EXPECT_EQ(errorMessage(DISP_E_EXCEPTION, L"Disk full"), L"Disk full");
  EXPECT_EQ(errorMessage(DISP_E_EXCEPTION, L""),
            L"An exception occurred during the execution of this method/property.");
  const std::wstring win32 = errorMessage(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), L"");
  EXPECT_EQ(win32.rfind(L"(FACILITY_WIN32 error 2) ", 0), 0u);
  EXPECT_GT(win32.size(), 26u);
  // A message with an insert keeps its "%1": no argument is read for it.
  // The system's own words: Windows', or Wine's.
  const std::wstring withInsert = errorMessage(HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT), L"");
  EXPECT_TRUE(withInsert == L"(FACILITY_WIN32 error 193) %1 is not a valid Win32 application.\r\n" ||
              withInsert == L"(FACILITY_WIN32 error 193) Bad EXE format for %1.\r\n")
      << runtime::toUtf8(withInsert);
  EXPECT_EQ(errorMessage(static_cast<HRESULT>(0x8004D00E), L""),
            L"Unknown error. (Code : Hex 8004D00E). Please report this error code to the author at "
            L"'wordhop-bugs@example.org'");
  EXPECT_EQ(errorMessage(2, L""),
            L"Unknown error. (Code : Hex 2). Please report this error code to the author at "
            L"'wordhop-bugs@example.org'");
}

TEST(ErrorRecord, ExceptionTextStaysAndMarkersAreIgnored) {
  recordResult(DISP_E_EXCEPTION, true, L"Boom");
  recordResult(DISP_E_EXCEPTION);
  recordResult(kAlreadyRecorded);
  EXPECT_EQ(lastErrorCode(), DISP_E_EXCEPTION);
  EXPECT_EQ(lastErrorText(), L"Boom");
  tearDownErrorRecords();
  EXPECT_EQ(lastErrorCode(), 0);
}

TEST(ManagementService, AnswersForThisProcessAndNothingForANonexistentOne) {
  {
    EXPECT_FALSE(getObject(L"", L"", true));
    EXPECT_EQ(lastErrorCode(), E_INVALIDARG);
    EXPECT_FALSE(getObject(L"", L"No.Such.ProgId", true));
    EXPECT_TRUE(lastErrorCode() == CO_E_CLASSSTRING || lastErrorCode() == REGDB_E_CLASSNOTREG) << lastErrorCode();

    ObjectPointer service = getObject(L"winmgmts:{impersonationLevel=impersonate}!\\\\.\\root\\cimv2", L"", true);
    ASSERT_TRUE(service) << std::hex << lastErrorCode();
    EXPECT_EQ(VimbraObject::liveCount(), 1);
    const std::wstring query =
        L"ExecQuery('Select * from Win32_Process where ProcessID = " + std::to_wstring(GetCurrentProcessId()) + L"')";
    EnumerationPointer processes = createEnumeration(*service, query);
    ASSERT_TRUE(processes);
    ObjectPointer process = nextObject(*processes);
    ASSERT_TRUE(process);
    EXPECT_EQ(lastErrorCode(), S_OK);
    std::wstring name = getStringProperty(*process, L"Name");
    EXPECT_EQ(lowerCaseFirst(name), L"win_tests.exe");
    EXPECT_EQ(lastErrorText(), L"Okay.");
    EXPECT_FALSE(nextObject(*processes));
    EXPECT_EQ(lastErrorCode(), S_FALSE);

    const std::wstring path = getStringProperty(*process, L"ExecutablePath");
    if (path.empty()) {  // Wine 8's service does not know this property
      EXPECT_EQ(lastErrorCode(), DISP_E_UNKNOWNNAME);
      EXPECT_EQ(lastErrorText(), L"Method/property not supported by this object.");
    }
    EXPECT_EQ(getStringProperty(*process, L"NoSuchProperty"), L"");
    EXPECT_EQ(lastErrorCode(), DISP_E_UNKNOWNNAME);

    EnumerationPointer none =
        createEnumeration(*service, L"ExecQuery('Select * from Win32_Process where ProcessID = 4294967290')");
    ASSERT_TRUE(none);
    EXPECT_FALSE(nextObject(*none));
    EXPECT_EQ(lastErrorCode(), S_FALSE);
    EXPECT_EQ(lastErrorText(), L"The operation completed, but was only partially successful.");
    EXPECT_EQ(VimbraObject::liveCount(), 2);
  }
  EXPECT_EQ(VimbraObject::liveCount(), 0);
  EXPECT_EQ(lastErrorCode(), 0);  // the last release freed the records
}

// A visible top-level window of this process, on top of the other windows of
// its band (HWND_TOPMOST: above every window that is not topmost).
HWND topWindow(HWND band = HWND_TOP) {
  HWND window =
      CreateWindowExW(0, L"STATIC", L"browser", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ShowWindow(window, SW_SHOWNA);
  SetWindowPos(window, band, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return window;
}

TEST(RunningBrowser, TheFirstWindowIsNeverExaminedInvisibleOnesArePassedOverAndAProcessIsAskedOnce) {
  DWORD self = GetCurrentProcessId();
  auto lookup = [self](DWORD processId) { return processId == self ? std::wstring(L"C:\\Web\\browser.exe") : L""; };
  // On a real desktop the taskbar and other topmost windows lead the order:
  // the first window is made topmost to lead it.
  HWND first = topWindow(HWND_TOPMOST);
  if (FindWindowW(nullptr, nullptr) != first) {
    DestroyWindow(first);
    GTEST_SKIP() << "another topmost window keeps the lead of the desktop's window order";
  }
  EXPECT_FALSE(search::browserWindowExists(L"C:\\Web\\browser.exe", lookup));
  HWND second = topWindow(), third = topWindow();
  EXPECT_TRUE(search::browserWindowExists(L"C:\\Web\\browser.exe", lookup));
  // A process with many windows is asked for its path once.
  int asked = 0;
  EXPECT_FALSE(search::browserWindowExists(L"C:\\Web\\other.exe", [&](DWORD processId) {
    asked += processId == self;
    return lookup(processId);
  }));
  EXPECT_EQ(asked, 1);
  DestroyWindow(third);
  // Invisible windows are passed over, although their process matches.
  ShowWindow(first, SW_HIDE);
  ShowWindow(second, SW_HIDE);
  EXPECT_FALSE(search::browserWindowExists(L"C:\\Web\\browser.exe", lookup));
  DestroyWindow(second);
  DestroyWindow(first);
}

// The association and the process may name the browser's file in other
// letter cases or in its short (8.3) form: Windows takes them as one file.
TEST(RunningBrowser, TheBrowserIsRecognisedHoweverItsPathIsWritten) {
  testing_support::ScratchFolder folder;
  const std::wstring browser = folder.file("Web Browser Program.exe").wstring();
  testing_support::writeBytes(browser, "");
  std::wstring shortForm(MAX_PATH, L'\0');
  shortForm.resize(GetShortPathNameW(browser.c_str(), shortForm.data(), MAX_PATH));
  if (shortForm.find(L'~') == std::wstring::npos) GTEST_SKIP() << "this file system gives no short (8.3) names";
  auto recased = [](std::wstring text, auto convert) {
    convert(text.data(), static_cast<DWORD>(text.size()));
    return text;
  };
  const std::tuple<std::wstring, std::wstring, bool> rows[] = {// association, process, recognised
                                                               {recased(browser, CharUpperBuffW), browser, true},
                                                               {shortForm, recased(browser, CharLowerBuffW), true},
                                                               {browser, shortForm, true},
                                                               {folder.file("Other.exe").wstring(), browser, false},
                                                               {browser, L"", false}};
  HWND first = topWindow(HWND_TOPMOST), second = topWindow();
  for (const auto& [association, process, recognised] : rows) {
    auto lookup = [&path = process](DWORD id) { return id == GetCurrentProcessId() ? path : std::wstring(); };
    EXPECT_EQ(search::browserWindowExists(association, lookup), recognised) << runtime::toUtf8(association);
  }
  DestroyWindow(second);
  DestroyWindow(first);
}

// Of the system where it can tell, else of the management service, which also
// answers for every process where the system lacks the function (before Vista).
TEST(RunningBrowser, ProcessPathsComeFromTheSystemWhereItCanTellAndElseFromTheService) {
  wchar_t ownPath[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, ownPath, MAX_PATH);
  const std::tuple<search::SystemImageNameQuery, DWORD, const wchar_t*> rows[] = {
      {search::systemImageNameQuery(), GetCurrentProcessId(), ownPath},
      {nullptr, GetCurrentProcessId(), L"service"},
      {search::systemImageNameQuery(), 0, L"service"},  // the idle process cannot be opened
  };
  for (const auto& [query, process, path] : rows)
    EXPECT_EQ(search::ProcessPaths(query, [](DWORD) { return std::wstring(L"service"); })(process), path);
}

}  // namespace
