#include "ui/add_panel_logic.h"

#include "exec/key_names.h"
#include "exec/names.h"

namespace velora::ui {
namespace {

store::ItemRow DatedRow(std::string code, std::string_view name, std::string_view suffix, bool at_end,
                        std::string_view now) {
  store::ItemRow row;
  row.code = std::move(code);
  row.name = std::string(name);
  row.suffix = std::string(suffix);
  if (!at_end) row.date = std::string(now);
  return row;
}

std::string Numbers(const ShortcutKeys& keys) {
  return std::to_string(keys.first) + "+" + std::to_string(keys.second) + "+" + std::to_string(keys.key);
}

}  // namespace

int KeyOfShownName(std::string_view name) {
  if (const int code = exec::KeyOfName(name)) return code;
  if (name.empty()) return 0;
  for (int code = 1; code < 256; ++code) {
    if (exec::KeyName(code) == name) return code;
  }
  return 0;
}

ShortcutKeys KeysOf(std::string_view first_modifier, std::string_view second_modifier, std::string_view key) {
  return {KeyOfShownName(first_modifier), KeyOfShownName(second_modifier), KeyOfShownName(key)};
}

std::string ShortcutCode(const ShortcutKeys& keys) {
  return std::string(exec::prefix::kMacro) + Numbers(keys);
}

std::string ShortcutStatus(const ShortcutKeys& keys) { return std::string(kStatusCaption) + Numbers(keys); }

NewItem NewBookmark(std::string_view address, std::string_view title, bool at_end, std::string_view now) {
  if (address.empty() || title.empty()) return {std::nullopt, kFillInFirst};
  return {DatedRow(std::string(exec::prefix::kWeb) + std::string(address), title, exec::suffix::kBookmark,
                   at_end, now),
          {}};
}

NewItem NewShortcut(std::string_view name, const ShortcutKeys& keys, bool at_end, std::string_view now) {
  if (name.empty()) return {std::nullopt, kFillInName};
  return {DatedRow(ShortcutCode(keys), name, exec::suffix::kMacro, at_end, now), {}};
}

}  // namespace velora::ui
