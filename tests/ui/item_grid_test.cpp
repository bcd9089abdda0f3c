// The grid on the real launcher window: pictures shown before are not decoded again, an icon file
// that changed is; and, run by hand, a category of ten thousand items paged, added to, deleted
// from and cleared, with the time each step takes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "assets/images/builtin_images.h"
#include "exec/grid_paging.h"
#include "store/items.h"
#include "store/open_store.h"
#include "text/path_code.h"
#include "ui/item_grid.h"
#include "ui/launcher_test_parts.h"

namespace velora::ui {
namespace {

namespace fs = std::filesystem;
using assets::BuiltinImage;

// Pictures of the program's own that the grid does not know as built in once they are in a file.
constexpr BuiltinImage kIcons[] = {
    BuiltinImage::kThisPc,     BuiltinImage::kDesktop, BuiltinImage::kControlPanel,
    BuiltinImage::kRecycleBin, BuiltinImage::kMacro,   BuiltinImage::kFolder,
    BuiltinImage::kBookmark,   BuiltinImage::kVideo,   BuiltinImage::kAudio};

class ItemGridTest : public test_parts::LauncherFixture {
 protected:
  ItemGridTest() : LauncherFixture("grid") {}

  void WriteIcon(const std::string& key, BuiltinImage image) {
    std::ofstream(data / L"icon" / text::PathFromUtf8(key + ".ico"), std::ios::binary)
        << assets::ImageBytesOf(image);
  }
  // A program with the icon file of `key`, dated after every item of the template.
  bool AddProgram(int n, const std::string& key, std::optional<std::string> date) {
    const std::string path = "C:\\工具\\工具" + std::to_string(n) + ".exe";
    return store::AddItem(db, "软件",
                          {text::PathCode(path), path, "工具" + std::to_string(n), ".exe", key, date});
  }
  ItemGrid& grid() { return test_parts::Parts::grid(window); }
  std::size_t decodes() { return grid().images().decodes(); }
};

TEST_F(ItemGridTest, APageShownAgainDecodesNothingAndAChangedIconFileIsDecodedAnew) {
  for (int k = 0; k < 4; ++k) WriteIcon("K" + std::to_string(k), kIcons[k]);
  for (int n = 0; n < 20; ++n) ASSERT_TRUE(AddProgram(n, "K" + std::to_string(n % 4), "2099-01-01 00:00:00"));
  grid().Refresh();
  ASSERT_EQ(grid().model().cells().front().caption, "工具0");  // equal dates: in the order added
  EXPECT_EQ(decodes(), 4u);                                    // 18 cells, four icon files: each decoded once
  grid().Refresh();
  EXPECT_EQ(decodes(), 4u);

  WriteIcon("K1", BuiltinImage::kMacro);
  grid().Refresh();
  EXPECT_EQ(decodes(), 5u);

  ASSERT_TRUE(grid().Wheel(-120));
  const std::size_t after_second_page = decodes();
  ASSERT_TRUE(grid().Wheel(120));
  EXPECT_EQ(test_parts::Parts::navigation(window).page, 0);
  EXPECT_EQ(decodes(), after_second_page);
}

std::string Date(int i) {
  char text[32];
  std::snprintf(text, sizeof text, "2024-%02d-%02d %02d:%02d:%02d", 1 + i % 12, 1 + i % 28, i / 3600 % 24,
                i / 60 % 60, i % 60);
  return text;
}

// Writes what the system still holds of the store file to the disk, so a commit that is measured
// next does not pay for the writes of the filling.
void FlushToDisk(const fs::path& file) {
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(FlushFileBuffers(handle));
  CloseHandle(handle);
}

double MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// A load check, run by hand (--gtest_also_run_disabled_tests): ten thousand items, a tenth of
// them undated, the rest with one of nine icon files. Prints what each step costs, painting
// included; nothing here is a timed assertion.
TEST_F(ItemGridTest, DISABLED_TenThousandItemsPageAddDeleteAndClear) {
  constexpr int kItems = 10000;
  for (int k = 0; k < 9; ++k) WriteIcon("K" + std::to_string(k), kIcons[k]);
  {
    store::SavepointScope bulk(db, "bulk");
    for (int n = 0; n < kItems; ++n) {
      ASSERT_TRUE(AddProgram(n, "K" + std::to_string(n % 9),
                             n % 10 == 9 ? std::nullopt : std::optional<std::string>(Date(n))));
    }
  }
  // The first open of a store that has no order indexes yet makes them.
  db.Close();
  auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(store::OpenItemStore(db, text::PathToUtf8(data / L"Velora.db")), store::OpenOutcome::kOpened);
  std::printf("first open of a store of %d items, its order indexes made: %.1f ms\n", kItems, MsSince(start));

  ShowWindow(window.hwnd(), SW_SHOWNOACTIVATE);
  const auto paint = [&] { RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); };
  grid().Refresh();
  paint();  // the first paint loads the fonts: not measured
  const std::size_t total = grid().model().item_count();
  ASSERT_GE(total, static_cast<std::size_t>(kItems));

  // Forward from the first page, then back from the last one.
  double slowest = 0, sum = 0;
  int steps = 0;
  const auto wheel = [&](int delta) {
    const auto at = std::chrono::steady_clock::now();
    ASSERT_TRUE(grid().Wheel(delta));
    paint();
    const double ms = MsSince(at);
    slowest = std::max(slowest, ms), sum += ms, ++steps;
  };
  for (int i = 0; i < 40; ++i) wheel(-120);
  window.ShowPage(exec::LastPage(total, window.capacity()));
  for (int i = 0; i < 40; ++i) wheel(120);
  std::printf("wheel: %d pages, %.2f ms each on average, the slowest %.2f ms\n", steps, sum / steps, slowest);

  // Files dropped at the front: each timer tick adds one and shows the first page again.
  std::vector<fs::path> files;
  for (int i = 0; i < 20; ++i) {
    files.push_back(folder / (L"新" + std::to_wstring(i) + L".txt"));
    std::ofstream(files.back()) << i;
  }
  ASSERT_TRUE(
      PostMessageW(window.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(test_parts::MakeDrop(files)), 0));
  slowest = 0, sum = 0, steps = 0;
  const ULONGLONG until = GetTickCount64() + 20000;
  MSG message{};
  while (grid().model().item_count() < total + files.size() && GetTickCount64() < until) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      const std::size_t before = grid().model().item_count();
      const auto at = std::chrono::steady_clock::now();
      DispatchMessageW(&message);
      paint();
      if (grid().model().item_count() == before) continue;
      const double ms = MsSince(at);
      slowest = std::max(slowest, ms), sum += ms, ++steps;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  ASSERT_EQ(grid().model().item_count(), total + files.size());
  std::printf("add: %d dropped files, a tick with an add takes %.2f ms on average, the slowest %.2f ms\n",
              steps, sum / steps, slowest);

  FlushToDisk(data / L"Velora.db");
  start = std::chrono::steady_clock::now();
  ASSERT_TRUE(store::DeleteItem(db, "软件", *grid().model().CodeAt(0)));
  grid().Refresh();
  paint();
  std::printf("delete one item of %zu and show the page: %.2f ms\n", total + files.size(), MsSince(start));
  ASSERT_EQ(grid().model().item_count(), total + files.size() - 1);

  FlushToDisk(data / L"Velora.db");
  start = std::chrono::steady_clock::now();
  ASSERT_TRUE(store::ClearItems(db, "软件"));
  const double cleared = MsSince(start);
  grid().Refresh();
  paint();
  std::printf("clear %zu items: %.2f ms, and show the page: %.2f ms in all\n", total + files.size() - 1,
              cleared, MsSince(start));
  EXPECT_EQ(grid().model().item_count(), 4u);  // the template's system places stay
}

}  // namespace
}  // namespace velora::ui
