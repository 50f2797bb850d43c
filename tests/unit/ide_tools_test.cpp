// Adding the tool to the IDE's Tools.prefs: each file byte for byte after.
#include <gtest/gtest.h>

#include "core/ide_tools.h"

#include "tests/support/scratch_folder.h"

namespace {

#define BOM "\xEF\xBB\xBF"
#define WORDHOP_TOOL(n)                                                                                  \
  "[Tool_" n                                                                                             \
  "]\r\nCommand = C:\\Tools\\Wordhop.exe\r\nArguments = \r\nWorkingDir = \r\nMenuItemName = Wordhop\r\n" \
  "Shortcut = 0\r\nConfigLine = \r\nTrigger = 0\r\nFlags = 0\r\nReloadSource = 0\r\nHideEditor = 0\r\n"  \
  "HideFromMenu = 0\r\nSourceSpecific = 0\r\nDeactivateTool = 0\r\n"
#define OTHER_TOOL(n) "[Tool_" n "]\r\nCommand = C:\\Other\\Tool.exe\r\nMenuItemName = Other\r\n"

TEST(IdeTools, TheToolIsAddedAfterTheLastAndCountedLeavingEveryOtherLine) {
  struct Case {
    const char* name;
    std::string before;
    bool alreadyThere;
    std::string after;
  } cases[] = {
      {"no file yet", "", false, BOM "\r\n[ToolsInfo]\r\nToolCount = 1\r\n" WORDHOP_TOOL("0")},
      {"tools and comments (the store keeps no empty line)",
       BOM "\r\n; PureBasic IDE tools\r\n[ToolsInfo]\r\nToolCount = 1\r\n\r\n" OTHER_TOOL("0") "; mine\r\n", false,
       BOM
       "\r\n; PureBasic IDE tools\r\n[ToolsInfo]\r\nToolCount = 2\r\n" OTHER_TOOL("0") "; mine\r\n" WORDHOP_TOOL("1")},
      {"ToolCount missing", BOM "\r\n[ToolsInfo]\r\n" OTHER_TOOL("0"), false,
       BOM "\r\n[ToolsInfo]\r\nToolCount = 2\r\n" OTHER_TOOL("0") WORDHOP_TOOL("1")},
      {"ToolCount too low: the tool beyond it is kept", BOM "\r\n[ToolsInfo]\r\nToolCount = 0\r\n" OTHER_TOOL("0"),
       false, BOM "\r\n[ToolsInfo]\r\nToolCount = 2\r\n" OTHER_TOOL("0") WORDHOP_TOOL("1")},
      {"a gap below ToolCount stays a gap", BOM "\r\n[ToolsInfo]\r\nToolCount = 2\r\n" OTHER_TOOL("0") OTHER_TOOL("2"),
       false, BOM "\r\n[ToolsInfo]\r\nToolCount = 4\r\n" OTHER_TOOL("0") OTHER_TOOL("2") WORDHOP_TOOL("3")},
      {"already there in another letter case",
       BOM "\r\n[ToolsInfo]\r\nToolCount = 1\r\n[Tool_0]\r\nCommand = c:/tools/WORDHOP.EXE\r\n", true,
       BOM "\r\n[ToolsInfo]\r\nToolCount = 1\r\n[Tool_0]\r\nCommand = c:/tools/WORDHOP.EXE\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::ScratchFolder folder;
    const auto path = folder.file("Tools.prefs");
    if (!c.before.empty()) testing_support::writeBytes(path, c.before);
    core::PreferenceFile tools;
    tools.open(path.wstring());
    EXPECT_EQ(core::hasIdeTool(tools, L"C:\\Tools\\Wordhop.exe"), c.alreadyThere);
    if (!c.alreadyThere) core::addIdeTool(tools, L"C:\\Tools\\Wordhop.exe");
    EXPECT_EQ(tools.close(), 0u);
    EXPECT_EQ(testing_support::readBytes(path), c.after);
  }
}

}  // namespace
