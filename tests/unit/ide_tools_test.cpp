// Adding the tool to the IDE's Tools.prefs: each file byte for byte after.
#include <gtest/gtest.h>

#include "core/ide_tools.h"

#include "tests/support/scratch_folder.h"

namespace {

#define BOM "\xEF\xBB\xBF"
#define TOOL_LINES(i)                                                                                                  \
  i "Command = C:\\Tools\\Wordhop.exe\r\n" i "Arguments = \r\n" i "WorkingDir = \r\n" i "MenuItemName = Wordhop\r\n" i \
    "Shortcut = 0\r\n" i "ConfigLine = \r\n" i "Trigger = 0\r\n" i "Flags = 0\r\n" i "ReloadSource = 0\r\n" i          \
    "HideEditor = 0\r\n" i "HideFromMenu = 0\r\n" i "SourceSpecific = 0\r\n" i "DeactivateTool = 0\r\n"
#define WORDHOP_TOOL(n) "[Tool_" n "]\r\n" TOOL_LINES("")
#define OTHER_TOOL(n) "[Tool_" n "]\r\nCommand = C:\\Other\\Tool.exe\r\nMenuItemName = Other\r\n"
// As the IDE writes its file: keys indented, a blank line between groups.
#define IDE_FILE(count, tools)          \
  "[ToolsInfo]\r\n  ToolCount = " count \
  "\r\n\r\n[Tool_0]\r\n  Command = C:\\Other\\Tool.exe\r\n  MenuItemName = Other\r\n" tools

std::string utf16le(std::string_view ascii) {
  std::string bytes = "\xFF\xFE";
  for (char c : ascii) bytes += {c, '\0'};
  return bytes;
}

TEST(IdeTools, TheToolIsAddedAfterTheLastAndCountedLeavingEveryOtherLine) {
  const std::string ideAfter = IDE_FILE("2", "\r\n[Tool_1]\r\n" TOOL_LINES("  "));
  struct Case {
    const char* name;
    std::string before;
    bool alreadyThere;
    std::string after;
  } cases[] = {
      {"no file yet", "", false, BOM "\r\n[ToolsInfo]\r\nToolCount = 1\r\n" WORDHOP_TOOL("0")},
      {"as the IDE writes it", IDE_FILE("1", ""), false, ideAfter},
      {"as the IDE writes it, in UTF-16", utf16le(IDE_FILE("1", "")), false, utf16le(ideAfter)},
      {"tools and comments",
       BOM "\r\n; PureBasic IDE tools\r\n[ToolsInfo]\r\nToolCount = 1\r\n" OTHER_TOOL("0") "; mine\r\n", false,
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
    tools.open(path.wstring(), core::WriteBack::asRead);
    EXPECT_EQ(core::hasIdeTool(tools, L"C:\\Tools\\Wordhop.exe"), c.alreadyThere);
    if (!c.alreadyThere) core::addIdeTool(tools, L"C:\\Tools\\Wordhop.exe");
    EXPECT_EQ(tools.close(), 0u);
    EXPECT_EQ(testing_support::readBytes(path), c.after);
  }
}

}  // namespace
