// What each kind of dropped path becomes: 路径, 后缀, 名称 and the source of 图标.
#include "acquire/dropped_item.h"

#include <gtest/gtest.h>

#include "acquire/fake_path_facts.h"

namespace velora::acquire {

void PrintTo(const DroppedItem& item, std::ostream* out) {
  *out << "{" << item.path << " | " << item.suffix << " | " << item.name << " | "
       << static_cast<int>(item.icon) << "}";
}

namespace {

using IS = IconSource;

class DroppedItemTest : public ::testing::Test {
 protected:
  DroppedItem Classify(const std::string& path) { return ClassifyDropped(path, facts); }

  testing::FakePathFacts facts;
};

TEST_F(DroppedItemTest, FoldersKeepTheirWholeNameAndADriveRootIsNamedByItsPath) {
  facts.folders = {"C:\\", "D:\\资料\\v1.2", "D:\\发布.exe", "D:\\旧.lnk", "\\\\nas\\共享\\"};
  EXPECT_EQ(Classify("C:\\"), (DroppedItem{"C:\\", "文件夹", "C:\\", IS::kNone}));
  EXPECT_EQ(Classify("D:\\资料\\v1.2"), (DroppedItem{"D:\\资料\\v1.2", "文件夹", "v1.2", IS::kNone}));
  // A folder is a folder whatever its name ends in: no icon to extract, no link to read.
  EXPECT_EQ(Classify("D:\\发布.exe"), (DroppedItem{"D:\\发布.exe", "文件夹", "发布.exe", IS::kNone}));
  EXPECT_EQ(Classify("D:\\旧.lnk"), (DroppedItem{"D:\\旧.lnk", "文件夹", "旧.lnk", IS::kNone}));
  EXPECT_EQ(Classify("\\\\nas\\共享\\").name, "共享");
  EXPECT_TRUE(facts.resolved.empty());
}

TEST_F(DroppedItemTest, ProgramsInAnyLetterCaseGetTheirIcon) {
  EXPECT_EQ(Classify("D:\\Tools\\app.exe"),
            (DroppedItem{"D:\\Tools\\app.exe", ".exe", "app", IS::kProgramIcon}));
  // Its 后缀 makes the grid look for the icon file, so an upper-case program needs one too.
  EXPECT_EQ(Classify("D:\\Tools\\APP.EXE"),
            (DroppedItem{"D:\\Tools\\APP.EXE", ".exe", "APP", IS::kProgramIcon}));
  EXPECT_EQ(Classify("D:\\工具\\编 辑.器.Exe").name, "编 辑.器");
}

TEST_F(DroppedItemTest, PicturesByTheirLowerCasedExtensionOtherFilesByTheirs) {
  EXPECT_EQ(Classify("D:\\相册\\海边.JPG"),
            (DroppedItem{"D:\\相册\\海边.JPG", ".jpg", "海边", IS::kThumbnail}));
  for (const char* picture : {"a.png", "a.jpeg", "a.gif", "a.ico", "a.Png"})
    EXPECT_EQ(Classify(std::string("D:\\") + picture).icon, IS::kThumbnail) << picture;
  EXPECT_EQ(Classify("D:\\文档\\报告.PDF"), (DroppedItem{"D:\\文档\\报告.PDF", ".pdf", "报告", IS::kNone}));
  EXPECT_EQ(Classify("D:\\src\\README"), (DroppedItem{"D:\\src\\README", "", "README", IS::kNone}));
  EXPECT_EQ(Classify("D:\\x.bmp").icon, IS::kNone);
  // A name that is all extension keeps it as its name.
  EXPECT_EQ(Classify("D:\\src\\.gitignore").name, ".gitignore");
  // An upper-case .LNK is no shortcut here, as it is none to the launch: the file itself.
  EXPECT_EQ(Classify("D:\\旧\\工具.LNK"), (DroppedItem{"D:\\旧\\工具.LNK", ".lnk", "工具", IS::kNone}));
  EXPECT_TRUE(facts.resolved.empty());
}

TEST_F(DroppedItemTest, AShortcutIsNamedByItselfAndStandsForItsTarget) {
  facts.folders = {"D:\\Tools"};
  facts.links["C:\\桌面\\工具箱.lnk"] = {"D:\\Tools", ""};
  facts.links["C:\\桌面\\编辑器.lnk"] = {"C:\\Program Files\\Ed\\ed.exe", "--新窗口 \"a b.txt\""};
  EXPECT_EQ(Classify("C:\\桌面\\工具箱.lnk"), (DroppedItem{"D:\\Tools", "文件夹", "工具箱", IS::kNone}));
  // The arguments stay in the shortcut, which is what a launch opens.
  EXPECT_EQ(Classify("C:\\桌面\\编辑器.lnk"),
            (DroppedItem{"C:\\Program Files\\Ed\\ed.exe", ".exe", "编辑器", IS::kProgramIcon}));
  EXPECT_EQ(facts.resolved, (std::vector<std::string>{"C:\\桌面\\工具箱.lnk", "C:\\桌面\\编辑器.lnk"}));

  // A shortcut file named only ".lnk" takes its target's name.
  facts.links["C:\\桌面\\.lnk"] = {"C:\\Program Files\\Ed\\ed.exe", ""};
  EXPECT_EQ(Classify("C:\\桌面\\.lnk").name, "ed");
  facts.links["C:\\桌面\\.lnk"] = {"D:\\Tools", ""};
  EXPECT_EQ(Classify("C:\\桌面\\.lnk").name, "Tools");
}

TEST_F(DroppedItemTest, AShortcutToSomethingElseThanAProgramStoresItsTarget) {
  facts.links["C:\\桌面\\周报.lnk"] = {"D:\\文档\\周报.DOCX", "/r"};
  facts.links["C:\\桌面\\老程序.lnk"] = {"D:\\OLD\\PROG.EXE", "-x"};
  facts.links["C:\\桌面\\照片.lnk"] = {"D:\\相册\\一.PNG", ""};
  EXPECT_EQ(Classify("C:\\桌面\\周报.lnk"), (DroppedItem{"D:\\文档\\周报.DOCX", ".docx", "周报", IS::kNone}));
  EXPECT_EQ(Classify("C:\\桌面\\老程序.lnk"),
            (DroppedItem{"D:\\OLD\\PROG.EXE", ".exe", "老程序", IS::kProgramIcon}));
  EXPECT_EQ(Classify("C:\\桌面\\照片.lnk"),
            (DroppedItem{"D:\\相册\\一.PNG", ".png", "照片", IS::kThumbnail}));
  // A ".exe" inside a folder name does not make a program of a document.
  facts.links["C:\\桌面\\说明.lnk"] = {"D:\\setup.exe.d\\说明.txt", ""};
  EXPECT_EQ(Classify("C:\\桌面\\说明.lnk"),
            (DroppedItem{"D:\\setup.exe.d\\说明.txt", ".txt", "说明", IS::kNone}));
}

TEST_F(DroppedItemTest, AShortcutThatCannotBeReadKeepsItsOwnPath) {
  EXPECT_EQ(Classify("C:\\桌面\\坏了.lnk"), (DroppedItem{"C:\\桌面\\坏了.lnk", ".lnk", "坏了", IS::kNone}));
  facts.links["C:\\桌面\\空.lnk"] = {"", "-x"};  // a link to a shell item that has no path
  EXPECT_EQ(Classify("C:\\桌面\\空.lnk"), (DroppedItem{"C:\\桌面\\空.lnk", ".lnk", "空", IS::kNone}));
}

TEST_F(DroppedItemTest, X86IsDroppedOnlyWhenThatNamesAFile) {
  const std::string x86 = "C:\\Program Files (x86)\\App\\app.exe";
  const std::string native = "C:\\Program Files\\App\\app.exe";
  facts.links["C:\\桌面\\App.lnk"] = {x86, "-min"};
  EXPECT_EQ(Classify("C:\\桌面\\App.lnk").path, x86);
  facts.files = {native};
  EXPECT_EQ(Classify("C:\\桌面\\App.lnk").path, native);  // arguments or not
  // Every occurrence, in any letter case, blank included.
  facts.files = {"C:\\Program Files\\Games\\g.exe"};
  EXPECT_EQ(WithoutX86("C:\\Program Files (X86)\\Games (x86)\\g.exe", facts),
            "C:\\Program Files\\Games\\g.exe");
  EXPECT_EQ(WithoutX86("C:\\Program Files(x86)\\g.exe", facts), "C:\\Program Files(x86)\\g.exe");
}

TEST(DisplayName, IsTheFileNameWithoutItsExtensionOrTheWholePath) {
  EXPECT_EQ(DisplayName("D:\\Tools\\app.exe", false), "app");
  EXPECT_EQ(DisplayName("D:\\Tools\\app.tar.gz", false), "app.tar");
  EXPECT_EQ(DisplayName("D:\\Tools\\", true), "Tools");
  EXPECT_EQ(DisplayName("C:\\", true), "C:\\");
  EXPECT_EQ(DisplayName("C:", false), "C:");
  EXPECT_EQ(DisplayName("D:/工具/说明.txt", false), "说明");
}

}  // namespace
}  // namespace velora::acquire
