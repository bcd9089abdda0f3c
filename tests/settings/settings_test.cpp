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

// The launcher window's controls of each type: the add panels' fields and list before the
// settings panel's, as the window builds them.
class FakeWindow : public FakeControls {
 public:
  FakeWindow() {
    Add("编辑框_书签地址", ControlType::kEdit);
    Add("编辑框_圆角度", ControlType::kEdit).text = "0";
    Add("编辑框_边线宽度", ControlType::kEdit).text = "0";
    Add("下拉框_快捷方式", ControlType::kCombo).entries = {{"程序", 1}};
    Add("下拉框_热键", ControlType::kCombo).entries = {{"F1", 0}, {"F2", 0}, {"F3", 0}};
    Add("选择框_开机启动", ControlType::kCheck);
    Add("选择框_靠边伸缩", ControlType::kCheck);
  }
};

class SettingsTest : public ::testing::Test {
 protected:
  void WriteFile(const std::string& utf8) {
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(WriteFileAtomically(file, velora::text::Utf8ToGbk(utf8)));
  }
  Options Load() { return LoadOptions(file, 510); }

  velora::testing::TempFolder folder{"velora_设置"};
  std::filesystem::path file = SettingsPath(folder.path() / velora::text::PathFromUtf8("配置"));
  FakeWindow window;
};

}  // namespace

TEST_F(SettingsTest, WithoutAFileEverythingTakesItsDefault) {
  const Options s = Load();
  EXPECT_EQ(Describe(s), Describe(InitialSettings{18, 510, 311, {0xFFFFFFFF, 0xFE000000, 0, 0xFE000000, 3}}));
  EXPECT_EQ(s.hotkey, -1);
  EXPECT_FALSE(s.docking || s.tips_off || s.hover_selects || s.middle_button_summons);
  LoadControlStates(file, window);
  EXPECT_EQ(window["编辑框_边线宽度"].text, "0");  // as the layout made it
}

TEST_F(SettingsTest, ControlStatesRestoreByTypeInOrder) {
  WriteFile(
      "[选择框]\r\n选择框_开机启动=真\r\n选择框_靠边伸缩=假\r\n"
      "[组合框]\r\n下拉框_热键=F1<|>0<||>F2<|>0<||>F3<|>0<||>2<|>F3\r\n"
      "[编辑框]\r\n编辑框_圆角度=44\r\n");
  LoadControlStates(file, window);
  EXPECT_EQ(window.log, (std::vector<std::string>{"SetText 编辑框_圆角度", "SetComboSelection 下拉框_热键",
                                                  "SetText 下拉框_热键", "SetChecked 选择框_开机启动 1",
                                                  "SetChecked 选择框_靠边伸缩 0"}));
  EXPECT_EQ(Load().hotkey, 2);
  EXPECT_TRUE(Load().autostart);
}

TEST_F(SettingsTest, ColoursAndNumbersReadAsStored) {
  WriteFile(
      "[初始化]\r\n图表数量=24\r\n窗口底色=4294967295\r\n窗口字色=-16777216\r\n"
      "窗口圆角=abc\r\n窗口线色=\r\n窗口线宽=7px\r\n"
      "[组合框]\r\n下拉框_热键=F1<|>0<||>12<|>F13\r\n");
  const Options s = Load();
  EXPECT_EQ(s.icons_per_page, 24);
  EXPECT_EQ(s.appearance.background, 0xFFFFFFFFu);  // the unsigned form reads the same
  EXPECT_EQ(s.appearance.text, 0xFF000000u);
  EXPECT_EQ(s.appearance.corner_radius, 0);  // malformed
  EXPECT_EQ(s.appearance.border, 0u);        // present but empty: no default
  EXPECT_EQ(s.appearance.border_width, 7);
  EXPECT_EQ(s.window_width, 510);
  EXPECT_EQ(s.hotkey, -1);  // no such function key
}

TEST_F(SettingsTest, SaveWritesTheKeysThenTheControlsAndLoadsBack) {
  window["编辑框_圆角度"].text = "两行\r\n\"引\"";
  window["下拉框_热键"].selected = 0;  // the options, not the controls, are saved
  Options saved;
  static_cast<InitialSettings&>(saved) = {12, 640, 480, {0x80FF0000, 0xFF303133, 10, 0x01020304, 2}};
  saved.hotkey = 1;
  saved.docking = true;
  ASSERT_TRUE(SaveSettings(file, saved, window));

  const std::string bytes = ReadFileBytes(file).value();
  const std::string text = velora::text::GbkToUtf8(bytes);
  EXPECT_EQ(text.find("[初始化]\r\n图表数量=12\r\n窗口宽度=640\r\n窗口高度=480\r\n"
                      "窗口底色=-2130771968\r\n窗口字色=-13618893\r\n窗口圆角=10\r\n"
                      "窗口线色=16909060\r\n窗口线宽=2\r\n\r\n[编辑框]\r\n"),
            0u);
  EXPECT_LT(text.find("[组合框]"), text.find("下拉框_快捷方式"));
  EXPECT_LT(text.find("下拉框_快捷方式"), text.find("下拉框_热键=F1<|>0<||>F2"));
  EXPECT_LT(text.find("下拉框_热键"), text.find("[选择框]\r\n选择框_鼠标侧键上呼出=假\r\n"));

  EXPECT_EQ(Load(), saved);
  FakeWindow fresh;
  LoadControlStates(file, fresh);
  EXPECT_EQ(fresh["编辑框_圆角度"].text, "两行\r\n\"引\"");
  EXPECT_EQ(fresh["下拉框_热键"].selected, 1);
  EXPECT_EQ(fresh["下拉框_热键"].entries.size(), 12u);
  EXPECT_TRUE(fresh["选择框_靠边伸缩"].checked);
}

TEST_F(SettingsTest, SavingKeepsWhatOtherVersionsWrote) {
  WriteFile("[编辑框]\r\n编辑框_已删除=旧值\r\n[其他]\r\n键=值\r\n");
  ASSERT_TRUE(SaveWindowSize(file, 700, 320));
  ASSERT_TRUE(SaveSettings(file, Options{}, window));
  const IniDocument doc = IniDocument::Parse(ReadFileBytes(file).value());
  EXPECT_EQ(doc.Get("编辑框", "编辑框_已删除"), "旧值");
  EXPECT_EQ(doc.Get("其他", "键"), "值");
  EXPECT_EQ(doc.Get("初始化", "窗口宽度"), "0");
}

TEST_F(SettingsTest, TheExternalAddressHostIsReadButNeverWritten) {
  EXPECT_EQ(Load().external_address_host, "");  // the lookup's default
  WriteFile("[初始化]\r\n外网地址服务器=ip.内网.example\r\n");
  EXPECT_EQ(Load().external_address_host, "ip.内网.example");
  ASSERT_TRUE(SaveSettings(file, Options{}, window));
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
