// Icon files (a site's favicon, a picture item, the cache) and the icon-group directories of
// programs: nothing is read outside the bytes, a parsed file written again parses to the same
// images, a group's file parses as one, and what parses as an icon passes the picture check.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "check.h"
#include "formats/icon_file.h"
#include "formats/image_type.h"

namespace formats = velora::formats;

namespace {

bool Inside(std::string_view part, std::string_view whole) {
  return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
}

void CheckFile(std::string_view bytes) {
  const auto images = formats::ParseIconFile(bytes);
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = velora::fuzz::Bytes(data, size);
  CheckFile(bytes);
  CheckGroup(bytes);
  (void)formats::IsImageBytes(bytes);
  return 0;
}
