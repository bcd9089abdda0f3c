#include "formats/icon_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace velora::formats;

namespace {

void Put16(std::string& out, unsigned value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, unsigned value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

struct GroupImage {
  unsigned side;  // 256 is written as 0
  unsigned bits;
  unsigned size;
  unsigned id;
};

// A group resource as a resource compiler writes it: 14-byte entries naming images by id.
std::string Group(const std::vector<GroupImage>& images, unsigned type = 1) {
  std::string g;
  Put16(g, 0);
  Put16(g, type);
  Put16(g, static_cast<unsigned>(images.size()));
  for (const GroupImage& i : images) {
    g.push_back(static_cast<char>(i.side & 0xFF));
    g.push_back(static_cast<char>(i.side & 0xFF));
    g.push_back(0);  // colours
    g.push_back(0);
    Put16(g, 1);  // planes
    Put16(g, i.bits);
    Put32(g, i.size);
    Put16(g, i.id);
  }
  return g;
}

std::uint16_t Le16(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::uint32_t Le32(const std::string& bytes, std::size_t at) {
  return Le16(bytes, at) | static_cast<std::uint32_t>(Le16(bytes, at + 2)) << 16;
}

IconDirectoryEntry Entry(std::uint8_t side, std::uint16_t bits, std::uint32_t size) {
  return {side, side, 0, 1, bits, size};
}

}  // namespace

TEST(IconFileOfGroup, HoldsEveryImageOfTheGroupInItsOrderWithFileOffsets) {
  const std::map<unsigned, std::string> resources = {
      {7, std::string(40, 'a')}, {3, std::string(90, 'b')}, {12, "\x89PNG large"}};
  const std::string group = Group({{16, 32, 40, 7}, {48, 32, 90, 3}, {256, 32, 10, 12}});
  const auto file = IconFileOfGroup(group, [&](std::uint16_t id) -> std::optional<std::string_view> {
    const auto at = resources.find(id);
    if (at == resources.end()) return std::nullopt;
    return std::string_view(at->second);
  });
  ASSERT_TRUE(file);

  // Header, three 16-byte entries, then the images back to back in the group's order.
  EXPECT_EQ(Le16(*file, 0), 0);
  EXPECT_EQ(Le16(*file, 2), 1);
  EXPECT_EQ(Le16(*file, 4), 3);
  EXPECT_EQ(Le32(*file, 6 + 12), 6u + 3 * 16);
  EXPECT_EQ(Le32(*file, 6 + 16 + 12), 6u + 3 * 16 + 40);
  EXPECT_EQ(Le32(*file, 6 + 32 + 12), 6u + 3 * 16 + 40 + 90);
  EXPECT_EQ(file->size(), 6u + 3 * 16 + 40 + 90 + 10);

  const auto images = ParseIconFile(*file);
  ASSERT_TRUE(images);
  ASSERT_EQ(images->size(), 3u);
  EXPECT_EQ((*images)[0].entry, Entry(16, 32, 40));
  EXPECT_EQ((*images)[0].data, resources.at(7));
  EXPECT_EQ((*images)[1].entry, Entry(48, 32, 90));
  EXPECT_EQ((*images)[1].data, resources.at(3));
  EXPECT_EQ((*images)[2].entry, Entry(0, 32, 10));  // 256 stays written as 0
  EXPECT_EQ((*images)[2].data, resources.at(12));
}

TEST(IconFileOfGroup, LeavesOutImagesThatCannotBeReadAndTakesTheirRealSize) {
  // The group says 999 bytes for image 2; the resource holds 5, and the file says 5.
  const std::string group = Group({{16, 8, 999, 2}, {32, 32, 64, 9}, {24, 4, 0, 4}});
  const auto file = IconFileOfGroup(group, [](std::uint16_t id) -> std::optional<std::string_view> {
    if (id == 2) return std::string_view("image");
    if (id == 4) return std::string_view();  // an empty resource is no image
    return std::nullopt;
  });
  ASSERT_TRUE(file);
  const auto images = ParseIconFile(*file);
  ASSERT_TRUE(images);
  ASSERT_EQ(images->size(), 1u);
  EXPECT_EQ((*images)[0].entry, Entry(16, 8, 5));
  EXPECT_EQ((*images)[0].data, "image");

  EXPECT_FALSE(IconFileOfGroup(group, [](std::uint16_t) { return std::optional<std::string_view>(); }));
}

TEST(ParseIconGroup, ReadsIdsAndRefusesWhatIsNoIconGroup) {
  const auto entries = ParseIconGroup(Group({{32, 32, 100, 1}, {16, 4, 50, 65535}}));
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 2u);
  EXPECT_EQ((*entries)[0].id, 1);
  EXPECT_EQ((*entries)[1].id, 65535);
  EXPECT_EQ((*entries)[1].entry, Entry(16, 4, 50));

  const std::string two = Group({{32, 32, 100, 1}, {16, 4, 50, 2}});
  EXPECT_FALSE(ParseIconGroup(two.substr(0, two.size() - 1))) << "last entry cut short";
  EXPECT_FALSE(ParseIconGroup(Group({{32, 32, 100, 1}}, 2))) << "a cursor group";
  EXPECT_FALSE(ParseIconGroup(Group({}))) << "no image";
  EXPECT_FALSE(ParseIconGroup(std::string("\0\0\1", 3)));
  EXPECT_FALSE(ParseIconGroup(""));
}

TEST(ParseIconFile, RefusesImagesOutsideTheBytesOrLeavesThemOut) {
  const std::string image(20, 'x');
  const std::string file = WriteIconFile({{Entry(32, 32, 0), image}});
  ASSERT_TRUE(ParseIconFile(file));
  EXPECT_EQ(ParseIconFile(file)->at(0).data, image);

  auto changed = [&](std::size_t at, std::string_view bytes) {
    std::string bad = file;
    bad.replace(at, bytes.size(), bytes);
    return bad;
  };
  const struct {
    std::string bytes;
    const char* what;
  } broken[] = {
      {file.substr(0, file.size() - 1), "image cut short"},
      {changed(6 + 12 + 3, "\x7F"), "offset near 2 GiB"},
      {changed(6 + 8, "\xFF\xFF\xFF\xFF"), "size 0xFFFFFFFF: offset + size wraps in 32 bits"},
      {changed(6 + 8, std::string(4, '\0')), "an image of no bytes"},
      {changed(4, std::string("\0", 1)), "no entries"},
      {changed(4, "\xFF"), "directory longer than the file"},
  };
  for (const auto& b : broken) {
    EXPECT_FALSE(ParseIconFile(b.bytes)) << b.what;
    EXPECT_FALSE(ParseIconFile(b.bytes, BadImage::kLeaveOut)) << b.what << ": nothing is left";
  }

  // A picture on show keeps the images that are there.
  std::string one_bad = WriteIconFile({{Entry(16, 32, 0), image}, {Entry(32, 32, 0), image}});
  one_bad[6 + 16 + 12 + 3] = '\x7F';
  EXPECT_FALSE(ParseIconFile(one_bad));
  const auto left = ParseIconFile(one_bad, BadImage::kLeaveOut);
  ASSERT_TRUE(left);
  ASSERT_EQ(left->size(), 1u);
  EXPECT_EQ(left->at(0).entry, Entry(16, 32, 20));
}

TEST(WriteIconFile, WritesNothingPastTheFormatsCount) {
  const std::vector<IconFileImage> too_many(65536, {Entry(16, 32, 1), "x"});
  EXPECT_EQ(WriteIconFile(too_many), "");
  const std::vector<IconFileImage> most(65535, {Entry(16, 32, 1), "x"});
  EXPECT_EQ(ParseIconFile(WriteIconFile(most))->size(), 65535u);
}

TEST(ParseCursorFile, ReadsHotspotsAndRefusesIconsAndImagesOutsideTheBytes) {
  // An icon file's layout with type 2, the hotspot where an icon keeps its planes and bit count.
  std::string cursor = WriteIconFile({{{32, 32, 0, 16, 8, 0}, "image"}, {{0, 0, 0, 300, 2, 0}, "big image"}});
  cursor[2] = '\2';
  const auto images = ParseCursorFile(cursor);
  ASSERT_TRUE(images);
  ASSERT_EQ(images->size(), 2u);
  EXPECT_EQ((*images)[0].width, 32);
  EXPECT_EQ((*images)[0].hotspot_x, 16);
  EXPECT_EQ((*images)[0].hotspot_y, 8);
  EXPECT_EQ((*images)[0].data, "image");
  EXPECT_EQ((*images)[1].hotspot_x, 300);
  EXPECT_EQ(CursorResource((*images)[1]), std::string("\x2C\x01\x02\0big image", 13));

  EXPECT_FALSE(ParseIconFile(cursor)) << "a cursor is no icon";
  EXPECT_FALSE(ParseCursorFile(WriteIconFile({{Entry(32, 32, 0), "image"}}))) << "an icon is no cursor";
  EXPECT_FALSE(ParseCursorFile(cursor.substr(0, cursor.size() - 1))) << "image cut short";
  EXPECT_FALSE(ParseCursorFile(cursor.substr(0, 6 + 16 + 15))) << "directory cut short";
}
