// Any bytes: decoding and parsing never fail; a file in UTF-8 with a mark is
// written back byte for byte, as is any file whose encoding is kept and which
// decodes without loss; a document written out and read back has the same
// lines with the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/preference_document.h"
#include "runtime/utf8.h"

namespace {

void expectSameLines(const core::PreferenceDocument& a, const core::PreferenceDocument& b) {
  if (a.lines().size() != b.lines().size()) std::abort();
  for (std::size_t i = 0; i < a.lines().size(); ++i) {
    const auto& x = a.lines()[i];
    const auto& y = b.lines()[i];
    if (x.kind != y.kind || x.text != y.text || x.end != y.end || x.name() != y.name() || x.value() != y.value())
      std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  core::PreferenceDocument first;
  first.parseFile(bytes);
  const std::string written = first.serialise();
  if (bytes.starts_with("\xEF\xBB\xBF") && runtime::isWellFormedUtf8(bytes) && bytes.size() > 3 && written != bytes)
    std::abort();
  core::PreferenceDocument second;
  second.parseFile(written);
  if (!first.empty()) expectSameLines(first, second);  // a new document's first empty line is its own
  if (second.serialise() != written) std::abort();
  core::PreferenceDocument kept;
  kept.parseFile(bytes, core::WriteBack::asRead);
  const core::PreferenceDocument::Decoded decoded = core::PreferenceDocument::decodeFileBytes(bytes);
  const bool lossless = decoded.encoding.encoding != core::TextEncoding::mixed &&
                        decoded.text.find("\xEF\xBF\xBD") == std::string::npos && !decoded.text.empty();
  if (lossless && kept.serialise() != bytes) std::abort();
  return 0;
}
