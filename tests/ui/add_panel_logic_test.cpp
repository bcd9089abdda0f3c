// What the add panels make of what was typed: rows by the insert-position rule, refusals of empty
// fields, and the shortcut's numbers from the lists' captions and the captured key's name.
#include "ui/add_panel_logic.h"

#include <gtest/gtest.h>

namespace velora::ui {
namespace {

constexpr std::string_view kNow = "2026-12-10 08:30:00";

TEST(NewBookmark, EitherFieldEmptyIsRefusedWithTheSameWords) {
  for (const auto& [address, title] :
       {std::pair{"", "标题"}, std::pair{"https://a.cn", ""}, std::pair{"", ""}}) {
    const NewItem item = NewBookmark(address, title, false, kNow);
    EXPECT_FALSE(item.row) << address << title;
    EXPECT_EQ(item.refusal, "请先填写");
  }
}

TEST(NewBookmark, InFrontIsDatedAtTheEndIsNot) {
  const NewItem front = NewBookmark("https://例子.cn/?q='a'", "小明's \"书\"", false, kNow);
  ASSERT_TRUE(front.row);
  EXPECT_EQ(front.row->code, "网址https://例子.cn/?q='a'");
  EXPECT_EQ(front.row->name, "小明's \"书\"");
  EXPECT_EQ(front.row->suffix, "书签");
  EXPECT_EQ(front.row->date, std::string(kNow));
  EXPECT_FALSE(front.row->path) << "a bookmark has no path column of its own";

  const NewItem end = NewBookmark("https://a.cn", "甲", true, kNow);
  ASSERT_TRUE(end.row);
  EXPECT_FALSE(end.row->date);
}

TEST(NewShortcut, OnlyAnEmptyNameIsRefused) {
  EXPECT_EQ(NewShortcut("", {17, 0, 65}, false, kNow).refusal, "请填写名称");
  const NewItem keyless = NewShortcut("保存", KeysOf("CTRL键", "CTRL键", ""), true, kNow);
  ASSERT_TRUE(keyless.row);
  EXPECT_EQ(keyless.row->code, "热键17+17+0");
  EXPECT_EQ(keyless.row->suffix, "热键");
  EXPECT_FALSE(keyless.row->date);
}

TEST(ShortcutKeys, ListCaptionsAndCapturedNamesBecomeTheNumbers) {
  EXPECT_EQ(KeysOf("ALT键", "SHIFT键", "S键"), (ShortcutKeys{18, 16, 83}));
  EXPECT_EQ(KeysOf("WIN键", "", "a键"), (ShortcutKeys{91, 0, 65}));
  EXPECT_EQ(ShortcutCode({17, 16, 83}), "热键17+16+83");
  EXPECT_EQ(ShortcutStatus({18, 17, 0}), "状态：18+17+0");
  // What Backspace leaves of a name is no key.
  EXPECT_EQ(KeyOfShownName("A"), 0);
}

TEST(ShortcutKeys, EveryNameTheKeyFieldShowsGivesItsKeyBack) {
  // The accepted names spell these two otherwise; a captured Caps Lock or Break is still that key.
  EXPECT_EQ(KeyOfShownName("Caps Lock键"), 20);
  EXPECT_EQ(KeyOfShownName("Break"), 3);
  EXPECT_EQ(KeyOfShownName("Shift键"), 16);  // a released Shift names the generic key
  EXPECT_EQ(KeyOfShownName("右CTRL键"), 163);
  EXPECT_EQ(KeyOfShownName("反撇号键"), 192);
  EXPECT_EQ(KeyOfShownName("没有这个键"), 0);
}

}  // namespace
}  // namespace velora::ui
