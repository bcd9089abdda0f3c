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

TEST(Autostart, OutcomesComeFromReadingTheKeyBack) {
  FakeRunKey key;
  // The check box shows the outcome's state, which must be what the key holds.
  const auto switch_to = [&key](bool on) {
    const AutostartOutcome outcome = SetAutostart(key, kExecutable, on);
    EXPECT_EQ(AutostartChecked(outcome), AutostartExists(key, kExecutable));
    return outcome;
  };
  EXPECT_EQ(switch_to(true), AutostartOutcome::kOn);
  EXPECT_EQ(switch_to(false), AutostartOutcome::kOff);

  key.writable = false;
  EXPECT_EQ(switch_to(true), AutostartOutcome::kOnFailed);
  key.values["Velora.exe"] = "written by another tool";
  EXPECT_EQ(switch_to(false), AutostartOutcome::kOffFailed);
}

TEST(Autostart, ValueNamedAfterTheFileHoldsTheFullPath) {
  FakeRunKey key;
  (void)SetAutostart(key, kExecutable, true);
  ASSERT_EQ(key.values.size(), 1u);
  EXPECT_EQ(key.values.begin()->first, "Velora.exe");
  EXPECT_EQ(velora::text::PathFromUtf8(key.values.begin()->second),
            std::filesystem::path(kExecutable).make_preferred());
  // A copy elsewhere under the same name shares the value.
  EXPECT_TRUE(AutostartExists(key, velora::text::PathFromUtf8("D:/其他/Velora.exe")));
}
