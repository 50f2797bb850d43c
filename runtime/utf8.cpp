#include "runtime/utf8.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace runtime {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Writes c as one wchar_t, or as a surrogate pair where wchar_t is 16 bits;
// returns the position after it.
wchar_t* putWide(wchar_t* to, char32_t c) {
  if constexpr (sizeof(wchar_t) == 2) {
    if (c >= 0x10000) {
      c -= 0x10000;
      *to++ = static_cast<wchar_t>(0xD800 + (c >> 10));
      *to++ = static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
      return to;
    }
  }
  *to++ = static_cast<wchar_t>(c);
  return to;
}

// Decodes one code point from UTF-16 units; `units(i)` gives unit i of `count`.
template <typename UnitAt>
void utf16ToUtf8Into(std::string& out, std::size_t count, UnitAt units) {
  for (std::size_t i = 0; i < count; ++i) {
    char32_t c = units(i);
    if (isHighSurrogate(c) && i + 1 < count && isLowSurrogate(units(i + 1))) {
      c = 0x10000 + ((c - 0xD800) << 10) + (units(i + 1) - 0xDC00);
      ++i;
    } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
      c = kReplacement;
    }
    appendUtf8(out, c);
  }
}

struct Sequence {
  char32_t codePoint;
  std::size_t length;  // 0 when the bytes there are no well-formed sequence
};

// The UTF-8 sequence that starts at bytes[i].
Sequence sequenceAt(std::string_view bytes, std::size_t i) {
  auto lead = static_cast<std::uint8_t>(bytes[i]);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = lead >= 0xF0 && lead <= 0xF4  ? 4
                       : lead >= 0xE0 && lead < 0xF0 ? 3
                       : lead >= 0xC2 && lead < 0xE0 ? 2
                                                     : 0;
  char32_t c = length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
  std::size_t taken = 1;
  for (; length && taken < length && i + taken < bytes.size(); ++taken) {
    auto next = static_cast<std::uint8_t>(bytes[i + taken]);
    if ((next & 0xC0) != 0x80) break;
    c = (c << 6) | (next & 0x3F);
  }
  const bool wellFormed = length && taken == length &&
                          !(length == 3 && (c < 0x800 || isHighSurrogate(c) || isLowSurrogate(c))) &&
                          !(length == 4 && (c < 0x10000 || c > 0x10FFFF));
  return {c, wellFormed ? length : 0};
}

}  // namespace

std::string toUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  if constexpr (sizeof(wchar_t) == 2) {
    utf16ToUtf8Into(out, text.size(), [&](std::size_t i) { return char32_t(text[i]); });
  } else {
    for (wchar_t w : text) {
      auto c = static_cast<char32_t>(w);
      appendUtf8(out, (c > 0x10FFFF || isHighSurrogate(c) || isLowSurrogate(c)) ? kReplacement : c);
    }
  }
  return out;
}

std::wstring fromUtf8(std::string_view bytes) {
  // No sequence gives more UTF-16 units than it has bytes.
  std::wstring out(bytes.size(), L'\0');
  wchar_t* to = out.data();
  std::size_t i = 0;
  while (i < bytes.size()) {
    const Sequence sequence = sequenceAt(bytes, i);
    if (sequence.length) {
      to = putWide(to, sequence.codePoint);
      i += sequence.length;
    } else {
      to = putWide(to, kReplacement);
      ++i;
    }
  }
  out.resize(static_cast<std::size_t>(to - out.data()));
  return out;
}

bool isWellFormedUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    // Text is mostly ASCII: eight bytes at a time while no byte has its high bit.
    if (std::uint64_t word; i + 8 <= bytes.size()) {
      std::memcpy(&word, bytes.data() + i, 8);
      const std::uint64_t high = word & 0x8080808080808080u;
      if (high == 0 || std::endian::native == std::endian::little) {
        // Past the ASCII bytes before the first that is not.
        const std::size_t ascii = high == 0 ? 8 : static_cast<std::size_t>(std::countr_zero(high)) / 8;
        i += ascii;
        if (ascii) continue;
      }
    }
    const auto lead = static_cast<std::uint8_t>(bytes[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    // Two bytes (Latin letters, "×"), the most common after ASCII.
    if (lead >= 0xC2 && lead <= 0xDF && i + 1 < bytes.size() &&
        (static_cast<std::uint8_t>(bytes[i + 1]) & 0xC0) == 0x80) {
      i += 2;
      continue;
    }
    const std::size_t length = sequenceAt(bytes, i).length;
    if (!length) return false;
    i += length;
  }
  return true;
}

std::string windows1252ToUtf8(std::string_view bytes) {
  static constexpr char16_t kFrom80[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char b : bytes) {
    const std::uint8_t byte = static_cast<std::uint8_t>(b);
    appendUtf8(out, byte >= 0x80 && byte < 0xA0 ? char32_t(kFrom80[byte - 0x80]) : char32_t(byte));
  }
  return out;
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size());
  auto unitAt = [&](std::size_t i) {
    auto first = static_cast<std::uint8_t>(bytes[2 * i]);
    auto second = static_cast<std::uint8_t>(bytes[2 * i + 1]);
    return bigEndian ? char32_t(first << 8 | second) : char32_t(second << 8 | first);
  };
  utf16ToUtf8Into(out, bytes.size() / 2, unitAt);
  if (bytes.size() % 2) appendUtf8(out, kReplacement);
  return out;
}

std::string utf8ToUtf16(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size() * 2);
  auto put = [&](char32_t unit) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
  };
  for (std::size_t i = 0; i < bytes.size();) {
    const Sequence sequence = sequenceAt(bytes, i);
    const char32_t c = sequence.length ? sequence.codePoint : kReplacement;
    i += sequence.length ? sequence.length : 1;
    if (c < 0x10000) {
      put(c);
    } else {
      put(0xD800 + ((c - 0x10000) >> 10));
      put(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return out;
}

}  // namespace runtime
