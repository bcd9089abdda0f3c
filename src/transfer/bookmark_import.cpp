#include "transfer/bookmark_import.h"

#include <array>
#include <unordered_set>

#include "exec/names.h"
#include "transfer/category_tables.h"

namespace velora::transfer {
namespace {

constexpr std::string_view kBookmarkSavepoint = "导入书签";

constexpr std::array<std::string_view, 4> kSchemes = {"http:", "https:", "ftp:", "file:"};

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const char c = text[i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != prefix[i]) return false;
  }
  return true;
}

bool AddTo(store::Database& db, const std::string& table, const std::vector<Bookmark>& bookmarks,
           const BookmarkOptions& options, TransferResult& result) {
  std::unordered_set<std::string> held = CodesOf(db, table);
  RowInserter inserter(db, table);
  for (const Bookmark& bookmark : bookmarks) {
    if (!IsImportableAddress(bookmark.address)) {
      ++result.left_out;
      continue;
    }
    CatalogueRow row;
    row.code = std::string(exec::prefix::kWeb) + bookmark.address;
    if (!held.insert(*row.code).second) {
      ++result.duplicates;
      continue;
    }
    row.name = bookmark.title.empty() ? bookmark.address : bookmark.title;
    row.suffix = std::string(exec::suffix::kBookmark);
    if (!options.at_end) row.date = options.now;
    if (!inserter.Insert(row)) return false;
    ++result.imported;
  }
  return true;
}

}  // namespace

bool IsImportableAddress(std::string_view address) {
  for (const std::string_view scheme : kSchemes) {
    if (StartsWithFolded(address, scheme) && address.size() > scheme.size()) return true;
  }
  return false;
}

TransferResult AddBookmarks(store::Database& db, const std::vector<Bookmark>& bookmarks,
                            const BookmarkOptions& options) {
  TransferResult result;
  if (db.Begin(kBookmarkSavepoint) != SQLITE_OK) return Refused(Refusal::kNotSaved);
  const std::optional<std::string> table = TableForCategory(db, options.category);
  if (table && AddTo(db, *table, bookmarks, options, result) && db.Commit(kBookmarkSavepoint) == SQLITE_OK) {
    return result;
  }
  db.Rollback(kBookmarkSavepoint);
  db.Commit(kBookmarkSavepoint);
  return Refused(Refusal::kNotSaved);
}

}  // namespace velora::transfer
