#include "ui/item_launcher.h"
#include "ui/feedback.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <shlobj.h>

#include "core/handles_win32.h"
#include "core/work_queue_win32.h"
#include "desktop/clipboard_win32.h"
#include "desktop/key_sender_win32.h"
#include "desktop/pumping_wait_win32.h"
#include "desktop/window_at_pointer_win32.h"
#include "exec/address_lookup_win32.h"
#include "exec/file_bytes.h"
#include "exec/functions.h"
#include "exec/item_kind.h"
#include "exec/key_sender.h"
#include "exec/macro_player.h"
#include "exec/suffix_icon.h"
#include "store/items.h"
#include "text/date.h"
#include "text/fs_path.h"
#include "ui/launcher_window.h"
#include "ui/settings_ui.h"
#include "ui/toast_texts.h"

namespace velora::ui {

namespace {

enum LookupTag : unsigned { kExternalLookup = 1, kInternalLookup = 2 };

// How long the summon waits for the foreground program to answer its Ctrl+C, and how long a
// copy that lands later is still taken as the selection (a busy or newly started program may
// take longer than the summon waits).
constexpr DWORD kCaptureWaitMs = 50;
constexpr ULONGLONG kLateCopyMs = 1500;
// A lookup ends within its own time-out, which exit waits for at most.
constexpr core::WorkQueueSetup kLookupQueue{"address lookup", false, 0,
                                            static_cast<unsigned>(exec::kExternalAddressTimeout.count())};

// Starts a program without waiting for it, but gives it up to a second to be ready for input.
void StartProgram(const std::wstring& command_line) {
  std::wstring line = command_line;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return;  // a program that cannot start is not reported
  }
  const core::UniqueHandle thread(process.hThread);
  const core::UniqueHandle child(process.hProcess);
  WaitForInputIdle(child.get(), 1000);
}

void EnableShutdownPrivilege() {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) return;
  const core::UniqueHandle token(raw);
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) return;
  AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
}

std::wstring SystemDirectory() {
  wchar_t path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, path, CSIDL_SYSTEM, FALSE)) return {};
  std::wstring directory = path;
  if (!directory.empty() && directory.back() != L'\\') directory += L'\\';
  return directory;
}

}  // namespace

class ItemLauncher::Effects final : public exec::LaunchEffects,
                                    private exec::MacroStage,
                                    private exec::FunctionEffects {
 public:
  Effects(LauncherWindow& window, Feedback& feedback, store::Database& db, LaunchSetup setup,
          core::UiPoster ui)
      : window_(window),
        feedback_(feedback),
        db_(db),
        setup_(std::move(setup)),
        lookups_(std::move(ui), kLookupQueue) {}

  std::string CaptureSelection() {
    late_copy_.reset();
    if (!clipboard_) return {};
    std::optional<desktop::SavedClipboard> saved = clipboard_->Save();
    // A program with nothing selected copies nothing: the clipboard then keeps its content and
    // its count, and the text already on it is not the selection.
    const DWORD before = desktop::Clipboard::SequenceNumber();
    (void)exec::SendChord(keys_, exec::kCopyChord);
    const ULONGLONG until = GetTickCount64() + kCaptureWaitMs;
    while (desktop::Clipboard::SequenceNumber() == before && GetTickCount64() < until) {
      (void)desktop::PumpingWait(5);
    }
    if (desktop::Clipboard::SequenceNumber() == before) {
      // The copy may still come: it must not take the place of what the user had on the clipboard.
      late_copy_ = LateCopy{std::move(saved), before, GetTickCount64() + kLateCopyMs};
      return {};
    }
    return TakeCopiedText(saved);
  }

  // The selection of a copy that landed after the summon stopped waiting; the clipboard is put
  // back as it was. Empty while none has landed, and for good once the time for it has passed.
  std::optional<std::string> TakeLateCopy() {
    if (!late_copy_) return std::nullopt;
    if (GetTickCount64() >= late_copy_->until) {
      late_copy_.reset();
      return std::nullopt;
    }
    if (desktop::Clipboard::SequenceNumber() == late_copy_->before) return std::nullopt;
    const std::optional<desktop::SavedClipboard> saved = std::move(late_copy_->saved);
    late_copy_.reset();
    return TakeCopiedText(saved);
  }

  void Deliver(unsigned tag, const std::string& text) {
    // An external lookup that failed still empties the clipboard's text and says so with an
    // empty toast; an empty list of internal addresses changes nothing.
    if (tag == kInternalLookup && text.empty()) return;
    PutClipboardText(text);
    feedback_.ShowToast(core::ToastKind::kDone, text);
  }

  void StampDate(const std::string& category, const std::string& code, const std::string& date) override {
    (void)store::RecordLaunch(db_, category, code, date);  // a failed stamp leaves the order as it was
  }
  void ShellOpen(const std::string& file, const std::string& parameters) override {
    shell_.Open(file, parameters);
  }
  void OpenPlace(exec::Place place) override { shell_.OpenPlace(place); }
  void OpenShortcutTarget(std::string link) { shell_.OpenShortcutTarget(std::move(link)); }
  void PlayMacro(const std::string& key_codes) override { exec::PlayMacro(key_codes, *this, keys_); }
  void RunFunction(const std::string& code) override { exec::RunFunction(code, window_.state().held, *this); }
  std::string ClipboardText() override { return clipboard_ ? clipboard_->ReadText() : std::string(); }
  void PutClipboardText(const std::string& text) override {
    if (clipboard_) (void)clipboard_->PutText(text);
  }
  void PutPictureFile(const std::string& path) override { (void)PutPicture(path); }
  void PutGifFile(const std::string& path) override { (void)PutGif(path); }
  bool PutPicture(const std::string& path) {
    const std::optional<std::string> bytes = exec::ReadFileBytes(text::PathFromUtf8(path));
    return clipboard_ && bytes && clipboard_->PutPicture(*bytes);
  }
  bool PutGif(const std::string& path) { return clipboard_ && clipboard_->PutGifPicture(path); }
  bool PutFile(const std::string& path) {
    const std::string paths[] = {path};
    return clipboard_ && clipboard_->PutFileList(paths, false);
  }
  void PasteAtPointer(bool root_owner) override {
    (void)desktop::ActivateWindowAtPointer(root_owner);
    (void)exec::SendChord(keys_, exec::kPasteChord);
  }
  std::optional<exec::ShortcutTarget> ResolveShortcut(const std::string& path) override {
    return exec::ResolveShortcutFile(path);
  }
  void ConfirmSnippetCopied() override { feedback_.ShowToast(core::ToastKind::kDone, kSnippetCopied); }
  void HideWindow() override { ShowWindow(window_.hwnd(), SW_HIDE); }

 private:
  // The built-in functions. Shutting down, restarting and logging off are never run by tests.
  void OpenNetworkConnections() override {
    HKEY raw = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Policies\\Microsoft\\Windows\\Network Connections", 0,
                        nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr) == ERROR_SUCCESS) {
      const core::UniqueKey key(raw);
      const DWORD zero = 0;
      RegSetValueExW(key.get(), L"NC_EnableAdminProhibits", 0, REG_DWORD,
                     reinterpret_cast<const BYTE*>(&zero), sizeof zero);
    }
    Start(L"rundll32.exe shell32.dll,Control_RunDLL " + SystemDirectory() + L"ncpa.cpl");
  }
  void LookUpExternalAddress() override {
    exec::ExternalAddressOptions options;
    if (!setup_.external_address_host.empty()) options.host = setup_.external_address_host;
    LookUp([options] { return exec::ExternalAddress(options); }, kExternalLookup);
  }
  void LookUpInternalAddresses() override {
    LookUp([] { return exec::JoinAddresses(exec::InternalAddresses()); }, kInternalLookup);
  }
  // One lookup at a time: asking again while one runs does nothing. One that throws answers
  // with empty text.
  template <typename Lookup>
  void LookUp(Lookup lookup, LookupTag tag) {
    if (lookups_.Busy()) return;
    (void)lookups_.Post(
        std::move(lookup), [this, tag](const std::string& text) { Deliver(tag, text); },
        [] { return std::string(); });  // the queue logs a worker it could not start
  }
  void EndSession(exec::ExitKind kind) override {
    UINT flags = EWX_LOGOFF | EWX_FORCE;
    if (kind != exec::ExitKind::kLogOff) {
      EnableShutdownPrivilege();
      flags = (kind == exec::ExitKind::kShutdown ? EWX_SHUTDOWN : EWX_REBOOT) | EWX_FORCE;
    }
    ExitWindowsEx(flags, 0xFFFF);
  }
  void LockWorkstation() override { LockWorkStation(); }
  void StartTaskManager() override { Start(L"taskmgr.exe"); }
  void StartScreensaver() override { Start(L"\"" + setup_.screensaver.wstring() + L"\" /s"); }
  // Off the UI thread: waiting up to a second for the program to be ready must not freeze the panel.
  void Start(std::wstring command_line) {
    shell_.Post([command_line = std::move(command_line)] { StartProgram(command_line); });
  }
  void TogglePinAtPointer() override {
    HWND target = desktop::WindowAtPointer();
    if (!target || target == window_.hwnd()) return;
    if (GetWindowLongW(target, GWL_EXSTYLE) & WS_EX_TOPMOST) {
      SetWindowPos(target, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    } else {
      (void)desktop::ActivateWindow(target);
      SetWindowPos(target, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    }
  }

  // How a macro or the pin hides, waits for the window under the pointer and shows the panel.
  void HidePanel() override {
    feedback_.ShowTip(false, "");
    HideWindow();
  }
  void Pause(int milliseconds) override { (void)desktop::PumpingWait(static_cast<DWORD>(milliseconds)); }
  void ActivateWindowAtPointer(bool root_owner) override {
    (void)desktop::ActivateWindowAtPointer(root_owner);
  }
  bool PanelHeld() const override { return window_.state().held; }
  void ShowPanel() override { ShowWindow(window_.hwnd(), SW_SHOW); }

  LauncherWindow& window_;
  Feedback& feedback_;
  store::Database& db_;
  LaunchSetup setup_;
  exec::ShellOpener shell_;
  core::WorkQueue lookups_;
  desktop::KeySenderWin32 keys_;
  std::string TakeCopiedText(const std::optional<desktop::SavedClipboard>& saved) {
    std::string text = clipboard_->ReadText();
    if (saved) (void)clipboard_->Restore(*saved);
    return text;
  }

  struct LateCopy {
    std::optional<desktop::SavedClipboard> saved;
    DWORD before = 0;  // the clipboard's count before the Ctrl+C
    ULONGLONG until = 0;
  };

  std::unique_ptr<desktop::Clipboard> clipboard_ = desktop::Clipboard::Create();
  std::optional<LateCopy> late_copy_;
};

ItemLauncher::ItemLauncher(LauncherWindow& window, const settings::Options& options, Feedback& feedback,
                           store::Database& db, LaunchSetup setup, core::UiPoster ui)
    : window_(window),
      options_(options),
      feedback_(feedback),
      db_(db),
      setup_(std::move(setup)),
      ui_(std::move(ui)) {}

ItemLauncher::Effects& ItemLauncher::effects() {
  if (!effects_) effects_ = std::make_unique<Effects>(window_, feedback_, db_, setup_, ui_);
  return *effects_;
}

std::string ItemLauncher::CaptureSelection() { return effects().CaptureSelection(); }

std::optional<std::string> ItemLauncher::TakeLateCopy() {
  return effects_ ? effects_->TakeLateCopy() : std::nullopt;
}

void ItemLauncher::OpenShortcutTarget(std::string link) { effects().OpenShortcutTarget(std::move(link)); }

std::string ItemLauncher::ClipboardText() { return effects().ClipboardText(); }

bool ItemLauncher::PutPictureOnClipboard(const std::string& path) {
  // An animated picture goes in the forms that keep it moving where it is pasted.
  return exec::AsciiLower(exec::PathExtension(path)) == ".gif" ? effects().PutGif(path)
                                                               : effects().PutPicture(path);
}

bool ItemLauncher::PutFileOnClipboard(const std::string& path) { return effects().PutFile(path); }

ItemLauncher::~ItemLauncher() = default;

void ItemLauncher::Launch(const exec::LaunchTarget& target) {
  WindowState& state = window_.state();
  if (std::optional<std::string> late = TakeLateCopy()) state.captured_selection = std::move(*late);
  exec::LaunchSituation situation;
  situation.stamp_date = options_.launch_to_front;
  if (situation.stamp_date) situation.date = text::NowText();
  situation.held = state.held;
  situation.search_with_clipboard = search_with_clipboard_;
  situation.captured_selection = state.captured_selection;
  situation.press_ms = state.press_ms;
  situation.now_ms = GetTickCount64();
  exec::Launch(target, situation, effects());
}

}  // namespace velora::ui
