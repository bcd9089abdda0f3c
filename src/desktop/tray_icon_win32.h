#pragma once
// The program's icon in the notification area. The shell reports clicks on it to the owner
// window; this object subclasses the owner to hand them, and the shell's restart, to a handler.
#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string_view>

#include "core/handles_win32.h"

namespace velora::desktop {

inline constexpr UINT kTrayCallbackMessage = 0x2DA5;  // 11685
// Handler codes besides the mouse messages the icon reports (WM_LBUTTONDOWN = 513, …).
inline constexpr unsigned kTrayTaskbarCreated = 1120;
inline constexpr unsigned kTrayOwnerDestroyed = 1130;

class TrayIcon {
 public:
  using Handler = std::function<LRESULT(unsigned code)>;

  TrayIcon();
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Shows the icon resource `icon_id` of `instance` at the size the shell asks for, with `tip`
  // (UTF-8, cut to 127 characters). False for a dead owner or when the shell refused; a refused
  // icon is still shown once the taskbar is created (a program started before Explorer).
  [[nodiscard]] bool Add(HWND owner, HINSTANCE instance, int icon_id, std::string_view tip);
  // Subclasses the owner given to Add. The icon's clicks go to `handler` with the mouse message
  // and its result is the answer, the window never sees them; a restarted taskbar gets the icon
  // back and then calls handler(kTrayTaskbarCreated); WM_DESTROY calls
  // handler(kTrayOwnerDestroyed) and goes on to the window. Everything else passes unchanged.
  bool Attach(Handler handler);
  // Deletes the icon and removes the subclass; safe to call again.
  void Remove() noexcept;

  bool added() const { return added_; }
  UINT taskbar_created_message() const { return taskbar_created_; }

 private:
  // Loads the icon anew, as the display's DPI may have changed, and hands it to the shell.
  bool ShowIcon() noexcept;
  static LRESULT CALLBACK OwnerProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                         DWORD_PTR self) noexcept;

  UINT taskbar_created_;
  NOTIFYICONDATAW data_{};  // hWnd is null until Add and again after Remove
  core::UniqueIcon icon_;
  HINSTANCE instance_ = nullptr;
  int icon_id_ = 0;
  bool added_ = false;
  bool attached_ = false;
  Handler handler_;
};

}  // namespace velora::desktop
