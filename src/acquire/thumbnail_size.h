#pragma once
// The size a picture item's thumbnail is made at.
#include "core/geometry.h"

namespace velora::acquire {

inline constexpr int kThumbnailWidth = 100;

// 100 wide; as high as the picture's height scaled to that width, truncated, or the picture's own
// height when that comes out below 1 (a very wide picture). Zero for a picture without a size.
core::Size ThumbnailSize(core::Size picture) noexcept;

// A requested side below 1 stands for the picture's own.
core::Size RequestedSize(core::Size picture, core::Size requested) noexcept;

}  // namespace velora::acquire
