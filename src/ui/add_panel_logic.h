#pragma once
// What the add panels make of what was typed: the rows they add with the insert-position rule,
// the refusals of empty fields, and the add-shortcut panel's key numbers, code and status line.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "store/items.h"

namespace velora::ui {

inline constexpr std::string_view kFillInFirst = "请先填写";
inline constexpr std::string_view kFillInName = "请填写名称";
inline constexpr std::string_view kStatusCaption = "状态：";

// The modifier lists' entries; the first is what a reset shows.
inline constexpr std::array<std::string_view, 4> kModifierEntries = {"CTRL键", "WIN键", "ALT键", "SHIFT键"};

// First modifier, second modifier, main key; 0 for none.
struct ShortcutKeys {
  int first = 0;
  int second = 0;
  int key = 0;

  bool operator==(const ShortcutKeys&) const = default;
};

// The number of a key's name as the key field or a modifier list shows it. A name the key field
// shows for a captured key counts as that key even where the accepted names spell it otherwise
// ("Caps Lock键", "Break"), so a captured key is never stored as no key.
int KeyOfShownName(std::string_view name);
ShortcutKeys KeysOf(std::string_view first_modifier, std::string_view second_modifier, std::string_view key);
// "热键17+16+83".
std::string ShortcutCode(const ShortcutKeys& keys);
// "状态：17+16+83".
std::string ShortcutStatus(const ShortcutKeys& keys);

// A row to add, or the refusal the user is told instead.
struct NewItem {
  std::optional<store::ItemRow> row;
  std::string_view refusal;
};

// Adding at the end leaves the date empty, so the item sorts after every dated one; adding in
// front dates it `now`.
NewItem NewBookmark(std::string_view address, std::string_view title, bool at_end, std::string_view now);
// Only the name is required: a shortcut without a main key is still added.
NewItem NewShortcut(std::string_view name, const ShortcutKeys& keys, bool at_end, std::string_view now);

}  // namespace velora::ui
