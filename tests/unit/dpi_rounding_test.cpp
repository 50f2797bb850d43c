#include <gtest/gtest.h>

#include "ui/dpi_rounding.h"

namespace {

TEST(DpiRounding, LogicalToPixelsRoundsDown) {
  struct Case {
    int logical;
    float scale;
    int pixels;
  } cases[] = {
      {5, 1.25f, 6}, {35, 1.25f, 43}, {470, 1.25f, 587}, {198, 1.25f, 247}, {480, 1.5f, 720}, {310, 1.5f, 465},
      {5, 1.5f, 7},  {35, 1.5f, 52},  {470, 1.5f, 705},  {198, 1.5f, 297},  {470, 1.0f, 470}, {-3, 1.5f, -5},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ui::logicalToPixels(c.logical, c.scale), c.pixels) << c.logical << " x " << c.scale;
}

TEST(DpiRounding, HalvesGoToTheEvenNeighbour) {
  const std::pair<float, int> cases[] = {{0.5f, 0},  {1.5f, 2},  {2.5f, 2},   {8.25f, 8},   {8.5f, 8},
                                         {9.5f, 10}, {-0.5f, 0}, {-1.5f, -2}, {704.6f, 705}};
  for (auto [value, rounded] : cases) EXPECT_EQ(ui::roundHalfEven(value), rounded) << value;
}

TEST(DpiRounding, FontPointSizeIsMeasuredAndScaledByTheRules) {
  EXPECT_EQ(ui::measuredPointSize(-11, 96), 8);
  EXPECT_EQ(ui::measuredPointSize(11, 96), 8);
  EXPECT_EQ(ui::measuredPointSize(-16, 144), 8);
  struct Case {
    int os;
    float scaleY;
    bool aware;
    int percent;
    int size;
  } cases[] = {
      {110, 1.5f, false, 100, 12}, {110, 1.5f, true, 100, 8},  {110, 1.1f, false, 100, 8},  {110, 1.1f, true, 100, 8},
      {60, 1.5f, false, 100, 8},   {110, 1.5f, true, 150, 12}, {80, 1.25f, false, 100, 10},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ui::pointSizeToLoad(8, c.os, c.scaleY, c.aware, c.percent), c.size) << c.os << " " << c.scaleY;
}

TEST(DpiRounding, ADpiChangeRescalesThereAndBack) {
  EXPECT_EQ(ui::rescalePercent(144, 96), 150);
  EXPECT_EQ(ui::rescalePercent(96, 144), -150);
  EXPECT_EQ(ui::rescalePercent(96, 96), -100);
  EXPECT_EQ(ui::rescaleLogical(470, 150), 705);
  EXPECT_EQ(ui::rescaleLogical(705, -150), 470);
  EXPECT_EQ(ui::rescaleLogical(35, -100), 35);
}

}  // namespace
