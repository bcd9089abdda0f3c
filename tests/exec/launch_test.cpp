// Every launch path through recording effects: what is opened, put, pasted and hidden, in order.
#include "exec/launch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/path_code.h"

namespace velora::exec {
namespace {

class RecordingEffects final : public LaunchEffects {
 public:
  void StampDate(const std::string& category, const std::string& code, const std::string& date) override {
    log.push_back("stamp " + category + " " + code + " " + date);
  }
  void ShellOpen(const std::string& file, const std::string& parameters) override {
    log.push_back("open " + file + (parameters.empty() ? "" : " | " + parameters));
  }
  void OpenPlace(Place place) override { log.push_back("place " + std::to_string(static_cast<int>(place))); }
  void PlayMacro(const std::string& key_codes) override { log.push_back("macro " + key_codes); }
  void RunFunction(const std::string& code) override { log.push_back("function " + code); }
  std::string ClipboardText() override {
    log.push_back("read clipboard");
    return clipboard;
  }
  void PutClipboardText(const std::string& text) override { log.push_back("put text " + text); }
  void PutPictureFile(const std::string& path) override { log.push_back("put picture " + path); }
  void PutGifFile(const std::string& path) override { log.push_back("put gif " + path); }
  void PasteAtPointer(bool root_owner) override { log.push_back(root_owner ? "paste root owner" : "paste"); }
  std::optional<ShortcutTarget> ResolveShortcut(const std::string& path) override {
    log.push_back("resolve " + path);
    return shortcut;
  }
  void ConfirmSnippetCopied() override { log.push_back("toast snippet"); }
  void HideWindow() override { log.push_back("hide"); }

  std::vector<std::string> log;
  std::string clipboard;
  std::optional<ShortcutTarget> shortcut;
};

using Log = std::vector<std::string>;

class LaunchTest : public ::testing::Test {
 protected:
  Log Run(const std::string& code) {
    effects.log.clear();
    Launch({"书签", 0, code}, situation, effects);
    return effects.log;
  }
  static std::string File(const std::string& path) { return text::PathCode(path); }

  LaunchSituation situation;
  RecordingEffects effects;
};

}  // namespace

TEST(ReplaceKeyword, EveryPlaceholderTakesTheKeywordUnchanged) {
  EXPECT_EQ(ReplaceKeyword("https://s.cn/?q=$关键词$&also=$关键词$", "a&b c"),
            "https://s.cn/?q=a&b c&also=a&b c");
  EXPECT_EQ(ReplaceKeyword("https://s.cn/?q=$关键词$", ""), "https://s.cn/?q=");
  // Exact letter case and whole placeholder only.
  EXPECT_EQ(ReplaceKeyword("x=$关键$ $关键词", "k"), "x=$关键$ $关键词");
  EXPECT_EQ(ReplaceKeyword("$关键词$$关键词$", "中文"), "中文中文");
}

TEST_F(LaunchTest, SearchesUseTheCapturedSelectionOrTheClipboard) {
  situation.captured_selection = "选中的字";
  effects.clipboard = "剪贴板的字";
  EXPECT_EQ(Run("网址https://s.cn/?q=$关键词$"), (Log{"open https://s.cn/?q=选中的字", "hide"}));
  situation.search_with_clipboard = true;
  EXPECT_EQ(Run("网址https://s.cn/?q=$关键词$"),
            (Log{"read clipboard", "open https://s.cn/?q=剪贴板的字", "hide"}));
  // A bookmark needs no keyword, wherever it would come from.
  EXPECT_EQ(Run("网址https://www.example.cn/"), (Log{"open https://www.example.cn/", "hide"}));
}

TEST_F(LaunchTest, StampingComesFirstEvenWhenNothingIsLaunched) {
  situation.stamp_date = true;
  situation.date = "2021-11-12 10:59:03";
  EXPECT_EQ(Run("网址https://a.cn/"),
            (Log{"stamp 书签 网址https://a.cn/ 2021-11-12 10:59:03", "open https://a.cn/", "hide"}));
  // A file code that decodes to nothing: stamped, then the window keeps its state.
  const std::string nothing(2000, '0');
  EXPECT_EQ(Run(nothing), (Log{"stamp 书签 " + nothing + " 2021-11-12 10:59:03"}));
  situation.stamp_date = false;
  EXPECT_EQ(Run(nothing), Log{});
}

TEST_F(LaunchTest, HeldWindowsStayButEveryPathStillRuns) {
  situation.held = true;
  EXPECT_EQ(Run("网址https://a.cn/"), (Log{"open https://a.cn/"}));
  EXPECT_EQ(Run(File("C:\\程序\\工具.exe")), (Log{"open C:\\程序\\工具.exe"}));
  // A snippet is confirmed instead of hiding, and still pasted under the pointer.
  EXPECT_EQ(Run("$$文本$$你好，世界"), (Log{"put text 你好，世界", "toast snippet", "paste root owner"}));
  situation.held = false;
  EXPECT_EQ(Run("$$文本$$你好，世界"), (Log{"put text 你好，世界", "hide", "paste root owner"}));
}

TEST_F(LaunchTest, PlacesMacrosAndFunctionsGoToTheirOwnPaths) {
  EXPECT_EQ(Run("系统回收站"), (Log{"place 1", "hide"}));
  EXPECT_EQ(Run("系统不存在的地方"), (Log{"hide"}));
  // Macros and functions hide (or not) themselves.
  EXPECT_EQ(Run("热键17,65"), (Log{"macro 17,65"}));
  EXPECT_EQ(Run("功能置顶窗口"), (Log{"function 功能置顶窗口"}));
}

TEST_F(LaunchTest, ShortcutsOpenTheirTargetWithTheArgumentsAsParameters) {
  effects.shortcut = ShortcutTarget{"C:\\Program Files\\编辑器\\edit.exe", "--new \"a b.txt\""};
  EXPECT_EQ(Run(File("C:\\桌面\\编辑器.lnk")),
            (Log{"resolve C:\\桌面\\编辑器.lnk",
                 "open C:\\Program Files\\编辑器\\edit.exe | --new \"a b.txt\"", "hide"}));
  effects.shortcut = ShortcutTarget{"D:\\游戏", ""};
  EXPECT_EQ(Run(File("C:\\桌面\\游戏.lnk")), (Log{"resolve C:\\桌面\\游戏.lnk", "open D:\\游戏", "hide"}));
  // Unresolvable: nothing opens, the window hides as after any launch.
  effects.shortcut.reset();
  EXPECT_EQ(Run(File("C:\\桌面\\坏的.lnk")), (Log{"resolve C:\\桌面\\坏的.lnk", "hide"}));
  // ".LNK" is not a shortcut ending: the shell opens the file itself.
  EXPECT_EQ(Run(File("C:\\桌面\\大写.LNK")), (Log{"open C:\\桌面\\大写.LNK", "hide"}));
}

TEST_F(LaunchTest, PicturesOpenOnAClickAndPasteOnALongPress) {
  situation.press_ms = 10'000;
  situation.now_ms = 10'299;
  EXPECT_EQ(Run(File("C:\\图片\\猫.png")), (Log{"open C:\\图片\\猫.png", "hide"}));
  situation.now_ms = 10'300;
  EXPECT_EQ(Run(File("C:\\图片\\猫.png")), (Log{"put picture C:\\图片\\猫.png", "paste", "hide"}));
  EXPECT_EQ(Run(File("C:\\图片\\动图.gif")), (Log{"put gif C:\\图片\\动图.gif", "paste", "hide"}));
  // A press time after now (a tick count that wrapped or a stale press) is a click, not a paste.
  situation.now_ms = 9'000;
  EXPECT_EQ(Run(File("C:\\图片\\猫.png")), (Log{"open C:\\图片\\猫.png", "hide"}));
}

}  // namespace velora::exec
