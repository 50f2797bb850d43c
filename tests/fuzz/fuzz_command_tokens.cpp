// Any command string: the tokenizer keeps to its limits, and values parse
// without failing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "automation/command_tokens.h"
#include "runtime/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring command = runtime::fromUtf8(std::string(reinterpret_cast<const char*>(data), size));
  if (auto members = automation::tokenize(command)) {
    if (members->empty() || members->size() > automation::kMaxMembers) std::abort();
    for (const auto& member : *members) {
      if (member.tokens.empty() || member.tokens.size() > automation::kMaxTokens) std::abort();
      if (member.openCount != member.closeCount || member.openCount > 1) std::abort();
      for (const std::wstring& token : member.tokens) {
        automation::parseNumber(token);
        automation::typeNamed(automation::lowerCase(token));
      }
    }
  }
  if (automation::decodeEscapes(command).size() > command.size()) std::abort();
  return 0;
}
