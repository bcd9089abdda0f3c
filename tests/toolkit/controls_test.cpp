// The toolkit's controls on a real window: found by name and type, cloned and destroyed with
// their children, placed in design pixels at any DPI, and the native and custom controls'
// own operations.
#include <windows.h>
// After windows.h, whose types it uses.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/message_pump_win32.h"
#include "test_window.h"
#include "text/utf.h"
#include "toolkit/category_bar.h"
#include "toolkit/control_host.h"
#include "toolkit/gdi_objects.h"
#include "toolkit/image_button.h"
#include "toolkit/list_view.h"
#include "toolkit/native_controls.h"
#include "toolkit/panel.h"
#include "toolkit/timers.h"

namespace velora::toolkit {
namespace {

// The device rectangle of a control's window, relative to its parent window.
core::Rect DeviceRect(const Control& control) {
  RECT r{};
  GetWindowRect(control.hwnd(), &r);
  MapWindowPoints(nullptr, GetParent(control.hwnd()), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// The wheel message's first parameter for `notches` (negative: towards the user).
WPARAM WheelTurn(int notches) {
  return MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(notches * WHEEL_DELTA)));
}

class Controls : public ::testing::Test {
 protected:
  // One shown window for the suite: Wine is slow to destroy shown windows.
  static void SetUpTestSuite() { window_ = new testing::TestWindow(true); }
  static void TearDownTestSuite() {
    delete window_;
    window_ = nullptr;
  }
  void TearDown() override { window_->ResetHost(); }
  ControlHost& host() { return window_->host(); }

  static testing::TestWindow* window_;
};
testing::TestWindow* Controls::window_ = nullptr;

TEST_F(Controls, FoundByLayoutNameAndListedByTypeWord) {
  auto& background = host().Add<Panel>({"图片框_背景", nullptr, {0, 0, 300, 200}, ""});
  auto& address = host().Add<EditBox>({"编辑框_书签地址", &background, {10, 10, 200, 24}, ""});
  auto& autostart = host().Add<CheckBox>({"选择框_开机启动", &background, {10, 40, 120, 20}, "开机启动"});
  auto& hide = host().Add<CheckBox>({"选择框_移出窗口隐藏", &background, {10, 60, 120, 20}, "移出窗口隐藏"});

  EXPECT_EQ(host().Find("编辑框_书签地址"), &address);
  EXPECT_EQ(host().FindAs<CheckBox>("选择框_开机启动"), &autostart);
  EXPECT_EQ(host().FindAs<CheckBox>("编辑框_书签地址"), nullptr);
  EXPECT_EQ(host().Find("编辑框_不存在"), nullptr);
  EXPECT_EQ(host().OfType(type_word::kCheckBox), (std::vector<Control*>{&autostart, &hide}));
  EXPECT_EQ(host().OfType(type_word::kEdit), (std::vector<Control*>{&address}));
  EXPECT_TRUE(host().OfType(type_word::kDropDown).empty());
  EXPECT_EQ(ControlFromHwnd(hide.hwnd()), &hide);
  EXPECT_EQ(GetParent(address.hwnd()), background.hwnd());
}

TEST_F(Controls, CloneCopiesTheModelAndDestroyTakesTheChildrenAlong) {
  auto& frame = host().Add<Panel>({"图片框_提示", nullptr, {20, 20, 200, 60}, ""});
  auto& inner = host().Add<Panel>({"图片框_内框", &frame, {5, 5, 100, 40}, ""});
  auto& caption = host().Add<Label>({"标签_提示", &inner, {2, 2, 90, 20}, "完成"});
  auto& clone = host().Clone(caption, "标签_提示1");

  EXPECT_NE(clone.hwnd(), caption.hwnd());
  EXPECT_EQ(clone.Text(), "完成");
  EXPECT_EQ(clone.rect(), caption.rect());
  EXPECT_EQ(clone.parent(), &inner);
  EXPECT_EQ(GetParent(clone.hwnd()), inner.hwnd());
  EXPECT_EQ(host().Find("标签_提示1"), &clone);

  const HWND windows[] = {frame.hwnd(), inner.hwnd(), caption.hwnd(), clone.hwnd()};
  auto& other = host().Add<Label>({"标签_其他", nullptr, {0, 100, 50, 20}, "x"});
  host().Destroy(frame);
  for (const char* name : {"图片框_提示", "图片框_内框", "标签_提示", "标签_提示1"}) {
    EXPECT_EQ(host().Find(name), nullptr) << name;
  }
  for (HWND hwnd : windows) EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(host().Find("标签_其他"), &other);
  EXPECT_TRUE(IsWindow(other.hwnd()));
}

TEST_F(Controls, MoveShowTextAndFocusOnNativeAndCustomControls) {
  auto& edit = host().Add<EditBox>({"编辑框_名称", nullptr, {10, 10, 100, 24}, "初始"});
  auto& label = host().Add<Label>({"标签_状态", nullptr, {10, 50, 100, 20}, "状态："});
  for (Control* control : {static_cast<Control*>(&edit), static_cast<Control*>(&label)}) {
    SCOPED_TRACE(control->name());
    control->Move({30, 40, 120, 26});
    EXPECT_EQ(control->rect(), (core::Rect{30, 40, 120, 26}));
    EXPECT_EQ(DeviceRect(*control), (core::Rect{30, 40, 120, 26}));
    EXPECT_TRUE(control->visible());
    control->Show(false);
    EXPECT_FALSE(control->visible());
    control->Show(true);
    EXPECT_TRUE(control->visible());
    control->SetText("软件重启 ✓ 😀");
    EXPECT_EQ(control->Text(), "软件重启 ✓ 😀");
    wchar_t raw[32]{};
    GetWindowTextW(control->hwnd(), raw, 32);
    EXPECT_EQ(text::Narrow(raw), "软件重启 ✓ 😀");
  }
  EXPECT_EQ(edit.Text(), "软件重启 ✓ 😀");
  edit.Focus();
  EXPECT_EQ(GetFocus(), edit.hwnd());
  label.Focus();
  EXPECT_EQ(GetFocus(), label.hwnd());
}

TEST_F(Controls, DesignGeometryScalesWithTheWindowDpi) {
  auto& panel = host().Add<Panel>({"图片框_设置", nullptr, {10, 20, 200, 100}, ""});
  auto& box = host().Add<CheckBox>({"选择框_图标自动置顶", &panel, {7, 9, 101, 21}, "图标自动置顶"});
  host().SetDpi(144);
  EXPECT_EQ(host().dpi(), 144);
  EXPECT_EQ(DeviceRect(panel), (core::Rect{15, 30, 300, 150}));
  EXPECT_EQ(DeviceRect(box), (core::Rect{11, 14, 152, 32}));  // 10.5 and 13.5 round up
  EXPECT_EQ(box.rect(), (core::Rect{7, 9, 101, 21}));         // the design rectangle stays
  box.Move({20, 20, 40, 40});
  EXPECT_EQ(DeviceRect(box), (core::Rect{30, 30, 60, 60}));
  // The font follows: "微软雅黑" 12 is 24 pixels high at 144 DPI.
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(box.hwnd(), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -24);
  host().SetDpi(96);
  EXPECT_EQ(DeviceRect(box), (core::Rect{20, 20, 40, 40}));
}

TEST_F(Controls, CheckBoxReportsClicksAndKeepsItsState) {
  auto& box = host().Add<CheckBox>({"选择框_分组滑动显示", nullptr, {10, 10, 150, 20}, "分组滑动显示"});
  int changes = 0;
  box.on_change = [&](Control&) { ++changes; };
  EXPECT_FALSE(box.Checked());
  box.SetChecked(true);
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(changes, 0);  // setting from code is no user change
  SendMessageW(box.hwnd(), BM_CLICK, 0, 0);
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(changes, 1);
}

TEST_F(Controls, DropDownItemsCarryNumbersAndASelection) {
  auto& keys = host().Add<ComboBox>({"下拉框_热键", nullptr, {10, 10, 120, 200}, ""}, type_word::kDropDown);
  EXPECT_EQ(host().OfType(type_word::kDropDown), (std::vector<Control*>{&keys}));
  EXPECT_EQ(keys.Add("F2", 113), 0);
  EXPECT_EQ(keys.Add("F1", 112), 1);  // kept in the order added
  EXPECT_EQ(keys.Add("无", -1), 2);
  EXPECT_EQ(keys.Count(), 3);
  EXPECT_EQ(keys.Selected(), -1);
  EXPECT_EQ(keys.Text(), "");
  keys.Select(1);
  EXPECT_EQ(keys.Selected(), 1);
  EXPECT_EQ(keys.Text(), "F1");
  EXPECT_EQ(keys.ItemNumber(1), 112);
  EXPECT_EQ(keys.ItemNumber(2), -1);
  keys.Delete(0);
  EXPECT_EQ(keys.Count(), 2);
  EXPECT_EQ(keys.ItemText(0), "F1");
  EXPECT_EQ(keys.ItemNumber(0), 112);
  EXPECT_EQ(keys.ItemText(5), "");
}

TEST_F(Controls, ListViewColumnsRowsAndCells) {
  auto& list = host().Add<ListView>({"超级列表框_最近", nullptr, {10, 10, 300, 200}, ""});
  list.AddColumn("名称", 120);
  list.AddColumn("路径", 160);
  EXPECT_EQ(list.ColumnCount(), 2);
  EXPECT_EQ(list.AddRow({"记事本", "C:\\Windows\\notepad.exe"}), 0);
  EXPECT_EQ(list.AddRow({"文档"}), 1);
  EXPECT_EQ(list.RowCount(), 2);
  EXPECT_EQ(list.CellText(0, 1), "C:\\Windows\\notepad.exe");
  EXPECT_EQ(list.CellText(1, 0), "文档");
  EXPECT_EQ(list.CellText(1, 1), "");
  list.SetCellText(1, 1, "D:\\资料\\报告.docx");
  EXPECT_EQ(list.CellText(1, 1), "D:\\资料\\报告.docx");
  list.Clear();
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_EQ(list.ColumnCount(), 2);
}

// Real pointer input: moves, clicks and double clicks as the system delivers them.
void PointerAt(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dwFlags = MOUSEEVENTF_MOVE;  // a zero move makes the system tell the window
  SendInput(1, &move, sizeof move);
  testing::PumpUntil([] { return false; }, 60);
}

void Press(DWORD down, DWORD up, int times) {
  for (int i = 0; i < times; ++i) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = down;
    input[1].mi.dwFlags = up;
    SendInput(2, input, sizeof(INPUT));
    testing::PumpUntil([] { return false; }, 30);
  }
  testing::PumpUntil([] { return false; }, 150);
}

TEST_F(Controls, ListViewStretchesAColumnTakesItsRowHeightAndAnswersThePointer) {
  auto& content = host().Add<Panel>({"图片框_图标背景", nullptr, {0, 0, 400, 300}, ""});
  auto& list = host().Add<ListView>({"超级列表框", &content, {10, 10, 300, 200}, ""});
  list.AddColumn("", 0);
  list.AddColumn("文件名", 180);
  list.AddColumn("扩展名", 70);
  list.SetLook({30, 0xFF2C324A, 1, 1});
  list.focus_on_enter = true;
  for (const char* name : {"季度报告", "下载", "笔记"})
    list.AddRow({"C:\\最近\\" + std::string(name), name, ".docx"});
  std::vector<std::string> events;
  list.on_row_hover = [&](int row) { events.push_back("hover " + std::to_string(row)); };
  list.on_row_activate = [&](int row) { events.push_back("open " + std::to_string(row)); };
  list.on_row_right_click = [&](int row) { events.push_back("menu " + std::to_string(row)); };

  // The name column takes what the others leave, and follows the list's width.
  const auto name_width = [&] {
    return static_cast<int>(SendMessageW(list.hwnd(), LVM_GETCOLUMNWIDTH, 1, 0));
  };
  EXPECT_GT(name_width(), 180);
  const int before = name_width();
  list.Move({10, 10, 340, 200});
  EXPECT_EQ(name_width(), before + 40);

  RECT row{LVIR_BOUNDS};
  ASSERT_TRUE(SendMessageW(list.hwnd(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row)));
  EXPECT_EQ(row.bottom - row.top, 30);
  POINT second{row.left + 100, (row.top + row.bottom) / 2};
  ClientToScreen(list.hwnd(), &second);
  SetFocus(content.hwnd());

  PointerAt(second);
  // The pointer came in: on a loaded machine the move may arrive after PointerAt's short pump.
  EXPECT_TRUE(testing::PumpUntil([&] { return GetFocus() == list.hwnd(); }, 5000));
  PointerAt({second.x + 5, second.y});  // still on that row: nothing new
  Press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
  Press(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1);
  PointerAt({second.x, second.y + 30});   // the third row
  PointerAt({second.x, second.y + 200});  // below the list
  EXPECT_EQ(events, (std::vector<std::string>{"hover 1", "open 1", "menu 1", "hover 2", "hover -1"}));

  // Rows pointed at and gone: the hover ends with them.
  PointerAt(second);
  events.clear();
  list.Clear();
  EXPECT_EQ(events, (std::vector<std::string>{"hover -1"}));
}

TEST_F(Controls, CategoryBarCellsFollowTheCaptionsAndAClickSelects) {
  auto& bar = host().Add<CategoryBar>({"超级列表框_分组", nullptr, {0, 0, 600, 38}, ""});
  const std::vector<std::string> names = {"软件", "目录", "书签", "我的常用网站"};
  bar.Fill(names, 0xFF303133);
  EXPECT_EQ(bar.Text(), "软件");
  const auto font = MakeFont(14, 96);
  const auto& cells = bar.model().cells();
  ASSERT_EQ(cells.size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(cells[i].caption, names[i]);
    EXPECT_EQ(cells[i].width, MeasureText(text::Widen(names[i]), font.get()).cx + 10) << names[i];
  }
  EXPECT_GT(cells[3].width, cells[2].width);
  EXPECT_TRUE(cells[0].selected);

  std::vector<std::pair<std::size_t, std::string>> selected;
  bar.on_select = [&](std::size_t index, const std::string& caption) {
    selected.emplace_back(index, caption);
  };
  const int x = cells[0].width + cells[1].width + cells[2].width / 2;
  // The press also starts the window's move loop; the queued release ends it.
  PostMessageW(bar.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, 10));
  SendMessageW(bar.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 10));
  testing::PumpUntil([] { return false; }, 20);
  EXPECT_EQ(bar.Text(), "书签");
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_EQ(selected[0], (std::pair<std::size_t, std::string>{2, "书签"}));
  EXPECT_FALSE(bar.model().cells()[0].selected);
  EXPECT_TRUE(bar.model().cells()[2].selected);

  bar.Fill({"软件", "目录"}, 0xFF303133);  // a refill selects the first cell again
  EXPECT_EQ(bar.Text(), "软件");
}

TEST_F(Controls, TheWheelScrollsTheCategoryBarUnderThePointerWhateverHasTheFocus) {
  auto& bar = host().Add<CategoryBar>({"超级列表框_分组", nullptr, {0, 0, 120, 38}, ""});
  auto& other = host().Add<Panel>({"图片框_图标背景", nullptr, {0, 60, 120, 60}, ""});
  bar.Fill({"软件", "目录", "书签", "图片", "文档", "热键", "搜索"}, 0xFF303133);
  const int row = bar.model().RowWidth();
  ASSERT_GT(row, 120 + CategoryBar::kWheelStep);
  EXPECT_FALSE(bar.model().HiddenBefore());
  EXPECT_TRUE(bar.model().HiddenAfter());

  RECT r{};
  GetWindowRect(bar.hwnd(), &r);
  const LPARAM over_bar = MAKELPARAM(r.left + 60, r.top + 19);
  // The focus is elsewhere, as after a click on the grid; the wheel still turns the bar.
  SetFocus(other.hwnd());
  SendMessageW(other.hwnd(), WM_MOUSEWHEEL, WheelTurn(-1), over_bar);
  EXPECT_EQ(bar.model().offset(), CategoryBar::kWheelStep);
  EXPECT_TRUE(bar.model().HiddenBefore());
  SendMessageW(bar.hwnd(), WM_MOUSEWHEEL, WheelTurn(-10), over_bar);
  EXPECT_EQ(bar.model().offset(), row - 120);
  EXPECT_FALSE(bar.model().HiddenAfter());
  EXPECT_EQ(bar.Text(), "软件");  // scrolling selects nothing

  // At the end, the bar's right edge is the last cell's: a click there selects "搜索".
  PostMessageW(bar.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(115, 10));
  SendMessageW(bar.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(115, 10));
  testing::PumpUntil([] { return false; }, 20);
  EXPECT_EQ(bar.Text(), "搜索");

  // Tilting the wheel left, or turning it away, goes back; the first cell comes into view when
  // it is selected again.
  SendMessageW(bar.hwnd(), WM_MOUSEHWHEEL, WheelTurn(-1), over_bar);
  EXPECT_EQ(bar.model().offset(), row - 120 - CategoryBar::kWheelStep);
  bar.Fill({"软件", "目录", "书签", "图片", "文档", "热键", "搜索"}, 0xFF303133);
  EXPECT_EQ(bar.model().offset(), 0);
}

TEST_F(Controls, ImageButtonAnswersCheckStateAndClicksOnlyWhenReleasedInside) {
  auto& pin = host().Add<ImageButton>({"超级按钮_固定", nullptr, {10, 10, 24, 24}, ""});
  int clicks = 0;
  pin.on_click = [&](Control&) { ++clicks; };
  EXPECT_EQ(SendMessageW(pin.hwnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  pin.SetSelected(true);
  EXPECT_EQ(SendMessageW(pin.hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
  pin.SetSelected(false);
  EXPECT_EQ(SendMessageW(pin.hwnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  SendMessageW(pin.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(pin.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
  EXPECT_EQ(clicks, 1);
  SendMessageW(pin.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(pin.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(60, 6));  // dragged off before release
  EXPECT_EQ(clicks, 1);
  pin.SetTip("固定窗口");
  EXPECT_EQ(pin.Text(), "固定窗口");
}

// Whoever destroys a control's window, the control learns it: a drawn control through its own
// procedure, a native one through its subclass. A drawn button is a Tab stop from the start.
TEST_F(Controls, AControlLearnsThatItsWindowWentWhoeverDestroyedIt) {
  auto& panel = host().Add<Panel>({"图片框_框", nullptr, {0, 0, 50, 50}, ""});
  auto& box = host().Add<EditBox>({"编辑框_框", nullptr, {0, 60, 50, 24}, ""});
  auto& button = host().Add<ImageButton>({"超级按钮_框", nullptr, {60, 0, 24, 24}, ""});
  EXPECT_TRUE(GetWindowLongPtrW(button.hwnd(), GWL_STYLE) & WS_TABSTOP);
  EXPECT_FALSE(GetWindowLongPtrW(button.hwnd(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
  EXPECT_TRUE(GetWindowLongPtrW(panel.hwnd(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
  for (Control* control : std::vector<Control*>{&panel, &box, &button}) {
    DestroyWindow(control->hwnd());
    EXPECT_EQ(control->hwnd(), nullptr) << control->name();
  }
}

// Timers cost no window until one runs; then they tick from the message loop.
TEST(Timers, MakeTheirWindowAtTheFirstStart) {
  const auto windows = [] {
    int count = 0;
    for (HWND w = nullptr; (w = FindWindowExW(HWND_MESSAGE, w, L"VeloraTimers", nullptr)) != nullptr;)
      ++count;
    return count;
  };
  const int before = windows();
  Timers timers;
  EXPECT_EQ(windows(), before);
  int ticks = 0;
  timers.Start(1, 10, [&] {
    if (++ticks == 2) timers.Stop(1);
  });
  EXPECT_EQ(windows(), before + 1);
  EXPECT_TRUE(testing::PumpUntil([&] { return ticks == 2; }, 2000));
  EXPECT_FALSE(timers.Running(1));
}

}  // namespace
}  // namespace velora::toolkit
