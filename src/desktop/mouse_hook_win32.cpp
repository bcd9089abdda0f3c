#include "desktop/mouse_hook_win32.h"

#include "core/guarded.h"

namespace velora::desktop {
namespace {

// The hook procedure gets no pointer of ours, so where its events go has to be kept here: the
// one piece of process-wide state the system forces on us. Written by Install and the destructor
// on the thread that owns the hook, read by the procedure on that same thread.
struct HookRecord {
  HHOOK hook = nullptr;
  HWND target = nullptr;
  UINT message = 0;
  std::uint64_t wanted = 0;
};
HookRecord installed_hook;

// Windows removes a low-level hook whose procedure is slow, silently and for good: no allocation,
// no window lookup, no waiting here, only a post.
LRESULT CALLBACK MouseHookProcedure(int code, WPARAM wparam, LPARAM lparam) noexcept {
  if (code == HC_ACTION) {
    core::Guarded("mouse hook", [&] {
      const auto& event = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lparam);
      const core::MouseEvent e = core::ClassifyMouseMessage(static_cast<unsigned>(wparam), event.mouseData);
      if (installed_hook.wanted & core::EventBit(e)) {
        PostMessageW(installed_hook.target, installed_hook.message, MAKEWPARAM(e.button, e.action),
                     static_cast<LPARAM>(event.time));
      }
    });
  }
  // Never swallowed: every program still gets its clicks.
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

std::unique_ptr<MouseHook> MouseHook::Install(HWND target, UINT message, std::uint64_t wanted) {
  if (installed_hook.hook) return nullptr;
  // Filled before the hook exists, so its first event already finds where to go.
  installed_hook = {nullptr, target, message, wanted};
  HHOOK hook = SetWindowsHookExW(WH_MOUSE_LL, &MouseHookProcedure, GetModuleHandleW(nullptr), 0);
  if (!hook) {
    installed_hook = {};
    return nullptr;
  }
  installed_hook.hook = hook;
  return std::unique_ptr<MouseHook>(new MouseHook(hook));
}

MouseHook::~MouseHook() {
  UnhookWindowsHookEx(hook_);
  installed_hook = {};
}

}  // namespace velora::desktop
