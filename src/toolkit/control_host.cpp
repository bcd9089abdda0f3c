#include "toolkit/control_host.h"

#include <algorithm>
#include <utility>

namespace velora::toolkit {

ControlHost::ControlHost(HWND window) : window_(window) {
  const UINT dpi = GetDpiForWindow(window);
  dpi_ = dpi ? static_cast<int>(dpi) : 96;
}

ControlHost::~ControlHost() {
  // Children were added after their parents: going backwards, each control goes before the
  // control its window lives in.
  while (!controls_.empty()) controls_.pop_back();
}

void ControlHost::Destroy(Control& control) {
  std::vector<Control*> children;
  for (const auto& other : controls_) {
    if (other->parent() == &control) children.push_back(other.get());
  }
  for (Control* child : children) Destroy(*child);
  std::erase_if(controls_, [&](const auto& c) { return c.get() == &control; });
}

Control* ControlHost::Find(std::string_view name) const {
  for (const auto& c : controls_) {
    if (c->name() == name) return c.get();
  }
  return nullptr;
}

std::vector<Control*> ControlHost::OfType(std::string_view type_word) const {
  std::vector<Control*> found;
  for (const auto& c : controls_) {
    if (c->type_word() == type_word) found.push_back(c.get());
  }
  return found;
}

std::vector<Control*> ControlHost::All() const {
  std::vector<Control*> all;
  all.reserve(controls_.size());
  for (const auto& c : controls_) all.push_back(c.get());
  return all;
}

void ControlHost::SetDpi(int dpi) {
  if (dpi <= 0 || dpi == dpi_) return;
  dpi_ = dpi;
  // The controls still draw with the old fonts until each has taken its new one: free the old
  // fonts only after that.
  const auto old_fonts = std::exchange(fonts_, {});
  for (const auto& c : controls_) c->ApplyDpi();
}

HFONT ControlHost::Font(int points, bool bold) {
  auto& font = fonts_[{points, bold}];
  if (!font) font = MakeFont(points, dpi_, bold);
  return font.get();
}

bool ControlHost::RouteCommand(WPARAM wparam, LPARAM lparam) {
  Control* control = lparam ? ControlFromHwnd(reinterpret_cast<HWND>(lparam)) : nullptr;
  if (!control) return false;
  control->OnCommand(HIWORD(wparam));
  return true;
}

}  // namespace velora::toolkit
