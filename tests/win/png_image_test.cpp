#include <gtest/gtest.h>

#include <vector>

#include "runtime/png_image.h"
#include "tests/support/png_encoder.h"

namespace {

std::vector<std::uint8_t> encodeRgba(int width, int height, const std::vector<std::uint8_t>& rgba) {
  return testing_support::encodePng(width, height, rgba.data());
}

TEST(PngImage, DecodesIntoATopDownPremultipliedBitmap) {
  // 2 x 2: opaque red, half-transparent green, transparent blue, opaque white.
  const std::vector<std::uint8_t> rgba = {255, 0, 0, 255, 0, 200, 0, 128, 0, 0, 255, 0, 255, 255, 255, 255};
  runtime::UniqueBitmap bitmap = runtime::decodePng(encodeRgba(2, 2, rgba));
  ASSERT_TRUE(bitmap);

  DIBSECTION section{};
  ASSERT_EQ(GetObjectW(bitmap.get(), sizeof section, &section), static_cast<int>(sizeof section));
  EXPECT_EQ(section.dsBm.bmWidth, 2);
  EXPECT_EQ(section.dsBm.bmHeight, 2);
  EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
  const auto* bgra = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
  const std::vector<std::uint8_t> pixels(bgra, bgra + 16);
  EXPECT_EQ(pixels, (std::vector<std::uint8_t>{0, 0, 255, 255, 0, 100, 0, 128, 0, 0, 0, 0, 255, 255, 255, 255}));
}

TEST(PngImage, RejectsBytesThatAreNoPng) {
  const std::vector<std::uint8_t> junk = {0x89, 'P', 'N', 'G', 1, 2, 3};
  EXPECT_FALSE(runtime::decodePng(junk));
  EXPECT_FALSE(runtime::decodePng({}));
  std::vector<std::uint8_t> truncated = encodeRgba(1, 1, {1, 2, 3, 4});
  truncated.resize(truncated.size() - 20);
  EXPECT_FALSE(runtime::decodePng(truncated));
}

}  // namespace
