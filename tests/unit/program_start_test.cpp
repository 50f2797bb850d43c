#include <gtest/gtest.h>

#include "runtime/program_start.h"

#include "runtime/shell_command.h"

namespace {

TEST(BrowserCommand, ExtractsTheExecutableOfTheShellsOpenCommand) {
  struct Case {
    const wchar_t* command;
    const wchar_t* path;
  } cases[] = {
      {L"\"C:\\Program Files\\Mozilla Firefox\\firefox.exe\" -osint -url \"%1\"",
       L"C:\\Program Files\\Mozilla Firefox\\firefox.exe"},
      {L"\"C:\\Program Files\\Browser\\browser.exe\"", L"C:\\Program Files\\Browser\\browser.exe"},
      {L"C:\\Browser\\browser.exe %1", L"C:\\Browser\\browser.exe %1"},
      {L"C:/Browser/browser.exe", L"C:/Browser/browser.exe"},
      {L"\"C:\\B\\b.exe\" --url=http://x/%1", L"C:\\B\\b.exe\" --url=http://x/%1"},
      {L"\"C:\\B\\b.exe\" \"%1\" | \"D:\\c\\d.exe\"", L"C:\\B\\d.exe"},
      {L"browser.exe \"%1\"", L"browser.exe "},
      {L"", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(runtime::browserPathFromCommand(c.command), c.path) << c.command;
}

TEST(EditorCommand, ProgramIsCutBeforePercentOneWithoutTrailingSpaces) {
  struct Case {
    const wchar_t* command;
    const wchar_t* program;
  } cases[] = {
      {L"\"C:\\Program Files\\Editor\\edit.exe\" \"%1\"", L"C:\\Program Files\\Editor\\edit.exe"},
      {L"%SystemRoot%\\system32\\NOTEPAD.EXE %1", L"%SystemRoot%\\system32\\NOTEPAD.EXE"},
      {L"C:\\windows\\notepad.exe", L"C:\\windows\\notepad.exe"},
  };
  for (const Case& c : cases) EXPECT_EQ(runtime::editorProgramFromCommand(c.command), c.program) << c.command;
}

TEST(ProgramStart, CommandLineQuotesTheProgramOnce) {
  EXPECT_EQ(runtime::commandLineFor(L"C:\\a b\\x.exe", L""), L"\"C:\\a b\\x.exe\"");
  EXPECT_EQ(runtime::commandLineFor(L"\"C:\\x.exe\" -a", L"\"f.ini\""), L"\"C:\\x.exe\" -a \"f.ini\"");
  EXPECT_EQ(runtime::commandLineFor(L"https://e.org/?q=a b", L""), L"\"https://e.org/?q=a b\"");
}

TEST(ProgramStart, ShellFolderIsTheTextUpToTheLastBackslash) {
  EXPECT_EQ(runtime::shellFolderFor(L"C:\\Tools\\x.exe"), L"C:\\Tools\\");
  EXPECT_EQ(runtime::shellFolderFor(L"\\x.exe"), L"");
  EXPECT_EQ(runtime::shellFolderFor(L"https://e.org/a"), L"");
  EXPECT_EQ(runtime::shellFolderFor(L"https://e.org/?q=a\\b"), L"https://e.org/?q=a\\");
}

}  // namespace
