#pragma once
// The controls of one window: created, found by layout name, listed by type word, scaled
// together when the window's DPI changes.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "core/com_apartment_win32.h"
#include "toolkit/control.h"
#include "toolkit/gdi_objects.h"

namespace velora::toolkit {

class ControlHost {
 public:
  explicit ControlHost(HWND window);
  ~ControlHost();
  ControlHost(const ControlHost&) = delete;
  ControlHost& operator=(const ControlHost&) = delete;

  template <typename T, typename... Extra>
  T& Add(ControlArgs args, Extra&&... extra) {
    auto control = std::make_unique<T>(*this, std::move(args), std::forward<Extra>(extra)...);
    T& ref = *control;
    controls_.push_back(std::move(control));
    return ref;
  }
  // A copy of a template control under a new name, for run-time clones such as toasts.
  template <typename T>
  T& Clone(const T& model, std::string name) {
    return Add<T>(ControlArgs{std::move(name), model.parent(), model.rect(), model.Text()});
  }
  void Destroy(Control& control);

  Control* Find(std::string_view name) const;
  template <typename T>
  T* FindAs(std::string_view name) const {
    return dynamic_cast<T*>(Find(name));
  }
  std::vector<Control*> OfType(std::string_view type_word) const;
  // Every control, parents before their children.
  std::vector<Control*> All() const;

  HWND window() const { return window_; }
  int dpi() const { return dpi_; }
  void SetDpi(int dpi);
  int Scale(int design) const { return core::Scale(design, dpi_); }
  // "微软雅黑" at a point size, for the current DPI.
  HFONT Font(int points, bool bold = false);

  // Paints the window's own background under a control, so custom controls look transparent:
  // the part `area_in_window` of the window, drawn at the origin of `dc`.
  std::function<void(HDC dc, RECT area_in_window)> paint_backdrop;
  // Forwards a WM_COMMAND from a native control to it; true when it was one of ours.
  bool RouteCommand(WPARAM wparam, LPARAM lparam);

  // Set by the window from the system's mode, at creation and when the user changes it; the
  // controls then draw with the system's colours.
  bool high_contrast() const { return high_contrast_; }
  void SetHighContrast(bool on) { high_contrast_ = on; }

  // COM for the window's thread from the first accessible object the controls hand out (tools
  // reach them through COM) until the window goes.
  void StartComForAccessibility() {
    if (!com_) com_.emplace();
  }

 private:
  HWND window_;
  int dpi_ = 96;
  bool high_contrast_ = false;
  std::optional<core::ComApartment> com_;  // before the controls: it outlives their objects
  std::vector<std::unique_ptr<Control>> controls_;
  std::map<std::pair<int, bool>, UniqueFont> fonts_;
};

}  // namespace velora::toolkit
