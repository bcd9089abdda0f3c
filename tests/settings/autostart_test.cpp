#include "settings/autostart.h"

#include <gtest/gtest.h>

#include <map>

#include "text/fs_path.h"

using namespace velora::settings;

namespace {

// A Run key whose writes can be made to fail silently, as without administrator rights.
class FakeRunKey : public RunKey {
 public:
  bool HasValue(std::string_view name) override { return values.count(std::string(name)) > 0; }
  void SetValue(std::string_view name, std::string_view data) override {
    if (writable) values[std::string(name)] = data;
  }
  void DeleteValue(std::string_view name) override {
    if (writable) values.erase(std::string(name));
  }

  std::map<std::string, std::string> values;
  bool writable = true;
};

const std::filesystem::path kExecutable = velora::text::PathFromUtf8("C:/程序/Velora.exe");

}  // namespace

class AutostartTest : public ::testing::Test {
 protected:
  FakeRunKey machine;
  FakeRunKey user;
  RunKeys keys{machine, user};
};

TEST_F(AutostartTest, OutcomesComeFromReadingTheKeysBack) {
  EXPECT_EQ(SetAutostart(keys, kExecutable, true), AutostartOutcome::kOn);
  EXPECT_TRUE(AutostartExists(keys, kExecutable));
  EXPECT_EQ(SetAutostart(keys, kExecutable, false), AutostartOutcome::kOff);
  EXPECT_FALSE(AutostartExists(keys, kExecutable));

  machine.writable = false;
  user.writable = false;
  EXPECT_EQ(SetAutostart(keys, kExecutable, true), AutostartOutcome::kOnFailed);
  machine.values["Velora.exe"] = "written by another tool";
  EXPECT_EQ(SetAutostart(keys, kExecutable, false), AutostartOutcome::kOffFailed);
}

TEST_F(AutostartTest, MachineKeyWhereAllowedTheUsersKeyWhereRefused) {
  (void)SetAutostart(keys, kExecutable, true);
  EXPECT_EQ(machine.values.size(), 1u);
  EXPECT_TRUE(user.values.empty());
  (void)SetAutostart(keys, kExecutable, false);

  // Not elevated: the machine's key refuses, the box still ends up ticked.
  machine.writable = false;
  EXPECT_EQ(SetAutostart(keys, kExecutable, true), AutostartOutcome::kOn);
  EXPECT_TRUE(machine.values.empty());
  ASSERT_EQ(user.values.count("Velora.exe"), 1u);
  EXPECT_TRUE(AutostartExists(keys, kExecutable));
  // Off removes it from wherever it is.
  EXPECT_EQ(SetAutostart(keys, kExecutable, false), AutostartOutcome::kOff);
  EXPECT_TRUE(user.values.empty());
}

TEST_F(AutostartTest, EitherKeyShowsTheBoxTickedAndOffClearsBoth) {
  user.values["Velora.exe"] = "C:\\old\\Velora.exe";
  EXPECT_TRUE(AutostartExists(keys, kExecutable));
  machine.values["Velora.exe"] = "C:\\other\\Velora.exe";
  EXPECT_EQ(SetAutostart(keys, kExecutable, false), AutostartOutcome::kOff);
  EXPECT_TRUE(machine.values.empty());
  EXPECT_TRUE(user.values.empty());
}

TEST_F(AutostartTest, ValueNamedAfterTheFileHoldsTheFullPath) {
  (void)SetAutostart(keys, kExecutable, true);
  ASSERT_EQ(machine.values.size(), 1u);
  EXPECT_EQ(machine.values.begin()->first, "Velora.exe");
  EXPECT_EQ(velora::text::PathFromUtf8(machine.values.begin()->second),
            std::filesystem::path(kExecutable).make_preferred());
  // A copy elsewhere under the same name shares the value.
  EXPECT_TRUE(AutostartExists(keys, velora::text::PathFromUtf8("D:/其他/Velora.exe")));
}
