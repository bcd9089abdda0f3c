#include "desktop/window_at_pointer_win32.h"

#include <vector>

#include "desktop/pumping_wait_win32.h"
#include "exec/window_pick.h"

namespace velora::desktop {
namespace {

// Windows keep changing while the siblings are walked; a bound keeps a cycle from hanging us.
constexpr std::size_t kMaxSiblings = 4096;
// How long keys wait for the window they go to to take the activation.
constexpr ULONGLONG kActivationWaitMs = 500;

core::Rect RectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool IsChild(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0; }

// Focus can be set only on windows of the input queue the caller shares, so for another thread's
// control the two queues are joined for this one call. A hung thread would hold us in the focus
// messages, so it is left alone.
void FocusControl(HWND control, HWND top) {
  const DWORD target_thread = GetWindowThreadProcessId(control, nullptr);
  const DWORD own_thread = GetCurrentThreadId();
  if (target_thread == own_thread) {
    SetFocus(control);
    return;
  }
  if (IsHungAppWindow(top)) return;
  if (!AttachThreadInput(own_thread, target_thread, TRUE)) return;
  SetFocus(control);
  AttachThreadInput(own_thread, target_thread, FALSE);
}

bool BringToFront(HWND top) {
  if (GetForegroundWindow() == top) return true;
  if (SetForegroundWindow(top)) return true;
  // Refused: this process is no longer the one the user last gave input to (another program's
  // window took the activation when the panel hid, or the pointer moved over it). The process
  // that injected the last input counts as that one, and a mouse event without a move or a
  // button reaches no window.
  INPUT nothing{};
  nothing.type = INPUT_MOUSE;
  SendInput(1, &nothing, sizeof nothing);
  return SetForegroundWindow(top) != FALSE;
}

// The keys sent next go to the focus of the foreground thread: a thread that has not yet taken
// the activation (a busy one) would let them fall on the window that had it. Bounded, so a hung
// program costs the user a moment only.
void WaitUntilActive(HWND top) {
  const DWORD thread = GetWindowThreadProcessId(top, nullptr);
  const ULONGLONG until = GetTickCount64() + kActivationWaitMs;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  while (!(GetGUIThreadInfo(thread, &info) && info.hwndActive == top && info.hwndFocus) &&
         GetTickCount64() < until) {
    (void)PumpingWait(5);
  }
}

}  // namespace

HWND WindowAtPoint(POINT screen_point) {
  HWND hit = WindowFromPoint(screen_point);
  // A top-level window is the answer; so is any window owned rather than parented (GetParent
  // would name the owner of a popup and walk the wrong windows).
  if (!hit || !IsChild(hit)) return hit;

  const HWND parent = GetAncestor(hit, GA_PARENT);
  std::vector<HWND> handles;
  std::vector<exec::SiblingWindow> following;
  for (HWND next = GetWindow(hit, GW_HWNDNEXT); next && handles.size() < kMaxSiblings;
       next = GetWindow(next, GW_HWNDNEXT)) {
    handles.push_back(next);
    following.push_back(
        {RectOf(next), IsWindowVisible(next) != FALSE, GetAncestor(next, GA_PARENT) == parent});
  }
  const auto pick = exec::PickSmallerSibling({screen_point.x, screen_point.y}, RectOf(hit), following);
  return pick ? handles[*pick] : hit;
}

HWND WindowAtPointer() {
  POINT pointer{};
  if (!GetCursorPos(&pointer)) return nullptr;
  return WindowAtPoint(pointer);
}

bool ActivateWindow(HWND target) {
  if (!target || !IsWindow(target)) return false;
  const HWND top = GetAncestor(target, GA_ROOT);
  if (!top) return false;
  const bool in_front = BringToFront(top);
  if (in_front) WaitUntilActive(top);
  if (in_front && top != target) FocusControl(target, top);
  return in_front;
}

bool ActivateWindowAtPointer(bool root_owner) {
  HWND target = WindowAtPointer();
  if (target && root_owner) target = GetAncestor(target, GA_ROOTOWNER);
  return ActivateWindow(target);
}

}  // namespace velora::desktop
