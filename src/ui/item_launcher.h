#pragma once
// Launching from the grid: builds what the launch needs to know at the moment of the click (the
// selection captured at the summon, whether the panel is held) and runs it with the desktop's
// effects, made at the first launch.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/ui_dispatcher_win32.h"
#include "desktop/launch_effects_win32.h"
#include "exec/launch_port.h"
#include "settings/options.h"
#include "store/database.h"

namespace velora::ui {

class Feedback;

class ItemLauncher final : public exec::LaunchPort, private desktop::LaunchPanel {
 public:
  // `held` tells whether the panel stays open; `ui` brings the address lookups' answers back to
  // the UI thread.
  ItemLauncher(HWND panel, std::function<bool()> held, const settings::Options& options, Feedback& feedback,
               store::Database& db, desktop::LaunchSetup setup, core::UiPoster ui);
  ~ItemLauncher() override;
  ItemLauncher(const ItemLauncher&) = delete;
  ItemLauncher& operator=(const ItemLauncher&) = delete;

  void Launch(const exec::LaunchTarget& target) override;
  // While set, a web search takes the clipboard's text instead of the captured selection (the
  // item menu's "搜剪辑板").
  void set_search_with_clipboard(bool on) { search_with_clipboard_ = on; }
  // At the summon, before the panel shows: the foreground program's selection, kept for the
  // web searches launched from this summon.
  void CaptureSelection();
  // A copy that landed after the summon stopped waiting becomes the selection (asked on the
  // window's timer and before a launch).
  void TakeLateCopy();
  // What a shortcut file points at, opened by the shell off the UI thread (a recent-list row).
  void OpenShortcutTarget(std::string link);
  // The item menu's clipboard work; false when the clipboard refused or the file is unreadable.
  std::string ClipboardText();
  bool PutPictureOnClipboard(const std::string& path);
  bool PutFileOnClipboard(const std::string& path);

 private:
  // Made at the first launch: its worker thread and clipboard window cost start-up time that
  // the first look of the panel does not need.
  desktop::LaunchEffectsWin32& effects();

  // desktop::LaunchPanel
  HWND Window() const override { return panel_; }
  bool Held() const override { return held_(); }
  void Show() override { ShowWindow(panel_, SW_SHOW); }
  void Hide() override { ShowWindow(panel_, SW_HIDE); }
  void HideTip() override;
  void Report(core::ToastKind kind, std::string_view text) override;
  void ConfirmSnippetCopied() override;

  HWND panel_;
  std::function<bool()> held_;
  const settings::Options& options_;
  Feedback& feedback_;
  store::Database& db_;
  bool search_with_clipboard_ = false;
  std::string captured_selection_;
  desktop::LaunchSetup setup_;
  core::UiPoster ui_;
  std::unique_ptr<desktop::LaunchEffectsWin32> effects_;
};

}  // namespace velora::ui
