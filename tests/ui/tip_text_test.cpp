#include "ui/tip_text.h"

#include <gtest/gtest.h>

#include "text/gbk.h"

using namespace velora::ui;
using velora::text::GbkLength;

TEST(TipText, LongTextIsCutAt500GbkBytesNeverInsideACharacter) {
  EXPECT_EQ(TipText(std::string(600, 'a')), std::string(500, 'a') + "...");
  EXPECT_EQ(TipText(std::string(500, 'a')), std::string(500, 'a'));

  std::string chinese;
  for (int i = 0; i < 300; ++i) chinese += "中";  // 600 GBK bytes
  EXPECT_EQ(TipText(chinese), chinese.substr(0, 250 * 3) + "...");

  // The 500th byte is the first half of a character: that character goes.
  const std::string odd = "a" + chinese;
  const std::string cut = TipText(odd);
  EXPECT_EQ(GbkLength(cut), 499u + 3u);
  EXPECT_EQ(cut, "a" + chinese.substr(0, 249 * 3) + "...");
}

TEST(TipText, ShownOnlyAfterStartupWhileTipsAreOn) {
  EXPECT_TRUE(TipShown(true, false, true, "x"));
  EXPECT_FALSE(TipShown(false, false, true, "x"));
  EXPECT_FALSE(TipShown(true, true, true, "x"));
  EXPECT_FALSE(TipShown(true, false, false, "x"));
  EXPECT_FALSE(TipShown(true, false, true, ""));
}

TEST(TipText, PlacedBelowThePointer) {
  const TipPlacement p = PlaceTip({300, 200}, {120, 40});
  EXPECT_EQ(p.label, (Rect{1, 1, 123, 40}));
  EXPECT_EQ(p.window, (Rect{300, 230, 125, 42}));
}
