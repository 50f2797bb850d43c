// Any association command: the program texts are taken without failing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/shell_command.h"
#include "runtime/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring command = runtime::fromUtf8(std::string(reinterpret_cast<const char*>(data), size));
  const std::wstring browser = runtime::browserPathFromCommand(command);
  const std::wstring editor = runtime::editorProgramFromCommand(command);
  if (browser.size() > command.size() + 1 || editor.size() > browser.size()) std::abort();
  return 0;
}
