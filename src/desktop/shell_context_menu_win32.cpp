#include "desktop/shell_context_menu_win32.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "core/guarded.h"
#include "text/utf.h"

namespace velora::desktop {
namespace {

constexpr UINT_PTR kSubclassId = 0x5C3;  // one shell menu tracks at a time per owner

}  // namespace

std::unique_ptr<ShellContextMenu> ShellContextMenu::For(const std::string& path) {
  const std::wstring wide = text::Widen(path);
  if (wide.empty() || GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
  std::unique_ptr<ShellContextMenu> menu(new ShellContextMenu());
  ITEMIDLIST* item = nullptr;
  if (FAILED(SHParseDisplayName(wide.c_str(), nullptr, &item, 0, nullptr)) || !item) return nullptr;
  menu->item_.reset(item);
  const ITEMIDLIST* child = nullptr;
  if (FAILED(SHBindToParent(menu->item_.get(), IID_IShellFolder,
                            reinterpret_cast<void**>(menu->parent_.GetAddressOf()), &child))) {
    return nullptr;
  }
  if (FAILED(menu->parent_->GetUIObjectOf(nullptr, 1, &child, IID_IContextMenu, nullptr,
                                          reinterpret_cast<void**>(menu->menu_.GetAddressOf())))) {
    return nullptr;
  }
  (void)menu->menu_.As(&menu->menu2_);
  (void)menu->menu_.As(&menu->menu3_);
  menu->popup_.reset(CreatePopupMenu());
  if (!menu->popup_) return nullptr;
  // CMF_EXPLORE: the entries the file manager's tree shows too.
  if (FAILED(
          menu->menu_->QueryContextMenu(menu->popup_.get(), 0, kFirstCommand, kLastCommand, CMF_EXPLORE)) ||
      menu->ItemCount() <= 0) {
    return nullptr;
  }
  return menu;
}

ShellContextMenu::~ShellContextMenu() = default;

int ShellContextMenu::ItemCount() const { return GetMenuItemCount(popup_.get()); }

int ShellContextMenu::Track(HWND owner, POINT screen) {
  if (tracking_ || !IsWindow(owner)) return 0;
  if (!SetWindowSubclass(owner, &ShellContextMenu::OwnerProcedure, kSubclassId,
                         reinterpret_cast<DWORD_PTR>(this))) {
    return 0;
  }
  tracking_ = true;
  // A menu closes on a click elsewhere only when its owner is the foreground window.
  SetForegroundWindow(owner);
  const int chosen = static_cast<int>(
      TrackPopupMenuEx(popup_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  RemoveWindowSubclass(owner, &ShellContextMenu::OwnerProcedure, kSubclassId);
  tracking_ = false;
  if (chosen < static_cast<int>(kFirstCommand)) return 0;
  Invoke(owner, screen, static_cast<UINT>(chosen));
  return chosen;
}

void ShellContextMenu::Invoke(HWND owner, POINT screen, UINT command) const {
  CMINVOKECOMMANDINFOEX info{};
  info.cbSize = sizeof info;
  info.fMask = CMIC_MASK_UNICODE | CMIC_MASK_PTINVOKE;
  if (GetKeyState(VK_CONTROL) < 0) info.fMask |= CMIC_MASK_CONTROL_DOWN;
  if (GetKeyState(VK_SHIFT) < 0) info.fMask |= CMIC_MASK_SHIFT_DOWN;
  info.hwnd = owner;
  // The verb by its offset from the first number, not by name.
  info.lpVerb = MAKEINTRESOURCEA(command - kFirstCommand);
  info.lpVerbW = MAKEINTRESOURCEW(command - kFirstCommand);
  info.nShow = SW_SHOWNORMAL;
  info.ptInvoke = screen;
  // A command that fails reports through the shell's own messages, if at all.
  (void)menu_->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&info));
}

std::string ShellContextMenu::Verb(UINT command) const {
  if (command < kFirstCommand || command > kLastCommand) return {};
  wchar_t verb[128] = {};
  if (FAILED(menu_->GetCommandString(command - kFirstCommand, GCS_VERBW, nullptr,
                                     reinterpret_cast<char*>(verb), static_cast<UINT>(std::size(verb))))) {
    return {};
  }
  verb[std::size(verb) - 1] = 0;
  return text::Narrow(verb);
}

bool ShellContextMenu::Forward(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) const {
  switch (message) {
    case WM_MEASUREITEM:
      if (reinterpret_cast<const MEASUREITEMSTRUCT*>(lparam)->CtlType != ODT_MENU) return false;
      break;
    case WM_DRAWITEM:
      if (reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)->CtlType != ODT_MENU) return false;
      break;
    case WM_INITMENUPOPUP:
    case WM_MENUCHAR:
      break;
    default:
      return false;
  }
  if (menu3_) return SUCCEEDED(menu3_->HandleMenuMsg2(message, wparam, lparam, &result));
  if (menu2_ && message != WM_MENUCHAR) {
    result = message == WM_INITMENUPOPUP ? 0 : TRUE;
    return SUCCEEDED(menu2_->HandleMenuMsg(message, wparam, lparam));
  }
  return false;
}

LRESULT CALLBACK ShellContextMenu::OwnerProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                                  UINT_PTR, DWORD_PTR self) noexcept {
  return core::Guarded(
      "shell menu owner procedure",
      [&]() -> LRESULT {
        LRESULT result = 0;
        if (reinterpret_cast<const ShellContextMenu*>(self)->Forward(message, wparam, lparam, result)) {
          return result;
        }
        return DefSubclassProc(hwnd, message, wparam, lparam);
      },
      [&] { return DefSubclassProc(hwnd, message, wparam, lparam); });
}

int ShowShellContextMenu(HWND owner, const std::string& path) {
  const std::unique_ptr<ShellContextMenu> menu = ShellContextMenu::For(path);
  if (!menu) return -1;
  POINT at{};
  GetCursorPos(&at);
  return menu->Track(owner, at);
}

}  // namespace velora::desktop
