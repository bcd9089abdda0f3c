#include "acquire/icon_extract_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/handles_win32.h"
#include "formats/icon_file.h"
#include "settings/atomic_file.h"
#include "support/temp_folder.h"

using namespace velora;

namespace {

std::vector<int> Sides(const std::string& icon_file) {
  std::vector<int> sides;
  const auto images = formats::ParseIconFile(icon_file);
  for (const auto& image : images.value()) sides.push_back(image.entry.PixelWidth());
  return sides;
}

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  const core::UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  return {bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

// What Windows itself makes of the file: every image becomes an icon of its own size, and the
// file loads at each of those sizes.
void ExpectWindowsLoadsEveryImage(const std::filesystem::path& path, const std::string& file) {
  const auto images = formats::ParseIconFile(file);
  ASSERT_TRUE(images);
  for (const auto& image : *images) {
    const int side = image.entry.PixelWidth();
    const core::UniqueIcon from_data(CreateIconFromResourceEx(
        reinterpret_cast<BYTE*>(const_cast<char*>(image.data.data())), static_cast<DWORD>(image.data.size()),
        TRUE, 0x00030000, side, side, LR_DEFAULTCOLOR));
    ASSERT_TRUE(from_data) << "image of " << side;
    EXPECT_EQ(IconSize(from_data.get()).cx, side);

    const core::UniqueIcon from_file(
        static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, side, side, LR_LOADFROMFILE)));
    ASSERT_TRUE(from_file) << "file at " << side;
    EXPECT_EQ(IconSize(from_file.get()).cx, side);
  }
}

class IconExtractTest : public ::testing::Test {
 protected:
  std::filesystem::path IconFile() const { return folder.path() / "icon" / "DCB080F9C5.ico"; }
  void SetUp() override { std::filesystem::create_directory(folder.path() / "icon"); }

  velora::testing::TempFolder folder{"velora_设置"};
};

}  // namespace

TEST_F(IconExtractTest, WritesTheFirstGroupWithEverySizeItHolds) {
  ASSERT_TRUE(acquire::ExtractProgramIcon(VELORA_ICON_HOLDER, IconFile()));
  const std::string file = *settings::ReadFileBytes(IconFile());
  // The first group is the one compiled in as id 1, image for image as its source file.
  EXPECT_EQ(Sides(file), (std::vector<int>{16, 24, 32, 48, 64, 128, 256}));
  const std::string source = *settings::ReadFileBytes(VELORA_HOLDER_FIRST_ICON);
  const auto expected = formats::ParseIconFile(source);
  const auto written = formats::ParseIconFile(file);
  ASSERT_EQ(written->size(), expected->size());
  for (std::size_t i = 0; i < expected->size(); ++i) {
    EXPECT_EQ((*written)[i].entry, (*expected)[i].entry) << i;
    EXPECT_EQ((*written)[i].data, (*expected)[i].data) << i;
  }
  ExpectWindowsLoadsEveryImage(IconFile(), file);
  EXPECT_FALSE(std::filesystem::exists(settings::AtomicFile::TemporaryPath(IconFile())));
}

TEST_F(IconExtractTest, ReadsTheSystemsOwnProgramsAndReplacesAnOldFile) {
  wchar_t system[MAX_PATH];
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  ASSERT_TRUE(settings::WriteFileAtomically(IconFile(), "an older icon"));
  ASSERT_TRUE(acquire::ExtractProgramIcon(std::filesystem::path(system) / L"notepad.exe", IconFile()));
  const std::string file = *settings::ReadFileBytes(IconFile());
  ASSERT_TRUE(formats::ParseIconFile(file));
  EXPECT_GE(Sides(file).size(), 2u) << "several sizes for a sharp grid at every scale";
  ExpectWindowsLoadsEveryImage(IconFile(), file);
}

TEST_F(IconExtractTest, WritesNothingForAProgramWithoutIconOrAFileThatIsNoProgram) {
  // The test program itself carries no icon resource.
  wchar_t self[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  EXPECT_FALSE(acquire::FirstIconGroupFile(self));
  EXPECT_FALSE(acquire::ExtractProgramIcon(self, IconFile()));

  const std::filesystem::path text = folder.path() / "说明.exe";
  ASSERT_TRUE(settings::WriteFileAtomically(text, "MZ but not a program"));
  EXPECT_FALSE(acquire::ExtractProgramIcon(text, IconFile()));
  EXPECT_FALSE(acquire::ExtractProgramIcon(folder.path() / "missing.exe", IconFile()));
  EXPECT_FALSE(std::filesystem::exists(IconFile()));
}
