// Dropped shortcuts made by the shell's link object, added through the real resolver and file
// system into a real store file.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "acquire/icon_key.h"
#include "acquire/item_adder.h"
#include "acquire/recording_icons.h"
#include "acquire/shell_path_facts_win32.h"
#include "store/items.h"
#include "store/template_db.h"
#include "support/shell_link_win32.h"
#include "support/temp_folder.h"
#include "text/fs_path.h"
#include "text/path_code.h"

namespace velora::acquire {
namespace {

namespace fs = std::filesystem;

class ShellAdderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Wine keeps a link's target in the ANSI code page, so the targets are plain ASCII; the
    // shortcuts' own names are Chinese.
    fs::create_directories(folder / "Tools");
    fs::create_directories(folder / "Docs");
    program = folder / "Tools" / "app.exe";
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    fs::copy_file(self, program);
    const fs::path store_file = folder / "Velora.db";
    ASSERT_TRUE(store::WriteTemplateDatabase(store_file));
    ASSERT_TRUE(db.Open(text::PathToUtf8(store_file)));
    situation.category = "软件";
    situation.now = "2026-03-04 05:06:07";
  }
  void TearDown() override { db.Close(); }

  // Drops the shortcut and adds it on the next tick.
  std::optional<store::ItemRow> DropAndAdd(const fs::path& dropped) {
    const std::string path = text::PathToUtf8(dropped);
    EXPECT_EQ(QueueDroppedPaths(queue, {path}), 0u);
    const auto added = adder.AddNext(queue, situation);
    EXPECT_TRUE(added && added->outcome == AddOutcome::kAdded);
    return store::ReadItem(db, situation.category, text::PathCode(path));
  }

  velora::testing::TempFolder temp{"velora-adder"};
  const fs::path& folder = temp.path();
  fs::path program;
  store::Database db;
  ShellPathFacts facts;
  testing::RecordingIcons icons;
  ItemAdder adder{db, facts, icons};
  DropQueue queue;
  AddSituation situation;
};

TEST_F(ShellAdderTest, AShortcutToAProgramBecomesTheProgramUnderTheShortcutsName) {
  const fs::path link = folder / L"编辑器.lnk";
  ASSERT_TRUE(velora::testing::WriteShellLink(link, program.wstring(), L"--新窗口 \"a b.txt\""));
  const auto row = DropAndAdd(link);
  ASSERT_TRUE(row);
  ASSERT_TRUE(row->path);
  EXPECT_TRUE(fs::equivalent(text::PathFromUtf8(*row->path), program)) << *row->path;
  EXPECT_EQ(row->suffix, ".exe");
  EXPECT_EQ(row->name, "编辑器");
  EXPECT_EQ(row->icon, IconKey(*row->path));
  EXPECT_EQ(icons.calls, (std::vector<std::string>{"icon " + *row->path + " " + IconKey(*row->path)}));
}

TEST_F(ShellAdderTest, AShortcutToAFolderBecomesTheFolder) {
  const fs::path link = folder / L"文档夹.lnk";
  ASSERT_TRUE(velora::testing::WriteShellLink(link, (folder / "Docs").wstring()));
  const auto row = DropAndAdd(link);
  ASSERT_TRUE(row);
  ASSERT_TRUE(row->path);
  EXPECT_TRUE(fs::equivalent(text::PathFromUtf8(*row->path), folder / "Docs")) << *row->path;
  EXPECT_EQ(row->suffix, "文件夹");
  EXPECT_EQ(row->name, "文档夹");
  EXPECT_EQ(row->icon, "");
  EXPECT_TRUE(icons.calls.empty());
}

TEST_F(ShellAdderTest, AShortcutIntoProgramFilesX86FindsTheNativeInstall) {
  for (const char* install : {"Program Files (x86)", "Program Files"}) {
    fs::create_directories(folder / install / "App");
    fs::copy_file(program, folder / install / "App" / "app.exe");
  }
  const fs::path link = folder / L"应用.lnk";
  ASSERT_TRUE(
      velora::testing::WriteShellLink(link, (folder / "Program Files (x86)" / "App" / "app.exe").wstring()));
  const auto row = DropAndAdd(link);
  ASSERT_TRUE(row && row->path);
  EXPECT_TRUE(fs::equivalent(text::PathFromUtf8(*row->path), folder / "Program Files" / "App" / "app.exe"))
      << *row->path;
}

TEST_F(ShellAdderTest, AShortcutToADocumentStoresTheDocumentAndAFileItsOwnPath) {
  const fs::path document = folder / "Docs" / "notes.TXT";
  std::ofstream(document) << "x";
  const fs::path link = folder / L"笔记.lnk";
  ASSERT_TRUE(velora::testing::WriteShellLink(link, document.wstring()));
  const auto row = DropAndAdd(link);
  ASSERT_TRUE(row && row->path);
  EXPECT_TRUE(fs::equivalent(text::PathFromUtf8(*row->path), document)) << *row->path;
  EXPECT_EQ(row->suffix, ".txt");
  EXPECT_EQ(row->name, "笔记");

  // Dropped twice into a keyed category: still one item.
  const std::size_t rows = store::ListCodes(db, situation.category).size();
  EXPECT_TRUE(DropAndAdd(link));
  EXPECT_EQ(store::ListCodes(db, situation.category).size(), rows);

  // A file that only looks like a shortcut is kept as the file it is.
  const fs::path fake = folder / L"假的.lnk";
  std::ofstream(fake) << "not a shell link";
  const auto fake_row = DropAndAdd(fake);
  ASSERT_TRUE(fake_row);
  EXPECT_EQ(fake_row->path, text::PathToUtf8(fake));
  EXPECT_EQ(fake_row->suffix, ".lnk");
  EXPECT_EQ(fake_row->name, "假的");
}

}  // namespace
}  // namespace velora::acquire
