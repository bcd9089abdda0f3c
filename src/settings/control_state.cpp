#include "settings/control_state.h"

#include "settings/decimal.h"
#include "settings/names.h"
#include "text/split.h"

namespace velora::settings {
namespace {

using text::ReplaceAll;
using text::Split;

// The text before the first separator and after the last; both empty without one.
std::pair<std::string_view, std::string_view> Fields(std::string_view piece) {
  const std::size_t first = piece.find(kFieldSeparator);
  if (first == std::string_view::npos) return {};
  const std::size_t last = piece.rfind(kFieldSeparator);
  return {piece.substr(0, first), piece.substr(last + kFieldSeparator.size())};
}

bool Excluded(std::string_view name, std::string_view exclusions) {
  if (exclusions.empty()) return false;
  for (std::string_view excluded : Split(exclusions, std::string_view(&kExclusionSeparator, 1))) {
    if (excluded == name) return true;
  }
  return false;
}

std::string StoredValue(const ControlPort& controls, ControlType type, const std::string& name) {
  switch (type) {
    case ControlType::kEdit:
      return EscapeEditText(controls.Text(name));
    case ControlType::kCombo:
      return EncodeComboState(
          {controls.ComboEntries(name), controls.ComboSelection(name), controls.Text(name)});
    case ControlType::kCheck:
      return std::string(controls.Checked(name) ? kCheckedValue : kUncheckedValue);
  }
  return {};
}

void RestoreCombo(ControlPort& controls, const std::string& name, std::string_view stored) {
  ComboState state = DecodeComboState(stored);
  controls.ClearComboEntries(name);
  for (const ComboEntry& entry : state.entries) {
    controls.AddComboEntry(name, entry, kControlTextColour, kComboEntryHeight);
  }
  const int count = static_cast<int>(state.entries.size());
  controls.SetComboSelection(name, state.selected >= 0 && state.selected < count ? state.selected : -1);
  controls.SetText(name, state.text);
}

}  // namespace

std::string_view SectionOf(ControlType type) {
  switch (type) {
    case ControlType::kEdit:
      return kEditSection;
    case ControlType::kCombo:
      return kComboSection;
    case ControlType::kCheck:
      return kCheckSection;
  }
  return {};
}

std::string EscapeEditText(std::string_view text) {
  // A lone CR or LF would end the line in the file, so every line break takes the escape.
  std::string breaks;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      breaks += kLineBreakEscape;
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      breaks += text[i];
    }
  }
  return ReplaceAll(breaks, "\"", kQuoteEscape);
}

std::string UnescapeEditText(std::string_view stored) {
  return ReplaceAll(ReplaceAll(stored, kLineBreakEscape, "\r\n"), kQuoteEscape, "\"");
}

std::string EncodeComboState(const ComboState& state) {
  std::string value;
  for (const ComboEntry& entry : state.entries) {
    value.append(entry.title)
        .append(kFieldSeparator)
        .append(std::to_string(entry.data))
        .append(kEntrySeparator);
  }
  value.append(std::to_string(state.selected)).append(kFieldSeparator).append(state.text);
  return ReplaceAll(value, "\"", kQuoteEscape);
}

ComboState DecodeComboState(std::string_view stored) {
  const std::string value = ReplaceAll(stored, kQuoteEscape, "\"");
  const std::vector<std::string_view> pieces = Split(value, kEntrySeparator);
  ComboState state;
  for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
    const auto [title, data] = Fields(pieces[i]);
    state.entries.push_back({std::string(title), ParseDecimal(data)});
  }
  const auto [selected, text] = Fields(pieces.back());
  state.selected = ParseInt(selected);
  state.text = std::string(text);
  return state;
}

void SaveControlStates(IniDocument& file, const ControlPort& controls, ControlType type,
                       std::string_view exclusions) {
  for (const std::string& name : controls.ControlNames(type)) {
    if (Excluded(name, exclusions)) continue;
    // A name that cannot be a key (never one of the layout's) is skipped.
    (void)file.Set(SectionOf(type), name, StoredValue(controls, type, name));
  }
}

void RestoreControlStates(const IniDocument& file, ControlPort& controls, ControlType type) {
  for (const std::string& name : controls.ControlNames(type)) {
    controls.SetTextColour(name, kControlTextColour);
    const std::string stored = file.Get(SectionOf(type), name).value_or("");
    if (stored.empty()) continue;
    switch (type) {
      case ControlType::kEdit:
        controls.SetText(name, UnescapeEditText(stored));
        break;
      case ControlType::kCombo:
        RestoreCombo(controls, name, stored);
        break;
      case ControlType::kCheck:
        controls.SetChecked(name, stored != kUncheckedValue);
        break;
    }
  }
}

}  // namespace velora::settings
