// Files dropped on the running panel from another process, as the shell drops them: each becomes
// an item of the category on show, in the store and in the grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/desktop_input.h"
#include "e2e/file_drop.h"
#include "e2e/installed_copy.h"
#include "e2e/velora_process.h"
#include "store/database.h"
#include "store/items.h"
#include "text/fs_path.h"

using namespace velora::e2e;

namespace {

std::vector<std::string> StoredPaths(const std::filesystem::path& db_file) {
  velora::store::Database db;
  std::vector<std::string> paths;
  if (!db.Open(velora::text::PathToUtf8(db_file), SQLITE_OPEN_READONLY)) return paths;
  for (const auto& row : velora::store::ListItems(db, "软件")) paths.push_back(row.path.value_or(""));
  return paths;
}

bool Holds(const std::vector<std::wstring>& texts, const std::wstring& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace

TEST_F(InstalledCopyTest, ThreeDroppedFilesBecomeItemsInTheStoreAndTheGrid) {
  const std::filesystem::path drops = folder.path() / L"拖放 文件";
  std::filesystem::create_directories(drops);
  const std::vector<std::filesystem::path> files = {drops / L"周报.txt", drops / L"清单 二.log",
                                                    drops / L"notes.md"};
  for (const auto& file : files) std::ofstream(file) << "text";

  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  HWND grid = FindItemGrid(window);
  ASSERT_NE(grid, nullptr);
  const std::filesystem::path db_file = folder.path() / L"配置" / L"Velora.db";
  const std::size_t before = StoredPaths(db_file).size();

  RECT panel{};
  GetWindowRect(window, &panel);
  // Beside the panel there is no window that takes files: nothing is dropped.
  EXPECT_FALSE(DropFiles(window, files, {panel.right + 40, panel.top + 40}));
  RECT cells{};
  GetWindowRect(grid, &cells);
  ASSERT_TRUE(DropFiles(window, files, {(cells.left + cells.right) / 2, (cells.top + cells.bottom) / 2}));

  std::vector<std::string> stored;
  EXPECT_TRUE(WaitUntil([&] { return (stored = StoredPaths(db_file)).size() == before + 3; }, 10000))
      << stored.size();
  for (const auto& file : files) {
    EXPECT_TRUE(std::count(stored.begin(), stored.end(), velora::text::PathToUtf8(file)) == 1) << file;
  }
  std::vector<std::wstring> captions;
  EXPECT_TRUE(WaitUntil([&] {
    captions = GridCaptions(grid);
    return Holds(captions, L"周报") && Holds(captions, L"清单 二") && Holds(captions, L"notes");
  }));
  EXPECT_TRUE(SaveScreenshot(window, L"drop_three_files.png"));
  EXPECT_EQ(velora.Close(), 0u);
}
