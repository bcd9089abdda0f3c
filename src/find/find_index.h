#pragma once
// Every item of every category, made ready for finding by typing, and the query over them:
// the best matches first, each keystroke that extends the query looking only at what the last
// one matched.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "find/matcher.h"

namespace velora::find {

// Where a prepared name lies in the index's shared arrays: every name of the index one after
// the other, so a query over many items reads memory in order.
struct PooledName {
  std::uint32_t offset = 0;
  std::uint32_t length = 0;
  std::uint64_t mask = 0;
};

struct FindEntry {
  std::string category;
  std::string code;
  PooledName name;
  PooledName file_name;  // of a file, folder or shortcut's path; empty for other items
  int usage = 0;         // added to every match: see UsageBonus
};

struct FindHit {
  std::uint32_t entry = 0;  // index into FindIndex::entries()
  int score = 0;
};

class FindIndex {
 public:
  void Add(std::string category, std::string code, std::string_view name, std::string_view file_name,
           int usage = 0);
  const std::vector<FindEntry>& entries() const { return entries_; }
  // What the index holds in memory, its entries' own text included.
  std::size_t MemoryBytes() const;

  // The best `limit` entries for the query, best first; of equal scores the shorter name first.
  std::vector<FindHit> Query(std::u32string_view folded_query, std::size_t limit);

 private:
  PooledName Pool(const PreparedName& name);
  NameView View(const PooledName& name) const;
  std::optional<int> ScoreEntry(std::u32string_view query, const FindEntry& entry) const;

  std::vector<FindEntry> entries_;
  std::u32string folded_;
  std::vector<std::uint8_t> word_starts_;
  std::vector<std::uint32_t> reading_letters_;
  // The last query and every entry it matched, in order: a query that extends it can match
  // nothing else.
  std::u32string last_query_;
  std::vector<std::uint32_t> last_matched_;
};

// What the user's launches add to an item's matches: more for more launches (each doubling
// counts the same, up to eight) and for a launch in the last day or week: at most 10, less than a
// gap in a match costs, so usage orders matches of like quality and never lifts a poor one over a
// good one.
int UsageBonus(long long count, long long last_unix, long long now_unix);

// The file name of a path, with either kind of slash; the whole text when it has none.
std::string_view FileNameOf(std::string_view path);

}  // namespace velora::find
