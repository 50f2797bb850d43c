// What both built executables carry, read from the files themselves, so it is
// proven on every host, including those that cannot run one of them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "tests/support/pe_image.h"
#include "tests/support/scratch_folder.h"

namespace {

using testing_support::PeImage;

struct Build {
  const char* variable;  // the environment variable naming the file
  bool pe32Plus;
  std::uint16_t machine;
  const char* manifestArchitecture;
  std::uint16_t oldestWindows;  // XP for x86, XP x64 for x64
};

constexpr Build kBuilds[] = {
    {"WORDHOP_EXE_X86", false, 0x014C, "x86", 0x0501},   // i386
    {"WORDHOP_EXE_X64", true, 0x8664, "amd64", 0x0502},  // x86-64
};

std::string utf16(std::string_view ascii) {
  std::string wide;
  for (char c : ascii) wide += {c, '\0'};
  return wide;
}

std::uint32_t word32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 4; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

class ExecutableTest : public testing::TestWithParam<Build> {
 protected:
  // Only the native preset may have been built.
  void SetUp() override {
    const char* path = std::getenv(GetParam().variable);
    if (!path || !std::filesystem::is_regular_file(path))
      GTEST_SKIP() << (path ? path : GetParam().variable) << " has not been built: build its Windows preset first";
  }
  PeImage image() const { return PeImage(testing_support::readBytes(std::getenv(GetParam().variable))); }
};

TEST_P(ExecutableTest, IsAGuiProgramForItsProcessor) {
  const PeImage exe = image();
  EXPECT_EQ(exe.isPe32Plus(), GetParam().pe32Plus);
  EXPECT_EQ(exe.isPe32(), !GetParam().pe32Plus);
  EXPECT_EQ(exe.machine(), GetParam().machine);
  EXPECT_EQ(exe.subsystem(), 2);   // IMAGE_SUBSYSTEM_WINDOWS_GUI
  EXPECT_EQ(exe.subsystemVersion(), GetParam().oldestWindows);
  EXPECT_TRUE(exe.dllCharacteristics() & 0x8000);  // IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE
  EXPECT_EQ(exe.timeStamp(), 0u);  // no build time: two builds give the same bytes
}

// One file, nothing of ours beside it: the threading runtime, libstdc++ and
// libpng are inside, and nothing is linked that the tool does not use.
TEST_P(ExecutableTest, IsSmallAndNeedsOnlySystemDlls) {
  const PeImage exe = image();
  EXPECT_GT(exe.size(), 100u * 1024u);
  EXPECT_LT(exe.size(), 700u * 1024u);
  EXPECT_EQ(exe.importedDlls(),
            (std::set<std::string>{"COMCTL32.DLL", "GDI32.DLL", "KERNEL32.DLL", "MSVCRT.DLL", "OLE32.DLL",
                                   "OLEAUT32.DLL", "SHELL32.DLL", "SHLWAPI.DLL", "USER32.DLL"}));
}

// What older Windows versions lack is looked up when it is needed, so that the
// tool still starts there; a function found in the import table would stop it.
TEST_P(ExecutableTest, ImportsNothingThatOlderWindowsLacks) {
  const std::set<std::string> imported = image().importedFunctions();
  EXPECT_TRUE(imported.contains("GetWindowThreadProcessId"));  // the table is read at all
  for (const char* lookedUp : {"IsProcessDPIAware", "SetProcessDPIAware", "GetProcessDpiAwareness",
                               "SetProcessDpiAwareness", "SetWindowSubclass", "RemoveWindowSubclass", "DefSubclassProc",
                               "QueryFullProcessImageNameW", "ShutdownBlockReasonCreate", "ShutdownBlockReasonDestroy",
                               "GetFinalPathNameByHandleW", "GetFileInformationByHandleEx",
                               "GetTickCount64"})  // the threading runtime's, which the exe replaces
    EXPECT_FALSE(imported.contains(lookedUp)) << lookedUp;
}

TEST_P(ExecutableTest, ManifestAsksForCommonControls6AsInvokerForItsOwnArchitecture) {
  const auto manifest = image().resource(24, 1);  // RT_MANIFEST
  ASSERT_TRUE(manifest);
  const std::string& xml = *manifest;
  EXPECT_NE(xml.find("name=\"Wordhop\" version=\"0.6.2.0\" processorArchitecture=\"" +
                     std::string(GetParam().manifestArchitecture) + "\""),
            std::string::npos);
  EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(xml.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_EQ(xml.find("dpiAware"), std::string::npos);  // awareness is chosen at run time
}

TEST_P(ExecutableTest, CarriesVersion062AndTheIcon) {
  const PeImage exe = image();
  const auto version = exe.resource(16, 1);  // RT_VERSION
  ASSERT_TRUE(version);
  const std::size_t fixed = version->find(std::string_view("\xBD\x04\xEF\xFE", 4));  // VS_FIXEDFILEINFO
  ASSERT_NE(fixed, std::string::npos);
  ASSERT_LE(fixed + 24, version->size());
  EXPECT_EQ(word32(*version, fixed + 8), 0x00000006u);   // file version 0.6
  EXPECT_EQ(word32(*version, fixed + 12), 0x00020000u);  // .2.0
  EXPECT_EQ(word32(*version, fixed + 16), 0x00000006u);  // product version 0.6
  EXPECT_EQ(word32(*version, fixed + 20), 0x00020000u);  // .2.0
  const std::size_t product = version->find(utf16("ProductVersion"));
  ASSERT_NE(product, std::string::npos);
  EXPECT_NE(version->find(utf16("0.6.2"), product), std::string::npos);
  EXPECT_TRUE(exe.resource(14, 1));  // RT_GROUP_ICON
}

INSTANTIATE_TEST_SUITE_P(Builds, ExecutableTest, testing::ValuesIn(kBuilds),
                         [](const auto& build) { return std::string(build.param.manifestArchitecture); });

}  // namespace
