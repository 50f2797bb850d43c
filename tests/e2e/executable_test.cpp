// What the executable carries: version, manifest, icon, and no DLL of ours.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "tests/support/scratch_folder.h"
#include "tests/support/tool_process.h"

namespace {

// The DLL names in a PE file's import table, upper-cased; empty when the
// file cannot be read as a 32-bit PE image.
std::set<std::string> importedDlls(const std::string& image) {
  auto at = [&](std::size_t offset, std::size_t size) -> const char* {
    return offset + size <= image.size() ? image.data() + offset : nullptr;
  };
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0, sizeof(IMAGE_DOS_HEADER)));
  if (!dos) return {};
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(at(dos->e_lfanew, sizeof(IMAGE_NT_HEADERS32)));
  if (!nt || nt->Signature != IMAGE_NT_SIGNATURE) return {};
  const auto* sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
      at(dos->e_lfanew + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) + nt->FileHeader.SizeOfOptionalHeader,
         nt->FileHeader.NumberOfSections * sizeof(IMAGE_SECTION_HEADER)));
  if (!sections) return {};
  auto fileOffset = [&](DWORD rva) -> std::size_t {
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i)
      if (rva >= sections[i].VirtualAddress && rva < sections[i].VirtualAddress + sections[i].Misc.VirtualSize)
        return rva - sections[i].VirtualAddress + sections[i].PointerToRawData;
    return image.size();
  };
  std::set<std::string> dlls;
  const DWORD importRva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (std::size_t entry = fileOffset(importRva);; entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    const auto* import = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(entry, sizeof(IMAGE_IMPORT_DESCRIPTOR)));
    if (!import || import->Name == 0) break;
    const char* name = at(fileOffset(import->Name), 1);
    if (!name) break;
    std::string dll(name, strnlen(name, static_cast<std::size_t>(image.data() + image.size() - name)));
    std::transform(dll.begin(), dll.end(), dll.begin(), [](unsigned char c) { return std::toupper(c); });
    dlls.insert(dll);
  }
  return dlls;
}

// Only system DLLs: the threading runtime, libstdc++ and libpng are inside,
// and nothing is linked that the tool does not use (the size budget keeps it so).
TEST(Executable, IsSmallAndNeedsOnlySystemDlls) {
  const std::string image = testing_support::readBytes(testing_support::builtTool());
  EXPECT_LT(image.size(), 700u * 1024u);
  EXPECT_EQ(importedDlls(image), (std::set<std::string>{"COMCTL32.DLL", "GDI32.DLL", "KERNEL32.DLL", "MSVCRT.DLL",
                                                        "OLE32.DLL", "OLEAUT32.DLL", "SHELL32.DLL", "SHLWAPI.DLL",
                                                        "USER32.DLL"}));
}

TEST(Executable, CarriesVersionManifestAndIcon) {
  const std::wstring path = testing_support::builtTool().wstring();
  DWORD ignored = 0;
  std::vector<char> info(GetFileVersionInfoSizeW(path.c_str(), &ignored));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(6, 0));
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 2));
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(6, 0));
  EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(0, 2));
  wchar_t* text = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_STREQ(text, L"0.6.2");

  HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(manifest, nullptr);
  const std::string xml(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                        SizeofResource(module, manifest));
  EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(xml.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_EQ(xml.find("dpiAware"), std::string::npos);
  EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)), nullptr);  // RT_GROUP_ICON
  FreeLibrary(module);
}

}  // namespace
