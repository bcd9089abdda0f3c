// What reaches the launcher window from the user's hands: the mouse hook's events, the tray icon,
// and the keyboard (finding by typing and the keys that move through the panel).
#include "toolkit/category_bar.h"
#include "toolkit/tab_control.h"
#include "ui/find_by_typing.h"
#include "ui/find_catalogue.h"
#include "ui/item_grid.h"
#include "ui/launcher_names.h"
#include "ui/launcher_window.h"
#include "ui/settings_panel_names.h"

namespace velora::ui {
namespace {

// Beside the store: launch counts rank what is found by typing.
constexpr wchar_t kLaunchCountsFile[] = L"Velora.launches.db";

}  // namespace

void LauncherWindow::OnMouseEvent(WPARAM event, LPARAM time) {
  const GestureBoxes boxes{options_.get().middle_button_summons, options_.get().side_button_summons};
  logic_.MouseEvent({LOWORD(event), HIWORD(event)}, static_cast<std::uint32_t>(time), boxes);
}

void LauncherWindow::TrayClick(unsigned code) {
  if (logic_.TrayClick(code) == TrayOutcome::kOpenMenu) menus_->Show(TrayMenu(), Pointer());
}

bool LauncherWindow::MoveFocusByTab(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || GetKeyState(VK_MENU) < 0) return false;
  HWND focus = GetFocus();
  if (!focus || !IsChild(hwnd(), focus)) return false;
  const bool back = GetKeyState(VK_SHIFT) < 0;
  if (GetKeyState(VK_CONTROL) < 0) {
    // Ctrl+Tab turns the settings' pages while the settings hold the focus; elsewhere it is the
    // panel's (the categories).
    auto* pages = controls_->FindAs<toolkit::TabControl>(settings_names::kTabs);
    const toolkit::Control* settings = controls_->Find(names::kSettingsPanel);
    if (!pages || !settings || !IsChild(settings->hwnd(), focus)) return false;
    pages->StepByKeyboard(back ? -1 : 1);
    return true;
  }
  // An open panel keeps the focus among its own controls, as a dialog does; elsewhere it goes
  // round the whole window.
  HWND scope = hwnd();
  for (std::string_view name :
       {names::kSettingsPanel, names::kBookmarkPanel, names::kShortcutPanel, names::kGroupPanel}) {
    const toolkit::Control* panel = controls_->Find(name);
    if (panel && panel->hwnd() && IsChild(panel->hwnd(), focus)) scope = panel->hwnd();
  }
  HWND next = GetNextDlgTabItem(scope, focus, back);
  if (!next || next == focus) return false;
  // The keyboard is in use: controls show where the focus is from now on.
  SendMessageW(hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  SetFocus(next);
  // An edit box reached by Tab has its text selected, as in a dialog.
  if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
  return true;
}

void LauncherWindow::BuildFinder() {
  const StorePlaces& places = services_.places;
  catalogue_ =
      std::make_unique<FindCatalogue>(services_.database, places.database_file,
                                      places.database_file.parent_path() / kLaunchCountsFile, ui_->Poster());
  finder_ = std::make_unique<FindByTyping>(
      *controls_,
      FindByTyping::Panel{*controls_->Find(names::kCategoryHolder), *grid_, [this] { Layout(); },
                          [this] {
                            if (!logic_.held()) Hide();
                          },
                          [this](int step) { category_bar_->Step(step); },
                          [this](POINT at) {
                            OpenItemMenu({at.x, at.y});
                          }},
      *catalogue_);
}

void LauncherWindow::StoreReplaced() {
  if (catalogue_) catalogue_->StoreReplaced();
}

bool LauncherWindow::KeyMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (!finder_) return false;  // until the panel has shown
  switch (message) {
    case WM_KEYDOWN:
      return finder_->KeyDown(wparam);
    case WM_CHAR:
      finder_->Char(static_cast<wchar_t>(wparam));
      return true;
    case WM_CONTEXTMENU:
      if (lparam != -1) return false;  // a click: the control under the pointer has its own menu
      finder_->OpenSelectedItemMenu();
      return true;
    case WM_SETFOCUS:
      finder_->TakeFocus();
      return false;
    case WM_SHOWWINDOW:
      if (!wparam) finder_->End();  // a summon shows the category again
      return false;
    default:
      return false;
  }
}

}  // namespace velora::ui
