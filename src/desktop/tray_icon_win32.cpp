#include "desktop/tray_icon_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "core/guarded.h"
#include "text/utf.h"

namespace velora::desktop {
namespace {

constexpr UINT kIconId = 1;
constexpr UINT_PTR kSubclassId = 0x7A1;  // any constant: one tray icon per owner

}  // namespace

TrayIcon::TrayIcon() : taskbar_created_(RegisterWindowMessageW(L"TaskbarCreated")) {}

TrayIcon::~TrayIcon() { Remove(); }

bool TrayIcon::Add(HWND owner, HINSTANCE instance, int icon_id, std::string_view tip) {
  if (!IsWindow(owner)) return false;
  if (owner != data_.hWnd) {
    Remove();
  } else if (added_) {
    Shell_NotifyIconW(NIM_DELETE, &data_);
    added_ = false;
  }
  data_ = {};
  data_.cbSize = sizeof data_;
  data_.hWnd = owner;
  data_.uID = kIconId;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = kTrayCallbackMessage;
  std::wstring wide = text::Widen(tip);
  std::size_t length = std::min(wide.size(), std::size(data_.szTip) - 1);
  // Never half a surrogate pair at the cut.
  if (length < wide.size() && length > 0 && IS_HIGH_SURROGATE(wide[length - 1])) --length;
  wide.copy(data_.szTip, length);
  instance_ = instance;
  icon_id_ = icon_id;
  return ShowIcon();
}

bool TrayIcon::ShowIcon() noexcept {
  HICON loaded = nullptr;
  // The small size the shell asks for at this DPI, drawn from the resource's own images rather
  // than a larger one scaled down.
  if (FAILED(LoadIconMetric(instance_, MAKEINTRESOURCEW(icon_id_), LIM_SMALL, &loaded))) return false;
  core::UniqueIcon icon(loaded);
  data_.hIcon = icon.get();
  // A taskbar re-created for a new DPI may still hold the icon: then it only takes the new image.
  added_ = Shell_NotifyIconW(NIM_ADD, &data_) || Shell_NotifyIconW(NIM_MODIFY, &data_);
  // The shell copies the icon: the previous one can go now.
  icon_ = std::move(icon);
  return added_;
}

bool TrayIcon::Attach(Handler handler) {
  if (!IsWindow(data_.hWnd)) return false;
  if (!attached_) {
    // A subclass rather than a replaced window procedure: the drop target subclasses the same
    // window on top, and either may be removed first without cutting the other out.
    if (!SetWindowSubclass(data_.hWnd, &TrayIcon::OwnerProcedure, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(this))) {
      return false;
    }
    attached_ = true;
    // An elevated program gets neither message from the shell unless it lets them through.
    ChangeWindowMessageFilterEx(data_.hWnd, taskbar_created_, MSGFLT_ALLOW, nullptr);
    ChangeWindowMessageFilterEx(data_.hWnd, kTrayCallbackMessage, MSGFLT_ALLOW, nullptr);
  }
  handler_ = std::move(handler);
  return true;
}

void TrayIcon::Remove() noexcept {
  if (attached_) {
    RemoveWindowSubclass(data_.hWnd, &TrayIcon::OwnerProcedure, kSubclassId);
    attached_ = false;
  }
  if (added_) {
    Shell_NotifyIconW(NIM_DELETE, &data_);
    added_ = false;
  }
  data_.hWnd = nullptr;
  data_.hIcon = nullptr;
  icon_.reset();
  handler_ = nullptr;
}

LRESULT CALLBACK TrayIcon::OwnerProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                          DWORD_PTR self_data) noexcept {
  return core::Guarded(
      "tray icon owner procedure",
      [&]() -> LRESULT {
        auto* self = reinterpret_cast<TrayIcon*>(self_data);
        // Copies: a handler may remove the icon or destroy this object (the tray menu's exit);
        // nothing of `self` is touched after it ran.
        if (message == kTrayCallbackMessage) {
          const Handler handler = self->handler_;
          return handler ? handler(LOWORD(lparam)) : 0;
        }
        if (message == self->taskbar_created_ && message != 0) {
          // Explorer restarted and forgot every icon.
          (void)self->ShowIcon();
          const Handler handler = self->handler_;
          return handler ? handler(kTrayTaskbarCreated) : 0;
        }
        if (message == WM_DESTROY) {
          const Handler handler = self->handler_;
          if (handler) handler(kTrayOwnerDestroyed);
        } else if (message == WM_NCDESTROY) {
          // The icon of a window that is gone would linger until the pointer passes over it.
          self->Remove();
        }
        return DefSubclassProc(hwnd, message, wparam, lparam);
      },
      [&] { return DefSubclassProc(hwnd, message, wparam, lparam); });
}

}  // namespace velora::desktop
