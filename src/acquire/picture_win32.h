#pragma once
// A picture item's size and thumbnail, through the system's imaging component. Safe on any
// thread: each call brings its own COM apartment when the thread has none.
#include <optional>
#include <string>
#include <string_view>

#include "core/geometry.h"

namespace velora::acquire {

// The picture's size in pixels (an icon file: its largest image); empty when the bytes are no
// PNG, JPEG, GIF, BMP or icon file that decodes.
std::optional<core::Size> PictureSize(std::string_view bytes);

// PNG bytes of the picture scaled to `size`, a side below 1 standing for the picture's own.
// Empty when the picture does not decode or the thumbnail would be too large to hold.
std::string PictureThumbnail(std::string_view bytes, core::Size size);

// The thumbnail a picture item keeps in its row: 100 wide, at ThumbnailSize.
std::string ItemThumbnail(std::string_view bytes);

}  // namespace velora::acquire
