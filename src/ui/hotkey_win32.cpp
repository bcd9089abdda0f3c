#include "ui/hotkey_win32.h"

namespace velora::ui {

bool WindowHotkey::RegisterFunctionKey(int index) noexcept {
  Unregister();
  if (index < 0 || index >= kFunctionKeyCount) return false;
  const int id = next_id_++;
  if (!RegisterHotKey(window_, id, 0, kFirstFunctionKey + static_cast<UINT>(index))) return false;
  id_ = id;
  return true;
}

void WindowHotkey::Unregister() noexcept {
  if (id_ != 0) UnregisterHotKey(window_, id_);
  id_ = 0;
}

}  // namespace velora::ui
