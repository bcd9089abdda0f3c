#include "ui/launcher_window.h"

#include "settings/settings.h"
#include "toolkit/category_bar.h"
#include "toolkit/glyphs.h"
#include "toolkit/icon_list.h"
#include "toolkit/image_button.h"
#include "ui/add_panels.h"
#include "ui/drop_intake.h"
#include "ui/find_by_typing.h"
#include "ui/item_grid.h"
#include "ui/item_launcher.h"
#include "ui/launcher_controls.h"
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

}  // namespace

UINT LauncherWindow::MouseEventMessage() noexcept { return kMouseEventMessage; }

LauncherWindow::LauncherWindow(LauncherServices services)
    : services_(std::move(services)), options_(services_.options) {}

// While every member its WM_DESTROY reaches is alive; the tip window goes along.
LauncherWindow::~LauncherWindow() { Destroy(); }

LRESULT LauncherWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      // First: the parts made during start-up hand their workers' results back through it.
      ui_ = core::UiDispatcher::Create();
      if (!ui_) return -1;
      controls_ = std::make_unique<toolkit::ControlHost>(hwnd());
      controls_->paint_backdrop = [this](HDC dc, RECT area) { PaintBackdrop(dc, area); };
      BuildControls();
      // The look and the page size the options hold, before the first layout and paint.
      look_.appearance = options_.get().appearance;
      FollowSystemContrast();
      navigation_.capacity = options_.get().icons_per_page;
      feedback_ = std::make_unique<Feedback>(*controls_, [this] { return options_.get().tips_off; });
      {
        SettingsActions actions = std::move(services_.settings_actions);  // the panel is their one user
        actions.text_colour_picked = [this](std::uint32_t argb) { look_.picked_text_colour = argb; };
        settings_ =
            std::make_unique<SettingsUi>(hwnd(), *controls_, options_, *feedback_, std::move(actions));
        settings_->SetVersionCaption(services_.version_caption);
      }
      menus_ = std::make_unique<LauncherMenus>(hwnd());
      menus_->on_command = [this](MenuCommand command) { OnMenuCommand(command); };
      BuildStoreParts();
      // Files dropped from the shell, also when it runs at another integrity level than the panel.
      DragAcceptFiles(hwnd(), TRUE);
      for (const UINT passed : {UINT{WM_DROPFILES}, UINT{WM_COPYDATA}, UINT{0x0049}}) {
        ChangeWindowMessageFilterEx(hwnd(), passed, MSGFLT_ALLOW, nullptr);
      }
      // No layout here: the WM_SIZE that CreateWindowEx sends next lays the controls out.
      // Posted before the panel can show, so the rest of start-up comes before any request
      // that the shown panel may receive.
      PostMessageW(hwnd(), kShownMessage, 0, 0);
      return 0;
    case kShownMessage:
      OnShown();
      return 0;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_GETMINMAXINFO:
      LimitTracking(*reinterpret_cast<MINMAXINFO*>(lparam));
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case kMouseEventMessage:
      OnMouseEvent(wparam, lparam);
      return 0;
    case WM_DROPFILES:
      drops_->Take(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_CONTEXTMENU:
    case WM_SETFOCUS:
    case WM_SHOWWINDOW:
      if (KeyMessage(message, wparam, lparam)) return 0;
      break;

    case WM_NCCALCSIZE:
      return 0;  // the sizing frame takes no room: the client area is the whole window
    case WM_NCHITTEST:
      return HTCAPTION;  // the uncovered background moves the window
    case WM_HOTKEY:
      if (static_cast<int>(wparam) == settings_->hotkey_id()) logic_.HotkeyPressed();
      return 0;
    case WM_TIMER:
      if (wparam == kQueueTimer) OnTimer();
      return 0;
    case WM_COMMAND:
      if (controls_ && controls_->RouteCommand(wparam, lparam)) return 0;
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      FollowSystemContrast();
      break;
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
  const FirstLook look = AddFirstLook(*controls_, ComputeLayout(DesignSize()));
  category_bar_ = &look.category_bar;
  category_bar_->on_select = [this](std::size_t, const std::string& caption) {
    if (recent_) recent_->Hide();
    ShowCategory(caption);
  };
  // Hovering selects only while "分组滑动显示" is ticked, and leaves the recent list as it is.
  category_bar_->hover_selects = [this] { return options_.get().hover_selects; };
  category_bar_->on_hover_select = [this](std::size_t, const std::string& caption) { ShowCategory(caption); };
  category_bar_->on_right_click = [this](std::size_t index) {
    group_cell_ = static_cast<int>(index);
    menus_->Show(GroupMenu(), GroupMenuPosition(Pointer()));
  };
  for (ImageButton* button : look.buttons()) {
    button->on_hover = [this](ImageButton& b, bool entered) { feedback_->ShowTip(entered, b.tip()); };
  }
  pin_ = &look.pin;
  pin_->on_click = [this](Control&) { logic_.TogglePin(); };
  look.bookmark.on_click = [this](Control&) { menus_->Show(AddMenu(), Pointer()); };
  look.clear.on_click = [this](Control&) { menus_->Show(ClearMenu(), Pointer()); };
  look.recent.on_click = [this](Control&) {
    if (recent_) recent_->Toggle();  // built once the panel has shown
  };
  look.settings.on_click = [this](Control&) { settings_->Toggle(); };
  // Selected: new items go to the end, undated; not selected: to the front.
  add_position_ = &look.add_position;
  const auto show_position = [](ImageButton& b) {
    b.SetGlyph(b.selected() ? glyphs::AddAtEnd : glyphs::AddAtFront);
    b.SetTip(std::string(b.selected() ? names::kTipAddAtEnd : names::kTipAddAtFront));
  };
  show_position(*add_position_);
  add_position_->on_click = [show_position](Control& control) {
    auto& b = static_cast<ImageButton&>(control);
    b.SetSelected(!b.selected());
    show_position(b);
  };
  look.grip.on_end_resize = [this] {
    SetCapacity(GridCapacity(GridSize()));
    RefreshGrid();
    host_->OnResizeFinished(DesignSize());
  };
  look.grip.on_hover = [this](bool entered) { feedback_->ShowTip(entered, names::kTipGrip); };
}

void LauncherWindow::BuildHiddenParts() {
  toolkit::ListView& recent = AddHiddenParts(*controls_);
  recent_ = std::make_unique<RecentList>(
      recent, hwnd(), ui_->Poster(),
      RecentList::Actions{[this](bool on, std::string_view text) { feedback_->ShowTip(on, text); },
                          [this](const std::string& link) { item_launcher_->OpenShortcutTarget(link); }});
  add_panels_ = std::make_unique<AddPanels>(
      *controls_, services_.database, navigation_, *category_bar_,
      AddPanels::Actions{[this](ToastKind kind, std::string_view text) { feedback_->ShowToast(kind, text); },
                         [this] { return AddsAtEnd(); }, [this] { RefreshGrid(); },
                         [this](const std::vector<std::string>& names) { FillCategoryBar(names); },
                         [this](const std::string& new_name) {
                           navigation_.category = new_name;
                           RefreshGrid();
                         }});
  BuildFinder();
  Layout();
}

void LauncherWindow::Layout() {
  if (!controls_) return;
  PlaceControls(*controls_, ComputeLayout(DesignSize()), finder_ && finder_->active());
  UpdateRegion();
  InvalidateRect(hwnd(), nullptr, FALSE);
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void LauncherWindow::RefillIfVisible() {
  if (recent_) recent_->RefillIfVisible();
}

void LauncherWindow::FillCategoryBar(const std::vector<std::string>& names) {
  category_bar_->SuspendRedraw();
  const std::string selected = category_bar_->Fill(names, look_.CaptionColour(), navigation_.category);
  category_bar_->ResumeRedraw();
  if (selected != navigation_.category) ShowCategory(selected);
}

void LauncherWindow::AddNextDroppedItem() {
  if (const std::optional<int> page = drops_->AddNext(navigation_.category, grid_->model(), AddsAtEnd())) {
    ShowPage(*page);
  }
}

void LauncherWindow::OnTimer() {
  item_launcher_->TakeLateCopy();
  AddNextDroppedItem();
  // A menu lies outside the panel: pointing at it is not leaving.
  logic_.Tick(options_.get().hide_on_leave && !menus_->showing());
}

void LauncherWindow::OnMenuCommand(MenuCommand command) {
  if (menu_actions_->Run(command)) return;
  if (add_panels_ && add_panels_->OpenFor(command, group_cell_)) return;
  host_->OnMenuCommand(command);
}

void LauncherWindow::OpenItemMenu(Point at) {
  const exec::GridModel& model = grid_->model();
  const std::string* code = model.current_item() ? model.CodeAt(*model.current_item()) : nullptr;
  if (code) menus_->Show(ItemMenu(*code), at);
}

bool LauncherWindow::AddsAtEnd() const { return add_position_ && add_position_->selected(); }

void LauncherWindow::SetPinSelected(bool selected) {
  if (pin_) pin_->SetSelected(selected);
}

void LauncherWindow::FinishGridClick() { grid_->OnRelease(); }

bool LauncherWindow::StartUp() {
  if (!host_->OnLauncherCreate(hwnd())) return false;
  SetTimer(hwnd(), kQueueTimer, kQueueInterval, nullptr);
  return true;
}

void LauncherWindow::OnShown() {
  // The first look is painted now: a posted message comes before any paint, and what follows
  // would otherwise keep a shown panel unpainted.
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  BuildHiddenParts();
  host_->OnLauncherShown();
  // Without the tip window the panel only lacks hover tips. It is the last part start-up
  // makes: one that exists tells that the hotkey and every control's state are in place.
  auto tip = std::make_unique<TipWindow>();
  if (tip->Create(instance_, hwnd(), *gdiplus_)) {
    tip_ = std::move(tip);
    feedback_->SetTipWindow(tip_.get());
  }
  feedback_->SetStartupComplete();
  host_->OnStartupComplete();
}

void LauncherWindow::ShowCategory(const std::string& category) {
  if (finder_) finder_->End();
  navigation_.category = category;
  ShowPage(0);
}

void LauncherWindow::ShowPage(int page) {
  navigation_.page = page;
  RefreshGrid();
}

void LauncherWindow::ShowFirstPage() { ShowPage(0); }

void LauncherWindow::RefreshGrid() { grid_->Refresh(); }

void LauncherWindow::SetCapacity(int capacity) { navigation_.capacity = capacity; }

void LauncherWindow::BuildStoreParts() {
  store::Database& db = services_.database;
  const StorePlaces& places = services_.places;
  auto* list = controls_->FindAs<toolkit::IconList>(names::kGrid);
  grid_ = std::make_unique<ItemGrid>(*list, look_, navigation_, db, places.data_dir);
  item_launcher_ = std::make_unique<ItemLauncher>(
      hwnd(), [this] { return logic_.held(); }, options_.get(), *feedback_, db, services_.launch_setup,
      ui_->Poster());
  menu_actions_ = std::make_unique<MenuActions>(
      MenuActions::Panel{hwnd(), *grid_, navigation_, [this] { RefreshGrid(); },
                         [this] { return AddsAtEnd(); }, [this] { return host_->BeforeBulkRemoval(); }},
      *feedback_, db, places, *item_launcher_, ui_->Poster());
  drops_ = std::make_unique<DropIntake>(db, places.data_dir, *feedback_);
  grid_->SetLaunchPort(item_launcher_.get());
  grid_->show_tip = [this](const std::string& text) { feedback_->ShowTip(!text.empty(), text); };
  grid_->open_item_menu = [this](bool) { OpenItemMenu(Pointer()); };
  grid_->double_click_opens = [this] { return options_.get().double_click_opens; };
  grid_->drag_window = [this] {
    const Point at = Pointer();
    ReleaseCapture();
    SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
  };
}

void LauncherWindow::CaptureSelection() { item_launcher_->CaptureSelection(); }

bool LauncherWindow::EdgeDocking() const { return settings_->docking(); }

void LauncherWindow::ShowToast(ToastKind kind, std::string_view text) { feedback_->ShowToast(kind, text); }

void LauncherWindow::BackupsChanged() { settings_->BackupsChanged(); }

void LauncherWindow::LoadControlStates(const std::filesystem::path& settings_file) {
  settings_->LoadControlStates(settings_file);
  settings_->BindOptions(options_.get().appearance);
}

bool LauncherWindow::SaveSettings(const std::filesystem::path& settings_file,
                                  const settings::Options& options) {
  return settings::SaveSettings(settings_file, options, settings_->port());
}

bool LauncherWindow::ChooseDefaultHotkey() { return settings_->ChooseDefaultHotkey(); }

}  // namespace velora::ui
