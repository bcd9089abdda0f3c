#include "settings/settings.h"

#include <gtest/gtest.h>

#include "fake_controls.h"
#include "settings/atomic_file.h"
#include "support/temp_folder.h"
#include "text/fs_path.h"
#include "text/gbk.h"

using namespace velora::settings;
using velora::testing::FakeControl;
using velora::testing::FakeControls;

namespace {

std::string Describe(const Appearance& a) {
  return std::to_string(a.background) + " " + std::to_string(a.text) + " " + std::to_string(a.corner_radius) +
         " " + std::to_string(a.border) + " " + std::to_string(a.border_width);
}

std::string Describe(const InitialSettings& s) {
  return std::to_string(s.icons_per_page) + " " + std::to_string(s.window_width) + "x" +
         std::to_string(s.window_height) + " " + Describe(s.appearance);
}

class FakeWindow : public SettingsWindow {
 public:
  FakeWindow() {
    controls.Add("编辑框_圆角度", ControlType::kEdit).text = "0";
    controls.Add("编辑框_边线宽度", ControlType::kEdit).text = "0";
    FakeControl& hotkey = controls.Add("下拉框_热键", ControlType::kCombo);
    hotkey.entries = {{"F1", 0}, {"F2", 0}, {"F3", 0}};
    controls.Add("选择框_开机启动", ControlType::kCheck);
    controls.Add("选择框_靠边伸缩", ControlType::kCheck);
    controls.Add("选择框_鼠标中键呼出", ControlType::kCheck);
  }

  ControlPort& Controls() override { return controls; }
  void RegisterHotkey() override {
    Log("RegisterHotkey " + std::to_string(controls["下拉框_热键"].selected));
  }
  bool AutostartExists() override {
    Log("AutostartExists");
    return autostart;
  }
  void StartDocking() override {
    Log("StartDocking");
    controls["选择框_鼠标中键呼出"].checked = false;
  }
  void StopDocking() override {
    Log("StopDocking");
    controls["选择框_鼠标中键呼出"].checked = true;
  }
  void SetWindowSize(int width, int height) override {
    Log("SetWindowSize " + std::to_string(width) + "x" + std::to_string(height));
  }
  void PaintBackground(const Appearance& look) override {
    Log("PaintBackground");
    painted = look;
  }
  void SetSwatchColour(std::string_view swatch, std::uint32_t argb) override {
    Log("SetSwatchColour " + std::string(swatch));
    swatches[std::string(swatch)] = argb;
  }

  void Log(std::string entry) { controls.log.push_back(std::move(entry)); }

  FakeControls controls;
  bool autostart = false;
  Appearance painted{0, 0, 0, 0, 0};
  std::map<std::string, std::uint32_t> swatches;
};

class SettingsTest : public ::testing::Test {
 protected:
  void WriteFile(const std::string& utf8) {
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(WriteFileAtomically(file, velora::text::Utf8ToGbk(utf8)));
  }
  InitialSettings Load() { return LoadSettings(file, window, 510); }

  velora::testing::TempFolder folder{"velora_设置"};
  std::filesystem::path file = SettingsPath(folder.path() / velora::text::PathFromUtf8("配置"));
  FakeWindow window;
};

}  // namespace

TEST_F(SettingsTest, WithoutAFileEverythingTakesItsDefault) {
  const InitialSettings s = Load();
  EXPECT_EQ(Describe(s), Describe(InitialSettings{18, 510, 311, {0xFFFFFFFF, 0xFE000000, 0, 0xFE000000, 3}}));
  EXPECT_EQ(Describe(window.painted), Describe(s.appearance));
  EXPECT_EQ(window.controls["编辑框_边线宽度"].text, "3");
  EXPECT_EQ(window.swatches["标签EX_背景色"], 0xFFFFFFFFu);
  EXPECT_EQ(window.swatches["标签EX_边线色"], 0xFE000000u);
}

TEST_F(SettingsTest, LoadRunsItsStepsInOrder) {
  WriteFile(
      "[组合框]\r\n下拉框_热键=F1<|>0<||>F2<|>0<||>F3<|>0<||>2<|>F3\r\n"
      "[选择框]\r\n选择框_开机启动=真\r\n选择框_靠边伸缩=假\r\n选择框_鼠标中键呼出=假\r\n"
      "[初始化]\r\n窗口宽度=600\r\n窗口高度=400\r\n");
  (void)Load();
  EXPECT_EQ(window.controls.log,
            (std::vector<std::string>{
                "SetWindowSize 600x400", "PaintBackground",  // before the panel shows
                "SetComboSelection 下拉框_热键", "SetText 下拉框_热键", "SetChecked 选择框_开机启动 1",
                "SetChecked 选择框_靠边伸缩 0", "SetChecked 选择框_鼠标中键呼出 0",
                "RegisterHotkey 2",  // from the restored selection
                "AutostartExists", "SetChecked 选择框_开机启动 0", "StopDocking", "SetText 编辑框_圆角度",
                "SetText 编辑框_边线宽度", "SetSwatchColour 标签EX_背景色", "SetSwatchColour 标签EX_字体色",
                "SetSwatchColour 标签EX_边线色"}));
}

TEST_F(SettingsTest, RestoredStatesGiveWayToTheRegistryAndDocking) {
  WriteFile(
      "[选择框]\r\n选择框_开机启动=假\r\n选择框_靠边伸缩=真\r\n选择框_鼠标中键呼出=真\r\n"
      "[编辑框]\r\n编辑框_圆角度=44\r\n");
  window.autostart = true;
  (void)Load();
  EXPECT_TRUE(window.controls["选择框_开机启动"].checked);
  EXPECT_FALSE(window.controls["选择框_鼠标中键呼出"].checked);  // docking started
  EXPECT_EQ(window.controls["编辑框_圆角度"].text, "0");         // the appearance value wins
}

TEST_F(SettingsTest, ColoursAndNumbersReadAsStored) {
  WriteFile(
      "[初始化]\r\n图表数量=24\r\n窗口底色=4294967295\r\n窗口字色=-16777216\r\n"
      "窗口圆角=abc\r\n窗口线色=\r\n窗口线宽=7px\r\n");
  const InitialSettings s = Load();
  EXPECT_EQ(s.icons_per_page, 24);
  EXPECT_EQ(s.appearance.background, 0xFFFFFFFFu);  // the unsigned form reads the same
  EXPECT_EQ(s.appearance.text, 0xFF000000u);
  EXPECT_EQ(window.painted.text, 0xFF000000u);  // the window's text colour comes with the look
  EXPECT_EQ(s.appearance.corner_radius, 0);     // malformed
  EXPECT_EQ(s.appearance.border, 0u);           // present but empty: no default
  EXPECT_EQ(s.appearance.border_width, 7);
  EXPECT_EQ(s.window_width, 510);
}

TEST_F(SettingsTest, SaveWritesTheKeysThenTheControlsAndLoadsBack) {
  window.controls["编辑框_圆角度"].text = "两行\r\n\"引\"";
  window.controls["下拉框_热键"].selected = 1;
  window.controls["选择框_靠边伸缩"].checked = true;
  const InitialSettings saved{12, 640, 480, {0x80FF0000, 0xFF303133, 10, 0x01020304, 2}};
  ASSERT_TRUE(SaveSettings(file, window.controls, saved));

  const std::string bytes = ReadFileBytes(file).value();
  const std::string text = velora::text::GbkToUtf8(bytes);
  EXPECT_EQ(text.find("[初始化]\r\n图表数量=12\r\n窗口宽度=640\r\n窗口高度=480\r\n"
                      "窗口底色=-2130771968\r\n窗口字色=-13618893\r\n窗口圆角=10\r\n"
                      "窗口线色=16909060\r\n窗口线宽=2\r\n\r\n[编辑框]\r\n"),
            0u);
  EXPECT_LT(text.find("[组合框]"), text.find("[选择框]"));

  FakeWindow fresh;
  EXPECT_EQ(Describe(LoadSettings(file, fresh, 510)), Describe(saved));
  EXPECT_EQ(fresh.controls["下拉框_热键"].selected, 1);
  EXPECT_TRUE(fresh.controls["选择框_靠边伸缩"].checked);
}

TEST_F(SettingsTest, SavingKeepsWhatOtherVersionsWrote) {
  WriteFile("[编辑框]\r\n编辑框_已删除=旧值\r\n[其他]\r\n键=值\r\n");
  ASSERT_TRUE(SaveWindowSize(file, 700, 320));
  ASSERT_TRUE(SaveSettings(file, window.controls, InitialSettings{}));
  const IniDocument doc = IniDocument::Parse(ReadFileBytes(file).value());
  EXPECT_EQ(doc.Get("编辑框", "编辑框_已删除"), "旧值");
  EXPECT_EQ(doc.Get("其他", "键"), "值");
  EXPECT_EQ(doc.Get("初始化", "窗口宽度"), "0");
}

TEST_F(SettingsTest, TheExternalAddressHostIsReadButNeverWritten) {
  EXPECT_EQ(Load().external_address_host, "");  // the lookup's default
  WriteFile("[初始化]\r\n外网地址服务器=ip.内网.example\r\n");
  EXPECT_EQ(Load().external_address_host, "ip.内网.example");
  ASSERT_TRUE(SaveSettings(file, window.controls, InitialSettings{}));
  const IniDocument doc = IniDocument::Parse(ReadFileBytes(file).value());
  EXPECT_EQ(doc.Get("初始化", "外网地址服务器"), "ip.内网.example");
}

TEST_F(SettingsTest, ResizeWritesOnlyTheSize) {
  ASSERT_TRUE(SaveWindowSize(file, 700, 320));
  const IniDocument doc = IniDocument::Parse(ReadFileBytes(file).value());
  EXPECT_EQ(doc.Get("初始化", "窗口宽度"), "700");
  EXPECT_EQ(doc.Get("初始化", "窗口高度"), "320");
  EXPECT_EQ(doc.Get("初始化", "图表数量"), std::nullopt);
}
