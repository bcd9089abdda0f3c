// Owner-drawn pop-up menus built, measured by the toolkit, chosen and dismissed with keys.
#include "toolkit/popup_menu.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_window.h"

namespace velora::toolkit {
namespace {

using testing::TestWindow;

TEST(PopupMenu, BuildsOwnerDrawnItemsWithIdsInOrder) {
  const auto menu = PopupMenu::Create({}, nullptr);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->AddItem("编辑名称", {60, 24}), 1);
  EXPECT_EQ(menu->AddItem("删除分组", {60, 24}), 2);
  EXPECT_EQ(menu->AddItem("添加快捷键", {70, 24}), 3);
  EXPECT_EQ(menu->ItemCount(), 3);
  EXPECT_EQ(menu->Caption(2), "删除分组");
  EXPECT_EQ(menu->Caption(0), "");
  EXPECT_EQ(menu->Caption(4), "");
  for (UINT position = 0; position < 3; ++position) {
    MENUITEMINFOW info{sizeof info, MIIM_FTYPE | MIIM_ID | MIIM_DATA};
    ASSERT_TRUE(GetMenuItemInfoW(menu->handle(), position, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_EQ(info.wID, position + 1);
    EXPECT_NE(info.dwItemData, 0u);
  }
}

// Opens `menu` on a fresh window; once the menu is idle, notes the item rectangles and posts
// `keys` to it.
struct Tracked {
  int returned = -1;
  std::vector<RECT> items;
};

Tracked Track(PopupMenu& menu, std::vector<WPARAM> keys) {
  TestWindow window;
  Tracked tracked;
  bool keys_sent = false;
  window.on_message = [&](UINT message, WPARAM wparam, LPARAM, LRESULT&) {
    if (message == WM_ENTERIDLE && wparam == MSGF_MENU && !keys_sent) {
      keys_sent = true;
      for (int i = 0; i < menu.ItemCount(); ++i) {
        RECT r{};
        if (GetMenuItemRect(window.hwnd(), menu.handle(), static_cast<UINT>(i), &r))
          tracked.items.push_back(r);
      }
      for (WPARAM key : keys) PostMessageW(window.hwnd(), WM_KEYDOWN, key, 0);
    }
    return false;
  };
  tracked.returned = menu.Popup(window.hwnd(), {200, 200});
  return tracked;
}

TEST(PopupMenu, ChoosingAnItemCallsBackWithItsIdAndCaption) {
  std::vector<MenuChoice> chosen;
  const auto menu = PopupMenu::Create({}, [&](const MenuChoice& c) { chosen.push_back(c); });
  ASSERT_NE(menu, nullptr);
  (void)menu->AddItem("软件重启", {60, 24});
  (void)menu->AddItem("退出程序", {60, 24});
  (void)menu->AddItem("添加文本", {70, 30});
  const Tracked tracked = Track(*menu, {VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_EQ(tracked.returned, 2);
  ASSERT_EQ(chosen.size(), 1u);
  EXPECT_EQ(chosen[0].id, 2);
  EXPECT_EQ(chosen[0].caption, "退出程序");
  // The toolkit measured the items: design heights at 96 DPI.
  ASSERT_EQ(tracked.items.size(), 3u);
  EXPECT_EQ(tracked.items[0].bottom - tracked.items[0].top, 24);
  EXPECT_EQ(tracked.items[2].bottom - tracked.items[2].top, 30);
  EXPECT_EQ(tracked.items[1].top, tracked.items[0].bottom);
}

TEST(PopupMenu, AnItemIsAsWideAsAskedUnlessItsCaptionNeedsMore) {
  const auto narrow = PopupMenu::Create({}, nullptr);
  ASSERT_NE(narrow, nullptr);
  (void)narrow->AddItem("删", {60, 24});
  Tracked tracked = Track(*narrow, {VK_ESCAPE});
  ASSERT_EQ(tracked.items.size(), 1u);
  EXPECT_GE(tracked.items[0].right - tracked.items[0].left, 60);
  EXPECT_LE(tracked.items[0].right - tracked.items[0].left, 62);

  // Five characters at 12 points take more than 70 pixels; a cut caption would end in "…".
  const auto wide = PopupMenu::Create({}, nullptr);
  ASSERT_NE(wide, nullptr);
  (void)wide->AddItem("添加快捷键", {70, 24});
  tracked = Track(*wide, {VK_ESCAPE});
  ASSERT_EQ(tracked.items.size(), 1u);
  EXPECT_GE(tracked.items[0].right - tracked.items[0].left, 5 * 16);
}

TEST(PopupMenu, DismissingChoosesNothing) {
  int calls = 0;
  const auto menu = PopupMenu::Create({}, [&](const MenuChoice&) { ++calls; });
  ASSERT_NE(menu, nullptr);
  (void)menu->AddItem("清理失效", {60, 24});
  EXPECT_EQ(Track(*menu, {VK_ESCAPE}).returned, 0);
  EXPECT_EQ(calls, 0);
}

TEST(PopupMenu, TheCallbackMayDestroyTheMenuThatCalledIt) {
  std::unique_ptr<PopupMenu> menu;
  std::string caption;
  menu = PopupMenu::Create({}, [&](const MenuChoice& c) {
    menu.reset();  // as building the next menu does
    caption = c.caption;
  });
  ASSERT_NE(menu, nullptr);
  (void)menu->AddItem("删除", {60, 24});
  PopupMenu& raw = *menu;
  EXPECT_EQ(Track(raw, {VK_DOWN, VK_RETURN}).returned, 1);
  EXPECT_EQ(menu, nullptr);
  EXPECT_EQ(caption, "删除");
}

}  // namespace
}  // namespace velora::toolkit
