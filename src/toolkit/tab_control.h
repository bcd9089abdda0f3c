#pragma once
// A native tab control with its pages: the tabs stand in a strip down the left side, each page
// is a control of the same window placed right of the strip, and only the selected page shows.
#include <windows.h>

#include <string_view>
#include <vector>

#include "toolkit/control.h"

namespace velora::toolkit {

class TabControl : public Control {
 public:
  // Design width of the strip of tabs; pages start right of it.
  static constexpr int kStripWidth = 56;
  static constexpr int kTabLength = 40;

  TabControl(ControlHost& host, ControlArgs args);
  ~TabControl() override;

  // `page` becomes the page of a new tab; the first one added is selected.
  void AddPage(std::string_view caption, Control& page);
  int Count() const { return static_cast<int>(pages_.size()); }
  int Selected() const;
  // Selects a page as the program, without raising on_change.
  void Select(int index);
  // Ctrl+Tab and Ctrl+Shift+Tab, as in a property sheet: the next or previous page round the
  // ends, as the user's choice (on_change), with the focus on its first control.
  void StepByKeyboard(int step);
  // The tab's rectangle in screen pixels, for tests and tips.
  RECT TabRect(int index) const;
  void ApplyDpi() override;
  // Each tab's caption in its tab, as bold as a selected tab draws it.
  std::vector<Caption> Captions() const override;

 private:
  static LRESULT CALLBACK ParentProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                          DWORD_PTR data) noexcept;
  void ShowSelectedPage();
  void DrawTab(const DRAWITEMSTRUCT& item) const;

  std::vector<Control*> pages_;
  std::vector<std::wstring> captions_;
  HWND subclassed_parent_ = nullptr;
};

}  // namespace velora::toolkit
