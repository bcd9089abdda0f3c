#include "assets/images/builtin_images.h"

#include <array>

#define VELORA_EMBEDDED(symbol)        \
  extern const unsigned char symbol[]; \
  extern const std::size_t symbol##_size;

VELORA_EMBEDDED(kImage_folder)
VELORA_EMBEDDED(kImage_text_file)
VELORA_EMBEDDED(kImage_bookmark)
VELORA_EMBEDDED(kImage_this_pc)
VELORA_EMBEDDED(kImage_desktop)
VELORA_EMBEDDED(kImage_control_panel)
VELORA_EMBEDDED(kImage_recycle_bin)
VELORA_EMBEDDED(kImage_video)
VELORA_EMBEDDED(kImage_audio)
VELORA_EMBEDDED(kImage_macro)
VELORA_EMBEDDED(kImage_function)
VELORA_EMBEDDED(kImage_text_snippet)
VELORA_EMBEDDED(kImage_generic_file)
VELORA_EMBEDDED(kImage_default_item)
VELORA_EMBEDDED(kImage_program)
VELORA_EMBEDDED(kImage_press_pointer)

#undef VELORA_EMBEDDED

namespace velora::assets {
namespace {

std::string_view View(const unsigned char* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace

std::string_view ImageBytesOf(BuiltinImage image) {
  // In the order of the enumeration.
  static const std::array<std::string_view, kBuiltinImageCount> kImages = {
      View(kImage_folder, kImage_folder_size),
      View(kImage_text_file, kImage_text_file_size),
      View(kImage_bookmark, kImage_bookmark_size),
      View(kImage_this_pc, kImage_this_pc_size),
      View(kImage_desktop, kImage_desktop_size),
      View(kImage_control_panel, kImage_control_panel_size),
      View(kImage_recycle_bin, kImage_recycle_bin_size),
      View(kImage_video, kImage_video_size),
      View(kImage_audio, kImage_audio_size),
      View(kImage_macro, kImage_macro_size),
      View(kImage_function, kImage_function_size),
      View(kImage_text_snippet, kImage_text_snippet_size),
      View(kImage_generic_file, kImage_generic_file_size),
      View(kImage_default_item, kImage_default_item_size),
      View(kImage_program, kImage_program_size),
      View(kImage_press_pointer, kImage_press_pointer_size),
  };
  const auto index = static_cast<std::size_t>(image);
  return index < kImages.size() ? kImages[index] : std::string_view{};
}

}  // namespace velora::assets
