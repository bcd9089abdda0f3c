#pragma once
// A shown top-level window with an edit control for the input tests. Wine takes about two seconds
// to destroy a shown window on a display without a window manager, so a test program keeps one.
#include <windows.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>
#include "support/message_pump_win32.h"

namespace velora::desktop::testing {

class InputWindow {
 public:
  InputWindow(int x, int y, int width, int height);
  ~InputWindow();
  InputWindow(const InputWindow&) = delete;
  InputWindow& operator=(const InputWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  // A child of `parent` (this window when null) of the system class `window_class`.
  HWND AddChild(const wchar_t* window_class, RECT client_rect, DWORD style = 0, HWND parent = nullptr) const;

 private:
  HWND hwnd_ = nullptr;
};

// A window with two edit controls on a thread of its own, as another program's window would be;
// the first has the focus, and gets it back when the window is activated.
class OtherThreadWindow {
 public:
  OtherThreadWindow();
  ~OtherThreadWindow();
  OtherThreadWindow(const OtherThreadWindow&) = delete;
  OtherThreadWindow& operator=(const OtherThreadWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  HWND first() const { return first_; }
  HWND second() const { return second_; }
  // The control that has the focus on that thread.
  HWND Focus() const;

 private:
  HANDLE ready_ = nullptr;
  std::thread thread_;
  DWORD thread_id_ = 0;
  HWND hwnd_ = nullptr, first_ = nullptr, second_ = nullptr;
};

// A top-level window whose own procedure records the messages it gets (as many subclasses on top
// see them) and answers kRecordingAnswer to the application's messages (WM_APP and above).
class RecordingWindow {
 public:
  static constexpr LRESULT kRecordingAnswer = 0x5EC0;
  RecordingWindow(RECT screen_rect, bool shown);
  ~RecordingWindow();
  RecordingWindow(const RecordingWindow&) = delete;
  RecordingWindow& operator=(const RecordingWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  const std::vector<MSG>& messages() const { return messages_; }
  void Clear() { messages_.clear(); }
  int Count(UINT message) const;
  // The recorded messages in the range [first, last], in their order.
  std::vector<MSG> Only(UINT first, UINT last) const;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  HWND hwnd_ = nullptr;
  std::vector<MSG> messages_;
};

std::wstring TextOf(HWND window);
POINT CentreOf(HWND window);

using velora::testing::PumpUntil;

}  // namespace velora::desktop::testing
