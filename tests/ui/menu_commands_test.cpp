#include "ui/menu_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/path_code.h"

namespace velora::ui {
namespace {

std::vector<std::string> Captions(const MenuContents& menu) {
  return {menu.captions.begin(), menu.captions.end()};
}

using Entries = std::vector<std::string>;

TEST(ItemMenu, OffersWhatTheItemsKindAllows) {
  EXPECT_EQ(Captions(ItemMenu("网址https://example.com/?q=$关键词$")),
            (Entries{"搜剪辑板", "获取图标", "清空图标", "删除"}));
  EXPECT_EQ(Captions(ItemMenu("热键17+0+65")), (Entries{"删除"}));
  EXPECT_EQ(Captions(ItemMenu("系统我的电脑")), (Entries{"菜单", "删除"}));
  EXPECT_EQ(Captions(ItemMenu("功能锁定屏幕")), (Entries{"菜单", "删除"}));
  EXPECT_EQ(Captions(ItemMenu("$$文本$$你好")), (Entries{"菜单", "删除"}));
  EXPECT_EQ(Captions(ItemMenu(text::PathCode("C:\\工具\\a.exe"))), (Entries{"菜单", "删除"}));
  // Pictures by their extension in any letter case; ".bmp" is no picture of the grid.
  for (const char* path : {"C:\\图\\a.PNG", "C:\\图\\a.jpeg", "D:\\b.Gif", "C:\\c.ico", "C:\\d.jpg"}) {
    EXPECT_EQ(Captions(ItemMenu(text::PathCode(path))), (Entries{"置剪贴板", "复制文件", "菜单", "删除"}))
        << path;
  }
  EXPECT_EQ(Captions(ItemMenu(text::PathCode("C:\\图\\a.bmp"))), (Entries{"菜单", "删除"}));
  // A web address ending like a picture is still a web item.
  EXPECT_EQ(Captions(ItemMenu("网址http://a.cn/b.png")),
            (Entries{"搜剪辑板", "获取图标", "清空图标", "删除"}));
  EXPECT_EQ(ItemMenu("系统桌面").title, "右键菜单");
  EXPECT_EQ(ItemMenu("系统桌面").entry_width, 60);
}

TEST(Menus, TheFixedMenusInTheirOrder) {
  EXPECT_EQ(Captions(AddMenu()), (Entries{"添加分组", "添加快捷键", "添加书签", "添加文本"}));
  EXPECT_EQ(AddMenu().entry_width, 70);
  EXPECT_EQ(Captions(ClearMenu()), (Entries{"清理失效", "清空列表"}));
  EXPECT_EQ(Captions(GroupMenu()), (Entries{"编辑名称", "删除分组"}));
  EXPECT_EQ(Captions(TrayMenu()), (Entries{"软件重启", "退出程序"}));
}

TEST(DispatchMenu, EveryOfferedEntryHasItsOwnCommandAndNothingElseDoes) {
  std::vector<MenuCommand> seen;
  for (const MenuContents& menu : {ItemMenu("网址http://a.cn/"), ItemMenu(text::PathCode("C:\\a.png")),
                                   AddMenu(), ClearMenu(), GroupMenu(), TrayMenu()}) {
    for (std::string_view caption : menu.captions) {
      const MenuCommand command = DispatchMenu(menu.title, caption);
      EXPECT_NE(command, MenuCommand::kNone) << menu.title << " " << caption;
      seen.push_back(command);
    }
  }
  EXPECT_EQ(DispatchMenu("退出程序", "退出程序"), MenuCommand::kExit);
  EXPECT_EQ(DispatchMenu("删除任务", "清理失效"), MenuCommand::kRemoveMissing);
  EXPECT_EQ(DispatchMenu("编辑分组", "删除分组"), MenuCommand::kDeleteGroup);
  // The pair decides: an entry of one menu chosen under another title does nothing.
  EXPECT_EQ(DispatchMenu("右键菜单", "退出程序"), MenuCommand::kNone);
  EXPECT_EQ(DispatchMenu("退出程序", "删除"), MenuCommand::kNone);
  EXPECT_EQ(DispatchMenu("", ""), MenuCommand::kNone);
  EXPECT_EQ(DispatchMenu("添加菜单", "添加"), MenuCommand::kNone);
}

}  // namespace
}  // namespace velora::ui
