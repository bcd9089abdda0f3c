// The panel driven with real input: categories (and the bar scrolled at the smallest size), the
// grip, the pin, and how it looks at two display scales.
#include <gtest/gtest.h>

#include "e2e/desktop_input.h"
#include "e2e/installed_copy.h"
#include "e2e/velora_process.h"
#include "store/database.h"
#include "store/groups.h"
#include "text/fs_path.h"
#include "text/utf.h"

using namespace velora::e2e;

namespace {

class PanelTest : public InstalledCopyTest {
 protected:
  static RECT Rect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
  }

  static std::wstring Text(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
  }
};

}  // namespace

TEST_F(PanelTest, ClickingACategoryMakesItCurrent) {
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(SaveScreenshot(window, L"panel_96dpi.png"));

  // A click on a tab makes it the bar's current category, its window text.
  EXPECT_TRUE(ChooseCategory(window, L"书签"));
  EXPECT_TRUE(SaveScreenshot(window, L"panel_bookmarks_selected.png"));
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(PanelTest, AtTheSmallestSizeTheWheelScrollsTheBarToEveryCategory) {
  {  // A first run writes the store; then three groups follow the seven fixed categories.
    VeloraProcess first(exe);
    ASSERT_NE(StartShown(first), nullptr);
    ASSERT_EQ(first.Close(), 0u);
    velora::store::Database db;
    ASSERT_TRUE(db.Open(velora::text::PathToUtf8(folder.path() / L"配置" / L"Velora.db")));
    for (const char* group : {"工作", "常用网站", "游戏"}) {
      ASSERT_EQ(velora::store::CreateGroup(db, group), velora::store::GroupOutcome::kCreated);
    }
  }
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  RECT w = Rect(window);
  Drag({w.right - 5, w.bottom - 5}, {w.left + 100, w.top + 50});  // down to 510 × 132
  w = Rect(window);
  ASSERT_EQ(w.right - w.left, 510);
  ASSERT_EQ(w.bottom - w.top, 132);
  HWND bar = FindChildByText(window, L"软件");
  ASSERT_NE(bar, nullptr);
  const RECT b = Rect(bar);
  const int y = b.top + 20;  // the captions' line
  EXPECT_TRUE(SaveScreenshot(window, L"category_bar_start.png"));

  // Towards the user: the row moves to its end; nothing is selected and the window stays.
  Wheel({(b.left + b.right) / 2, y}, -10);
  EXPECT_EQ(Text(bar), L"软件");
  EXPECT_EQ(Rect(window).left, w.left);
  EXPECT_EQ(Rect(window).top, w.top);
  EXPECT_TRUE(SaveScreenshot(window, L"category_bar_end.png"));
  // At the end the last group ends at the bar's right edge; before the wheel "搜索" stood there.
  Click({b.right - 3, y});
  EXPECT_TRUE(WaitUntil([&] { return Text(bar) == L"游戏"; })) << velora::text::Narrow(Text(bar));

  bool reached = false;
  for (int x = b.left + 4; x < b.right && !reached; x += 12) {
    Click({x, y});
    reached = Text(bar) == L"搜索";
  }
  EXPECT_TRUE(reached) << "last category: " << velora::text::Narrow(Text(bar));
  EXPECT_TRUE(SaveScreenshot(window, L"category_bar_search_selected.png"));

  // Away from the user: back to the start, where the bar's left edge is the first category's.
  Wheel({(b.left + b.right) / 2, y}, 10);
  Click({b.left + 3, y});
  EXPECT_TRUE(WaitUntil([&] { return Text(bar) == L"软件"; })) << velora::text::Narrow(Text(bar));

  // Pressing and dragging the bar still moves the window.
  w = Rect(window);
  Drag({(b.left + b.right) / 2, y}, {(b.left + b.right) / 2 + 60, y + 40});
  EXPECT_EQ(Rect(window).left, w.left + 60);
  EXPECT_EQ(Rect(window).top, w.top + 40);
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(PanelTest, GripResizesWithinTheLimits) {
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  const RECT before = Rect(window);
  ASSERT_EQ(before.right - before.left, 510);

  Drag({before.right - 5, before.bottom - 5}, {before.right + 145, before.bottom + 95});
  RECT after = Rect(window);
  EXPECT_NEAR(after.right - after.left, 660, 3);
  EXPECT_NEAR(after.bottom - after.top, 411, 3);
  EXPECT_EQ(after.left, before.left);
  // The grid (window less 2 across and 33 down) holds whole 77 × 90 cells after the resize.
  HWND grid = FindItemGrid(window);
  ASSERT_NE(grid, nullptr);
  const int width = after.right - after.left;
  const int height = after.bottom - after.top;
  EXPECT_EQ(SendMessageW(grid, LB_GETCOUNT, 0, 0), ((width - 2) / 77) * ((height - 33) / 90));
  EXPECT_TRUE(SaveScreenshot(window, L"panel_resized.png"));

  // Far smaller than allowed: the limits hold at 510 × 132.
  Drag({after.right - 5, after.bottom - 5}, {after.left + 100, after.top + 50});
  after = Rect(window);
  EXPECT_EQ(after.right - after.left, 510);
  EXPECT_EQ(after.bottom - after.top, 132);
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(PanelTest, PinReleasesAndHoldsAgain) {
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  HWND pin = FindChildByText(window, L"窗口置顶");
  ASSERT_NE(pin, nullptr);
  // Started by hand: held, so the pin shows selected.
  EXPECT_EQ(SendMessageW(pin, BM_GETCHECK, 0, 0), BST_CHECKED);
  const RECT r = Rect(pin);
  const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  // A loaded machine may take the click later than the click's own pause.
  const auto shows = [&](LRESULT state) {
    return WaitUntil([&] { return SendMessageW(pin, BM_GETCHECK, 0, 0) == state; });
  };
  Click(centre);
  EXPECT_TRUE(shows(BST_UNCHECKED));
  Click(centre);
  EXPECT_TRUE(shows(BST_CHECKED));
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(PanelTest, At150PercentThePanelScalesWithTheDisplay) {
  SetDisplayDpi(144);
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  SetDisplayDpi(96);
  ASSERT_NE(window, nullptr);
  const RECT r = Rect(window);
  EXPECT_EQ(r.right - r.left, 765);
  EXPECT_EQ(r.bottom - r.top, 467);
  EXPECT_TRUE(SaveScreenshot(window, L"panel_144dpi.png"));
  EXPECT_EQ(velora.Close(), 0u);
}
