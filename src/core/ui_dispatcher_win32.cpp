#include "core/ui_dispatcher_win32.h"

#include "core/guarded.h"

namespace velora::core {
namespace {

constexpr wchar_t kClass[] = L"Velora.UiDispatcher";
// The class is ours alone, so a message of its own range cannot meet another's.
constexpr UINT kRunMessage = WM_APP;

using Task = std::function<void()>;

std::unique_ptr<Task> TaskOf(LPARAM lparam) { return std::unique_ptr<Task>(reinterpret_cast<Task*>(lparam)); }

}  // namespace

std::unique_ptr<UiDispatcher> UiDispatcher::Create() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = Procedure;
  window_class.hInstance = instance;
  window_class.lpszClassName = kClass;
  if (!RegisterClassExW(&window_class) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
  const HWND window =
      CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (!window) return nullptr;
  return std::unique_ptr<UiDispatcher>(new UiDispatcher(window));
}

UiDispatcher::UiDispatcher(HWND window) { shared_->window = window; }

UiDispatcher::~UiDispatcher() {
  HWND window = nullptr;
  {
    // Once this is null no poster reaches the window, so the queue below is all there is.
    std::lock_guard lock(shared_->mutex);
    window = shared_->window;
    shared_->window = nullptr;
  }
  MSG message;
  while (PeekMessageW(&message, window, kRunMessage, kRunMessage, PM_REMOVE | PM_NOYIELD)) {
    TaskOf(message.lParam).reset();
  }
  DestroyWindow(window);
}

UiPoster UiDispatcher::Poster() const { return UiPoster(shared_); }

LRESULT CALLBACK UiDispatcher::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != kRunMessage) return DefWindowProcW(window, message, wparam, lparam);
  // The task may end the dispatcher and this window: nothing here is touched after it ran.
  const std::unique_ptr<Task> task = TaskOf(lparam);
  if (task) Guarded("ui task", *task);
  return 0;
}

bool UiPoster::Post(std::function<void()> task) const {
  if (!shared_) return false;
  auto owned = std::make_unique<Task>(std::move(task));
  {
    std::lock_guard lock(shared_->mutex);
    if (!shared_->window ||
        !PostMessageW(shared_->window, kRunMessage, 0, reinterpret_cast<LPARAM>(owned.get()))) {
      return false;
    }
  }
  (void)owned.release();  // the message owns it now
  return true;
}

}  // namespace velora::core
