#pragma once
// The image of a row that is not a picture with a stored thumbnail, chosen by its 后缀.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "exec/image_bytes.h"

namespace velora::exec {

// Only ASCII letters change, so "文件夹" and other words stay as they are.
std::string AsciiLower(std::string_view text);

// "icon\" + key + ".ico" in the data directory. Nothing for a key that is not a plain file
// name (a separator, a drive): the column's text must not lead the read out of the icon cache.
std::optional<std::filesystem::path> IconFilePath(const std::filesystem::path& data_dir,
                                                  std::string_view icon_key);

// Empty when nothing applies: a program whose icon file is missing shows no image, while a
// bookmark without one falls back to the built-in bookmark image.
ImageBytes SuffixIcon(std::string_view suffix, std::string_view icon, std::string_view code,
                      const std::filesystem::path& data_dir);

}  // namespace velora::exec
