#pragma once
// A value handed from a worker thread to a window's thread inside a posted message: the message
// owns it until the receiver takes it out, exactly once.
#include <windows.h>

#include <memory>
#include <utility>

namespace velora::core {

// False when the message could not be posted (the window is gone); the value is dropped then.
template <typename T>
bool PostValue(HWND window, UINT message, WPARAM wparam, T value) {
  auto owned = std::make_unique<T>(std::move(value));
  if (!PostMessageW(window, message, wparam, reinterpret_cast<LPARAM>(owned.get()))) return false;
  [[maybe_unused]] T* const handed_over = owned.release();  // the receiver owns it now
  return true;
}

// The value of a message posted by PostValue<T>; a default value for a null lParam.
template <typename T>
T TakePostedValue(LPARAM lparam) {
  std::unique_ptr<T> owned(reinterpret_cast<T*>(lparam));
  return owned ? std::move(*owned) : T();
}

}  // namespace velora::core
