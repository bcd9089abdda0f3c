#pragma once
// Picture file bytes into a bitmap for the clipboard, through the system's imaging component.
#include <string_view>

#include "core/handles_win32.h"

namespace velora::desktop {

// PNG, JPEG, BMP, TIFF and GIF (its first frame) and ICO (its largest image), as a bitmap of
// the screen's format with transparent parts laid on white, since the readers of a clipboard
// bitmap ignore its alpha and would show them black. Empty when the bytes are no picture, or
// one too large to hold.
core::UniqueBitmap DecodePictureBitmap(std::string_view bytes);

}  // namespace velora::desktop
