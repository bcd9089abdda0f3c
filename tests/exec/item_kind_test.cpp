#include "exec/item_kind.h"

#include <gtest/gtest.h>

#include <string>

#include "text/path_code.h"

namespace velora::exec {
namespace {

using ::testing::TestWithParam;

ItemKind KindOf(const std::string& code) { return KindOfCode(code).kind; }

TEST(KindOfCode, WebItemIsSearchOnlyWithTheExactPlaceholder) {
  const ClassifiedCode search = KindOfCode("网址https://s.example/?q=$关键词$&x=1");
  EXPECT_EQ(search.kind, ItemKind::kSearch);
  EXPECT_EQ(search.payload, "https://s.example/?q=$关键词$&x=1");

  EXPECT_EQ(KindOf("网址https://s.example/"), ItemKind::kBookmark);
  EXPECT_EQ(KindOf("网址https://s.example/?q=$关键字$"), ItemKind::kBookmark);
  EXPECT_EQ(KindOf("网址https://s.example/?q=$KEYWORD$"), ItemKind::kBookmark);
  EXPECT_EQ(KindOf("网址https://s.example/?q=关键词"), ItemKind::kBookmark);
  EXPECT_EQ(KindOfCode("网址").payload, "");
}

TEST(KindOfCode, SystemPlacesByName) {
  EXPECT_EQ(KindOfCode("系统回收站").place, Place::kRecycleBin);
  EXPECT_EQ(KindOfCode("系统我的电脑").place, Place::kThisPc);
  EXPECT_EQ(KindOfCode("系统控制面板").place, Place::kControlPanel);
  EXPECT_EQ(KindOfCode("系统桌面").place, Place::kDesktop);
  const ClassifiedCode other = KindOfCode("系统回收站2");
  EXPECT_EQ(other.kind, ItemKind::kSystemPlace);
  EXPECT_EQ(other.place, Place::kUnknown);
  EXPECT_EQ(other.payload, "回收站2");
}

TEST(KindOfCode, PrefixedKindsAndTheirPayloads) {
  EXPECT_EQ(KindOfCode("热键17+16+83"), (ClassifiedCode{ItemKind::kMacro, "17+16+83", Place::kUnknown}));
  // The dispatcher of functions matches the whole code, prefix included.
  EXPECT_EQ(KindOfCode("功能取外网IP"),
            (ClassifiedCode{ItemKind::kFunction, "功能取外网IP", Place::kUnknown}));
  EXPECT_EQ(KindOfCode("$$文本$$第一行\r\n第二行"),
            (ClassifiedCode{ItemKind::kTextSnippet, "第一行\r\n第二行", Place::kUnknown}));
  // Prefixes compare exactly: a text snippet needs both pairs of dollar signs.
  EXPECT_NE(KindOf("$文本$$x"), ItemKind::kTextSnippet);
}

TEST(KindOfCode, FileKindsByPath) {
  EXPECT_EQ(KindOf(text::PathCode("C:\\a\\b.lnk")), ItemKind::kShortcut);
  EXPECT_EQ(KindOf(text::PathCode("C:\\a\\b.LNK")), ItemKind::kPlainFile);
  EXPECT_EQ(KindOf(text::PathCode("C:\\a\\b.Lnk")), ItemKind::kPlainFile);
  EXPECT_EQ(KindOf(text::PathCode("C:\\a\\照片.jpeg")), ItemKind::kPicture);
  EXPECT_EQ(KindOf(text::PathCode("C:\\a\\照片.JPG")), ItemKind::kPlainFile);
  EXPECT_EQ(KindOf(text::PathCode("C:\\a\\b.exe")), ItemKind::kPlainFile);
  EXPECT_EQ(KindOf(text::PathCode("C:\\")), ItemKind::kPlainFile);

  const ClassifiedCode picture = KindOfCode(text::PathCode("D:\\图片\\猫.gif"));
  EXPECT_EQ(picture.payload, "D:\\图片\\猫.gif");
}

TEST(KindOfCode, CodesThatDecodeToNothingAreEmptyPaths) {
  EXPECT_EQ(KindOf(""), ItemKind::kEmptyPath);
  EXPECT_EQ(KindOf(std::string(2000, '0')), ItemKind::kEmptyPath);
  EXPECT_EQ(KindOf("0"), ItemKind::kEmptyPath);
}

TEST(FilePathOfCode, DecodesUpperLowerAndOddLengthCodes) {
  const std::string root = "43003A005C00" + std::string(1988, '0');
  EXPECT_EQ(FilePathOfCode(root), "C:\\");
  EXPECT_EQ(FilePathOfCode("43003a005c00" + std::string(1988, '0')), "C:\\");
  // An odd count decodes as if a 0 stood before the last digit: 43 00 41 00.
  EXPECT_EQ(FilePathOfCode("4300410"), "CA");
  // Text after the first zero character is not part of the path.
  EXPECT_EQ(FilePathOfCode("410000004200"), "A");
}

struct ExtensionCase {
  const char* path;
  const char* extension;
};

class PathExtensionTest : public TestWithParam<ExtensionCase> {};

TEST_P(PathExtensionTest, FromTheLastDotOfTheFileName) {
  EXPECT_EQ(PathExtension(GetParam().path), GetParam().extension);
}

INSTANTIATE_TEST_SUITE_P(Paths, PathExtensionTest,
                         ::testing::Values(ExtensionCase{"C:\\a\\b.txt", ".txt"},
                                           ExtensionCase{"C:\\a\\b.tar.gz", ".gz"},
                                           ExtensionCase{"C:\\a.d\\b", ""}, ExtensionCase{"C:/a.d/b", ""},
                                           ExtensionCase{"C:\\a\\b.", "."},
                                           ExtensionCase{"C:\\a\\.profile", ".profile"},
                                           ExtensionCase{"C:\\a\\b.x y", ""},
                                           ExtensionCase{"C:\\a\\b c.JPG", ".JPG"}, ExtensionCase{"", ""}));

TEST(IsPictureExtension, ExactLowerCaseOnly) {
  for (const char* ext : {".jpg", ".png", ".jpeg", ".gif", ".ico"})
    EXPECT_TRUE(IsPictureExtension(ext)) << ext;
  for (const char* ext : {".JPG", ".Png", ".bmp", "jpg", ""}) EXPECT_FALSE(IsPictureExtension(ext)) << ext;
}

}  // namespace
}  // namespace velora::exec
