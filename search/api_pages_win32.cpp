#include <windows.h>

#include <zlib.h>

#include "resources/resource_ids.h"
#include "search/api_pages.h"

namespace search {

std::string embeddedApiPages() {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_API_PAGES), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* packed = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
  const DWORD packedSize = found ? SizeofResource(module, found) : 0;
  if (!packed || packedSize < 4) return {};
  // The table's size in 4 bytes, little-endian, then the zlib stream.
  uLongf size =
      static_cast<uLongf>(packed[0] | packed[1] << 8 | packed[2] << 16 | static_cast<unsigned>(packed[3]) << 24);
  std::string table(size, '\0');
  if (uncompress(reinterpret_cast<Bytef*>(table.data()), &size, packed + 4, packedSize - 4) != Z_OK) return {};
  table.resize(size);
  return table;
}

}  // namespace search
