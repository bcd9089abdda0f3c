#include "ui/find_by_typing.h"

#include <string>
#include <utility>

#include "ui/launcher_names.h"

namespace velora::ui {
namespace {

// Enough pages for any query worth paging through; more only costs time.
constexpr std::size_t kMostFound = 500;
constexpr std::string_view kNothingFound = "没有找到";

bool IsMenuKey(WPARAM key) { return key == VK_APPS || (key == VK_F10 && GetKeyState(VK_SHIFT) < 0); }

}  // namespace

FindByTyping::FindByTyping(toolkit::ControlHost& controls, Panel panel, FindCatalogue& catalogue)
    : box_(controls.Add<toolkit::EditBox>({std::string(names::kQueryBox), &panel.bar_holder, {}, ""})),
      panel_(std::move(panel)),
      catalogue_(catalogue) {
  box_.Show(false);
  box_.SetAccessibleName(names::kQueryBoxLabel);
  box_.on_key = [this](toolkit::EditBox&, const toolkit::KeyMessage& m) { return BoxKey(m); };
  box_.on_change = [this](toolkit::Control&) { QueryChanged(); };
  panel_.grid.on_launched = [this](const exec::LaunchTarget& target) {
    catalogue_.CountLaunch(target.category, target.code);
  };
  // The index is built at the first query, not at start-up: a panel nobody types on keeps
  // neither the index nor the worker's connection.
  catalogue_.on_built = [this] {
    if (active_) QueryChanged();
  };
}

bool FindByTyping::KeyDown(WPARAM key) {
  using exec::SelectionMove;
  const auto move = [this](SelectionMove m) {
    panel_.grid.MoveSelection(m);
    return true;
  };
  switch (key) {
    case VK_LEFT:
      return move(SelectionMove::kLeft);
    case VK_RIGHT:
      return move(SelectionMove::kRight);
    case VK_UP:
      return move(SelectionMove::kUp);
    case VK_DOWN:
      return move(SelectionMove::kDown);
    case VK_HOME:
      return move(SelectionMove::kHome);
    case VK_END:
      return move(SelectionMove::kEnd);
    case VK_PRIOR:
      return move(SelectionMove::kPageUp);
    case VK_NEXT:
      return move(SelectionMove::kPageDown);
    case VK_RETURN:
      panel_.grid.LaunchSelected();
      return true;
    case VK_ESCAPE:
      if (active_) {
        End();
      } else {
        panel_.hide_unless_held();
      }
      return true;
    case VK_TAB:
      if (GetKeyState(VK_CONTROL) >= 0) return false;
      End();
      panel_.step_category(GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
      return true;
    default:
      return false;  // VK_PROCESSKEY among them: the input method's
  }
}

bool FindByTyping::BoxKey(const toolkit::KeyMessage& m) {
  const bool down = m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN;
  const bool up = m.message == WM_KEYUP || m.message == WM_SYSKEYUP;
  // The item's menu, not the box's own.
  if ((down || up) && IsMenuKey(m.key)) {
    if (down) OpenSelectedItemMenu();
    return true;
  }
  if (m.message == WM_KEYDOWN) return KeyDown(m.key);
  // The keys used above also type a character the box would beep at.
  return m.message == WM_CHAR && (m.key == L'\r' || m.key == L'\n' || m.key == 0x1B || m.key == L'\t');
}

void FindByTyping::Char(wchar_t ch) {
  if (ch < 0x20 && ch != L'\b') return;
  if (ch == L'\b' && !active_) return;
  Begin();
  const auto end = static_cast<WPARAM>(GetWindowTextLengthW(box_.hwnd()));
  SendMessageW(box_.hwnd(), EM_SETSEL, end, static_cast<LPARAM>(end));
  SendMessageW(box_.hwnd(), WM_CHAR, ch, 0);
}

void FindByTyping::OpenSelectedItemMenu() {
  if (const std::optional<POINT> at = panel_.grid.SelectForMenu()) panel_.open_item_menu(*at);
}

void FindByTyping::Begin() {
  if (!active_) {
    active_ = true;
    catalogue_.Refresh();
    box_.Show(true);
    panel_.relayout();
  }
  TakeFocus();
}

void FindByTyping::TakeFocus() {
  if (active_ && GetFocus() != box_.hwnd()) box_.Focus();
}

void FindByTyping::End() {
  if (!active_) return;
  active_ = false;
  ending_ = true;
  box_.SetText("");
  ending_ = false;
  const bool had_focus = GetFocus() == box_.hwnd();
  box_.Show(false);
  panel_.relayout();
  if (had_focus) SetFocus(GetAncestor(box_.hwnd(), GA_ROOT));
  panel_.grid.EndFind();
}

void FindByTyping::QueryChanged() {
  if (ending_) return;
  const std::string typed = box_.Text();
  if (typed.empty()) {
    End();
    return;
  }
  catalogue_.Refresh();
  panel_.grid.ShowFound(catalogue_.Find(typed, kMostFound), catalogue_.ready() ? kNothingFound : "");
}

}  // namespace velora::ui
