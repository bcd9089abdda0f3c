// Which picture format bytes are by their first bytes.
#include "formats/image_type.h"

#include <gtest/gtest.h>

#include <string>

using namespace velora::formats;

TEST(ImageTypeOf, KnowsTheFiveFormatsByTheirFirstBytes) {
  struct Case {
    std::string bytes;
    ImageType type;
    const char* what;
  };
  const Case cases[] = {
      {std::string("\0\0\1\0\1\0", 6), ImageType::kIcon, "an icon of one image"},
      {"\x89PNG\r\n\x1a\n", ImageType::kPng, "PNG"},
      {"GIF87a", ImageType::kGif, "GIF 87a"},
      {"GIF89a....", ImageType::kGif, "GIF 89a"},
      {"\xFF\xD8\xFF\xE0", ImageType::kJpeg, "JPEG"},
      {"BM....", ImageType::kBmp, "BMP"},
      {std::string("\0\0\2\0\1\0", 6), ImageType::kNone, "a cursor"},
      {std::string("\0\0\1\0\0\0", 6), ImageType::kNone, "an icon of no image"},
      {std::string("\0\0\1\0", 4), ImageType::kNone, "an icon header cut short"},
      {"\x89PNG", ImageType::kNone, "a PNG signature cut short"},
      {"GIF90a", ImageType::kNone, "no GIF version"},
      {"<html><body>404</body></html>", ImageType::kNone, "a server's error page"},
      {"", ImageType::kNone, "nothing"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ImageTypeOf(c.bytes), c.type) << c.what;
    EXPECT_EQ(IsImageBytes(c.bytes), c.type != ImageType::kNone) << c.what;
  }
}
