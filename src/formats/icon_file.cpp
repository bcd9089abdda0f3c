#include "formats/icon_file.h"

#include "formats/little_endian.h"

namespace velora::formats {
namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kFileEntrySize = 16;
constexpr std::size_t kGroupEntrySize = 14;
constexpr std::uint16_t kIconType = 1;
constexpr std::uint16_t kCursorType = 2;

// The fields both directory forms share: the first 12 bytes of an entry.
IconDirectoryEntry ReadEntry(std::string_view bytes, std::size_t at) {
  IconDirectoryEntry e;
  e.width = static_cast<std::uint8_t>(bytes[at]);
  e.height = static_cast<std::uint8_t>(bytes[at + 1]);
  e.colour_count = static_cast<std::uint8_t>(bytes[at + 2]);
  e.planes = ReadLe16(bytes, at + 4);
  e.bit_count = ReadLe16(bytes, at + 6);
  e.size = ReadLe32(bytes, at + 8);
  return e;
}

// The image count of a directory whose header gives `type` and whose entries all fit.
std::optional<std::size_t> DirectoryCount(std::string_view bytes, std::uint16_t type,
                                          std::size_t entry_size) {
  if (bytes.size() < kHeaderSize || ReadLe16(bytes, 0) != 0 || ReadLe16(bytes, 2) != type) {
    return std::nullopt;
  }
  const std::size_t count = ReadLe16(bytes, 4);
  if (count == 0 || bytes.size() - kHeaderSize < count * entry_size) return std::nullopt;
  return count;
}

// The images of an icon or a cursor file, whose hotspot stands in the planes and the bit count.
std::optional<std::vector<IconFileImage>> ParseFile(std::string_view file, std::uint16_t type, BadImage bad) {
  const auto count = DirectoryCount(file, type, kFileEntrySize);
  if (!count) return std::nullopt;
  std::vector<IconFileImage> images;
  images.reserve(*count);
  for (std::size_t i = 0; i < *count; ++i) {
    const std::size_t at = kHeaderSize + i * kFileEntrySize;
    const IconDirectoryEntry entry = ReadEntry(file, at);
    const std::size_t offset = ReadLe32(file, at + 12);
    if (entry.size == 0 || offset > file.size() || file.size() - offset < entry.size) {
      if (bad == BadImage::kRefuseFile) return std::nullopt;
      continue;
    }
    images.push_back({entry, file.substr(offset, entry.size)});
  }
  if (images.empty()) return std::nullopt;
  return images;
}

}  // namespace

std::optional<std::vector<IconGroupEntry>> ParseIconGroup(std::string_view group) {
  const auto count = DirectoryCount(group, kIconType, kGroupEntrySize);
  if (!count) return std::nullopt;
  std::vector<IconGroupEntry> entries;
  entries.reserve(*count);
  for (std::size_t i = 0; i < *count; ++i) {
    const std::size_t at = kHeaderSize + i * kGroupEntrySize;
    entries.push_back({ReadEntry(group, at), ReadLe16(group, at + 12)});
  }
  return entries;
}

std::optional<std::vector<IconFileImage>> ParseIconFile(std::string_view file, BadImage bad) {
  return ParseFile(file, kIconType, bad);
}

std::optional<std::vector<CursorImage>> ParseCursorFile(std::string_view file) {
  const auto images = ParseFile(file, kCursorType, BadImage::kRefuseFile);
  if (!images) return std::nullopt;
  std::vector<CursorImage> cursors;
  cursors.reserve(images->size());
  for (const IconFileImage& image : *images) {
    const IconDirectoryEntry& e = image.entry;
    cursors.push_back({e.width, e.height, e.planes, e.bit_count, image.data});
  }
  return cursors;
}

std::string CursorResource(const CursorImage& image) {
  std::string resource;
  resource.reserve(4 + image.data.size());
  AppendLe16(resource, image.hotspot_x);
  AppendLe16(resource, image.hotspot_y);
  resource.append(image.data);
  return resource;
}

std::string WriteIconFile(const std::vector<IconFileImage>& images) {
  // The count is 16 bits and every offset 32 bits.
  std::uint64_t total = kHeaderSize + images.size() * kFileEntrySize;
  for (const IconFileImage& image : images) total += image.data.size();
  if (images.size() > UINT16_MAX || total > UINT32_MAX) return {};
  std::string file;
  file.reserve(static_cast<std::size_t>(total));
  AppendLe16(file, 0);
  AppendLe16(file, kIconType);
  AppendLe16(file, static_cast<std::uint16_t>(images.size()));
  std::size_t offset = kHeaderSize + images.size() * kFileEntrySize;
  for (const IconFileImage& image : images) {
    const IconDirectoryEntry& e = image.entry;
    file.push_back(static_cast<char>(e.width));
    file.push_back(static_cast<char>(e.height));
    file.push_back(static_cast<char>(e.colour_count));
    file.push_back('\0');
    AppendLe16(file, e.planes);
    AppendLe16(file, e.bit_count);
    AppendLe32(file, static_cast<std::uint32_t>(image.data.size()));
    AppendLe32(file, static_cast<std::uint32_t>(offset));
    offset += image.data.size();
  }
  for (const IconFileImage& image : images) file.append(image.data);
  return file;
}

std::optional<std::string> IconFileOfGroup(std::string_view group, const IconImageSource& image_of) {
  const auto entries = ParseIconGroup(group);
  if (!entries) return std::nullopt;
  std::vector<IconFileImage> images;
  for (const IconGroupEntry& e : *entries) {
    const std::optional<std::string_view> data = image_of(e.id);
    if (data && !data->empty()) images.push_back({e.entry, *data});
  }
  if (images.empty()) return std::nullopt;
  std::string file = WriteIconFile(images);
  if (file.empty()) return std::nullopt;
  return file;
}

}  // namespace velora::formats
