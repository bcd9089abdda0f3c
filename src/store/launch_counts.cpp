#include "store/launch_counts.h"

namespace velora::store {
namespace {

constexpr std::string_view kCreate =
    "create table if not exists 启动次数(分类 text not null, code text not null, 次数 integer not null, "
    "最近 integer not null, primary key(分类, code))";

}  // namespace

bool OpenLaunchCounts(Database& db, const std::string& path_utf8) {
  if (!db.Open(path_utf8, Database::kOpenCreate)) return false;
  db.SetBusyWait(1000);
  return db.Execute(kCreate);
}

bool RecordLaunchCount(Database& db, std::string_view category, std::string_view code, long long now_unix) {
  Statement q = db.Query(
      "insert into 启动次数 values(?1, ?2, 1, ?3) "
      "on conflict(分类, code) do update set 次数 = 次数 + 1, 最近 = excluded.最近");
  q.Bind(1, category).Bind(2, code).BindInteger(3, now_unix);
  return q.Run();
}

LaunchCounts ReadLaunchCounts(Database& db) {
  LaunchCounts counts;
  Statement q = db.Query("select 分类, code, 次数, 最近 from 启动次数");
  while (q.Step()) {
    counts[{q.ColumnText(0), q.ColumnText(1)}] = {q.ColumnInt64(2), q.ColumnInt64(3)};
  }
  return counts;
}

}  // namespace velora::store
