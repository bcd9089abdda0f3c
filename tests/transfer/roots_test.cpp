#include "transfer/roots.h"

#include <gtest/gtest.h>

namespace velora::transfer {
namespace {

const Roots kHere{"C:\\Users\\王小明", "C:\\Users\\王小明\\Tools\\Velora\\"};
const Roots kThere{"E:\\Home\\李\\", "D:\\Velora"};

TEST(Roots, PathsUnderARootAreWrittenWithItsPlaceholderAndReadWithTheOtherMachines) {
  struct Case {
    const char* path;
    const char* written;
    const char* there;
  };
  const Case cases[] = {
      {"C:\\Users\\王小明\\Desktop\\a.exe", "%USERPROFILE%\\Desktop\\a.exe", "E:\\Home\\李\\Desktop\\a.exe"},
      {"c:\\users\\王小明\\x", "%USERPROFILE%\\x", "E:\\Home\\李\\x"},
      {"C:\\Users\\王小明", "%USERPROFILE%", "E:\\Home\\李"},
      {"C:/Users/王小明/x", "%USERPROFILE%/x", "E:\\Home\\李/x"},
      // The program's folder lies inside the profile: the nearer root wins.
      {"C:\\Users\\王小明\\Tools\\Velora\\配置", "%VELORA%\\配置", "D:\\Velora\\配置"},
      // Not on a separator, or another folder: as it is.
      {"C:\\Users\\王小明明\\x", "C:\\Users\\王小明明\\x", "C:\\Users\\王小明明\\x"},
      {"D:\\游戏\\a.exe", "D:\\游戏\\a.exe", "D:\\游戏\\a.exe"},
      {"%TEMP%\\x", "%TEMP%\\x", "%TEMP%\\x"},
      // A path that itself begins with a placeholder's text never takes a root.
      {"%USERPROFILE%\\x", "%%USERPROFILE%\\x", "%USERPROFILE%\\x"},
      {"%%velora%", "%%%velora%", "%%velora%"},
      {"%USERPROFILEX", "%USERPROFILEX", "%USERPROFILEX"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PathForFile(c.path, kHere), c.written) << c.path;
    EXPECT_EQ(PathFromFile(c.written, kThere), c.there) << c.path;
  }
}

TEST(Roots, AMachineWithoutTheRootKeepsThePlaceholder) {
  EXPECT_EQ(PathFromFile("%VELORA%\\配置", Roots{"E:\\Home", ""}), "%VELORA%\\配置");
  EXPECT_EQ(PathForFile("C:\\x", Roots{}), "C:\\x");
}

}  // namespace
}  // namespace velora::transfer
