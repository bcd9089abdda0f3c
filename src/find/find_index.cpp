#include "find/find_index.h"

#include <algorithm>
#include <numeric>
#include <optional>

namespace velora::find {
namespace {

// A name that does not hold the query may still be found by its file name, for a little less.
constexpr int kFileNameShare = 4;

constexpr long long kDay = 24LL * 60 * 60;

}  // namespace

std::optional<int> FindIndex::ScoreEntry(std::u32string_view query, const FindEntry& entry) const {
  if (const std::optional<int> score = Score(query, View(entry.name))) return *score + entry.usage;
  if (entry.file_name.length == 0) return std::nullopt;
  const std::optional<int> in_file = Score(query, View(entry.file_name));
  return in_file ? std::optional<int>(*in_file - kFileNameShare + entry.usage) : std::nullopt;
}

PooledName FindIndex::Pool(const PreparedName& name) {
  const PooledName pooled{static_cast<std::uint32_t>(folded_.size()),
                          static_cast<std::uint32_t>(name.folded.size()), name.mask};
  folded_ += name.folded;
  word_starts_.insert(word_starts_.end(), name.word_start.begin(), name.word_start.end());
  reading_letters_.insert(reading_letters_.end(), name.reading_letters.begin(), name.reading_letters.end());
  return pooled;
}

NameView FindIndex::View(const PooledName& name) const {
  return {std::u32string_view(folded_).substr(name.offset, name.length), word_starts_.data() + name.offset,
          reading_letters_.data() + name.offset, name.mask};
}

void FindIndex::Add(std::string category, std::string code, std::string_view name, std::string_view file_name,
                    int usage) {
  const PooledName pooled_name = Pool(Prepare(name));
  const PooledName pooled_file = Pool(Prepare(file_name));
  entries_.push_back({std::move(category), std::move(code), pooled_name, pooled_file, usage});
  last_query_.clear();  // the new entry was not looked at
}

std::vector<FindHit> FindIndex::Query(std::u32string_view query, std::size_t limit) {
  const bool narrows =
      !last_query_.empty() && query.size() > last_query_.size() && query.starts_with(last_query_);
  std::vector<std::uint32_t> looked_at;
  if (narrows) {
    looked_at.swap(last_matched_);
  } else {
    looked_at.resize(entries_.size());
    std::iota(looked_at.begin(), looked_at.end(), 0u);
  }
  std::vector<FindHit> hits;
  last_matched_.clear();
  for (const std::uint32_t index : looked_at) {
    if (const std::optional<int> score = ScoreEntry(query, entries_[index])) {
      hits.push_back({index, *score});
      last_matched_.push_back(index);
    }
  }
  last_query_.assign(query);
  const auto better = [this](const FindHit& a, const FindHit& b) {
    if (a.score != b.score) return a.score > b.score;
    const std::size_t la = entries_[a.entry].name.length, lb = entries_[b.entry].name.length;
    return la != lb ? la < lb : a.entry < b.entry;
  };
  const std::size_t kept = std::min(limit, hits.size());
  std::partial_sort(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(kept), hits.end(), better);
  hits.resize(kept);
  return hits;
}

std::size_t FindIndex::MemoryBytes() const {
  std::size_t bytes = entries_.capacity() * sizeof(FindEntry) + folded_.capacity() * sizeof(char32_t) +
                      word_starts_.capacity() + reading_letters_.capacity() * sizeof(std::uint32_t);
  for (const FindEntry& entry : entries_) {
    // Text longer than a string's own buffer lies on the heap.
    for (const std::string* text : {&entry.category, &entry.code}) {
      if (text->capacity() > std::string().capacity()) bytes += text->capacity() + 1;
    }
  }
  return bytes;
}

int UsageBonus(long long count, long long last_unix, long long now_unix) {
  if (count <= 0) return 0;
  int doublings = 0;
  for (long long n = count + 1; n > 1 && doublings < 3; n /= 2) ++doublings;
  const long long age = now_unix - last_unix;
  const int lately = age < 0 ? 0 : age <= kDay ? 4 : age <= 7 * kDay ? 2 : 0;
  return 2 * doublings + lately;
}

std::string_view FileNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace velora::find
