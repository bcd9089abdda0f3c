// Against the real registry: the machine-wide Run key, under a value name of the test's own so
// that no value is ever left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "settings/run_key_win32.h"
#include "text/fs_path.h"
#include "text/utf.h"

using namespace velora::settings;

namespace {

constexpr wchar_t kRunKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class RunKeyTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteTestValue(); }
  void TearDown() override { DeleteTestValue(); }

  void DeleteTestValue() {
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunKeyPath, velora::text::Widen(name).c_str());
  }
  std::optional<std::wstring> Data() {
    wchar_t data[1024] = {};
    DWORD size = sizeof(data);
    DWORD type = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kRunKeyPath, velora::text::Widen(name).c_str(), RRF_RT_ANY, &type,
                     data, &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
      return std::nullopt;
    }
    return std::wstring(data);
  }

  const std::string name = "velora_测试_" + std::to_string(GetCurrentProcessId()) + ".exe";
  const std::filesystem::path executable = velora::text::PathFromUtf8("C:\\程序 目录\\" + name);
  RegistryRunKey key;
};

}  // namespace

TEST_F(RunKeyTest, SwitchingOnWritesTheFullPathAndOffRemovesIt) {
  ASSERT_FALSE(AutostartExists(key, executable));
  EXPECT_EQ(SetAutostart(key, executable, true), AutostartOutcome::kOn);
  EXPECT_EQ(Data(), velora::text::Widen("C:\\程序 目录\\" + name));
  EXPECT_TRUE(AutostartExists(key, executable));

  EXPECT_EQ(SetAutostart(key, executable, false), AutostartOutcome::kOff);
  EXPECT_EQ(Data(), std::nullopt);
  EXPECT_FALSE(AutostartExists(key, executable));
  // Switching off what is not there is still done.
  EXPECT_EQ(SetAutostart(key, executable, false), AutostartOutcome::kOff);
}

TEST_F(RunKeyTest, ValueWrittenByAnotherToolCountsWhateverItsData) {
  const std::wstring other = L"\"D:\\elsewhere\\x.exe\" /tray";
  ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kRunKeyPath, velora::text::Widen(name).c_str(), REG_SZ,
                            other.c_str(), static_cast<DWORD>((other.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  EXPECT_TRUE(AutostartExists(key, executable));
  // Switching on again puts this copy's path there.
  EXPECT_EQ(SetAutostart(key, executable, true), AutostartOutcome::kOn);
  EXPECT_EQ(Data(), velora::text::Widen("C:\\程序 目录\\" + name));
}
