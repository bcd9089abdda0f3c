// Against the real registry: the machine's and the user's Run keys, under a value name of the
// test's own so that no value is ever left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/run_key_win32.h"
#include "text/fs_path.h"
#include "text/utf.h"

using namespace velora::settings;

namespace {

constexpr wchar_t kRunKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The machine's key as a user who has not elevated the program sees it: readable, never written.
class RefusingRunKey final : public RunKey {
 public:
  bool HasValue(std::string_view name) override { return real_.HasValue(name); }
  void SetValue(std::string_view, std::string_view) override {}
  void DeleteValue(std::string_view) override {}

 private:
  RegistryRunKey real_{RunKeyScope::kMachine};
};

class RunKeyTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteTestValues(); }
  void TearDown() override { DeleteTestValues(); }

  void DeleteTestValues() {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
      RegDeleteKeyValueW(root, kRunKeyPath, velora::text::Widen(name).c_str());
    }
  }
  std::optional<std::wstring> Data(HKEY root) {
    wchar_t data[1024] = {};
    DWORD size = sizeof(data);
    DWORD type = 0;
    if (RegGetValueW(root, kRunKeyPath, velora::text::Widen(name).c_str(), RRF_RT_ANY, &type, data, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
      return std::nullopt;
    }
    return std::wstring(data);
  }

  const std::string name = "velora_测试_" + std::to_string(GetCurrentProcessId()) + ".exe";
  const std::filesystem::path executable = velora::text::PathFromUtf8("C:\\程序 目录\\" + name);
  const std::wstring full_path = velora::text::Widen("C:\\程序 目录\\" + name);
  RegistryRunKey machine{RunKeyScope::kMachine};
  RegistryRunKey user{RunKeyScope::kUser};
  RunKeys keys{machine, user};
};

}  // namespace

TEST_F(RunKeyTest, SwitchingOnWritesTheFullPathAndOffRemovesIt) {
  ASSERT_FALSE(AutostartExists(keys, executable));
  EXPECT_EQ(SetAutostart(keys, executable, true), AutostartOutcome::kOn);
  EXPECT_EQ(Data(HKEY_LOCAL_MACHINE), full_path);
  EXPECT_EQ(Data(HKEY_CURRENT_USER), std::nullopt);
  EXPECT_TRUE(AutostartExists(keys, executable));

  EXPECT_EQ(SetAutostart(keys, executable, false), AutostartOutcome::kOff);
  EXPECT_EQ(Data(HKEY_LOCAL_MACHINE), std::nullopt);
  EXPECT_FALSE(AutostartExists(keys, executable));
  // Switching off what is not there is still done.
  EXPECT_EQ(SetAutostart(keys, executable, false), AutostartOutcome::kOff);
}

TEST_F(RunKeyTest, RefusedMachineKeyFallsBackToTheUsersKey) {
  RefusingRunKey refusing;
  const RunKeys not_elevated{refusing, user};
  EXPECT_EQ(SetAutostart(not_elevated, executable, true), AutostartOutcome::kOn);
  EXPECT_EQ(Data(HKEY_LOCAL_MACHINE), std::nullopt);
  EXPECT_EQ(Data(HKEY_CURRENT_USER), full_path);
  // The next start reads the box from both keys.
  EXPECT_TRUE(AutostartExists(keys, executable));

  EXPECT_EQ(SetAutostart(not_elevated, executable, false), AutostartOutcome::kOff);
  EXPECT_EQ(Data(HKEY_CURRENT_USER), std::nullopt);
}

TEST_F(RunKeyTest, ValueWrittenByAnotherToolCountsWhateverItsData) {
  const std::wstring other = L"\"D:\\elsewhere\\x.exe\" /tray";
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kRunKeyPath, velora::text::Widen(name).c_str(), REG_SZ,
                            other.c_str(), static_cast<DWORD>((other.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  EXPECT_TRUE(AutostartExists(keys, executable));
  // Switching on puts this copy's path into the machine's key; off clears both.
  EXPECT_TRUE(AutostartChecked(SetAutostart(keys, executable, true)));
  EXPECT_EQ(Data(HKEY_LOCAL_MACHINE), full_path);
  EXPECT_FALSE(AutostartChecked(SetAutostart(keys, executable, false)));
  EXPECT_EQ(Data(HKEY_CURRENT_USER), std::nullopt);
}
