#include "transfer/firefox_bookmarks.h"

#include <algorithm>
#include <array>
#include <string>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "text/fs_path.h"

namespace velora::transfer {
namespace {

constexpr int kBookmarkType = 1;
constexpr int kFolderType = 2;
constexpr std::string_view kRootGuid = "root________";
constexpr std::string_view kTagsGuid = "tags________";

constexpr std::string_view kCopyName = "velora-places-copy.sqlite";
// SQLite's files beside a database: a stale log of an earlier copy must never meet a new one.
constexpr std::array<std::string_view, 3> kCompanions = {"", "-wal", "-shm"};

struct Entry {
  long long id = 0;
  int type = 0;
  long long position = 0;
  std::string title;
  std::optional<std::string> url;
  std::string guid;
};

std::filesystem::path WithSuffix(std::filesystem::path path, std::string_view suffix) {
  path += text::PathFromUtf8(suffix);
  return path;
}

void RemoveCopy(const std::filesystem::path& copy) {
  std::error_code ignored;
  for (const std::string_view suffix : kCompanions)
    std::filesystem::remove(WithSuffix(copy, suffix), ignored);
}

// The copy and its log; removed with this owner.
class PlacesCopy {
 public:
  explicit PlacesCopy(std::filesystem::path path) : path_(std::move(path)) { RemoveCopy(path_); }
  ~PlacesCopy() { RemoveCopy(path_); }
  PlacesCopy(const PlacesCopy&) = delete;
  PlacesCopy& operator=(const PlacesCopy&) = delete;

  bool Take(const std::filesystem::path& source) {
    std::error_code ec;
    std::filesystem::copy_file(source, path_, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) return false;
    const std::filesystem::path log = WithSuffix(source, "-wal");
    if (std::filesystem::exists(log, ec)) {
      std::filesystem::copy_file(log, WithSuffix(path_, "-wal"),
                                 std::filesystem::copy_options::overwrite_existing, ec);
    }
    return !ec;
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace

std::optional<std::vector<Bookmark>> ReadFirefoxBookmarks(store::Database& places) {
  bool prepared = false;
  store::Statement q = places.Query(
      "select b.id, b.type, b.parent, b.position, coalesce(b.title, p.title, ''), p.url, coalesce(b.guid, '')"
      " from moz_bookmarks b left join moz_places p on p.id = b.fk",
      &prepared);
  if (!prepared) return std::nullopt;
  std::vector<Entry> entries;
  std::unordered_map<long long, std::vector<std::size_t>> children;
  std::optional<std::size_t> root;
  while (q.Step()) {
    Entry entry{q.ColumnInt64(0), q.ColumnInt(1), q.ColumnInt64(3),
                q.ColumnText(4),  std::nullopt,   q.ColumnText(6)};
    if (!q.ColumnIsNull(5)) entry.url = q.ColumnText(5);
    const long long parent = q.ColumnInt64(2);
    if (entry.guid == kRootGuid || (!root && parent == 0 && entry.type == kFolderType)) root = entries.size();
    if (parent != entry.id) children[parent].push_back(entries.size());
    entries.push_back(std::move(entry));
  }
  std::vector<Bookmark> bookmarks;
  if (!root) return bookmarks;
  for (auto& [parent, list] : children) {
    std::sort(list.begin(), list.end(), [&](std::size_t a, std::size_t b) {
      return std::pair(entries[a].position, entries[a].id) < std::pair(entries[b].position, entries[b].id);
    });
  }
  // Depth first without recursion; a damaged file whose folders form a loop ends all the same.
  std::unordered_set<long long> visited{entries[*root].id};
  std::vector<std::pair<const std::vector<std::size_t>*, std::size_t>> stack;
  auto enter = [&](const Entry& folder) {
    const auto found = children.find(folder.id);
    if (found != children.end()) stack.emplace_back(&found->second, 0);
  };
  enter(entries[*root]);
  while (!stack.empty()) {
    auto& [list, next] = stack.back();
    if (next == list->size()) {
      stack.pop_back();
      continue;
    }
    const Entry& entry = entries[(*list)[next++]];
    if (entry.type == kBookmarkType && entry.url) {
      bookmarks.push_back({*entry.url, entry.title});
    } else if (entry.type == kFolderType && entry.guid != kTagsGuid && visited.insert(entry.id).second) {
      enter(entry);
    }
  }
  return bookmarks;
}

TransferResult ImportFirefoxBookmarks(store::Database& db, const std::filesystem::path& places_file,
                                      const std::filesystem::path& scratch_folder,
                                      const BookmarkOptions& options) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(places_file, ec)) return Refused(Refusal::kUnreadable);
  const std::filesystem::path folder = scratch_folder.empty() ? places_file.parent_path() : scratch_folder;
  std::optional<std::vector<Bookmark>> bookmarks;
  {
    PlacesCopy copy(folder / text::PathFromUtf8(kCopyName));
    if (!copy.Take(places_file)) return Refused(Refusal::kCopyFailed);
    store::Database places;
    if (places.Open(text::PathToUtf8(copy.path())) && places.Probe() == SQLITE_OK) {
      bookmarks = ReadFirefoxBookmarks(places);
    }
  }  // the copy is closed before its files go
  if (!bookmarks) return Refused(Refusal::kNotBookmarks);
  return AddBookmarks(db, *bookmarks, options);
}

}  // namespace velora::transfer
