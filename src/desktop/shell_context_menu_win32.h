#pragma once
// The file manager's own context menu for one file or folder: open, open with, send to,
// properties and whatever shell extensions add. The chosen command runs as it would there.
#include <windows.h>
// After windows.h, whose types these use.
#include <shobjidl.h>

#include <memory>
#include <string>

#include "core/com_apartment_win32.h"
#include "core/handles_win32.h"

namespace velora::desktop {

class ShellContextMenu {
 public:
  // The numbers the shell's entries are given; 0 stands for no choice.
  static constexpr UINT kFirstCommand = 1;
  static constexpr UINT kLastCommand = 0x7FFF;

  // The filled menu for `path` (UTF-8). Made, shown and destroyed on one thread, the one that
  // owns the window it is shown for. Empty when the path names nothing that exists or the shell
  // offers no menu for it.
  [[nodiscard]] static std::unique_ptr<ShellContextMenu> For(const std::string& path);
  ~ShellContextMenu();
  ShellContextMenu(const ShellContextMenu&) = delete;
  ShellContextMenu& operator=(const ShellContextMenu&) = delete;

  int ItemCount() const;
  HMENU handle() const { return popup_.get(); }

  // Shows the menu at `screen` for `owner` and waits, the owner's messages still dispatched,
  // until it closes; then runs the chosen command. Returns the chosen number, 0 when none was.
  int Track(HWND owner, POINT screen);
  // Runs entry `command` as if chosen at `screen`, the owner's child dialogs owned by `owner`.
  void Invoke(HWND owner, POINT screen, UINT command) const;
  // The language-neutral name of an entry's command ("open", "copy", "properties"); empty when
  // the handler gives none.
  std::string Verb(UINT command) const;

 private:
  ShellContextMenu() = default;
  // The menu's own drawing and filling while it is up: submenus such as "发送到" fill only when
  // the handler sees these messages.
  bool Forward(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) const;
  static LRESULT CALLBACK OwnerProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                         DWORD_PTR self) noexcept;

  // First: COM stays set up until every object below is released.
  core::OleApartment ole_;
  core::UniqueIdList item_;
  core::ComPtr<IShellFolder> parent_;
  core::ComPtr<IContextMenu> menu_;
  core::ComPtr<IContextMenu2> menu2_;
  core::ComPtr<IContextMenu3> menu3_;
  core::UniqueMenu popup_;
  bool tracking_ = false;
};

// The menu for `path` at the pointer, for `owner`: the chosen command number, 0 when none was
// chosen, -1 when no menu could be shown.
int ShowShellContextMenu(HWND owner, const std::string& path);

}  // namespace velora::desktop
