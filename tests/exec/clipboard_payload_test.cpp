#include "exec/clipboard_payload.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "text/utf.h"

namespace velora::exec {
namespace {

std::uint32_t Uint32At(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes.at(offset + i));
  return value;
}

// The names as a reader of the block finds them: zero-terminated UTF-16 strings up to an empty one.
std::vector<std::string> NamesIn(const std::string& block) {
  std::vector<std::string> names;
  std::u16string current;
  for (std::size_t i = Uint32At(block, 0); i + 1 < block.size(); i += 2) {
    const auto unit = static_cast<char16_t>(static_cast<unsigned char>(block[i]) |
                                            static_cast<unsigned char>(block[i + 1]) << 8);
    if (unit != 0) {
      current += unit;
    } else if (current.empty()) {
      break;
    } else {
      names.push_back(text::Utf16ToUtf8(current));
      current.clear();
    }
  }
  return names;
}

TEST(FileListBlock, HeaderSaysWideNamesAfterTwentyBytes) {
  const std::vector<std::string> paths = {"C:\\a\\b.txt"};
  const std::string block = FileListBlock(paths);
  ASSERT_EQ(block.size(), 20u + (10 + 1) * 2 + 2);
  EXPECT_EQ(Uint32At(block, 0), 20u);  // list offset
  EXPECT_EQ(Uint32At(block, 4), 0u);   // drop point
  EXPECT_EQ(Uint32At(block, 8), 0u);
  EXPECT_EQ(Uint32At(block, 12), 0u);  // non-client flag
  EXPECT_EQ(Uint32At(block, 16), 1u);  // wide names
  EXPECT_EQ(block.substr(block.size() - 4), std::string(4, '\0'));
}

TEST(FileListBlock, NamesOutsideTheAnsiCodePageRoundTrip) {
  // 𠀀 lies outside GBK and the basic plane; 😀 likewise.
  const std::vector<std::string> paths = {"C:\\资料\\报告.docx", "D:\\照片\\𠀀😀.png", "\\\\服务器\\共享\\x"};
  EXPECT_EQ(NamesIn(FileListBlock(paths)), paths);
}

TEST(FileListBlock, PathsThatWouldEndTheListEarlyAreLeftOut) {
  const std::vector<std::string> paths = {"", "C:\\one", std::string("C:\\t\0wo", 7), "C:\\three"};
  EXPECT_EQ(NamesIn(FileListBlock(paths)), (std::vector<std::string>{"C:\\one", "C:\\three"}));
  EXPECT_EQ(FileListBlock(std::vector<std::string>{""}), "");
  EXPECT_EQ(FileListBlock({}), "");
}

TEST(FileUrl, LocalAndNetworkPaths) {
  EXPECT_EQ(FileUrl("C:\\图片\\动图.gif"), "file:///C:/图片/动图.gif");
  EXPECT_EQ(FileUrl("\\\\server\\share\\a.gif"), "file://server/share/a.gif");
  // Characters that would end or change the address are escaped, the escape sign first of all.
  EXPECT_EQ(FileUrl("C:\\a b\\100%#1.gif"), "file:///C:/a%20b/100%25%231.gif");
  EXPECT_EQ(FileUrl("C:\\x\"<>.gif"), "file:///C:/x%22%3C%3E.gif");
}

TEST(PictureElement, AddressIsSafeInsideTheAttribute) {
  EXPECT_EQ(PictureElement("C:\\R&D\\a.gif"), "<img src=\"file:///C:/R&amp;D/a.gif\" alt=\"\">");
}

// The header's numbers as a reader parses them.
std::size_t HeaderValue(const std::string& text, std::string_view key) {
  const std::size_t at = text.find(std::string(key) + ":");
  EXPECT_NE(at, std::string::npos) << key;
  return std::stoul(text.substr(at + key.size() + 1, 10));
}

TEST(HtmlClipboardText, OffsetsPointAtTheDocumentAndTheFragment) {
  const std::string fragment = PictureElement("C:\\图片\\动图 1.gif");
  const std::string text = HtmlClipboardText(fragment);
  EXPECT_TRUE(text.starts_with("Version:0.9\r\n"));
  const std::size_t start_html = HeaderValue(text, "StartHTML");
  const std::size_t end_html = HeaderValue(text, "EndHTML");
  const std::size_t start_fragment = HeaderValue(text, "StartFragment");
  const std::size_t end_fragment = HeaderValue(text, "EndFragment");
  EXPECT_EQ(text.substr(start_html, 6), "<html>");
  EXPECT_EQ(end_html, text.size());
  EXPECT_TRUE(text.substr(0, end_html).ends_with("</html>"));
  // Byte offsets, not character counts: the Chinese name takes three bytes a character.
  EXPECT_EQ(text.substr(start_fragment, end_fragment - start_fragment), fragment);
  EXPECT_TRUE(text.substr(0, start_fragment).ends_with("<!--StartFragment-->"));
  EXPECT_EQ(text.substr(end_fragment, 18), "<!--EndFragment-->");
}

}  // namespace
}  // namespace velora::exec
