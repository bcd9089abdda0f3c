// Which picture format bytes are by their first bytes.
#include "formats/image_type.h"

#include <gtest/gtest.h>

#include <string>

using namespace velora::formats;

TEST(IsImageBytes, KnowsTheFiveFormatsByTheirFirstBytes) {
  EXPECT_TRUE(IsImageBytes(std::string("\0\0\1\0\1\0", 6)));
  EXPECT_TRUE(IsImageBytes(std::string_view("\x89PNG\r\n\x1a\n")));
  EXPECT_TRUE(IsImageBytes("GIF87a"));
  EXPECT_TRUE(IsImageBytes("GIF89a...."));
  EXPECT_TRUE(IsImageBytes("\xFF\xD8\xFF\xE0"));
  EXPECT_TRUE(IsImageBytes("BM...."));

  EXPECT_FALSE(IsImageBytes(std::string("\0\0\2\0\1\0", 6))) << "a cursor";
  EXPECT_FALSE(IsImageBytes(std::string("\0\0\1\0\0\0", 6))) << "an icon of no image";
  EXPECT_FALSE(IsImageBytes(std::string("\0\0\1\0", 4)));
  EXPECT_FALSE(IsImageBytes("\x89PNG"));
  EXPECT_FALSE(IsImageBytes("<html><body>404</body></html>"));
  EXPECT_FALSE(IsImageBytes(""));
}
