#pragma once
// The launcher window's controls as the settings persistence sees them: edit boxes, combo boxes
// and drop-down lists, check boxes, found by layout name. The setters act as the program, so no
// change event fires.
#include <map>

#include "settings/control_state.h"
#include "toolkit/control_host.h"

namespace velora::ui {

class WindowControls final : public settings::ControlPort {
 public:
  explicit WindowControls(toolkit::ControlHost& controls) : controls_(controls) {}

  std::vector<std::string> ControlNames(settings::ControlType type) const override;
  std::string Text(std::string_view name) const override;
  void SetText(std::string_view name, std::string_view text) override;
  void SetTextColour(std::string_view name, std::uint32_t argb) override;
  bool Checked(std::string_view name) const override;
  void SetChecked(std::string_view name, bool checked) override;
  std::vector<settings::ComboEntry> ComboEntries(std::string_view name) const override;
  int ComboSelection(std::string_view name) const override;
  void ClearComboEntries(std::string_view name) override;
  void AddComboEntry(std::string_view name, const settings::ComboEntry& entry, std::uint32_t text_colour,
                     int height) override;
  void SetComboSelection(std::string_view name, int index) override;

  // The text colour given to a native control, for its parent's colour message; none: default.
  std::optional<std::uint32_t> TextColourOf(HWND control) const;
  // Only the controls inside `part` are named from now on (null: every control), so that a part
  // built late takes its stored states without touching the others'.
  void SetScope(const toolkit::Control* part) { scope_ = part; }

 private:
  template <typename T>
  T* Find(std::string_view name) const {
    return controls_.FindAs<T>(name);
  }

  toolkit::ControlHost& controls_;
  const toolkit::Control* scope_ = nullptr;
  std::map<HWND, std::uint32_t> text_colours_;
};

}  // namespace velora::ui
