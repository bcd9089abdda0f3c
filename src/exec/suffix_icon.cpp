#include "exec/suffix_icon.h"

#include <algorithm>
#include <array>

#include "assets/images/builtin_images.h"
#include "core/file_bytes.h"
#include "exec/item_kind.h"
#include "exec/names.h"
#include "text/fs_path.h"

namespace velora::exec {
namespace {

using assets::BuiltinImage;

template <std::size_t N>
bool OneOf(std::string_view value, const std::array<std::string_view, N>& set) {
  return std::find(set.begin(), set.end(), value) != set.end();
}

ImageBytes Builtin(BuiltinImage image) { return ImageBytes::Static(assets::ImageBytesOf(image)); }

ImageBytes FileOrEmpty(const std::filesystem::path& path) {
  auto bytes = core::ReadFileBytes(path);
  return bytes ? ImageBytes::Owned(std::move(*bytes)) : ImageBytes();
}

std::optional<std::string> IconFileBytes(const std::filesystem::path& data_dir, std::string_view key) {
  const auto path = IconFilePath(data_dir, key);
  return path ? core::ReadFileBytes(*path) : std::nullopt;
}

}  // namespace

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::optional<std::filesystem::path> IconFilePath(const std::filesystem::path& data_dir,
                                                  std::string_view icon_key) {
  if (icon_key.find_first_of("\\/:") != std::string_view::npos) {
    return std::nullopt;
  }
  std::string file_name(icon_key);
  file_name += kIconFileEnding;
  return data_dir / text::PathFromUtf8(kIconFolder) / text::PathFromUtf8(file_name);
}

ImageBytes SuffixIcon(std::string_view suffix_text, std::string_view icon, std::string_view code,
                      const std::filesystem::path& data_dir) {
  const std::string s = AsciiLower(suffix_text);
  if (s == suffix::kProgram) {
    auto bytes = IconFileBytes(data_dir, icon);
    return bytes ? ImageBytes::Owned(std::move(*bytes)) : ImageBytes();
  }
  if (s == suffix::kFolder) return Builtin(BuiltinImage::kFolder);
  if (s == suffix::kTextFile) return Builtin(BuiltinImage::kTextFile);
  if (s == suffix::kBookmark) {
    if (auto bytes = IconFileBytes(data_dir, icon)) return ImageBytes::Owned(std::move(*bytes));
    return Builtin(BuiltinImage::kBookmark);
  }
  if (s == place::kThisPc) return Builtin(BuiltinImage::kThisPc);
  if (s == place::kDesktop) return Builtin(BuiltinImage::kDesktop);
  if (s == place::kControlPanel) return Builtin(BuiltinImage::kControlPanel);
  if (s == place::kRecycleBin) return Builtin(BuiltinImage::kRecycleBin);
  if (OneOf(s, kPictureExtensions)) {
    const std::string path = FilePathOfCode(code);
    return path.empty() ? ImageBytes() : FileOrEmpty(text::PathFromUtf8(path));
  }
  if (OneOf(s, kVideoExtensions)) return Builtin(BuiltinImage::kVideo);
  if (OneOf(s, kAudioExtensions)) return Builtin(BuiltinImage::kAudio);
  if (s == suffix::kMacro) return Builtin(BuiltinImage::kMacro);
  if (s == suffix::kFunction) return Builtin(BuiltinImage::kFunction);
  if (s == suffix::kText) return Builtin(BuiltinImage::kTextSnippet);
  return Builtin(BuiltinImage::kGenericFile);
}

}  // namespace velora::exec
