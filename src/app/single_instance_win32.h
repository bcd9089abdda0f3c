#pragma once
// One running copy: a named event marks it; a second copy brings it forward and leaves.
#include <windows.h>

#include <string>

#include "core/handles_win32.h"

namespace velora::app {

class SingleInstance {
 public:
  explicit SingleInstance(std::wstring event_name) : name_(std::move(event_name)) {}
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when no other copy holds the event; this copy then holds it until Release.
  [[nodiscard]] bool Acquire() noexcept;
  void Release() noexcept;
  bool Held() const noexcept { return event_ != nullptr; }

 private:
  std::wstring name_;
  core::UniqueHandle event_;
};

// Clears the own window's title so the search cannot find this copy, then shows the running
// copy's window in front without leaving it topmost.
void BringRunningCopyForward(HWND own_window, const wchar_t* class_name, const wchar_t* title) noexcept;

}  // namespace velora::app
