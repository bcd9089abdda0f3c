#include "desktop/launch_effects_win32.h"

#include <shlobj.h>

#include "core/file_bytes.h"
#include "core/handles_win32.h"
#include "desktop/pumping_wait_win32.h"
#include "desktop/window_at_pointer_win32.h"
#include "exec/address_lookup_win32.h"
#include "exec/key_sender.h"
#include "store/items.h"
#include "text/fs_path.h"

namespace velora::desktop {
namespace {

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

LaunchEffectsWin32::LaunchEffectsWin32(LaunchPanel& panel, store::Database& db, LaunchSetup setup,
                                       core::UiPoster ui)
    : panel_(panel), db_(db), setup_(std::move(setup)), lookups_(std::move(ui), kLookupQueue) {}

LaunchEffectsWin32::~LaunchEffectsWin32() = default;

std::string LaunchEffectsWin32::CaptureSelection() {
  late_copy_.reset();
  if (!clipboard_) return {};
  std::optional<SavedClipboard> saved = clipboard_->Save();
  // A program with nothing selected copies nothing: the clipboard then keeps its content and
  // its count, and the text already on it is not the selection.
  const DWORD before = Clipboard::SequenceNumber();
  (void)exec::SendChord(keys_, exec::kCopyChord);
  const ULONGLONG until = GetTickCount64() + kCaptureWaitMs;
  while (Clipboard::SequenceNumber() == before && GetTickCount64() < until) {
    (void)PumpingWait(5);
  }
  if (Clipboard::SequenceNumber() == before) {
    // The copy may still come: it must not take the place of what the user had on the clipboard.
    late_copy_ = LateCopy{std::move(saved), before, GetTickCount64() + kLateCopyMs};
    return {};
  }
  return TakeCopiedText(saved);
}

std::optional<std::string> LaunchEffectsWin32::TakeLateCopy() {
  if (!late_copy_) return std::nullopt;
  if (GetTickCount64() >= late_copy_->until) {
    late_copy_.reset();
    return std::nullopt;
  }
  if (Clipboard::SequenceNumber() == late_copy_->before) return std::nullopt;
  const std::optional<SavedClipboard> saved = std::move(late_copy_->saved);
  late_copy_.reset();
  return TakeCopiedText(saved);
}

std::string LaunchEffectsWin32::TakeCopiedText(const std::optional<SavedClipboard>& saved) {
  std::string text = clipboard_->ReadText();
  if (saved) (void)clipboard_->Restore(*saved);
  return text;
}

Clipboard* LaunchEffectsWin32::ClipboardToWrite() {
  // A copy still awaited from the summon must not take our own write for the selection, nor
  // put the user's old clipboard back over it.
  late_copy_.reset();
  return clipboard_.get();
}

bool LaunchEffectsWin32::PutPicture(const std::string& path) {
  const std::optional<std::string> bytes = core::ReadFileBytes(text::PathFromUtf8(path));
  Clipboard* clipboard = ClipboardToWrite();
  return clipboard && bytes && clipboard->PutPicture(*bytes);
}

bool LaunchEffectsWin32::PutGif(const std::string& path) {
  Clipboard* clipboard = ClipboardToWrite();
  return clipboard && clipboard->PutGifPicture(path);
}

bool LaunchEffectsWin32::PutFile(const std::string& path) {
  const std::string paths[] = {path};
  Clipboard* clipboard = ClipboardToWrite();
  return clipboard && clipboard->PutFileList(paths, false);
}

void LaunchEffectsWin32::StampDate(const std::string& category, const std::string& code,
                                   const std::string& date) {
  (void)store::RecordLaunch(db_, category, code, date);  // a failed stamp leaves the order as it was
}

void LaunchEffectsWin32::ShellOpen(const std::string& file, const std::string& parameters) {
  shell_.Open(file, parameters);
}

void LaunchEffectsWin32::PlayMacro(const std::string& key_codes) { exec::PlayMacro(key_codes, *this, keys_); }

void LaunchEffectsWin32::RunFunction(const std::string& code) {
  exec::RunFunction(code, panel_.Held(), *this);
}

std::string LaunchEffectsWin32::ClipboardText() {
  return clipboard_ ? clipboard_->ReadText() : std::string();
}

void LaunchEffectsWin32::PutClipboardText(const std::string& text) {
  if (Clipboard* clipboard = ClipboardToWrite()) (void)clipboard->PutText(text);
}

void LaunchEffectsWin32::PasteAtPointer(bool root_owner) {
  (void)desktop::ActivateWindowAtPointer(root_owner);
  (void)exec::SendChord(keys_, exec::kPasteChord);
}

std::optional<exec::ShortcutTarget> LaunchEffectsWin32::ResolveShortcut(const std::string& path) {
  return exec::ResolveShortcutFile(path);
}

void LaunchEffectsWin32::OpenNetworkConnections() {
  HKEY raw = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Policies\\Microsoft\\Windows\\Network Connections", 0,
                      nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr) == ERROR_SUCCESS) {
    const core::UniqueKey key(raw);
    const DWORD zero = 0;
    RegSetValueExW(key.get(), L"NC_EnableAdminProhibits", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero),
                   sizeof zero);
  }
  Start(L"rundll32.exe shell32.dll,Control_RunDLL " + SystemDirectory() + L"ncpa.cpl");
}

void LaunchEffectsWin32::LookUpExternalAddress() {
  exec::ExternalAddressOptions options;
  if (!setup_.external_address_host.empty()) options.host = setup_.external_address_host;
  LookUp([options] { return exec::ExternalAddress(options); }, false);
}

void LaunchEffectsWin32::LookUpInternalAddresses() {
  LookUp([] { return exec::JoinAddresses(exec::InternalAddresses()); }, true);
}

template <typename Lookup>
void LaunchEffectsWin32::LookUp(Lookup lookup, bool internal) {
  if (lookups_.Busy()) return;
  (void)lookups_.Post(
      std::move(lookup), [this, internal](const std::string& text) { Deliver(internal, text); },
      [] { return std::string(); });  // the queue logs a worker it could not start
}

void LaunchEffectsWin32::Deliver(bool internal, const std::string& text) {
  // An external lookup that failed still empties the clipboard's text and says so with an
  // empty toast; an empty list of internal addresses changes nothing.
  if (internal && text.empty()) return;
  PutClipboardText(text);
  panel_.Report(core::ToastKind::kDone, text);
}

void LaunchEffectsWin32::EndSession(exec::ExitKind kind) {
  UINT flags = EWX_LOGOFF | EWX_FORCE;
  if (kind != exec::ExitKind::kLogOff) {
    EnableShutdownPrivilege();
    flags = (kind == exec::ExitKind::kShutdown ? EWX_SHUTDOWN : EWX_REBOOT) | EWX_FORCE;
  }
  ExitWindowsEx(flags, 0xFFFF);
}

void LaunchEffectsWin32::LockWorkstation() { LockWorkStation(); }

void LaunchEffectsWin32::StartScreensaver() { Start(L"\"" + setup_.screensaver.wstring() + L"\" /s"); }

void LaunchEffectsWin32::Start(std::wstring command_line) {
  shell_.Post([command_line = std::move(command_line)] { StartProgram(command_line); });
}

void LaunchEffectsWin32::TogglePinAtPointer() {
  HWND target = WindowAtPointer();
  if (!target || target == panel_.Window()) return;
  if (GetWindowLongW(target, GWL_EXSTYLE) & WS_EX_TOPMOST) {
    SetWindowPos(target, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  } else {
    (void)ActivateWindow(target);
    SetWindowPos(target, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  }
}

void LaunchEffectsWin32::HidePanel() {
  panel_.HideTip();
  panel_.Hide();
}

void LaunchEffectsWin32::Pause(int milliseconds) { (void)PumpingWait(static_cast<DWORD>(milliseconds)); }

void LaunchEffectsWin32::ActivateWindowAtPointer(bool root_owner) {
  (void)desktop::ActivateWindowAtPointer(root_owner);
}

}  // namespace velora::desktop
