// Any association command: it splits without failing, into no more than it holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/shell_command.h"
#include "runtime/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring command = runtime::fromUtf8(std::string(reinterpret_cast<const char*>(data), size));
  const runtime::ShellCommand split =
      runtime::splitCommand(command, [&](const std::wstring& path) { return path.size() % 3 == 0; });
  if (split.program.size() + split.arguments.size() > command.size()) std::abort();
  if (runtime::argumentsFor(split.arguments, L"f").size() > split.arguments.size() * 3 + 4) std::abort();
  return 0;
}
