// The item grid on the template store, read from outside: captions through the list box
// messages, images from the screen.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "e2e/desktop_input.h"
#include "e2e/installed_copy.h"
#include "e2e/velora_process.h"
#include "store/database.h"
#include "store/items.h"
#include "text/fs_path.h"
#include "text/path_code.h"
#include "text/utf.h"

using namespace velora::e2e;

namespace {

class GridTest : public InstalledCopyTest {
 protected:
  static std::vector<std::wstring> Captions(HWND grid) { return GridCaptions(grid); }

  static std::size_t Filled(const std::vector<std::wstring>& captions) {
    std::size_t n = 0;
    for (const auto& c : captions) n += !c.empty();
    return n;
  }

  // Clicks along the category bar until it shows `category`.

  // A sample of the image element of a cell: the colours found in its middle rows.
  static std::set<COLORREF> ImageColours(HWND grid, int cell) {
    RECT r{};
    GetWindowRect(grid, &r);
    const int columns = (r.right - r.left) / 77;
    const int left = r.left + (cell % columns) * 77 + 18;
    const int top = r.top + (cell / columns) * 90 + 10;
    HDC screen = GetDC(nullptr);
    std::set<COLORREF> colours;
    for (int y = top + 10; y < top + 30; y += 4) {
      for (int x = left + 4; x < left + 36; x += 3) colours.insert(GetPixel(screen, x, y));
    }
    ReleaseDC(nullptr, screen);
    return colours;
  }
};

}  // namespace

TEST_F(GridTest, SoftwareShowsTheSystemPlacesAndBookmarksTheirImage) {
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  HWND grid = FindItemGrid(window);
  ASSERT_NE(grid, nullptr);
  const auto software = Captions(grid);
  ASSERT_EQ(software.size(), 18u);      // a full page, empty cells past the end
  EXPECT_EQ(software[0], L"我的电脑");  // the only dated row comes first
  EXPECT_EQ(std::set<std::wstring>(software.begin() + 1, software.begin() + 4),
            (std::set<std::wstring>{L"桌面", L"控制面板", L"回收站"}));
  EXPECT_EQ(Filled(software), 4u);
  for (int cell = 0; cell < 4; ++cell) EXPECT_GT(ImageColours(grid, cell).size(), 3u) << cell;
  EXPECT_LE(ImageColours(grid, 4).size(), 1u);  // an empty cell shows nothing
  EXPECT_TRUE(SaveScreenshot(window, L"grid_software.png"));

  ASSERT_TRUE(ChooseCategory(window, L"书签"));
  // The screen shows the new page once the grid has painted it, later on a busy machine.
  EXPECT_TRUE(WaitUntil([&] {
    const auto image = ImageColours(grid, 0);
    return image.size() > 3 && ImageColours(grid, 13) == image;
  }));
  const auto bookmarks = Captions(grid);
  EXPECT_EQ(Filled(bookmarks), 14u);
  EXPECT_EQ(bookmarks[0], L"哔哩哔哩");
  // No site icon is cached yet: every bookmark shows the same built-in image.
  const auto first = ImageColours(grid, 0);
  EXPECT_GT(first.size(), 3u);
  for (int cell = 1; cell < 14; ++cell) EXPECT_EQ(ImageColours(grid, cell), first) << cell;
  EXPECT_TRUE(SaveScreenshot(window, L"grid_bookmarks.png"));
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(GridTest, FortyItemsPageWithTheWheel) {
  {  // A first run writes the store; then the folder category gets 40 items.
    VeloraProcess first(exe);
    ASSERT_NE(first.WaitForWindow(), nullptr);
    ASSERT_EQ(first.Close(), 0u);
    velora::store::Database db;
    ASSERT_TRUE(db.Open(velora::text::PathToUtf8(folder.path() / L"配置" / L"Velora.db")));
    for (int i = 0; i < 38; ++i) {
      char date[32];
      std::snprintf(date, sizeof date, "2020-01-01 00:%02d:00", 59 - i);  // older than the drives
      const std::string path = "C:\\文件夹" + std::to_string(i) + "\\";
      ASSERT_TRUE(velora::store::AddItem(
          db, "目录",
          {velora::text::PathCode(path), path, "文件夹" + std::to_string(i), "文件夹", "", date}));
    }
  }
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(ChooseCategory(window, L"目录"));
  HWND grid = FindItemGrid(window);
  ASSERT_NE(grid, nullptr);
  RECT r{};
  GetWindowRect(grid, &r);
  const POINT over{(r.left + r.right) / 2, (r.top + r.bottom) / 2};

  EXPECT_EQ(Filled(Captions(grid)), 18u);
  Wheel(over, -1);  // towards the user: the next page
  auto page = Captions(grid);
  EXPECT_EQ(Filled(page), 18u);
  EXPECT_EQ(page[0], L"文件夹16");
  Wheel(over, -1);
  page = Captions(grid);
  EXPECT_EQ(Filled(page), 4u);
  EXPECT_EQ(page[0], L"文件夹34");
  EXPECT_TRUE(SaveScreenshot(window, L"grid_last_page.png"));
  Wheel(over, -1);  // past the end it stays on the last page
  EXPECT_EQ(Captions(grid)[0], L"文件夹34");
  Wheel(over, 1);
  Wheel(over, 1);
  Wheel(over, 1);  // not below the first page
  page = Captions(grid);
  EXPECT_EQ(Filled(page), 18u);
  EXPECT_EQ(page[0], L"C:\\");
  EXPECT_EQ(velora.Close(), 0u);
}
