// Opening with the shell for real under Wine: a file type of the test's own is handed to a
// recorder program, and shell links are written and read back.
#include "exec/shell_open_win32.h"

#include <windows.h>
// After windows.h, whose types these use.
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include "support/recorder_file_type_win32.h"
#include "support/shell_link_win32.h"
#include "support/temp_folder.h"
#include "text/fs_path.h"
#include "text/utf.h"

namespace velora::exec {
namespace {

class ShellOpenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    recorder = folder / L"记录器.exe";
    std::filesystem::copy_file(VELORA_RECORDER, recorder);
    file_type = std::make_unique<testing::RecorderFileType>(recorder);
    ASSERT_TRUE(file_type->ok());
  }
  void TearDown() override { file_type.reset(); }

  // What the recorder logged, once it has (the shell starts it and returns at once).
  std::string Recorded() {
    const std::filesystem::path log = recorder.wstring() + L".log";
    for (int i = 0; i < 250 && !std::filesystem::exists(log); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::ostringstream text;
    text << std::ifstream(log, std::ios::binary).rdbuf();
    return text.str();
  }

  velora::testing::TempFolder temp{"velora 打开"};
  const std::filesystem::path& folder = temp.path();
  std::filesystem::path recorder;
  std::unique_ptr<testing::RecorderFileType> file_type;
};

}  // namespace

void PrintTo(const ShortcutTarget& t, std::ostream* out) {
  *out << "{" << t.target << " | " << t.arguments << "}";
}

TEST_F(ShellOpenTest, OpensOffTheCallersThreadWithTheParametersGiven) {
  const std::filesystem::path document = folder / L"报告 2026.veloratest";
  std::ofstream(document) << "x";
  ShellOpener opener;
  opener.Open(text::PathToUtf8(document), "--页 3 \"a b\"");
  ASSERT_TRUE(opener.WaitUntilIdle(10000));
  const std::string log = Recorded();
  EXPECT_NE(log.find(text::PathToUtf8(document)), std::string::npos) << log;
  EXPECT_NE(log.find("--页 3 \"a b\""), std::string::npos) << log;
}

TEST_F(ShellOpenTest, AFileTheShellCannotOpenPassesSilently) {
  ShellOpener opener;
  opener.Open(text::PathToUtf8(folder / L"没有这个文件.veloratest"), "");
  opener.Open(text::PathToUtf8(folder / L"没有关联.zzz-none"), "");
  EXPECT_TRUE(opener.WaitUntilIdle(10000));
  // The worker goes on with the next request.
  const std::filesystem::path document = folder / L"下一个.veloratest";
  std::ofstream(document) << "x";
  opener.Open(text::PathToUtf8(document), "");
  ASSERT_TRUE(opener.WaitUntilIdle(10000));
  EXPECT_NE(Recorded().find("下一个"), std::string::npos);
}

TEST_F(ShellOpenTest, ShortcutsResolveToTheirTargetAndArguments) {
  // Wine keeps a link's target in the ANSI code page (Chinese comes back as "?"), so the target
  // here is plain ASCII; Windows keeps it whole. The arguments keep every character on both.
  const velora::testing::TempFolder ascii_folder{"velora-link"};
  const std::filesystem::path& ascii = ascii_folder.path();
  const std::filesystem::path target = ascii / L"recorder.exe";
  std::filesystem::copy_file(recorder, target, std::filesystem::copy_options::overwrite_existing);
  const std::filesystem::path with_arguments = folder / L"带参数.lnk";
  const std::filesystem::path plain = folder / L"不带.lnk";
  ASSERT_TRUE(testing::WriteShellLink(with_arguments, target.wstring(), L"--新建 \"x y.txt\""));
  ASSERT_TRUE(testing::WriteShellLink(plain, target.wstring(), L""));
  // Read back as the shell's link object gives it: compare with the short-path-free spelling.
  const auto resolved = ResolveShortcutFile(text::PathToUtf8(with_arguments));
  ASSERT_TRUE(resolved.has_value());
  EXPECT_TRUE(std::filesystem::equivalent(text::PathFromUtf8(resolved->target), target)) << resolved->target;
  EXPECT_EQ(resolved->arguments, "--新建 \"x y.txt\"");
  const auto resolved_plain = ResolveShortcutFile(text::PathToUtf8(plain));
  ASSERT_TRUE(resolved_plain.has_value());
  EXPECT_TRUE(std::filesystem::equivalent(text::PathFromUtf8(resolved_plain->target), target));
  EXPECT_EQ(resolved_plain->arguments, "");

  // Not a link, and no file at all.
  const std::filesystem::path not_a_link = folder / L"假的.lnk";
  std::ofstream(not_a_link) << "not a shell link";
  EXPECT_EQ(ResolveShortcutFile(text::PathToUtf8(not_a_link)), std::nullopt);
  EXPECT_EQ(ResolveShortcutFile(text::PathToUtf8(folder / L"不存在.lnk")), std::nullopt);
}

}  // namespace velora::exec
