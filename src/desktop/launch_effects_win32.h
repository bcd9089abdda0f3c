#pragma once
// What a launch does on the desktop: the shell opens on its worker, keys go to the window under
// the pointer, the clipboard is read, filled and put back, programs and the built-in functions
// start, and the address lookups run off the UI thread. The panel it was launched from is reached
// only through LaunchPanel.
#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/toast_kind.h"
#include "core/ui_dispatcher_win32.h"
#include "core/work_queue_win32.h"
#include "desktop/clipboard_win32.h"
#include "desktop/key_sender_win32.h"
#include "exec/functions.h"
#include "exec/launch.h"
#include "exec/macro_player.h"
#include "exec/shell_open_win32.h"
#include "store/database.h"

namespace velora::desktop {

// What launching needs of the panel it was started from.
class LaunchPanel {
 public:
  virtual ~LaunchPanel() = default;
  virtual HWND Window() const = 0;
  // Pinned or started by hand: a launch leaves it open.
  [[nodiscard]] virtual bool Held() const = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void HideTip() = 0;
  // An address lookup's answer, now on the clipboard.
  virtual void Report(core::ToastKind kind, std::string_view text) = 0;
  // A held panel confirms a snippet put on the clipboard; the panel words it.
  virtual void ConfirmSnippetCopied() = 0;
};

// What the launches need of the program's own files and settings.
struct LaunchSetup {
  std::filesystem::path screensaver;  // the clock screensaver the first run wrote
  std::string external_address_host;  // empty: the lookup's own default
};

class LaunchEffectsWin32 final : public exec::LaunchEffects,
                                 private exec::MacroStage,
                                 private exec::FunctionEffects {
 public:
  // `ui` brings the address lookups' answers back to the UI thread.
  LaunchEffectsWin32(LaunchPanel& panel, store::Database& db, LaunchSetup setup, core::UiPoster ui);
  ~LaunchEffectsWin32() override;
  LaunchEffectsWin32(const LaunchEffectsWin32&) = delete;
  LaunchEffectsWin32& operator=(const LaunchEffectsWin32&) = delete;

  // Ctrl+C to the foreground program, a short pumping wait, its text: the clipboard is saved
  // before and put back after, so the user's clipboard survives a summon.
  std::string CaptureSelection();
  // The selection of a copy that landed after the summon stopped waiting; the clipboard is put
  // back as it was. Empty while none has landed, and for good once the time for it has passed.
  std::optional<std::string> TakeLateCopy();
  // What a shortcut file points at, opened by the shell off the UI thread.
  void OpenShortcutTarget(std::string link) { shell_.OpenShortcutTarget(std::move(link)); }
  // The item menu's clipboard work; false when the clipboard refused or the file is unreadable.
  bool PutPicture(const std::string& path);
  bool PutGif(const std::string& path);
  bool PutFile(const std::string& path);

  // exec::LaunchEffects
  void StampDate(const std::string& category, const std::string& code, const std::string& date) override;
  void ShellOpen(const std::string& file, const std::string& parameters) override;
  void OpenPlace(exec::Place place) override { shell_.OpenPlace(place); }
  void PlayMacro(const std::string& key_codes) override;
  void RunFunction(const std::string& code) override;
  std::string ClipboardText() override;
  void PutClipboardText(const std::string& text) override;
  void PutPictureFile(const std::string& path) override { (void)PutPicture(path); }
  void PutGifFile(const std::string& path) override { (void)PutGif(path); }
  void PasteAtPointer(bool root_owner) override;
  std::optional<exec::ShortcutTarget> ResolveShortcut(const std::string& path) override;
  void ConfirmSnippetCopied() override { panel_.ConfirmSnippetCopied(); }
  void HideWindow() override { panel_.Hide(); }

 private:
  // exec::FunctionEffects: the built-in functions. Shutting down, restarting and logging off are
  // never run by tests.
  void OpenNetworkConnections() override;
  void LookUpExternalAddress() override;
  void LookUpInternalAddresses() override;
  void EndSession(exec::ExitKind kind) override;
  void LockWorkstation() override;
  void StartTaskManager() override { Start(L"taskmgr.exe"); }
  void StartScreensaver() override;
  void TogglePinAtPointer() override;
  // exec::MacroStage: how a macro or the pin hides, waits for the window under the pointer and
  // shows the panel.
  void HidePanel() override;
  void Pause(int milliseconds) override;
  void ActivateWindowAtPointer(bool root_owner) override;
  bool PanelHeld() const override { return panel_.Held(); }
  void ShowPanel() override { panel_.Show(); }

  // Off the UI thread: waiting up to a second for the program to be ready must not freeze the panel.
  void Start(std::wstring command_line);
  // One lookup at a time: asking again while one runs does nothing. One that throws answers
  // with empty text. `internal` lookups that find nothing change nothing.
  template <typename Lookup>
  void LookUp(Lookup lookup, bool internal);
  void Deliver(bool internal, const std::string& text);
  std::string TakeCopiedText(const std::optional<SavedClipboard>& saved);
  // Ends the wait for a late copy before a write of ours; null without a clipboard window.
  Clipboard* ClipboardToWrite();

  struct LateCopy {
    std::optional<SavedClipboard> saved;
    DWORD before = 0;  // the clipboard's count before the Ctrl+C
    ULONGLONG until = 0;
  };

  LaunchPanel& panel_;
  store::Database& db_;
  LaunchSetup setup_;
  exec::ShellOpener shell_;
  core::WorkQueue lookups_;
  KeySenderWin32 keys_;
  std::unique_ptr<Clipboard> clipboard_ = Clipboard::Create();
  std::optional<LateCopy> late_copy_;
};

}  // namespace velora::desktop
