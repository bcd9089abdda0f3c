#pragma once
// Every control has one shape: made from ControlArgs, known to its window by type word and layout
// name, placed in design pixels (scaled by the window's DPI), reporting events through callbacks.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/geometry.h"

namespace velora::toolkit {

class Control;
class ControlHost;

// A text as a control draws it: in `font`, laid out by DrawText's `format` within `box` (client
// pixels). A text that needs more room than its box is cut on the screen.
struct Caption {
  std::wstring text;
  HFONT font = nullptr;
  RECT box{};
  UINT format = DT_SINGLELINE | DT_NOPREFIX;
};

struct ControlArgs {
  std::string name;           // layout name, e.g. "超级按钮_固定"
  Control* parent = nullptr;  // nullptr: the window itself
  core::Rect rect;            // design pixels relative to the parent
  std::string caption;
};

namespace type_word {
inline constexpr std::string_view kButton = "按钮";
inline constexpr std::string_view kImageButton = "超级按钮";
inline constexpr std::string_view kEdit = "编辑框";
inline constexpr std::string_view kCheckBox = "选择框";
inline constexpr std::string_view kComboBox = "组合框";
inline constexpr std::string_view kDropDown = "下拉框";
inline constexpr std::string_view kPanel = "图片框";
inline constexpr std::string_view kLabel = "标签";
inline constexpr std::string_view kListBox = "超级列表框";
inline constexpr std::string_view kIconList = "图标列表框";
inline constexpr std::string_view kTabs = "选择夹";
inline constexpr std::string_view kGroupBox = "分组框";
}  // namespace type_word

class Control {
 public:
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  std::string_view type_word() const { return type_word_; }
  const std::string& name() const { return name_; }
  HWND hwnd() const { return hwnd_; }
  Control* parent() const { return parent_; }
  ControlHost& host() const { return host_; }

  core::Rect rect() const { return rect_; }
  void Move(core::Rect rect);
  void Show(bool visible);
  bool visible() const;
  virtual std::string Text() const;
  virtual void SetText(std::string_view text);
  void Focus();
  void CaptureMouse();
  void ReleaseMouse();
  // Refilling a control paints once: suspend, change, resume.
  void SuspendRedraw();
  void ResumeRedraw();
  void Invalidate();

  // An overlay stays above its sibling controls: a sibling raised to the top goes just below the
  // overlays instead, whoever raises it.
  void SetOverlay(bool overlay) { overlay_ = overlay; }
  bool overlay() const { return overlay_; }

  // Re-applies the rectangle after the window's DPI changed.
  virtual void ApplyDpi();
  // The texts the control shows, where it draws them.
  virtual std::vector<Caption> Captions() const { return {}; }
  // What a screen reader calls a native box whose label the program draws itself: the label's
  // caption, read without its closing colon.
  void SetAccessibleName(std::string_view label);

  std::function<void(Control&)> on_click;
  std::function<void(Control&)> on_change;

 protected:
  Control(ControlHost& host, std::string_view type_word, ControlArgs args);
  // A system control is subclassed for its lifetime and draws its text in the font it is sent.
  // A drawn control's own procedure calls HandleLifetime first and draws with the host's fonts:
  // every message then spares the subclass's lookup, a round trip to the server under Wine.
  enum class Kind { kSystem, kDrawn };
  // Creates the control's window; `cls` may be a system class.
  bool CreateHwnd(const wchar_t* cls, DWORD style, DWORD ex_style = 0, Kind kind = Kind::kSystem);
  // What every control's window does whatever its procedure: tells the control when the window
  // is gone, keeps the overlays on top and answers for a native box's drawn label. True when
  // `result` is the answer.
  bool HandleLifetime(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
  HWND ParentHwnd() const;
  // Native controls report through their parent's WM_COMMAND; the parent forwards here.
  virtual void OnCommand(WORD /*code*/) {}
  friend class ControlHost;

 private:
  static LRESULT CALLBACK LifetimeProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                            UINT_PTR id, DWORD_PTR data) noexcept;

  ControlHost& host_;
  std::string_view type_word_;
  std::string name_;
  Control* parent_;
  core::Rect rect_;
  std::string initial_caption_;
  std::string accessible_name_;
  HWND hwnd_ = nullptr;
  Kind kind_ = Kind::kSystem;
  bool overlay_ = false;
};

// The Control behind a window handle made by the toolkit, if any.
Control* ControlFromHwnd(HWND hwnd);

}  // namespace velora::toolkit
