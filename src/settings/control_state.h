#pragma once
// The state of every edit box, combo box (drop-down lists too) and check box of a window, kept in the
// settings file under one section per control type with the controls' layout names as keys.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_document.h"

namespace velora::settings {

enum class ControlType { kEdit, kCombo, kCheck };

std::string_view SectionOf(ControlType type);

struct ComboEntry {
  std::string title;
  std::int64_t data = 0;

  bool operator==(const ComboEntry&) const = default;
};

struct ComboState {
  std::vector<ComboEntry> entries;
  int selected = -1;
  std::string text;

  bool operator==(const ComboState&) const = default;
};

// The stored forms. They are not one-to-one: a text that itself holds an escape comes back
// with the escaped character in its place, and a title loses everything after a "<|>".
std::string EscapeEditText(std::string_view text);
std::string UnescapeEditText(std::string_view stored);
std::string EncodeComboState(const ComboState& state);
ComboState DecodeComboState(std::string_view stored);

// A window's controls as the persistence sees them, found by layout name. The setters act as
// the program, not as the user: they must not raise the controls' change events (restoring
// "选择框_开机启动" must not touch the registry). A name the window does not have reads as
// empty and unchecked, and setting it does nothing.
class ControlPort {
 public:
  virtual ~ControlPort() = default;
  virtual std::vector<std::string> ControlNames(ControlType type) const = 0;
  // An edit box's text, a combo box's edit text.
  virtual std::string Text(std::string_view name) const = 0;
  virtual void SetText(std::string_view name, std::string_view text) = 0;
  virtual void SetTextColour(std::string_view name, std::uint32_t argb) = 0;
  virtual bool Checked(std::string_view name) const = 0;
  virtual void SetChecked(std::string_view name, bool checked) = 0;
  virtual std::vector<ComboEntry> ComboEntries(std::string_view name) const = 0;
  virtual int ComboSelection(std::string_view name) const = 0;  // -1 for none
  virtual void ClearComboEntries(std::string_view name) = 0;
  virtual void AddComboEntry(std::string_view name, const ComboEntry& entry, std::uint32_t text_colour,
                             int height) = 0;
  virtual void SetComboSelection(std::string_view name, int index) = 0;  // -1 for none
};

// `exclusions` names controls not to save, separated by "|", matched exactly.
void SaveControlStates(IniDocument& file, const ControlPort& controls, ControlType type,
                       std::string_view exclusions = {});
// A control without a stored value keeps the state the window layout gave it.
void RestoreControlStates(const IniDocument& file, ControlPort& controls, ControlType type);

}  // namespace velora::settings
