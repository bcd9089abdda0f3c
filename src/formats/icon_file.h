#pragma once
// Icon and cursor files and the icon-group resources of programs, as bytes. A program keeps each
// image of an icon as a resource of its own and a group directory that names them by id; an icon
// file holds the same directory with file offsets in place of the ids, followed by the images. A
// cursor file is laid out as an icon file whose entries hold a hotspot in place of the planes and
// bit count.
// Everything here reads untrusted bytes and never reads outside them.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velora::formats {

// The directory fields an image has in both forms. A width or height of 0 means 256.
struct IconDirectoryEntry {
  std::uint8_t width = 0;
  std::uint8_t height = 0;
  std::uint8_t colour_count = 0;
  std::uint16_t planes = 0;
  std::uint16_t bit_count = 0;
  std::uint32_t size = 0;  // bytes of the image as the directory states them

  int PixelWidth() const noexcept { return width ? width : 256; }
  int PixelHeight() const noexcept { return height ? height : 256; }
  bool operator==(const IconDirectoryEntry&) const = default;
};

struct IconGroupEntry {
  IconDirectoryEntry entry;
  std::uint16_t id = 0;  // the RT_ICON resource holding the image
};

struct IconFileImage {
  IconDirectoryEntry entry;
  std::string_view data;  // points into the parsed bytes
};

// A group resource's directory, in the group's order; empty when the bytes are no icon group
// (wrong header, no image, entries past the end).
std::optional<std::vector<IconGroupEntry>> ParseIconGroup(std::string_view group);

// What reading an icon file does with an image of no bytes or one outside them: a check of the
// whole file refuses it, a picture on show shows the images that are there.
enum class BadImage { kRefuseFile, kLeaveOut };

// An icon file's images, in directory order; empty when the bytes are no icon file, or an image
// lies outside them (kRefuseFile) or none is left (kLeaveOut).
std::optional<std::vector<IconFileImage>> ParseIconFile(std::string_view file,
                                                        BadImage bad = BadImage::kRefuseFile);

struct CursorImage {
  std::uint8_t width = 0;  // 0 means 256
  std::uint8_t height = 0;
  std::uint16_t hotspot_x = 0;  // the pixel that points, from the top left
  std::uint16_t hotspot_y = 0;
  std::string_view data;  // points into the parsed bytes
};

// A cursor file's images, in directory order; empty when the bytes are no cursor file or an image
// lies outside them.
std::optional<std::vector<CursorImage>> ParseCursorFile(std::string_view file);

// An image as a cursor resource holds it, the form the system makes a cursor from: the hotspot,
// then the image.
std::string CursorResource(const CursorImage& image);

// An icon file: the header, one 16-byte entry per image, then the images in the same order.
// Each entry's size is that of its data, whatever it said before. Empty when the images do not
// fit the format (more than 65535, or past 4 GiB in all).
std::string WriteIconFile(const std::vector<IconFileImage>& images);

// The icon file of a group, every image in the group's order; `image_of` gives an image's bytes
// by resource id. Images it cannot give are left out; empty when none is left.
using IconImageSource = std::function<std::optional<std::string_view>(std::uint16_t id)>;
std::optional<std::string> IconFileOfGroup(std::string_view group, const IconImageSource& image_of);

}  // namespace velora::formats
