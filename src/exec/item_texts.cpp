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

// The kind of a file by its extension: one that starts something, or a document; a path without
// one is most often a folder.
std::string_view FileKindWord(std::string_view path) {
  std::string extension(PathExtension(path));
  for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (extension.empty()) return "文件夹";
  for (const std::string_view program : {".exe", ".com", ".bat", ".cmd", ".msi", ".scr"}) {
    if (extension == program) return "程序";
  }
  return "文档";
}

std::string_view KindWord(const ClassifiedCode& item) {
  switch (item.kind) {
    case ItemKind::kBookmark:
      return "书签";
    case ItemKind::kSearch:
      return "网页搜索";
    case ItemKind::kSystemPlace:
      return "系统位置";
    case ItemKind::kMacro:
      return "组合键";
    case ItemKind::kFunction:
      return "功能";
    case ItemKind::kTextSnippet:
      return "文本";
    case ItemKind::kShortcut:
      return "快捷方式";
    case ItemKind::kPicture:
      return "图片";
    case ItemKind::kPlainFile:
      return FileKindWord(item.payload);
    case ItemKind::kEmptyPath:
      break;
  }
  return "空项目";
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

std::string DescriptionOfCode(std::string_view code) {
  std::string description(KindWord(KindOfCode(code)));
  const std::string tip = TipOfCode(code);
  if (!tip.empty()) description.append(" · ").append(tip);
  return description;
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
