#include "toolkit/control.h"

#include <commctrl.h>

#include "text/utf.h"
#include "toolkit/accessible_name_win32.h"
#include "toolkit/control_host.h"

namespace velora::toolkit {
namespace {
constexpr wchar_t kControlProperty[] = L"VeloraControl";
}

Control* ControlFromHwnd(HWND hwnd) { return static_cast<Control*>(GetPropW(hwnd, kControlProperty)); }

namespace {

// The last of the overlays that stand at the top of `hwnd`'s siblings, if any.
HWND LowestOverlayOnTop(HWND hwnd) {
  HWND lowest = nullptr;
  for (HWND sibling = GetWindow(hwnd, GW_HWNDFIRST); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling == hwnd) continue;
    const Control* control = ControlFromHwnd(sibling);
    if (!control || !control->overlay()) break;
    lowest = sibling;
  }
  return lowest;
}

}  // namespace

Control::Control(ControlHost& host, std::string_view type_word, ControlArgs args)
    : host_(host),
      type_word_(type_word),
      name_(std::move(args.name)),
      parent_(args.parent),
      rect_(args.rect),
      initial_caption_(std::move(args.caption)) {}

Control::~Control() {
  // Null once the window went with its parent (see LifetimeProcedure).
  if (hwnd_) DestroyWindow(hwnd_);
}

// Every control's window tells its control when it is gone, whoever destroyed it, so the control
// never destroys a handle that may name another window by then.
bool Control::HandleLifetime(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (message == WM_NCDESTROY) {
    RemovePropW(hwnd_, kControlProperty);
    hwnd_ = nullptr;
  } else if (message == WM_WINDOWPOSCHANGING) {
    auto* pos = reinterpret_cast<WINDOWPOS*>(lparam);
    if (!(pos->flags & SWP_NOZORDER) && pos->hwndInsertAfter == HWND_TOP && !overlay_) {
      if (HWND lowest = LowestOverlayOnTop(hwnd_)) pos->hwndInsertAfter = lowest;
    }
  } else if (message == WM_GETOBJECT && !accessible_name_.empty()) {
    host_.StartComForAccessibility();
    result = AnswerGetObjectNamed(hwnd_, wparam, lparam, accessible_name_);
    return result != 0;
  }
  return false;
}

LRESULT CALLBACK Control::LifetimeProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                            UINT_PTR id, DWORD_PTR data) noexcept {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &Control::LifetimeProcedure, id);
  if (LRESULT result = 0; reinterpret_cast<Control*>(data)->HandleLifetime(message, wparam, lparam, result)) {
    return result;
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

void Control::SetAccessibleName(std::string_view label) {
  constexpr std::string_view kColon = "：";
  if (label.size() >= kColon.size() && label.substr(label.size() - kColon.size()) == kColon) {
    label.remove_suffix(kColon.size());
  }
  accessible_name_ = std::string(label);
}

HWND Control::ParentHwnd() const { return parent_ ? parent_->hwnd() : host_.window(); }

bool Control::CreateHwnd(const wchar_t* cls, DWORD style, DWORD ex_style, Kind kind) {
  const core::Rect r = core::Scale(rect_, host_.dpi());
  const std::wstring caption = text::Widen(initial_caption_);
  hwnd_ =
      CreateWindowExW(ex_style, cls, caption.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, r.left,
                      r.top, r.width, r.height, ParentHwnd(), nullptr,
                      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(host_.window(), GWLP_HINSTANCE)), this);
  if (!hwnd_) return false;
  SetPropW(hwnd_, kControlProperty, this);
  kind_ = kind;
  if (kind_ == Kind::kSystem) {
    SetWindowSubclass(hwnd_, &Control::LifetimeProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(host_.Font(12)), FALSE);
  }
  return true;
}

void Control::Move(core::Rect rect) {
  // A layout that keeps a control's place costs it nothing.
  if (hwnd_ && rect == rect_) return;
  rect_ = rect;
  ApplyDpi();
}

void Control::ApplyDpi() {
  if (!hwnd_) return;
  const core::Rect r = core::Scale(rect_, host_.dpi());
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (kind_ == Kind::kSystem)
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(host_.Font(12)), FALSE);
}

void Control::Show(bool visible) {
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Control::visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

std::string Control::Text() const {
  if (!hwnd_) return initial_caption_;
  const int length = GetWindowTextLengthW(hwnd_);
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(hwnd_, buffer.data(), length + 1);
  buffer.resize(static_cast<std::size_t>(length));
  return text::Narrow(buffer);
}

void Control::SetText(std::string_view text) {
  if (hwnd_) SetWindowTextW(hwnd_, text::Widen(text).c_str());
  Invalidate();
}

void Control::Focus() {
  if (hwnd_) SetFocus(hwnd_);
}

void Control::CaptureMouse() {
  if (hwnd_) SetCapture(hwnd_);
}

void Control::ReleaseMouse() {
  if (GetCapture() == hwnd_) ReleaseCapture();
}

void Control::SuspendRedraw() {
  if (hwnd_) SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
}

void Control::ResumeRedraw() {
  if (!hwnd_) return;
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
}

void Control::Invalidate() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

}  // namespace velora::toolkit
