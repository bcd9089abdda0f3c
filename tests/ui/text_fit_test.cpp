// Every text of both windows (the launcher with all its panels built, and the tip window) at 100,
// 125, 150 and 200 %: no text needs more room than its box, lies outside a parent, or lies under
// a control stacked above it. And every control has a name a screen reader can read.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "text/utf.h"
#include "toolkit/control_host.h"
#include "toolkit/gdiplus.h"
#include "toolkit/native_controls.h"
#include "toolkit/tab_control.h"
#include "ui/launcher_test_parts.h"
#include "ui/launcher_window.h"
#include "ui/settings_panel.h"
#include "ui/settings_ui.h"
#include "ui/tip_window.h"
#include "ui/toast_texts.h"
#include "ui/toasts_win32.h"

namespace velora::ui {
namespace {

using test_parts::BuildingHost;
using test_parts::Parts;
using test_parts::Pump;

RECT WindowRectOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

RECT ClientOnScreen(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string NameOf(HWND hwnd) {
  if (const toolkit::Control* control = toolkit::ControlFromHwnd(hwnd)) return control->name();
  return "(window)";
}

std::string Describe(RECT r) {
  std::ostringstream out;
  out << r.right - r.left << " × " << r.bottom - r.top << " at " << r.left << ", " << r.top;
  return out.str();
}

// Where the glyphs of `caption` fall on the screen: the text drawn as the control draws it, on
// white and unclipped, and the box around every pixel it darkened.
RECT InkOnScreen(const toolkit::Control& control, const toolkit::Caption& caption) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  const HGDIOBJ old_font = SelectObject(dc, caption.font);
  const int box_width = caption.box.right - caption.box.left;
  const int box_height = caption.box.bottom - caption.box.top;
  RECT extent{0, 0, box_width, 0};
  DrawTextW(dc, caption.text.c_str(), static_cast<int>(caption.text.size()), &extent,
            (caption.format & ~(DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT);
  // Room on every side for a text larger than its box.
  const int margin_x = extent.right + 8;
  const int margin_y = extent.bottom + 8;
  const int width = box_width + 2 * margin_x;
  const int height = box_height + 2 * margin_y;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
  RECT all{0, 0, width, height};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  RECT box{margin_x, margin_y, margin_x + box_width, margin_y + box_height};
  DrawTextW(dc, caption.text.c_str(), static_cast<int>(caption.text.size()), &box,
            caption.format | DT_NOCLIP);
  GdiFlush();
  RECT ink{width, height, 0, 0};
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if ((pixels[y * width + x] & 0xFFFFFF) == 0xFFFFFF) continue;
      ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
             std::max<LONG>(ink.bottom, y + 1)};
    }
  }
  SelectObject(dc, old_bitmap);
  SelectObject(dc, old_font);
  DeleteObject(bitmap);
  DeleteDC(dc);
  OffsetRect(&ink, caption.box.left - margin_x, caption.box.top - margin_y);
  MapWindowPoints(control.hwnd(), nullptr, reinterpret_cast<POINT*>(&ink), 2);
  return ink;
}

bool Inside(RECT inner, RECT outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// What keeps the text of `caption` from showing whole; empty when nothing does.
std::vector<std::string> TextProblems(const toolkit::Control& control, const toolkit::Caption& caption) {
  std::vector<std::string> problems;
  const RECT ink = InkOnScreen(control, caption);
  RECT box = caption.box;
  MapWindowPoints(control.hwnd(), nullptr, reinterpret_cast<POINT*>(&box), 2);
  const std::string what = control.name() + " \"" + text::Narrow(caption.text) + "\" (" + Describe(ink) + ")";
  if (!Inside(ink, box)) problems.push_back(what + " needs more than its box, " + Describe(box));
  // Each window up to the top clips the text to its client area, and each window stacked above
  // it or above one of its parents paints over it.
  for (HWND at = control.hwnd(); at && (GetWindowLongW(at, GWL_STYLE) & WS_CHILD); at = GetParent(at)) {
    if (!Inside(ink, ClientOnScreen(at))) {
      problems.push_back(what + " is cut by " + NameOf(at) + ", " + Describe(ClientOnScreen(at)));
    }
    for (HWND above = GetWindow(at, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
      RECT overlap{};
      const RECT r = WindowRectOf(above);
      if ((GetWindowLongW(above, GWL_STYLE) & WS_VISIBLE) && IntersectRect(&overlap, &ink, &r)) {
        problems.push_back(what + " lies under " + NameOf(above) + ", " + Describe(r));
      }
    }
  }
  return problems;
}

// Whether the control shows once the panel it lies in is opened: every window between them is.
bool ShownWithItsPanel(const toolkit::Control& control) {
  for (HWND at = control.hwnd(); at; at = GetParent(at)) {
    const HWND parent = GetParent(at);
    if (!parent || !(GetWindowLongW(parent, GWL_STYLE) & WS_CHILD)) return true;  // `at` is the panel
    if (!(GetWindowLongW(at, GWL_STYLE) & WS_VISIBLE)) return false;
  }
  return true;
}

// `only` picks the controls to look at; all when it is empty.
std::vector<std::string> WalkTexts(const toolkit::ControlHost& controls,
                                   const std::function<bool(const toolkit::Control&)>& only = {}) {
  std::vector<std::string> problems;
  for (const toolkit::Control* control : controls.All()) {
    if ((only && !only(*control)) || !ShownWithItsPanel(*control)) continue;
    for (const toolkit::Caption& caption : control->Captions()) {
      if (caption.text.empty()) continue;
      for (std::string& problem : TextProblems(*control, caption)) problems.push_back(std::move(problem));
    }
  }
  return problems;
}

std::string Lines(const std::vector<std::string>& problems) {
  std::string all;
  for (const std::string& problem : problems) all += problem + "\n";
  return all;
}

class TextFitTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { gdiplus_ = std::make_unique<toolkit::GdiplusSession>(); }
  static void TearDownTestSuite() { gdiplus_.reset(); }

  void SetUp() override {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    ASSERT_TRUE(store_.Make());
    ASSERT_TRUE(launcher_.Create(instance, host_, *gdiplus_));
    ShowWindow(launcher_.hwnd(), SW_SHOW);
    Pump(100);  // the hidden parts are built once the panel has shown
    ASSERT_NE(Parts::controls(launcher_).Find("图片框_程序设置"), nullptr);
    // The settings' texts are checked too: the panel is filled at its first need.
    Parts::settings(launcher_).Build();
    ASSERT_TRUE(tip_.Create(instance, launcher_.hwnd(), *gdiplus_));
    // As start-up does.
    launcher_.FillCategoryBar({"软件", "目录", "书签", "图片", "文档", "热键", "搜索", "我的常用网站"});
  }

  // Both windows take the scale as a move to a monitor of that DPI tells them.
  void SetScale(int dpi) {
    RECT r = WindowRectOf(launcher_.hwnd());
    r.right = r.left + MulDiv(kLauncherWidth, dpi, 96);
    r.bottom = r.top + MulDiv(kLauncherHeight, dpi, 96);
    SendMessageW(launcher_.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
    RECT t = WindowRectOf(tip_.hwnd());
    SendMessageW(tip_.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&t));
    Pump(50);
  }

  static inline std::unique_ptr<toolkit::GdiplusSession> gdiplus_;
  BuildingHost host_;
  settings::OptionsHolder options_;
  test_parts::StoreFolder store_{"text-fit"};
  LauncherWindow launcher_{test_parts::ServicesFor(options_, store_)};
  TipWindow tip_;
};

constexpr int kScales[] = {96, 120, 144, 192};

TEST_F(TextFitTest, EveryTextFitsItsBoxAndShowsWholeAtEveryScale) {
  for (const int dpi : kScales) {
    SCOPED_TRACE("DPI " + std::to_string(dpi));
    SetScale(dpi);
    ASSERT_EQ(Parts::controls(launcher_).dpi(), dpi);
    // Each page of the settings panel in turn.
    auto* tabs = Parts::controls(launcher_).FindAs<toolkit::TabControl>("选择夹_组件");
    ASSERT_NE(tabs, nullptr);
    for (int page = 0; page < tabs->Count(); ++page) {
      tabs->Select(page);
      EXPECT_EQ(Lines(WalkTexts(Parts::controls(launcher_))), "") << "page " << page;
    }
    for (const char* tip : {"设置", "C:\\Program Files\\Common Files\\一个很长的文件夹名字\\程序.exe"}) {
      tip_.ShowTip(tip, {100, 100});
      EXPECT_EQ(Lines(WalkTexts(tip_.controls())), "") << tip;
    }
    tip_.HideTip();
  }
}

// Toasts lie above every other control, the settings page's included, at every scale.
TEST_F(TextFitTest, ToastsShowTheirWholeTextAboveTheOpenSettingsPanel) {
  Parts::settings(launcher_).panel().Toggle();
  const auto is_toast = [](const toolkit::Control& c) {
    return dynamic_cast<const ToastView*>(&c) != nullptr;
  };
  for (const int dpi : kScales) {
    SCOPED_TRACE("DPI " + std::to_string(dpi));
    SetScale(dpi);
    for (const std::string_view text : {kCreateGroupFailed, kAutostartOn, kFixedGroupUndeletable}) {
      Parts::feedback(launcher_).ShowToast(ToastKind::kFailed, text);
    }
    Pump(700);  // cloned, shown and slid in
    // The panel raised while the toasts show stays below them.
    Parts::settings(launcher_).panel().Toggle();
    Parts::settings(launcher_).panel().Toggle();
    std::size_t shown = 0;
    for (const toolkit::Control* c : Parts::controls(launcher_).All()) shown += is_toast(*c) && c->visible();
    EXPECT_EQ(shown, 3u);
    EXPECT_EQ(Lines(WalkTexts(Parts::controls(launcher_), is_toast)), "");
    Pump(2400);  // held, faded and gone
  }
}

TEST_F(TextFitTest, EveryControlHasANameAScreenReaderReads) {
  tip_.ShowTip("设置", {100, 100});
  std::vector<std::string> unnamed;
  for (const toolkit::ControlHost* controls : {&Parts::controls(launcher_), &tip_.controls()}) {
    for (const toolkit::Control* control : controls->All()) {
      // A box for typing or choosing is named by the label beside it; its text is its value.
      if (dynamic_cast<const toolkit::EditBox*>(control) || dynamic_cast<const toolkit::ComboBox*>(control)) {
        continue;
      }
      wchar_t name[256] = {};
      GetWindowTextW(control->hwnd(), name, 256);
      if (name[0] == L'\0') unnamed.push_back(control->name());
    }
  }
  EXPECT_EQ(Lines(unnamed), "");
}

}  // namespace
}  // namespace velora::ui
