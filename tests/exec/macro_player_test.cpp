#include "exec/macro_player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velora::exec {
namespace {

constexpr int kShift = 16, kCtrl = 17, kWin = 91;

std::vector<KeyEvent> Events(std::string_view key_codes) { return KeyEventsOf(ChordOfMacro(key_codes)); }

TEST(MacroKeyEvents, PressesModifiersThenKeyAndReleasesInTheSameOrder) {
  // Ctrl+Shift+S: the second modifier goes first, and the releases follow the presses' order.
  EXPECT_EQ(Events("17+16+83"),
            (std::vector<KeyEvent>{
                {kShift, true}, {kCtrl, true}, {'S', true}, {kShift, false}, {kCtrl, false}, {'S', false}}));
  // An empty second modifier sends nothing.
  EXPECT_EQ(Events("91+0+75"),
            (std::vector<KeyEvent>{{kWin, true}, {'K', true}, {kWin, false}, {'K', false}}));
  // An empty first modifier still sends virtual key 0, as stored macros always have.
  EXPECT_EQ(Events("17+0+0"), (std::vector<KeyEvent>{{kCtrl, true}, {0, true}, {kCtrl, false}, {0, false}}));
  EXPECT_EQ(Events("0+0+116"), (std::vector<KeyEvent>{{0, true}, {116, true}, {0, false}, {116, false}}));
}

TEST(MacroKeyEvents, ThirdModifierGoesBeforeTheOthers) {
  EXPECT_EQ(KeyEventsOf({.key = 'T', .modifier1 = kCtrl, .modifier2 = kShift, .modifier3 = 18}),
            (std::vector<KeyEvent>{{18, true},
                                   {kShift, true},
                                   {kCtrl, true},
                                   {'T', true},
                                   {18, false},
                                   {kShift, false},
                                   {kCtrl, false},
                                   {'T', false}}));
  EXPECT_EQ(KeyEventsOf(kCopyChord),
            (std::vector<KeyEvent>{{kCtrl, true}, {'C', true}, {kCtrl, false}, {'C', false}}));
  EXPECT_EQ(KeyEventsOf(kPasteChord).at(1), (KeyEvent{'V', true}));
}

TEST(ChordOfMacro, ReadsStoredCodesWithOrWithoutThePrefix) {
  const KeyChord chord = ChordOfMacro("热键17+16+83");
  EXPECT_EQ(chord.modifier1, kCtrl);
  EXPECT_EQ(chord.modifier2, kShift);
  EXPECT_EQ(chord.key, 'S');
  EXPECT_EQ(chord.modifier3, 0);
  EXPECT_EQ(ChordOfMacro("17+16+83").key, 'S');
  // Fewer than three numbers: the missing ones are no key.
  EXPECT_EQ(ChordOfMacro("17").modifier1, kCtrl);
  EXPECT_EQ(ChordOfMacro("17").key, 0);
  EXPECT_EQ(ChordOfMacro("").modifier1, 0);
  // Leading digits count, extra pieces are ignored.
  EXPECT_EQ(ChordOfMacro("17x+16+83+65").key, 'S');
}

TEST(ChordOfMacro, NumbersOutsideTheKeyRangeAreNoKey) {
  // 65601 cut to 16 bits would press A.
  EXPECT_EQ(ChordOfMacro("17+0+65601").key, 0);
  EXPECT_EQ(ChordOfMacro("300+0+65").modifier1, 0);
  EXPECT_EQ(ChordOfMacro("17+0+255").key, 0);
  EXPECT_EQ(ChordOfMacro("17+0+254").key, 254);
  EXPECT_EQ(ChordOfMacro("17+0+99999999999999999999").key, 0);
}

TEST(IsExtendedKey, EditingBlockArrowsAndRightHandModifiers) {
  for (const int key :
       {0x25, 0x26, 0x27, 0x28, 0x2D, 0x2E, 0x24, 0x23, 0x21, 0x22, 0x5B, 0xA3, 0xA5, 0x90, 0x6F}) {
    EXPECT_TRUE(IsExtendedKey(key)) << key;
  }
  for (const int key : {0, int{'A'}, int{'0'}, 0x10, 0x11, 0x12, 0xA0, 0xA2, 0x70, 0x60, 0x6A, 0x0D, 0x14}) {
    EXPECT_FALSE(IsExtendedKey(key)) << key;
  }
}

// Records every step of the stage and the key sender in one list, so the order across both shows.
class Recorder : public MacroStage, public KeySender {
 public:
  void HidePanel() override { steps.push_back("hide"); }
  void Pause(int milliseconds) override {
    steps.push_back("pause " + std::to_string(milliseconds));
    if (hold_during_pause) held = true;
  }
  void ActivateWindowAtPointer(bool root_owner) override {
    steps.push_back(root_owner ? "activate root owner" : "activate window");
  }
  bool PanelHeld() const override { return held; }
  void ShowPanel() override { steps.push_back("show"); }
  bool Send(std::span<const KeyEvent> events) override {
    std::string step = "keys";
    for (const KeyEvent& e : events) step += " " + std::to_string(e.key) + (e.down ? "v" : "^");
    steps.push_back(step);
    return true;
  }

  std::vector<std::string> steps;
  bool held = false;
  bool hold_during_pause = false;
};

TEST(PlayMacro, HidesWaitsActivatesTheRootOwnerAndSends) {
  Recorder recorder;
  PlayMacro("17+0+70", recorder, recorder);
  EXPECT_EQ(recorder.steps,
            (std::vector<std::string>{"hide", "pause 200", "activate root owner", "keys 17v 70v 17^ 70^"}));
}

TEST(PlayMacro, HeldPanelComesBackAfterTheKeys) {
  Recorder recorder;
  recorder.held = true;
  PlayMacro("热键91+16+83", recorder, recorder);
  EXPECT_EQ(recorder.steps, (std::vector<std::string>{"hide", "pause 200", "activate root owner",
                                                      "keys 16v 91v 83v 16^ 91^ 83^", "show"}));
}

TEST(PlayMacro, HeldStateIsReadAfterThePause) {
  Recorder recorder;
  recorder.hold_during_pause = true;  // the pin was clicked while the macro waited
  PlayMacro("17+0+70", recorder, recorder);
  EXPECT_EQ(recorder.steps.back(), "show");
}

}  // namespace
}  // namespace velora::exec
