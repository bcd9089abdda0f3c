#pragma once
// The call-up hotkey: one function key without modifiers, registered for the launcher window.
// Each registration takes a new id, counted up from 33001; 0 means none is registered.
#include <windows.h>

namespace velora::ui {

inline constexpr int kFirstHotkeyId = 33001;
inline constexpr UINT kFirstFunctionKey = VK_F1;  // list index 0
inline constexpr int kFunctionKeyCount = 12;

class WindowHotkey {
 public:
  explicit WindowHotkey(HWND window) : window_(window) {}
  ~WindowHotkey() { Unregister(); }
  WindowHotkey(const WindowHotkey&) = delete;
  WindowHotkey& operator=(const WindowHotkey&) = delete;

  // Replaces the registered key by F1 + `index`; false when the system refused it (another
  // program holds the key) or the index names no function key. The old key is gone either way.
  [[nodiscard]] bool RegisterFunctionKey(int index) noexcept;
  void Unregister() noexcept;
  int id() const { return id_; }

 private:
  HWND window_;
  int id_ = 0;
  int next_id_ = kFirstHotkeyId;
};

}  // namespace velora::ui
