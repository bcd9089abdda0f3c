#include "exec/suffix_icon.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "assets/images/builtin_images.h"
#include "store/temp_store.h"
#include "text/fs_path.h"
#include "text/path_code.h"

namespace velora::exec {
namespace {

using assets::BuiltinImage;
using assets::ImageBytesOf;

class SuffixIconTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(data_dir() / "icon"); }
  const std::filesystem::path& data_dir() const { return folder_.path(); }
  void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::string_view Icon(std::string_view suffix, std::string_view icon = "", std::string_view code = "") {
    held_ = SuffixIcon(suffix, icon, code, data_dir());
    return held_.bytes();
  }

  velora::testing::TempFolder folder_;
  ImageBytes held_;
};

TEST_F(SuffixIconTest, ProgramReadsItsIconFileAndHasNoFallback) {
  Write(data_dir() / "icon" / "DCB080F9C5.ico", "program icon");
  EXPECT_EQ(Icon(".exe", "DCB080F9C5"), "program icon");
  EXPECT_EQ(Icon(".EXE", "DCB080F9C5"), "program icon");
  EXPECT_EQ(Icon(".exe", "0000000000"), "");
  // An empty key names "icon\.ico", which does not exist.
  EXPECT_EQ(Icon(".exe", ""), "");
}

TEST_F(SuffixIconTest, BookmarkPrefersItsSiteIcon) {
  Write(data_dir() / "icon" / "ABCDEF0123.ico", "site icon");
  EXPECT_EQ(Icon("书签", "ABCDEF0123"), "site icon");
  EXPECT_EQ(Icon("书签", "FFFFFFFFFF"), ImageBytesOf(BuiltinImage::kBookmark));
  EXPECT_EQ(Icon("书签", ""), ImageBytesOf(BuiltinImage::kBookmark));
}

TEST_F(SuffixIconTest, AKeyThatIsNotAFileNameReadsNothingOutsideTheCache) {
  Write(data_dir() / "outside.ico", "not an icon of the cache");
  const std::string absolute = text::PathToUtf8(data_dir() / "outside");
  EXPECT_EQ(Icon(".exe", absolute), "");
  EXPECT_EQ(Icon(".exe", "../outside"), "");
  EXPECT_EQ(Icon(".exe", "..\\outside"), "");
  EXPECT_EQ(Icon("书签", absolute), ImageBytesOf(BuiltinImage::kBookmark));
}

TEST_F(SuffixIconTest, BuiltinImagesBySuffix) {
  EXPECT_EQ(Icon("文件夹"), ImageBytesOf(BuiltinImage::kFolder));
  EXPECT_EQ(Icon(".TXT"), ImageBytesOf(BuiltinImage::kTextFile));
  EXPECT_EQ(Icon("我的电脑"), ImageBytesOf(BuiltinImage::kThisPc));
  EXPECT_EQ(Icon("桌面"), ImageBytesOf(BuiltinImage::kDesktop));
  EXPECT_EQ(Icon("控制面板"), ImageBytesOf(BuiltinImage::kControlPanel));
  EXPECT_EQ(Icon("回收站"), ImageBytesOf(BuiltinImage::kRecycleBin));
  for (const char* s : {".mp4", ".MKV", ".avi", ".rmvb"})
    EXPECT_EQ(Icon(s), ImageBytesOf(BuiltinImage::kVideo)) << s;
  for (const char* s : {".mp3", ".wma", ".FLAC", ".aac"})
    EXPECT_EQ(Icon(s), ImageBytesOf(BuiltinImage::kAudio)) << s;
  EXPECT_EQ(Icon("热键"), ImageBytesOf(BuiltinImage::kMacro));
  EXPECT_EQ(Icon("功能"), ImageBytesOf(BuiltinImage::kFunction));
  EXPECT_EQ(Icon("文本"), ImageBytesOf(BuiltinImage::kTextSnippet));
  for (const char* s : {"", ".docx", "exe", ".mp4 ", "文件"}) {
    EXPECT_EQ(Icon(s), ImageBytesOf(BuiltinImage::kGenericFile)) << s;
  }
}

TEST_F(SuffixIconTest, UpperCasePictureSuffixReadsThePictureFileItself) {
  const std::filesystem::path picture = data_dir() / "照片.JPG";
  Write(picture, "jpeg bytes");
  const std::string code = text::PathCode(text::PathToUtf8(picture));
  EXPECT_EQ(Icon(".JPG", "89504E47", code), "jpeg bytes");
  EXPECT_EQ(Icon(".Png", "", text::PathCode(text::PathToUtf8(data_dir() / "missing.png"))), "");
  EXPECT_EQ(Icon(".GIF", "", ""), "");
}

}  // namespace
}  // namespace velora::exec
