#include <gtest/gtest.h>

#include "acquire/icon_key.h"
#include "text/base64.h"
#include "text/md5.h"

using namespace velora::text;

TEST(Digest, PublishedMd5VectorsInEveryForm) {
  EXPECT_EQ(DigestText("abc"), "900150983CD24FB0D6963F7D28E17F72");
  EXPECT_EQ(DigestText("abc", {.upper_case = false}), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(DigestText("abc", {.short_form = true}), "3CD24FB0D6963F7D");
  EXPECT_EQ(DigestText(""), "D41D8CD98F00B204E9800998ECF8427E");
}

TEST(Digest, Utf8AndGbkBytesDiffer) {
  // MD5 of the GBK bytes D6 D0 CE C4 and of the UTF-8 bytes of "中文".
  EXPECT_EQ(DigestText("中文", {.as_utf8 = false}), "BCCE109775E8E1972E9F5FCDA3E12895");
  EXPECT_EQ(DigestText("中文"), "A7BAC2239FCDCB3A067903D8077C4A07");
}

TEST(IconKey, IsTheFirstTenDigitsOfTheUtf8Digest) {
  EXPECT_EQ(velora::acquire::IconKey("abc"), "900150983C");
  const std::string search = "https://www.baidu.com/s?wd=$关键词$";
  EXPECT_EQ(velora::acquire::IconKey(search), DigestText(search).substr(0, 10));
  EXPECT_NE(velora::acquire::IconKey(search), DigestText(search, {.as_utf8 = false}).substr(0, 10));
}

TEST(Base64, Rfc4648Vectors) {
  EXPECT_EQ(Base64Encode(""), "");
  EXPECT_EQ(Base64Encode("f"), "Zg==");
  EXPECT_EQ(Base64Encode("fo"), "Zm8=");
  EXPECT_EQ(Base64Encode("foo"), "Zm9v");
  EXPECT_EQ(Base64Encode("foob"), "Zm9vYg==");
  EXPECT_EQ(Base64Encode("fooba"), "Zm9vYmE=");
  EXPECT_EQ(Base64Encode("foobar"), "Zm9vYmFy");
  EXPECT_EQ(Base64Encode(std::string("\xFF\xFE\x00", 3)), "//4A");
}

TEST(Base64, DecodesWhatItEncodes) {
  for (const std::string bytes : {"", "f", "fo", "foo", "foob", "fooba", "foobar"}) {
    EXPECT_EQ(Base64Decode(Base64Encode(bytes)), bytes);
  }
  EXPECT_EQ(Base64Decode("//4A"), std::string("\xFF\xFE\x00", 3));
}

TEST(Base64, RefusesTextItWouldNeverWrite) {
  for (const std::string_view text : {"Zg", "Zg=", "Zg===", "Zh==", "Zm9=", "Zm 9v", "Zm9v\n", "Z===", "Zg=A",
                                      "Zg==Zg==", "Zm9-", "Zm9_", "===="}) {
    EXPECT_EQ(Base64Decode(text), std::nullopt) << text;
  }
}
