// Icon and cursor files (a site's favicon, a picture item, the cache, the press pointer), the
// icon-group directories of programs and the bitmaps inside icons: nothing is read outside the
// bytes, a parsed file written again parses to the same images, a group's file parses as one, what
// parses as an icon passes the picture check, and a bitmap's parts lie where its header says.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "check.h"
#include "formats/dib.h"
#include "formats/icon_file.h"
#include "formats/image_type.h"

namespace formats = velora::formats;

namespace {

bool Inside(std::string_view part, std::string_view whole) {
  return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
}

// The bitmap of an icon or a cursor image: its parts lie inside it at the sizes its header gives,
// and its pixels fill the picture.
void CheckDib(std::string_view image) {
  const auto dib = formats::ReadIconDib(image);
  const auto pixels = formats::IconDibPixels(image);
  FUZZ_CHECK(dib || !pixels);
  if (!dib) return;
  FUZZ_CHECK(dib->width >= 1 && dib->width <= 1024 && dib->height >= 1 && dib->height <= 1024);
  const auto height = static_cast<std::size_t>(dib->height);
  FUZZ_CHECK(Inside(dib->palette, image) && dib->palette.size() <= 256 * 4);
  FUZZ_CHECK(Inside(dib->colour_rows, image) && dib->colour_rows.size() == dib->colour_stride * height);
  FUZZ_CHECK(dib->mask_rows.empty() ||
             (Inside(dib->mask_rows, image) && dib->mask_rows.size() == dib->mask_stride * height));
  if (pixels) {
    FUZZ_CHECK(pixels->width == dib->width && pixels->height == dib->height);
    FUZZ_CHECK(pixels->argb.size() == static_cast<std::size_t>(dib->width) * height);
  }
}

void CheckFile(std::string_view bytes) {
  // What a picture on show takes: the images inside the bytes, all of them when the file is whole.
  const auto shown = formats::ParseIconFile(bytes, formats::BadImage::kLeaveOut);
  if (shown) {
    for (const formats::IconFileImage& image : *shown) {
      FUZZ_CHECK(Inside(image.data, bytes) && image.data.size() == image.entry.size && !image.data.empty());
      CheckDib(image.data);
    }
  }
  const auto images = formats::ParseIconFile(bytes);
  FUZZ_CHECK(!images || (shown && shown->size() == images->size()));
  if (!images) return;
  FUZZ_CHECK(!images->empty());
  FUZZ_CHECK(formats::IsImageBytes(bytes));
  for (const formats::IconFileImage& image : *images) {
    FUZZ_CHECK(Inside(image.data, bytes));
    FUZZ_CHECK(image.data.size() == image.entry.size && image.entry.size > 0);
  }
  const std::string written = formats::WriteIconFile(*images);
  const auto again = formats::ParseIconFile(written);
  FUZZ_CHECK(again && again->size() == images->size());
  for (std::size_t i = 0; i < images->size(); ++i) {
    FUZZ_CHECK((*again)[i].entry == (*images)[i].entry);
    FUZZ_CHECK((*again)[i].data == (*images)[i].data);
  }
  FUZZ_CHECK(formats::WriteIconFile(*again) == written);
}

// Image ids name slices of the input itself, so the group's images are fuzzed too; an odd id
// has no image.
void CheckGroup(std::string_view bytes) {
  const auto group = formats::ParseIconGroup(bytes);
  std::size_t given = 0;
  const auto image_of = [&](std::uint16_t id) -> std::optional<std::string_view> {
    if (id % 2 != 0) return std::nullopt;
    const std::string_view image = bytes.substr(std::min<std::size_t>(id / 2, bytes.size()));
    if (!image.empty()) ++given;
    return image;
  };
  const auto file = formats::IconFileOfGroup(bytes, image_of);
  FUZZ_CHECK(!file || group);
  if (!group) return;
  if (!file) {
    FUZZ_CHECK(given == 0);
    return;
  }
  const auto images = formats::ParseIconFile(*file);
  FUZZ_CHECK(images && images->size() == given);
  FUZZ_CHECK(formats::IsImageBytes(*file));
}

void CheckCursor(std::string_view bytes) {
  const auto images = formats::ParseCursorFile(bytes);
  if (!images) return;
  FUZZ_CHECK(!images->empty() && !formats::ParseIconFile(bytes));
  for (const formats::CursorImage& image : *images) {
    FUZZ_CHECK(Inside(image.data, bytes) && !image.data.empty());
    const std::string resource = formats::CursorResource(image);
    FUZZ_CHECK(resource.size() == 4 + image.data.size() && resource.ends_with(image.data));
    CheckDib(image.data);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = velora::fuzz::Bytes(data, size);
  CheckFile(bytes);
  CheckCursor(bytes);
  CheckGroup(bytes);
  CheckDib(bytes);
  (void)formats::ImageTypeOf(bytes);
  return 0;
}
