#pragma once
// Launching from the grid: builds what the launch needs to know from the window at the moment of
// the click and runs it with the real effects (the shell on its worker, the clipboard, keys sent
// to the window under the pointer, the panel hidden or kept).
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "core/ui_dispatcher_win32.h"
#include "exec/launch.h"
#include "exec/launch_port.h"
#include "exec/shell_open_win32.h"
#include "settings/options.h"
#include "store/database.h"

namespace velora::ui {

class LauncherWindow;
class Feedback;

// What the launches need of the program's own files and settings.
struct LaunchSetup {
  std::filesystem::path screensaver;  // the clock screensaver the first run wrote
  std::string external_address_host;  // empty: the lookup's own default
};

class ItemLauncher final : public exec::LaunchPort {
 public:
  // `ui` brings the address lookups' answers back to the UI thread.
  ItemLauncher(LauncherWindow& window, const settings::Options& options, Feedback& feedback,
               store::Database& db, LaunchSetup setup, core::UiPoster ui);
  ~ItemLauncher() override;
  ItemLauncher(const ItemLauncher&) = delete;
  ItemLauncher& operator=(const ItemLauncher&) = delete;

  void Launch(const exec::LaunchTarget& target) override;
  // While set, a web search takes the clipboard's text instead of the captured selection (the
  // item menu's "搜剪辑板").
  void set_search_with_clipboard(bool on) { search_with_clipboard_ = on; }
  // Ctrl+C to the foreground program, a short pumping wait, its text: the clipboard is saved
  // before and put back after, so the user's clipboard survives a summon.
  std::string CaptureSelection();
  // A selection whose copy landed after the summon stopped waiting (asked on the window's timer
  // and before a launch): its text, with the user's clipboard put back.
  std::optional<std::string> TakeLateCopy();
  // What a shortcut file points at, opened by the shell off the UI thread (a recent-list row).
  void OpenShortcutTarget(std::string link);
  // The item menu's clipboard work; false when the clipboard refused or the file is unreadable.
  std::string ClipboardText();
  bool PutPictureOnClipboard(const std::string& path);
  bool PutFileOnClipboard(const std::string& path);

 private:
  class Effects;
  // Made at the first launch: its worker thread and clipboard window cost start-up time that
  // the first look of the panel does not need.
  Effects& effects();

  LauncherWindow& window_;
  const settings::Options& options_;
  Feedback& feedback_;
  store::Database& db_;
  bool search_with_clipboard_ = false;
  LaunchSetup setup_;
  core::UiPoster ui_;
  std::unique_ptr<Effects> effects_;
};

}  // namespace velora::ui
