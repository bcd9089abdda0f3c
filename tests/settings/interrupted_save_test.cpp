// Saves that fail at the last moment, with real Windows files: the old settings file survives.
#include <windows.h>

#include <gtest/gtest.h>

#include "settings/atomic_file.h"
#include "settings/settings.h"
#include "support/temp_folder.h"
#include "text/gbk.h"

using namespace velora::settings;

namespace {

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

}  // namespace

// Another program holding the file open without sharing it for deletion, as a virus scanner or
// an editor does, makes the rename fail after every byte was written.
TEST(InterruptedSave, RenameRefusedKeepsTheOldFileAndNoTemporary) {
  velora::testing::TempFolder folder{"velora_设置"};
  const std::filesystem::path target = SettingsPath(folder.path());
  const std::string good = velora::text::Utf8ToGbk("[初始化]\r\n窗口宽度=640\r\n");
  ASSERT_TRUE(WriteFileAtomically(target, good));
  {
    Handle holder(CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
    std::unique_ptr<AtomicFile> file = AtomicFile::Begin(target);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->Write("[new]\r\n"));
    EXPECT_FALSE(file->Commit());
    EXPECT_FALSE(file->Write("more"));
    EXPECT_FALSE(std::filesystem::exists(AtomicFile::TemporaryPath(target)));
  }
  EXPECT_EQ(ReadFileBytes(target), good);
  // Once the file is free again the next save goes through.
  EXPECT_TRUE(SaveWindowSize(target, 700, 320));
  EXPECT_NE(ReadFileBytes(target), good);
}

// A read-only settings file is the user's choice: a save fails, the file stays as it was.
TEST(InterruptedSave, ReadOnlyFileIsNotReplaced) {
  velora::testing::TempFolder folder{"velora_设置"};
  const std::filesystem::path target = SettingsPath(folder.path());
  const std::string good = velora::text::Utf8ToGbk("[初始化]\r\n窗口宽度=640\r\n");
  ASSERT_TRUE(WriteFileAtomically(target, good));
  ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(SaveWindowSize(target, 700, 320));
  EXPECT_EQ(ReadFileBytes(target), good);
  EXPECT_FALSE(std::filesystem::exists(AtomicFile::TemporaryPath(target)));
  SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A file that exists but cannot be read is not rewritten from nothing: lines the program did not
// write would be lost.
TEST(InterruptedSave, UnreadableFileIsNotRewrittenBlind) {
  velora::testing::TempFolder folder{"velora_设置"};
  const std::filesystem::path target = SettingsPath(folder.path());
  const std::string good = velora::text::Utf8ToGbk("[其他]\r\n键=值\r\n");
  ASSERT_TRUE(WriteFileAtomically(target, good));
  {
    Handle exclusive(
        CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(exclusive.get(), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(SaveWindowSize(target, 700, 320));
  }
  EXPECT_EQ(ReadFileBytes(target), good);
}
