#pragma once
// The one launch operation: an item's date is stamped when the user wants launched items first,
// its code is sorted into its kind, and that kind's path runs through the effects below. Every
// side effect goes through LaunchEffects, so the paths are plain logic; the Win32 half opens with
// the shell off the UI thread, sends keys and owns the clipboard.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "exec/item_kind.h"
#include "exec/launch_port.h"

namespace velora::exec {

// What the window knows at the moment of the launch.
struct LaunchSituation {
  bool stamp_date = false;  // "选择框_图标自动置顶" is ticked
  std::string date;         // now, as a 日期 text
  bool held = false;
  bool search_with_clipboard = false;
  std::string captured_selection;
  std::uint64_t press_ms = 0;  // tick count of the press that led here
  std::uint64_t now_ms = 0;
};

// A resolved shell link: its target and its arguments (empty when it has none).
struct ShortcutTarget {
  std::string target;
  std::string arguments;
  bool operator==(const ShortcutTarget&) const = default;
};

class LaunchEffects {
 public:
  virtual ~LaunchEffects() = default;
  virtual void StampDate(const std::string& category, const std::string& code, const std::string& date) = 0;
  // The shell's "open" verb on `file`, with `parameters` when not empty.
  virtual void ShellOpen(const std::string& file, const std::string& parameters) = 0;
  virtual void OpenPlace(Place place) = 0;
  virtual void PlayMacro(const std::string& key_codes) = 0;
  virtual void RunFunction(const std::string& code) = 0;
  virtual std::string ClipboardText() = 0;
  virtual void PutClipboardText(const std::string& text) = 0;
  virtual void PutPictureFile(const std::string& path) = 0;
  virtual void PutGifFile(const std::string& path) = 0;
  // Brings the window under the pointer (its root owner when asked) to the front and presses
  // Ctrl+V there.
  virtual void PasteAtPointer(bool root_owner) = 0;
  virtual std::optional<ShortcutTarget> ResolveShortcut(const std::string& path) = 0;
  // The held window confirms a snippet put on the clipboard; the window words it.
  virtual void ConfirmSnippetCopied() = 0;
  virtual void HideWindow() = 0;
};

// A press held this long or longer on a picture pastes it instead of opening it.
inline constexpr std::uint64_t kLongPressMs = 300;

// Every "$关键词$" (exact letter case) replaced by `keyword`, which goes in unchanged.
std::string ReplaceKeyword(std::string_view address, std::string_view keyword);

void Launch(const LaunchTarget& target, const LaunchSituation& situation, LaunchEffects& effects);

}  // namespace velora::exec
