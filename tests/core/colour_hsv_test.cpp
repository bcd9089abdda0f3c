#include "core/colour_hsv.h"

#include <gtest/gtest.h>

using namespace velora::core;

TEST(ColourHsv, PrimariesAndGreysRoundTripWithTheirAlpha) {
  for (std::uint32_t argb : {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFE000000u, 0xFFFFFFFFu, 0x80336699u,
                             0xFF3366CCu, 0xFF7F7F7Fu}) {
    EXPECT_EQ(FromHsv(ToHsv(argb), static_cast<std::uint8_t>(argb >> 24)), argb) << std::hex << argb;
  }
  const Hsv blue = ToHsv(0xFF0000FF);
  EXPECT_DOUBLE_EQ(blue.hue, 240);
  EXPECT_DOUBLE_EQ(blue.saturation, 1);
  // The field's top-right corner at hue 0 is pure red; its bottom edge is black at any hue.
  EXPECT_EQ(FromHsv({0, 1, 1}, 0xFF), 0xFFFF0000u);
  EXPECT_EQ(FromHsv({200, 0.7, 0}, 0xFF), 0xFF000000u);
  // A hue at the very end of the bar wraps to red, not past it.
  EXPECT_EQ(FromHsv({360, 1, 1}, 0xFF), 0xFFFF0000u);
}

TEST(ColourHsv, HexTextShowsAlphaOnlyWhenNotOpaque) {
  EXPECT_EQ(HexText(0xFF3366CC), "#3366CC");
  EXPECT_EQ(HexText(0xFE000000), "#FE000000");
}

TEST(ColourHsv, HexEntryAcceptsSixOrEightDigitsAndNothingElse) {
  EXPECT_EQ(ParseHexColour("#3366cc", 0xFE), 0xFE3366CCu);
  EXPECT_EQ(ParseHexColour(" 3366CC ", 0xFF), 0xFF3366CCu);
  EXPECT_EQ(ParseHexColour("803366CC", 0xFF), 0x803366CCu);
  for (const char* bad : {"", "#", "#12345", "#1234567", "#GG0000", "#12 456", "#123456789"}) {
    EXPECT_FALSE(ParseHexColour(bad, 0xFF)) << bad;
  }
}
