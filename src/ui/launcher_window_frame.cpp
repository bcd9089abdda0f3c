// The launcher window as a frame: its size and place on a monitor at that monitor's DPI, its
// rounded shape and backdrop, and what its logic sees of it (LauncherView).
#include "ui/launcher_window.h"

#include "core/handles_win32.h"
#include "desktop/monitors_win32.h"
#include "desktop/window_at_pointer_win32.h"
#include "toolkit/gdiplus.h"
#include "ui/launcher_controls.h"
#include "ui/layout.h"

namespace velora::ui {
namespace {

int DpiOf(HWND window) {
  const UINT dpi = window ? GetDpiForWindow(window) : GetDpiForSystem();
  return dpi ? static_cast<int>(dpi) : 96;
}

}  // namespace

bool LauncherWindow::Create(HINSTANCE instance, LauncherHost& host, const toolkit::GdiplusSession& gdiplus,
                            Size design_size) noexcept {
  if (!gdiplus.ok()) return false;
  host_ = &host;
  instance_ = instance;
  gdiplus_ = &gdiplus;
  const Size size = ClampWindowSize(design_size);
  if (!RegisterClassOnce(instance, kLauncherClass, CS_DBLCLKS)) return false;
  const int dpi = DpiOf(nullptr);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = Scale(size.width, dpi);
  const int height = Scale(size.height, dpi);
  const int left = work.left + (work.right - work.left - width) / 2;
  const int top = work.top + (work.bottom - work.top - height) / 2;
  // The sizing frame lets the grip use the system's sizing loop; it is never drawn.
  if (!CreateWindowOf(instance, kLauncherClass, kLauncherTitle, WS_POPUP | WS_THICKFRAME | WS_CLIPCHILDREN,
                      WS_EX_APPWINDOW, {left, top, left + width, top + height}, nullptr)) {
    return false;
  }
  // The window procedure only builds the controls; start-up runs out here.
  if (StartUp()) return true;
  Destroy();
  return false;
}

void LauncherWindow::Paint() {
  const core::PaintScope paint(hwnd());
  RECT client{};
  GetClientRect(hwnd(), &client);
  toolkit::OffscreenSurface surface(paint.dc(), client.right, client.bottom);
  PaintBackdrop(surface.dc(), client);
  surface.Blit(paint.dc(), 0, 0);
}

void LauncherWindow::LimitTracking(MINMAXINFO& info) const {
  const int dpi = DpiOf(hwnd());
  info.ptMinTrackSize = {Scale(kMinimumWindow.width, dpi), Scale(kMinimumWindow.height, dpi)};
  info.ptMaxTrackSize = {Scale(kMaximumWindow.width, dpi), Scale(kMaximumWindow.height, dpi)};
  info.ptMaxSize = info.ptMaxTrackSize;
  info.ptMaxPosition = {0, 0};
}

Size LauncherWindow::DesignSize() const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  const int dpi = controls_ ? controls_->dpi() : 96;
  return {MulDiv(client.right, 96, dpi), MulDiv(client.bottom, 96, dpi)};
}

void LauncherWindow::UpdateRegion() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  const int diameter = 2 * controls_->Scale(look_.drawn().corner_radius);
  // Setting a region, even none again, changes the frame: a layout that keeps the corners and
  // the size leaves it alone.
  if (diameter == region_diameter_ &&
      (diameter == 0 || (client.right == region_size_.cx && client.bottom == region_size_.cy))) {
    return;
  }
  region_diameter_ = diameter;
  region_size_ = {client.right, client.bottom};
  core::UniqueRegion region(
      diameter > 0 ? CreateRoundRectRgn(0, 0, client.right + 1, client.bottom + 1, diameter, diameter)
                   : nullptr);
  (void)core::SetWindowRegion(hwnd(), std::move(region), true);
}

void LauncherWindow::PaintBackdrop(HDC dc, RECT area) const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  const Appearance& look = look_.drawn();
  ui::PaintBackdrop(dc, area, client, look, controls_->Scale(look.border_width),
                    controls_->Scale(look.corner_radius));
}

void LauncherWindow::ApplyAppearance(const Appearance& appearance) {
  look_.appearance = appearance;
  look_.picked_text_colour.reset();
  UpdateRegion();
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void LauncherWindow::FollowSystemContrast() { ShowContrast(toolkit::SystemHighContrast()); }

void LauncherWindow::ShowContrast(bool on) {
  controls_->SetHighContrast(on);
  look_.high_contrast.reset();
  if (on) {
    look_.high_contrast =
        Appearance{toolkit::SystemColour(COLOR_WINDOW), toolkit::SystemColour(COLOR_WINDOWTEXT), 0,
                   toolkit::SystemColour(COLOR_WINDOWTEXT), 2};
  }
  if (!grid_) return;  // at creation: the first fill and paint come next
  UpdateRegion();
  const auto& cells = category_bar_->model().cells();
  for (std::size_t i = 0; i < cells.size(); ++i)
    category_bar_->SetCaption(i, cells[i].caption, look_.CaptionColour());
  RefreshGrid();
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void LauncherWindow::ShowBorderColour(std::uint32_t argb) {
  look_.appearance.border = argb;
  UpdateRegion();
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void LauncherWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  controls_->SetDpi(dpi);
  // A summon already sized the window for the monitor it moves to: keep that, not a scaled
  // copy of the old size.
  const Rect r = placing_ && placing_->dpi == dpi
                     ? placing_->rect
                     : Rect{suggested.left, suggested.top, suggested.right - suggested.left,
                            suggested.bottom - suggested.top};
  SetWindowPos(hwnd(), nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void LauncherWindow::ShowAtStart(bool held) {
  logic_.StartHeld(held);
  ShowWindow(hwnd(), held ? SW_SHOW : SW_HIDE);
}

bool LauncherWindow::IsVisible() const { return IsWindowVisible(hwnd()) != FALSE; }
void LauncherWindow::Show() { ShowWindow(hwnd(), SW_SHOW); }
void LauncherWindow::Hide() { ShowWindow(hwnd(), SW_HIDE); }

void LauncherWindow::ShowActive() {
  ShowWindow(hwnd(), SW_SHOW);
  (void)desktop::ActivateWindow(hwnd());
}

void LauncherWindow::Place(const Placement& placement) {
  placing_ = placement;
  const Rect& r = placement.rect;
  SetWindowPos(hwnd(), nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
  // A hidden window may move to a monitor of another DPI without being told.
  const int dpi = DpiOf(hwnd());
  if (dpi != controls_->dpi()) OnDpiChanged(dpi, {r.left, r.top, r.right(), r.bottom()});
  placing_.reset();
}

std::vector<MonitorArea> LauncherWindow::Monitors() const { return desktop::ListMonitors(); }

Rect LauncherWindow::WindowRect() const {
  RECT r{};
  GetWindowRect(hwnd(), &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Point LauncherWindow::Pointer() const {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

Size LauncherWindow::GridSize() const {
  const LauncherLayout l = ComputeLayout(DesignSize());
  return {l.grid.width, l.grid.height};
}

}  // namespace velora::ui
