// Files a user imports: a catalogue file and a browser's Bookmarks file, into a template store in
// memory. Whatever the bytes, the store ends as it began after a refusal, grows by exactly what a
// merge reports, holds exactly what a replace reports, and a catalogue that was accepted comes
// back unchanged through its own JSON.
#include <cstdint>
#include <string>

#include "check.h"
#include "store/database.h"
#include "store/template_db.h"
#include "transfer/bookmark_import.h"
#include "transfer/catalogue_import.h"
#include "transfer/catalogue_json.h"
#include "transfer/chromium_bookmarks.h"

namespace store = velora::store;
namespace transfer = velora::transfer;

namespace {

constexpr std::string_view kTrial = "试验";
const transfer::Roots kRoots{"C:\\Users\\测试", "D:\\Velora"};

store::Database& TemplateStore() {
  static store::Database db;
  if (!db.IsOpen()) {
    FUZZ_CHECK(db.Open(":memory:", store::Database::kOpenCreate));
    FUZZ_CHECK(db.Execute(store::TemplateSeed()));
  }
  return db;
}

std::size_t TotalRows(store::Database& db) {
  std::vector<std::string> tables;
  store::Statement list = db.ListTables();
  while (list.Step()) tables.push_back(list.ColumnText(0));
  std::size_t rows = 0;
  for (const std::string& table : tables) {
    store::Statement count = db.Query("select count(*) from " + store::QuoteIdentifier(table));
    if (count.Step()) rows += static_cast<std::size_t>(count.ColumnInt64(0));
  }
  return rows;
}

std::size_t TableCount(store::Database& db) {
  store::Statement count = db.Query("select count(*) from sqlite_master");
  return count.Step() ? static_cast<std::size_t>(count.ColumnInt64(0)) : 0;
}

// Runs one write inside a savepoint that is then undone, so every input meets the same store.
template <typename Write>
void Trial(store::Database& db, Write write) {
  FUZZ_CHECK(db.Begin(kTrial) == 0);
  write();
  FUZZ_CHECK(db.Rollback(kTrial) == 0);
  FUZZ_CHECK(db.Commit(kTrial) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  store::Database& db = TemplateStore();
  const std::size_t rows = TotalRows(db);
  const std::size_t tables = TableCount(db);

  const transfer::ParsedCatalogue parsed = transfer::ParseCatalogueJson(bytes, {});
  if (parsed.result.ok()) {
    const std::string again = transfer::CatalogueToJson(parsed.catalogue, {});
    const transfer::ParsedCatalogue reparsed = transfer::ParseCatalogueJson(again, {});
    FUZZ_CHECK(reparsed.result.ok() && reparsed.catalogue == parsed.catalogue);
  }
  for (const transfer::ImportMode mode : {transfer::ImportMode::kMerge, transfer::ImportMode::kReplace}) {
    Trial(db, [&] {
      const transfer::CatalogueImport imported = transfer::ImportCatalogue(db, bytes, mode, kRoots);
      if (!imported.result.ok()) {
        FUZZ_CHECK(TotalRows(db) == rows && TableCount(db) == tables);
      } else if (mode == transfer::ImportMode::kMerge) {
        FUZZ_CHECK(TotalRows(db) == rows + imported.result.imported);
      } else {
        FUZZ_CHECK(TotalRows(db) == imported.result.imported);
      }
    });
  }

  transfer::Refusal refusal = transfer::Refusal::kNone;
  const auto bookmarks = transfer::ParseChromiumBookmarks(bytes, refusal);
  if (bookmarks) {
    Trial(db, [&] {
      const transfer::TransferResult added =
          transfer::AddBookmarks(db, *bookmarks, {.now = "2026-01-01 00:00:00"});
      FUZZ_CHECK(added.ok());
      FUZZ_CHECK(added.imported + added.duplicates + added.left_out == bookmarks->size());
      FUZZ_CHECK(TotalRows(db) == rows + added.imported);
    });
  }
  return 0;
}
