#pragma once
// Decoded pictures kept by what they were decoded from: the encoded bytes and the size. A page
// shown again decodes nothing, an icon shared by many items is decoded once, and an icon file
// that changed brings other bytes, so it is decoded anew without any stamp to compare.
#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/geometry.h"
#include "toolkit/image.h"

namespace velora::toolkit {

class ImageCache {
 public:
  static constexpr std::size_t kDefaultCapacity = 256;

  explicit ImageCache(std::size_t capacity = kDefaultCapacity) : capacity_(capacity ? capacity : 1) {}

  // The picture of `bytes` at `size`, decoded only when not kept; null for bytes that are no
  // picture (kept too, so they are not tried on every refresh).
  std::shared_ptr<const Image> Get(std::string_view bytes, core::Size size);
  // Keeps at most `capacity` pictures, dropping the least recently used.
  void SetCapacity(std::size_t capacity);

  std::size_t size() const { return entries_.size(); }
  // How many decodes it has run, for tests.
  std::size_t decodes() const { return decodes_; }

 private:
  struct Entry {
    std::size_t hash;
    std::string bytes;
    core::Size size;
    std::shared_ptr<const Image> image;
  };
  using Entries = std::list<Entry>;  // most recently used first

  void Trim();

  std::size_t capacity_;
  Entries entries_;
  std::unordered_multimap<std::size_t, Entries::iterator> by_hash_;
  std::size_t decodes_ = 0;
};

}  // namespace velora::toolkit
