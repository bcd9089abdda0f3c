#include "ui/item_launcher.h"

#include <windows.h>

#include "desktop/clipboard_win32.h"
#include "desktop/key_sender_win32.h"
#include "desktop/pumping_wait_win32.h"
#include "desktop/window_at_pointer_win32.h"
#include "exec/file_bytes.h"
#include "exec/key_sender.h"
#include "exec/macro_player.h"
#include "store/items.h"
#include "text/date.h"
#include "text/fs_path.h"
#include "toolkit/native_controls.h"
#include "ui/launcher_window.h"
#include "ui/settings_panel_names.h"
#include "ui/settings_ui.h"
#include "ui/toast_texts.h"

namespace velora::ui {

class ItemLauncher::Effects final : public exec::LaunchEffects, private exec::MacroStage {
 public:
  Effects(LauncherWindow& window, store::Database& db) : window_(window), db_(db) {}

  void StampDate(const std::string& category, const std::string& code, const std::string& date) override {
    (void)store::RecordLaunch(db_, category, code, date);  // a failed stamp leaves the order as it was
  }
  void ShellOpen(const std::string& file, const std::string& parameters) override {
    shell_.Open(file, parameters);
  }
  void OpenPlace(exec::Place place) override { shell_.OpenPlace(place); }
  void PlayMacro(const std::string& key_codes) override { exec::PlayMacro(key_codes, *this, keys_); }
  // The built-in functions come with their own work; until then a function item opens nothing.
  void RunFunction(const std::string&) override {}
  std::string ClipboardText() override { return clipboard_ ? clipboard_->ReadText() : std::string(); }
  void PutClipboardText(const std::string& text) override {
    if (clipboard_) (void)clipboard_->PutText(text);
  }
  void PutPictureFile(const std::string& path) override {
    const std::optional<std::string> bytes = exec::ReadFileBytes(text::PathFromUtf8(path));
    if (clipboard_ && bytes) (void)clipboard_->PutPicture(*bytes);
  }
  void PutGifFile(const std::string& path) override {
    if (clipboard_) (void)clipboard_->PutGifPicture(path);
  }
  void PasteAtPointer(bool root_owner) override {
    (void)desktop::ActivateWindowAtPointer(root_owner);
    (void)exec::SendChord(keys_, exec::kPasteChord);
  }
  std::optional<exec::ShortcutTarget> ResolveShortcut(const std::string& path) override {
    return exec::ResolveShortcutFile(path);
  }
  void ConfirmSnippetCopied() override {
    window_.settings().ShowToast(core::ToastKind::kDone, kSnippetCopied);
  }
  void HideWindow() override { ShowWindow(window_.hwnd(), SW_HIDE); }

 private:
  // How a macro hides, waits for the window under the pointer and shows the panel again.
  void HidePanel() override {
    window_.settings().ShowTip(false, "");
    HideWindow();
  }
  void Pause(int milliseconds) override { (void)desktop::PumpingWait(static_cast<DWORD>(milliseconds)); }
  void ActivateWindowAtPointer(bool root_owner) override {
    (void)desktop::ActivateWindowAtPointer(root_owner);
  }
  bool PanelHeld() const override { return window_.state().held; }
  void ShowPanel() override { ShowWindow(window_.hwnd(), SW_SHOW); }

  LauncherWindow& window_;
  store::Database& db_;
  exec::ShellOpener shell_;
  desktop::KeySenderWin32 keys_;
  std::unique_ptr<desktop::Clipboard> clipboard_ = desktop::Clipboard::Create();
};

ItemLauncher::ItemLauncher(LauncherWindow& window, store::Database& db)
    : effects_(std::make_unique<Effects>(window, db)), window_(window) {}

ItemLauncher::~ItemLauncher() = default;

void ItemLauncher::Launch(const exec::LaunchTarget& target) {
  const WindowState& state = window_.state();
  exec::LaunchSituation situation;
  const auto* to_front = window_.controls().FindAs<toolkit::CheckBox>(settings_names::kLaunchToFrontBox);
  situation.stamp_date = to_front && to_front->Checked();
  if (situation.stamp_date) situation.date = text::NowText();
  situation.held = state.held;
  situation.search_with_clipboard = state.search_with_clipboard;
  situation.captured_selection = state.captured_selection;
  situation.press_ms = state.press_ms;
  situation.now_ms = GetTickCount64();
  exec::Launch(target, situation, *effects_);
}

}  // namespace velora::ui
