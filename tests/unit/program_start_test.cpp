#include <gtest/gtest.h>

#include "runtime/program_start.h"

#include "runtime/shell_command.h"

namespace {

// Commands as associations hold them, split as the shell splits them, and the
// arguments an editor then gets for C:\My Files\Wordhop.ini.
TEST(ShellCommand, SplitsAsTheShellDoesAndPutsTheFileWhereItsPlaceholderStands) {
  const auto isFile = [](const std::wstring& path) {
    return path == L"C:\\Program Files\\Editor\\edit.exe" || path == L"C:\\Tools\\b.exe";
  };
  struct Case {
    const wchar_t* command;
    runtime::ShellCommand split;
    const wchar_t* arguments;
  } cases[] = {
      {L"\"C:\\Program Files\\Mozilla Firefox\\firefox.exe\" -osint -url \"%1\"",
       {L"C:\\Program Files\\Mozilla Firefox\\firefox.exe", L"-osint -url \"%1\""},
       L"-osint -url \"C:\\My Files\\Wordhop.ini\""},
      {L"\"C:\\Editor\\editor.exe\" /n \"%1\"",
       {L"C:\\Editor\\editor.exe", L"/n \"%1\""},
       L"/n \"C:\\My Files\\Wordhop.ini\""},
      {L"C:\\Program Files\\Editor\\edit.exe /n %1",
       {L"C:\\Program Files\\Editor\\edit.exe", L"/n %1"},
       L"/n \"C:\\My Files\\Wordhop.ini\""},
      {L"C:\\windows\\notepad.exe %L", {L"C:\\windows\\notepad.exe", L"%L"}, L"\"C:\\My Files\\Wordhop.ini\""},
      {L"C:\\Tools\\b.exe", {L"C:\\Tools\\b.exe", L""}, L"\"C:\\My Files\\Wordhop.ini\""},
      {L"C:/Browser/browser.exe --url=http://x/%1",
       {L"C:/Browser/browser.exe", L"--url=http://x/%1"},
       L"--url=http://x/\"C:\\My Files\\Wordhop.ini\""},
      {L"  \"C:\\Unclosed\\b.exe", {L"C:\\Unclosed\\b.exe", L""}, L"\"C:\\My Files\\Wordhop.ini\""},
      {L"", {L"", L""}, L"\"C:\\My Files\\Wordhop.ini\""},
  };
  for (const Case& c : cases) {
    const runtime::ShellCommand split = runtime::splitCommand(c.command, isFile);
    EXPECT_EQ(split, c.split) << c.command;
    EXPECT_EQ(runtime::argumentsFor(split.arguments, L"C:\\My Files\\Wordhop.ini"), c.arguments) << c.command;
  }
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
