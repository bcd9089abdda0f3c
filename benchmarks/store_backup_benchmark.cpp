// The copy kept before a bulk removal: the online backup of a live store of a busy user's size,
// which the user waits for before "清空列表" goes ahead.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "store/backup.h"
#include "store/database.h"
#include "store/schema.h"
#include "store/table_builder.h"
#include "support/temp_folder.h"
#include "text/fs_path.h"

namespace velora {
namespace {

void BM_StoreBackup(benchmark::State& state) {
  const testing::TempFolder temp("velora-backup-bench");
  const std::filesystem::path& folder = temp.path();
  store::Database live;
  if (!live.Open(text::PathToUtf8(folder / "Velora.db"), store::Database::kOpenCreate) ||
      store::CreateTableFromFieldList(live, "软件", store::kItemFieldList) != store::kFieldListCreated) {
    state.SkipWithError("no store");
    return;
  }
  {
    store::SavepointScope bulk(live, "bulk");
    for (long i = 0; i < state.range(0); ++i) {
      store::Statement insert = live.Query("insert into 软件 (code,路径,名称) values (?1,?2,?3)");
      const std::string path = "C:\\Program Files\\程序" + std::to_string(i) + "\\启动.exe";
      (void)insert.Bind(1, path).Bind(2, path).Bind(3, "程序" + std::to_string(i)).Run();
    }
  }
  store::SystemClock clock;
  store::Backups backups(folder / "backup", clock);
  for (auto _ : state) {
    if (!backups.Make(live)) state.SkipWithError("backup failed");
  }
  live.Close();
}
BENCHMARK(BM_StoreBackup)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velora
