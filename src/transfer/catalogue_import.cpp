#include "transfer/catalogue_import.h"

#include <algorithm>
#include <unordered_set>
#include <utility>
#include <vector>

#include "store/schema.h"
#include "transfer/catalogue_json.h"
#include "transfer/category_tables.h"
#include "transfer/json_guard.h"

namespace velora::transfer {
namespace {

constexpr std::string_view kImportSavepoint = "导入";

// As SQLite compares table names: the letter case of ASCII ignored.
bool SameTableName(std::string_view a, std::string_view b) {
  auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return fold(x) == fold(y); });
}

bool ClearForReplace(store::Database& db, const Catalogue& catalogue) {
  std::vector<std::string> tables;
  {
    store::Statement list = db.ListTables();
    while (list.Step()) tables.push_back(list.ColumnText(0));
  }
  for (const std::string& table : tables) {
    const bool named = std::any_of(catalogue.categories.begin(), catalogue.categories.end(),
                                   [&](const CatalogueCategory& c) { return SameTableName(c.name, table); });
    const bool ok = named || store::IsFixedCategory(table)
                        ? db.Execute("delete from " + store::QuoteIdentifier(table))
                        : db.DropTable(table);
    if (!ok) return false;
  }
  return true;
}

bool WriteCategory(store::Database& db, const CatalogueCategory& category, ImportMode mode,
                   TransferResult& result) {
  const std::optional<std::string> table = TableForCategory(db, category.name);
  if (!table) return false;
  // A keyed table holds a code once, whatever the mode; a keyless one takes the file's repeats,
  // so a merge into an empty store and a replace give back the very rows that were exported.
  const bool keyed = IsKeyed(db, *table);
  std::unordered_set<std::string> held;
  if (keyed || mode == ImportMode::kMerge) held = CodesOf(db, *table);
  RowInserter inserter(db, *table);
  for (const CatalogueRow& row : category.rows) {
    if (!row.code && keyed) {
      ++result.left_out;
    } else if (row.code && held.contains(*row.code)) {
      ++result.duplicates;
    } else if (!inserter.Insert(row)) {
      return false;
    } else {
      if (keyed) held.insert(*row.code);
      ++result.imported;
    }
  }
  return true;
}

}  // namespace

TransferResult WriteCatalogue(store::Database& db, const Catalogue& catalogue, ImportMode mode) {
  TransferResult result;
  if (db.Begin(kImportSavepoint) != SQLITE_OK) return Refused(Refusal::kNotSaved);
  bool ok = mode != ImportMode::kReplace || ClearForReplace(db, catalogue);
  for (const CatalogueCategory& category : catalogue.categories) {
    ok = ok && WriteCategory(db, category, mode, result);
  }
  if (ok && db.Commit(kImportSavepoint) == SQLITE_OK) return result;
  db.Rollback(kImportSavepoint);
  db.Commit(kImportSavepoint);
  return Refused(Refusal::kNotSaved);
}

CatalogueImport ImportCatalogue(store::Database& db, std::string_view json, ImportMode mode,
                                const Roots& roots) {
  ParsedCatalogue parsed = ParseCatalogueJson(json, roots);
  if (!parsed.result.ok()) return {parsed.result, {}};
  TransferResult written = WriteCatalogue(db, parsed.catalogue, mode);
  if (!written.ok()) return {written, {}};
  written.left_out += parsed.result.left_out;
  return {written, std::move(parsed.catalogue.settings)};
}

CatalogueImport ImportCatalogueFile(store::Database& db, const std::filesystem::path& file, ImportMode mode,
                                    const Roots& roots) {
  Refusal refusal = Refusal::kNone;
  const std::optional<std::string> json = ReadJsonFile(file, refusal);
  if (!json) return {Refused(refusal), {}};
  return ImportCatalogue(db, *json, mode, roots);
}

}  // namespace velora::transfer
