#include "toolkit/image_cache.h"

#include <functional>
#include <iterator>

namespace velora::toolkit {
namespace {

std::size_t HashOf(std::string_view bytes, core::Size size) {
  std::size_t hash = std::hash<std::string_view>{}(bytes);
  for (const int side : {size.width, size.height}) {
    hash ^= std::hash<int>{}(side) + 0x9E3779B97F4A7C15ull + (hash << 6) + (hash >> 2);
  }
  return hash;
}

}  // namespace

std::shared_ptr<const Image> ImageCache::Get(std::string_view bytes, core::Size size) {
  const std::size_t hash = HashOf(bytes, size);
  const auto [first, last] = by_hash_.equal_range(hash);
  for (auto at = first; at != last; ++at) {
    const Entries::iterator entry = at->second;
    if (entry->size == size && entry->bytes == bytes) {
      entries_.splice(entries_.begin(), entries_, entry);
      return entry->image;
    }
  }
  ++decodes_;
  entries_.push_front({hash, std::string(bytes), size, DecodeImage(bytes, size)});
  by_hash_.emplace(hash, entries_.begin());
  Trim();
  return entries_.front().image;
}

void ImageCache::SetCapacity(std::size_t capacity) {
  capacity_ = capacity ? capacity : 1;
  Trim();
}

void ImageCache::Trim() {
  while (entries_.size() > capacity_) {
    const Entries::iterator oldest = std::prev(entries_.end());
    const auto [first, last] = by_hash_.equal_range(oldest->hash);
    for (auto at = first; at != last; ++at) {
      if (at->second == oldest) {
        by_hash_.erase(at);
        break;
      }
    }
    entries_.erase(oldest);
  }
}

}  // namespace velora::toolkit
