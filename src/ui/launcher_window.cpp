#include "ui/launcher_window.h"

#include <windowsx.h>

#include <tuple>

#include "acquire/adder_words.h"
#include "core/handles_win32.h"
#include "desktop/dropped_files_win32.h"
#include "desktop/monitors_win32.h"
#include "desktop/window_at_pointer_win32.h"
#include "text/date.h"
#include "toolkit/category_bar.h"
#include "toolkit/gdiplus.h"
#include "toolkit/glyphs.h"
#include "toolkit/icon_list.h"
#include "toolkit/image_button.h"
#include "toolkit/list_view.h"
#include "toolkit/native_controls.h"
#include "toolkit/panel.h"
#include "ui/add_panels.h"
#include "ui/item_grid.h"
#include "ui/item_launcher.h"
#include "ui/launcher_names.h"
#include "ui/layout.h"
#include "ui/recent_list.h"
#include "ui/settings_ui.h"
#include "ui/tip_window.h"

namespace velora::ui {
namespace {

constexpr UINT_PTR kQueueTimer = 1;  // 时钟_队列
constexpr UINT kShownMessage = WM_APP + 1;
constexpr UINT kMouseEventMessage = WM_APP + 2;
constexpr UINT kQueueInterval = 100;

std::string Name(std::string_view name) { return std::string(name); }

int DpiOf(HWND window) {
  const UINT dpi = window ? GetDpiForWindow(window) : GetDpiForSystem();
  return dpi ? static_cast<int>(dpi) : 96;
}

}  // namespace

UINT LauncherWindow::MouseEventMessage() noexcept { return kMouseEventMessage; }

LauncherWindow::LauncherWindow(settings::OptionsHolder& options) : options_(options) {}
LauncherWindow::~LauncherWindow() {
  Destroy();        // while every member its WM_DESTROY reaches is alive; the tip window goes along
  recent_.reset();  // its worker hands nothing over once it is gone
  menus_.reset();
  menu_actions_.reset();
  add_panels_.reset();
  adder_.reset();
  settings_.reset();  // it holds controls and timers of the window
  feedback_.reset();  // its toasts are controls with timers; it points at the tip window
  grid_.reset();      // it draws into a control
  item_launcher_.reset();
  controls_.reset();
  tip_.reset();
}

bool LauncherWindow::Create(HINSTANCE instance, LauncherHost& host, const toolkit::GdiplusSession& gdiplus,
                            Size design_size) noexcept {
  if (!gdiplus.ok()) return false;
  host_ = &host;
  initial_size_ = ClampWindowSize(design_size);
  if (!RegisterClassOnce(instance, kLauncherClass, CS_DBLCLKS)) return false;
  const int dpi = DpiOf(nullptr);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = Scale(initial_size_.width, dpi);
  const int height = Scale(initial_size_.height, dpi);
  const int left = work.left + (work.right - work.left - width) / 2;
  const int top = work.top + (work.bottom - work.top - height) / 2;
  // The sizing frame lets the grip use the system's sizing loop; it is never drawn.
  return CreateWindowOf(instance, kLauncherClass, kLauncherTitle, WS_POPUP | WS_THICKFRAME | WS_CLIPCHILDREN,
                        WS_EX_APPWINDOW, {left, top, left + width, top + height}, nullptr);
}

LRESULT LauncherWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      // First: the parts made during start-up hand their workers' results back through it.
      ui_ = core::UiDispatcher::Create();
      if (!ui_) return -1;
      controls_ = std::make_unique<toolkit::ControlHost>(hwnd());
      controls_->paint_backdrop = [this](HDC dc, RECT area) { PaintBackdrop(dc, area); };
      BuildControls();
      feedback_ = std::make_unique<Feedback>(*controls_, state_, [this] { return options_.get().tips_off; });
      settings_ = std::make_unique<SettingsUi>(hwnd(), *controls_, state_, options_, *feedback_);
      menus_ = std::make_unique<LauncherMenus>(hwnd());
      menus_->on_command = [this](MenuCommand command) { OnMenuCommand(command); };
      // Files dropped from the shell, also when it runs at another integrity level than the panel.
      DragAcceptFiles(hwnd(), TRUE);
      for (const UINT passed : {UINT{WM_DROPFILES}, UINT{WM_COPYDATA}, UINT{0x0049}}) {
        ChangeWindowMessageFilterEx(hwnd(), passed, MSGFLT_ALLOW, nullptr);
      }
      Layout();
      // Posted before the panel can show, so the rest of start-up comes before any request
      // that the shown panel may receive.
      PostMessageW(hwnd(), kShownMessage, 0, 0);
      if (!host_->OnLauncherCreate(hwnd())) return -1;
      SetTimer(hwnd(), kQueueTimer, kQueueInterval, nullptr);
      return 0;
    case kShownMessage:
      host_->OnLauncherShown();
      return 0;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      const int dpi = DpiOf(hwnd());
      info->ptMinTrackSize = {Scale(kMinimumWindow.width, dpi), Scale(kMinimumWindow.height, dpi)};
      info->ptMaxTrackSize = {Scale(kMaximumWindow.width, dpi), Scale(kMaximumWindow.height, dpi)};
      info->ptMaxSize = info->ptMaxTrackSize;
      info->ptMaxPosition = {0, 0};
      return 0;
    }
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case kMouseEventMessage:
      OnMouseEvent(wparam, lparam);
      return 0;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wparam));
      return 0;

    case WM_NCCALCSIZE:
      return 0;  // the sizing frame takes no room: the client area is the whole window
    case WM_NCHITTEST:
      return HTCAPTION;  // the uncovered background moves the window
    case WM_HOTKEY:
      if (settings_ && static_cast<int>(wparam) == settings_->hotkey_id()) logic_.HotkeyPressed();
      return 0;
    case WM_TIMER:
      if (wparam == kQueueTimer) OnTimer();
      return 0;
    case WM_COMMAND:
      if (controls_ && controls_->RouteCommand(wparam, lparam)) return 0;
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      const core::PaintScope paint(hwnd());
      RECT client{};
      GetClientRect(hwnd(), &client);
      toolkit::OffscreenSurface surface(paint.dc(), client.right, client.bottom);
      PaintBackdrop(surface.dc(), client);
      surface.Blit(paint.dc(), 0, 0);
      return 0;
    }
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wparam) host_->OnSessionEnding();
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd(), kQueueTimer);
      host_->OnLauncherDestroy();
      return 0;
    default:
      break;
  }
  return Default(message, wparam, lparam);
}

void LauncherWindow::BuildControls() {
  using namespace toolkit;
  ControlHost& c = *controls_;
  auto& background =
      c.Add<Panel>({Name(names::kBackground), nullptr, {1216, 48, 168, 80}, Name(names::kBackgroundCaption)});
  background.SetDragsWindow(true);

  auto& holder = c.Add<Panel>(
      {Name(names::kCategoryHolder), nullptr, {912, 56, 276, 32}, Name(names::kCategoryHolderCaption)});
  category_bar_ = &c.Add<CategoryBar>({Name(names::kCategoryBar), &holder, {0, -6, 48, 34}, ""});
  category_bar_->on_select = [this](std::size_t, const std::string& caption) {
    if (recent_) recent_->Hide();
    ShowCategory(caption);
  };
  // Hovering selects only while "分组滑动显示" is ticked, and leaves the recent list as it is.
  category_bar_->hover_selects = [this] { return options_.get().hover_selects; };
  category_bar_->on_hover_select = [this](std::size_t, const std::string& caption) { ShowCategory(caption); };
  category_bar_->on_right_click = [this](std::size_t index) {
    state_.remembered_group_cell = static_cast<int>(index);
    menus_->Show(GroupMenu(), GroupMenuPosition(Pointer()));
  };

  auto& bar =
      c.Add<Panel>({Name(names::kCommandBar), nullptr, {624, 120, 200, 32}, Name(names::kCommandBarCaption)});
  bar.SetDragsWindow(true);
  struct ButtonPlace {
    std::string_view name;
    Rect rect;
    std::string_view tip;
    ImageButton::Glyph glyph;
  };
  const ButtonPlace buttons[] = {
      {names::kRecentButton, {4, 4, 24, 24}, names::kTipRecent, glyphs::Recent},
      {names::kBookmarkButton, {39, 3, 24, 24}, names::kTipBookmark, glyphs::AddBookmark},
      {names::kClearButton, {73, 2, 24, 24}, names::kTipClear, glyphs::Clear},
      {names::kAddPositionButton, {105, 2, 24, 24}, names::kTipAddAtEnd, glyphs::AddAtEnd},
      {names::kSettingsButton, {133, 3, 24, 24}, names::kTipSettings, glyphs::Settings},
      {names::kPinButton, {169, 2, 24, 24}, names::kTipPin, glyphs::Pin},
  };
  for (const ButtonPlace& place : buttons) {
    auto& button = c.Add<ImageButton>({Name(place.name), &bar, place.rect, ""});
    button.SetGlyph(place.glyph);
    button.SetTip(std::string(place.tip));
    button.on_hover = [this](ImageButton& b, bool entered) { feedback_->ShowTip(entered, b.tip()); };
  }
  pin_ = c.FindAs<ImageButton>(names::kPinButton);
  c.FindAs<ImageButton>(names::kBookmarkButton)->on_click = [this](Control&) {
    menus_->Show(AddMenu(), Pointer());
  };
  c.FindAs<ImageButton>(names::kClearButton)->on_click = [this](Control&) {
    menus_->Show(ClearMenu(), Pointer());
  };
  pin_->on_click = [this](Control&) { logic_.TogglePin(); };
  // Selected: new items go to the end, undated; not selected: to the front.
  auto& position = *c.FindAs<ImageButton>(names::kAddPositionButton);
  const auto show_position = [](ImageButton& b) {
    b.SetGlyph(b.selected() ? glyphs::AddAtEnd : glyphs::AddAtFront);
    b.SetTip(std::string(b.selected() ? names::kTipAddAtEnd : names::kTipAddAtFront));
  };
  show_position(position);
  position.on_click = [show_position](Control& control) {
    auto& b = static_cast<ImageButton&>(control);
    b.SetSelected(!b.selected());
    show_position(b);
  };

  auto& content =
      c.Add<Panel>({Name(names::kContent), nullptr, {1, 32, 468, 547}, Name(names::kContentCaption)});
  c.Add<IconList>({Name(names::kGrid), &content, {55, 352, 181, 179}, Name(names::kGridCaption)});
  c.FindAs<ImageButton>(names::kRecentButton)->on_click = [this](Control&) {
    if (recent_) recent_->Toggle();  // built once the panel has shown
  };

  auto& grip = c.Add<Grip>({Name(names::kGrip), nullptr, {1360, 144, 12, 12}, Name(names::kTipGrip)});
  grip.on_begin_resize = [this] { state_.resizing = true; };
  grip.on_end_resize = [this] {
    state_.resizing = false;
    SetCapacity(GridCapacity(GridSize()));
    RefreshGrid();
    host_->OnResizeFinished(DesignSize());
  };
  grip.on_hover = [this](bool entered) { feedback_->ShowTip(entered, names::kTipGrip); };

  c.FindAs<ImageButton>(names::kSettingsButton)->on_click = [this](Control&) {
    Control* settings = controls_->Find(names::kSettingsPanel);
    if (!settings) return;  // built once the panel has shown
    settings->Show(!settings->visible());
    if (settings->visible()) SetWindowPos(settings->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  };

  // Stack the components from the background up: each raised one lies above those before it.
  RaiseInOrder(
      {names::kBackground, names::kContent, names::kCategoryHolder, names::kCommandBar, names::kGrip});
}

void LauncherWindow::RaiseInOrder(std::initializer_list<std::string_view> names) {
  for (std::string_view name : names) {
    if (toolkit::Control* control = controls_->Find(name)) {
      SetWindowPos(control->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

void LauncherWindow::BuildHiddenParts() {
  using namespace toolkit;
  ControlHost& c = *controls_;
  auto& toast =
      c.Add<Panel>({Name(names::kToastTemplate), nullptr, {800, 520, 200, 60}, Name(names::kToastTitle)},
                   type_word::kGroupBox);
  toast.Show(false);
  const std::tuple<std::string_view, Rect, std::string_view> panels[] = {
      {names::kSettingsPanel, {688, 160, 448, 256}, names::kSettingsPanelCaption},
      {names::kBookmarkPanel, {1008, 464, 368, 120}, names::kBookmarkPanelCaption},
      {names::kShortcutPanel, {1136, 208, 234, 248}, names::kShortcutPanelCaption},
      {names::kGroupPanel, {728, 424, 258, 88}, names::kGroupPanelCaption},
  };
  for (const auto& [name, rect, caption] : panels) {
    auto& panel = c.Add<Panel>({Name(name), nullptr, rect, Name(caption)});
    panel.SetFill(0xFFFFFFFF, 0xFFDCDFE6);
    panel.Show(false);
  }
  // Above everything the first look built, in this order.
  RaiseInOrder({names::kSettingsPanel, names::kBookmarkPanel, names::kShortcutPanel, names::kGroupPanel,
                names::kToastTemplate});

  auto& recent = c.Add<ListView>({Name(names::kRecentList),
                                  c.Find(names::kContent),
                                  {240, 344, 217, 192},
                                  Name(names::kRecentListCaption)});
  recent.Show(false);
  recent_ = std::make_unique<RecentList>(
      recent, hwnd(), ui_->Poster(),
      RecentList::Actions{[this](bool on, std::string_view text) { feedback_->ShowTip(on, text); },
                          [this](const std::string& link) {
                            if (item_launcher_) item_launcher_->OpenShortcutTarget(link);
                          }});
  add_panels_ = std::make_unique<AddPanels>(
      c, navigation_, *category_bar_,
      AddPanels::Actions{[this](ToastKind kind, std::string_view text) { feedback_->ShowToast(kind, text); },
                         [this] { return AddsAtEnd(); }, [this] { RefreshGrid(); },
                         [this](const std::vector<std::string>& names) { FillCategoryBar(names); },
                         [this](const std::string& new_name) {
                           navigation_.category = new_name;
                           RefreshGrid();
                         }});
  add_panels_->SetStore(database_);
  settings_->Build();
  Layout();
}

Size LauncherWindow::DesignSize() const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  const int dpi = controls_ ? controls_->dpi() : 96;
  return {MulDiv(client.right, 96, dpi), MulDiv(client.bottom, 96, dpi)};
}

void LauncherWindow::Layout() {
  if (!controls_) return;
  const LauncherLayout l = ComputeLayout(DesignSize());
  toolkit::ControlHost& c = *controls_;
  const std::pair<std::string_view, Rect> places[] = {
      {names::kBackground, l.background},
      {names::kGrip, l.grip},
      {names::kCommandBar, l.command_bar},
      {names::kCategoryHolder, l.category_holder},
      {names::kCategoryBar, l.category_bar},
      {names::kContent, l.content},
      {names::kSettingsPanel, l.panels[kSettingsPanel]},
      {names::kBookmarkPanel, l.panels[kBookmarkPanel]},
      {names::kGroupPanel, l.panels[kGroupPanel]},
      {names::kShortcutPanel, l.panels[kShortcutPanel]},
      {names::kRecentList, l.recent},
      {names::kGrid, l.grid},
  };
  for (const auto& [name, rect] : places) {
    if (toolkit::Control* control = c.Find(name)) control->Move(rect);
  }
  UpdateRegion();
  InvalidateRect(hwnd(), nullptr, FALSE);
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void LauncherWindow::UpdateRegion() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  const int diameter = 2 * controls_->Scale(state_.appearance.corner_radius);
  core::UniqueRegion region(
      diameter > 0 ? CreateRoundRectRgn(0, 0, client.right + 1, client.bottom + 1, diameter, diameter)
                   : nullptr);
  (void)core::SetWindowRegion(hwnd(), std::move(region), true);
}

void LauncherWindow::PaintBackdrop(HDC dc, RECT area) const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  toolkit::CheckGdiplusLive();
  Gdiplus::Graphics g(dc);
  g.TranslateTransform(static_cast<Gdiplus::REAL>(-area.left), static_cast<Gdiplus::REAL>(-area.top));
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  // Outside the rounded shape the window region clips; paint it in the fill so no seam shows.
  Gdiplus::SolidBrush fill(toolkit::ToColor(state_.appearance.background | 0xFF000000));
  g.FillRectangle(&fill, static_cast<INT>(area.left), static_cast<INT>(area.top),
                  static_cast<INT>(area.right - area.left), static_cast<INT>(area.bottom - area.top));
  const float border = static_cast<float>(controls_->Scale(state_.appearance.border_width));
  if (border <= 0) return;
  const float radius = static_cast<float>(controls_->Scale(state_.appearance.corner_radius));
  const float inset = border / 2;
  const float w = static_cast<float>(client.right) - border;
  const float h = static_cast<float>(client.bottom) - border;
  Gdiplus::GraphicsPath path;
  if (radius > 0) {
    const float d = std::min({2 * radius, w, h});
    path.AddArc(inset, inset, d, d, 180, 90);
    path.AddArc(inset + w - d, inset, d, d, 270, 90);
    path.AddArc(inset + w - d, inset + h - d, d, d, 0, 90);
    path.AddArc(inset, inset + h - d, d, d, 90, 90);
    path.CloseFigure();
  } else {
    path.AddRectangle(Gdiplus::RectF(inset, inset, w, h));
  }
  Gdiplus::Pen pen(toolkit::ToColor(state_.appearance.border), border);
  g.DrawPath(&pen, &path);
}

void LauncherWindow::ApplyAppearance(const Appearance& appearance) {
  state_.appearance = appearance;
  state_.picked_text_colour.reset();
  UpdateRegion();
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void LauncherWindow::ShowBorderColour(std::uint32_t argb) {
  state_.appearance.border = argb;
  UpdateRegion();
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void LauncherWindow::RefillIfVisible() {
  if (recent_) recent_->RefillIfVisible();
}

void LauncherWindow::FillCategoryBar(const std::vector<std::string>& names) {
  category_bar_->SuspendRedraw();
  const std::string selected = category_bar_->Fill(names, CaptionColour(state_), navigation_.category);
  category_bar_->ResumeRedraw();
  if (selected != navigation_.category) ShowCategory(selected);
}

void LauncherWindow::OnDropFiles(HDROP drop) {
  const std::vector<std::string> names = desktop::TakeDroppedFiles(drop);
  if (acquire::QueueDroppedPaths(drop_queue_, names) > 0) {
    feedback_->ShowToast(ToastKind::kFailed, acquire::kPathTooLong);
  }
}

void LauncherWindow::AddNextDroppedItem() {
  if (!adder_ || !grid_ || drop_queue_.Count() == 0) return;
  acquire::AddSituation situation;
  situation.category = navigation_.category;
  situation.at_end = AddsAtEnd();
  situation.page = grid_->model().page();
  situation.shown_count = grid_->model().item_count();
  situation.per_page = grid_->model().capacity();
  situation.now = text::NowText();
  const std::optional<acquire::AddResult> result = adder_->AddNext(drop_queue_, situation);
  if (!result) return;
  if (result->outcome == acquire::AddOutcome::kAdded) {
    ShowPage(result->page);
  } else if (result->outcome == acquire::AddOutcome::kNotSaved) {
    feedback_->ShowToast(ToastKind::kFailed, acquire::kItemNotSaved);
  }
}

void LauncherWindow::TakeLateSelection() {
  if (!item_launcher_) return;
  if (std::optional<std::string> text = item_launcher_->TakeLateCopy())
    state_.captured_selection = std::move(*text);
}

void LauncherWindow::OnTimer() {
  TakeLateSelection();
  AddNextDroppedItem();
  // A menu lies outside the panel: pointing at it is not leaving.
  logic_.Tick(options_.get().hide_on_leave && !menus_->showing());
}

void LauncherWindow::OnMenuCommand(MenuCommand command) {
  if (menu_actions_ && menu_actions_->Run(command)) return;
  if (add_panels_ && OpenAddPanel(command)) return;
  host_->OnMenuCommand(command);
}

bool LauncherWindow::OpenAddPanel(MenuCommand command) {
  switch (command) {
    case MenuCommand::kAddBookmark:
      add_panels_->OpenBookmark();
      return true;
    case MenuCommand::kAddShortcut:
      add_panels_->OpenShortcut();
      return true;
    case MenuCommand::kAddGroup:
      add_panels_->OpenGroupToAdd();
      return true;
    case MenuCommand::kRenameGroup: {
      const int cell = state_.remembered_group_cell;
      const auto& cells = category_bar_->model().cells();
      if (cell >= 0 && static_cast<std::size_t>(cell) < cells.size()) {
        add_panels_->OpenGroupToRename(cell, cells[static_cast<std::size_t>(cell)].caption);
      }
      return true;
    }
    default:
      return false;
  }
}

void LauncherWindow::OpenItemMenu() {
  const exec::GridModel& model = grid_->model();
  const std::string* code = model.current_item() ? model.CodeAt(*model.current_item()) : nullptr;
  if (code) menus_->Show(ItemMenu(*code), Pointer());
}

bool LauncherWindow::AddsAtEnd() const {
  const auto* position = controls_->FindAs<toolkit::ImageButton>(names::kAddPositionButton);
  return position && position->selected();
}

void LauncherWindow::SetPinSelected(bool selected) {
  if (pin_) pin_->SetSelected(selected);
}

void LauncherWindow::OnMouseEvent(WPARAM event, LPARAM time) {
  const GestureBoxes boxes{options_.get().middle_button_summons, options_.get().side_button_summons};
  logic_.MouseEvent({LOWORD(event), HIWORD(event)}, static_cast<std::uint32_t>(time), boxes);
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

void LauncherWindow::FinishGridClick() {
  if (grid_) grid_->OnRelease();
}

Rect LauncherWindow::WindowRect() const {
  RECT r{};
  GetWindowRect(hwnd(), &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool LauncherWindow::CreateTipWindow(HINSTANCE instance, const toolkit::GdiplusSession& gdiplus) {
  auto tip = std::make_unique<TipWindow>();
  if (!tip->Create(instance, hwnd(), gdiplus)) return false;
  tip_ = std::move(tip);
  feedback_->SetTipWindow(tip_.get());
  return true;
}

void LauncherWindow::ShowCategory(const std::string& category) {
  navigation_.category = category;
  ShowPage(0);
}

void LauncherWindow::ShowPage(int page) {
  navigation_.page = page;
  RefreshGrid();
}

void LauncherWindow::ShowFirstPage() { ShowPage(0); }

void LauncherWindow::RefreshGrid() {
  if (grid_) grid_->Refresh();
}

void LauncherWindow::SetCapacity(int capacity) { navigation_.capacity = capacity; }

void LauncherWindow::AttachGrid(store::Database& db, const StorePlaces& places, LaunchSetup launch_setup) {
  database_ = &db;
  if (add_panels_) add_panels_->SetStore(&db);
  auto* list = controls_->FindAs<toolkit::IconList>(names::kGrid);
  grid_ = std::make_unique<ItemGrid>(*list, state_, navigation_, db, places.data_dir);
  item_launcher_ = std::make_unique<ItemLauncher>(*this, options_.get(), *feedback_, db,
                                                  std::move(launch_setup), ui_->Poster());
  menu_actions_ = std::make_unique<MenuActions>(
      MenuActions::Panel{hwnd(), *grid_, navigation_, [this] { RefreshGrid(); },
                         [this] { return AddsAtEnd(); }, [this] { return host_->BeforeBulkRemoval(); }},
      *feedback_, db, places, *item_launcher_, ui_->Poster());
  icon_cache_ = std::make_unique<acquire::IconCache>(places.data_dir);
  adder_ = std::make_unique<acquire::ItemAdder>(db, path_facts_, *icon_cache_);
  grid_->SetLaunchPort(item_launcher_.get());
  grid_->show_tip = [this](const std::string& text) { feedback_->ShowTip(!text.empty(), text); };
  grid_->open_item_menu = [this](bool) { OpenItemMenu(); };
  grid_->double_click_opens = [this] { return options_.get().double_click_opens; };
  grid_->drag_window = [this] {
    const Point at = Pointer();
    ReleaseCapture();
    SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
  };
}

Point LauncherWindow::Pointer() const {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

std::string LauncherWindow::CaptureSelection() {
  return item_launcher_ ? item_launcher_->CaptureSelection() : std::string();
}

Size LauncherWindow::GridSize() const {
  const LauncherLayout l = ComputeLayout(DesignSize());
  return {l.grid.width, l.grid.height};
}

}  // namespace velora::ui
