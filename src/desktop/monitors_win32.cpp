#include "desktop/monitors_win32.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellscalingapi.h>

#include "core/guarded.h"

namespace velora::desktop {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) noexcept {
  core::Guarded("ListMonitors", [&] {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return;
    UINT dpi_x = 96, dpi_y = 96;
    if (FAILED(GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpi_x, &dpi_y)) || dpi_x == 0) dpi_x = 96;
    const RECT& r = info.rcMonitor;  // the whole monitor, not its work area
    reinterpret_cast<std::vector<core::MonitorArea>*>(list)->push_back(
        {{r.left, r.top, r.right - r.left, r.bottom - r.top}, static_cast<int>(dpi_x)});
  });
  return TRUE;
}

}  // namespace

std::vector<core::MonitorArea> ListMonitors() {
  std::vector<core::MonitorArea> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) {
    const UINT dpi = GetDpiForSystem();
    monitors.push_back({{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                        dpi ? static_cast<int>(dpi) : 96});
  }
  return monitors;
}

}  // namespace velora::desktop
