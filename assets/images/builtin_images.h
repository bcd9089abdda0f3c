#pragma once
// The images the program carries inside itself, as encoded PNG, ICO or CUR bytes.
#include <cstddef>
#include <string_view>

namespace velora::assets {

enum class BuiltinImage {
  kFolder,        // PNG 128
  kTextFile,      // PNG 256
  kBookmark,      // PNG 128, a web item without a site icon
  kThisPc,        // ICO, 8 sizes 16–256
  kDesktop,       // ICO, 8 sizes 16–256
  kControlPanel,  // ICO, 8 sizes 16–256
  kRecycleBin,    // ICO, 8 sizes 16–256
  kVideo,         // PNG 256
  kAudio,         // PNG 256
  kMacro,         // ICO, 8 sizes 16–256
  kFunction,      // ICO, 6 sizes 16–256
  kTextSnippet,   // ICO, 5 sizes 16–256
  kGenericFile,   // ICO, 8 sizes 16–256
  kDefaultItem,   // PNG 128, a cell whose icon was cleared
  kProgramIcon,   // ICO, one 128 image: the window and tray icon
  kPressPointer,  // CUR 32, hotspot in the middle: shown while a press is held
};

inline constexpr std::size_t kBuiltinImageCount = 16;

std::string_view ImageBytesOf(BuiltinImage image);

}  // namespace velora::assets
