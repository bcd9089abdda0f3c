#include "exec/item_texts.h"

#include "exec/item_kind.h"
#include "exec/key_names.h"
#include "exec/macro_code.h"
#include "exec/names.h"

namespace velora::exec {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

std::string MacroTip(std::string_view key_codes) {
  const MacroKeys parsed = ParseMacroKeys(key_codes);
  if (parsed.pieces < 3) return {};
  // A 0 slot means "no key"; skipping unnamed slots keeps "Ctrl键+F键" from reading "Ctrl键++F键".
  std::string tip;
  for (const int key : parsed.keys) {
    const std::string_view name = KeyName(key);
    if (name.empty()) continue;
    if (!tip.empty()) tip += '+';
    tip += name;
  }
  return tip;
}

}  // namespace

std::string CaptionOfName(std::string_view name) {
  std::string caption;
  caption.reserve(name.size());
  std::size_t start = 0;
  for (std::size_t hit; (hit = name.find(kLineBreakWord, start)) != std::string_view::npos;
       start = hit + kLineBreakWord.size()) {
    caption.append(name.substr(start, hit - start));
    caption.append(kLineBreak);
  }
  caption.append(name.substr(start));
  return caption;
}

std::string TipOfCode(std::string_view code) {
  const ClassifiedCode item = KindOfCode(code);
  switch (item.kind) {
    case ItemKind::kBookmark:
    case ItemKind::kSearch:
    case ItemKind::kTextSnippet:
    case ItemKind::kShortcut:
    case ItemKind::kPicture:
    case ItemKind::kPlainFile:
      return item.payload;
    case ItemKind::kMacro:
      return MacroTip(item.payload);
    case ItemKind::kSystemPlace:
    case ItemKind::kFunction:
    case ItemKind::kEmptyPath:
      return {};
  }
  return {};
}

}  // namespace velora::exec
