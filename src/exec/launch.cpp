#include "exec/launch.h"

#include "exec/names.h"

namespace velora::exec {

std::string ReplaceKeyword(std::string_view address, std::string_view keyword) {
  std::string result;
  std::size_t from = 0;
  for (std::size_t at; (at = address.find(kKeywordPlaceholder, from)) != std::string_view::npos;) {
    result.append(address.substr(from, at - from)).append(keyword);
    from = at + kKeywordPlaceholder.size();
  }
  result.append(address.substr(from));
  return result;
}

namespace {

void HideUnlessHeld(const LaunchSituation& situation, LaunchEffects& effects) {
  if (!situation.held) effects.HideWindow();
}

void OpenAddress(const std::string& address, const LaunchSituation& situation, LaunchEffects& effects) {
  if (address.find(kKeywordPlaceholder) == std::string::npos) {
    effects.ShellOpen(address, {});
    return;
  }
  const std::string keyword =
      situation.search_with_clipboard ? effects.ClipboardText() : situation.captured_selection;
  effects.ShellOpen(ReplaceKeyword(address, keyword), {});
}

void LaunchPicture(const std::string& path, const LaunchSituation& situation, LaunchEffects& effects) {
  const bool long_press =
      situation.now_ms >= situation.press_ms && situation.now_ms - situation.press_ms >= kLongPressMs;
  if (!long_press) {
    effects.ShellOpen(path, {});
    return;
  }
  if (PathExtension(path) == ".gif") {
    effects.PutGifFile(path);
  } else {
    effects.PutPictureFile(path);
  }
  effects.PasteAtPointer(false);
}

}  // namespace

void Launch(const LaunchTarget& target, const LaunchSituation& situation, LaunchEffects& effects) {
  // Before the kind is known: even a launch that then does nothing moves the item to the front.
  if (situation.stamp_date) effects.StampDate(target.category, target.code, situation.date);

  const ClassifiedCode item = KindOfCode(target.code);
  switch (item.kind) {
    case ItemKind::kBookmark:
    case ItemKind::kSearch:
      OpenAddress(item.payload, situation, effects);
      HideUnlessHeld(situation, effects);
      return;
    case ItemKind::kSystemPlace:
      if (item.place != Place::kUnknown) effects.OpenPlace(item.place);
      HideUnlessHeld(situation, effects);
      return;
    case ItemKind::kMacro:
      effects.PlayMacro(item.payload);  // it hides and re-shows the window itself
      return;
    case ItemKind::kFunction:
      effects.RunFunction(item.payload);  // it decides whether the window hides
      return;
    case ItemKind::kTextSnippet:
      effects.PutClipboardText(item.payload);
      if (situation.held) {
        effects.ConfirmSnippetCopied();
      } else {
        effects.HideWindow();
      }
      effects.PasteAtPointer(true);
      return;
    case ItemKind::kShortcut:
      if (const std::optional<ShortcutTarget> link = effects.ResolveShortcut(item.payload)) {
        // The arguments go to the shell as parameters: opening "target arguments" as one file
        // name would fail for every shortcut that has them.
        effects.ShellOpen(link->target, link->arguments);
      }
      HideUnlessHeld(situation, effects);
      return;
    case ItemKind::kPicture:
      LaunchPicture(item.payload, situation, effects);
      HideUnlessHeld(situation, effects);
      return;
    case ItemKind::kPlainFile:
      effects.ShellOpen(item.payload, {});
      HideUnlessHeld(situation, effects);
      return;
    case ItemKind::kEmptyPath:
      return;  // nothing to open, and the window keeps its state
  }
}

}  // namespace velora::exec
