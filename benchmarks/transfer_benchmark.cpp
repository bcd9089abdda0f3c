// The catalogue file of a busy user's store, 10,000 items across the fixed categories and a group:
// writing it, and reading it back into a second store (a replace, the heavier import).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "store/groups.h"
#include "store/items.h"
#include "store/template_db.h"
#include "support/temp_folder.h"
#include "text/fs_path.h"
#include "text/hex.h"
#include "text/path_code.h"
#include "transfer/catalogue_export.h"
#include "transfer/catalogue_import.h"

namespace velora {
namespace {

constexpr long kItems = 10000;
const transfer::Roots kRoots{"C:\\Users\\王小明", "D:\\Tools\\Velora"};
const transfer::SettingsMap kSettings{
    {"初始化", {{"窗口宽度", "640"}, {"窗口高度", "420"}, {"图表数量", "18"}}}};

std::string Date(long i) {
  char text[32];
  std::snprintf(text, sizeof text, "2024-%02ld-%02ld %02ld:%02ld:%02ld", 1 + i % 12, 1 + i % 28,
                i / 3600 % 24, i / 60 % 60, i % 60);
  return text;
}

// Programs with icon keys, folders, pictures with their thumbnails (a 100-pixel-wide picture is
// a few kilobytes), bookmarks, snippets and macros in a group.
bool Fill(store::Database& db) {
  if (store::CreateGroup(db, "工作") != store::GroupOutcome::kCreated) return false;
  std::string thumbnail_bytes(5000, '\0');
  for (std::size_t k = 0; k < thumbnail_bytes.size(); ++k)
    thumbnail_bytes[k] = static_cast<char>(k * 131 % 251);
  const std::string thumbnail = text::HexEncode(thumbnail_bytes);
  store::SavepointScope bulk(db, "bulk");
  for (long i = 0; i < kItems; ++i) {
    const std::string n = std::to_string(i);
    store::ItemRow row;
    const char* table = "软件";
    row.name = "项目" + n + " 说明";
    row.date = i % 5 == 0 ? std::optional<std::string>() : Date(i);
    switch (i % 10) {
      case 0:
      case 1:
      case 2:
      case 3:
        row.path = i % 2 ? "C:\\Users\\王小明\\AppData\\Local\\Programs\\工具" + n + "\\工具" + n + ".exe"
                         : "C:\\Program Files\\厂商" + n + "\\程序" + n + ".exe";
        row.suffix = ".exe", row.icon = text::HexEncode(n + "abcd").substr(0, 10);
        break;
      case 4:
        table = "目录", row.path = "D:\\Tools\\Velora\\资料\\文件夹" + n, row.suffix = "文件夹",
        row.icon = "";
        break;
      case 5:
        table = "图片", row.path = "C:\\Users\\王小明\\Pictures\\照片" + n + ".png", row.suffix = ".png";
        row.icon = thumbnail;
        break;
      case 6:
      case 7:
        table = "书签", row.code = "网址https://www.site" + n + ".example/path?q=" + n, row.suffix = "书签";
        row.icon = text::HexEncode(n).substr(0, 10);
        break;
      case 8:
        table = "文档", row.code = "$$文本$$第 " + n + " 段文字\r\n第二行", row.suffix = "文本";
        break;
      default:
        table = "工作", row.code = "热键17+16+" + std::to_string(65 + i % 26), row.suffix = "热键";
    }
    if (row.path) row.code = text::PathCode(*row.path);
    if (!store::AddItem(db, table, row)) return false;
  }
  return true;
}

bool OpenStore(store::Database& db, const std::filesystem::path& file) {
  return store::WriteTemplateDatabase(file) && db.Open(text::PathToUtf8(file));
}

void BM_ExportCatalogue(benchmark::State& state) {
  const testing::TempFolder folder("velora-transfer-bench");
  store::Database db;
  if (!OpenStore(db, folder.path() / "Velora.db") || !Fill(db)) return state.SkipWithError("no store");
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string json = transfer::ExportCatalogue(db, kSettings, kRoots);
    bytes = json.size();
    benchmark::DoNotOptimize(json.data());
  }
  state.counters["file_MB"] = static_cast<double>(bytes) / (1 << 20);
}
BENCHMARK(BM_ExportCatalogue)->Unit(benchmark::kMillisecond);

void BM_ImportCatalogue(benchmark::State& state) {
  const testing::TempFolder folder("velora-transfer-bench");
  store::Database source;
  store::Database target;
  if (!OpenStore(source, folder.path() / "源.db") || !Fill(source) ||
      !OpenStore(target, folder.path() / "目标.db")) {
    return state.SkipWithError("no store");
  }
  const std::string json = transfer::ExportCatalogue(source, kSettings, kRoots);
  std::size_t imported = 0;
  for (auto _ : state) {
    imported =
        transfer::ImportCatalogue(target, json, transfer::ImportMode::kReplace, kRoots).result.imported;
  }
  if (imported < kItems) state.SkipWithError("items were lost");
  state.counters["items"] = static_cast<double>(imported);
}
BENCHMARK(BM_ImportCatalogue)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velora
