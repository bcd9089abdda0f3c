#include "acquire/thumbnail_size.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace velora::acquire {

core::Size ThumbnailSize(core::Size picture) noexcept {
  if (picture.width < 1 || picture.height < 1) return {};
  // 64 bits: a tall picture's height times 100 passes what an int holds; such a height is kept
  // at the largest int, and making the thumbnail refuses it.
  const std::int64_t height = static_cast<std::int64_t>(picture.height) * kThumbnailWidth / picture.width;
  if (height < 1) return {kThumbnailWidth, picture.height};
  return {kThumbnailWidth, static_cast<int>(std::min<std::int64_t>(height, INT_MAX))};
}

core::Size RequestedSize(core::Size picture, core::Size requested) noexcept {
  return {requested.width < 1 ? picture.width : requested.width,
          requested.height < 1 ? picture.height : requested.height};
}

}  // namespace velora::acquire
