#include "settings/control_state.h"

#include <gtest/gtest.h>

#include "fake_controls.h"
#include "text/gbk.h"

using namespace velora::settings;
using velora::testing::FakeControl;
using velora::testing::FakeControls;

TEST(EditEscape, LineBreaksAndQuotesTakeTheirEscapes) {
  EXPECT_EQ(EscapeEditText("第一行\r\n第二行"), "第一行><br><第二行");
  EXPECT_EQ(EscapeEditText("https://a.cn/?q=\"x\""), "https://a.cn/?q=#引号x#引号");
  EXPECT_EQ(UnescapeEditText("第一行><br><第二行"), "第一行\r\n第二行");
  EXPECT_EQ(UnescapeEditText("#引号a#引号"), "\"a\"");
}

// A lone break would otherwise end the line in the file and lose the rest of the text.
TEST(EditEscape, LoneLineBreaksComeBackAsLineBreaks) {
  EXPECT_EQ(UnescapeEditText(EscapeEditText("a\nb\rc\r\n\nd")), "a\r\nb\r\nc\r\n\r\nd");
}

// The escapes are not one-to-one; files written by earlier versions rely on this reading.
TEST(EditEscape, EscapeTextsTypedByTheUserComeBackAsWhatTheyStandFor) {
  EXPECT_EQ(UnescapeEditText(EscapeEditText("a><br><b #引号")), "a\r\nb \"");
}

TEST(ComboEncoding, ListSelectionAndTextInTheStoredForm) {
  const ComboState state{{{"F1", 0}, {"F2", 7}, {"引\"号", -3}}, 1, "F2 \"x\""};
  EXPECT_EQ(EncodeComboState(state), "F1<|>0<||>F2<|>7<||>引#引号号<|>-3<||>1<|>F2 #引号x#引号");
  EXPECT_EQ(DecodeComboState(EncodeComboState(state)), state);
  EXPECT_EQ(EncodeComboState({}), "-1<|>");
  EXPECT_EQ(DecodeComboState("-1<|>"), ComboState{});
}

TEST(ComboEncoding, SeparatorsInsideTextsCutThem) {
  // A title with "<|>" keeps only what is before it; the data is the number after the last one.
  const ComboState title = DecodeComboState(EncodeComboState({{{"a<|>b", 5}}, 0, ""}));
  EXPECT_EQ(title.entries, (std::vector<ComboEntry>{{"a", 5}}));
  // The edit text keeps only what is after the last "<|>".
  EXPECT_EQ(DecodeComboState(EncodeComboState({{}, 2, "x<|>y"})).text, "y");
  // A piece without a separator: empty title, data 0; likewise an index 0 and no text.
  const ComboState bare = DecodeComboState("junk<||>more");
  EXPECT_EQ(bare.entries, (std::vector<ComboEntry>{{"", 0}}));
  EXPECT_EQ(bare.selected, 0);
  EXPECT_EQ(bare.text, "");
}

class ControlStates : public ::testing::Test {
 protected:
  ControlStates() {
    controls.Add("编辑框_书签地址", ControlType::kEdit).text = "https://s.cn/?q=\"$关键词$\"";
    controls.Add("编辑框_文本内容", ControlType::kEdit).text = "一\r\n二";
    controls.Add("编辑框_空", ControlType::kEdit);
    FakeControl& hotkey = controls.Add("下拉框_热键", ControlType::kCombo);
    hotkey.entries = {{"F1", 0}, {"F2", 0}, {"F3", 0}};
    hotkey.selected = 2;
    hotkey.text = "F3";
    controls.Add("选择框_靠边伸缩", ControlType::kCheck).checked = true;
    controls.Add("选择框_关闭提示", ControlType::kCheck).checked = false;
  }

  // Saves every type into a file's bytes and restores from them into `into`.
  void SaveAndRestore(FakeControls& into, std::string_view exclusions = {}) {
    IniDocument doc;
    for (ControlType type : {ControlType::kEdit, ControlType::kCombo, ControlType::kCheck}) {
      SaveControlStates(doc, controls, type, exclusions);
    }
    const IniDocument read = IniDocument::Parse(doc.Serialize());
    for (ControlType type : {ControlType::kEdit, ControlType::kCombo, ControlType::kCheck}) {
      RestoreControlStates(read, into, type);
    }
  }

  FakeControls controls;
};

TEST_F(ControlStates, EveryStateComesBackAfterARestart) {
  FakeControls fresh;
  fresh.Add("编辑框_书签地址", ControlType::kEdit);
  fresh.Add("编辑框_文本内容", ControlType::kEdit);
  fresh.Add("编辑框_空", ControlType::kEdit).text = "as designed";
  fresh.Add("下拉框_热键", ControlType::kCombo).entries = {{"designed", 1}};
  fresh.Add("选择框_靠边伸缩", ControlType::kCheck);
  fresh.Add("选择框_关闭提示", ControlType::kCheck).checked = true;
  SaveAndRestore(fresh);

  EXPECT_EQ(fresh["编辑框_书签地址"].text, "https://s.cn/?q=\"$关键词$\"");
  EXPECT_EQ(fresh["编辑框_文本内容"].text, "一\r\n二");
  EXPECT_EQ(fresh["编辑框_空"].text, "as designed");  // an empty stored text leaves the control alone
  EXPECT_EQ(fresh["下拉框_热键"].entries, controls["下拉框_热键"].entries);
  EXPECT_EQ(fresh["下拉框_热键"].selected, 2);
  EXPECT_EQ(fresh["下拉框_热键"].text, "F3");
  EXPECT_TRUE(fresh["选择框_靠边伸缩"].checked);
  EXPECT_FALSE(fresh["选择框_关闭提示"].checked);
  for (const auto& [colour, height] : fresh["下拉框_热键"].entry_looks) {
    EXPECT_EQ(colour, 0xFF303133u);
    EXPECT_EQ(height, 40);
  }
  EXPECT_EQ(fresh["编辑框_空"].colour, 0xFF303133u);  // coloured even when nothing is restored
  EXPECT_EQ(fresh["选择框_关闭提示"].colour, 0xFF303133u);
}

TEST_F(ControlStates, StoredInTheirSectionsByName) {
  IniDocument doc;
  SaveControlStates(doc, controls, ControlType::kEdit);
  SaveControlStates(doc, controls, ControlType::kCheck);
  EXPECT_EQ(doc.Get("编辑框", "编辑框_文本内容"), "一><br><二");
  EXPECT_EQ(doc.Get("选择框", "选择框_靠边伸缩"), "真");
  EXPECT_EQ(doc.Get("选择框", "选择框_关闭提示"), "假");
  EXPECT_EQ(doc.Get("选择框", "编辑框_文本内容"), std::nullopt);
}

TEST_F(ControlStates, ExcludedNamesAreNotSavedAndMatchExactly) {
  IniDocument doc;
  SaveControlStates(doc, controls, ControlType::kEdit, "编辑框_书签|编辑框_文本内容|编辑框_空");
  EXPECT_EQ(doc.Get("编辑框", "编辑框_文本内容"), std::nullopt);
  EXPECT_EQ(doc.Get("编辑框", "编辑框_空"), std::nullopt);
  EXPECT_TRUE(doc.Get("编辑框", "编辑框_书签地址").has_value());  // a prefix is not a match
}

TEST_F(ControlStates, CheckBoxIsCheckedUnlessExactlyFalse) {
  for (const auto& [stored, checked] : std::vector<std::pair<std::string, bool>>{
           {"真", true}, {"假", false}, {"x", true}, {"假 ", false}, {"FALSE", true}}) {
    IniDocument doc = IniDocument::Parse(velora::text::Utf8ToGbk("[选择框]\r\n选择框_关闭提示=" + stored));
    controls["选择框_关闭提示"].checked = !checked;
    RestoreControlStates(doc, controls, ControlType::kCheck);
    EXPECT_EQ(controls["选择框_关闭提示"].checked, checked) << stored;
  }
}

TEST_F(ControlStates, SelectionOutsideTheRestoredListSelectsNothing) {
  IniDocument doc;
  ASSERT_TRUE(doc.Set("组合框", "下拉框_热键", "F1<|>0<||>F2<|>0<||>7<|>F8"));
  RestoreControlStates(doc, controls, ControlType::kCombo);
  EXPECT_EQ(controls["下拉框_热键"].entries.size(), 2u);
  EXPECT_EQ(controls["下拉框_热键"].selected, -1);
}
