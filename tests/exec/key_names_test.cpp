#include "exec/key_names.h"

#include <gtest/gtest.h>

#include <string>

namespace velora::exec {
namespace {

TEST(KeyName, RangesAndNamedKeys) {
  EXPECT_EQ(KeyName(48), "0键");
  EXPECT_EQ(KeyName(57), "9键");
  EXPECT_EQ(KeyName(65), "A键");
  EXPECT_EQ(KeyName(90), "Z键");
  EXPECT_EQ(KeyName(112), "F1键");
  EXPECT_EQ(KeyName(127), "F16键");
  EXPECT_EQ(KeyName(3), "Break");
  EXPECT_EQ(KeyName(20), "Caps Lock键");
  EXPECT_EQ(KeyName(192), "反撇号键");
  EXPECT_EQ(KeyName(220), "斜杠键");
  EXPECT_EQ(KeyName(221), "右中括号键");
  for (const int unnamed : {0, 1, 47, 58, 64, 91 + 1, 128, 255, -1, 100000}) {
    EXPECT_EQ(KeyName(unnamed), "") << unnamed;
  }
}

TEST(KeyName, NamesNoOtherCodes) {
  // Digits, letters and F1-F16, and the 41 other named keys.
  int named = 0;
  for (int code = -1; code < 70000; ++code) named += KeyName(code).empty() ? 0 : 1;
  EXPECT_EQ(named, 10 + 26 + 16 + 41);
}

TEST(KeyOfName, LetterCaseCountsOnlyWhereTheTableSaysSo) {
  EXPECT_EQ(KeyOfName("CTRL键"), 17);
  EXPECT_EQ(KeyOfName("ctrl键"), 17);
  EXPECT_EQ(KeyOfName("Ctrl键"), 17);
  EXPECT_EQ(KeyOfName("a键"), KeyOfName("A键"));
  EXPECT_EQ(KeyOfName("f12键"), 123);
  EXPECT_EQ(KeyOfName("NUMLOCK键"), 144);
  EXPECT_EQ(KeyOfName("scrolllock键"), 145);
  EXPECT_EQ(KeyOfName("CAPSLOCK键"), 20);
  EXPECT_EQ(KeyOfName("反撇号键"), 192);
  EXPECT_EQ(KeyOfName("退格键"), 8);
  EXPECT_EQ(KeyOfName("右ctrl键"), 163);
  // Exact entries refuse other letter case.
  EXPECT_EQ(KeyOfName("tab键"), 0);
  EXPECT_EQ(KeyOfName("Break键"), 0);
  EXPECT_EQ(KeyOfName("break键"), 3);
}

TEST(KeyOfName, ShownNamesThatAreNotAcceptedBackGiveZero) {
  EXPECT_EQ(KeyOfName("Break"), 0);
  EXPECT_EQ(KeyOfName("Caps Lock键"), 0);
  EXPECT_EQ(KeyOfName(""), 0);
  EXPECT_EQ(KeyOfName("A"), 0);
}

TEST(KeyOfName, EveryOtherShownNameRoundTrips) {
  for (int code = 1; code < 256; ++code) {
    const std::string_view name = KeyName(code);
    if (name.empty() || code == 3 || code == 20) continue;
    EXPECT_EQ(KeyOfName(name), code) << name;
  }
}

}  // namespace
}  // namespace velora::exec
