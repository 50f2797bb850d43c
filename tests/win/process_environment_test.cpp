// Texts the system hands out in buffers are read whole, however long they are
// (a cut-off executable path would send the tool to another folder).
#include <gtest/gtest.h>

#include "runtime/process_environment.h"
#include <windows.h>

#include <string>

namespace {

TEST(ProcessEnvironment, LongTextsAreReadWhole) {
  for (std::size_t length : {1u, 259u, 260u, 261u, 1000u, 20000u}) {
    const std::wstring value(length, L'v');
    SetEnvironmentVariableW(L"WORDHOP_TEST_LONG", value.c_str());
    EXPECT_EQ(runtime::environmentVariable(L"WORDHOP_TEST_LONG"), value) << length;

    const std::wstring name(length, L'n');
    EXPECT_EQ(runtime::fullPath(name), runtime::currentDirectory() + L"\\" + name) << length;
  }
  SetEnvironmentVariableW(L"WORDHOP_TEST_LONG", nullptr);
  EXPECT_EQ(runtime::environmentVariable(L"WORDHOP_TEST_LONG"), L"");
}

TEST(ProcessEnvironment, TheExecutablePathIsTheWholePath) {
  std::wstring expected(32768, L'\0');
  expected.resize(GetModuleFileNameW(nullptr, expected.data(), static_cast<DWORD>(expected.size())));
  EXPECT_EQ(runtime::executablePath(), expected);
  EXPECT_TRUE(expected.ends_with(L"win_tests.exe"));
}

}  // namespace
