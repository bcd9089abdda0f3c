#include "settings/options.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/names.h"

using namespace velora::settings;

// A settings file the program wrote before its options became one value: ticked boxes, a chosen
// hotkey, a picked background and the add-bookmark panel's typed text.
extern const unsigned char kSavedSettings[];
extern const std::size_t kSavedSettings_size;

namespace {

std::string SavedBytes() { return {reinterpret_cast<const char*>(kSavedSettings), kSavedSettings_size}; }

}  // namespace

TEST(OptionsTest, AFileTheProgramWroteLoadsAndSavesBackByteForByte) {
  const std::string bytes = SavedBytes();
  IniDocument doc = IniDocument::Parse(bytes);
  const Options loaded = ReadOptions(doc, 510);
  const Options defaults = ReadOptions(IniDocument{}, 510);
  EXPECT_TRUE(loaded.tips_off && loaded.hover_selects && loaded.launch_to_front && loaded.double_click_opens);
  EXPECT_TRUE(loaded.middle_button_summons && loaded.side_button_summons);
  EXPECT_FALSE(loaded.docking || loaded.hide_on_leave);
  EXPECT_EQ(loaded.hotkey, 8);  // F9, the first start's choice
  EXPECT_EQ(loaded.appearance.background, 0xFF3366CCu);

  // Every option is written: over the defaults, the file reads as defaults…
  WriteOptions(doc, defaults);
  EXPECT_EQ(ReadOptions(doc, 510), defaults);
  // …and the loaded options bring back its very bytes, the other controls' lines kept.
  WriteOptions(doc, loaded);
  EXPECT_EQ(doc.Serialize(), bytes);
}

TEST(OptionsTest, DockingAndTheMouseGesturesExcludeEachOther) {
  struct Case {
    bool docking_before;
    std::string_view box;
    bool checked;
    bool docking, side, middle;
  };
  const Case cases[] = {
      {false, kDockingBox, true, true, false, false},        // docking unticks both gestures
      {true, kDockingBox, false, false, true, true},         // and leaving it ticks both
      {true, kMiddleButtonBox, true, false, true, true},     // a gesture ends docking
      {false, kMiddleButtonBox, false, false, true, false},  // without docking it is one box
      {true, kSideButtonBox, false, true, false, false},
  };
  for (const Case& c : cases) {
    Options options;
    SetDocking(options, c.docking_before);
    SetBox(options, c.box, c.checked);
    EXPECT_EQ(options.docking, c.docking) << c.box << " " << c.checked;
    EXPECT_EQ(options.side_button_summons, c.side) << c.box << " " << c.checked;
    EXPECT_EQ(options.middle_button_summons, c.middle) << c.box << " " << c.checked;
  }
  Options options;
  SetBox(options, kTipsOffBox, true);
  EXPECT_TRUE(options.tips_off);
}

TEST(OptionsTest, TheHolderTellsItsObserversWhatChanged) {
  OptionsHolder holder;
  const Options& current = holder.get();
  std::string told;
  holder.Observe([&](const Options& now, const Options& before) {
    told += std::to_string(before.hotkey) + ">" + std::to_string(now.hotkey) + " ";
    // The reference others keep reads the new value already.
    EXPECT_EQ(current.hotkey, now.hotkey);
  });
  Options changed;
  changed.hotkey = 3;
  holder.Set(changed);
  holder.Set(changed);
  EXPECT_EQ(told, "-1>3 3>3 ");
}
