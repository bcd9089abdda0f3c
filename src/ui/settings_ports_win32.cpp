#include "ui/settings_ports_win32.h"

#include "toolkit/native_controls.h"
#include "toolkit/panel.h"

namespace velora::ui {
namespace {

using toolkit::CheckBox;
using toolkit::ComboBox;
using toolkit::EditBox;

// The program's own change: the control's change event stays quiet.
template <typename Change>
void Quietly(toolkit::Control& control, Change change) {
  auto on_change = std::move(control.on_change);
  control.on_change = nullptr;
  change();
  control.on_change = std::move(on_change);
}

template <typename T>
void NamesOf(const toolkit::ControlHost& controls, std::string_view type_word, const toolkit::Control* scope,
             std::vector<std::string>& names) {
  for (toolkit::Control* control : controls.OfType(type_word)) {
    if (scope && !IsChild(scope->hwnd(), control->hwnd())) continue;
    if (dynamic_cast<T*>(control)) names.push_back(control->name());
  }
}

}  // namespace

std::vector<std::string> WindowControls::ControlNames(settings::ControlType type) const {
  std::vector<std::string> names;
  switch (type) {
    case settings::ControlType::kEdit:
      NamesOf<EditBox>(controls_, toolkit::type_word::kEdit, scope_, names);
      break;
    case settings::ControlType::kCombo:
      NamesOf<ComboBox>(controls_, toolkit::type_word::kComboBox, scope_, names);
      NamesOf<ComboBox>(controls_, toolkit::type_word::kDropDown, scope_, names);
      break;
    case settings::ControlType::kCheck:
      NamesOf<CheckBox>(controls_, toolkit::type_word::kCheckBox, scope_, names);
      break;
  }
  return names;
}

std::string WindowControls::Text(std::string_view name) const {
  if (auto* edit = Find<EditBox>(name)) return edit->Text();
  if (auto* combo = Find<ComboBox>(name)) return combo->Text();
  return {};
}

void WindowControls::SetText(std::string_view name, std::string_view text) {
  if (auto* edit = Find<EditBox>(name)) Quietly(*edit, [&] { edit->SetText(text); });
  // A drop-down list has no text of its own: it shows its selected entry.
}

void WindowControls::SetTextColour(std::string_view name, std::uint32_t argb) {
  toolkit::Control* control = controls_.Find(name);
  if (!control) return;
  if (auto* label = dynamic_cast<toolkit::Label*>(control)) return label->SetColour(argb);
  text_colours_[control->hwnd()] = argb;
  control->Invalidate();
}

std::optional<std::uint32_t> WindowControls::TextColourOf(HWND control) const {
  const auto it = text_colours_.find(control);
  if (it == text_colours_.end()) return std::nullopt;
  return it->second;
}

bool WindowControls::Checked(std::string_view name) const {
  const auto* box = Find<CheckBox>(name);
  return box && box->Checked();
}

void WindowControls::SetChecked(std::string_view name, bool checked) {
  if (auto* box = Find<CheckBox>(name)) box->SetChecked(checked);  // BM_SETCHECK sends no click
}

std::vector<settings::ComboEntry> WindowControls::ComboEntries(std::string_view name) const {
  std::vector<settings::ComboEntry> entries;
  if (const auto* combo = Find<ComboBox>(name)) {
    for (int i = 0; i < combo->Count(); ++i) entries.push_back({combo->ItemText(i), combo->ItemNumber(i)});
  }
  return entries;
}

int WindowControls::ComboSelection(std::string_view name) const {
  const auto* combo = Find<ComboBox>(name);
  return combo ? combo->Selected() : -1;
}

void WindowControls::ClearComboEntries(std::string_view name) {
  if (auto* combo = Find<ComboBox>(name)) {
    for (int i = combo->Count() - 1; i >= 0; --i) combo->Delete(i);
  }
}

void WindowControls::AddComboEntry(std::string_view name, const settings::ComboEntry& entry,
                                   std::uint32_t text_colour, int height) {
  auto* combo = Find<ComboBox>(name);
  if (!combo) return;
  combo->Add(entry.title, entry.data);
  text_colours_[combo->hwnd()] = text_colour;
  SendMessageW(combo->hwnd(), CB_SETITEMHEIGHT, 0, controls_.Scale(height));
}

void WindowControls::SetComboSelection(std::string_view name, int index) {
  if (auto* combo = Find<ComboBox>(name)) combo->Select(index);  // CB_SETCURSEL sends no change
}

}  // namespace velora::ui
