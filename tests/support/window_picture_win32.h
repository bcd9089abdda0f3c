#pragma once
// A picture of what the screen shows of a window, for a person to look at.
#include <windows.h>

#include <filesystem>

namespace velora::test_support {

// Saves the screen area of `window` as a PNG file; false when it could not be written.
bool SaveWindowPicture(HWND window, const std::filesystem::path& file);

}  // namespace velora::test_support
