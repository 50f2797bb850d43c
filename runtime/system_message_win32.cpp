#include <windows.h>

#include "runtime/system_message.h"

namespace runtime {

std::wstring systemMessage(std::uint32_t error) {
  wchar_t* buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  if (length == 0) return {};
  std::wstring message(buffer, length);
  LocalFree(buffer);
  return message;
}

}  // namespace runtime
