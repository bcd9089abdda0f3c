#include "toolkit/custom_control.h"
#include "core/guarded.h"

#include <windowsx.h>

#include "toolkit/control_host.h"
#include "toolkit/gdi_objects.h"

namespace velora::toolkit {
namespace {

constexpr wchar_t kCustomClass[] = L"VeloraControl";
// An assistive tool's default action, run from the message loop rather than inside its call.
constexpr UINT kAccessibleAction = WM_USER + 1;

bool RegisterCustomClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(instance, kCustomClass, &wc)) return true;
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kCustomClass;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace

// Only another control of this toolkit in the same window: it answers the wheel itself when it
// is under the pointer, so the message is never passed back and forth.
CustomControl* CustomControl::WheelTarget(LPARAM lparam) const {
  HWND under = WindowFromPoint({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
  if (!under || !IsChild(host().window(), under)) return nullptr;
  return dynamic_cast<CustomControl*>(ControlFromHwnd(under));
}

CustomControl::CustomControl(ControlHost& host, std::string_view type_word, ControlArgs args, bool tab_stop)
    : Control(host, type_word, std::move(args)) {
  RegisterCustomClass(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(host.window(), GWLP_HINSTANCE)),
                      &CustomControl::Procedure);
  // A panel's native controls take part in the window's Tab order; Tab never stops inside a Tab
  // stop.
  if (CreateHwnd(kCustomClass, WS_CLIPCHILDREN | (tab_stop ? WS_TABSTOP : 0),
                 tab_stop ? 0 : WS_EX_CONTROLPARENT, Kind::kDrawn)) {
    // The class is the toolkit's own: its procedure finds the control here without a lookup.
    SetWindowLongPtrW(hwnd(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
}

CustomControl::~CustomControl() {
  // The window outlives this part of the control by the base's destructor: its last messages go
  // to the default procedure.
  if (hwnd()) SetWindowLongPtrW(hwnd(), GWLP_USERDATA, 0);
  if (!accessible_) return;
  accessible_->Disconnect();
  CoDisconnectObject(static_cast<IAccessible*>(accessible_), 0);
  accessible_->Release();
}

void CustomControl::NotifyAccessible(DWORD event, int child) const {
  if (hwnd()) NotifyWinEvent(event, hwnd(), OBJID_CLIENT, child);
}

void CustomControl::RequestAccessibleAction(int child) {
  PostMessageW(hwnd(), kAccessibleAction, static_cast<WPARAM>(child), 0);
}

LRESULT CALLBACK CustomControl::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  return core::Guarded(
      "control procedure",
      [&]() -> LRESULT {
        auto* self = reinterpret_cast<CustomControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
        if (LRESULT result = 0; self->HandleLifetime(message, wparam, lparam, result)) return result;
        if (message == WM_NCDESTROY) {
          SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
          return DefWindowProcW(hwnd, message, wparam, lparam);
        }
        return self->Handle(message, wparam, lparam);
      },
      [&] { return DefWindowProcW(hwnd, message, wparam, lparam); });
}

LRESULT CustomControl::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  const Mouse mouse{{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}};
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_NCPAINT:
      // No frame to paint. The default would get a window DC just to find so, which under Wine
      // costs each control about a millisecond whenever the panel shows.
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_LBUTTONDOWN:
      OnLeftDown(mouse);
      return 0;
    case WM_LBUTTONUP:
      OnLeftUp(mouse);
      return 0;
    case WM_LBUTTONDBLCLK:
      OnLeftDoubleClick(mouse);
      return 0;
    case WM_RBUTTONDOWN:
      OnRightDown(mouse);
      return 0;
    case WM_MOUSEMOVE:
      if (!tracking_leave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd(), 0};
        tracking_leave_ = TrackMouseEvent(&track) != FALSE;
      }
      OnMove(mouse);
      return 0;
    case WM_MOUSELEAVE:
      tracking_leave_ = false;
      OnLeave();
      return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      // The wheel reaches the control with the focus; it turns the one under the pointer.
      if (CustomControl* under = WheelTarget(lparam); under && under != this) {
        return SendMessageW(under->hwnd(), message, wparam, lparam);
      }
      if (message == WM_MOUSEWHEEL) {
        OnWheel(GET_WHEEL_DELTA_WPARAM(wparam));
        return 0;
      }
      if (LRESULT result = 0; HandleExtra(message, wparam, lparam, result)) return result;
      break;
    case WM_COMMAND:
      if (host().RouteCommand(wparam, lparam)) return 0;
      break;
    case WM_GETOBJECT:
      if (static_cast<DWORD>(lparam) == static_cast<DWORD>(OBJID_CLIENT) && Accessible()) {
        host().StartComForAccessibility();
        if (!accessible_) accessible_ = ControlAccessible::Create(*this);
        return AnswerGetObject(*accessible_, wparam, lparam);
      }
      break;
    case kAccessibleAction:
      DoAccessibleAction(static_cast<int>(wparam));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
      if (tab_stop()) {
        Invalidate();
        if (message == WM_SETFOCUS) NotifyAccessible(EVENT_OBJECT_FOCUS, CHILDID_SELF);
      }
      if (LRESULT result = 0; HandleExtra(message, wparam, lparam, result)) return result;
      break;
    case WM_KEYDOWN:
    case WM_CHAR:
      if (TabStopKey(message, wparam)) return 0;
      // A control takes the focus for the wheel; the keys it does not use are the window's.
      if (LRESULT result = 0; HandleExtra(message, wparam, lparam, result)) return result;
      if (HWND root = GetAncestor(hwnd(), GA_ROOT); root && root != hwnd()) {
        return SendMessageW(root, message, wparam, lparam);
      }
      break;
    default:
      if (LRESULT result = 0; HandleExtra(message, wparam, lparam, result)) return result;
      break;
  }
  return DefWindowProcW(hwnd(), message, wparam, lparam);
}

void CustomControl::Paint() {
  const core::PaintScope paint(hwnd());
  RECT client{};
  GetClientRect(hwnd(), &client);
  OffscreenSurface surface(paint.dc(), client.right, client.bottom);
  RECT in_window = client;
  MapWindowPoints(hwnd(), host().window(), reinterpret_cast<POINT*>(&in_window), 2);
  if (host().paint_backdrop) {
    host().paint_backdrop(surface.dc(), in_window);
  } else {
    FillRect(surface.dc(), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  Draw(surface.dc(), client);
  DrawFocusFrame(surface.dc(), client);
  surface.Blit(paint.dc(), 0, 0);
}

core::AccessibleTree CustomControl::AccessibleSelf(core::AccessibleRole role, std::string name) const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  core::AccessibleTree tree;
  tree.self.role = role;
  tree.self.name = std::move(name);
  tree.self.location = {0, 0, client.right, client.bottom};
  return tree;
}

core::AccessibleTree CustomControl::AccessibleNow() const {
  core::AccessibleTree tree = Accessible().value_or(core::AccessibleTree{});
  if (tab_stop()) {
    tree.self.focusable = true;
    tree.self.focused = GetFocus() == hwnd();
  }
  return tree;
}

void CustomControl::SetTabStop(bool tab_stop) {
  const LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
  SetWindowLongPtrW(hwnd(), GWL_STYLE, tab_stop ? style | WS_TABSTOP : style & ~LONG_PTR{WS_TABSTOP});
  // Tab looks inside a control parent and never stops at the parent itself.
  const LONG_PTR ex_style = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
  SetWindowLongPtrW(hwnd(), GWL_EXSTYLE,
                    tab_stop ? ex_style & ~LONG_PTR{WS_EX_CONTROLPARENT} : ex_style | WS_EX_CONTROLPARENT);
}

bool CustomControl::tab_stop() const { return (GetWindowLongPtrW(hwnd(), GWL_STYLE) & WS_TABSTOP) != 0; }

bool CustomControl::TabStopKey(UINT message, WPARAM key) {
  // The character codes of Space and Enter are their key codes: both messages of a press end here,
  // so neither reaches the window as typing.
  if (!tab_stop() || (key != VK_SPACE && key != VK_RETURN)) return false;
  if (message == WM_KEYDOWN) DoAccessibleAction(CHILDID_SELF);
  return true;
}

void CustomControl::DrawFocusFrame(HDC dc, RECT client) const {
  if (!tab_stop() || GetFocus() != hwnd()) return;
  // Hidden until a key moves the focus, as the system's own controls do.
  if (SendMessageW(hwnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) return;
  InflateRect(&client, -1, -1);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  DrawFocusRect(dc, &client);
}

void CustomControl::DragWindow() const {
  POINT at{};
  GetCursorPos(&at);
  ReleaseCapture();
  SendMessageW(host().window(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
}

}  // namespace velora::toolkit
