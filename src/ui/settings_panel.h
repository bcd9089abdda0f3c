#pragma once
// The settings panel "图片框_程序设置": its title, close button and the tab control with the
// pages "设置", "皮肤" and "关于", and what each control does at once. What the program does
// with an option (docking, autostart, saving, …) reaches it through the events.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/control_host.h"
#include "ui/backup_texts.h"
#include "ui/core_types.h"

namespace velora::toolkit {
class ColourPicker;
class Frame;
}  // namespace velora::toolkit

namespace velora::ui {

struct SettingsPanelEvents {
  // A box of the options page ticked or unticked by the user, by its layout name.
  std::function<void(std::string_view box, bool checked)> box_ticked;
  std::function<void(int index)> hotkey_chosen;
  std::function<void(std::uint32_t argb)> text_colour_picked;
  std::function<void(std::uint32_t argb)> border_colour_picked;
  std::function<void()> apply;
  std::function<void()> save;
  std::function<void()> restart;
  // The about page came into view: its backup list is due.
  std::function<void()> about_shown;
  // "恢复" with the list's selected row; -1 when none is selected.
  std::function<void(int row)> restore_chosen;
  // "导出…", "导入…" and "导入浏览器书签…": the dialogs and the work are the program's.
  std::function<void()> export_chosen;
  std::function<void()> import_chosen;
  std::function<void()> bookmarks_chosen;
};

// Colour targets of the picker.
enum class ColourTarget { kBackground = 1, kText = 2, kBorder = 3 };

// Limits of the two number fields.
inline constexpr int kRadiusStep = 5;
inline constexpr int kNumberFieldMaximum = 50;

// The radius field's "+" and "-", the border width's "+1" and "-1": never below 0, never above
// 50; text that is not a number counts as 0.
int SteppedValue(std::string_view text, int step);

class SettingsPanel {
 public:
  SettingsPanel(toolkit::ControlHost& controls, SettingsPanelEvents events);

  // Fills the panel, which the launcher window made hidden.
  void Build();
  void Toggle();

  void SetVersionCaption(std::string_view caption);
  void SetHotkeyResult(bool registered);
  // Shows function key F1 + `index` chosen without raising the change event.
  void SelectHotkey(int index);
  // Ticks or unticks a box without raising its click.
  void SetBox(std::string_view box, bool checked);
  void SetSwatchColour(std::string_view swatch, std::uint32_t argb);
  // The values "应用" takes: the swatches and the two number fields.
  Appearance PageAppearance() const;
  // Newest first, as listed.
  void SetBackups(const std::vector<BackupEntry>& rows);
  bool AboutPageShown() const;

 private:
  void BuildOptionsPage(toolkit::Control& page);
  void BuildSkinPage(toolkit::Control& page);
  void BuildAboutPage(toolkit::Control& page);
  void BuildNumberField(toolkit::Control& page, std::string_view field, std::string_view label,
                        std::string_view caption, ui::Rect rect, std::string_view down, std::string_view up,
                        int step);
  void BuildColourFrame(toolkit::Control& page, std::string_view frame, std::string_view swatch,
                        std::string_view mark, std::string_view caption, ui::Rect rect, ColourTarget target);
  void Target(ColourTarget target);
  void Picked(std::uint32_t argb);
  std::string_view SwatchOf(ColourTarget target) const;
  std::uint32_t SwatchColour(std::string_view swatch) const;

  toolkit::ControlHost& controls_;
  SettingsPanelEvents events_;
  ColourTarget target_ = ColourTarget::kBackground;
  toolkit::ColourPicker* picker_ = nullptr;
};

}  // namespace velora::ui
