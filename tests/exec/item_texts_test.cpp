#include "exec/item_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "text/path_code.h"

namespace velora::exec {
namespace {

TEST(CaptionOfName, EveryLineBreakWordBecomesCrLf) {
  EXPECT_EQ(CaptionOfName("第一行换行第二行"), "第一行\r\n第二行");
  EXPECT_EQ(CaptionOfName("换行a换行换行b换行"), "\r\na\r\n\r\nb\r\n");
  EXPECT_EQ(CaptionOfName("记事本"), "记事本");
  EXPECT_EQ(CaptionOfName(""), "");
  // "换" alone or "行" alone is not the word.
  EXPECT_EQ(CaptionOfName("换 行"), "换 行");
}

TEST(TipOfCode, MacroShowsKeyNamesJoinedByPlus) {
  EXPECT_EQ(TipOfCode("热键17+16+83"), "Ctrl键+Shift键+S键");
  EXPECT_EQ(TipOfCode("热键91+16+83"), "Win键+Shift键+S键");
  // 0 is "no key"; it adds no name and no extra "+".
  EXPECT_EQ(TipOfCode("热键17+0+70"), "Ctrl键+F键");
  EXPECT_EQ(TipOfCode("热键17+0+0"), "Ctrl键");
  // Leading digits count; further pieces are ignored.
  EXPECT_EQ(TipOfCode("热键17x+16+83+65"), "Ctrl键+Shift键+S键");
  // A number too large for a key names nothing instead of overflowing.
  EXPECT_EQ(TipOfCode("热键999999999999999999999+16+83"), "Shift键+S键");
}

TEST(TipOfCode, MacroWithFewerThanThreeNumbersShowsNone) {
  EXPECT_EQ(TipOfCode("热键17+83"), "");
  EXPECT_EQ(TipOfCode("热键"), "");
}

TEST(TipOfCode, OtherKinds) {
  EXPECT_EQ(TipOfCode("网址https://example.com/?q=$关键词$"), "https://example.com/?q=$关键词$");
  EXPECT_EQ(TipOfCode("$$文本$$你好换行世界"), "你好换行世界");
  EXPECT_EQ(TipOfCode(text::PathCode("C:\\程序\\工具.exe")), "C:\\程序\\工具.exe");
  EXPECT_EQ(TipOfCode("系统回收站"), "");
  EXPECT_EQ(TipOfCode("功能锁定屏幕"), "");
  EXPECT_EQ(TipOfCode(std::string(2000, '0')), "");
}

TEST(DescriptionOfCode, KindThenTarget) {
  const std::pair<std::string, std::string> cases[] = {
      {text::PathCode("C:\\程序\\工具.EXE"), "程序 · C:\\程序\\工具.EXE"},
      {text::PathCode("D:\\资料"), "文件夹 · D:\\资料"},
      {text::PathCode("D:\\资料\\报告.docx"), "文档 · D:\\资料\\报告.docx"},
      {text::PathCode("D:\\图\\a.png"), "图片 · D:\\图\\a.png"},
      {"网址https://example.com/", "书签 · https://example.com/"},
      {"网址https://s.example/?q=$关键词$", "网页搜索 · https://s.example/?q=$关键词$"},
      {"热键17+0+70", "组合键 · Ctrl键+F键"},
      {"$$文本$$你好", "文本 · 你好"},
      {"系统回收站", "系统位置"},
      {"功能锁定屏幕", "功能"},
  };
  for (const auto& [code, description] : cases) EXPECT_EQ(DescriptionOfCode(code), description) << code;
}

}  // namespace
}  // namespace velora::exec
