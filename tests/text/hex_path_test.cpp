#include <gtest/gtest.h>

#include "text/hex.h"
#include "text/path_code.h"

using namespace velora::text;

TEST(Hex, EncodesUpperCaseHighNibbleFirst) {
  EXPECT_EQ(HexEncode(std::string("\x00\x1F\xA0\xFF", 4)), "001FA0FF");
  EXPECT_EQ(HexEncode(""), "");
}

TEST(Hex, DecodeIsLenient) {
  EXPECT_EQ(HexDecodeLenient("001fA0Ff"), std::string("\x00\x1F\xA0\xFF", 4));
  EXPECT_EQ(HexDecodeLenient("ABC"), "\xAB\x0C");  // odd: as if "AB0C"
  EXPECT_EQ(HexDecodeLenient("4300410"), std::string("\x43\x00\x41\x00", 4));
  EXPECT_EQ(HexDecodeLenient("GZ"), std::string(1, static_cast<char>((('G' - 55) * 16 + ('Z' - 55)) & 0xFF)));
  EXPECT_EQ(HexDecodeLenient(""), "");
}

TEST(PathCode, DriveRootGivesTheKnownCode) {
  const std::string code = PathCode("C:\\");
  ASSERT_EQ(code.size(), kPathCodeDigits);
  EXPECT_EQ(code, "43003A005C00" + std::string(1988, '0'));
  EXPECT_EQ(PathFromCode(code), "C:\\");
}

TEST(PathCode, DecodesLowerCaseOddAndChinesePaths) {
  EXPECT_EQ(PathFromCode("43003a005c00" + std::string(1988, '0')), "C:\\");
  EXPECT_EQ(PathFromCode("4300410"), "CA");
  EXPECT_EQ(PathFromCode(PathCode("D:\\工具\\软件 1.exe")), "D:\\工具\\软件 1.exe");
  EXPECT_EQ(PathFromCode(""), "");
  EXPECT_EQ(PathFromCode("0000"), "");
}

TEST(PathCode, OverlongPathIsCutAtAWholeCharacterAndStaysTerminated) {
  const std::string buffer = PathBuffer(std::string(600, 'x'));
  ASSERT_EQ(buffer.size(), kPathBufferBytes);
  EXPECT_EQ(buffer.substr(998), std::string(2, '\0'));
  EXPECT_EQ(PathFromCode(HexEncode(buffer)), std::string(499, 'x'));

  // 498 units then an astral character: its surrogate pair cannot fit, so it is dropped whole.
  const std::string astral = std::string(498, 'y') + "😀";
  EXPECT_EQ(PathFromCode(PathCode(astral)), std::string(498, 'y'));
}

TEST(PathCode, FitsCountsUtf16UnitsUpTo499) {
  EXPECT_TRUE(FitsPathBuffer(std::string(499, 'x')));
  EXPECT_FALSE(FitsPathBuffer(std::string(500, 'x')));
  // A Chinese character is one unit (three UTF-8 bytes), an astral one two.
  std::string chinese;
  for (int i = 0; i < 499; ++i) chinese += "文";
  EXPECT_TRUE(FitsPathBuffer(chinese));
  EXPECT_TRUE(FitsPathBuffer(std::string(497, 'y') + "😀"));
  EXPECT_FALSE(FitsPathBuffer(std::string(498, 'y') + "😀"));
}
