// The refresh data path of the item grid: the list query of a category and one page of 18 cells
// with their captions and images, on a real store file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "exec/grid_model.h"
#include "exec/grid_paging.h"
#include "store/database.h"
#include "store/open_store.h"
#include "store/schema.h"
#include "store/table_builder.h"
#include "support/temp_folder.h"
#include "text/fs_path.h"
#include "text/hex.h"
#include "text/path_code.h"

namespace velora {
namespace {

constexpr const char* kTable = "软件";
constexpr const char* kInsert =
    "insert into \"软件\" (code,路径,名称,后缀,图标,日期) values (?1,?2,?3,?4,?5,?6)";

class NoLaunch : public exec::LaunchPort {
 public:
  void Launch(const exec::LaunchTarget&) override {}
};

std::string Date(long i) {
  char text[32];
  std::snprintf(text, sizeof text, "2021-%02ld-%02ld %02ld:%02ld:%02ld", 1 + i % 12, 1 + i % 28,
                i / 3600 % 24, i / 60 % 60, i % 60);
  return text;
}

// A mix of what a busy category holds: programs with cached icons, bookmarks, macros, snippets
// and now and then a picture with its thumbnail.
void Fill(store::Database& db, const std::filesystem::path& data_dir, long count) {
  std::filesystem::create_directories(data_dir / "icon");
  for (int k = 0; k < 20; ++k) {
    std::ofstream(data_dir / "icon" / ("K" + std::to_string(k) + ".ico"), std::ios::binary)
        << std::string(4000, static_cast<char>(k));
  }
  const std::string thumbnail = text::HexEncode(std::string(3000, 'p'));
  if (store::CreateTableFromFieldList(db, kTable, store::kItemFieldList) != store::kFieldListCreated) return;
  store::SavepointScope bulk(db, "bulk");
  for (long i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    std::string code, path, suffix, icon;
    switch (i % 8) {
      case 0:
      case 1:
      case 2:
        path = "C:\\Program Files\\工具" + n + "\\工具" + n + ".exe";
        code = text::PathCode(path), suffix = ".exe", icon = "K" + std::to_string(i % 20);
        break;
      case 3:
      case 4:
        code = "网址https://site" + n + ".example/", suffix = "书签", icon = i % 2 ? "K1" : "";
        break;
      case 5:
        code = "热键17+16+" + std::to_string(65 + i % 26), suffix = "热键";
        break;
      case 6:
        code = "$$文本$$片段" + n, suffix = "文本";
        break;
      default:
        path = "D:\\图片\\" + n + (i % 16 == 7 ? ".png" : ".docx");
        code = text::PathCode(path), suffix = i % 16 == 7 ? ".png" : ".docx";
        if (i % 16 == 7) icon = thumbnail;
    }
    store::Statement insert = db.Query(kInsert);
    insert.Bind(1, code)
        .Bind(2, path)
        .Bind(3, "项目" + n + "换行说明")
        .Bind(4, suffix)
        .Bind(5, icon)
        .Bind(6, Date(i));
    (void)insert.Run();
  }
}

// Refreshes page `page_of` (0: the first; -1: the last) of a category of state.range(0) items.
void RefreshPage(benchmark::State& state, int page_of) {
  const long count = static_cast<long>(state.range(0));
  const testing::TempFolder folder("velora_bench");
  const std::filesystem::path& dir = folder.path();
  {
    store::Database db;
    if (!db.Open(text::PathToUtf8(dir / "Velora.db"), store::Database::kOpenCreate)) {
      state.SkipWithError("cannot create the store");
      return;
    }
    Fill(db, dir, count);
  }
  // Opened as the program opens it, which gives an older store its order indexes.
  store::Database db;
  if (store::OpenItemStore(db, text::PathToUtf8(dir / "Velora.db")) != store::OpenOutcome::kOpened) {
    state.SkipWithError("cannot open the store");
    return;
  }
  NoLaunch launch;
  exec::Navigation at;
  exec::GridModel grid(db, dir, launch, at);
  grid.SetCategory(kTable);
  grid.SetCapacity(18);
  if (page_of < 0) grid.SetPage(exec::LastPage(static_cast<std::size_t>(count), 18));
  for (auto _ : state) {
    grid.Refresh();
    benchmark::DoNotOptimize(grid.cells().data());
  }
  if (grid.item_count() != static_cast<std::size_t>(count)) state.SkipWithError("the store lost items");
  state.counters["items"] = static_cast<double>(grid.item_count());
}

void BM_GridRefresh(benchmark::State& state) { RefreshPage(state, 0); }
// The wheel's deepest page: the rows before it are skipped in the index, not read.
void BM_GridRefreshLastPage(benchmark::State& state) { RefreshPage(state, -1); }

BENCHMARK(BM_GridRefresh)->Arg(10)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridRefreshLastPage)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velora

BENCHMARK_MAIN();
