#pragma once
// The launcher window: the frameless panel. It is made from what the program built before it (the
// options, the open store, the launch set-up, the settings actions), owns its controls and the
// parts that drive them, lays them out for every size and DPI, and paints the rounded, bordered
// background.
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ui_dispatcher_win32.h"
#include "desktop/launch_effects_win32.h"
#include "exec/navigation.h"
#include "settings/options.h"
#include "store/database.h"
#include "toolkit/base_window.h"
#include "toolkit/control_host.h"
#include "toolkit/gdiplus.h"
#include "ui/core_types.h"
#include "ui/item_launcher.h"
#include "ui/launcher_logic.h"
#include "ui/launcher_menus.h"
#include "ui/menu_actions.h"
#include "ui/panel_look.h"
#include "ui/settings_actions.h"

namespace velora::toolkit {
class CategoryBar;
class ImageButton;
}  // namespace velora::toolkit

namespace velora::ui {

inline constexpr wchar_t kLauncherClass[] = L"Velora";
inline constexpr wchar_t kLauncherTitle[] = L"Velora";
inline constexpr int kLauncherWidth = 510;
inline constexpr int kLauncherHeight = 311;

class TipWindow;
class ItemGrid;
class RecentList;

class SettingsUi;
class AddPanels;
class FindCatalogue;
class FindByTyping;
class Feedback;
class DropIntake;

// What the window asks of the program that owns it.
class LauncherHost {
 public:
  virtual ~LauncherHost() = default;
  // The start-up sequence up to showing the panel, once the window and its controls exist;
  // false stops the creation and destroys the window.
  virtual bool OnLauncherCreate(HWND window) = 0;
  // The rest of start-up, once the panel has shown and built what its first look did not need
  // (posted from the creation).
  virtual void OnLauncherShown() = 0;
  // Start-up is over, the hover tips made: what may ask the user something comes now.
  virtual void OnStartupComplete() = 0;
  virtual void OnLauncherDestroy() = 0;
  // Log-off or shutdown is ending the process; Exit will not run.
  virtual void OnSessionEnding() = 0;
  // A command chosen in one of the panel's menus that only the program can carry out.
  virtual void OnMenuCommand(MenuCommand command) = 0;
  // Items are about to be removed in bulk ("清空列表", "清理失效"): the store is backed up first.
  // False when no backup could be made; the user has been told and nothing may be removed.
  [[nodiscard]] virtual bool BeforeBulkRemoval() = 0;
  // The user finished resizing; the new size is kept.
  virtual void OnResizeFinished(Size design_size) = 0;
};

// What the window works with, built by the program before the window exists.
struct LauncherServices {
  // Read by what the window does and changed through its settings panel.
  settings::OptionsHolder& options;
  store::Database& database;  // open, alive while the window is
  StorePlaces places;
  desktop::LaunchSetup launch_setup;
  SettingsActions settings_actions;
  std::string version_caption;  // the about page's
};

class LauncherWindow : public toolkit::BaseWindow<LauncherWindow>, private LauncherView {
 public:
  explicit LauncherWindow(LauncherServices services);
  ~LauncherWindow() override;

  // The live GDI+ session is asked for because every paint of the panel needs one.
  [[nodiscard]] bool Create(HINSTANCE instance, LauncherHost& host, const toolkit::GdiplusSession& gdiplus,
                            Size design_size = {kLauncherWidth, kLauncherHeight}) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  // Started by hand the panel shows held, pin pressed; started with Windows it waits hidden.
  void ShowAtStart(bool held);
  // A press on the tray icon: the left one shows or hides the panel, the right one opens the
  // tray menu.
  void TrayClick(unsigned code);
  // Tab and Shift+Tab among the visible controls of the window's panels, in reading order, as a
  // dialog moves them; true when the message was used. Asked by the message loop before
  // dispatching, since the focused control would keep the key.
  bool MoveFocusByTab(const MSG& message);
  // The message the mouse hook posts its events to this window with.
  static UINT MouseEventMessage() noexcept;
  // Tells the user the outcome of what the program did for them.
  void ShowToast(ToastKind kind, std::string_view text);
  // The backups changed: a list the user has seen is read again.
  void BackupsChanged();
  // Once start-up has shown the panel: every control's state as the settings file keeps it,
  // then the options bound to the settings panel (see SettingsUi::BindOptions).
  void LoadControlStates(const std::filesystem::path& settings_file);
  // The settings file with `options` and every control's state; false when it was not written.
  [[nodiscard]] bool SaveSettings(const std::filesystem::path& settings_file,
                                  const settings::Options& options);
  // A first run chooses a function key to summon the panel; false when none was free.
  bool ChooseDefaultHotkey();

  // Rebuilds the bar with the category on show still selected; when that one is gone (a group
  // deleted, a restored store without it) the first category is shown instead.
  void FillCategoryBar(const std::vector<std::string>& names);
  const std::string& shown_category() const noexcept { return navigation_.category; }
  // Builds the background from the appearance values and repaints.
  void ApplyAppearance(const Appearance& appearance);
  // The system's high-contrast mode on or off: the panel draws with its colours or the skin.
  void FollowSystemContrast();
  // A border colour shows at once; a text colour picked but not yet applied stays as it is.
  void ShowBorderColour(std::uint32_t argb);
  // Rebuilds the grid's page where the panel stands.
  void RefreshGrid();
  // A new connection stands for the store (a restore): what is found by typing is read anew.
  void StoreReplaced();
  // Items per page: from the options at creation, from the grid's size after a resize.
  int capacity() const noexcept { return navigation_.capacity; }
  void SetCapacity(int capacity);
  // Makes a category current at page 0 and shows its items.
  void ShowCategory(const std::string& category);
  // Shows another page of the category on show (an item was added there).
  void ShowPage(int page);
  Size DesignSize() const override;
  // Whether `超级按钮_添加位置` is selected: new items go to the end, undated.
  bool AddsAtEnd() const;

 private:
  // The Win32 tests of the window drive its parts directly.
  friend class LauncherWindowTestAccess;

  // Draws with the system's colours (on) or the skin.
  void ShowContrast(bool on);
  void BuildControls();
  // The parts that work on the store: the grid, launching, the menus' actions, the drop queue.
  void BuildStoreParts();
  // The host's start-up and the queue timer, once the window procedure has built the controls.
  bool StartUp();
  // Once the panel has shown: what its first look does not show (the recent list, the contents
  // of the add panels; the settings panel's wait for its first opening), the host's rest of
  // start-up, which restores the controls' states, and the hover-tip window.
  void OnShown();
  void BuildHiddenParts();
  void Layout();
  void PaintBackdrop(HDC dc, RECT area) const;
  void Paint();
  // The smallest and largest sizes at the window's DPI.
  void LimitTracking(MINMAXINFO& info) const;
  // Round corners as the appearance says; the window starts without a region.
  void UpdateRegion();
  void OnTimer();
  void SetPinSelected(bool selected) override;
  Size GridSize() const;
  void OnMouseEvent(WPARAM event, LPARAM time);
  // Files dropped from the shell wait in the queue; each tick of the queue timer adds one.
  void AddNextDroppedItem();
  void OnDpiChanged(int dpi, const RECT& suggested);
  // The window's own menu actions first; what only the program can do goes to the host.
  void OnMenuCommand(MenuCommand command);
  // The item menu of the current item, at a point of the screen.
  void OpenItemMenu(Point at);
  // Finding by typing and the keys of the panel, made with the hidden parts.
  void BuildFinder();
  // A key, a character or the keyboard's menu request on the panel; true when it was used.
  bool KeyMessage(UINT message, WPARAM wparam, LPARAM lparam);

  // LauncherView
  void RefillIfVisible() override;
  bool EdgeDocking() const override;
  bool IsVisible() const override;
  void Show() override;
  void ShowActive() override;
  void Hide() override;
  Rect WindowRect() const override;
  void Place(const Placement& placement) override;
  Point Pointer() const override;
  std::vector<MonitorArea> Monitors() const override;
  void CaptureSelection() override;
  void FinishGridClick() override;
  void ShowFirstPage() override;

  LauncherHost* host_ = nullptr;
  HINSTANCE instance_ = nullptr;
  const toolkit::GdiplusSession* gdiplus_ = nullptr;  // alive while the window is
  std::unique_ptr<core::UiDispatcher> ui_;            // made first, at creation
  LauncherServices services_;
  settings::OptionsHolder& options_;
  PanelLook look_;
  int region_diameter_ = 0;  // of the round corners the window's region has now
  SIZE region_size_{};
  exec::Navigation navigation_;
  LauncherLogic logic_{*this};
  int group_cell_ = 0;  // the bar cell the group menu was last opened on
  // The place being applied: a DPI change it causes keeps it rather than the system's guess.
  std::optional<Placement> placing_;

  // The parts go in the reverse order of these lines, once the window itself is gone: each
  // before what it draws into, points at or reports through.
  std::unique_ptr<TipWindow> tip_;  // made last in start-up
  std::unique_ptr<toolkit::ControlHost> controls_;
  toolkit::CategoryBar* category_bar_ = nullptr;
  toolkit::ImageButton* pin_ = nullptr;
  toolkit::ImageButton* add_position_ = nullptr;
  std::unique_ptr<ItemLauncher> item_launcher_;
  std::unique_ptr<ItemGrid> grid_;
  std::unique_ptr<Feedback> feedback_;
  std::unique_ptr<SettingsUi> settings_;  // it holds controls and timers of the window
  std::unique_ptr<DropIntake> drops_;
  std::unique_ptr<AddPanels> add_panels_;  // made with the hidden parts
  std::unique_ptr<MenuActions> menu_actions_;
  std::unique_ptr<LauncherMenus> menus_;
  std::unique_ptr<RecentList>
      recent_;  // made with the hidden parts; its worker hands nothing over once it is gone
  std::unique_ptr<FindCatalogue> catalogue_;  // made with the hidden parts, as is the finder
  std::unique_ptr<FindByTyping> finder_;
};

}  // namespace velora::ui
