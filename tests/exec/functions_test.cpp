// The built-in functions' dispatch and hide rule, with recording effects: nothing here shuts
// down, locks or starts anything.
#include "exec/functions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velora::exec {
namespace {

class RecordingFunctions final : public FunctionEffects {
 public:
  void OpenNetworkConnections() override { log.push_back("network connections"); }
  void LookUpExternalAddress() override { log.push_back("external address"); }
  void LookUpInternalAddresses() override { log.push_back("internal addresses"); }
  void EndSession(ExitKind kind) override { log.push_back("exit " + std::to_string(static_cast<int>(kind))); }
  void LockWorkstation() override { log.push_back("lock"); }
  void StartTaskManager() override { log.push_back("task manager"); }
  void StartScreensaver() override { log.push_back("screensaver"); }
  void HidePanel() override { log.push_back("hide"); }
  void Pause(int milliseconds) override { log.push_back("pause " + std::to_string(milliseconds)); }
  void TogglePinAtPointer() override { log.push_back("toggle pin"); }
  void ShowPanel() override { log.push_back("show"); }

  std::vector<std::string> log;
};

using Log = std::vector<std::string>;

Log Dispatch(std::string_view code, bool held) {
  RecordingFunctions effects;
  RunFunction(code, held, effects);
  return effects.log;
}

}  // namespace

TEST(RunFunction, EachCodeRunsItsActionThenHidesUnlessHeld) {
  EXPECT_EQ(Dispatch("功能网络连接", false), (Log{"network connections", "hide"}));
  EXPECT_EQ(Dispatch("功能强制关机", false), (Log{"exit 0", "hide"}));
  EXPECT_EQ(Dispatch("功能强制重启", true), (Log{"exit 1"}));
  EXPECT_EQ(Dispatch("功能强制注销", false), (Log{"exit 2", "hide"}));
  EXPECT_EQ(Dispatch("功能任务管理", false), (Log{"task manager", "hide"}));
  EXPECT_EQ(Dispatch("功能时钟屏保", true), (Log{"screensaver"}));
  // Switching user locks the workstation exactly like locking the screen.
  EXPECT_EQ(Dispatch("功能切换用户", false), Dispatch("功能锁定屏幕", false));
  EXPECT_EQ(Dispatch("功能锁定屏幕", false), (Log{"lock", "hide"}));
}

TEST(RunFunction, AddressLookupsKeepThePanelEvenWhenNotHeld) {
  EXPECT_EQ(Dispatch("功能取外网IP", false), (Log{"external address"}));
  EXPECT_EQ(Dispatch("功能取内网IP", false), (Log{"internal addresses"}));
}

TEST(RunFunction, PinningHidesFirstAndComesBackOnlyWhenHeld) {
  EXPECT_EQ(Dispatch("功能置顶窗口", true), (Log{"hide", "pause 10", "toggle pin", "show"}));
  EXPECT_EQ(Dispatch("功能置顶窗口", false), (Log{"hide", "pause 10", "toggle pin", "hide"}));
}

TEST(RunFunction, OnlyTheBeginningIsComparedAndUnknownCodesOnlyHide) {
  EXPECT_EQ(FunctionOfCode("功能锁定屏幕（旧）"), BuiltinFunction::kLockScreen);
  EXPECT_EQ(FunctionOfCode("功能锁定"), BuiltinFunction::kNone);
  EXPECT_EQ(FunctionOfCode("锁定屏幕"), BuiltinFunction::kNone);
  EXPECT_EQ(Dispatch("功能不存在", false), (Log{"hide"}));
  EXPECT_EQ(Dispatch("功能不存在", true), Log{});
}

TEST(JoinAddresses, ResolverOrderWithOneSlashBetween) {
  EXPECT_EQ(JoinAddresses({"192.168.1.5", "10.0.0.7"}), "192.168.1.5/10.0.0.7");
  EXPECT_EQ(JoinAddresses({"192.168.1.5"}), "192.168.1.5");
  EXPECT_EQ(JoinAddresses({}), "");
}

}  // namespace velora::exec
