// A minimal PNG encoder for tests (8-bit RGBA, no filtering), so that the
// tool itself needs only the decoding half of libpng.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace testing_support {

namespace png_detail {

inline void appendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void appendChunk(std::vector<std::uint8_t>& out, std::string_view type, const std::vector<std::uint8_t>& data) {
  appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  const auto crc = crc32(0, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
  appendBigEndian(out, static_cast<std::uint32_t>(crc));
}

}  // namespace png_detail

// `rgba` holds height rows of width pixels, top row first. Empty on failure.
inline std::vector<std::uint8_t> encodePng(int width, int height, const std::uint8_t* rgba) {
  using namespace png_detail;
  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  appendBigEndian(header, static_cast<std::uint32_t>(width));
  appendBigEndian(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter method, no interlace
  appendChunk(out, "IHDR", header);

  const std::size_t rowBytes = 4 * static_cast<std::size_t>(width);
  std::vector<std::uint8_t> rows;
  rows.reserve((rowBytes + 1) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    rows.push_back(0);  // filter type None
    rows.insert(rows.end(), rgba + y * rowBytes, rgba + (y + 1) * rowBytes);
  }
  uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
  std::vector<std::uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()), Z_BEST_SPEED) != Z_OK)
    return {};
  packed.resize(packedSize);
  appendChunk(out, "IDAT", packed);
  appendChunk(out, "IEND", {});
  return out;
}

}  // namespace testing_support
